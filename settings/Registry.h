// The program's configuration store: the program key at the top level and
// the settings key as the group "Settings", in the user's config directory
// (~/.config/Tessaly/Clonara.ini). Tests point QSettings at a temporary
// directory before they touch it.
#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace reg {

constexpr const char* kOrganization = "Tessaly";
constexpr const char* kApplication = "Clonara";
constexpr const char* kSettingsGroup = "Settings";

// Value names under the settings key.
constexpr const char* kConfiguration = "Configuration";   // 18-byte radio header
constexpr const char* kConfiguration1 = "Configuration1"; // its sum modulo 256
constexpr const char* kComPort = "ComPort";               // remembered serial device
constexpr const char* kColumns = "Columns";
constexpr const char* kShowGuides = "ShowGuides";
constexpr const char* kSettingDir = "SettingDir";
constexpr const char* kCurrentSettingFile = "Current Setting File";

constexpr const char* kCannotCreateKey = "Could not create the registry key.";

// The program key (the whole store).
std::unique_ptr<QSettings> OpenProgramKey();
// The settings key: the store with the group "Settings" begun.
std::unique_ptr<QSettings> OpenSettingsKey();
// Writes pending values and tells whether the store could be written.
bool Flush(QSettings& settings);

} // namespace reg
