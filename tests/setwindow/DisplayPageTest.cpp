// The Display page on a settings block, offscreen: its sliders, icon grid and
// LED colours load from their bytes and, moved by the user, save back into
// them and nothing else; its lists are bound as the Toggles page's are.
#include "setwindow/DisplayPage.h"

#include "settings/RadioSettings.h"
#include "settings/SettingsOptions.h"

#include "support/ChangedBytes.h"
#include "support/ModalWatcher.h"
#include "widgets/GridView.h"
#include "widgets/LedSwatch.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <functional>
#include <map>

namespace {

using radio::Byte;
using Block = std::vector<Byte>;

constexpr int kBlockSize = settings::rsf::kBlockSize;

// A block with a value in every byte the page shows, some of them past
// what its control can show.
Block Sample() {
    Block block(kBlockSize);
    for (int i = 0; i < kBlockSize; ++i)
        block[static_cast<size_t>(i)] = static_cast<Byte>(i * 7 + 3);
    block[4] = 0x9B;   // language bit 6 clear, the rest set
    block[11] = 10;    // contrast 1, off the scale
    block[12] = 200;   // dimmer past 12
    block[83] = 9;     // past the list
    block[117] = 0xF2; // Display2x on, Icon Set off
    for (int b = 0; b < 16; ++b)
        block[static_cast<size_t>(62 + b)] = static_cast<Byte>(b);
    block[62 + 14] = 29; // PMS: icon 30
    block[62 + 15] = 30; // Home: no icon
    for (int n = 0; n < 10; ++n) {
        block[static_cast<size_t>(120 + 3 * n)] = static_cast<Byte>(5 * n);
        block[static_cast<size_t>(121 + 3 * n)] = 51;
        block[static_cast<size_t>(122 + 3 * n)] = 0;
    }
    block[120] = 60; // LED 1: red off the scale
    return block;
}

class DisplayPageTest : public ::testing::Test {
public:
    void SetUp() override {
        block = Sample();
        page = std::make_unique<setwindow::DisplayPage>(block.data(), nullptr);
        page->resize(900, 560);
        page->show();
        QApplication::setActiveWindow(page.get());
        page->Load();
    }
    // A control of the page by its option's key.
    template <class W>
    W* Control(const char* key) {
        auto* w = page->findChild<W*>(QString::fromLatin1(key));
        EXPECT_TRUE(w) << key;
        return w;
    }
    QComboBox* Combo(const char* key) { return Control<QComboBox>(key); }
    // Picks an item in the icon cell of a band row, as the user does.
    void ChooseIcon(int row, int item) {
        widgets::GridView* grid = page->IconGrid();
        grid->SetActiveCell(1, row);
        grid->StartEdit();
        auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
        ASSERT_TRUE(combo);
        combo->setCurrentIndex(item);
        grid->EndEdit();
    }
    // The bytes that differ from the block as it was loaded.
    std::map<int, int> Changes() const { return ChangedBytes(Sample(), block); }

