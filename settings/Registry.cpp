#include "settings/Registry.h"

namespace reg {

std::unique_ptr<QSettings> OpenProgramKey() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QString::fromLatin1(kOrganization),
                                       QString::fromLatin1(kApplication));
}

std::unique_ptr<QSettings> OpenSettingsKey() {
    auto settings = OpenProgramKey();
    settings->beginGroup(QString::fromLatin1(kSettingsGroup));
    return settings;
}

bool Flush(QSettings& settings) {
    settings.sync();
    return settings.status() == QSettings::NoError && settings.isWritable();
}

} // namespace reg
