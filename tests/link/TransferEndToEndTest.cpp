// Whole transfers through the radio simulator on a pseudo-terminal, driven
// by the same poll loop as the command line.
#include "LinkTestSupport.h"
#include "support/TestSupport.h"

#include "link/CloneDownload.h"
#include "link/CloneUpload.h"
#include "link/TransferLoop.h"

#include <gtest/gtest.h>

#include <sys/timerfd.h>
#include <unistd.h>

using namespace linktest;
using radiolink::Clock;
using radiolink::CloneDownload;
using radiolink::CloneUpload;
using radiolink::TransferState;
using radiolink::TransferTiming;
using simulator::Role;
using namespace std::chrono_literals;

namespace {

const QByteArray kThreeAcks("\x06\x06\x06", 3);

std::vector<int> Sizes(const std::vector<QByteArray>& writes) {
    std::vector<int> sizes;
    for (const QByteArray& w : writes)
        sizes.push_back(static_cast<int>(w.size()));
    return sizes;
}

std::vector<int> UploadSizes() {
    std::vector<int> sizes = {10, 8};
    sizes.insert(sizes.end(), 253, 64);
    sizes.push_back(1);
    return sizes;
}

QByteArray Joined(const std::vector<QByteArray>& writes) {
    QByteArray all;
    for (const QByteArray& w : writes)
        all += w;
    return all;
}

struct Outcome {
    TransferState state;
    QString message;
    Clock::duration elapsed;
    QByteArray image; // what the download received
    std::vector<QByteArray> writes;
};

Outcome Download(const QString& device, TransferTiming timing = {}) {
    auto writes = std::make_shared<std::vector<QByteArray>>();
    CloneDownload download(std::make_unique<RecordingPort>(OpenPort(device), writes), timing);
    const auto start = Clock::now();
    radiolink::RunTransfer(download);
    return {download.State(), download.Message(), Clock::now() - start, ToBytes(download.Image()),
            *writes};
}

Outcome Upload(const QString& device, const Image& image, TransferTiming timing = {},
               Clock::duration settle = Clock::duration::zero()) {
    auto writes = std::make_shared<std::vector<QByteArray>>();
    CloneUpload upload(std::make_unique<RecordingPort>(OpenPort(device), writes), image.data(),
                       timing);
    std::this_thread::sleep_for(settle);
    const auto start = Clock::now();
    upload.Start(start);
    radiolink::RunTransfer(upload);
    return {upload.State(), upload.Message(), Clock::now() - start, QByteArray(), *writes};
}

TransferTiming ShortPauses() {
    TransferTiming timing;
    timing.blockPause = 1ms;
    return timing;
}

} // namespace

TEST(EndToEnd, DownloadsAreReceivedByteForByte) {
    const Image image = TestImage();
    struct Case {
        const char* name;
        int noise;
        Clock::duration latency;
    };
    const Case cases[] = {
        {"a clean line", 0, 0ms},
        {"noise before the image", 5, 0ms},
        {"an adapter that delivers every byte 20 ms late", 0, 20ms},
        {"both", 3, 20ms},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        simulator::Options options = FastOptions(Role::Send);
        options.faults.noiseBytes = c.noise;
        options.latency = c.latency;
        SimulatedRadio radio(options, &image);
        const Outcome outcome = Download(radio.DevicePath());
        const simulator::Report report = radio.Finish();
        ASSERT_EQ(outcome.state, TransferState::Succeeded) << outcome.message.toStdString();
        EXPECT_EQ(outcome.image, ToBytes(image));
        // Exactly three acknowledgements, after bytes 10, 18 and 16211.
        EXPECT_EQ(report.fromComputer, kThreeAcks);
        EXPECT_EQ(Joined(outcome.writes), kThreeAcks);
        EXPECT_EQ(outcome.writes.size(), 3u);
        EXPECT_TRUE(report.completed);
        EXPECT_EQ(report.imageBytesSent, radiolink::kImageSize);
    }
}

TEST(EndToEnd, UploadsArriveByteForByteInBlocks) {
    const Image image = TestImage();
    struct Case {
        const char* name;
        int garbage;
        Clock::duration latency;
    };
    const Case cases[] = {
        {"a clean line", 0, 0ms},
        {"garbage waiting on the line", 12, 0ms},
        {"an adapter that delivers every byte 20 ms late", 0, 20ms},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        simulator::Options options = FastOptions(Role::Receive);
        options.faults.noiseBytes = c.garbage;
        options.latency = c.latency;
        SimulatedRadio radio(options);
        // Garbage arrives as the port opens; the user presses OK later.
        const Outcome outcome = Upload(radio.DevicePath(), image, ShortPauses(), 100ms);
        const simulator::Report report = radio.Finish();
        ASSERT_EQ(outcome.state, TransferState::Succeeded) << outcome.message.toStdString();
        EXPECT_EQ(report.image, ToBytes(image));
        EXPECT_EQ(report.fromComputer, ToBytes(image));
        EXPECT_EQ(Sizes(outcome.writes), UploadSizes());
        EXPECT_TRUE(report.completed);
    }
}

