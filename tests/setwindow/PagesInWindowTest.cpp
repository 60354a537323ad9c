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
#include "settings/SettingsStore.h"
#include "support/ModalWatcher.h"
#include "widgets/GridView.h"

#include <gtest/gtest.h>

#include <QSlider>
#include <QTabBar>
#include <QTest>

namespace {

using radio::Byte;

class PagesInWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto store = settings::OpenSettingsGroup();
        store->remove(QString());
        settings::Flush(*store);
    }
    // Remembers a downloaded radio whose header holds variant in byte 8,
    // with a matching sum or one that is off by one.
    static void RememberRadio(int variant, bool goodSum = true) {
        auto store = settings::OpenSettingsGroup();
        QByteArray header(18, '\x01');
        header[8] = static_cast<char>(variant);
        store->setValue(QString::fromLatin1(settings::kConfiguration), header);
        store->setValue(QString::fromLatin1(settings::kConfiguration1),
                        (17 + variant + (goodSum ? 0 : 1)) & 0xFF);
        settings::Flush(*store);
    }
    std::unique_ptr<setwindow::SettingsWindow> Open() {
        auto dialog = std::make_unique<setwindow::SettingsWindow>(
            settings::rsf::SettingsSource(doc, QStringLiteral("ReadRadio")));
        dialog->show();
        return dialog;
    }
    static void ClickTab(setwindow::SettingsWindow& dialog, int tab) {
        QTest::mouseClick(dialog.TabBar(), Qt::LeftButton, {},
                          dialog.TabBar()->tabRect(tab).center());
    }
    Byte* Settings() { return doc.Image() + radio::image::kSettingsFirst; }

    testing_support::ModalWatcher watcher;
    document::RadioDocument doc;
};

TEST_F(PagesInWindowTest, TheThreePagesSitOnTheirTabs) {
    auto dialog = Open();
    EXPECT_TRUE(dynamic_cast<setwindow::DisplayPage*>(
        dialog->Page(setwindow::SettingsWindow::kTabDisplay)));
    EXPECT_TRUE(dynamic_cast<setwindow::IconFontPage*>(
        dialog->Page(setwindow::SettingsWindow::kTabIconFont)));
    EXPECT_TRUE(
        dynamic_cast<setwindow::NamesPage*>(dialog->Page(setwindow::SettingsWindow::kTabNames)));
    EXPECT_EQ(dialog->Page(setwindow::SettingsWindow::kTabDisplay)->HelpTopic(), 103);
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
        ClickTab(*dialog, setwindow::SettingsWindow::kTabNames);
        auto* names =
            dynamic_cast<setwindow::NamesPage*>(dialog->Page(setwindow::SettingsWindow::kTabNames));
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
        QByteArray(reinterpret_cast<const char*>(dialog->WorkingCopy()), settings::rsf::kBlockSize),
        QByteArray(reinterpret_cast<const char*>(settings::rsf::BlockOf(dialog->File())),
                   settings::rsf::kBlockSize));

    // One change on the Display page is noticed when the tab changes.
    dialog = Open();
    ClickTab(*dialog, setwindow::SettingsWindow::kTabDisplay);
    auto* display =
        dynamic_cast<setwindow::DisplayPage*>(dialog->Page(setwindow::SettingsWindow::kTabDisplay));
    ASSERT_TRUE(display);
    QTest::keyClick(display->Contrast(), Qt::Key_End);
    ClickTab(*dialog, setwindow::SettingsWindow::kTabToggles);
    EXPECT_EQ(dialog->WorkingCopy()[11], 36);
    EXPECT_EQ(dialog->WorkingCopy()[12], 13);
    watcher.AnswerBoxes({QMessageBox::No});
    dialog->close();
    ASSERT_EQ(watcher.Boxes().size(), 1);
    EXPECT_EQ(watcher.Boxes()[0].text, QStringLiteral("Save settings before closing?"));
}

} // namespace
