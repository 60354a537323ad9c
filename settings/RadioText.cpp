#include "settings/RadioText.h"

#include "document/RadioDocument.h"
#include "radio/ChannelColumns.h"
#include "radio/ChannelTables.h"
#include "radio/ChoiceLists.h"
#include "radio/EntryRules.h"
#include "radio/FrequencyCodec.h"
#include "radio/RadioModel.h"
#include "radio/StringTable.h"
#include "radio/ValueTables.h"
#include "settings/DisplayOptions.h"
#include "settings/IconFont.h"
#include "settings/NameRecords.h"
#include "settings/RadioSettings.h"
#include "settings/SettingsOptions.h"

#include <QFileInfo>

#include <yaml.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace settings::radiotext {

namespace {

using radio::Byte;
using radio::ChannelValues;
using radio::ColumnDef;
using radio::Hz;
namespace tab = radio::tab;
namespace image = radio::image;
namespace block = radio::block;
namespace rdf = radio::rdf;
namespace opt = settings::option;

using Block = std::array<Byte, rdf::kFileSize>;

// ---------------------------------------------------------------------------
// The words of the format
// ---------------------------------------------------------------------------

constexpr const char* kVersionKey = "clonara";
constexpr const char* kRadioKey = "radio";
constexpr const char* kModelKey = "model";
constexpr const char* kModelName = "VX-7";
constexpr const char* kVariantKey = "variant";
constexpr const char* kDataFileKey = "data file";
constexpr const char* kSettingsSourceKey = "settings source";
constexpr const char* kMemoriesKey = "memories";
constexpr const char* kLimitKey = "limit memories";
constexpr const char* kOneTouchKey = "one touch memories";
constexpr const char* kHyperKey = "hyper memories";
constexpr const char* kGroupsKey = "memory groups";
constexpr const char* kPriorityKey = "priority channel";
constexpr const char* kVfoKey = "vfo";
constexpr const char* kHomeKey = "home channels";
constexpr const char* kSettingsKey = "settings";
constexpr const char* kRawKey = "raw";
constexpr const char* kChannelKey = "channel";
constexpr const char* kBandKey = "band";
constexpr const char* kMemoryKey = "memory";
constexpr const char* kDualReceiveKey = "dual receive";
constexpr const char* kOperationBandKey = "operation band";
constexpr const char* kSetKeys[2] = {"A", "B"};

// The radio variant byte: 0 the standard receiver, 1 the one without
// cellular blocking.
const QStringList& VariantNames() {
    static const QStringList names = {QStringLiteral("standard"), QStringLiteral("unblocked")};
    return names;
}

// Channel-list tabs in the order the text lists them, with their keys.
struct ListTab {
    int tab;
    const char* key;
};
constexpr ListTab kListTabs[] = {
    {tab::kMemories, kMemoriesKey}, {tab::kLimit, kLimitKey}, {tab::kOneTouch, kOneTouchKey},
    {tab::kVfo, kVfoKey},           {tab::kHome, kHomeKey},
};

bool IsBandTab(int t) {
    return t == tab::kVfo || t == tab::kHome;
}

// A column's key: its header on one line, in small letters ("receive
// frequency", "tx power").
const std::string& ColumnKey(const ColumnDef& def) {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> k;
        for (const ColumnDef& d : radio::kChannelColumns)
            k.push_back(radio::LoadString(d.headerId)
                            .replace(QLatin1Char('\n'), QLatin1Char(' '))
                            .toLower()
                            .toStdString());
        return k;
    }();
    return keys[static_cast<size_t>(def.column - 1)];
}

const ColumnDef& Column(int col) {
    return *radio::ChannelColumn(col);
}

// Whether a tab's rows (or a hyper memory's sets, tab kHyper) hold a column.
bool Holds(int t, const ColumnDef& def) {
    if (t == tab::kHyper)
        return def.InSets();
    return !radio::IsAlwaysLocked(t, def.column);
}

const QStringList& Items(radio::ChoiceList list) {
    return radio::ChoiceItems(list)->Items();
}

// A column's key as the messages name it, made once.
const QString& ColumnWords(const ColumnDef& def) {
    static const std::vector<QString> words = [] {
        std::vector<QString> w;
        for (const ColumnDef& d : radio::kChannelColumns)
            w.push_back(QString::fromStdString(ColumnKey(d)));
        return w;
    }();
    return words[static_cast<size_t>(def.column - 1)];
}

// The index of a list's text, exactly as the list spells it; -1 for none.
// Each list's table is made once: channels look their lists up many times.
int IndexIn(radio::ChoiceList list, const std::string& text) {
    static std::array<std::unordered_map<std::string, int>,
                      static_cast<size_t>(radio::ChoiceList::Count)>
        tables;
    auto& table = tables[static_cast<size_t>(list)];
    if (table.empty()) {
        const QStringList& items = Items(list);
        for (int i = 0; i < items.size(); ++i)
            table.emplace(items[i].toStdString(), i); // the first of equal items
    }
    const auto found = table.find(text);
    return found == table.end() ? -1 : found->second;
}

