#include "simulator/RadioSimulator.h"

#include "document/RadioDataFile.h"
#include "radio/DataFileLayout.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

namespace simulator {

using radiolink::kAck;
using radiolink::kImageSize;
using radiolink::kNak;

namespace {

// How often the simulator looks whether the computer has opened the port.
constexpr auto kOpenPoll = std::chrono::milliseconds(2);

// Noise as the radio starts sending: anything but the first image byte.
constexpr Byte kNoise[] = {0x00, 0xFF, 0x55, 0xAA, 0x06, 0x15, 0x80, 0x7F};
// Garbage on the line before an upload, the first image byte and the
// acknowledgement among it.
constexpr Byte kGarbage[] = {0x0A, 0x00, 0xFF, 0x06, 0x55, 0x0A, 0x15, 0xAA};

timespec ToTimespec(Clock::duration d) {
    const long long ns =
        std::max<long long>(0, std::chrono::duration_cast<std::chrono::nanoseconds>(d).count());
    return {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

QString SystemText(const char* what) {
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

bool MakeRaw(int fd) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

} // namespace

const std::vector<FaultOption>& FaultTable() {
    static const std::vector<FaultOption> table = {
        {"noise", "N", "send: noise bytes before the image; receive: garbage waiting on the line.",
         &Faults::noiseBytes, nullptr, ByteFate::Passes, false},
        {"noise-after", "N", "Let the noise come after N image bytes instead.", &Faults::noiseAfter,
         nullptr, ByteFate::Passes, false},
        {"wrong-checksum", nullptr, "send: the image's checksum byte is one off.", nullptr,
         &Faults::wrongChecksum, ByteFate::Passes, false},
        {"nak", nullptr, "receive: refuse the first block with 0x15.", &Faults::nakAfter, nullptr,
         ByteFate::Passes, false, radio::image::kFirstStretch},
        {"nak-after", "N", "receive: answer 0x15 instead of 0x06 after N image bytes (10 or 18).",
         &Faults::nakAfter, nullptr, ByteFate::Passes, false},
        {"silence-after", "N", "Fall silent after N image bytes.", &Faults::silenceAfter, nullptr,
         ByteFate::FallsSilent, true},
        {"lose-byte", "N", "Image byte N is lost on the line.", &Faults::loseByte, nullptr,
         ByteFate::Lost, false},
        {"hang-up-after", "N", "Hang up the line (pull the cable) after N image bytes.",
         &Faults::hangUpAfter, nullptr, ByteFate::HangsUp, true},
    };
    return table;
}

ByteFate FateOf(const Faults& faults, int index) {
    ByteFate fate = ByteFate::Passes;
    for (const FaultOption& fault : FaultTable()) {
        if (fault.fate == ByteFate::Passes || fault.number == nullptr)
            continue;
        const int at = faults.*fault.number;
        if (at >= 0 && (fault.fromThereOn ? index >= at : index == at))
            fate = std::max(fate, fault.fate);
    }
    return fate;
}

RadioSimulator::RadioSimulator(Options options) : m_options(options) {}

RadioSimulator::~RadioSimulator() {
    CloseMaster();
    if (m_stop >= 0)
        ::close(m_stop);
}

void RadioSimulator::SetImage(const Byte* image) {
    std::memcpy(m_image.data(), image, kImageSize);
}

std::optional<QString> RadioSimulator::Open() {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_master < 0)
        return SystemText("posix_openpt");
    char name[256];
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 ||
        ::ptsname_r(m_master, name, sizeof name) != 0)
        return SystemText("pseudo-terminal");
    // The line passes bytes untouched: no echo by the terminal, no newline
    // translation.
    if (!MakeRaw(m_master))
        return SystemText("tcsetattr");
    m_devicePath = QString::fromLocal8Bit(name);
    // Opening and closing the far end once makes the pseudo-terminal report
    // a hang-up until the computer opens it: that is how the radio notices.
    const int far = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (far < 0)
        return SystemText("open");
    ::close(far);
    m_stop = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_stop < 0)
        return SystemText("eventfd");
    return std::nullopt;
}

void RadioSimulator::Stop() {
    if (m_stop >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(m_stop, &one, sizeof one);
    }
}

void RadioSimulator::CloseMaster() {
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
}

Clock::time_point RadioSimulator::Transmit(Byte byte, Clock::time_point earliest, int imageIndex) {
    const Clock::time_point finish = std::max(earliest, m_lineFree) + m_options.byteTime;
    m_lineFree = finish;
    m_out.push_back({finish + m_options.latency, byte, imageIndex, false});
    return finish;
}

void RadioSimulator::HangUpAfterLine(Clock::time_point earliest) {
    const Clock::time_point at = std::max(earliest, m_lineFree) + m_options.latency;
    m_out.push_back({at, 0, -1, true});
    m_radioSilent = true;
}

void RadioSimulator::OnComputerOpened(Clock::time_point now) {
    m_report.openedAt = now;
    // The computer sets up its own line settings; make sure nothing it did
    // before (or did not do yet) translates the first bytes.
    MakeRaw(m_master);
    const Faults& faults = m_options.faults;
    if (m_options.role == Role::Send) {
        SendStretch(0, radio::image::kFirstStretch, now + m_options.startDelay);
    } else if (faults.noiseAfter == 0) {
        SendGarbage(now);
    }
}

void RadioSimulator::SendGarbage(Clock::time_point earliest) {
    for (int i = 0; i < m_options.faults.noiseBytes; ++i)
        Transmit(kGarbage[i % static_cast<int>(sizeof kGarbage)], earliest);
}

bool RadioSimulator::StopsAt(ByteFate fate, Clock::time_point at) {
    if (fate == ByteFate::HangsUp) {
        HangUpAfterLine(at);
        return true;
    }
    if (fate == ByteFate::FallsSilent) {
        m_radioSilent = true;
        return true;
    }
    return false;
}

void RadioSimulator::LoseByte(Clock::time_point at) {
    m_lineFree = std::max(at, m_lineFree) + m_options.byteTime;
}

void RadioSimulator::SendStretch(int from, int to, Clock::time_point earliest) {
    const Faults& faults = m_options.faults;
    for (int i = from; i < to; ++i) {
        const ByteFate fate = FateOf(faults, i);
        if (StopsAt(fate, earliest))
            return;
        if (i == faults.noiseAfter) {
            for (int n = 0; n < faults.noiseBytes; ++n)
                Transmit(kNoise[n % static_cast<int>(sizeof kNoise)], earliest);
        }
        if (fate == ByteFate::Lost) {
            // Sent, but it never reaches the computer.
            LoseByte(earliest);
            continue;
        }
        Byte byte = m_image[static_cast<size_t>(i)];
        if (i == radio::image::kChecksum && faults.wrongChecksum)
            byte = static_cast<Byte>(byte + 1);
        Transmit(byte, earliest, i);
    }
}

void RadioSimulator::OnComputerByte(Byte byte, Clock::time_point now) {
    m_report.fromComputer.append(static_cast<char>(byte));
    if (m_options.role == Role::Send) {
        // The cable echoes it; the radio hears it once it has crossed.
        RadioReceives(byte, Transmit(byte, now));
        return;
    }

    if (m_radioSilent)
        return;
    const Faults& faults = m_options.faults;
    bool noiseDue = false;
    if (m_imageReceived < kImageSize) {
        const ByteFate fate = FateOf(faults, m_imageReceived);
        if (StopsAt(fate, now))
            return;
        ++m_imageReceived;
        noiseDue = faults.noiseAfter > 0 && m_imageReceived == faults.noiseAfter;
        if (fate == ByteFate::Lost) {
            // Lost on the line: neither the radio nor the echo gets it.
            LoseByte(now);
            return;
        }
    }
    RadioReceives(byte, Transmit(byte, now));
    if (noiseDue)
        SendGarbage(now);
}

void RadioSimulator::RadioReceives(Byte byte, Clock::time_point at) {
    if (m_radioDone || m_radioSilent)
        return;
    if (m_options.role == Role::Send) {
        // The radio waits for 0x06 after each stretch and ignores the rest.
        if (byte != kAck)
            return;
        ++m_acksReceived;
        if (m_acksReceived == 1) {
            SendStretch(radio::image::kFirstStretch, radio::image::kSecondStretch, at);
        } else if (m_acksReceived == 2) {
            SendStretch(radio::image::kSecondStretch, kImageSize, at);
        } else {
            m_radioDone = true;
            m_report.completed = true;
            m_doneAt = at;
        }
        return;
    }

    m_report.image.append(static_cast<char>(byte));
    const int received = static_cast<int>(m_report.image.size());
    if (received == radio::image::kFirstStretch) {
        Transmit(m_options.faults.nakAfter == received ? kNak : kAck, at);
    } else if (received == radio::image::kSecondStretch) {
        Transmit(m_options.faults.nakAfter == received ? kNak : kAck, at);
    } else if (received == kImageSize) {
        m_radioDone = true;
        m_report.completed = true;
        m_doneAt = at;
    }
}

bool RadioSimulator::Deliver(Clock::time_point now, bool& blocked) {
    blocked = false;
    std::vector<Byte> chunk;
    while (!m_out.empty() && m_out.front().due <= now) {
        if (m_out.front().hangUp) {
            m_out.clear();
            CloseMaster();
            m_report.computerClosed = true;
            return false;
        }
        chunk.clear();
        for (const Outgoing& item : m_out) {
            if (item.due > now || item.hangUp || chunk.size() >= 4096)
                break;
            chunk.push_back(item.byte);
        }
        const ssize_t n = ::write(m_master, chunk.data(), chunk.size());
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                blocked = errno == EAGAIN;
                return true;
            }
            m_report.computerClosed = true;
            return false;
        }
        const Clock::time_point handed = Clock::now();
        for (ssize_t k = 0; k < n; ++k) {
            if (m_out.front().imageIndex >= 0) {
                ++m_report.imageBytesSent;
                m_report.lastImageByteAt = handed;
            }
            m_out.pop_front();
        }
        if (static_cast<size_t>(n) < chunk.size()) {
            blocked = true;
            return true;
        }
    }
    return true;
}

