#include "document/DocumentDiff.h"

#include "document/TabGrid.h"
#include "radio/ChannelTables.h"
#include "radio/RadioModel.h"
#include "radio/StringTable.h"

#include <algorithm>

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

// The rows whose cells differ, a line each; textA and textB give a cell of
// either table.
template <typename TextA, typename TextB>
void CompareCells(const RadioModel& a, int t, int rows, int cols, const TextA& textA,
                  const TextB& textB, QStringList& lines) {
    for (int row = 1; row <= rows; ++row) {
        QStringList changes;
        for (int col = 1; col <= cols; ++col) {
            const QString before = textA(col, row);
            const QString after = textB(col, row);
            if (before != after)
                changes << HeaderText(t, col) + QLatin1Char(' ') + Shown(before) + kArrow +
                               Shown(after);
        }
        if (changes.isEmpty())
            continue;
        // Memories by number: the priority channel is told on its own line.
        const QString label = t == tab::kMemories ? QString::number(row) : a.RowLabel(t, row);
        lines << QStringLiteral("%1 %2: %3")
                     .arg(QLatin1String(radio::TabName(t)), label,
                          changes.join(QStringLiteral("; ")));
    }
}

void CompareTable(RadioModel& a, RadioModel& b, int t, QStringList& lines) {
    const std::unique_ptr<TabTable> tableA = MakeTabTable(a, t);
    const std::unique_ptr<TabTable> tableB = MakeTabTable(b, t);
    tableA->Fill();
    tableB->Fill();
    CompareCells(
        a, t, std::min(tableA->Rows(), tableB->Rows()),
        std::min(tableA->Columns(), tableB->Columns()),
        [&](int col, int row) { return tableA->Text(col, row); },
        [&](int col, int row) { return tableB->Text(col, row); }, lines);
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

QString Priority(const RadioModel& radio) {
    return QString::number(radio.PriorityChannel());
}

QString Hex(Byte b) {
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

// The state block's priority field, told as the priority channel.
constexpr int kPriorityField = image::kStateBlock + radio::block::kPriority;
constexpr int kPriorityFieldSize = 2;

void CompareRegion(const Byte* a, const Byte* b, const Region& region, QStringList& lines) {
    QStringList bytes;
    int differing = 0;
    for (int i = region.offset; i < region.offset + region.size; ++i) {
        if (a[i] == b[i] || (i >= kPriorityField && i < kPriorityField + kPriorityFieldSize))
            continue;
        if (++differing <= kBytesListed)
            bytes << QStringLiteral("byte %1: %2%3%4").arg(i).arg(Hex(a[i]), kArrow, Hex(b[i]));
    }
    if (differing == 0)
        return;
    QString line =
        QStringLiteral("%1: %2").arg(QLatin1String(region.name), bytes.join(QStringLiteral(", ")));
    if (differing > kBytesListed)
        line += QStringLiteral(" and %1 more bytes").arg(differing - kBytesListed);
    lines << line;
}

} // namespace

QStringList Compare(RadioModel& a, RadioModel& b) {
    QStringList lines;
    for (const int t : kTables)
        CompareTable(a, b, t, lines);
    const Byte* imgA = a.Image();
    const Byte* imgB = b.Image();
    for (int g = 0; g < image::kGroupCount; ++g) {
        const QString before = Members(imgA, g);
        const QString after = Members(imgB, g);
        if (before != after)
            lines << QStringLiteral("Memory Groups %1: channels %2%3%4")
                         .arg(g + 1)
                         .arg(before, kArrow, after);
    }
    if (a.PriorityChannel() != b.PriorityChannel())
        lines << QStringLiteral("Priority channel: %1%2%3").arg(Priority(a), kArrow, Priority(b));
    for (const Region& region : kRegions)
        CompareRegion(imgA, imgB, region, lines);
    return lines;
}

} // namespace document::diff
