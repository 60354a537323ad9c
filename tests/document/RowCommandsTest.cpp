// Row commands on the screen-free grids: which tab offers what, the rows that
// would fall off, moving rows, packing groups, and the memory groups and
// priority channel following memory rows.
#include "radio/RowCommands.h"

#include "document/TabGrid.h"
#include "outside/CellStore.h"
#include "radio/ChannelTables.h"
#include "radio/RadioModel.h"

#include <gtest/gtest.h>

#include <QList>

using namespace radio;
using rows::Command;

namespace {

class RowCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { radio.SetImage(DefaultImage().data()); }

    // A tab's grid, laid out and filled from the radio's image.
    std::unique_ptr<document::TabGrid> Table(int tab) {
        auto table = std::make_unique<document::TabGrid>(radio, tab);
        table->Fill();
        return table;
    }
    QList<int> Members(int g) const {
        QList<int> list;
        for (int j = 0; j < RadioModel::GroupSize(radio.Image(), g); ++j)
            list << RadioModel::GroupMember(radio.Image(), g, j) + 1;
        return list;
    }
    void SetMembers(int g, const QList<int>& channels) {
        for (int j = 0; j < channels.size(); ++j)
            RadioModel::SetGroupMember(radio.Image(), g, j, channels[j] - 1);
        RadioModel::SetGroupSize(radio.Image(), g, static_cast<int>(channels.size()));
    }

    RadioModel radio;
};

TEST_F(RowCommandsTest, WhatEachTabOffers) {
    // Cut, Insert, Delete, Sort, Drag, Set Priority.
    const struct {
        int tab;
        bool offered[6];
    } tabs[] = {
        {tab::kMemories, {true, true, true, true, false, true}},
        {tab::kLimit, {true, true, true, true, true, false}},
        {tab::kOneTouch, {true, true, true, true, true, false}},
        {tab::kHyper, {true, true, true, true, true, false}},
        {tab::kGroups, {true, false, false, false, false, false}},
        {tab::kVfo, {true, false, false, false, false, false}},
        {tab::kHome, {true, false, false, false, false, false}},
        {7, {false, false, false, false, false, false}},
    };
    const Command commands[] = {Command::Cut,  Command::Insert, Command::Delete,
                                Command::Sort, Command::Drag,   Command::SetPriority};
    for (const auto& t : tabs) {
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(rows::Offered(t.tab, commands[k]), t.offered[k]) << t.tab << " " << k;
    }
}

TEST_F(RowCommandsTest, RowsThatWouldFallOff) {
    const struct {
        int tab;
        int r1;
        int r2;
        int first;
        int last;
    } inserts[] = {
        {tab::kMemories, 1, 2, 449, 450}, {tab::kMemories, 450, 450, 450, 450},
        {tab::kOneTouch, 1, 1, 10, 10},   {tab::kLimit, 1, 40, 1, 40},
        {tab::kHyper, 3, 5, 8, 10},
    };
    for (const auto& c : inserts) {
        int first = 0;
        int last = 0;
        rows::RowsFallingOff(c.tab, c.r1, c.r2, &first, &last);
        EXPECT_EQ(first, c.first) << c.tab << " " << c.r1;
        EXPECT_EQ(last, c.last) << c.tab << " " << c.r1;
    }
    // Rows pasted from row on: how many pass the end.
    EXPECT_EQ(rows::RowsPastEnd(tab::kOneTouch, 9, 3), 1);
    EXPECT_EQ(rows::RowsPastEnd(tab::kOneTouch, 8, 3), 0);
    EXPECT_EQ(rows::RowsPastEnd(tab::kMemories, 450, 450), 449);

    // The copied rows that would fall off decide the question. A row holds a
    // channel as its copied text does, once pasted: a channel below 1 MHz and
    // a text without digits (read as 100 MHz) count, blanks and 0 do not.
    const QList<QStringList> copied = {{"146.52000"}, {""}, {"0.54000"}};
    EXPECT_FALSE(rows::CopiedRowsFallOff(tab::kOneTouch, 8, copied));
    EXPECT_TRUE(rows::CopiedRowsFallOff(tab::kOneTouch, 9, copied));
    const QString b = QString(hypercol::kSetBShift, QLatin1Char('\t'));
    const struct {
        int tab;
        QStringList held;
        QStringList empty;
    } rowsHeld[] = {
        {tab::kMemories, {"146.52000", "0.54000", "abc", "-", "145,5"}, {"0.00000", "   ", "\t1"}},
        {tab::kHyper, {"1", b + "146.52"}, {"0\t1", b + "000 kHz"}},
        {tab::kGroups, {"\t001 - 144.00000 MHz"}, {"\t"}},
    };
    for (const auto& c : rowsHeld) {
        for (const QString& text : c.held + c.empty) {
            SCOPED_TRACE(text.toStdString());
            const bool holds = c.held.contains(text);
            EXPECT_EQ(rows::FieldsHoldChannel(c.tab, text.split(QLatin1Char('\t'))), holds);
            auto table = Table(c.tab);
            rows::ClearRows(table->Cells(), 1, 1);
            rows::PasteRows(table->Cells(), c.tab, 1, text);
            EXPECT_EQ(rows::HoldsChannel(table->Table(), c.tab, 1), holds);
        }
    }
}