QString FromStd(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string ToStd(const QString& s) {
    return s.toUtf8().toStdString();
}

// ---------------------------------------------------------------------------
// The text as a tree: what the YAML library's events make of it, and what
// writing builds before it is printed
// ---------------------------------------------------------------------------

// A place in the text, 0-based; line -1 for none.
struct Mark {
    int line = -1;
    int column = -1;
};

class TextNode;

// A map's key and value.
struct PairRef {
    const TextNode& first;
    const TextNode& second;
};

// A map node keeps its keys and values one after the other.
class PairRange {
public:
    class Iterator {
    public:
        explicit Iterator(const TextNode* at) : m_at(at) {}
        PairRef operator*() const;
        Iterator& operator++();
        bool operator!=(const Iterator& other) const { return m_at != other.m_at; }

    private:
        const TextNode* m_at;
    };
    PairRange(const TextNode* begin, const TextNode* end) : m_begin(begin), m_end(end) {}
    Iterator begin() const { return Iterator(m_begin); }
    Iterator end() const { return Iterator(m_end); }

private:
    const TextNode* m_begin;
    const TextNode* m_end;
};

class TextNode {
public:
    enum class Type : std::uint8_t { Undefined, Null, Scalar, Sequence, Map };

    explicit TextNode(Type type = Type::Undefined) : m_type(type) {}
    TextNode(std::string scalar) : m_type(Type::Scalar), m_scalar(std::move(scalar)) {}
    TextNode(const char* scalar) : TextNode(std::string(scalar)) {}
    // Numbers and true or false are written plain.
    TextNode(int number) : TextNode(std::to_string(number)) { m_plain = true; }
    TextNode(bool on) : TextNode(std::string(on ? "true" : "false")) { m_plain = true; }

    bool IsDefined() const { return m_type != Type::Undefined; }
    bool IsNull() const { return m_type == Type::Null; }
    bool IsScalar() const { return m_type == Type::Scalar; }
    bool IsSequence() const { return m_type == Type::Sequence; }
    bool IsMap() const { return m_type == Type::Map; }
    const std::string& Scalar() const { return m_scalar; }
    ::settings::radiotext::Mark Mark() const { return m_mark; }
    void SetMark(::settings::radiotext::Mark mark) { m_mark = mark; }
    // Items of a sequence, pairs of a map.
    size_t size() const { return IsMap() ? m_children.size() / 2 : m_children.size(); }
    const std::vector<TextNode>& Items() const { return m_children; }
    PairRange Pairs() const {
        return PairRange(m_children.data(), m_children.data() + m_children.size());
    }
    const TextNode& FirstKey() const { return m_children.at(0); }
    const TextNode& FirstValue() const { return m_children.at(1); }
    bool Flow() const { return m_flow; }
    void SetFlow() { m_flow = true; }
    bool Plain() const { return m_plain; }

    void push_back(TextNode item) { m_children.push_back(std::move(item)); }
    void Reserve(size_t children) { m_children.reserve(children); }
    // Takes the items (keys and values of a map) gathered in scratch.
    void TakeChildren(std::vector<TextNode>& scratch) {
        m_children.reserve(scratch.size());
        for (TextNode& child : scratch)
            m_children.push_back(std::move(child));
        scratch.clear();
    }
    // The value of a key of a map, added when it is not there yet.
    TextNode& operator[](const std::string& key) {
        if (m_type != Type::Map)
            *this = TextNode(Type::Map);
        for (size_t i = 0; i < m_children.size(); i += 2) {
            if (m_children[i].m_scalar == key)
                return m_children[i + 1];
        }
        m_children.emplace_back(key);
        m_children.emplace_back();
        return m_children.back();
    }

private:
    Type m_type;
    bool m_flow = false;
    bool m_plain = false;
    ::settings::radiotext::Mark m_mark;
    std::string m_scalar;
    std::vector<TextNode> m_children;
};

PairRef PairRange::Iterator::operator*() const {
    return {m_at[0], m_at[1]};
}

PairRange::Iterator& PairRange::Iterator::operator++() {
    m_at += 2;
    return *this;
}

const TextNode& Undefined() {
    static const TextNode none;
    return none;
}

// ---------------------------------------------------------------------------
// Reading: refusals carry the place in the text
// ---------------------------------------------------------------------------

struct Refused {
    Mark mark;
    QString what;
};

[[noreturn]] void Refuse(const TextNode& at, const QString& what) {
    throw Refused{at.Mark(), what};
}

// A map's keys and values, in the order of the text (pointing into its
// tree).
class Fields {
public:
    void Add(const std::string& key, const TextNode& value) { m_items.push_back({&key, &value}); }
    void Reserve(size_t count) { m_items.reserve(count); }
    bool Has(const std::string& key) const {
        return std::any_of(m_items.begin(), m_items.end(),
                           [&key](const Item& item) { return *item.key == key; });
    }
    // The value of a key; an undefined node when it is missing. Each look
    // starts after the key found last, so that keys looked up in the order
    // they are written are found at once.
    const TextNode& Get(const std::string& key) const {
        const size_t n = m_items.size();
        for (size_t i = 0; i < n; ++i) {
            const size_t at = (m_next + i) % n;
            if (*m_items[at].key == key) {
                m_next = at + 1;
                return *m_items[at].value;
            }
        }
        return Undefined();
    }

private:
    struct Item {
        const std::string* key;
        const TextNode* value;
    };
    std::vector<Item> m_items;
    mutable size_t m_next = 0;
};

// Checks that a node is a map whose keys are all among allowed, each once,
// and returns its keys and values.
Fields CheckMap(const TextNode& node, const QString& what,
                const std::vector<std::string>& allowed) {
    if (!node.IsMap())
        Refuse(node, QStringLiteral("expected %1 as a map of keys and values").arg(what));
    Fields fields;
    fields.Reserve(node.size());
    for (const auto& item : node.Pairs()) {
        if (!item.first.IsScalar())
            Refuse(item.first, QStringLiteral("expected a key of %1").arg(what));
        const std::string& key = item.first.Scalar();
        if (std::find(allowed.begin(), allowed.end(), key) == allowed.end()) {
            QStringList names;
            for (const std::string& a : allowed)
                names << FromStd(a);
            Refuse(item.first, QStringLiteral("unknown key \"%1\" in %2; expected one of: %3")
                                   .arg(FromStd(key), what, names.join(QStringLiteral(", "))));
        }
        if (fields.Has(key))
            Refuse(item.first,
                   QStringLiteral("key \"%1\" given twice in %2").arg(FromStd(key), what));
        fields.Add(key, item.second);
    }
    return fields;
}

// The value of a key of a checked map; an undefined node when it is missing.
const TextNode& Get(const Fields& fields, const std::string& key) {
    return fields.Get(key);
}

QString Scalar(const TextNode& node, const QString& what) {
    if (!node.IsScalar())
        Refuse(node, QStringLiteral("expected %1").arg(what));
    return FromStd(node.Scalar());
}

bool Boolean(const TextNode& node, const QString& what) {
    if (node.IsScalar() && node.Scalar() == "true")
        return true;
    if (node.IsScalar() && node.Scalar() == "false")
        return false;
    Refuse(node, QStringLiteral("expected true or false for %1").arg(what));
}

// A whole number from low to high.
int Number(const TextNode& node, const QString& what, int low, int high) {
    const QString text = node.IsScalar() ? FromStd(node.Scalar()) : QString();
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        Refuse(
            node,
            QStringLiteral("expected %1 as a number from %2 to %3").arg(what).arg(low).arg(high));
    return value;
}

// A value written as {raw: ...}: what the field holds, past the program's
// rules.
bool IsRaw(const TextNode& node) {
    return node.IsMap() && node.size() == 1 && node.FirstKey().IsScalar() &&
           node.FirstKey().Scalar() == kRawKey;
}
const TextNode& RawValue(const TextNode& node) {
    return node.FirstValue();
}

// An item of a list by its text (exactly), or {raw: n} up to high.
int ListValue(const TextNode& node, const QStringList& items, const QString& what, int high) {
    if (IsRaw(node))
        return Number(RawValue(node), what + QStringLiteral(" (raw)"), 0, high);
    const QString text = node.IsScalar() ? FromStd(node.Scalar()) : QString();
    const int index = static_cast<int>(items.indexOf(text));
    if (index < 0 || index > high)
        Refuse(node, QStringLiteral("expected %1 as one of: %2")
                         .arg(what, items.join(QStringLiteral(", "))));
    return index;
}

// The same for a channel column's list: a text found at once is taken;
// anything else goes the long way, with its message.
int ListValue(const TextNode& node, radio::ChoiceList list, const QString& what, int high) {
    if (!IsRaw(node) && node.IsScalar()) {
        const int index = IndexIn(list, node.Scalar());
        if (index >= 0 && index <= high)
            return index;
    }
    return ListValue(node, Items(list), what, high);
}

// The forms this program writes, "146.94000" (MHz) and "600 kHz", read
// straight from the text; 0 for anything else (which then goes the long
// way, through the grid's rules for typed frequencies).
Hz WrittenFrequency(const std::string& s) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    constexpr size_t kWholeDigits = 4;    // up to 9999 MHz
    constexpr size_t kFractionDigits = 6; // down to 1 Hz
    constexpr size_t kKilohertzDigits = 6;
    constexpr int kKilo = 1000;
    constexpr int kMega = 1000 * kKilo;
    size_t i = 0;
    std::int64_t whole = 0;
    while (i < s.size() && digit(s[i]) && i < kKilohertzDigits)
        whole = whole * 10 + (s[i++] - '0');
    if (i == 0 || i == s.size())
        return 0;
    if (s.compare(i, std::string::npos, " kHz") == 0)
        return static_cast<Hz>(whole * kKilo);
    if (i > kWholeDigits || s[i] != '.')
        return 0;
    const size_t point = ++i;
    std::int64_t fraction = 0;
    while (i < s.size() && digit(s[i]) && i - point < kFractionDigits)
        fraction = fraction * 10 + (s[i++] - '0');
    if (i != s.size() || i == point)
        return 0;
    for (size_t d = i - point; d < kFractionDigits; ++d)
        fraction *= 10;
    const std::int64_t hz = whole * kMega + fraction;
    return hz <= std::numeric_limits<Hz>::max() ? static_cast<Hz>(hz) : 0;
}

// A frequency in MHz ("146.94000", "146.94 MHz") or kHz ("600 kHz"); an
// offset may be 0.
Hz Frequency(const TextNode& node, const QString& what, bool zero = false) {
    if (node.IsScalar()) {
        if (const Hz hz = WrittenFrequency(node.Scalar()); hz > 0)
            return hz;
    }
    const radio::FrequencyEntry entry = radio::ParseFrequency(Scalar(node, what));
    if (entry.kind != radio::FrequencyEntry::Value &&
        !(zero && entry.kind == radio::FrequencyEntry::Zero))
        Refuse(node,
               QStringLiteral("expected %1 as a frequency in MHz (146.94000) or kHz (600 kHz), "
                              "not \"%2\"")
                   .arg(what, entry.text));
    return entry.hz;
}

// ---------------------------------------------------------------------------
// Writing helpers
// ---------------------------------------------------------------------------

TextNode Raw(int value) {
    TextNode node(TextNode::Type::Map);
    node.SetFlow();
    node[kRawKey] = value;
    return node;
}

TextNode Raw(const QString& text) {
    TextNode node(TextNode::Type::Map);
    node.SetFlow();
    node[kRawKey] = ToStd(text);
    return node;
}

TextNode ListNode(int value, const QStringList& items) {
    if (value >= 0 && value < items.size())
        return TextNode(ToStd(items[value]));
    return Raw(value);
}

// The same for a channel column's list, whose texts are made once.
TextNode ListNode(int value, radio::ChoiceList list) {
    static std::array<std::vector<std::string>, static_cast<size_t>(radio::ChoiceList::Count)>
        texts;
    auto& items = texts[static_cast<size_t>(list)];
    if (items.empty()) {
        for (const QString& item : Items(list))
            items.push_back(ToStd(item));
    }
    if (value >= 0 && value < static_cast<int>(items.size()))
        return TextNode(items[static_cast<size_t>(value)]);
    return Raw(value);
}

