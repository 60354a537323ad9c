// The whole radio as a text file ("*.yaml"): every channel, hyper memory,
// memory group and set-mode option in the words the program shows, and the
// bytes no field describes in hexadecimal, so that a document goes to text
// and back to the same bytes. docs/radio-text.md describes the format.
//
// Writing describes each field from its bits, builds the block again from
// that description (as reading would) and keeps every byte that still
// differs under "raw". Reading starts from a new document, applies the
// fields, makes fresh checksums, then applies "raw". Reading is strict: an
// unknown key or a value the radio cannot hold is refused with its line and
// column, and nothing is read.
#pragma once

#include "document/RadioDataFile.h"
#include "radio/ImageLayout.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace settings::radiotext {

constexpr const char* kExtension = "yaml";
constexpr int kFormatVersion = 1;
// A longer text is refused before it is read.
constexpr qint64 kMaxTextSize = 8 * 1024 * 1024;

// Whether a path names a radio text file (".yaml" or ".yml", any case).
bool IsTextPath(const QString& path);

// The data block (header, image, comments: radio::rdf::kFileSize bytes) as
// text, UTF-8.
QByteArray Write(const radio::Byte* block);

// Reads a text into block; block is untouched when anything is refused. The
// error's text is "<fileName>:<line>:<column>: <what is wrong>".
std::optional<document::FileError> Read(const QByteArray& text, const QString& fileName,
                                        radio::Byte* block);

// Has every document of the program read and write radio text files
// through Read and Write (document::RadioDocument::InstallTextForm).
void Install();

} // namespace settings::radiotext
