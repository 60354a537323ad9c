#include "widgets/Mnemonics.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSet>
#include <QWidget>

namespace widgets {

QChar MnemonicOf(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i; // "&&" is an ampersand shown as it is
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

namespace {

void SetText(QWidget* widget, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
}

} // namespace

std::vector<std::pair<QWidget*, QString>> MnemonicTargets(QWidget* scope) {
    std::vector<std::pair<QWidget*, QString>> targets;
    for (QWidget* widget : scope->findChildren<QWidget*>()) {
        QString text;
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            text = button->text();
        else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy())
            text = label->text();
        if (!text.trimmed().isEmpty() && text.size() < 80)
            targets.emplace_back(widget, text);
    }
    return targets;
}

void AssignMnemonics(QWidget* scope, const QString& taken) {
    const std::vector<std::pair<QWidget*, QString>> named = MnemonicTargets(scope);
    QSet<QChar> used;
    for (const QChar c : taken)
        used.insert(c.toLower());
    for (const auto& [widget, text] : named) {
        if (const QChar c = MnemonicOf(text); !c.isNull())
            used.insert(c);
    }
    for (const auto& [widget, shown] : named) {
        if (!MnemonicOf(shown).isNull())
            continue;
        QString text = shown;
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        int at = -1;
        int first = -1;
        for (int i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (!c.isLetterOrNumber() || c.unicode() > 0x7F || (i > 0 && text[i - 1] == u'&'))
                continue;
            if (first < 0)
                first = i;
            if (!used.contains(c.toLower())) {
                at = i;
                break;
            }
        }
        if (at < 0)
            at = first;
        if (at < 0)
            continue;
        used.insert(text[at].toLower());
        text.insert(at, QLatin1Char('&'));
        SetText(widget, text);
    }
}

} // namespace widgets