// A frequency as the grid writes it, MHz with five decimals; an offset in
// kHz when it is whole kHz.
QString FrequencyWords(Hz hz) {
    return radio::FrequencyText(hz);
}
QString OffsetWords(Hz hz) {
    const QString shown = radio::OffsetText(hz);
    if (hz > 0 && radio::ParseFrequency(shown).hz == hz)
        return shown;
    if (hz % 1000 == 0)
        return QStringLiteral("%1 kHz").arg(hz / 1000);
    return radio::FrequencyText(hz) + QStringLiteral(" MHz");
}

// ---------------------------------------------------------------------------
// Channels: a channel-list row or a receiver set of a hyper memory
// ---------------------------------------------------------------------------

// How a channel's values sit in the image: a 22-byte record (list fields
// in bits) or a receiver set (a byte each).
struct Shape {
    int tab;  // the channel's tab; kHyper for a receiver set
    int band; // the band row on the VFO's and Home Channels tabs
    bool Record() const { return tab != tab::kHyper; }
    // The largest number a list column's field holds.
    int High(const ColumnDef& def) const {
        if (!Record())
            return 255;
        switch (def.list) {
        case radio::ChoiceList::Direction:
        case radio::ChoiceList::Mode:
        case radio::ChoiceList::Power:
            return 3;
        case radio::ChoiceList::Step:
            return 15;
        case radio::ChoiceList::Icon:
            return 63;
        default:
            return 255;
        }
    }
};

bool ValidFrequency(const radio::RadioModel& radio, const Shape& at, Hz hz) {
    return radio.IsValidFrequency(IsBandTab(at.tab) ? at.tab : tab::kMemories, hz, at.band);
}

bool FitsField(const Shape& at, Hz hz) {
    Byte scratch[block::kFrequencySize];
    return hz >= 0 && (at.Record() ? radio::EncodeFrequency3(scratch, hz)
                                   : radio::EncodeFrequency4(scratch, hz));
}

// The frequency the field would hold after writing hz.
Hz Stored(const Shape& at, Hz hz) {
    Byte scratch[block::kFrequencySize];
    if (at.Record()) {
        radio::EncodeFrequency3(scratch, hz);
        return radio::DecodeFrequency3(scratch);
    }
    radio::EncodeFrequency4(scratch, hz);
    return radio::DecodeFrequency4(scratch);
}

// The transmit frequency that receive, offset and direction give.
Hz TransmitOf(const ChannelValues& v) {
    switch (v.direction) {
    case radio::direction::kSimplex:
        return v.rx;
    case radio::direction::kMinus:
        return v.rx - v.offset;
    case radio::direction::kPlus:
        return v.rx + v.offset;
    default:
        return v.tx;
    }
}

// A channel's description, or an undefined node when its fields hold no
// numbers (its bytes then go under "raw").
TextNode DescribeChannel(const radio::RadioModel& radio, const Shape& at, const ChannelValues& v,
                         TextNode node) {
    const bool split = v.direction == radio::direction::kSplit;
    if (v.rx < 0 || (split ? v.tx < 0 : v.offset < 0) || v.direction < 0)
        return TextNode();
    node.SetFlow();
    node.Reserve(2 * (std::size(radio::kChannelColumns) + 1));
    for (const ColumnDef& def : radio::kChannelColumns) {
        if (!Holds(at.tab, def) || def.value == radio::CellValue::Comment)
            continue;
        const std::string& key = ColumnKey(def);
        switch (def.value) {
        case radio::CellValue::Frequency: {
            const Hz hz = v.*def.number;
            if (def.column == radio::channelcol::kTransmit && !split) {
                // Shown for the reader; it follows from the other fields.
                if (TransmitOf(v) > 0)
                    node[key] = radio::FrequencyUtf8(TransmitOf(v));
                break;
            }
            if (ValidFrequency(radio, at, hz))
                node[key] = radio::FrequencyUtf8(hz);
            else
                node[key] = Raw(FrequencyWords(hz));
            break;
        }
        case radio::CellValue::OffsetText:
            if (!split) {
                const QString text = OffsetWords(v.offset);
                const bool plain = v.offset == 0 || radio::RadioModel::IsValidOffset(v.offset);
                node[key] = plain ? TextNode(ToStd(text)) : Raw(text);
            }
            break;
        case radio::CellValue::ListIndex:
            node[key] = ListNode(v.*def.number, def.list);
            break;
        case radio::CellValue::Check:
            node[key] = v.*def.flag;
            break;
        case radio::CellValue::Text:
            node[key] = ToStd(v.*def.text);
            break;
        case radio::CellValue::Comment:
            break;
        }
    }
    return node;
}

// Reads a channel's keys over base (other keys of the map, such as the
// row's label and comment, were checked by the caller).
ChannelValues ReadChannel(const radio::RadioModel& radio, const Shape& at, const TextNode& node,
                          const Fields& fields, ChannelValues v, bool fresh) {
    const auto key = [](int col) { return ColumnKey(Column(col)); };
    using namespace radio::channelcol;

    const auto frequency = [&](const TextNode& n, const QString& what, bool rule) {
        const bool raw = IsRaw(n);
        const Hz hz = Frequency(raw ? RawValue(n) : n, what, raw);
        if (!FitsField(at, hz) || Stored(at, hz) != hz)
            Refuse(n, QStringLiteral("%1 %2 does not fit the channel's field")
                          .arg(what, FrequencyWords(hz)));
        if (!raw && rule && !ValidFrequency(radio, at, hz))
            Refuse(n, QStringLiteral("%1 %2 is outside the radio's bands or off its raster")
                          .arg(what, FrequencyWords(hz)));
        return hz;
    };

    const TextNode& rx = Get(fields, key(kReceive));
    if (rx.IsDefined())
        v.rx = frequency(rx, QStringLiteral("receive frequency"), true);
    else if (fresh)
        Refuse(node, QStringLiteral("expected a receive frequency (key \"%1\")")
                         .arg(FromStd(key(kReceive))));
    // A channel of a tab that shows every column, giving every key but its
    // transmit frequency and comment, takes nothing from a fresh row (a
    // split channel's transmit frequency would come from it; the fields of
    // columns a tab does not show do).
    const bool whole =
        std::all_of(std::begin(radio::kChannelColumns), std::end(radio::kChannelColumns),
                    [&](const ColumnDef& def) {
                        return def.value == radio::CellValue::Comment || def.column == kTransmit ||
                               (Holds(at.tab, def) && Get(fields, ColumnKey(def)).IsDefined());
                    });
    if (fresh && !whole) {
        // A channel written for the first time: offset, direction and lists
        // as a fresh row of the grid gets them.
        radio::ChannelDraft d;
        d.rx = radio::StoredFrequency(v.rx);
        radio::entry::Seed(
            radio, radio::RadioModel::RecordForRow(radio::DefaultImage().data(), tab::kMemories, 0),
            v.rx, d);
        v = radio::ValuesFromDraft(d);
    }
    for (const ColumnDef& def : radio::kChannelColumns) {
        if (!Holds(at.tab, def))
            continue;
        const TextNode& n = Get(fields, ColumnKey(def));
        if (!n.IsDefined() || def.column == kReceive || def.column == kTransmit)
            continue;
        const QString& what = ColumnWords(def);
        switch (def.value) {
        case radio::CellValue::OffsetText: {
            const bool raw = IsRaw(n);
            const Hz hz = Frequency(raw ? RawValue(n) : n, what, true);
            if (!FitsField(at, hz) || Stored(at, hz) != hz)
                Refuse(n, QStringLiteral("offset %1 does not fit the channel's field")
                              .arg(OffsetWords(hz)));
            if (!raw && hz != 0 && !radio::RadioModel::IsValidOffset(hz))
                Refuse(n, QStringLiteral(
                              "expected a repeater offset below 99.95 MHz on a 50 kHz raster"));
            v.offset = hz;
            break;
        }
        case radio::CellValue::ListIndex:
            v.*def.number = ListValue(n, def.list, what, at.High(def));
            break;
        case radio::CellValue::Check:
            v.*def.flag = Boolean(n, what);
            break;
        case radio::CellValue::Text: {
            const QString text = Scalar(n, QStringLiteral("a name"));
            if (text.size() > def.maxLength)
                Refuse(
                    n,
                    QStringLiteral("expected a name of at most %1 characters").arg(def.maxLength));
            for (const QChar c : text) {
                if (!radio::IsRadioCharacter(c))
                    Refuse(n, QStringLiteral("the radio has no character '%1' for names").arg(c));
            }
            v.*def.text = text;
            break;
        }
        default:
            break;
        }
    }
    const TextNode& tx = Get(fields, key(kTransmit));
    if (v.direction == radio::direction::kSplit) {
        if (tx.IsDefined())
            v.tx = frequency(tx, QStringLiteral("transmit frequency"), true);
        else if (v.tx < 0 || !FitsField(at, v.tx))
            Refuse(node, QStringLiteral("expected a transmit frequency for a split channel"));
        v.offset = radio::kSplitOffsetPlaceholder;
    } else {
        if (v.offset < 0 || !FitsField(at, v.offset))
            Refuse(node,
                   QStringLiteral("expected an offset (key \"%1\")").arg(FromStd(key(kOffset))));
        v.tx = TransmitOf(v);
        if (tx.IsDefined()) {
            const Hz given = Frequency(tx, QStringLiteral("transmit frequency"));
            if (given != v.tx)
                Refuse(tx, QStringLiteral(
                               "transmit frequency %1 does not follow from receive frequency, "
                               "offset and direction; expected %2")
                               .arg(FrequencyWords(given), FrequencyWords(v.tx)));
        }
    }
    return v;
}

