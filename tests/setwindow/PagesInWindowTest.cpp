// The Display, Icon/Font and names pages inside the settings window: their
// tabs, the TV list by the remembered radio, and a round through every tab
// that changes nothing, even where the radio's bytes lie past what the
// controls can show.
#include "setwindow/DisplayPage.h"
#include "setwindow/IconFontPage.h"
#include "setwindow/NamesPage.h"
#include "setwindow/SettingsWindow.h"

#include "document/RadioDocument.h"
#include "settings/RadioSettings.h"
#include "settings/Registry.h"
#include "support/ModalWatcher.h"
#include "widgets/GridView.h"

#include <gtest/gtest.h>

#include <QSlider>
#include <QTabBar>
#include <QTest>

namespace {

using vx7::Byte;

class PagesInWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto settings = reg::OpenSettingsKey();
        settings->remove(QString());
        reg::Flush(*settings);
    }
    // Remembers a downloaded radio whose header holds variant in byte 8,
    // with a matching sum or one that is off by one.
    static void RememberRadio(int variant, bool goodSum = true) {
        auto settings = reg::OpenSettingsKey();
        QByteArray header(18, '\x01');
        header[8] = static_cast<char>(variant);
        settings->setValue(QString::fromLatin1(reg::kConfiguration), header);
        settings->setValue(QString::fromLatin1(reg::kConfiguration1),
                           (17 + variant + (goodSum ? 0 : 1)) & 0xFF);
        reg::Flush(*settings);
    }
    std::unique_ptr<SettingsWindow> Open() {
        auto dialog =
            std::make_unique<SettingsWindow>(rsf::SettingsSource(doc, QStringLiteral("ReadRadio")));
        dialog->show();
        return dialog;
    }
    static void ClickTab(SettingsWindow& dialog, int tab) {
        QTest::mouseClick(dialog.TabBar(), Qt::LeftButton, {},
                          dialog.TabBar()->tabRect(tab).center());
    }
    Byte* Settings() { return doc.Image() + vx7::image::kSettingsFirst; }

    testing_support::ModalWatcher watcher;
    RadioDocument doc;
};

TEST_F(PagesInWindowTest, TheThreePagesSitOnTheirTabs) {
    auto dialog = Open();
    EXPECT_TRUE(dynamic_cast<DisplayPage*>(dialog->Page(SettingsWindow::kTabDisplay)));
    EXPECT_TRUE(dynamic_cast<IconFontPage*>(dialog->Page(SettingsWindow::kTabIconFont)));
    EXPECT_TRUE(dynamic_cast<NamesPage*>(dialog->Page(SettingsWindow::kTabNames)));
    EXPECT_EQ(dialog->Page(SettingsWindow::kTabDisplay)->HelpTopic(), 103);
}

TEST_F(PagesInWindowTest, TheTvListFollowsTheRememberedRadio) {
    const struct {
        int variant; // -1: no radio remembered
        bool goodSum;
        bool tvList;
    } cases[] = {{-1, true, false}, {0, true, false},  {1, true, true},
                 {2, true, true},   {1, false, false}, {2, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.variant * 10 + c.goodSum);
        SetUp();
        if (c.variant >= 0)
            RememberRadio(c.variant, c.goodSum);
        auto dialog = Open();
        ClickTab(*dialog, SettingsWindow::kTabNames);
        auto* names = dynamic_cast<NamesPage*>(dialog->Page(SettingsWindow::kTabNames));
        ASSERT_TRUE(names);
        EXPECT_TRUE(names->WxGrid()->isVisible());
        EXPECT_EQ(names->TvGrid()->isVisible(), c.tvList);
        dialog->close();
    }
}

TEST_F(PagesInWindowTest, ARoundThroughTheTabsChangesNothing) {
    Byte* s = Settings();
    s[11] = 10;          // contrast between two positions
    s[12] = 13;          // dimmer past 12
    s[62] = 30;          // band icon past 30
    s[81] = 7;           // display mode past its list
    s[120] = 60;         // LED level past 51
    s[156] = 7;          // no font character selected
    s[157] = 5;          // no icon selected
    s[194] = 0xFF;       // unused bits of a character row
    s[448 + 123] = 0xAA; // an icon's padding byte
    s[1390] = 200;       // a weather name code past the table
    s[1390 + 9] = 96;    // the second code of "0"
    s[832] = 124;        // the second code of "1" in a TV name
    RememberRadio(1);
    auto dialog = Open();
    for (int tab : {1, 3, 4, 2, 0})
        ClickTab(*dialog, tab);
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(watcher.Boxes().isEmpty());
    EXPECT_EQ(
        QByteArray(reinterpret_cast<const char*>(dialog->WorkingCopy()), rsf::kBlockSize),
        QByteArray(reinterpret_cast<const char*>(rsf::BlockOf(dialog->File())), rsf::kBlockSize));

    // One change on the Display page is noticed when the tab changes.
    dialog = Open();
    ClickTab(*dialog, SettingsWindow::kTabDisplay);
    auto* display = dynamic_cast<DisplayPage*>(dialog->Page(SettingsWindow::kTabDisplay));
    ASSERT_TRUE(display);
    QTest::keyClick(display->Contrast(), Qt::Key_End);
    ClickTab(*dialog, SettingsWindow::kTabToggles);
    EXPECT_EQ(dialog->WorkingCopy()[11], 36);
    EXPECT_EQ(dialog->WorkingCopy()[12], 13);
    watcher.AnswerBoxes({QMessageBox::No});
    dialog->close();
    ASSERT_EQ(watcher.Boxes().size(), 1);
    EXPECT_EQ(watcher.Boxes()[0].text, QStringLiteral("Save settings before closing?"));
}

} // namespace
