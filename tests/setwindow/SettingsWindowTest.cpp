// The settings window, offscreen: opening by settings source, tabs and their
// labels, the names tab by the remembered radio, the File menu, asking to
// save, the General page's check before tab changes, commands and closing,
// and the View and Radio commands around it.
#include "setwindow/SettingsWindow.h"
#include "PageSamples.h"
#include "app/DocumentWindow.h"
#include "app/MainWindow.h"
#include "document/RadioDocument.h"
#include "settings/RadioSettings.h"
#include "settings/SettingsStore.h"
#include "setwindow/NamesPage.h"
#include "support/ModalWatcher.h"
#include "support/SaveFaults.h"
#include "support/TestSupport.h"
#include "widgets/GridView.h"
#include "widgets/HelpWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include <sys/stat.h>

using radio::Byte;
using testing_support::ModalWatcher;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

const QString kAsk = QStringLiteral("Save settings before closing?");

class SettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        auto store = settings::OpenSettingsGroup();
        store->remove(QString());
        store->setValue(QString::fromLatin1(settings::kSettingDir), dir.path());
        settings::Flush(*store);
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    std::unique_ptr<setwindow::SettingsWindow> Open(const QString& source) {
        auto dialog =
            std::make_unique<setwindow::SettingsWindow>(settings::rsf::SettingsSource(doc, source));
        dialog->show();
        return dialog;
    }
    static QString Stored(const char* name) {
        return settings::OpenSettingsGroup()->value(QString::fromLatin1(name)).toString();
    }
    template <class W>
    static W* Control(setwindow::SettingsWindow& dialog, int tab, const char* key) {
        return dialog.Page(tab)->findChild<W*>(QString::fromLatin1(key));
    }
    static void ClickTab(setwindow::SettingsWindow& dialog, int tab) {
        QTest::mouseClick(dialog.TabBar(), Qt::LeftButton, {},
                          dialog.TabBar()->tabRect(tab).center());
    }
    static QByteArray Block(const Byte* block) {
        return {reinterpret_cast<const char*>(block), settings::rsf::kBlockSize};
    }
    QByteArray Defaults() {
        settings::rsf::RadioSettings defaults{};
        settings::rsf::ExtractDefaults(doc.Radio(), defaults.data());
        return Block(defaults.data()).left(settings::rsf::kRecordSize);
    }

    QTemporaryDir dir;
    ModalWatcher watcher;
    document::RadioDocument doc;
};

TEST_F(SettingsWindowTest, OpensOnTheImageWithItsTabsAndMenu) {
    doc.Image()[1682] = 9;
    auto dialog = Open(QStringLiteral("ReadRadio"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Settings - Untitled.rsf"));
    EXPECT_EQ(dialog->WorkingCopy()[0], 9);
    QStringList labels;
    for (int t = 0; t < dialog->TabBar()->count(); ++t)
        labels << dialog->TabBar()->tabText(t);
    EXPECT_EQ(labels, QStringList({"Toggles", "Display", "General", "Icon/Font", "WX Names"}));

    const struct {
        const char* name;
        const char* text;
        const char* key;
    } menu[] = {
        {"settings.new", "&New", "Ctrl+N"},   {"settings.open", "&Open...", "Ctrl+O"},
        {"settings.save", "&Save", "Ctrl+S"}, {"settings.saveAs", "Save &As...", ""},
        {"settings.exit", "E&xit", ""},
    };
    for (const auto& item : menu) {
        QAction* action = dialog->Action(QString::fromLatin1(item.name));
        ASSERT_TRUE(action) << item.name;
        EXPECT_EQ(action->text(), QString::fromLatin1(item.text));
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(item.key)));
    }

    // F1 shows the window's help page.
    QApplication::setActiveWindow(dialog.get());
    Control<QCheckBox>(*dialog, 0, "toggles.dtmfDialer")->setFocus();
    QTest::keyClick(Control<QCheckBox>(*dialog, 0, "toggles.dtmfDialer"), Qt::Key_F1);
    auto* help = dialog->findChild<widgets::HelpWindow*>();
    ASSERT_TRUE(help);
    EXPECT_EQ(help->CurrentTopic(), widgets::help::kSettingsWindow);
}