// The keys a channel of a tab may have, besides those of its place.
std::vector<std::string> ChannelKeys(int t, std::vector<std::string> keys) {
    for (const ColumnDef& def : radio::kChannelColumns) {
        if (Holds(t, def) && (def.value != radio::CellValue::Comment || t != tab::kHyper))
            keys.push_back(ColumnKey(def));
    }
    return keys;
}

// A row's comment: at most 30 Latin-1 characters.
QString ReadComment(const TextNode& n) {
    const QString text = Scalar(n, QStringLiteral("a comment"));
    if (text.size() > rdf::kCommentMaxText)
        Refuse(n, QStringLiteral("expected a comment of at most %1 characters")
                      .arg(rdf::kCommentMaxText));
    for (const QChar c : text) {
        if (c.unicode() > 0xFF || c.unicode() == 0)
            Refuse(n, QStringLiteral("a comment cannot hold the character '%1'").arg(c));
    }
    return text;
}

const std::string& CommentKey() {
    return ColumnKey(Column(radio::channelcol::kComment));
}

// The label a row of a channel-list tab goes by.
QString RowLabel(const radio::RadioModel& radio, int t, int row) {
    if (t == tab::kMemories)
        return QString::number(row);
    return radio.RowLabel(t, row);
}

// ---------------------------------------------------------------------------
// Settings: the option table's values
// ---------------------------------------------------------------------------

QString PageName(const opt::Option& o) {
    return QString::fromUtf8(o.page);
}

const QStringList& Choices(const opt::Option& o) {
    static std::map<const opt::Option*, QStringList> cache;
    auto it = cache.find(&o);
    if (it == cache.end()) {
        QStringList items;
        for (const char* c : o.choices)
            items << QString::fromUtf8(c);
        it = cache.emplace(&o, items).first;
    }
    return it->second;
}

const settings::rset::BitmapShape& ShapeOf(const opt::Option& o) {
    return o.kind == opt::Kind::Icon ? settings::rset::kIconShape : settings::rset::kFontShape;
}

// An option's value, or an undefined node when the bytes are left to "raw".
TextNode DescribeOption(const opt::Option& o, const Byte* s) {
    namespace display = settings::rset::display;
    const Byte value = s[o.byte];
    switch (o.kind) {
    case opt::Kind::Check:
        return TextNode(opt::Bit(s, o.byte, o.bit));
    case opt::Kind::BitChoice:
        return TextNode(ToStd(Choices(o)[opt::Bit(s, o.byte, o.bit) ? 1 : 0]));
    case opt::Kind::Choice:
        return ListNode(value, Choices(o));
    case opt::Kind::Level:
        return value <= opt::kLevelMax ? TextNode(int(value)) : Raw(value);
    case opt::Kind::Dimmer:
        return value <= display::kDimmerMax ? TextNode(int(value)) : Raw(value);
    case opt::Kind::Contrast: {
        const int shown = display::ShownContrast(value);
        return display::ContrastByte(shown) == value ? TextNode(shown) : Raw(value);
    }
    case opt::Kind::DtmfCode:
    case opt::Kind::DtmfChannel: {
        const QChar c = opt::DtmfCharacter(value);
        return c.unicode() > 0x20 && c.unicode() < 0x7F ? TextNode(ToStd(QString(c))) : Raw(value);
    }
    case opt::Kind::DtmfMemory:
    case opt::Kind::CwId:
    case opt::Kind::Name:
        return TextNode(ToStd(opt::ValueText(o, s)));
    case opt::Kind::Time: {
        const QString text = opt::TimeText(s, o.byte);
        return opt::ParseTime(text) ? TextNode(ToStd(text)) : TextNode();
    }
    case opt::Kind::Offset: {
        const int offset = opt::OffsetValue(s, o.byte);
        return offset >= opt::kOffsetMin && offset <= opt::kOffsetMax ? TextNode(offset)
                                                                      : Raw(offset);
    }
    case opt::Kind::LedColour: {
        const Byte* levels = s + o.byte;
        if (std::max({levels[0], levels[1], levels[2]}) > display::kLedLevelMax)
            return TextNode();
        return TextNode(ToStd(opt::ValueText(o, s)));
    }
    case opt::Kind::Icon:
    case opt::Kind::FontChar: {
        TextNode rows(TextNode::Type::Sequence);
        const auto& shape = ShapeOf(o);
        for (const QString& row :
             settings::rset::DrawBitmap(shape, settings::rset::DecodeBitmap(shape, s + o.byte)))
            rows.push_back(ToStd(row));
        return rows;
    }
    }
    return TextNode();
}

// A text of the radio's characters, at most length of them.
QString RadioCharacters(const TextNode& n, const QString& what, int length) {
    const QString text = Scalar(n, what);
    if (text.size() > length)
        Refuse(n, QStringLiteral("expected %1 of at most %2 characters").arg(what).arg(length));
    for (const QChar c : text) {
        if (!radio::IsRadioCharacter(c))
            Refuse(n, QStringLiteral("the radio has no character '%1'").arg(c));
    }
    return text;
}

void ReadOption(const opt::Option& o, const TextNode& n, Byte* s) {
    namespace display = settings::rset::display;
    const QString what = opt::DisplayName(o);
    const bool raw = IsRaw(n);
    const TextNode& r = raw ? RawValue(n) : n;
    switch (o.kind) {
    case opt::Kind::Check:
        opt::SetBit(s, o.byte, o.bit, Boolean(n, what));
        return;
    case opt::Kind::BitChoice:
        opt::SetBit(s, o.byte, o.bit, ListValue(n, Choices(o), what, 1) == 1);
        return;
    case opt::Kind::Choice:
        s[o.byte] = static_cast<Byte>(ListValue(n, Choices(o), what, 255));
        return;
    case opt::Kind::Level:
        s[o.byte] = static_cast<Byte>(Number(r, what, 0, raw ? 255 : opt::kLevelMax));
        return;
    case opt::Kind::Dimmer:
        s[o.byte] = static_cast<Byte>(Number(r, what, 0, raw ? 255 : display::kDimmerMax));
        return;
    case opt::Kind::Contrast:
        s[o.byte] = raw ? static_cast<Byte>(Number(r, what, 0, 255))
                        : display::ContrastByte(
                              Number(r, what, display::kContrastMin, display::kContrastMax));
        return;
    case opt::Kind::DtmfCode:
    case opt::Kind::DtmfChannel: {
        if (raw) {
            s[o.byte] = static_cast<Byte>(Number(r, what, 0, 255));
            return;
        }
        const QString text = Scalar(n, what);
        if (text.size() != 1 || text[0].unicode() <= 0x20 || text[0].unicode() >= 0x7F)
            Refuse(n, QStringLiteral("expected one character for %1").arg(what));
        s[o.byte] = opt::DtmfByte(text);
        return;
    }
    case opt::Kind::DtmfMemory:
        opt::SetDtmfMemory(s, o.bit, RadioCharacters(n, what, opt::kDtmfMemorySize));
        return;
    case opt::Kind::CwId:
        opt::SetCwId(s, RadioCharacters(n, what, opt::kCwIdSlots));
        return;
    case opt::Kind::Name:
        settings::rset::names::Encode(s + o.byte,
                                      RadioCharacters(n, what, settings::rset::names::kLength));
        return;
    case opt::Kind::Time: {
        const auto time = opt::ParseTime(Scalar(n, what));
        if (!time)
            Refuse(n, QStringLiteral("expected %1 as hh:mm").arg(what));
        opt::SetTime(s, o.byte, *time);
        return;
    }
    case opt::Kind::Offset:
        opt::SetOffset(s, o.byte,
                       raw ? Number(r, what, -32768, 32767)
                           : Number(r, what, opt::kOffsetMin, opt::kOffsetMax));
        return;
    case opt::Kind::LedColour: {
        const QString text = Scalar(n, what);
        bool ok = text.size() == 7 && text[0] == QLatin1Char('#');
        display::LedColour colour;
        int* parts[3] = {&colour.red, &colour.green, &colour.blue};
        for (int i = 0; ok && i < 3; ++i) {
            const int intensity = text.mid(1 + 2 * i, 2).toInt(&ok, 16);
            *parts[i] = intensity;
            ok = ok && display::LevelIntensity(display::IntensityLevel(intensity)) == intensity;
        }
        if (!ok)
            Refuse(n, QStringLiteral("expected %1 as #RRGGBB, each part a multiple of 5 (00 to FF)")
                          .arg(what));
        display::WriteLevels(s + o.byte, colour);
        return;
    }
    case opt::Kind::Icon:
    case opt::Kind::FontChar: {
        const auto& shape = ShapeOf(o);
        const QString expected =
            QStringLiteral("expected %1 as %2 rows of %3 characters, '#' or '.'")
                .arg(what)
                .arg(shape.height)
                .arg(shape.width);
        if (!n.IsSequence() || static_cast<int>(n.size()) != shape.height)
            Refuse(n, expected);
        settings::rset::Pixels pixels;
        for (const auto& row : n.Items()) {
            const QString text = row.IsScalar() ? FromStd(row.Scalar()) : QString();
            if (text.size() != shape.width)
                Refuse(row, expected);
            for (const QChar c : text) {
                if (c != QLatin1Char('#') && c != QLatin1Char('.'))
                    Refuse(row, expected);
                pixels.push_back(c == QLatin1Char('#'));
            }
        }
        settings::rset::EncodeBitmap(shape, pixels, s + o.byte);
        return;
    }
    }
}

