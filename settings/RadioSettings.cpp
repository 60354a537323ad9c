#include "settings/RadioSettings.h"

#include "document/DocumentHistory.h"
#include "document/FileSave.h"
#include "document/RadioDocument.h"
#include "radio/RadioModel.h"
#include "settings/RadioConfiguration.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <utility>

namespace settings::rsf {

namespace {

quint32 ReadLe32(const Byte* p) {
    return static_cast<quint32>(p[0]) | (static_cast<quint32>(p[1]) << 8) |
           (static_cast<quint32>(p[2]) << 16) | (static_cast<quint32>(p[3]) << 24);
}

void WriteLe32(Byte* p, quint32 value) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<Byte>(value >> (8 * i));
}

QString NameField(const Byte* data) {
    const Byte* end = std::find(data, data + kRadioNameSize, Byte{0});
    return QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<int>(end - data));
}

// Where the state block and its copy keep the two bits of byte 117.
constexpr int kDualReceiveBytes[] = {radio::image::kStateBlock + radio::block::kDualReceive,
                                     radio::image::kStateCopy + radio::block::kDualReceive};
constexpr int kOperationBandBytes[] = {radio::image::kStateBlock + radio::block::kOperationBand,
                                       radio::image::kStateCopy + radio::block::kOperationBand};

// A settings file to try: a regular file (a link to one counts) that opens
// for reading. The folder alone (an empty name) or a device never does.
bool Openable(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

// A name inside the settings directory. Without a remembered directory only
// a name that is a whole path of its own can be found.
QString InDirectory(const QString& directory, const QString& name) {
    if (name.isEmpty())
        return {};
    if (QDir::isAbsolutePath(name))
        return name;
    if (directory.isEmpty())
        return {};
    return QDir(directory).filePath(name);
}

} // namespace

void WriteHeader(Byte* file, bool withName) {
    WriteLe32(file + kMagic, kMagicValue);
    std::memcpy(file + kTag, kTagValue, kTagSize);
    WriteLe32(file + kVersion, kVersionValue);
    WriteLe32(file + kSizeField, kFileSize);
    if (withName) {
        const auto length = std::strlen(kRadioNameValue);
        std::memcpy(file + kRadioName, kRadioNameValue, length);
        file[kRadioName + length] = 0;
    }
}

bool HasMagic(const QByteArray& bytes) {
    return bytes.size() >= 4 &&
           ReadLe32(reinterpret_cast<const Byte*>(bytes.constData()) + kMagic) == kMagicValue;
}

std::optional<document::FileError> ParseFile(const QByteArray& bytes, const QString& path,
                                             Byte* dest) {
    const auto* data = reinterpret_cast<const Byte*>(bytes.constData());
    if (bytes.size() < kHeaderSize || !HasMagic(bytes))
        return document::FileError{document::FileError::Kind::NotRadioData,
                                   QStringLiteral("Not a radio data file:\n%1").arg(path)};
    if (std::memcmp(data + kTag, kTagValue, kTagSize) != 0)
        return document::FileError{document::FileError::Kind::DifferentRadio,
                                   QStringLiteral("Radio data file for different radio:\n%1")
                                       .arg(NameField(data + kRadioName))};
    if (ReadLe32(data + kSizeField) != static_cast<quint32>(kFileSize))
        return document::FileError{document::FileError::Kind::InvalidHeader,
                                   QStringLiteral("Radio data file has invalid header")};
    if (bytes.size() < kFileSize)
        return document::FileError{document::FileError::Kind::InvalidFormat,
                                   QStringLiteral("Radio data file has invalid format")};
    std::memcpy(dest, data, kFileSize);
    return std::nullopt;
}

std::optional<document::FileError> LoadFile(const QString& path, Byte* dest) {
    QByteArray bytes;
    if (auto error = document::datafile::ReadFileBounded(path, kFileSize, bytes))
        return error;
    return ParseFile(bytes, path, dest);
}

std::optional<document::FileError> SaveFile(const QString& path, const Byte* file) {
    const auto error =
        document::filesave::Save(path, QByteArray(reinterpret_cast<const char*>(file), kFileSize));
    if (!error)
        return std::nullopt;
    return document::FileError{error->kind == document::filesave::SaveError::Kind::CannotCreate
                                   ? document::FileError::Kind::CannotOpen
                                   : document::FileError::Kind::CannotWrite,
                               error->text};
}

void ExtractSettings(radio::RadioModel& radio, const Byte* image, Byte* block) {
    radio.ImageToSettings(block, image);
    Byte packed = static_cast<Byte>(block[kPackedByte] & ~(kDualReceiveBit | kOperationBandBit));
    if (image[kDualReceiveBytes[0]] & 1)
        packed |= kDualReceiveBit;
    if (image[kOperationBandBytes[0]] & 1)
        packed |= kOperationBandBit;
    block[kPackedByte] = packed;
}

void WriteSettings(radio::RadioModel& radio, const Byte* block, Byte* image) {
    radio.SettingsToImage(image, block);
    const Byte dual = (block[kPackedByte] & kDualReceiveBit) ? 1 : 0;
    const Byte band = (block[kPackedByte] & kOperationBandBit) ? 1 : 0;
    for (int offset : kDualReceiveBytes)
        image[offset] = dual;
    for (int offset : kOperationBandBytes)
        image[offset] = band;
}

void ExtractDefaults(radio::RadioModel& radio, Byte* block) {
    const auto& defaults = radio::DefaultImage();
    ExtractSettings(radio, defaults.data(), block);
}

