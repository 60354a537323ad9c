#include "document/RadioDocument.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstring>

using radio::Byte;

namespace document {

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

TextForm& InstalledTextForm() {
    static TextForm form;
    return form;
}

bool IsTextFormPath(const QString& path) {
    const TextForm& form = InstalledTextForm();
    return form.claims && form.claims(path);
}

} // namespace

void RadioDocument::InstallTextForm(const TextForm& form) {
    InstalledTextForm() = form;
}

RadioDocument::RadioDocument() {
    StartNew();
}

RadioDocument::~RadioDocument() = default;

bool RadioDocument::StartNew() {
    Byte* block = Block();
    std::memset(block, 0, radio::rdf::kFileSize);
    WriteLe(block + radio::rdf::kMagic, radio::rdf::kMagicValue, 4);
    std::memcpy(block + radio::rdf::kTag, radio::rdf::kTagValue, radio::rdf::kTagSize);
    WriteLe(block + radio::rdf::kVersion, radio::rdf::kVersionValue, 4);
    WriteLe(block + radio::rdf::kSizeField, radio::rdf::kFileSize, 4);
    SetFieldText(block + radio::rdf::kRadioName, radio::rdf::kRadioNameSize,
                 QString::fromLatin1(radio::rdf::kRadioNameValue));
    WriteLe(block + radio::rdf::kChannelCount, radio::rdf::kChannelCountValue, 2);
    WriteLe(block + radio::rdf::kCommentSlotSizeField, radio::rdf::kCommentSize, 2);
    WriteLe(block + radio::rdf::kCommentTableOffsetField, radio::rdf::kMemoryComments, 4);
    WriteLe(block + radio::rdf::kImageOffsetField, radio::rdf::kImage, 4);
    m_radio.SetImage(radio::DefaultImage().data());
    SetSettingsSourceName(QString::fromLatin1(document::settingssource::kNewFile));
    m_loadError.clear();
    SetModified(false);
    return true;
}

std::optional<FileError> RadioDocument::Load(const QString& path) {
    m_loadError.clear();
    QByteArray bytes;
    const bool text = IsTextFormPath(path);
    const qint64 limit = text ? InstalledTextForm().maxSize + 1 : radio::rdf::kFileSize;
    if (auto error = document::datafile::ReadFileBounded(path, limit, bytes)) {
        m_loadError = error->text;
        return error;
    }
    if (text) {
        std::array<Byte, radio::rdf::kFileSize> loaded{};
        if (auto error = InstalledTextForm().read(bytes, path, loaded.data())) {
            m_loadError = error->text;
            return error;
        }
        std::memcpy(Block(), loaded.data(), radio::rdf::kFileSize);
        SetModified(false);
        return std::nullopt;
    }
    if (document::datafile::IsRawImage(bytes) && !document::datafile::HasRadioDataMagic(bytes)) {
        // A raw clone image as other programs save it: taken as it is, any
        // bytes past the image ignored.
        StartNew();
        m_radio.SetImage(reinterpret_cast<const Byte*>(bytes.constData()));
        SetSettingsSourceName(QString::fromLatin1(document::settingssource::kReadRadio));
        return std::nullopt;
    }
    std::array<Byte, radio::rdf::kFileSize> loaded{};
    if (auto error = document::datafile::ParseRadioDataFile(bytes, path, loaded.data())) {
        m_loadError = error->text;
        return error;
    }
    std::memcpy(Block(), loaded.data(), radio::rdf::kFileSize);
    SetModified(false);
    return std::nullopt;
}

std::optional<FileError> RadioDocument::Save(const QString& path) {
    const bool rawImage =
        QFileInfo(path).suffix().compare(QLatin1String("img"), Qt::CaseInsensitive) == 0;
    QByteArray bytes =
        rawImage ? QByteArray(reinterpret_cast<const char*>(Image()), radio::image::kSize)
        : IsTextFormPath(path)
            ? InstalledTextForm().write(Block())
            : QByteArray(reinterpret_cast<const char*>(Block()), radio::rdf::kFileSize);
    // A raw image goes to a radio or another program as it stands: its sums
    // are made fresh for the bytes written. The document keeps its own image
    // as it is.
    if (rawImage)
        radio::RadioModel::MakeChecksums(reinterpret_cast<Byte*>(bytes.data()));
    if (auto error = document::datafile::WriteFileAtomically(path, bytes))
        return error;
    if (!rawImage)
        SetModified(false);
    return std::nullopt;
}

int RadioDocument::ChannelCount() const {
    const Byte* p = Block() + radio::rdf::kChannelCount;
    return p[0] | (p[1] << 8);
}

QString RadioDocument::SettingsSourceName() const {
    return FieldText(Block() + radio::rdf::kSettingsSource, radio::rdf::kSettingsSourceSize);
}

void RadioDocument::SetSettingsSourceName(const QString& name) {
    SetFieldText(Block() + radio::rdf::kSettingsSource, radio::rdf::kSettingsSourceSize, name);
}

QString RadioDocument::RadioName() const {
    return FieldText(Block() + radio::rdf::kRadioName, radio::rdf::kRadioNameSize);
}

} // namespace document