// The pages in table order, each with its options.
struct Page {
    QString name;
    std::vector<const opt::Option*> options;
};
const std::vector<Page>& Pages() {
    static const std::vector<Page> pages = [] {
        std::vector<Page> p;
        for (const opt::Option& o : opt::Options()) {
            if (p.empty() || p.back().name != PageName(o))
                p.push_back({PageName(o), {}});
            p.back().options.push_back(&o);
        }
        return p;
    }();
    return pages;
}

// ---------------------------------------------------------------------------
// Raw bytes: runs of hexadecimal by offset
// ---------------------------------------------------------------------------

constexpr int kRawRun = 32;

// The checksums, in the order they are made: the state block's, its
// copy's, then the image's (which counts the other two). A checksum that
// holds is left out of "raw" and made afresh when the text is read.
constexpr int kChecksums[] = {rdf::kImage + image::kStateBlock + block::kChecksum,
                              rdf::kImage + image::kStateCopy + block::kChecksum,
                              rdf::kImage + image::kChecksum};

bool IsChecksum(int at) {
    return std::find(std::begin(kChecksums), std::end(kChecksums), at) != std::end(kChecksums);
}

// Makes each checksum that "raw" did not give.
void MakeChecksums(Byte* blk, const std::vector<bool>& given) {
    Byte* img = blk + rdf::kImage;
    if (!given[static_cast<size_t>(kChecksums[0])])
        blk[kChecksums[0]] = radio::RadioModel::BlockChecksum(img + image::kStateBlock);
    if (!given[static_cast<size_t>(kChecksums[1])])
        blk[kChecksums[1]] = radio::RadioModel::BlockChecksum(img + image::kStateCopy);
    if (!given[static_cast<size_t>(kChecksums[2])])
        blk[kChecksums[2]] = radio::RadioModel::ImageChecksum(img);
}

// Runs of the bytes of was from from to to (block offsets) that keep says
// go under "raw", by offset less base.
TextNode DescribeRaw(const Byte* was, const std::vector<bool>& keep, int from, int to, int base) {
    TextNode raw(TextNode::Type::Map);
    int i = from;
    while (i < to) {
        if (!keep[static_cast<size_t>(i)]) {
            ++i;
            continue;
        }
        const int start = i;
        QByteArray run;
        while (i < to && i - start < kRawRun && keep[static_cast<size_t>(i)])
            run.append(static_cast<char>(was[i++]));
        raw[std::to_string(start - base)] = run.toHex().toUpper().toStdString();
    }
    return raw;
}

// Applies "raw" to size bytes at dest, block offset base; marks the bytes
// it gives.
void ReadRaw(const TextNode& raw, Byte* dest, int size, int base, const QString& what,
             std::vector<bool>& given) {
    if (!raw.IsMap())
        Refuse(raw,
               QStringLiteral("expected %1 as a map of offsets and hexadecimal bytes").arg(what));
    for (const auto& item : raw.Pairs()) {
        const int offset = Number(item.first, what + QStringLiteral(" offset"), 0, size - 1);
        const std::string hex = item.second.IsScalar() ? item.second.Scalar() : std::string();
        if (hex.empty() || hex.size() % 2 != 0 || !std::all_of(hex.begin(), hex.end(), [](char c) {
                return std::isxdigit(static_cast<unsigned char>(c));
            }))
            Refuse(item.second, QStringLiteral("expected pairs of hexadecimal digits"));
        const QByteArray bytes =
            QByteArray::fromHex(QByteArray(hex.data(), static_cast<qsizetype>(hex.size())));
        if (offset + bytes.size() > size)
            Refuse(item.second, QStringLiteral("the bytes run past the end (%1 bytes)").arg(size));
        std::memcpy(dest + offset, bytes.constData(), static_cast<size_t>(bytes.size()));
        std::fill_n(given.begin() + base + offset, bytes.size(), true);
    }
}

// ---------------------------------------------------------------------------
// The text of a description: block maps at the top, flow maps and lists
// where a node asks for them, scalars plain where that is safe and double
// quoted otherwise.
// ---------------------------------------------------------------------------

// The characters a plain scalar may hold.
bool IsPlainCharacter(char c) {
    static const std::array<bool, 256> plain = [] {
        std::array<bool, 256> table{};
        for (int i = 0; i < 0x80; ++i)
            table[static_cast<size_t>(i)] = std::isalnum(i);
        for (const char mark : std::string(" ._+-/()"))
            table[static_cast<unsigned char>(mark)] = true;
        return table;
    }();
    return plain[static_cast<unsigned char>(c)];
}

bool IsPlainSafe(const std::string& s) {
    if (s.empty() || s.front() == ' ' || s.back() == ' ')
        return false;
    static const char* const kWords[] = {"true", "false", "null", "yes", "no",
                                         "on",   "off",   "y",    "n"};
    constexpr size_t kLongestWord = 5;
    if (s.size() <= kLongestWord) {
        for (const char* word : kWords) {
            if (std::strlen(word) == s.size() &&
                std::equal(s.begin(), s.end(), word, [](char c, char w) {
                    return std::tolower(static_cast<unsigned char>(c)) == w;
                }))
                return false;
        }
    }
    const char first = s.front();
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const bool plainStart = (IsPlainCharacter(first) && std::strchr(" _/)+-", first) == nullptr) ||
                            ((first == '-' || first == '+') && s.size() > 1 && isDigit(s[1]));
    return plainStart && std::all_of(s.begin(), s.end(), IsPlainCharacter);
}

void EmitScalar(std::string& out, const std::string& s) {
    if (IsPlainSafe(s)) {
        out += s;
        return;
    }
    out += '"';
    // Plain ASCII, the usual case, goes byte by byte.
    if (std::all_of(s.begin(), s.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        for (const char c : s) {
            switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(c));
                    out += escaped;
                } else {
                    out += c;
                }
            }
        }
        out += '"';
        return;
    }
    for (const char32_t c : FromStd(s).toUcs4()) {
        switch (c) {
        case '"':
            out += "\\\"";
            continue;
        case '\\':
            out += "\\\\";
            continue;
        case '\n':
            out += "\\n";
            continue;
        case '\t':
            out += "\\t";
            continue;
        case '\r':
            out += "\\r";
            continue;
        default:
            break;
        }
        if (c < 0x20 || (c >= 0x7F && c < 0xA0))
            out += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0')).toStdString();
        else if (c == 0xFEFF || c == 0xFFFE || c == 0xFFFF || (c >= 0xD800 && c < 0xE000))
            out += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0')).toStdString();
        else
            out += QString::fromUcs4(&c, 1).toStdString();
    }
    out += '"';
}

void EmitFlow(std::string& out, const TextNode& n) {
    if (n.IsMap()) {
        out += '{';
        bool first = true;
        for (const auto& item : n.Pairs()) {
            if (!first)
                out += ", ";
            first = false;
            EmitScalar(out, item.first.Scalar());
            out += ": ";
            EmitFlow(out, item.second);
        }
        out += '}';
    } else if (n.IsSequence()) {
        out += '[';
        bool first = true;
        for (const auto& item : n.Items()) {
            if (!first)
                out += ", ";
            first = false;
            EmitFlow(out, item);
        }
        out += ']';
    } else if (n.Plain()) {
        out += n.Scalar();
    } else {
        EmitScalar(out, n.Scalar());
    }
}

