// The cell editor on the real grids, offscreen: keys go to the grid and its
// cell editors, message boxes are answered and read back. What is the
// editor's own: every way of leaving a typed cell, keys and clicks reaching
// the rules, the focus, and undo and redo in every window of a document. The
// rules themselves are checked on the tables (tests/radio).
#include "editor/CellEditor.h"
#include "app/DocumentWindow.h"
#include "app/MainWindow.h"
#include "document/RadioDocument.h"
#include "editor/MainView.h"
#include "outside/CellStore.h"
#include "radio/CellEntry.h"
#include "radio/ChannelColumns.h"
#include "support/ModalWatcher.h"
#include "widgets/GridView.h"
#include "widgets/Resources.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTest>

using namespace radio;
using namespace radio::channelcol;
using testing_support::ModalWatcher;

namespace {

QByteArray Block(const document::RadioDocument& doc) {
    return QByteArray(reinterpret_cast<const char*>(doc.Block()), radio::rdf::kFileSize);
}

const QString kBadReceive = QString::fromLatin1(entry::kBadReceive);
const QString kBadOffset = QString::fromLatin1(entry::kBadOffset);

QStringList Texts(const ModalWatcher& watcher) {
    QStringList texts;
    for (const auto& box : watcher.Boxes())
        texts << box.text;
    return texts;
}

// Drives one grid of a view as a user does at the keyboard.
// Shows a main view as a user types into it.
void Show(editor::MainView& view) {
    view.resize(1200, 700);
    view.show();
    QApplication::setActiveWindow(&view);
    view.FocusGrid();
}

class Keyboard {
public:
    explicit Keyboard(editor::MainView& view) : m_view(view) {}

    widgets::GridView* Grid() const { return m_view.Grid(m_view.CurrentTab()); }

    void Go(int t, int col, int row) {
        if (m_view.CurrentTab() != t)
            m_view.SetCurrentTab(t);
        Grid()->setFocus();
        Grid()->SetActiveCell(col, row);
    }
    // Where keys go: the open cell editor, else the grid.
    QWidget* Target() const {
        if (!Grid()->IsEditing())
            return Grid()->viewport();
        QWidget* focus = QApplication::focusWidget();
        if (focus && Grid()->isAncestorOf(focus))
            return focus;
        for (QWidget* w : Grid()->findChildren<QWidget*>()) {
            if (w->isVisible() && (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)))
                return w;
        }
        return Grid()->viewport();
    }
    // The first key opens the cell's editor, the rest go to it.
    void Type(const QString& text) {
        for (const QChar ch : text)
            QTest::keyClick(Target(), ch.toLatin1());
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Target(), key, modifiers);
        QApplication::processEvents();
    }
    // Types into a cell and presses Return (the cell stays the active one).
    void Enter(int t, int col, int row, const QString& text) {
        Go(t, col, row);
        Type(text);
        Press(Qt::Key_Return);
    }

private:
    editor::MainView& m_view;
};

// Columns 1 to last of a row of Memories as the grid shows them.
QStringList Row(const editor::MainView& view, int row, int last) {
    QStringList cells;
    for (int c = 1; c <= last; ++c)
        cells << view.Cells(tab::kMemories).Text(c, row);
    return cells;
}

} // namespace

