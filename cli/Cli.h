// The command-line tool's framework: every command registers itself with a
// name, a one-line summary and a function that takes the command's arguments.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class CMainDoc;
class QCommandLineParser;

namespace cli {

using CommandFunction = int (*)(const QStringList& arguments);

struct Command {
    const char* name;
    const char* summary;
    CommandFunction run;
};

// Registers a command at start-up; use one static Registrar per command.
struct Registrar {
    Registrar(const char* name, const char* summary, CommandFunction run);
};

const std::vector<Command>& Commands();

// Sets up a parser for a command with --help, its description and its
// positional arguments; processes the arguments. Returns false (after
// printing a message) when the arguments are wrong; exits on --help.
bool Parse(QCommandLineParser& parser, const QStringList& arguments, const QString& command,
           const QString& description);

// The command's help text, naming it as "clonara-cli COMMAND".
QString HelpText(const QCommandLineParser& parser);

// Checks the number of positional arguments; prints usage when wrong.
bool ExpectPositionals(const QCommandLineParser& parser, int min, int max);

// Prints a failure on stderr (the system's own text) and returns the exit code.
int Fail(const QString& message);

// Prints to stdout / stderr.
void Out(const QString& text);
void Err(const QString& text);

// Opens a radio data file or a raw image into doc; prints the error and
// returns false on failure.
bool OpenDocument(CMainDoc& doc, const QString& path);
// Saves doc as a radio data file or raw image by the path's extension;
// prints the error and returns false on failure.
bool SaveDocument(CMainDoc& doc, const QString& path);

} // namespace cli
