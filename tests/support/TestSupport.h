// Helpers shared by the test programs.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace testing_support {

// Bytes from a text of hexadecimal pairs ("0A 01 02 ...").
std::vector<std::uint8_t> Hex(const char* text);

// Reads / writes a whole file.
QByteArray ReadFile(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);

// The path of one of the project's programs in the build tree.
QString ProgramPath(const char* name);

} // namespace testing_support
