// The options of the settings block against hand-computed bytes, from the
// list in tests/data: where the options of the Display, Icon/Font and names
// pages live, the bit layouts of icons and font characters, the contrast and
// colour scales, the name records and the typed fields. What each option
// shows for a block is checked against the settings files in tests/data
// (SettingsCliTest.cpp).
#include "settings/DisplayOptions.h"
#include "settings/IconFont.h"
#include "settings/NameRecords.h"
#include "settings/SettingsOptions.h"

#include "radio/ImageLayout.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <set>

namespace {

using namespace settings::rset;
using testing_support::Hex;

std::vector<Byte> Block() {
    return std::vector<Byte>(radio::settingsarea::kRecordSize, 0);
}

std::vector<Byte> HexOf(const QString& text) {
    return Hex(text.toLatin1().constData());
}

// An option by the page and the name the pages show.
const settings::option::Option* Named(const QString& page, const QString& name) {
    for (const settings::option::Option& o : settings::option::Options())
        if (QString::fromUtf8(o.page) == page && settings::option::DisplayName(o) == name)
            return &o;
    return nullptr;
}

TEST(SettingsValues, EveryLineOfTheList) {
    using namespace settings::option;
    const QStringList kinds = {"Check",     "BitChoice",   "Choice",     "Level",
                               "DtmfCode",  "DtmfChannel", "DtmfMemory", "CwId",
                               "Time",      "Offset",      "Contrast",   "Dimmer",
                               "LedColour", "Icon",        "FontChar",   "Name"};
    const QStringList widgets = {"CheckBox", "RadioButtons", "List", "SortedEditableList",
                                 "Slider",   "Edit",         "Grid", "ColourButton",
                                 "Preview"};
    int cases = 0;
    for (const auto& [line, f] : testing_support::DataLines("settings-values.txt")) {
        SCOPED_TRACE(line.toStdString());
        const auto n = [&f](int i) { return f.value(i).toInt(); };
        const BitmapShape& shape = f.value(1) == QLatin1String("font") ? kFontShape : kIconShape;
        const QString& kind = f[0];
        ++cases;
        if (kind == QLatin1String("option")) {
            ASSERT_EQ(f.size(), 9);
            const Option* o = Named(f[1], f[2]);
            ASSERT_TRUE(o);
            EXPECT_EQ(o->key, f[3]);
            EXPECT_EQ(&Find(o->key), o);
            EXPECT_EQ(kinds.value(static_cast<int>(o->kind)), f[4]);
            EXPECT_EQ(widgets.value(static_cast<int>(o->widget)), f[5]);
            EXPECT_EQ(o->byte, n(6));
            EXPECT_EQ(o->bit, n(7));
            EXPECT_EQ(static_cast<int>(o->choices.size()), n(8));
        } else if (kind == QLatin1String("bitmap")) {
            const auto place = [&](const QString& hex) {
                std::vector<Byte> bytes(static_cast<size_t>(shape.size), 0);
                const std::vector<Byte> given = HexOf(hex);
                std::copy(given.begin(), given.end(), bytes.begin() + n(2));
                return bytes;
            };
            const Pixels pixels = DecodeBitmap(shape, place(f.value(3)).data());
            ASSERT_EQ(pixels.size(), static_cast<size_t>(shape.PixelCount()));
            QStringList set;
            for (size_t p = 0; p < pixels.size(); ++p)
                if (pixels[p])
                    set << QString::number(p);
            EXPECT_EQ(set.isEmpty() ? QStringLiteral("-") : set.join(QLatin1Char(' ')), f.value(4));
            std::vector<Byte> saved(static_cast<size_t>(shape.size), 0x5A);
            EncodeBitmap(shape, pixels, saved.data());
            EXPECT_EQ(saved, place(f.value(5)));
        } else if (kind == QLatin1String("selection")) {
            std::vector<Byte> block = Block();
            block[static_cast<size_t>(shape.selectionByte)] = static_cast<Byte>(n(2));
            EXPECT_EQ(SelectedBitmap(shape, block.data()), n(3));
        } else if (kind == QLatin1String("contrast")) {
            EXPECT_EQ(display::ContrastPosition(static_cast<Byte>(n(1))), n(2));
        } else if (kind == QLatin1String("contrastbyte")) {
            EXPECT_EQ(display::ContrastByte(n(1)), n(2));
        } else if (kind == QLatin1String("led")) {
            std::vector<Byte> block = Block();
            const std::vector<Byte> levels = HexOf(f.value(1));
            Byte* led = block.data() + display::LedByte(2);
            std::copy(levels.begin(), levels.end(), led);
            EXPECT_EQ(display::ReadLevels(led), (display::LedColour{n(2), n(3), n(4)}));
            display::WriteLevels(led, display::ReadLevels(led));
            EXPECT_EQ(std::vector<Byte>(block.begin() + 126, block.begin() + 129),
                      HexOf(f.value(5)));
        } else if (kind == QLatin1String("name")) {
            std::vector<Byte> record(names::kRecordSize, 0x77);
            names::Encode(record.data(), f.value(1));
            std::vector<Byte> expected = HexOf(f.value(2));
            expected.push_back(0x77); // byte 8 untouched
            EXPECT_EQ(record, expected);
            EXPECT_EQ(names::Decode(record.data()), f.value(3));
        } else if (kind == QLatin1String("dtmf")) {
            EXPECT_EQ(DtmfByte(f.value(1)), HexOf(f.value(2)).at(0));
            EXPECT_EQ(DtmfCharacter(HexOf(f.value(2)).at(0)), f.value(1).at(0));
        } else if (kind == QLatin1String("time")) {
            const auto time = ParseTime(f.value(1));
            ASSERT_EQ(time.has_value(), f.value(2) != QLatin1String("bad"));
            if (time) {
                std::vector<Byte> block = Block();
                SetTime(block.data(), 14, *time);
                EXPECT_EQ(std::vector<Byte>(block.begin() + 14, block.begin() + 16),
                          HexOf(f.value(2)));
                EXPECT_EQ(TimeText(block.data(), 14), f.value(1));
            }
        } else if (kind == QLatin1String("offset")) {
            EXPECT_EQ(OffsetTextValue(f.value(1)), n(2));
        } else {
            ADD_FAILURE() << "unknown kind";
        }
    }
    EXPECT_GE(cases, 60);
}

// What no line of the list says: every pixel alone, the scales both ways,
// where the tables end, and every option's key.
TEST(SettingsValues, WholeScalesAndTables) {
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
    EXPECT_EQ(kFontShape.selectionByte, 156);
    EXPECT_EQ(kIconShape.selectionByte, 157);
    EXPECT_EQ(kFontShape.Offset(4) + kFontShape.size, 304);
    EXPECT_EQ(kIconShape.Offset(2) + kIconShape.size, 820);
    EXPECT_EQ(names::TvRecord(61) + names::kRecordSize, 1390);
    EXPECT_EQ(names::WxRecord(9) + names::kRecordSize, 1480);

    using namespace display;
    for (int p = kContrastMin; p <= kContrastMax; ++p)
        EXPECT_EQ(ContrastPosition(ContrastByte(p)), p);
    // A colour chosen as red 128 is stored as 25 and shown as 125.
    std::vector<Byte> block = Block();
    WriteLevels(block.data() + LedByte(9), {128, 0, 255});
    EXPECT_EQ(std::vector<Byte>(block.begin() + 147, block.begin() + 150), Hex("19 00 33"));
    EXPECT_EQ(ReadLevels(block.data() + LedByte(9)), (LedColour{125, 0, 255}));
    for (int level = 0; level <= kLedLevelMax; ++level)
        EXPECT_EQ(IntensityLevel(LevelIntensity(static_cast<Byte>(level))), level);

    // Every option has a key of its own, in lower camel case words.
    std::set<QString> keys;
    const QRegularExpression keyForm(QStringLiteral("^[a-z][A-Za-z]*(\\.[a-z0-9][A-Za-z0-9]*)+$"));
    for (const settings::option::Option& o : settings::option::Options()) {
        EXPECT_TRUE(keys.insert(o.key).second) << o.key.toStdString();
        EXPECT_TRUE(keyForm.match(o.key).hasMatch()) << o.key.toStdString();
    }
    EXPECT_STREQ(settings::option::Find(QStringLiteral("display.displayMode")).choices[5],
                 "Temp+Alt1");
    EXPECT_STREQ(settings::option::Find(QStringLiteral("display.chargeComplete")).choices[9], "10");
}

} // namespace
