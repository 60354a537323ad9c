// Mnemonics for a window's controls, so the keyboard alone reaches each:
// every button and every label that names a control (its buddy) gets an
// underlined letter of its own where its text has none. Texts keep their
// words; only the '&' is added.
#pragma once

#include <QString>

#include <utility>
#include <vector>

class QWidget;

namespace widgets {

// Gives the buttons and buddy labels below scope a mnemonic each: the first
// letter or digit of the text that no other control in scope (nor a letter
// of taken) uses yet, else the text's first letter, which then cycles among
// its controls. Hidden pages count as scopes of their own: call this once
// per page.
void AssignMnemonics(QWidget* scope, const QString& taken = QString());

// The buttons and the labels that name a control (their buddy) below scope,
// with their texts: what AssignMnemonics gives a mnemonic.
std::vector<std::pair<QWidget*, QString>> MnemonicTargets(QWidget* scope);

// The letter a text's mnemonic uses, lower case; a null character for none.
QChar MnemonicOf(const QString& text);

} // namespace widgets
