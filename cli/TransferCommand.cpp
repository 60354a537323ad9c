#include "cli/TransferCommand.h"

#include "cli/Cli.h"
#include "link/TransferLoop.h"
#include "settings/ComPortSetting.h"

#include <csignal>

#include <sys/signalfd.h>
#include <unistd.h>

namespace cli {

using radiolink::Clock;
using radiolink::kImageSize;

namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

// Progress on stderr: a bar redrawn in place on a terminal, otherwise a
// line at every quarter.
class Progress {
public:
    explicit Progress(const QString& verb) : m_verb(verb), m_terminal(::isatty(STDERR_FILENO)) {}

    void Show(int position) {
        if (position == m_shown)
            return;
        const int percent = static_cast<int>(100LL * position / kImageSize);
        if (m_terminal) {
            const auto now = Clock::now();
            if (position != kImageSize && now - m_drawn < kRedrawEvery)
                return;
            m_drawn = now;
            const int filled = static_cast<int>(1LL * kBarWidth * position / kImageSize);
            ErrProgress(QStringLiteral("%1 [%2%3] %4/%5 bytes %6%")
                            .arg(m_verb)
                            .arg(QString(filled, QLatin1Char('#')))
                            .arg(QString(kBarWidth - filled, QLatin1Char('.')))
                            .arg(position, 5)
                            .arg(kImageSize)
                            .arg(percent, 3));
            m_open = true;
        } else {
            const int quarter = percent / 25;
            if (quarter <= m_quarter)
                return;
            m_quarter = quarter;
            Err(QStringLiteral("%1: %2 of %3 bytes (%4%)\n")
                    .arg(m_verb)
                    .arg(position)
                    .arg(kImageSize)
                    .arg(percent));
        }
        m_shown = position;
    }

    // Ends the bar's line.
    void End() {
        if (m_open)
            Err(QStringLiteral("\n"));
        m_open = false;
    }

private:
    QString m_verb;
    bool m_terminal;
    bool m_open = false;
    int m_shown = 0;
    int m_quarter = 0;
    Clock::time_point m_drawn{};
};

// SIGINT and SIGTERM arrive on a descriptor while the transfer runs, so that
// they cancel it cleanly: the port closes with DTR and RTS dropped and
// nothing half-received is written.
class CancelSignals {
public:
    CancelSignals() {
        sigemptyset(&m_signals);
        sigaddset(&m_signals, SIGINT);
        sigaddset(&m_signals, SIGTERM);
        ::sigprocmask(SIG_BLOCK, &m_signals, &m_previous);
        m_fd = ::signalfd(-1, &m_signals, SFD_CLOEXEC | SFD_NONBLOCK);
    }
    ~CancelSignals() {
        if (m_fd >= 0) {
            signalfd_siginfo info{};
            while (::read(m_fd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
            }
            ::close(m_fd);
        }
        ::sigprocmask(SIG_SETMASK, &m_previous, nullptr);
    }
    CancelSignals(const CancelSignals&) = delete;
    CancelSignals& operator=(const CancelSignals&) = delete;

    int Descriptor() const { return m_fd; }

private:
    sigset_t m_signals{};
    sigset_t m_previous{};
    int m_fd = -1;
};

} // namespace

QCommandLineOption PortOption() {
    return QCommandLineOption(
        {QStringLiteral("p"), QStringLiteral("port")},
        QStringLiteral("Serial device of the radio's cable, such as /dev/ttyUSB0 "
                       "(default: the remembered port, see 'clonara-cli port')."),
        QStringLiteral("DEVICE"));
}

QString ChooseDevice(const QCommandLineParser& parser) {
    const QString given = parser.value(QStringLiteral("port")).trimmed();
    if (!given.isEmpty())
        return given;
    const QString remembered = settings::StoredPort();
    if (remembered.isEmpty())
        Fail(QStringLiteral("No serial port is remembered. Name the radio's port with "
                            "--port DEVICE, or remember one with 'clonara-cli port DEVICE'."));
    return remembered;
}

std::unique_ptr<radiolink::SerialPort> OpenTransferPort(const QString& device) {
    auto port = std::make_unique<radiolink::SerialPort>();
    port->SetPort(device);
    if (const auto error = port->OpenForClone()) {
        Fail(error->text);
        return nullptr;
    }
    return port;
}

radiolink::TransferState RunWithProgress(radiolink::CloneTransfer& transfer, const QString& verb) {
    Progress progress(verb);
    CancelSignals cancel;
    const auto state = radiolink::RunTransfer(
        transfer, cancel.Descriptor(),
        [&](const radiolink::CloneTransfer& t) { progress.Show(t.Position()); });
    progress.End();
    return state;
}

} // namespace cli
