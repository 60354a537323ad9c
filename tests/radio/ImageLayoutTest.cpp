// The clone image: the factory image byte for byte, checksums, memory groups,
// the priority channel, the settings copies and the pre-upload fix-ups.
#include "radio/ChannelRecord.h"
#include "radio/FrequencyCodec.h"
#include "radio/RadioModel.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QCryptographicHash>

#include <numeric>

using namespace radio;

namespace {

QByteArray FromHex(const char* hex) {
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}
QByteArray Region(const Byte* img, int offset, int size) {
    return QByteArray(reinterpret_cast<const char*>(img + offset), size);
}

// The factory image: its bytes as a whole by their digest (the listing itself
// is kept once, in the code), and its checksums.
TEST(DefaultImageTest, FactoryImage) {
    const Byte* img = DefaultImage().data();
    EXPECT_EQ(
        QCryptographicHash::hash(Region(img, 0, image::kSize), QCryptographicHash::Sha256).toHex(),
        "6ada1f3615db09e4ae64b40ab7f9bce36b25f376bdb184e8edc4237fc9648b7f");

    // With FF filler the sum rule gives F5, not the listing's 6A.
    EXPECT_EQ(img[16210], 0xF5);
    EXPECT_TRUE(RadioModel::ImageChecksumHolds(img));
    EXPECT_TRUE(RadioModel::BlockChecksumHolds(img + image::kStateBlock));
    EXPECT_TRUE(RadioModel::BlockChecksumHolds(img + image::kStateCopy));
}

TEST(ChecksumTest, MakeChecksumsWritesAllThree) {
    std::array<Byte, image::kSize> img = DefaultImage();
    img[1500] = static_cast<Byte>(img[1500] + 1);
    img[1600] = static_cast<Byte>(img[1600] + 2);
    img[9000] = static_cast<Byte>(img[9000] + 3);
    EXPECT_FALSE(RadioModel::ImageChecksumHolds(img.data()));
    RadioModel::MakeChecksums(img.data());
    const auto sum = [&](int from, int to) {
        return static_cast<Byte>(std::accumulate(img.begin() + from, img.begin() + to + 1, 0u));
    };
    EXPECT_EQ(img[1553], sum(1426, 1552));
    EXPECT_EQ(img[1681], sum(1554, 1680));
    EXPECT_EQ(img[16210], sum(0, 16209));
}

// Where the records lie is in the list of radio values.
TEST(LayoutTest, PriorityChannel) {
    RadioModel radio;
    Byte* img = radio.Image();
    EXPECT_EQ(radio.PriorityChannel(), 1);
    radio.SetPriorityChannel(450);
    EXPECT_EQ(img[1476], 0x01);
    EXPECT_EQ(img[1477], 0xC1);
    radio.SetPriorityChannel(451);
    radio.SetPriorityChannel(0);
    EXPECT_EQ(radio.PriorityChannel(), 450);
    radio.SetPriorityChannel(1);
    EXPECT_EQ(img[1476], 0x00);
    EXPECT_EQ(img[1477], 0x00);
}

TEST(MemoryGroupTest, CountsAndMembers) {
    std::array<Byte, image::kSize> img = DefaultImage();
    Byte* p = img.data();
    const struct {
        Byte high, low;
        int size;
    } counts[] = {{0xFF, 0xFF, 0},  {0x00, 0x00, 1},  {0x00, 0x2F, 48},
                  {0x00, 0x30, 48}, {0x12, 0x34, 48}, {0xFF, 0xFE, 48}};
    for (const auto& c : counts) {
        p[1858 + 2 * 4] = c.high;
        p[1858 + 2 * 4 + 1] = c.low;
        EXPECT_EQ(RadioModel::GroupSize(p, 4), c.size) << int(c.high) << " " << int(c.low);
    }
    RadioModel::SetGroupMember(p, 2, 0, 6);
    RadioModel::SetGroupMember(p, 2, 47, 449);
    RadioModel::SetGroupSize(p, 2, 2);
    EXPECT_EQ(p[3746 + 96 * 2], 0x00);
    EXPECT_EQ(p[3746 + 96 * 2 + 1], 0x06);
    EXPECT_EQ(p[3746 + 96 * 2 + 94], 0x01);
    EXPECT_EQ(p[3746 + 96 * 2 + 95], 0xC1);
    EXPECT_EQ(p[1858 + 4], 0x00);
    EXPECT_EQ(p[1858 + 5], 0x01);
    EXPECT_EQ(RadioModel::GroupMember(p, 2, 47), 449);
    EXPECT_EQ(RadioModel::GroupMember(p, 2, 48), RadioModel::kNoMember);
    EXPECT_EQ(RadioModel::GroupMember(p, 9, 0), RadioModel::kNoMember);
    RadioModel::SetGroupSize(p, 2, 0);
    EXPECT_EQ(p[1858 + 4], 0xFF);
    EXPECT_EQ(p[1858 + 5], 0xFF);
    // Writers outside the tables touch nothing.
    const auto before = img;
    RadioModel::SetGroupMember(p, 9, 0, 1);
    RadioModel::SetGroupMember(p, 0, 48, 1);
    RadioModel::SetGroupSize(p, -1, 1);
    EXPECT_EQ(img, before);
}

TEST(SettingsCopyTest, SettingsRecordMirrorsTheSettingsArea) {
    RadioModel radio;
    std::array<Byte, image::kSize> img = DefaultImage();
    std::array<Byte, 1480> settings{};
    for (size_t n = 0; n < settings.size(); ++n)
        settings[n] = static_cast<Byte>(n * 7 + 1);
    settings[117] = 0xB6; // bits 0-1 = 2, bits 2-3 = 1, bits 4-7 = 0xB
    img[1799] = 0xC0;
    const auto before = img;
    radio.SettingsToImage(img.data(), settings.data());
    for (int n = 0; n < 1480; ++n) {
        if (n >= 176 && n < 194) {
            EXPECT_EQ(img[1682 + n], before[1682 + n]) << "group counts are never copied";
        } else if (n != 117) {
            EXPECT_EQ(img[1682 + n], settings[n]) << n;
        }
    }
    EXPECT_EQ(img[1799], 0x2E) << "bits 0-1 as such, bits 2-5 from 4-7, bits 6-7 cleared";
    EXPECT_TRUE(std::equal(img.begin(), img.begin() + 1682, before.begin()));
    EXPECT_TRUE(std::equal(img.begin() + 3162, img.end(), before.begin() + 3162));

    std::array<Byte, 1480> back{};
    back[117] = 0x0C; // bits 2 and 3 stay as they were
    back[180] = 0x5A;
    radio.ImageToSettings(back.data(), img.data());
    EXPECT_EQ(back[117], 0xBE);
    EXPECT_EQ(back[180], 0x5A);
    EXPECT_EQ(back[0], img[1682]);
    EXPECT_EQ(back[1479], img[3161]);
}

// --- Pre-upload fix-ups ----------------------------------------------------

class FixUpTest : public ::testing::Test {
protected:
    RadioModel radio;
    Byte* img = radio.Image();
    Byte* state = img + image::kStateBlock;
    void SetChannel(int set, int channel) {
        state[block::kChannel + set * block::kSetB] = static_cast<Byte>(channel >> 8);
        state[block::kChannel + set * block::kSetB + 1] = static_cast<Byte>(channel & 0xFF);
    }
    int Channel(int set) const {
        return (state[block::kChannel + set * block::kSetB] << 8) |
               state[block::kChannel + set * block::kSetB + 1];
    }
    Byte* Record(int offset, int index) { return img + offset + image::kRecordSize * index; }
};

TEST_F(FixUpTest, PrepareCurrentStateCopiesTheSourceOfEachSet) {
    // A distinct record in every table the sets can name.
    const struct {
        int source;
        int table;
        int index;   // record index in that table
        int channel; // the set's channel number
        int vfo;     // the set's VFO number
    } sources[] = {
        {0, image::kMemories, 7, 7, 0}, {2, image::kMemories, 8, 8, 0},
        {3, image::kMemories, 9, 9, 0}, {1, image::kVfo, 5, 0, 5},
        {4, image::kLimits, 3, 3, 0},   {5, image::kHome, 10, 10, 0},
    };
    for (const auto& s : sources) {
        for (int set : {0, 1}) {
            radio = RadioModel(); // the factory image again
            Byte* rec = Record(s.table, s.index);
            ChannelRecord r(rec);
            rec[record::kFlags] = 0x7F; // bits 0-5 copied, 6 not
            r.SetPower(2);
            r.SetStep(5);
            r.SetDirection(direction::kPlus);
            r.SetToneMode(5);
            r.SetCtcss(33);
            r.SetDcs(44);
            r.SetMode(1);
            EncodeFrequency3(r.RxField(), 438512500);
            EncodeFrequency3(r.OffsetField(), 7600000);
            radio.EncodeName(r.NameField(), QStringLiteral("SOURCE"));
            rec[record::kExtra] = 0x5C;
            radio.SetUsed(img, tab::kMemories, s.index, true); // memory channels must be in use
            Byte* set_ = state + set * block::kSetB;
            set_[block::kSource] = static_cast<Byte>(s.source);
            set_[block::kVfoNumber] = static_cast<Byte>(s.vfo);
            set_[block::kFlags] = 0xC0;
            set_[block::kRxFrequency + 3] = 0x77; // byte 19 stays
            set_[block::kOffset + 3] = 0x66;      // byte 23 stays
            SetChannel(set, s.channel);

            radio.PrepareCurrentState(img);

            const ConstReceiverSet got(state, set);
            EXPECT_EQ(set_[block::kFlags], 0xC0 | 0x3F) << s.source;
            EXPECT_EQ(got.Power(), 2);
            EXPECT_EQ(got.Step(), 5);
            EXPECT_EQ(got.Direction(), direction::kPlus);
            EXPECT_EQ(got.ToneMode(), 5);
            EXPECT_EQ(got.Ctcss(), 33);
            EXPECT_EQ(got.Dcs(), 44);
            EXPECT_EQ(got.Mode(), 1);
            EXPECT_EQ(Region(set_, block::kRxFrequency, 4), FromHex("43 85 12 77"));
            EXPECT_EQ(Region(set_, block::kOffset, 4), FromHex("00 76 00 66"));
            EXPECT_EQ(radio.DecodeName(got.NameField()), QStringLiteral("SOURCE"));
            EXPECT_EQ(set_[block::kExtra], 0x5C);
            EXPECT_EQ(Channel(set), s.channel) << "a channel in use keeps its number";
            EXPECT_EQ(Region(img, image::kStateCopy, 128), Region(img, image::kStateBlock, 128));
        }
    }
}

TEST_F(FixUpTest, PrepareCurrentStateHousekeeping) {
    state[110] = 0x12;
    state[111] = 0x34; // neither byte FF: both cleared
    state[112] = 0xFF;
    state[113] = 0x34; // one byte FF: kept
    std::fill(state + 116, state + 120, 0xAB);
    state[36] = 0x44;
    state[90] = 0x55;
    state[3] = 0x01;
    state[57] = 0x01;
    state[2] = 0x09;
    radio.PrepareCurrentState(img);
    EXPECT_EQ(Region(state, 110, 4), FromHex("00 00 FF 34"));
    EXPECT_EQ(Region(state, 116, 4), FromHex("00 00 00 00"));
    EXPECT_EQ(state[36], 0);
    EXPECT_EQ(state[90], 0);
    EXPECT_EQ(state[2], 0x01);
    EXPECT_EQ(Region(state, 4, 2), FromHex("01 01"));
    EXPECT_EQ(Region(state, 58, 2), FromHex("01 01"));
    // Set A on VFO record 6 (index 5, "2m") of the factory image.
    EXPECT_EQ(Region(state, 16, 3), FromHex("14 40 00"));
}

TEST_F(FixUpTest, PrepareCurrentStateWithUnusedOrHostileNumbers) {
    // Set A on memory channel 12, which is not in use: its number becomes 0,
    // but the copy still takes channel 12's record.
    state[block::kSource] = 0;
    SetChannel(0, 11);
    Byte* rec = Record(image::kMemories, 11);
    EncodeFrequency3(rec + record::kRxFrequency, 146520000);
    radio.PrepareCurrentState(img);
    EXPECT_EQ(Channel(0), 0);
    EXPECT_EQ(Region(state, 16, 3), FromHex("14 65 20"));

    // Numbers outside their tables leave the set as it was.
    for (const auto& [source, channel, vfo] :
         {std::tuple{0, 0xFFFF, 0}, {4, 40, 0}, {5, 11, 0}, {1, 0, 11}, {7, 0, 0}}) {
        radio = RadioModel(); // the factory image again
        state[block::kSource + block::kSetB] = static_cast<Byte>(source);
        state[block::kVfoNumber + block::kSetB] = static_cast<Byte>(vfo);
        SetChannel(1, channel);
        const QByteArray setB = Region(state, 62, 36);
        radio.PrepareCurrentState(img);
        EXPECT_EQ(Region(state, 62, 36), setB) << source << " " << channel << " " << vfo;
        EXPECT_EQ(Channel(1), channel);
    }

    // A set on its VFO keeps a memory channel number too: one no longer in
    // use is dropped just the same, in either set; one in use stays.
    for (int set : {0, 1}) {
        for (const auto& [channel, used, expected] :
             {std::tuple{11, false, 0}, {11, true, 11}, {449, false, 0}}) {
            radio = RadioModel(); // the factory image again
            radio.SetUsed(img, tab::kMemories, channel, used);
            state[block::kSource + set * block::kSetB] = block::kSourceVfo;
            SetChannel(set, channel);
            radio.PrepareCurrentState(img);
            EXPECT_EQ(Channel(set), expected) << "set " << set << " channel " << channel;
            const Byte* copy = img + image::kStateCopy + block::kChannel + set * block::kSetB;
            EXPECT_EQ((copy[0] << 8) | copy[1], expected);
        }
    }

    // A limit or home source never reads the memory flags.
    radio = RadioModel(); // the factory image again
    state[block::kSource] = 4;
    SetChannel(0, 5);
    radio.PrepareCurrentState(img);
    EXPECT_EQ(Channel(0), 5);
}

// Which records set the split tone bit is in the list of radio values.
TEST_F(FixUpTest, MarkSplitToneOnTheFactoryImage) {
    constexpr int kSplitByte = 1685;
    // The factory image, whose third further record is FF filler, needs none.
    RadioModel factory;
    const Byte before = factory.Image()[kSplitByte];
    factory.MarkSplitTone();
    EXPECT_EQ(factory.Image()[kSplitByte], before);
    // The bit is only ever set, never cleared.
    factory.Image()[kSplitByte] = 0xFF;
    factory.MarkSplitTone();
    EXPECT_EQ(factory.Image()[kSplitByte], 0xFF);
}

} // namespace
