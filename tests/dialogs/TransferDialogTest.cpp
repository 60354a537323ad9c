// The transfer dialogs on real widgets, offscreen, against the radio
// simulator on a pseudo-terminal: the port choice, the open errors, a
// download, cancelling in the middle, the failures and their boxes, Help.
#include "LinkTestSupport.h"

#include "dialogs/GetDataDialog.h"
#include "dialogs/SendDataDialog.h"
#include "document/RadioDocument.h"
#include "settings/ComPortSetting.h"
#include "settings/SettingsStore.h"
#include "support/ModalWatcher.h"
#include "widgets/HelpWindow.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <functional>

using namespace linktest;
using testing_support::ModalWatcher;

namespace {

QByteArray ImageOf(const document::RadioDocument& doc) {
    return QByteArray(reinterpret_cast<const char*>(doc.Image()), radiolink::kImageSize);
}

QStringList Instructions(const QDialog& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->objectName() != QLatin1String("PortLabel"))
            texts << label->text();
    }
    return texts;
}

class TransferDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto store = settings::OpenStore();
        store->clear();
        store->sync();
    }
    ModalWatcher watcher;
};

// Each dialog's instructions and help page. A download runs through; the
// upload's dialog stamps the image and makes its checksums as it opens, even
// if the user then cancels, and nothing goes on the line before OK.
TEST_F(TransferDialogTest, InstructionsHelpAndWhatHappensBeforeOk) {
    const Image image = TestImage();
    for (const bool send : {false, true}) {
        SCOPED_TRACE(send);
        SimulatedRadio radio(FastOptions(send ? simulator::Role::Receive : simulator::Role::Send),
                             send ? nullptr : &image);
        ASSERT_TRUE(settings::RememberComPort(radio.DevicePath()));
        document::RadioDocument doc;
        doc.Image()[radio::image::kChecksum] ^= 0x5A;
        doc.SetModified(false);
        QStringList instructions;
        bool okEnabled = false;
        int helpTopic = 0;
        watcher.WhileTransferDialog([&](dialogs::TransferDialog* dialog) {
            if (!instructions.isEmpty())
                return;
            instructions = Instructions(*dialog);
            dialog->HelpButton()->click();
            if (auto* help = dialog->findChild<widgets::HelpWindow*>())
                helpTopic = help->CurrentTopic();
            if (send) {
                okEnabled = static_cast<dialogs::SendDataDialog*>(dialog)->OkButton()->isEnabled();
                dialog->CancelButton()->click();
            }
        });
        std::unique_ptr<dialogs::TransferDialog> dialog;
        if (send)
            dialog = std::make_unique<dialogs::SendDataDialog>(doc);
        else
            dialog = std::make_unique<dialogs::GetDataDialog>();
        EXPECT_EQ(dialog->exec(), send ? QDialog::Rejected : QDialog::Accepted);
        QStringList expected = {"1. Insert cable into the Speaker/Mic jack.",
                                "2. Press and hold the FW key while turning on the VX-7"};
        expected << (send ? "3. Press the \"V/M\" key on the VX-7."
                          : "3. Press the \"Band\" key on the VX-7.");
        if (send)
            expected << "4. Click the OK button to start the transfer.";
        EXPECT_EQ(instructions, expected);
        EXPECT_EQ(helpTopic,
                  send ? widgets::help::kWritingTheRadio : widgets::help::kReadingTheRadio);
        EXPECT_TRUE(watcher.Boxes().isEmpty());
        if (!send) {
            EXPECT_EQ(ToBytes(static_cast<dialogs::GetDataDialog&>(*dialog).Image()),
                      ToBytes(image));
            EXPECT_EQ(dialog->ProgressBar()->value(), 16211);
            EXPECT_EQ(radio.Finish().fromComputer, QByteArray("\x06\x06\x06", 3));
            continue;
        }
        EXPECT_TRUE(okEnabled);
        EXPECT_FALSE(dialog->ByteCount()->isEnabled());
        EXPECT_EQ(doc.Image()[radio::image::kChecksum],
                  radio::RadioModel::ImageChecksum(doc.Image()));
        EXPECT_FALSE(doc.IsModified());
        // The port was let go: it opens again.
        EXPECT_TRUE(OpenPort(radio.DevicePath())->IsOpen());
        EXPECT_TRUE(radio.Finish().fromComputer.isEmpty());
    }
}

