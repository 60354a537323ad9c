#include "settings/ComPortSetting.h"

#include "settings/Registry.h"

namespace outside {

QString StoredPort() {
    auto settings = reg::OpenSettingsKey();
    return settings->value(QString::fromLatin1(reg::kComPort)).toString().trimmed();
}

bool RememberComPort(const QString& device) {
    auto settings = reg::OpenSettingsKey();
    if (!settings->isWritable())
        return false;
    const QString name = QString::fromLatin1(reg::kComPort);
    if (device.trimmed().isEmpty())
        settings->remove(name);
    else
        settings->setValue(name, device.trimmed());
    return reg::Flush(*settings);
}

} // namespace outside
