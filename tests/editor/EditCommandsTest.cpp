// The Edit menu's row commands, offscreen on the real grid view: rows are
// picked with the mouse, commands come from the view, the main window's
// accelerators and the right-click menu; their questions and messages; every
// change is one undo step that puts the document back byte for byte. Which
// rows each command moves, and how the groups and the priority channel
// follow, is checked on the tables (tests/radio).
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
#include <QMenu>
#include <QMenuBar>
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

QByteArray Block(const document::RadioDocument& doc) {
    return QByteArray(reinterpret_cast<const char*>(doc.Block()), radio::rdf::kFileSize);
}

std::shared_ptr<document::RadioDocument> OpenDoc(const char* name) {
    auto doc = std::make_shared<document::RadioDocument>();
    EXPECT_FALSE(doc->Load(testing_support::DataPath(name))) << name;
    doc->SetModified(false);
    return doc;
}

QStringList Texts(const ModalWatcher& watcher) {
    QStringList texts;
    for (const auto& box : watcher.Boxes())
        texts << box.text;
    return texts;
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
    QTest::mouseClick(grid->viewport(), button, modifiers, grid->visualRect(index).center());
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

class EditCommandsTest : public ::testing::Test {
protected:
    ModalWatcher watcher;

    // The view on a tab; each hyper memory on a frequency of its own.
    std::unique_ptr<editor::MainView> Show(std::shared_ptr<document::RadioDocument> doc, int tab) {
        auto view = std::make_unique<editor::MainView>(std::move(doc));
        outside::CellStore& hyper = view->Cells(tab::kHyper);
        for (int r = 1; r <= hyper.MaxRows(); ++r) {
            const QString rx = FrequencyText(145000000 + 25000 * r);
            hyper.SetText(hypercol::kSetAShift + channelcol::kReceive, r, rx);
            hyper.SetText(hypercol::kSetAShift + channelcol::kTransmit, r, rx);
        }
        EXPECT_TRUE(view->CommitGrids(false));
        view->RefreshGrids();
        view->Document().History().Reset(false);
        view->resize(1000, 700);
        view->show();
        view->SetCurrentTab(tab);
        return view;
    }
    // A main window with a new document; its view.
    editor::MainView& Frame(app::MainWindow& frame) {
        frame.resize(1000, 700);
        frame.show();
        return *frame.NewDocument()->View();
    }
    void UndoRedoRestores(document::RadioDocument& doc, const QByteArray& before,
                          const QByteArray& after) {
        doc.History().Undo();
        EXPECT_EQ(Block(doc), before) << "undo puts every byte back";
        doc.History().Redo();
        EXPECT_EQ(Block(doc), after) << "redo makes the change again";
    }
};

// Each command on picked memory rows: its question, the rows it leaves, the
// clipboard, the priority column and the group grid refreshed (channel 5 the
// priority channel, channels 3, 5 and 10 in group 1), one undo step.
TEST_F(EditCommandsTest, EachCommandOnPickedRows) {
    const struct {
        const char* what;
        rows::Command id;
        int r1, r2;
        QMessageBox::StandardButton answer;
        int movedFrom; // the row now shown at r1; 0: r1 holds nothing, -1: unchanged
        int priority;
        int firstMember;
    } cases[] = {
        {"cut", rows::Command::Cut, 5, 5, QMessageBox::Yes, 0, 1, 3},
        {"delete", rows::Command::Delete, 1, 2, QMessageBox::Yes, 3, 3, 1},
        {"insert, the last channel falls off", rows::Command::Insert, 4, 5, QMessageBox::Yes, 0, 7,
         3},
        {"insert refused", rows::Command::Insert, 4, 5, QMessageBox::No, -1, 5, 3},
        {"copy and paste", rows::Command::Copy, 1, 1, QMessageBox::Yes, -1, 5, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto doc = OpenDoc("full.img");
        RadioModel::SetGroupSize(doc->Image(), 0, 3);
        for (int j : {0, 1, 2})
            RadioModel::SetGroupMember(doc->Image(), 0, j, QList<int>{2, 4, 9}[j]);
        doc->Radio().SetPriorityChannel(5);
        auto view = Show(doc, tab::kMemories);
        const QString r1Before = RowText(*view, tab::kMemories, c.r1);
        const QString movedBefore =
            c.movedFrom > 0 ? RowText(*view, tab::kMemories, c.movedFrom) : r1Before;
        const QByteArray before = Block(*doc);
        watcher.Clear();
        watcher.AnswerBoxes({c.answer});
        PickRows(*view, tab::kMemories, c.r1, c.r2);
        RunCommand(*view, c.id);
        EXPECT_EQ(Texts(watcher), c.id == rows::Command::Insert
                                      ? QStringList{"Upper memories will be lost.\nContinue?"}
                                      : QStringList());
        if (c.movedFrom == 0) {
            EXPECT_FALSE(RowHolds(*view, tab::kMemories, c.r1));
        } else {
            EXPECT_EQ(RowText(*view, tab::kMemories, c.r1), movedBefore);
        }
        if (c.id == rows::Command::Cut || c.id == rows::Command::Copy) {
            EXPECT_EQ(QApplication::clipboard()->text(), r1Before);
        }
        if (c.id == rows::Command::Copy) {
            EXPECT_EQ(Block(*doc), before) << "copy changes nothing";
            // A paste fills the copied rows from the first picked row, and
            // at least the rows picked.
            PickRows(*view, tab::kMemories, 448, 449);
            RunCommand(*view, rows::Command::Paste);
            EXPECT_EQ(RowText(*view, tab::kMemories, 448), r1Before);
            EXPECT_EQ(view->Cells(tab::kMemories).SelectionLastRow(), 449);
        }
        EXPECT_EQ(view->Cells(tab::kMemories).Text(0, c.priority),
                  QStringLiteral("P%1").arg(c.priority));
        EXPECT_EQ(view->Cells(tab::kGroups).Text(1, 1).left(3),
                  QStringLiteral("%1").arg(c.firstMember, 3, 10, QLatin1Char('0')));
        if (c.movedFrom < 0 && c.id != rows::Command::Copy) {
            EXPECT_EQ(Block(*doc), before);
            continue;
        }
        UndoRedoRestores(*doc, before, Block(*doc));
    }
}

// A paste near the end asks before copied rows are lost; rows paste only
// into a tab that keeps the same kind of rows.
TEST_F(EditCommandsTest, PasteAsksAndTakesOnlyRowsOfItsKind) {
    auto doc = OpenDoc("full.img");
    auto view = Show(doc, tab::kHyper);
    const QString rows1to2[] = {RowText(*view, tab::kHyper, 1), RowText(*view, tab::kHyper, 2)};
    PickRows(*view, tab::kHyper, 1, 3);
    RunCommand(*view, rows::Command::Copy);
    const QByteArray before = Block(*doc);
    watcher.AnswerBoxes({QMessageBox::No, QMessageBox::Yes});
    PickRows(*view, tab::kHyper, 9, 9);
    RunCommand(*view, rows::Command::Paste);
    ASSERT_EQ(watcher.Boxes().size(), 1);
    EXPECT_EQ(Block(*doc), before);
    RunCommand(*view, rows::Command::Paste);
    EXPECT_EQ(RowText(*view, tab::kHyper, 9), rows1to2[0]);
    EXPECT_EQ(RowText(*view, tab::kHyper, 10), rows1to2[1]);

    const QByteArray pasted = Block(*doc);
    const struct {
        int tab;
        const char* clipboard; // nullptr: what was copied
        QString message;
    } cases[] = {
        {tab::kMemories, nullptr,
         QStringLiteral("Rows copied from \"Hyper Memories\" cannot be pasted into \"Memories\": "
                        "hyper memories paste only where hyper memories are kept.")},
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
        EXPECT_EQ(Texts(watcher), QStringList{c.message});
        EXPECT_EQ(Block(*doc), pasted);
    }
}

// The sort dialog, driven as a user would, sorts the chosen rows; a later
// sort without a second key forgets the earlier one.
TEST_F(EditCommandsTest, SortByTheDialogsKeys) {
    auto doc = std::make_shared<document::RadioDocument>();
    auto view = Show(doc, tab::kMemories);
    outside::CellStore& grid = view->Cells(tab::kMemories);
    // Five channels out of order, names B, A, A, C, A: by name and then by
    // receive frequency the names come in order.
    const char* rx[] = {"146.52000", "145.50000", "147.00000", "144.39000", "146.52000"};
    const char* name[] = {"B", "A", "A", "C", "A"};
    for (int r = 1; r <= 5; ++r) {
        grid.SetText(1, r, QString::fromLatin1(rx[r - 1]));
        grid.SetText(2, r, QString::fromLatin1(rx[r - 1]));
        grid.SetListIndex(4, r, 0);
        grid.SetText(6, r, QString::fromLatin1(name[r - 1]));
    }
    ASSERT_TRUE(view->CommitGrids(true));
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
        QString receive;
        QString error;
    } cases[] = {
        // By name, then by receive frequency.
        {6, 1, false, true, 1, 1, "145.50000,146.52000,147.00000,146.52000,144.39000", ""},
        // Selected rows 1 to 3 by receive frequency, descending, the second
        // key gone.
        {1, 0, true, false, 1, 3, "147.00000,146.52000,145.50000,146.52000,144.39000", ""},
        // One selected row cannot be sorted.
        {1, 0, false, false, 2, 2, "147.00000,146.52000,145.50000,146.52000,144.39000",
         "No channels were selected for sorting."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.receive.toStdString());
        watcher.Clear();
        watcher.OnOtherDialog([&c](QWidget* dialog) {
            auto* sort = qobject_cast<widgets::SortDialog*>(dialog);
            ASSERT_TRUE(sort);
            sort->FirstKey()->setCurrentIndex(c.first - 1);
            sort->SecondKey()->setCurrentIndex(c.second);
            (c.descending ? sort->Descending() : sort->Ascending())->setChecked(true);
            (c.allRows ? sort->AllRows() : sort->SelectedRows())->setChecked(true);
            sort->accept();
        });
        PickRows(*view, tab::kMemories, c.r1, c.r2);
        RunCommand(*view, rows::Command::Sort);
        EXPECT_EQ(column(1), c.receive);
        EXPECT_EQ(grid.SortKeyColumn(2), c.second >= 1 ? c.second : 0);
        EXPECT_EQ(Texts(watcher), c.error.isEmpty() ? QStringList() : QStringList{c.error});
    }
}

// A right click opens the Edit menu over the grid, Set Priority in it with
// its prompt, offered on programmed memory rows only; there is none on
// Memory Groups. Choosing Set Priority marks the row, as one undo step.
TEST_F(EditCommandsTest, RightClickOpensTheEditMenu) {
    app::MainWindow frame;
    editor::MainView& view = Frame(frame);
    document::RadioDocument& doc = view.Document();
    doc.Radio().SetPriorityChannel(2);
    view.RefreshGrids();
    const QByteArray before = Block(doc);
    const struct {
        int tab;
        int row;
        bool menu;
        bool priority; // offered, and chosen
    } cases[] = {
        {tab::kGroups, 1, false, false},
        {tab::kMemories, 3, true, false},
        {tab::kMemories, 1, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tab);
        view.SetCurrentTab(c.tab);
        QStringList texts;
        bool priorityEnabled = false;
        QString prompt;
        QTimer::singleShot(100, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            QAction* priority = nullptr;
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator())
                    texts << action->text();
                if (action->objectName() == QLatin1String("edit.setPriority"))
                    priority = action;
            }
            priorityEnabled = priority->isEnabled();
            if (priorityEnabled) {
                menu->setActiveAction(priority);
                prompt = frame.statusBar()->currentMessage();
                priority->trigger();
            }
            menu->close();
        });
        ClickCell(view, c.tab, c.row, {}, Qt::RightButton);
        QTest::qWait(150);
        EXPECT_EQ(texts.isEmpty(), !c.menu);
        if (!c.menu)
            continue;
        EXPECT_EQ(texts, (QStringList{"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "Cu&t\tCtrl+X",
                                      "&Copy\tCtrl+C", "&Paste\tCtrl+V", "&Insert\tCtrl++",
                                      "&Delete\tCtrl+-", "S&ort...", "Set Priorit&y"}));
        EXPECT_EQ(priorityEnabled, c.priority);
        EXPECT_EQ(prompt, c.priority ? QStringLiteral("Select Priority Channel") : QString());
    }
    EXPECT_EQ(doc.Radio().PriorityChannel(), 1);
    UndoRedoRestores(doc, before, Block(doc));
    doc.History().Reset(false);
}

