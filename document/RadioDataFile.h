// Reading and writing radio data files (.rdf) and raw clone images (.img).
#pragma once

#include "radio/DataFileLayout.h"
#include "radio/ImageLayout.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace document {

// A failure to read or write a file, with the text shown to the user.
struct FileError {
    enum class Kind {
        CannotOpen,     // the file could not be opened or read at all
        NotRadioData,   // short file or wrong magic
        ShortImage,     // a raw clone image cut short (it begins like one or is named *.img)
        DifferentRadio, // another radio's tag
        InvalidHeader,  // size field not 33680 or 33681
        InvalidFormat,  // shorter than the header promises
        CannotWrite,    // storing failed; the old file is untouched
    };
    Kind kind;
    QString text;
};

namespace datafile {

// Checks a radio data file's bytes (of any length) and copies its 33680
// bytes into block. fileName is the name shown in the messages. Bytes that
// are no radio data file but a clone image cut short (they begin as an image
// does, or the file's name ends in .img) are refused as too short.
std::optional<FileError> ParseRadioDataFile(const QByteArray& bytes, const QString& fileName,
                                            radio::Byte* block);

// Whether bytes look like a radio data file (its magic) or a raw clone image
// (at least 16211 bytes starting with 0x0A).
bool HasRadioDataMagic(const QByteArray& bytes);
bool IsRawImage(const QByteArray& bytes);

// Reads a whole file, up to limit bytes (more are never needed).
std::optional<FileError> ReadFileBounded(const QString& path, qint64 limit, QByteArray& out);

// Writes bytes to path atomically and durably (document::filesave::Save): the old
// file stays whole when anything fails; only regular files are replaced.
std::optional<FileError> WriteFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace datafile

} // namespace document
