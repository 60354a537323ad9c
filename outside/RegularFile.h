// Reading a file that may be anything: only a regular file (a link to one
// counts) is read. A pipe, a socket or a device is refused at once rather
// than waited on, since opening or reading one may block for ever.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace outside {

// Why a path that is not a regular file is not read.
QString NotRegularReason();

// Reads up to limit bytes of the regular file at path into out. Returns the
// reason (the system's text, or NotRegularReason) when it cannot.
std::optional<QString> ReadRegularFile(const QString& path, qint64 limit, QByteArray& out);

// Lets the name "-" stand for standard input in ReadRegularFile (the
// command line turns this on; the desktop program reads files only).
// Standard input is read once, up to 64 MiB and a byte; every read of "-"
// sees the same bytes, up to its own limit.
void AcceptStandardInput(bool accept);
inline constexpr char kStandardInput[] = "-";

} // namespace outside
