// The radio data file (.rdf): one 33680-byte record holding a header, the
// clone image and the per-row comment tables. While a document is open the
// same bytes are its data in memory. Numbers here are little-endian.
#pragma once

#include "radio/ImageLayout.h"

namespace radio::rdf {

constexpr int kFileSize = 33680;
constexpr int kFileSizeAlternative = 33681; // also accepted in the size field

constexpr int kMagic = 0; // u32 0x464452: "RDF" and a zero byte
constexpr unsigned kMagicValue = 0x464452;
constexpr int kTag = 4; // four characters without terminator
constexpr int kTagSize = 4;
constexpr const char* kTagValue = "JH70";
constexpr int kVersion = 8;
constexpr unsigned kVersionValue = 2;
constexpr int kSizeField = 12;
constexpr int kRadioName = 16; // zero-terminated, zero-padded
constexpr int kRadioNameSize = 40;
constexpr const char* kRadioNameValue = "Yaesu VX-7";
constexpr int kChannelCount = 56;            // u16
constexpr int kCommentSlotSizeField = 58;    // u16
constexpr int kCommentTableOffsetField = 60; // u32
constexpr int kImageOffsetField = 64;        // u32
constexpr int kReserved68 = 68;
constexpr int kClearedOnLoad = 70; // zeroed in memory after every load
constexpr int kClearedOnLoadSize = 18;
constexpr int kReserved88 = 88;
constexpr int kSettingsSource = 168; // zero-terminated text
constexpr int kSettingsSourceSize = 256;
constexpr int kHeaderSize = 424;

constexpr int kImage = 424;
constexpr int kReservedAfterImage = kImage + radio::image::kSize; // 20 bytes
constexpr int kReservedAfterImageSize = 20;

constexpr int kCommentSize = 32;         // one slot
constexpr int kCommentMaxText = 30;      // characters a slot takes
constexpr int kMemoryComments = 16655;   // 450 slots
constexpr int kLimitComments = 31055;    // 40 slots
constexpr int kOneTouchComments = 32335; // 10 slots
constexpr int kHyperComments = 32655;    // 10 slots
constexpr int kVfoComments = 32975;      // 11 slots
constexpr int kHomeComments = 33327;     // 11 slots
constexpr int kReservedLast = 33679;

constexpr int kChannelCountValue = radio::image::kMemoryCount;

static_assert(kSettingsSource + kSettingsSourceSize == kHeaderSize);
static_assert(kReservedAfterImage + kReservedAfterImageSize == kMemoryComments);
static_assert(kMemoryComments + radio::image::kMemoryCount * kCommentSize == kLimitComments);
static_assert(kLimitComments + radio::image::kLimitCount * kCommentSize == kOneTouchComments);
static_assert(kOneTouchComments + radio::image::kOneTouchCount * kCommentSize == kHyperComments);
static_assert(kHyperComments + radio::image::kHyperCount * kCommentSize == kVfoComments);
static_assert(kVfoComments + radio::image::kBandCount * kCommentSize == kHomeComments);
static_assert(kHomeComments + radio::image::kBandCount * kCommentSize == kReservedLast);
static_assert(kReservedLast + 1 == kFileSize);

} // namespace radio::rdf
