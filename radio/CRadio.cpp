#include "radio/CRadio.h"

#include "radio/FrequencyCodec.h"
#include "radio/StringTable.h"

#include <limits>

namespace vx7 {

namespace {

constexpr int kMaxFrequencyText = 19;
constexpr Hz kOffsetRaster = 50000;
constexpr int kFractionDigits = 6;     // Hz digits after the MHz point
constexpr int kListFractionDigits = 5; // the offset list counts in 10 Hz

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Leading decimal number of a text as the C library reads it: blanks
// skipped, an optional plus sign, digits. A minus sign anywhere before the
// first digit marks the number negative.
struct Leading {
    std::int64_t value = 0;
    bool negative = false;
};

Leading LeadingNumber(const QString& text) {
    Leading result;
    const int n = static_cast<int>(text.size());
    for (int j = 0; j < n && !IsAsciiDigit(text[j]); ++j) {
        if (text[j] == QLatin1Char('-'))
            result.negative = true;
    }
    int i = 0;
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    constexpr std::int64_t kCap = std::numeric_limits<std::int64_t>::max() / 20;
    for (; i < n && IsAsciiDigit(text[i]); ++i) {
        result.value = result.value * 10 + (text[i].unicode() - '0');
        if (result.value > kCap)
            result.value = kCap; // far beyond any frequency; refused below
    }
    return result;
}

} // namespace

Hz ParseFrequencyText(const QString& input, bool listCoding) {
    QString text = input.left(kMaxFrequencyText).toUpper();
    bool kilohertz = false;
    if (const auto k = text.indexOf(QLatin1Char('K')); k >= 0) {
        kilohertz = true;
        text.truncate(k);
    }
    if (const auto m = text.indexOf(QLatin1Char('M')); m >= 0)
        text.truncate(m);

    auto point = text.indexOf(QLatin1Char('.'));
    if (point < 0)
        point = text.indexOf(QLatin1Char(','));
    const QString integerPart = point < 0 ? text : text.left(point);

    const Leading integer = LeadingNumber(integerPart);
    if (integer.negative)
        return 0;

    std::int64_t fraction = 0;
    if (point >= 0) {
        QString digits = text.mid(point + 1);
        while (digits.endsWith(QLatin1Char(' ')))
            digits.chop(1);
        const int width = listCoding ? kListFractionDigits : kFractionDigits;
        const int padTo = listCoding ? kListFractionDigits : kFractionDigits + 1;
        while (digits.size() < padTo)
            digits += QLatin1Char('0');
        const Leading f = LeadingNumber(digits.left(width));
        if (f.negative)
            return 0;
        fraction = f.value;
    }

    // A whole part beyond what a frequency can hold is no frequency; bounded
    // here, the scaling below cannot overflow.
    if (integer.value > std::numeric_limits<Hz>::max())
        return 0;
    if (fraction == 0 && integer.value > 99999)
        kilohertz = true;

    std::int64_t hz;
    if (kilohertz)
        hz = integer.value * 1000;
    else if (listCoding)
        hz = (integer.value * 100000 + fraction) * 10;
    else
        hz = integer.value * 1000000 + fraction;
    if (hz < 0 || hz > std::numeric_limits<Hz>::max())
        return 0;
    return static_cast<Hz>(hz);
}

CRadio::~CRadio() = default;

Byte* CRadio::CommentFor(int) {
    return nullptr;
}

QString CRadio::FormatExportLine(int, const CSpreadSheet1&, QChar) const {
    return QString();
}

bool CRadio::IsValidFrequency(Hz freq, int band) {
    if (freq <= 0)
        return false;
    if (IsOutOfRange(freq, band))
        return false;
    if (freq % 5000 == 0 || freq % 6250 == 0)
        return true;
    if (freq > 1800000)
        return false;
    return freq % 9000 == 0;
}

Hz CRadio::TransmitFrequency(Hz rx, int& dir, Hz offset, bool autoDirection) {
    if (autoDirection)
        dir = AutoShiftDirection(rx);
    switch (dir) {
    case direction::kSimplex:
        return rx;
    case direction::kMinus:
        return rx - offset;
    case direction::kPlus:
        return rx + offset;
    default:
        return -1;
    }
}

Hz CRadio::OffsetFromPair(Hz rx, int& dir, Hz tx) {
    Hz offset;
    if (rx == tx) {
        dir = direction::kSimplex;
        offset = DefaultOffset(rx);
    } else if (rx > tx) {
        dir = direction::kMinus;
        offset = rx - tx;
    } else {
        dir = direction::kPlus;
        offset = tx - rx;
    }
    if (offset % kOffsetRaster == 0 && offset <= kLargestPairOffset)
        return offset;
    dir = direction::kSplit;
    return -1;
}

bool CRadio::IsValidOffset(Hz offset) {
    return offset > 0 && offset < kLargestPairOffset && offset % kOffsetRaster == 0;
}

int CRadio::OffsetListIndex(Hz offset) {
    const QStringList items = LoadList(str::kListOffset);
    for (int i = 0; i < items.size(); ++i) {
        if (ListTextToFrequency(items[i]) == offset)
            return i;
    }
    return -1;
}

bool CRadio::IsOutOfRange(Hz, int) {
    return false;
}

int CRadio::TrimTrailingBlanks(QString& text) {
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return static_cast<int>(text.size());
}

Hz CRadio::DefaultOffset(Hz freq) {
    return freq < 230000000 ? 600000 : 5000000;
}

std::int64_t CRadio::StoredOffset(const Byte* rec) {
    return UnpackBcd(rec + record::kOffset, record::kFrequencySize);
}

bool CRadio::PackBcd(Byte* dest, std::int64_t value, int byteCount) {
    return vx7::PackBcd(dest, value, byteCount);
}

std::int64_t CRadio::UnpackBcd(const Byte* src, int byteCount) {
    return vx7::UnpackBcd(src, byteCount);
}

int CRadio::AutoShiftDirection(Hz freq) {
    struct Segment {
        Hz from;
        Hz below;
        int dir;
    };
    static constexpr Segment kPlan[] = {
        {145100000, 145500001, direction::kMinus}, {146000000, 146400001, direction::kPlus},
        {146600000, 147000000, direction::kMinus}, {147000000, 147400000, direction::kPlus},
        {147600000, 148000001, direction::kMinus}, {440000000, 445000001, direction::kPlus},
        {445000001, 450000001, direction::kMinus},
    };
    for (const auto& s : kPlan) {
        if (freq >= s.from && freq < s.below)
            return s.dir;
    }
    return direction::kSimplex;
}

void CRadio::SettingsToImage(Byte*, const Byte*) {}
void CRadio::ImageToSettings(Byte*, const Byte*) {}
void CRadio::LoadSettings(Byte*, const Byte*) {}
void CRadio::CopySettings(Byte*, const Byte*, int) {}
QObject* CRadio::ActiveView() {
    return nullptr;
}

Hz CRadio::ListTextToFrequency(const QString& text) {
    return ParseFrequencyText(text, true);
}

} // namespace vx7
