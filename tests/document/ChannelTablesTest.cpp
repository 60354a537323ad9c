// The seven channel tables on the screen-free grid, through their typed
// tables: layout, fill, write-back, new rows, export lines and memory group
// upkeep.
#include "radio/ChannelTables.h"
#include "document/TabGrid.h"
#include "outside/CellStore.h"
#include "radio/CellEntry.h"
#include "radio/ChannelRecord.h"
#include "radio/FrequencyCodec.h"
#include "radio/RadioModel.h"
#include "radio/StringTable.h"
#include "radio/ValueTables.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <tuple>

#include <QByteArray>

#include <array>
#include <cstring>
#include <memory>
#include <vector>

using namespace radio;
namespace cc = radio::channelcol;

namespace {

using Image = std::array<Byte, image::kSize>;

QByteArray Bytes(const Byte* p, int n) {
    return QByteArray(reinterpret_cast<const char*>(p), n);
}
QByteArray FromHex(const char* hex) {
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

// The factory image with the changes of rich-image.txt: a row of every kind
// a radio or a file may hand over.
Image RichImage() {
    Image img = DefaultImage();
    for (const auto& [line, fields] : testing_support::DataLines("rich-image.txt")) {
        const int offset = line.section(u':', 0, 0).toInt();
        const QByteArray bytes = QByteArray::fromHex(line.section(u':', 1).toLatin1());
        EXPECT_LE(offset + bytes.size(), image::kSize) << line.toStdString();
        std::memcpy(img.data() + offset, bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    return img;
}

// All seven grids, laid out and filled from the radio's image.
struct Grids {
    explicit Grids(RadioModel& radio) {
        for (int t = 0; t < tab::kCount; ++t) {
            tables[static_cast<size_t>(t)] = std::make_unique<document::TabGrid>(radio, t);
            tables[static_cast<size_t>(t)]->Fill();
        }
    }
    outside::CellStore& operator[](int t) { return Table(t).Cells(); }
    document::TabGrid& Table(int t) { return *tables[static_cast<size_t>(t)]; }
    std::array<std::unique_ptr<document::TabGrid>, tab::kCount> tables;
};

// Writes every grid back into a copy of the image; returns it.
Image Commit(RadioModel& radio, Grids& grids, bool* commentsChanged = nullptr) {
    Image copy;
    std::memcpy(copy.data(), radio.Image(), copy.size());
    bool comments = false;
    for (int t = 0; t < tab::kCount; ++t)
        comments = grids.Table(t).WriteChanged(copy.data()) || comments;
    if (commentsChanged)
        *commentsChanged = comments;
    return copy;
}

QByteArray Record(const Image& img, int offset) {
    return Bytes(img.data() + offset, image::kRecordSize);
}

class Tables : public ::testing::Test {
protected:
    void Load(const Image& img) {
        radio.SetImage(img.data());
        radio.SetComment(tab::kMemories, 1, QStringLiteral("north"));
        radio.SetComment(tab::kVfo, 7, QStringLiteral("vfo comment"));
        // A slot filled to its end without a terminating zero.
        std::memset(radio.CommentSlot(tab::kMemories, 2), 'x', 32);
    }
    RadioModel radio;
};

// ---------------------------------------------------------------------------

TEST_F(Tables, UneditedGridsLeaveEveryImageAndCommentAlone) {
    for (const Image& img : {DefaultImage(), RichImage()}) {
        Load(img);
        const QByteArray block = Bytes(radio.Block(), radio::rdf::kFileSize);
        Grids grids(radio);
        bool comments = true;
        const Image copy = Commit(radio, grids, &comments);
        EXPECT_EQ(Bytes(copy.data(), image::kSize), Bytes(img.data(), image::kSize));
        EXPECT_FALSE(comments);
        EXPECT_EQ(Bytes(radio.Block(), radio::rdf::kFileSize), block);
    }
}

TEST_F(Tables, EditedRowsAreRewrittenWholeOthersKeepTheirBytes) {
    Load(DefaultImage());
    Grids grids(radio);
    // Written as a grid row, the factory "70cm" row's radio-chosen raster
    // bits would change, and so would the "Air" row's: they stay as long as
    // their cells do.
    grids[tab::kVfo].SetListIndex(cc::kPower, 6, 0); // edit "2m" only
    const Image copy = Commit(radio, grids);
    Image img = DefaultImage();
    EXPECT_EQ(Record(copy, image::kVfo + 7 * 22), Record(img, image::kVfo + 7 * 22));
    EXPECT_EQ(Record(copy, image::kVfo + 8 * 22), Record(img, image::kVfo + 8 * 22));
    EXPECT_EQ(Record(copy, image::kVfo + 5 * 22),
              FromHex("00 00 14 40 00 00 0A 0A 0A 0A 0A 0A 0A 0A 00 00 06 00 0C 00 00 00"));

    // Once edited, "70cm" is written from its cells: 430 MHz is on the 5 kHz
    // raster, so both raster fields become 0.
    grids[tab::kVfo].SetListIndex(cc::kPower, 8, 0);
    const Image again = Commit(radio, grids);
    EXPECT_EQ(Record(again, image::kVfo + 7 * 22),
              FromHex("00 05 43 00 00 00 0A 0A 0A 0A 0A 0A 0A 0A 00 00 50 00 0C 00 00 00"));
}

TEST_F(Tables, CellsShowTheRecords) {
    Load(RichImage());
    Grids grids(radio);
    for (const auto& [line, f] : testing_support::DataLines("rich-image-cells.txt")) {
        SCOPED_TRACE(line.toStdString());
        ASSERT_EQ(f.size(), 4);
        const int t = TabByKey(f[0]);
        ASSERT_GE(t, 0);
        const outside::CellStore& g = grids[t];
        const int row = f[2].toInt();
        QStringList cells;
        if (f[1] == QLatin1String("row")) {
            for (int c = 0; c <= g.MaxCols(); ++c)
                cells << g.Text(c, row);
        } else {
            cells << g.Text(f[1].toInt(), row);
        }
        EXPECT_EQ(cells.join(u'|').toStdString(), f[3].toStdString());
    }
    // Unused rows are locked from column 2 on.
    const outside::CellStore& g = grids[tab::kMemories];
    EXPECT_FALSE(g.IsLocked(cc::kReceive, 12));
    for (int col = cc::kTransmit; col <= cc::kComment; ++col) {
        EXPECT_TRUE(g.IsLocked(col, 12)) << col;
        EXPECT_FALSE(g.IsLocked(col, 2)) << col;
    }
}

// The layout is the radio's: what is checked here is what the grids add to
// it, the receiver sets' headers, lists and locks.
TEST_F(Tables, HeadersListsAndLocks) {
    EXPECT_EQ(radio.RowCount(7), 0);
    struct Header {
        int tab;
        int col;
        const char* text;
    } headers[] = {
        {0, 1, "Receive\nFrequency"},
        {0, 19, ""},
        {3, 3, "Operation\nBand"},
        {3, 4, "A: Receive\nFrequency"},
        {3, 21, "B: Receive\nFrequency"},
        {3, 38, "Spectrum Center Frequency"},
        {4, 3, "Group 3"},
    };
    for (const auto& h : headers) {
        document::TabGrid table(radio, h.tab);
        EXPECT_EQ(table.Cells().Text(h.col, 0), h.text) << h.tab << " " << h.col;
        if (h.tab != tab::kGroups) {
            const QString text = QString::fromUtf8(h.text);
            const bool inSet = h.tab == tab::kHyper && h.col > hypercol::kSetAShift &&
                               h.col <= hypercol::kLastFilled;
            EXPECT_EQ(LoadString(radio.ColumnHeaderId(h.tab, h.col)), inSet ? text.mid(3) : text)
                << h.tab << " " << h.col;
        }
    }

    document::TabGrid memories(radio, tab::kMemories);
    const outside::CellStore& grid = memories.Cells();
    using Kind = outside::CellStore::CellKind;
    EXPECT_EQ(grid.Kind(cc::kReceive, 450), Kind::Number);
    EXPECT_TRUE(grid.CellList(cc::kOffset, 1)->Editable());
    EXPECT_FALSE(grid.CellList(cc::kDirection, 1)->Editable());
    EXPECT_EQ(grid.CellList(cc::kCtcss, 1)->Items().at(49), "254.1");
    EXPECT_EQ(grid.CellList(cc::kDcs, 1)->Items().at(16), "114");
    EXPECT_EQ(grid.CellList(cc::kStep, 1)->Items().at(8), "9 kHz");
    // Old spellings of two items are still taken (a paste of an old list),
    // and shown as the items are spelt now.
    for (const auto& [column, old, item] :
         {std::tuple{cc::kToneMode, "DSC(TX)", "DCS(TX)"}, {cc::kStep, "100kHz", "100 kHz"}}) {
        const outside::ChoiceList& list = *grid.CellList(column, 1);
        ASSERT_GE(list.IndexOf(QString::fromLatin1(old)), 0) << old;
        EXPECT_EQ(list.Items().at(list.IndexOf(QString::fromLatin1(old))), item);
        EXPECT_FALSE(list.Items().contains(QString::fromLatin1(old)));
    }
    EXPECT_EQ(grid.MaxLength(cc::kName, 1), 8);
    EXPECT_EQ(grid.MaxLength(cc::kComment, 1), 30);
    EXPECT_EQ(grid.Kind(cc::kMask, 1), Kind::CheckBox);
    // Lists are shared between grids, not copied.
    document::TabGrid other(radio, tab::kMemories);
    EXPECT_EQ(other.Cells().CellList(cc::kDcs, 1).get(), grid.CellList(cc::kDcs, 450).get());

    // VFO's: name, skip, preferential and mask stay locked; Home: no name lock.
    Grids grids(radio);
    for (int col = cc::kReceive; col <= cc::kComment; ++col) {
        const bool vfoLocked =
            col == cc::kName || col == cc::kSkip || col == cc::kPreferential || col == cc::kMask;
        EXPECT_EQ(grids[tab::kVfo].IsLocked(col, 8), vfoLocked) << col;
        EXPECT_EQ(grids[tab::kHome].IsLocked(col, 8), vfoLocked && col != cc::kName) << col;
    }
}

TEST_F(Tables, ValuesThatDoNotApplyToTheRowAreMuted) {
    Load(RichImage());
    Grids grids(radio);
    using namespace tonemode;
    // A row's tone mode and direction, and whether its offset, CTCSS tone and
    // DCS code apply.
    const struct {
        int toneMode;
        int direction;
        bool offset, ctcss, dcs;
    } cases[] = {
        {kNone, direction::kSimplex, false, false, false},
        {kEncode, direction::kMinus, true, true, false},
        {kDecode, direction::kPlus, true, true, false},
        {kDcs, direction::kSimplex, false, false, true},
        {kDcsTransmit, direction::kMinus, true, false, true},
        {kEncodeDcs, direction::kPlus, true, true, true},
        {kDcsDecode, direction::kSplit, true, true, true},
    };
    // Where the columns are: two channel-list tabs, and the two receiver sets
    // of a hyper memory.
    const int b = hypercol::kSetColumns;
    const struct {
        int tab;
        int toneMode, direction, offset, ctcss, dcs, receive;
    } columns[] = {
        {tab::kMemories, cc::kToneMode, cc::kDirection, cc::kOffset, cc::kCtcss, cc::kDcs,
         cc::kReceive},
        {tab::kVfo, cc::kToneMode, cc::kDirection, cc::kOffset, cc::kCtcss, cc::kDcs, cc::kReceive},
        {tab::kHyper, 10, 7, 6, 11, 12, 4},
        {tab::kHyper, 10 + b, 7 + b, 6 + b, 11 + b, 12 + b, 4 + b},
    };
    for (const auto& at : columns) {
        outside::CellStore& grid = grids[at.tab];
        const int row = 1;
        ASSERT_FALSE(grid.Text(at.receive, row).isEmpty()) << at.tab;
        grid.SetText(at.offset, row, QStringLiteral("600 kHz"));
        grid.SetListIndex(at.ctcss, row, 8);
        grid.SetListIndex(at.dcs, row, 3);
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message()
                         << "tab " << at.tab << " column " << at.toneMode << " tone mode "
                         << c.toneMode << " direction " << c.direction);
            grid.SetListIndex(at.toneMode, row, c.toneMode);
            grid.SetListIndex(at.direction, row, c.direction);
            const auto muted = [&](int col) {
                return grid.data(grid.index(row - 1, col - 1), outside::CellStore::MutedRole)
                    .toBool();
            };
            EXPECT_EQ(muted(at.offset), !c.offset);
            EXPECT_EQ(muted(at.ctcss), !c.ctcss);
            EXPECT_EQ(muted(at.dcs), !c.dcs);
            for (int col : {at.receive, at.toneMode, at.direction})
                EXPECT_FALSE(muted(col)) << col;
        }
        // The values stay: muting is only how they are drawn.
        EXPECT_EQ(grid.ListIndex(at.ctcss, row), 8);
        EXPECT_EQ(grid.ListIndex(at.dcs, row), 3);
    }

    // An empty cell, the hyper block's own columns and Memory Groups never
    // are muted.
    outside::CellStore& memories = grids[tab::kMemories];
    int unused = 1;
    while (!memories.Text(cc::kReceive, unused).isEmpty())
        ++unused;
    ASSERT_TRUE(memories.Text(cc::kCtcss, unused).isEmpty());
    EXPECT_FALSE(memories.IsMuted(cc::kCtcss, unused));
    EXPECT_FALSE(grids[tab::kHyper].IsMuted(hypercol::kOperationBand, 1));
    EXPECT_FALSE(grids[tab::kGroups].IsMuted(1, 1));

    // A change to the tone mode tells a view that the whole row may look
    // different.
    QList<std::pair<int, int>> changed;
    QObject::connect(&memories, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& from, const QModelIndex& to) {
                         changed << std::pair{from.column() + 1, to.column() + 1};
                     });
    memories.SetListIndex(cc::kToneMode, 1, kEncode);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_LE(changed[0].first, cc::kCtcss);
    EXPECT_GE(changed[0].second, cc::kDcs);
}

TEST_F(Tables, RowLabels) {
    Load(RichImage());
    Grids grids(radio);
    // Limit labels read L1, U1, ... U20 on every fill, whatever was filled
    // in between.
    for (int pass = 0; pass < 3; ++pass) {
        grids.Table(tab::kMemories).Fill();
        grids.Table(tab::kLimit).Fill();
        for (int pair = 1; pair <= 20; ++pair) {
            EXPECT_EQ(grids[tab::kLimit].Text(0, 2 * pair - 1), QStringLiteral("L%1").arg(pair));
            EXPECT_EQ(grids[tab::kLimit].Text(0, 2 * pair), QStringLiteral("U%1").arg(pair));
        }
    }
}

TEST(FrequencyTextTest, WriteAndOffsetTexts) {
    EXPECT_EQ(FrequencyText(145500000), "145.50000");
    EXPECT_EQ(FrequencyText(-5), "");
    EXPECT_EQ(OffsetText(1600000), "1.60 MHz");
    EXPECT_EQ(OffsetText(600000), "600 kHz");
    EXPECT_EQ(OffsetText(60000), "060 kHz");
    EXPECT_EQ(OffsetText(0), "000 kHz");
}

TEST_F(Tables, WriteBackDecisions) {
    Load(RichImage());
    Image img = RichImage();
    Grids grids(radio);
    outside::CellStore& m = grids[tab::kMemories];
    outside::CellStore& home = grids[tab::kHome];

    // A simplex home row with offset "000 kHz" keeps offset 0 when edited.
    home.SetListIndex(cc::kPower, 1, 1);
    // The 9 kHz step survives an edit of its row.
    m.SetText(cc::kName, 6, "BC");
    // A split row whose transmit frequency does not fit keeps its record
    // and flags; so does an offset that does not fit.
    m.SetText(cc::kTransmit, 4, "2000");
    m.SetText(cc::kOffset, 2, "1000.00 MHz");
    // An invalid receive frequency clears the used bit only.
    m.SetText(cc::kReceive, 3, "146.521");
    // A row with values outside every list writes each list's first value.
    m.SetText(cc::kName, 11, "X");
    // Blanks pasted into the receive cell of an unused row store no channel.
    ASSERT_FALSE(radio.IsUsed(img.data(), tab::kMemories, 299));
    m.PasteText(cc::kReceive, 300, QStringLiteral("   "));

    const Image copy = Commit(radio, grids);
    EXPECT_FALSE(radio.IsUsed(copy.data(), tab::kMemories, 299));
    EXPECT_EQ(Record(copy, image::kMemories + 299 * 22), Record(img, image::kMemories + 299 * 22));
    EXPECT_EQ(Record(copy, image::kHome),
              FromHex("00 41 00 05 40 01 0A 0A 0A 0A 0A 0A 0A 0A 00 00 00 00 0C 00 00 00"));
    EXPECT_EQ(Record(copy, image::kMemories + 5 * 22),
              FromHex("0A 08 00 05 67 01 0C 0D 0A 0A 0A 0A 0A 0A 00 00 00 00 00 00 00 00"));
    EXPECT_EQ(Record(copy, image::kMemories + 3 * 22), Record(img, image::kMemories + 3 * 22));
    EXPECT_EQ(Record(copy, image::kMemories + 1 * 22), Record(img, image::kMemories + 1 * 22));
    EXPECT_EQ(copy[image::kMemoryFlags + 1] >> 4, img[image::kMemoryFlags + 1] >> 4); // channel 4
    EXPECT_EQ(Record(copy, image::kMemories + 2 * 22), Record(img, image::kMemories + 2 * 22));
    EXPECT_FALSE(radio.IsUsed(copy.data(), tab::kMemories, 2));
    EXPECT_TRUE(radio.IsUsed(copy.data(), tab::kMemories, 3));
    // Row 11: mode FM, no tone, 67.0 Hz, DCS 023, step 5 kHz, icon 1.
    EXPECT_EQ(Record(copy, image::kMemories + 10 * 22),
              FromHex("00 20 14 70 00 00 22 0A 0A 0A 0A 0A 0A 0A 00 00 06 00 00 00 00 00"));
}

TEST_F(Tables, BandRowsAcceptOnlyTheirBand) {
    Load(DefaultImage());
    Grids grids(radio);
    outside::CellStore& vfo = grids[tab::kVfo];
    vfo.SetText(cc::kReceive, 8, "445.000");
    Image copy = Commit(radio, grids);
    EXPECT_EQ(Bytes(copy.data() + image::kVfo + 7 * 22 + 2, 3), FromHex("44 50 00"));
    vfo.SetText(cc::kReceive, 8, "146.520");
    copy = Commit(radio, grids);
    EXPECT_EQ(Record(copy, image::kVfo + 7 * 22), Record(DefaultImage(), image::kVfo + 7 * 22));
}

TEST_F(Tables, GridToImageToGridKeepsEveryWellFormedRow) {
    Load(RichImage());
    Grids grids(radio);
    outside::CellStore& m = grids[tab::kMemories];
    outside::CellStore& h = grids[tab::kHyper];
    const QString before = m.CopyBlock({1, 1, 18, 450});
    const QString hyperBefore = h.CopyBlock({1, 1, 40, 1});
    // Every row written as the write-back writes an edited row.
    m.DropBaseline();
    h.DropBaseline();
    const Image copy = Commit(radio, grids);
    radio.SetImage(copy.data());
    Grids again(radio);
    const QStringList a = before.split(u'\n');
    const QStringList b = again[tab::kMemories].CopyBlock({1, 1, 18, 450}).split(u'\n');
    for (int r = 1; r <= 450; ++r) {
        if (r == 7 || r == 8 || r == 11)
            continue; // filler and values outside the lists are not kept
        EXPECT_EQ(a[r - 1], b[r - 1]) << r;
    }
    EXPECT_EQ(again[tab::kHyper].CopyBlock({1, 1, 40, 1}), hyperBefore);
}

TEST_F(Tables, AnEnteredChannelIsStoredBitForBit) {
    Load(DefaultImage());
    Grids grids(radio);
    outside::CellStore& m = grids[tab::kMemories];
    m.SetText(cc::kReceive, 2, "145.00625");
    entry::CellRules(radio).Changed(tab::kMemories, grids.Table(tab::kMemories).Table(),
                                    cc::kReceive, 2);
    m.SetText(cc::kName, 2, "abc");
    m.SetListIndex(cc::kToneMode, 2, 1);
    m.SetListIndex(cc::kCtcss, 2, 8);
    m.SetListIndex(cc::kStep, 2, 5);
    m.SetChecked(cc::kClockShift, 2, true);
    m.SetChecked(cc::kMask, 2, true);
    m.SetChecked(cc::kPreferential, 2, true);
    m.SetText(cc::kComment, 2, "a comment that is longer than thirty characters");
    bool comments = false;
    const Image copy = Commit(radio, grids, &comments);
    // Off step (6.25 kHz is no 25 kHz step), receive and transmit on the
    // 6.25 kHz raster, clock shift; step 5, simplex, power Low 1, mode FM.
    EXPECT_EQ(Record(copy, image::kMemories + 22),
              FromHex("55 05 14 50 06 00 25 26 27 0A 0A 0A 0A 0A 00 00 06 00 08 00 01 00"));
    EXPECT_TRUE(radio.IsUsed(copy.data(), tab::kMemories, 1));
    EXPECT_TRUE(radio.IsMasked(copy.data(), tab::kMemories, 1));
    EXPECT_TRUE(radio.IsPreferential(copy.data(), tab::kMemories, 1));
    EXPECT_FALSE(radio.IsSkip(copy.data(), tab::kMemories, 1));
    EXPECT_TRUE(comments);
    EXPECT_EQ(radio.Comment(tab::kMemories, 1), "a comment that is longer than ");
    // A comment the slot holds differently (no Latin-1 letter for it) is no
    // change at the next commit.
    m.SetText(cc::kComment, 2, QString::fromUtf8("\u0142"));
    Commit(radio, grids, &comments);
    EXPECT_TRUE(comments);
    Commit(radio, grids, &comments);
    EXPECT_FALSE(comments);
}

TEST_F(Tables, HyperStatusAndFields) {
    Load(RichImage());
    Grids grids(radio);
    outside::CellStore& h = grids[tab::kHyper];
    h.SetChecked(hypercol::kStatus, 1, false);
    h.SetChecked(hypercol::kStatus, 3, true);
    h.SetChecked(hypercol::kDualReceive, 3, false);
    h.SetListIndex(hypercol::kOperationBand, 3, 1);
    h.SetText(4, 3, "430.0125");
    h.SetListIndex(19, 3, 4); // icon 5
    h.SetChecked(20, 3, false);
    const Image img = RichImage();
    const Image copy = Commit(radio, grids);
    const Byte* one = copy.data() + image::kHyper;
    EXPECT_EQ(one[114], 0xFF);
    EXPECT_EQ(one[115], 0xFF);
    EXPECT_EQ(Bytes(one + 16, 4), FromHex("14 50 06 28")); // fields kept as entered
    EXPECT_EQ(one[block::kExtra], 0);                      // written as 0
    EXPECT_EQ(one[block::kFlags], 0x05);                   // rasters untouched
    const Byte* three = copy.data() + image::kHyper + 2 * 128;
    EXPECT_EQ(three[114], 3);
    EXPECT_EQ(three[115], 0);
    for (int offset : {2, 3, 56, 57})
        EXPECT_EQ(three[offset], 1) << offset;
    EXPECT_EQ(three[0], 0);
    EXPECT_EQ(three[1], 1);
    EXPECT_EQ(Bytes(three + 16, 4), FromHex("43 00 12 50"));
    EXPECT_EQ(three[33], 5);
    EXPECT_EQ(three[34] & 0x02, 0x02);
    // The untouched filler row stays filler.
    EXPECT_EQ(Bytes(copy.data() + image::kHyper + 128, 128),
              Bytes(img.data() + image::kHyper + 128, 128));
}

TEST_F(Tables, MemoryGroupsFill) {
    Load(RichImage());
    Grids grids(radio);
    outside::CellStore& g = grids[tab::kGroups];
    // Items: an empty first entry, then the channels in use, kHz as stored.
    const auto list = g.CellList(1, 1);
    EXPECT_EQ(list->Items().at(0), "");
    EXPECT_EQ(list->Items().at(1), "001 - 144.00000 MHz");
    EXPECT_EQ(list->Items().at(5), "005 - 145.00600 MHz");
    EXPECT_EQ(list->Items().at(7), "007"); // in use, no frequency
    EXPECT_EQ(list->Items().back(), "450 - 999.00000 MHz");
    EXPECT_EQ(g.CellList(9, 48).get(), list.get());
    // What the cells show is in rich-image-cells.txt.
}

TEST_F(Tables, MemoryGroupsWriteBack) {
    Load(RichImage());
    Grids grids(radio);
    outside::CellStore& g = grids[tab::kGroups];
    // Group 1 emptied, group 2 gets channels 2 and 5 in rows 1 and 3 (the gap
    // closes), group 3 left alone, group 5 emptied.
    for (int r = 1; r <= 48; ++r) {
        g.SetListIndex(1, r, -1);
        g.SetListIndex(5, r, -1);
    }
    g.SetText(2, 1, "002 - 146.94000 MHz");
    g.SetText(2, 3, "005 - 145.00600 MHz");
    const Image img = RichImage();
    const Image copy = Commit(radio, grids);
    auto pair = [&](int offset) { return Bytes(copy.data() + offset, 2); };
    EXPECT_EQ(pair(image::kGroupCounts), FromHex("FF FF"));
    EXPECT_EQ(pair(image::kGroupMembers), FromHex("FF FF"));
    EXPECT_EQ(pair(image::kGroupCounts + 2), FromHex("00 01"));
    EXPECT_EQ(Bytes(copy.data() + image::kGroupMembers + 96, 6), FromHex("00 01 00 04 FF FF"));
    // Untouched groups keep their bytes, a count past 48 included.
    EXPECT_EQ(pair(image::kGroupCounts + 4), FromHex("00 FF"));
    EXPECT_EQ(Bytes(copy.data() + image::kGroupMembers + 2 * 96, 96),
              Bytes(img.data() + image::kGroupMembers + 2 * 96, 96));
    EXPECT_EQ(pair(image::kGroupCounts + 6), FromHex("00 00"));
    // The current sets' group: the first group with members is group 2.
    for (int state : {image::kStateBlock, image::kStateCopy}) {
        EXPECT_EQ(pair(state + 40), FromHex("00 01"));
        EXPECT_EQ(pair(state + 42), FromHex("00 00"));
        EXPECT_EQ(pair(state + 94), FromHex("FF FF"));
        EXPECT_EQ(copy[static_cast<size_t>(state + 33)], 0);
        EXPECT_EQ(copy[static_cast<size_t>(state + 87)], 0);
    }
}

TEST_F(Tables, MemoryGroupsFirstGroupThreeOnAFreshGrid) {
    // Without a fill to compare with, every group is written from its cells.
    Load(DefaultImage());
    document::TabGrid groups(radio, tab::kGroups);
    groups.Cells().SetText(3, 1, "001 - 144.00000 MHz");
    Image copy = DefaultImage();
    groups.WriteChanged(copy.data());
    EXPECT_EQ(Bytes(copy.data() + image::kStateBlock + 40, 2), FromHex("00 02"));
    EXPECT_EQ(Bytes(copy.data() + image::kStateBlock + 94, 2), FromHex("FF FF"));
    EXPECT_EQ(Bytes(copy.data() + image::kGroupCounts, 6), FromHex("FF FF FF FF 00 00"));
    EXPECT_EQ(Bytes(copy.data() + image::kGroupMembers + 2 * 96, 4), FromHex("00 00 FF FF"));
}

TEST_F(Tables, ExportLines) {
    Load(RichImage());
    Grids grids(radio);
    const outside::CellTable& m = grids[tab::kMemories].Table();
    const QString header = radio.FormatExportLine(tab::kMemories, 0, m, u',');
    EXPECT_TRUE(header.startsWith("Channel Number,Receive Frequency,Transmit Frequency,"));
    EXPECT_TRUE(header.endsWith(",Mask,Comment\n"));
    EXPECT_EQ(header.count(u','), 18);
    EXPECT_EQ(radio.FormatExportLine(tab::kMemories, 2, m, u','),
              "2,146.94000,146.34000,600 kHz,Minus,FM,Rpt 1,Encode,88.5,023,Skip,NotScan,25 kHz,"
              "Off,Off,High,1,,north\n");
    EXPECT_EQ(radio.FormatExportLine(tab::kMemories, 3, m, u'\t'),
              "3\t446.50000\t451.50000\t5.00 MHz\tPlus\tFM\t\tDCS\t67.0\t754\tStop\tScan\t5 kHz\t"
              "Off\tOff\tLow 1\t1\tMasked\txxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\n");
    // A field with the separator or a quote goes in quotes.
    EXPECT_EQ(radio.FormatExportLine(tab::kMemories, 10, m, u','),
              "10,52.52500,52.52500,1.00 MHz,Simplex,WFM,\"a,b\"\"c\",None,67.0,023,Stop,NotScan,"
              "5 kHz,On,On,Low 1,30,,\n");
    EXPECT_EQ(radio.FormatExportLine(tab::kMemories, 10, m, u'\t').section(u'\t', 6, 6),
              "\"a,b\"\"c\"");
    EXPECT_EQ(radio.FormatExportLine(tab::kHyper, 1, grids[tab::kHyper].Table(), u','), "");
    EXPECT_EQ(radio.FormatExportLine(tab::kGroups, 0, grids[tab::kGroups].Table(), u','), "");
}

} // namespace
