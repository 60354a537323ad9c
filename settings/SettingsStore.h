// The program's settings store: the program's own values at the top level
// and the radio-related ones in the group "Settings", in the user's config directory
// (~/.config/Tessaly/Clonara.ini). Tests point QSettings at a temporary
// directory before they touch it.
#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace settings {

constexpr const char* kOrganization = "Tessaly";
constexpr const char* kApplication = "Clonara";
constexpr const char* kSettingsGroup = "Settings";

// Value names in the group "Settings".
constexpr const char* kConfiguration = "Configuration";   // 18-byte radio header
constexpr const char* kConfiguration1 = "Configuration1"; // its sum modulo 256
constexpr const char* kComPort = "ComPort";               // remembered serial device
constexpr const char* kColumns = "Columns";
constexpr const char* kShowGuides = "ShowGuides";
constexpr const char* kSettingDir = "SettingDir";
constexpr const char* kCurrentSettingFile = "Current Setting File";

// The store could not be written or read. The text is the one the program has
// always shown, kept word for word.
constexpr const char* kCannotWriteStore = "Could not create the registry key.";

// The whole store.
std::unique_ptr<QSettings> OpenStore();
// The store with the group "Settings" begun.
std::unique_ptr<QSettings> OpenSettingsGroup();
// Writes pending values and tells whether the store could be written.
bool Flush(QSettings& store);

} // namespace settings