RememberedFile ReadRememberedFile() {
    auto store = settings::OpenSettingsGroup();
    RememberedFile remembered;
    remembered.directory =
        store->value(QString::fromLatin1(settings::kSettingDir)).toString().left(255);
    remembered.fileName =
        store->value(QString::fromLatin1(settings::kCurrentSettingFile)).toString().left(255);
    return remembered;
}

bool RememberFile(const QString& path, const QString& currentDirectory) {
    const QFileInfo info(path);
    const QString directory = info.absolutePath();
    auto store = settings::OpenSettingsGroup();
    if (directory != currentDirectory)
        store->setValue(QString::fromLatin1(settings::kSettingDir), directory);
    store->setValue(QString::fromLatin1(settings::kCurrentSettingFile), info.fileName());
    return settings::Flush(*store);
}

bool RememberFileName(const QString& fileName) {
    auto store = settings::OpenSettingsGroup();
    store->setValue(QString::fromLatin1(settings::kCurrentSettingFile), fileName);
    return settings::Flush(*store);
}

RadioVariant ReadRadioVariant() {
    RadioVariant result;
    const settings::RememberedConfiguration remembered = settings::ReadConfiguration();
    result.keyError = remembered.keyError;
    if (remembered.header)
        result.variant = (*remembered.header)[radio::image::kVariantFlag];
    return result;
}

bool HasTvNamesLabel(const RadioVariant& variant) {
    return variant.variant && *variant.variant == 1;
}

Initialised InitialiseBySource(radio::RadioModel& radio, const Byte* image, const QString& source,
                               Byte* file) {
    Initialised result;
    const RememberedFile remembered = ReadRememberedFile();
    result.directory = remembered.directory;
    result.fileName = QString::fromLatin1(kUntitledName);

    const auto takeDefaults = [&] {
        ExtractDefaults(radio, file + kBlock);
        WriteHeader(file, false);
        result.defaults = true;
    };

    if (source == QLatin1String(kSourceReadRadio)) {
        ExtractSettings(radio, image, file + kBlock);
        WriteHeader(file, false);
        return result;
    }

    QString candidates[2];
    if (source != QLatin1String(kSourceNewFile))
        candidates[0] = InDirectory(remembered.directory, source);
    candidates[1] = InDirectory(remembered.directory, remembered.fileName);
    for (const QString& path : candidates) {
        if (!Openable(path))
            continue;
        if (auto error = LoadFile(path, file)) {
            result.loadError = error;
            takeDefaults();
            return result;
        }
        result.path = path;
        result.fileName = QFileInfo(path).fileName();
        result.untitled = false;
        return result;
    }
    takeDefaults();
    return result;
}

SettingsSource::SettingsSource(document::RadioDocument& doc)
    : m_doc(doc), m_name(doc.SettingsSourceName()) {}

SettingsSource::SettingsSource(document::RadioDocument& doc, QString name)
    : m_doc(doc), m_name(std::move(name)) {}

Initialised SettingsSource::Load(FileImage& file) const {
    return InitialiseBySource(m_doc.Radio(), m_doc.Image(), m_name, file.data());
}

void SettingsSource::LoadDefaults(Byte* block) const {
    ExtractDefaults(m_doc.Radio(), block);
}

void SettingsSource::Rename(const QString& fileName) {
    m_name = fileName;
    // The document now names other settings: a change of the document, kept
    // in its history and saved with it.
    m_doc.History().Record(QStringLiteral("Settings File"),
                           [&] { m_doc.SetSettingsSourceName(fileName); });
}

void SettingsSource::WriteIntoImage(const Byte* block) const {
    WriteSettings(m_doc.Radio(), block, m_doc.Image());
}

std::optional<document::FileError> WriteSettingsForUpload(const SettingsSource& source,
                                                          QString* from) {
    FileImage file{};
    const Initialised found = source.Load(file);
    if (found.loadError)
        return found.loadError;
    if (from)
        *from = found.defaults ? QString::fromLatin1(kFromDefaults) : found.path;
    source.WriteIntoImage(BlockOf(file));
    return std::nullopt;
}

SettingsOrigin DescribeOrigin(const SettingsSource& source, const QString& from) {
    SettingsOrigin origin;
    if (from.isEmpty())
        origin.text = QStringLiteral("The settings in this document's image go into the radio.");
    else if (from == QLatin1String(kFromDefaults))
        origin.text = QStringLiteral("The factory settings go into the radio.");
    else
        origin.text = QStringLiteral("The settings of %1 (in %2) go into the radio.")
                          .arg(QFileInfo(from).fileName(),
                               QDir::toNativeSeparators(QFileInfo(from).absolutePath()));
    // A document that names a file of its own which was not there gets
    // other settings than it names: the user is told before anything goes.
    const QString& named = source.Name();
    if (named != QLatin1String(kSourceNewFile) && named != QLatin1String(kSourceReadRadio) &&
        !named.isEmpty() &&
        (from.isEmpty() || from == QLatin1String(kFromDefaults) ||
         QFileInfo(from).fileName() != QFileInfo(named).fileName())) {
        const QString folder = ReadRememberedFile().directory;
        origin.warning =
            QStringLiteral("This document names the settings file %1, which could not be read%2.")
                .arg(named, folder.isEmpty()
                                ? QString()
                                : QStringLiteral(" in %1").arg(QDir::toNativeSeparators(folder)));
    }
    return origin;
}

} // namespace settings::rsf