// Every way of leaving a typed cell gives it its rules once, before anything
// else happens: what was typed is stored with what follows from it, the grid
// shows it at once and the document is marked modified; a refused value keeps
// the active cell where it is with one message, and nothing is stored.
TEST(CellEditorLeaving, EveryWayOfLeavingACellCommitsItOnce) {
    enum Way { Key, Click, TabStrip, Command };
    const struct {
        Way way;
        const char* name;
        int dcol; // where the active cell goes from the edited cell
        int drow;
        bool leaves; // the cell is left (and checked) rather than kept
        Qt::Key key = Qt::Key_unknown;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    } leaves[] = {
        {Key, "Tab", 1, 0, true, Qt::Key_Tab},
        {Key, "Shift+Tab", -1, 0, true, Qt::Key_Backtab, Qt::ShiftModifier},
        {Key, "Return", 0, 0, false, Qt::Key_Return},
        {Key, "keypad Enter", 0, 0, false, Qt::Key_Enter, Qt::KeypadModifier},
        {Key, "Down", 0, 1, true, Qt::Key_Down},
        {Click, "a click on another row", 0, 2, true},
        {TabStrip, "a click on another tab", 0, 0, true},
        {Command, "a menu command", 0, 0, true},
    };
    // Columns 1 to 6 of the row afterwards; none: the receive frequency refused.
    const QStringList stored = {"146.94000", "147.54000", "600 kHz", "Plus", "FM", ""};
    for (const auto& l : leaves) {
        ModalWatcher watcher;
        auto doc = std::make_shared<document::RadioDocument>();
        editor::MainView view(doc);
        Show(view);
        Keyboard keys(view);
        widgets::GridView* grid = view.Grid(tab::kMemories);
        for (const bool refused : {false, true}) {
            SCOPED_TRACE(std::string(l.name) + (refused ? ", refused" : ""));
            const int row = refused ? 14 : 10;
            const int col = refused ? kReceive : kTransmit;
            keys.Enter(tab::kMemories, kReceive, row, QStringLiteral("146.94"));
            doc->SetModified(false);
            watcher.Clear();
            const QByteArray before = Block(*doc);
            keys.Go(tab::kMemories, col, row);
            keys.Type(QLatin1String(refused ? "146.521" : "147.54"));
            ASSERT_TRUE(grid->IsEditing());
            const QRect below =
                grid->visualRect(view.Cells(tab::kMemories).CellIndex(col, row + 2));
            switch (l.way) {
            case Key:
                keys.Press(l.key, l.modifiers);
                break;
            case Click:
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, below.center());
                break;
            case TabStrip:
                QTest::mouseClick(view.TabBar(), Qt::LeftButton, Qt::NoModifier,
                                  view.TabBar()->tabRect(tab::kVfo).center());
                break;
            case Command:
                view.CommitGrids(true);
                break;
            }
            QApplication::processEvents();
            // Shift+Tab in the first column stays where it is.
            const int toCol = std::max(1, col + l.dcol);
            const bool left = l.leaves && !(l.dcol != 0 && toCol == col);
            if (refused) {
                EXPECT_EQ(Texts(watcher), left ? QStringList{kBadReceive} : QStringList());
                EXPECT_EQ(Block(*doc), before) << "nothing refused is stored";
                EXPECT_FALSE(doc->IsModified());
                EXPECT_EQ(view.Cells(tab::kMemories).Text(col, row), QStringLiteral("146.52100"))
                    << "the refused value stays to be put right";
                if (l.way != TabStrip) {
                    EXPECT_EQ(grid->ActiveColumn(), col) << "nothing moves";
                    EXPECT_EQ(grid->ActiveRow(), row);
                    EXPECT_EQ(grid->IsEditing(), left);
                }
            } else {
                EXPECT_TRUE(watcher.Boxes().isEmpty());
                EXPECT_EQ(Row(view, row, 6), stored) << "the grid shows what follows at once";
                EXPECT_TRUE(doc->IsModified());
                // What the grid shows is what is stored, check boxes included.
                editor::MainView fresh(doc);
                EXPECT_EQ(Row(view, row, kCount), Row(fresh, row, kCount));
                if (l.way == TabStrip) {
                    EXPECT_EQ(view.CurrentTab(), tab::kVfo);
                } else {
                    EXPECT_EQ(grid->ActiveColumn(), toCol);
                    EXPECT_EQ(grid->ActiveRow(), row + l.drow);
                }
                EXPECT_FALSE(grid->IsEditing());
            }
            // The next case starts from what is stored, on Memories.
            if (view.CurrentTab() == tab::kMemories && grid->IsEditing())
                keys.Press(Qt::Key_Escape);
            view.SetCurrentTab(tab::kMemories);
            view.RefreshGrids();
            QApplication::processEvents();
        }
    }
}

