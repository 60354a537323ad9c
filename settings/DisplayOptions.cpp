#include "settings/DisplayOptions.h"

namespace settings::rset::display {

const std::array<const char*, kBandCount> kBandNames = {
    "MW",  "SW",   "FM",   "TV",  "6m",     "2m",     "222m", "70cm",
    "Air", "Act1", "Act2", "VFO", "Memory", "M.Tune", "PMS",  "Home",
};

LedColour ReadLevels(const Byte* levels) {
    return {LevelIntensity(levels[0]), LevelIntensity(levels[1]), LevelIntensity(levels[2])};
}

void WriteLevels(Byte* levels, const LedColour& colour) {
    levels[0] = IntensityLevel(colour.red);
    levels[1] = IntensityLevel(colour.green);
    levels[2] = IntensityLevel(colour.blue);
}

} // namespace settings::rset::display
