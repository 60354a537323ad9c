// One serial port, opened with the line settings of the radio's clone mode,
// held for exclusive use, with short reads that never wait more than 3 ms.
#pragma once

#include "link/SerialLine.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace radiolink {

// Why a port did not open, with the text shown to the user (caption "Com
// port error").
struct PortError {
    enum class Kind {
        NoPort,       // no device chosen; nothing to show
        NotFound,     // no such device, or not a serial port
        InUse,        // another program holds it
        NoPermission, // the user may not open the device
        Other,        // any other failure
    };
    Kind kind;
    QString text;
};

// The error of an open that failed with the system error number error.
PortError MakePortOpenError(const QString& device, int error);

class SerialPort : public radiolink::SerialLine {
public:
    SerialPort() = default;
    ~SerialPort() override;

    // Stores the device path; does not open.
    void SetPort(const QString& device) { m_device = device; }
    const QString& Port() const { return m_device; }

    // Opens the device with the given line settings (parity and stop-bit
    // codes as the constants in LinkProtocol.h), raw, DTR and RTS on, for
    // exclusive use. An open port is closed first. nullopt on success.
    std::optional<PortError> Open(int baudRate, int parity, int dataBits, int stopBits);
    // Opens at the clone line settings: 19200 baud, 8 data bits, no parity,
    // two stop bits.
    std::optional<PortError> OpenForClone();

    // Drops DTR and RTS, then closes.
    void Close() override;
    bool IsOpen() const { return m_fd >= 0; }

    int Read(std::uint8_t* buffer, int count) override;
    int Write(const std::uint8_t* buffer, int count) override;
    bool WriteByte(std::uint8_t byte) { return Write(&byte, 1) == 1; }
    // One byte, or nullopt when none arrived within 3 ms or the line failed.
    std::optional<std::uint8_t> ReadByte();

    int Descriptor() const override { return m_fd; }
    QString Failure() const override { return m_failure; }

    int BaudRate() const { return m_baudRate; }
    int Parity() const { return m_parity; }
    int DataBits() const { return m_dataBits; }
    int StopBits() const { return m_stopBits; }

private:
    int FailWith(int error);
    int Disconnected();

    std::uint8_t m_dataBits = 8;
    std::uint8_t m_stopBits = 2;
    std::uint8_t m_parity = 0;
    std::uint32_t m_baudRate = 9600;
    QString m_device;
    int m_fd = -1;
    QString m_failure;
};

} // namespace radiolink
