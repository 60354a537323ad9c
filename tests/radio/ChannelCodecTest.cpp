// The channel record and 128-byte block: frequency codings, names, bits.
#include "radio/ChannelRecord.h"
#include "radio/FrequencyCodec.h"
#include "radio/RadioModel.h"
#include "radio/ValueTables.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <algorithm>
#include <vector>

using namespace radio;

namespace {

QByteArray Bytes(const Byte* p, int n) {
    return QByteArray(reinterpret_cast<const char*>(p), n);
}
QByteArray FromHex(const char* hex) {
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

TEST(FrequencyCodingTest, ThreeByteFieldsReadBackOnTheirRaster) {
    struct Case {
        Hz entered;
        const char* stored;
        Hz readBack;
    };
    const Case cases[] = {
        {146520000, "14 65 20", 146520000},
        {145012500, "14 50 12", 145012500}, // 12.5 kHz channels come back exact
        {145037500, "14 50 37", 145037500},
        {145006250, "14 50 06", 145006250}, // 6.25 kHz channels too
        {145018750, "14 50 18", 145018750},
        {567000, "00 05 67", 567000}, // 9 kHz broadcast channels stay
        {1413000, "00 14 13", 1413000},
        {1602000, "00 16 02", 1602000},
        {7299000, "00 72 99", 7299000}, // on no raster: nothing restored
        {999000000, "99 90 00", 999000000},
        {146520999, "14 65 20", 146520000}, // below 1 kHz is dropped
    };
    for (const auto& c : cases) {
        Byte field[3] = {};
        ASSERT_TRUE(EncodeFrequency3(field, c.entered));
        EXPECT_EQ(Bytes(field, 3), FromHex(c.stored)) << c.entered;
        EXPECT_EQ(DecodeFrequency3(field), c.readBack) << c.entered;
        // Write, read and write again gives the same bytes.
        Byte again[3] = {};
        ASSERT_TRUE(EncodeFrequency3(again, DecodeFrequency3(field)));
        EXPECT_EQ(Bytes(again, 3), Bytes(field, 3)) << c.entered;
    }
}

TEST(FrequencyCodingTest, FourByteFieldsAndNonNumbers) {
    const std::pair<Hz, const char*> cases[] = {
        {430012500, "43 00 12 50"},
        {145006250, "14 50 06 28"},
        {999999950, "99 99 99 98"},
    };
    for (const auto& [hz, hex] : cases) {
        Byte field[4] = {};
        ASSERT_TRUE(EncodeFrequency4(field, hz));
        EXPECT_EQ(Bytes(field, 4), FromHex(hex)) << hz;
        EXPECT_EQ(DecodeFrequency4(field), hz) << hz;
    }

    const Byte filler3[3] = {0xFF, 0xFF, 0xFF};
    EXPECT_EQ(DecodeFrequency3(filler3), kNoFrequency);
    const Byte filler4[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(DecodeFrequency4(filler4), kNoFrequency);

    Byte kept[3] = {0x12, 0x34, 0x56};
    EXPECT_FALSE(EncodeFrequency3(kept, -600000));
    EXPECT_FALSE(EncodeFrequency3(kept, 1000000000)); // seven digits of kHz
    EXPECT_EQ(Bytes(kept, 3), FromHex("12 34 56"));

    // The radio model picks the coding by tab.
    RadioModel radio;
    Byte field[4] = {};
    radio.EncodeFrequency(tab::kHyper, field, 145006250);
    EXPECT_EQ(Bytes(field, 4), FromHex("14 50 06 28"));
    radio.EncodeFrequency(tab::kMemories, field, 145006250);
    EXPECT_EQ(Bytes(field, 3), FromHex("14 50 06"));
}

TEST(NameCodingTest, CodesAndTexts) {
    RadioModel radio;
    struct Case {
        QString text;
        const char* codes;
        QString readBack;
    };
    const Case cases[] = {
        {QStringLiteral("abc"), "25 26 27 0A 0A 0A 0A 0A", QStringLiteral("abc")},
        {QStringLiteral("A B"), "0B 0A 0C 0A 0A 0A 0A 0A", QStringLiteral("A B")},
        {QStringLiteral("W1AW-R12"), "21 01 0B 21 4E 1C 01 02", QStringLiteral("W1AW-R12")},
        {QStringLiteral("TOOLONGNAME"), "1E 19 19 16 19 18 11 18", QStringLiteral("TOOLONGN")},
        {QStringLiteral("Zürich"), "24 0A 36 2D 27 2C 0A 0A", QStringLiteral("Z rich")},
        {QStringLiteral("a&b"), "25 48 26 0A 0A 0A 0A 0A", QStringLiteral("a&b")},
    };
    for (const auto& c : cases) {
        Byte field[8] = {};
        EXPECT_TRUE(radio.EncodeName(field, c.text));
        EXPECT_EQ(Bytes(field, 8), FromHex(c.codes)) << c.text.toStdString();
        EXPECT_EQ(radio.DecodeName(field), c.readBack);
    }
    Byte field[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_FALSE(radio.EncodeName(field, QString()));
    EXPECT_EQ(Bytes(field, 8), FromHex("0A 0A 0A 0A 0A 0A 0A 0A"));
    EXPECT_EQ(radio.DecodeName(field), QString());
    const Byte odd[8] = {0x7D, 0xFF, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A};
    EXPECT_EQ(radio.DecodeName(odd), QStringLiteral("??"));
}

TEST(RecordBitsTest, RasterAndOffStep) {
    struct RasterCase {
        Hz rx;
        Hz tx;
        int step;
        int rxRaster;
        int txRaster;
    };
    const RasterCase rasters[] = {
        {145006250, 145606250, 0, 1, 1},
        {145000000, 145006250, 0, 0, 1},
        // Steps 12.5, 50 and 100 kHz try the 6.25 kHz raster first.
        {145000000, 145600000, 2, 1, 1},
        {145010000, 145610000, 2, 0, 0},
        {145000000, 145600000, 6, 1, 1},
        {145000000, 145600000, 7, 1, 1},
        {145010000, 1413000, 7, 0, 2},
        // Every other step the 5 kHz raster.
        {145000000, 145600000, 1, 0, 0},
        {145000000, 145600000, 3, 0, 0},
        {145000000, 145600000, 4, 0, 0},
        {145025000, 145625000, 5, 0, 0},
        {145000000, 145006250, 8, 0, 1},
        {1413000, 1413000, 8, 2, 2},
        {1413100, 1413100, 0, 0, 0},
    };
    for (const auto& c : rasters) {
        Byte b = 0xFF;
        RadioModel::SetRasterBits(b, c.rx, c.tx, c.step);
        EXPECT_EQ(b & 0xF0, 0xF0) << "only bits 0 to 3 change";
        EXPECT_EQ(b & 0x03, c.rxRaster) << c.rx;
        EXPECT_EQ((b >> 2) & 0x03, c.txRaster) << c.tx;
    }

    struct StepCase {
        Hz freq;
        int step;
        bool off;
    };
    const StepCase steps[] = {
        {146525000, 5, false}, {146530000, 5, true},  {7000000, 9, true},
        {146530000, 4, false}, {146525000, 4, true},  {1413000, 8, false},
        {146525000, 7, true},  {146550000, 7, false}, {146512500, 2, false},
    };
    for (const auto& c : steps)
        EXPECT_EQ(RadioModel::IsOffStep(c.freq, c.step), c.off) << c.freq << " " << c.step;
}

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

TEST(FlagTablesTest, NibblesOfEachTable) {
    RadioModel radio;
    Byte img[image::kSize] = {};
    struct Case {
        int tab;
        int index;
        int byte;
        int bit;
    };
    const Case cases[] = {
        {tab::kMemories, 0, image::kMemoryFlags, 0},
        {tab::kMemories, 1, image::kMemoryFlags, 4},
        {tab::kMemories, 449, image::kMemoryFlags + 224, 4},
        {tab::kOneTouch, 9, image::kOneTouchFlags + 4, 4},
        {tab::kLimit, 38, image::kLimitFlags + 19, 0},
    };
    for (const auto& c : cases) {
        std::fill(std::begin(img), std::end(img), 0);
        radio.SetUsed(img, c.tab, c.index, true);
        radio.SetSkip(img, c.tab, c.index, true);
        EXPECT_EQ(img[c.byte], (0x5 << c.bit)) << c.tab << " " << c.index;
        EXPECT_TRUE(radio.IsUsed(img, c.tab, c.index));
        EXPECT_TRUE(radio.IsSkip(img, c.tab, c.index));
        EXPECT_FALSE(radio.IsPreferential(img, c.tab, c.index));
        EXPECT_TRUE(radio.IsMasked(img, c.tab, c.index)); // visible bit clear
        radio.SetMasked(img, c.tab, c.index, false);
        radio.SetPreferential(img, c.tab, c.index, true);
        EXPECT_EQ(img[c.byte], (0xF << c.bit));
        EXPECT_FALSE(radio.IsMasked(img, c.tab, c.index));
        radio.SetUsed(img, c.tab, c.index, false);
        EXPECT_EQ(img[c.byte], (0xE << c.bit));
    }

    // Marking memory channel 2 as skipped sets bit 6 and leaves channel 1.
    std::fill(std::begin(img), std::end(img), 0);
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
