// The channel codec: a channel record or a receiver set of a hyper memory
// to the values its cells show, and back.
#include "radio/ChannelColumns.h"

#include "radio/ChannelRecord.h"
#include "radio/FrequencyCodec.h"
#include "radio/RadioModel.h"

#include <cstring>

namespace radio {

namespace {

// The transmit frequency by the direction from the receive frequency and
// the offset field; kNoFrequency when a field it needs holds no number. (A
// negative result shows as an empty cell too.)
Hz TransmitOf(Hz rx, int dir, Hz offsetField) {
    const bool both = rx >= 0 && offsetField >= 0;
    switch (dir) {
    case direction::kSimplex:
        return rx;
    case direction::kMinus:
        return both ? rx - offsetField : kNoFrequency;
    case direction::kPlus:
        return both ? rx + offsetField : kNoFrequency;
    case direction::kSplit:
        return offsetField;
    default:
        return kNoFrequency;
    }
}

// The frequencies and direction from the fields as stored.
void SetFrequencies(ChannelValues& v, Hz rx, int dir, Hz offsetField) {
    v.rx = rx;
    v.direction = dir;
    v.tx = TransmitOf(rx, dir, offsetField);
    v.offset = dir == direction::kSplit ? kSplitOffsetPlaceholder : offsetField;
}

} // namespace

ChannelValues DecodeChannel(const RadioModel& radio, const Byte* image, int t, int index) {
    const ConstChannelRecord r(radio.RecordForRow(image, t, index));
    ChannelValues v;
    SetFrequencies(v, DecodeFrequency3(r.RxField()), r.Direction(),
                   DecodeFrequency3(r.OffsetField()));
    v.mode = r.Mode();
    v.name = radio.DecodeName(r.NameField());
    v.toneMode = r.ToneMode();
    v.ctcss = r.Ctcss();
    v.dcs = r.Dcs();
    v.skip = radio.IsSkip(image, t, index);
    v.preferential = radio.IsPreferential(image, t, index);
    v.step = r.Step();
    v.clockShift = r.ClockShift();
    v.halfDeviation = r.HalfDeviation();
    v.power = r.Power();
    v.icon = r.Icon();
    v.masked = radio.IsMasked(image, t, index);
    return v;
}

bool BuildChannelRecord(const RadioModel& radio, Byte* rec, const ChannelValues& v) {
    std::memset(rec, 0, record::kSize);
    ChannelRecord r(rec);
    if (!EncodeFrequency3(r.RxField(), v.rx))
        return false;
    r.SetMode(v.mode);
    r.SetDirection(v.direction);
    if (v.OffsetField() < 0 || !EncodeFrequency3(r.OffsetField(), v.OffsetField()))
        return false;
    radio.EncodeName(r.NameField(), v.name);
    r.SetToneMode(v.toneMode);
    r.SetCtcss(v.ctcss);
    r.SetDcs(v.dcs);
    r.SetStep(v.step);
    r.SetOffStep(RadioModel::IsOffStep(v.rx, v.step));
    RadioModel::SetRasterBits(rec[record::kFlags], v.rx, v.tx, v.step);
    r.SetClockShift(v.clockShift);
    r.SetHalfDeviation(v.halfDeviation);
    r.SetPower(v.power);
    r.SetIcon(v.icon);
    return true;
}

bool EncodeChannel(const RadioModel& radio, Byte* image, int t, int index, const ChannelValues& v) {
    Byte* target = radio.RecordForRow(image, t, index);
    Byte rec[record::kSize];
    if (!target || !BuildChannelRecord(radio, rec, v))
        return false;
    std::memcpy(target, rec, sizeof rec);
    radio.SetUsed(image, t, index, true);
    radio.SetSkip(image, t, index, v.skip);
    radio.SetPreferential(image, t, index, v.preferential);
    radio.SetMasked(image, t, index, v.masked);
    return true;
}

ChannelValues DecodeSet(const RadioModel& radio, const Byte* block, int set) {
    const ConstReceiverSet s(block, set);
    ChannelValues v;
    SetFrequencies(v, DecodeFrequency4(s.RxField()), s.Direction(),
                   DecodeFrequency4(s.OffsetField()));
    v.mode = s.Mode();
    v.name = radio.DecodeName(s.NameField());
    v.toneMode = s.ToneMode();
    v.ctcss = s.Ctcss();
    v.dcs = s.Dcs();
    v.skip = s.Skip();
    v.preferential = s.Preferential();
    v.step = s.Step();
    v.clockShift = s.ClockShift();
    v.halfDeviation = s.HalfDeviation();
    v.power = s.Power();
    // The set keeps the icon plus 1; 0 shows as the first icon.
    v.icon = s.IconByte() == 0 ? 0 : s.IconByte() - 1;
    v.masked = !s.Visible();
    return v;
}

bool FitsSet(const ChannelValues& v) {
    Byte scratch[block::kFrequencySize];
    return EncodeFrequency4(scratch, v.rx) && v.OffsetField() >= 0 &&
           EncodeFrequency4(scratch, v.OffsetField());
}

void EncodeSet(const RadioModel& radio, Byte* block, int set, const ChannelValues& v) {
    ReceiverSet s(block, set);
    EncodeFrequency4(s.RxField(), v.rx);
    s.SetDirection(v.direction);
    EncodeFrequency4(s.OffsetField(), v.OffsetField());
    radio.EncodeName(s.NameField(), v.name);
    s.data()[block::kExtra] = 0;
    s.SetMode(v.mode);
    s.SetToneMode(v.toneMode);
    s.SetCtcss(v.ctcss);
    s.SetDcs(v.dcs);
    s.SetSkip(v.skip);
    s.SetPreferential(v.preferential);
    s.SetStep(v.step);
    s.SetClockShift(v.clockShift);
    s.SetHalfDeviation(v.halfDeviation);
    s.SetPower(v.power);
    s.SetIconByte(v.icon + 1);
    s.SetVisible(!v.masked);
}

} // namespace radio
