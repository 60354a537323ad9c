// The command-line tool's framework: every command registers itself with a
// name, a one-line summary and a function that takes the command's arguments.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace document {
class RadioDocument;
}
class QCommandLineParser;

namespace cli {

// Every command's exit code for wrong arguments or options.
inline constexpr int kExitUsage = 2;
// import's exit code when some lines of the list were skipped (the others
// were imported and the document saved).
inline constexpr int kExitSkipped = 3;

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

// The text with every control character (C0 and C1, DEL) but line feed and
// tab replaced by '?', so that names read from files cannot drive the
// terminal.
QString Printable(const QString& text);

// Prints to stdout / stderr, control characters replaced (Printable).
// A failure to write stdout is remembered for Finish.
void Out(const QString& text);
void Err(const QString& text);
// Writes bytes to stdout as they are (a channel list written to "-"); on a
// terminal control characters are replaced all the same.
void OutBytes(const QByteArray& bytes);
// Redraws the progress bar on stderr: a carriage return, then the bar.
void ErrProgress(const QString& bar);

// The name that stands for standard output where a command writes a file,
// and for standard input where it reads a document or a channel list.
inline constexpr char kStandardOutput[] = "-";
inline constexpr char kStandardInput[] = "-";
// Whether an output file named path is standard output: "-", or
// "/dev/stdout", which is no file a save could replace (on a pipe it names
// nothing at all).
bool IsStandardOutput(const QString& path);

// The program's exit code for a command that returned code: when writing
// stdout failed, the failure is printed ("Error writing standard
// output:" and the system's reason) and the code is never 0.
int Finish(int code);

// Whether writing stdout has failed so far (stdout is flushed first); the
// failure is still printed by Finish.
bool OutputFailed();

// Opens a radio data file or a raw image into doc; prints the error and
// returns false on failure.
bool OpenDocument(document::RadioDocument& doc, const QString& path);
// Saves doc as a radio data file or raw image by the path's extension;
// prints the error and returns false on failure.
bool SaveDocument(document::RadioDocument& doc, const QString& path);

} // namespace cli
