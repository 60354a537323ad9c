#include "link/RadioHeader.h"

#include "settings/RadioConfiguration.h"
#include "settings/Registry.h"

#include <QByteArray>

namespace radiolink {

int HeaderSum(const vx7::Byte* header) {
    return reg::ConfigurationSum(header);
}

std::optional<QString> StoreRadioHeader(const vx7::Byte* header) {
    const QString cannot = QString::fromLatin1(reg::kCannotCreateKey);
    auto settings = reg::OpenSettingsKey();
    if (settings->status() != QSettings::NoError || !settings->isWritable())
        return cannot;
    settings->setValue(QString::fromLatin1(reg::kConfiguration),
                       QByteArray(reinterpret_cast<const char*>(header), vx7::image::kHeaderSize));
    settings->setValue(QString::fromLatin1(reg::kConfiguration1), HeaderSum(header));
    if (!reg::Flush(*settings))
        return cannot;
    return std::nullopt;
}

RememberedHeader LoadRadioHeader() {
    RememberedHeader result;
    const reg::RememberedConfiguration remembered = reg::ReadConfiguration();
    if (remembered.keyError)
        result.error = QString::fromLatin1(reg::kCannotCreateKey);
    result.header = remembered.header;
    return result;
}

} // namespace radiolink
