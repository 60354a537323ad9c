// The radio's rules: coverage, rasters, offsets, band plan, frequency texts.
#include "radio/FrequencyCodec.h"
#include "radio/RadioModel.h"
#include "radio/ValueTables.h"

#include <gtest/gtest.h>

using namespace radio;

namespace {

struct FrequencyCase {
    int tab;
    int variant;
    int band;
    Hz freq;
    bool valid;
};

class RulesTest : public ::testing::Test {
protected:
    RadioModel radio;
    void Variant(int v) { radio.Image()[image::kVariantFlag] = static_cast<Byte>(v); }
};

TEST_F(RulesTest, ValidFrequencyByTabBandAndVariant) {
    const FrequencyCase cases[] = {
        {tab::kMemories, 0, 1, 146520000, true},
        {tab::kMemories, 0, 1, 146521000, false}, // on no raster
        {tab::kMemories, 0, 1, 1413000, true},    // 9 kHz broadcast raster
        {tab::kMemories, 0, 1, 7299000, false},   // 9 kHz multiple above 1.8 MHz
        {tab::kMemories, 0, 1, 145006250, true},  // 6.25 kHz raster
        {tab::kMemories, 0, 1, 830000000, false}, // cellular blocked
        {tab::kMemories, 1, 1, 830000000, true},  // unblocked variant
        {tab::kMemories, 0, 1, 849000000, true},  // first free after the block
        {tab::kMemories, 0, 1, 893995000, false},
        {tab::kMemories, 0, 1, 894000000, true},
        {tab::kMemories, 0, 1, 450000, false},
        {tab::kMemories, 0, 1, 999005000, false},
        {tab::kMemories, 0, 1, 999000000, true},
        {tab::kMemories, 0, 1, 500000, true},
        {tab::kMemories, 0, 1, 0, false},
        {tab::kVfo, 0, 8, 420000000, true}, // "70cm", both ends included
        {tab::kVfo, 0, 8, 470000000, true},
        {tab::kVfo, 0, 8, 470005000, false},
        {tab::kHome, 0, 1, 1800000, true}, // "BC" top
        {tab::kHome, 0, 1, 1809000, false},
        {tab::kHome, 0, 11, 830000000, false}, // "Act2" cellular blocked
        {tab::kHome, 1, 11, 830000000, true},
        {tab::kHome, 0, 11, 799995000, false},
        {tab::kVfo, 0, 12, 1000000000, true}, // a band outside 1 to 11 is never out of range
        {tab::kVfo, 0, 10, 225000000, true},  // "Act1" starts at 225 MHz
        {tab::kLimit, 0, 40, 146520000, true},
    };
    for (const auto& c : cases) {
        Variant(c.variant);
        EXPECT_EQ(radio.IsValidFrequency(c.tab, c.freq, c.band), c.valid)
            << "tab " << c.tab << " variant " << c.variant << " band " << c.band << " freq "
            << c.freq;
    }
}

TEST_F(RulesTest, OffsetsDirectionsAndTheOffsetList) {
    int d = -1;
    EXPECT_EQ(radio.OffsetFromPair(146940000, d, 146340000), 600000);
    EXPECT_EQ(d, direction::kMinus);
    EXPECT_EQ(radio.OffsetFromPair(146940000, d, 146345000), -1);
    EXPECT_EQ(d, direction::kSplit);
    EXPECT_EQ(radio.OffsetFromPair(146940000, d, 146940000), 600000);
    EXPECT_EQ(d, direction::kSimplex);
    EXPECT_EQ(radio.OffsetFromPair(440000000, d, 445000000), 5000000);
    EXPECT_EQ(d, direction::kPlus);
    EXPECT_EQ(radio.OffsetFromPair(100000000, d, 199950000), 99950000); // largest pair offset
    EXPECT_EQ(radio.OffsetFromPair(100000000, d, 200000000), -1);

    d = -1;
    EXPECT_EQ(radio.TransmitFrequency(146940000, d, 600000, true), 146340000);
    EXPECT_EQ(d, direction::kMinus);
    d = direction::kPlus;
    EXPECT_EQ(radio.TransmitFrequency(146940000, d, 600000, false), 147540000);
    d = direction::kSplit;
    EXPECT_EQ(radio.TransmitFrequency(146940000, d, 600000, false), -1);

    EXPECT_EQ(radio.OffsetListIndex(1600000), 3);
    EXPECT_EQ(radio.OffsetListIndex(500000), 0);
    EXPECT_EQ(radio.OffsetListIndex(7600000), 6);
    EXPECT_EQ(radio.OffsetListIndex(100000), -1);

    const std::pair<Hz, bool> offsets[] = {{600000, true},  {0, false},       {50000, true},
                                           {-50000, false}, {99900000, true}, {99950000, false},
                                           {612500, false}};
    for (const auto& [offset, valid] : offsets)
        EXPECT_EQ(radio.IsValidOffset(offset), valid) << offset;
}

TEST_F(RulesTest, DefaultOffsetsAndBandPlan) {
    const std::pair<Hz, Hz> offsets[] = {
        {29999999, 100000},   {30000000, 1000000},  {54999999, 1000000},  {55000000, 600000},
        {146000000, 600000},  {200000000, 1600000}, {224999999, 1600000}, {225000000, 5000000},
        {449999999, 5000000}, {450000000, 3000000}, {499999999, 3000000}, {500000000, 25000000},
    };
    for (const auto& [freq, offset] : offsets)
        EXPECT_EQ(radio.DefaultOffset(freq), offset) << freq;

    const std::pair<Hz, int> plan[] = {
        {145099999, direction::kSimplex}, {145100000, direction::kMinus},
        {145500000, direction::kMinus},   {145500001, direction::kSimplex},
        {146000000, direction::kPlus},    {146400000, direction::kPlus},
        {146400001, direction::kSimplex}, {146600000, direction::kMinus},
        {146999999, direction::kMinus},   {147000000, direction::kPlus},
        {147399999, direction::kPlus},    {147400000, direction::kSimplex},
        {147600000, direction::kMinus},   {148000000, direction::kMinus},
        {148000001, direction::kSimplex}, {440000000, direction::kPlus},
        {445000000, direction::kPlus},    {445000001, direction::kMinus},
        {450000000, direction::kMinus},   {450000001, direction::kSimplex},
    };
    for (const auto& [freq, dir] : plan)
        EXPECT_EQ(radio.AutoShiftDirection(freq), dir) << freq;
}

TEST_F(RulesTest, FrequencyTexts) {
    const std::pair<const char*, Hz> texts[] = {
        {"145.52", 145520000},
        {"145,52 MHz", 145520000},
        {"145.5", 145500000},
        {"145500", 145500000}, // six digits without a fraction are kHz
        {"145.00625", 145006250},
        {"600 kHz", 600000},
        {"600.5 kHz", 600000}, // kHz drop their fraction
        {"", 0},
        {"   146.94", 146940000}, // leading blanks skipped
        {"-146.94", 0},
        {" - 146.94", 0},
        {"x-146", 0},
        {"146.-5", 0},
        {"536871.416", 0}, // beyond 32 bits: never wraps to a small value
        {"99999", 0},      // 99999 MHz does not fit either
        {"2147.483647", 2147483647},
        {"2147.483648", 0},
        {"abc", 0},
        {"146.52000 ", 146520000},
        {"146.520001234", 146520001}, // only six fraction digits count
        {"99999.5", 0},
        // Whole parts too long for any scaling: no frequency, never a wrapped one.
        {"36893488147420.5", 0},
        {"9223372036854.775807", 0},
        {"922337203685477580", 0},
        {"2147483648 kHz", 0},
        {"2147483647 kHz", 0},
        {"2147483.647 kHz", 2147483000},
        {"2147484 kHz", 0},
    };
    for (const auto& [text, hz] : texts)
        EXPECT_EQ(radio.TextToFrequency(QString::fromLatin1(text)), hz) << text;

    const std::pair<const char*, Hz> list[] = {
        {"500 kHz", 500000},   {"1.00 MHz", 1000000}, {"1.60 MHz", 1600000},
        {"7.60 MHz", 7600000}, {"-1.60 MHz", 0},      {"36893488147420.5", 0},
    };
    for (const auto& [text, hz] : list)
        EXPECT_EQ(RadioModel::ListTextToFrequency(QString::fromLatin1(text)), hz) << text;
}

TEST(BcdTest, PackAndUnpack) {
    struct Case {
        std::int64_t value;
        int bytes;
        const char* hex; // nullptr: refused
    };
    const Case cases[] = {
        {14550000, 4, "14 55 00 00"}, {14500625, 4, "14 50 06 28"}, // lowest digit 5 is kept as 8
        {14500623, 4, "14 50 06 20"},                               // any other lowest digit as 0
        {145500, 3, "14 55 00"},      {999999, 3, "99 99 99"},
        {1000000, 3, nullptr}, // more digits than the field holds
        {-145500, 3, "14 55 00"},     {0, 2, "00 00"},
    };
    for (const auto& c : cases) {
        Byte field[4] = {0xAA, 0xAA, 0xAA, 0xAA};
        const bool packed = PackBcd(field, c.value, c.bytes);
        if (!c.hex) {
            EXPECT_FALSE(packed) << c.value;
            EXPECT_EQ(field[0], 0xAA) << "a refused value leaves the field alone";
            continue;
        }
        ASSERT_TRUE(packed) << c.value;
        QByteArray expected = QByteArray::fromHex(QByteArray(c.hex).replace(' ', ""));
        EXPECT_EQ(QByteArray(reinterpret_cast<char*>(field), c.bytes), expected) << c.value;
    }

    const Byte plain[3] = {0x14, 0x55, 0x00};
    EXPECT_EQ(UnpackBcd(plain, 3), 145500);
    const Byte filler[3] = {0xFF, 0xFF, 0xFF};
    EXPECT_EQ(UnpackBcd(filler, 3), -1);
    const Byte oneNibble[3] = {0x14, 0x5A, 0x00};
    EXPECT_EQ(UnpackBcd(oneNibble, 3), -1);

    Byte rec[record::kSize] = {};
    rec[record::kOffset] = 0x00;
    rec[record::kOffset + 1] = 0x06;
    rec[record::kOffset + 2] = 0x00;
    EXPECT_EQ(RadioModel::StoredOffset(rec), 600); // the plain BCD number, not scaled
}

// Codes the radio reads, at their known places: characters of the name
// table (a character listed twice encodes to its lower code, and its second
// code reads as it too), DCS codes and CTCSS tones.
TEST(ValueTablesTest, KnownCodesAtTheirPlaces) {
    const std::pair<int, int> characters[] = {
        {'0', 0},   {' ', 10}, {'A', 11},   {'Z', 36},   {'a', 37},  {'.', 63},
        {'&', 72},  {'=', 80}, {'<', 81},   {'>', 82},   {'?', 83},  {0x9D, 86},
        {'\'', 95}, {'~', 98}, {0x13, 114}, {'\t', 123}, {0xE9, -1},
    };
    for (const auto& [character, code] : characters) {
        EXPECT_EQ(CharacterCode(static_cast<std::uint8_t>(character)), code) << character;
        if (code >= 0) {
            EXPECT_EQ(kCharset[static_cast<size_t>(code)], character) << code;
        }
    }
    EXPECT_EQ(kCharset[94], '&');
    EXPECT_EQ(kCharset[96], '0');
    EXPECT_EQ(kCharset[124], '1');
    // Every printable ASCII character has a code; all but the tilde below 96.
    for (int c = 0x20; c < 0x7F; ++c) {
        const int code = CharacterCode(static_cast<std::uint8_t>(c));
        EXPECT_GE(code, 0) << char(c);
        EXPECT_LT(code, c == '~' ? 99 : 96) << char(c);
        EXPECT_EQ(kCharset[static_cast<size_t>(code)], c);
    }

    const std::pair<int, int> dcs[] = {{0, 23},   {1, 25},   {15, 74},
                                       {16, 114}, {17, 115}, {103, 754}};
    for (const auto& [index, code] : dcs) {
        EXPECT_EQ(kDcsCodes[static_cast<size_t>(index)], code) << index;
        EXPECT_EQ(DcsIndex(code), index) << code;
    }
    EXPECT_EQ(DcsIndex(24), -1);
    const std::pair<int, int> tones[] = {{0, 670}, {8, 885}, {kDefaultCtcss, 1000}, {49, 2541}};
    for (const auto& [index, tenths] : tones) {
        EXPECT_EQ(kCtcssTenths[static_cast<size_t>(index)], tenths) << index;
        EXPECT_EQ(CtcssIndex(tenths), index) << tenths;
    }
    EXPECT_EQ(CtcssIndex(886), -1);
    EXPECT_STREQ(BandLabel(1), "BC");
    EXPECT_STREQ(BandLabel(8), "70cm");
    EXPECT_STREQ(BandLabel(11), "Act2");
    EXPECT_STREQ(BandLabel(12), "extra");
    EXPECT_STREQ(BandLabel(13), "");
}

} // namespace
