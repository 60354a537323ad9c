// Desktop integration, written and removed by the RegServer and UnregServer
// switches: a desktop entry, the MIME type of radio data files and a D-Bus
// service entry for the program's object class app::RadioIcon, all in the user's
// XDG data directory (~/.local/share).
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace shell::registration {

constexpr const char* kDesktopFile = "applications/clonara.desktop";
constexpr const char* kMimeFile = "mime/packages/clonara-rdf.xml";
constexpr const char* kDBusServiceFile = "dbus-1/services/org.tessaly.Clonara.CVX7Icon.service";
constexpr const char* kMimeType = "application/x-clonara-rdf";
constexpr const char* kDBusService = "org.tessaly.Clonara.CVX7Icon";

// The three files, as absolute paths.
QStringList Files();

// Writes the three files for the program at programPath; the error text on
// failure.
std::optional<QString> Register(const QString& programPath);
// Removes them; files that are not there are no error.
std::optional<QString> Unregister();

} // namespace shell::registration
