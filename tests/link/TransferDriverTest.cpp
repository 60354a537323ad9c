// The transfers driven from a Qt event loop, as the dialogs will drive them:
// ticks, a socket notifier and a deadline timer.
#include "LinkTestSupport.h"

#include "link/CloneDownload.h"
#include "link/CloneUpload.h"
#include "link/TransferDriver.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

using namespace linktest;
using radiolink::Clock;
using radiolink::TransferDriver;
using radiolink::TransferState;
using namespace std::chrono_literals;

namespace {

struct Ending {
    TransferState state = TransferState::Running;
    QString message;
    std::vector<int> progress;
};

// Runs the event loop until the driver reports the end (or a minute passed).
Ending Drive(radiolink::CloneTransfer& transfer, std::chrono::milliseconds tick,
             std::function<void(TransferDriver&)> meanwhile = {}) {
    Ending ending;
    TransferDriver driver(transfer, tick);
    QEventLoop loop;
    QObject::connect(&driver, &TransferDriver::progress,
                     [&](int position) { ending.progress.push_back(position); });
    QObject::connect(&driver, &TransferDriver::ended,
                     [&](TransferState state, const QString& message) {
                         ending.state = state;
                         ending.message = message;
                         loop.quit();
                     });
    QTimer::singleShot(60s, &loop, &QEventLoop::quit);
    driver.Start();
    if (meanwhile)
        meanwhile(driver);
    if (ending.state == TransferState::Running)
        loop.exec();
    return ending;
}

} // namespace

TEST(TransferDriver, DownloadFromTheEventLoop) {
    const Image image = TestImage();
    SimulatedRadio radio(FastOptions(simulator::Role::Send), &image);
    radiolink::CloneDownload download(OpenPort(radio.DevicePath()));
    const Ending ending = Drive(download, radiolink::kDownloadTick);
    ASSERT_EQ(ending.state, TransferState::Succeeded) << ending.message.toStdString();
    EXPECT_EQ(ToBytes(download.Image()), ToBytes(image));
    ASSERT_FALSE(ending.progress.empty());
    EXPECT_TRUE(std::is_sorted(ending.progress.begin(), ending.progress.end()));
    EXPECT_EQ(ending.progress.back(), radiolink::kImageSize);
    EXPECT_EQ(radio.Finish().fromComputer, QByteArray("\x06\x06\x06", 3));
}

TEST(TransferDriver, UploadFromTheEventLoop) {
    const Image image = TestImage();
    SimulatedRadio radio(FastOptions(simulator::Role::Receive));
    auto writes = std::make_shared<std::vector<QByteArray>>();
    radiolink::TransferTiming timing;
    timing.blockPause = 2ms;
    radiolink::CloneUpload upload(
        std::make_unique<RecordingPort>(OpenPort(radio.DevicePath()), writes), image.data(),
        timing);
    upload.Start(Clock::now());
    const Ending ending = Drive(upload, radiolink::kUploadTick);
    ASSERT_EQ(ending.state, TransferState::Succeeded) << ending.message.toStdString();
    EXPECT_EQ(radio.Finish().image, ToBytes(image));
    EXPECT_EQ(writes->size(), 256u);
}

TEST(TransferDriver, FailureAndCancelAreReportedOnce) {
    const Image image = TestImage();
    {
        SCOPED_TRACE("wrong checksum");
        simulator::Options options = FastOptions(simulator::Role::Send);
        options.faults.wrongChecksum = true;
        SimulatedRadio radio(options, &image);
        radiolink::CloneDownload download(OpenPort(radio.DevicePath()));
        const Ending ending = Drive(download, radiolink::kDownloadTick);
        EXPECT_EQ(ending.state, TransferState::Failed);
        EXPECT_EQ(ending.message, QStringLiteral("Error: Check sum error."));
    }
    {
        SCOPED_TRACE("cancel while the radio is not yet sending");
        simulator::Options options = FastOptions(simulator::Role::Send);
        options.startDelay = 10min;
        SimulatedRadio radio(options, &image);
        radiolink::CloneDownload download(OpenPort(radio.DevicePath()));
        int endings = 0;
        const Ending ending = Drive(download, radiolink::kDownloadTick, [&](TransferDriver& d) {
            QObject::connect(&d, &TransferDriver::ended, [&] { ++endings; });
            QTimer::singleShot(100ms, &d, &TransferDriver::Cancel);
        });
        EXPECT_EQ(ending.state, TransferState::Cancelled);
        EXPECT_EQ(endings, 1);
        EXPECT_EQ(download.Descriptor(), -1);
    }
}
