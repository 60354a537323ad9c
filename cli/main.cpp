// clonara-cli: the radio editor's core from the command line.
#include "cli/Cli.h"
#include "outside/RegularFile.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString Usage() {
    QString text =
        QStringLiteral("Usage: clonara-cli COMMAND [ARGUMENTS]\n\n"
                       "Edits Yaesu VX-7 clone images and radio data files without a screen.\n\n"
                       "Commands:\n");
    std::vector<cli::Command> commands = cli::Commands();
    std::sort(commands.begin(), commands.end(), [](const cli::Command& a, const cli::Command& b) {
        return QString::fromLatin1(a.name) < QString::fromLatin1(b.name);
    });
    for (const auto& command : commands)
        text += QStringLiteral("  %1%2\n")
                    .arg(QString::fromLatin1(command.name), -12)
                    .arg(QString::fromLatin1(command.summary));
    text += QStringLiteral("\n'clonara-cli COMMAND --help' describes a command.\n"
                           "Exit status: 0 done, 1 failed, 2 wrong arguments; diff 1 when the "
                           "two differ, import 3 when it skipped lines of the list.\n");
    return text;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("clonara-cli"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tessaly"));
    // "-" for a document or a channel list reads standard input.
    outside::AcceptStandardInput(true);

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments.isEmpty()) {
        cli::Err(Usage());
        return 2;
    }
    const QString name = arguments.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help")) {
        cli::Out(Usage());
        return cli::Finish(0);
    }
    for (const auto& command : cli::Commands()) {
        if (name == QLatin1String(command.name))
            return cli::Finish(command.run(arguments));
    }
    cli::Err(QStringLiteral("Unknown command: %1\n\n").arg(name) + Usage());
    return 2;
}
