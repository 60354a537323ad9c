#include "document/TextImportExport.h"

#include "document/ChannelListTable.h"
#include "document/ChirpList.h"
#include "document/FileSave.h"
#include "outside/CellStore.h"
#include "outside/ImportData.h"
#include "radio/ChannelTables.h"
#include "radio/ChoiceLists.h"
#include "radio/RadioModel.h"
#include "radio/ValueTables.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <limits>

namespace document::textio {

using radio::Byte;
using radio::Hz;
using radio::RadioModel;
namespace direction = radio::direction;
namespace tonemode = radio::tonemode;

namespace {

constexpr int kMaxSystemText = 255;

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
    // The tone mode list's own texts, as the export writes them, and as
    // earlier versions spelt them.
    const int index = radio::ChoiceItems(radio::ChoiceList::ToneMode)->IndexOf(t.trimmed());
    return index >= 0 && index < tonemode::kCount ? index : tonemode::kNone;
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
    if (tenths < radio::kCtcssTenths.front())
        tenths *= 10;
    return radio::CtcssIndex(tenths);
}

int ReadDcs(const QString& t) {
    return std::max(radio::DcsIndex(LeadingNumber(t)), 0);
}

int ReadMode(const QString& t) {
    if (Is(t, "WFM"))
        return 2;
    return First(t) == QLatin1Char('A') || Is(t, "am") ? 1 : 0;
}

// A switch: 1 as the first character, or one of the '|'-separated onWords,
// is on; anything else (0, off, stop, ...) is off.
bool ReadSwitch(const QString& t, const char* onWords) {
    if (First(t) == QLatin1Char('0'))
        return false;
    if (First(t) == QLatin1Char('1'))
        return true;
    for (const char* word = onWords; word && *word;) {
        const char* end = std::strchr(word, '|');
        const qsizetype length = end ? end - word : qsizetype(std::strlen(word));
        if (t.compare(QLatin1String(word, length), Qt::CaseInsensitive) == 0)
            return true;
        word = end ? end + 1 : word + length;
    }
    return false;
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

// The step of a size. "12.5 kHz" reads as whole kHz, 12 kHz: a step's size
// counts with or without its part below 1 kHz. Any other size is 5 kHz.
int ReadStep(const RadioModel& radio, const QString& t) {
    const Hz size = radio.TextToFrequency(t);
    for (int i = 0; i < radio::kStepCount; ++i) {
        const Hz step = radio::kSteps[static_cast<size_t>(i)].size;
        if (size == step || size == step / 1000 * 1000)
            return i;
    }
    return 0;
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

DirectionField ReadDirectionField(const RadioModel& radio, const QString& t) {
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
Shift ShiftFromFields(RadioModel& radio, int band, Hz rx, const QString& txText,
                      const QString& offsetText, const QString& dirText) {
    const DirectionField d = ReadDirectionField(radio, dirText);
    const bool txGiven = !txText.isEmpty();
    const Hz tx = radio.TextToFrequency(txText);
    const bool txValid = txGiven && radio.IsValidFrequency(radio::tab::kMemories, tx, band);
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
        // The sign is taken when the distance fits a shift; otherwise the
        // transmit frequency speaks for itself.
        case direction::kMinus:
            return rx >= tx && rx - tx <= RadioModel::kLargestPairOffset
                       ? Shift{direction::kMinus, rx - tx}
                       : fromTransmit();
        case direction::kPlus:
            return tx >= rx && tx - rx <= RadioModel::kLargestPairOffset
                       ? Shift{direction::kPlus, tx - rx}
                       : fromTransmit();
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
    // With a sign, the distance to the transmit field counts only when the
    // radio can use it as an offset; otherwise the field is the offset.
    const bool txNumber = HasDigit(txText);
    switch (d.direction) {
    case direction::kSplit:
        if (txNumber)
            return {direction::kSplit, tx};
        break;
    case direction::kMinus:
        if (txNumber && rx >= tx && radio.IsValidOffset(rx - tx))
            return {direction::kMinus, rx - tx};
        if (offsetGiven)
            return {direction::kMinus, fallback};
        break;
    case direction::kPlus:
        if (txNumber && tx >= rx && radio.IsValidOffset(tx - rx))
            return {direction::kPlus, tx - rx};
        if (offsetGiven)
            return {direction::kPlus, fallback};
        break;
    default:
        break;
    }
    return {radio.IsValidOffset(tx) ? d.direction : direction::kSimplex, tx};
}

// A shift wider than any the radio can carry (an offset column with a
// frequency in it) takes the band's default offset instead.
Shift ReadShift(RadioModel& radio, int band, Hz rx, const QString& txText,
                const QString& offsetText, const QString& dirText) {
    Shift shift = ShiftFromFields(radio, band, rx, txText, offsetText, dirText);
    const bool shifted =
        shift.direction == direction::kMinus || shift.direction == direction::kPlus;
    if (shifted && shift.value > RadioModel::kLargestPairOffset)
        shift.value = radio.DefaultOffset(rx);
    return shift;
}

} // namespace

// ---------------------------------------------------------------------------
// Export
// ---------------------------------------------------------------------------

const QStringList& ColumnNames() {
    static const QStringList names = [] {
        QStringList n{QStringLiteral("Channel Number")};
        for (const radio::ColumnDef& def : radio::kChannelColumns)
            n << QString::fromLatin1(def.importName);
        return n;
    }();
    return names;
}

QChar SeparatorFor(const QString& path) {
    return QFileInfo(path).suffix() == QLatin1String("tab") ? QLatin1Char('\t') : QLatin1Char(',');
}

namespace {
// The Memories rows an export writes: those with a receive frequency.
// The rows holding a receive frequency: the channel lines.
template <typename Cells>
QList<int> ExportedRows(const Cells& memories, int rows) {
    QList<int> exported;
    const int last = std::min(rows, radio::image::kMemoryCount);
    for (int row = 1; row <= last; ++row) {
        if (!memories.Text(radio::channelcol::kReceive, row).isEmpty())
            exported << row;
    }
    return exported;
}

template <typename Cells>
QString ExportLines(const Cells& memories, const QList<int>& rows, QChar separator) {
    QString text = RadioModel::FormatExportLine(radio::tab::kMemories, 0, memories, separator);
    for (int row : rows)
        text += RadioModel::FormatExportLine(radio::tab::kMemories, row, memories, separator);
    return text;
}
} // namespace

QString ExportText(RadioModel&, outside::CellStore& memoriesGrid, QChar separator) {
    const outside::CellTable& cells = memoriesGrid.Table();
    return ExportLines(cells, ExportedRows(cells, cells.Rows()), separator);
}

QByteArray ExportBytes(RadioModel& radio, outside::CellStore* memoriesGrid, QChar separator,
                       int* channels) {
    QList<int> rows;
    QString text;
    if (memoriesGrid) {
        const outside::CellTable& cells = memoriesGrid->Table();
        rows = ExportedRows(cells, cells.Rows());
        text = ExportLines(cells, rows, separator);
    } else {
        ChannelListTable memories(radio, radio::tab::kMemories);
        memories.Fill();
        const outside::CellTable& cells = memories;
        rows = ExportedRows(cells, memories.Rows());
        text = ExportLines(cells, rows, separator);
    }
    if (channels)
        *channels = static_cast<int>(rows.size());
    return text.toUtf8();
}

std::optional<ExportError> ExportFile(RadioModel& radio, outside::CellStore* memoriesGrid,
                                      const QString& path, int* channels) {
    int lines = 0;
    const auto error = SaveList(path, ExportBytes(radio, memoriesGrid, SeparatorFor(path), &lines));
    if (!error && channels)
        *channels = lines;
    return error;
}

std::optional<ExportError> SaveList(const QString& path, const QByteArray& bytes) {
    const auto error = document::filesave::Save(path, bytes);
    if (!error)
        return std::nullopt;
    if (error->kind == document::filesave::SaveError::Kind::CannotCreate)
        return ExportError{
            QStringLiteral("The data file could not be opened because of this error:") +
                error->reason.left(kMaxSystemText),
            QStringLiteral("Export Error"), error->reason};
    return ExportError{error->text, QStringLiteral("Export Error")};
}

// ---------------------------------------------------------------------------
// Import
// ---------------------------------------------------------------------------

int ImportRow(RadioModel& radio, const QStringList& fields, int lineIndex, QString* why) {
    auto skip = [&](const QString& reason) {
        if (why)
            *why = reason;
        return -1;
    };
    auto field = [&](int k) { return k < fields.size() ? fields[k] : QString(); };
    auto keyword = [&](int k) { return field(k).trimmed(); };

    // The channel: "Channel Number" n is memory channel n; a line without a
    // number goes to the channel of its line index.
    int index = lineIndex;
    if (!keyword(kNumber).isEmpty()) {
        const int n = LeadingNumber(keyword(kNumber));
        if (n < 1)
            return skip(QStringLiteral("channel number \"%1\" is no memory channel")
                            .arg(keyword(kNumber).left(20)));
        index = n - 1;
    }
    if (index < 0 || index >= radio::image::kMemoryCount)
        return skip(QStringLiteral("channel %1 is past the last memory channel (%2)")
                        .arg(index + 1)
                        .arg(radio::image::kMemoryCount));
    const int band = index + 1;

    using namespace radio::channelcol;
    radio::ChannelValues v;
    v.rx = radio.TextToFrequency(field(kReceive));
    if (!radio.IsValidFrequency(radio::tab::kMemories, v.rx, band))
        return skip(QStringLiteral("receive frequency \"%1\" the radio cannot use")
                        .arg(keyword(kReceive).left(20)));

    const Shift shift =
        ReadShift(radio, band, v.rx, keyword(kTransmit), keyword(kOffset), keyword(kDirection));
    v.direction = shift.direction;
    if (shift.direction == direction::kSplit) {
        v.tx = shift.value;
    } else {
        v.offset = shift.value;
        radio::Hz tx = radio.TransmitFrequency(v.rx, v.direction, v.offset, false);
        v.tx = std::max(tx, 0);
    }

    // The fields each column reads on its own.
    bool toneFound = false;
    for (const radio::ColumnDef& def : radio::kChannelColumns) {
        const QString text = keyword(def.column);
        switch (def.reading) {
        case radio::TextReading::Row:
            break;
        case radio::TextReading::Name:
            v.*def.text = field(def.column);
            break;
        case radio::TextReading::Mode:
            v.*def.number = ReadMode(text);
            break;
        case radio::TextReading::ToneMode:
            v.*def.number = ReadToneMode(text);
            break;
        case radio::TextReading::Ctcss: {
            const int tone = ReadCtcss(text);
            toneFound = tone >= 0;
            v.*def.number = toneFound ? tone : radio::kDefaultCtcss;
            break;
        }
        case radio::TextReading::Dcs:
            v.*def.number = ReadDcs(text);
            break;
        case radio::TextReading::Switch:
            v.*def.flag = ReadSwitch(text, def.onWords);
            break;
        case radio::TextReading::Step:
            v.*def.number = ReadStep(radio, text);
            break;
        case radio::TextReading::Power:
            v.*def.number = ReadPower(text);
            break;
        case radio::TextReading::Icon:
            v.*def.number = ReadIcon(text);
            break;
        case radio::TextReading::Mask:
            v.*def.flag = ReadMasked(text);
            break;
        }
    }
    // A tone without a tone mode is sent.
    if (toneFound && keyword(kToneMode).isEmpty())
        v.toneMode = tonemode::kEncode;

    Byte* image = radio.Image();
    if (!radio::EncodeChannel(radio, image, radio::tab::kMemories, index, v)) // nothing is written
        return skip(QStringLiteral("a frequency that does not fit the channel"));
    radio.SetComment(radio::tab::kMemories, index, field(kComment));
    return index;
}

ImportSummary ImportFile(RadioModel& radio, const QString& path) {
    ImportSummary summary;
    outside::ImportDataStruct request;
    request.names = ColumnNames();
    request.path = path;
    QList<QStringList> chirpRows;
    request.chooseNames = [&](const QStringList& firstLine) -> const QStringList* {
        summary.chirp = document::chirp::IsChirpHeader(firstLine);
        return summary.chirp ? &document::chirp::ColumnNames() : nullptr;
    };
    request.rowHandler = [&](const QStringList& fields, int lineIndex) {
        if (summary.chirp) {
            chirpRows.append(fields);
            return;
        }
        QString why;
        if (ImportRow(radio, fields, lineIndex, &why) >= 0) {
            ++summary.channels;
        } else {
            ++summary.skipped;
            // The header, when there is one, is the file's first line.
            if (summary.notes.size() < 100)
                summary.notes.append({lineIndex, why});
        }
    };
    const outside::ImportResult result = outside::ImportData(request);
    // Data lines were counted from 0; the file's lines from 1, after the
    // header when there is one.
    for (auto& note : summary.notes)
        note.first += result.header ? 2 : 1;
    summary.ok = result.ok;
    summary.message = result.message;
    summary.lines = result.dataLines;
    if (summary.chirp && result.ok) {
        const document::chirp::ImportOutcome outcome =
            document::chirp::ImportRows(radio, chirpRows);
        summary.channels = outcome.channels;
        summary.skipped = outcome.skipped;
        summary.changed = outcome.changed;
        summary.fromZero = outcome.fromZero;
        for (const document::chirp::LineNote& note : outcome.notes)
            summary.notes.append({note.line, note.reason});
    }
    if (summary.ok && summary.channels == 0) {
        const QString name = QFileInfo(path).fileName();
        summary.nothingImported =
            summary.lines == 0
                ? QStringLiteral("%1 holds no channel lines: nothing was imported.").arg(name)
                : QStringLiteral("None of the %1 lines of %2 has a receive frequency the radio "
                                 "can use: nothing was imported.")
                      .arg(summary.lines)
                      .arg(name);
    }
    return summary;
}

namespace {
QString Counts(const ImportSummary& summary) {
    QString text = QStringLiteral("Imported %1 of %2 lines into memory channels")
                       .arg(summary.channels)
                       .arg(summary.lines);
    if (summary.chirp)
        text += QStringLiteral(" from a CHIRP list");
    if (summary.fromZero)
        text += QStringLiteral(" (its locations count from 0: location n is channel n + 1)");
    text += QStringLiteral("; %1 skipped").arg(summary.skipped);
    if (summary.chirp)
        text += QStringLiteral(", %1 changed").arg(summary.changed);
    return text + QLatin1Char('.');
}

QString Note(const QPair<int, QString>& note) {
    return QStringLiteral("Line %1: %2").arg(note.first).arg(note.second);
}

// Every kept reason on a line of its own.
QString Reasons(const ImportSummary& summary) {
    QString text;
    for (const auto& note : summary.notes)
        text += Note(note) + QLatin1Char('\n');
    if (summary.skipped + summary.changed > summary.notes.size())
        text += QStringLiteral("(%1 more not listed)\n")
                    .arg(summary.skipped + summary.changed - summary.notes.size());
    return text;
}

} // namespace

QString SummaryLine(const ImportSummary& summary, int reasons) {
    QString text = Counts(summary);
    for (int i = 0; i < std::min<int>(reasons, static_cast<int>(summary.notes.size())); ++i)
        text += QLatin1Char(' ') + Note(summary.notes[i]) + QLatin1Char('.');
    if (summary.notes.size() > reasons)
        text += QStringLiteral(" ...");
    return text;
}

QString SummaryText(const ImportSummary& summary) {
    return Counts(summary) + QLatin1Char('\n') + Reasons(summary);
}

QString SummaryDetails(const ImportSummary& summary) {
    QStringList parts;
    if (summary.chirp)
        parts << (summary.fromZero ? QStringLiteral("From a CHIRP list (its locations count from "
                                                    "0: location n is channel n + 1)")
                                   : QStringLiteral("From a CHIRP list"));
    if (summary.skipped > 0 || summary.chirp)
        parts << QStringLiteral("%1 skipped").arg(summary.skipped);
    if (summary.chirp)
        parts.last() += QStringLiteral(", %1 changed").arg(summary.changed);
    if (parts.isEmpty())
        return Reasons(summary);
    return parts.join(QStringLiteral("; ")) + QStringLiteral(".\n") + Reasons(summary);
}

} // namespace document::textio
