// Packed BCD and the two frequency codings of the image.
//
// Channel records hold whole kHz in three BCD bytes; the 128-byte blocks hold
// 10 Hz units in four BCD bytes, whose lowest digit is only ever 0 or 5
// (stored as 0 or 8).
#pragma once

#include "radio/ImageLayout.h"
#include "radio/RadioTypes.h"

#include <cstdint>

namespace radio {

// Writes |value| as 2 x byteCount BCD digits, most significant first. A value
// with more digits than the field holds is refused: nothing is written.
// In a four-byte field the lowest digit is stored as 8 when it is 5 and as 0
// otherwise, as the radio keeps it.
bool PackBcd(Byte* dest, std::int64_t value, int byteCount);

// The number held in byteCount BCD bytes; -1 when a nibble is above 9.
std::int64_t UnpackBcd(const Byte* src, int byteCount);

// Three-byte coding (channel records), kHz.
Hz DecodeFrequency3(const Byte* field);
bool EncodeFrequency3(Byte* field, Hz freq);

// Four-byte coding (128-byte blocks), 10 Hz units.
Hz DecodeFrequency4(const Byte* field);
bool EncodeFrequency4(Byte* field, Hz freq);

} // namespace radio
