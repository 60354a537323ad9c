#include "document/ChirpList.h"

#include "outside/DelimitedText.h"
#include "radio/RadioModel.h"
#include "radio/ValueTables.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace document::chirp {

using radio::Hz;
using radio::RadioModel;
namespace direction = radio::direction;
namespace tonemode = radio::tonemode;

namespace {

// Field positions, as ColumnNames() lists them.
enum Col : int {
    kLocation,
    kName,
    kFrequency,
    kDuplex,
    kOffset,
    kTone,
    kRToneFreq,
    kCToneFreq,
    kDtcsCode,
    kDtcsPolarity,
    kRxDtcsCode,
    kCrossMode,
    kMode,
    kTStep,
    kSkip,
    kPower,
    kComment,
    kUrCall,
    kRpt1Call,
    kRpt2Call,
    kDvCode,
    kColumnCount
};

// The radio's split tone modes and the cross modes they are.
struct CrossName {
    int toneMode;
    const char* crossMode;
};
constexpr CrossName kCrossModes[] = {
    {tonemode::kFirstSplit, "DTCS->"},
    {tonemode::kFirstSplit + 1, "Tone->DTCS"},
    {tonemode::kLastSplit, "DTCS->Tone"},
};
constexpr char kDefaultCrossMode[] = "Tone->Tone";

constexpr int kModeFm = 0;
constexpr int kModeAm = 1;
constexpr int kModeWfm = 2;

// Notes beyond these are counted but not kept: a summary shows a few.
constexpr int kMaxNotes = 100;

bool Is(const QString& text, const char* word) {
    return text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

// A decimal number of MHz (or kHz, by scale) as Hz, rounded to the hertz;
// -1 when the text is no such number.
Hz ReadDecimal(const QString& text, std::int64_t scale) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return -1;
    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    std::int64_t unit = scale;
    bool point = false;
    bool digits = false;
    for (const QChar c : t) {
        if (c == QLatin1Char('.') && !point) {
            point = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        digits = true;
        const int d = c.unicode() - '0';
        if (!point) {
            whole = whole * 10 + d;
            if (whole > 100000)
                return -1;
        } else if (unit >= 10) {
            unit /= 10;
            fraction += d * unit;
        }
    }
    if (!digits)
        return -1;
    const std::int64_t hz = whole * scale + fraction;
    return hz > std::numeric_limits<Hz>::max() ? -1 : static_cast<Hz>(hz);
}

QString Mhz(Hz hz) {
    return QStringLiteral("%1.%2").arg(hz / 1000000).arg(hz % 1000000, 6, 10, QLatin1Char('0'));
}

// A tone in Hz ("88.5") as its table index: the nearest tone of the table;
// exact is false when the tone is not in it. -1 when the text is no tone.
int ReadTone(const QString& text, bool* exact) {
    const Hz tenths = ReadDecimal(text, 10);
    if (tenths <= 0)
        return -1;
    int best = 0;
    for (int i = 1; i < radio::kCtcssCount; ++i) {
        if (std::abs(radio::kCtcssTenths[static_cast<size_t>(i)] - tenths) <
            std::abs(radio::kCtcssTenths[static_cast<size_t>(best)] - tenths))
            best = i;
    }
    *exact = radio::kCtcssTenths[static_cast<size_t>(best)] == tenths;
    return best;
}

QString ToneText(int index) {
    const int tenths = radio::kCtcssTenths[static_cast<size_t>(std::clamp(index, 0, 49))];
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

// A DCS code's digits ("023") as its table index; -1 when not in the table.
int ReadDcs(const QString& text) {
    bool ok = false;
    const int code = text.trimmed().toInt(&ok);
    return ok ? radio::DcsIndex(code) : -1;
}

QString DcsText(int index) {
    return QStringLiteral("%1").arg(
        radio::kDcsCodes[static_cast<size_t>(std::clamp(index, 0, 103))], 3, 10, QLatin1Char('0'));
}

// A power text: a level's name, or watts ("5.0W") onto the nearest level
// the radio has at rx (ties go to the higher). -1 when it is neither.
int ReadPower(const QString& text, Hz rx) {
    const QString t = text.trimmed();
    if (t.isEmpty() || Is(t, "High") || Is(t, "Hi") || Is(t, "H"))
        return radio::kPowerHigh;
    if (Is(t, "L3") || Is(t, "Low3") || Is(t, "Low 3"))
        return 2;
    if (Is(t, "L2") || Is(t, "Low2") || Is(t, "Low 2") || Is(t, "Mid") || Is(t, "Med"))
        return 1;
    if (Is(t, "L1") || Is(t, "Low1") || Is(t, "Low 1") || Is(t, "Low") || Is(t, "L"))
        return 0;
    if (!t.endsWith(QLatin1Char('W'), Qt::CaseInsensitive))
        return -1;
    const Hz milliwatts = ReadDecimal(t.chopped(1), 1000);
    if (milliwatts < 0)
        return -1;
    const radio::PowerLevels& levels = radio::PowerLevelsAt(rx);
    int best = 0;
    for (int i = 1; i < radio::kPowerLevelCount; ++i) {
        if (std::abs(levels[static_cast<size_t>(i)] - milliwatts) <=
            std::abs(levels[static_cast<size_t>(best)] - milliwatts))
            best = i;
    }
    return best;
}

const char* PowerText(int power) {
    static const char* const kNames[] = {"L1", "L2", "L3", "Hi"};
    return kNames[std::clamp(power, 0, radio::kPowerHigh)];
}

// A step in kHz ("12.50") as its list index; -1 when the radio has no such
// step.
int ReadStep(const QString& text) {
    const Hz size = ReadDecimal(text, 1000);
    for (int i = 0; i < radio::kStepCount; ++i) {
        if (radio::kSteps[static_cast<size_t>(i)].size == size)
            return i;
    }
    return -1;
}

QString StepText(int step) {
    const Hz size = radio::kSteps[static_cast<size_t>(std::clamp(step, 0, 8))].size;
    return QStringLiteral("%1.%2").arg(size / 1000).arg(size % 1000 / 10, 2, 10, QLatin1Char('0'));
}

// One line being read: its values and what had to change.
class Line {
public:
    Line(RadioModel& radio, const QStringList& fields) : m_radio(radio), m_fields(fields) {}

    QString Field(int k) const { return k < m_fields.size() ? m_fields[k] : QString(); }
    QString Word(int k) const { return Field(k).trimmed(); }
    void Change(const QString& why) {
        if (!m_changes.isEmpty())
            m_changes += QStringLiteral("; ");
        m_changes += why;
    }
    const QString& Changes() const { return m_changes; }

    // Fills v; returns the reason the line is skipped, or an empty text.
    QString Read(radio::ChannelValues& v);

private:
    QString ReadShift(radio::ChannelValues& v);
    void ReadTones(radio::ChannelValues& v);
    void ReadName(radio::ChannelValues& v);

    RadioModel& m_radio;
    const QStringList& m_fields;
    QString m_changes;
};

QString Line::ReadShift(radio::ChannelValues& v) {
    const QString duplex = Word(kDuplex);
    const Hz offset = ReadDecimal(Field(kOffset), 1000000);
    v.direction = direction::kSimplex;
    v.tx = v.rx;
    // A channel without a shift keeps the band's own offset, as a channel
    // typed in gets: switched to Plus or Minus later, it has a usable one.
    v.offset = RadioModel::DefaultOffset(v.rx);
    if (duplex.isEmpty())
        return {};
    if (Is(duplex, "off")) {
        Change(QStringLiteral("transmit inhibit (off) imported as simplex"));
        return {};
    }
    if (Is(duplex, "split")) {
        if (offset < 0 || !m_radio.IsValidFrequency(radio::tab::kMemories, offset, 1))
            return QStringLiteral("split transmit frequency %1 the radio cannot use")
                .arg(Word(kOffset));
        v.direction = direction::kSplit;
        v.tx = offset;
        return {};
    }
    const bool plus = duplex == QLatin1String("+");
    if (!plus && duplex != QLatin1String("-"))
        return QStringLiteral("unknown duplex \"%1\"").arg(duplex);
    if (offset <= 0)
        return {};
    const Hz tx = plus ? v.rx + offset : v.rx - offset;
    if (m_radio.IsValidOffset(offset)) {
        v.direction = plus ? direction::kPlus : direction::kMinus;
        v.offset = offset;
        v.tx = tx;
        return {};
    }
    if (tx > 0 && m_radio.IsValidFrequency(radio::tab::kMemories, tx, 1)) {
        Change(QStringLiteral("offset %1 MHz stored as split").arg(Word(kOffset)));
        v.direction = direction::kSplit;
        v.tx = tx;
        return {};
    }
    return QStringLiteral("offset %1 MHz the radio cannot use").arg(Word(kOffset));
}

void Line::ReadTones(radio::ChannelValues& v) {
    // The tone and code columns count even when unused: the channel keeps
    // them for the day its tone mode is switched on.
    bool exactR = true;
    bool exactC = true;
    const int rTone = ReadTone(Field(kRToneFreq), &exactR);
    const int cTone = ReadTone(Field(kCToneFreq), &exactC);
    const int txCode = ReadDcs(Field(kDtcsCode));
    const int rxCode = ReadDcs(Field(kRxDtcsCode));
    v.ctcss = rTone >= 0 ? rTone : (cTone >= 0 ? cTone : radio::kDefaultCtcss);
    v.dcs = std::max(txCode, 0);

    auto useTone = [&](int tone, bool exact, int column) {
        if (tone < 0) {
            Change(QStringLiteral("no tone given, %1 Hz used").arg(ToneText(radio::kDefaultCtcss)));
            tone = radio::kDefaultCtcss;
        } else if (!exact) {
            Change(QStringLiteral("tone %1 Hz not in the radio's list, %2 Hz used")
                       .arg(Word(column), ToneText(tone)));
        }
        v.ctcss = tone;
    };
    auto useCode = [&](int code, int column) {
        if (code < 0) {
            Change(QStringLiteral("DCS code \"%1\" not in the radio's list, 023 used")
                       .arg(Word(column)));
            code = 0;
        }
        v.dcs = code;
    };
    auto polarity = [&]() {
        const QString p = Word(kDtcsPolarity);
        if (!p.isEmpty() && !Is(p, "NN"))
            Change(QStringLiteral("DCS polarity %1 cannot be stored (NN)").arg(p));
    };

    const QString tone = Word(kTone);
    const QString cross = Word(kCrossMode);
    v.toneMode = tonemode::kNone;
    if (tone.isEmpty())
        return;
    if (Is(tone, "Tone")) {
        v.toneMode = tonemode::kEncode;
        useTone(rTone, exactR, kRToneFreq);
    } else if (Is(tone, "TSQL")) {
        v.toneMode = tonemode::kDecode;
        useTone(cTone, exactC, kCToneFreq);
    } else if (Is(tone, "DTCS")) {
        v.toneMode = tonemode::kDcs;
        useCode(txCode, kDtcsCode);
        polarity();
    } else if (Is(tone, "TSQL-R")) {
        v.toneMode = tonemode::kDecode;
        useTone(cTone, exactC, kCToneFreq);
        Change(QStringLiteral("reverse tone squelch (TSQL-R) imported as TSQL"));
    } else if (Is(tone, "DTCS-R")) {
        v.toneMode = tonemode::kDcs;
        useCode(txCode, kDtcsCode);
        polarity();
        Change(QStringLiteral("reverse DCS (DTCS-R) imported as DTCS"));
    } else if (Is(tone, "Cross")) {
        if (Is(cross, "DTCS->")) {
            v.toneMode = tonemode::kFirstSplit;
            useCode(txCode, kDtcsCode);
            polarity();
        } else if (Is(cross, "Tone->DTCS")) {
            v.toneMode = tonemode::kFirstSplit + 1;
            useTone(rTone, exactR, kRToneFreq);
            useCode(rxCode, kRxDtcsCode);
            polarity();
        } else if (Is(cross, "DTCS->Tone")) {
            v.toneMode = tonemode::kLastSplit;
            useCode(txCode, kDtcsCode);
            useTone(cTone, exactC, kCToneFreq);
            polarity();
        } else if (Is(cross, "Tone->")) {
            v.toneMode = tonemode::kEncode;
            useTone(rTone, exactR, kRToneFreq);
        } else if (Is(cross, "DTCS->DTCS") || Is(cross, "->DTCS")) {
            v.toneMode = tonemode::kDcs;
            const bool hasTx = txCode >= 0 && !cross.startsWith(QLatin1String("->"));
            useCode(hasTx ? txCode : rxCode, hasTx ? kDtcsCode : kRxDtcsCode);
            polarity();
            Change(QStringLiteral("cross mode %1 imported as DTCS").arg(cross));
            if (hasTx && rxCode >= 0 && rxCode != txCode)
                Change(QStringLiteral("receive DCS code %1 differs, transmit code %2 kept")
                           .arg(Word(kRxDtcsCode), DcsText(v.dcs)));
        } else {
            // Tone->Tone, ->Tone and anything else: tone squelch on one tone,
            // the transmit tone when there is one.
            v.toneMode = tonemode::kDecode;
            const bool hasTx = rTone >= 0 && !cross.startsWith(QLatin1String("->"));
            useTone(hasTx ? rTone : cTone, hasTx ? exactR : exactC,
                    hasTx ? kRToneFreq : kCToneFreq);
            Change(QStringLiteral("cross mode %1 imported as TSQL")
                       .arg(cross.isEmpty() ? QStringLiteral("(none)") : cross));
        }
    } else {
        Change(QStringLiteral("tone mode \"%1\" imported as none").arg(tone));
    }
}

void Line::ReadName(radio::ChannelValues& v) {
    QString name = Field(kName).left(radio::record::kNameSize);
    int replaced = 0;
    for (QChar& c : name) {
        const ushort u = c.unicode();
        if (u > 0xFF || radio::CharacterCode(static_cast<std::uint8_t>(u)) < 0 || u < 0x20) {
            c = QLatin1Char(' ');
            ++replaced;
        }
    }
    if (replaced)
        Change(QStringLiteral("%1 character(s) of the name replaced by blanks").arg(replaced));
    v.name = name;
}

QString Line::Read(radio::ChannelValues& v) {
    v.rx = ReadDecimal(Field(kFrequency), 1000000);
    if (v.rx <= 0 || !m_radio.IsValidFrequency(radio::tab::kMemories, v.rx, 1))
        return QStringLiteral("frequency \"%1\" the radio cannot receive").arg(Word(kFrequency));

    const QString mode = Word(kMode);
    if (mode.isEmpty() || Is(mode, "FM")) {
        v.mode = kModeFm;
    } else if (Is(mode, "NFM")) {
        v.mode = kModeFm;
        v.halfDeviation = true;
    } else if (Is(mode, "AM")) {
        v.mode = kModeAm;
    } else if (Is(mode, "WFM")) {
        v.mode = kModeWfm;
    } else {
        return QStringLiteral("mode %1 the radio does not have").arg(mode);
    }

    if (QString why = ReadShift(v); !why.isEmpty())
        return why;
    ReadTones(v);
    ReadName(v);

    const QString step = Word(kTStep);
    v.step = step.isEmpty() ? 0 : ReadStep(step);
    if (v.step < 0) {
        Change(QStringLiteral("step %1 kHz not in the radio's list, 5 kHz used").arg(step));
        v.step = 0;
    }

    const QString skip = Word(kSkip);
    v.skip = Is(skip, "S");
    v.preferential = Is(skip, "P");
    if (!skip.isEmpty() && !v.skip && !v.preferential)
        Change(QStringLiteral("scan setting \"%1\" ignored").arg(skip));

    v.power = ReadPower(Field(kPower), v.rx);
    if (v.power < 0) {
        Change(QStringLiteral("power \"%1\" unknown, High used").arg(Word(kPower)));
        v.power = radio::kPowerHigh;
    }
    return {};
}

// The location a line names, or -1 when it names none.
int Location(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n >= 0 ? n : -1;
}

} // namespace

const QStringList& ColumnNames() {
    static const QStringList names = {
        QStringLiteral("Location"),     QStringLiteral("Name"),       QStringLiteral("Frequency"),
        QStringLiteral("Duplex"),       QStringLiteral("Offset"),     QStringLiteral("Tone"),
        QStringLiteral("rToneFreq"),    QStringLiteral("cToneFreq"),  QStringLiteral("DtcsCode"),
        QStringLiteral("DtcsPolarity"), QStringLiteral("RxDtcsCode"), QStringLiteral("CrossMode"),
        QStringLiteral("Mode"),         QStringLiteral("TStep"),      QStringLiteral("Skip"),
        QStringLiteral("Power"),        QStringLiteral("Comment"),    QStringLiteral("URCALL"),
        QStringLiteral("RPT1CALL"),     QStringLiteral("RPT2CALL"),   QStringLiteral("DVCODE"),
    };
    return names;
}

bool IsChirpHeader(const QStringList& titles) {
    auto has = [&](const char* name) {
        return std::any_of(titles.begin(), titles.end(), [&](const QString& t) {
            return t.trimmed().compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
        });
    };
    return has("Location") && has("Frequency") && has("Name");
}

ImportOutcome ImportRows(RadioModel& radio, const QList<QStringList>& rows) {
    ImportOutcome outcome;
    outcome.fromZero = std::any_of(rows.begin(), rows.end(), [](const QStringList& fields) {
        return Location(fields.value(kLocation)) == 0;
    });
    auto note = [&](int line, const QString& reason) {
        if (outcome.notes.size() < kMaxNotes)
            outcome.notes.append({line, reason});
    };
    radio::Byte* image = radio.Image();
    // The line each channel was taken from: a location named again later
    // keeps the first line's channel, and the repeat is skipped.
    std::vector<int> takenBy(static_cast<size_t>(radio::image::kMemoryCount) + 1, 0);
    for (int i = 0; i < rows.size(); ++i) {
        const int lineNumber = i + 2; // after the header line
        const QStringList& fields = rows[i];
        const int location = Location(fields.value(kLocation));
        const int channel = location < 0 ? -1 : location + (outcome.fromZero ? 1 : 0);
        if (channel < 1 || channel > radio::image::kMemoryCount) {
            ++outcome.skipped;
            note(lineNumber,
                 location < 0 ? QStringLiteral("location \"%1\" is no channel number")
                                    .arg(fields.value(kLocation).trimmed().left(20))
                              : QStringLiteral("location %1 is past the last memory channel (%2)")
                                    .arg(location)
                                    .arg(radio::image::kMemoryCount));
            continue;
        }
        if (const int first = takenBy[static_cast<size_t>(channel)]) {
            ++outcome.skipped;
            note(lineNumber, QStringLiteral("location %1 was already imported from line %2, "
                                            "which is kept")
                                 .arg(location)
                                 .arg(first));
            continue;
        }
        Line line(radio, fields);
        radio::ChannelValues v;
        const QString skip = line.Read(v);
        if (!skip.isEmpty() ||
            !radio::EncodeChannel(radio, image, radio::tab::kMemories, channel - 1, v)) {
            ++outcome.skipped;
            note(lineNumber,
                 skip.isEmpty() ? QStringLiteral("a frequency the radio cannot store") : skip);
            continue;
        }
        QString comment = fields.value(kComment);
        comment.replace(QLatin1Char('\n'), QLatin1Char(' '))
            .replace(QLatin1Char('\r'), QLatin1Char(' '));
        radio.SetComment(radio::tab::kMemories, channel - 1, comment);
        takenBy[static_cast<size_t>(channel)] = lineNumber;
        ++outcome.channels;
        if (!line.Changes().isEmpty()) {
            ++outcome.changed;
            note(lineNumber, line.Changes());
        }
    }
    return outcome;
}

QByteArray ExportBytes(RadioModel& radio, int* channels) {
    const QChar comma = QLatin1Char(',');
    QString text = ColumnNames().join(comma) + QLatin1Char('\n');
    const radio::Byte* image = radio.Image();
    QStringList f;
    int lines = 0;
    for (int index = 0; index < radio::image::kMemoryCount; ++index) {
        if (!radio.IsUsed(image, radio::tab::kMemories, index))
            continue;
        const radio::ChannelValues v =
            radio::DecodeChannel(radio, image, radio::tab::kMemories, index);
        if (v.rx <= 0)
            continue;
        f.clear();
        for (int k = 0; k < kColumnCount; ++k)
            f.append(QString());
        f[kLocation] = QString::number(index + 1);
        QString name = v.name;
        while (name.endsWith(QLatin1Char(' ')))
            name.chop(1);
        f[kName] = name;
        f[kFrequency] = Mhz(v.rx);
        switch (v.direction) {
        case direction::kMinus:
            f[kDuplex] = QStringLiteral("-");
            f[kOffset] = Mhz(v.offset);
            break;
        case direction::kPlus:
            f[kDuplex] = QStringLiteral("+");
            f[kOffset] = Mhz(v.offset);
            break;
        case direction::kSplit:
            f[kDuplex] = QStringLiteral("split");
            f[kOffset] = Mhz(std::max(v.tx, 0));
            break;
        default:
            f[kOffset] = Mhz(0);
            break;
        }
        f[kRToneFreq] = ToneText(v.ctcss);
        f[kCToneFreq] = ToneText(v.ctcss);
        f[kDtcsCode] = DcsText(v.dcs);
        f[kDtcsPolarity] = QStringLiteral("NN");
        f[kRxDtcsCode] = DcsText(v.dcs);
        f[kCrossMode] = QString::fromLatin1(kDefaultCrossMode);
        switch (v.toneMode) {
        case tonemode::kEncode:
            f[kTone] = QStringLiteral("Tone");
            break;
        case tonemode::kDecode:
            f[kTone] = QStringLiteral("TSQL");
            break;
        case tonemode::kDcs:
            f[kTone] = QStringLiteral("DTCS");
            break;
        default:
            for (const CrossName& cross : kCrossModes) {
                if (cross.toneMode == v.toneMode) {
                    f[kTone] = QStringLiteral("Cross");
                    f[kCrossMode] = QString::fromLatin1(cross.crossMode);
                }
            }
            break;
        }
        f[kMode] = v.mode == kModeAm    ? QStringLiteral("AM")
                   : v.mode == kModeWfm ? QStringLiteral("WFM")
                   : v.halfDeviation    ? QStringLiteral("NFM")
                                        : QStringLiteral("FM");
        f[kTStep] = StepText(v.step);
        f[kSkip] = v.skip ? QStringLiteral("S") : v.preferential ? QStringLiteral("P") : QString();
        f[kPower] = QString::fromLatin1(PowerText(v.power));
        f[kComment] = radio.Comment(radio::tab::kMemories, index);
        for (int k = 0; k < kColumnCount; ++k) {
            if (k)
                text += comma;
            text += outside::delimited::QuoteField(f[k], comma);
        }
        text += QLatin1Char('\n');
        ++lines;
    }
    if (channels)
        *channels = lines;
    return text.toUtf8();
}

} // namespace document::chirp
