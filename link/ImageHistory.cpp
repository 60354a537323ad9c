#include "link/ImageHistory.h"

#include "document/FileSave.h"
#include "radio/RadioModel.h"
#include "settings/SettingsStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <algorithm>

namespace radiolink::history {

namespace {

constexpr const char* kFolderName = "history";
constexpr const char* kImageSuffix = ".img";
constexpr const char* kInfoSuffix = ".json";
// The bytes of the radio header at the start of the image.
constexpr int kHeaderSize = 18;
// An entry's file larger than this is not one of ours.
constexpr qint64 kLargestInfo = 64 * 1024;

QString PathOf(const QString& folder, const QString& id, const char* suffix) {
    return QDir(folder).filePath(id + QLatin1String(suffix));
}

QByteArray ReadSmall(const QString& path, qint64 limit) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > limit)
        return {};
    return file.read(limit);
}

int MemoriesInUse(const Byte* image) {
    int used = 0;
    for (int i = 0; i < radio::RadioModel::RecordCount(radio::tab::kMemories); ++i)
        used += radio::RadioModel::IsUsed(image, radio::tab::kMemories, i) ? 1 : 0;
    return used;
}

QJsonObject ToJson(const Entry& e) {
    return {{QStringLiteral("time"), e.time.toString(Qt::ISODate)},
            {QStringLiteral("direction"), DirectionText(e.direction)},
            {QStringLiteral("port"), e.port},
            {QStringLiteral("variant"), e.variant},
            {QStringLiteral("channels"), e.channels},
            {QStringLiteral("file"), e.fileName},
            {QStringLiteral("sha256"), e.digest},
            {QStringLiteral("incomplete"), e.incomplete},
            {QStringLiteral("first"), e.first},
            {QStringLiteral("header"), QString::fromLatin1(e.header.toHex())}};
}

std::optional<Entry> FromJson(const QString& id, const QByteArray& text) {
    const QJsonDocument json = QJsonDocument::fromJson(text);
    if (!json.isObject())
        return std::nullopt;
    const QJsonObject o = json.object();
    Entry e;
    e.id = id;
    e.time = QDateTime::fromString(o.value(QStringLiteral("time")).toString(), Qt::ISODate);
    const QString direction = o.value(QStringLiteral("direction")).toString();
    if (!e.time.isValid() || (direction != DirectionText(Direction::Received) &&
                              direction != DirectionText(Direction::Sent)))
        return std::nullopt;
    e.direction =
        direction == DirectionText(Direction::Sent) ? Direction::Sent : Direction::Received;
    e.port = o.value(QStringLiteral("port")).toString();
    e.variant = o.value(QStringLiteral("variant")).toInt();
    e.channels = o.value(QStringLiteral("channels")).toInt();
    e.fileName = o.value(QStringLiteral("file")).toString();
    e.digest = o.value(QStringLiteral("sha256")).toString();
    e.incomplete = o.value(QStringLiteral("incomplete")).toBool();
    e.first = o.value(QStringLiteral("first")).toBool();
    e.header = QByteArray::fromHex(o.value(QStringLiteral("header")).toString().toLatin1());
    return e;
}

std::vector<Entry> ListIn(const QString& folder) {
    std::vector<Entry> entries;
    if (folder.isEmpty())
        return entries;
    const QStringList infos =
        QDir(folder).entryList({QStringLiteral("*") + QLatin1String(kInfoSuffix)}, QDir::Files);
    for (const QString& name : infos) {
        const QString id = name.chopped(int(qstrlen(kInfoSuffix)));
        if (QFileInfo(PathOf(folder, id, kImageSuffix)).size() != kImageSize)
            continue;
        if (auto entry = FromJson(id, ReadSmall(QDir(folder).filePath(name), kLargestInfo)))
            entries.push_back(*entry);
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.time != b.time ? a.time > b.time : a.id > b.id;
    });
    return entries;
}

std::optional<QString> SavePrivate(const QString& path, const QByteArray& bytes) {
    if (const auto error = document::filesave::Save(path, bytes))
        return error->reason.isEmpty() ? error->text : error->reason;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return std::nullopt;
}

std::optional<QString> RemoveIn(const QString& folder, const QString& id) {
    // The description goes first: an entry without it is no entry.
    for (const char* suffix : {kInfoSuffix, kImageSuffix}) {
        QFile file(PathOf(folder, id, suffix));
        if (file.exists() && !file.remove())
            return file.errorString();
    }
    return std::nullopt;
}

