#include "radio/RadioModel.h"

#include "radio/ChannelRecord.h"
#include "radio/FrequencyCodec.h"
#include "radio/StringTable.h"
#include "radio/ValueTables.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <vector>

namespace radio {

namespace {

constexpr int kMaxFrequencyText = 19;
constexpr Hz kOffsetRaster = 50000;
constexpr int kFractionDigits = 6;     // Hz digits after the MHz point
constexpr int kListFractionDigits = 5; // the offset list counts in 10 Hz

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Leading decimal number of a text as the C library reads it: blanks
// skipped, an optional plus sign, digits. A minus sign anywhere before the
// first digit marks the number negative.
struct Leading {
    std::int64_t value = 0;
    bool negative = false;
};

Leading LeadingNumber(const QString& text) {
    Leading result;
    const int n = static_cast<int>(text.size());
    for (int j = 0; j < n && !IsAsciiDigit(text[j]); ++j) {
        if (text[j] == QLatin1Char('-'))
            result.negative = true;
    }
    int i = 0;
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    constexpr std::int64_t kCap = std::numeric_limits<std::int64_t>::max() / 20;
    for (; i < n && IsAsciiDigit(text[i]); ++i) {
        result.value = result.value * 10 + (text[i].unicode() - '0');
        if (result.value > kCap)
            result.value = kCap; // far beyond any frequency; refused below
    }
    return result;
}

} // namespace

Hz ParseFrequencyText(const QString& input, bool listCoding) {
    QString text = input.left(kMaxFrequencyText).toUpper();
    bool kilohertz = false;
    if (const auto k = text.indexOf(QLatin1Char('K')); k >= 0) {
        kilohertz = true;
        text.truncate(k);
    }
    if (const auto m = text.indexOf(QLatin1Char('M')); m >= 0)
        text.truncate(m);

    auto point = text.indexOf(QLatin1Char('.'));
    if (point < 0)
        point = text.indexOf(QLatin1Char(','));
    const QString integerPart = point < 0 ? text : text.left(point);

    const Leading integer = LeadingNumber(integerPart);
    if (integer.negative)
        return 0;

    std::int64_t fraction = 0;
    if (point >= 0) {
        QString digits = text.mid(point + 1);
        while (digits.endsWith(QLatin1Char(' ')))
            digits.chop(1);
        const int width = listCoding ? kListFractionDigits : kFractionDigits;
        const int padTo = listCoding ? kListFractionDigits : kFractionDigits + 1;
        while (digits.size() < padTo)
            digits += QLatin1Char('0');
        const Leading f = LeadingNumber(digits.left(width));
        if (f.negative)
            return 0;
        fraction = f.value;
    }

    // A whole part beyond what a frequency can hold is no frequency; bounded
    // here, the scaling below cannot overflow.
    if (integer.value > std::numeric_limits<Hz>::max())
        return 0;
    if (fraction == 0 && integer.value > 99999)
        kilohertz = true;

    std::int64_t hz;
    if (kilohertz)
        hz = integer.value * 1000;
    else if (listCoding)
        hz = (integer.value * 100000 + fraction) * 10;
    else
        hz = integer.value * 1000000 + fraction;
    if (hz < 0 || hz > std::numeric_limits<Hz>::max())
        return 0;
    return static_cast<Hz>(hz);
}

namespace {

int ReadBe16(const Byte* p) {
    return (p[0] << 8) | p[1];
}

void WriteBe16(Byte* p, int value) {
    p[0] = static_cast<Byte>((value >> 8) & 0xFF);
    p[1] = static_cast<Byte>(value & 0xFF);
}

Byte Sum(const Byte* p, int count) {
    unsigned sum = 0;
    for (int i = 0; i < count; ++i)
        sum += p[i];
    return static_cast<Byte>(sum & 0xFF);
}

// Start and row count of the record table of a tab.
struct Table {
    int offset;
    int count;
    int stride;
};

Table RecordTable(int t) {
    switch (t) {
    case tab::kMemories:
        return {image::kMemories, image::kMemoryCount, image::kRecordSize};
    case tab::kLimit:
        return {image::kLimits, image::kLimitCount, image::kRecordSize};
    case tab::kOneTouch:
        return {image::kOneTouch, image::kOneTouchCount, image::kRecordSize};
    case tab::kHyper:
        return {image::kHyper, image::kHyperCount, image::kBlockSize};
    case tab::kVfo:
        return {image::kVfo, image::kBandCount, image::kRecordSize};
    case tab::kHome:
        return {image::kHome, image::kBandCount, image::kRecordSize};
    default:
        return {0, 0, 0};
    }
}

Table CommentTable(int t) {
    switch (t) {
    case tab::kMemories:
        return {radio::rdf::kMemoryComments, image::kMemoryCount, radio::rdf::kCommentSize};
    case tab::kLimit:
        return {radio::rdf::kLimitComments, image::kLimitCount, radio::rdf::kCommentSize};
    case tab::kOneTouch:
        return {radio::rdf::kOneTouchComments, image::kOneTouchCount, radio::rdf::kCommentSize};
    case tab::kHyper:
        return {radio::rdf::kHyperComments, image::kHyperCount, radio::rdf::kCommentSize};
    case tab::kVfo:
        return {radio::rdf::kVfoComments, image::kBandCount, radio::rdf::kCommentSize};
    case tab::kHome:
        return {radio::rdf::kHomeComments, image::kBandCount, radio::rdf::kCommentSize};
    default:
        return {0, 0, 0};
    }
}

bool IsSplitToneMode(int mode) {
    return mode >= tonemode::kFirstSplit && mode <= tonemode::kLastSplit;
}

// The nibble of row index in the flag table at offset.
int Nibble(const Byte* image, int tableOffset, int index) {
    const Byte b = image[tableOffset + index / 2];
    return index % 2 == 0 ? (b & 0x0F) : (b >> 4);
}

void SetNibbleBit(Byte* image, int tableOffset, int index, Byte bit, bool on) {
    Byte& b = image[tableOffset + index / 2];
    const Byte mask = static_cast<Byte>(index % 2 == 0 ? bit : bit << 4);
    b = static_cast<Byte>(on ? (b | mask) : (b & ~mask));
}

int FlagRows(int t) {
    switch (t) {
    case tab::kMemories:
        return image::kMemoryCount;
    case tab::kLimit:
        return image::kLimitCount;
    case tab::kOneTouch:
        return image::kOneTouchCount;
    default:
        return 0;
    }
}

} // namespace

RadioModel::RadioModel() {
    SetImage(DefaultImage().data());
}

// ---------------------------------------------------------------------------
// Rules
// ---------------------------------------------------------------------------

bool RadioModel::IsValidFrequency(int t, Hz freq, int band) const {
    if (freq <= 0)
        return false;
    if (IsOutOfRange(t, freq, band))
        return false;
    if (freq % 5000 == 0 || freq % 6250 == 0)
        return true;
    if (freq > 1800000)
        return false;
    return freq % 9000 == 0;
}

bool RadioModel::IsCellularBlocked(Hz freq) {
    return (freq >= 824000000 && freq < 849000000) || (freq >= 869000000 && freq < 894000000);
}

bool RadioModel::IsOutOfRange(int t, Hz freq, int band) const {
    const bool variant = Image()[image::kVariantFlag] != 0;
    if (t == tab::kVfo || t == tab::kHome) {
        if (band < 1 || band > kBandRows)
            return false;
        const BandRow& row = kBands[static_cast<size_t>(band - 1)];
        const bool outside = freq < row.low || freq > row.high;
        if (band < kBandRows || variant)
            return outside;
        return outside || IsCellularBlocked(freq);
    }
    if (freq < kLowestFrequency || freq > kHighestFrequency)
        return true;
    return !variant && IsCellularBlocked(freq);
}

Hz RadioModel::TransmitFrequency(Hz rx, int& dir, Hz offset, bool autoDirection) {
    if (autoDirection)
        dir = AutoShiftDirection(rx);
    switch (dir) {
    case direction::kSimplex:
        return rx;
    case direction::kMinus:
        return rx - offset;
    case direction::kPlus:
        return rx + offset;
    default:
        return -1;
    }
}

Hz RadioModel::OffsetFromPair(Hz rx, int& dir, Hz tx) {
    Hz offset;
    if (rx == tx) {
        dir = direction::kSimplex;
        offset = DefaultOffset(rx);
    } else if (rx > tx) {
        dir = direction::kMinus;
        offset = rx - tx;
    } else {
        dir = direction::kPlus;
        offset = tx - rx;
    }
    if (offset % kOffsetRaster == 0 && offset <= kLargestPairOffset)
        return offset;
    dir = direction::kSplit;
    return -1;
}

bool RadioModel::IsValidOffset(Hz offset) {
    return offset > 0 && offset < kLargestPairOffset && offset % kOffsetRaster == 0;
}

int RadioModel::OffsetListIndex(Hz offset) {
    // The list's texts read as frequencies once: every new channel asks.
    static const std::vector<Hz> offsets = [] {
        std::vector<Hz> hz;
        for (const QString& item : LoadList(str::kListOffset))
            hz.push_back(ListTextToFrequency(item));
        return hz;
    }();
    const auto found = std::find(offsets.begin(), offsets.end(), offset);
    return found == offsets.end() ? -1 : static_cast<int>(found - offsets.begin());
}

Hz RadioModel::DefaultOffset(Hz freq) {
    struct Entry {
        Hz below;
        Hz offset;
    };
    static constexpr Entry kTable[] = {
        {30000000, 100000},   {55000000, 1000000},  {200000000, 600000},
        {225000000, 1600000}, {450000000, 5000000}, {500000000, 3000000},
    };
    for (const auto& e : kTable) {
        if (freq < e.below)
            return e.offset;
    }
    return 25000000;
}

int RadioModel::AutoShiftDirection(Hz freq) {
    struct Segment {
        Hz from;
        Hz below;
        int dir;
    };
    static constexpr Segment kPlan[] = {
        {145100000, 145500001, direction::kMinus}, {146000000, 146400001, direction::kPlus},
        {146600000, 147000000, direction::kMinus}, {147000000, 147400000, direction::kPlus},
        {147600000, 148000001, direction::kMinus}, {440000000, 445000001, direction::kPlus},
        {445000001, 450000001, direction::kMinus},
    };
    for (const auto& s : kPlan) {
        if (freq >= s.from && freq < s.below)
            return s.dir;
    }
    return direction::kSimplex;
}

std::int64_t RadioModel::StoredOffset(const Byte* rec) {
    return UnpackBcd(rec + record::kOffset, record::kFrequencySize);
}

Hz RadioModel::TextToFrequency(const QString& text) {
    return ParseFrequencyText(text, false);
}

Hz RadioModel::ListTextToFrequency(const QString& text) {
    return ParseFrequencyText(text, true);
}

// ---------------------------------------------------------------------------
// Settings record <-> settings area
// ---------------------------------------------------------------------------

namespace {
bool IsGroupCountByte(int n) {
    return n >= settingsarea::kGroupCountsFirst && n < settingsarea::kGroupCountsEnd;
}
// Image byte 1799 bits 0-1 <-> record bits 0-1; image bits 2-5 <-> record 4-7.
Byte PackedToImage(Byte record) {
    return static_cast<Byte>((record & 0x03) | ((record >> 2) & 0x3C));
}
Byte PackedToRecord(Byte recordBefore, Byte image) {
    return static_cast<Byte>((image & 0x03) | ((image & 0x3C) << 2) | (recordBefore & 0x0C));
}
} // namespace

void RadioModel::SettingsToImage(Byte* img, const Byte* settings) {
    for (int n = 0; n < settingsarea::kRecordSize; ++n) {
        if (IsGroupCountByte(n))
            continue;
        Byte& target = img[image::kSettingsFirst + n];
        target = n == settingsarea::kPackedByte ? PackedToImage(settings[n]) : settings[n];
    }
}

void RadioModel::ImageToSettings(Byte* settings, const Byte* img) {
    for (int n = 0; n < settingsarea::kRecordSize; ++n) {
        if (IsGroupCountByte(n))
            continue;
        const Byte source = img[image::kSettingsFirst + n];
        settings[n] = n == settingsarea::kPackedByte ? PackedToRecord(settings[n], source) : source;
    }
}

// ---------------------------------------------------------------------------
// Data block and layout
// ---------------------------------------------------------------------------

void RadioModel::SetImage(const Byte* bytes) {
    std::memcpy(Image(), bytes, image::kSize);
}

int RadioModel::RecordCount(int t) {
    return RecordTable(t).count;
}

int RadioModel::RecordOffset(int t, int index) {
    const Table table = RecordTable(t);
    if (index < 0 || index >= table.count)
        return -1;
    return table.offset + table.stride * index;
}

Byte* RadioModel::RecordForRow(Byte* img, int t, int index) {
    const int offset = RecordOffset(t, index);
    return offset < 0 ? nullptr : img + offset;
}

const Byte* RadioModel::RecordForRow(const Byte* img, int t, int index) {
    const int offset = RecordOffset(t, index);
    return offset < 0 ? nullptr : img + offset;
}

int RadioModel::PriorityChannel() const {
    return ReadBe16(Image() + image::kStateBlock + block::kPriority) + 1;
}

void RadioModel::SetPriorityChannel(int n) {
    if (n >= 1 && n <= image::kMemoryCount)
        WriteBe16(Image() + image::kStateBlock + block::kPriority, n - 1);
}

Byte RadioModel::ImageChecksum(const Byte* img) {
    return Sum(img, image::kChecksum);
}

Byte RadioModel::BlockChecksum(const Byte* blk) {
    return Sum(blk, block::kChecksum);
}

bool RadioModel::ImageChecksumHolds(const Byte* img) {
    return img[image::kChecksum] == ImageChecksum(img);
}

bool RadioModel::BlockChecksumHolds(const Byte* blk) {
    return blk[block::kChecksum] == BlockChecksum(blk);
}

void RadioModel::MakeChecksums(Byte* img) {
    for (int offset : {image::kStateBlock, image::kStateCopy})
        img[offset + block::kChecksum] = BlockChecksum(img + offset);
    img[image::kChecksum] = ImageChecksum(img);
}

int RadioModel::GroupSize(const Byte* img, int g) {
    if (g < 0 || g >= image::kGroupCount)
        return 0;
    const int count = ReadBe16(img + image::kGroupCounts + 2 * g);
    if (count == kNoMember)
        return 0;
    return std::min(count + 1, image::kGroupMaxMembers);
}

int RadioModel::GroupMember(const Byte* img, int g, int j) {
    if (g < 0 || g >= image::kGroupCount || j < 0 || j >= image::kGroupMaxMembers)
        return kNoMember;
    return ReadBe16(img + image::kGroupMembers + image::kGroupStride * g + 2 * j);
}

void RadioModel::SetGroupMember(Byte* img, int g, int j, int member) {
    if (g < 0 || g >= image::kGroupCount || j < 0 || j >= image::kGroupMaxMembers)
        return;
    WriteBe16(img + image::kGroupMembers + image::kGroupStride * g + 2 * j, member);
}

void RadioModel::SetGroupSize(Byte* img, int g, int size) {
    if (g < 0 || g >= image::kGroupCount)
        return;
    size = std::clamp(size, 0, image::kGroupMaxMembers);
    WriteBe16(img + image::kGroupCounts + 2 * g, size == 0 ? kNoMember : size - 1);
}

// ---------------------------------------------------------------------------
// Pre-upload fix-ups
// ---------------------------------------------------------------------------

namespace {

// The channel record a receiver set is taken from, or nullptr when the set
// names nothing the image holds.
const Byte* SourceRecord(const Byte* img, int source, int vfoNumber, int channel) {
    auto inTable = [&](int offset, int count, int index) -> const Byte* {
        if (index < 0 || index >= count)
            return nullptr;
        return img + offset + image::kRecordSize * index;
    };
    switch (source) {
    case block::kSourceMemory0:
    case block::kSourceMemory2:
    case block::kSourceMemory3:
        return inTable(image::kMemories, image::kMemoryCount, channel);
    case block::kSourceVfo:
        return inTable(image::kVfo, image::kBandCount, vfoNumber);
    case block::kSourceLimit:
        return inTable(image::kLimits, image::kLimitCount, channel);
    case block::kSourceHome:
        return inTable(image::kHome, image::kBandCount, channel);
    default:
        return nullptr;
    }
}

bool IsMemorySource(int source) {
    return source == block::kSourceMemory0 || source == block::kSourceMemory2 ||
           source == block::kSourceMemory3;
}

// Whether a set's channel number is a memory channel's: on a memory channel,
// and on the VFO, where the radio keeps the memory channel it came from.
bool NumberNamesMemory(int source) {
    return IsMemorySource(source) || source == block::kSourceVfo;
}

// Copies the fields of a channel record into a receiver set.
void CopyRecordIntoSet(const Byte* rec, Byte* set) {
    const ConstChannelRecord r(rec);
    set[block::kFlags] = static_cast<Byte>((set[block::kFlags] & ~record::kFlagBits) |
                                           (rec[record::kFlags] & record::kFlagBits));
    set[block::kPower] = static_cast<Byte>(r.Power());
    set[block::kStep] = static_cast<Byte>(r.Step());
    set[block::kDirection] = static_cast<Byte>(r.Direction());
    set[block::kToneMode] = static_cast<Byte>(r.ToneMode());
    set[block::kCtcss] = static_cast<Byte>(r.Ctcss());
    set[block::kDcs] = static_cast<Byte>(r.Dcs());
    set[block::kMode] = static_cast<Byte>(r.Mode());
    std::memcpy(set + block::kRxFrequency, r.RxField(), record::kFrequencySize);
    std::memcpy(set + block::kOffset, r.OffsetField(), record::kFrequencySize);
    std::memcpy(set + block::kName, r.NameField(), record::kNameSize);
    set[block::kExtra] = rec[record::kExtra];
}

} // namespace

void RadioModel::PrepareCurrentState(Byte* img) {
    Byte* state = img + image::kStateBlock;

    for (int offset : {block::kResetValue1, block::kResetValue2}) {
        if (state[offset] != 0xFF && state[offset + 1] != 0xFF)
            WriteBe16(state + offset, 0);
    }
    std::memset(state + block::kCleared116, 0, block::kCleared116Size);

    // The sets' channel numbers as they stand before a channel that is no
    // longer in use is dropped; the copies below take these.
    const int channelA = ReadBe16(state + block::kChannel);
    const int channelB = ReadBe16(state + block::kChannel + block::kSetB);
    for (int set : {1, 0}) {
        Byte* s = state + set * block::kSetB;
        const int channel = set ? channelB : channelA;
        if (!NumberNamesMemory(s[block::kSource]) || channel >= image::kMemoryCount)
            continue;
        if (!(Nibble(img, image::kMemoryFlags, channel) & flag::kUsed))
            WriteBe16(s + block::kChannel, 0);
    }

    state[block::kClearedA] = 0;
    state[block::kClearedA + block::kSetB] = 0;
    state[block::kSourceCompanion] = state[block::kSource];
    const Byte sourceB = state[block::kSource + block::kSetB];
    for (int offset :
         {block::kSourceCopyA1, block::kSourceCopyA2, block::kSourceCopyB1, block::kSourceCopyB2})
        state[offset] = sourceB;

    for (int set : {0, 1}) {
        Byte* s = state + set * block::kSetB;
        const Byte* source =
            SourceRecord(img, s[block::kSource], s[block::kVfoNumber], set ? channelB : channelA);
        if (source)
            CopyRecordIntoSet(source, s);
    }

    std::memcpy(img + image::kStateCopy, state, image::kBlockSize);
}

void RadioModel::MarkSplitTone() {
    Byte* img = Image();
    bool split = false;

    auto recordUses = [&](int offset, int index) {
        return IsSplitToneMode(img[offset + image::kRecordSize * index + record::kToneMode]);
    };
    for (int offset : {image::kHome, image::kVfo}) {
        for (int i = 0; i < image::kBandCount; ++i)
            split = split || recordUses(offset, i);
    }
    for (int i = 0; i < image::kFurtherCount; ++i)
        split = split || recordUses(image::kFurther, i);

    struct Flagged {
        int records;
        int flags;
        int count;
    };
    for (const Flagged& t :
         {Flagged{image::kMemories, image::kMemoryFlags, image::kMemoryCount},
          Flagged{image::kOneTouch, image::kOneTouchFlags, image::kOneTouchCount},
          Flagged{image::kLimits, image::kLimitFlags, image::kLimitCount}}) {
        for (int i = 0; i < t.count; ++i) {
            if ((Nibble(img, t.flags, i) & flag::kUsed) && recordUses(t.records, i))
                split = true;
        }
    }

    auto setsUse = [&](const Byte* blk) {
        return IsSplitToneMode(blk[block::kToneMode]) ||
               IsSplitToneMode(blk[block::kToneMode + block::kSetB]);
    };
    for (int i = 0; i < image::kHyperCount; ++i) {
        const Byte* blk = img + image::kHyper + image::kBlockSize * i;
        if (blk[block::kHyperStatus] == block::kHyperInUse && setsUse(blk))
            split = true;
    }
    split = split || setsUse(img + image::kStateBlock) || setsUse(img + image::kStateCopy);

    if (split)
        img[image::kSettingsFirst + settingsarea::kSplitToneByte] |= settingsarea::kSplitToneBit;
}

// ---------------------------------------------------------------------------
// Flag nibbles
// ---------------------------------------------------------------------------

int RadioModel::FlagTableOffset(int t) {
    switch (t) {
    case tab::kMemories:
        return image::kMemoryFlags;
    case tab::kLimit:
        return image::kLimitFlags;
    case tab::kOneTouch:
        return image::kOneTouchFlags;
    default:
        return -1;
    }
}

namespace {
bool FlagRowValid(int t, int index) {
    return index >= 0 && index < FlagRows(t);
}
} // namespace

bool RadioModel::IsUsed(const Byte* img, int t, int index) {
    if (t == tab::kVfo || t == tab::kHome)
        return true;
    if (!FlagRowValid(t, index))
        return false;
    return Nibble(img, FlagTableOffset(t), index) & flag::kUsed;
}

void RadioModel::SetUsed(Byte* img, int t, int index, bool on) {
    if (FlagRowValid(t, index))
        SetNibbleBit(img, FlagTableOffset(t), index, flag::kUsed, on);
}

bool RadioModel::IsSkip(const Byte* img, int t, int index) {
    return FlagRowValid(t, index) && (Nibble(img, FlagTableOffset(t), index) & flag::kSkip);
}

void RadioModel::SetSkip(Byte* img, int t, int index, bool on) {
    if (FlagRowValid(t, index))
        SetNibbleBit(img, FlagTableOffset(t), index, flag::kSkip, on);
}

bool RadioModel::IsPreferential(const Byte* img, int t, int index) {
    return FlagRowValid(t, index) && (Nibble(img, FlagTableOffset(t), index) & flag::kPreferential);
}

void RadioModel::SetPreferential(Byte* img, int t, int index, bool on) {
    if (FlagRowValid(t, index))
        SetNibbleBit(img, FlagTableOffset(t), index, flag::kPreferential, on);
}

bool RadioModel::IsMasked(const Byte* img, int t, int index) {
    return FlagRowValid(t, index) && !(Nibble(img, FlagTableOffset(t), index) & flag::kVisible);
}

void RadioModel::SetMasked(Byte* img, int t, int index, bool masked) {
    if (FlagRowValid(t, index))
        SetNibbleBit(img, FlagTableOffset(t), index, flag::kVisible, !masked);
}

// ---------------------------------------------------------------------------
// Channel record codec
// ---------------------------------------------------------------------------

namespace {
bool UsesBlockCoding(int t) {
    return t == tab::kHyper || t == tab::kGroups;
}
} // namespace

Hz RadioModel::DecodeFrequency(int t, const Byte* field) {
    return UsesBlockCoding(t) ? DecodeFrequency4(field) : DecodeFrequency3(field);
}

bool RadioModel::EncodeFrequency(int t, Byte* field, Hz freq) {
    return UsesBlockCoding(t) ? EncodeFrequency4(field, freq) : EncodeFrequency3(field, freq);
}

QString RadioModel::DecodeName(const Byte* field) {
    return DecodeCharacters(field, record::kNameSize);
}

bool RadioModel::EncodeName(Byte* field, const QString& text) {
    EncodeCharacters(field, record::kNameSize, text);
    return !text.isEmpty();
}

void RadioModel::SetRasterBits(Byte& byte0, Hz rx, Hz tx, int step) {
    const bool quarterFirst =
        step >= 0 && step < kStepCount && kSteps[static_cast<size_t>(step)].quarterRasterFirst;
    auto fieldOf = [quarterFirst](Hz f) {
        const bool on5 = f % raster::kGrid5kHz == 0;
        const bool on6250 = f % raster::kGrid6250Hz == 0;
        if (quarterFirst ? on6250 : on5)
            return quarterFirst ? raster::k6250Hz : raster::k5kHz;
        if (quarterFirst ? on5 : on6250)
            return quarterFirst ? raster::k5kHz : raster::k6250Hz;
        return f % raster::kGrid9kHz == 0 ? raster::k9kHz : raster::k5kHz;
    };
    byte0 = static_cast<Byte>(byte0 & ~record::kRasterBits);
    byte0 = static_cast<Byte>(byte0 | (fieldOf(rx) << record::kRxRasterShift) |
                              (fieldOf(tx) << record::kTxRasterShift));
}

bool RadioModel::IsOffStep(Hz freq, int step) {
    if (step < 0 || step >= kStepCount)
        return true;
    const StepDef& def = kSteps[static_cast<size_t>(step)];
    if (freq % def.grid == 0)
        return false;
    return def.halfGrid == 0 || freq % def.halfGrid != 0;
}

// ---------------------------------------------------------------------------
// Comments
// ---------------------------------------------------------------------------

int RadioModel::CommentOffset(int t, int row) {
    const Table table = CommentTable(t);
    if (row < 0 || row >= table.count)
        return -1;
    return table.offset + table.stride * row;
}

Byte* RadioModel::CommentSlot(int t, int row) {
    const int offset = CommentOffset(t, row);
    return offset < 0 ? nullptr : m_block.data() + offset;
}

const Byte* RadioModel::CommentSlot(int t, int row) const {
    const int offset = CommentOffset(t, row);
    return offset < 0 ? nullptr : m_block.data() + offset;
}

QString RadioModel::Comment(int t, int row) const {
    const Byte* slot = CommentSlot(t, row);
    if (!slot)
        return {};
    const auto* chars = reinterpret_cast<const char*>(slot);
    const auto length = std::find(chars, chars + radio::rdf::kCommentSize, '\0') - chars;
    return QString::fromLatin1(chars, length);
}

void RadioModel::SetComment(int t, int row, const QString& text) {
    Byte* slot = CommentSlot(t, row);
    if (!slot)
        return;
    const QByteArray bytes = text.left(radio::rdf::kCommentMaxText).toLatin1();
    std::memcpy(slot, bytes.constData(), static_cast<size_t>(bytes.size()));
    std::memset(slot + bytes.size(), 0,
                static_cast<size_t>(radio::rdf::kCommentMaxText + 1 - bytes.size()));
}

} // namespace radio
