// The weather and TV channel names of the settings block: nine-byte records,
// eight character codes of the radio's table (padded with spaces) and a
// ninth byte the names leave alone. Byte numbers count from the start of the
// settings block.
#pragma once

#include "radio/ImageLayout.h"

#include <QString>

namespace settings::rset {

using radio::Byte;

namespace names {

constexpr int kRecordSize = 9;
constexpr int kLength = 8; // characters of a name

constexpr int kTvFirst = 832;
constexpr int kTvCount = 62;
constexpr int kWxFirst = 1390;
constexpr int kWxCount = 10;

// The weather alert switch: byte 7, bit 5.
constexpr int kWxAlertByte = 7;
constexpr int kWxAlertBit = 5;

constexpr int TvRecord(int k) {
    return kTvFirst + kRecordSize * k;
}
constexpr int WxRecord(int k) {
    return kWxFirst + kRecordSize * k;
}

// A record's name without its trailing spaces; an all-space record is empty.
QString Decode(const Byte* record);
// The first eight characters of text, padded with spaces, into bytes 0 to 7;
// byte 8 stays. A character the radio lacks is stored as a space.
void Encode(Byte* record, const QString& text);

} // namespace names
} // namespace settings::rset
