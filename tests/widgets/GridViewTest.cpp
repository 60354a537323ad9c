// The grid on screen, offscreen: delegates by cell kind and the grid's events
// raised by real mouse and keyboard input.
#include "widgets/GridView.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

namespace {

using Kind = outside::CellStore::CellKind;

struct Event {
    QString name;
    int a, b, c, d;
    bool operator==(const Event& o) const {
        return name == o.name && a == o.a && b == o.b && c == o.c && d == o.d;
    }
};

std::ostream& operator<<(std::ostream& os, const Event& e) {
    return os << e.name.toStdString() << "(" << e.a << "," << e.b << "," << e.c << "," << e.d
              << ")";
}

class ViewTest : public ::testing::Test {
protected:
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
        view.SetCells(&grid);
        view.resize(700, 400);
        view.show();
        QApplication::setActiveWindow(&view);
        view.setFocus();
        QObject::connect(&view, &widgets::GridView::editModeChanged,
                         [this](int c, int r, int m, bool ch) { Log("edit", c, r, m, ch); });
        QObject::connect(&view, &widgets::GridView::changed,
                         [this](int c, int r) { Log("change", c, r); });
        QObject::connect(&view, &widgets::GridView::leaveCell,
                         [this](int c, int r, int nc, int nr, bool* cancel) {
                             Log("leaveCell", c, r, nc, nr);
                             *cancel = cancelLeave;
                         });
        QObject::connect(&view, &widgets::GridView::leaveRow,
                         [this](int r, int nr, bool*) { Log("leaveRow", r, nr); });
        QObject::connect(&view, &widgets::GridView::buttonClicked,
                         [this](int c, int r, int s) { Log("button", c, r, s); });
        QObject::connect(&view, &widgets::GridView::editRefused,
                         [this](int c, int r, int code) { Log("refused", c, r, code); });
        QObject::connect(&view, &widgets::GridView::mouseUp,
                         [this](int b, int, int, int) { Log("mouseUp", b); });
    }
    void Log(const char* name, int a = 0, int b = 0, int c = 0, int d = 0) {
        events.push_back({QString::fromLatin1(name), a, b, c, d});
    }
    // Types as a user does: the first key opens the editor, the rest go to it.
    void Type(const QString& text) {
        for (const QChar ch : text) {
            QWidget* target = view.IsEditing() ? QApplication::focusWidget() : view.viewport();
            QTest::keyClick(target, ch.toLatin1());
        }
    }
    QPoint CellCenter(int col, int row) {
        return view.visualRect(grid.CellIndex(col, row)).center();
    }
    outside::CellStore grid;
    widgets::GridView view;
    std::vector<Event> events;
    bool cancelLeave = false;
};

TEST_F(ViewTest, TypingANumberFormatsItAndRaisesTheEditEvents) {
    view.SetActiveCell(1, 2);
    events.clear();
    Type(QStringLiteral("146.52"));
    ASSERT_TRUE(view.IsEditing());
    QWidget* focus = QApplication::focusWidget();
    ASSERT_TRUE(focus);
    QTest::keyClick(focus, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(view.IsEditing());
    EXPECT_EQ(grid.Text(1, 2), QStringLiteral("146.52000"));
    const std::vector<Event> expected = {
        {"edit", 1, 2, 1, 0}, {"change", 1, 2, 0, 0}, {"edit", 1, 2, 0, 1}};
    EXPECT_EQ(std::vector<Event>(events.begin(), events.begin() + 3), expected);
}

TEST_F(ViewTest, TextCellsKeepTheirMaximumLength) {
    view.SetActiveCell(2, 1);
    Type(QStringLiteral("ABCDEFGHIJKL"));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->maxLength(), 8);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(grid.Text(2, 1), QStringLiteral("ABCDEFGH"));
}

TEST_F(ViewTest, ChoiceListsEditInAComboBox) {
    view.SetActiveCell(3, 4);
    view.StartEdit();
    auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->count(), 3);
    combo->setCurrentIndex(2);
    view.EndEdit();
    EXPECT_EQ(grid.ListIndex(3, 4), 2);
    EXPECT_EQ(grid.Text(3, 4), QStringLiteral("Plus"));
}

TEST_F(ViewTest, LeavingCellsAndRowsCanBeRefused) {
    view.SetActiveCell(2, 1);
    events.clear();
    QTest::keyClick(view.viewport(), Qt::Key_Down);
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0], (Event{"leaveCell", 2, 1, 2, 2}));
    EXPECT_EQ(events[1], (Event{"leaveRow", 1, 2, 0, 0}));
    EXPECT_EQ(view.ActiveRow(), 2);

    cancelLeave = true;
    events.clear();
    QTest::keyClick(view.viewport(), Qt::Key_Right);
    EXPECT_EQ(events.at(0), (Event{"leaveCell", 2, 2, 3, 2}));
    EXPECT_EQ(view.ActiveColumn(), 2) << "a refused leave keeps the active cell";
    EXPECT_EQ(grid.ActiveColumn(), 2);

    // Focus moving to another control leaves the cell for no other cell.
    cancelLeave = false;
    QWidget window;
    auto* elsewhere = new QLineEdit(&window);
    view.setParent(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    view.setFocus();
    QApplication::processEvents();
    events.clear();
    elsewhere->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    view.setParent(nullptr);
    bool left = false;
    for (const Event& e : events)
        left = left || e == Event{"leaveCell", 2, 2, -1, -1};
    EXPECT_TRUE(left);
}

TEST_F(ViewTest, LockedCellsRefuseEditingAndCheckBoxesClick) {
    grid.SetLock({2, 3, 5, 3}, true);
    view.SetActiveCell(2, 3);
    events.clear();
    Type(QStringLiteral("x"));
    EXPECT_FALSE(view.IsEditing());
    EXPECT_EQ(events.at(0), (Event{"refused", 2, 3, 1, 0}));
    EXPECT_EQ(grid.Text(2, 3), QString());

    events.clear();
    view.SetActiveCell(4, 5);
    const QPoint box = CellCenter(4, 5);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, box);
    EXPECT_EQ(grid.Text(4, 5), QStringLiteral("1"));
    bool clicked = false;
    for (const Event& e : events)
        clicked = clicked || e == Event{"button", 4, 5, Qt::Checked, 0};
    EXPECT_TRUE(clicked);

    events.clear();
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, CellCenter(2, 6));
    EXPECT_EQ(events.back(), (Event{"mouseUp", 2, 0, 0, 0}));
}

TEST_F(ViewTest, ColumnsHeadersAndFrozenPane) {
    EXPECT_GE(view.horizontalHeader()->height(), 2 * view.fontMetrics().height())
        << "two-line headers fit";
    EXPECT_GE(view.columnWidth(0),
              view.fontMetrics().horizontalAdvance(QStringLiteral("0000.00000")));
    EXPECT_GE(view.columnWidth(2), view.fontMetrics().horizontalAdvance(QStringLiteral("Simplex")));
    grid.SetColumnHidden(2, true);
    EXPECT_TRUE(view.isColumnHidden(1));
    grid.SetColumnHidden(2, false);
    EXPECT_FALSE(view.isColumnHidden(1));
    // The frozen pane shows the first column over the left edge.
    auto panes = view.findChildren<QTableView*>();
    ASSERT_EQ(panes.size(), 1);
    EXPECT_TRUE(panes[0]->isVisible());
    EXPECT_FALSE(panes[0]->isColumnHidden(0));
    EXPECT_TRUE(panes[0]->isColumnHidden(1));
    EXPECT_EQ(view.model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("2"));
}

} // namespace
