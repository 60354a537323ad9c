#include "settings/SettingsOptions.h"

#include "radio/ValueTables.h"
#include "settings/DisplayOptions.h"
#include "settings/IconFont.h"
#include "settings/NameRecords.h"

#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

namespace settings::option {

namespace {

constexpr const char* T = kPageToggles;
constexpr const char* G = kPageGeneral;
constexpr const char* D = kPageDisplay;
namespace display = settings::rset::display;
namespace names = settings::rset::names;
using settings::rset::BitmapShape;
using settings::rset::kFontShape;
using settings::rset::kIconShape;
constexpr const char* I = kPageIconFont;
constexpr const char* N = kPageNames;

Option Check(const char* page, const char* group, const char* label, int byte, int bit,
             bool editable = true) {
    return {page, group, label, Kind::Check, Widget::CheckBox, byte, bit, {}, editable, "", "", {}};
}

Option List(const char* page, const char* group, const char* label, int byte,
            std::vector<const char*> choices) {
    return {page, group, label, Kind::Choice, Widget::List, byte, 0, std::move(choices), true,
            "",   "",    {}};
}

Option BitList(const char* page, const char* group, const char* label, int byte, int bit,
               std::vector<const char*> choices) {
    return {page, group, label, Kind::BitChoice, Widget::List, byte, bit, std::move(choices), true,
            "",   "",    {}};
}

Option Radio(const char* page, const char* group, int byte, int bit,
             std::vector<const char*> choices) {
    return {page,
            group,
            group,
            Kind::BitChoice,
            Widget::RadioButtons,
            byte,
            bit,
            std::move(choices),
            true,
            "",
            "",
            {}};
}

Option Field(const char* page, const char* group, const char* label, Kind kind, Widget widget,
             int byte, int bit = 0) {
    return {page, group, label, kind, widget, byte, bit, {}, true, "", "", {}};
}

// Numbers as labels and list entries ("1" to "62"), kept for the program's
// life since options hold plain character pointers.
const char* Number(int n) {
    static const std::vector<std::string> numbers = [] {
        std::vector<std::string> v;
        for (int i = 0; i <= names::kTvCount; ++i)
            v.push_back(std::to_string(i));
        return v;
    }();
    return numbers[static_cast<size_t>(n)].c_str();
}

std::vector<const char*> Numbers(int first, int last) {
    std::vector<const char*> v;
    for (int n = first; n <= last; ++n)
        v.push_back(Number(n));
    return v;
}

void AddDisplayPage(std::vector<Option>& o) {
    o.push_back(List(D, "", "Display Mode", 81,
                     {"None", "Temperature", "Baro", "Alt1", "Temp+Baro", "Temp+Alt1", "All"}));
    o.push_back(BitList(D, "", "Language", 4, 6, {"English", "Japanese"}));
    o.push_back(List(D, "", "Lamp Mode", 13, {"Key", "Continuous", "Off"}));
    o.push_back(List(D, "", "Main Meter Symbol", 82, {"S1", "S2", "S3", "S4", "S5", "Char"}));
    o.push_back(List(D, "", "Sub Meter Symbol", 83, {"S1", "S2", "S3", "S4", "S5", "Char"}));
    o.push_back(Field(D, "", "Contrast", Kind::Contrast, Widget::Slider, display::kContrastByte));
    o.push_back(Field(D, "", "Dimmer", Kind::Dimmer, Widget::Slider, display::kDimmerByte));
    o.push_back(List(D, "", "Emergency", 10,
                     {"Beep+Strobe", "Beep", "Strobe 1", "Strobe 2", "Strobe 3", "Strobe 4",
                      "Strobe 5", "Beam"}));
    o.push_back(Check(D, "", "Display2x", 117, 1));
    o.push_back(Check(D, "", "Icon Set", 117, 0));
    // The LED colours: buttons "LED 1" to "LED 10" with their swatches.
    static const char* const kLedLabels[display::kLedCount] = {
        "LED 1", "LED 2", "LED 3", "LED 4", "LED 5", "LED 6", "LED 7", "LED 8", "LED 9", "LED 10"};
    for (int n = 0; n < display::kLedCount; ++n)
        o.push_back(Field(D, "", kLedLabels[n], Kind::LedColour, Widget::ColourButton,
                          display::LedByte(n)));
    // The strobes and the charge-complete light pick an LED colour by number.
    const struct {
        const char* label;
        int byte;
    } strobes[] = {
        {"Main Busy Strobe", 150}, {"Sub Busy Strobe", 151}, {"Dual Busy Strobe", 152},
        {"Main Tx Strobe", 153},   {"Sub Tx Strobe", 154},   {"Charge Complete", 155},
    };
    for (const auto& strobe : strobes) {
        o.push_back(List(D, "", strobe.label, strobe.byte, Numbers(1, display::kLedCount)));
        o.back().section = kSectionStrobes;
    }
    // The icon of each band, in the grid "Icon Select".
    for (int b = 0; b < display::kBandCount; ++b) {
        Option icon = List(D, "Icon Select", display::kBandNames[static_cast<size_t>(b)],
                           display::kBandIconFirst + b, Numbers(1, display::kIconChoices));
        icon.widget = Widget::Grid;
        o.push_back(icon);
    }
}

void AddIconFontPage(std::vector<Option>& o) {
    const struct {
        const BitmapShape& shape;
        const char* group;
        Kind kind;
    } sets[] = {
        {kIconShape, "Icon", Kind::Icon},
        {kFontShape, "Font", Kind::FontChar},
    };
    for (const auto& set : sets) {
        // The radio buttons: which bitmap the radio uses.
        o.push_back({I,
                     set.group,
                     set.group,
                     Kind::Choice,
                     Widget::RadioButtons,
                     set.shape.selectionByte,
                     0,
                     Numbers(1, set.shape.count),
                     true,
                     "",
                     "",
                     {}});
        for (int k = 0; k < set.shape.count; ++k)
            o.push_back(
                Field(I, set.group, Number(k + 1), set.kind, Widget::Preview, set.shape.Offset(k)));
    }
}

void AddNamesPage(std::vector<Option>& o) {
    o.push_back(Check(N, "", "WxAlert", names::kWxAlertByte, names::kWxAlertBit));
    for (int k = 0; k < names::kWxCount; ++k)
        o.push_back(
            Field(N, "WX Names", Number(k + 1), Kind::Name, Widget::Grid, names::WxRecord(k)));
    for (int k = 0; k < names::kTvCount; ++k)
        o.push_back(
            Field(N, "TV Names", Number(k + 1), Kind::Name, Widget::Grid, names::TvRecord(k)));
}

// The first word of every key.
QString PageKey(const char* page) {
    if (std::strcmp(page, kPageNames) == 0 || std::strcmp(page, kPageNamesTv) == 0)
        return QStringLiteral("names");
    return KeyWord(page);
}

QString OptionKey(const Option& option) {
    QString key = PageKey(option.page) + QLatin1Char('.');
    if (*option.group && std::strcmp(option.group, option.label) != 0)
        key += KeyWord(option.group) + QLatin1Char('.');
    // A preview stands beside the radio button of the same number.
    const QString label = KeyWord(option.label);
    key += option.widget == Widget::Preview ? QStringLiteral("preview") + label : label;
    if (*option.beside) {
        const QString beside = KeyWord(option.beside);
        key += beside.left(1).toUpper() + beside.mid(1);
    }
    return key;
}

std::vector<Option> MakeOptions() {
    std::vector<Option> o;
    // The Toggles page.
    o.push_back(Check(T, "", "DTMF Dialer", 3, 0));
    o.push_back(Check(T, "", "Split Tone", 3, 1));
    o.push_back(Check(T, "", "Beep", 3, 2));
    o.push_back(Check(T, "", "ARS", 3, 3));
    o.push_back(Check(T, "", "Scan Lamp", 3, 5));
    o.push_back(Check(T, "", "Tx Save", 4, 0));
    o.push_back(Check(T, "", "Sub Band Mute", 4, 1));
    o.push_back(Check(T, "", "Hyper Write", 4, 2));
    o.push_back(Check(T, "", "Edge Beep", 4, 3));
    o.push_back(Check(T, "", "BCLO", 4, 4));
    o.push_back(Check(T, "", "Band Link", 4, 5, false));
    o.push_back(Check(T, "", "Busy Led", 4, 7));
    o.push_back(Check(T, "", "Moni\\TCall", 5, 0));
    o.push_back(Check(T, "", "Home\\Reverse", 5, 1));
    o.push_back(Check(T, "", "Ch1UserWrite", 5, 6, false));
    o.push_back(Check(T, "", "ArsEnable", 5, 7, false));
    o.push_back(Check(T, "", "AutoRxMode", 6, 6));
    o.push_back(Check(T, "", "Lock", 6, 7));
    o.push_back(Check(T, "", "ATT", 7, 2));
    o.push_back(Check(T, "", "MicMonitor", 7, 4, false));
    o.push_back(Check(T, "", "Dual Receive", 117, 2));
    o.push_back(Radio(T, "VFO", 3, 7, {"All", "Band"}));
    o.push_back(Radio(T, "Band", 117, 3, {"Main", "Sub"}));
    o.push_back(
        List(T, "", "Rx Save", 26, {"Off", "200 ms", "300 ms", "500 ms", "1 sec", "2 sec"}));
    o.push_back(List(T, "", "Auto Power Off", 78,
                     {"Off", "30 min", "1 hour", "3 hour", "5 hour", "8 hour"}));
    o.push_back(List(T, "", "Time out timer", 79, {"Off", "1 min", "2.5 min", "5 min", "10 min"}));
    o.push_back(List(T, "", "Bell", 80, {"Off", "1", "3", "5", "8", "Continue"}));
    o.push_back(List(T, "", "Scan Resume", 24, {"3 sec", "5 sec", "10 sec", "Busy", "Hold"}));
    o.push_back(List(T, "", "Lock Mode", 158,
                     {"Key", "Dial", "Key+Dial", "PTT", "Key+PTT", "Dial+PTT", "All"}));
    o.push_back(Field(T, "Squelch", "Main", Kind::Level, Widget::Slider, 0));
    o.push_back(Field(T, "Squelch", "Sub", Kind::Level, Widget::Slider, 1));
    o.push_back(Field(T, "Squelch", "Wide", Kind::Level, Widget::Slider, 2));
    o.push_back(Check(T, "Internet", "Enable", 5, 2));
    {
        // Sorted: "User" comes first.
        Option mode = BitList(T, "Internet", "Mode", 7, 6, {"User", "Vertex"});
        mode.widget = Widget::SortedEditableList;
        o.push_back(mode);
    }
    o.push_back(Field(T, "Internet", "DTMF Code", Kind::DtmfCode, Widget::Edit, 160));
    o.push_back(Field(T, "Internet", "DTMF CH #", Kind::DtmfChannel, Widget::Edit, 163));
    static const char* const kMemoryLabels[kDtmfMemoryCount] = {"1", "2", "3", "4", "5",
                                                                "6", "7", "8", "9"};
    for (int m = 1; m <= kDtmfMemoryCount; ++m)
        o.push_back(Field(T, "DTMF", kMemoryLabels[m - 1], Kind::DtmfMemory, Widget::Grid,
                          kDtmfMemories + kDtmfMemorySize * (m - 1), m));

    AddDisplayPage(o);

    // The General page.
    o.push_back(List(G, "", "Vox Sensitivity", 8, {"Off", "High", "Low"}));
    o.push_back(List(G, "", "Vox Delay", 9, {"0.5 second", "1 second", "2 seconds"}));
    o.push_back(Field(G, "Timer", "On", Kind::Time, Widget::Edit, 14));
    o.push_back(Check(G, "Timer", "Enable", 7, 0));
    o.back().beside = "On";
    o.push_back(Field(G, "Timer", "Off", Kind::Time, Widget::Edit, 16));
    o.push_back(Check(G, "Timer", "Enable", 7, 1));
    o.back().beside = "Off";
    o.push_back(Check(G, "Timer", "Time Alert", 6, 1));
    o.push_back(List(G, "", "Wave Monitor", 18, {"All", "RX Signal", "TX Modulation"}));
    o.push_back(List(G, "", "Sensor Display", 116,
                     {"Off", "Time", "DC", "Temp", "Wave", "Baro", "Alt1", "WX"}));
    o.push_back(List(G, "", "Special Select", 119,
                     {"Off", "MR Group", "OTM", "Hyper", "BC Station", "Marine"}));
    o.push_back(List(G, "", "Channel Counter", 27,
                     {"\u00b15 MHz", "\u00b110 MHz", "\u00b150 MHz", "\u00b1100 MHz"}));
    o.push_back(BitList(G, "Spectrum Analyzer", "Mode", 5, 4, {"Single", "Continuous"}));
    o.push_back(List(G, "Spectrum Analyzer", "Channel Span", 118,
                     {"\u00b15", "\u00b18", "\u00b114", "\u00b129", "\u00b160"}));
    o.push_back(Check(G, "Spectrum Analyzer", "Audio Center Freq.", 3, 4));
    o.push_back(List(G, "", "Baro Units", 19, {"hPa", "mbar", "mmHg", "inch"}));
    o.push_back(Field(G, "", "Baro Offset", Kind::Offset, Widget::Edit, 20));
    o.push_back(Field(G, "", "Alt Offset", Kind::Offset, Widget::Edit, 22));
    o.push_back(Radio(G, "Altimeter", 6, 4, {"m", "ft"}));
    o.push_back(Radio(G, "Temperature", 6, 3, {"C", "F"}));
    o.push_back(Check(G, "ARTS", "ArtsSwitch", 6, 5));
    o.push_back(BitList(G, "ARTS", "Arts Speed", 5, 3, {"15 sec", "25 sec"}));
    o.push_back(List(G, "ARTS", "Arts Beep", 29, {"Off", "In Range", "Always"}));
    o.push_back(Check(G, "ARTS", "CW ID", 3, 6));
    o.push_back(Field(G, "ARTS", "CW Identifier", Kind::CwId, Widget::Edit, kCwId));
    AddIconFontPage(o);
    AddNamesPage(o);
    for (Option& option : o)
        option.key = OptionKey(option);
    return o;
}

QChar TableCharacter(Byte code) {
    if (code >= radio::kCharsetSize)
        return QLatin1Char('?');
    return QChar::fromLatin1(static_cast<char>(radio::kCharset[code]));
}

int Nibble(Byte value, int shift) {
    return (value >> shift) & 0x0F;
}

} // namespace

const std::vector<Option>& Options() {
    static const std::vector<Option> options = MakeOptions();
    return options;
}

const Option& Find(const QString& key) {
    for (const Option& option : Options()) {
        if (option.key == key)
            return option;
    }
    throw std::logic_error("no settings option " + key.toStdString());
}

QString KeyWord(const char* text) {
    // The words: runs of ASCII letters and digits; anything else parts them.
    // Every command builds the option table's keys, so this stays quick.
    QStringList words;
    QString current;
    for (const char* c = text; *c != '\0'; ++c) {
        const bool inWord =
            (*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9');
        if (inWord) {
            current += QLatin1Char(*c);
        } else if (!current.isEmpty()) {
            words << current;
            current.clear();
        }
    }
    if (!current.isEmpty())
        words << current;
    QString key;
    for (const QString& word : words) {
        // A word in capitals is an abbreviation: "DTMF" gives "dtmf" or "Dtmf".
        QString part = word == word.toUpper() ? word.toLower() : word;
        part[0] = key.isEmpty() ? part.at(0).toLower() : part.at(0).toUpper();
        key += part;
    }
    return key;
}

QString ButtonKey(const Option& option, size_t choice) {
    return option.key + QLatin1Char('.') + KeyWord(option.choices[choice]);
}

QString GroupKey(const char* page, const char* group) {
    return PageKey(page) + QLatin1Char('.') + KeyWord(group);
}

QString DisplayName(const Option& option) {
    QString name = QString::fromUtf8(option.label);
    if (option.kind == Kind::DtmfMemory)
        name = QStringLiteral("Memory ") + name;
    if (*option.group && std::strcmp(option.group, option.label) != 0)
        name = QString::fromUtf8(option.group) + QStringLiteral(": ") + name;
    if (*option.beside)
        name += QStringLiteral(" (%1)").arg(QString::fromUtf8(option.beside));
    return name;
}

bool Bit(const Byte* block, int byte, int bit) {
    return (block[byte] >> bit & 1) != 0;
}

void SetBit(Byte* block, int byte, int bit, bool on) {
    const Byte mask = static_cast<Byte>(1u << bit);
    block[byte] = static_cast<Byte>(on ? block[byte] | mask : block[byte] & ~mask);
}

QChar DtmfCharacter(Byte value) {
    return QChar::fromLatin1(static_cast<char>((value + kDigitBase) & 0xFF));
}

Byte DtmfByte(const QString& text) {
    if (text.isEmpty())
        return 0;
    return static_cast<Byte>((text.at(0).unicode() - kDigitBase) & 0xFF);
}

QString DtmfMemoryText(const Byte* block, int memory) {
    const Byte* codes = block + kDtmfMemories + kDtmfMemorySize * (memory - 1);
    QString text;
    for (int i = 0; i < kDtmfMemorySize && codes[i] != kEnd; ++i)
        text += TableCharacter(codes[i]);
    return text;
}

void SetDtmfMemory(Byte* block, int memory, const QString& text) {
    Byte* codes = block + kDtmfMemories + kDtmfMemorySize * (memory - 1);
    std::memset(codes, kEnd, kDtmfMemorySize);
    int n = 0;
    for (QChar c : text) {
        if (n == kDtmfMemorySize)
            break;
        const int code =
            c.unicode() < 0x100 ? radio::CharacterCode(static_cast<Byte>(c.unicode())) : -1;
        if (code >= 0)
            codes[n++] = static_cast<Byte>(code);
    }
}

QString CwIdText(const Byte* block) {
    QString text;
    for (int i = 0; i < kCwIdSlots; ++i) {
        const Byte code = block[kCwId + 2 * i + 1];
        if (code == kEnd)
            break;
        text += TableCharacter(code);
    }
    return text;
}

void SetCwId(Byte* block, const QString& text) {
    std::memset(block + kCwId, kEnd, 2 * kCwIdSlots);
    int n = 0;
    for (QChar c : text) {
        if (n == kCwIdSlots)
            break;
        const int code =
            c.unicode() < 0x100 ? radio::CharacterCode(static_cast<Byte>(c.unicode())) : -1;
        if (code < 0)
            continue;
        block[kCwId + 2 * n] = 0x00;
        block[kCwId + 2 * n + 1] = static_cast<Byte>(code);
        ++n;
    }
}

QString TimeText(const Byte* block, int byte) {
    const Byte hours = block[byte];
    const Byte minutes = block[byte + 1];
    return QStringLiteral("%1%2:%3%4")
        .arg(Nibble(hours, 4))
        .arg(Nibble(hours, 0))
        .arg(Nibble(minutes, 4))
        .arg(Nibble(minutes, 0));
}

std::optional<Time> ParseTime(const QString& text) {
    if (text.size() != 5 || text.at(2) != QLatin1Char(':'))
        return std::nullopt;
    int digits[4];
    const int at[4] = {0, 1, 3, 4};
    for (int i = 0; i < 4; ++i) {
        const QChar c = text.at(at[i]);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        digits[i] = c.unicode() - '0';
    }
    const Time time{digits[0] * 10 + digits[1], digits[2] * 10 + digits[3]};
    if (time.hours > 23 || time.minutes > 59)
        return std::nullopt;
    return time;
}

void SetTime(Byte* block, int byte, Time time) {
    block[byte] = static_cast<Byte>((time.hours / 10) << 4 | (time.hours % 10));
    block[byte + 1] = static_cast<Byte>((time.minutes / 10) << 4 | (time.minutes % 10));
}

int OffsetValue(const Byte* block, int byte) {
    return static_cast<std::int16_t>(
        static_cast<std::uint16_t>(block[byte] << 8 | block[byte + 1]));
}

long OffsetTextValue(const QString& text) {
    const QString trimmed = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < trimmed.size() &&
        (trimmed.at(i) == QLatin1Char('-') || trimmed.at(i) == QLatin1Char('+'))) {
        negative = trimmed.at(i) == QLatin1Char('-');
        ++i;
    }
    long value = 0;
    for (; i < trimmed.size() && trimmed.at(i).isDigit() && trimmed.at(i).unicode() < 0x80; ++i) {
        if (value < 1000000000L)
            value = value * 10 + (trimmed.at(i).unicode() - '0');
    }
    return negative ? -value : value;
}

void SetOffset(Byte* block, int byte, int value) {
    const auto bits = static_cast<std::uint16_t>(value);
    block[byte] = static_cast<Byte>(bits >> 8);
    block[byte + 1] = static_cast<Byte>(bits & 0xFF);
}

QString ValueText(const Option& option, const Byte* block) {
    switch (option.kind) {
    case Kind::Check:
        return Bit(block, option.byte, option.bit) ? QStringLiteral("on") : QStringLiteral("off");
    case Kind::BitChoice:
        return QString::fromUtf8(option.choices[Bit(block, option.byte, option.bit) ? 1 : 0]);
    case Kind::Choice: {
        const Byte value = block[option.byte];
        if (value < option.choices.size())
            return QString::fromUtf8(option.choices[value]);
        return QStringLiteral("(blank: the byte holds %1)").arg(value);
    }
    case Kind::Level: {
        const Byte value = block[option.byte];
        if (value <= kLevelMax)
            return QString::number(value);
        return QStringLiteral("%1 (the byte holds %2)").arg(kLevelMax).arg(value);
    }
    case Kind::DtmfCode:
    case Kind::DtmfChannel:
        return QString(DtmfCharacter(block[option.byte]));
    case Kind::DtmfMemory:
        return DtmfMemoryText(block, option.bit);
    case Kind::CwId:
        return CwIdText(block);
    case Kind::Time:
        return TimeText(block, option.byte);
    case Kind::Offset:
        return QString::number(OffsetValue(block, option.byte));
    case Kind::Contrast: {
        const Byte value = block[option.byte];
        const int shown = display::ShownContrast(value);
        if (display::ContrastByte(shown) == value)
            return QString::number(shown);
        return QStringLiteral("%1 (the byte holds %2)").arg(shown).arg(value);
    }
    case Kind::Dimmer: {
        const Byte value = block[option.byte];
        if (value <= display::kDimmerMax)
            return QString::number(value);
        return QStringLiteral("%1 (the byte holds %2)").arg(display::kDimmerMax).arg(value);
    }
    case Kind::LedColour: {
        // The swatch's colour, and the levels when one lies past the scale.
        const Byte* levels = block + option.byte;
        QString text = QStringLiteral("#");
        for (int i = 0; i < 3; ++i)
            text += QStringLiteral("%1")
                        .arg(display::LevelIntensity(levels[i]), 2, 16, QLatin1Char('0'))
                        .toUpper();
        if (std::max({levels[0], levels[1], levels[2]}) > display::kLedLevelMax)
            text +=
                QStringLiteral(" (levels %1, %2, %3)").arg(levels[0]).arg(levels[1]).arg(levels[2]);
        return text;
    }
    case Kind::Icon:
        return settings::rset::DrawBitmap(
                   kIconShape, settings::rset::DecodeBitmap(kIconShape, block + option.byte))
            .join(QLatin1Char('\n'));
    case Kind::FontChar:
        return settings::rset::DrawBitmap(
                   kFontShape, settings::rset::DecodeBitmap(kFontShape, block + option.byte))
            .join(QLatin1Char('\n'));
    case Kind::Name:
        return names::Decode(block + option.byte);
    }
    return {};
}

} // namespace settings::option
