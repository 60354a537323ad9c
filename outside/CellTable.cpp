#include "outside/CellTable.h"

#include <QLocale>

namespace outside {

namespace {

// A number in a cell text, C locale; false when the text is none.
bool ToNumber(const QString& text, double& value) {
    bool ok = false;
    value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok;
}

} // namespace

ChoiceList::ChoiceList(QStringList items, bool editable, const OldTexts& oldTexts)
    : m_items(std::move(items)), m_editable(editable) {
    m_exact.reserve(m_items.size());
    m_folded.reserve(m_items.size());
    const auto add = [this](const QString& text, int index) {
        // Equal items: the first one is found.
        if (!m_exact.contains(text))
            m_exact.insert(text, index);
        const QString folded = text.toCaseFolded();
        if (!m_folded.contains(folded))
            m_folded.insert(folded, index);
    };
    for (int i = 0; i < m_items.size(); ++i)
        add(m_items[i], i);
    for (const auto& [text, index] : oldTexts) {
        if (index >= 0 && index < m_items.size())
            add(text, index);
    }
}

ChoiceListPtr ChoiceList::Make(QStringList items, bool editable, const OldTexts& oldTexts) {
    return std::make_shared<const ChoiceList>(std::move(items), editable, oldTexts);
}

int ChoiceList::IndexOf(const QString& text) const {
    const auto exact = m_exact.constFind(text);
    if (exact != m_exact.constEnd())
        return exact.value();
    const auto folded = m_folded.constFind(text.toCaseFolded());
    return folded == m_folded.constEnd() ? -1 : folded.value();
}

CellTable::~CellTable() = default;

namespace cells {

bool IsCheckedText(const QString& text) {
    return text == QLatin1String("1") ||
           text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
           text.compare(QLatin1String("on"), Qt::CaseInsensitive) == 0 ||
           text.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0 ||
           text.compare(QLatin1String("x"), Qt::CaseInsensitive) == 0;
}

Content ApplyTextRule(CellKind kind, int maxLength, const ChoiceList* list, const QString& text) {
    if (text.isEmpty())
        return {};
    switch (kind) {
    case CellKind::Text:
        return {maxLength > 0 && text.size() > maxLength ? text.left(maxLength) : text, -1};
    case CellKind::Number:
        return {text, -1};
    case CellKind::CheckBox:
        return {IsCheckedText(text) ? QStringLiteral("1") : QStringLiteral("0"), -1};
    case CellKind::List:
        break;
    }
    if (!list)
        return {text, -1};
    const int index = list->IndexOf(text);
    if (index >= 0)
        return {list->Items()[index], index};
    return {list->Editable() ? text : QString(), -1};
}

Content ApplyListIndex(CellKind kind, const ChoiceList* list, int index) {
    if (kind == CellKind::List && list && index >= 0 && index < list->Count())
        return {list->Items()[index], index};
    return {};
}

int CompareForSort(const SortCell& x, const SortCell& y, SortOrder order) {
    const bool xEmpty = x.text.isEmpty();
    const bool yEmpty = y.text.isEmpty();
    if (xEmpty || yEmpty)
        return xEmpty == yEmpty ? 0 : (xEmpty ? 1 : -1);
    int result = 0;
    double xValue = 0;
    double yValue = 0;
    if (x.kind == CellKind::List && x.listIndex >= 0 && y.listIndex >= 0 && x.list == y.list) {
        result = x.listIndex < y.listIndex ? -1 : (x.listIndex > y.listIndex ? 1 : 0);
    } else if (ToNumber(x.text, xValue) && ToNumber(y.text, yValue)) {
        result = xValue < yValue ? -1 : (xValue > yValue ? 1 : 0);
    } else {
        result = x.text.compare(y.text, Qt::CaseInsensitive);
        if (result == 0)
            result = x.text.compare(y.text, Qt::CaseSensitive);
    }
    return order == SortOrder::Descending ? -result : result;
}

} // namespace cells

} // namespace outside
