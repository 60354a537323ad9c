// The serial port on a pseudo-terminal: line settings, exclusive use, short
// reads, and the texts of the open failures.
#include "LinkTestSupport.h"

#include "settings/ComPortSetting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using namespace linktest;
using radiolink::Clock;
using namespace std::chrono_literals;

namespace {

// A pseudo-terminal with nobody at the radio's end.
struct Pty {
    simulator::RadioSimulator sim{simulator::Options{}};
    Pty() {
        if (const auto error = sim.Open())
            ADD_FAILURE() << error->toStdString();
    }
    const QString& Path() const { return sim.DevicePath(); }
};

} // namespace

TEST(ComPort, OpenFailuresSayWhy) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString plainFile = dir.filePath(QStringLiteral("not-a-port"));
    QFile file(plainFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString loop = dir.filePath(QStringLiteral("loop"));
    ASSERT_EQ(::symlink(QFile::encodeName(loop).constData(), QFile::encodeName(loop).constData()),
              0);
    const QString missing = QStringLiteral("/dev/ttyUSB9-clonara-test");

    struct Case {
        QString device;
        radiolink::PortError::Kind kind;
        QString text;
    };
    const Case cases[] = {
        {QString(), radiolink::PortError::Kind::NoPort, QString()},
        {missing, radiolink::PortError::Kind::NotFound, missing + ": Invalid or unsupported port."},
        {plainFile, radiolink::PortError::Kind::NotFound,
         plainFile + ": Invalid or unsupported port."},
        {dir.path(), radiolink::PortError::Kind::NotFound,
         dir.path() + ": Invalid or unsupported port."},
        {loop, radiolink::PortError::Kind::Other,
         loop + QStringLiteral(":  Unknown error #-%1.").arg(ELOOP)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device.toStdString());
        radiolink::SerialPort port;
        port.SetPort(c.device);
        const auto error = port.OpenForClone();
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->kind, c.kind);
        EXPECT_EQ(error->text, c.text);
        EXPECT_FALSE(port.IsOpen());
    }
}

TEST(ComPort, PermissionDeniedOnADeviceOnlyItsOwnerMayUse) {
    // Tests may run as root, who is never refused: the texts are checked
    // themselves. With mode 0660 the text names the group that owns the
    // device; with 0600 or 0640 joining it would not help, so the text names
    // the owner, the mode and the usual fix instead.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString device = dir.filePath(QStringLiteral("ttyUSB0"));
    QFile file(device);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    struct Case {
        mode_t mode;
        bool groupHelps;
    };
    for (const Case c : {Case{0600, false}, Case{0640, false}, Case{0660, true}}) {
        ASSERT_EQ(::chmod(QFile::encodeName(device).constData(), c.mode), 0);
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(device).constData(), &info), 0);
        const QString owner = QString::fromLocal8Bit(::getpwuid(info.st_uid)->pw_name);
        const QString group = QString::fromLocal8Bit(::getgrgid(info.st_gid)->gr_name);
        const QString text = radiolink::MakePortOpenError(device, EACCES).text;
        SCOPED_TRACE(text.toStdString());
        EXPECT_TRUE(text.startsWith(device + QStringLiteral(": Permission denied")));
        EXPECT_EQ(text.contains(QStringLiteral("the group \"%1\" that owns it").arg(group)),
                  c.groupHelps);
        if (c.groupHelps) {
            EXPECT_TRUE(text.contains(QStringLiteral("usermod -aG %1").arg(group)));
        } else {
            EXPECT_TRUE(
                text.contains(QStringLiteral("It belongs to %1 (group \"%2\") with mode 0%3")
                                  .arg(owner, group)
                                  .arg(c.mode, 0, 8)));
            EXPECT_TRUE(text.contains(QStringLiteral("udev rule")));
            EXPECT_TRUE(text.contains(QStringLiteral("usermod -aG dialout")));
        }
    }
}

TEST(ComPort, OpensRawAtTheCloneLineSettings) {
    Pty pty;
    radiolink::SerialPort port;
    port.SetPort(pty.Path());
    ASSERT_FALSE(port.OpenForClone().has_value());
    termios tio{};
    ASSERT_EQ(::tcgetattr(port.Descriptor(), &tio), 0);
    EXPECT_EQ(::cfgetispeed(&tio), static_cast<speed_t>(B19200));
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B19200));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_TRUE(tio.c_cflag & CSTOPB);
    EXPECT_FALSE(tio.c_cflag & PARENB);
    EXPECT_FALSE(tio.c_cflag & CRTSCTS);
    EXPECT_TRUE(tio.c_cflag & CLOCAL);
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF | ICRNL | INLCR | ISTRIP));
    EXPECT_FALSE(tio.c_oflag & OPOST);
    EXPECT_EQ(port.BaudRate(), 19200);
    EXPECT_EQ(port.StopBits(), 2);

    // Opening an open port closes and reopens it.
    ASSERT_FALSE(port.OpenForClone().has_value());
    EXPECT_TRUE(port.IsOpen());
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Descriptor(), -1);
}

TEST(ComPort, IsHeldForExclusiveUse) {
    Pty pty;
    radiolink::SerialPort first;
    first.SetPort(pty.Path());
    ASSERT_FALSE(first.OpenForClone().has_value());

    radiolink::SerialPort second;
    second.SetPort(pty.Path());
    const auto error = second.OpenForClone();
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->kind, radiolink::PortError::Kind::InUse);
    EXPECT_EQ(error->text, pty.Path() + ": Is already open.");

    first.Close();
    EXPECT_FALSE(second.OpenForClone().has_value());
}

TEST(ComPort, ReadsWaitOnlyBriefly) {
    Pty pty;
    radiolink::SerialPort port;
    port.SetPort(pty.Path());
    ASSERT_FALSE(port.OpenForClone().has_value());
    std::uint8_t buffer[16];
    const auto start = Clock::now();
    EXPECT_EQ(port.Read(buffer, 16), 0);
    EXPECT_FALSE(port.ReadByte().has_value());
    // About 3 ms each; the bound only catches a read that blocks.
    EXPECT_LT(Clock::now() - start, 1s);
}

TEST(ComPort, AClosedPortFailsWithAText) {
    radiolink::SerialPort port;
    port.SetPort(QStringLiteral("/dev/null"));
    std::uint8_t byte = 0;
    EXPECT_EQ(port.Read(&byte, 1), -1);
    EXPECT_FALSE(port.Failure().isEmpty());
    EXPECT_FALSE(port.WriteByte(0x06));
}

TEST(ComPortSetting, RemembersTheDevicePath) {
    EXPECT_TRUE(settings::RememberComPort(QString()));
    EXPECT_EQ(settings::StoredPort(), QString());
    EXPECT_TRUE(settings::RememberComPort(QStringLiteral("/dev/ttyUSB0")));
    EXPECT_EQ(settings::StoredPort(), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_TRUE(settings::RememberComPort(QStringLiteral(" /dev/ttyACM1 ")));
    EXPECT_EQ(settings::StoredPort(), QStringLiteral("/dev/ttyACM1"));
    EXPECT_TRUE(settings::RememberComPort(QString()));
    EXPECT_EQ(settings::StoredPort(), QString());
}
