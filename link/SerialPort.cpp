#include "link/SerialPort.h"

#include "link/LinkProtocol.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using radiolink::Clock;

namespace radiolink {

namespace {

QString SystemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Who owns a device and how it may be used: names (or numbers when the
// system has no name for them) and the permission bits.
struct Ownership {
    bool known = false;
    QString owner;
    QString group;
    mode_t mode = 0;
};

Ownership DeviceOwnership(const QString& device) {
    Ownership result;
    struct stat info {};
    if (::stat(QFile::encodeName(device).constData(), &info) != 0)
        return result;
    result.known = true;
    result.mode = info.st_mode & 07777;
    char buffer[4096];
    struct group groupEntry {};
    struct group* group = nullptr;
    result.group =
        ::getgrgid_r(info.st_gid, &groupEntry, buffer, sizeof buffer, &group) == 0 && group
            ? QString::fromLocal8Bit(group->gr_name)
            : QString::number(info.st_gid);
    struct passwd userEntry {};
    struct passwd* user = nullptr;
    result.owner = ::getpwuid_r(info.st_uid, &userEntry, buffer, sizeof buffer, &user) == 0 && user
                       ? QString::fromLocal8Bit(user->pw_name)
                       : QString::number(info.st_uid);
    return result;
}

// The permission message: joining the device's group helps only when the
// group may read and write it.
QString PermissionText(const QString& device) {
    const Ownership own = DeviceOwnership(device);
    const QString head =
        device + QStringLiteral(": Permission denied: your user may not use this device. ");
    if (!own.known)
        return head + QStringLiteral("Add your user to the group that owns the device, then log "
                                     "out and in again.");
    constexpr mode_t kGroupReadWrite = S_IRGRP | S_IWGRP;
    if ((own.mode & kGroupReadWrite) == kGroupReadWrite)
        return head + QStringLiteral("Add your user to the group \"%1\" that owns it (sudo "
                                     "usermod -aG %1 $USER), then log out and in again.")
                          .arg(own.group);
    return head + QStringLiteral("It belongs to %1 (group \"%2\") with mode %3, which lets "
                                 "only its owner use it, so joining its group would not help. "
                                 "The usual fix is a udev rule that gives the port to the "
                                 "dialout group with mode 0660 (for example SUBSYSTEM==\"tty\", "
                                 "GROUP=\"dialout\", MODE=\"0660\"), and your user in that "
                                 "group (sudo usermod -aG dialout $USER), then log out and in "
                                 "again.")
                      .arg(own.owner, own.group,
                           QStringLiteral("%1").arg(own.mode, 4, 8, QLatin1Char('0')));
}

bool SpeedFor(int baudRate, speed_t& speed) {
    struct Rate {
        int baud;
        speed_t speed;
    };
    static constexpr Rate kRates[] = {
        {1200, B1200},   {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},
        {38400, B38400}, {57600, B57600}, {115200, B115200}, {230400, B230400},
    };
    for (const Rate& rate : kRates) {
        if (rate.baud == baudRate) {
            speed = rate.speed;
            return true;
        }
    }
    return false;
}

// Parity codes 0 none, 1 odd, 2 even, 3 mark, 4 space.
constexpr tcflag_t kParityFlags[] = {0, PARENB | PARODD, PARENB, PARENB | PARODD | CMSPAR,
                                     PARENB | CMSPAR};
// Stop-bit codes 0 one, 1 one and a half (termios has two as the closest), 2 two.
constexpr tcflag_t kStopBitFlags[] = {0, CSTOPB, CSTOPB};
// 5 to 8 data bits.
constexpr int kFewestDataBits = 5;
constexpr tcflag_t kSizeFlags[] = {CS5, CS6, CS7, CS8};

template <typename T, size_t N>
bool InTable(const T (&)[N], int index) {
    return index >= 0 && static_cast<size_t>(index) < N;
}

// Raw line settings: no echo, no translation, no flow control, reads that
// return at once.
bool MakeLineSettings(termios& tio, int baudRate, int parity, int dataBits, int stopBits) {
    speed_t speed = B0;
    if (!SpeedFor(baudRate, speed) || !InTable(kParityFlags, parity) ||
        !InTable(kStopBitFlags, stopBits) || !InTable(kSizeFlags, dataBits - kFewestDataBits))
        return false;
    ::cfmakeraw(&tio);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= kSizeFlags[dataBits - kFewestDataBits] | kParityFlags[parity] |
                   kStopBitFlags[stopBits] | CREAD | CLOCAL | HUPCL;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    return ::cfsetispeed(&tio, speed) == 0 && ::cfsetospeed(&tio, speed) == 0;
}

// Raises or drops DTR and RTS. A pseudo-terminal has no modem lines and
// refuses the request; that is no failure.
bool SetModemLines(int fd, bool on) {
    int bits = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &bits) == 0)
        return true;
    return errno == ENOTTY || errno == EINVAL;
}

} // namespace

