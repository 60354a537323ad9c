// Channel lists: the memory channels written to, and read from, tab- or
// comma-delimited text, one channel per line.
//
// The export writes what the Memories grid shows: a header line of the column
// titles, then every row with a receive frequency, numbered 1 to 450. The
// import reads such a file back (or one a spreadsheet program wrote) and
// writes each good line into its memory channel, as a whole record; lines it
// cannot use are skipped and counted, with the reason. A CHIRP channel list
// (document/ChirpList.h) is told by its header and read by its own rules. Exporting and importing
// into a new document reproduces every channel the export shows.
#pragma once

#include "radio/ChannelColumns.h"
#include "radio/ImageLayout.h"

#include <QChar>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

namespace outside {
class CellStore;
}

namespace radio {
class RadioModel;
}

namespace document::textio {

// The fields of a line, in file order: the channel number, then the
// channel-list columns 1 to 18 (field k is column k of the column table).
constexpr int kNumber = 0;
constexpr int kColumnCount = radio::channelcol::kCount + 1;
// "Channel Number", "Receive Frequency", ... "Comments".
const QStringList& ColumnNames();

// A tab when the file's extension is exactly "tab", otherwise a comma.
QChar SeparatorFor(const QString& path);

// The whole export text, from the Memories grid.
QString ExportText(radio::RadioModel& radio, outside::CellStore& memoriesGrid, QChar separator);

struct ExportError {
    QString text;
    QString caption;
    // The system's own text when the file could not be made at all (the
    // open failure), so that a caller may name the file beside it.
    QString reason = {};
};

// The export as UTF-8 bytes. Without a grid, a Memories grid filled from
// the radio's image is used. channels, when given, receives the number of
// channel lines.
QByteArray ExportBytes(radio::RadioModel& radio, outside::CellStore* memoriesGrid, QChar separator,
                       int* channels = nullptr);

// Writes the export to path (document::filesave::Save: the old file stays whole when
// anything fails). A target that cannot be made gives the open-failure
// text; a failed write or sync gives "Error writing file:". channels, when
// given, receives the number of channel lines written.
std::optional<ExportError> ExportFile(radio::RadioModel& radio, outside::CellStore* memoriesGrid,
                                      const QString& path, int* channels = nullptr);

// Writes the bytes of a list to path the way ExportFile does, with its
// error texts (also for the CHIRP list).
std::optional<ExportError> SaveList(const QString& path, const QByteArray& bytes);

// The row handler: writes one line's fields (in Column order) into a memory
// channel of the radio's image and its comment. Returns the channel index
// written, or -1 when the line was skipped and nothing changed.
// why, when given, receives the reason a line was skipped.
int ImportRow(radio::RadioModel& radio, const QStringList& fields, int lineIndex,
              QString* why = nullptr);

struct ImportSummary {
    bool ok = false;
    QString message;       // why the file could not be read
    int lines = 0;         // data lines read
    int channels = 0;      // lines written into a channel
    int skipped = 0;       // lines that changed nothing
    int changed = 0;       // lines written, but not as they stood (CHIRP lists)
    bool chirp = false;    // the file was a CHIRP channel list
    bool fromZero = false; // a CHIRP list counting its locations from 0
    // Skipped and changed lines: the line number and why, in file order.
    QList<QPair<int, QString>> notes;
    // Set when the file was read but gave no channel at all (nothing has
    // changed then): says so, for the user.
    QString nothingImported;
};

// Reads a channel list into the radio's memory channels. ok is false only
// when the file could not be read; nothing has changed then.
ImportSummary ImportFile(radio::RadioModel& radio, const QString& path);

// What an import did, in one line for the status bar: channels imported,
// lines skipped and changed, and the first few reasons with their lines.
QString SummaryLine(const ImportSummary& summary, int reasons = 3);
// The same over several lines for the command line: the counts, then every
// kept reason on a line of its own.
QString SummaryText(const ImportSummary& summary);
// What SummaryText says beyond the count of imported lines (the command
// line prints that count on its own): the kind of list, the skipped and
// changed lines and why; empty when there is nothing to say.
QString SummaryDetails(const ImportSummary& summary);

} // namespace document::textio
