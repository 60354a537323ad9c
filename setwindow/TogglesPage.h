// The "Toggles" tab: the radio's on/off options, squelch levels, power
// saving, timers, bell, scan and lock lists, the internet DTMF settings and
// the nine DTMF memories.
#pragma once

#include "radio/ImageLayout.h"
#include "setwindow/OptionControls.h"
#include "setwindow/SettingsPage.h"

namespace setwindow {

class TogglesPage : public SettingsPage {
public:
    TogglesPage(radio::Byte* settings, QWidget* parent);

    void Load() override;
    void Save() override;

private:
    setwindow::Bindings m_bindings;
};

} // namespace setwindow
