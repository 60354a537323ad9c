#include "settings/ComPortSetting.h"

#include "settings/SettingsStore.h"

namespace settings {

QString StoredPort() {
    auto store = settings::OpenSettingsGroup();
    return store->value(QString::fromLatin1(settings::kComPort)).toString().trimmed();
}

bool RememberComPort(const QString& device) {
    auto store = settings::OpenSettingsGroup();
    if (!store->isWritable())
        return false;
    const QString name = QString::fromLatin1(settings::kComPort);
    if (device.trimmed().isEmpty())
        store->remove(name);
    else
        store->setValue(name, device.trimmed());
    return settings::Flush(*store);
}

} // namespace settings
