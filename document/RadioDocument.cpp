#include "document/RadioDocument.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>

using vx7::Byte;

namespace {

void WriteLe(Byte* p, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        p[i] = static_cast<Byte>((value >> (8 * i)) & 0xFF);
}

QString FieldText(const Byte* data, int size) {
    const auto* chars = reinterpret_cast<const char*>(data);
    const auto length = std::find(chars, chars + size, '\0') - chars;
    return QString::fromUtf8(chars, length);
}

void SetFieldText(Byte* data, int size, const QString& text) {
    QByteArray bytes = text.toUtf8();
    // Room for the terminating zero, cut at a character boundary.
    while (bytes.size() > size - 1) {
        bytes.chop(1);
        while (!bytes.isEmpty() && (static_cast<quint8>(bytes.back()) & 0xC0) == 0x80)
            bytes.chop(1);
        if (!bytes.isEmpty() && static_cast<quint8>(bytes.back()) >= 0xC0)
            bytes.chop(1);
    }
    std::memset(data, 0, static_cast<size_t>(size));
    std::memcpy(data, bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace

RadioDocument::RadioDocument() {
    StartNew();
}

RadioDocument::~RadioDocument() = default;

bool RadioDocument::StartNew() {
    Byte* block = Block();
    std::memset(block, 0, rdf::kFileSize);
    WriteLe(block + rdf::kMagic, rdf::kMagicValue, 4);
    std::memcpy(block + rdf::kTag, rdf::kTagValue, rdf::kTagSize);
    WriteLe(block + rdf::kVersion, rdf::kVersionValue, 4);
    WriteLe(block + rdf::kSizeField, rdf::kFileSize, 4);
    SetFieldText(block + rdf::kRadioName, rdf::kRadioNameSize,
                 QString::fromLatin1(rdf::kRadioNameValue));
    WriteLe(block + rdf::kChannelCount, rdf::kChannelCountValue, 2);
    WriteLe(block + rdf::kCommentSlotSizeField, rdf::kCommentSize, 2);
    WriteLe(block + rdf::kCommentTableOffsetField, rdf::kMemoryComments, 4);
    WriteLe(block + rdf::kImageOffsetField, rdf::kImage, 4);
    m_radio.SetImage(vx7::DefaultImage().data());
    SetSettingsSourceName(QString::fromLatin1(settingssource::kNewFile));
    m_loadError.clear();
    SetModified(false);
    return true;
}

std::optional<FileError> RadioDocument::Load(const QString& path) {
    m_loadError.clear();
    QByteArray bytes;
    if (auto error = rdf::ReadFileBounded(path, rdf::kFileSize, bytes)) {
        m_loadError = error->text;
        return error;
    }
    if (rdf::IsRawImage(bytes) && !rdf::HasRadioDataMagic(bytes)) {
        // A raw clone image as other programs save it: taken as it is, any
        // bytes past the image ignored.
        StartNew();
        m_radio.SetImage(reinterpret_cast<const Byte*>(bytes.constData()));
        SetSettingsSourceName(QString::fromLatin1(settingssource::kReadRadio));
        return std::nullopt;
    }
    std::array<Byte, rdf::kFileSize> loaded{};
    if (auto error = rdf::ParseRadioDataFile(bytes, path, loaded.data())) {
        m_loadError = error->text;
        return error;
    }
    std::memcpy(Block(), loaded.data(), rdf::kFileSize);
    SetModified(false);
    return std::nullopt;
}

std::optional<FileError> RadioDocument::Save(const QString& path) {
    const bool rawImage =
        QFileInfo(path).suffix().compare(QLatin1String("img"), Qt::CaseInsensitive) == 0;
    const QByteArray bytes =
        rawImage ? QByteArray(reinterpret_cast<const char*>(Image()), vx7::image::kSize)
                 : QByteArray(reinterpret_cast<const char*>(Block()), rdf::kFileSize);
    if (auto error = rdf::WriteFileAtomically(path, bytes))
        return error;
    if (!rawImage)
        SetModified(false);
    return std::nullopt;
}

int RadioDocument::ChannelCount() const {
    const Byte* p = Block() + rdf::kChannelCount;
    return p[0] | (p[1] << 8);
}

QString RadioDocument::SettingsSourceName() const {
    return FieldText(Block() + rdf::kSettingsSource, rdf::kSettingsSourceSize);
}

void RadioDocument::SetSettingsSourceName(const QString& name) {
    SetFieldText(Block() + rdf::kSettingsSource, rdf::kSettingsSourceSize, name);
}

QString RadioDocument::RadioName() const {
    return FieldText(Block() + rdf::kRadioName, rdf::kRadioNameSize);
}