PortError MakePortOpenError(const QString& device, int error) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
    case EISDIR:
    case ENOTTY:
        return {PortError::Kind::NotFound,
                device + QStringLiteral(": Invalid or unsupported port.")};
    case EBUSY:
    case EWOULDBLOCK:
        return {PortError::Kind::InUse, device + QStringLiteral(": Is already open.")};
    case EACCES:
    case EPERM:
        return {PortError::Kind::NoPermission, PermissionText(device)};
    default:
        return {PortError::Kind::Other,
                device + QStringLiteral(":  Unknown error #-%1.").arg(error)};
    }
}

SerialPort::~SerialPort() {
    Close();
}

std::optional<PortError> SerialPort::OpenForClone() {
    return Open(radiolink::kBaudRate, radiolink::kParityNone, radiolink::kDataBits,
                radiolink::kStopBitsTwo);
}

std::optional<PortError> SerialPort::Open(int baudRate, int parity, int dataBits, int stopBits) {
    if (IsOpen())
        Close();
    m_baudRate = static_cast<std::uint32_t>(baudRate);
    m_parity = static_cast<std::uint8_t>(parity);
    m_dataBits = static_cast<std::uint8_t>(dataBits);
    m_stopBits = static_cast<std::uint8_t>(stopBits);
    m_failure.clear();
    if (m_device.isEmpty())
        return PortError{PortError::Kind::NoPort, QString()};

    termios tio{};
    const int fd =
        ::open(QFile::encodeName(m_device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return MakePortOpenError(m_device, errno);

    // TIOCEXCL keeps other programs out but not root; the lock does both.
    auto fail = [&](int error) {
        ::close(fd);
        return MakePortOpenError(m_device, error);
    };
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return fail(errno);
    if (::tcgetattr(fd, &tio) != 0)
        return fail(errno == EINVAL ? ENOTTY : errno);
    ::ioctl(fd, TIOCEXCL);
    if (!MakeLineSettings(tio, baudRate, parity, dataBits, stopBits))
        return fail(ENOTTY);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0)
        return fail(errno);
    if (!SetModemLines(fd, true))
        return fail(errno);
    m_fd = fd;
    return std::nullopt;
}

void SerialPort::Close() {
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    SetModemLines(fd, false);
    ::ioctl(fd, TIOCNXCL);
    ::close(fd);
}

int SerialPort::FailWith(int error) {
    if (error == EIO || error == ENXIO || error == ENODEV)
        return Disconnected();
    m_failure = m_device + QStringLiteral(": ") + SystemText(error);
    return -1;
}

int SerialPort::Disconnected() {
    m_failure = m_device + QStringLiteral(": The serial port was disconnected.");
    return -1;
}

int SerialPort::Read(std::uint8_t* buffer, int count) {
    if (m_fd < 0)
        return FailWith(EBADF);
    if (count <= 0)
        return 0;
    pollfd watch{m_fd, POLLIN, 0};
    const timespec wait{0, std::chrono::nanoseconds(radiolink::kReadWait).count()};
    const int ready = ::ppoll(&watch, 1, &wait, nullptr);
    if (ready < 0)
        return errno == EINTR ? 0 : FailWith(errno);
    if (ready == 0)
        return 0;
    if (watch.revents & POLLNVAL)
        return FailWith(EBADF);
    const ssize_t n = ::read(m_fd, buffer, static_cast<size_t>(count));
    if (n > 0)
        return static_cast<int>(n);
    if (n == 0)
        return Disconnected(); // end of file: the line hung up
    if (errno == EAGAIN || errno == EINTR)
        return (watch.revents & (POLLHUP | POLLERR)) ? Disconnected() : 0;
    return FailWith(errno);
}

std::optional<std::uint8_t> SerialPort::ReadByte() {
    std::uint8_t byte = 0;
    if (Read(&byte, 1) == 1)
        return byte;
    return std::nullopt;
}

int SerialPort::Write(const std::uint8_t* buffer, int count) {
    // Unlike some drivers, termios keeps no latched line error that would
    // block the next write, so there is nothing to clear first.
    if (m_fd < 0)
        return FailWith(EBADF);
    const auto giveUp = Clock::now() + radiolink::kWriteStall;
    int done = 0;
    while (done < count) {
        const ssize_t n = ::write(m_fd, buffer + done, static_cast<size_t>(count - done));
        if (n > 0) {
            done += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return FailWith(errno);
        // The driver's queue is full: wait until it takes more.
        const auto left = giveUp - Clock::now();
        if (left <= Clock::duration::zero()) {
            m_failure = QString::fromLatin1(radiolink::kCommunicationTimeout);
            return -1;
        }
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        const timespec wait{static_cast<time_t>(ns / 1'000'000'000),
                            static_cast<long>(ns % 1'000'000'000)};
        pollfd watch{m_fd, POLLOUT, 0};
        if (::ppoll(&watch, 1, &wait, nullptr) > 0 && (watch.revents & (POLLHUP | POLLERR)))
            return Disconnected();
    }
    return count;
}

} // namespace radiolink
