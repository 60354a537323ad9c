// The cell rules on the tables of the tabs: the grids' events scripted in
// tests/data, a blank row seeded whatever order the
// events come in (and the store told), and the default records.
#include "radio/CellEntry.h"

#include "document/TabGrid.h"
#include "outside/CellStore.h"
#include "radio/ChannelRecord.h"
#include "radio/ChannelTables.h"
#include "radio/RadioModel.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

using namespace radio;
using namespace radio::channelcol;

namespace {

class Rules : public ::testing::Test {
protected:
    void SetUp() override {
        radio.SetImage(DefaultImage().data());
        for (int t = 0; t < tab::kCount; ++t) {
            tables[t] = std::make_unique<document::TabGrid>(radio, t);
            tables[t]->Fill();
            rules.ResetDefault(t);
        }
        rules.CaptureDefault(tab::kMemories, Channels(tab::kMemories), 1);
    }
    TabChannels& Channels(int t) { return tables[t]->Table(); }
    outside::CellStore& Grid(int t) const { return tables[t]->Cells(); }
    QStringList Cells(int t, int row, int first, int last) const {
        QStringList cells;
        for (int c = first; c <= last; ++c)
            cells << Grid(t).Text(c, row);
        return cells;
    }

    RadioModel radio;
    entry::CellRules rules{radio};
    std::unique_ptr<document::TabGrid> tables[tab::kCount];
};

// A column by its name in tests/data/cell-events.txt ("a." and "b." name the
// receiver sets of a hyper memory) or its number; 0 for none.
int ColumnNamed(const QString& name) {
    static const QStringList names = {"receive",      "transmit", "offset", "direction", "mode",
                                      "name",         "tone",     "ctcss",  "dcs",       "skip",
                                      "preferential", "step",     "clock",  "half",      "power",
                                      "icon",         "mask",     "comment"};
    const int shift = name.startsWith(QLatin1String("a."))   ? hypercol::kSetAShift
                      : name.startsWith(QLatin1String("b.")) ? hypercol::kSetBShift
                                                             : 0;
    const int col = static_cast<int>(names.indexOf(shift ? name.mid(2) : name)) + 1;
    return col > 0 ? shift + col : name.toInt();
}

// The grids' events as the editor passes them on, scripted one after the
// other on one document: what the user typed, clicked or picked, the message
// shown, and the cells afterwards.
TEST_F(Rules, CellEventsFollowTheScript) {
    int cases = 0;
    for (const auto& [line, f] : testing_support::DataLines("cell-events.txt")) {
        SCOPED_TRACE(line.toStdString());
        ASSERT_EQ(f.size(), 6);
        if (f[1] == QLatin1String("store")) { // the grids committed and shown again
            for (auto& table : tables)
                table->WriteChanged(radio.Image());
            for (auto& table : tables)
                table->Fill();
            continue;
        }
        const int t = TabByKey(f[0].section(QLatin1Char(':'), 0, 0));
        const int row = f[0].section(QLatin1Char(':'), 1).toInt();
        const int col = ColumnNamed(f[2]);
        ASSERT_TRUE(t >= 0 && col > 0);
        TabChannels& channels = Channels(t);
        outside::CellStore& grid = Grid(t);
        std::optional<QString> message;
        int active = 0;
        if (f[1] == QLatin1String("type")) {
            rules.EditStarted(t, channels, col, row);
            grid.SetText(col, row, f[3]);
            rules.Changed(t, channels, col, row);
            rules.EditEnded(t, channels, col, row);
            if (const auto refusal = rules.CheckCell(t, channels, col, row))
                message = refusal->message;
            else
                rules.CellLeft(t, channels, col, row, row);
        } else if (f[1] == QLatin1String("pick")) {
            const QStringList items = grid.CellList(col, row)->Items();
            int index = -1;
            for (int i = 0; i < items.size() && !f[3].isEmpty(); ++i)
                index = index < 0 && items[i].startsWith(f[3]) ? i : index;
            grid.SetListIndex(col, row, index);
            rules.Changed(t, channels, col, row);
        } else if (f[1] == QLatin1String("click")) {
            grid.SetChecked(col, row, !grid.IsChecked(col, row));
            rules.ButtonClicked(t, channels, col, row);
            rules.Changed(t, channels, col, row);
        } else {
            ASSERT_EQ(f[1], QLatin1String("locked"));
            message = rules.EditRefused(t, channels, col, row, &active);
        }
        EXPECT_EQ(message.value_or(QStringLiteral("-")).toStdString(), f[4].toStdString());
        // "+col" open, "-col" locked, "@col" the cell made active, "col=text".
        for (const QString& token : f[5].split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
            const QString name = token.section(QLatin1Char('='), 0, 0);
            if (token[0] == QLatin1Char('@'))
                EXPECT_EQ(active, ColumnNamed(token.mid(1))) << token.toStdString();
            else if (token[0] == QLatin1Char('+') || token[0] == QLatin1Char('-'))
                EXPECT_EQ(grid.IsLocked(ColumnNamed(token.mid(1)), row), token[0] == '-')
                    << token.toStdString();
            else // "col:row=text" for a cell of another row
                EXPECT_EQ(grid.Text(ColumnNamed(name.section(QLatin1Char(':'), 0, 0)),
                                    name.contains(QLatin1Char(':'))
                                        ? name.section(QLatin1Char(':'), 1).toInt()
                                        : row)
                              .toStdString(),
                          token.section(QLatin1Char('='), 1).toStdString());
        }
        ++cases;
    }
    EXPECT_GE(cases, 20);
}

// However the grid orders the change and the end of the edit, a blank row
// typed into is seeded from the default record, the caller hears it (to
// select the row) and the store redraws the row.
TEST_F(Rules, ABlankRowIsSeededWhateverTheOrderOfTheEvents) {
    enum Order { ChangeFirst, EditEndFirst, EditEndOnly, ChangeOnly };
    for (const Order order : {ChangeFirst, EditEndFirst, EditEndOnly, ChangeOnly}) {
        SCOPED_TRACE(order);
        TabChannels& channels = Channels(tab::kMemories);
        const int row = 10 + order;
        rules.EditStarted(tab::kMemories, channels, kReceive, row);
        Grid(tab::kMemories).SetText(kReceive, row, QStringLiteral("146.94"));
        QList<int> redrawn; // the first and last row of each change notice
        QObject listening;  // for this pass only
        QObject::connect(
            &Grid(tab::kMemories), &outside::CellStore::dataChanged, &listening,
            [&](const QModelIndex& a, const QModelIndex& b) { redrawn << a.row() << b.row(); });
        int seeded = 0;
        if (order == ChangeFirst || order == ChangeOnly)
            seeded += rules.Changed(tab::kMemories, channels, kReceive, row);
        if (order != ChangeOnly)
            seeded += rules.EditEnded(tab::kMemories, channels, kReceive, row);
        if (order == EditEndFirst)
            seeded += rules.Changed(tab::kMemories, channels, kReceive, row);
        EXPECT_EQ(seeded, 1);
        EXPECT_EQ(redrawn, (QList<int>{row - 1, row - 1}));
        EXPECT_EQ(Cells(tab::kMemories, row, kTransmit, kToneMode),
                  (QStringList{"146.34000", "600 kHz", "Minus", "FM", "", "None"}));
        EXPECT_TRUE(channels.Channel(row, 0)->open && channels.Channel(row, 0)->power == 3);
    }
}

// Reset gives FM (not AM) and the other factory defaults (a row's settings
// becoming them is in the script of cell events).
TEST_F(Rules, DefaultRecordsResetToFm) {
    rules.ResetDefault(tab::kLimit);
    const Byte* rec = radio.DefaultRecord(tab::kLimit);
    const ConstChannelRecord r(rec);
    EXPECT_EQ(r.Mode(), 0) << "FM";
    EXPECT_EQ(r.Power(), 3);
    EXPECT_EQ(r.Ctcss(), 12);
    EXPECT_EQ(rec[record::kOffset + 2], 6);
    const Byte* blk = radio.DefaultBlock();
    EXPECT_EQ(blk[block::kDualReceive], 1);
    const ConstReceiverSet a(blk, 0);
    const ConstReceiverSet b(blk, 1);
    EXPECT_EQ(a.Mode(), 0);
    EXPECT_EQ(a.IconByte(), 15);
    EXPECT_EQ(b.Mode(), 0);
}

// A commit that does not check the cells (closing the window, sending to the
// radio) never reads a text that is no frequency as 100 MHz: the row keeps
// what the image held.
TEST_F(Rules, TextsThatAreNoFrequencyNeverReachTheImage) {
    const struct {
        int tab;
        int col;
        const char* text;
    } cases[] = {
        {tab::kMemories, kReceive, "banana"},
        {tab::kMemories, kTransmit, "abc"},
        {tab::kMemories, kOffset, "-5"},
        {tab::kHyper, hypercol::kSetBShift + kOffset, "banana"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QByteArray before(reinterpret_cast<const char*>(radio.Block()),
                                radio::rdf::kFileSize);
        Grid(c.tab).SetText(c.col, 1, QString::fromLatin1(c.text));
        std::array<Byte, image::kSize> working;
        std::copy(radio.Image(), radio.Image() + image::kSize, working.begin());
        tables[c.tab]->WriteChanged(working.data());
        EXPECT_TRUE(std::equal(working.begin(), working.end(), radio.Image()));
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(radio.Block()), radio::rdf::kFileSize),
                  before);
        tables[c.tab]->Fill();
    }
}

} // namespace
