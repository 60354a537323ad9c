#include "settings/SettingsStore.h"

namespace settings {

std::unique_ptr<QSettings> OpenStore() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QString::fromLatin1(kOrganization),
                                       QString::fromLatin1(kApplication));
}

std::unique_ptr<QSettings> OpenSettingsGroup() {
    auto store = OpenStore();
    store->beginGroup(QString::fromLatin1(kSettingsGroup));
    return store;
}

bool Flush(QSettings& store) {
    store.sync();
    return store.status() == QSettings::NoError && store.isWritable();
}

} // namespace settings
