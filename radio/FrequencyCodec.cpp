#include "radio/FrequencyCodec.h"

#include <cstdlib>
#include <initializer_list>

namespace radio {

namespace {
constexpr int kDigitsOfFourBytes = 8;
constexpr std::int64_t kMaxFourByte = 99999999;

std::int64_t Power10(int digits) {
    std::int64_t p = 1;
    for (int i = 0; i < digits; ++i)
        p *= 10;
    return p;
}

bool IsMultiple(std::int64_t value, std::int64_t of) {
    return value % of == 0;
}
} // namespace

bool PackBcd(Byte* dest, std::int64_t value, int byteCount) {
    if (byteCount <= 0 || byteCount > 8)
        return false;
    std::int64_t rest = value < 0 ? -value : value;
    const int digits = 2 * byteCount;
    if (rest >= Power10(digits))
        return false;
    for (int i = 0; i < digits; ++i) {
        int digit = static_cast<int>(rest % 10);
        rest /= 10;
        // The lowest digit of a four-byte field is kept as 8 (for 5) or 0.
        if (digits - 1 - i == kDigitsOfFourBytes - 1)
            digit = digit == 5 ? 8 : 0;
        Byte& b = dest[byteCount - 1 - i / 2];
        if (i % 2 == 0)
            b = static_cast<Byte>(digit);
        else
            b = static_cast<Byte>(b | (digit << 4));
    }
    return true;
}

std::int64_t UnpackBcd(const Byte* src, int byteCount) {
    std::int64_t value = 0;
    for (int i = 0; i < byteCount; ++i) {
        const int high = src[i] >> 4;
        const int low = src[i] & 0x0F;
        if (high > 9 || low > 9)
            return -1;
        value = value * 100 + high * 10 + low;
    }
    return value;
}

Hz DecodeFrequency3(const Byte* field) {
    const std::int64_t khz = UnpackBcd(field, record::kFrequencySize);
    if (khz < 0)
        return kNoFrequency;
    std::int64_t hz = khz * 1000;
    // Whole kHz lose the part below 1 kHz. Values on the 5 kHz, 6.25 kHz or
    // (broadcast band) 9 kHz raster stand; otherwise the quarter, half or
    // three-quarter kHz that puts the value on the 6.25 kHz raster is restored.
    const bool onRaster =
        IsMultiple(hz, 5000) || IsMultiple(hz, 6250) || (IsMultiple(hz, 9000) && hz <= 1800000);
    if (!onRaster) {
        for (int extra : {250, 500, 750}) {
            if (IsMultiple(hz + extra, 6250)) {
                hz += extra;
                break;
            }
        }
    }
    return static_cast<Hz>(hz);
}

bool EncodeFrequency3(Byte* field, Hz freq) {
    if (freq < 0)
        return false;
    return PackBcd(field, freq / 1000, record::kFrequencySize);
}

Hz DecodeFrequency4(const Byte* field) {
    std::int64_t units = 0;
    for (int i = 0; i < block::kFrequencySize; ++i) {
        const int high = field[i] >> 4;
        int low = field[i] & 0x0F;
        const bool lowest = i == block::kFrequencySize - 1;
        if (lowest && low == 8)
            low = 5;
        if (high > 9 || low > 9)
            return kNoFrequency;
        units = units * 100 + high * 10 + low;
    }
    return static_cast<Hz>(units * 10);
}

bool EncodeFrequency4(Byte* field, Hz freq) {
    if (freq < 0 || freq / 10 > kMaxFourByte)
        return false;
    return PackBcd(field, freq / 10, block::kFrequencySize);
}

} // namespace radio
