// The built-in image a new document starts from: a radio as it leaves the
// factory, with memory channel 1, one-touch memory 1 and two limit memories
// programmed, set A on the 2m VFO and set B on the 70cm VFO.
#include "radio/RadioModel.h"

#include <cstring>
#include <stdexcept>

namespace radio {

namespace {

using Image = std::array<Byte, image::kSize>;

// Writes a run of hexadecimal byte pairs at offset; returns the count.
int Put(Image& img, int offset, const char* hex) {
    int count = 0;
    int high = -1;
    for (const char* p = hex; *p; ++p) {
        const char c = *p;
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            continue;
        if (high < 0) {
            high = digit;
            continue;
        }
        img.at(static_cast<size_t>(offset + count)) = static_cast<Byte>(high * 16 + digit);
        high = -1;
        ++count;
    }
    return count;
}

void PutExactly(Image& img, int offset, const char* hex, int size) {
    if (Put(img, offset, hex) != size)
        throw std::logic_error("default image listing has the wrong length");
}

void Fill(Image& img, int from, int to, Byte value) {
    std::memset(img.data() + from, value, static_cast<size_t>(to - from + 1));
}

const char* const kHeader = "0A 01 02 06 09 24 E0 01 00 24 E0 01 02 01 FF FF FF FF";

const char* const kHyperBlock =
    "00 00 00 00 00 00 05 05 00 03 00 00 00 0C 00 00 14 40 00 00 00 06 00 00 0A 0A 0A 0A 0A 0A "
    "0A 0A 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "07 07 05 03 05 00 00 0C 00 00 43 00 00 00 00 50 00 00 0A 0A 0A 0A 0A 0A 0A 0A 00 00 00 00 "
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "00 00 00 00 00 00 00 00";

const char* const kSpareBlock =
    "01 00 01 02 00 56 07 07 45 03 02 00 00 0C 00 00 43 00 00 00 00 50 00 00 0A 0A 0A 0A 0A 0A "
    "0A 0A 00 0C 03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 FF FF 00 00 00 00 01 01 00 00 "
    "07 07 05 03 05 00 00 0C 00 00 43 00 00 00 00 50 00 00 0A 0A 0A 0A 0A 0A 0A 0A 00 00 03 00 "
    "00 00 00 00 FF FF FF FF 00 00 00 00 00 00 FF FF 00 00 00 00 FF FF FF FF 00 00 00 00 00 00 "
    "00 00 00 00 00 00 00 AF";

const char* const kStateBlock =
    "01 00 01 01 00 00 05 05 00 03 00 00 00 0C 00 00 14 40 00 00 00 06 00 00 0A 0A 0A 0A 0A 0A "
    "0A 0A 00 0C 03 00 00 00 00 00 FF FF FF FF 00 00 00 00 00 00 00 00 00 00 00 00 01 01 00 00 "
    "07 07 05 03 05 00 00 0C 00 00 43 00 00 00 00 50 00 00 0A 0A 0A 0A 0A 0A 0A 0A 00 00 03 00 "
    "00 00 00 00 FF FF FF FF 00 00 00 00 00 00 FF FF 00 00 00 00 FF FF FF FF 00 00 00 00 00 00 "
    "00 00 00 00 00 00 00 D6";

const char* const kSettingsFirst =
    "01 01 02 AC 84 8A 58 40 00 00 00 1B 0A 00 00 00 00 00 00 01 00 00 00 00 01 00 01 00 00 01 "
    "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF "
    "FF FF 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 00 02 00 00 00 00 00 01 00 02 00 03 "
    "00 04 00 05 00 06 00 07 00 08 00 01 00 02 00 03 00 04 00 05 00 06 00 07 00 08 01 02 00 00 "
    "00 2D 00 00 00 30 39 2E 00 33 00 00 32 00 2C 00 2A 2C 2F 2C 00 32 2B 2C 32 00 31 FF FF FF "
    "00 01 02 03 04 01 00 00 00 31 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00";

// The eleven band rows; home channels and VFO records start alike.
const char* const kBandRecords[image::kBandCount] = {
    "00 C1 00 05 40 01 0A 0A 0A 0A 0A 0A 0A 0A 00 00 00 00 0C 00 00 00",
    "00 C0 00 18 00 01 0A 0A 0A 0A 0A 0A 0A 0A 00 00 00 00 0C 00 00 00",
    "05 C7 05 90 00 02 0A 0A 0A 0A 0A 0A 0A 0A 00 00 00 00 0C 00 00 00",
    "05 C6 17 40 00 02 0A 0A 0A 0A 0A 0A 0A 0A 00 00 00 00 0C 00 00 00",
    "00 C1 05 00 00 00 0A 0A 0A 0A 0A 0A 0A 0A 00 00 06 00 0C 00 00 00",
    "00 C0 14 40 00 00 0A 0A 0A 0A 0A 0A 0A 0A 00 00 06 00 0C 00 00 00",
    "00 04 22 20 00 00 0A 0A 0A 0A 0A 0A 0A 0A 00 00 16 00 0C 00 00 00",
    "05 C5 43 00 00 00 0A 0A 0A 0A 0A 0A 0A 0A 00 00 50 00 0C 00 00 00",
    "05 C5 10 80 00 00 0A 0A 0A 0A 0A 0A 0A 0A 00 00 00 00 0C 00 00 00",
    "05 C2 38 00 00 00 0A 0A 0A 0A 0A 0A 0A 0A 00 00 00 00 0C 00 00 00",
    "05 C2 86 00 00 00 0A 0A 0A 0A 0A 0A 0A 0A 00 00 00 00 0C 00 00 00",
};

const char* const kMemoryChannel1 =
    "00 C0 14 40 00 30 0A 0A 0A 0A 0A 0A 0A 0A 00 00 06 00 0C 00 00 00";
const char* const kOneTouch1 = "00 C1 05 00 10 30 0A 0A 0A 0A 0A 0A 0A 0A 00 00 06 00 0C 00 00 00";
const char* const kLimitEnds = "00 C1 05 00 00 30 0A 0A 0A 0A 0A 0A 0A 0A 00 00 06 00 0C 00 00 00";

constexpr int kNineByteEntry = 9;
constexpr int kFactoryByte16208 = 16208;

Image Build() {
    Image img{};
    PutExactly(img, image::kHeader, kHeader, image::kHeaderSize);
    for (int i = 0; i < image::kHyperCount; ++i)
        PutExactly(img, image::kHyper + image::kBlockSize * i, kHyperBlock, image::kBlockSize);
    PutExactly(img, image::kSpareBlock, kSpareBlock, image::kBlockSize);
    PutExactly(img, image::kStateBlock, kStateBlock, image::kBlockSize);
    PutExactly(img, image::kStateCopy, kStateBlock, image::kBlockSize);
    PutExactly(img, image::kSettingsFirst, kSettingsFirst, image::kSettingsFirstSize);

    Fill(img, image::kGroupCounts, image::kGroupCounts + image::kGroupCountsSize - 1, 0xFF);
    Fill(img, 1876, 1985, 0x00);
    Fill(img, 1986, 2129, 0xFF);
    Fill(img, 2130, 2501, 0x00);
    Fill(img, 2502, 2513, 0xFF);
    for (int offset = 2514; offset < image::kSettingsEnd; offset += kNineByteEntry)
        PutExactly(img, offset, "0A 0A 0A 0A 0A 0A 0A 0A 00", kNineByteEntry);
    Fill(img, image::kUnused1, image::kUnused1 + image::kUnused1Size - 1, 0xFF);

    for (int row = 0; row < image::kBandCount; ++row) {
        PutExactly(img, image::kHome + image::kRecordSize * row, kBandRecords[row],
                   image::kRecordSize);
        PutExactly(img, image::kVfo + image::kRecordSize * row, kBandRecords[row],
                   image::kRecordSize);
    }
    constexpr int kFurtherRows[image::kFurtherCount] = {4, 5, -1, 7};
    for (int i = 0; i < image::kFurtherCount; ++i) {
        const int offset = image::kFurther + image::kRecordSize * i;
        if (kFurtherRows[i] < 0)
            Fill(img, offset, offset + image::kRecordSize - 1, 0xFF);
        else
            PutExactly(img, offset, kBandRecords[kFurtherRows[i]], image::kRecordSize);
    }

    Fill(img, image::kUnused2, image::kMemoryFlags - 1, 0xFF); // group members too
    Fill(img, image::kMemoryFlags, image::kUnused3 - 1, 0x00);
    img[image::kMemoryFlags] = 0x03; // channel 1 in use and visible
    Fill(img, image::kUnused3, image::kMemories - 3, 0x33);
    Fill(img, image::kMemories - 2, image::kMemories - 1, 0xFF);

    // Memory channels 2 to 450, one-touch 2 to 10 and the limits between L1
    // and U20 are unused filler.
    Fill(img, image::kMemories, image::kUnused4 - 1, 0xFF);
    PutExactly(img, image::kMemories, kMemoryChannel1, image::kRecordSize);
    PutExactly(img, image::kOneTouch, kOneTouch1, image::kRecordSize);
    PutExactly(img, image::kLimits, kLimitEnds, image::kRecordSize);
    PutExactly(img, image::kLimits + image::kRecordSize * (image::kLimitCount - 1), kLimitEnds,
               image::kRecordSize);

    Fill(img, image::kUnused4, image::kChecksum - 1, 0xFF);
    img[kFactoryByte16208] = 0xC9;
    img[image::kChecksum] = RadioModel::ImageChecksum(img.data());
    return img;
}

} // namespace

const std::array<Byte, image::kSize>& DefaultImage() {
    static const Image img = Build();
    return img;
}

} // namespace radio
