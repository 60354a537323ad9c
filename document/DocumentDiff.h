// What differs between two radios' memories, in the radio's terms: each
// channel table cell by cell (row label, column header, this value, the
// other's), the memory groups' members, the priority channel, the settings
// bytes and any other bytes of the image by region.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace radio {
class RadioModel;
}

namespace document::diff {

// One difference: where it lies and the two values as the radio shows them
// ("(empty)" for an empty cell, a byte in hexadecimal).
struct Difference {
    QString table;   // the tab's name, "Memory Groups", "Priority channel" or the image region's
    QString row;     // the row's label, the group's number or "byte N"; empty for the priority
    QString column;  // the column's header, "channels" for a group; empty for a byte
    QString before;  // the first radio's value
    QString after;   // the second radio's
    int region = -1; // a byte's image region (counted in image order); -1 for the others

    bool operator==(const Difference& other) const {
        return table == other.table && row == other.row && column == other.column &&
               before == other.before && after == other.after && region == other.region;
    }
};

// Every difference, in table order then image order; empty when the two are
// the same.
QList<Difference> Differences(radio::RadioModel& a, radio::RadioModel& b);

// The differences as the command line lists them: a line per changed row
// ("Memories 1: Name (empty) -> NEWNAME; Comment ..."), a group, the
// priority channel, and a line per image region naming its first few bytes.
QStringList Lines(const QList<Difference>& differences);

// Lines(Differences(a, b)).
QStringList Compare(radio::RadioModel& a, radio::RadioModel& b);

} // namespace document::diff
