// clonara-cli simulate: a radio in clone mode on a pseudo-terminal, for
// trying the transfers and for tests.
#include "cli/Cli.h"
#include "cli/TransferCommand.h"
#include "document/FileSave.h"
#include "document/RadioDataFile.h"
#include "radio/RadioModel.h"
#include "simulator/RadioSimulator.h"

#include <QCommandLineParser>

namespace cli {
namespace {

using simulator::Role;

bool NumberOf(const QCommandLineParser& parser, const QString& name, int& value) {
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    value = parser.value(name).toInt(&ok);
    if (!ok || value < 0) {
        Fail(QStringLiteral("simulate: --%1 needs a whole number of 0 or more.").arg(name));
        return false;
    }
    return true;
}

QString Hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

int RunSimulate(const QStringList& arguments) {
    QCommandLineParser parser;
    const auto opt = [&](const char* name, const char* help, const char* value = nullptr) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help),
                                            value ? QString::fromLatin1(value) : QString()));
    };
    parser.addPositionalArgument(QStringLiteral("send|receive"),
                                 QStringLiteral("send: the radio sends FILE (try a download). "
                                                "receive: the radio takes an image and writes "
                                                "it to OUT (try an upload)."));
    parser.addPositionalArgument(QStringLiteral("FILE|OUT"),
                                 QStringLiteral("Image to send (radio data file or raw image; "
                                                "without it the radio sends the image of a new "
                                                "document), or file for the received image."),
                                 QStringLiteral("[FILE]|OUT"));
    opt("fast", "Send as fast as the pseudo-terminal goes instead of at 19200 baud.");
    opt("speed", "Run the line this many times faster than 19200 baud.", "FACTOR");
    for (const simulator::FaultOption& fault : simulator::FaultTable())
        opt(fault.option, fault.help, fault.valueName);
    opt("latency", "Deliver every byte MS milliseconds late, as some USB adapters do.", "MS");
    opt("start-delay", "send: wait MS milliseconds after the port opens before sending.", "MS");
    if (!Parse(parser, arguments, QStringLiteral("simulate"),
               QStringLiteral("Plays a radio in clone mode on a pseudo-terminal. The first line "
                              "of output is the device to give to 'download' or 'upload' with "
                              "--port. One transfer, then it ends.")) ||
        !ExpectPositionals(parser, 1, 2))
        return kExitUsage;

    const QString mode = parser.positionalArguments().at(0);
    const QString file = parser.positionalArguments().value(1);
    simulator::Options options;
    if (mode == QLatin1String("send")) {
        options.role = Role::Send;
    } else if (mode == QLatin1String("receive") && !file.isEmpty()) {
        options.role = Role::Receive;
        // Refused before the computer is waited for, not after the clone.
        if (const auto error = document::filesave::CheckTarget(file))
            return Fail(error->text);
    } else {
        Err(QStringLiteral("simulate: say send [FILE] or receive OUT.\n\n") + HelpText(parser));
        return kExitUsage;
    }

    int latency = 0;
    int startDelay = 0;
    simulator::Faults& faults = options.faults;
    for (const simulator::FaultOption& fault : simulator::FaultTable()) {
        const QString name = QString::fromLatin1(fault.option);
        if (fault.number != nullptr && fault.valueName != nullptr &&
            !NumberOf(parser, name, faults.*fault.number))
            return kExitUsage;
        if (fault.number != nullptr && fault.valueName == nullptr && parser.isSet(name))
            faults.*fault.number = fault.whenSwitched;
        if (fault.flag != nullptr)
            faults.*fault.flag = parser.isSet(name);
    }
    // The radio answers only at the end of a stretch of the image.
    if (parser.isSet(QStringLiteral("nak-after")) &&
        faults.nakAfter != radio::image::kFirstStretch &&
        faults.nakAfter != radio::image::kSecondStretch) {
        Err(QStringLiteral("simulate: --nak-after takes %1 or %2.\n")
                .arg(radio::image::kFirstStretch)
                .arg(radio::image::kSecondStretch));
        return kExitUsage;
    }
    if (!NumberOf(parser, QStringLiteral("latency"), latency) ||
        !NumberOf(parser, QStringLiteral("start-delay"), startDelay))
        return kExitUsage;
    options.latency = std::chrono::milliseconds(latency);
    options.startDelay = std::chrono::milliseconds(startDelay);
    if (parser.isSet(QStringLiteral("fast"))) {
        options.byteTime = radiolink::Clock::duration::zero();
    } else if (parser.isSet(QStringLiteral("speed"))) {
        bool ok = false;
        const double factor = parser.value(QStringLiteral("speed")).toDouble(&ok);
        if (!ok || factor < 1.0) {
            Fail(QStringLiteral("simulate: --speed needs a factor of 1 or more."));
            return kExitUsage;
        }
        options.byteTime = std::chrono::duration_cast<radiolink::Clock::duration>(
            std::chrono::duration<double, std::nano>(radiolink::kByteTime.count() / factor));
    }

    simulator::RadioSimulator radio(options);
    if (options.role == Role::Send) {
        std::array<radiolink::Byte, radiolink::kImageSize> image = radio::DefaultImage();
        if (!file.isEmpty()) {
            if (const auto error = simulator::LoadImageFile(file, image))
                return Fail(*error);
        }
        // A radio's memory always sums up; a file edited since it was read
        // may not (--wrong-checksum spoils the sum on the line).
        radio::RadioModel::MakeChecksums(image.data());
        radio.SetImage(image.data());
    }
    if (const auto error = radio.Open())
        return Fail(*error);

    // The device first, alone on its line, for scripts and tests.
    Out(radio.DevicePath() + QLatin1Char('\n'));
    if (options.role == Role::Send)
        Err(QStringLiteral("Radio waiting to send. Try: clonara-cli download --port %1 "
                           "--output radio.rdf\n")
                .arg(radio.DevicePath()));
    else
        Err(QStringLiteral("Radio waiting to receive. Try: clonara-cli upload --port %1 "
                           "radio.rdf\n")
                .arg(radio.DevicePath()));

    const simulator::Report report = radio.Run();
    if (!report.error.isEmpty())
        return Fail(report.error);

    const QByteArray& heard = report.fromComputer;
    Err(heard.size() <= 16
            ? QStringLiteral("The computer sent %1 bytes: %2\n").arg(heard.size()).arg(Hex(heard))
            : QStringLiteral("The computer sent %1 bytes.\n").arg(heard.size()));
    if (!report.completed)
        return Fail(QStringLiteral("The clone did not finish."));
    if (options.role == Role::Receive) {
        if (const auto error = document::datafile::WriteFileAtomically(file, report.image))
            return Fail(error->text);
        const bool checksumHolds = radio::RadioModel::ImageChecksumHolds(
            reinterpret_cast<const radiolink::Byte*>(report.image.constData()));
        Err(QStringLiteral("Received %1 bytes into %2%3.\n")
                .arg(report.image.size())
                .arg(file)
                .arg(checksumHolds ? QString() : QStringLiteral(" (its checksum is wrong)")));
    } else {
        Err(QStringLiteral("Sent the image.\n"));
    }
    return 0;
}

const Registrar registrar("simulate", "Play a radio in clone mode on a pseudo-terminal",
                          RunSimulate);

} // namespace
} // namespace cli
