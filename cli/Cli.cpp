#include "cli/Cli.h"

#include "document/CMainDoc.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace cli {

namespace {
QString g_commandLine = QStringLiteral("clonara-cli");
} // namespace

// The parser's help names the program by its path; name the command instead.
QString HelpText(const QCommandLineParser& parser) {
    QString text = parser.helpText();
    const QString program = QCoreApplication::arguments().value(0);
    if (!program.isEmpty())
        text.replace(text.indexOf(program), program.size(), g_commandLine);
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    return text;
}

namespace {
std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}
} // namespace

Registrar::Registrar(const char* name, const char* summary, CommandFunction run) {
    Registry().push_back({name, summary, run});
}

const std::vector<Command>& Commands() {
    return Registry();
}

bool Parse(QCommandLineParser& parser, const QStringList& arguments, const QString& command,
           const QString& description) {
    g_commandLine = QStringLiteral("clonara-cli ") + command;
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    QStringList args = arguments;
    args.prepend(QStringLiteral("clonara-cli ") + command);
    if (!parser.parse(args)) {
        Err(parser.errorText() + QLatin1Char('\n'));
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        Out(HelpText(parser));
        std::exit(0);
    }
    return true;
}

bool ExpectPositionals(const QCommandLineParser& parser, int min, int max) {
    const int n = static_cast<int>(parser.positionalArguments().size());
    if (n >= min && n <= max)
        return true;
    Err(HelpText(parser));
    return false;
}

int Fail(const QString& message) {
    Err(message + QLatin1Char('\n'));
    return 1;
}

void Out(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

void Err(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

bool OpenDocument(CMainDoc& doc, const QString& path) {
    if (const auto error = doc.OnOpenDocument(path)) {
        Err(error->text + QLatin1Char('\n'));
        return false;
    }
    return true;
}

bool SaveDocument(CMainDoc& doc, const QString& path) {
    if (const auto error = doc.OnSaveDocument(path)) {
        Err(error->text + QLatin1Char('\n'));
        return false;
    }
    return true;
}

} // namespace cli
