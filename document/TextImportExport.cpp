#include "document/TextImportExport.h"

#include "document/FileSave.h"
#include "outside/CSpreadSheet1.h"
#include "outside/ImportData.h"
#include "radio/CVX7Radio.h"
#include "radio/ChannelTables.h"
#include "radio/ValueTables.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <limits>

namespace textio {

using vx7::Byte;
using vx7::CVX7Radio;
using vx7::Hz;
namespace direction = vx7::direction;
namespace tonemode = vx7::tonemode;

namespace {

constexpr int kMaxSystemText = 255;

// Makes Memories the radio's current tab for a while.
class MemoriesTab {
public:
    explicit MemoriesTab(CVX7Radio& radio) : m_radio(radio), m_previous(radio.GetTab()) {
        radio.SetTab(vx7::tab::kMemories);
    }
    ~MemoriesTab() { m_radio.SetTab(m_previous); }
    MemoriesTab(const MemoriesTab&) = delete;
    MemoriesTab& operator=(const MemoriesTab&) = delete;

private:
    CVX7Radio& m_radio;
    int m_previous;
};

// ---------------------------------------------------------------------------
// Keywords
// ---------------------------------------------------------------------------

bool Is(const QString& text, const char* keyword) {
    return text.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

bool IsAny(const QString& text, std::initializer_list<const char*> keywords) {
    return std::any_of(keywords.begin(), keywords.end(),
                       [&](const char* k) { return Is(text, k); });
}

QChar First(const QString& text) {
    return text.isEmpty() ? QChar() : text.front();
}

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The leading whole number of a text (blanks skipped, at most nine digits
// count); -1 when the text does not start with a digit. end, if given,
// receives the position after the digits.
int LeadingNumber(const QString& text, int* end = nullptr) {
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    if (i < text.size() && text[i] == QLatin1Char('+'))
        ++i;
    if (i >= text.size() || !IsDigit(text[i]))
        return -1;
    int value = 0;
    int digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (++digits <= 9)
            value = value * 10 + (text[i].unicode() - '0');
    }
    if (end)
        *end = i;
    return digits <= 9 ? value : std::numeric_limits<int>::max();
}

int ReadToneMode(const QString& t) {
    const QChar c = First(t);
    if (c == QLatin1Char('0') || IsAny(t, {"off", "none", "bell"}))
        return tonemode::kNone;
    if (c == QLatin1Char('1') ||
        IsAny(t, {"e", "enc", "encode", "ctcssenc", "ctcssencode", "ctcss enc", "ctcss encode"}))
        return tonemode::kEncode;
    if (c == QLatin1Char('2') ||
        IsAny(t, {"ed", "dec", "decode", "enc\\dec", "encode\\decode", "ctcssdec", "ctcssdecode",
                  "ctcss dec", "ctcss decode", "ctcss enc\\dec", "ctcss encode\\decode", "squelch",
                  "tonesquelch", "tone squelch"}))
        return tonemode::kDecode;
    // The tone mode list's own texts, as the export writes them.
    static const char* const kListTexts[] = {"None",    "Encode",         "Decode",        "DCS",
                                             "DSC(TX)", "ENC(TX)DCS(RX)", "DCS(TX)DEC(RX)"};
    for (int code = 0; code < tonemode::kCount; ++code) {
        if (Is(t, kListTexts[code]))
            return code;
    }
    return tonemode::kNone;
}

// The CTCSS tone index of a text, or -1 when the tone is not in the table.
int ReadCtcss(const QString& t) {
    int end = 0;
    const int whole = LeadingNumber(t, &end);
    if (whole > 100000)
        return -1;
    int tenths = std::max(whole, 0) * 10;
    if (whole >= 0 && end + 1 < t.size() && t[end] == QLatin1Char('.') && IsDigit(t[end + 1]))
        tenths += t[end + 1].unicode() - '0';
    if (tenths < vx7::kCtcssTenths.front())
        tenths *= 10;
    return vx7::CtcssIndex(tenths);
}

int ReadDcs(const QString& t) {
    return std::max(vx7::DcsIndex(LeadingNumber(t)), 0);
}

int ReadMode(const QString& t) {
    if (Is(t, "WFM"))
        return 2;
    return First(t) == QLatin1Char('A') || Is(t, "am") ? 1 : 0;
}

// An on/off keyword pair with 1 and 0 as first characters; anything else off.
bool ReadSwitch(const QString& t, std::initializer_list<const char*> off,
                std::initializer_list<const char*> on) {
    if (First(t) == QLatin1Char('0') || IsAny(t, off))
        return false;
    return First(t) == QLatin1Char('1') || IsAny(t, on);
}

int ReadPower(const QString& t) {
    static const char* const kListTexts[] = {"Low 1", "Low 2", "Low 3", "High"};
    for (int code = 0; code < 4; ++code) {
        if (Is(t, kListTexts[code]))
            return code;
    }
    const QChar c = First(t);
    if (Is(t, "high") || c == QLatin1Char('3') || Is(t, "on"))
        return 3;
    if (Is(t, "low3") || c == QLatin1Char('2'))
        return 2;
    if (Is(t, "low2") || c == QLatin1Char('1'))
        return 1;
    if (Is(t, "low") || c == QLatin1Char('0') || Is(t, "off"))
        return 0;
    return 3;
}

int ReadStep(const CVX7Radio& radio, const QString& t) {
    switch (radio.TextToFrequency(t)) {
    case 5000:
        return 0;
    case 10000:
        return 1;
    case 12000:
    case 12500:
        return 2;
    case 15000:
        return 3;
    case 20000:
        return 4;
    case 25000:
        return 5;
    case 50000:
        return 6;
    case 100000:
        return 7;
    case 9000:
        return 8;
    default:
        return 0;
    }
}

// The icon list shows 1 to 30 for icons 0 to 29; 0 is the first icon too.
int ReadIcon(const QString& t) {
    bool ok = false;
    const int n = t.toInt(&ok);
    if (!ok || n < 0 || n > 30)
        return 0;
    return std::max(n - 1, 0);
}

bool ReadMasked(const QString& t) {
    if (First(t) == QLatin1Char('0') || IsAny(t, {"off", "mask", "false"}))
        return true;
    if (First(t) == QLatin1Char('1') || t.isEmpty() || IsAny(t, {"on", "true"}))
        return false;
    return true;
}

// ---------------------------------------------------------------------------
// Offset direction and offset
// ---------------------------------------------------------------------------

// The direction letter of a text's first character.
int DirectionLetter(QChar c) {
    switch (c.unicode()) {
    case '-':
    case '1':
    case 'M':
    case 'm':
        return direction::kMinus;
    case '+':
    case '2':
    case 'P':
    case 'p':
        return direction::kPlus;
    case '3':
    case 'O':
    case 'o':
        return direction::kSplit;
    default:
        return direction::kSimplex;
    }
}

// What the direction column holds: nothing, a direction (a one-character
// letter or a direction word), or an offset amount.
struct DirectionField {
    enum Kind { None, Direction, Amount } kind = None;
    int direction = direction::kSimplex;
    Hz amount = 0;
};

DirectionField ReadDirectionField(const CVX7Radio& radio, const QString& t) {
    DirectionField f;
    if (t.isEmpty())
        return f;
    static const char* const kWords[] = {"Simplex", "Minus", "Plus", "Split"};
    for (int d = 0; d < 4; ++d) {
        if (Is(t, kWords[d])) {
            f.kind = DirectionField::Direction;
            f.direction = d;
            return f;
        }
    }
    if (t.size() == 1) {
        f.kind = DirectionField::Direction;
        f.direction = DirectionLetter(t.front());
        return f;
    }
    f.kind = DirectionField::Amount;
    f.amount = radio.TextToFrequency(t);
    f.direction = DirectionLetter(t.front()); // for an amount that is no offset
    return f;
}

bool HasDigit(const QString& t) {
    return std::any_of(t.begin(), t.end(), IsDigit);
}

struct Shift {
    int direction;
    Hz value; // the offset, or with Split the transmit frequency
};

// The direction and offset of a line from its receive frequency rx, its
// transmit frequency column, offset column and direction column.
Shift ReadShift(CVX7Radio& radio, int band, Hz rx, const QString& txText, const QString& offsetText,
                const QString& dirText) {
    const DirectionField d = ReadDirectionField(radio, dirText);
    const bool txGiven = !txText.isEmpty();
    const Hz tx = radio.TextToFrequency(txText);
    const bool txValid = txGiven && radio.IsValidFrequency(tx, band);
    // Where a default offset is due, the offset column says which (an
    // exported line carries it); a line without one takes the band's default.
    const bool offsetGiven = HasDigit(offsetText);
    const Hz fallback = offsetGiven ? radio.TextToFrequency(offsetText) : radio.DefaultOffset(rx);
    const bool amountIsOffset = d.kind == DirectionField::Amount && radio.IsValidOffset(d.amount);

    // From a transmit frequency alone: the standard offset it lies at, else
    // Split with that frequency.
    auto fromTransmit = [&]() -> Shift {
        if (tx == rx)
            return {direction::kSimplex, tx};
        if (tx < rx)
            return radio.IsValidOffset(rx - tx) ? Shift{direction::kMinus, rx - tx}
                                                : Shift{direction::kSplit, tx};
        return radio.IsValidOffset(tx - rx) ? Shift{direction::kPlus, tx - rx}
                                            : Shift{direction::kSplit, tx};
    };

    if (!txGiven) {
        if (d.kind == DirectionField::None)
            return {direction::kSimplex, fallback};
        if (d.kind == DirectionField::Direction || d.amount <= 4) {
            // Split needs a transmit frequency; without one it is rx itself.
            return d.direction == direction::kSplit ? Shift{direction::kSplit, rx}
                                                    : Shift{d.direction, fallback};
        }
        return {direction::kSimplex, amountIsOffset ? d.amount : fallback};
    }

    if (txValid) {
        if (d.kind == DirectionField::None)
            return fromTransmit();
        if (amountIsOffset) {
            if (tx + d.amount == rx)
                return {direction::kMinus, d.amount};
            if (tx - d.amount == rx)
                return {direction::kPlus, d.amount};
            return {direction::kSimplex, d.amount};
        }
        switch (d.direction) {
        case direction::kMinus:
            return rx >= tx ? Shift{direction::kMinus, rx - tx} : fromTransmit();
        case direction::kPlus:
            return tx >= rx ? Shift{direction::kPlus, tx - rx} : fromTransmit();
        case direction::kSplit:
            return {direction::kSplit, tx};
        default:
            return {direction::kSimplex, fallback};
        }
    }

    // A transmit frequency the radio cannot use.
    if (d.kind == DirectionField::None)
        return {direction::kSimplex, radio.IsValidOffset(tx) ? tx : fallback};
    if (amountIsOffset)
        return {direction::kSimplex, d.amount};
    const bool txNumber = HasDigit(txText);
    switch (d.direction) {
    case direction::kSplit:
        if (txNumber)
            return {direction::kSplit, tx};
        break;
    case direction::kMinus:
        if (txNumber && rx >= tx)
            return {direction::kMinus, rx - tx};
        if (offsetGiven)
            return {direction::kMinus, fallback};
        break;
    case direction::kPlus:
        if (txNumber && tx >= rx)
            return {direction::kPlus, tx - rx};
        if (offsetGiven)
            return {direction::kPlus, fallback};
        break;
    default:
        break;
    }
    return {radio.IsValidOffset(tx) ? d.direction : direction::kSimplex, tx};
}

} // namespace

// ---------------------------------------------------------------------------
// Export
// ---------------------------------------------------------------------------

const QStringList& ColumnNames() {
    static const QStringList names = {
        QStringLiteral("Channel Number"),
        QStringLiteral("Receive Frequency"),
        QStringLiteral("Transmit Frequency"),
        QStringLiteral("Offset Frequency"),
        QStringLiteral("Offset Direction"),
        QStringLiteral("Operating Mode"),
        QStringLiteral("Name"),
        QStringLiteral("Tone Mode"),
        QStringLiteral("CTCSS Tone"),
        QStringLiteral("DCS Code"),
        QStringLiteral("Skip"),
        QStringLiteral("Preferential Scan"),
        QStringLiteral("Frequency Step"),
        QStringLiteral("Clock Shift"),
        QStringLiteral("Half Deviation"),
        QStringLiteral("Tx Power"),
        QStringLiteral("Icon"),
        QStringLiteral("Mask"),
        QStringLiteral("Comments"),
    };
    return names;
}

QChar SeparatorFor(const QString& path) {
    return QFileInfo(path).suffix() == QLatin1String("tab") ? QLatin1Char('\t') : QLatin1Char(',');
}

QString ExportText(CVX7Radio& radio, CSpreadSheet1& memoriesGrid, QChar separator) {
    MemoriesTab memories(radio);
    QString text = radio.FormatExportLine(0, memoriesGrid, separator);
    const int rows = std::min(memoriesGrid.MaxRows(), vx7::image::kMemoryCount);
    for (int row = 1; row <= rows; ++row) {
        if (!memoriesGrid.Text(vx7::channelcol::kReceive, row).isEmpty())
            text += radio.FormatExportLine(row, memoriesGrid, separator);
    }
    return text;
}

QByteArray ExportBytes(CVX7Radio& radio, CSpreadSheet1* memoriesGrid, QChar separator) {
    if (memoriesGrid)
        return ExportText(radio, *memoriesGrid, separator).toUtf8();
    CSpreadSheet1 grid;
    const int previous = radio.GetTab();
    radio.FillGrid(radio.GetImage(), grid, vx7::tab::kMemories);
    radio.SetTab(previous);
    return ExportText(radio, grid, separator).toUtf8();
}

std::optional<ExportError> ExportFile(CVX7Radio& radio, CSpreadSheet1* memoriesGrid,
                                      const QString& path) {
    const QByteArray bytes = ExportBytes(radio, memoriesGrid, SeparatorFor(path));
    const auto error = filesave::Save(path, bytes);
    if (!error)
        return std::nullopt;
    if (error->kind == filesave::SaveError::Kind::CannotCreate)
        return ExportError{
            QStringLiteral("The data file could not be opened because of this error:") +
                error->reason.left(kMaxSystemText),
            QStringLiteral("Export Error")};
    return ExportError{error->text, QStringLiteral("Export Error")};
}

// ---------------------------------------------------------------------------
// Import
// ---------------------------------------------------------------------------

int ImportRow(CVX7Radio& radio, const QStringList& fields, int lineIndex) {
    MemoriesTab memories(radio);
    auto field = [&](int k) { return k < fields.size() ? fields[k] : QString(); };
    auto keyword = [&](int k) { return field(k).trimmed(); };

    // The channel: "Channel Number" n is memory channel n; a line without a
    // number goes to the channel of its line index.
    int index = lineIndex;
    if (!keyword(kNumber).isEmpty()) {
        const int n = LeadingNumber(keyword(kNumber));
        if (n < 1)
            return -1;
        index = n - 1;
    }
    if (index < 0 || index >= vx7::image::kMemoryCount)
        return -1;
    const int band = index + 1;

    vx7::ChannelValues v;
    v.rx = radio.TextToFrequency(field(kReceive));
    if (!radio.IsValidFrequency(v.rx, band))
        return -1;

    const Shift shift =
        ReadShift(radio, band, v.rx, keyword(kTransmit), keyword(kOffset), keyword(kDirection));
    v.direction = shift.direction;
    if (shift.direction == direction::kSplit) {
        v.tx = shift.value;
    } else {
        v.offset = shift.value;
        vx7::Hz tx = radio.TransmitFrequency(v.rx, v.direction, v.offset, false);
        v.tx = std::max(tx, 0);
    }

    v.toneMode = ReadToneMode(keyword(kToneMode));
    const int ctcss = ReadCtcss(keyword(kCtcss));
    v.ctcss = ctcss >= 0 ? ctcss : vx7::kDefaultCtcss;
    if (ctcss >= 0 && keyword(kToneMode).isEmpty())
        v.toneMode = tonemode::kEncode;
    v.dcs = ReadDcs(keyword(kDcs));
    v.mode = ReadMode(keyword(kMode));
    v.name = field(kName);
    v.skip = ReadSwitch(keyword(kSkip), {"stop"}, {"skip"});
    v.preferential = ReadSwitch(keyword(kPreferential), {"notscan"}, {"scan"});
    v.step = ReadStep(radio, keyword(kStep));
    v.clockShift = ReadSwitch(keyword(kClockShift), {"off"}, {"on"});
    v.halfDeviation = ReadSwitch(keyword(kHalfDeviation), {"off", "false"}, {"on", "true"});
    v.power = ReadPower(keyword(kPower));
    v.icon = ReadIcon(keyword(kIcon));
    v.masked = ReadMasked(keyword(kMask));

    std::array<Byte, vx7::record::kSize> rec{};
    if (!vx7::BuildChannelRecord(radio, rec.data(), v))
        return -1; // a frequency that does not fit: nothing is written
    Byte* image = radio.GetImage();
    std::memcpy(radio.RecordForRow(image, index), rec.data(), rec.size());
    radio.SetUsed(image, index, true);
    radio.SetSkip(image, index, v.skip);
    radio.SetPreferential(image, index, v.preferential);
    radio.SetMasked(image, index, v.masked);
    radio.SetComment(vx7::tab::kMemories, index, field(kComment));
    return index;
}

ImportSummary ImportFile(CVX7Radio& radio, const QString& path) {
    ImportSummary summary;
    outside::ImportDataStruct request;
    request.names = ColumnNames();
    request.path = path;
    request.rowHandler = [&](const QStringList& fields, int lineIndex) {
        if (ImportRow(radio, fields, lineIndex) >= 0)
            ++summary.channels;
    };
    const outside::ImportResult result = outside::ImportData(request);
    summary.ok = result.ok;
    summary.message = result.message;
    summary.lines = result.dataLines;
    return summary;
}

} // namespace textio
