// The names page on a settings block, offscreen: names typed into the grids
// reach their records (the coding itself is tested with the name records),
// untouched names keep their codes, and the TV names show only on radios
// with the TV band.
#include "setwindow/NamesPage.h"
#include "settings/RadioSettings.h"

#include "support/ChangedBytes.h"
#include "widgets/GridView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include <map>

namespace {

using radio::Byte;
using Block = std::vector<Byte>;

constexpr int kBlockSize = settings::rsf::kBlockSize;
constexpr int kTv = 832;  // TV record k at 832 + 9k
constexpr int kWx = 1390; // weather record k at 1390 + 9k

void Put(Block& block, int at, std::vector<Byte> bytes) {
    std::copy(bytes.begin(), bytes.end(), block.begin() + at);
}

Block Sample() {
    Block block(kBlockSize, 0);
    for (int k = 0; k < 62; ++k)
        Put(block, kTv + 9 * k, {10, 10, 10, 10, 10, 10, 10, 10, 0x55});
    for (int k = 0; k < 10; ++k)
        Put(block, kWx + 9 * k, {10, 10, 10, 10, 10, 10, 10, 10, 0x66});
    Put(block, kWx, {24, 25, 11, 11, 10, 1, 10, 10});          // NOAA 1
    Put(block, kWx + 9, {96, 124, 200, 10, 10, 10, 10, 10});   // a second '0', codes past the table
    Put(block, kTv + 9 * 61, {29, 21, 10, 2, 10, 10, 10, 10}); // SK 2
    block[7] = 0x5F; // weather alert (bit 5) off, the rest set
    return block;
}

class NamesPageTest : public ::testing::Test {
public:
    void Open(bool showTv) {
        block = Sample();
        page = std::make_unique<setwindow::NamesPage>(block.data(), showTv, nullptr);
        page->resize(700, 500);
        page->show();
        QApplication::setActiveWindow(page.get());
        page->Load();
    }
    // Types into a name cell as a user does: the first key opens the editor,
    // the rest go to it, Return ends the edit.
    void Type(widgets::GridView* grid, int row, const QString& text, bool clearFirst = false) {
        grid->SetActiveCell(1, row);
        grid->setFocus();
        if (clearFirst) {
            grid->StartEdit();
            auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            ASSERT_TRUE(edit);
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
        }
        for (const QChar ch : text) {
            QWidget* target = grid->IsEditing() ? QApplication::focusWidget() : grid->viewport();
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
        if (grid->IsEditing())
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    }
    std::map<int, int> Changes() const { return ChangedBytes(Sample(), block); }

    Block block;
    std::unique_ptr<setwindow::NamesPage> page;
};

TEST_F(NamesPageTest, LoadShowsTheNames) {
    Open(true);
    const outside::CellStore* wx = page->WxGrid()->Cells();
    EXPECT_EQ(wx->MaxRows(), 10);
    EXPECT_EQ(wx->Text(1, 0), QStringLiteral("WX Names"));
    EXPECT_EQ(wx->Text(1, 1), QStringLiteral("NOAA 1"));
    EXPECT_EQ(wx->Text(1, 2), QStringLiteral("01?")); // 96 and 124 repeat "0" and "1"
    EXPECT_EQ(wx->MaxLength(1, 1), 8);
    const outside::CellStore* tv = page->TvGrid()->Cells();
    EXPECT_EQ(tv->MaxRows(), 62);
    EXPECT_EQ(tv->Text(1, 0), QStringLiteral("TV Names"));
    EXPECT_EQ(tv->Text(1, 62), QStringLiteral("SK 2"));
    EXPECT_FALSE(page->WxAlert()->isChecked());
    EXPECT_TRUE(page->TvGrid()->isVisible());
    // Without the TV band the TV names are out of sight but still loaded, so
    // that saving keeps them.
    Open(false);
    EXPECT_FALSE(page->TvGrid()->isVisible());
    EXPECT_TRUE(page->WxGrid()->isVisible());
    EXPECT_EQ(page->TvGrid()->Cells()->Text(1, 62), QStringLiteral("SK 2"));
}

TEST_F(NamesPageTest, EditsSaveThroughTheCharacterTable) {
    struct Case {
        const char* what;
        bool showTv;
        std::function<void(NamesPageTest&)> act;
        std::map<int, int> changes;
    };
    const Case cases[] = {
        {"nothing, without the TV band: odd codes and TV names stay",
         false,
         [](NamesPageTest&) {},
         {}},
        {"characters the radio lacks are refused as typed",
         true,
         [](NamesPageTest& t) { t.Type(t.page->WxGrid(), 4, QStringLiteral("W\u00e9x\u20ac1")); },
         {{kWx + 27, 33}, {kWx + 28, 60}, {kWx + 29, 1}}},
        {"a TV name",
         true,
         [](NamesPageTest& t) { t.Type(t.page->TvGrid(), 62, QStringLiteral("12"), true); },
         {{kTv + 9 * 61, 1}, {kTv + 9 * 61 + 1, 2}, {kTv + 9 * 61 + 3, 10}}},
        {"the weather alert",
         true,
         [](NamesPageTest& t) { QTest::keyClick(t.page->WxAlert(), Qt::Key_Space); },
         {{7, 0x7F}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open(c.showTv);
        c.act(*this);
        page->Save();
        EXPECT_EQ(Changes(), c.changes);
    }
}

} // namespace
