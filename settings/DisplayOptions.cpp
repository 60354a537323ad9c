#include "settings/DisplayOptions.h"

namespace rset::display {

namespace {
std::vector<const char*> OneToTen() {
    return {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
}
const std::vector<const char*> kMeterSymbols = {"S1", "S2", "S3", "S4", "S5", "Char"};
} // namespace

const std::vector<ChoiceOption>& Choices() {
    static const std::vector<ChoiceOption> choices = {
        {"Display Mode",
         81,
         0,
         0xFF,
         {"None", "Temperature", "Baro", "Alt1", "Temp+Baro", "Temp+Atl1", "All"}},
        {"Language", 4, 6, 0x01, {"English", "Japanese"}},
        {"Lamp Mode", 13, 0, 0xFF, {"Key", "Continuous", "Off"}},
        {"Main Meter Symbol", 82, 0, 0xFF, kMeterSymbols},
        {"Sub Meter Symbol", 83, 0, 0xFF, kMeterSymbols},
        {"Main Busy Strobe", 150, 0, 0xFF, OneToTen()},
        {"Sub Busy Strobe", 151, 0, 0xFF, OneToTen()},
        {"Dual Busy Strobe", 152, 0, 0xFF, OneToTen()},
        {"Main Tx Strobe", 153, 0, 0xFF, OneToTen()},
        {"Sub Tx Strobe", 154, 0, 0xFF, OneToTen()},
        {"Charge Complete", 155, 0, 0xFF, OneToTen()},
        {"Emgerency",
         10,
         0,
         0xFF,
         {"Beep+Strobe", "Beep", "Strobe 1", "Strobe 2", "Strobe 3", "Strobe 4", "Strobe 5",
          "Beam"}},
    };
    return choices;
}

const std::array<FlagOption, 2>& Flags() {
    static const std::array<FlagOption, 2> flags = {{
        {"Display2x", 117, 0x02},
        {"Icon Set", 117, 0x01},
    }};
    return flags;
}

const std::array<const char*, kBandCount> kBandNames = {
    "MW",  "SW",   "FM",   "TV",  "6m",     "2m",     "222m", "70cm",
    "Air", "Act1", "Act2", "VFO", "Memory", "M.Tune", "PMS",  "Home",
};

namespace {
constexpr int kLedStride = 3;
}

LedColour ReadLed(const Byte* block, int n) {
    const Byte* levels = block + kLedFirst + kLedStride * n;
    return {LevelIntensity(levels[0]), LevelIntensity(levels[1]), LevelIntensity(levels[2])};
}

void WriteLed(Byte* block, int n, const LedColour& colour) {
    Byte* levels = block + kLedFirst + kLedStride * n;
    levels[0] = IntensityLevel(colour.red);
    levels[1] = IntensityLevel(colour.green);
    levels[2] = IntensityLevel(colour.blue);
}

} // namespace rset::display
