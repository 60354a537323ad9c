#include "radio/ChoiceLists.h"

#include "radio/StringTable.h"
#include "radio/ValueTables.h"

#include <array>

namespace radio {

namespace {

QStringList CtcssItems() {
    QStringList items;
    for (const int tenths : kCtcssTenths)
        items << QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
    return items;
}

QStringList DcsItems() {
    QStringList items;
    for (const int code : kDcsCodes)
        items << QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0'));
    return items;
}

} // namespace

const outside::ChoiceListPtr& ChoiceItems(ChoiceList id) {
    static const std::array<outside::ChoiceListPtr, static_cast<size_t>(ChoiceList::Count)> lists =
        [] {
            std::array<outside::ChoiceListPtr, static_cast<size_t>(ChoiceList::Count)> l{};
            // The offset and mode lists take typed texts too.
            l[int(ChoiceList::Offset)] =
                outside::ChoiceList::Make(LoadList(str::kListOffset), true);
            l[int(ChoiceList::Direction)] =
                outside::ChoiceList::Make(LoadList(str::kListDirection));
            l[int(ChoiceList::Mode)] = outside::ChoiceList::Make(LoadList(str::kListMode), true);
            l[int(ChoiceList::ToneMode)] = outside::ChoiceList::Make(
                LoadList(str::kListToneMode), false, OldListSpellings(str::kListToneMode));
            l[int(ChoiceList::Ctcss)] = outside::ChoiceList::Make(CtcssItems());
            l[int(ChoiceList::Dcs)] = outside::ChoiceList::Make(DcsItems());
            l[int(ChoiceList::Step)] = outside::ChoiceList::Make(LoadList(str::kListStep), false,
                                                                 OldListSpellings(str::kListStep));
            l[int(ChoiceList::Power)] = outside::ChoiceList::Make(LoadList(str::kListPower));
            l[int(ChoiceList::Icon)] = outside::ChoiceList::Make(LoadList(str::kListIcon));
            l[int(ChoiceList::Band)] = outside::ChoiceList::Make(LoadList(str::kListOperationBand));
            return l;
        }();
    return lists[static_cast<size_t>(id)];
}

} // namespace radio
