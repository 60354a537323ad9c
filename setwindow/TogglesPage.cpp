#include "setwindow/TogglesPage.h"

namespace setwindow {

TogglesPage::TogglesPage(radio::Byte* settings, QWidget* parent) : SettingsPage(settings, parent) {
    setObjectName(QString::fromLatin1(settings::option::kPageToggles));
    setwindow::BuildPage(settings::option::kPageToggles, m_bindings, this);
}

void TogglesPage::Load() {
    m_bindings.Load(Settings());
}

void TogglesPage::Save() {
    m_bindings.Save(Settings());
}

} // namespace setwindow
