#include "outside/RegularFile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace outside {

namespace {

// The most any reader takes (a channel list's limit and one byte more).
constexpr qint64 kStandardInputLimit = 64 * 1024 * 1024 + 1;

bool g_acceptStandardInput = false;
bool g_standardInputRead = false;
QByteArray g_standardInput;
std::optional<QString> g_standardInputError;

QString SystemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

std::optional<QString> Refusal(const struct stat& status) {
    if (S_ISREG(status.st_mode))
        return std::nullopt;
    if (S_ISDIR(status.st_mode))
        return SystemText(EISDIR);
    return NotRegularReason();
}

// Reads fd until its end or until limit bytes are in out.
std::optional<QString> ReadAll(int fd, qint64 limit, QByteArray& out) {
    out.clear();
    constexpr qint64 kChunk = 1 << 16;
    while (out.size() < limit) {
        const qint64 room = std::min(kChunk, limit - out.size());
        const int before = out.size();
        out.resize(before + static_cast<int>(room));
        const ssize_t got = ::read(fd, out.data() + before, static_cast<size_t>(room));
        if (got < 0) {
            const int error = errno;
            out.resize(before);
            if (error == EINTR)
                continue;
            return SystemText(error);
        }
        out.resize(before + static_cast<int>(got));
        if (got == 0)
            break;
    }
    return std::nullopt;
}

} // namespace

QString NotRegularReason() {
    return QStringLiteral(
        "It is not a regular file (it is a device, a pipe or a socket), so it is not read.");
}

void AcceptStandardInput(bool accept) {
    g_acceptStandardInput = accept;
}

std::optional<QString> ReadRegularFile(const QString& path, qint64 limit, QByteArray& out) {
    if (g_acceptStandardInput && path == QLatin1String(kStandardInput)) {
        if (!g_standardInputRead) {
            g_standardInputRead = true;
            // Read once for every reader: as much as the largest of them takes.
            g_standardInputError =
                ReadAll(STDIN_FILENO, std::max(limit, kStandardInputLimit), g_standardInput);
        }
        out = g_standardInput.left(static_cast<int>(std::min<qint64>(limit, INT_MAX)));
        return g_standardInputError;
    }
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty())
        return SystemText(ENOENT);
    // Looked at before it is opened: opening a device may do something.
    struct stat status {};
    if (::stat(name.constData(), &status) != 0)
        return SystemText(errno);
    if (auto refusal = Refusal(status))
        return refusal;
    // Without blocking, in case it was swapped for a pipe in between.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return SystemText(errno);
    std::optional<QString> error;
    if (::fstat(fd, &status) != 0)
        error = SystemText(errno);
    else
        error = Refusal(status);
    if (!error) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        error = ReadAll(fd, limit, out);
    }
    ::close(fd);
    return error;
}

} // namespace outside
