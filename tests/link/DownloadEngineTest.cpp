// The download engine against recorded streams from the radio: what it keeps,
// what it answers, how much it asks for, and how it ends.
#include "LinkTestSupport.h"

#include "link/CloneDownload.h"

#include <gtest/gtest.h>

using namespace linktest;
using radiolink::Clock;
using radiolink::CloneDownload;
using radiolink::TransferState;
using namespace std::chrono_literals;

namespace {

const QByteArray kAck("\x06", 1);

struct Fixture {
    std::shared_ptr<RecordedLine::Log> log = std::make_shared<RecordedLine::Log>();
    RecordedLine* line = nullptr;
    std::unique_ptr<CloneDownload> download;
    Clock::time_point now = Clock::time_point{} + 1h;

    Fixture() {
        auto recorded = std::make_unique<RecordedLine>(log);
        line = recorded.get();
        download = std::make_unique<CloneDownload>(std::move(recorded));
    }
    // Runs steps, 5 ms apart, until the transfer ends or n steps passed.
    void Run(int n = 100000) {
        for (int i = 0; i < n && download->IsRunning(); ++i) {
            download->Step(now);
            now += 5ms;
        }
    }
    // The whole exchange of a good radio: the three stretches, each echo
    // right behind the computer's acknowledgement.
    void AddImage(const QByteArray& image, const QByteArray& before = QByteArray()) {
        line->Add(before + image.left(10));
        line->Add(kAck);
        line->Add(image.mid(10, 8));
        line->Add(kAck);
        line->Add(image.mid(18));
        line->Add(kAck);
    }
};

} // namespace

