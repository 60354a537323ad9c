#include "document/DocumentDiff.h"

#include "document/TabGrid.h"
#include "radio/ChannelTables.h"
#include "radio/RadioModel.h"
#include "radio/StringTable.h"

#include <algorithm>
#include <iterator>

namespace document::diff {

using radio::Byte;
using radio::RadioModel;
namespace image = radio::image;
namespace tab = radio::tab;

namespace {

const QString kArrow = QStringLiteral(" \u2192 ");

// The tables that show image records, in tab order (Memory Groups apart:
// its members are compared from the image).
constexpr int kTables[] = {tab::kMemories, tab::kLimit, tab::kOneTouch,
                           tab::kHyper,    tab::kVfo,   tab::kHome};

// Image regions no table shows, compared byte by byte.
struct Region {
    int offset;
    int size;
    const char* name;
};
constexpr Region kRegions[] = {
    {image::kHeader, image::kHeaderSize, "Radio header"},
    {image::kSpareBlock, image::kBlockSize, "Spare block"},
    {image::kStateBlock, image::kBlockSize, "State block"},
    {image::kStateCopy, image::kBlockSize, "State block copy"},
    {image::kSettingsFirst, image::kSettingsFirstSize, "Settings"},
    {image::kSettingsSecond, image::kSettingsSecondSize, "Settings"},
    {image::kUnused1, image::kUnused1Size, "Unused bytes"},
    {image::kFurther, image::kFurtherCount* image::kRecordSize, "Further records"},
    {image::kUnused2, image::kUnused2Size, "Unused bytes"},
    {image::kUnused3, image::kUnused3Size, "Unused bytes"},
    {image::kUnused4, image::kUnused4Size, "Unused bytes"},
    {image::kChecksum, 1, "Checksum"},
};
// Bytes listed one by one per region; the rest are counted.
constexpr int kBytesListed = 8;

QString Shown(const QString& cell) {
    return cell.isEmpty() ? QStringLiteral("(empty)") : cell;
}

QString HeaderText(int t, int col) {
    const QString header = radio::LoadString(RadioModel::ColumnHeaderId(t, col)).simplified();
    return header.isEmpty() ? QStringLiteral("column %1").arg(col) : header;
}

// The cells that differ, row by row; textA and textB give a cell of either
// table.
template <typename TextA, typename TextB>
void CompareCells(const RadioModel& a, int t, int rows, int cols, const TextA& textA,
                  const TextB& textB, QList<Difference>& found) {
    const QString table = QLatin1String(radio::TabName(t));
    for (int row = 1; row <= rows; ++row) {
        // Memories by number: the priority channel is told on its own.
        const QString label = t == tab::kMemories ? QString::number(row) : a.RowLabel(t, row);
        for (int col = 1; col <= cols; ++col) {
            const QString before = textA(col, row);
            const QString after = textB(col, row);
            if (before != after)
                found.append({table, label, HeaderText(t, col), Shown(before), Shown(after)});
        }
    }
}

void CompareTable(RadioModel& a, RadioModel& b, int t, QList<Difference>& found) {
    const std::unique_ptr<TabTable> tableA = MakeTabTable(a, t);
    const std::unique_ptr<TabTable> tableB = MakeTabTable(b, t);
    tableA->Fill();
    tableB->Fill();
    CompareCells(
        a, t, std::min(tableA->Rows(), tableB->Rows()),
        std::min(tableA->Columns(), tableB->Columns()),
        [&](int col, int row) { return tableA->Text(col, row); },
        [&](int col, int row) { return tableB->Text(col, row); }, found);
}

QString Members(const Byte* img, int g) {
    QStringList channels;
    for (int j = 0; j < RadioModel::GroupSize(img, g); ++j) {
        const int member = RadioModel::GroupMember(img, g, j);
        channels << (member == RadioModel::kNoMember ? QStringLiteral("-")
                                                     : QString::number(member + 1));
    }
    return channels.isEmpty() ? QStringLiteral("(none)") : channels.join(QStringLiteral(", "));
}

QString Hex(Byte b) {
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

// The state block's priority field, told as the priority channel.
constexpr int kPriorityField = image::kStateBlock + radio::block::kPriority;
constexpr int kPriorityFieldSize = 2;

void CompareRegion(const Byte* a, const Byte* b, int r, QList<Difference>& found) {
    const Region& region = kRegions[r];
    for (int i = region.offset; i < region.offset + region.size; ++i) {
        if (a[i] == b[i] || (i >= kPriorityField && i < kPriorityField + kPriorityFieldSize))
            continue;
        found.append({QLatin1String(region.name), QStringLiteral("byte %1").arg(i), QString(),
                      Hex(a[i]), Hex(b[i]), r});
    }
}

} // namespace

QList<Difference> Differences(RadioModel& a, RadioModel& b) {
    QList<Difference> found;
    for (const int t : kTables)
        CompareTable(a, b, t, found);
    const Byte* imgA = a.Image();
    const Byte* imgB = b.Image();
    for (int g = 0; g < image::kGroupCount; ++g) {
        const QString before = Members(imgA, g);
        const QString after = Members(imgB, g);
        if (before != after)
            found.append({QStringLiteral("Memory Groups"), QString::number(g + 1),
                          QStringLiteral("channels"), before, after});
    }
    if (a.PriorityChannel() != b.PriorityChannel())
        found.append({QStringLiteral("Priority channel"), QString(), QString(),
                      QString::number(a.PriorityChannel()), QString::number(b.PriorityChannel())});
    for (int r = 0; r < static_cast<int>(std::size(kRegions)); ++r)
        CompareRegion(imgA, imgB, r, found);
    return found;
}

QStringList Lines(const QList<Difference>& differences) {
    QStringList lines;
    for (qsizetype i = 0; i < differences.size();) {
        const Difference& first = differences[i];
        // The run of differences told on one line: a row's cells, or a
        // region's bytes.
        qsizetype end = i + 1;
        while (end < differences.size() && differences[end].table == first.table &&
               differences[end].region == first.region &&
               (first.region >= 0 || differences[end].row == first.row))
            ++end;
        QString line = first.table;
        if (first.region >= 0) {
            QStringList bytes;
            for (qsizetype k = i; k < std::min(end, i + kBytesListed); ++k)
                bytes << differences[k].row + QStringLiteral(": ") + differences[k].before +
                             kArrow + differences[k].after;
            line += QStringLiteral(": ") + bytes.join(QStringLiteral(", "));
            if (end - i > kBytesListed)
                line += QStringLiteral(" and %1 more bytes").arg(end - i - kBytesListed);
        } else {
            QStringList changes;
            for (qsizetype k = i; k < end; ++k) {
                const Difference& d = differences[k];
                changes << (d.column.isEmpty() ? QString() : d.column + QLatin1Char(' ')) +
                               d.before + kArrow + d.after;
            }
            if (!first.row.isEmpty())
                line += QLatin1Char(' ') + first.row;
            line += QStringLiteral(": ") + changes.join(QStringLiteral("; "));
        }
        lines << line;
        i = end;
    }
    return lines;
}

QStringList Compare(RadioModel& a, RadioModel& b) {
    return Lines(Differences(a, b));
}

} // namespace document::diff
