// The typed tables' own cell rules: whole rows move with their locks, a
// lock closes the channel (or the receiver set) it belongs to, and the
// baseline compares what the cells show.
#include "document/ChannelListTable.h"
#include "document/GroupTable.h"
#include "document/HyperTable.h"
#include "document/RadioDocument.h"
#include "radio/ChannelTables.h"
#include "radio/DataFileLayout.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QByteArray>

namespace cc = radio::channelcol;
namespace tab = radio::tab;

namespace {

using testing_support::DataPath;

// Moving and sorting rows carries whole channels with their locks, and the
// baseline then sees exactly the rows that changed.
TEST(ChannelListTableTest, RowBlocksMoveWholeChannels) {
    document::RadioDocument doc;
    ASSERT_FALSE(doc.Load(DataPath("busy.rdf")));
    document::ChannelListTable table(doc, tab::kMemories);
    table.Fill();
    ASSERT_TRUE(table.Draft(1).open);
    const radio::ChannelDraft first = table.Draft(1);
    const radio::ChannelDraft second = table.Draft(2);
    int last = table.Rows();
    while (last > 2 && table.Draft(last).open)
        --last;
    ASSERT_FALSE(table.Draft(last).open);

    table.PermuteRows({1, 1, table.Columns(), 2}, {2, 1});
    EXPECT_EQ(table.Draft(1), second);
    EXPECT_EQ(table.Draft(2), first);
    EXPECT_FALSE(table.RowMatchesBaseline(1));
    EXPECT_TRUE(table.RowMatchesBaseline(3));

    table.MoveBlock({1, 1, table.Columns(), 1}, 1, last);
    EXPECT_EQ(table.Draft(last), second);
    EXPECT_FALSE(table.Draft(1).open);
    EXPECT_TRUE(table.IsLocked(cc::kTransmit, 1));
    EXPECT_EQ(table.Text(cc::kReceive, 1), QString());

    // Locking the row's cells closes the channel; a column the tab always
    // keeps locked changes nothing.
    table.SetLock({cc::kTransmit, 2, cc::kComment, 2}, true);
    EXPECT_FALSE(table.Draft(2).open);
    // The baseline compares what the cells show: a lock alone, or an item
    // typed in another case, is no change.
    table.SetLock({cc::kTransmit, 3, cc::kComment, 3}, true);
    table.SetText(cc::kMode, 3, table.Text(cc::kMode, 3).toLower());
    EXPECT_TRUE(table.RowMatchesBaseline(3));
    document::ChannelListTable vfo(doc, tab::kVfo);
    vfo.Fill();
    vfo.SetLock({cc::kSkip, 1, cc::kSkip, vfo.Rows()}, true);
    EXPECT_TRUE(vfo.Draft(1).open);
    EXPECT_TRUE(vfo.IsLocked(cc::kSkip, 1));
}

// Hyper Memories and Memory Groups: what their cells take and keep.
TEST(ChannelListTableTest, HyperAndGroupCells) {
    namespace hc = radio::hypercol;
    document::RadioDocument doc;
    ASSERT_FALSE(doc.Load(DataPath("busy.rdf")));
    document::HyperTable hyper(doc.Radio());
    hyper.Fill();
    const int setA = hc::kSetAShift;
    const int setB = hc::kSetBShift;
    // Locking set A's cells closes set A only; the columns that only head
    // the grid stay locked and keep nothing.
    hyper.SetLock({setA + cc::kTransmit, 2, setA + cc::kName, 2}, true);
    EXPECT_FALSE(hyper.At(2).sets[0].open);
    EXPECT_TRUE(hyper.At(2).sets[1].open);
    EXPECT_TRUE(hyper.IsLocked(setA + cc::kMask, 2));
    EXPECT_FALSE(hyper.IsLocked(setA + cc::kReceive, 2));
    EXPECT_FALSE(hyper.IsLocked(setB + cc::kMask, 2));
    EXPECT_FALSE(hyper.IsLocked(hc::kStatus, 2));
    hyper.SetText(hc::kLastFilled + 1, 2, QStringLiteral("x"));
    EXPECT_EQ(hyper.Text(hc::kLastFilled + 1, 2), QString());
    EXPECT_TRUE(hyper.IsLocked(hc::kCount, 2));
    EXPECT_TRUE(hyper.RowMatchesBaseline(2)) << "a lock alone is no change";
    // Check boxes read as the grid reads them; the band takes items only.
    const struct {
        int col;
        const char* typed;
        const char* shown;
    } cells[] = {
        {hc::kStatus, "yes", "1"},    {hc::kStatus, "no", "0"},
        {hc::kDualReceive, "", ""},   {hc::kOperationBand, "nonsense", ""},
        {setB + cc::kSkip, "X", "1"},
    };
    for (const auto& c : cells) {
        hyper.SetText(c.col, 3, QString::fromLatin1(c.typed));
        EXPECT_EQ(hyper.Text(c.col, 3), c.shown) << c.col << " " << c.typed;
    }
    // Whole hyper memories move; the rows they leave are empty.
    const document::HyperTable::Row third = hyper.At(3);
    hyper.MoveBlock({1, 3, hyper.Columns(), 3}, 1, 5);
    EXPECT_EQ(hyper.At(5), third);
    EXPECT_EQ(hyper.Text(hc::kStatus, 3), QString());

    document::GroupTable groups(doc.Radio());
    groups.Fill();
    int row = 1;
    while (row < groups.Rows() && groups.Member(1, row) < 0)
        ++row;
    ASSERT_GE(groups.Member(1, row), 0) << "busy.rdf has a first group";
    const int member = groups.Member(1, row);
    const QString shown = groups.Text(1, row);
    // The list's empty item shows nothing, as an empty cell, and is no
    // change; a text that is no item empties the cell.
    groups.SetListIndex(2, 1, 0);
    EXPECT_EQ(groups.ListIndex(2, 1), 0);
    EXPECT_EQ(groups.Text(2, 1), QString());
    EXPECT_LT(groups.Member(2, 1), 0);
    groups.SetText(3, 1, QStringLiteral("no such channel"));
    EXPECT_EQ(groups.Member(3, 1), document::GroupTable::kNone);
    groups.MoveBlock({1, row, 1, row}, 9, 48);
    EXPECT_EQ(groups.Member(9, 48), member);
    EXPECT_EQ(groups.Text(9, 48), shown);
    EXPECT_EQ(groups.Member(1, row), document::GroupTable::kNone);
    groups.SetText(1, row, shown);
    EXPECT_TRUE(groups.ColumnMatchesBaseline(1));
    EXPECT_FALSE(groups.ColumnMatchesBaseline(9));
}

} // namespace
