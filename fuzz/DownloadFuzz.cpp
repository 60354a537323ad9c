// The clone download fed arbitrary streams from the line. The first input
// byte shapes the line: bit 0 set makes the line fail once the stream is
// used up (else it falls silent), the other bits give the largest read
// (1 to 128 bytes). The rest is what the radio sends.
//
// Whatever arrives, the engine acknowledges with single 0x06 bytes, at most
// three times; it succeeds only with a whole image whose checksum holds, and
// keeps nothing of an image when it fails or is cancelled.
#include "fuzz/FuzzSupport.h"

#include "link/CloneDownload.h"
#include "radio/RadioModel.h"

#include <algorithm>
#include <cstring>

using radiolink::Clock;
using radiolink::TransferState;
using namespace std::chrono_literals;

namespace {

class StreamLine : public radiolink::SerialLine {
public:
    StreamLine(const std::uint8_t* data, std::size_t size, bool failAtEnd, int largestRead)
        : m_data(data), m_size(size), m_failAtEnd(failAtEnd), m_largestRead(largestRead) {}

    int Read(std::uint8_t* buffer, int count) override {
        if (m_closed)
            fuzzing::Broken("a read after the line was closed");
        if (m_pos == m_size)
            return m_failAtEnd ? -1 : 0;
        const std::size_t n = std::min({static_cast<std::size_t>(std::max(count, 0)),
                                        static_cast<std::size_t>(m_largestRead), m_size - m_pos});
        std::memcpy(buffer, m_data + m_pos, n);
        m_pos += n;
        return static_cast<int>(n);
    }
    int Write(const std::uint8_t* buffer, int count) override {
        if (m_closed)
            fuzzing::Broken("a write after the line was closed");
        for (int i = 0; i < count; ++i)
            if (buffer[i] != radiolink::kAck)
                fuzzing::Broken("the download wrote something other than 0x06");
        m_written += count;
        return count;
    }
    void Close() override { m_closed = true; }
    int Descriptor() const override { return -1; }
    QString Failure() const override { return QStringLiteral("The line failed."); }

    bool UsedUp() const { return m_pos == m_size; }
    bool Closed() const { return m_closed; }
    int Written() const { return m_written; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_failAtEnd;
    int m_largestRead;
    bool m_closed = false;
    int m_written = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    auto owned =
        std::make_unique<StreamLine>(data + 1, size - 1, (data[0] & 1) != 0, 1 + (data[0] >> 1));
    StreamLine* line = owned.get();
    radiolink::CloneDownload download(std::move(owned));

    // Steps 5 ms apart while bytes come; once the stream is used up, time
    // runs on in seconds so that the watchdog ends it. A download that has
    // seen no image byte waits for the user, who cancels.
    Clock::time_point now = Clock::time_point{} + 1h;
    const std::size_t steps = size + 64;
    for (std::size_t i = 0; i < steps && download.IsRunning(); ++i) {
        download.Step(now);
        now += line->UsedUp() ? 1s : 5ms;
    }
    for (int i = 0; i < 16 && download.IsRunning(); ++i) {
        download.Step(now);
        now += 1s;
    }
    if (download.IsRunning())
        download.Cancel();

    if (line->Written() > 3 || download.AcksSent() != line->Written())
        fuzzing::Broken("more acknowledgements than the radio waits for");
    if (!line->Closed())
        fuzzing::Broken("the line was left open");
    const auto& image = download.Image();
    switch (download.State()) {
    case TransferState::Succeeded:
        if (download.Position() != radiolink::kImageSize || download.AcksSent() != 3 ||
            image[0] != radiolink::kFirstImageByte ||
            !radio::RadioModel::ImageChecksumHolds(image.data()))
            fuzzing::Broken("a download succeeded without a whole, checked image");
        break;
    case TransferState::Failed:
        if (download.Message().isEmpty())
            fuzzing::Broken("a download failed without a message");
        [[fallthrough]];
    case TransferState::Cancelled:
        if (std::any_of(image.begin(), image.end(), [](auto b) { return b != 0; }))
            fuzzing::Broken("a download that did not succeed kept image bytes");
        break;
    case TransferState::Running:
        fuzzing::Broken("a download still running after it was cancelled");
    }
    return 0;
}
