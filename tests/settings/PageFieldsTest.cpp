// The options of the Display, Icon/Font and names pages in the settings
// block, against hand-computed bytes: the bit layouts of icons and font
// characters, the contrast and colour scales, the drop-down fields and the
// name records.
#include "settings/DisplayOptions.h"
#include "settings/IconFont.h"
#include "settings/NameRecords.h"

#include "radio/ImageLayout.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using namespace rset;
using testing_support::Hex;

std::vector<Byte> Block() {
    return std::vector<Byte>(vx7::settingsarea::kRecordSize, 0);
}

std::set<int> SetPixels(const Pixels& pixels) {
    std::set<int> set;
    for (size_t p = 0; p < pixels.size(); ++p)
        if (pixels[p])
            set.insert(static_cast<int>(p));
    return set;
}

TEST(BitmapLayoutTest, StoredBytesToPixelsAndBack) {
    struct Case {
        const char* what;
        const BitmapShape* shape;
        std::vector<std::pair<int, Byte>> stored; // byte of the bitmap, value; the rest 0
        std::set<int> pixels;
        std::vector<std::pair<int, Byte>> saved; // what encoding the pixels writes
    };
    std::set<int> topFont;
    for (int p = 0; p < 10; ++p)
        topFont.insert(p);
    const Case cases[] = {
        {"font 03 FF: whole top row",
         &kFontShape,
         {{0, 0x03}, {1, 0xFF}},
         topFont,
         {{0, 0x03}, {1, 0xFF}}},
        {"font FF FF loads as 03 FF",
         &kFontShape,
         {{0, 0xFF}, {1, 0xFF}},
         topFont,
         {{0, 0x03}, {1, 0xFF}}},
        {"font column 0 is bit 1 of the first byte", &kFontShape, {{0, 0x02}}, {0}, {{0, 0x02}}},
        {"font column 1 is bit 0", &kFontShape, {{0, 0x01}}, {1}, {{0, 0x01}}},
        {"font column 2 is bit 7 of the second byte", &kFontShape, {{1, 0x80}}, {2}, {{1, 0x80}}},
        {"font column 9 is bit 0 of the second byte", &kFontShape, {{1, 0x01}}, {9}, {{1, 0x01}}},
        {"font bottom row",
         &kFontShape,
         {{20, 0x02}, {21, 0x01}},
         {100, 109},
         {{20, 0x02}, {21, 0x01}}},
        {"font unused bits read nothing", &kFontShape, {{2, 0xFC}}, {}, {}},
        {"icon 10 00 01: pixels 0 and 20",
         &kIconShape,
         {{0, 0x10}, {2, 0x01}},
         {0, 20},
         {{0, 0x10}, {2, 0x01}}},
        {"icon column 4 is bit 0 of the first byte", &kIconShape, {{0, 0x01}}, {4}, {{0, 0x01}}},
        {"icon columns 5 and 12", &kIconShape, {{1, 0x81}}, {5, 12}, {{1, 0x81}}},
        {"icon column 13 is bit 7 of the third byte", &kIconShape, {{2, 0x80}}, {13}, {{2, 0x80}}},
        {"icon second row", &kIconShape, {{3, 0x10}}, {21}, {{3, 0x10}}},
        {"icon bottom row",
         &kIconShape,
         {{120, 0x10}, {122, 0x01}},
         {840, 860},
         {{120, 0x10}, {122, 0x01}}},
        {"icon unused bits read nothing", &kIconShape, {{0, 0xE0}, {60, 0xE0}}, {}, {}},
        {"icon 124th byte reads nothing, saves 0", &kIconShape, {{123, 0xAA}}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const BitmapShape& shape = *c.shape;
        std::vector<Byte> stored(static_cast<size_t>(shape.size), 0);
        for (const auto& [at, value] : c.stored)
            stored[static_cast<size_t>(at)] = value;
        const Pixels pixels = DecodeBitmap(shape, stored.data());
        ASSERT_EQ(pixels.size(), static_cast<size_t>(shape.PixelCount()));
        EXPECT_EQ(SetPixels(pixels), c.pixels);

        std::vector<Byte> saved(static_cast<size_t>(shape.size), 0x5A);
        EncodeBitmap(shape, pixels, saved.data());
        std::vector<Byte> expected(static_cast<size_t>(shape.size), 0);
        for (const auto& [at, value] : c.saved)
            expected[static_cast<size_t>(at)] = value;
        EXPECT_EQ(saved, expected);
    }
}

TEST(BitmapLayoutTest, EveryPixelRoundTripsAlone) {
    for (const BitmapShape* shape : {&kFontShape, &kIconShape}) {
        for (int p = 0; p < shape->PixelCount(); ++p) {
            Pixels pixels(static_cast<size_t>(shape->PixelCount()));
            pixels[static_cast<size_t>(p)] = true;
            std::vector<Byte> bytes(static_cast<size_t>(shape->size));
            EncodeBitmap(*shape, pixels, bytes.data());
            ASSERT_EQ(DecodeBitmap(*shape, bytes.data()), pixels) << "pixel " << p;
            int bits = 0;
            for (Byte b : bytes)
                bits += __builtin_popcount(b);
            ASSERT_EQ(bits, 1) << "pixel " << p;
        }
    }
}

TEST(BitmapLayoutTest, AFramedIconDrawsAsRows) {
    // Top and bottom rows full, the rows between with both edges set.
    std::vector<Byte> icon(static_cast<size_t>(kIconShape.size), 0);
    for (int row = 0; row < kIconShape.height; ++row) {
        const bool edge = row == 0 || row == kIconShape.height - 1;
        const std::vector<std::uint8_t> bytes = edge ? Hex("1F FF FF") : Hex("10 00 01");
        std::copy(bytes.begin(), bytes.end(), icon.begin() + 3 * row);
    }
    const QStringList rows = DrawBitmap(kIconShape, DecodeBitmap(kIconShape, icon.data()));
    ASSERT_EQ(rows.size(), 41);
    EXPECT_EQ(rows.front(), QStringLiteral("#####################"));
    EXPECT_EQ(rows[1], QStringLiteral("#...................#"));
    EXPECT_EQ(rows.back(), rows.front());
}

TEST(BitmapLayoutTest, SelectionBytes) {
    struct Case {
        const BitmapShape* shape;
        Byte stored;
        int selected;
    };
    const Case cases[] = {
        {&kFontShape, 0, 0}, {&kFontShape, 4, 4},  {&kFontShape, 5, -1}, {&kFontShape, 255, -1},
        {&kIconShape, 2, 2}, {&kIconShape, 3, -1}, {&kIconShape, 5, -1}, {&kIconShape, 255, -1},
    };
    for (const Case& c : cases) {
        std::vector<Byte> block = Block();
        block[static_cast<size_t>(c.shape->selectionByte)] = c.stored;
        EXPECT_EQ(SelectedBitmap(*c.shape, block.data()), c.selected)
            << "byte " << c.shape->selectionByte << " = " << int(c.stored);
    }
    EXPECT_EQ(kFontShape.selectionByte, 156);
    EXPECT_EQ(kIconShape.selectionByte, 157);
    EXPECT_EQ(kFontShape.Offset(4) + kFontShape.size, 304);
    EXPECT_EQ(kIconShape.Offset(2) + kIconShape.size, 820);
}

TEST(DisplayScalesTest, ContrastBothWays) {
    using namespace display;
    const std::pair<int, int> loads[] = {{9, 1}, {36, 10}, {10, 1}, {11, 1}, {12, 2}, {21, 5}};
    for (const auto& [stored, position] : loads)
        EXPECT_EQ(ContrastPosition(static_cast<Byte>(stored)), position) << "byte " << stored;
    const std::pair<int, int> saves[] = {{1, 9}, {5, 21}, {10, 36}};
    for (const auto& [position, stored] : saves)
        EXPECT_EQ(ContrastByte(position), stored) << "position " << position;
    for (int p = kContrastMin; p <= kContrastMax; ++p)
        EXPECT_EQ(ContrastPosition(ContrastByte(p)), p);
}

TEST(DisplayScalesTest, LedLevelsAndIntensities) {
    using namespace display;
    struct Case {
        const char* levels;
        LedColour shown;
        const char* savedBack;
    };
    const Case cases[] = {
        {"33 00 00", {255, 0, 0}, "33 00 00"},
        {"3C 00 00", {255, 0, 0}, "33 00 00"}, // 60 is off the scale
        {"19 0A 01", {125, 50, 5}, "19 0A 01"},
        {"FF 32 00", {255, 250, 0}, "33 32 00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.levels);
        std::vector<Byte> block = Block();
        const auto levels = Hex(c.levels);
        std::copy(levels.begin(), levels.end(), block.begin() + kLedFirst + 3 * 2);
        EXPECT_EQ(ReadLed(block.data(), 2), c.shown);
        WriteLed(block.data(), 2, ReadLed(block.data(), 2));
        EXPECT_EQ(std::vector<Byte>(block.begin() + 126, block.begin() + 129), Hex(c.savedBack));
    }
    // A colour chosen as red 128 is stored as 25 and shown as 125.
    std::vector<Byte> block = Block();
    WriteLed(block.data(), 9, {128, 0, 255});
    EXPECT_EQ(std::vector<Byte>(block.begin() + 147, block.begin() + 150), Hex("19 00 33"));
    EXPECT_EQ(ReadLed(block.data(), 9), (LedColour{125, 0, 255}));
    for (int level = 0; level <= kLedLevelMax; ++level)
        EXPECT_EQ(IntensityLevel(LevelIntensity(static_cast<Byte>(level))), level);
}

TEST(DisplayFieldsTest, ChoicesReadAndWriteTheirBitsOnly) {
    const std::vector<ChoiceOption>& choices = display::Choices();
    ASSERT_EQ(choices.size(), 12u);
    struct Case {
        const char* label;
        int byte;
        Byte before;
        int read;
        int write;
        Byte after;
    };
    const Case cases[] = {
        {"Display Mode", 81, 0x07, 7, 6, 0x06},
        {"Language", 4, 0x40, 1, 0, 0x00},
        {"Language", 4, 0xBF, 0, 1, 0xFF},
        {"Language", 4, 0x00, 0, 3, 0x40}, // bit 0 of the index
        {"Lamp Mode", 13, 0x02, 2, 1, 0x01},
        {"Main Meter Symbol", 82, 0x05, 5, 0, 0x00},
        {"Sub Meter Symbol", 83, 0x00, 0, 5, 0x05},
        {"Main Busy Strobe", 150, 0x00, 0, 9, 0x09},
        {"Sub Busy Strobe", 151, 0x01, 1, 2, 0x02},
        {"Dual Busy Strobe", 152, 0x0C, 12, 3, 0x03},
        {"Main Tx Strobe", 153, 0x09, 9, 4, 0x04},
        {"Sub Tx Strobe", 154, 0x03, 3, 5, 0x05},
        {"Charge Complete", 155, 0x04, 4, 6, 0x06},
        {"Emgerency", 10, 0x07, 7, 2, 0x02},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const auto it = std::find_if(choices.begin(), choices.end(), [&](const ChoiceOption& o) {
            return QLatin1String(o.label) == QLatin1String(c.label);
        });
        ASSERT_NE(it, choices.end());
        EXPECT_EQ(it->byte, c.byte);
        std::vector<Byte> block = Block();
        block[static_cast<size_t>(c.byte)] = c.before;
        EXPECT_EQ(it->Read(block.data()), c.read);
        it->Write(block.data(), c.write);
        EXPECT_EQ(block[static_cast<size_t>(c.byte)], c.after);
    }
    const ChoiceOption& mode = choices.front();
    EXPECT_EQ(mode.Count(), 7);
    EXPECT_STREQ(mode.entries[5], "Temp+Atl1");
    EXPECT_STREQ(choices.back().entries[7], "Beam");

    std::vector<Byte> block = Block();
    block[117] = 0xF0;
    display::Flags()[0].Write(block.data(), true); // Display2x, bit 1
    display::Flags()[1].Write(block.data(), true); // Icon Set, bit 0
    EXPECT_EQ(block[117], 0xF3);
    display::Flags()[0].Write(block.data(), false);
    EXPECT_EQ(block[117], 0xF1);
}

TEST(NameRecordsTest, NamesThroughTheCharacterTable) {
    struct Case {
        QString text;
        const char* codes;
        QString readBack;
    };
    const Case cases[] = {
        {QStringLiteral("NOAA 1"), "18 19 0B 0B 0A 01 0A 0A", QStringLiteral("NOAA 1")},
        {QStringLiteral("noaa"), "32 33 25 25 0A 0A 0A 0A", QStringLiteral("noaa")},
        {QStringLiteral("ABCDEFGHI"), "0B 0C 0D 0E 0F 10 11 12", QStringLiteral("ABCDEFGH")},
        {QString(), "0A 0A 0A 0A 0A 0A 0A 0A", QString()},
        {QStringLiteral("Wx\u00e9"), "21 3C 0A 0A 0A 0A 0A 0A", QStringLiteral("Wx")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        std::vector<Byte> record(names::kRecordSize, 0x77);
        names::Encode(record.data(), c.text);
        std::vector<Byte> expected = Hex(c.codes);
        expected.push_back(0x77); // byte 8 untouched
        EXPECT_EQ(record, expected);
        EXPECT_EQ(names::Decode(record.data()), c.readBack);
    }
    EXPECT_EQ(names::TvRecord(61) + names::kRecordSize, 1390);
    EXPECT_EQ(names::WxRecord(9) + names::kRecordSize, 1480);
}

} // namespace
