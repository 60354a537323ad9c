#include "link/RadioHeader.h"

#include "settings/RadioConfiguration.h"
#include "settings/SettingsStore.h"

#include <QByteArray>

namespace radiolink {

int HeaderSum(const radio::Byte* header) {
    return settings::ConfigurationSum(header);
}

std::optional<QString> StoreRadioHeader(const radio::Byte* header) {
    const QString cannot = QString::fromLatin1(settings::kCannotWriteStore);
    auto store = settings::OpenSettingsGroup();
    if (store->status() != QSettings::NoError || !store->isWritable())
        return cannot;
    store->setValue(QString::fromLatin1(settings::kConfiguration),
                    QByteArray(reinterpret_cast<const char*>(header), radio::image::kHeaderSize));
    store->setValue(QString::fromLatin1(settings::kConfiguration1), HeaderSum(header));
    if (!settings::Flush(*store))
        return cannot;
    return std::nullopt;
}

RememberedHeader LoadRadioHeader() {
    RememberedHeader result;
    const settings::RememberedConfiguration remembered = settings::ReadConfiguration();
    if (remembered.keyError)
        result.error = QString::fromLatin1(settings::kCannotWriteStore);
    result.header = remembered.header;
    return result;
}

} // namespace radiolink
