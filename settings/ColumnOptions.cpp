#include "settings/ColumnOptions.h"

#include "settings/SettingsStore.h"

namespace settings {

ColumnOptions ReadColumnOptions() {
    auto store = OpenSettingsGroup();
    bool ok = false;
    const qulonglong value = store->value(QString::fromLatin1(kColumns)).toULongLong(&ok);
    // A DWORD: anything else stored there counts as missing.
    if (!ok || value > 0xffffffffULL)
        return {};
    return {static_cast<std::uint32_t>(value)};
}

bool StoreColumnOptions(ColumnOptions options) {
    auto store = OpenSettingsGroup();
    if (!store->isWritable())
        return false;
    store->setValue(QString::fromLatin1(kColumns), static_cast<qulonglong>(options.value));
    return Flush(*store);
}

} // namespace settings