bool IsBlock(const TextNode& n) {
    return (n.IsMap() || n.IsSequence()) && n.size() > 0 && !n.Flow();
}

void EmitBlock(std::string& out, const TextNode& n, int indent) {
    const std::string pad(static_cast<size_t>(indent), ' ');
    if (n.IsMap()) {
        for (const auto& item : n.Pairs()) {
            out += pad;
            EmitScalar(out, item.first.Scalar());
            out += ':';
            if (IsBlock(item.second)) {
                out += '\n';
                EmitBlock(out, item.second, indent + 2);
            } else {
                out += ' ';
                EmitFlow(out, item.second);
                out += '\n';
            }
        }
        return;
    }
    for (const auto& item : n.Items()) {
        out += pad;
        out += "- ";
        EmitFlow(out, item);
        out += '\n';
    }
}

// ---------------------------------------------------------------------------
// Parsing: the YAML library's events made into a tree
// ---------------------------------------------------------------------------

Mark MarkOf(const yaml_mark_t& mark) {
    return Mark{static_cast<int>(mark.line), static_cast<int>(mark.column)};
}

// Nesting deeper than any radio text is refused, so that no text can
// exhaust the stack.
constexpr int kMaxDepth = 32;

class Parser {
public:
    explicit Parser(const QByteArray& text) {
        yaml_parser_initialize(&m_parser);
        yaml_parser_set_input_string(&m_parser,
                                     reinterpret_cast<const unsigned char*>(text.constData()),
                                     static_cast<size_t>(text.size()));
    }
    ~Parser() { yaml_parser_delete(&m_parser); }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    // The text's one document; an empty text is a null node.
    TextNode Document() {
        Event event(*this);
        if (event.Type() != YAML_STREAM_START_EVENT)
            Fail(event);
        Event first(*this);
        if (first.Type() == YAML_STREAM_END_EVENT)
            return TextNode(TextNode::Type::Null);
        if (first.Type() != YAML_DOCUMENT_START_EVENT)
            Fail(first);
        TextNode root = Node(Event(*this), 0);
        Event end(*this);
        if (end.Type() != YAML_DOCUMENT_END_EVENT)
            Fail(end);
        Event after(*this);
        if (after.Type() != YAML_STREAM_END_EVENT)
            throw Refused{MarkOf(after.Raw().start_mark),
                          QStringLiteral("expected one radio in the text, not several documents")};
        return root;
    }

private:
    class Event {
    public:
        explicit Event(Parser& parser) {
            if (!yaml_parser_parse(&parser.m_parser, &m_event)) {
                const yaml_parser_t& p = parser.m_parser;
                throw Refused{MarkOf(p.problem_mark),
                              QString::fromUtf8(p.problem ? p.problem : "unreadable text") +
                                  (p.context ? QStringLiteral(" ") + QString::fromUtf8(p.context)
                                             : QString())};
            }
        }
        ~Event() { yaml_event_delete(&m_event); }
        Event(const Event&) = delete;
        Event& operator=(const Event&) = delete;
        yaml_event_type_t Type() const { return m_event.type; }
        const yaml_event_t& Raw() const { return m_event; }

    private:
        yaml_event_t m_event{};
    };

    [[noreturn]] static void Fail(const Event& event) {
        throw Refused{MarkOf(event.Raw().start_mark), QStringLiteral("unexpected YAML structure")};
    }

    TextNode Node(const Event& event, int depth) {
        const Mark mark = MarkOf(event.Raw().start_mark);
        if (depth > kMaxDepth)
            throw Refused{mark, QStringLiteral("nested too deeply for a radio")};
        switch (event.Type()) {
        case YAML_SCALAR_EVENT: {
            const auto& scalar = event.Raw().data.scalar;
            TextNode node(std::string(reinterpret_cast<const char*>(scalar.value), scalar.length));
            node.SetMark(mark);
            return node;
        }
        case YAML_SEQUENCE_START_EVENT: {
            TextNode node(TextNode::Type::Sequence);
            node.SetMark(mark);
            for (;;) {
                Event next(*this);
                if (next.Type() == YAML_SEQUENCE_END_EVENT)
                    break;
                TextNode item = Node(next, depth + 1);
                Scratch(depth).push_back(std::move(item));
            }
            node.TakeChildren(Scratch(depth));
            return node;
        }
        case YAML_MAPPING_START_EVENT: {
            TextNode node(TextNode::Type::Map);
            node.SetMark(mark);
            for (;;) {
                Event key(*this);
                if (key.Type() == YAML_MAPPING_END_EVENT)
                    break;
                TextNode k = Node(key, depth + 1);
                TextNode v = Node(Event(*this), depth + 1);
                Scratch(depth).push_back(std::move(k));
                Scratch(depth).push_back(std::move(v));
            }
            node.TakeChildren(Scratch(depth));
            return node;
        }
        case YAML_ALIAS_EVENT:
            throw Refused{mark, QStringLiteral("anchors and aliases are not used in a radio text")};
        default:
            Fail(event);
        }
    }

    // The children of the collection open at a depth, gathered before they
    // move into their node at its exact size.
    std::vector<TextNode>& Scratch(int depth) {
        if (m_scratch.size() <= static_cast<size_t>(depth))
            m_scratch.resize(static_cast<size_t>(depth) + 1);
        return m_scratch[static_cast<size_t>(depth)];
    }

    yaml_parser_t m_parser{};
    std::vector<std::vector<TextNode>> m_scratch;
};

TextNode Parse(const QByteArray& text) {
    Parser parser(text);
    return parser.Document();
}

// ---------------------------------------------------------------------------
// The whole text
// ---------------------------------------------------------------------------

// A new document's block: what reading starts from.
const Block& NewBlock() {
    static const Block fresh = [] {
        document::RadioDocument doc;
        Block b{};
        std::memcpy(b.data(), doc.Block(), b.size());
        return b;
    }();
    return fresh;
}

std::vector<std::string> TopKeys() {
    std::vector<std::string> keys = {kVersionKey, kRadioKey, kDataFileKey};
    for (const ListTab& lt : kListTabs) {
        if (lt.tab == tab::kVfo) {
            keys.push_back(kHyperKey);
            keys.push_back(kGroupsKey);
            keys.push_back(kPriorityKey);
        }
        keys.push_back(lt.key);
    }
    keys.push_back(kSettingsKey);
    keys.push_back(kRawKey);
    return keys;
}

