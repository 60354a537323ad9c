// The one way this program writes a file: a temporary file beside the
// target, every write checked, the data synced to the disk and checked,
// then a rename over the target. A save that fails at any step leaves the
// old file whole and removes its temporary file. Only regular files are
// replaced: a device, a pipe, a socket or a folder in the way (or a link to
// one) is refused; a link to a regular file keeps working and the file it
// names is updated.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace filesave {

struct SaveError {
    enum class Kind {
        CannotCreate, // the target is refused or the temporary file cannot be made
        CannotWrite,  // writing, syncing or renaming failed; the old file is whole
    };
    Kind kind;
    QString reason; // the system's text for the error, or why the target is refused
    QString text;   // "Cannot create file:\n<path>\n<reason>" or "Error writing file:\n..."
};

// Whether path could be saved to: it does not exist yet, or it is (after
// following links) a regular file that may be written. Lets a command
// refuse before it does lengthy work (a download) whose result it must save.
std::optional<SaveError> CheckTarget(const QString& path);

// Replaces (or creates) path with bytes, atomically and durably.
std::optional<SaveError> Save(const QString& path, const QByteArray& bytes);

// Whether fileName is a temporary file that a save of a file named
// targetName makes (names only: the save removes such leftovers of killed
// saves only when no running save holds them).
bool IsTemporaryNameFor(const QByteArray& fileName, const QByteArray& targetName);

} // namespace filesave
