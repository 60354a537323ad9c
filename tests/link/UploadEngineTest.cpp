// The upload engine step by step, with the test playing the radio's side
// from what the engine writes and a clock the test moves.
#include "LinkTestSupport.h"

#include "link/CloneUpload.h"

#include <gtest/gtest.h>

using namespace linktest;
using radiolink::Clock;
using radiolink::CloneUpload;
using radiolink::TransferState;
using namespace std::chrono_literals;

namespace {

const QByteArray kAck("\x06", 1);
const QByteArray kNak("\x15", 1);

struct Fixture {
    std::shared_ptr<RecordedLine::Log> log = std::make_shared<RecordedLine::Log>();
    RecordedLine* line = nullptr;
    std::unique_ptr<CloneUpload> upload;
    Image image = TestImage();
    Clock::time_point now = Clock::time_point{} + 1h;
    // When each write happened and when the echo of each block was complete.
    std::vector<Clock::time_point> writeTimes;
    size_t answered = 0;
    int sent = 0;
    bool nakFirst = false;

    Fixture() {
        auto recorded = std::make_unique<RecordedLine>(log);
        line = recorded.get();
        upload = std::make_unique<CloneUpload>(std::move(recorded), image.data());
    }

    // The radio: echoes every new write at once and answers the 10- and the
    // 8-byte block.
    void Answer() {
        while (answered < log->writes.size()) {
            const QByteArray& block = log->writes[answered++];
            writeTimes.push_back(now);
            line->Add(block);
            sent += static_cast<int>(block.size());
            if (sent == 10)
                line->Add(nakFirst ? kNak : kAck);
            else if (sent == 18)
                line->Add(kAck);
        }
    }

    // Steps every millisecond, as the fastest caller would.
    void Run(Clock::duration limit = 60s) {
        const auto end = now + limit;
        while (upload->IsRunning() && now < end) {
            upload->Step(now);
            Answer();
            now += 1ms;
        }
    }
};

} // namespace

TEST(UploadEngine, BlocksOfTenEightSixtyFourAndOneEachAfterItsPause) {
    Fixture f;
    f.upload->Start(f.now);
    const auto started = f.now;
    EXPECT_EQ(f.upload->NextDeadline(), started + 50ms);
    f.Run();
    ASSERT_EQ(f.upload->State(), TransferState::Succeeded) << f.upload->Message().toStdString();

    // The blocks' sizes and bytes on a real line are the end-to-end test's.
    EXPECT_EQ(f.log->writes[2].size(), 64);
    EXPECT_EQ(ToBytes(f.upload->Echo()), ToBytes(f.image));
    EXPECT_EQ(f.upload->Position(), radiolink::kImageSize);
    EXPECT_TRUE(f.log->closed);

    // The echo here is complete one step after each write, so every block
    // goes out exactly 50 ms (+ the step that read the echo or answer) after
    // the previous one: no tick is lost waiting.
    ASSERT_EQ(f.writeTimes.size(), 256u);
    EXPECT_EQ(f.writeTimes[0], started + 50ms);
    for (size_t i = 1; i < f.writeTimes.size(); ++i) {
        const auto gap = f.writeTimes[i] - f.writeTimes[i - 1];
        const bool header = i <= 2; // after the 10- and 8-byte blocks the answer is read too
        EXPECT_EQ(gap, header ? 52ms : 51ms) << "block " << i;
    }
}

TEST(UploadEngine, RadioAnswers) {
    {
        SCOPED_TRACE("0x15 after the first block ends with Comm Error");
        Fixture f;
        f.nakFirst = true;
        f.upload->Start(f.now);
        f.Run();
        EXPECT_EQ(f.upload->State(), TransferState::Failed);
        EXPECT_EQ(f.upload->Message(), QStringLiteral("Comm Error"));
        EXPECT_EQ(f.log->writes.size(), 1u);
        EXPECT_TRUE(f.log->closed);
    }
    {
        SCOPED_TRACE("other bytes while the answer is awaited are passed over");
        Fixture f;
        f.upload->Start(f.now);
        f.now += 50ms;
        f.upload->Step(f.now); // first block
        ASSERT_EQ(f.log->writes.size(), 1u);
        f.line->Add(f.log->writes[0]);
        f.upload->Step(f.now); // its echo
        ASSERT_TRUE(f.upload->WaitingForAck());
        f.line->Add(QByteArray("\x55\x0A\x00", 3));
        for (int i = 0; i < 5; ++i)
            f.upload->Step(f.now);
        EXPECT_TRUE(f.upload->WaitingForAck());
        f.line->Add(kAck);
        f.upload->Step(f.now);
        EXPECT_FALSE(f.upload->WaitingForAck());
        EXPECT_EQ(f.upload->BlockLength(), 8);
    }
}

