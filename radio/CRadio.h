// The generic radio: the rules every handheld of this family shares, as a
// table of virtual operations that the VX-7 model refines.
#pragma once

#include "radio/RadioTypes.h"

#include <QChar>
#include <QString>

#include <cstdint>

class CSpreadSheet1;
class QObject;

namespace vx7 {

using Byte = std::uint8_t;

class CRadio {
public:
    CRadio() = default;
    CRadio(const CRadio&) = default;
    CRadio& operator=(const CRadio&) = default;

    // The operations, in the order of their slots.

    // The 32-byte comment slot of memory channel index (0-based); none here.
    virtual Byte* CommentFor(int index);
    // One line of the text export for a grid row; none here.
    virtual QString FormatExportLine(int row, const CSpreadSheet1& grid, QChar separator) const;
    virtual ~CRadio();
    virtual bool IsValidFrequency(Hz freq, int band);
    // rx shifted by the offset in the given direction; with autoDirection the
    // direction comes from the band plan and is written back. -1 for a bad
    // direction.
    virtual Hz TransmitFrequency(Hz rx, int& dir, Hz offset, bool autoDirection);
    // The offset between a receive and a transmit frequency; -1 (and Split)
    // when it is no standard offset.
    virtual Hz OffsetFromPair(Hz rx, int& dir, Hz tx);
    virtual bool IsValidOffset(Hz offset);
    // The largest distance between receive and transmit frequency that a
    // shift (Minus or Plus) can carry.
    static constexpr Hz kLargestPairOffset = 99950000;
    // Index of the offset in the offset choice list, or -1.
    virtual int OffsetListIndex(Hz offset);
    virtual bool IsOutOfRange(Hz freq, int band);
    // Removes trailing spaces in place; returns the remaining length.
    virtual int TrimTrailingBlanks(QString& text);
    virtual Hz DefaultOffset(Hz freq);
    // The plain BCD number of a channel record's offset field (-1 when it is
    // not a number).
    virtual std::int64_t StoredOffset(const Byte* record);
    // Packs |value| as 2 x byteCount BCD digits. A value with more digits than
    // the field holds is refused: nothing is written and false comes back.
    virtual bool PackBcd(Byte* dest, std::int64_t value, int byteCount);
    // The BCD number of byteCount bytes; -1 when a nibble is above 9.
    virtual std::int64_t UnpackBcd(const Byte* src, int byteCount);
    virtual int AutoShiftDirection(Hz freq);
    // Settings record <-> image (the settings area); the base has none.
    virtual void SettingsToImage(Byte* image, const Byte* settings);
    virtual void ImageToSettings(Byte* settings, const Byte* image);
    virtual void LoadSettings(Byte* settings, const Byte* image);
    virtual void CopySettings(Byte* settings, const Byte* image, int mode);
    // The view showing this radio; none here.
    virtual QObject* ActiveView();

    // Frequency text of the offset choice list to Hz.
    static Hz ListTextToFrequency(const QString& text);
};

// Parses a frequency text ("145.52", "145,52 MHz", "600 kHz", "145520").
// listCoding selects the rounding of the offset choice list.
Hz ParseFrequencyText(const QString& text, bool listCoding);

} // namespace vx7
