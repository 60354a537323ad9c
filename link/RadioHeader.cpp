#include "link/RadioHeader.h"

#include "settings/Registry.h"

#include <QByteArray>

#include <algorithm>

namespace radiolink {

int HeaderSum(const vx7::Byte* header) {
    int sum = 0;
    for (int i = 0; i < vx7::image::kHeaderSize; ++i)
        sum += header[i];
    return sum & 0xFF;
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
    auto settings = reg::OpenSettingsKey();
    if (settings->status() != QSettings::NoError) {
        result.error = QString::fromLatin1(reg::kCannotCreateKey);
        return result;
    }
    const QVariant bytesValue = settings->value(QString::fromLatin1(reg::kConfiguration));
    const QVariant sumValue = settings->value(QString::fromLatin1(reg::kConfiguration1));
    if (!bytesValue.isValid() || !sumValue.isValid())
        return result;
    const QByteArray bytes = bytesValue.toByteArray();
    bool ok = false;
    const qlonglong sum = sumValue.toLongLong(&ok);
    if (!ok || bytes.size() != vx7::image::kHeaderSize)
        return result;
    RadioHeader header{};
    std::copy(bytes.cbegin(), bytes.cend(), header.begin());
    if (sum == HeaderSum(header.data()))
        result.header = header;
    return result;
}

} // namespace radiolink
