// The options of the Display, Icon/Font and names pages in the settings
// block, against hand-computed bytes: the bit layouts of icons and font
// characters, the contrast and colour scales, where the options live and the
// name records. What each option shows for a block is checked against the
// settings files in tests/data (SettingsCliTest.cpp).
#include "settings/DisplayOptions.h"
#include "settings/IconFont.h"
#include "settings/NameRecords.h"
#include "settings/SettingsOptions.h"

#include "radio/ImageLayout.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <map>
#include <set>
#include <utility>

namespace {

using namespace settings::rset;
using testing_support::Hex;

std::vector<Byte> Block() {
    return std::vector<Byte>(radio::settingsarea::kRecordSize, 0);
}

std::set<int> SetPixels(const Pixels& pixels) {
    std::set<int> set;
    for (size_t p = 0; p < pixels.size(); ++p)
        if (pixels[p])
            set.insert(static_cast<int>(p));
    return set;
}

TEST(BitmapLayoutTest, StoredBytesToPixelsAndBack) {
    const BitmapShape* F = &kFontShape;
    const BitmapShape* I = &kIconShape;
    const std::set<int> topFont = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    struct Case {
        const char* what;
        const BitmapShape* shape;
        int at;             // where the stored bytes begin; the rest 0
        const char* stored; // hex
        std::set<int> pixels;
        const char* saved; // what encoding the pixels writes at the same place
    };
    const Case cases[] = {
        {"font 03 FF: whole top row", F, 0, "03 FF", topFont, "03 FF"},
        {"font FF FF loads as 03 FF", F, 0, "FF FF", topFont, "03 FF"},
        {"font column 0 is bit 1 of the first byte", F, 0, "02", {0}, "02"},
        {"font column 2 is bit 7 of the second byte", F, 1, "80", {2}, "80"},
        {"font column 9 is bit 0 of the second byte", F, 1, "01", {9}, "01"},
        {"font bottom row", F, 20, "02 01", {100, 109}, "02 01"},
        {"font unused bits read nothing", F, 2, "FC", {}, "00"},
        {"icon 10 00 01: pixels 0 and 20", I, 0, "10 00 01", {0, 20}, "10 00 01"},
        {"icon column 4 is bit 0 of the first byte", I, 0, "01", {4}, "01"},
        {"icon columns 5 and 12", I, 1, "81", {5, 12}, "81"},
        {"icon column 13 is bit 7 of the third byte", I, 2, "80", {13}, "80"},
        {"icon second row", I, 3, "10", {21}, "10"},
        {"icon bottom row", I, 120, "10 00 01", {840, 860}, "10 00 01"},
        {"icon unused bits read nothing", I, 60, "E0", {}, "00"},
        {"icon 124th byte reads nothing, saves 0", I, 123, "AA", {}, "00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const BitmapShape& shape = *c.shape;
        const auto place = [&](const char* hex) {
            std::vector<Byte> bytes(static_cast<size_t>(shape.size), 0);
            const std::vector<std::uint8_t> given = Hex(hex);
            std::copy(given.begin(), given.end(), bytes.begin() + c.at);
            return bytes;
        };
        const Pixels pixels = DecodeBitmap(shape, place(c.stored).data());
        ASSERT_EQ(pixels.size(), static_cast<size_t>(shape.PixelCount()));
        EXPECT_EQ(SetPixels(pixels), c.pixels);
        std::vector<Byte> saved(static_cast<size_t>(shape.size), 0x5A);
        EncodeBitmap(shape, pixels, saved.data());
        EXPECT_EQ(saved, place(c.saved));
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
        std::copy(levels.begin(), levels.end(), block.begin() + LedByte(2));
        EXPECT_EQ(ReadLevels(block.data() + LedByte(2)), c.shown);
        WriteLevels(block.data() + LedByte(2), ReadLevels(block.data() + LedByte(2)));
        EXPECT_EQ(std::vector<Byte>(block.begin() + 126, block.begin() + 129), Hex(c.savedBack));
    }
    // A colour chosen as red 128 is stored as 25 and shown as 125.
    std::vector<Byte> block = Block();
    WriteLevels(block.data() + LedByte(9), {128, 0, 255});
    EXPECT_EQ(std::vector<Byte>(block.begin() + 147, block.begin() + 150), Hex("19 00 33"));
    EXPECT_EQ(ReadLevels(block.data() + LedByte(9)), (LedColour{125, 0, 255}));
    for (int level = 0; level <= kLedLevelMax; ++level)
        EXPECT_EQ(IntensityLevel(LevelIntensity(static_cast<Byte>(level))), level);
}

// The Display, Icon/Font and names rows of the option table: where each
// option lives, as the pages and clonara-cli settings show read it.
TEST(PageOptionsTest, WhereEachOptionLives) {
    using settings::option::Kind;
    using settings::option::Widget;
    struct Row {
        const char* page;
        const char* name; // as DisplayName gives it
        const char* key;
        Kind kind;
        Widget widget;
        int byte;
        int bit;
        int choices;
    };
    const char* D = settings::option::kPageDisplay;
    const char* I = settings::option::kPageIconFont;
    const char* N = settings::option::kPageNames;
    const Row rows[] = {
        {D, "Display Mode", "display.displayMode", Kind::Choice, Widget::List, 81, 0, 7},
        {D, "Language", "display.language", Kind::BitChoice, Widget::List, 4, 6, 2},
        {D, "Contrast", "display.contrast", Kind::Contrast, Widget::Slider, 11, 0, 0},
        {D, "Dimmer", "display.dimmer", Kind::Dimmer, Widget::Slider, 12, 0, 0},
        {D, "Display2x", "display.display2x", Kind::Check, Widget::CheckBox, 117, 1, 0},
        {D, "Icon Set", "display.iconSet", Kind::Check, Widget::CheckBox, 117, 0, 0},
        {D, "LED 1", "display.led1", Kind::LedColour, Widget::ColourButton, 120, 0, 0},
        {D, "Charge Complete", "display.chargeComplete", Kind::Choice, Widget::List, 155, 0, 10},
        {D, "Icon Select: MW", "display.iconSelect.mw", Kind::Choice, Widget::Grid, 62, 0, 30},
        {I, "Icon", "iconFont.icon", Kind::Choice, Widget::RadioButtons, 157, 0, 3},
        {I, "Icon: 1", "iconFont.icon.preview1", Kind::Icon, Widget::Preview, 448, 0, 0},
        {I, "Font", "iconFont.font", Kind::Choice, Widget::RadioButtons, 156, 0, 5},
        {I, "Font: 1", "iconFont.font.preview1", Kind::FontChar, Widget::Preview, 194, 0, 0},
        {N, "WxAlert", "names.wxAlert", Kind::Check, Widget::CheckBox, 7, 5, 0},
        {N, "WX Names: 1", "names.wxNames.1", Kind::Name, Widget::Grid, 1390, 0, 0},
        {N, "TV Names: 62", "names.tvNames.62", Kind::Name, Widget::Grid, 1381, 0, 0},
    };
    // Every option has a key of its own, in lower camel case words.
    std::map<QString, const settings::option::Option*> byName;
    std::set<QString> keys;
    const QRegularExpression keyForm(QStringLiteral("^[a-z][A-Za-z]*(\\.[a-z0-9][A-Za-z0-9]*)+$"));
    for (const settings::option::Option& o : settings::option::Options()) {
        EXPECT_TRUE(keys.insert(o.key).second) << o.key.toStdString();
        EXPECT_TRUE(keyForm.match(o.key).hasMatch()) << o.key.toStdString();
    }
    for (const settings::option::Option& o : settings::option::Options())
        byName[QString::fromUtf8(o.page) + QLatin1Char('|') + settings::option::DisplayName(o)] =
            &o;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto it = byName.find(QString::fromUtf8(row.page) + QLatin1Char('|') +
                                    QString::fromUtf8(row.name));
        ASSERT_NE(it, byName.end());
        const settings::option::Option& o = *it->second;
        EXPECT_EQ(o.key, QString::fromLatin1(row.key));
        EXPECT_EQ(&settings::option::Find(o.key), &o);
        EXPECT_EQ(o.kind, row.kind);
        EXPECT_EQ(o.widget, row.widget);
        EXPECT_EQ(o.byte, row.byte);
        EXPECT_EQ(o.bit, row.bit);
        EXPECT_EQ(static_cast<int>(o.choices.size()), row.choices);
    }
    const settings::option::Option& mode =
        settings::option::Find(QStringLiteral("display.displayMode"));
    EXPECT_STREQ(mode.choices[5], "Temp+Atl1");
    EXPECT_STREQ(settings::option::Find(QStringLiteral("display.chargeComplete")).choices[9], "10");
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
