// CHIRP channel lists: the comma-separated lists the open-source radio
// programming program reads and writes (repeater directories export them
// too). One line per memory, columns told by their titles in any order;
// older lists lack some of the later columns.
//
// In: a list is known by its header (Location, Frequency and Name among the
// titles); each line goes into memory channel Location (a list counted from
// 0 is shifted by one). What the radio cannot hold is brought to the
// nearest it can and counted; a line it cannot use at all is skipped.
// Out: the full column set, one line per memory channel in use.
#pragma once

#include "radio/ChannelColumns.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace radio {
class RadioModel;
}

namespace document::chirp {

// The list's columns, in the order the export writes them.
const QStringList& ColumnNames();

// Whether the titles of a first line make a CHIRP list's header.
bool IsChirpHeader(const QStringList& titles);

// What became of one line of a list.
struct LineNote {
    int line = 0; // line number in the file, the header being line 1
    QString reason;
};

// The outcome of reading the lines of a list into the radio.
struct ImportOutcome {
    int channels = 0;      // lines written into a channel
    int changed = 0;       // of those, lines that could not be stored as they were
    int skipped = 0;       // lines that changed nothing
    bool fromZero = false; // the list counts its locations from 0
    QList<LineNote> notes; // every skipped or changed line, in file order
};

// Writes the data lines of a list (fields in ColumnNames() order, as the
// import reader hands them over) into the memory channels.
ImportOutcome ImportRows(radio::RadioModel& radio, const QList<QStringList>& rows);

// The list as CSV bytes: a header line, then one line per memory channel in
// use, in channel order. channels, when given, receives the number of
// channel lines.
QByteArray ExportBytes(radio::RadioModel& radio, int* channels = nullptr);

} // namespace document::chirp
