// The radio's set-mode options: the settings block the settings window edits,
// the settings files (.rsf) that keep it, and a document's settings source:
// how the block is found for a document ("NewFile", "ReadRadio" or a
// settings file) and written into its image before an upload.
//
// The block mirrors image bytes 1682 to 3161 (block byte n is image byte
// 1682 + n) with three exceptions: byte 117 is packed differently (the dual
// receive and band bits live in the state block), bytes 176 to 193 hold the
// memory group counts in the image and never travel, and the block ends in
// 8 spare bytes that only settings files carry.
#pragma once

#include "document/RadioDataFile.h"
#include "radio/ImageLayout.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

namespace document {
class RadioDocument;
}
namespace radio {
class RadioModel;
}

namespace settings::rsf {

using radio::Byte;

// ---------------------------------------------------------------------------
// The settings block
// ---------------------------------------------------------------------------
constexpr int kRecordSize = radio::settingsarea::kRecordSize; // 1480 bytes from the image
constexpr int kSpareSize = 8;
constexpr int kBlockSize = kRecordSize + kSpareSize; // 1488

// Byte 117: bits 0-1 and 4-7 come from image byte 1799; bit 2 (dual receive)
// and bit 3 (operating band Sub) from the state block and its copy.
constexpr int kPackedByte = radio::settingsarea::kPackedByte;
constexpr Byte kDualReceiveBit = 0x04;
constexpr Byte kOperationBandBit = 0x08;

using RadioSettings = std::array<Byte, kBlockSize>;

// ---------------------------------------------------------------------------
// The settings file: a little-endian header and the block, 1568 bytes
// ---------------------------------------------------------------------------
constexpr int kFileSize = 1568;
constexpr int kMagic = 0; // u32: "RSF" and a zero byte
constexpr unsigned kMagicValue = 0x00465352;
constexpr int kTag = 4;
constexpr int kTagSize = 4;
constexpr const char* kTagValue = "JH70";
constexpr int kVersion = 8; // u32, not checked on load
constexpr unsigned kVersionValue = 1;
constexpr int kSizeField = 12; // u32
constexpr int kRadioName = 16; // zero-terminated text
constexpr int kRadioNameSize = 64;
constexpr const char* kRadioNameValue = "Yaesu VX-7";
constexpr int kHeaderSize = 80;
constexpr int kBlock = kHeaderSize;
static_assert(kBlock + kBlockSize == kFileSize, "the block ends the file");

using FileImage = std::array<Byte, kFileSize>;

constexpr const char* kExtension = "rsf";
constexpr const char* kUntitledName = "Untitled.rsf";

// A settings file's bytes as their one owner holds them (the settings window
// while it is open, the upload's settings step for its moment): the block
// inside them.
inline Byte* BlockOf(FileImage& file) {
    return file.data() + kBlock;
}
inline const Byte* BlockOf(const FileImage& file) {
    return file.data() + kBlock;
}

// Writes magic, tag, version and size; with the name also the radio name
// (the rest of the name field is left as it is).
void WriteHeader(Byte* file, bool withName);

// Whether bytes begin with a settings file's magic.
bool HasMagic(const QByteArray& bytes);
// Checks a settings file's bytes and copies its 1568 bytes into dest; dest
// is untouched on failure. path is the path named in the messages.
std::optional<document::FileError> ParseFile(const QByteArray& bytes, const QString& path,
                                             Byte* dest);
// Reads and checks a settings file (ParseFile); dest is untouched on failure.
std::optional<document::FileError> LoadFile(const QString& path, Byte* dest);
// Writes the 1568 bytes atomically and durably: "Cannot create file:" or
// "Error writing file:" with the path, and the old file whole, on failure.
std::optional<document::FileError> SaveFile(const QString& path, const Byte* file);

// ---------------------------------------------------------------------------
// Block <-> image
// ---------------------------------------------------------------------------

// The settings of an image into a block: the record copy, then the dual
// receive and band bits of byte 117 from the state block.
void ExtractSettings(radio::RadioModel& radio, const Byte* image, Byte* block);
// A block into an image: the record copy (image byte 1799 bits 6 and 7
// cleared, the group counts untouched), then the state block and its copy
// get the dual receive and band bits as 0 or 1.
void WriteSettings(radio::RadioModel& radio, const Byte* block, Byte* image);

// The settings of the built-in default image into a block.
void ExtractDefaults(radio::RadioModel& radio, Byte* block);

// ---------------------------------------------------------------------------
// Remembered file and the radio variant, in the settings store's group "Settings"
// ---------------------------------------------------------------------------
struct RememberedFile {
    QString directory; // "SettingDir"
    QString fileName;  // "Current Setting File"
};
RememberedFile ReadRememberedFile();
// Remembers the folder and name of a settings file opened or saved:
// "SettingDir" when the folder differs from currentDirectory (names compared
// exactly), "Current Setting File" always. False when the store cannot be
// written.
bool RememberFile(const QString& path, const QString& currentDirectory);
// Writes "Current Setting File" alone.
bool RememberFileName(const QString& fileName);

// The radio variant byte of the remembered radio header ("Configuration"
// byte 8), when "Configuration1" matches the header's sum.
struct RadioVariant {
    std::optional<int> variant;
    bool keyError = false; // the settings store could not be read
};
RadioVariant ReadRadioVariant();
// Whether the names page shows its TV list in the tab label: variant 1.
bool HasTvNamesLabel(const RadioVariant& variant);

// ---------------------------------------------------------------------------
// Finding the settings of a document
// ---------------------------------------------------------------------------
constexpr const char* kSourceNewFile = "NewFile";
constexpr const char* kSourceReadRadio = "ReadRadio";

struct Initialised {
    QString directory;                            // the settings directory
    QString fileName;                             // the current file name; "Untitled.rsf" when none
    QString path;                                 // the file loaded; empty when none
    bool untitled = true;                         // no file yet: Save asks for a name
    bool defaults = false;                        // the block came from the default image
    std::optional<document::FileError> loadError; // a file that opens but did not load
};

// Loads the settings named by a settings source into file (header and
// block): the document's image for "ReadRadio"; otherwise the first regular
// file that opens among the settings directory joined with the source name
// (unless it is "NewFile") and with "Current Setting File"; otherwise the
// default settings. A file that opens but does not load leaves the defaults
// in file and its error in loadError.
Initialised InitialiseBySource(radio::RadioModel& radio, const Byte* image, const QString& source,
                               Byte* file);

// A document's settings source: the document's image and the name it keeps
// for its settings ("NewFile", "ReadRadio" or a settings file name). The
// settings window and the upload are handed one; each loads what it names
// into settings bytes of its own.
class SettingsSource {
public:
    explicit SettingsSource(document::RadioDocument& doc);
    // A source other than the one the document keeps.
    SettingsSource(document::RadioDocument& doc, QString name);

