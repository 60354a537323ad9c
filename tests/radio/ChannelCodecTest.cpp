// The channel record and 128-byte block: the bits of each field and the
// flag tables (the codings of frequencies and names are in the list of
// radio values, RadioRulesTest.cpp).
#include "radio/ChannelRecord.h"
#include "radio/RadioModel.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace radio;

namespace {

TEST(RecordBitsTest, FieldHelpersWriteTheirBitsOnly) {
    Byte rec[record::kSize] = {};
    ChannelRecord r(rec);
    r.SetStep(8);
    r.SetDirection(direction::kSplit);
    r.SetPower(3);
    r.SetMode(2);
    r.SetIcon(29);
    r.SetClockShift(true);
    r.SetHalfDeviation(true);
    r.SetOffStep(true);
    r.SetCtcss(49);
    r.SetDcs(103);
    r.SetToneMode(6);
    EXPECT_EQ(rec[0], 0x70);
    EXPECT_EQ(rec[1], 0xF8);
    EXPECT_EQ(rec[5], 29 << 2 | 2);
    EXPECT_EQ(rec[18], 49);
    EXPECT_EQ(rec[19], 103);
    EXPECT_EQ(rec[20], 6);
    EXPECT_EQ(r.Step(), 8);
    EXPECT_EQ(r.Direction(), 3);
    EXPECT_EQ(r.Power(), 3);
    EXPECT_EQ(r.Icon(), 29);
    r.SetDirection(direction::kMinus);
    EXPECT_EQ(rec[1], 0xD8);

    Byte blk[block::kSize] = {};
    ReceiverSet b(blk, 1);
    b.SetStep(4);
    b.SetSkip(true);
    b.SetVisible(true);
    b.SetIconByte(15);
    EXPECT_EQ(blk[block::kStep + block::kSetB], 4);
    EXPECT_EQ(blk[block::kScanFlags + block::kSetB], 0x06);
    EXPECT_EQ(blk[87], 15);
}

// Where each row's flags lie is in the list of radio values.
TEST(FlagTablesTest, NeighboursAndRowsWithoutFlags) {
    RadioModel radio;
    Byte img[image::kSize] = {};
    // Marking memory channel 2 as skipped sets bit 6 and leaves channel 1.
    img[image::kMemoryFlags] = 0x03;
    radio.SetSkip(img, tab::kMemories, 1, true);
    EXPECT_EQ(img[image::kMemoryFlags], 0x43);

    // VFO and home rows are always in use and have no flags; hyper and group
    // rows have none at all. No writer touches the image there.
    Byte before[image::kSize];
    std::copy(std::begin(img), std::end(img), before);
    for (int t : {tab::kVfo, tab::kHome, tab::kHyper, tab::kGroups}) {
        EXPECT_EQ(radio.IsUsed(img, t, 0), t == tab::kVfo || t == tab::kHome);
        EXPECT_FALSE(radio.IsSkip(img, t, 0));
        EXPECT_FALSE(radio.IsMasked(img, t, 0));
        radio.SetUsed(img, t, 0, true);
        radio.SetSkip(img, t, 0, true);
        radio.SetMasked(img, t, 0, true);
    }
    EXPECT_TRUE(std::equal(std::begin(img), std::end(img), before));
    // Rows outside a table are never used and never written.
    radio.SetUsed(img, tab::kOneTouch, 10, true);
    radio.SetUsed(img, tab::kOneTouch, -1, true);
    EXPECT_TRUE(std::equal(std::begin(img), std::end(img), before));
    EXPECT_FALSE(radio.IsUsed(img, tab::kOneTouch, 10));
}

} // namespace