TEST_F(RowCommandsTest, InsertDeleteAndMoveKeepTheTablesRows) {
    auto table = Table(tab::kOneTouch);
    outside::CellStore* grid = &table->Cells();
    for (int r = 1; r <= 10; ++r) {
        grid->SetText(channelcol::kReceive, r, FrequencyText(144000000 + r * 100000));
        grid->SetText(channelcol::kComment, r, QString::number(r));
    }
    const auto comments = [&] {
        QStringList list;
        for (int r = 1; r <= 10; ++r)
            list << grid->Text(channelcol::kComment, r);
        return list.join(QLatin1Char(','));
    };
    rows::InsertRows(*grid, tab::kOneTouch, 1, 2);
    EXPECT_EQ(comments(), QStringLiteral(",,1,2,3,4,5,6,7,8"));
    rows::DeleteRows(*grid, tab::kOneTouch, 1, 2);
    EXPECT_EQ(comments(), QStringLiteral("1,2,3,4,5,6,7,8,,"));
    rows::InsertRows(*grid, tab::kOneTouch, 10, 10);
    EXPECT_EQ(comments(), QStringLiteral("1,2,3,4,5,6,7,8,,"));
    // Rows 1 to 3 dropped at row 9: row 3 passes the end; rows 1 and 2 fit.
    EXPECT_TRUE(rows::MovedRowsFallOff(table->Table(), tab::kOneTouch, 1, 3, 9));
    EXPECT_FALSE(rows::MovedRowsFallOff(table->Table(), tab::kOneTouch, 1, 2, 9));
    EXPECT_FALSE(rows::MovedRowsFallOff(table->Table(), tab::kOneTouch, 7, 9, 9)) << "row 9 empty";
    rows::MoveRows(*grid, tab::kOneTouch, 1, 2, 9);
    EXPECT_EQ(comments(), QStringLiteral(",,3,4,5,6,7,8,1,2"));
    rows::MoveRows(*grid, tab::kOneTouch, 9, 9, 1);
    EXPECT_EQ(comments(), QStringLiteral("1,,3,4,5,6,7,8,,2"));
}

TEST_F(RowCommandsTest, GroupsArePackedAndSorted) {
    auto memoriesTable = Table(tab::kMemories);
    outside::CellStore* memories = &memoriesTable->Cells();
    for (int r = 1; r <= 20; ++r)
        memories->SetText(channelcol::kReceive, r, FrequencyText(146000000 + r * 100000));
    memoriesTable->WriteChanged(radio.Image());
    SetMembers(0, {12, 3, 7});
    SetMembers(2, {5});
    auto groupsTable = Table(tab::kGroups);
    outside::CellStore* groups = &groupsTable->Cells();
    groups->SetListIndex(1, 1, -1); // 12 removed: a gap at the top
    groups->SetListIndex(3, 4, 2);  // channel 2 after a gap
    rows::PackGroups(*groups);
    groupsTable->WriteChanged(radio.Image());
    EXPECT_EQ(Members(0), (QList<int>{3, 7}));
    EXPECT_EQ(Members(2), (QList<int>{2, 5}));
}

