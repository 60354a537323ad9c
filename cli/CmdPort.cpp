// clonara-cli port: shows or sets the remembered serial port.
#include "cli/Cli.h"
#include "cli/TransferCommand.h"
#include "settings/ComPortSetting.h"

#include <QCommandLineParser>

namespace cli {
namespace {

int RunPort(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption forget(QStringLiteral("forget"),
                                    QStringLiteral("Forget the remembered port."));
    parser.addOption(forget);
    parser.addPositionalArgument(QStringLiteral("DEVICE"),
                                 QStringLiteral("Serial device to remember, such as "
                                                "/dev/ttyUSB0."),
                                 QStringLiteral("[DEVICE]"));
    if (!Parse(parser, arguments, QStringLiteral("port"),
               QStringLiteral("Shows the serial port that download and upload use when no "
                              "--port is given, or remembers a new one.")) ||
        !ExpectPositionals(parser, 0, 1))
        return kExitUsage;

    const QStringList positionals = parser.positionalArguments();
    if (parser.isSet(forget) || !positionals.isEmpty()) {
        const QString device = parser.isSet(forget) ? QString() : positionals.front();
        if (!settings::RememberComPort(device))
            return Fail(QStringLiteral("Could not create the registry key."));
    }
    const QString remembered = settings::StoredPort();
    Out(remembered.isEmpty() ? QStringLiteral("No port is remembered.\n")
                             : remembered + QLatin1Char('\n'));
    return 0;
}

const Registrar registrar("port", "Show or remember the radio's serial port", RunPort);

} // namespace
} // namespace cli
