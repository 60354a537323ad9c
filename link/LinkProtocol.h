// The clone protocol in one place: line settings, the bytes the radio and the
// computer exchange, where the radio waits for an acknowledgement, the pacing
// of both transfers, and the texts a transfer ends with.
//
// Seen from the line, a download goes: the radio sends bytes 0 to 9 and waits;
// the computer answers 0x06; bytes 10 to 17, 0x06; bytes 18 to 16210 without a
// pause; 0x06 once more. An upload is the mirror image, with the computer
// sending blocks of 10 and 8 bytes that the radio answers with 0x06, then 64
// bytes at a time, each block 50 ms after the echo of the one before, and the
// checksum byte last. The cable joins the computer's transmit and receive
// lines, so every byte the computer sends comes back to it as an echo.
#pragma once

#include "radio/ImageLayout.h"

#include <array>
#include <chrono>
#include <cstdint>

namespace radiolink {

using Byte = std::uint8_t;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// --- Line settings -----------------------------------------------------------
constexpr int kBaudRate = 19200;
constexpr int kParityNone = 0; // parity codes: 0 none, 1 odd, 2 even, 3 mark, 4 space
constexpr int kDataBits = 8;
constexpr int kStopBitsTwo = 2; // stop-bit codes: 0 one, 1 one and a half, 2 two
// One byte on the line: start bit, 8 data bits, 2 stop bits.
constexpr int kBitsPerByte = 11;
constexpr std::chrono::nanoseconds kByteTime{1'000'000'000LL * kBitsPerByte / kBaudRate};

// A read waits at most this long for its first byte.
constexpr auto kReadWait = 3ms;
// A write that the driver does not take for this long has failed; the bytes
// of one block always fit into its queue.
constexpr auto kWriteStall = 2s;

// --- Bytes of the protocol ---------------------------------------------------
constexpr Byte kAck = 0x06;
constexpr Byte kNak = 0x15;
constexpr Byte kFirstImageByte = 0x0A;

constexpr int kImageSize = radio::image::kSize;
// The radio waits for an acknowledgement after these many bytes.
constexpr std::array<int, 3> kAckBoundaries = {radio::image::kFirstStretch,
                                               radio::image::kSecondStretch, kImageSize};

constexpr bool IsAckBoundary(int position) {
    for (int boundary : kAckBoundaries) {
        if (position == boundary)
            return true;
    }
    return false;
}

// The first boundary after position (kImageSize at the end).
constexpr int NextAckBoundary(int position) {
    for (int boundary : kAckBoundaries) {
        if (position < boundary)
            return boundary;
    }
    return kImageSize;
}

// --- Download ------------------------------------------------------------------
// The download dialog steps every 5 ms and reads at most one group of 64
// bytes per step.
constexpr auto kDownloadTick = 5ms;
constexpr int kGroupSize = 64;

// --- Upload ------------------------------------------------------------------
constexpr auto kUploadTick = 20ms;
constexpr auto kBlockPause = 50ms;                       // before every block
constexpr int kFirstBlock = radio::image::kFirstStretch; // 10
constexpr int kSecondBlock = radio::image::kSecondStretch - radio::image::kFirstStretch; // 8
constexpr int kBlockSize = 64;
constexpr int kBlockCount = 256; // 10, 8, 253 x 64 and the checksum byte

// The length of the block that starts at position.
constexpr int BlockLengthAt(int position) {
    if (position == 0)
        return kFirstBlock;
    if (position == kFirstBlock)
        return kSecondBlock;
    return kImageSize - position < kBlockSize ? kImageSize - position : kBlockSize;
}

// Bytes drained at most before the first block: the size of a driver's
// receive queue.
constexpr int kDrainLimit = 8192;

// The shortest an upload can take: every pause plus the line time of the image.
constexpr std::chrono::nanoseconds kUploadFloor =
    kBlockPause * kBlockCount + kByteTime * kImageSize;

// --- Silence watchdog --------------------------------------------------------
// Once bytes flow, a line silent for this long ends the transfer.
constexpr auto kSilenceLimit = 5s;

// --- Texts a transfer ends with ------------------------------------------------
constexpr const char* kChecksumError = "Error: Check sum error.";
constexpr const char* kCommError = "Comm Error";
constexpr const char* kCommErrorCaption = "Error";
constexpr const char* kCommunicationTimeout = "Communication timeout";
constexpr const char* kComPortErrorCaption = "Com port error";
constexpr const char* kIoErrorCaption = "Error";

static_assert(kFirstBlock + kSecondBlock + 253 * kBlockSize + 1 == kImageSize,
              "the blocks cover the image");
static_assert(kByteTime.count() == 572916, "11 bits at 19200 baud");

} // namespace radiolink
