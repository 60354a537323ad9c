// The Radio and Help menus of the desktop program, offscreen, with the radio
// simulator on a pseudo-terminal: Get data into a document window, Send data
// from one, Comport setup, and the help topics.
#include "app/DocumentWindow.h"
#include "app/MainWindow.h"
#include "dialogs/HistoryDialog.h"
#include "dialogs/SendDataDialog.h"
#include "document/RadioDocument.h"
#include "editor/MainView.h"
#include "link/ImageHistory.h"
#include "link/LinkTestSupport.h"
#include "outside/CellStore.h"
#include "settings/ComPortSetting.h"
#include "settings/RadioSettings.h"
#include "settings/SettingsStore.h"
#include "support/ModalWatcher.h"
#include "widgets/GridView.h"
#include "widgets/HelpWindow.h"
#include "widgets/Resources.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeWidget>

using namespace linktest;
using namespace widgets::res;
using testing_support::ModalWatcher;

using testing_support::UnwritableStore;

namespace {

QByteArray ImageOf(const document::RadioDocument& doc) {
    return QByteArray(reinterpret_cast<const char*>(doc.Image()), radiolink::kImageSize);
}

QStringList Texts(const ModalWatcher& watcher) {
    QStringList texts;
    for (const auto& box : watcher.Boxes())
        texts << box.text;
    return texts;
}

class RadioCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto store = settings::OpenStore();
        store->clear();
        store->sync();
        frame.show();
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QVariant Stored(const char* name) {
        return settings::OpenSettingsGroup()->value(QString::fromLatin1(name));
    }

    QTemporaryDir dir;
    ModalWatcher watcher;
    app::MainWindow frame;
};

TEST_F(RadioCommandsTest, GetDataFillsTheDocumentWindow) {
    // A changed document from a file: the save question comes first, then
    // the window becomes a new document that receives the radio's image.
    document::RadioDocument saved;
    ASSERT_FALSE(saved.Save(Path("old.rdf")));
    app::DocumentWindow* child = frame.OpenDocumentFile(Path("old.rdf"));
    ASSERT_TRUE(child);
    frame.NewDocument();
    frame.MdiArea()->setActiveSubWindow(child);
    document::RadioDocument& doc = child->Document();
    doc.SetModified(true);

    // Cancel in the save question stops it before the port is opened.
    doc.Image()[100] ^= 1;
    const QByteArray changed = ImageOf(doc);
    watcher.AnswerBoxes({QMessageBox::Cancel});
    watcher.AnswerPortChoosers({});
    frame.RunCommand(QStringLiteral("radio.getData"));
    EXPECT_EQ(watcher.PortChoosers(), 0);
    EXPECT_EQ(ImageOf(doc), changed);
    EXPECT_TRUE(doc.IsModified());

    const Image image = TestImage();
    SimulatedRadio radio(FastOptions(simulator::Role::Send), &image);
    ASSERT_TRUE(settings::RememberComPort(radio.DevicePath()));
    watcher.Clear();
    watcher.AnswerBoxes({QMessageBox::No});
    QByteArray shownWhileReceiving;
    watcher.WhileTransferDialog([&](dialogs::TransferDialog*) {
        if (shownWhileReceiving.isEmpty())
            shownWhileReceiving = ImageOf(doc);
    });
    frame.RunCommand(QStringLiteral("radio.getData"));

    ASSERT_EQ(watcher.Boxes().size(), 1);
    EXPECT_EQ(watcher.Boxes()[0].text, QStringLiteral("Save changes to old.rdf?"));
    EXPECT_EQ(shownWhileReceiving, changed) << "the document stays until the image is whole";

    EXPECT_EQ(ImageOf(doc), ToBytes(image));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(frame.statusBar()->currentMessage(),
              QStringLiteral("Received the radio's memory (16211 bytes)"));
    EXPECT_EQ(doc.Title(), QStringLiteral("Untitled2"))
        << "named as File New names a document, beside the open Untitled";
    child->View()->CommitGrids(false);
    EXPECT_EQ(ImageOf(doc), ToBytes(image)) << "the grids show the image received";

    EXPECT_EQ(Stored(settings::kConfiguration).toByteArray(), ToBytes(image).left(18));
    EXPECT_TRUE(radio.Finish().computerClosed);
}

