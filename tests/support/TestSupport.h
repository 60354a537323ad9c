// Helpers shared by the test programs.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

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

// Reads / writes a whole file.
QByteArray ReadFile(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);

// The path of one of the project's programs in the build tree.
QString ProgramPath(const char* name);

// Runs clonara-cli as a whole program.
struct CliResult {
    int exitCode; // -1 when it did not end normally
    QByteArray out;
    QByteArray err;
};
CliResult RunCli(const QStringList& arguments);

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
