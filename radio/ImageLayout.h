// The VX-7 clone image: every region, record and field offset in one place.
//
// The radio keeps all of its user data in one 16211-byte image. Multi-byte
// numbers are big-endian; frequencies are packed BCD. Nothing outside this
// header spells an offset as a number.
#pragma once

#include <cstdint>

namespace radio {

using Byte = std::uint8_t;

// ---------------------------------------------------------------------------
// Regions of the clone image
// ---------------------------------------------------------------------------
namespace image {
constexpr int kSize = 16211;

constexpr int kHeader = 0; // radio configuration header
constexpr int kHeaderSize = 18;
constexpr int kVariantFlag = 8; // nonzero: receiver without cellular blocking

constexpr int kBlockSize = 128; // hyper memory, state block, spare block

constexpr int kHyper = 18; // hyper memories 1 to 10
constexpr int kHyperCount = 10;
constexpr int kSpareBlock = 1298;
constexpr int kStateBlock = 1426;
constexpr int kStateCopy = 1554;

constexpr int kSettingsFirst = 1682; // settings record bytes 0 to 175
constexpr int kSettingsFirstSize = 176;
constexpr int kGroupCounts = 1858; // 9 big-endian 16-bit counts
constexpr int kGroupCountsSize = 18;
constexpr int kSettingsSecond = 1876; // settings record bytes 194 to 1479
constexpr int kSettingsSecondSize = 1286;
constexpr int kSettingsEnd = 3162; // one past the last settings byte
constexpr int kUnused1 = 3162;
constexpr int kUnused1Size = 8;

constexpr int kRecordSize = 22; // channel record

constexpr int kBandCount = 11; // band rows of the VFO's and Home Channels tabs
constexpr int kHome = 3170;
constexpr int kVfo = 3412;
constexpr int kFurther = 3654; // four records no tab shows
constexpr int kFurtherCount = 4;
constexpr int kUnused2 = 3742;
constexpr int kUnused2Size = 4;

constexpr int kGroupMembers = 3746;
constexpr int kGroupCount = 9;
constexpr int kGroupMaxMembers = 48;
constexpr int kGroupStride = kGroupMaxMembers * 2;

constexpr int kMemoryFlags = 4610; // one nibble per row
constexpr int kOneTouchFlags = 4835;
constexpr int kLimitFlags = 4840;
constexpr int kUnused3 = 4860;
constexpr int kUnused3Size = 38;

constexpr int kMemories = 4898;
constexpr int kMemoryCount = 450;
constexpr int kOneTouch = 14798;
constexpr int kOneTouchCount = 10;
constexpr int kLimits = 15018;
constexpr int kLimitCount = 40; // 20 pairs, lower then upper
constexpr int kUnused4 = 15898;
constexpr int kUnused4Size = 312;

constexpr int kChecksum = 16210; // low 8 bits of the sum of bytes 0 to 16209

// Bytes at which the radio waits for an acknowledgement during a clone.
constexpr int kFirstStretch = 10;
constexpr int kSecondStretch = 18;
} // namespace image

// ---------------------------------------------------------------------------
// Flag nibbles (memory, one-touch and limit tables)
// ---------------------------------------------------------------------------
namespace flag {
constexpr Byte kUsed = 0x1;
constexpr Byte kVisible = 0x2; // the Mask column shows the inverse
constexpr Byte kSkip = 0x4;
constexpr Byte kPreferential = 0x8;
} // namespace flag

// ---------------------------------------------------------------------------
// The 22-byte channel record
// ---------------------------------------------------------------------------
namespace record {
constexpr int kSize = image::kRecordSize;

constexpr int kFlags = 0; // rasters, clock shift, half deviation, off-step
constexpr Byte kRxRasterMask = 0x03;
constexpr int kRxRasterShift = 0;
constexpr Byte kTxRasterMask = 0x0C;
constexpr int kTxRasterShift = 2;
constexpr Byte kClockShift = 0x10;
constexpr Byte kHalfDeviation = 0x20;
constexpr Byte kOffStep = 0x40;
constexpr Byte kRasterBits = kRxRasterMask | kTxRasterMask;
constexpr Byte kFlagBits = 0x3F; // rasters, clock shift, half deviation

constexpr int kStepDirPower = 1;
constexpr Byte kStepMask = 0x0F;
constexpr int kStepShift = 0;
constexpr Byte kDirectionMask = 0x30;
constexpr int kDirectionShift = 4;
constexpr Byte kPowerMask = 0xC0;
constexpr int kPowerShift = 6;

constexpr int kRxFrequency = 2; // three-byte BCD, kHz
constexpr int kFrequencySize = 3;

constexpr int kModeIcon = 5;
constexpr Byte kModeMask = 0x03;
constexpr int kModeShift = 0;
constexpr Byte kIconMask = 0xFC;
constexpr int kIconShift = 2;

constexpr int kName = 6;
constexpr int kNameSize = 8;
constexpr int kReserved14 = 14;
constexpr int kOffset = 15; // offset, or transmit frequency when split
constexpr int kCtcss = 18;
constexpr int kDcs = 19;
constexpr int kToneMode = 20;
constexpr int kExtra = 21; // copied into a receiver set by the upload fix-up

static_assert(kExtra < kSize, "channel record fields fit");
static_assert(kName + kNameSize <= kReserved14, "name ends before byte 14");
static_assert(kOffset + kFrequencySize == kCtcss, "offset ends at the tone byte");
} // namespace record

// ---------------------------------------------------------------------------
// The 128-byte block: hyper memories, state block and its copy, spare block.
// Set B has set A's fields at set A's offset plus kSetB.
// ---------------------------------------------------------------------------
namespace block {
constexpr int kSize = image::kBlockSize;
constexpr int kSetB = 54;

constexpr int kDualReceive = 0;
constexpr int kOperationBand = 1;

// Per-set fields, set A offsets.
constexpr int kSourceCompanion = 2; // written with the source byte
constexpr int kSource = 3;          // 0, 2, 3 memory; 1 VFO; 4 limit; 5 home
constexpr int kVfoNumber = 6;       // 0 to 10
constexpr int kFlags = 8;           // rasters, clock shift, half deviation
constexpr int kPower = 9;
constexpr int kStep = 10;
constexpr int kDirection = 11;
constexpr int kToneMode = 12;
constexpr int kCtcss = 13;
constexpr int kDcs = 14;
constexpr int kMode = 15;
constexpr int kRxFrequency = 16; // four-byte BCD, 10 Hz units
constexpr int kFrequencySize = 4;
constexpr int kOffset = 20; // offset, or transmit frequency when split
constexpr int kName = 24;
constexpr int kNameSize = 8;
constexpr int kExtra = 32;     // copy of channel record byte 21
constexpr int kIcon = 33;      // icon plus 1
constexpr int kScanFlags = 34; // bit 1 visible, bit 2 skip, bit 3 preferential
constexpr Byte kScanVisible = 0x02;
constexpr Byte kScanSkip = 0x04;
constexpr Byte kScanPreferential = 0x08;

// Hyper memory status.
constexpr int kHyperStatus = 114;  // 3 in use, 0xFF not
constexpr int kHyperStatus2 = 115; // 0 in use, 0xFF not
constexpr Byte kHyperInUse = 3;

// State block only.
constexpr int kSourceCopyA1 = 4; // copies of the set B source byte
constexpr int kSourceCopyA2 = 5;
constexpr int kClearedA = 36;
constexpr int kChannel = 38; // channel number minus 1 (by the source)
constexpr int kGroup = 40;   // memory group 0 to 8, or 0xFFFF
constexpr int kGroupPosition = 42;
constexpr int kPriority = 50; // priority memory channel minus 1
constexpr int kSourceCopyB1 = 58;
constexpr int kSourceCopyB2 = 59;
constexpr int kResetValue1 = 110;
constexpr int kResetValue2 = 112;
constexpr int kCleared116 = 116;
constexpr int kCleared116Size = 4;
constexpr int kChecksum = 127;

// Source kinds of a receiver set.
constexpr Byte kSourceMemory0 = 0;
constexpr Byte kSourceVfo = 1;
constexpr Byte kSourceMemory2 = 2;
constexpr Byte kSourceMemory3 = 3;
constexpr Byte kSourceLimit = 4;
constexpr Byte kSourceHome = 5;

static_assert(kScanFlags + kSetB < kHyperStatus, "set B ends before the status bytes");
static_assert(kOffset + kFrequencySize == kName, "offset ends at the name");
} // namespace block

// ---------------------------------------------------------------------------
// Settings area: the settings record mirrors image bytes 1682 to 3161.
// ---------------------------------------------------------------------------
namespace settingsarea {
constexpr int kRecordSize = 1480;
constexpr int kGroupCountsFirst = 176; // record bytes never exchanged
constexpr int kGroupCountsEnd = 194;
constexpr int kPackedByte = 117;  // image byte 1799, packed differently
constexpr int kSplitToneByte = 3; // image byte 1685, bit 1: split tone on
constexpr Byte kSplitToneBit = 0x02;
} // namespace settingsarea

// ---------------------------------------------------------------------------
// Compile-time checks: regions follow each other without overlap.
// ---------------------------------------------------------------------------
namespace image {
constexpr bool follows(int offset, int size, int next) {
    return offset + size == next;
}
static_assert(follows(kHeader, kHeaderSize, kHyper));
static_assert(follows(kHyper, kHyperCount* kBlockSize, kSpareBlock));
static_assert(follows(kSpareBlock, kBlockSize, kStateBlock));
static_assert(follows(kStateBlock, kBlockSize, kStateCopy));
static_assert(follows(kStateCopy, kBlockSize, kSettingsFirst));
static_assert(follows(kSettingsFirst, kSettingsFirstSize, kGroupCounts));
static_assert(follows(kGroupCounts, kGroupCountsSize, kSettingsSecond));
static_assert(kGroupCountsSize == kGroupCount * 2);
static_assert(follows(kSettingsSecond, kSettingsSecondSize, kSettingsEnd));
static_assert(kSettingsEnd - kSettingsFirst == settingsarea::kRecordSize);
static_assert(kSettingsFirst + settingsarea::kGroupCountsFirst == kGroupCounts);
static_assert(follows(kUnused1, kUnused1Size, kHome));
static_assert(follows(kHome, kBandCount* kRecordSize, kVfo));
static_assert(follows(kVfo, kBandCount* kRecordSize, kFurther));
static_assert(follows(kFurther, kFurtherCount* kRecordSize, kUnused2));
static_assert(follows(kUnused2, kUnused2Size, kGroupMembers));
static_assert(follows(kGroupMembers, kGroupCount* kGroupStride, kMemoryFlags));
static_assert(follows(kMemoryFlags, kMemoryCount / 2, kOneTouchFlags));
static_assert(follows(kOneTouchFlags, kOneTouchCount / 2, kLimitFlags));
static_assert(follows(kLimitFlags, kLimitCount / 2, kUnused3));
static_assert(follows(kUnused3, kUnused3Size, kMemories));
static_assert(follows(kMemories, kMemoryCount* kRecordSize, kOneTouch));
static_assert(follows(kOneTouch, kOneTouchCount* kRecordSize, kLimits));
static_assert(follows(kLimits, kLimitCount* kRecordSize, kUnused4));
static_assert(follows(kUnused4, kUnused4Size, kChecksum));
static_assert(kChecksum + 1 == kSize);
static_assert(kStateBlock + block::kSize - 1 == 1553, "state checksum byte");
} // namespace image

} // namespace radio