// F2, the space bar on a check box and a text typed into a list cell reach
// the rules of the cell, and the grid shows what they did.
TEST(CellEditorKeys, KeysReachTheRulesOfTheirCell) {
    ModalWatcher watcher;
    auto doc = std::make_shared<document::RadioDocument>();
    editor::MainView view(doc);
    Show(view);
    Keyboard keys(view);
    const outside::CellStore& grid = view.Cells(tab::kMemories);

    // F2 opens a cell's editor with its text selected: an emptied receive
    // frequency takes the channel out.
    keys.Enter(tab::kMemories, kReceive, 20, QStringLiteral("145.5"));
    ASSERT_TRUE(doc->Radio().IsUsed(doc->Image(), tab::kMemories, 19));
    for (const Qt::Key key : {Qt::Key_F2, Qt::Key_Backspace, Qt::Key_Return})
        keys.Press(key);
    EXPECT_TRUE(grid.IsLocked(kName, 20));
    EXPECT_FALSE(doc->Radio().IsUsed(doc->Image(), tab::kMemories, 19));

    // The space bar on a check box is committed at once.
    keys.Go(tab::kMemories, kPreferential, 1);
    keys.Press(Qt::Key_Space);
    EXPECT_TRUE(doc->Radio().IsPreferential(doc->Image(), tab::kMemories, 0));

    // An offset typed into its list cell takes the list's item, whatever the
    // cell held: an offset of no item, or one that was refused.
    keys.Enter(tab::kMemories, kReceive, 12, QStringLiteral("146.94"));
    const struct {
        const char* typed;
        const char* offset; // shown afterwards
        const char* tx;     // none: a refused offset
    } steps[] = {{"650 kHz", "650 kHz", "146.29000"},
                 {"125 kHz", "125 kHz", nullptr},
                 {"1.00 MHz", "1.00 MHz", "145.94000"}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.typed);
        watcher.Clear();
        keys.Go(tab::kMemories, kOffset, 12);
        keys.Type(QString::fromLatin1(s.typed));
        keys.Press(Qt::Key_Tab);
        EXPECT_EQ(Texts(watcher), s.tx ? QStringList() : QStringList{kBadOffset});
        EXPECT_EQ(grid.Text(kOffset, 12), QLatin1String(s.offset));
        if (s.tx) {
            EXPECT_EQ(grid.Text(kTransmit, 12), QLatin1String(s.tx));
        }
    }
}

// The window a document opens in has its grid focused on the first cell, and
// typing goes straight into it.
TEST(CellEditorWindows, TypingGoesStraightIntoTheActiveWindowsGrid) {
    ModalWatcher watcher;
    app::MainWindow frame;
    frame.show();
    QApplication::setActiveWindow(&frame);
    app::DocumentWindow* first = frame.NewDocument();
    QApplication::processEvents();
    const auto focused = [](QWidget* grid) {
        QWidget* focus = QApplication::focusWidget();
        return focus && (focus == grid || grid->isAncestorOf(focus));
    };
    widgets::GridView* grid = first->View()->Grid(tab::kMemories);
    EXPECT_TRUE(focused(grid));
    EXPECT_EQ(grid->ActiveColumn(), 1);
    EXPECT_EQ(grid->ActiveRow(), 1);

    app::DocumentWindow* second = frame.NewDocument();
    QApplication::processEvents();
    first->View()->SetCurrentTab(tab::kLimit);
    second->View()->Grid(0)->setFocus();
    frame.findChild<QMdiArea*>()->setActiveSubWindow(first);
    QApplication::processEvents();
    ASSERT_TRUE(focused(first->View()->Grid(tab::kLimit)));
    // Each key goes where the keyboard focus is: the first opens the editor.
    for (const QChar ch : QStringLiteral("144.5"))
        QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(first->View()->Cells(tab::kLimit).Text(kReceive, 1), QStringLiteral("144.50000"));
    EXPECT_TRUE(first->isWindowModified()) << "the mark shows as soon as the cell changes";
}

