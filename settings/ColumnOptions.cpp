#include "settings/ColumnOptions.h"

#include "settings/Registry.h"

namespace reg {

ColumnOptions ReadColumnOptions() {
    auto settings = OpenSettingsKey();
    bool ok = false;
    const qulonglong value = settings->value(QString::fromLatin1(kColumns)).toULongLong(&ok);
    // A DWORD: anything else stored there counts as missing.
    if (!ok || value > 0xffffffffULL)
        return {};
    return {static_cast<std::uint32_t>(value)};
}

bool StoreColumnOptions(ColumnOptions options) {
    auto settings = OpenSettingsKey();
    if (!settings->isWritable())
        return false;
    settings->setValue(QString::fromLatin1(kColumns), static_cast<qulonglong>(options.value));
    return Flush(*settings);
}

} // namespace reg
