#include "app/CommandLine.h"

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
        const QString word = SwitchWord(argument);
        if (IsEmbedding(word))
            request.mode = StartupRequest::Mode::Embedding;
        else if (!IsRegistration(word))
            request.files << argument;
    }
    return request;
}
