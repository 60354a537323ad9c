// What the transfers do to the document around the line work: a good
// download takes the image into the document and remembers the radio's
// header; an upload first brings the image up to date and stamps it.
#pragma once

#include "link/LinkProtocol.h"

#include <QString>

#include <array>
#include <optional>

namespace document {
class RadioDocument;
}

namespace radiolink {

// After a good download (the document was reset to a new one before it
// started): the image replaces the document's image, its first 18 bytes are
// remembered, the settings source name becomes "ReadRadio" and the document
// is marked modified. Returns "Could not create the registry key." when the
// header could not be remembered; the document is updated all the same.
std::optional<QString> TakeDownloadedImage(document::RadioDocument& doc, const Byte* image);

// The send command's own step, after the grids were read back into the
// image: the state block is brought in line with the channels it names.
void PrepareSendCommand(document::RadioDocument& doc);

struct UploadImage {
    std::array<Byte, kImageSize> bytes{};
    // "Could not create the registry key." when the remembered header could
    // not be read; the image then keeps its own header.
    std::optional<QString> warning;
};

// What the upload does once its port is open, in this order: marks the split
// tone setting, copies the remembered radio header over bytes 0 to 17 when
// its sum matches, makes the two state-block checksums and the image
// checksum, all in the document's image (the modified flag is left alone),
// and returns a copy to send.
UploadImage PrepareUploadImage(document::RadioDocument& doc);

} // namespace radiolink
