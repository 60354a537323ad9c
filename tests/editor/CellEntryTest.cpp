// Typing channels in, offscreen, through the real grids: keys go to the grid
// and its cell editors, message boxes are answered and read back, and the
// image is checked byte for byte.
#include "radio/CellEntry.h"
#include "app/DocumentWindow.h"
#include "app/MainWindow.h"
#include "document/DocumentHistory.h"
#include "document/RadioDocument.h"
#include "editor/MainView.h"
#include "outside/CellStore.h"
#include "radio/ChannelColumns.h"
#include "radio/ChannelRecord.h"
#include "support/ModalWatcher.h"
#include "widgets/GridView.h"
#include "widgets/Resources.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QTabBar>
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
const QString kNeedReceive = QString::fromLatin1(entry::kNeedReceive);
QString BadTransmit(Hz hz) {
    return QString::fromLatin1(entry::kBadTransmit).arg(hz);
}

// Drives one grid of a view as a user does at the keyboard.
class Keyboard {
public:
    explicit Keyboard(editor::MainView& view) : m_view(view) {}

    widgets::GridView* Grid() const { return m_view.Grid(m_view.CurrentTab()); }
    outside::CellStore& Cells() const { return m_view.Cells(m_view.CurrentTab()); }

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
    // Empties a cell: F2 opens its editor with the text selected.
    void Empty(int t, int col, int row) {
        Go(t, col, row);
        Press(Qt::Key_F2);
        Press(Qt::Key_Backspace);
        Press(Qt::Key_Return);
    }
    // Picks an item in a cell's list.
    void Choose(int t, int col, int row, const QString& item) {
        Go(t, col, row);
        Grid()->StartEdit();
        QComboBox* combo = nullptr;
        for (QComboBox* c : Grid()->findChildren<QComboBox*>())
            combo = c->isVisible() ? c : combo;
        ASSERT_TRUE(combo) << "no list opened";
        const int index =
            item.isEmpty() ? combo->findText(item) : combo->findText(item, Qt::MatchStartsWith);
        ASSERT_TRUE(index >= 0 || (combo->isEditable() && item.isEmpty())) << item.toStdString();
        combo->setCurrentIndex(index);
        Grid()->EndEdit();
        QApplication::processEvents();
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

class CellEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        view = std::make_unique<editor::MainView>(doc);
        view->resize(1200, 700);
        view->show();
        QApplication::setActiveWindow(view.get());
        view->FocusGrid();
        keys = std::make_unique<Keyboard>(*view);
    }
    QStringList Row(int t, int row, int first = 1, int last = kCount) const {
        QStringList cells;
        for (int c = first; c <= last; ++c)
            cells << view->Cells(t).Text(c, row);
        return cells;
    }
    QStringList Messages() const {
        QStringList texts;
        for (const auto& box : watcher.Boxes()) {
            EXPECT_EQ(box.caption, QStringLiteral("Clonara"));
            texts << box.text;
        }
        return texts;
    }
    int Steps() const { return doc->History().Count(); }

    ModalWatcher watcher;
    std::shared_ptr<document::RadioDocument> doc = std::make_shared<document::RadioDocument>();
    std::unique_ptr<editor::MainView> view;
    std::unique_ptr<Keyboard> keys;
};

} // namespace

