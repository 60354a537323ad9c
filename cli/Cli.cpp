#include "cli/Cli.h"

#include "document/RadioDocument.h"
#include "settings/RadioText.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <unistd.h>

namespace cli {

namespace {
QString g_commandLine = QStringLiteral("clonara-cli");
int g_outError = 0; // the first error writing stdout

bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

void Write(std::FILE* stream, const QByteArray& bytes) {
    const bool written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()),
                                     stream) == static_cast<size_t>(bytes.size()) &&
                         std::fflush(stream) == 0;
    if (!written && stream == stdout && g_outError == 0)
        g_outError = errno != 0 ? errno : EIO;
}
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
std::vector<Command>& CommandTable() {
    static std::vector<Command> commands;
    return commands;
}
} // namespace

Registrar::Registrar(const char* name, const char* summary, CommandFunction run) {
    CommandTable().push_back({name, summary, run});
}

const std::vector<Command>& Commands() {
    return CommandTable();
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
        std::exit(Finish(0));
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

QString Printable(const QString& text) {
    QString printable = text;
    for (QChar& c : printable) {
        if (IsControl(c.unicode()) && c != QLatin1Char('\n') && c != QLatin1Char('\t'))
            c = QLatin1Char('?');
    }
    return printable;
}

void Out(const QString& text) {
    errno = 0;
    Write(stdout, Printable(text).toUtf8());
}

void Err(const QString& text) {
    Write(stderr, Printable(text).toUtf8());
}

void OutBytes(const QByteArray& bytes) {
    if (::isatty(STDOUT_FILENO)) {
        Out(QString::fromUtf8(bytes));
        return;
    }
    errno = 0;
    Write(stdout, bytes);
}

void ErrProgress(const QString& bar) {
    Write(stderr, '\r' + Printable(bar).toUtf8());
}

bool OutputFailed() {
    errno = 0;
    if (std::fflush(stdout) != 0 && g_outError == 0)
        g_outError = errno != 0 ? errno : EIO;
    return g_outError != 0;
}

bool IsStandardOutput(const QString& path) {
    return path == QLatin1String(kStandardOutput) || path == QLatin1String("/dev/stdout");
}

int Finish(int code) {
    if (!OutputFailed())
        return code;
    Err(QStringLiteral("Error writing standard output:\n%1\n")
            .arg(QString::fromLocal8Bit(std::strerror(g_outError))));
    g_outError = 0;
    return code == 0 ? 1 : code;
}

bool OpenDocument(document::RadioDocument& doc, const QString& path) {
    settings::radiotext::Install();
    if (const auto error = doc.Load(path)) {
        Err(error->text + QLatin1Char('\n'));
        return false;
    }
    return true;
}

bool SaveDocument(document::RadioDocument& doc, const QString& path) {
    settings::radiotext::Install();
    if (const auto error = doc.Save(path)) {
        Err(error->text + QLatin1Char('\n'));
        return false;
    }
    return true;
}

} // namespace cli
