// The remembered serial port: a device path kept in the settings store's group "Settings", so
// that the next transfer finds the port the user chose last.
#pragma once

#include <QString>

namespace settings {

// The remembered device path, or an empty text when none is remembered.
QString StoredPort();

// Remembers a device path (an empty path forgets it). False when the
// settings store cannot be written.
bool RememberComPort(const QString& device);

} // namespace settings
