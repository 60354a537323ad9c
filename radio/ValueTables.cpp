#include "radio/ValueTables.h"

#include <algorithm>

namespace radio {

const std::array<int, kCtcssCount> kCtcssTenths = {
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000,
    1035, 1072, 1109, 1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567,
    1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799, 1835, 1862, 1899, 1928, 1966,
    1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541,
};

const std::array<int, kDcsCount> kDcsCodes = {
    23,  25,  26,  31,  32,  36,  43,  47,  51,  53,  54,  65,  71,  72,  73,  74,  114, 115,
    116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 223,
    225, 226, 243, 244, 245, 246, 251, 252, 255, 261, 263, 265, 266, 271, 274, 306, 311, 315,
    325, 331, 332, 343, 346, 351, 356, 364, 365, 371, 411, 412, 413, 423, 431, 432, 445, 446,
    452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546, 565, 606, 612, 624,
    627, 631, 632, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754,
};

// Codes 0 to 9 digits, 10 space, 11 to 36 capitals, 37 to 62 small letters,
// then punctuation and the radio's own symbols (some are control bytes).
const std::array<std::uint8_t, kCharsetSize> kCharset = {
    '0', '1', '2',  '3',  '4', '5', '6',  '7',  '8', '9',  ' ',  'A',  'B', 'C', 'D', 'E',
    'F', 'G', 'H',  'I',  'J', 'K', 'L',  'M',  'N', 'O',  'P',  'Q',  'R', 'S', 'T', 'U',
    'V', 'W', 'X',  'Y',  'Z', 'a', 'b',  'c',  'd', 'e',  'f',  'g',  'h', 'i', 'j', 'k',
    'l', 'm', 'n',  'o',  'p', 'q', 'r',  's',  't', 'u',  'v',  'w',  'x', 'y', 'z', '.',
    ',', ':', ';',  '!',  '"', '#', '$',  '%',  '&', '`',  '(',  ')',  '*', '+', '-', '/',
    '=', '<', '>',  '?',  '@', '[', 0x9D, ']',  '^', '_',  '\\', '{',  '|', '}', '&', '\'',
    '0', '1', '~',  0x19, 'F', 'x', 'Q',  'l',  '0', '\'', '2',  'w',  '4', 'C', 'F', 'V',
    'A', 'Y', 0x13, 0x14, 'b', '_', 'i',  0x17, 'I', 0x11, 0x12, 0x09, '1',
};

int CtcssIndex(int tenths) {
    const auto it = std::find(kCtcssTenths.begin(), kCtcssTenths.end(), tenths);
    return it == kCtcssTenths.end() ? -1 : static_cast<int>(it - kCtcssTenths.begin());
}

int DcsIndex(int code) {
    const auto it = std::find(kDcsCodes.begin(), kDcsCodes.end(), code);
    return it == kDcsCodes.end() ? -1 : static_cast<int>(it - kDcsCodes.begin());
}

int CharacterCode(std::uint8_t character) {
    static const std::array<int, 256> codes = [] {
        std::array<int, 256> table{};
        table.fill(-1);
        for (int code = kCharsetSize - 1; code >= 0; --code)
            table[kCharset[static_cast<size_t>(code)]] = code;
        return table;
    }();
    return codes[character];
}

bool IsRadioCharacter(QChar character) {
    return character.unicode() <= 0xFF &&
           CharacterCode(static_cast<std::uint8_t>(character.unicode())) >= 0;
}

QString DecodeCharacters(const Byte* codes, int count) {
    QString text;
    text.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int code = codes[i];
        // Codes past the table have no character; they show as '?'.
        text += code < kCharsetSize ? QChar(kCharset[static_cast<size_t>(code)]) : QLatin1Char('?');
    }
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

void EncodeCharacters(Byte* codes, int count, const QString& text) {
    for (int i = 0; i < count; ++i) {
        int code = kSpaceCode;
        if (i < text.size() && IsRadioCharacter(text[i]))
            code = CharacterCode(static_cast<std::uint8_t>(text[i].unicode()));
        codes[i] = static_cast<Byte>(code);
    }
}

const std::array<BandRow, kBandRows> kBands = {{
    {"BC", 500000, 1800000},
    {"SW", 1800000, 30000000},
    {"FM", 59000000, 108000000},
    {"V-TV", 174000000, 222000000},
    {"6m", 30000000, 59000000},
    {"2m", 137000000, 174000000},
    {"1.25m", 222000000, 225000000},
    {"70cm", 420000000, 470000000},
    {"Air", 108000000, 137000000},
    {"Act1", 225000000, 420000000},
    {"Act2", 800000000, 999000000},
}};

const char* BandLabel(int row) {
    if (row >= 1 && row <= kBandRows)
        return kBands[static_cast<size_t>(row - 1)].label;
    if (row == kBandRows + 1)
        return "extra";
    return "";
}

// Steps of 12.5, 50 and 100 kHz are mostly used on the 6.25 kHz raster.
const std::array<StepDef, kStepCount> kSteps = {{
    {5000, 5000, 0, false},
    {10000, 5000, 0, false},
    {12500, 12500, 0, true},
    {15000, 15000, 0, false},
    {20000, 20000, 10000, false},
    {25000, 25000, 12500, false},
    {50000, 50000, 25000, true},
    {100000, 100000, 50000, true},
    {9000, 9000, 0, false},
}};

const PowerLevels& PowerLevelsAt(Hz freq) {
    static const PowerLevels kFiveWatt = {50, 1000, 2500, 5000};
    static const PowerLevels kLowBand = {50, 300, 300, 300};
    const BandRow& band125 = kBands[6];
    return freq >= band125.low && freq <= band125.high ? kLowBand : kFiveWatt;
}

} // namespace radio