TEST(DownloadEngine, GoodStreamsGiveTheWholeImage) {
    const QByteArray image = ToBytes(TestImage());
    struct Case {
        const char* name;
        QByteArray noise;
    };
    const Case cases[] = {
        {"no noise", QByteArray()},
        {"two noise bytes", QByteArray("\x00\xFF", 2)},
        {"noise that looks like an acknowledgement", QByteArray("\x06\x15\x06", 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.AddImage(image, c.noise);
        f.Run();
        ASSERT_EQ(f.download->State(), TransferState::Succeeded)
            << f.download->Message().toStdString();
        EXPECT_EQ(ToBytes(f.download->Image()), image);
        EXPECT_EQ(f.download->Position(), radiolink::kImageSize);
        // Exactly three acknowledgements, single bytes, one per stretch.
        EXPECT_EQ(f.log->writes, std::vector<QByteArray>(3, kAck));
        EXPECT_EQ(f.download->AcksSent(), 3);
        EXPECT_TRUE(f.log->closed);
    }
}

TEST(DownloadEngine, LeadingNoiseIsDroppedFromEachRead) {
    const QByteArray image = ToBytes(TestImage());
    struct Case {
        const char* name;
        QByteArray read;
        int position;
    };
    const Case cases[] = {
        {"7 bytes of which 3 are noise", QByteArray("\x01\x02\x03", 3) + image.left(4), 4},
        {"only noise", QByteArray("\x00\xFF\x55\xAA", 4), 0},
        {"the image's first byte alone", image.left(1), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.line->Add(c.read);
        f.download->Step(f.now);
        EXPECT_EQ(f.download->Position(), c.position);
        if (c.position > 0) {
            EXPECT_EQ(f.download->Image()[0], radiolink::kFirstImageByte);
        }
        EXPECT_TRUE(f.log->writes.empty());
    }
}

TEST(DownloadEngine, ReadsStopAtGroupsAndAtEveryPlaceTheRadioWaits) {
    const QByteArray image = ToBytes(TestImage());
    Fixture f;
    // The radio's bytes arrive faster than they are read.
    f.line->Add(image.left(10));
    f.line->Add(kAck);
    f.line->Add(image.mid(10, 8));
    f.line->Add(kAck);
    f.line->Add(image.mid(18));
    f.line->Add(kAck);
    f.Run();
    ASSERT_EQ(f.download->State(), TransferState::Succeeded);
    // Replay the asks against the protocol: position and group count as the
    // engine must have had them.
    int position = 0;
    int group = 0;
    bool echo = false;
    for (int ask : f.log->asks) {
        if (echo) {
            EXPECT_EQ(ask, 1);
            echo = false;
            group = 0;
            continue;
        }
        EXPECT_LE(ask, radiolink::kGroupSize - group);
        EXPECT_LE(ask, radiolink::NextAckBoundary(position) - position) << "at " << position;
        position += ask; // the recorded stream always has enough
        group += ask;
        if (radiolink::IsAckBoundary(position)) {
            echo = true;
            group = 0;
        } else if (group == radiolink::kGroupSize) {
            group = 0;
        }
    }
    EXPECT_EQ(position, radiolink::kImageSize);
}

TEST(DownloadEngine, LateEchoIsAwaitedNotTakenForImageData) {
    const QByteArray image = ToBytes(TestImage());
    Fixture f;
    f.line->Add(image.left(10));
    // The adapter holds the echo back for a while: reads find nothing.
    for (int i = 0; i < 20; ++i)
        f.line->AddNothing();
    f.line->Add(kAck + image.mid(10, 8));
    for (int i = 0; i < 5; ++i)
        f.line->AddNothing();
    f.line->Add(kAck + image.mid(18));
    for (int i = 0; i < 50; ++i)
        f.line->AddNothing();
    f.line->Add(kAck);
    f.Run();
    ASSERT_EQ(f.download->State(), TransferState::Succeeded) << f.download->Message().toStdString();
    EXPECT_EQ(ToBytes(f.download->Image()), image);
}

TEST(DownloadEngine, EchoReplacedByAnotherByte) {
    const QByteArray image = ToBytes(TestImage());
    {
        SCOPED_TRACE("after the first stretch the byte is dropped and the wait ends");
        Fixture f;
        f.line->Add(image.left(10));
        f.line->Add(QByteArray("\x55", 1) + image.mid(10, 8));
        f.download->Step(f.now); // 10 bytes, 0x06 written
        f.download->Step(f.now); // the echo: 0x55, dropped
        EXPECT_FALSE(f.download->WaitingForEcho());
        EXPECT_EQ(f.download->Position(), 10);
        f.download->Step(f.now);
        EXPECT_EQ(f.download->Position(), 18);
    }
    {
        SCOPED_TRACE("after the last stretch the whole image is checked");
        Fixture g;
        g.line->Add(image.left(10));
        g.line->Add(kAck);
        g.line->Add(image.mid(10, 8));
        g.line->Add(kAck);
        g.line->Add(image.mid(18));
        g.line->Add(QByteArray("\xF0", 1)); // instead of the echo
        g.Run();
        EXPECT_EQ(g.download->State(), TransferState::Succeeded);
        EXPECT_EQ(ToBytes(g.download->Image()), image);
    }
}

TEST(DownloadEngine, SilenceWatchdog) {
    const QByteArray image = ToBytes(TestImage());
    {
        SCOPED_TRACE("before the radio's first byte the download waits for the user");
        Fixture f;
        f.download->Step(f.now);
        f.now += 1h;
        f.download->Step(f.now);
        EXPECT_TRUE(f.download->IsRunning());
        EXPECT_FALSE(f.download->NextDeadline().has_value());
    }
    {
        SCOPED_TRACE("after it, five silent seconds end the transfer");
        Fixture f;
        f.line->Add(image.left(10));
        f.line->Add(kAck + image.mid(10, 8));
        f.line->Add(kAck + image.mid(18, 500));
        f.Run(50);
        ASSERT_TRUE(f.download->IsRunning());
        const auto deadline = f.download->NextDeadline();
        ASSERT_TRUE(deadline.has_value());
        f.download->Step(*deadline - 1ms);
        EXPECT_TRUE(f.download->IsRunning());
        f.download->Step(*deadline);
        EXPECT_EQ(f.download->State(), TransferState::Failed);
        EXPECT_EQ(f.download->Message(), QStringLiteral("Communication timeout"));
        EXPECT_TRUE(f.log->closed);
    }
    {
        SCOPED_TRACE("a late echo does not outlast the watchdog");
        Fixture f;
        f.line->Add(image.left(10));
        f.download->Step(f.now);
        ASSERT_TRUE(f.download->WaitingForEcho());
        f.download->Step(f.now + 4999ms);
        EXPECT_TRUE(f.download->IsRunning());
        f.download->Step(f.now + 5s);
        EXPECT_EQ(f.download->Message(), QStringLiteral("Communication timeout"));
    }
}

TEST(DownloadEngine, CancelAndLineFailureEndAtOnce) {
    const QByteArray image = ToBytes(TestImage());
    {
        SCOPED_TRACE("cancel");
        Fixture f;
        f.line->Add(image.left(10));
        f.line->Add(kAck + image.mid(10, 8));
        f.Run(3);
        ASSERT_GT(f.download->Position(), 0);
        f.download->Cancel();
        EXPECT_EQ(f.download->State(), TransferState::Cancelled);
        EXPECT_EQ(ToBytes(f.download->Image()), QByteArray(radiolink::kImageSize, '\0'));
        EXPECT_TRUE(f.log->closed);
        f.download->Step(f.now); // nothing more happens
        EXPECT_EQ(f.download->State(), TransferState::Cancelled);
    }
    {
        SCOPED_TRACE("the line fails");
        Fixture f;
        f.line->Add(image.left(5));
        f.line->AddFailure();
        f.Run();
        EXPECT_EQ(f.download->State(), TransferState::Failed);
        EXPECT_EQ(f.download->Message(), QStringLiteral("The line failed."));
        EXPECT_TRUE(f.log->closed);
    }
}