// The accelerators run the clipboard commands; Insert, Delete and Sort are
// greyed where not offered.
TEST_F(EditCommandsTest, MenuBarAndAccelerators) {
    app::MainWindow frame;
    editor::MainView& view = Frame(frame);
    QApplication::setActiveWindow(&frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QMenu* edit = frame.menuBar()->actions().at(1)->menu();
    for (const auto& [tab, offered] : {std::pair{tab::kHyper, true}, {tab::kHome, false}}) {
        view.SetCurrentTab(tab);
        emit edit->aboutToShow();
        for (const char* name : {"edit.insert", "edit.delete", "edit.sort"})
            EXPECT_EQ(frame.Action(QLatin1String(name))->isEnabled(), offered) << tab << name;
    }

    // Ctrl+C / Shift+Ins copies channel 1 to row 3; Shift+Del cuts it again;
    // Ctrl+Ins copies.
    view.SetCurrentTab(tab::kMemories);
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
    EXPECT_EQ(view.Document().History().Count(), 4);
    view.Document().History().Reset(false);
}

// Dragged rows move on the tables whose rows may move, not on Memories; a
// drop near the end asks before rows fall off.
TEST_F(EditCommandsTest, DraggedRowsMove) {
    const struct {
        int tab;
        int r2;     // rows 1 to r2 are dragged
        int target; // grabbed at row 1
        QMessageBox::StandardButton answer;
        bool asked;
        bool moved;
    } cases[] = {
        {tab::kHyper, 2, 5, QMessageBox::Yes, false, true},
        {tab::kHyper, 3, 9, QMessageBox::Yes, true, true},
        {tab::kMemories, 2, 5, QMessageBox::Yes, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tab);
        auto doc = OpenDoc("full.img");
        auto view = Show(doc, c.tab);
        const QString moving = RowText(*view, c.tab, 1);
        const QByteArray before = Block(*doc);
        watcher.Clear();
        watcher.AnswerBoxes({c.answer});
        // The grid reports a dragged block dropped on a row as it does at
        // the end of a drag of its own.
        const int cols = view->Cells(c.tab).MaxCols();
        emit view->Grid(c.tab)->blockDropped(
            outside::GridBlock{1, 1, cols, c.r2},
            outside::GridBlock{1, c.target, cols, c.r2 + c.target - 1});
        EXPECT_EQ(watcher.Boxes().size(), c.asked ? 1 : 0);
        if (!c.moved) {
            EXPECT_EQ(Block(*doc), before);
            continue;
        }
        EXPECT_EQ(RowText(*view, c.tab, c.target), moving);
        EXPECT_FALSE(RowHolds(*view, c.tab, 1)) << "the rows left are empty";
        UndoRedoRestores(*doc, before, Block(*doc));
    }
}

} // namespace
