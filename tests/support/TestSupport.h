// Helpers shared by the test programs.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <cstdint>
#include <vector>

namespace testing_support {

// Bytes from a text of hexadecimal pairs ("0A 01 02 ...").
std::vector<std::uint8_t> Hex(const char* text);

// The path of a file under tests/data.
QString DataPath(const QString& name);
inline QString DataPath(const char* name) {
    return DataPath(QString::fromLatin1(name));
}

// The lines of a table under tests/data that are neither blank nor comments
// ('#'), each with its tab-separated fields; a field "<empty>" is an empty
// text.
struct DataLine {
    QString text;
    QStringList fields;
};
std::vector<DataLine> DataLines(const char* name);

// Reads / writes a whole file.
QByteArray ReadFile(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);

// The path of one of the project's programs in the build tree.
QString ProgramPath(const char* name);

// Runs clonara-cli as a whole program, with the given standard input,
// standard output file (none: it is read back) and environment. A program
// that has not ended in time is killed and counted a hang: exit code -2.
struct CliResult {
    int exitCode; // -1 when it did not end normally
    QByteArray out;
    QByteArray err;
    std::chrono::steady_clock::duration elapsed{};
};
struct CliOptions {
    QByteArray input;
    QString outputFile;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    int timeoutMs = 60000;
};
CliResult RunCli(const QStringList& arguments, const CliOptions& options = {});
// The same with what it printed as text.
struct CliText {
    int exitCode;
    QString out;
    QString err;
    std::chrono::steady_clock::duration elapsed{};
};
CliText AsText(const CliResult& result);

// 'clonara-cli simulate' running beside a test; its first line of output
// names the radio's device.
class Simulator {
public:
    explicit Simulator(const QStringList& arguments, const QProcessEnvironment& environment =
                                                         QProcessEnvironment::systemEnvironment());
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;
    const QString& Device() const { return m_device; }
    qint64 Pid() const { return m_process.processId(); }
    // Waits for the simulator to end: its exit code and what it said.
    CliResult Finish();

private:
    QProcess m_process;
    QString m_device;
};

// Points the settings store below a plain file, where nothing can be
// written, for as long as it lives.
class UnwritableStore {
public:
    UnwritableStore();
    ~UnwritableStore();
    UnwritableStore(const UnwritableStore&) = delete;
    UnwritableStore& operator=(const UnwritableStore&) = delete;

private:
    QTemporaryDir m_dir;
    QString m_original;
};

} // namespace testing_support
