// The radio configuration header (image bytes 0 to 17) of the radio last
// downloaded, remembered in the settings store's group "Settings" as "Configuration" (the 18
// bytes) and "Configuration1" (their sum modulo 256).
#pragma once

#include "radio/ImageLayout.h"

#include <QString>

#include <array>
#include <optional>

namespace radiolink {

using RadioHeader = std::array<radio::Byte, radio::image::kHeaderSize>;

// The sum of the 18 header bytes modulo 256.
int HeaderSum(const radio::Byte* header);

// Stores the header. Returns "Could not create the registry key." when the
// settings store cannot be written; nothing is stored then.
std::optional<QString> StoreRadioHeader(const radio::Byte* header);

struct RememberedHeader {
    // The header, when both values are there and "Configuration1" matches
    // the sum of "Configuration".
    std::optional<RadioHeader> header;
    // "Could not create the registry key." when the store cannot be read.
    std::optional<QString> error;
};
RememberedHeader LoadRadioHeader();

} // namespace radiolink
