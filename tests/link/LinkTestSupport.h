// Helpers of the link tests: a test image, a recorded byte stream played as a
// serial line, a pass-through that records what the engine writes to a real
// port, and the radio simulator on its own thread.
#pragma once

#include "link/CloneTransfer.h"
#include "link/SerialPort.h"
#include "simulator/RadioSimulator.h"

#include <QByteArray>

#include <array>
#include <atomic>
#include <deque>
#include <memory>
#include <thread>
#include <vector>

namespace linktest {

using radiolink::Byte;
using Image = std::array<Byte, radiolink::kImageSize>;

// The default image with a pattern over its channel area and bytes that a
// terminal would translate (CR, LF, XON, XOFF, 0xFF) scattered through it;
// checksums made.
Image TestImage();
QByteArray ToBytes(const Image& image);

// A recorded stream from the radio, played back read by read. Each entry is
// what one read finds (an empty entry: a read that finds nothing); a read
// takes at most what it asks for and leaves the rest of the entry for the
// next. After the last entry reads find nothing.
class RecordedLine : public radiolink::SerialLine {
public:
    struct Log {
        std::vector<int> asks;          // the count of every read
        std::vector<QByteArray> writes; // every write
        bool closed = false;
    };

    explicit RecordedLine(std::shared_ptr<Log> log) : m_log(std::move(log)) {}

    void Add(const QByteArray& bytes) { m_script.push_back({bytes, false}); }
    void AddNothing() { m_script.push_back({QByteArray(), false}); }
    // The next read fails, as on a pulled cable.
    void AddFailure() { m_script.push_back({QByteArray(), true}); }

    int Read(std::uint8_t* buffer, int count) override;
    int Write(const std::uint8_t* buffer, int count) override;
    void Close() override { m_log->closed = true; }
    int Descriptor() const override { return -1; }
    QString Failure() const override { return QStringLiteral("The line failed."); }

private:
    struct Entry {
        QByteArray bytes;
        bool failure;
    };
    std::shared_ptr<Log> m_log;
    std::deque<Entry> m_script;
};

// A real port whose writes are recorded on the way through.
class RecordingPort : public radiolink::SerialLine {
public:
    RecordingPort(std::unique_ptr<radiolink::SerialPort> port,
                  std::shared_ptr<std::vector<QByteArray>> writes)
        : m_port(std::move(port)), m_writes(std::move(writes)) {}

    int Read(std::uint8_t* buffer, int count) override { return m_port->Read(buffer, count); }
    int Write(const std::uint8_t* buffer, int count) override;
    void Close() override { m_port->Close(); }
    int Descriptor() const override { return m_port->Descriptor(); }
    QString Failure() const override { return m_port->Failure(); }

private:
    std::unique_ptr<radiolink::SerialPort> m_port;
    std::shared_ptr<std::vector<QByteArray>> m_writes;
};

// The radio simulator playing on its own thread.
class SimulatedRadio {
public:
    enum class Begin { AtOnce, OnStart };
    // A radio that begins at once plays against whatever the computer is
    // doing, opening its port included; one that begins on Start() waits
    // until the test has its port open and set up.
    explicit SimulatedRadio(simulator::Options options, const Image* image = nullptr,
                            Begin begin = Begin::AtOnce);
    ~SimulatedRadio();

    void Start();

    const QString& DevicePath() const { return m_simulator.DevicePath(); }
    // Waits for the simulator to end (or stops it after the given time) and
    // returns its report.
    simulator::Report Finish(std::chrono::milliseconds wait = std::chrono::milliseconds(10000));

private:
    simulator::RadioSimulator m_simulator;
    simulator::Report m_report;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

// Options for a simulator far faster than the line rate.
simulator::Options FastOptions(simulator::Role role);

// Opens a port on the device at the clone settings; fails the test if it
// does not open.
std::unique_ptr<radiolink::SerialPort> OpenPort(const QString& device);

} // namespace linktest
