// Field helpers over the two record shapes of the image: the 22-byte channel
// record and one receiver set of a 128-byte block. They read and write bits
// in place; frequencies go through the codecs of FrequencyCodec.h.
#pragma once

#include "radio/ImageLayout.h"

#include <type_traits>

namespace radio {

namespace detail {
template <typename B>
int Bits(const B* p, int offset, Byte mask, int shift) {
    return (p[offset] & mask) >> shift;
}
inline void SetBits(Byte* p, int offset, Byte mask, int shift, int value) {
    p[offset] = static_cast<Byte>((p[offset] & ~mask) | ((value << shift) & mask));
}
inline void SetFlag(Byte* p, int offset, Byte bit, bool on) {
    p[offset] = static_cast<Byte>(on ? (p[offset] | bit) : (p[offset] & ~bit));
}
} // namespace detail

// A 22-byte channel record (memory, one-touch, limit, VFO, home, further).
template <typename B>
class BasicChannelRecord {
    static_assert(std::is_same_v<std::remove_const_t<B>, Byte>);

public:
    explicit BasicChannelRecord(B* bytes) : m_p(bytes) {}
    B* data() const { return m_p; }

    int RxRaster() const { return detail::Bits(m_p, record::kFlags, record::kRxRasterMask, 0); }
    int TxRaster() const {
        return detail::Bits(m_p, record::kFlags, record::kTxRasterMask, record::kTxRasterShift);
    }
    bool ClockShift() const { return m_p[record::kFlags] & record::kClockShift; }
    bool HalfDeviation() const { return m_p[record::kFlags] & record::kHalfDeviation; }
    bool OffStep() const { return m_p[record::kFlags] & record::kOffStep; }
    int Step() const { return detail::Bits(m_p, record::kStepDirPower, record::kStepMask, 0); }
    int Direction() const {
        return detail::Bits(m_p, record::kStepDirPower, record::kDirectionMask,
                            record::kDirectionShift);
    }
    int Power() const {
        return detail::Bits(m_p, record::kStepDirPower, record::kPowerMask, record::kPowerShift);
    }
    int Mode() const { return detail::Bits(m_p, record::kModeIcon, record::kModeMask, 0); }
    int Icon() const {
        return detail::Bits(m_p, record::kModeIcon, record::kIconMask, record::kIconShift);
    }
    int Ctcss() const { return m_p[record::kCtcss]; }
    int Dcs() const { return m_p[record::kDcs]; }
    int ToneMode() const { return m_p[record::kToneMode]; }
    B* RxField() const { return m_p + record::kRxFrequency; }
    B* OffsetField() const { return m_p + record::kOffset; }
    B* NameField() const { return m_p + record::kName; }

    void SetClockShift(bool on) { detail::SetFlag(m_p, record::kFlags, record::kClockShift, on); }
    void SetHalfDeviation(bool on) {
        detail::SetFlag(m_p, record::kFlags, record::kHalfDeviation, on);
    }
    void SetOffStep(bool on) { detail::SetFlag(m_p, record::kFlags, record::kOffStep, on); }
    void SetStep(int v) { detail::SetBits(m_p, record::kStepDirPower, record::kStepMask, 0, v); }
    void SetDirection(int v) {
        detail::SetBits(m_p, record::kStepDirPower, record::kDirectionMask, record::kDirectionShift,
                        v);
    }
    void SetPower(int v) {
        detail::SetBits(m_p, record::kStepDirPower, record::kPowerMask, record::kPowerShift, v);
    }
    void SetMode(int v) { detail::SetBits(m_p, record::kModeIcon, record::kModeMask, 0, v); }
    void SetIcon(int v) {
        detail::SetBits(m_p, record::kModeIcon, record::kIconMask, record::kIconShift, v);
    }
    void SetCtcss(int v) { m_p[record::kCtcss] = static_cast<Byte>(v); }
    void SetDcs(int v) { m_p[record::kDcs] = static_cast<Byte>(v); }
    void SetToneMode(int v) { m_p[record::kToneMode] = static_cast<Byte>(v); }

private:
    B* m_p;
};
using ChannelRecord = BasicChannelRecord<Byte>;
using ConstChannelRecord = BasicChannelRecord<const Byte>;

// One receiver set (A or B) of a 128-byte block.
template <typename B>
class BasicReceiverSet {
    static_assert(std::is_same_v<std::remove_const_t<B>, Byte>);

public:
    // set is 0 for set A, 1 for set B.
    BasicReceiverSet(B* block, int set) : m_p(block + (set ? block::kSetB : 0)) {}
    B* data() const { return m_p; }

    int Source() const { return m_p[block::kSource]; }
    int VfoNumber() const { return m_p[block::kVfoNumber]; }
    int RasterFlags() const { return m_p[block::kFlags]; }
    bool ClockShift() const { return m_p[block::kFlags] & record::kClockShift; }
    bool HalfDeviation() const { return m_p[block::kFlags] & record::kHalfDeviation; }
    int Power() const { return m_p[block::kPower]; }
    int Step() const { return m_p[block::kStep]; }
    int Direction() const { return m_p[block::kDirection]; }
    int ToneMode() const { return m_p[block::kToneMode]; }
    int Ctcss() const { return m_p[block::kCtcss]; }
    int Dcs() const { return m_p[block::kDcs]; }
    int Mode() const { return m_p[block::kMode]; }
    int IconByte() const { return m_p[block::kIcon]; }
    bool Visible() const { return m_p[block::kScanFlags] & block::kScanVisible; }
    bool Skip() const { return m_p[block::kScanFlags] & block::kScanSkip; }
    bool Preferential() const { return m_p[block::kScanFlags] & block::kScanPreferential; }
    B* RxField() const { return m_p + block::kRxFrequency; }
    B* OffsetField() const { return m_p + block::kOffset; }
    B* NameField() const { return m_p + block::kName; }

    void SetClockShift(bool on) { detail::SetFlag(m_p, block::kFlags, record::kClockShift, on); }
    void SetHalfDeviation(bool on) {
        detail::SetFlag(m_p, block::kFlags, record::kHalfDeviation, on);
    }
    void SetPower(int v) { m_p[block::kPower] = static_cast<Byte>(v); }
    void SetStep(int v) { m_p[block::kStep] = static_cast<Byte>(v); }
    void SetDirection(int v) { m_p[block::kDirection] = static_cast<Byte>(v); }
    void SetToneMode(int v) { m_p[block::kToneMode] = static_cast<Byte>(v); }
    void SetCtcss(int v) { m_p[block::kCtcss] = static_cast<Byte>(v); }
    void SetDcs(int v) { m_p[block::kDcs] = static_cast<Byte>(v); }
    void SetMode(int v) { m_p[block::kMode] = static_cast<Byte>(v); }
    void SetIconByte(int v) { m_p[block::kIcon] = static_cast<Byte>(v); }
    void SetVisible(bool on) { detail::SetFlag(m_p, block::kScanFlags, block::kScanVisible, on); }
    void SetSkip(bool on) { detail::SetFlag(m_p, block::kScanFlags, block::kScanSkip, on); }
    void SetPreferential(bool on) {
        detail::SetFlag(m_p, block::kScanFlags, block::kScanPreferential, on);
    }

private:
    B* m_p;
};
using ReceiverSet = BasicReceiverSet<Byte>;
using ConstReceiverSet = BasicReceiverSet<const Byte>;

} // namespace radio
