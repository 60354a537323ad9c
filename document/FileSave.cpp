#include "document/FileSave.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace document::filesave {

namespace {

// A save's temporary file: ".<name>.clonara-save-XXXXXX" beside the target,
// hidden, and locked for as long as its save runs.
constexpr char kTemporaryMark[] = ".clonara-save-";
constexpr int kRandomLength = 6;
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kAlphabetSize = sizeof kAlphabet - 1;
// Long names are cut in the temporary name so that it stays within the
// file system's limit of 255 bytes.
constexpr int kNameInTemporary = 200;
constexpr int kCreateTries = 100;
constexpr int kMaxLinks = 40;      // as the kernel follows at most
constexpr size_t kChunk = 1 << 20; // bytes per write call

QString SystemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

SaveError Refusal(const QString& path, const QString& reason) {
    return {SaveError::Kind::CannotCreate, reason,
            QStringLiteral("Cannot create file:\n%1\n%2").arg(path, reason)};
}

SaveError WriteFailure(const QString& path, int error) {
    const QString reason = SystemText(error);
    return {SaveError::Kind::CannotWrite, reason,
            QStringLiteral("Error writing file:\n%1\n%2").arg(path, reason)};
}

SaveError NotDurable(const QString& path, int error) {
    const QString reason = SystemText(error);
    return {SaveError::Kind::NotDurable, reason,
            QStringLiteral("The new file is in place but could not be made durable:\n%1\n"
                           "The folder's sync failed: %2")
                .arg(path, reason)};
}

// The rule the kernel applies to links in shared folders: a link in a
// sticky folder that everyone may write is followed only when it belongs
// to the user or to the folder's owner.
bool IsForeignLinkInSharedFolder(const QByteArray& folder, const struct stat& link) {
    struct stat status {};
    if (::stat(folder.constData(), &status) != 0)
        return false;
    const bool shared = (status.st_mode & S_ISVTX) && (status.st_mode & S_IWOTH);
    return shared && link.st_uid != ::geteuid() && link.st_uid != status.st_uid;
}

QByteArray TemporaryPrefix(const QByteArray& targetName) {
    return '.' + targetName.left(kNameInTemporary) + kTemporaryMark;
}

// The file that a save of a path replaces, links followed.
struct Target {
    QByteArray path;   // the file itself, no longer a link
    QByteArray folder; // its folder
    QByteArray name;   // its name in the folder
    bool exists = false;
    struct stat status {};
};

void SplitPath(Target& target) {
    const int slash = target.path.lastIndexOf('/');
    target.folder = slash < 0 ? QByteArray(".") : target.path.left(std::max(slash, 1));
    target.name = slash < 0 ? target.path : target.path.mid(slash + 1);
}

std::optional<SaveError> Resolve(const QString& path, Target& target) {
    target.path = QFile::encodeName(path);
    if (target.path.isEmpty())
        return Refusal(path, SystemText(ENOENT));
    for (int links = 0;; ++links) {
        SplitPath(target);
        if (target.name.isEmpty())
            return Refusal(path, SystemText(EISDIR));
        if (::lstat(target.path.constData(), &target.status) != 0) {
            if (errno == ENOENT)
                return std::nullopt; // a new file; its folder is checked on creating
            return Refusal(path, SystemText(errno));
        }
        if (S_ISREG(target.status.st_mode)) {
            target.exists = true;
            if (::faccessat(AT_FDCWD, target.path.constData(), W_OK, AT_EACCESS) != 0)
                return Refusal(path, SystemText(errno));
            return std::nullopt;
        }
        if (S_ISDIR(target.status.st_mode))
            return Refusal(path, SystemText(EISDIR));
        if (!S_ISLNK(target.status.st_mode))
            return Refusal(path, QStringLiteral("It is not a regular file (it is a device, a "
                                                "pipe or a socket), so it is not replaced."));
        if (links == kMaxLinks)
            return Refusal(path, SystemText(ELOOP));
        if (IsForeignLinkInSharedFolder(target.folder, target.status))
            return Refusal(path, QStringLiteral("It is a link in a shared folder that belongs to "
                                                "another user, so it is not followed."));
        // Some file systems give a link no size; a link's text is a path.
        QByteArray link(static_cast<int>(std::max<off_t>(target.status.st_size, 0)) + PATH_MAX,
                        '\0');
        const ssize_t length =
            ::readlink(target.path.constData(), link.data(), static_cast<size_t>(link.size()));
        if (length < 0)
            return Refusal(path, SystemText(errno));
        if (length >= link.size())
            return Refusal(path, SystemText(ENAMETOOLONG));
        link.truncate(static_cast<int>(length));
        target.path = link.startsWith('/') ? link : target.folder + '/' + link;
    }
}

// Removes the temporary files that killed saves of this target left
// behind. A running save holds a lock on its file, so only the leftovers of
// saves that ended without cleaning up can be locked here.
void RemoveLeftovers(const Target& target) {
    DIR* folder = ::opendir(target.folder.constData());
    if (!folder)
        return;
    const int folderFd = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        if (!IsTemporaryNameFor(QByteArray(entry->d_name), target.name))
            continue;
        const int fd =
            ::openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat status {};
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(folderFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(folder);
}

// Creates and locks a new temporary file beside the target.
int CreateTemporary(const Target& target, QByteArray& temporaryPath, int& error) {
    const QByteArray prefix = target.folder + '/' + TemporaryPrefix(target.name);
    for (int attempt = 0; attempt < kCreateTries; ++attempt) {
        temporaryPath = prefix;
        for (int i = 0; i < kRandomLength; ++i)
            temporaryPath += kAlphabet[QRandomGenerator::global()->bounded(kAlphabetSize)];
        const int fd = ::open(temporaryPath.constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX);
            return fd;
        }
        if (errno != EEXIST) {
            error = errno;
            return -1;
        }
    }
    error = EEXIST;
    return -1;
}

int WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    size_t left = static_cast<size_t>(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(fd, data, std::min(left, kChunk));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return ENOSPC;
        data += written;
        left -= static_cast<size_t>(written);
    }
    return 0;
}

