// The VX-7 radio model: the radio's own coverage and offsets, and everything
// that touches its clone image - regions, flag tables, memory groups, the
// channel record codec, the pre-upload fix-ups and the channel tables.
//
// The object holds one data block laid out exactly as a radio data file:
// header, clone image, comment tables. Every operation reads and writes the
// image in place.
#pragma once

#include "radio/CRadio.h"
#include "radio/DataFileLayout.h"
#include "radio/ImageLayout.h"

#include <QString>

#include <array>

class CSpreadSheet1;

namespace vx7 {

class CVX7Radio : public CRadio {
public:
    CVX7Radio();
    ~CVX7Radio() override;

    // --- Rules that differ on the VX-7 -------------------------------------
    bool IsValidFrequency(Hz freq, int band) override;
    bool IsOutOfRange(Hz freq, int band) override;
    Hz DefaultOffset(Hz freq) override;
    int AutoShiftDirection(Hz freq) override;
    Byte* CommentFor(int index) override;
    QString FormatExportLine(int row, const CSpreadSheet1& grid, QChar separator) const override;

    // Settings record (1480 bytes) <-> settings area of an image.
    void SettingsToImage(Byte* image, const Byte* settings) override;
    void ImageToSettings(Byte* settings, const Byte* image) override;
    void LoadSettings(Byte* settings, const Byte* image) override;
    void CopySettings(Byte* settings, const Byte* image, int mode) override;

    static bool IsCellularBlocked(Hz freq);
    // Frequency text to Hz, for every frequency cell that is read back.
    Hz TextToFrequency(const QString& text) const;

    // --- The data block ------------------------------------------------------
    Byte* Block() { return m_block.data(); }
    const Byte* Block() const { return m_block.data(); }
    Byte* GetImage() { return m_block.data() + rdf::kImage; }
    const Byte* GetImage() const { return m_block.data() + rdf::kImage; }
    // Replaces the whole image with kSize bytes.
    void SetImage(const Byte* bytes);

    // --- Current tab ---------------------------------------------------------
    void SetTab(int t) { m_tab = t; }
    int GetTab() const { return m_tab; }

    // --- Defaults for a new row (written by the view) ------------------------
    Byte* DefaultRecord(int t) { return m_defaultRecords[static_cast<size_t>(t)].data(); }
    Byte* DefaultBlock() { return m_defaultBlock.data(); }

    // --- Image layout --------------------------------------------------------
    // The record (or block) of a 0-based row of the current tab; nullptr on
    // Memory Groups and for a row outside the table.
    Byte* RecordForRow(int index);
    // The same inside another image (a working copy).
    Byte* RecordForRow(Byte* image, int index) const;
    const Byte* RecordForRow(const Byte* image, int index) const;
    // Rows of the record table of a tab (0 for Memory Groups).
    static int RecordCount(int t);

    int GetPriorityChannel() const;
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

    // --- Flag nibbles of the current tab -------------------------------------
    bool IsUsed(const Byte* image, int index) const;
    void SetUsed(Byte* image, int index, bool on) const;
    bool IsSkip(const Byte* image, int index) const;
    void SetSkip(Byte* image, int index, bool on) const;
    bool IsPreferential(const Byte* image, int index) const;
    void SetPreferential(Byte* image, int index, bool on) const;
    bool IsMasked(const Byte* image, int index) const;
    void SetMasked(Byte* image, int index, bool masked) const;
    // The flag table of a tab, or -1 when it has none.
    static int FlagTableOffset(int t);

    // --- Channel record codec ------------------------------------------------
    // Three-byte coding on the channel-record tabs, four-byte coding on Hyper
    // Memories and Memory Groups. kNoFrequency for a field that is no number.
    Hz DecodeFrequency(const Byte* field) const;
    // False (field unchanged) when the value does not fit the field.
    bool EncodeFrequency(Byte* field, Hz freq);
    QString DecodeName(const Byte* field) const;
    bool EncodeName(Byte* field, const QString& text) const;
    static void SetRasterBits(Byte& byte0, Hz rx, Hz tx, int step);
    static bool IsOffStep(Hz freq, int step);

    // --- Channel tables (the grids) -----------------------------------------
    int RowCount() const;
    QString RowLabel(int row) const;
    int ColumnHeaderId(int col) const;
    void ConfigureGrid(CSpreadSheet1& grid);
    void FillGrid(const Byte* image, CSpreadSheet1& grid, int t);
    // One row of a channel-list or hyper grid again from the image; the row
    // then counts as unchanged.
    void FillRow(const Byte* image, CSpreadSheet1& grid, int t, int row);
    // Writes the grid's changed rows into image; true when it also changed
    // the comment table (which lives beside the image).
    bool ReadGrid(Byte* image, CSpreadSheet1& grid, int t);
    void FillNewRow(Hz rx, int row, CSpreadSheet1& grid);
    void ClearRow(int row, CSpreadSheet1& grid);
    // Memory group upkeep after cut (mode 0), delete (1) and insert (2) of
    // Memories rows r1 to r2 (1-based), in the image; a groups grid given is
    // filled again from it.
    void RemoveGroupEntries(int mode, int r1, int r2, CSpreadSheet1* groupsGrid = nullptr);

    // Comment slot of a row of a tab (none on Memory Groups).
    Byte* CommentSlot(int t, int row);
    const Byte* CommentSlot(int t, int row) const;
    QString Comment(int t, int row) const;
    void SetComment(int t, int row, const QString& text);

protected:
    std::array<Byte, rdf::kFileSize> m_block{};

private:
    // FillGrid and ReadGrid by kind of tab; the current tab is set.
    void FillChannelRows(const Byte* image, CSpreadSheet1& grid) const;
    void FillHyperRows(const Byte* image, CSpreadSheet1& grid) const;
    void FillChannelRow(const Byte* image, CSpreadSheet1& grid, int row) const;
    void FillHyperRow(const Byte* image, CSpreadSheet1& grid, int row) const;
    void FillGroupCells(const Byte* image, CSpreadSheet1& grid);
    bool ReadChannelRows(Byte* image, const CSpreadSheet1& grid, int rows);
    void ReadHyperRows(Byte* image, const CSpreadSheet1& grid, int rows) const;
    void ReadGroupCells(Byte* image, const CSpreadSheet1& grid, int rows) const;

    // Offset of a row's record in the image, or of its comment slot in the
    // block; -1 outside the table.
    int RecordOffset(int index) const;
    static int CommentOffset(int t, int row);

    std::array<std::array<Byte, image::kRecordSize>, tab::kCount> m_defaultRecords{};
    std::array<Byte, image::kBlockSize> m_defaultBlock{};
    int m_tab = tab::kMemories;
};

// Makes the radio's current tab another one for a while, or only keeps it,
// and puts the tab it found back afterwards.
class TabScope {
public:
    explicit TabScope(CVX7Radio& radio) : m_radio(radio), m_previous(radio.GetTab()) {}
    TabScope(CVX7Radio& radio, int t) : TabScope(radio) { radio.SetTab(t); }
    ~TabScope() { m_radio.SetTab(m_previous); }
    TabScope(const TabScope&) = delete;
    TabScope& operator=(const TabScope&) = delete;

private:
    CVX7Radio& m_radio;
    int m_previous;
};

// The built-in default image (16211 bytes) a new document starts from.
const std::array<Byte, image::kSize>& DefaultImage();

} // namespace vx7