// Applies a description (read from text, or made by Describe) to a new
// document's block.
void Apply(const TextNode& root, Byte* out) {
    radio::RadioModel model;
    Byte* blk = model.Block();
    std::memcpy(blk, NewBlock().data(), rdf::kFileSize);
    Byte* img = model.Image();

    if (root.IsNull())
        return std::memcpy(out, blk, rdf::kFileSize), void();
    const Fields rootF = CheckMap(root, QStringLiteral("the radio"), TopKeys());

    if (const TextNode& v = Get(rootF, kVersionKey); v.IsDefined())
        Number(v, QStringLiteral("the format version"), kFormatVersion, kFormatVersion);

    if (const TextNode& r = Get(rootF, kRadioKey); r.IsDefined()) {
        const Fields rF = CheckMap(r, QStringLiteral("radio"), {kModelKey, kVariantKey});
        if (const TextNode& m = Get(rF, kModelKey);
            m.IsDefined() && Scalar(m, QStringLiteral("the model")) != QLatin1String(kModelName))
            Refuse(m, QStringLiteral("expected the model %1").arg(QLatin1String(kModelName)));
        if (const TextNode& v = Get(rF, kVariantKey); v.IsDefined())
            img[image::kVariantFlag] =
                static_cast<Byte>(ListValue(v, VariantNames(), QStringLiteral("the variant"), 255));
    }

    if (const TextNode& f = Get(rootF, kDataFileKey); f.IsDefined()) {
        const Fields fF = CheckMap(f, QStringLiteral("data file"), {kSettingsSourceKey, kRawKey});
        if (const TextNode& s = Get(fF, kSettingsSourceKey); s.IsDefined()) {
            const QString name = Scalar(s, QStringLiteral("a settings source"));
            if (name.toUtf8().size() >= rdf::kSettingsSourceSize || name.contains(QChar(0)))
                Refuse(s, QStringLiteral("expected a settings source of at most %1 bytes")
                              .arg(rdf::kSettingsSourceSize - 1));
            QByteArray bytes = name.toUtf8();
            std::memset(blk + rdf::kSettingsSource, 0, rdf::kSettingsSourceSize);
            std::memcpy(blk + rdf::kSettingsSource, bytes.constData(),
                        static_cast<size_t>(bytes.size()));
        }
    }

    if (const TextNode& s = Get(rootF, kSettingsKey); s.IsDefined()) {
        std::vector<std::string> pageKeys;
        for (const Page& p : Pages())
            pageKeys.push_back(ToStd(p.name));
        const Fields sF = CheckMap(s, QStringLiteral("settings"), pageKeys);
        settings::rsf::RadioSettings settingsBlock{};
        settings::rsf::ExtractSettings(model, img, settingsBlock.data());
        for (const Page& p : Pages()) {
            const TextNode& page = Get(sF, ToStd(p.name));
            if (!page.IsDefined())
                continue;
            std::vector<std::string> names;
            for (const opt::Option* o : p.options)
                names.push_back(ToStd(opt::DisplayName(*o)));
            const Fields pageF = CheckMap(page, QStringLiteral("the page %1").arg(p.name), names);
            for (const opt::Option* o : p.options) {
                if (const TextNode& n = Get(pageF, ToStd(opt::DisplayName(*o))); n.IsDefined())
                    ReadOption(*o, n, settingsBlock.data());
            }
        }
        settings::rsf::WriteSettings(model, settingsBlock.data(), img);
    }

    for (const ListTab& lt : kListTabs) {
        const TextNode& list = Get(rootF, lt.key);
        const int t = lt.tab;
        const int rows = radio::RadioModel::RecordCount(t);
        const bool band = IsBandTab(t);
        if (!band && list.IsDefined()) {
            // Rows the text leaves out are empty.
            for (int i = 0; i < rows; ++i)
                radio::RadioModel::SetUsed(img, t, i, false);
        }
        if (!list.IsDefined())
            continue;
        if (!list.IsSequence())
            Refuse(list,
                   QStringLiteral("expected %1 as a list of channels").arg(QLatin1String(lt.key)));
        const std::string placeKey = band ? kBandKey : kChannelKey;
        const std::vector<std::string> keys = ChannelKeys(t, {placeKey});
        std::vector<bool> seen(static_cast<size_t>(rows), false);
        std::unordered_map<std::string, int> rowOf;
        for (int row = 1; row <= rows; ++row)
            rowOf.emplace(ToStd(RowLabel(model, t, row)), row);
        const QString what = QStringLiteral("a channel of %1").arg(QLatin1String(lt.key));
        for (const TextNode& ch : list.Items()) {
            const Fields chF = CheckMap(ch, what, keys);
            const TextNode& place = Get(chF, placeKey);
            if (!place.IsDefined())
                Refuse(ch, QStringLiteral("expected the channel's %1").arg(FromStd(placeKey)));
            const QString label = Scalar(place, FromStd(placeKey));
            const auto found = rowOf.find(place.Scalar());
            if (found == rowOf.end())
                Refuse(place, QStringLiteral("expected a %1 from %2 to %3")
                                  .arg(FromStd(placeKey), RowLabel(model, t, 1),
                                       RowLabel(model, t, rows)));
            const int row = found->second;
            if (seen[static_cast<size_t>(row - 1)])
                Refuse(place, QStringLiteral("%1 %2 is given twice").arg(FromStd(placeKey), label));
            seen[static_cast<size_t>(row - 1)] = true;
            const Shape at{t, band ? row : 0};
            // A band row starts from what it holds; a listed channel is
            // written whole, from its keys and the defaults of a fresh row.
            const ChannelValues base =
                band ? radio::DecodeChannel(model, img, t, row - 1) : ChannelValues{};
            const ChannelValues v = ReadChannel(model, at, ch, chF, base, !band);
            if (!radio::EncodeChannel(model, img, t, row - 1, v))
                Refuse(ch, QStringLiteral("the channel's frequencies do not fit its record"));
            if (const TextNode& c = Get(chF, CommentKey()); c.IsDefined())
                model.SetComment(t, row - 1, ReadComment(c));
        }
    }

    if (const TextNode& hyper = Get(rootF, kHyperKey); hyper.IsDefined()) {
        if (!hyper.IsSequence())
            Refuse(hyper, QStringLiteral("expected hyper memories as a list"));
        for (int i = 0; i < image::kHyperCount; ++i) {
            Byte* b = radio::RadioModel::RecordForRow(img, tab::kHyper, i);
            // Left out: not in use (a memory not in use keeps its marks).
            if (b[block::kHyperStatus] == block::kHyperInUse)
                b[block::kHyperStatus] = b[block::kHyperStatus2] = 0xFF;
        }
        const std::vector<std::string> keys = {kMemoryKey,  kDualReceiveKey, kOperationBandKey,
                                               kSetKeys[0], kSetKeys[1],     CommentKey()};
        const std::vector<std::string> setKeys = ChannelKeys(tab::kHyper, {});
        std::vector<bool> seen(image::kHyperCount, false);
        for (const TextNode& h : hyper.Items()) {
            const Fields hF = CheckMap(h, QStringLiteral("a hyper memory"), keys);
            const TextNode& place = Get(hF, kMemoryKey);
            if (!place.IsDefined())
                Refuse(h, QStringLiteral("expected the hyper memory's number (key \"memory\")"));
            const int row = Number(place, QStringLiteral("a hyper memory"), 1, image::kHyperCount);
            if (seen[static_cast<size_t>(row - 1)])
                Refuse(place, QStringLiteral("hyper memory %1 is given twice").arg(row));
            seen[static_cast<size_t>(row - 1)] = true;
            Byte* b = radio::RadioModel::RecordForRow(img, tab::kHyper, row - 1);
            b[block::kHyperStatus] = block::kHyperInUse;
            b[block::kHyperStatus2] = 0;
            if (const TextNode& d = Get(hF, kDualReceiveKey); d.IsDefined())
                b[block::kDualReceive] =
                    IsRaw(d) ? static_cast<Byte>(Number(
                                   RawValue(d), QStringLiteral("dual receive (raw)"), 0, 255))
                             : Boolean(d, QStringLiteral("dual receive"));
            if (const TextNode& o = Get(hF, kOperationBandKey); o.IsDefined())
                b[block::kOperationBand] = static_cast<Byte>(ListValue(
                    o, Items(radio::ChoiceList::Band), QStringLiteral("operation band"), 255));
            for (int set = 0; set < 2; ++set) {
                const TextNode& s = Get(hF, kSetKeys[set]);
                if (!s.IsDefined())
                    continue;
                const Fields setF =
                    CheckMap(s, QStringLiteral("receiver set %1").arg(QLatin1String(kSetKeys[set])),
                             setKeys);
                const ChannelValues v = ReadChannel(model, Shape{tab::kHyper, 0}, s, setF,
                                                    radio::DecodeSet(model, b, set), false);
                radio::EncodeSet(model, b, set, v);
            }
            if (const TextNode& c = Get(hF, CommentKey()); c.IsDefined())
                model.SetComment(tab::kHyper, row - 1, ReadComment(c));
        }
    }

    if (const TextNode& groups = Get(rootF, kGroupsKey); groups.IsDefined()) {
        std::vector<std::string> keys;
        for (int g = 1; g <= image::kGroupCount; ++g)
            keys.push_back(std::to_string(g));
        CheckMap(groups, QStringLiteral("memory groups"), keys);
        for (const auto& item : groups.Pairs()) {
            const int g = std::stoi(item.first.Scalar()) - 1;
            const TextNode& members = item.second;
            if (!members.IsSequence() || members.size() > image::kGroupMaxMembers)
                Refuse(members, QStringLiteral("expected a list of at most %1 memory channels")
                                    .arg(image::kGroupMaxMembers));
            int j = 0;
            for (const TextNode& m : members.Items())
                radio::RadioModel::SetGroupMember(
                    img, g, j++,
                    Number(m, QStringLiteral("a memory channel"), 1, image::kMemoryCount) - 1);
            radio::RadioModel::SetGroupSize(img, g, j);
        }
    }

    if (const TextNode& p = Get(rootF, kPriorityKey); p.IsDefined())
        model.SetPriorityChannel(
            Number(p, QStringLiteral("the priority channel"), 1, image::kMemoryCount));

    std::vector<bool> given(rdf::kFileSize, false);
    if (const TextNode& raw = Get(rootF, kRawKey); raw.IsDefined())
        ReadRaw(raw, img, image::kSize, rdf::kImage, QStringLiteral("raw"), given);
    if (const TextNode& f = Get(rootF, kDataFileKey); f.IsDefined()) {
        if (const TextNode& raw = Get(
                CheckMap(f, QStringLiteral("data file"), {kSettingsSourceKey, kRawKey}), kRawKey);
            raw.IsDefined())
            ReadRaw(raw, blk, rdf::kFileSize, 0, QStringLiteral("data file raw"), given);
    }
    MakeChecksums(blk, given);
    std::memcpy(out, blk, rdf::kFileSize);
}