// A receive frequency typed into a blank row seeds it from the tab's default
// record, with the band's offset and direction and the transmit frequency.
TEST_F(CellEntryTest, AReceiveFrequencyInABlankRowSeedsTheRow) {
    struct Case {
        int tab;
        int row;
        const char* typed;
        const char* rx;
        const char* tx;
        const char* offset;
        const char* direction;
        const char* mode;
    };
    const Case cases[] = {
        // Memories take their defaults from channel 1 (FM, no tone, High).
        {tab::kMemories, 2, "146.94", "146.94000", "146.34000", "600 kHz", "Minus", "FM"},
        {tab::kMemories, 3, "29.62", "29.62000", "29.62000", "100 kHz", "Simplex", "FM"},
        {tab::kMemories, 450, "446.5", "446.50000", "441.50000", "5.00 MHz", "Minus", "FM"},
        // A fresh limit memory starts from the reset defaults: FM.
        {tab::kLimit, 1, "144", "144.00000", "144.00000", "600 kHz", "Simplex", "FM"},
        {tab::kOneTouch, 1, "145.5", "145.50000", "144.90000", "600 kHz", "Minus", "FM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const int stepsBefore = Steps();
        ASSERT_TRUE(view->Cells(c.tab).IsLocked(kTransmit, c.row)) << "a blank row is locked";
        keys->Enter(c.tab, kReceive, c.row, QString::fromLatin1(c.typed));
        const outside::CellStore& grid = view->Cells(c.tab);
        EXPECT_EQ(grid.Text(kReceive, c.row), QLatin1String(c.rx));
        EXPECT_EQ(grid.Text(kTransmit, c.row), QLatin1String(c.tx));
        EXPECT_EQ(grid.Text(kOffset, c.row), QLatin1String(c.offset));
        EXPECT_EQ(grid.Text(kDirection, c.row), QLatin1String(c.direction));
        EXPECT_EQ(grid.Text(kMode, c.row), QLatin1String(c.mode));
        EXPECT_FALSE(grid.IsLocked(kName, c.row)) << "the row is open for typing";
        // Committed at once, as one step, and the window shows it modified.
        EXPECT_EQ(Steps(), stepsBefore + 1);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_TRUE(doc->Radio().IsUsed(doc->Image(), c.tab, c.row - 1));
    }
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

// Values the radio cannot use are refused with the editor's messages when the
// user leaves the cell; frequencies stay in edit mode, offsets do not.
TEST_F(CellEntryTest, BadValuesAreRefusedWithTheirMessages) {
    struct Case {
        const char* what;
        int tab;
        int col;
        int row;
        const char* typed;
        QString message;
        bool staysEditing;
    };
    // Row 1 of Memories and of every hyper set hold channels already.
    const Case cases[] = {
        {"receive off every raster", tab::kMemories, kReceive, 5, "146.521", kBadReceive, true},
        {"receive outside the band of the row", tab::kVfo, kReceive, 8, "146.52", kBadReceive,
         true},
        {"transmit off the raster", tab::kMemories, kTransmit, 1, "146.521", BadTransmit(146521000),
         true},
        {"an offset that is no multiple of 50 kHz", tab::kMemories, kOffset, 1, "123 kHz",
         kBadOffset, false},
        {"an offset that is no number", tab::kMemories, kOffset, 1, "banana", kBadOffset, false},
        {"a negative offset", tab::kMemories, kOffset, 1, "-5", kBadOffset, false},
        {"an offset too large for any frequency", tab::kMemories, kOffset, 1, "99999999999",
         kBadOffset, false},
        {"hyper set A receive", tab::kHyper, hypercol::kSetAShift + kReceive, 2, "146.521",
         kBadReceive, true},
        {"hyper set B transmit", tab::kHyper, hypercol::kSetBShift + kTransmit, 2, "430.001",
         BadTransmit(430001000), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        watcher.Clear();
        keys->Enter(c.tab, c.col, c.row, QString::fromLatin1(c.typed));
        EXPECT_TRUE(Messages().isEmpty()) << "Return alone leaves the cell where it is";
        // Moving on is refused.
        keys->Press(Qt::Key_Down);
        QApplication::processEvents();
        EXPECT_EQ(Messages(), QStringList{c.message});
        EXPECT_EQ(keys->Grid()->ActiveRow(), c.row);
        EXPECT_EQ(keys->Grid()->ActiveColumn(), c.col);
        EXPECT_EQ(keys->Grid()->IsEditing(), c.staysEditing);
        if (keys->Grid()->IsEditing())
            keys->Press(Qt::Key_Escape);
        // A command is refused too while the value stands.
        watcher.Clear();
        EXPECT_FALSE(view->CommitGrids(true));
        EXPECT_EQ(Messages(), QStringList{c.message});
        EXPECT_EQ(keys->Grid()->IsEditing(), c.staysEditing) << "after the refused command";
        if (keys->Grid()->IsEditing())
            keys->Press(Qt::Key_Escape);
        // Put right by the user (the image never held the bad value).
        view->RefreshGrids();
    }
}

// An empty transmit cell of a channel is refused with =0=; the cells of a row
// without a channel are not checked on the way through.
TEST_F(CellEntryTest, AnEmptyTransmitCellOfAChannelIsRefused) {
    keys->Empty(tab::kMemories, kTransmit, 1);
    keys->Press(Qt::Key_Right);
    EXPECT_EQ(Messages(), QStringList{BadTransmit(0)});
    keys->Press(Qt::Key_Escape);
    view->RefreshGrids();

    watcher.Clear();
    keys->Go(tab::kMemories, kTransmit, 7);
    keys->Press(Qt::Key_Down);
    keys->Press(Qt::Key_Right);
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(keys->Grid()->ActiveRow(), 8);
}

// Typing into a locked cell of a row without a receive frequency says why and
// goes to the receive cell; cells a tab always keeps locked say nothing.
TEST_F(CellEntryTest, LockedCellsSayWhyAndSendTheUserToTheReceiveCell) {
    struct Case {
        const char* what;
        int tab;
        int col;
        int row;
        bool message;
        int activeCol;
    };
    const Case cases[] = {
        {"a blank memory's name", tab::kMemories, kName, 9, true, kReceive},
        {"a blank limit memory's tone", tab::kLimit, kToneMode, 3, true, kReceive},
        {"the name of a VFO", tab::kVfo, kName, 2, false, kName},
        {"the skip flag of a home channel", tab::kHome, kSkip, 1, false, kSkip},
        {"a hyper header-only column", tab::kHyper, hypercol::kLastFilled + 1, 1, false,
         hypercol::kLastFilled + 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        watcher.Clear();
        const QByteArray before = Block(*doc);
        keys->Go(c.tab, c.col, c.row);
        keys->Type(QStringLiteral("5"));
        QApplication::processEvents();
        EXPECT_FALSE(keys->Grid()->IsEditing());
        EXPECT_EQ(Messages(), c.message ? QStringList{kNeedReceive} : QStringList{});
        EXPECT_EQ(keys->Grid()->ActiveColumn(), c.activeCol);
        EXPECT_EQ(keys->Grid()->ActiveRow(), c.row);
        EXPECT_TRUE(view->CommitGrids(true));
        EXPECT_EQ(Block(*doc), before) << "nothing typed, nothing stored";
    }
}

// A receive cell emptied, or holding a number that reads as 0, empties and
// locks the row; the channel leaves the image.
TEST_F(CellEntryTest, EmptyingTheReceiveFrequencyClearsTheRow) {
    for (const char* typed : {"", "0", "0.000"}) {
        SCOPED_TRACE(typed);
        keys->Enter(tab::kMemories, kReceive, 20, QStringLiteral("145.5"));
        ASSERT_FALSE(view->Cells(0).IsLocked(kName, 20));
        if (*typed)
            keys->Enter(tab::kMemories, kReceive, 20, QString::fromLatin1(typed));
        else
            keys->Empty(tab::kMemories, kReceive, 20);
        EXPECT_EQ(Row(tab::kMemories, 20), QStringList(kCount, QString()));
        EXPECT_TRUE(view->Cells(0).IsLocked(kName, 20));
        keys->Press(Qt::Key_Down);
        EXPECT_TRUE(Messages().isEmpty());
        EXPECT_FALSE(doc->Radio().IsUsed(doc->Image(), radio::tab::kMemories, 19));
    }
}

// Transmit frequency, offset and direction follow each other as the band plan
// says; a split channel keeps its own transmit frequency.
TEST_F(CellEntryTest, TransmitOffsetAndDirectionFollowEachOther) {
    const int row = 30;
    keys->Enter(tab::kMemories, kReceive, row, QStringLiteral("146.94"));
    struct Step {
        const char* what;
        int col;
        const char* typed; // a list item for the direction
        const char* rx;
        const char* tx;
        const char* offset;
        const char* direction;
    };
    const Step steps[] = {
        {"transmit 600 kHz above", kTransmit, "147.54", "146.94000", "147.54000", "600 kHz",
         "Plus"},
        {"transmit 1 MHz below", kTransmit, "145.94", "146.94000", "145.94000", "1.00 MHz",
         "Minus"},
        {"an offset from the list", kOffset, "1.60 MHz", "146.94000", "145.34000", "1.60 MHz",
         "Minus"},
        {"no standard shift: split", kTransmit, "146.345", "146.94000", "146.34500", "060 kHz",
         "Split"},
        {"a new receive frequency keeps Split", kReceive, "147.0", "147.00000", "146.34500",
         "060 kHz", "Split"},
        {"leaving Split takes the band's offset", kDirection, "Plus", "147.00000", "147.60000",
         "600 kHz", "Plus"},
        {"simplex", kDirection, "Simplex", "147.00000", "147.00000", "600 kHz", "Simplex"},
        {"transmit equal to receive", kTransmit, "147.0", "147.00000", "147.00000", "600 kHz",
         "Simplex"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        if (s.col == kDirection)
            keys->Choose(tab::kMemories, s.col, row, QString::fromLatin1(s.typed));
        else
            keys->Enter(tab::kMemories, s.col, row, QString::fromLatin1(s.typed));
        // Leaving the cell is accepted, the split row's offset included.
        keys->Press(Qt::Key_Right);
        EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(Row(tab::kMemories, row, kReceive, kDirection),
                  (QStringList{s.rx, s.tx, s.offset, s.direction}));
    }
    // What the grid shows is what a window opened now shows.
    editor::MainView fresh(doc);
    EXPECT_EQ(Row(tab::kMemories, row), QStringList([&] {
                  QStringList cells;
                  for (int c = 1; c <= kCount; ++c)
                      cells << fresh.Cells(tab::kMemories).Text(c, row);
                  return cells;
              }()));
}

// Skip and preferential scan exclude each other on Memories and in both
// hyper sets; other tabs leave them alone.
TEST_F(CellEntryTest, SkipAndPreferentialScanExcludeEachOther) {
    struct Case {
        int tab;
        int row;
        int shift;
        bool exclusive;
    };
    const Case cases[] = {
        {tab::kMemories, 1, 0, true},
        {tab::kHyper, 1, hypercol::kSetAShift, true},
        {tab::kHyper, 1, hypercol::kSetBShift, true},
        {tab::kLimit, 1, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tab * 100 + c.shift);
        if (c.tab == tab::kLimit)
            keys->Enter(tab::kLimit, kReceive, c.row, QStringLiteral("144.0"));
        const outside::CellStore& grid = view->Cells(c.tab);
        const int skip = c.shift + kSkip;
        const int preferential = c.shift + kPreferential;
        const auto click = [&](int col) {
            keys->Go(c.tab, col, c.row);
            keys->Press(Qt::Key_Space);
        };
        click(skip);
        EXPECT_TRUE(grid.IsChecked(skip, c.row));
        click(preferential);
        EXPECT_TRUE(grid.IsChecked(preferential, c.row));
        EXPECT_EQ(grid.IsChecked(skip, c.row), !c.exclusive);
        click(skip);
        EXPECT_EQ(grid.IsChecked(skip, c.row), c.exclusive);
        EXPECT_EQ(grid.IsChecked(preferential, c.row), !c.exclusive);
    }
    // Each click was committed as it happened.
    EXPECT_TRUE(doc->Radio().IsSkip(doc->Image(), radio::tab::kMemories, 0));
    EXPECT_FALSE(doc->Radio().IsPreferential(doc->Image(), radio::tab::kMemories, 0));
}

// Emptying one hyper set's receive frequency empties and locks that set only;
// a valid receive frequency opens it again. Rows left alone keep their bytes.
TEST_F(CellEntryTest, HyperMemorySetsEmptyOneAtATime) {
    const int row = 4;
    const int a = hypercol::kSetAShift;
    const int b = hypercol::kSetBShift;
    const QStringList setB = Row(tab::kHyper, row, b + 1, b + hypercol::kSetColumns);
    const auto blockOf = [&](int r) {
        return QByteArray(
            reinterpret_cast<const char*>(doc->Radio().RecordForRow(tab::kHyper, r - 1)),
            image::kBlockSize);
    };
    const QByteArray otherRow = blockOf(5);

    keys->Empty(tab::kHyper, a + kReceive, row);
    keys->Press(Qt::Key_Down);
    const outside::CellStore& grid = view->Cells(tab::kHyper);
    EXPECT_EQ(Row(tab::kHyper, row, a + 1, a + hypercol::kSetColumns),
              QStringList(hypercol::kSetColumns, QString()));
    EXPECT_TRUE(grid.IsLocked(a + kTransmit, row));
    EXPECT_TRUE(grid.IsLocked(a + kMode, row));
    EXPECT_FALSE(grid.IsLocked(a + kReceive, row));
    EXPECT_EQ(Row(tab::kHyper, row, b + 1, b + hypercol::kSetColumns), setB)
        << "set B stays as it was";
    EXPECT_FALSE(grid.IsLocked(b + kTransmit, row));
    EXPECT_TRUE(Messages().isEmpty());

    watcher.Clear();
    keys->Go(tab::kHyper, a + kName, row);
    keys->Type(QStringLiteral("X"));
    EXPECT_EQ(Messages(), QStringList{kNeedReceive});
    EXPECT_EQ(keys->Grid()->ActiveColumn(), a + kReceive);

    keys->Enter(tab::kHyper, a + kReceive, row, QStringLiteral("145.0"));
    EXPECT_FALSE(grid.IsLocked(a + kTransmit, row));
    EXPECT_EQ(grid.Text(a + kReceive, row), QStringLiteral("145.00000"));
    EXPECT_EQ(blockOf(5), otherRow) << "a hyper row nobody touched keeps its bytes";

    // Emptied again, the refresh opens the set.
    keys->Empty(tab::kHyper, a + kReceive, row);
    ASSERT_TRUE(grid.IsLocked(a + kTransmit, row));
    view->RefreshGrids();
    EXPECT_FALSE(grid.IsLocked(a + kTransmit, row));
}

// Rows stay editable after the user leaves them; the cells VFO's and home
// channels always keep locked stay locked when a row opens.
TEST_F(CellEntryTest, ProgrammedRowsStayOpenAndBandRowsKeepTheirLockedCells) {
    keys->Enter(tab::kMemories, kReceive, 40, QStringLiteral("144.5"));
    keys->Press(Qt::Key_Down);
    keys->Press(Qt::Key_Up);
    EXPECT_FALSE(view->Cells(0).IsLocked(kName, 40));
    EXPECT_FALSE(view->Cells(0).IsLocked(kSkip, 40));
    EXPECT_TRUE(view->Cells(0).IsLocked(kName, 41)) << "a blank row stays locked";

    struct Case {
        int tab;
        int row;
        const char* rx;
        QList<int> locked;
    };
    const Case cases[] = {
        {tab::kVfo, 6, "145.0", {kName, kSkip, kPreferential, kMask}},
        {tab::kHome, 6, "145.0", {kSkip, kPreferential, kMask}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tab);
        keys->Enter(c.tab, kReceive, c.row, QString::fromLatin1(c.rx));
        keys->Press(Qt::Key_Down);
        keys->Press(Qt::Key_Up);
        for (int col = kTransmit; col <= kCount; ++col)
            EXPECT_EQ(view->Cells(c.tab).IsLocked(col, c.row), c.locked.contains(col)) << col;
    }
    EXPECT_TRUE(Messages().isEmpty());
}

// A memory group stays packed and sorted: the empty entry takes a channel out
// and closes the gap.
TEST_F(CellEntryTest, MemoryGroupsStayPackedAndSorted) {
    for (int row = 2; row <= 4; ++row)
        keys->Enter(tab::kMemories, kReceive, row, QStringLiteral("14%1.0").arg(row + 4));
    const auto members = [&](int g) {
        QList<int> list;
        for (int j = 0; j < RadioModel::GroupSize(doc->Image(), g); ++j)
            list << RadioModel::GroupMember(doc->Image(), g, j) + 1;
        return list;
    };
    struct Step {
        int row;
        const char* item;
        QStringList shown; // the channel numbers the group's cells start with
        QList<int> stored;
    };
    const Step steps[] = {
        {1, "003", {"003"}, {3}},
        {2, "001", {"001", "003"}, {1, 3}},
        {3, "004", {"001", "003", "004"}, {1, 3, 4}},
        {3, "002", {"001", "002", "003"}, {1, 2, 3}},
        {1, "", {"002", "003"}, {2, 3}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.row * 1000 + QString::fromLatin1(s.item).toInt());
        const int stepsBefore = Steps();
        keys->Choose(tab::kGroups, 2, s.row, QString::fromLatin1(s.item));
        QStringList shown;
        for (int row = 1; row <= 48; ++row) {
            const QString text = view->Cells(tab::kGroups).Text(2, row);
            if (row <= s.shown.size())
                shown << text.left(3);
            else
                EXPECT_TRUE(text.isEmpty()) << row;
        }
        EXPECT_EQ(shown, s.shown);
        EXPECT_EQ(members(1), s.stored);
        EXPECT_EQ(Steps(), stepsBefore + 1);
        EXPECT_TRUE(doc->IsModified());
    }
    EXPECT_TRUE(members(0).isEmpty()) << "the other groups stay as they were";
}

// A commit refused while the tab changes lets the change happen and keeps
// what the user typed; the image never holds it.
TEST_F(CellEntryTest, ARefusedCommitOnATabChangeKeepsTheUsersCells) {
    keys->Enter(tab::kMemories, kReceive, 1, QStringLiteral("146.521"));
    const QByteArray before = Block(*doc);
    const int steps = Steps();
    view->SetCurrentTab(tab::kGroups);
    QApplication::processEvents();
    EXPECT_EQ(view->CurrentTab(), tab::kGroups);
    EXPECT_EQ(Messages(), QStringList{kBadReceive});
    EXPECT_EQ(view->Cells(tab::kMemories).Text(kReceive, 1), QStringLiteral("146.52100"));
    EXPECT_EQ(Block(*doc), before);
    EXPECT_EQ(Steps(), steps);
    EXPECT_EQ(view->Cells(tab::kGroups).CellList(1, 1)->Count(), 2)
        << "the groups list the channels as stored";
}

// The window a document opens in has its grid focused on the first cell, and
// typing goes straight into it.
TEST(CellEntryWindows, TypingGoesStraightIntoTheActiveWindowsGrid) {
    ModalWatcher watcher;
    app::MainWindow frame;
    frame.show();
    QApplication::setActiveWindow(&frame);
    app::DocumentWindow* first = frame.NewDocument();
    QApplication::processEvents();
    widgets::GridView* grid = first->View()->Grid(tab::kMemories);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_TRUE(focus);
    EXPECT_TRUE(focus == grid || grid->isAncestorOf(focus));
    EXPECT_EQ(grid->ActiveColumn(), 1);
    EXPECT_EQ(grid->ActiveRow(), 1);

    app::DocumentWindow* second = frame.NewDocument();
    QApplication::processEvents();
    first->View()->SetCurrentTab(tab::kLimit);
    second->View()->Grid(0)->setFocus();
    frame.findChild<QMdiArea*>()->setActiveSubWindow(first);
    QApplication::processEvents();
    widgets::GridView* limit = first->View()->Grid(tab::kLimit);
    focus = QApplication::focusWidget();
    ASSERT_TRUE(focus);
    EXPECT_TRUE(focus == limit || limit->isAncestorOf(focus));
    // Each key goes where the keyboard focus is: the first opens the editor.
    for (const QChar ch : QStringLiteral("144.5")) {
        QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(first->View()->Cells(tab::kLimit).Text(kReceive, 1), QStringLiteral("144.50000"));
    EXPECT_TRUE(first->Document().IsModified());
    EXPECT_TRUE(first->isWindowModified()) << "the mark shows as soon as the cell changes";
    EXPECT_FALSE(second->Document().IsModified());
}

// Edit Undo and Redo, from the keys and the menu: each committed cell is one
// step; undo and redo put the data block back byte for byte in every window
// of the document, and the modified mark follows back to the saved state.
TEST(CellEntryWindows, UndoAndRedoPutTheBlockBackInEveryWindow) {
    QTemporaryDir dir;
    ModalWatcher watcher;
    app::MainWindow frame;
    frame.show();
    QApplication::setActiveWindow(&frame);
    app::DocumentWindow* child = frame.NewDocument();
    document::RadioDocument& doc = child->Document();
    QAction* undo = frame.Action(QStringLiteral("edit.undo"));
    QAction* redo = frame.Action(QStringLiteral("edit.redo"));
    ASSERT_TRUE(undo && redo);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(undo->shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z)}));
    EXPECT_EQ(redo->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));

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
    ASSERT_NE(typed, saved);
    ASSERT_NE(named, typed);
    EXPECT_TRUE(child->isWindowModified());
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
    const auto shown = [&](app::DocumentWindow* window) {
        return window->View()->Cells(tab::kMemories).Text(kName, 12) + QLatin1Char('|') +
               window->View()->Cells(tab::kMemories).Text(kReceive, 12);
    };

    const auto keysTo = [&](const QKeySequence& sequence) {
        QTest::keySequence(child->View()->Grid(tab::kMemories), sequence);
        QApplication::processEvents();
    };
    struct Step {
        const char* what;
        QKeySequence keys;
        const QByteArray& block;
        const char* shown;
        bool modified;
    };
    const Step steps[] = {
        {"Ctrl+Z takes the name back", QKeySequence(Qt::CTRL | Qt::Key_Z), typed, "|146.94000",
         true},
        {"Ctrl+Z again: the saved state", QKeySequence(Qt::CTRL | Qt::Key_Z), saved, "|", false},
        {"Ctrl+Y", QKeySequence(Qt::CTRL | Qt::Key_Y), typed, "|146.94000", true},
        {"Ctrl+Shift+Z", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), named, "HOME|146.94000",
         true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        keysTo(s.keys);
        EXPECT_EQ(Block(doc), s.block);
        EXPECT_EQ(shown(child), QLatin1String(s.shown));
        EXPECT_EQ(shown(other), QLatin1String(s.shown));
        EXPECT_EQ(doc.IsModified(), s.modified);
        EXPECT_EQ(child->isWindowModified(), s.modified);
    }
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    // An edit still open when Undo is chosen is committed first, then undone.
    keys.Go(tab::kMemories, kName, 12);
    keys.Type(QStringLiteral("AWAY"));
    ASSERT_TRUE(keys.Grid()->IsEditing());
    undo->trigger();
    QApplication::processEvents();
    EXPECT_EQ(Block(doc), named);
    EXPECT_EQ(shown(child), QStringLiteral("HOME|146.94000"));
    EXPECT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_EQ(shown(other), QStringLiteral("AWAY|146.94000"));
    EXPECT_TRUE(watcher.Boxes().isEmpty());
}

// After a cell is committed the row shows what was stored: a name the radio
// spells otherwise, a frequency written out, a transmit frequency worked out.
TEST_F(CellEntryTest, TheGridShowsWhatWasStored) {
    struct Case {
        int col;
        const char* typed;
    };
    const Case cases[] = {{kName, "  ab  "}, // the radio keeps no trailing blanks
                          {kName, "abcdefghijkl"},
                          {kReceive, "145.5"},
                          {kTransmit, "144.9"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        keys->Enter(tab::kMemories, c.col, 1, QString::fromLatin1(c.typed));
        if (c.col == kName && QLatin1String(c.typed) == QLatin1String("  ab  ")) {
            EXPECT_EQ(view->Cells(tab::kMemories).Text(kName, 1), QStringLiteral("  ab"));
        }
        editor::MainView fresh(doc);
        QStringList stored;
        for (int col = 1; col <= kCount; ++col)
            stored << fresh.Cells(tab::kMemories).Text(col, 1);
        EXPECT_EQ(Row(tab::kMemories, 1), stored);
    }
    EXPECT_EQ(view->Cells(tab::kMemories).Text(kName, 1), QStringLiteral("abcdefgh"));
    EXPECT_TRUE(Messages().isEmpty());
}

// A second window of the document shows every committed cell and leaves the
// defaults the user's editing gave alone.
TEST(CellEntryWindows, ASecondWindowKeepsTheDefaultsOfTheFirst) {
    ModalWatcher watcher;
    app::MainWindow frame;
    frame.show();
    QApplication::setActiveWindow(&frame);
    app::DocumentWindow* child = frame.NewDocument();
    frame.RunCommand(QStringLiteral("window.new"));
    QApplication::processEvents();
    frame.findChild<QMdiArea*>()->setActiveSubWindow(child);
    QApplication::processEvents();
    Keyboard keys(*child->View());
    keys.Choose(tab::kMemories, kMode, 1, QStringLiteral("AM"));
    EXPECT_EQ(ConstChannelRecord(child->Document().Radio().DefaultRecord(tab::kMemories)).Mode(), 1)
        << "the other window's refresh keeps the captured defaults";
    keys.Press(Qt::Key_Down);
    keys.Enter(tab::kMemories, kReceive, 2, QStringLiteral("146.52"));
    EXPECT_EQ(child->View()->Cells(tab::kMemories).Text(kMode, 2), QStringLiteral("AM"));
    for (QMdiSubWindow* w : frame.findChild<QMdiArea*>()->subWindowList()) {
        auto* window = qobject_cast<app::DocumentWindow*>(w);
        ASSERT_TRUE(window);
        EXPECT_EQ(window->View()->Cells(tab::kMemories).Text(kMode, 2), QStringLiteral("AM"));
    }
    EXPECT_TRUE(watcher.Boxes().isEmpty());
}

// Every way of leaving a typed cell gives it its rules once, before anything
// else happens: what was typed is stored with what follows from it, the grid
// shows it at once and the document is marked modified; a refused value keeps
// the active cell where it is with one message, and nothing is stored.
TEST(CellEntryLeaving, EveryWayOfLeavingACellCommitsItOnce) {
    enum Way { Tab, BackTab, Return, KeypadEnter, Down, PageDown, Click, TabStrip, Command };
    struct Leave {
        Way way;
        const char* name;
        int dcol;    // where the active cell goes from the edited cell
        int drow;    // -1: somewhere below
        bool leaves; // the cell is left (and checked) rather than kept
    };
    const Leave leaves[] = {
        {Tab, "Tab", 1, 0, true},
        {BackTab, "Shift+Tab", -1, 0, true},
        {Return, "Return", 0, 0, false},
        {KeypadEnter, "keypad Enter", 0, 0, false},
        {Down, "Down", 0, 1, true},
        {PageDown, "Page Down", 0, -1, true},
        {Click, "a click on another row", 0, 2, true},
        {TabStrip, "a click on another tab", 0, 0, true},
        {Command, "a menu command", 0, 0, true},
    };
    struct Rule {
        const char* what;
        int col;
        const char* typed;
        // Columns 1 to 6 of the row afterwards, shown and stored; none: the
        // row as it was, the value refused.
        QStringList row;
        QString message;   // shown once when the cell is left
        bool staysEditing; // after the refusal
    };
    const QStringList before{"146.94000", "146.34000", "600 kHz", "Minus", "FM", ""};
    const Rule rules[] = {
        {"receive into an empty row",
         kReceive,
         "146.52",
         {"146.52000", "146.52000", "600 kHz", "Simplex", "FM", ""},
         {},
         false},
        {"transmit sets offset and direction",
         kTransmit,
         "147.54",
         {"146.94000", "147.54000", "600 kHz", "Plus", "FM", ""},
         {},
         false},
        {"offset moves the transmit frequency",
         kOffset,
         "1.00 MHz",
         {"146.94000", "145.94000", "1.00 MHz", "Minus", "FM", ""},
         {},
         false},
        {"direction moves the transmit frequency",
         kDirection,
         "P",
         {"146.94000", "147.54000", "600 kHz", "Plus", "FM", ""},
         {},
         false},
        {"a name",
         kName,
         "HOME",
         {"146.94000", "146.34000", "600 kHz", "Minus", "FM", "HOME"},
         {},
         false},
        {"a refused receive", kReceive, "146.521", {}, kBadReceive, true},
        {"a refused transmit", kTransmit, "146.521", {}, BadTransmit(146521000), true},
        {"a refused offset", kOffset, "123 kHz", {}, kBadOffset, false},
    };
    for (const Leave& l : leaves) {
        ModalWatcher watcher;
        auto doc = std::make_shared<document::RadioDocument>();
        editor::MainView view(doc);
        view.resize(1200, 700);
        view.show();
        QApplication::setActiveWindow(&view);
        view.FocusGrid();
        Keyboard keys(view);
        widgets::GridView* grid = view.Grid(tab::kMemories);
        int row = 6;
        for (const Rule& r : rules) {
            SCOPED_TRACE(std::string(l.name) + ", " + r.what);
            // In a list the arrow and page keys choose items.
            const bool list = r.col == kOffset || r.col == kDirection;
            if (list && (l.way == Down || l.way == PageDown))
                continue;
            row += 4;
            if (r.col != kReceive || !r.message.isEmpty()) {
                keys.Enter(tab::kMemories, kReceive, row, QStringLiteral("146.94"));
                ASSERT_EQ(Row(view, row, 6), before);
            }
            doc->SetModified(false);
            watcher.Clear();
            const QByteArray stored = Block(*doc);
            keys.Go(tab::kMemories, r.col, row);
            keys.Type(QString::fromLatin1(r.typed));
            ASSERT_TRUE(grid->IsEditing());
            switch (l.way) {
            case Tab:
                keys.Press(Qt::Key_Tab);
                break;
            case BackTab:
                keys.Press(Qt::Key_Backtab, Qt::ShiftModifier);
                break;
            case Return:
                keys.Press(Qt::Key_Return);
                break;
            case KeypadEnter:
                keys.Press(Qt::Key_Enter, Qt::KeypadModifier);
                break;
            case Down:
                keys.Press(Qt::Key_Down);
                break;
            case PageDown:
                keys.Press(Qt::Key_PageDown);
                break;
            case Click:
                QTest::mouseClick(
                    grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                    grid->visualRect(view.Cells(tab::kMemories).CellIndex(r.col, row + 2))
                        .center());
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
            QStringList messages;
            for (const auto& box : watcher.Boxes())
                messages << box.text;
            // Shift+Tab in the first column stays where it is.
            const int toCol = std::max(1, r.col + l.dcol);
            const bool left = l.leaves && !(l.dcol != 0 && toCol == r.col);
            if (r.row.isEmpty()) {
                EXPECT_EQ(messages, left ? QStringList{r.message} : QStringList());
                EXPECT_EQ(Block(*doc), stored) << "nothing refused is stored";
                EXPECT_FALSE(doc->IsModified());
                EXPECT_EQ(view.Cells(tab::kMemories).Text(r.col, row),
                          r.col == kOffset ? QStringLiteral("123 kHz")
                                           : QStringLiteral("146.52100"))
                    << "the refused value stays to be put right";
                if (l.way != TabStrip) {
                    EXPECT_EQ(grid->ActiveColumn(), r.col) << "nothing moves";
                    EXPECT_EQ(grid->ActiveRow(), row);
                    EXPECT_EQ(grid->IsEditing(), left && r.staysEditing);
                }
            } else {
                EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
                EXPECT_EQ(Row(view, row, 6), r.row) << "the grid shows what follows at once";
                EXPECT_TRUE(doc->IsModified());
                // What the grid shows is what is stored, check boxes included.
                editor::MainView fresh(doc);
                EXPECT_EQ(Row(view, row, kCount), Row(fresh, row, kCount));
                EXPECT_EQ(view.Cells(tab::kMemories).Text(kSkip, row), QStringLiteral("0"));
                if (l.way == TabStrip) {
                    EXPECT_EQ(view.CurrentTab(), tab::kVfo);
                } else {
                    EXPECT_EQ(grid->ActiveColumn(), toCol);
                    if (l.drow >= 0)
                        EXPECT_EQ(grid->ActiveRow(), row + l.drow);
                    else
                        EXPECT_GT(grid->ActiveRow(), row);
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

// An offset typed into its list cell takes the list's item whatever the cell
// held: an offset of no item, or one that was refused.
TEST_F(CellEntryTest, ATypedOffsetTakesItsListItem) {
    const int row = 12;
    keys->Enter(tab::kMemories, kReceive, row, QStringLiteral("146.94"));
    const struct {
        const char* typed;
        const char* offset; // shown afterwards
        const char* tx;     // none: not checked (a refused offset)
        QStringList messages;
    } steps[] = {
        {"650 kHz", "650 kHz", "146.29000", {}},       {"600 kHz", "600 kHz", "146.34000", {}},
        {"125 kHz", "125 kHz", nullptr, {kBadOffset}}, {"600 khz", "600 kHz", "146.34000", {}},
        {"1.00 MHz", "1.00 MHz", "145.94000", {}},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.typed);
        watcher.Clear();
        keys->Go(tab::kMemories, kOffset, row);
        keys->Type(QString::fromLatin1(s.typed));
        keys->Press(Qt::Key_Tab);
        EXPECT_EQ(Messages(), s.messages);
        EXPECT_EQ(view->Cells(tab::kMemories).Text(kOffset, row), QLatin1String(s.offset));
        if (s.tx) {
            EXPECT_EQ(view->Cells(tab::kMemories).Text(kTransmit, row), QLatin1String(s.tx));
        }
    }
}