// Which headers count as a remembered radio is the settings' rule; without
// one the tab is "WX Names" with no TV list (OpensOnTheImageWithItsTabsAndMenu).
TEST_F(SettingsWindowTest, TheNamesTabFollowsTheRememberedRadio) {
    {
        auto store = settings::OpenSettingsGroup();
        QByteArray header(18, '\x03');
        header[8] = 1;
        store->setValue(QString::fromLatin1(settings::kConfiguration), header);
        store->setValue(QString::fromLatin1(settings::kConfiguration1), 17 * 3 + 1);
        settings::Flush(*store);
    }
    auto dialog = Open(QStringLiteral("NewFile"));
    EXPECT_EQ(dialog->TabBar()->tabText(setwindow::SettingsWindow::kTabNames),
              QStringLiteral("WX/TV Names"));
    ClickTab(*dialog, setwindow::SettingsWindow::kTabNames);
    auto* names =
        dynamic_cast<setwindow::NamesPage*>(dialog->Page(setwindow::SettingsWindow::kTabNames));
    ASSERT_TRUE(names);
    EXPECT_TRUE(names->TvGrid()->isVisible());
}

TEST_F(SettingsWindowTest, ClosingAsksOnlyAfterAChange) {
    // Values no control can show, on every page.
    PutSample("unshowable", doc.Image() + radio::image::kSettingsFirst);
    auto dialog = Open(QStringLiteral("ReadRadio"));
    for (int tab : {2, 1, 3, 4, 0})
        ClickTab(*dialog, tab);
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(watcher.Boxes().isEmpty());
    EXPECT_EQ(Block(dialog->WorkingCopy()), Block(settings::rsf::BlockOf(dialog->File())));

    dialog = Open(QStringLiteral("ReadRadio"));
    Control<QCheckBox>(*dialog, 0, "toggles.dtmfDialer")->click();
    watcher.AnswerBoxes({QMessageBox::Cancel});
    dialog->close();
    ASSERT_EQ(watcher.Boxes().size(), 1);
    EXPECT_EQ(watcher.Boxes()[0].caption, QStringLiteral("Settings"));
    EXPECT_EQ(watcher.Boxes()[0].text, kAsk);
    EXPECT_TRUE(dialog->isVisible()) << "Cancel keeps the window";
    watcher.AnswerBoxes({QMessageBox::No});
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(doc.SettingsSourceName(), QStringLiteral("NewFile"));
}

TEST_F(SettingsWindowTest, EachWindowAndEachUploadHoldSettingsOfTheirOwn) {
    // A file with spare bytes and more text after the radio name.
    settings::rsf::FileImage kept{};
    settings::rsf::WriteHeader(kept.data(), true);
    std::memset(kept.data() + settings::rsf::kRadioName + 11, 'x', 20);
    std::memset(settings::rsf::BlockOf(kept) + settings::rsf::kRecordSize, 0x5A,
                settings::rsf::kSpareSize);
    WriteFile(Path("kept.rsf"),
              QByteArray(reinterpret_cast<const char*>(kept.data()), settings::rsf::kFileSize));
    auto first = Open(QStringLiteral("kept.rsf"));
    ASSERT_EQ(first->File(), kept);
    // The image's own settings begin from nothing the first window holds.
    auto second = Open(QStringLiteral("ReadRadio"));
    EXPECT_EQ(Block(settings::rsf::BlockOf(second->File())).mid(settings::rsf::kRecordSize),
              QByteArray(settings::rsf::kSpareSize, '\0'));
    EXPECT_EQ(
        QByteArray(reinterpret_cast<const char*>(second->File().data()) + settings::rsf::kRadioName,
                   settings::rsf::kRadioNameSize),
        QByteArray(settings::rsf::kRadioNameSize, '\0'));
    ASSERT_FALSE(settings::rsf::WriteSettingsForUpload(
        settings::rsf::SettingsSource(doc, QStringLiteral("NewFile"))));
    EXPECT_EQ(first->File(), kept);
}

