// A radio in clone mode on a pseudo-terminal: test equipment and a demo for
// anyone without a radio. The computer opens the pseudo-terminal's device
// like a serial port.
//
// The simulator plays the radio's side byte for byte at the line's pace
// (11 bits a byte at 19200 baud, or faster for tests) and echoes every byte
// the computer sends, as the radio's one-wire cable does. All bytes share one
// line, so an echo, an acknowledgement and an image byte each take one byte
// time. It can also misbehave on request.
#pragma once

#include "link/LinkProtocol.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <deque>
#include <optional>
#include <vector>

namespace simulator {

using radiolink::Byte;
using radiolink::Clock;

enum class Role {
    Send,    // the radio sends its image: the computer downloads
    Receive, // the radio takes an image: the computer uploads
};

// Misbehaviour on request, each placed anywhere in the image where it can
// happen. Counts and indexes are image bytes.
struct Faults {
    // Send: noise bytes among the image, before image byte noiseAfter.
    // Receive: garbage on the line, waiting when the computer opens the port
    // (noiseAfter 0) or sent once the radio has taken noiseAfter bytes.
    int noiseBytes = 0;
    int noiseAfter = 0;
    // Send: the checksum byte is one off.
    bool wrongChecksum = false;
    // Receive: the radio answers 0x15 instead of 0x06 where it acknowledges
    // after this many bytes (10 or 18; -1: never).
    int nakAfter = -1;
    // The line falls silent after this many image bytes (-1: never).
    int silenceAfter = -1;
    // This image byte is lost on the line (-1: none). Sending, the computer
    // never sees it; receiving, the radio never sees it and no echo comes.
    int loseByte = -1;
    // The line hangs up (the cable is pulled) after this many image bytes.
    int hangUpAfter = -1;
};

// What the faults do to one image byte on the line, weakest first: where
// several faults meet at one byte the strongest wins.
enum class ByteFate {
    Passes,      // the byte crosses the line
    Lost,        // it never arrives, and no echo comes back
    FallsSilent, // the radio says nothing more from here on
    HangsUp,     // the line hangs up here (the cable is pulled)
};

// The simulator's faults in one table: each one's command-line option and
// help text, where its setting lives in Faults, and, for a fault that strikes
// at an image byte, what happens to that byte.
struct FaultOption {
    const char* option;    // the option's name, without dashes
    const char* valueName; // "N" for a count or a byte index, nullptr for a switch
    const char* help;
    int Faults::*number; // the count or byte index (-1: off), or nullptr
    bool Faults::*flag;  // the switch, or nullptr
    ByteFate fate;       // Passes for faults that strike no image byte
    bool fromThereOn;    // the fate holds from that byte on, not at it alone
    // A switch (no valueName) on a number sets the number to this.
    int whenSwitched = 0;
};
const std::vector<FaultOption>& FaultTable();

// What the faults do to image byte index.
ByteFate FateOf(const Faults& faults, int index);

struct Options {
    Role role = Role::Send;
    // Line time of one byte; zero sends as fast as the pseudo-terminal takes.
    Clock::duration byteTime = radiolink::kByteTime;
    // Every byte reaches the computer this much later than it crossed the
    // line, as with a USB serial adapter that holds bytes back.
    Clock::duration latency = Clock::duration::zero();
    // Send: the time between the computer opening the port and the radio
    // starting (the user pressing the radio's key).
    Clock::duration startDelay = Clock::duration::zero();
    // Once the radio is done, how long to wait for the computer to close.
    Clock::duration linger = std::chrono::seconds(2);
    Faults faults;
};

struct Report {
    // The radio's side of the clone finished.
    bool completed = false;
    // The computer closed the port (or the line was hung up on purpose).
    bool computerClosed = false;
    // Every byte the computer sent, in order.
    QByteArray fromComputer;
    // Receive: the bytes taken as the image (16211 when complete).
    QByteArray image;
    // Send: image bytes handed to the computer.
    int imageBytesSent = 0;
    // When the computer opened the port, and when the radio's last image
    // byte was handed to it.
    std::optional<Clock::time_point> openedAt;
    std::optional<Clock::time_point> lastImageByteAt;
    // A failure of the simulator itself.
    QString error;
};

class RadioSimulator {
public:
    explicit RadioSimulator(Options options);
    ~RadioSimulator();
    RadioSimulator(const RadioSimulator&) = delete;
    RadioSimulator& operator=(const RadioSimulator&) = delete;

    // The image the radio sends (Role::Send): 16211 bytes.
    void SetImage(const Byte* image);

    // Creates the pseudo-terminal. Returns the error text on failure.
    std::optional<QString> Open();
    // The device path the computer opens.
    const QString& DevicePath() const { return m_devicePath; }

    // Plays the radio until its side is done and the computer has closed the
    // port (or the linger time passed), until the computer closes the port
    // early, or until Stop().
    Report Run();
    // Ends Run() from another thread.
    void Stop();

private:
    struct Outgoing {
        Clock::time_point due;
        Byte byte;
        int imageIndex; // -1: not an image byte
        bool hangUp;    // the line hangs up here instead
    };

    Clock::time_point Transmit(Byte byte, Clock::time_point earliest, int imageIndex = -1);
    void HangUpAfterLine(Clock::time_point earliest);
    void OnComputerOpened(Clock::time_point now);
    void SendStretch(int from, int to, Clock::time_point earliest);
    // Ends the radio's side at an image byte whose fate is to hang up or fall
    // silent; false for any other fate.
    bool StopsAt(ByteFate fate, Clock::time_point at);
    void SendGarbage(Clock::time_point earliest);
    // The byte takes its time on the line but never arrives.
    void LoseByte(Clock::time_point at);
    void OnComputerByte(Byte byte, Clock::time_point now);
    void RadioReceives(Byte byte, Clock::time_point at);
    // Writes what is due; false when the line hung up on purpose or the
    // computer went away.
    bool Deliver(Clock::time_point now, bool& blocked);
    void CloseMaster();

    Options m_options;
    std::array<Byte, radiolink::kImageSize> m_image{};
    QString m_devicePath;
    int m_master = -1;
    int m_stop = -1;

    Report m_report;
    std::deque<Outgoing> m_out;
    Clock::time_point m_lineFree{};
    bool m_opened = false;
    bool m_radioDone = false;
    bool m_radioSilent = false;
    std::optional<Clock::time_point> m_startAt;
    std::optional<Clock::time_point> m_doneAt;
    int m_acksReceived = 0;  // send
    int m_imageReceived = 0; // receive: image bytes counted (lost ones included)
};

// Reads an image for the radio to send: a raw image (16211 bytes or more,
// starting with 0x0A) or a radio data file. Returns the error text.
std::optional<QString> LoadImageFile(const QString& path,
                                     std::array<Byte, radiolink::kImageSize>& image);

} // namespace simulator
