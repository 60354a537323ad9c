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

const outside::CellStore::List& ChoiceItems(ChoiceList id) {
    static const std::array<outside::CellStore::List, static_cast<size_t>(ChoiceList::Count)>
        lists = [] {
            std::array<outside::CellStore::List, static_cast<size_t>(ChoiceList::Count)> l{};
            // The offset and mode lists take typed texts too.
            l[int(ChoiceList::Offset)] =
                outside::CellStore::MakeList(LoadList(str::kListOffset), true);
            l[int(ChoiceList::Direction)] =
                outside::CellStore::MakeList(LoadList(str::kListDirection));
            l[int(ChoiceList::Mode)] = outside::CellStore::MakeList(LoadList(str::kListMode), true);
            l[int(ChoiceList::ToneMode)] =
                outside::CellStore::MakeList(LoadList(str::kListToneMode));
            l[int(ChoiceList::Ctcss)] = outside::CellStore::MakeList(CtcssItems());
            l[int(ChoiceList::Dcs)] = outside::CellStore::MakeList(DcsItems());
            l[int(ChoiceList::Step)] = outside::CellStore::MakeList(LoadList(str::kListStep));
            l[int(ChoiceList::Power)] = outside::CellStore::MakeList(LoadList(str::kListPower));
            l[int(ChoiceList::Icon)] = outside::CellStore::MakeList(LoadList(str::kListIcon));
            l[int(ChoiceList::Band)] =
                outside::CellStore::MakeList(LoadList(str::kListOperationBand));
            return l;
        }();
    return lists[static_cast<size_t>(id)];
}

} // namespace radio
