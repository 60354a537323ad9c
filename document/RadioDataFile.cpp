#include "document/RadioDataFile.h"

#include "document/FileSave.h"
#include "outside/RegularFile.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cstring>

namespace document::datafile {

using namespace radio::rdf;

namespace {

// The first byte of every clone image the radio sends.
constexpr quint8 kImageFirstByte = 0x0A;

quint32 ReadLe32(const QByteArray& bytes, int offset) {
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes[offset + i]);
    return value;
}

// A zero-terminated text inside a fixed field.
QString FieldText(const char* data, int size) {
    const auto length = std::find(data, data + size, '\0') - data;
    return QString::fromLatin1(data, length);
}

} // namespace

bool HasRadioDataMagic(const QByteArray& bytes) {
    return bytes.size() >= 4 && ReadLe32(bytes, kMagic) == kMagicValue;
}

bool IsRawImage(const QByteArray& bytes) {
    return bytes.size() >= radio::image::kSize && static_cast<quint8>(bytes[0]) == kImageFirstByte;
}

std::optional<FileError> ParseRadioDataFile(const QByteArray& bytes, const QString& fileName,
                                            radio::Byte* block) {
    if (!HasRadioDataMagic(bytes) && bytes.size() < radio::image::kSize &&
        ((!bytes.isEmpty() && static_cast<quint8>(bytes[0]) == kImageFirstByte) ||
         QFileInfo(fileName).suffix().compare(QLatin1String("img"), Qt::CaseInsensitive) == 0)) {
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        return FileError{FileError::Kind::ShortImage,
                         QStringLiteral("The clone image is too short (%1 of %2 bytes):\n%3")
                             .arg(english.toString(bytes.size()),
                                  english.toString(radio::image::kSize), fileName)};
    }
    if (bytes.size() < kHeaderSize || !HasRadioDataMagic(bytes))
        return FileError{FileError::Kind::NotRadioData,
                         QStringLiteral("Not a radio data file:\n%1").arg(fileName)};
    if (std::memcmp(bytes.constData() + kTag, kTagValue, kTagSize) != 0)
        return FileError{FileError::Kind::DifferentRadio,
                         QStringLiteral("Radio data file for different radio:\n%1")
                             .arg(FieldText(bytes.constData() + kRadioName, kRadioNameSize))};
    const quint32 size = ReadLe32(bytes, kSizeField);
    if (size != static_cast<quint32>(kFileSize) &&
        size != static_cast<quint32>(kFileSizeAlternative))
        return FileError{FileError::Kind::InvalidHeader,
                         QStringLiteral("Radio data file has invalid header")};
    if (bytes.size() < kFileSize)
        return FileError{FileError::Kind::InvalidFormat,
                         QStringLiteral("Radio data file has invalid format")};
    std::memcpy(block, bytes.constData(), kFileSize);
    std::memset(block + kClearedOnLoad, 0, kClearedOnLoadSize);
    return std::nullopt;
}

std::optional<FileError> ReadFileBounded(const QString& path, qint64 limit, QByteArray& out) {
    if (auto reason = outside::ReadRegularFile(path, limit, out))
        return FileError{FileError::Kind::CannotOpen,
                         QStringLiteral("Cannot open file:\n%1\n%2").arg(path, *reason)};
    return std::nullopt;
}

std::optional<FileError> WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    if (auto error = document::filesave::Save(path, bytes))
        return FileError{FileError::Kind::CannotWrite, error->text};
    return std::nullopt;
}

} // namespace document::datafile
