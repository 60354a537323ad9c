// The VX-7 radio model: the radio's own coverage and offsets, and everything
// that touches its clone image - regions, flag tables, memory groups, the
// channel record codec, the pre-upload fix-ups and the channel tables.
//
// The object holds one data block laid out exactly as a radio data file:
// header, clone image, comment tables. Every operation reads and writes the
// image in place.
#pragma once

#include "radio/DataFileLayout.h"
#include "radio/ImageLayout.h"
#include "radio/RadioTypes.h"

#include <QString>

#include <array>
#include <cstdint>

namespace outside {
class CellTable;
} // namespace outside

namespace radio {

class RadioModel {
public:
    RadioModel();

    // --- Rules ---------------------------------------------------------------
    // Whether freq can be stored in row band (1-based) of table t: inside the
    // radio's coverage (a band's own range on VFO and Home) and on a raster.
    bool IsValidFrequency(int t, Hz freq, int band) const;
    bool IsOutOfRange(int t, Hz freq, int band) const;
    static bool IsCellularBlocked(Hz freq);
    // rx shifted by the offset in the given direction; with autoDirection the
    // direction comes from the band plan and is written back. -1 for a bad
    // direction.
    static Hz TransmitFrequency(Hz rx, int& dir, Hz offset, bool autoDirection);
    // The offset between a receive and a transmit frequency; -1 (and Split)
    // when it is no standard offset.
    static Hz OffsetFromPair(Hz rx, int& dir, Hz tx);
    static bool IsValidOffset(Hz offset);
    // The largest distance between receive and transmit frequency that a
    // shift (Minus or Plus) can carry.
    static constexpr Hz kLargestPairOffset = 99950000;
    // Index of the offset in the offset choice list, or -1.
    static int OffsetListIndex(Hz offset);
    static Hz DefaultOffset(Hz freq);
    static int AutoShiftDirection(Hz freq);
    // The plain BCD number of a channel record's offset field (-1 when it is
    // not a number).
    static std::int64_t StoredOffset(const Byte* record);
    // Frequency text to Hz, for every frequency cell that is read back.
    static Hz TextToFrequency(const QString& text);
    // Frequency text of the offset choice list to Hz.
    static Hz ListTextToFrequency(const QString& text);

    // Settings record (1480 bytes) <-> settings area of an image.
    static void SettingsToImage(Byte* image, const Byte* settings);
    static void ImageToSettings(Byte* settings, const Byte* image);

    // --- The data block ------------------------------------------------------
    Byte* Block() { return m_block.data(); }
    const Byte* Block() const { return m_block.data(); }
    Byte* Image() { return m_block.data() + radio::rdf::kImage; }
    const Byte* Image() const { return m_block.data() + radio::rdf::kImage; }
    // Replaces the whole image with kSize bytes.
    void SetImage(const Byte* bytes);

    // --- Defaults for a new row (written by the view) ------------------------
    Byte* DefaultRecord(int t) { return m_defaultRecords[static_cast<size_t>(t)].data(); }
    Byte* DefaultBlock() { return m_defaultBlock.data(); }

    // --- Image layout --------------------------------------------------------
    // The record (or block) of a 0-based row of table t; nullptr on Memory
    // Groups and for a row outside the table.
    Byte* RecordForRow(int t, int index) { return RecordForRow(Image(), t, index); }
    // The same inside another image (a working copy).
    static Byte* RecordForRow(Byte* image, int t, int index);
    static const Byte* RecordForRow(const Byte* image, int t, int index);
    // Rows of the record table of a tab (0 for Memory Groups).
    static int RecordCount(int t);

    int PriorityChannel() const;
    void SetPriorityChannel(int n);

    // Pre-upload fix-ups.
    void PrepareCurrentState(Byte* image);
    void MarkSplitTone();

    // Checksums. MakeChecksums writes both state-block sums, then the image sum.
    static Byte ImageChecksum(const Byte* image);
    static Byte BlockChecksum(const Byte* block);
    static bool ImageChecksumHolds(const Byte* image);
    static bool BlockChecksumHolds(const Byte* block);
    static void MakeChecksums(Byte* image);

    // Memory groups (g 0 to 8, j 0 to 47). A count of 0xFFFF means no
    // members; any other count c gives min(c + 1, 48).
    static int GroupSize(const Byte* image, int g);
    static int GroupMember(const Byte* image, int g, int j); // 0xFFFF for none
    static void SetGroupMember(Byte* image, int g, int j, int member);
    static void SetGroupSize(Byte* image, int g, int size); // 0 stores 0xFFFF
    static constexpr int kNoMember = 0xFFFF;

    // --- Flag nibbles of table t ---------------------------------------------
    static bool IsUsed(const Byte* image, int t, int index);
    static void SetUsed(Byte* image, int t, int index, bool on);
    static bool IsSkip(const Byte* image, int t, int index);
    static void SetSkip(Byte* image, int t, int index, bool on);
    static bool IsPreferential(const Byte* image, int t, int index);
    static void SetPreferential(Byte* image, int t, int index, bool on);
    static bool IsMasked(const Byte* image, int t, int index);
    static void SetMasked(Byte* image, int t, int index, bool masked);
    // The flag table of a tab, or -1 when it has none.
    static int FlagTableOffset(int t);

    // --- Channel record codec ------------------------------------------------
    // Three-byte coding on the channel-record tabs, four-byte coding on Hyper
    // Memories and Memory Groups. kNoFrequency for a field that is no number.
    static Hz DecodeFrequency(int t, const Byte* field);
    // False (field unchanged) when the value does not fit the field.
    static bool EncodeFrequency(int t, Byte* field, Hz freq);
    static QString DecodeName(const Byte* field);
    static bool EncodeName(Byte* field, const QString& text);
    static void SetRasterBits(Byte& byte0, Hz rx, Hz tx, int step);
    static bool IsOffStep(Hz freq, int step);

    // --- Channel tables (the grids) -----------------------------------------
    static int RowCount(int t);
    QString RowLabel(int t, int row) const;
    static int ColumnHeaderId(int t, int col);
    // One line of the text export for a row of a channel-list table's cells
    // (row 0: the header line, from the column table); empty on other
    // tables.
    static QString FormatExportLine(int t, int row, const outside::CellTable& cells,
                                    QChar separator);
    // Memory group upkeep after cut (mode 0), delete (1) and insert (2) of
    // Memories rows r1 to r2 (1-based), in the image.
    void RemoveGroupEntries(int mode, int r1, int r2);

    // Comment slot of a row of a tab (none on Memory Groups).
    Byte* CommentSlot(int t, int row);
    const Byte* CommentSlot(int t, int row) const;
    QString Comment(int t, int row) const;
    void SetComment(int t, int row, const QString& text);

private:
    // Offset of a row's record in the image, or of its comment slot in the
    // block; -1 outside the table.
    static int RecordOffset(int t, int index);
    static int CommentOffset(int t, int row);

    std::array<std::array<Byte, image::kRecordSize>, tab::kCount> m_defaultRecords{};
    std::array<Byte, image::kBlockSize> m_defaultBlock{};
    std::array<Byte, radio::rdf::kFileSize> m_block{};
};

// Parses a frequency text ("145.52", "145,52 MHz", "600 kHz", "145520").
// listCoding selects the rounding of the offset choice list.
Hz ParseFrequencyText(const QString& text, bool listCoding);

// The built-in default image (16211 bytes) a new document starts from.
const std::array<Byte, image::kSize>& DefaultImage();

} // namespace radio