// A download that fails (a wrong checksum) leaves the window as it was and
// says why; one whose header cannot be remembered keeps the image all the
// same. Neither remembers a header.
TEST_F(RadioCommandsTest, FailedDownloadsAndHeadersThatCannotBeRemembered) {
    const Image image = TestImage();
    for (const bool wrongChecksum : {true, false}) {
        SCOPED_TRACE(wrongChecksum);
        watcher.Clear();
        app::DocumentWindow* child = frame.NewDocument();
        document::RadioDocument& doc = child->Document();
        doc.Image()[100] ^= 1;
        child->View()->RefreshGrids();
        const QByteArray before = ImageOf(doc);
        const QString title = doc.Title();
        simulator::Options options = FastOptions(simulator::Role::Send);
        options.faults.wrongChecksum = wrongChecksum;
        SimulatedRadio radio(options, &image);
        ASSERT_TRUE(settings::RememberComPort(radio.DevicePath()));
        // The store breaks once the port is open.
        std::unique_ptr<UnwritableStore> unwritable;
        watcher.WhileTransferDialog([&](dialogs::TransferDialog*) {
            if (!unwritable && !wrongChecksum)
                unwritable = std::make_unique<UnwritableStore>();
        });
        frame.RunCommand(QStringLiteral("radio.getData"));
        unwritable.reset();
        EXPECT_TRUE(radio.Finish().computerClosed);
        EXPECT_EQ(Texts(watcher),
                  QStringList{wrongChecksum ? "Error: Check sum error."
                                            : "Could not create the registry key."});
        EXPECT_EQ(ImageOf(doc), wrongChecksum ? before : ToBytes(image));
        EXPECT_EQ(doc.SettingsSourceName(), wrongChecksum ? "NewFile" : "ReadRadio");
        EXPECT_EQ(doc.IsModified(), !wrongChecksum);
        if (wrongChecksum) {
            EXPECT_EQ(doc.Title(), title);
            EXPECT_EQ(frame.statusBar()->currentMessage(),
                      QStringLiteral("The download failed (Error: Check sum error.); the "
                                     "document is unchanged"));
        }
        EXPECT_FALSE(
            settings::OpenSettingsGroup()->contains(QString::fromLatin1(settings::kConfiguration)));
        doc.SetModified(false);
        child->close();
    }
}

// How the image is stamped for the radio (header, settings file, checksums)
// is the upload's own, checked with the command line's upload.
TEST_F(RadioCommandsTest, SendDataWritesTheRadioByteForByte) {
    document::RadioDocument source;
    const Image image = TestImage();
    source.Radio().SetImage(image.data());
    ASSERT_FALSE(source.Save(Path("mine.rdf")));
    app::DocumentWindow* child = frame.OpenDocumentFile(Path("mine.rdf"));
    ASSERT_TRUE(child);
    document::RadioDocument& doc = child->Document();

    SimulatedRadio radio(FastOptions(simulator::Role::Receive));
    watcher.AnswerPortChoosers({radio.DevicePath()});
    watcher.WhileTransferDialog([&](dialogs::TransferDialog* dialog) {
        QPushButton* ok = qobject_cast<dialogs::SendDataDialog*>(dialog)->OkButton();
        if (ok->isEnabled())
            ok->click();
    });
    frame.RunCommand(QStringLiteral("radio.sendData"));

    const simulator::Report report = radio.Finish();
    EXPECT_TRUE(report.computerClosed);
    EXPECT_TRUE(watcher.Boxes().isEmpty());
    // What the radio received is the document's image as stamped, and
    // nothing else on the line.
    EXPECT_EQ(report.fromComputer, ImageOf(doc));
    EXPECT_EQ(ImageOf(doc).mid(18, 1400), ToBytes(image).mid(18, 1400));
    EXPECT_FALSE(doc.IsModified()) << "sending leaves the modified flag alone";
    EXPECT_EQ(frame.statusBar()->currentMessage(),
              QStringLiteral("Sent mine.rdf to the radio (16211 bytes)"));
}