TEST_F(SettingsWindowTest, YesWithACancelledOrFailedSaveKeepsTheEdits) {
    auto dialog = Open(QStringLiteral("ReadRadio"));
    const Byte edited = dialog->WorkingCopy()[3] ^ 1;
    Control<QCheckBox>(*dialog, 0, "toggles.dtmfDialer")->click();
    watcher.AnswerBoxes({QMessageBox::Yes});
    watcher.AnswerFiles({QString()});
    dialog->close();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->WorkingCopy()[3], edited);

    // The same with a save that fails: the file became a pipe.
    watcher.Clear();
    watcher.AnswerFiles({Path("mine.rsf")});
    dialog->RunCommand(QStringLiteral("settings.saveAs"));
    ASSERT_FALSE(dialog->IsModified());
    QFile::remove(Path("mine.rsf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("mine.rsf")).constData(), 0644), 0);
    Control<QCheckBox>(*dialog, 0, "toggles.dtmfDialer")->click();
    watcher.Clear();
    watcher.AnswerBoxes({QMessageBox::Yes, QMessageBox::Ok});
    dialog->RunCommand(QStringLiteral("settings.new"));
    ASSERT_EQ(watcher.Boxes().size(), 2);
    EXPECT_TRUE(watcher.Boxes()[1].text.startsWith(QStringLiteral("Cannot create file:\n") +
                                                   Path("mine.rsf")));
    EXPECT_EQ(dialog->WorkingCopy()[3], static_cast<Byte>(edited ^ 1)) << "New did not run";
    EXPECT_TRUE(dialog->IsModified());
}

TEST_F(SettingsWindowTest, SaveOnAFullDiskKeepsTheOldFile) {
    testing_support::SmallTmpfs disk(16);
    if (!disk.Mounted())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString file = disk.Path(QStringLiteral("old.rsf"));
    WriteFile(file, ReadFile(testing_support::DataPath("edited.rsf")));
    {
        auto store = settings::OpenSettingsGroup();
        store->setValue(QString::fromLatin1(settings::kSettingDir), QFileInfo(file).absolutePath());
        store->setValue(QString::fromLatin1(settings::kCurrentSettingFile),
                        QStringLiteral("old.rsf"));
    }
    auto dialog = Open(QStringLiteral("NewFile"));
    ASSERT_EQ(dialog->FilePath(), file);
    Control<QCheckBox>(*dialog, 0, "toggles.dtmfDialer")->click();
    disk.Fill();
    dialog->RunCommand(QStringLiteral("settings.save"));
    ASSERT_EQ(watcher.Boxes().size(), 1);
    EXPECT_TRUE(watcher.Boxes()[0].text.startsWith(QStringLiteral("Error writing file:\n") + file))
        << watcher.Boxes()[0].text.toStdString();
    EXPECT_EQ(ReadFile(file), ReadFile(testing_support::DataPath("edited.rsf")));
    EXPECT_TRUE(dialog->IsModified());
    EXPECT_TRUE(testing_support::StrayTemporaryFiles(QFileInfo(file).absolutePath()).isEmpty());
    watcher.AnswerBoxes({QMessageBox::No});
    dialog->close();
}

TEST_F(SettingsWindowTest, SaveAsSaveNewAndOpen) {
    auto dialog = Open(QStringLiteral("ReadRadio"));
    const Byte byte3 = dialog->WorkingCopy()[3] ^ 1;
    Control<QCheckBox>(*dialog, 0, "toggles.dtmfDialer")->click();
    watcher.AnswerFiles({Path("mine")});
    dialog->RunCommand(QStringLiteral("settings.saveAs"));
    const QByteArray saved = ReadFile(Path("mine.rsf"));
    ASSERT_EQ(saved.size(), 1568);
    EXPECT_EQ(static_cast<Byte>(saved[80 + 3]), byte3);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Settings - mine.rsf"));
    EXPECT_FALSE(dialog->IsModified());
    EXPECT_EQ(doc.SettingsSourceName(), QStringLiteral("mine.rsf"));
    EXPECT_TRUE(doc.IsModified()) << "the document names other settings now";

    // Save (Ctrl+S) writes the same file again without asking.
    auto* rxSave = Control<QComboBox>(*dialog, 0, "toggles.rxSave");
    rxSave->setCurrentIndex(5);
    watcher.Clear();
    QApplication::setActiveWindow(dialog.get());
    rxSave->setFocus();
    QTest::keyClick(rxSave, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(watcher.FileDialogs(), 0);
    EXPECT_EQ(ReadFile(Path("mine.rsf"))[80 + 26], 5);

    // New: the defaults, untitled, on the first tab.
    ClickTab(*dialog, 2);
    ASSERT_EQ(dialog->CurrentTab(), 2);
    dialog->RunCommand(QStringLiteral("settings.new"));
    EXPECT_EQ(dialog->TabBar()->currentIndex(), 0);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Settings - Untitled.rsf"));
    EXPECT_EQ(Block(dialog->WorkingCopy()).left(settings::rsf::kRecordSize).mid(194),
              Defaults().mid(194));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(dialog->File().data()), 27), saved.left(27));

    // Open: a file that is not one changes nothing; a good one is shown.
    WriteFile(Path("other.rsf"), QByteArray(1568, 'x'));
    const QByteArray before(reinterpret_cast<const char*>(dialog->File().data()),
                            settings::rsf::kFileSize);
    watcher.AnswerFiles({Path("other.rsf")});
    dialog->RunCommand(QStringLiteral("settings.open"));
    ASSERT_EQ(watcher.Boxes().size(), 1);
    EXPECT_EQ(watcher.Boxes()[0].text,
              QStringLiteral("Not a radio data file:\n") + Path("other.rsf"));
    EXPECT_EQ(
        QByteArray(reinterpret_cast<const char*>(dialog->File().data()), settings::rsf::kFileSize),
        before);

    watcher.Clear();
    {
        auto store = settings::OpenSettingsGroup();
        store->setValue(QString::fromLatin1(settings::kCurrentSettingFile),
                        QStringLiteral("x.rsf"));
    }
    watcher.AnswerFiles({Path("mine.rsf")});
    dialog->RunCommand(QStringLiteral("settings.open"));
    EXPECT_TRUE(watcher.Boxes().isEmpty());
    EXPECT_EQ(Stored(settings::kCurrentSettingFile), QStringLiteral("mine.rsf"))
        << "every open is remembered, in the same folder too";
    EXPECT_EQ(Block(dialog->WorkingCopy()), ReadFile(Path("mine.rsf")).mid(80));
    EXPECT_EQ(Control<QComboBox>(*dialog, 0, "toggles.rxSave")->currentIndex(), 5);
}

