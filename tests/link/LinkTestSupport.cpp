#include "LinkTestSupport.h"

#include "radio/RadioModel.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace linktest {

using radiolink::Clock;

Image TestImage() {
    Image image{};
    std::copy(radio::DefaultImage().begin(), radio::DefaultImage().end(), image.begin());
    for (int i = radio::image::kMemories; i < radio::image::kOneTouch; ++i)
        image[static_cast<size_t>(i)] = static_cast<Byte>((i * 7 + 3) & 0xFF);
    const Byte awkward[] = {0x0D, 0x0A, 0x11, 0x13, 0xFF, 0x00, 0x06, 0x15, 0x7F, 0x03};
    for (int i = 0; i < 10; ++i)
        image[static_cast<size_t>(radio::image::kUnused4 + 3 * i)] = awkward[i];
    radio::RadioModel::MakeChecksums(image.data());
    return image;
}

QByteArray ToBytes(const Image& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<int>(image.size()));
}

int RecordedLine::Read(std::uint8_t* buffer, int count) {
    m_log->asks.push_back(count);
    if (m_script.empty())
        return 0;
    Entry& entry = m_script.front();
    if (entry.failure) {
        m_script.pop_front();
        return -1;
    }
    if (entry.bytes.isEmpty()) {
        m_script.pop_front();
        return 0;
    }
    const int n = std::min(count, static_cast<int>(entry.bytes.size()));
    std::copy(entry.bytes.cbegin(), entry.bytes.cbegin() + n, buffer);
    entry.bytes.remove(0, n);
    if (entry.bytes.isEmpty())
        m_script.pop_front();
    return n;
}

int RecordedLine::Write(const std::uint8_t* buffer, int count) {
    m_log->writes.push_back(QByteArray(reinterpret_cast<const char*>(buffer), count));
    return count;
}

int RecordingPort::Write(const std::uint8_t* buffer, int count) {
    m_writes->push_back(QByteArray(reinterpret_cast<const char*>(buffer), count));
    return m_port->Write(buffer, count);
}

SimulatedRadio::SimulatedRadio(simulator::Options options, const Image* image, Begin begin)
    : m_simulator(options) {
    if (image)
        m_simulator.SetImage(image->data());
    const auto error = m_simulator.Open();
    if (error)
        ADD_FAILURE() << error->toStdString();
    if (begin == Begin::AtOnce)
        Start();
}

void SimulatedRadio::Start() {
    if (m_thread.joinable())
        return;
    m_thread = std::thread([this] {
        m_report = m_simulator.Run();
        m_done = true;
    });
}

SimulatedRadio::~SimulatedRadio() {
    if (m_thread.joinable()) {
        m_simulator.Stop();
        m_thread.join();
    }
}

simulator::Report SimulatedRadio::Finish(std::chrono::milliseconds wait) {
    if (!m_thread.joinable())
        return m_report; // never started
    const auto giveUp = std::chrono::steady_clock::now() + wait;
    while (!m_done && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    m_simulator.Stop();
    if (m_thread.joinable())
        m_thread.join();
    return m_report;
}

simulator::Options FastOptions(simulator::Role role) {
    simulator::Options options;
    options.role = role;
    options.byteTime = Clock::duration::zero();
    options.linger = std::chrono::milliseconds(200);
    return options;
}

std::unique_ptr<radiolink::SerialPort> OpenPort(const QString& device) {
    auto port = std::make_unique<radiolink::SerialPort>();
    port->SetPort(device);
    if (const auto error = port->OpenForClone())
        ADD_FAILURE() << "port did not open: " << error->text.toStdString();
    return port;
}

} // namespace linktest
