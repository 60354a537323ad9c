// The Edit menu's row commands, offscreen on the real grid view: rows are
// picked with the mouse, commands come from the view, the main window's
// accelerators and the right-click menu; every change is one undo step that
// puts the document back byte for byte.
#include "editor/EditCommands.h"
#include "app/DocumentWindow.h"
#include "app/MainWindow.h"
#include "document/DocumentHistory.h"
#include "document/RadioDocument.h"
#include "editor/MainView.h"
#include "outside/CellStore.h"
#include "radio/ChannelTables.h"
#include "radio/RowCommands.h"
#include "support/ModalWatcher.h"
#include "support/TestSupport.h"
#include "widgets/GridView.h"
#include "widgets/Resources.h"
#include "widgets/SortDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using namespace radio;
using testing_support::ModalWatcher;

static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

using testing_support::DataPath;

const QString kRowsLost = QStringLiteral("Upper memories will be lost.\nContinue?");

QByteArray Block(const document::RadioDocument& doc) {
    return QByteArray(reinterpret_cast<const char*>(doc.Block()), radio::rdf::kFileSize);
}

std::shared_ptr<document::RadioDocument> OpenDoc(const char* name) {
    auto doc = std::make_shared<document::RadioDocument>();
    EXPECT_FALSE(doc->Load(DataPath(name))) << name;
    doc->SetModified(false);
    return doc;
}

// The whole row as the grid shows it.
QString RowText(editor::MainView& view, int tab, int row) {
    const outside::CellStore& grid = view.Cells(tab);
    return grid.CopyBlock(rows::WholeRows(grid, row, row));
}

bool RowHolds(editor::MainView& view, int tab, int row) {
    return rows::HoldsChannel(view.Channels(tab), tab, row);
}

// Clicks a cell of the grid on screen (a column right of the frozen ones).
void ClickCell(editor::MainView& view, int tab, int row, Qt::KeyboardModifiers modifiers = {},
               Qt::MouseButton button = Qt::LeftButton) {
    widgets::GridView* grid = view.Grid(tab);
    const QModelIndex index = view.Cells(tab).CellIndex(5, row);
    static_cast<QAbstractItemView*>(grid)->scrollTo(index);
    const QPoint at = grid->visualRect(index).center();
    QTest::mouseClick(grid->viewport(), button, modifiers, at);
}

// Picks rows r1 to r2 with a click and a shift click.
void PickRows(editor::MainView& view, int tab, int r1, int r2) {
    ClickCell(view, tab, r1);
    if (r2 != r1)
        ClickCell(view, tab, r2, Qt::ShiftModifier);
    ASSERT_EQ(view.Cells(tab).SelectionFirstRow(), r1);
    ASSERT_EQ(view.Cells(tab).SelectionLastRow(), r2);
}

// A command as the menu runs it: the grids are committed first.
void RunCommand(editor::MainView& view, rows::Command command) {
    if (view.CommitGrids(true))
        view.Edit().Run(command);
}

// Every row of every table that moves holds a channel of its own: the
// memories of the full image, copied into the limit and one-touch rows, and
// hyper memories each on a frequency of their own.
void MakeEveryRowDistinct(editor::MainView& view) {
    const outside::CellStore& memories = view.Cells(tab::kMemories);
    for (const int tab : {tab::kLimit, tab::kOneTouch}) {
        outside::CellStore& grid = view.Cells(tab);
        for (int r = 1; r <= grid.MaxRows(); ++r)
            grid.PasteText(
                1, r, memories.CopyBlock(rows::WholeRows(memories, 100 * tab + r, 100 * tab + r)));
    }
    outside::CellStore& hyper = view.Cells(tab::kHyper);
    for (int r = 1; r <= hyper.MaxRows(); ++r) {
        const QString rx = FrequencyText(145000000 + 25000 * r);
        hyper.SetText(hypercol::kSetAShift + channelcol::kReceive, r, rx);
        hyper.SetText(hypercol::kSetAShift + channelcol::kTransmit, r, rx);
    }
    ASSERT_TRUE(view.CommitGrids(false));
    view.RefreshGrids();
    view.Document().History().Reset(false);
}

class EditCommandsTest : public ::testing::Test {
protected:
    ModalWatcher watcher;

    std::unique_ptr<editor::MainView> Show(std::shared_ptr<document::RadioDocument> doc, int tab) {
        auto view = std::make_unique<editor::MainView>(std::move(doc));
        MakeEveryRowDistinct(*view);
        view->resize(1000, 700);
        view->show();
        view->SetCurrentTab(tab);
        return view;
    }
    void UndoRedoRestores(document::RadioDocument& doc, const QByteArray& before,
                          const QByteArray& after) {
        document::DocumentHistory& history = doc.History();
        history.Undo();
        EXPECT_EQ(Block(doc), before) << "undo puts every byte back";
        history.Redo();
        EXPECT_EQ(Block(doc), after) << "redo makes the change again";
    }
};