// Describes every field of a block; "raw" is added by the caller.
TextNode Describe(radio::RadioModel& model) {
    const Byte* blk = model.Block();
    const Byte* img = model.Image();
    TextNode root(TextNode::Type::Map);
    root[kVersionKey] = kFormatVersion;

    TextNode r(TextNode::Type::Map);
    r.SetFlow();
    r[kModelKey] = kModelName;
    r[kVariantKey] = ListNode(img[image::kVariantFlag], VariantNames());
    root[kRadioKey] = std::move(r);

    TextNode f(TextNode::Type::Map);
    // The settings source as text when it is one (ends within its field, and
    // reads as UTF-8); otherwise its bytes go under "raw".
    const char* source = reinterpret_cast<const char*>(blk + rdf::kSettingsSource);
    const QByteArray sourceBytes(source,
                                 static_cast<qsizetype>(strnlen(source, rdf::kSettingsSourceSize)));
    if (sourceBytes.size() < rdf::kSettingsSourceSize &&
        QString::fromUtf8(sourceBytes).toUtf8() == sourceBytes)
        f[kSettingsSourceKey] = sourceBytes.toStdString();
    root[kDataFileKey] = std::move(f);

    const auto listNode = [&](const ListTab& lt) {
        const int t = lt.tab;
        const bool band = IsBandTab(t);
        TextNode list(TextNode::Type::Sequence);
        for (int row = 1; row <= radio::RadioModel::RecordCount(t); ++row) {
            if (!radio::RadioModel::IsUsed(img, t, row - 1))
                continue;
            TextNode ch(TextNode::Type::Map);
            ch[band ? kBandKey : kChannelKey] = ToStd(RowLabel(model, t, row));
            ch = DescribeChannel(model, Shape{t, band ? row : 0},
                                 radio::DecodeChannel(model, img, t, row - 1), std::move(ch));
            if (!ch.IsDefined())
                continue;
            const QString comment = model.Comment(t, row - 1).left(rdf::kCommentMaxText);
            if (!comment.isEmpty())
                ch[CommentKey()] = ToStd(comment);
            list.push_back(std::move(ch));
        }
        return list;
    };

    for (const ListTab& lt : kListTabs) {
        if (lt.tab == tab::kVfo) {
            TextNode hyper(TextNode::Type::Sequence);
            for (int row = 1; row <= image::kHyperCount; ++row) {
                const Byte* b = radio::RadioModel::RecordForRow(img, tab::kHyper, row - 1);
                if (b[block::kHyperStatus] != block::kHyperInUse)
                    continue;
                TextNode h(TextNode::Type::Map);
                h.SetFlow();
                h[kMemoryKey] = row;
                h[kDualReceiveKey] = b[block::kDualReceive] <= 1
                                         ? TextNode(b[block::kDualReceive] == 1)
                                         : Raw(b[block::kDualReceive]);
                h[kOperationBandKey] = ListNode(b[block::kOperationBand], radio::ChoiceList::Band);
                for (int set = 0; set < 2; ++set) {
                    TextNode s = DescribeChannel(model, Shape{tab::kHyper, 0},
                                                 radio::DecodeSet(model, b, set),
                                                 TextNode(TextNode::Type::Map));
                    if (s.IsDefined())
                        h[kSetKeys[set]] = std::move(s);
                }
                const QString comment =
                    model.Comment(tab::kHyper, row - 1).left(rdf::kCommentMaxText);
                if (!comment.isEmpty())
                    h[CommentKey()] = ToStd(comment);
                hyper.push_back(std::move(h));
            }
            root[kHyperKey] = std::move(hyper);

            TextNode groups(TextNode::Type::Map);
            for (int g = 0; g < image::kGroupCount; ++g) {
                TextNode members(TextNode::Type::Sequence);
                members.SetFlow();
                bool valid = true;
                for (int j = 0; j < radio::RadioModel::GroupSize(img, g); ++j) {
                    const int m = radio::RadioModel::GroupMember(img, g, j);
                    valid = valid && m < image::kMemoryCount;
                    members.push_back(m + 1);
                }
                if (valid)
                    groups[std::to_string(g + 1)] = std::move(members);
            }
            root[kGroupsKey] = std::move(groups);

            const int priority = model.PriorityChannel();
            if (priority >= 1 && priority <= image::kMemoryCount)
                root[kPriorityKey] = priority;
        }
        root[lt.key] = listNode(lt);
    }

    settings::rsf::RadioSettings s{};
    settings::rsf::ExtractSettings(model, img, s.data());
    TextNode settingsNode(TextNode::Type::Map);
    for (const Page& p : Pages()) {
        TextNode page(TextNode::Type::Map);
        for (const opt::Option* o : p.options) {
            TextNode value = DescribeOption(*o, s.data());
            if (value.IsDefined())
                page[ToStd(opt::DisplayName(*o))] = std::move(value);
        }
        settingsNode[ToStd(p.name)] = std::move(page);
    }
    root[kSettingsKey] = std::move(settingsNode);
    return root;
}

QString Place(const QString& fileName, const Mark& mark) {
    if (mark.line < 0)
        return fileName;
    return QStringLiteral("%1:%2:%3").arg(fileName).arg(mark.line + 1).arg(mark.column + 1);
}

} // namespace

bool IsTextPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    return suffix.compare(QLatin1String(kExtension), Qt::CaseInsensitive) == 0 ||
           suffix.compare(QLatin1String("yml"), Qt::CaseInsensitive) == 0;
}

QByteArray Write(const Byte* block) {
    radio::RadioModel model;
    std::memcpy(model.Block(), block, rdf::kFileSize);
    TextNode root = Describe(model);
    Block made{};
    try {
        Apply(root, made.data());
    } catch (const Refused&) {
        // A description reading would refuse is a fault of this program;
        // the bytes are kept all the same, every one of them under "raw".
        root = TextNode(TextNode::Type::Map);
        root[kVersionKey] = kFormatVersion;
        Apply(root, made.data());
    }
    // Under "raw": every byte the fields did not give back, and each
    // checksum that does not hold.
    const Byte* was = model.Block();
    std::vector<bool> keep(rdf::kFileSize);
    for (int i = 0; i < rdf::kFileSize; ++i)
        keep[static_cast<size_t>(i)] = !IsChecksum(i) && was[i] != made[static_cast<size_t>(i)];
    std::vector<bool> none(rdf::kFileSize, false);
    Block fresh;
    std::memcpy(fresh.data(), was, fresh.size());
    MakeChecksums(fresh.data(), none);
    for (const int at : kChecksums)
        keep[static_cast<size_t>(at)] = was[at] != fresh[static_cast<size_t>(at)];
    root[kRawKey] = DescribeRaw(was, keep, rdf::kImage, rdf::kImage + image::kSize, rdf::kImage);
    TextNode fileRaw = DescribeRaw(was, keep, 0, rdf::kImage, 0);
    const TextNode after = DescribeRaw(was, keep, rdf::kImage + image::kSize, rdf::kFileSize, 0);
    for (const auto& item : after.Pairs())
        fileRaw[item.first.Scalar()] = item.second;
    if (fileRaw.size() > 0)
        root[kDataFileKey][kRawKey] = fileRaw;

    std::string text("# Clonara radio text: the whole radio, see docs/radio-text.md\n");
    // Room for a radio full of channels, so that the text grows in place.
    constexpr size_t kFullRadioText = 256 * 1024;
    text.reserve(kFullRadioText);
    EmitBlock(text, root, 0);
    return QByteArray::fromStdString(text);
}

std::optional<document::FileError> Read(const QByteArray& text, const QString& fileName,
                                        Byte* block) {
    const auto fail = [&](const Mark& mark, const QString& what) {
        return document::FileError{document::FileError::Kind::InvalidFormat,
                                   QStringLiteral("%1: %2").arg(Place(fileName, mark), what)};
    };
    if (text.size() > kMaxTextSize)
        return fail(Mark{}, QStringLiteral("the text is too long for a radio"));
    try {
        const TextNode root = Parse(text);
        Block made{};
        Apply(root, made.data());
        std::memcpy(block, made.data(), made.size());
        return std::nullopt;
    } catch (const Refused& refused) {
        return fail(refused.mark, refused.what);
    }
}

void Install() {
    document::RadioDocument::InstallTextForm({&IsTextPath, &Read, &Write, kMaxTextSize});
}

} // namespace settings::radiotext