    Block block;
    std::unique_ptr<setwindow::DisplayPage> page;
    testing_support::ModalWatcher watcher;
};

TEST_F(DisplayPageTest, LoadShowsTheSlidersTheIconGridAndTheSwatches) {
    EXPECT_EQ(page->Contrast()->value(), 1); // byte 10 lies between positions 1 and 2
    EXPECT_EQ(page->Contrast()->minimum(), 1);
    EXPECT_EQ(page->Contrast()->maximum(), 10);
    EXPECT_EQ(page->Dimmer()->value(), 12); // byte 200: the slider's top
    EXPECT_EQ(Combo("display.language")->currentText(), QStringLiteral("English"));
    EXPECT_EQ(Combo("display.subMeterSymbol")->currentText(), QString()) << "past the list";

    const outside::CellStore* grid = page->IconGrid()->Cells();
    EXPECT_EQ(grid->Text(0, 1), QStringLiteral("MW"));
    EXPECT_EQ(grid->Text(0, 16), QStringLiteral("Home"));
    EXPECT_EQ(grid->Text(1, 1), QStringLiteral("1"));
    EXPECT_EQ(grid->Text(1, 15), QStringLiteral("30"));
    EXPECT_EQ(grid->Text(1, 16), QString()) << "byte 30: no icon";
    EXPECT_EQ(grid->CellList(1, 1)->Count(), 30);

    EXPECT_EQ(page->Swatch(0)->Colour(), QColor(255, 255, 0)); // 60 shows as 255
    EXPECT_EQ(page->Swatch(3)->Colour(), QColor(75, 255, 0));
    EXPECT_EQ(page->LedButton(9)->text(), QStringLiteral("LED 10"));
    EXPECT_EQ(page->HelpTopic(), 103);
}

TEST_F(DisplayPageTest, SavingUntouchedControlsChangesNothing) {
    page->Save();
    EXPECT_EQ(Changes(), (std::map<int, int>{}));
    page->Save(); // and again, after Save loaded the page afresh
    EXPECT_EQ(Changes(), (std::map<int, int>{}));
}

TEST_F(DisplayPageTest, EachControlSavesItsOwnBytes) {
    struct Case {
        const char* what;
        std::function<void(DisplayPageTest&)> act;
        std::map<int, int> changes;
    };
    const auto key = [](QWidget* w, Qt::Key k) { QTest::keyClick(w, k); };
    const Case cases[] = {
        {"contrast up from an off-scale byte",
         [&](DisplayPageTest& t) { key(t.page->Contrast(), Qt::Key_Right); },
         {{11, 12}}},
        {"contrast to the top",
         [&](DisplayPageTest& t) { key(t.page->Contrast(), Qt::Key_End); },
         {{11, 36}}},
        {"dimmer one down from past the top",
         [&](DisplayPageTest& t) { key(t.page->Dimmer(), Qt::Key_Left); },
         {{12, 11}}},
        {"language keeps the other bits of byte 4",
         [&](DisplayPageTest& t) { key(t.Combo("display.language"), Qt::Key_Down); },
         {{4, 0xDB}}},
        {"sub meter from past the list",
         [&](DisplayPageTest& t) { key(t.Combo("display.subMeterSymbol"), Qt::Key_Down); },
         {{83, 0}}},
        {"Display2x off",
         [&](DisplayPageTest& t) { key(t.Control<QCheckBox>("display.display2x"), Qt::Key_Space); },
         {{117, 0xF0}}},
        {"Icon Set on",
         [&](DisplayPageTest& t) { key(t.Control<QCheckBox>("display.iconSet"), Qt::Key_Space); },
         {{117, 0xF3}}},
        {"icon of 2m", [&](DisplayPageTest& t) { t.ChooseIcon(6, 29); }, {{67, 29}}},
        {"icon of Home, from none", [&](DisplayPageTest& t) { t.ChooseIcon(16, 0); }, {{77, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Block fresh = Sample(); // into the same bytes the page holds
        std::copy(fresh.begin(), fresh.end(), block.begin());
        page->Load();
        c.act(*this);
        page->Save();
        EXPECT_EQ(Changes(), c.changes);
    }
}

TEST_F(DisplayPageTest, LedButtonsChooseFromTheSwatchColour) {
    QList<QColor> started;
    QList<QColor> answers = {QColor(128, 0, 255), QColor()}; // choose, then cancel
    watcher.OnOtherDialog([&](QWidget* w) {
        auto* dialog = qobject_cast<QColorDialog*>(w);
        ASSERT_TRUE(dialog);
        started << dialog->currentColor();
        const QColor answer = answers.takeFirst();
        if (answer.isValid()) {
            dialog->setCurrentColor(answer);
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
    QTest::mouseClick(page->LedButton(2), Qt::LeftButton);
    EXPECT_EQ(page->Swatch(2)->Colour(), QColor(128, 0, 255));
    // The second press starts from the first choice; cancelling keeps it.
    QTest::mouseClick(page->LedButton(2), Qt::LeftButton);
    ASSERT_EQ(started.size(), 2);
    EXPECT_EQ(started[0], QColor(50, 255, 0));
    EXPECT_EQ(started[1], QColor(128, 0, 255));
    EXPECT_EQ(page->Swatch(2)->Colour(), QColor(128, 0, 255));
    page->Save();
    EXPECT_EQ(Changes(), (std::map<int, int>{{126, 25}, {127, 0}, {128, 51}}));
    // Stored as levels, shown again as 5 times the level.
    EXPECT_EQ(page->Swatch(2)->Colour(), QColor(125, 0, 255));

    // LED 1 holds red 60: kept until the user chooses a colour for it.
    answers = {QColor(0, 0, 10)};
    QTest::mouseClick(page->LedButton(0), Qt::LeftButton);
    EXPECT_EQ(started.back(), QColor(255, 255, 0));
    page->Save();
    EXPECT_EQ(block[120], 0);
    EXPECT_EQ(block[121], 0);
    EXPECT_EQ(block[122], 2);
}

} // namespace
