#include "setwindow/TogglesPage.h"

TogglesPage::TogglesPage(vx7::Byte* settings, QWidget* parent) : SettingsPage(settings, parent) {
    setObjectName(QString::fromLatin1(settingsopt::kPageToggles));
    optioncontrols::BuildPage(settingsopt::kPageToggles, m_bindings, this);
}

void TogglesPage::Load() {
    m_bindings.Load(Settings());
}

void TogglesPage::Save() {
    m_bindings.Save(Settings());
}
