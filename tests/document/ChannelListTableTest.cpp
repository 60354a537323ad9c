// The typed channel-list table against the text grid it stands in for: over
// every image under tests/data and every channel-list tab it shows the same
// cells, and writes the same bytes and comments for the same edits.
#include "document/ChannelListTable.h"
#include "document/RadioDocument.h"
#include "outside/CellStore.h"
#include "radio/ChannelTables.h"
#include "radio/DataFileLayout.h"

#include <gtest/gtest.h>

#include <QByteArray>

namespace cc = radio::channelcol;
namespace tab = radio::tab;

namespace {

QString DataPath(const char* name) {
    return QStringLiteral(CLONARA_TEST_DATA_DIR "/") + QString::fromLatin1(name);
}

QByteArray BlockOf(document::RadioDocument& doc) {
    return QByteArray(reinterpret_cast<const char*>(doc.Block()), radio::rdf::kFileSize);
}

// Every cell of the table as the grid shows it.
void ExpectSameCells(const document::ChannelListTable& table, const outside::CellStore& grid,
                     const char* what) {
    ASSERT_EQ(table.Rows(), grid.MaxRows()) << what;
    ASSERT_EQ(table.Columns(), grid.MaxCols()) << what;
    for (int col = 1; col <= table.Columns(); ++col)
        EXPECT_EQ(table.Header(col), grid.Text(col, 0)) << what << " header " << col;
    for (int row = 1; row <= table.Rows(); ++row) {
        EXPECT_EQ(table.RowLabel(row), grid.Text(0, row)) << what << " label " << row;
        for (int col = 1; col <= table.Columns(); ++col) {
            SCOPED_TRACE(testing::Message() << what << " cell " << col << "," << row);
            EXPECT_EQ(table.Text(col, row), grid.Text(col, row));
            EXPECT_EQ(table.ListIndex(col, row), grid.ListIndex(col, row));
            EXPECT_EQ(table.IsLocked(col, row), grid.IsLocked(col, row));
            EXPECT_EQ(table.IsMuted(col, row), grid.IsMuted(col, row));
            EXPECT_EQ(table.Kind(col, row), grid.Kind(col, row));
        }
    }
}

// Typed texts, each put into a row of every channel-list tab: values that
// store, that the row cannot hold, and texts that are no frequency.
struct Edit {
    int col;
    int row;
    const char* text;
};
constexpr Edit kEdits[] = {
    {cc::kReceive, 1, "146.521"},    // off every raster on Memories
    {cc::kReceive, 2, "banana"},     // no frequency: the row keeps its record
    {cc::kReceive, 3, "   "},        // blanks name no channel
    {cc::kTransmit, 4, "2000"},      // does not fit
    {cc::kOffset, 5, "1000.00 MHz"}, // does not fit
    {cc::kOffset, 6, "650 kHz"},     // a free offset text
    {cc::kMode, 6, "weird"},         // a free mode text writes the first mode
    {cc::kName, 7, "X"},             // rewrites values outside the lists
    {cc::kComment, 7, "a comment"},  // comments go to the document
    {cc::kReceive, 8, "445.000"},    // a band row takes only its band
    {cc::kReceive, 9, "0"},          // zero clears a channel
    {cc::kReceive, 10, ""},          // so does an empty cell
    {cc::kReceive, 11, "145.5 MHz"}, // units typed along
    {cc::kSkip, 1, "1"},             // a check box
};

TEST(ChannelListTableTest, ShowsAndWritesWhatTheTextGridDoes) {
    for (const char* file : {"busy.rdf", "factory.rdf", "full.img"}) {
        for (int t = 0; t < tab::kCount; ++t) {
            if (!radio::IsChannelListTab(t))
                continue;
            SCOPED_TRACE(testing::Message() << file << " tab " << t);
            document::RadioDocument viaGrid;
            document::RadioDocument viaTable;
            ASSERT_FALSE(viaGrid.Load(DataPath(file)));
            ASSERT_FALSE(viaTable.Load(DataPath(file)));
            const QByteArray loaded = BlockOf(viaTable);

            outside::CellStore grid;
            viaGrid.Radio().ConfigureGrid(grid, t);
            viaGrid.Radio().FillGrid(viaGrid.Image(), grid, t);
            document::ChannelListTable table(viaTable, t);
            table.Fill();
            ExpectSameCells(table, grid, "filled");

            // Untouched rows keep their bytes and comments.
            EXPECT_FALSE(table.WriteChanged(viaTable.Image()));
            EXPECT_EQ(BlockOf(viaTable), loaded);

            // The same typed texts write the same bytes and comments.
            for (const Edit& e : kEdits) {
                const QString text = QString::fromLatin1(e.text);
                grid.SetText(e.col, e.row, text);
                table.SetText(e.col, e.row, text);
            }
            ExpectSameCells(table, grid, "edited");
            EXPECT_EQ(table.WriteChanged(viaTable.Image()),
                      viaGrid.Radio().ReadGrid(viaGrid.Image(), grid, t));
            EXPECT_NE(BlockOf(viaTable), loaded);
            EXPECT_EQ(BlockOf(viaTable), BlockOf(viaGrid));

            // Every row written as an edited row is, then read again.
            viaGrid.Radio().FillGrid(viaGrid.Image(), grid, t);
            table.Fill();
            grid.DropBaseline();
            table.DropBaseline();
            EXPECT_EQ(table.WriteChanged(viaTable.Image()),
                      viaGrid.Radio().ReadGrid(viaGrid.Image(), grid, t));
            EXPECT_EQ(BlockOf(viaTable), BlockOf(viaGrid));
            viaGrid.Radio().FillGrid(viaGrid.Image(), grid, t);
            table.Fill();
            ExpectSameCells(table, grid, "written and filled again");
        }
    }
}

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

} // namespace
