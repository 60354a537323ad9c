// Whole transfers through the radio simulator on a pseudo-terminal, driven
// by the same poll loop as the command line.
#include "LinkTestSupport.h"

#include "link/CloneDownload.h"
#include "link/CloneUpload.h"
#include "link/TransferLoop.h"

#include <gtest/gtest.h>

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

TEST(EndToEnd, EveryFaultEndsPromptlyWithItsMessage) {
    const Image image = TestImage();
    TransferTiming timing = ShortPauses();
    timing.silenceLimit = 1s;
    const QString timeout = QStringLiteral("Communication timeout");
    const QString disconnected = QStringLiteral(": The serial port was disconnected.");

    struct Case {
        const char* name;
        Role role;
        simulator::Faults faults;
        QString message; // ends with
    };
    auto faults = [](auto change) {
        simulator::Faults f;
        change(f);
        return f;
    };
    const Case cases[] = {
        {"download, wrong checksum", Role::Send, faults([](auto& f) { f.wrongChecksum = true; }),
         QStringLiteral("Error: Check sum errror.")},
        {"download, silence after 3000 bytes", Role::Send,
         faults([](auto& f) { f.silenceAfter = 3000; }), timeout},
        {"download, silence after 10 bytes", Role::Send,
         faults([](auto& f) { f.silenceAfter = 10; }), timeout},
        {"download, byte 5 lost", Role::Send, faults([](auto& f) { f.loseByte = 5; }), timeout},
        {"download, byte 9000 lost", Role::Send, faults([](auto& f) { f.loseByte = 9000; }),
         timeout},
        {"download, cable pulled after 8000 bytes", Role::Send,
         faults([](auto& f) { f.hangUpAfter = 8000; }), disconnected},
        {"upload, refused after the first block", Role::Receive,
         faults([](auto& f) { f.nakAfterFirstBlock = true; }), QStringLiteral("Comm Error")},
        {"upload, silence after 3000 bytes", Role::Receive,
         faults([](auto& f) { f.silenceAfter = 3000; }), timeout},
        {"upload, silence after 12 bytes", Role::Receive,
         faults([](auto& f) { f.silenceAfter = 12; }), timeout},
        {"upload, byte 700 lost", Role::Receive, faults([](auto& f) { f.loseByte = 700; }),
         timeout},
        {"upload, cable pulled after 9000 bytes", Role::Receive,
         faults([](auto& f) { f.hangUpAfter = 9000; }), disconnected},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        simulator::Options options = FastOptions(c.role);
        options.faults = c.faults;
        SimulatedRadio radio(options, &image);
        const Outcome outcome = c.role == Role::Send ? Download(radio.DevicePath(), timing)
                                                     : Upload(radio.DevicePath(), image, timing);
        const simulator::Report report = radio.Finish();
        EXPECT_EQ(outcome.state, TransferState::Failed);
        EXPECT_TRUE(outcome.message.endsWith(c.message)) << outcome.message.toStdString();
        // No hang: the watchdog's second plus the transfer itself.
        EXPECT_LT(outcome.elapsed, 5s);
        // Only the radio with the wrong checksum gets through its side.
        EXPECT_EQ(report.completed, c.faults.wrongChecksum);
        if (c.role == Role::Send) {
            EXPECT_EQ(outcome.image, QByteArray(radiolink::kImageSize, '\0'));
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