// Makes the rename itself durable. File systems that cannot sync a folder
// say so with EINVAL; that is no failure of the save.
int SyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    int error = 0;
    if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP)
        error = errno;
    ::close(fd);
    return error;
}

} // namespace

bool IsTemporaryNameFor(const QByteArray& fileName, const QByteArray& targetName) {
    const QByteArray prefix = TemporaryPrefix(targetName);
    if (fileName.size() != prefix.size() + kRandomLength || !fileName.startsWith(prefix))
        return false;
    const QByteArray suffix = fileName.mid(prefix.size());
    return std::all_of(suffix.cbegin(), suffix.cend(), [](char c) {
        return std::find(kAlphabet, kAlphabet + kAlphabetSize, c) != kAlphabet + kAlphabetSize;
    });
}

std::optional<SaveError> CheckTarget(const QString& path) {
    Target target;
    if (auto error = Resolve(path, target))
        return error;
    if (!target.exists &&
        ::faccessat(AT_FDCWD, target.folder.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return Refusal(path, SystemText(errno));
    return std::nullopt;
}

std::optional<SaveError> Save(const QString& path, const QByteArray& bytes) {
    Target target;
    if (auto error = Resolve(path, target))
        return error;
    RemoveLeftovers(target);

    QByteArray temporaryPath;
    int error = 0;
    int fd = CreateTemporary(target, temporaryPath, error);
    if (fd < 0)
        return Refusal(path, SystemText(error));
    if (target.exists) {
        // The new file keeps the old one's permissions (and, for root, its owner).
        ::fchmod(fd, target.status.st_mode & 07777);
        if (::geteuid() == 0) {
            [[maybe_unused]] const int owned =
                ::fchown(fd, target.status.st_uid, target.status.st_gid);
        }
    }

    error = WriteAll(fd, bytes);
    if (error == 0 && ::fdatasync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error == 0 && ::rename(temporaryPath.constData(), target.path.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporaryPath.constData());
        return WriteFailure(path, error);
    }
    if ((error = SyncFolder(target.folder)) != 0)
        return NotDurable(path, error);
    return std::nullopt;
}

std::optional<SaveError> SaveNew(const QString& folder, const QString& prefix,
                                 const QString& suffix, const QByteArray& bytes, QString& path) {
    const QByteArray folderName = QFile::encodeName(folder);
    int fd = -1;
    int error = EEXIST;
    for (int attempt = 0; attempt < kCreateTries && fd < 0 && error == EEXIST; ++attempt) {
        QString name = prefix;
        for (int i = 0; i < 8; ++i)
            name += QLatin1Char(kAlphabet[QRandomGenerator::system()->bounded(kAlphabetSize)]);
        path = folder + QLatin1Char('/') + name + suffix;
        fd = ::open(QFile::encodeName(path).constData(),
                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0)
            error = errno;
    }
    if (fd < 0)
        return Refusal(path, SystemText(error));
    error = WriteAll(fd, bytes);
    if (error == 0 && ::fdatasync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error != 0) {
        ::unlink(QFile::encodeName(path).constData());
        return WriteFailure(path, error);
    }
    if ((error = SyncFolder(folderName)) != 0)
        return NotDurable(path, error);
    return std::nullopt;
}

namespace {

// A folder of the user's own at path, readable by the user alone; the
// reason when it cannot be had.
bool MakePrivateFolder(const QString& folder, QString& reason) {
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::geteuid()) {
        reason = QStringLiteral("%1 is not a folder of the user's own.").arg(folder);
        return false;
    }
    if ((status.st_mode & 077) != 0 && ::chmod(name.constData(), 0700) != 0) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

} // namespace

QString PrivateDataFolder(const QString& sub, QString& reason) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || !QDir().mkpath(data)) {
        reason = QStringLiteral("The data folder cannot be made.");
        return {};
    }
    QString folder = QDir(data).filePath(QStringLiteral("clonara"));
    if (!MakePrivateFolder(folder, reason))
        return {};
    if (sub.isEmpty())
        return folder;
    folder = QDir(folder).filePath(sub);
    return MakePrivateFolder(folder, reason) ? folder : QString();
}

} // namespace document::filesave
