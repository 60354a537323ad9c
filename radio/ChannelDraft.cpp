#include "radio/ChannelDraft.h"

#include "outside/CellTable.h"
#include "radio/ChoiceLists.h"
#include "radio/DataFileLayout.h"
#include "radio/RadioModel.h"

#include <algorithm>

namespace radio {

namespace {

// The cells of a draft by column (const or not, as the draft); null where
// the column holds another kind of cell.
template <typename D>
auto ListField(D& d, int column) -> decltype(&d.direction) {
    switch (column) {
    case channelcol::kDirection:
        return &d.direction;
    case channelcol::kMode:
        return &d.mode;
    case channelcol::kToneMode:
        return &d.toneMode;
    case channelcol::kCtcss:
        return &d.ctcss;
    case channelcol::kDcs:
        return &d.dcs;
    case channelcol::kStep:
        return &d.step;
    case channelcol::kPower:
        return &d.power;
    case channelcol::kIcon:
        return &d.icon;
    default:
        return nullptr;
    }
}

template <typename D>
auto CheckField(D& d, int column) -> decltype(&d.skip) {
    switch (column) {
    case channelcol::kSkip:
        return &d.skip;
    case channelcol::kPreferential:
        return &d.preferential;
    case channelcol::kClockShift:
        return &d.clockShift;
    case channelcol::kHalfDeviation:
        return &d.halfDeviation;
    case channelcol::kMask:
        return &d.mask;
    default:
        return nullptr;
    }
}

template <typename D>
auto FrequencyField(D& d, int column) -> decltype(&d.rx) {
    switch (column) {
    case channelcol::kReceive:
        return &d.rx;
    case channelcol::kTransmit:
        return &d.tx;
    default:
        return nullptr;
    }
}

template <typename D>
auto TextField(D& d, int column) -> decltype(&d.name) {
    switch (column) {
    case channelcol::kName:
        return &d.name;
    case channelcol::kComment:
        return &d.comment;
    default:
        return nullptr;
    }
}

QString ItemText(ChoiceList list, int index) {
    const outside::ChoiceListPtr& items = ChoiceItems(list);
    return items && index >= 0 && index < items->Count() ? items->Items()[index] : QString();
}

int ValidIndex(ChoiceList list, int index) {
    const outside::ChoiceListPtr& items = ChoiceItems(list);
    return items && index >= 0 && index < items->Count() ? index : -1;
}

int MaxLength(const ColumnDef& def) {
    return def.value == CellValue::Comment ? rdf::kCommentMaxText : def.maxLength;
}

// The units a typed frequency may end in.
constexpr const char* kUnits[] = {"k", "khz", "m", "mhz"};

// Whether a text has the form of a typed frequency: digits with a decimal
// point or comma (digits on at least one side of it), then spaces and a
// unit, k, kHz, m or MHz, in any case.
bool HasFrequencyForm(const QString& text) {
    const auto digit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && digit(text[i]))
        ++i;
    const bool whole = i > 0;
    bool fraction = false;
    if (i < n && (text[i] == QLatin1Char('.') || text[i] == QLatin1Char(','))) {
        ++i;
        for (; i < n && digit(text[i]); ++i)
            fraction = true;
    }
    if (!whole && !fraction)
        return false;
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    const QStringView unit = QStringView(text).mid(i);
    return unit.isEmpty() ||
           std::any_of(std::begin(kUnits), std::end(kUnits), [&unit](const char* u) {
               return unit.compare(QLatin1String(u), Qt::CaseInsensitive) == 0;
           });
}

} // namespace

FrequencyEntry ParseFrequency(const QString& typed) {
    FrequencyEntry entry;
    entry.text = typed;
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return entry;
    entry.kind = FrequencyEntry::Bad;
    if (!HasFrequencyForm(text))
        return entry;
    entry.hz = RadioModel::TextToFrequency(text);
    if (entry.hz > 0) {
        entry.kind = FrequencyEntry::Value;
        return entry;
    }
    entry.hz = 0;
    // Nothing but zeros reads as 0; any other digit made a number too large
    // for a frequency.
    const bool nonZero = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('1') && c <= QLatin1Char('9');
    });
    entry.kind = nonZero ? FrequencyEntry::Bad : FrequencyEntry::Zero;
    return entry;
}