// Every command at the first and the last row of every tab that offers it.
TEST_F(EditCommandsTest, EveryCommandAtBothEndsOfEveryTab) {
    enum class What { Cut, Insert, Delete, CopyPaste };
    const struct {
        What what;
        rows::Command id;
    } commands[] = {{What::Cut, rows::Command::Cut},
                    {What::Insert, rows::Command::Insert},
                    {What::Delete, rows::Command::Delete},
                    {What::CopyPaste, rows::Command::Copy}};
    for (const int tab : {tab::kMemories, tab::kLimit, tab::kOneTouch, tab::kHyper}) {
        const int last = rows::LastRow(tab);
        for (const auto& command : commands) {
            for (const int row : {1, last}) {
                SCOPED_TRACE(QStringLiteral("tab %1, command %2, row %3")
                                 .arg(tab)
                                 .arg(static_cast<int>(command.id))
                                 .arg(row)
                                 .toStdString());
                auto doc = OpenDoc("full.img");
                auto view = Show(doc, tab);
                const int other = row == 1 ? last : 1;
                const QString rowBefore = RowText(*view, tab, row);
                const QString secondBefore = RowText(*view, tab, 2);
                const QString otherBefore = RowText(*view, tab, other);
                ASSERT_TRUE(RowHolds(*view, tab, row));
                const QByteArray before = Block(*doc);
                watcher.Clear();
                watcher.AnswerBoxes({QMessageBox::Yes});
                PickRows(*view, tab, row, row);
                RunCommand(*view, command.id);
                if (command.what == What::CopyPaste) {
                    EXPECT_EQ(Block(*doc), before) << "copy changes nothing";
                    PickRows(*view, tab, other, other);
                    RunCommand(*view, rows::Command::Paste);
                    EXPECT_EQ(RowText(*view, tab, other), rowBefore);
                    EXPECT_EQ(RowText(*view, tab, row), rowBefore);
                } else if (command.what == What::Cut) {
                    EXPECT_FALSE(RowHolds(*view, tab, row));
                    EXPECT_EQ(RowText(*view, tab, other), otherBefore);
                    EXPECT_EQ(QApplication::clipboard()->text(), rowBefore);
                } else if (command.what == What::Insert) {
                    EXPECT_FALSE(RowHolds(*view, tab, row));
                    if (row == 1) {
                        EXPECT_EQ(RowText(*view, tab, 2), rowBefore);
                    }
                    ASSERT_EQ(watcher.Boxes().size(), 1) << "the last row falls off";
                    EXPECT_EQ(watcher.Boxes()[0].caption, QStringLiteral("Insert"));
                    EXPECT_EQ(watcher.Boxes()[0].text, kRowsLost);
                } else {
                    EXPECT_FALSE(RowHolds(*view, tab, last));
                    if (row == 1) {
                        EXPECT_EQ(RowText(*view, tab, 1), secondBefore);
                    }
                    EXPECT_TRUE(watcher.Boxes().isEmpty());
                }
                if (command.what != What::Insert) {
                    EXPECT_TRUE(watcher.Boxes().isEmpty());
                }
                const QByteArray after = Block(*doc);
                EXPECT_NE(after, before);
                EXPECT_TRUE(doc->IsModified());
                // The grids show the image: another commit changes nothing.
                EXPECT_TRUE(view->CommitGrids(true));
                EXPECT_EQ(Block(*doc), after);
                UndoRedoRestores(*doc, before, after);
                doc->SetModified(false);
            }
        }
    }
}

// On the bands of VFO's and Home Channels only cut, copy and paste are
// offered, and a row keeps a receive frequency of its own band.
TEST_F(EditCommandsTest, BandRowsOnlyCopyAndPasteWithinTheirBand) {
    for (const int tab : {tab::kVfo, tab::kHome}) {
        SCOPED_TRACE(tab);
        auto doc = OpenDoc("busy.rdf");
        auto view = Show(doc, tab);
        const int last = rows::LastRow(tab);
        const QByteArray before = Block(*doc);
        const QString firstRow = RowText(*view, tab, 1);
        for (const rows::Command id : {rows::Command::Insert, rows::Command::Delete,
                                       rows::Command::Sort, rows::Command::SetPriority}) {
            EXPECT_FALSE(view->Edit().IsEnabled(id)) << static_cast<int>(id);
            PickRows(*view, tab, 1, 2);
            RunCommand(*view, id);
        }
        EXPECT_TRUE(watcher.Boxes().isEmpty());
        EXPECT_EQ(Block(*doc), before) << "nothing offered, nothing done";

        // Row 1's band frequency does not belong on the last band: the last
        // row keeps what it had, and the grid shows what is kept.
        const QString lastRow = RowText(*view, tab, last);
        PickRows(*view, tab, 1, 1);
        RunCommand(*view, rows::Command::Copy);
        PickRows(*view, tab, last, last);
        RunCommand(*view, rows::Command::Paste);
        EXPECT_EQ(RowText(*view, tab, last), lastRow);
        EXPECT_EQ(RowText(*view, tab, 1), firstRow);
        EXPECT_EQ(Block(*doc), before);

        // A band cannot be emptied: a cut copies the row and leaves it.
        PickRows(*view, tab, last, last);
        RunCommand(*view, rows::Command::Cut);
        EXPECT_EQ(QApplication::clipboard()->text(), lastRow);
        EXPECT_EQ(RowText(*view, tab, last), lastRow);
        EXPECT_EQ(Block(*doc), before);
    }
}

