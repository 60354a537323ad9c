#include "radio/EntryRules.h"

#include "radio/ChannelRecord.h"
#include "radio/ChannelTables.h"
#include "radio/RadioModel.h"

#include <algorithm>
#include <cstring>

namespace radio::entry {

namespace {

constexpr Hz kKilohertz = 1000;

// The offset text a transmit frequency without a standard shift leaves.
const char* const kSplitOffsetText = "600 kHz";

const ColumnDef& Column(int column) {
    return *ChannelColumn(column);
}

void SetOffsetText(ChannelDraft& d, const QString& text) {
    SetCellText(d, Column(channelcol::kOffset), text);
}

// The offset as its cell shows it: the list item when the list has it, else
// the value as format writes it.
void SetOffset(ChannelDraft& d, Hz offset, QString (*format)(Hz)) {
    const int item = RadioModel::OffsetListIndex(offset);
    if (item >= 0)
        SetCellIndex(d, Column(channelcol::kOffset), item);
    else
        SetOffsetText(d, format(offset));
}

void SetDirection(ChannelDraft& d, int dir) {
    SetCellIndex(d, Column(channelcol::kDirection), dir);
}

void SetTransmit(ChannelDraft& d, Hz tx) {
    if (tx > 0)
        d.tx = ParseFrequency(FrequencyText(tx));
}

bool ValidReceive(const Context& at, const ChannelDraft& d) {
    return d.rx.kind == FrequencyEntry::Value && at.radio.IsValidFrequency(at.tab, d.rx.hz, at.row);
}

// An emptied receive frequency: the channel goes, and its cells lock.
void EmptyChannel(ChannelDraft& d) {
    d = ChannelDraft{};
}

// The transmit frequency from the offset and direction (the band's own
// offset when there is none yet).
void ApplyOffset(ChannelDraft& d) {
    if (d.rx.kind != FrequencyEntry::Value || d.offset.value.kind == FrequencyEntry::Bad)
        return;
    Hz offset = d.offset.value.hz;
    if (d.offset.value.IsBlank()) {
        offset = RadioModel::DefaultOffset(d.rx.hz);
        SetOffset(d, offset, OffsetText);
    }
    int dir = d.direction;
    SetTransmit(d, RadioModel::TransmitFrequency(d.rx.hz, dir, offset, true));
    SetDirection(d, dir);
}

// The offset and direction from a typed transmit frequency; one no shift
// reaches makes the channel split.
void ApplyTransmit(ChannelDraft& d) {
    if (d.rx.kind != FrequencyEntry::Value || d.tx.kind != FrequencyEntry::Value)
        return;
    int dir = d.direction;
    if (dir == direction::kSplit)
        return;
    const Hz offset = RadioModel::OffsetFromPair(d.rx.hz, dir, d.tx.hz);
    SetDirection(d, dir);
    if (offset <= 0) {
        SetDirection(d, direction::kSplit);
        SetOffsetText(d, QString::fromLatin1(kSplitOffsetText));
    } else {
        SetOffset(d, offset, OffsetText);
    }
}

void ApplyDirection(ChannelDraft& d, bool wasSplit) {
    if (d.rx.kind != FrequencyEntry::Value)
        return;
    int dir = d.direction;
    Hz offset = d.offset.value.kind == FrequencyEntry::Value ? d.offset.value.hz : 0;
    // Leaving Split, or a shift without a usable offset: the band's own
    // offset, never what a split row's offset cell showed.
    if ((dir == direction::kMinus || dir == direction::kPlus) &&
        (wasSplit || !RadioModel::IsValidOffset(offset))) {
        offset = RadioModel::DefaultOffset(d.rx.hz);
        SetOffset(d, offset, OffsetText);
    }
    SetTransmit(d, RadioModel::TransmitFrequency(d.rx.hz, dir, offset, false));
}

} // namespace

Field FieldOfColumn(int column) {
    switch (column) {
    case channelcol::kReceive:
        return Field::Receive;
    case channelcol::kTransmit:
        return Field::Transmit;
    case channelcol::kOffset:
        return Field::Offset;
    case channelcol::kDirection:
        return Field::Direction;
    case channelcol::kSkip:
        return Field::Skip;
    case channelcol::kPreferential:
        return Field::Preferential;
    default:
        return Field::Other;
    }
}

bool OpenChannel(const Context& at, ChannelDraft& d, const Byte* defaults) {
    if (!ValidReceive(at, d))
        return false;
    const bool seed = at.set == 0 && IsChannelListTab(at.tab) && d.tx.IsBlank();
    if (seed)
        Seed(at.radio, defaults, d.rx.hz, d);
    d.open = true;
    return seed;
}

bool AfterEdit(const Context& at, Field field, const ChannelDraft* before, ChannelDraft& d,
               const Byte* defaults) {
    switch (field) {
    case Field::Receive: {
        if (d.rx.IsBlank()) {
            EmptyChannel(d);
            return false;
        }
        if (!ValidReceive(at, d))
            return false;
        // However the events came, a blank row is seeded first.
        const bool seeded = OpenChannel(at, d, defaults);
        // A split channel keeps its own transmit frequency.
        if (d.direction != direction::kSplit)
            ApplyOffset(d);
        return seeded;
    }
    case Field::Offset:
        ApplyOffset(d);
        return false;
    case Field::Transmit:
        ApplyTransmit(d);
        return false;
    case Field::Direction:
        ApplyDirection(d, before && before->direction == direction::kSplit);
        return false;
    default:
        return false;
    }
}

std::optional<Refusal> CheckField(const Context& at, Field field, const ChannelDraft& d) {
    switch (field) {
    case Field::Receive:
        if (d.rx.IsBlank() || ValidReceive(at, d))
            return std::nullopt;
        return Refusal{QString::fromLatin1(kBadReceive), true};
    case Field::Transmit: {
        // Only a channel has a transmit frequency to check.
        if (d.rx.kind != FrequencyEntry::Value)
            return std::nullopt;
        const Hz hz = d.tx.kind == FrequencyEntry::Value ? d.tx.hz : 0;
        if (d.tx.kind == FrequencyEntry::Value && at.radio.IsValidFrequency(at.tab, hz, at.row))
            return std::nullopt;
        return Refusal{QString::fromLatin1(kBadTransmit).arg(hz), true};
    }
    case Field::Offset: {
        // A split row's offset cell is no offset: nothing reads it back.
        if (d.direction == direction::kSplit)
            return std::nullopt;
        const FrequencyEntry& off = d.offset.value;
        if (off.kind == FrequencyEntry::Bad ||
            (off.kind == FrequencyEntry::Value && !RadioModel::IsValidOffset(off.hz)))
            return Refusal{QString::fromLatin1(kBadOffset), false};
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<QString> EditRefused(const ChannelDraft& d) {
    if (d.rx.kind == FrequencyEntry::Value)
        return std::nullopt;
    return QString::fromLatin1(kNeedReceive);
}

void ExcludeSkipPreferential(Field clicked, ChannelDraft& d) {
    if (clicked == Field::Skip && d.skip == CheckMark::On)
        d.preferential = CheckMark::Off;
    else if (clicked == Field::Preferential && d.preferential == CheckMark::On)
        d.skip = CheckMark::Off;
}

bool LeaveCell(const Context& at, Field field, ChannelDraft& d, bool rowChanges) {
    if (field == Field::Receive && d.rx.IsBlank()) {
        d.open = false;
        return false;
    }
    if (at.set != 0)
        return false; // the hyper sets neither open here nor give defaults
    if (field == Field::Receive && d.rx.kind == FrequencyEntry::Value)
        d.open = true;
    return rowChanges;
}

bool LeaveRow(const Context& at, ChannelDraft& d) {
    if (at.set != 0 || !IsChannelListTab(at.tab))
        return false;
    // A row without a receive frequency keeps its other cells locked;
    // programmed rows stay editable.
    if (d.rx.IsBlank())
        d.open = false;
    return true;
}

void Seed(const RadioModel& radio, const Byte* defaults, Hz rx, ChannelDraft& d) {
    d.open = true;
    // The default record's offset field holds whole kHz.
    const std::int64_t storedKhz = RadioModel::StoredOffset(defaults);
    Hz offset = storedKhz >= 0 ? static_cast<Hz>(storedKhz * kKilohertz) : 0;
    if (!RadioModel::IsValidOffset(offset))
        offset = RadioModel::DefaultOffset(rx);
    SetOffset(d, offset, OffsetText);

    int dir = direction::kSimplex;
    SetTransmit(d, radio.TransmitFrequency(rx, dir, offset, true));
    SetDirection(d, dir);

    const ConstChannelRecord r(defaults);
    const auto set = [&](int column, int index) { SetCellIndex(d, Column(column), index); };
    set(channelcol::kMode, r.Mode());
    set(channelcol::kToneMode, r.ToneMode());
    set(channelcol::kCtcss, r.Ctcss());
    set(channelcol::kDcs, r.Dcs());
    set(channelcol::kStep, r.Step());
    set(channelcol::kPower, r.Power());
    set(channelcol::kIcon, r.Icon());
    d.comment.clear();
}

bool CaptureDefault(Byte* rec, const ChannelDraft& d) {
    if (d.rx.kind != FrequencyEntry::Value)
        return false;
    std::memset(rec, 0, image::kRecordSize);
    const auto index = [](int value) { return std::max(value, 0); };
    ChannelRecord r(rec);
    r.SetDirection(index(d.direction));
    r.SetMode(index(d.mode));
    r.SetToneMode(index(d.toneMode));
    r.SetCtcss(index(d.ctcss));
    r.SetDcs(index(d.dcs));
    r.SetStep(index(d.step));
    r.SetClockShift(d.clockShift == CheckMark::On);
    r.SetHalfDeviation(d.halfDeviation == CheckMark::On);
    r.SetPower(index(d.power));
    r.SetIcon(index(d.icon));
    return true;
}

std::vector<int> PackGroup(std::vector<int> members, int cleared) {
    if (cleared >= 0 && cleared < static_cast<int>(members.size()) && members[cleared] == 0) {
        members.erase(members.begin() + cleared);
        members.push_back(-1);
    }
    std::stable_sort(members.begin(), members.end(), [](int a, int b) {
        if (a <= 0 || b <= 0)
            return a > 0 && b <= 0;
        return a < b;
    });
    return members;
}

} // namespace radio::entry