Report RadioSimulator::Run() {
    m_report = Report{};
    if (m_master < 0 || m_stop < 0) {
        m_report.error = QStringLiteral("The pseudo-terminal is not open.");
        return m_report;
    }
    m_out.clear();
    m_lineFree = Clock::time_point{};
    m_opened = m_radioDone = m_radioSilent = false;
    m_doneAt.reset();
    m_acksReceived = m_imageReceived = 0;

    for (;;) {
        Clock::time_point now = Clock::now();
        if (!m_opened) {
            pollfd far{m_master, POLLIN, 0};
            ::poll(&far, 1, 0);
            if (far.revents & POLLHUP) {
                pollfd stop{m_stop, POLLIN, 0};
                const timespec wait = ToTimespec(kOpenPoll);
                if (::ppoll(&stop, 1, &wait, nullptr) > 0)
                    return m_report;
                continue;
            }
            m_opened = true;
            OnComputerOpened(now);
        }

        bool blocked = false;
        if (!Deliver(now, blocked))
            return m_report;
        if (m_radioDone && m_out.empty() && now >= *m_doneAt + m_options.linger)
            return m_report;

        pollfd watch[2] = {{m_master, static_cast<short>(POLLIN | (blocked ? POLLOUT : 0)), 0},
                           {m_stop, POLLIN, 0}};
        timespec wait{};
        timespec* timeout = nullptr;
        if (!blocked && !m_out.empty()) {
            wait = ToTimespec(m_out.front().due - now);
            timeout = &wait;
        } else if (m_radioDone && m_out.empty()) {
            wait = ToTimespec(*m_doneAt + m_options.linger - now);
            timeout = &wait;
        }
        if (::ppoll(watch, 2, timeout, nullptr) < 0 && errno != EINTR) {
            m_report.error = SystemText("ppoll");
            return m_report;
        }
        if (watch[1].revents)
            return m_report;
        if (watch[0].revents & POLLIN) {
            Byte buffer[4096];
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n > 0) {
                now = Clock::now();
                for (ssize_t i = 0; i < n; ++i)
                    OnComputerByte(buffer[i], now);
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                m_report.computerClosed = true; // the computer closed the port
                return m_report;
            }
        } else if (watch[0].revents & (POLLHUP | POLLERR)) {
            m_report.computerClosed = true;
            return m_report;
        }
    }
}

std::optional<QString> LoadImageFile(const QString& path,
                                     std::array<Byte, radiolink::kImageSize>& image) {
    QByteArray bytes;
    if (const auto error = document::datafile::ReadFileBounded(path, radio::rdf::kFileSize, bytes))
        return error->text;
    if (document::datafile::IsRawImage(bytes) && !document::datafile::HasRadioDataMagic(bytes)) {
        // A raw clone image: any bytes past the image are ignored.
        std::memcpy(image.data(), bytes.constData(), kImageSize);
        return std::nullopt;
    }
    std::vector<Byte> block(radio::rdf::kFileSize);
    if (const auto error = document::datafile::ParseRadioDataFile(bytes, path, block.data()))
        return error->text;
    std::memcpy(image.data(), block.data() + radio::rdf::kImage, kImageSize);
    return std::nullopt;
}

} // namespace simulator
