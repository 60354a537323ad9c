#include "dialogs/GetDataDialog.h"

#include "link/CloneDownload.h"
#include "link/SerialPort.h"
#include "widgets/HelpWindow.h"

#include <QLineEdit>

using namespace radiolink;

namespace dialogs {

GetDataDialog::GetDataDialog(QWidget* parent)
    : TransferDialog(dialogs::kGetDataCaption,
                     {QString::fromLatin1(dialogs::kInsertCable),
                      QString::fromLatin1(dialogs::kCloneMode),
                      QString::fromLatin1(dialogs::kPressBand)},
                     widgets::help::kReadingTheRadio, kDownloadTick, parent) {
    setObjectName(QStringLiteral("GetDataDlg"));
    // The bar says enough here; the count is kept but not shown.
    ByteCount()->hide();
}

GetDataDialog::~GetDataDialog() = default;

const std::array<Byte, kImageSize>& GetDataDialog::Image() const {
    static const std::array<Byte, kImageSize> none{};
    return m_download ? m_download->Image() : none;
}

std::unique_ptr<CloneTransfer>
GetDataDialog::MakeTransfer(std::unique_ptr<radiolink::SerialPort> port) {
    auto download = std::make_unique<CloneDownload>(std::move(port));
    m_download = download.get();
    return download;
}

} // namespace dialogs
