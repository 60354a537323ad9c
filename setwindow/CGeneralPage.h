// The "General" tab: Vox, the on and off timers, the spectrum analyser,
// barometer, altimeter and temperature, and the ARTS group with the CW
// identifier. Its check keeps the times and offsets to what the radio takes.
#pragma once

#include "radio/ImageLayout.h"
#include "setwindow/CSettingsPage.h"
#include "setwindow/OptionControls.h"

class QCheckBox;
class QLineEdit;

class CGeneralPage : public CSettingsPage {
public:
    static constexpr int kOnTime = 1207;
    static constexpr int kOffTime = 1208;
    static constexpr int kBaroOffset = 1219;
    static constexpr int kAltOffset = 1220;
    static constexpr int kArtsSwitch = 1021;

    CGeneralPage(vx7::Byte* settings, QWidget* parent);

    void Load() override;
    void Save() override;
    bool Validate() override;

private:
    // Tells the user, selects the field's text and gives it the focus.
    bool Refuse(int id, const char* message);

    optioncontrols::Bindings m_bindings;
    QCheckBox* m_artsSwitch = nullptr;
};
