#include "dialogs/SendDataDialog.h"

#include "link/CloneUpload.h"
#include "link/SerialPort.h"
#include "link/TransferDocument.h"
#include "widgets/HelpWindow.h"
#include "widgets/Resources.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>

using namespace radiolink;

namespace dialogs {

SendDataDialog::SendDataDialog(document::RadioDocument& doc,
                               const settings::rsf::SettingsOrigin& origin, QWidget* parent)
    : TransferDialog(
          dialogs::kSendDataCaption,
          {QString::fromLatin1(dialogs::kInsertCable), QString::fromLatin1(dialogs::kCloneMode),
           QString::fromLatin1(dialogs::kPressVm), QString::fromLatin1(dialogs::kClickOk)},
          widgets::help::kWritingTheRadio, kUploadTick, parent),
      m_doc(doc) {
    setObjectName(QStringLiteral("SendDataDlg"));
    if (!origin.text.isEmpty())
        AddNote(origin.text, QStringLiteral("SettingsOrigin"));
    if (!origin.warning.isEmpty())
        AddNote(origin.warning, QStringLiteral("SettingsWarning"), true);
    QPushButton* ok = Buttons()->addButton(QDialogButtonBox::Ok);
    ok->setText(QStringLiteral("&OK"));
    ok->setAutoDefault(true);
    ok->setDefault(true);
    // OK starts the transfer; the dialog ends when the transfer does.
    connect(ok, &QPushButton::clicked, this, &SendDataDialog::StartTransfer);
}

SendDataDialog::~SendDataDialog() = default;

QPushButton* SendDataDialog::OkButton() const {
    return Buttons()->button(QDialogButtonBox::Ok);
}

std::unique_ptr<CloneTransfer>
SendDataDialog::MakeTransfer(std::unique_ptr<radiolink::SerialPort> port) {
    const UploadImage prepared = PrepareUploadImage(m_doc);
    if (prepared.warning) {
        // The image keeps its own header and goes all the same.
        QMessageBox::warning(parentWidget(), QString::fromLatin1(widgets::res::kAppTitle),
                             *prepared.warning);
    }
    m_sent = prepared.bytes;
    auto upload = std::make_unique<CloneUpload>(std::move(port), prepared.bytes.data());
    m_upload = upload.get();
    return upload;
}

bool SendDataDialog::Started() const {
    return m_upload && m_upload->Started();
}

void SendDataDialog::StartTransfer() {
    if (!m_upload || m_upload->Started())
        return;
    OkButton()->setEnabled(false);
    m_upload->Start(Clock::now());
    StartDriving();
}

} // namespace dialogs