bool ChannelDraft::operator==(const ChannelDraft& o) const {
    return rx == o.rx && tx == o.tx && offset == o.offset && direction == o.direction &&
           mode == o.mode && modeText == o.modeText && toneMode == o.toneMode && ctcss == o.ctcss &&
           dcs == o.dcs && step == o.step && power == o.power && icon == o.icon && name == o.name &&
           skip == o.skip && preferential == o.preferential && clockShift == o.clockShift &&
           halfDeviation == o.halfDeviation && mask == o.mask && comment == o.comment &&
           open == o.open;
}

QString CellText(const ChannelDraft& d, const ColumnDef& def) {
    if (def.value == CellValue::OffsetText)
        return d.offset.item >= 0 ? ItemText(def.list, d.offset.item) : d.offset.value.text;
    if (const FrequencyEntry* entry = FrequencyField(d, def.column))
        return entry->text;
    if (const int* index = ListField(d, def.column)) {
        if (def.column == channelcol::kMode && *index < 0)
            return d.modeText;
        return ItemText(def.list, *index);
    }
    if (const CheckMark* mark = CheckField(d, def.column)) {
        if (*mark == CheckMark::Empty)
            return QString();
        return *mark == CheckMark::On ? QStringLiteral("1") : QStringLiteral("0");
    }
    if (const QString* text = TextField(d, def.column))
        return *text;
    return QString();
}

void SetCellText(ChannelDraft& d, const ColumnDef& def, const QString& text) {
    const outside::ChoiceListPtr& items = ChoiceItems(def.list);
    const int item = text.isEmpty() || !items ? -1 : items->IndexOf(text);
    if (def.value == CellValue::OffsetText) {
        d.offset.item = item;
        d.offset.value = ParseFrequency(item >= 0 ? ItemText(def.list, item) : text);
    } else if (FrequencyEntry* entry = FrequencyField(d, def.column)) {
        *entry = ParseFrequency(text);
    } else if (int* index = ListField(d, def.column)) {
        *index = item;
        if (def.column == channelcol::kMode)
            d.modeText = item < 0 && items && items->Editable() ? text : QString();
    } else if (CheckMark* mark = CheckField(d, def.column)) {
        *mark = text.isEmpty()                        ? CheckMark::Empty
                : outside::cells::IsCheckedText(text) ? CheckMark::On
                                                      : CheckMark::Off;
    } else if (QString* field = TextField(d, def.column)) {
        const int length = MaxLength(def);
        *field = length > 0 && text.size() > length ? text.left(length) : text;
    }
}

int CellIndex(const ChannelDraft& d, const ColumnDef& def) {
    if (def.value == CellValue::OffsetText)
        return d.offset.item;
    const int* index = ListField(d, def.column);
    return def.value == CellValue::ListIndex && index ? *index : -1;
}

void SetCellIndex(ChannelDraft& d, const ColumnDef& def, int index) {
    if (def.value == CellValue::OffsetText) {
        d.offset.item = ValidIndex(def.list, index);
        d.offset.value = ParseFrequency(ItemText(def.list, d.offset.item));
        return;
    }
    int* field = ListField(d, def.column);
    if (def.value != CellValue::ListIndex || !field)
        return;
    *field = ValidIndex(def.list, index);
    if (def.column == channelcol::kMode)
        d.modeText.clear();
}

CheckMark CellCheck(const ChannelDraft& d, const ColumnDef& def) {
    const CheckMark* mark = CheckField(d, def.column);
    return mark ? *mark : CheckMark::Empty;
}

void SetCellCheck(ChannelDraft& d, const ColumnDef& def, CheckMark mark) {
    if (CheckMark* field = CheckField(d, def.column))
        *field = mark;
}

} // namespace radio
