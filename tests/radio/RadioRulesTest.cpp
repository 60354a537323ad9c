// The radio's rules and codings, from the list in tests/data: coverage,
// offsets, band plan, frequency texts as typed and as read, the fields of a record, the value
// tables, where records and flags lie and how groups pack; then what no line
// of the list can say.
#include "radio/ChannelDraft.h"
#include "radio/ChannelRecord.h"
#include "radio/ChannelTables.h"
#include "radio/EntryRules.h"
#include "radio/FrequencyCodec.h"
#include "radio/RadioModel.h"
#include "radio/ValueTables.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <vector>

using namespace radio;

namespace {

QByteArray Bytes(const Byte* p, int n) {
    return QByteArray(reinterpret_cast<const char*>(p), n);
}
QByteArray FromHex(const QString& hex) {
    return QByteArray::fromHex(hex.toLatin1().replace(' ', ""));
}

TEST(RadioValues, EveryLineOfTheList) {
    const QStringList directions = {"simplex", "minus", "plus", "split"};
    RadioModel radio;
    int cases = 0;
    for (const auto& [line, f] : testing_support::DataLines("radio-values.txt")) {
        SCOPED_TRACE(line.toStdString());
        const auto n = [&f](int i) { return f.value(i).toLongLong(); };
        const auto yes = [&f](int i) { return f.value(i) == QLatin1String("yes"); };
        const QString& kind = f[0];
        ++cases;
        if (kind == QLatin1String("valid")) {
            ASSERT_EQ(f.size(), 6);
            radio.Image()[image::kVariantFlag] = static_cast<Byte>(n(2));
            EXPECT_EQ(radio.IsValidFrequency(TabByKey(f[1]), n(4), int(n(3))), yes(5));
        } else if (kind == QLatin1String("offset")) {
            EXPECT_EQ(radio.IsValidOffset(n(1)), yes(2));
        } else if (kind == QLatin1String("listindex")) {
            EXPECT_EQ(radio.OffsetListIndex(n(1)), n(2));
        } else if (kind == QLatin1String("default")) {
            EXPECT_EQ(radio.DefaultOffset(n(1)), n(2));
        } else if (kind == QLatin1String("shift")) {
            EXPECT_EQ(radio.AutoShiftDirection(n(1)), directions.indexOf(f.value(2)));
        } else if (kind == QLatin1String("pair")) {
            int d = -1;
            EXPECT_EQ(radio.OffsetFromPair(n(1), d, n(2)), n(3));
            EXPECT_EQ(d, directions.indexOf(f.value(4)));
        } else if (kind == QLatin1String("text")) {
            EXPECT_EQ(radio.TextToFrequency(f.value(1)), n(2));
        } else if (kind == QLatin1String("listtext")) {
            EXPECT_EQ(RadioModel::ListTextToFrequency(f.value(1)), n(2));
        } else if (kind == QLatin1String("freq3")) {
            Byte field[3] = {};
            ASSERT_TRUE(EncodeFrequency3(field, n(1)));
            EXPECT_EQ(Bytes(field, 3), FromHex(f.value(2)));
            EXPECT_EQ(DecodeFrequency3(field), n(3));
            // Write, read and write again gives the same bytes.
            Byte again[3] = {};
            ASSERT_TRUE(EncodeFrequency3(again, DecodeFrequency3(field)));
            EXPECT_EQ(Bytes(again, 3), Bytes(field, 3));
            // The radio model codes a memory's field so.
            radio.EncodeFrequency(tab::kMemories, again, n(1));
            EXPECT_EQ(Bytes(again, 3), Bytes(field, 3));
        } else if (kind == QLatin1String("freq4")) {
            Byte field[4] = {};
            ASSERT_TRUE(EncodeFrequency4(field, n(1)));
            EXPECT_EQ(Bytes(field, 4), FromHex(f.value(2)));
            EXPECT_EQ(DecodeFrequency4(field), n(1));
            Byte hyper[4] = {};
            radio.EncodeFrequency(tab::kHyper, hyper, n(1));
            EXPECT_EQ(Bytes(hyper, 4), Bytes(field, 4));
        } else if (kind == QLatin1String("bcd")) {
            Byte field[4] = {0xAA, 0xAA, 0xAA, 0xAA};
            const bool refused = f.value(3) == QLatin1String("refused");
            EXPECT_EQ(PackBcd(field, n(1), int(n(2))), !refused);
            EXPECT_EQ(Bytes(field, int(n(2))),
                      refused ? QByteArray(int(n(2)), '\xAA') : FromHex(f.value(3)));
        } else if (kind == QLatin1String("name")) {
            Byte field[8] = {1, 2, 3, 4, 5, 6, 7, 8};
            EXPECT_EQ(radio.EncodeName(field, f.value(1)), !f.value(1).isEmpty());
            EXPECT_EQ(Bytes(field, 8), FromHex(f.value(2)));
            EXPECT_EQ(radio.DecodeName(field), f.value(3));
        } else if (kind == QLatin1String("raster")) {
            Byte b = 0xFF;
            RadioModel::SetRasterBits(b, n(1), n(2), int(n(3)));
            EXPECT_EQ(b & 0xF0, 0xF0) << "only bits 0 to 3 change";
            EXPECT_EQ(b & 0x03, n(4));
            EXPECT_EQ((b >> 2) & 0x03, n(5));
        } else if (kind == QLatin1String("offstep")) {
            EXPECT_EQ(RadioModel::IsOffStep(n(1), int(n(2))), yes(3));
        } else if (kind == QLatin1String("char")) {
            EXPECT_EQ(CharacterCode(static_cast<std::uint8_t>(n(1))), n(2));
            if (n(2) >= 0) {
                EXPECT_EQ(kCharset[static_cast<size_t>(n(2))], n(1));
            }
        } else if (kind == QLatin1String("dcs")) {
            EXPECT_EQ(kDcsCodes[static_cast<size_t>(n(1))], n(2));
            EXPECT_EQ(DcsIndex(int(n(2))), n(1));
        } else if (kind == QLatin1String("ctcss")) {
            EXPECT_EQ(kCtcssTenths[static_cast<size_t>(n(1))], n(2));
            EXPECT_EQ(CtcssIndex(int(n(2))), n(1));
        } else if (kind == QLatin1String("band")) {
            EXPECT_EQ(QString::fromLatin1(BandLabel(int(n(1)))), f.value(2));
        } else if (kind == QLatin1String("reading")) {
            const QStringList readings = {"empty", "zero", "value", "bad"};
            EXPECT_EQ(readings.value(ParseFrequency(f.value(1)).kind), f.value(2));
            EXPECT_EQ(ParseFrequency(f.value(1)).hz, n(3));
        } else if (kind == QLatin1String("splittone")) {
            for (int mode : {3, 4, 5, 6, 7, 0xFF}) {
                for (bool used : {false, true}) {
                    RadioModel r;
                    Byte* p = r.Image();
                    p[1685] = 0x00;
                    p[n(2)] = static_cast<Byte>(mode);
                    if (n(3) >= 0 && used)
                        p[n(3) + n(4) / 2] |= static_cast<Byte>(n(4) % 2 ? 0x10 : 0x01);
                    if (n(5) >= 0)
                        p[n(5)] = used ? 3 : 0xFF;
                    r.MarkSplitTone();
                    const bool split = mode >= 4 && mode <= 6 && (used || (n(3) < 0 && n(5) < 0));
                    EXPECT_EQ(p[1685], split ? 0x02 : 0x00) << "mode " << mode << " used " << used;
                }
            }
        } else if (kind == QLatin1String("record")) {
            const Byte* rec = radio.RecordForRow(TabByKey(f.value(1)), int(n(2)));
            EXPECT_EQ(rec ? rec - radio.Image() : -1, n(3));
        } else if (kind == QLatin1String("flags")) {
            std::vector<Byte> img(image::kSize, 0);
            const int t = TabByKey(f.value(1));
            const int row = int(n(2));
            const auto nibble = [&] { return img[size_t(n(3))] >> n(4) & 0xF; };
            radio.SetUsed(img.data(), t, row, true);
            radio.SetSkip(img.data(), t, row, true);
            EXPECT_EQ(std::count_if(img.begin(), img.end(), [](Byte b) { return b != 0; }), 1);
            EXPECT_EQ(nibble(), 0x5);
            EXPECT_TRUE(radio.IsUsed(img.data(), t, row) && radio.IsSkip(img.data(), t, row));
            EXPECT_TRUE(radio.IsMasked(img.data(), t, row)); // visible bit clear
            radio.SetMasked(img.data(), t, row, false);
            radio.SetPreferential(img.data(), t, row, true);
            EXPECT_EQ(nibble(), 0xF);
            EXPECT_TRUE(radio.IsPreferential(img.data(), t, row));
            radio.SetUsed(img.data(), t, row, false);
            EXPECT_EQ(nibble(), 0xE);
        } else if (kind == QLatin1String("pack")) {
            const auto numbers = [](const QString& text) {
                std::vector<int> v;
                for (const QString& number : text.split(QLatin1Char(' ')))
                    v.push_back(number.toInt());
                return v;
            };
            EXPECT_EQ(entry::PackGroup(numbers(f.value(1)), int(n(2))), numbers(f.value(3)));
        } else {
            ADD_FAILURE() << "unknown kind";
        }
    }
    EXPECT_GE(cases, 150);
}

TEST(RadioValues, WhatNoLineSays) {
    RadioModel radio;
    int d = -1;
    EXPECT_EQ(radio.TransmitFrequency(146940000, d, 600000, true), 146340000);
    EXPECT_EQ(d, direction::kMinus);
    d = direction::kPlus;
    EXPECT_EQ(radio.TransmitFrequency(146940000, d, 600000, false), 147540000);
    d = direction::kSplit;
    EXPECT_EQ(radio.TransmitFrequency(146940000, d, 600000, false), -1);

    // Fields that hold no number, and numbers no field holds.
    const Byte filler[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(DecodeFrequency3(filler), kNoFrequency);
    EXPECT_EQ(DecodeFrequency4(filler), kNoFrequency);
    EXPECT_EQ(UnpackBcd(filler, 3), -1);
    const Byte oneNibble[3] = {0x14, 0x5A, 0x00};
    EXPECT_EQ(UnpackBcd(oneNibble, 3), -1);
    Byte kept[3] = {0x12, 0x34, 0x56};
    EXPECT_FALSE(EncodeFrequency3(kept, -600000));
    EXPECT_FALSE(EncodeFrequency3(kept, 1000000000)); // seven digits of kHz
    EXPECT_EQ(Bytes(kept, 3), FromHex(QStringLiteral("12 34 56")));
    Byte rec[record::kSize] = {};
    rec[record::kOffset + 1] = 0x06;
    EXPECT_EQ(RadioModel::StoredOffset(rec), 600); // the plain BCD number, not scaled
    const Byte odd[8] = {0x7D, 0xFF, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A};
    EXPECT_EQ(radio.DecodeName(odd), QStringLiteral("??"));

    // A character's second code reads as it too; every printable ASCII
    // character has a code, all but the tilde below 96.
    EXPECT_EQ(kCharset[94], '&');
    EXPECT_EQ(kCharset[96], '0');
    EXPECT_EQ(kCharset[124], '1');
    for (int c = 0x20; c < 0x7F; ++c) {
        const int code = CharacterCode(static_cast<std::uint8_t>(c));
        EXPECT_GE(code, 0) << char(c);
        EXPECT_LT(code, c == '~' ? 99 : 96) << char(c);
        EXPECT_EQ(kCharset[static_cast<size_t>(std::max(code, 0))], c);
    }
    EXPECT_EQ(DcsIndex(24), -1);
    EXPECT_EQ(CtcssIndex(886), -1);
}

} // namespace
