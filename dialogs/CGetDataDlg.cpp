#include "dialogs/CGetDataDlg.h"

#include "link/CComPort.h"
#include "link/CloneDownload.h"
#include "widgets/HelpWindow.h"

#include <QLineEdit>

using namespace radiolink;

CGetDataDlg::CGetDataDlg(QWidget* parent)
    : CTransferDlg(dlg::kGetDataCaption,
                   {QString::fromLatin1(dlg::kInsertCable), QString::fromLatin1(dlg::kCloneMode),
                    QString::fromLatin1(dlg::kPressBand)},
                   help::kReadingTheRadio, kDownloadTick, parent) {
    setObjectName(QStringLiteral("GetDataDlg"));
    // The bar says enough here; the count is kept but not shown.
    ByteCount()->hide();
}

CGetDataDlg::~CGetDataDlg() = default;

const std::array<Byte, kImageSize>& CGetDataDlg::Image() const {
    static const std::array<Byte, kImageSize> none{};
    return m_download ? m_download->Image() : none;
}

std::unique_ptr<CloneTransfer> CGetDataDlg::MakeTransfer(std::unique_ptr<CComPort> port) {
    auto download = std::make_unique<CloneDownload>(std::move(port));
    m_download = download.get();
    return download;
}