// Insert asks before any channel falls off the end, a channel below 1 MHz
// included; No leaves everything as it was.
TEST_F(EditCommandsTest, InsertAsksBeforeAnyChannelFallsOff) {
    const struct {
        const char* row449;
        const char* row450;
        QMessageBox::StandardButton answer;
        bool asked;
        bool inserted;
    } cases[] = {
        {"", "", QMessageBox::Yes, false, true},
        {"", "146.52000", QMessageBox::No, true, false},
        {"", "0.54000", QMessageBox::No, true, false},
        {"0.54000", "", QMessageBox::No, true, false},
        {"", "0.54000", QMessageBox::Yes, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 / %2").arg(c.row449, c.row450).toStdString());
        auto doc = std::make_shared<document::RadioDocument>();
        auto view = Show(doc, tab::kMemories);
        outside::CellStore& grid = view->Cells(tab::kMemories);
        grid.SetText(1, 449, QString::fromLatin1(c.row449));
        grid.SetText(1, 450, QString::fromLatin1(c.row450));
        ASSERT_TRUE(view->CommitGrids(true));
        ASSERT_EQ(doc->Radio().IsUsed(doc->Image(), tab::kMemories, 449), *c.row450 != 0)
            << "the channel is kept";
        const QByteArray before = Block(*doc);
        const QString first = RowText(*view, tab::kMemories, 1);
        watcher.Clear();
        watcher.AnswerBoxes({c.answer});
        PickRows(*view, tab::kMemories, 1, 2);
        RunCommand(*view, rows::Command::Insert);
        EXPECT_EQ(watcher.Boxes().size(), c.asked ? 1 : 0);
        if (c.inserted) {
            EXPECT_EQ(RowText(*view, tab::kMemories, 3), first);
            EXPECT_FALSE(RowHolds(*view, tab::kMemories, 1));
        } else {
            EXPECT_EQ(Block(*doc), before);
            EXPECT_EQ(RowText(*view, tab::kMemories, 1), first);
        }
    }
}

// Each tab's own last row bounds the row commands: nothing is pushed past
// it silently, and a paste near the end asks before copied channels are lost.
TEST_F(EditCommandsTest, RowCommandsStopAtTheTabsOwnLastRow) {
    const struct {
        int tab;
        int rows;
    } tabs[] = {{tab::kLimit, 40}, {tab::kOneTouch, 10}, {tab::kHyper, 10}};
    for (const auto& t : tabs) {
        SCOPED_TRACE(t.tab);
        auto doc = OpenDoc("full.img");
        auto view = Show(doc, t.tab);
        EXPECT_EQ(rows::LastRow(t.tab), t.rows);
        EXPECT_EQ(view->Cells(t.tab).MaxRows(), t.rows);
        const QString memories = RowText(*view, tab::kMemories, t.rows + 1);

        // Three rows copied, pasted from the second-last row: one would fall
        // off. No changes nothing; Yes pastes the two that fit.
        const QString rows1to3[] = {RowText(*view, t.tab, 1), RowText(*view, t.tab, 2),
                                    RowText(*view, t.tab, 3)};
        PickRows(*view, t.tab, 1, 3);
        RunCommand(*view, rows::Command::Copy);
        EXPECT_EQ(view->Edit().CopiedSpan(), 2);
        const QByteArray before = Block(*doc);
        watcher.Clear();
        watcher.AnswerBoxes({QMessageBox::No, QMessageBox::Yes});
        PickRows(*view, t.tab, t.rows - 1, t.rows - 1);
        RunCommand(*view, rows::Command::Paste);
        ASSERT_EQ(watcher.Boxes().size(), 1);
        EXPECT_EQ(watcher.Boxes()[0].caption, QStringLiteral("Paste"));
        EXPECT_EQ(Block(*doc), before);
        RunCommand(*view, rows::Command::Paste);
        EXPECT_EQ(watcher.Boxes().size(), 2);
        EXPECT_EQ(RowText(*view, t.tab, t.rows - 1), rows1to3[0]);
        EXPECT_EQ(RowText(*view, t.tab, t.rows), rows1to3[1]);
        EXPECT_EQ(view->Cells(t.tab).SelectionLastRow(), t.rows);
        // The other tables are not touched.
        EXPECT_EQ(RowText(*view, tab::kMemories, t.rows + 1), memories);
    }
}

// Rows paste only into a tab that keeps the same kind of rows.
TEST_F(EditCommandsTest, PasteTakesOnlyRowsOfTheSameKind) {
    auto doc = OpenDoc("busy.rdf");
    auto view = Show(doc, tab::kHyper);
    PickRows(*view, tab::kHyper, 1, 1);
    RunCommand(*view, rows::Command::Copy);
    const QByteArray before = Block(*doc);

    const struct {
        int tab;
        const char* clipboard; // nullptr: what was copied
        QString message;
    } cases[] = {
        {tab::kMemories, nullptr,
         QStringLiteral("Rows copied from \"Hyper Memories\" cannot be pasted into \"Memories\": "
                        "hyper memories paste only where hyper memories are kept.")},
        {tab::kGroups, nullptr,
         QStringLiteral("Rows copied from \"Hyper Memories\" cannot be pasted into \"Memory "
                        "Groups\": hyper memories paste only where hyper memories are kept.")},
        {tab::kMemories, "146.52000\t\t\n",
         QStringLiteral("The clipboard holds no rows copied from a channel table.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        if (c.clipboard)
            QApplication::clipboard()->setText(QString::fromLatin1(c.clipboard));
        view->SetCurrentTab(c.tab);
        watcher.Clear();
        PickRows(*view, c.tab, 1, 1);
        RunCommand(*view, rows::Command::Paste);
        ASSERT_EQ(watcher.Boxes().size(), 1);
        EXPECT_EQ(watcher.Boxes()[0].caption, QStringLiteral("Paste"));
        EXPECT_EQ(watcher.Boxes()[0].text, c.message);
        EXPECT_EQ(Block(*doc), before);
    }

    // Rows copied in one window paste in a window of another document.
    view->SetCurrentTab(tab::kHyper);
    PickRows(*view, tab::kHyper, 1, 1);
    RunCommand(*view, rows::Command::Copy);
    auto otherDoc = std::make_shared<document::RadioDocument>();
    auto otherView = Show(otherDoc, tab::kHyper);
    PickRows(*otherView, tab::kHyper, 2, 2);
    watcher.Clear();
    RunCommand(*otherView, rows::Command::Paste);
    EXPECT_TRUE(watcher.Boxes().isEmpty());
    EXPECT_EQ(RowText(*otherView, tab::kHyper, 2), RowText(*view, tab::kHyper, 1));

    // Channels go from one channel list to another.
    view->SetCurrentTab(tab::kMemories);
    const QString memory = RowText(*view, tab::kMemories, 1);
    PickRows(*view, tab::kMemories, 1, 1);
    RunCommand(*view, rows::Command::Copy);
    view->SetCurrentTab(tab::kOneTouch);
    PickRows(*view, tab::kOneTouch, 4, 4);
    watcher.Clear();
    RunCommand(*view, rows::Command::Paste);
    EXPECT_TRUE(watcher.Boxes().isEmpty());
    EXPECT_EQ(RowText(*view, tab::kOneTouch, 4), memory);
}

// The memory groups and the priority channel follow the memory channels
// they name, in the image and the groups grid alike; other tabs leave them.
TEST_F(EditCommandsTest, GroupsAndPriorityFollowMemoryRows) {
    // Channels 3, 5 and 10 in group 1, channel 10 in group 2; channel 5 the
    // priority channel.
    const auto setUp = [](document::RadioDocument& doc) {
        Byte* image = doc.Image();
        RadioModel::SetGroupSize(image, 0, 3);
        RadioModel::SetGroupMember(image, 0, 0, 2);
        RadioModel::SetGroupMember(image, 0, 1, 4);
        RadioModel::SetGroupMember(image, 0, 2, 9);
        RadioModel::SetGroupSize(image, 1, 1);
        RadioModel::SetGroupMember(image, 1, 0, 9);
        doc.Radio().SetPriorityChannel(5);
    };
    const auto members = [](const document::RadioDocument& doc, int g) {
        QList<int> list;
        for (int j = 0; j < RadioModel::GroupSize(doc.Image(), g); ++j)
            list << RadioModel::GroupMember(doc.Image(), g, j) + 1;
        return list;
    };
    const struct {
        int tab;
        rows::Command id;
        int r1;
        int r2;
        QList<int> group1;
        QList<int> group2;
        int priority;
    } cases[] = {
        {tab::kMemories, rows::Command::Insert, 4, 5, {3, 7, 12}, {12}, 7},
        {tab::kMemories, rows::Command::Delete, 4, 5, {3, 8}, {8}, 1},
        {tab::kMemories, rows::Command::Delete, 1, 2, {1, 3, 8}, {8}, 3},
        {tab::kMemories, rows::Command::Cut, 5, 5, {3, 10}, {10}, 1},
        {tab::kMemories, rows::Command::Cut, 6, 9, {3, 5, 10}, {10}, 5},
        {tab::kLimit, rows::Command::Insert, 1, 4, {3, 5, 10}, {10}, 5},
        {tab::kLimit, rows::Command::Delete, 1, 4, {3, 5, 10}, {10}, 5},
        {tab::kLimit, rows::Command::Cut, 1, 4, {3, 5, 10}, {10}, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("tab %1 id %2 rows %3-%4")
                         .arg(c.tab)
                         .arg(static_cast<int>(c.id))
                         .arg(c.r1)
                         .arg(c.r2)
                         .toStdString());
        auto doc = OpenDoc("full.img");
        setUp(*doc);
        auto view = Show(doc, c.tab);
        view->RefreshGrids();
        const QByteArray before = Block(*doc);
        watcher.Clear();
        watcher.AnswerBoxes({QMessageBox::Yes});
        PickRows(*view, c.tab, c.r1, c.r2);
        RunCommand(*view, c.id);
        EXPECT_EQ(members(*doc, 0), c.group1);
        EXPECT_EQ(members(*doc, 1), c.group2);
        EXPECT_EQ(doc->Radio().PriorityChannel(), c.priority);
        EXPECT_EQ(view->Cells(tab::kMemories).Text(0, c.priority),
                  QStringLiteral("P%1").arg(c.priority));
        // The groups grid lists the same channels, so a commit keeps them.
        const outside::CellStore& groups = view->Cells(tab::kGroups);
        for (int j = 0; j < c.group1.size(); ++j) {
            EXPECT_EQ(groups.Text(1, j + 1).section(QLatin1Char(' '), 0, 0).toInt(), c.group1[j]);
        }
        const QByteArray after = Block(*doc);
        view->SetCurrentTab(tab::kGroups);
        view->SetCurrentTab(tab::kMemories);
        EXPECT_TRUE(view->CommitGrids(true));
        EXPECT_EQ(Block(*doc), after);
        UndoRedoRestores(*doc, before, after);
    }
}

// The sort dialog, driven as a user would, sorts the chosen rows; a later
// sort without a second key forgets the earlier one.
TEST_F(EditCommandsTest, SortByTheDialogsKeys) {
    auto doc = std::make_shared<document::RadioDocument>();
    auto view = Show(doc, tab::kMemories);
    outside::CellStore& grid = view->Cells(tab::kMemories);
    // Five channels: names and modes out of order.
    const char* rx[] = {"146.52000", "145.50000", "147.00000", "144.39000", "146.52000"};
    const char* name[] = {"B", "A", "A", "C", "A"};
    for (int r = 1; r <= 5; ++r) {
        grid.SetText(1, r, QString::fromLatin1(rx[r - 1]));
        grid.SetText(2, r, QString::fromLatin1(rx[r - 1]));
        grid.SetListIndex(4, r, 0);
        grid.SetText(6, r, QString::fromLatin1(name[r - 1]));
    }
    ASSERT_TRUE(view->CommitGrids(true));
    // Channels 2 and 5 in group 1; channel 4 the priority channel.
    RadioModel::SetGroupSize(doc->Image(), 0, 2);
    RadioModel::SetGroupMember(doc->Image(), 0, 0, 1);
    RadioModel::SetGroupMember(doc->Image(), 0, 1, 4);
    doc->Radio().SetPriorityChannel(4);
    view->RefreshGrids();
    const auto column = [&](int col) {
        QStringList list;
        for (int r = 1; r <= 5; ++r)
            list << grid.Text(col, r);
        return list.join(QLatin1Char(','));
    };

    const struct {
        int first; // 1-based key columns; 0 none
        int second;
        bool descending;
        bool allRows;
        int r1;
        int r2;
        QString names;
        QString receive;
        QString error;
    } cases[] = {
        // By name, then by receive frequency.
        {6, 1, false, true, 1, 1, "A,A,A,B,C", "145.50000,146.52000,147.00000,146.52000,144.39000",
         ""},
        // By name alone, descending: the second key is gone, equal names keep
        // their order.
        {6, 0, true, true, 1, 1, "C,B,A,A,A", "144.39000,146.52000,145.50000,146.52000,147.00000",
         ""},
        // Selected rows 3 to 5 by receive frequency, descending.
        {1, 0, true, false, 3, 5, "C,B,A,A,A", "144.39000,146.52000,147.00000,146.52000,145.50000",
         ""},
        // One selected row cannot be sorted.
        {1, 0, false, false, 2, 2, "C,B,A,A,A", "144.39000,146.52000,147.00000,146.52000,145.50000",
         "No channels were selected for sorting."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.names.toStdString());
        watcher.Clear();
        watcher.OnOtherDialog([&c](QWidget* dialog) {
            auto* sort = qobject_cast<widgets::SortDialog*>(dialog);
            ASSERT_TRUE(sort);
            ASSERT_EQ(sort->FirstKey()->count(), 18);
            EXPECT_EQ(sort->FirstKey()->itemText(0), QStringLiteral("Receive Frequency"));
            sort->FirstKey()->setCurrentIndex(c.first - 1);
            sort->SecondKey()->setCurrentIndex(c.second);
            (c.descending ? sort->Descending() : sort->Ascending())->setChecked(true);
            (c.allRows ? sort->AllRows() : sort->SelectedRows())->setChecked(true);
            sort->accept();
        });
        PickRows(*view, tab::kMemories, c.r1, c.r2);
        RunCommand(*view, rows::Command::Sort);
        EXPECT_EQ(column(6), c.names);
        EXPECT_EQ(column(1), c.receive);
        EXPECT_EQ(grid.SortKeyColumn(2), c.second >= 1 ? c.second : 0);
        if (&c == &cases[0]) {
            // The groups and the priority channel keep their channels, now
            // in rows 1, 2 and 5.
            EXPECT_EQ(RadioModel::GroupMember(doc->Image(), 0, 0), 0);
            EXPECT_EQ(RadioModel::GroupMember(doc->Image(), 0, 1), 1);
            EXPECT_EQ(doc->Radio().PriorityChannel(), 5);
            EXPECT_EQ(grid.Text(0, 5), QStringLiteral("P5"));
            EXPECT_TRUE(view->Cells(tab::kGroups).Text(1, 2).startsWith(QStringLiteral("002 ")));
        }
        if (c.error.isEmpty()) {
            EXPECT_TRUE(watcher.Boxes().isEmpty());
        } else {
            ASSERT_EQ(watcher.Boxes().size(), 1);
            EXPECT_EQ(watcher.Boxes()[0].caption, QStringLiteral("Sort Error"));
            EXPECT_EQ(watcher.Boxes()[0].text, c.error);
        }
    }
    // Each sort is one step.
    const QByteArray sorted = Block(*doc);
    doc->History().Undo();
    EXPECT_EQ(column(6), QStringLiteral("C,B,A,A,A"));
    EXPECT_EQ(column(1), QStringLiteral("144.39000,146.52000,145.50000,146.52000,147.00000"));
    doc->History().Undo();
    EXPECT_EQ(column(6), QStringLiteral("A,A,A,B,C"));
    doc->History().Redo();
    doc->History().Redo();
    EXPECT_EQ(Block(*doc), sorted);
}

// Set Priority: offered on programmed memory rows, shown in the row labels,
// and an undoable change of the document.
TEST_F(EditCommandsTest, SetPriorityMarksTheRowAndCanBeUndone) {
    auto doc = OpenDoc("full.img");
    doc->Radio().SetPriorityChannel(2);
    auto view = Show(doc, tab::kMemories);
    view->RefreshGrids();
    const QByteArray before = Block(*doc);
    ClickCell(*view, tab::kMemories, 5);
    EXPECT_TRUE(view->Edit().IsEnabled(rows::Command::SetPriority));
    RunCommand(*view, rows::Command::SetPriority);
    const outside::CellStore& grid = view->Cells(tab::kMemories);
    EXPECT_EQ(grid.Text(0, 2), QStringLiteral("2"));
    EXPECT_EQ(grid.Text(0, 5), QStringLiteral("P5"));
    EXPECT_EQ(doc->Radio().PriorityChannel(), 5);
    EXPECT_TRUE(doc->IsModified());
    UndoRedoRestores(*doc, before, Block(*doc));
    doc->History().Undo();
    EXPECT_FALSE(doc->IsModified()) << "back at the saved state";
    EXPECT_EQ(grid.Text(0, 2), QStringLiteral("P2"));
    EXPECT_EQ(grid.Text(0, 5), QStringLiteral("5"));

    // An empty memory row, and any other tab, cannot be the priority.
    auto fresh = std::make_shared<document::RadioDocument>();
    auto other = Show(fresh, tab::kMemories);
    ClickCell(*other, tab::kMemories, 7);
    EXPECT_FALSE(other->Edit().IsEnabled(rows::Command::SetPriority));
    ClickCell(*other, tab::kMemories, 1);
    EXPECT_TRUE(other->Edit().IsEnabled(rows::Command::SetPriority));
    other->SetCurrentTab(tab::kLimit);
    ClickCell(*other, tab::kLimit, 1);
    EXPECT_FALSE(other->Edit().IsEnabled(rows::Command::SetPriority));
}

// A right click opens the Edit menu over the grid, Set Priority in it with
// its prompt; there is none on Memory Groups.
TEST_F(EditCommandsTest, RightClickOpensTheEditMenu) {
    app::MainWindow frame;
    frame.resize(1000, 700);
    frame.show();
    app::DocumentWindow* child = frame.NewDocument();
    editor::MainView& view = *child->View();
    // One change to undo.
    view.Cells(tab::kMemories).SetText(channelcol::kName, 1, QStringLiteral("HOME"));
    ASSERT_TRUE(view.CommitGrids(true));
    const struct {
        int tab;
        int row;
        bool menu;
        bool priority;
        bool insert;
    } cases[] = {
        {tab::kMemories, 1, true, true, true},  {tab::kMemories, 3, true, false, true},
        {tab::kLimit, 1, true, false, true},    {tab::kVfo, 1, true, false, false},
        {tab::kGroups, 1, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tab);
        view.SetCurrentTab(c.tab);
        QStringList texts;
        bool priorityEnabled = false;
        bool insertEnabled = false;
        bool undoEnabled = false;
        bool redoEnabled = true;
        QString prompt;
        bool shown = false;
        QTimer::singleShot(100, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            shown = true;
            for (QAction* action : menu->actions()) {
                if (action->isSeparator())
                    continue;
                texts << action->text();
                if (action->objectName() == QLatin1String("edit.setPriority")) {
                    priorityEnabled = action->isEnabled();
                    menu->setActiveAction(action);
                    prompt = frame.statusBar()->currentMessage();
                }
                if (action->objectName() == QLatin1String("edit.insert"))
                    insertEnabled = action->isEnabled();
                if (action->objectName() == QLatin1String("edit.undo"))
                    undoEnabled = action->isEnabled();
                if (action->objectName() == QLatin1String("edit.redo"))
                    redoEnabled = action->isEnabled();
            }
            menu->close();
        });
        ClickCell(view, c.tab, c.row, {}, Qt::RightButton);
        QTest::qWait(150);
        EXPECT_EQ(shown, c.menu);
        if (!c.menu)
            continue;
        // The Edit popup of the menu bar, Undo and Redo included, and Set
        // Priority.
        EXPECT_EQ(texts, (QStringList{"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "Cu&t\tCtrl+X",
                                      "&Copy\tCtrl+C", "&Paste\tCtrl+V", "&Insert\tCtrl++",
                                      "&Delete\tCtrl+-", "Sort", "Set Priority"}));
        EXPECT_EQ(undoEnabled, frame.Action(QStringLiteral("edit.undo"))->isEnabled());
        EXPECT_TRUE(undoEnabled) << "a name was typed";
        EXPECT_EQ(redoEnabled, frame.Action(QStringLiteral("edit.redo"))->isEnabled());
        EXPECT_EQ(priorityEnabled, c.priority);
        EXPECT_EQ(insertEnabled, c.insert);
        if (c.priority) {
            EXPECT_EQ(prompt, QStringLiteral("Select Priority Channel"));
        }
    }

    // Choosing an item runs it: Set Priority on channel 1.
    view.SetCurrentTab(tab::kMemories);
    QTimer::singleShot(100, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_TRUE(menu);
        for (QAction* action : menu->actions()) {
            if (action->objectName() == QLatin1String("edit.setPriority"))
                action->trigger();
        }
        menu->close();
    });
    child->Document().Radio().SetPriorityChannel(2);
    ClickCell(view, tab::kMemories, 1, {}, Qt::RightButton);
    QTest::qWait(150);
    EXPECT_EQ(child->Document().Radio().PriorityChannel(), 1);
    EXPECT_TRUE(child->Document().IsModified());
    child->Document().History().Reset(false);
}

// The menu bar's Edit menu has no Set Priority; the accelerators run the
// clipboard commands; Insert, Delete and Sort are greyed where not offered.
TEST_F(EditCommandsTest, MenuBarAndAccelerators) {
    app::MainWindow frame;
    frame.resize(1000, 700);
    frame.show();
    app::DocumentWindow* child = frame.NewDocument();
    editor::MainView& view = *child->View();
    QApplication::setActiveWindow(&frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QMenu* edit = nullptr;
    for (QAction* action : frame.menuBar()->actions()) {
        if (action->text() == QStringLiteral("&Edit"))
            edit = action->menu();
    }
    ASSERT_TRUE(edit);
    for (QAction* action : edit->actions())
        EXPECT_NE(action->text(), QStringLiteral("Set Priority"));
    EXPECT_FALSE(edit->actions().last()->isSeparator());

    const struct {
        int tab;
        bool offered;
    } tabs[] = {{tab::kMemories, true},
                {tab::kHyper, true},
                {tab::kGroups, false},
                {tab::kVfo, false},
                {tab::kHome, false}};
    for (const auto& t : tabs) {
        view.SetCurrentTab(t.tab);
        emit edit->aboutToShow();
        for (const char* name : {"edit.insert", "edit.delete", "edit.sort"})
            EXPECT_EQ(frame.Action(QLatin1String(name))->isEnabled(), t.offered)
                << t.tab << " " << name;
        EXPECT_TRUE(frame.Action(QStringLiteral("edit.paste"))->isEnabled());
    }

    // Ctrl+C / Shift+Ins copies channel 1 to row 3; Shift+Del cuts it again;
    // Ctrl+Ins copies.
    view.SetCurrentTab(tab::kMemories);
    document::RadioDocument& doc = child->Document();
    const QString first = RowText(view, tab::kMemories, 1);
    const struct {
        int row;
        QKeySequence keys;
        QString row3;
    } steps[] = {
        {1, QKeySequence(Qt::CTRL | Qt::Key_C), QString()},
        {3, QKeySequence(Qt::SHIFT | Qt::Key_Insert), first},
        {3, QKeySequence(Qt::SHIFT | Qt::Key_Delete), QString()},
        {1, QKeySequence(Qt::CTRL | Qt::Key_Insert), QString()},
        {3, QKeySequence(Qt::CTRL | Qt::Key_V), first},
        {3, QKeySequence(Qt::CTRL | Qt::Key_X), QString()},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.keys.toString().toStdString());
        PickRows(view, tab::kMemories, s.row, s.row);
        QTest::keySequence(view.Grid(tab::kMemories), s.keys);
        if (!s.row3.isEmpty()) {
            EXPECT_EQ(RowText(view, tab::kMemories, 3), s.row3);
        } else {
            EXPECT_FALSE(RowHolds(view, tab::kMemories, 3));
        }
    }
    EXPECT_EQ(doc.History().Count(), 4);
    doc.History().Reset(false);
}

// Dragged rows move on the tables whose rows may move; not on Memories nor
// on the bands; a drop near the end asks before rows fall off.
TEST_F(EditCommandsTest, DraggedRowsMove) {
    // The grid reports a dragged block dropped on a row as it does at the
    // end of a drag of its own.
    const auto drop = [](editor::MainView& view, int tab, int r1, int r2, int grabbed, int target) {
        const int cols = view.Cells(tab).MaxCols();
        const int shift = target - grabbed;
        emit view.Grid(tab)->blockDropped(outside::GridBlock{1, r1, cols, r2},
                                          outside::GridBlock{1, r1 + shift, cols, r2 + shift});
    };
    const struct {
        int tab;
        int r1;
        int r2;
        int target; // grabbed at r1
        QMessageBox::StandardButton answer;
        bool asked;
        bool moved;
    } cases[] = {
        {tab::kLimit, 1, 2, 5, QMessageBox::Yes, false, true},
        {tab::kOneTouch, 9, 10, 1, QMessageBox::Yes, false, true},
        {tab::kHyper, 1, 3, 9, QMessageBox::No, true, false},
        {tab::kHyper, 1, 3, 9, QMessageBox::Yes, true, true},
        {tab::kMemories, 1, 2, 5, QMessageBox::Yes, false, false},
        {tab::kVfo, 1, 2, 5, QMessageBox::Yes, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tab);
        auto doc = OpenDoc("full.img");
        auto view = Show(doc, c.tab);
        const QString moving = RowText(*view, c.tab, c.r1);
        const QByteArray before = Block(*doc);
        watcher.Clear();
        watcher.AnswerBoxes({c.answer});
        drop(*view, c.tab, c.r1, c.r2, c.r1, c.target);
        EXPECT_EQ(watcher.Boxes().size(), c.asked ? 1 : 0);
        if (!c.moved) {
            EXPECT_EQ(Block(*doc), before);
            continue;
        }
        EXPECT_EQ(RowText(*view, c.tab, c.target), moving);
        if (c.r2 < c.target) {
            EXPECT_FALSE(RowHolds(*view, c.tab, c.r1)) << "the rows left are empty";
        }
        UndoRedoRestores(*doc, before, Block(*doc));
    }
}

// On Memory Groups a cut row leaves every group packed; a paste puts
// members back in order.
TEST_F(EditCommandsTest, GroupRowsCutAndPastedStayPacked) {
    auto doc = OpenDoc("busy.rdf");
    auto view = Show(doc, tab::kGroups);
    const auto members = [&doc](int g) {
        QList<int> list;
        for (int j = 0; j < RadioModel::GroupSize(doc->Image(), g); ++j)
            list << RadioModel::GroupMember(doc->Image(), g, j) + 1;
        return list;
    };
    QList<QList<int>> before;
    for (int g = 0; g < image::kGroupCount; ++g)
        before << members(g);
    ASSERT_GE(before[0].size(), 4);
    const QByteArray original = Block(*doc);

    PickRows(*view, tab::kGroups, 2, 2);
    RunCommand(*view, rows::Command::Cut);
    for (int g = 0; g < image::kGroupCount; ++g) {
        SCOPED_TRACE(g);
        QList<int> expected = before[g];
        if (expected.size() >= 2)
            expected.removeAt(1);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(members(g), expected);
    }
    const QByteArray cut = Block(*doc);
    EXPECT_TRUE(view->CommitGrids(true));
    EXPECT_EQ(Block(*doc), cut) << "the grid shows the groups as kept";

    // Group 1's second member pasted below its last one comes back in order.
    const int size = static_cast<int>(members(0).size());
    PickRows(*view, tab::kGroups, size + 1, size + 1);
    RunCommand(*view, rows::Command::Paste);
    QList<int> group1 = before[0];
    std::sort(group1.begin(), group1.end());
    EXPECT_EQ(members(0), group1);
    EXPECT_TRUE(watcher.Boxes().isEmpty());

    doc->History().Undo();
    doc->History().Undo();
    EXPECT_EQ(Block(*doc), original);
}

// A command given while a cell is being typed into commits the typing as a
// step of its own first.
TEST_F(EditCommandsTest, TypingIsCommittedAsItsOwnStepBeforeACommand) {
    app::MainWindow frame;
    frame.resize(1000, 700);
    frame.show();
    app::DocumentWindow* child = frame.NewDocument();
    editor::MainView& view = *child->View();
    document::RadioDocument& doc = child->Document();
    const QByteArray before = Block(doc);
    widgets::GridView* grid = view.Grid(tab::kMemories);
    grid->SetActiveCell(channelcol::kName, 1);
    grid->StartEdit();
    ASSERT_TRUE(grid->IsEditing());
    QLineEdit* editor = nullptr;
    for (QLineEdit* edit : grid->findChildren<QLineEdit*>())
        editor = edit->isVisible() ? edit : editor;
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor, QStringLiteral("ABC"));
    frame.RunCommand(QStringLiteral("edit.insert"));
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(view.Cells(tab::kMemories).Text(channelcol::kName, 2), QStringLiteral("ABC"));
    EXPECT_FALSE(RowHolds(view, tab::kMemories, 1));
    document::DocumentHistory& history = doc.History();
    history.Undo();
    EXPECT_EQ(view.Cells(tab::kMemories).Text(channelcol::kName, 1), QStringLiteral("ABC"));
    history.Undo();
    EXPECT_EQ(Block(doc), before);
    EXPECT_FALSE(doc.IsModified());
}

