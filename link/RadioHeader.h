// The radio configuration header (image bytes 0 to 17) of the radio last
// downloaded, remembered under the settings key as "Configuration" (the 18
// bytes) and "Configuration1" (their sum modulo 256).
#pragma once

#include "radio/ImageLayout.h"

#include <QString>

#include <array>
#include <optional>

namespace radiolink {

using RadioHeader = std::array<vx7::Byte, vx7::image::kHeaderSize>;

// The sum of the 18 header bytes modulo 256.
int HeaderSum(const vx7::Byte* header);

// Stores the header. Returns "Could not create the registry key." when the
// settings store cannot be written; nothing is stored then.
std::optional<QString> StoreRadioHeader(const vx7::Byte* header);

struct RememberedHeader {
    // The header, when both values are there and "Configuration1" matches
    // the sum of "Configuration".
    std::optional<RadioHeader> header;
    // "Could not create the registry key." when the store cannot be read.
    std::optional<QString> error;
};
RememberedHeader LoadRadioHeader();

} // namespace radiolink
