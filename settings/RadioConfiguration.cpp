#include "settings/RadioConfiguration.h"

#include "settings/Registry.h"

#include <QByteArray>
#include <QVariant>

#include <algorithm>

namespace reg {

int ConfigurationSum(const vx7::Byte* header) {
    int sum = 0;
    for (int i = 0; i < vx7::image::kHeaderSize; ++i)
        sum += header[i];
    return sum & 0xFF;
}

RememberedConfiguration ReadConfiguration() {
    RememberedConfiguration result;
    auto settings = OpenSettingsKey();
    if (settings->status() != QSettings::NoError) {
        result.keyError = true;
        return result;
    }
    const QVariant bytesValue = settings->value(QString::fromLatin1(kConfiguration));
    const QVariant sumValue = settings->value(QString::fromLatin1(kConfiguration1));
    if (!bytesValue.isValid() || !sumValue.isValid())
        return result;
    const QByteArray bytes = bytesValue.toByteArray();
    bool ok = false;
    const qlonglong sum = sumValue.toLongLong(&ok);
    if (!ok || bytes.size() != vx7::image::kHeaderSize)
        return result;
    RadioConfiguration header{};
    std::copy(bytes.cbegin(), bytes.cend(), header.begin());
    if (sum == ConfigurationSum(header.data()))
        result.header = header;
    return result;
}

} // namespace reg
