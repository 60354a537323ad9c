#include "link/TransferDocument.h"

#include "document/RadioDocument.h"
#include "link/RadioHeader.h"

#include <algorithm>

namespace radiolink {

std::optional<QString> TakeDownloadedImage(document::RadioDocument& doc, const Byte* image) {
    doc.Radio().SetImage(image);
    const std::optional<QString> warning = StoreRadioHeader(doc.Image() + radio::image::kHeader);
    doc.SetSettingsSourceName(QString::fromLatin1(document::settingssource::kReadRadio));
    doc.SetModified(true);
    return warning;
}

void PrepareSendCommand(document::RadioDocument& doc) {
    doc.Radio().PrepareCurrentState(doc.Image());
}

UploadImage PrepareUploadImage(document::RadioDocument& doc) {
    UploadImage result;
    doc.Radio().MarkSplitTone();
    const RememberedHeader remembered = LoadRadioHeader();
    result.warning = remembered.error;
    if (remembered.header)
        std::copy(remembered.header->begin(), remembered.header->end(),
                  doc.Image() + radio::image::kHeader);
    radio::RadioModel::MakeChecksums(doc.Image());
    std::copy(doc.Image(), doc.Image() + kImageSize, result.bytes.begin());
    return result;
}

} // namespace radiolink
