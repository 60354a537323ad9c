// Every option of the settings window in one table: on which page it sits,
// its group and label, the control that shows it, where it lives in the
// settings block and the texts of its list. The pages build their controls
// from it and `clonara-cli settings show` prints it.
//
// Every option has a key made of its page, group and label ("toggles.beep",
// "general.timer.on"): the controls are named by it and the pages and tests
// find them by it. docs/settings-pages.md lists the keys.
//
// To add a page's options: give the page a name below (kPage...), add one
// Option per control to the table in SettingsOptions.cpp, in the order the
// page shows them (a new Kind needs a case in ValueText too), and have the
// page look its options up with Find(key).
#pragma once

#include "radio/ImageLayout.h"

#include <QString>

#include <optional>
#include <vector>

namespace settings::option {

using radio::Byte;

// Page names, in tab order; the names tab is labelled by the radio variant.
constexpr const char* kPageToggles = "Toggles";
constexpr const char* kPageDisplay = "Display";
constexpr const char* kPageGeneral = "General";
constexpr const char* kPageIconFont = "Icon/Font";
constexpr const char* kPageNamesTv = "WX/TV Names";
constexpr const char* kPageNames = "WX Names";

enum class Kind {
    Check,       // one bit; 1 when checked
    BitChoice,   // one bit choosing between two texts (radio buttons or a list)
    Choice,      // a byte holding a list index
    Level,       // a byte holding a slider position 0 to 15
    DtmfCode,    // a byte: the character minus 0x30, modulo 256
    DtmfChannel, // a byte: the digit minus 0x30
    DtmfMemory,  // 16 character codes, the first 0xFF ends them
    CwId,        // 16 two-byte slots: 0x00 and a character code; 0xFF 0xFF free
    Time,        // two BCD bytes: hours, minutes
    Offset,      // a signed 16-bit number, high byte first
    Contrast,    // a byte holding (position + 2) * 3, positions 1 to 10
    Dimmer,      // a byte holding a slider position 0 to 12
    LedColour,   // three bytes: red, green and blue levels 0 to 51
    Icon,        // 124 bytes: a user icon of 21 x 41 pixels
    FontChar,    // 22 bytes: a user font character of 10 x 11 pixels
    Name,        // 9 bytes: 8 character codes of a channel name and one kept
};

enum class Widget {
    CheckBox,
    RadioButtons,
    List,
    SortedEditableList,
    Slider,
    Edit,
    Grid,
    ColourButton, // a button opening the colour chooser, a swatch beside it
    Preview,      // a bitmap's preview with its radio button
};

struct Option {
    const char* page;
    const char* group; // "" when the control sits in no group
    const char* label;
    Kind kind;
    Widget widget;
    int byte;
    int bit; // Check and BitChoice: the bit; DtmfMemory: the memory, 1 to 9
    std::vector<const char*> choices; // by index; BitChoice: bit 0, bit 1
    bool editable;
    const char* beside = "";  // the control a repeated label sits beside
    const char* section = ""; // where on its page an option outside a group is laid out
    QString key;              // page, group and label: "toggles.beep"
};

const std::vector<Option>& Options();
// The option of a key; a key no option has is a fault of the program.
const Option& Find(const QString& key);
// A word of a key: the words of a text in lower camel case ("Main Tx
// Strobe" gives "mainTxStrobe", "DTMF CH #" gives "dtmfCh").
QString KeyWord(const char* text);
// The key of one of a radio button option's buttons, or of the grid a
// group of rows sits in: the option's key or the group's, and a word.
QString ButtonKey(const Option& option, size_t choice);
QString GroupKey(const char* page, const char* group);
// Sections of the Display page.
constexpr const char* kSectionStrobes = "Strobes";
// The name the command line gives an option: group, label and what a
// repeated label sits beside ("Timer: Enable (On)").
QString DisplayName(const Option& option);

// What the window shows for an option of a block, as text. Icons and font
// characters are several lines, one per row: '#' for a dark pixel, '.' for a
// clear one.
QString ValueText(const Option& option, const Byte* block);

// --- Field helpers shared by the pages and the command line ----------------
constexpr int kLevelMax = 15;
constexpr int kDtmfMemories = 304;
constexpr int kDtmfMemoryCount = 9;
constexpr int kDtmfMemorySize = 16;
constexpr Byte kEnd = 0xFF;
constexpr int kCwId = 30;
constexpr int kCwIdSlots = 16;
constexpr int kDigitBase = 0x30;

bool Bit(const Byte* block, int byte, int bit);
void SetBit(Byte* block, int byte, int bit, bool on);

// The character the window shows for a DTMF code or channel byte.
QChar DtmfCharacter(Byte value);
// The byte stored for the first character of a text; 0 for an empty text.
Byte DtmfByte(const QString& text);

// Characters of the radio's table until kEnd; a code past the table shows "?".
QString DtmfMemoryText(const Byte* block, int memory);
// Fills the memory with kEnd and stores the codes of up to 16 characters.
void SetDtmfMemory(Byte* block, int memory, const QString& text);

QString CwIdText(const Byte* block);
void SetCwId(Byte* block, const QString& text);

// "hh:mm" from two BCD bytes, one digit per nibble.
QString TimeText(const Byte* block, int byte);
// Hours and minutes of a "hh:mm" text with all four digits, hours at most 23
// and minutes at most 59.
struct Time {
    int hours;
    int minutes;
};
std::optional<Time> ParseTime(const QString& text);
void SetTime(Byte* block, int byte, Time time);

int OffsetValue(const Byte* block, int byte);
// The integer value of a text: optional blanks, an optional sign, digits; 0
// when there are none. Large values are kept large so that checks see them.
long OffsetTextValue(const QString& text);
void SetOffset(Byte* block, int byte, int value);

// The check of the General page: the offsets' limits and their messages.
constexpr int kOffsetMin = -1000;
constexpr int kOffsetMax = 4000;
// The longest text an offset field may show: "-32768", the lowest value its
// two bytes hold.
constexpr int kOffsetTextLength = 6;

} // namespace settings::option
