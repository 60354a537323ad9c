// The one way this program writes a file: a temporary file beside the
// target, every write checked, the data synced to the disk and checked,
// then a rename over the target. A save that fails at any step leaves the
// old file whole and removes its temporary file. Only regular files are
// replaced: a device, a pipe, a socket or a folder in the way (or a link to
// one) is refused; a link to a regular file keeps working and the file it
// names is updated, unless the link stands in a shared sticky folder (such
// as /tmp) and belongs neither to the user nor to the folder's owner: such a
// link may have been planted by someone else, and is not followed.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace document::filesave {

struct SaveError {
    enum class Kind {
        CannotCreate, // the target is refused or the temporary file cannot be made
        CannotWrite,  // writing, syncing or renaming failed; the old file is whole
        NotDurable,   // the new file is in place, but its folder could not be synced
    };
    Kind kind;
    QString reason; // the system's text for the error, or why the target is refused
    QString text;   // "Cannot create file:\n<path>\n<reason>", "Error writing file:\n..." or
                    // "The new file is in place but could not be made durable:\n..."
};

// Whether path could be saved to: it does not exist yet, or it is (after
// following links) a regular file that may be written. Lets a command
// refuse before it does lengthy work (a download) whose result it must save.
std::optional<SaveError> CheckTarget(const QString& path);

// Replaces (or creates) path with bytes, atomically and durably.
std::optional<SaveError> Save(const QString& path, const QByteArray& bytes);

// Writes bytes to a new file of its own in folder, named prefix, eight
// random letters and suffix, readable by the user alone; never replaces
// or follows anything already there. On success path is the new file's.
std::optional<SaveError> SaveNew(const QString& folder, const QString& prefix,
                                 const QString& suffix, const QByteArray& bytes, QString& path);

// The program's folder in the user's data folder ($XDG_DATA_HOME/clonara,
// ~/.local/share/clonara), or the folder sub below it, made when missing and
// readable by the user alone. Empty, with reason set, when it cannot be had
// (no data folder, a file in the way, a folder of someone else's).
QString PrivateDataFolder(const QString& sub, QString& reason);

// Whether fileName is a temporary file that a save of a file named
// targetName makes (names only: the save removes such leftovers of killed
// saves only when no running save holds them).
bool IsTemporaryNameFor(const QByteArray& fileName, const QByteArray& targetName);

} // namespace document::filesave
