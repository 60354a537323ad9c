#include "link/TransferDocument.h"

#include "document/CMainDoc.h"
#include "link/RadioHeader.h"

#include <algorithm>

namespace radiolink {

std::optional<QString> TakeDownloadedImage(CMainDoc& doc, const Byte* image) {
    doc.Radio().SetImage(image);
    const std::optional<QString> warning = StoreRadioHeader(doc.GetImage() + vx7::image::kHeader);
    doc.SetSettingsSourceName(QString::fromLatin1(settingssource::kReadRadio));
    doc.SetModifiedFlag(true);
    return warning;
}

void PrepareSendCommand(CMainDoc& doc) {
    doc.Radio().PrepareCurrentState(doc.GetImage());
}

UploadImage PrepareUploadImage(CMainDoc& doc) {
    UploadImage result;
    doc.Radio().MarkSplitTone();
    const RememberedHeader remembered = LoadRadioHeader();
    result.warning = remembered.error;
    if (remembered.header)
        std::copy(remembered.header->begin(), remembered.header->end(),
                  doc.GetImage() + vx7::image::kHeader);
    vx7::CVX7Radio::MakeChecksums(doc.GetImage());
    std::copy(doc.GetImage(), doc.GetImage() + kImageSize, result.bytes.begin());
    return result;
}

} // namespace radiolink