// The Send dialog says, before OK, which settings go into the radio, and
// warns when the document names a settings file that is not there.
TEST_F(RadioCommandsTest, TheSendDialogSaysWhichSettingsGoIn) {
    ASSERT_TRUE(QFile::copy(testing_support::DataPath("factory.rsf"), Path("mine.rsf")));
    ASSERT_TRUE(settings::rsf::RememberFile(Path("mine.rsf"), QString()));
    const QString inFolder = QStringLiteral("The settings of mine.rsf (in %1) go into the radio.")
                                 .arg(QDir::toNativeSeparators(dir.path()));
    const struct {
        const char* source;
        QString origin;
        bool warning;
    } cases[] = {
        {"ReadRadio", "The settings in this document's image go into the radio.", false},
        {"mine.rsf", inFolder, false},
        {"gone.rsf", inFolder, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        app::DocumentWindow* child = frame.NewDocument();
        child->Document().SetSettingsSourceName(QString::fromLatin1(c.source));
        SimulatedRadio radio(FastOptions(simulator::Role::Receive));
        ASSERT_TRUE(settings::RememberComPort(radio.DevicePath()));
        QString origin;
        QString warning;
        watcher.WhileTransferDialog([&](dialogs::TransferDialog* dialog) {
            auto* send = qobject_cast<dialogs::SendDataDialog*>(dialog);
            if (!send->OkButton()->isEnabled())
                return;
            const auto* shown = send->findChild<QLabel*>(QStringLiteral("SettingsOrigin"));
            const auto* warned = send->findChild<QLabel*>(QStringLiteral("SettingsWarning"));
            origin = shown ? shown->text() : QString();
            warning = warned ? warned->text() : QString();
            send->CancelButton()->click(); // read before OK: nothing goes
        });
        frame.RunCommand(QStringLiteral("radio.sendData"));
        radio.Finish(std::chrono::milliseconds(300));
        EXPECT_EQ(origin, c.origin);
        EXPECT_EQ(warning.isEmpty(), !c.warning) << warning.toStdString();
        if (c.warning) {
            EXPECT_EQ(warning, QStringLiteral("This document names the settings file gone.rsf, "
                                              "which could not be read in %1.")
                                   .arg(QDir::toNativeSeparators(dir.path())));
        }
        child->Document().SetModified(false);
        child->close();
    }
}

// Radio > History... lists the download made a moment before, and Open
// shows it as a new untitled document.
TEST_F(RadioCommandsTest, HistoryListsTheDownloadAndOpensIt) {
    QDir(radiolink::history::Folder()).removeRecursively();
    app::DocumentWindow* child = frame.NewDocument();
    const Image image = TestImage();
    SimulatedRadio radio(FastOptions(simulator::Role::Send), &image);
    ASSERT_TRUE(settings::RememberComPort(radio.DevicePath()));
    frame.RunCommand(QStringLiteral("radio.getData"));
    EXPECT_TRUE(radio.Finish().computerClosed);
    child->Document().SetModified(false);

    QStringList rows;
    watcher.OnOtherDialog([&rows](QWidget* shown) {
        auto* dialog = qobject_cast<dialogs::HistoryDialog*>(shown);
        if (!dialog) {
            static_cast<QDialog*>(shown)->reject();
            return;
        }
        for (int i = 0; i < dialog->List()->topLevelItemCount(); ++i)
            rows << dialog->List()->topLevelItem(i)->text(1) + QLatin1Char(' ') +
                        dialog->List()->topLevelItem(i)->text(4);
        dialog->Button(dialogs::HistoryDialog::Choice::Open)->click();
    });
    frame.RunCommand(QStringLiteral("radio.history"));
    EXPECT_EQ(rows, QStringList{QStringLiteral("received first from this radio")});
    app::DocumentWindow* opened = frame.ActiveChild();
    ASSERT_NE(opened, child);
    EXPECT_EQ(ImageOf(opened->Document()), ToBytes(image));
    EXPECT_TRUE(opened->Document().FileName().isEmpty());
    EXPECT_TRUE(opened->Document().IsModified());
    EXPECT_EQ(opened->View()->Cells(0).Text(1, 1), child->View()->Cells(0).Text(1, 1));
    opened->Document().SetModified(false);
}

// A cable pulled in the middle of an upload warns that the radio holds a
// partial image.
TEST_F(RadioCommandsTest, AnUploadThatDoesNotFinishWarnsOfAPartialImage) {
    app::DocumentWindow* child = frame.NewDocument();
    simulator::Options options = FastOptions(simulator::Role::Receive);
    options.faults.hangUpAfter = 4000;
    SimulatedRadio radio(options);
    ASSERT_TRUE(settings::RememberComPort(radio.DevicePath()));
    watcher.WhileTransferDialog([&](dialogs::TransferDialog* dialog) {
        auto* send = qobject_cast<dialogs::SendDataDialog*>(dialog);
        if (send->OkButton()->isEnabled())
            send->OkButton()->click();
    });
    frame.RunCommand(QStringLiteral("radio.sendData"));
    radio.Finish();
    ASSERT_FALSE(watcher.Boxes().isEmpty());
    EXPECT_EQ(watcher.Boxes().last().text, QString::fromLatin1(kPartialUpload));
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("The upload did not finish"));
    child->Document().SetModified(false);
}

TEST_F(RadioCommandsTest, ComportSetupRemembersTheChoice) {
    SimulatedRadio radio(FastOptions(simulator::Role::Send));
    watcher.AnswerPortChoosers({radio.DevicePath()});
    frame.RunCommand(QStringLiteral("radio.portSetup"));
    EXPECT_EQ(settings::StoredPort(), radio.DevicePath());
    EXPECT_TRUE(watcher.Boxes().isEmpty());
}

TEST_F(RadioCommandsTest, HelpTopicsAreShippedAndShown) {
    frame.NewDocument();
    frame.RunCommand(QStringLiteral("help.contents"));
    auto* help = frame.findChild<widgets::HelpWindow*>();
    ASSERT_TRUE(help);
    EXPECT_EQ(help->CurrentTopic(), widgets::help::kChannelEditor);

    // Every topic is a real page whose links lead to other topics.
    for (int topic : {101, 103, 105, 106, 108}) {
        SCOPED_TRACE(topic);
        help->Show(topic);
        EXPECT_GT(help->Browser()->toPlainText().size(), 300);
        const QRegularExpression link(QStringLiteral("topic[0-9]+\\.html"));
        for (auto it = link.globalMatch(help->Browser()->toHtml()); it.hasNext();) {
            const QString page = it.next().captured();
            EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/") + page)) << page.toStdString();
        }
    }
}

} // namespace