TEST_F(SettingsWindowTest, ABrokenFileOnOpeningShowsTheDefaultsAndSaysSoOnce) {
    settings::rsf::FileImage file{};
    settings::rsf::WriteHeader(file.data(), true);
    QByteArray broken(reinterpret_cast<const char*>(file.data()), 700);
    WriteFile(Path("short.rsf"), broken);
    auto dialog = Open(QStringLiteral("short.rsf"));
    ASSERT_EQ(watcher.Boxes().size(), 1);
    EXPECT_TRUE(watcher.Boxes()[0].text.startsWith(
        QStringLiteral("Radio data file has invalid format\n\n")));
    EXPECT_EQ(Block(dialog->WorkingCopy()).left(176), Defaults().left(176));
    EXPECT_TRUE(dialog->IsUntitled());
}

TEST_F(SettingsWindowTest, TheGeneralCheckHoldsTabsCommandsAndClosing) {
    auto dialog = Open(QStringLiteral("NewFile"));
    ClickTab(*dialog, 2);
    ASSERT_EQ(dialog->CurrentTab(), 2);
    auto* alt = Control<QLineEdit>(*dialog, 2, "general.altOffset");
    alt->setText(QStringLiteral("4001"));
    const QString message = QStringLiteral("Altimeter Offset must be between -1000 and 4000");

    int tabDuringMessage = -1;
    watcher.OnBox([&](QMessageBox*) { tabDuringMessage = dialog->TabBar()->currentIndex(); });
    ClickTab(*dialog, 0);
    EXPECT_EQ(tabDuringMessage, 2) << "the tab bar shows the page that refuses";
    watcher.OnBox(nullptr);
    EXPECT_EQ(dialog->TabBar()->currentIndex(), 2);
    dialog->RunCommand(QStringLiteral("settings.saveAs"));
    EXPECT_EQ(watcher.FileDialogs(), 0);
    dialog->close();
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(watcher.Boxes().size(), 3);
    for (const auto& box : watcher.Boxes())
        EXPECT_EQ(box.text, message);

    alt->setText(QStringLiteral("-1000"));
    watcher.Clear();
    ClickTab(*dialog, 0);
    EXPECT_EQ(dialog->WorkingCopy()[22], 0xFC) << "the page was saved on leaving";
    watcher.AnswerBoxes({QMessageBox::No});
    dialog->close();
    ASSERT_EQ(watcher.Boxes().size(), 1);
    EXPECT_EQ(watcher.Boxes()[0].text, kAsk);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(SettingsWindowTest, ViewSettingsOpensTheWindowAndTheUploadStopsOnABadFile) {
    app::MainWindow frame;
    frame.show();
    app::DocumentWindow* child = frame.NewDocument();
    QStringList seen;
    watcher.OnOtherDialog([&seen](QWidget* dialog) {
        seen << dialog->windowTitle();
        static_cast<QDialog*>(dialog)->reject();
    });
    frame.RunCommand(QStringLiteral("view.settings"));
    EXPECT_EQ(seen, QStringList({"Settings - Untitled.rsf"}));
    EXPECT_TRUE(watcher.Boxes().isEmpty());

    WriteFile(Path("bad.rsf"), QByteArray("RSF\0JH70", 8));
    child->Document().SetSettingsSourceName(QStringLiteral("bad.rsf"));
    const QByteArray image(reinterpret_cast<const char*>(child->Document().Image()),
                           radio::image::kSize);
    frame.RunCommand(QStringLiteral("radio.sendData"));
    ASSERT_EQ(watcher.Boxes().size(), 1);
    EXPECT_EQ(watcher.Boxes()[0].text,
              QStringLiteral("Not a radio data file:\n") + Path("bad.rsf"));
    EXPECT_EQ(watcher.PortChoosers(), 0);
    EXPECT_TRUE(watcher.TransferDialogs().isEmpty());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(child->Document().Image()) + 1682, 1480),
              image.mid(1682, 1480));
    child->Document().SetModified(false);
}

} // namespace
