#include "setwindow/CTogglesPage.h"

CTogglesPage::CTogglesPage(vx7::Byte* settings, QWidget* parent) : CSettingsPage(settings, parent) {
    setObjectName(QString::fromLatin1(settingsopt::kPageToggles));
    optioncontrols::BuildPage(settingsopt::kPageToggles, m_bindings, this);
}

void CTogglesPage::Load() {
    m_bindings.Load(Settings());
}

void CTogglesPage::Save() {
    m_bindings.Save(Settings());
}