TEST(UploadEngine, GarbageBeforeTheFirstBlockIsNotTakenForItsEcho) {
    const QByteArray garbage("\x0A\x00\xFF\x06\x55\x0A\x15", 7);
    {
        SCOPED_TRACE("waiting when the transfer starts");
        Fixture f;
        f.line->Add(garbage);
        f.upload->Start(f.now);
        f.Run();
        ASSERT_EQ(f.upload->State(), TransferState::Succeeded);
        EXPECT_EQ(ToBytes(f.upload->Echo()), ToBytes(f.image));
    }
    {
        SCOPED_TRACE("arriving during the first pause");
        Fixture f;
        f.upload->Start(f.now);
        f.line->Add(garbage);
        EXPECT_TRUE(f.upload->WantsInput());
        f.Run();
        ASSERT_EQ(f.upload->State(), TransferState::Succeeded);
        EXPECT_EQ(ToBytes(f.upload->Echo()), ToBytes(f.image));
    }
    {
        SCOPED_TRACE("in front of the echo of the first block");
        Fixture f;
        f.upload->Start(f.now);
        f.now += 50ms;
        f.upload->Step(f.now);
        f.line->Add(QByteArray("\x00\xFF", 2) + f.log->writes[0]);
        f.upload->Step(f.now);
        EXPECT_EQ(f.upload->Position(), 10);
        EXPECT_EQ(ToBytes(f.upload->Echo()).left(10), ToBytes(f.image).left(10));
    }
}

TEST(UploadEngine, SilenceWatchdogAndCancel) {
    {
        SCOPED_TRACE("nothing is due before the start");
        Fixture f;
        EXPECT_FALSE(f.upload->NextDeadline().has_value());
        EXPECT_FALSE(f.upload->WantsInput());
        f.upload->Step(f.now + 1h);
        EXPECT_TRUE(f.upload->IsRunning());
        EXPECT_TRUE(f.log->writes.empty());
    }
    {
        SCOPED_TRACE("no echo for five seconds after a block");
        Fixture f;
        f.upload->Start(f.now);
        f.now += 50ms;
        f.upload->Step(f.now);
        ASSERT_EQ(f.log->writes.size(), 1u);
        ASSERT_EQ(f.upload->NextDeadline(), f.now + 5s);
        f.upload->Step(f.now + 4999ms);
        EXPECT_TRUE(f.upload->IsRunning());
        f.upload->Step(f.now + 5s);
        EXPECT_EQ(f.upload->State(), TransferState::Failed);
        EXPECT_EQ(f.upload->Message(), QStringLiteral("Communication timeout"));
        EXPECT_TRUE(f.log->closed);
    }
    {
        SCOPED_TRACE("the radio never answers the header block");
        Fixture f;
        f.upload->Start(f.now);
        f.now += 50ms;
        f.upload->Step(f.now);
        f.line->Add(f.log->writes[0]);
        f.upload->Step(f.now);
        ASSERT_TRUE(f.upload->WaitingForAck());
        f.upload->Step(f.now + 5s);
        EXPECT_EQ(f.upload->Message(), QStringLiteral("Communication timeout"));
    }
    {
        SCOPED_TRACE("cancel during a pause");
        Fixture f;
        f.upload->Start(f.now);
        f.upload->Cancel();
        EXPECT_EQ(f.upload->State(), TransferState::Cancelled);
        EXPECT_TRUE(f.log->closed);
        f.upload->Step(f.now + 1s);
        EXPECT_TRUE(f.log->writes.empty());
    }
}
