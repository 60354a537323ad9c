// The radio history: every image that crossed the cable, kept in the user's
// data folder (~/.local/share/clonara/history), so a radio overwritten by a
// mistaken upload, or a factory setup never saved, can be had back.
//
// An entry is two files named by its id (the UTC time it was kept,
// "20261208-063912", with "-2", "-3" ... for more in the same second): the
// image as it crossed the cable (ID.img) and what is known about it
// (ID.json). Both are readable by the user alone, in a folder of the user's
// own. The newest entries are kept up to a limit, and always the first image
// received with each radio header: the radio as it came from the factory.
#pragma once

#include "link/LinkProtocol.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace radiolink::history {

enum class Direction { Received, Sent };

struct Entry {
    QString id;
    QDateTime time; // UTC
    Direction direction = Direction::Received;
    QString port;
    int variant = 0;  // the image's variant flag
    int channels = 0; // memory channels in use
    QString fileName; // the document sent, for uploads
    QString digest;   // SHA-256 of the image, in hex
    bool incomplete = false;
    bool first = false; // the first image received with its radio header: always kept
    QByteArray header;  // the radio header, the image's first bytes
};

// The number of entries kept when the settings store names none.
constexpr int kDefaultLimit = 100;
// The settings store's key for the limit, in its "Settings" group.
constexpr const char* kLimitKey = "HistoryLimit";

// The history's folder; empty when the data folder is unknown.
QString Folder();
// How many entries are kept: the settings store's "HistoryLimit", else 100.
int Limit();

struct Kept {
    std::optional<Entry> entry; // the new entry; none for a duplicate or a failure
    bool duplicate = false;     // the image equals the newest entry: nothing was stored
    QString error;              // why nothing could be kept; empty otherwise
};

// Keeps an image that crossed the cable. Never throws and never stops a
// transfer: a failure (a full disk, an unwritable data folder) is returned.
Kept Keep(const Byte* image, Direction direction, const QString& port,
          const QString& fileName = QString(), bool incomplete = false);

// The entries, newest first. Entries whose files are damaged or missing are
// left out.
std::vector<Entry> List();
// The entry whose id is id, or the only one whose id begins with it; error
// says why there is none.
std::optional<Entry> Find(const QString& id, QString& error);
// The entry's image file.
QString ImagePath(const Entry& entry);
// Removes an entry; the reason on failure.
std::optional<QString> Remove(const Entry& entry);

// "received" / "sent".
QString DirectionText(Direction direction);
// One line for lists: id, local time, direction, channels, file name, marks.
QString Describe(const Entry& entry);
// The message of a keep that failed, for the user.
QString NotKeptText(const QString& error);

} // namespace radiolink::history