TEST_F(RowCommandsTest, GroupsAndPriorityFollowMemoryRows) {
    const struct {
        int mode;
        int r1;
        int r2;
        int priority;
        QList<int> group;
        int priorityAfter;
        QList<int> groupAfter;
    } cases[] = {
        // Cut: the channels are gone, nothing moves.
        {0, 5, 6, 5, {1, 5, 6, 9}, 1, {1, 9}},
        {0, 5, 6, 7, {1, 7}, 7, {1, 7}},
        // Delete: gone, and those after move up.
        {1, 5, 6, 9, {1, 5, 9, 450}, 7, {1, 7, 448}},
        {1, 450, 450, 450, {450}, 1, {}},
        {1, 1, 1, 2, {2}, 1, {1}},
        // Insert: those from r1 on move down; pushed past the end, gone.
        {2, 5, 6, 5, {4, 5, 449}, 7, {4, 7}},
        {2, 1, 1, 450, {450}, 1, {}},
        {2, 449, 450, 448, {448}, 448, {448}},
        // Rows given the other way round, and outside the table.
        {1, 6, 5, 9, {9}, 7, {7}},
        {1, 451, 460, 9, {9}, 9, {9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(
            QStringLiteral("mode %1 rows %2-%3").arg(c.mode).arg(c.r1).arg(c.r2).toStdString());
        radio.SetImage(DefaultImage().data());
        radio.SetPriorityChannel(c.priority);
        SetMembers(4, c.group);
        const QByteArray before(reinterpret_cast<const char*>(radio.Image()), image::kSize);
        rows::FollowMemoryRows(radio, c.mode, c.r1, c.r2, {});
        EXPECT_EQ(radio.PriorityChannel(), c.priorityAfter);
        EXPECT_EQ(Members(4), c.groupAfter);
        // Nothing else in the image changes.
        const QByteArray after(reinterpret_cast<const char*>(radio.Image()), image::kSize);
        for (int i = 0; i < image::kSize; ++i) {
            const bool priorityField = i >= image::kStateBlock + block::kPriority &&
                                       i < image::kStateBlock + block::kPriority + 2;
            const bool groupField =
                (i >= image::kGroupCounts && i < image::kGroupCounts + image::kGroupCountsSize) ||
                (i >= image::kGroupMembers &&
                 i < image::kGroupMembers + image::kGroupCount * image::kGroupStride);
            if (!priorityField && !groupField) {
                ASSERT_EQ(before[i], after[i]) << "byte " << i;
            }
        }
    }
}

TEST_F(RowCommandsTest, GroupsAndPriorityFollowSortedMemories) {
    // Rows 3 to 6 sorted into the order 6, 3, 5, 4.
    const std::vector<int> order = {6, 3, 5, 4};
    const struct {
        int priority;
        QList<int> group;
        int priorityAfter;
        QList<int> groupAfter;
    } cases[] = {
        {6, {3, 6, 9}, 3, {3, 4, 9}},
        {4, {1, 4, 5}, 6, {1, 5, 6}},
        {2, {1, 2}, 2, {1, 2}},
    };
    for (const auto& c : cases) {
        radio.SetImage(DefaultImage().data());
        radio.SetPriorityChannel(c.priority);
        SetMembers(7, c.group);
        rows::FollowSortedMemories(radio, 3, order, {});
        EXPECT_EQ(radio.PriorityChannel(), c.priorityAfter);
        EXPECT_EQ(Members(7), c.groupAfter);
    }
    // Nothing sorted, nothing changes.
    radio.SetPriorityChannel(6);
    rows::FollowSortedMemories(radio, 3, {}, {});
    EXPECT_EQ(radio.PriorityChannel(), 6);
}

} // namespace