// Every fault the simulator can play, at the start, in the middle and at
// the end of the image, in both directions. Each transfer ends by itself
// with its message (or, where the protocol shrugs the fault off, with the
// whole image); none hangs, and none leaves a partial image behind.
TEST(EndToEnd, FaultMatrix) {
    const Image image = TestImage();
    TransferTiming timing = ShortPauses();
    timing.silenceLimit = 300ms;
    // A transfer still running after this long hangs: the user would have to
    // cancel it.
    constexpr auto kHangLimit = 3s;

    // What ends a transfer, in the order of its texts below.
    const QStringList ends = {"whole",    "timeout",    "disconnected",
                              "checksum", "comm error", "waits for the user"};
    for (const auto& [line, fields] : testing_support::DataLines("transfer-faults.txt")) {
        SCOPED_TRACE(line.toStdString());
        ASSERT_EQ(fields.size(), 4);
        const Role role = fields[0] == QLatin1String("download") ? Role::Send : Role::Receive;
        const QString& kind = fields[1];
        const int after = fields[2] == QLatin1String("start")    ? 0
                          : fields[2] == QLatin1String("middle") ? radiolink::kImageSize / 2
                          : fields[2] == QLatin1String("end")    ? radiolink::kImageSize - 1
                                                                 : fields[2].toInt();
        const int end = static_cast<int>(ends.indexOf(fields[3]));
        ASSERT_GE(end, 0);
        simulator::Faults f;
        if (kind == QLatin1String("noise")) {
            f.noiseBytes = 7;
            f.noiseAfter = after;
        } else if (kind == QLatin1String("silence")) {
            f.silenceAfter = after;
        } else if (kind == QLatin1String("lost byte")) {
            f.loseByte = after;
        } else if (kind == QLatin1String("hang-up")) {
            f.hangUpAfter = after;
        } else if (kind == QLatin1String("wrong checksum")) {
            f.wrongChecksum = true;
        } else {
            ASSERT_EQ(kind, QLatin1String("refusal"));
            f.nakAfter = after;
        }
        simulator::Options options = FastOptions(role);
        options.faults = f;
        // The radio plays its part once the port is open and set up, as its
        // user presses the key only when the program says so: a radio that
        // hangs up at the very start must not be able to pull the line away
        // between the port's open and its line settings, which would fail
        // the open rather than the transfer.
        SimulatedRadio radio(options, &image, SimulatedRadio::Begin::OnStart);

        // The user's Cancel button, pressed only once the transfer hangs.
        const int cancel = ::timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
        ASSERT_GE(cancel, 0);
        itimerspec at{};
        at.it_value.tv_sec = std::chrono::duration_cast<std::chrono::seconds>(kHangLimit).count();
        ::timerfd_settime(cancel, 0, &at, nullptr);

        TransferState state;
        QString message;
        QByteArray received; // download: what the engine holds at its end
        auto port = OpenPort(radio.DevicePath());
        radio.Start();
        if (role == Role::Send) {
            CloneDownload download(std::move(port), timing);
            radiolink::RunTransfer(download, cancel);
            state = download.State();
            message = download.Message();
            received = ToBytes(download.Image());
        } else {
            CloneUpload upload(std::move(port), image.data(), timing);
            upload.Start(Clock::now());
            radiolink::RunTransfer(upload, cancel);
            state = upload.State();
            message = upload.Message();
        }
        ::close(cancel);
        const simulator::Report report = radio.Finish();

        switch (end) {
        case 0: // whole
            EXPECT_EQ(state, TransferState::Succeeded) << message.toStdString();
            break;
        case 5: // waits for the user
            // A radio that never starts is one whose user has not pressed
            // its key yet: the transfer waits for it, and Cancel ends it.
            EXPECT_EQ(state, TransferState::Cancelled);
            break;
        default: {
            EXPECT_EQ(state, TransferState::Failed) << "the transfer hung";
            const char* const texts[] = {"", "Communication timeout",
                                         ": The serial port was disconnected.",
                                         "Error: Check sum error.", "Comm Error"};
            EXPECT_TRUE(message.endsWith(QString::fromLatin1(texts[end]))) << message.toStdString();
            break;
        }
        }
        // Only a whole image survives a transfer: what the computer took,
        // and what the radio took.
        if (role == Role::Send) {
            EXPECT_EQ(received, state == TransferState::Succeeded
                                    ? ToBytes(image)
                                    : QByteArray(radiolink::kImageSize, '\0'));
        } else {
            EXPECT_EQ(report.completed, state == TransferState::Succeeded);
            if (report.completed) {
                EXPECT_EQ(report.image, ToBytes(image));
            }
        }
    }
}

TEST(EndToEnd, DownloadAtTheRealLineRate) {
    const Image image = TestImage();
    simulator::Options options;
    options.role = Role::Send;
    SimulatedRadio radio(options, &image);
    const Outcome outcome = Download(radio.DevicePath());
    const simulator::Report report = radio.Finish();
    ASSERT_EQ(outcome.state, TransferState::Succeeded) << outcome.message.toStdString();
    EXPECT_EQ(outcome.image, ToBytes(image));
    EXPECT_EQ(report.fromComputer, kThreeAcks);
}

TEST(EndToEnd, UploadAtTheRealLineRateWithItsPauses) {
    const Image image = TestImage();
    simulator::Options options;
    options.role = Role::Receive;
    SimulatedRadio radio(options);
    const Outcome outcome = Upload(radio.DevicePath(), image);
    const simulator::Report report = radio.Finish();
    ASSERT_EQ(outcome.state, TransferState::Succeeded) << outcome.message.toStdString();
    EXPECT_EQ(report.image, ToBytes(image));
    EXPECT_EQ(Sizes(outcome.writes), UploadSizes());
    EXPECT_EQ(Joined(outcome.writes), ToBytes(image));
}
