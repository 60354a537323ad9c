// What the download and upload commands share: choosing and opening the
// port, progress on stderr, and Ctrl+C as the Cancel button.
#pragma once

#include "cli/Cli.h"
#include "link/CloneTransfer.h"
#include "link/SerialPort.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

#include <memory>

namespace cli {

// Exit code of a transfer cancelled with Ctrl+C.
constexpr int kExitCancelled = 130;

// The --port option.
QCommandLineOption PortOption();

// The device of --port, else the remembered one. Prints a message and
// returns an empty text when there is none.
QString ChooseDevice(const QCommandLineParser& parser);

// Opens the device at the clone line settings; prints the port's message
// and returns nullptr when it does not open.
std::unique_ptr<radiolink::SerialPort> OpenTransferPort(const QString& device);

// Runs the transfer to its end with progress on stderr (a bar on a
// terminal, a few plain lines otherwise); Ctrl+C or SIGTERM cancel it.
radiolink::TransferState RunWithProgress(radiolink::CloneTransfer& transfer, const QString& verb);

} // namespace cli