// A paste fills as many rows as were copied from the first selected row, and
// at least the rows selected; Set Priority works at both ends of Memories.
TEST_F(EditCommandsTest, PasteFillsTheCopiedRowsAndPriorityAtBothEnds) {
    auto doc = OpenDoc("full.img");
    auto view = Show(doc, tab::kMemories);
    const QString copied[] = {RowText(*view, tab::kMemories, 1), RowText(*view, tab::kMemories, 2),
                              RowText(*view, tab::kMemories, 3)};
    PickRows(*view, tab::kMemories, 1, 3);
    RunCommand(*view, rows::Command::Copy);
    const struct {
        int r1;
        int r2;
        int selectedLast;
    } cases[] = {{10, 10, 12}, {20, 25, 25}, {448, 448, 450}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.r1);
        const QString after = RowText(*view, tab::kMemories, c.r1 + 3);
        PickRows(*view, tab::kMemories, c.r1, c.r2);
        RunCommand(*view, rows::Command::Paste);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(RowText(*view, tab::kMemories, c.r1 + k), copied[k]);
        if (c.r1 + 3 <= 450) {
            EXPECT_EQ(RowText(*view, tab::kMemories, c.r1 + 3), after) << "one row past the copied";
        }
        EXPECT_EQ(view->Cells(tab::kMemories).SelectionFirstRow(), c.r1);
        EXPECT_EQ(view->Cells(tab::kMemories).SelectionLastRow(), c.selectedLast);
    }
    for (const int row : {1, 450}) {
        ClickCell(*view, tab::kMemories, row);
        RunCommand(*view, rows::Command::SetPriority);
        EXPECT_EQ(doc->Radio().PriorityChannel(), row);
        EXPECT_EQ(view->Cells(tab::kMemories).Text(0, row), QStringLiteral("P%1").arg(row));
    }
    EXPECT_EQ(view->Cells(tab::kMemories).Text(0, 1), QStringLiteral("1"));
}

} // namespace
