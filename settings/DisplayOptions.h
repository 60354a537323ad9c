// The Display page's scales and records: contrast and dimmer, the ten LED
// colours and the icon shown for each band. Byte numbers count from the
// start of the settings block; the page's lists and check boxes are in the
// option table (SettingsOptions.h).
#pragma once

#include "radio/ImageLayout.h"

#include <array>

namespace settings::rset::display {

using radio::Byte;

// Contrast: positions 1 to 10, stored as (position + 2) * 3. A byte off that
// scale shows as the position below it.
constexpr int kContrastByte = 11;
constexpr int kContrastMin = 1;
constexpr int kContrastMax = 10;
constexpr int ContrastPosition(Byte stored) {
    return (stored - 6) / 3;
}
constexpr Byte ContrastByte(int position) {
    return static_cast<Byte>((position + 2) * 3);
}
// The position the slider shows for a byte.
constexpr int ShownContrast(Byte stored) {
    const int p = ContrastPosition(stored);
    return p < kContrastMin ? kContrastMin : p > kContrastMax ? kContrastMax : p;
}

// Dimmer: levels 0 to 12, stored as they are.
constexpr int kDimmerByte = 12;
constexpr int kDimmerMin = 0;
constexpr int kDimmerMax = 12;

// The icon of each band: one byte per band, the icon's index (icon n is
// index n - 1).
constexpr int kBandIconFirst = 62;
constexpr int kBandCount = 16;
constexpr int kIconChoices = 30;
extern const std::array<const char*, kBandCount> kBandNames;

// LED colours 1 to 10: red, green and blue levels 0 to 51, three bytes per
// colour. A level is shown as the 8-bit intensity 5 * level (at most 255); an
// intensity is stored as intensity / 5.
constexpr int kLedFirst = 120;
constexpr int kLedCount = 10;
constexpr int kLedLevelMax = 51;
constexpr int LedByte(int n) {
    return kLedFirst + 3 * n;
}
struct LedColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const LedColour& o) const {
        return red == o.red && green == o.green && blue == o.blue;
    }
    bool operator!=(const LedColour& o) const { return !(*this == o); }
};
constexpr int LevelIntensity(Byte level) {
    return level * 5 > 255 ? 255 : level * 5;
}
constexpr Byte IntensityLevel(int intensity) {
    return static_cast<Byte>((intensity < 0 ? 0 : intensity > 255 ? 255 : intensity) / 5);
}
// A colour as the page shows its three levels, and the levels stored for a
// colour.
LedColour ReadLevels(const Byte* levels);
void WriteLevels(Byte* levels, const LedColour& colour);

} // namespace settings::rset::display
