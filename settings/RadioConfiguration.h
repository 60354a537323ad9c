// The radio configuration header (image bytes 0 to 17) of the radio last
// downloaded, as the settings store keeps it: "Configuration" (the 18 bytes)
// and "Configuration1" (their sum modulo 256). The download writes it; the
// settings window reads the radio's variant from it.
#pragma once

#include "radio/ImageLayout.h"

#include <array>
#include <optional>

namespace settings {

using RadioConfiguration = std::array<radio::Byte, radio::image::kHeaderSize>;

// The sum of the 18 header bytes modulo 256.
int ConfigurationSum(const radio::Byte* header);

struct RememberedConfiguration {
    // The header, when both values are there and "Configuration1" matches
    // the sum of "Configuration".
    std::optional<RadioConfiguration> header;
    // The settings store could not be read.
    bool keyError = false;
};
RememberedConfiguration ReadConfiguration();

} // namespace settings
