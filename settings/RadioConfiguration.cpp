#include "settings/RadioConfiguration.h"

#include "settings/SettingsStore.h"

#include <QByteArray>
#include <QVariant>

#include <algorithm>

namespace settings {

int ConfigurationSum(const radio::Byte* header) {
    int sum = 0;
    for (int i = 0; i < radio::image::kHeaderSize; ++i)
        sum += header[i];
    return sum & 0xFF;
}

RememberedConfiguration ReadConfiguration() {
    RememberedConfiguration result;
    auto store = OpenSettingsGroup();
    if (store->status() != QSettings::NoError) {
        result.keyError = true;
        return result;
    }
    const QVariant bytesValue = store->value(QString::fromLatin1(kConfiguration));
    const QVariant sumValue = store->value(QString::fromLatin1(kConfiguration1));
    if (!bytesValue.isValid() || !sumValue.isValid())
        return result;
    const QByteArray bytes = bytesValue.toByteArray();
    bool ok = false;
    const qlonglong sum = sumValue.toLongLong(&ok);
    if (!ok || bytes.size() != radio::image::kHeaderSize)
        return result;
    RadioConfiguration header{};
    std::copy(bytes.cbegin(), bytes.cend(), header.begin());
    if (sum == ConfigurationSum(header.data()))
        result.header = header;
    return result;
}

} // namespace settings
