// The "Toggles" tab: the radio's on/off options, squelch levels, power
// saving, timers, bell, scan and lock lists, the internet DTMF settings and
// the nine DTMF memories.
#pragma once

#include "radio/ImageLayout.h"
#include "setwindow/OptionControls.h"
#include "setwindow/SettingsPage.h"

class TogglesPage : public SettingsPage {
public:
    TogglesPage(vx7::Byte* settings, QWidget* parent);

    void Load() override;
    void Save() override;

private:
    optioncontrols::Bindings m_bindings;
};
