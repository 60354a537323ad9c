// What the transfers need of a serial line. SerialPort is the real one; engine
// tests replay recorded byte streams through the same interface.
#pragma once

#include <QString>

#include <cstdint>

namespace radiolink {

class SerialLine {
public:
    SerialLine() = default;
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;
    virtual ~SerialLine() = default;

    // Takes what has arrived, up to count bytes, waiting at most 3 ms for a
    // first byte. Returns the number of bytes (0: nothing came), or -1 when
    // the line failed; Failure() then tells why.
    virtual int Read(std::uint8_t* buffer, int count) = 0;
    // Writes all count bytes. Returns count, or -1 when the line failed.
    virtual int Write(const std::uint8_t* buffer, int count) = 0;
    // Ends the use of the line (a port drops DTR and RTS and closes).
    virtual void Close() = 0;
    // The file descriptor to watch for incoming bytes, or -1.
    virtual int Descriptor() const = 0;
    // The text of the last failure, for the user.
    virtual QString Failure() const = 0;
};

} // namespace radiolink
