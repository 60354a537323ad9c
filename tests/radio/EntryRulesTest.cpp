// The typing rules on channel drafts, from the list in tests/data, and the
// cells of a draft against the grid cells they stand for.
#include "radio/EntryRules.h"

#include "outside/CellStore.h"
#include "radio/CellEntry.h"
#include "radio/ChannelRecord.h"
#include "radio/ChannelTables.h"
#include "radio/ChoiceLists.h"
#include "radio/FrequencyCodec.h"
#include "radio/RadioModel.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTextStream>

#include <limits>

using namespace radio;
using namespace radio::channelcol;

namespace {

// The columns a channel line of the list names, in its order.
constexpr int kLineColumns[] = {kReceive, kTransmit, kOffset, kDirection,
                                kMode,    kPower,    kSkip,   kPreferential};

ChannelDraft DraftOf(const QString& line) {
    const QStringList fields = line.split(QLatin1Char('|'));
    ChannelDraft d;
    for (size_t i = 0; i < std::size(kLineColumns); ++i)
        SetCellText(d, *ChannelColumn(kLineColumns[i]), fields.value(static_cast<int>(i)));
    d.open = fields.value(static_cast<int>(std::size(kLineColumns))) == QLatin1String("open");
    return d;
}

QString LineOf(const ChannelDraft& d) {
    QStringList fields;
    for (const int col : kLineColumns)
        fields << CellText(d, *ChannelColumn(col));
    fields << QString::fromLatin1(d.open ? "open" : "locked");
    return fields.join(QLatin1Char('|'));
}

class EntryRules : public ::testing::Test {
protected:
    void SetUp() override {
        radio.SetImage(DefaultImage().data());
        entry::CellRules rules(radio);
        for (int t = 0; t < tab::kCount; ++t) {
            rules.ResetDefault(t);
            ChannelRecord(radio.DefaultRecord(t)).SetMode(1); // AM
        }
        EncodeFrequency3(radio.DefaultRecord(tab::kLimit) + record::kOffset, 1600000);
    }
    RadioModel radio;
};

TEST_F(EntryRules, TypedTextsFollowTheRules) {
    const QStringList fieldNames = {"receive",   "transmit", "offset",
                                    "direction", "skip",     "preferential"};
    const int fieldColumns[] = {kReceive, kTransmit, kOffset, kDirection, kSkip, kPreferential};
    int cases = 0;
    for (const auto& [line, f] : testing_support::DataLines("entry-rules.txt")) {
        SCOPED_TRACE(line.toStdString());
        ASSERT_EQ(f.size(), 6);
        const QStringList where = f[0].split(QLatin1Char(':'));
        const bool hyper = where[0] == QLatin1String("hyper");
        const int t = TabByKey(where[0]);
        ASSERT_GE(t, 0);
        const int field = static_cast<int>(fieldNames.indexOf(f[2]));
        ASSERT_GE(field, 0);
        const entry::Context at{radio, t, where.value(1).toInt(), hyper ? 1 : 0};
        const ChannelDraft before = DraftOf(f[1]);
        ChannelDraft d = before;
        const ColumnDef& def = *ChannelColumn(fieldColumns[field]);
        SetCellText(d, def, f[3]);
        const entry::Field typed = entry::FieldOfColumn(def.column);
        if (def.value == CellValue::Check)
            entry::ExcludeSkipPreferential(typed, d);
        else
            entry::AfterEdit(at, typed, &before, d, radio.DefaultRecord(t));
        EXPECT_EQ(LineOf(d).toStdString(), f[4].toStdString());
        const std::optional<entry::Refusal> refusal = entry::CheckField(at, typed, d);
        EXPECT_EQ((refusal ? refusal->message : QStringLiteral("-")).toStdString(),
                  f[5].toStdString());
        ++cases;
    }
    EXPECT_GE(cases, 20);
}

// A fresh row takes every list of the default record, keeps its name and
// loses its comment.
TEST_F(EntryRules, SeedingTakesTheDefaultRecordsLists) {
    ChannelRecord r(radio.DefaultRecord(tab::kMemories));
    r.SetToneMode(tonemode::kDcs);
    r.SetDcs(3);
    r.SetStep(5);
    ChannelDraft d;
    d.name = QStringLiteral("keep");
    d.comment = QStringLiteral("old");
    entry::Seed(radio, radio.DefaultRecord(tab::kMemories), 146940000, d);
    QStringList cells;
    for (const ColumnDef& def : kChannelColumns)
        cells << CellText(d, def);
    EXPECT_EQ(cells, (QStringList{"", "146.34000", "600 kHz", "Minus", "AM", "keep", "DCS", "100.0",
                                  "031", "", "", "25 kHz", "", "", "High", "15", "", ""}));
    EXPECT_TRUE(d.open);
}

// Every column of a draft takes a typed text, or a list item, as a grid cell
// of that column does, and shows the same text.
TEST_F(EntryRules, DraftCellsReadAndShowAsGridCells) {
    // A plain text grid laid out as a Memories row.
    outside::CellStore grid;
    grid.SetSize(channelcol::kCount, 1);
    for (int col = 1; col <= channelcol::kCount; ++col)
        grid.SetFormat(outside::GridBlock::Cell(col, 1), ColumnFormat(tab::kMemories, col));
    const QStringList texts = {
        "",       "146.52", " 50 kHz", "600 KHZ",  "1.60 MHz",
        "banana", "minus",  "Split",   "am",       "wfm",
        "High",   "100.0",  "023",     "12.5 kHz", "1",
        "0",      "yes",    "X",       "off",      "a name that is longer than the field holds"};
    for (const ColumnDef& def : kChannelColumns) {
        for (const QString& text : texts) {
            SCOPED_TRACE(
                QStringLiteral("column %1, text '%2'").arg(def.column).arg(text).toStdString());
            ChannelDraft d;
            SetCellText(d, def, text);
            grid.SetText(def.column, 1, text);
            EXPECT_EQ(CellText(d, def), grid.Text(def.column, 1));
            EXPECT_EQ(CellIndex(d, def), grid.ListIndex(def.column, 1));
            // What a cell shows reads back as the same cell.
            ChannelDraft again;
            SetCellText(again, def, CellText(d, def));
            EXPECT_TRUE(again == d);
        }
        const outside::CellStore::List items = ChoiceItems(def.list);
        for (int index = -1; items && index <= items->Count(); ++index) {
            ChannelDraft d;
            SetCellIndex(d, def, index);
            grid.SetListIndex(def.column, 1, index);
            EXPECT_EQ(CellText(d, def), grid.Text(def.column, 1)) << def.column << " " << index;
            EXPECT_EQ(CellIndex(d, def), grid.ListIndex(def.column, 1));
        }
    }
}

// A stored value fills its cell as if its text had been typed: the same
// entry, down to the 10 Hz (10 kHz, 1 kHz) the text drops and the list item.
TEST_F(EntryRules, StoredValuesFillAsTheirTexts) {
    const ColumnDef& offset = *ChannelColumn(kOffset);
    for (const Hz hz : {Hz{-1}, Hz{0}, Hz{5}, Hz{10}, Hz{999}, Hz{1000}, Hz{60000}, Hz{600000},
                        Hz{999999}, Hz{1000000}, Hz{1600000}, Hz{1655555}, Hz{5000000},
                        Hz{146520005}, Hz{999999999}, std::numeric_limits<Hz>::max()}) {
        SCOPED_TRACE(hz);
        EXPECT_TRUE(StoredFrequency(hz) == ParseFrequency(FrequencyText(hz)));
        ChannelDraft typed;
        SetCellText(typed, offset, OffsetText(hz));
        EXPECT_TRUE(StoredOffset(hz) == typed.offset);
    }
}

} // namespace
