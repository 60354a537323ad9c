// The "Toggles" tab: the radio's on/off options, squelch levels, power
// saving, timers, bell, scan and lock lists, the internet DTMF settings and
// the nine DTMF memories.
#pragma once

#include "radio/ImageLayout.h"
#include "setwindow/CSettingsPage.h"
#include "setwindow/OptionControls.h"

class CTogglesPage : public CSettingsPage {
public:
    CTogglesPage(vx7::Byte* settings, QWidget* parent);

    void Load() override;
    void Save() override;

private:
    optioncontrols::Bindings m_bindings;
};
