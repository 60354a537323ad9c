// The grid on screen, offscreen: delegates by cell kind, and what its edit
// rules hear from real mouse and keyboard input.
#include "widgets/GridView.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QTest>

#include <functional>

namespace {

using Kind = outside::CellStore::CellKind;

// Edit rules that log what they hear; they refuse leaving a cell and name a
// cell to go to instead of a locked one when told, and may write cells when
// a value has gone in.
class Recorder : public outside::EditRules {
public:
    void BeforeEdit(int col, int row) override { Log("before", {col, row}); }
    void AfterEdit(int col, int row) override {
        Log("after", {col, row});
        if (afterEdit)
            afterEdit(col, row);
    }
    void Toggled(int col, int row, bool on) override { Log(on ? "on" : "off", {col, row}); }
    bool CanLeave(int col, int row, int newCol, int newRow) override {
        Log("leave", {col, row, newCol, newRow});
        return !refuseLeave;
    }
    int LockedCellEdited(int col, int row) override {
        Log("locked", {col, row});
        return lockedGoTo;
    }
    // "leave 2,1,3,1"; the log reads "before 2,1|after 2,1|...".
    void Log(const char* name, std::initializer_list<int> numbers) {
        QStringList texts;
        for (const int n : numbers)
            texts << QString::number(n);
        events << QStringLiteral("%1 %2").arg(QLatin1String(name), texts.join(QLatin1Char(',')));
    }
    std::string Heard() const { return events.join(QLatin1Char('|')).toStdString(); }
    QStringList events;
    bool refuseLeave = false;
    int lockedGoTo = 0;
    std::function<void(int, int)> afterEdit;
};

class ViewTest : public ::testing::Test {
public:
    void SetUp() override {
        grid.SetSize(5, 8);
        grid.SetFormat({1, 1, 1, 8}, {Kind::Number, 5, 0, {}});
        grid.SetFormat({2, 1, 2, 8}, {Kind::Text, 0, 8, {}});
        grid.SetFormat({3, 1, 3, 8}, {Kind::List, 0, 0,
                                      outside::CellStore::MakeList({"Simplex", "Minus", "Plus"})});
        grid.SetFormat({4, 1, 4, 8}, {Kind::CheckBox, 0, 0, {}});
        grid.SetFormat({5, 1, 5, 8}, {Kind::Text, 0, 30, {}});
        grid.SetText(1, 0, QStringLiteral("Receive\nFrequency"));
        grid.SetText(2, 0, QStringLiteral("Name"));
        for (int r = 1; r <= 8; ++r)
            grid.SetText(0, r, QString::number(r));
        grid.SetFrozenColumns(1);
        grid.SetEditRules(&rules);
        view.SetCells(&grid);
        view.resize(700, 400);
        view.show();
        QApplication::setActiveWindow(&view);
        view.setFocus();
        QObject::connect(&view, &widgets::GridView::contextMenuWanted, [this](const QPoint& at) {
            const QPoint p = view.viewport()->mapFromGlobal(at);
            rules.Log("menu", {p.x(), p.y()});
        });
    }
    // Types as a user does: the first key opens the editor, the rest go to it.
    QWidget* Target() { return view.IsEditing() ? QApplication::focusWidget() : view.viewport(); }
    void Type(const QString& text) {
        for (const QChar ch : text)
            QTest::keyClick(Target(), ch.toLatin1());
    }
    QPoint CellCenter(int col, int row) {
        return view.visualRect(grid.CellIndex(col, row)).center();
    }
    outside::CellStore grid;
    Recorder rules;
    QStringList& events = rules.events;
    widgets::GridView view;
};

// Every way of putting a value into a cell reaches the rules through the
// store, in the order the user acted: an edit ends before Tab leaves its cell.
TEST_F(ViewTest, EditsReachTheRulesInOrder) {
    using Act = std::function<void(ViewTest&)>;
    const auto keys = [](QString text, Qt::Key key, Qt::KeyboardModifiers mods = {}) -> Act {
        return [=](ViewTest& t) {
            t.Type(text);
            QTest::keyClick(t.Target(), key, mods);
            QApplication::processEvents();
        };
    };
    const Act pickPlus = [](ViewTest& t) {
        t.view.StartEdit();
        auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
        ASSERT_TRUE(combo);
        EXPECT_EQ(combo->count(), 3);
        combo->setCurrentIndex(2);
        t.view.EndEdit();
    };
    const Act click = [](ViewTest& t) {
        QTest::mouseClick(t.view.viewport(), Qt::LeftButton, {}, t.CellCenter(4, 5));
    };
    const struct {
        int col, row;
        const char* held;
        Act act;
        const char* heard;
        const char* stored;
        int activeCol, activeRow;
    } cases[] = {
        {1, 2, "", keys("146.52", Qt::Key_Return), "before 1,2|after 1,2", "146.52000", 1, 2},
        {2, 1, "", keys("ABCDEFGHIJKL", Qt::Key_Return), "before 2,1|after 2,1", "ABCDEFGH", 2, 1},
        {2, 1, "", keys("AB", Qt::Key_Tab), "before 2,1|after 2,1|leave 2,1,3,1", "AB", 3, 1},
        {2, 1, "AB", keys("AB", Qt::Key_Return), "", "AB", 2, 1}, // the same text again
        {2, 1, "AB", keys("XY", Qt::Key_Escape), "", "AB", 2, 1},
        {3, 4, "", pickPlus, "before 3,4|after 3,4", "Plus", 3, 4},
        {4, 5, "", click, "on 4,5", "1", 4, 5},
        {2, 1, "", keys("", Qt::Key_Down), "leave 2,1,2,2", "", 2, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.heard);
        grid.SetText(c.col, c.row, QString::fromLatin1(c.held));
        view.SetActiveCell(c.col, c.row);
        events.clear();
        c.act(*this);
        EXPECT_FALSE(view.IsEditing());
        EXPECT_EQ(rules.Heard(), c.heard);
        EXPECT_EQ(grid.Text(c.col, c.row), QString::fromLatin1(c.stored));
        EXPECT_EQ(view.ActiveColumn(), c.activeCol);
        EXPECT_EQ(view.ActiveRow(), c.activeRow);
    }
}

TEST_F(ViewTest, RulesGuardTheActiveCellAndLockedCells) {
    rules.refuseLeave = true;
    view.SetActiveCell(2, 2);
    events.clear();
    QTest::keyClick(view.viewport(), Qt::Key_Right);
    QApplication::processEvents();
    EXPECT_EQ(rules.Heard(), "leave 2,2,3,2");
    EXPECT_EQ(view.ActiveColumn(), 2) << "a refused leave keeps the active cell";
    rules.refuseLeave = false;

    // A locked cell opens no editor; the rules may name another cell.
    grid.SetLock({2, 3, 5, 3}, true);
    for (const int goTo : {0, 1}) {
        rules.lockedGoTo = goTo;
        view.SetActiveCell(3, 3);
        events.clear();
        Type(QStringLiteral("x"));
        EXPECT_EQ(rules.Heard(), "locked 3,3");
        EXPECT_EQ(grid.Text(3, 3), QString());
        EXPECT_EQ(view.ActiveColumn(), goTo ? goTo : 3);
    }

    // The right button in the frozen pane asks for the menu where it came up.
    events.clear();
    const QPoint at = CellCenter(1, 6);
    QTest::mouseClick(view.findChild<QTableView*>()->viewport(), Qt::RightButton, {}, at);
    EXPECT_EQ(events.back(), QStringLiteral("menu %1,%2").arg(at.x()).arg(at.y()));
}

// The rules may fill the whole grid again (new lists, a selection, even a
// new size) while the cell editor that committed the value is still open;
// the editor then closes without writing anything more.
TEST_F(ViewTest, RulesMayRefillTheGridWhileItsEditorIsOpen) {
    bool resize = false;
    rules.afterEdit = [this, &resize](int, int row) {
        if (resize) {
            grid.SetMaxRows(9);
            grid.SetMaxRows(8);
        }
        grid.SetRedraw(false);
        grid.ClearBlock({1, 1, 5, 8});
        grid.SetFormat({3, 1, 3, 8},
                       {Kind::List, 0, 0, outside::CellStore::MakeList({"Off", "On"})});
        for (int r = 1; r <= 8; ++r) {
            grid.SetValue(1, r, 100 + r);
            grid.SetText(2, r, QStringLiteral("FILLED"));
            grid.SetListIndex(3, r, 1);
        }
        grid.SelectBlock({1, row, 5, row});
        grid.SetRedraw(true);
    };
    const struct {
        int col, row;
        Qt::Key key;
        const char* stored;
        outside::GridBlock selected;
        bool resize;
    } cases[] = {
        {1, 2, Qt::Key_Return, "102.00000", {1, 2, 5, 2}, false}, // in the frozen pane
        {2, 3, Qt::Key_Tab, "FILLED", {3, 3, 3, 3}, false},       // Tab moves on afterwards
        {3, 7, Qt::Key_Return, "On", {1, 7, 5, 7}, true},
    };
    // Qt has nothing to say about it either.
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler before =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type != QtDebugMsg && type != QtInfoMsg)
                warnings << text;
        });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        resize = c.resize;
        view.setFocus();
        view.SetActiveCell(c.col, c.row);
        if (c.col == 3) {
            view.StartEdit();
            auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
            ASSERT_TRUE(combo);
            combo->setCurrentIndex(combo->currentIndex() == 0 ? 1 : 0);
        } else {
            Type(QStringLiteral("7"));
        }
        ASSERT_TRUE(view.IsEditing());
        QTest::keyClick(Target(), c.key);
        QApplication::processEvents();
        EXPECT_FALSE(view.IsEditing());
        EXPECT_EQ(grid.Text(c.col, c.row), QString::fromLatin1(c.stored));
        EXPECT_EQ(grid.Selection(), c.selected);
        EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
    }
    qInstallMessageHandler(before);
}

TEST_F(ViewTest, ColumnsHeadersAndFrozenPane) {
    EXPECT_GE(view.horizontalHeader()->height(), 2 * view.fontMetrics().height())
        << "two-line headers fit";
    // The frozen pane shows the first column over the left edge.
    auto panes = view.findChildren<QTableView*>();
    ASSERT_EQ(panes.size(), 1);
    EXPECT_FALSE(panes[0]->isColumnHidden(0));
    EXPECT_TRUE(panes[0]->isColumnHidden(1));
    EXPECT_EQ(view.model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("2"));
}

} // namespace