    const QString& Name() const { return m_name; }
    // Loads the settings the source names into file (InitialiseBySource).
    Initialised Load(FileImage& file) const;
    // The settings of the built-in default image into a block.
    void LoadDefaults(Byte* block) const;
    // The settings were saved to a file of this name: the document names it
    // from now on, and is modified when that is a new name.
    void Rename(const QString& fileName);
    // Writes a block into the document's image (WriteSettings).
    void WriteIntoImage(const Byte* block) const;

private:
    document::RadioDocument& m_doc;
    QString m_name;
};

// The upload's settings step: the settings the source names are loaded into
// settings bytes of the step's own and written into the document's image. A
// settings file that does not load stops it with the load's message and the
// image untouched. The modified flag is left alone.
// When from is given, it receives where the settings came from: the settings
// file's path, or an empty text for the image's own settings ("ReadRadio")
// and "*" for the default settings.
std::optional<document::FileError> WriteSettingsForUpload(const SettingsSource& source,
                                                          QString* from = nullptr);
constexpr const char* kFromDefaults = "*";

// Which settings an upload puts into the radio, told before it starts.
struct SettingsOrigin {
    QString text;    // "The settings of mine.rsf (in /home/ham/radio) go into the radio."
    QString warning; // the document names a settings file that was not found; else empty
};
// The origin of the settings WriteSettingsForUpload took from source; from
// is what it gave.
SettingsOrigin DescribeOrigin(const SettingsSource& source, const QString& from);

} // namespace settings::rsf
