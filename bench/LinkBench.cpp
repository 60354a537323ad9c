// Figures of the radio link against the radio simulator at the real line
// rate: how soon a download finishes after the radio's last byte, how close
// an upload comes to its floor, and how much processor time the command line
// spends during a transfer.
#include "link/CloneDownload.h"
#include "link/CloneUpload.h"
#include "link/SerialPort.h"
#include "link/TransferDriver.h"
#include "link/TransferLoop.h"
#include "radio/RadioModel.h"
#include "simulator/RadioSimulator.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSettings>
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using radiolink::Clock;
using namespace std::chrono_literals;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}
double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The simulator on its own thread for one transfer.
class Radio {
public:
    explicit Radio(simulator::Role role) : m_sim(Options(role)) {
        m_sim.SetImage(radio::DefaultImage().data());
        if (const auto error = m_sim.Open()) {
            std::fprintf(stderr, "simulator: %s\n", qPrintable(*error));
            std::exit(1);
        }
        m_thread = std::thread([this] { m_report = m_sim.Run(); });
    }
    ~Radio() {
        m_sim.Stop();
        if (m_thread.joinable())
            m_thread.join();
    }
    const QString& Device() const { return m_sim.DevicePath(); }
    simulator::Report Finish() {
        m_thread.join();
        return m_report;
    }

private:
    static simulator::Options Options(simulator::Role role) {
        simulator::Options options;
        options.role = role;
        options.linger = 100ms;
        return options;
    }
    simulator::RadioSimulator m_sim;
    simulator::Report m_report;
    std::thread m_thread;
};

std::unique_ptr<radiolink::SerialPort> Open(const QString& device) {
    auto port = std::make_unique<radiolink::SerialPort>();
    port->SetPort(device);
    if (const auto error = port->OpenForClone()) {
        std::fprintf(stderr, "%s\n", qPrintable(error->text));
        std::exit(1);
    }
    return port;
}

// How the transfer is run: the command line's poll loop, or the event loop
// with ticks and a socket notifier as the dialogs run it.
enum class Driver { PollLoop, EventLoop };

Clock::time_point Run(radiolink::CloneTransfer& transfer, Driver driver,
                      std::chrono::milliseconds tick) {
    if (driver == Driver::PollLoop) {
        radiolink::RunTransfer(transfer);
        return Clock::now();
    }
    Clock::time_point done{};
    radiolink::TransferDriver events(transfer, tick);
    QEventLoop loop;
    QObject::connect(&events, &radiolink::TransferDriver::ended, [&] {
        done = Clock::now();
        loop.quit();
    });
    events.Start();
    if (transfer.IsRunning())
        loop.exec();
    return done;
}

// Milliseconds from the radio's last byte to the end of the download.
double DownloadFinish(Driver driver) {
    Radio radio(simulator::Role::Send);
    radiolink::CloneDownload download(Open(radio.Device()));
    const auto done = Run(download, driver, radiolink::kDownloadTick);
    const simulator::Report report = radio.Finish();
    if (download.State() != radiolink::TransferState::Succeeded || !report.lastImageByteAt) {
        std::fprintf(stderr, "download failed: %s\n", qPrintable(download.Message()));
        std::exit(1);
    }
    return Ms(done - *report.lastImageByteAt);
}

// Seconds from the start of an upload to its end.
double UploadTotal(Driver driver) {
    Radio radio(simulator::Role::Receive);
    radiolink::CloneUpload upload(Open(radio.Device()), radio::DefaultImage().data());
    const auto start = Clock::now();
    upload.Start(start);
    const auto done = Run(upload, driver, radiolink::kUploadTick);
    radio.Finish();
    if (upload.State() != radiolink::TransferState::Succeeded) {
        std::fprintf(stderr, "upload failed: %s\n", qPrintable(upload.Message()));
        std::exit(1);
    }
    return Seconds(done - start);
}

struct CpuUse {
    double cpu;  // seconds of processor time, user and system
    double wall; // seconds
};

// Runs clonara-cli with the arguments against a simulator; its processor
// time over its run time.
CpuUse CliCpu(simulator::Role role, const QString& cli, const QStringList& head,
              const QString& file) {
    Radio radio(role);
    QList<QByteArray> args = {cli.toLocal8Bit()};
    for (const QString& a : head)
        args << a.toLocal8Bit();
    args << QByteArrayLiteral("--port") << radio.Device().toLocal8Bit();
    if (role == simulator::Role::Send)
        args << QByteArrayLiteral("--output");
    args << file.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const auto start = Clock::now();
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[0]);
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const auto end = Clock::now();
    posix_spawn_file_actions_destroy(&actions);
    radio.Finish();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", argv[1]);
        std::exit(1);
    }
    const double cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 +
                       usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
    return {cpu, Seconds(end - start)};
}

} // namespace

int main(int argc, char** argv) {
    // Nothing of the user's own configuration is touched.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    QCoreApplication app(argc, argv);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       home.path() + QStringLiteral("/config"));
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/clonara-cli");

    std::printf("Radio link against the simulator at 19200 baud, 11 bits a byte\n");
    std::fflush(stdout);

    const double floor = Seconds(radiolink::kUploadFloor);
    struct Way {
        Driver driver;
        const char* name;
    };
    for (const Way way : {Way{Driver::PollLoop, "command-line poll loop"},
                          Way{Driver::EventLoop, "event loop: 5/20 ms timer + socket notifier"}}) {
        std::printf(" %s:\n", way.name);
        const double finish = DownloadFinish(way.driver);
        std::printf("  download, finish after the radio's last byte: %.2f ms (target: within "
                    "50 ms)\n",
                    finish);
        std::fflush(stdout);
        const double total = UploadTotal(way.driver);
        std::printf("  upload, total: %.3f s against the floor of %.3f s (256 x 50 ms + line "
                    "time): %+.2f %% (target: within 2 %%)\n",
                    total, floor, 100.0 * (total - floor) / floor);
        std::fflush(stdout);
    }
    std::printf(" command line, whole program:\n");

    const QString image = home.path() + QStringLiteral("/radio.img");
    const CpuUse down = CliCpu(simulator::Role::Send, cli, {QStringLiteral("download")}, image);
    std::printf("  clonara-cli download: %.3f s of processor time in %.2f s = %.2f %% of one "
                "core (target: under 5 %%)\n",
                down.cpu, down.wall, 100.0 * down.cpu / down.wall);
    std::fflush(stdout);
    const CpuUse up = CliCpu(simulator::Role::Receive, cli, {QStringLiteral("upload")}, image);
    std::printf("  clonara-cli upload: %.3f s of processor time in %.2f s = %.2f %% of one "
                "core (target: under 5 %%)\n",
                up.cpu, up.wall, 100.0 * up.cpu / up.wall);
    return 0;
}