// Keeps the newest entries up to the limit, and every first image.
void Prune(const QString& folder) {
    const std::vector<Entry> entries = ListIn(folder);
    const size_t limit = static_cast<size_t>(std::max(Limit(), 1));
    for (size_t i = limit; i < entries.size(); ++i) {
        if (!entries[i].first)
            RemoveIn(folder, entries[i].id);
    }
}

} // namespace

QString Folder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty()
               ? QString()
               : QDir(data).filePath(QStringLiteral("clonara/") + QLatin1String(kFolderName));
}

int Limit() {
    bool ok = false;
    const int limit =
        settings::OpenSettingsGroup()->value(QString::fromLatin1(kLimitKey)).toInt(&ok);
    return ok && limit > 0 ? limit : kDefaultLimit;
}

Kept Keep(const Byte* image, Direction direction, const QString& port, const QString& fileName,
          bool incomplete) {
    Kept kept;
    QString reason;
    const QString folder =
        document::filesave::PrivateDataFolder(QString::fromLatin1(kFolderName), reason);
    if (folder.isEmpty()) {
        kept.error = reason;
        return kept;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(image), kImageSize);
    Entry e;
    e.digest =
        QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    const std::vector<Entry> entries = ListIn(folder);
    if (!entries.empty() && entries.front().digest == e.digest &&
        entries.front().incomplete == incomplete) {
        kept.duplicate = true;
        return kept;
    }
    e.time = QDateTime::currentDateTimeUtc();
    e.time.setTime(QTime(e.time.time().hour(), e.time.time().minute(), e.time.time().second()));
    e.direction = direction;
    e.port = port;
    e.variant = image[radio::image::kVariantFlag];
    e.channels = MemoriesInUse(image);
    e.fileName = fileName;
    e.incomplete = incomplete;
    e.header = bytes.left(kHeaderSize);
    e.first = direction == Direction::Received &&
              std::none_of(entries.begin(), entries.end(), [&](const Entry& other) {
                  return other.direction == Direction::Received && other.header == e.header;
              });
    const QString base = e.time.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    e.id = base;
    for (int n = 2; QFile::exists(PathOf(folder, e.id, kInfoSuffix)) ||
                    QFile::exists(PathOf(folder, e.id, kImageSuffix));
         ++n)
        e.id = QStringLiteral("%1-%2").arg(base).arg(n);

    if (auto error = SavePrivate(PathOf(folder, e.id, kImageSuffix), bytes)) {
        kept.error = *error;
        return kept;
    }
    const QByteArray info = QJsonDocument(ToJson(e)).toJson(QJsonDocument::Indented);
    if (auto error = SavePrivate(PathOf(folder, e.id, kInfoSuffix), info)) {
        QFile::remove(PathOf(folder, e.id, kImageSuffix));
        kept.error = *error;
        return kept;
    }
    Prune(folder);
    kept.entry = e;
    return kept;
}

std::vector<Entry> List() {
    return ListIn(Folder());
}

std::optional<Entry> Find(const QString& id, QString& error) {
    const std::vector<Entry> entries = List();
    std::optional<Entry> found;
    for (const Entry& e : entries) {
        if (e.id == id)
            return e;
        if (!id.isEmpty() && e.id.startsWith(id)) {
            if (found) {
                error = QStringLiteral("More than one history entry begins with %1.").arg(id);
                return std::nullopt;
            }
            found = e;
        }
    }
    if (!found)
        error = QStringLiteral("The radio history has no entry %1.").arg(id);
    return found;
}

QString ImagePath(const Entry& entry) {
    return PathOf(Folder(), entry.id, kImageSuffix);
}

std::optional<QString> Remove(const Entry& entry) {
    return RemoveIn(Folder(), entry.id);
}

QString DirectionText(Direction direction) {
    return direction == Direction::Sent ? QStringLiteral("sent") : QStringLiteral("received");
}

QString Describe(const Entry& e) {
    QString line =
        QStringLiteral("%1  %2  %3  %4 channels")
            .arg(e.id, e.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                 DirectionText(e.direction).leftJustified(8))
            .arg(e.channels, 3);
    if (!e.fileName.isEmpty())
        line += QStringLiteral("  ") + e.fileName;
    if (e.incomplete)
        line += QStringLiteral("  (incomplete)");
    if (e.first)
        line += QStringLiteral("  (first from this radio)");
    return line;
}

QString NotKeptText(const QString& error) {
    return QStringLiteral("The image could not be kept in the radio history: %1").arg(error);
}

} // namespace radiolink::history
