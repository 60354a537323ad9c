// The grid cell store: coordinates, cell kinds, shared lists, the roles a view
// reads, block operations and the redraw switch.
#include "outside/CellStore.h"
#include "outside/TextTable.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTextStream>

#include <functional>
#include <vector>

namespace {

using Kind = outside::CellStore::CellKind;
using Order = outside::CellStore::SortOrder;

// Counts the signals a view would get.
struct Listener {
    explicit Listener(outside::CellStore& grid) {
        QObject::connect(&grid, &QAbstractItemModel::dataChanged, [this] { ++dataChanged; });
        QObject::connect(&grid, &QAbstractItemModel::headerDataChanged, [this] { ++headers; });
    }
    int dataChanged = 0;
    int headers = 0;
};

// Logs what the edit rules hear, with the cell's text at that moment.
struct EditLog : outside::EditRules {
    explicit EditLog(const outside::CellStore& g) : grid(g) {}
    void Note(const char* what, int col, int row) {
        heard << QStringLiteral("%1 %2,%3 %4").arg(what).arg(col).arg(row).arg(grid.Text(col, row));
    }
    void BeforeEdit(int col, int row) override { Note("before", col, row); }
    void AfterEdit(int col, int row) override { Note("after", col, row); }
    void Toggled(int col, int row, bool on) override { Note(on ? "on" : "off", col, row); }
    bool CanLeave(int, int, int, int) override { return true; }
    int LockedCellEdited(int, int) override { return 0; }
    const outside::CellStore& grid;
    QStringList heard;
};

// A grid of 4 columns: text (max 8), number (5 decimals), fixed list, check box.
struct Grid : ::testing::Test {
    void SetUp() override {
        grid.SetSize(4, 6);
        grid.SetFormat({1, 1, 1, 6}, {Kind::Text, 0, 8, {}});
        grid.SetFormat({2, 1, 2, 6}, {Kind::Number, 5, 0, {}});
        list = outside::CellStore::MakeList({"Simplex", "Minus", "Plus", "Split"});
        grid.SetFormat({3, 1, 3, 6}, {Kind::List, 0, 0, list});
        grid.SetFormat({4, 1, 4, 6}, {Kind::CheckBox, 0, 0, {}});
    }
    outside::CellStore grid;
    outside::CellStore::List list;
};

TEST_F(Grid, HeadersAndLabelsAreRowZeroAndColumnZero) {
    grid.SetText(2, 0, "Receive\nFrequency");
    grid.SetText(0, 3, "P3");
    EXPECT_EQ(grid.headerData(1, Qt::Horizontal).toString(), "Receive\nFrequency");
    EXPECT_EQ(grid.headerData(2, Qt::Vertical).toString(), "P3");
    grid.SetText(1, 2, "abc");
    EXPECT_EQ(grid.data(grid.index(1, 0)).toString(), "abc");
    // Outside the grid nothing is stored and nothing breaks.
    grid.SetText(5, 1, "x");
    grid.SetText(1, 7, "x");
    grid.SetText(-1, -1, "x");
    EXPECT_EQ(grid.Text(5, 1), "");
    EXPECT_FALSE(grid.CellIndex(0, 1).isValid());
}

// A text, a list index or a number set into each kind of cell, from the list
// in tests/data; row 2 of the list column holds an editable list.
TEST_F(Grid, CellsTakeWhatTheirKindHolds) {
    // The store and each of the six cells hold the one list.
    EXPECT_EQ(list.use_count(), 1 + 6);
    EXPECT_EQ(grid.CellList(3, 1).get(), grid.CellList(3, 6).get());
    EXPECT_EQ(grid.CellList(1, 1), nullptr);
    grid.SetFormat({3, 2, 3, 2},
                   {Kind::List, 0, 0, outside::CellStore::MakeList({"500 kHz", "600 kHz"}, true)});
    for (const auto& [line, fields] : testing_support::DataLines("grid-cells.txt")) {
        SCOPED_TRACE(line.toStdString());
        QStringList f = fields;
        ASSERT_EQ(f.size(), 6);
        for (QString& field : f)
            field.replace(QLatin1String("\\t"), QLatin1String("\t"));
        const int col = f[0].toInt();
        const int row = f[1].toInt();
        grid.SetText(col, row, "Split");
        if (f[2] == QLatin1String("text"))
            grid.SetText(col, row, f[3]);
        else if (f[2] == QLatin1String("index"))
            grid.SetListIndex(col, row, f[3].toInt());
        else
            grid.SetValue(col, row, f[3].toDouble());
        EXPECT_EQ(grid.Text(col, row), f[4]);
        EXPECT_EQ(grid.ListIndex(col, row), f[5].toInt());
    }
}

TEST_F(Grid, RolesForTheView) {
    grid.SetText(2, 1, "145.00000");
    grid.SetListIndex(3, 1, 1);
    grid.SetText(4, 1, "1");
    grid.SetLock({1, 2, 4, 2}, true);
    const auto at = [&](int c, int r) { return grid.CellIndex(c, r); };
    EXPECT_EQ(grid.data(at(2, 1), outside::CellStore::KindRole).toInt(), int(Kind::Number));
    EXPECT_EQ(grid.data(at(2, 1), outside::CellStore::DecimalsRole).toInt(), 5);
    EXPECT_EQ(grid.data(at(1, 1), outside::CellStore::MaxLengthRole).toInt(), 8);
    EXPECT_EQ(grid.data(at(3, 1), outside::CellStore::ListItemsRole).toStringList(), list->Items());
    EXPECT_EQ(grid.data(at(3, 1), outside::CellStore::ListIndexRole).toInt(), 1);
    EXPECT_FALSE(grid.data(at(3, 1), outside::CellStore::ListEditableRole).toBool());
    EXPECT_EQ(grid.data(at(4, 1), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_FALSE(grid.data(at(4, 1), Qt::DisplayRole).isValid());
    EXPECT_EQ(grid.data(at(4, 1), Qt::EditRole).toString(), "1");
    EXPECT_TRUE(grid.data(at(1, 2), outside::CellStore::LockRole).toBool());

    EXPECT_TRUE(grid.flags(at(1, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(grid.flags(at(1, 2)) & Qt::ItemIsEditable) << "locked";
    EXPECT_TRUE(grid.flags(at(4, 1)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(grid.flags(at(4, 2)) & Qt::ItemIsUserCheckable);
}

// A view's edits go into the cell between the rules' before and after (after
// only when the value differs); a check box is toggled, then told.
TEST_F(Grid, ViewEditsReachTheEditRules) {
    EditLog log(grid);
    grid.SetEditRules(&log);
    grid.SetLock(outside::GridBlock::Cell(1, 4), true);
    const struct {
        int col, row;
        QVariant value;
        int role;
        bool taken;
        QStringList heard;
    } cases[] = {
        {3, 4, "Plus", Qt::EditRole, true, {"before 3,4 ", "after 3,4 Plus"}},
        {3, 4, 3, outside::CellStore::ListIndexRole, true, {"before 3,4 Plus", "after 3,4 Split"}},
        {3, 4, 3, outside::CellStore::ListIndexRole, true, {"before 3,4 Split"}},
        {2, 4, "1.5", Qt::EditRole, true, {"before 2,4 ", "after 2,4 1.5"}},
        {4, 4, Qt::Checked, Qt::CheckStateRole, true, {"on 4,4 1"}},
        {4, 4, Qt::Unchecked, Qt::CheckStateRole, true, {"off 4,4 0"}},
        {3, 4, Qt::Checked, Qt::CheckStateRole, false, {}}, // not a check box
        {1, 4, "x", Qt::EditRole, false, {}},               // locked
        {1, 5, "x", Qt::ToolTipRole, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.heard.join(QLatin1Char('|')).toStdString());
        log.heard.clear();
        EXPECT_EQ(grid.setData(grid.CellIndex(c.col, c.row), c.value, c.role), c.taken);
        EXPECT_EQ(log.heard, c.heard);
    }
    // The program's own writes are not edits.
    log.heard.clear();
    grid.SetText(1, 5, "y");
    grid.SetListIndex(3, 5, 1);
    grid.PasteText(1, 6, "a\tb");
    EXPECT_TRUE(log.heard.isEmpty());
    EXPECT_EQ(grid.Rules(), &log);
    grid.Reset();
    EXPECT_EQ(grid.Rules(), &log) << "the rules are the owner's, whatever the cells";
}

TEST_F(Grid, RedrawSwitchTellsViewsOnce) {
    Listener listener(grid);
    grid.SetText(1, 1, "a");
    EXPECT_EQ(listener.dataChanged, 1);
    grid.SetRedraw(false);
    for (int r = 1; r <= 6; ++r) {
        grid.SetText(1, r, "x");
        grid.SetText(0, r, QString::number(r));
    }
    grid.SetListIndex(3, 2, 1);
    EXPECT_EQ(listener.dataChanged, 1);
    EXPECT_EQ(listener.headers, 0);
    int columnNotices = 0;
    QObject::connect(&grid, &outside::CellStore::columnOptionsChanged, [&] { ++columnNotices; });
    grid.SetRedraw(true);
    EXPECT_EQ(listener.dataChanged, 2);
    EXPECT_EQ(listener.headers, 1) << "the row labels; the columns stay as they are";
    EXPECT_EQ(columnNotices, 0);
    // A column header, a width or a cell format changed: the columns are
    // laid out again.
    for (const auto& change : std::vector<std::function<void()>>{
             [&] { grid.SetText(2, 0, "Header"); }, [&] { grid.SetColumnWidth(2, 12); },
             [&] {
                 grid.SetFormat({4, 1, 4, 6}, {Kind::CheckBox, 0, 0, {}});
             }}) {
        listener.headers = 0;
        columnNotices = 0;
        grid.SetRedraw(false);
        change();
        grid.SetRedraw(true);
        EXPECT_GE(listener.headers, 1);
        EXPECT_EQ(columnNotices, 1);
    }
}

TEST_F(Grid, CopyWritesTabSeparatedRowsWithQuotesAndPastesThemBack) {
    grid.SetText(1, 1, "a\tb");
    grid.SetText(2, 1, "146.52000");
    grid.SetListIndex(3, 1, 2);
    grid.SetText(4, 1, "1");
    grid.SetText(1, 2, "\"hi\"\nyo");
    grid.SetText(4, 2, "0");
    EXPECT_EQ(grid.CopyBlock({1, 1, 4, 2}), "\"a\tb\"\t146.52000\tPlus\t1\n"
                                            "\"\"\"hi\"\"\nyo\"\t\t\t0\n");
    EXPECT_EQ(grid.CopyBlock({}), "");
    grid.SelectBlock({1, 1, 4, 2});
    const QString copied = grid.Cut();
    for (int c = 1; c <= 4; ++c)
        EXPECT_EQ(grid.Text(c, 1), "") << c;
    grid.SelectBlock({1, 4, 4, 6});
    EXPECT_EQ(grid.Paste(copied), (outside::GridBlock{1, 4, 4, 5}));
    EXPECT_EQ(grid.CopyBlock({1, 4, 4, 5}), copied);
}

TEST_F(Grid, PasteFromASpreadsheetProgram) {
    // CRLF lines, a quoted field, a short line, and more than fits.
    grid.SetText(2, 6, "keep?");
    grid.SetLock({1, 5, 4, 6}, true); // locks do not stop a paste
    const outside::GridBlock written =
        grid.PasteText(2, 5, "1.5\tminus\t1\textra\r\n\"2\"\"\"\r\nthird\r\n");
    EXPECT_EQ(written, (outside::GridBlock{2, 5, 4, 6}));
    EXPECT_EQ(grid.Text(2, 5), "1.5");
    EXPECT_EQ(grid.Text(3, 5), "Minus");
    EXPECT_EQ(grid.Text(4, 5), "1");
    EXPECT_EQ(grid.Text(2, 6), "2\"");
    EXPECT_EQ(grid.Text(3, 6), ""); // the short line leaves the rest alone
    EXPECT_FALSE(grid.PasteText(9, 9, "x").IsValid());
}

TEST_F(Grid, MoveBlockEmptiesUncoveredCells) {
    for (int r = 1; r <= 6; ++r)
        grid.SetText(1, r, QString::number(r));
    grid.SetLock({1, 2, 4, 2}, true);
    // Rows 1 to 4 two rows down (insert): rows 5 and 6 fall off the end.
    grid.MoveBlock({1, 1, 4, 4}, 1, 3);
    const char* expected[] = {"", "", "1", "2", "3", "4"};
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(grid.Text(1, r), expected[r - 1]) << r;
    EXPECT_TRUE(grid.IsLocked(1, 4)); // the lock went with row 2's contents
    EXPECT_TRUE(grid.IsLocked(1, 2)); // uncovered cells keep their own lock
    // And back up (delete of rows 1 and 2).
    grid.MoveBlock({1, 3, 4, 6}, 1, 1);
    const char* back[] = {"1", "2", "3", "4", "", ""};
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(grid.Text(1, r), back[r - 1]) << r;
    // Into another kind of column the text is read anew.
    grid.SetText(1, 1, "plus");
    grid.MoveBlock(outside::GridBlock::Cell(1, 1), 3, 1);
    EXPECT_EQ(grid.Text(3, 1), "Plus");
    EXPECT_EQ(grid.ListIndex(3, 1), 2);
    EXPECT_EQ(grid.Text(1, 1), "");
}

TEST_F(Grid, ClearBlockDataOnlyOrEverything) {
    grid.SetListIndex(3, 1, 1);
    grid.SetLock(outside::GridBlock::Cell(3, 1), true);
    grid.ClearBlock(outside::GridBlock::Cell(3, 1));
    EXPECT_EQ(grid.Text(3, 1), "");
    EXPECT_EQ(grid.ListIndex(3, 1), -1);
    EXPECT_EQ(grid.Kind(3, 1), Kind::List);
    EXPECT_TRUE(grid.IsLocked(3, 1));
    grid.ClearBlock(outside::GridBlock::Cell(3, 1), false);
    EXPECT_EQ(grid.Kind(3, 1), Kind::Text);
    EXPECT_FALSE(grid.IsLocked(3, 1));
}

TEST_F(Grid, SortByOneOrTwoKeysWithEmptiesLast) {
    struct Row {
        const char* name;
        const char* number;
        int direction;
    } rows[] = {{"b", "146.52000", 1}, {"", "", -1},           {"a", "29.62000", 1},
                {"c", "146.52000", 0}, {"d", "1000.00000", 2}, {"e", "", 3}};
    for (int r = 1; r <= 6; ++r) {
        grid.SetText(1, r, rows[r - 1].name);
        grid.SetText(2, r, rows[r - 1].number);
        grid.SetListIndex(3, r, rows[r - 1].direction);
    }
    grid.SetLock(outside::GridBlock::Cell(1, 2), true);
    const auto names = [&] {
        QString s;
        for (int r = 1; r <= 6; ++r)
            s += grid.Text(1, r).isEmpty() ? QStringLiteral("_") : grid.Text(1, r);
        return s;
    };
    // Numbers compare as numbers, not as texts; equal keys keep their order.
    grid.SetSortKey(1, 2, Order::Ascending);
    grid.SortBlockByRows({1, 1, 4, 6});
    EXPECT_EQ(names(), "abcd_e");     // "e" and the empty row have no number: last, in order
    EXPECT_TRUE(grid.IsLocked(1, 5)); // the locked empty row moved with its lock

    grid.SetSortKey(1, 2, Order::Descending);
    grid.SortBlockByRows({1, 1, 4, 6});
    EXPECT_EQ(names(), "dbca_e");

    // A second key orders rows the first leaves equal; lists by their index.
    grid.SetSortKey(1, 2, Order::Ascending);
    grid.SetSortKey(2, 3, Order::Ascending);
    grid.SortBlockByRows({1, 1, 4, 6});
    EXPECT_EQ(names(), "acbde_"); // "e" has a direction, the empty row none
    EXPECT_EQ(grid.SortKeyColumn(2), 3);
    EXPECT_EQ(grid.SortKeyOrder(1), Order::Ascending);

    // Only the block's rows move.
    grid.SetSortKey(2, 0, Order::None);
    grid.SetSortKey(1, 1, Order::Descending);
    grid.SortBlockByRows({1, 1, 4, 3});
    EXPECT_EQ(names(), "cbade_");
}

TEST_F(Grid, ColumnsInUseSelectionAndColumnOptions) {
    EXPECT_EQ(grid.ColumnsInUse(), 0);
    grid.SetText(3, 6, "Plus");
    EXPECT_EQ(grid.ColumnsInUse(), 3);

    grid.SelectBlock({2, 3, 9, 9});
    EXPECT_EQ(grid.Selection(), (outside::GridBlock{2, 3, 4, 6}));
    EXPECT_EQ(grid.SelectionLastRow(), 6);
    grid.ClearSelection();
    EXPECT_EQ(grid.SelectionLastRow(), -1);

    int options = 0;
    QObject::connect(&grid, &outside::CellStore::columnOptionsChanged, [&] { ++options; });
    grid.SetColumnHidden(2, true);
    grid.SetColumnWidth(4, 40.0);
    grid.SetColumnItemValue(4, 4);
    grid.SetFrozenColumns(9);
    EXPECT_EQ(options, 3);
    EXPECT_TRUE(grid.headerData(1, Qt::Horizontal, outside::CellStore::ColumnHiddenRole).toBool());
    EXPECT_DOUBLE_EQ(
        grid.headerData(3, Qt::Horizontal, outside::CellStore::ColumnWidthRole).toDouble(), 40.0);
    EXPECT_EQ(grid.ColumnItemValue(4), 4);
    EXPECT_EQ(grid.FrozenColumns(), 4);
}

TEST_F(Grid, ResizeKeepsCellsAndResetEmptiesEverything) {
    grid.SetText(1, 2, "keep");
    grid.SetText(4, 6, "1");
    grid.SetSize(2, 3);
    EXPECT_EQ(grid.Text(1, 2), "keep");
    grid.SetSize(4, 6);
    EXPECT_EQ(grid.Text(4, 6), "");
    EXPECT_EQ(grid.Kind(4, 6), Kind::Text);

    grid.SetSortKey(1, 2, Order::Ascending);
    grid.SetRedraw(false);
    grid.Reset();
    EXPECT_EQ(grid.MaxRows(), 0);
    EXPECT_EQ(grid.SortKeyColumn(1), 0);
    EXPECT_TRUE(grid.Redraw());
}

TEST_F(Grid, BaselineTellsUneditedRows) {
    grid.SetText(1, 1, "abc");
    grid.SetListIndex(3, 2, 1);
    EXPECT_FALSE(grid.RowMatchesBaseline(1));
    grid.TakeBaseline();
    EXPECT_TRUE(grid.ColumnMatchesBaseline(3));
    grid.SetText(1, 1, "abd");
    EXPECT_FALSE(grid.RowMatchesBaseline(1));
    EXPECT_TRUE(grid.RowMatchesBaseline(2));
    grid.SetText(1, 1, "abc"); // put back: unedited again
    EXPECT_TRUE(grid.RowMatchesBaseline(1));
    grid.SetListIndex(3, 2, 2);
    EXPECT_FALSE(grid.ColumnMatchesBaseline(3));
    grid.SetMaxRows(7);
    EXPECT_FALSE(grid.HasBaseline());
}

// A table that mutes column 2 on rows whose column 1 is empty.
struct MutingTable : outside::TextTable {
    bool IsMuted(int col, int row) const override { return col == 2 && Text(1, row).isEmpty(); }
    bool MutesByRow() const override { return true; }
};

TEST_F(Grid, AStoreShowsTheTableItIsGiven) {
    grid.SetText(1, 1, "own");
    grid.SetText(2, 0, "Receive");
    MutingTable other;
    other.Resize(2, 3);
    other.SetFormat({1, 1, 1, 3}, {Kind::List, 0, 0, list});
    other.SetText(1, 1, "Plus");
    other.SetText(1, 3, "Minus");
    int resets = 0;
    QObject::connect(&grid, &QAbstractItemModel::modelReset, [&] { ++resets; });
    grid.SelectBlock({1, 5, 4, 6});
    grid.SetTable(&other);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_FALSE(grid.Selection().IsValid()) << "the selection no longer fits";
    EXPECT_EQ(grid.Text(2, 0), "Receive") << "headers stay with the store";
    EXPECT_EQ(grid.data(grid.CellIndex(1, 1)).toString(), "Plus");
    EXPECT_EQ(grid.ListIndex(1, 3), 1);
    // Without a rule of its own the store asks the table what is muted, and
    // an edit redraws the whole row.
    EXPECT_TRUE(grid.data(grid.CellIndex(2, 2), outside::CellStore::MutedRole).toBool());
    EXPECT_FALSE(grid.IsMuted(2, 1));
    QModelIndex first;
    QObject::connect(&grid, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& from, const QModelIndex&) { first = from; });
    EXPECT_TRUE(grid.setData(grid.CellIndex(2, 1), "145.000"));
    EXPECT_EQ(other.Text(2, 1), "145.000") << "edits go into the given table";
    EXPECT_EQ(first.column(), 0);
    // Sorting and moving work on the given table (the empty row goes last).
    grid.SetSortKey(1, 1, Order::Ascending);
    EXPECT_EQ(grid.SortBlockByRows({1, 1, 2, 3}), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(other.Text(1, 1), "Minus");
    grid.MoveBlock({1, 1, 2, 1}, 1, 3);
    EXPECT_EQ(other.Text(1, 3), "Minus");
    // Back to the store's own table, as it was.
    grid.SetTable(nullptr);
    EXPECT_EQ(resets, 2);
    EXPECT_EQ(grid.Text(1, 1), "own");
    EXPECT_FALSE(grid.IsMuted(2, 2));
}

} // namespace
