#include "shell/CommandLine.h"

namespace shell {

namespace {

// The switch word of an argument ("regserver"), or an empty text when the
// argument is not written as a switch.
QString SwitchWord(const QString& argument) {
    QString word;
    if (argument.startsWith(QLatin1String("--")))
        word = argument.mid(2);
    else if (argument.startsWith(QLatin1Char('-')) || argument.startsWith(QLatin1Char('/')))
        word = argument.mid(1);
    return word.toLower();
}

bool IsRegistration(const QString& word) {
    return word == QLatin1String("regserver") || word == QLatin1String("unregserver");
}

bool IsEmbedding(const QString& word) {
    return word == QLatin1String("embedding") || word == QLatin1String("automation");
}

} // namespace

StartupRequest ParseCommandLine(const QStringList& arguments) {
    StartupRequest request;
    if (!arguments.isEmpty()) {
        const QString last = SwitchWord(arguments.last());
        if (last == QLatin1String("regserver")) {
            request.mode = StartupRequest::Mode::RegServer;
            return request;
        }
        if (last == QLatin1String("unregserver")) {
            request.mode = StartupRequest::Mode::UnregServer;
            return request;
        }
    }
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--help")) {
            request.mode = StartupRequest::Mode::Help;
            request.files.clear();
            return request;
        }
        if (argument == QLatin1String("--version")) {
            request.mode = StartupRequest::Mode::Version;
            request.files.clear();
            return request;
        }
    }
    for (const QString& argument : arguments) {
        const QString word = SwitchWord(argument);
        if (IsEmbedding(word))
            request.mode = StartupRequest::Mode::Embedding;
        else if (!IsRegistration(word))
            request.files << argument;
    }
    return request;
}

QString UsageText() {
    return QStringLiteral(
        "Usage: clonara [FILE.rdf...]\n"
        "The desktop editor for the memory of the Yaesu VX-7 and VX-7R.\n"
        "\n"
        "Opens each radio data file named, or a new document when none is named.\n"
        "\n"
        "Options:\n"
        "  --help          print this help and end\n"
        "  --version       print the program's version and end\n"
        "  -RegServer      add the program to the desktop (menu entry, file type)\n"
        "                  and end; it must be the last argument\n"
        "  -UnregServer    remove it from the desktop again and end\n"
        "  -Embedding      run without a window, serving the desktop's object\n"
        "\n"
        "The switches may also be written after \"/\" or \"--\", in any case.\n"
        "The command-line tool clonara-cli transfers, shows and converts images\n"
        "without a window (clonara-cli --help).\n");
}

QString VersionText(const QString& version) {
    return QStringLiteral("clonara %1\n").arg(version);
}

} // namespace shell