// Edit Undo and Redo, from the keys and the menu: each committed cell is one
// step; undo and redo put the data block back byte for byte in every window
// of the document, and the modified mark follows back to the saved state.
TEST(CellEditorWindows, UndoAndRedoPutTheBlockBackInEveryWindow) {
    QTemporaryDir dir;
    ModalWatcher watcher;
    app::MainWindow frame;
    frame.show();
    QApplication::setActiveWindow(&frame);
    app::DocumentWindow* child = frame.NewDocument();
    document::RadioDocument& doc = child->Document();
    QAction* undo = frame.Action(QStringLiteral("edit.undo"));
    QAction* redo = frame.Action(QStringLiteral("edit.redo"));
    EXPECT_FALSE(undo->isEnabled());

    // Saved first: the saved state is the clean one.
    doc.SetFileName(dir.filePath(QStringLiteral("saved.rdf")));
    frame.RunCommand(QStringLiteral("file.save"));
    ASSERT_FALSE(doc.IsModified());

    Keyboard keys(*child->View());
    const QByteArray saved = Block(doc);
    keys.Enter(tab::kMemories, kReceive, 12, QStringLiteral("146.94"));
    const QByteArray typed = Block(doc);
    keys.Enter(tab::kMemories, kName, 12, QStringLiteral("HOME"));
    const QByteArray named = Block(doc);
    EXPECT_TRUE(undo->isEnabled());

    // A second window of the document follows every step.
    frame.RunCommand(QStringLiteral("window.new"));
    QApplication::processEvents();
    app::DocumentWindow* other = nullptr;
    for (QMdiSubWindow* w : frame.findChild<QMdiArea*>()->subWindowList())
        other = w != child ? qobject_cast<app::DocumentWindow*>(w) : other;
    ASSERT_TRUE(other);
    frame.findChild<QMdiArea*>()->setActiveSubWindow(child);
    QApplication::processEvents();
    const auto shown = [&](app::DocumentWindow* window, int col = kName) {
        return window->View()->Cells(tab::kMemories).Text(col, 12) + QLatin1Char('|') +
               window->View()->Cells(tab::kMemories).Text(kReceive, 12);
    };
    const struct {
        const char* what;
        QKeySequence keys;
        const QByteArray& block;
        const char* shown;
        bool modified;
    } steps[] = {
        {"Ctrl+Z takes the name back", QKeySequence(Qt::CTRL | Qt::Key_Z), typed, "|146.94000",
         true},
        {"Ctrl+Z again: the saved state", QKeySequence(Qt::CTRL | Qt::Key_Z), saved, "|", false},
        {"Ctrl+Y", QKeySequence(Qt::CTRL | Qt::Key_Y), typed, "|146.94000", true},
        {"Ctrl+Shift+Z", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), named, "HOME|146.94000",
         true},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        QTest::keySequence(child->View()->Grid(tab::kMemories), s.keys);
        QApplication::processEvents();
        EXPECT_EQ(Block(doc), s.block);
        EXPECT_EQ(shown(child), QLatin1String(s.shown));
        EXPECT_EQ(shown(other), QLatin1String(s.shown));
        EXPECT_EQ(child->isWindowModified(), s.modified);
    }
    EXPECT_FALSE(redo->isEnabled());

    // An edit still open when Undo is chosen is committed first, then undone.
    keys.Go(tab::kMemories, kName, 12);
    keys.Type(QStringLiteral("AWAY"));
    ASSERT_TRUE(keys.Grid()->IsEditing());
    undo->trigger();
    QApplication::processEvents();
    EXPECT_EQ(Block(doc), named);
    redo->trigger();
    EXPECT_EQ(shown(other), QStringLiteral("AWAY|146.94000"));

    EXPECT_TRUE(watcher.Boxes().isEmpty());
}