// Cancel while the image goes out: OK is disabled while it runs, the byte
// count follows, and the radio has had only the start of the image.
TEST_F(TransferDialogTest, CancelInTheMiddle) {
    SimulatedRadio radio(FastOptions(simulator::Role::Receive));
    ASSERT_TRUE(settings::RememberComPort(radio.DevicePath()));
    document::RadioDocument doc;
    int cancelledAt = -1;
    bool okDisabledWhileRunning = false;
    watcher.WhileTransferDialog([&](dialogs::TransferDialog* dialog) {
        QPushButton* ok = static_cast<dialogs::SendDataDialog*>(dialog)->OkButton();
        if (dialog->ProgressBar()->value() == 0 && ok->isEnabled())
            ok->click();
        if (cancelledAt < 0 && dialog->ProgressBar()->value() >= 18 + 3 * 64) {
            okDisabledWhileRunning = !ok->isEnabled();
            cancelledAt = dialog->ProgressBar()->value();
            EXPECT_EQ(dialog->ByteCount()->text(), QString::number(cancelledAt));
            dialog->CancelButton()->click();
        }
    });
    dialogs::SendDataDialog dialog(doc);
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(okDisabledWhileRunning);
    EXPECT_EQ(dialog.Transfer()->State(), radiolink::TransferState::Cancelled);
    const simulator::Report report = radio.Finish();
    EXPECT_TRUE(report.computerClosed);
    EXPECT_LT(report.fromComputer.size(), 18 + 6 * 64);
    EXPECT_EQ(report.fromComputer, ImageOf(doc).left(report.fromComputer.size()));
    EXPECT_TRUE(watcher.Boxes().isEmpty());
}

// Cancelling the port chooser (no port is remembered) ends the dialog at
// once; a device that does not exist is refused with the port's own message
// and the chooser stays open for the right one, which is remembered.
TEST_F(TransferDialogTest, TheChosenPortIsRememberedAndUsed) {
    {
        document::RadioDocument doc;
        doc.Image()[radio::image::kChecksum] ^= 0x5A;
        const QByteArray before = ImageOf(doc);
        watcher.AnswerPortChoosers({QString()});
        dialogs::SendDataDialog dialog(doc);
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_EQ(ImageOf(doc), before) << "the image is prepared only once the port is open";
        EXPECT_TRUE(watcher.TransferDialogs().isEmpty());
        EXPECT_TRUE(settings::StoredPort().isEmpty());
    }
    const Image image = TestImage();
    SimulatedRadio radio(FastOptions(simulator::Role::Send), &image);
    watcher.AnswerPortChoosers({QStringLiteral("/dev/clonara-no-such-port"), radio.DevicePath()});
    dialogs::GetDataDialog dialog;
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(ToBytes(dialog.Image()), ToBytes(image));
    EXPECT_EQ(watcher.PortChoosers(), 3);
    ASSERT_EQ(watcher.Boxes().size(), 1);
    EXPECT_EQ(watcher.Boxes()[0].caption, QStringLiteral("Com port error"));
    EXPECT_EQ(watcher.Boxes()[0].text,
              QStringLiteral("/dev/clonara-no-such-port: Invalid or unsupported port."));
    EXPECT_EQ(settings::StoredPort(), radio.DevicePath());
}

TEST_F(TransferDialogTest, FailuresEndTheDialogWithTheirBox) {
    const Image image = TestImage();
    using Faults = std::function<void(simulator::Faults&)>;
    const struct {
        const char* name;
        simulator::Role role;
        Faults faults;
        QString caption;
        QString text;
    } cases[] = {
        {"radio refuses", simulator::Role::Receive, [](auto& f) { f.nakAfter = 10; },
         QStringLiteral("Error"), QStringLiteral("Comm Error")},
        {"radio falls silent", simulator::Role::Send, [](auto& f) { f.silenceAfter = 100; },
         QStringLiteral("Clonara"), QStringLiteral("Communication timeout")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        watcher.Clear();
        simulator::Options options = FastOptions(c.role);
        c.faults(options.faults);
        SimulatedRadio radio(options, &image);
        ASSERT_TRUE(settings::RememberComPort(radio.DevicePath()));
        watcher.WhileTransferDialog([](dialogs::TransferDialog* dialog) {
            if (auto* send = qobject_cast<dialogs::SendDataDialog*>(dialog)) {
                if (send->OkButton()->isEnabled())
                    send->OkButton()->click();
            }
        });
        document::RadioDocument doc;
        std::unique_ptr<dialogs::TransferDialog> dialog;
        if (c.role == simulator::Role::Send)
            dialog = std::make_unique<dialogs::GetDataDialog>();
        else
            dialog = std::make_unique<dialogs::SendDataDialog>(doc);
        EXPECT_EQ(dialog->exec(), QDialog::Rejected);
        ASSERT_EQ(watcher.Boxes().size(), 1);
        EXPECT_EQ(watcher.Boxes()[0].caption, c.caption);
        EXPECT_EQ(watcher.Boxes()[0].text, c.text);
        EXPECT_EQ(dialog->Transfer()->State(), radiolink::TransferState::Failed);
        EXPECT_TRUE(radio.Finish().computerClosed);
    }
}

} // namespace
