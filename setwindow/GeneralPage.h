// The "General" tab: Vox, the on and off timers, the spectrum analyser,
// barometer, altimeter and temperature, and the ARTS group with the CW
// identifier. Its check keeps the times and offsets to what the radio takes.
#pragma once

#include "radio/ImageLayout.h"
#include "setwindow/OptionControls.h"
#include "setwindow/SettingsPage.h"

class QCheckBox;
class QLineEdit;

namespace setwindow {

class GeneralPage : public SettingsPage {
public:
    // The options the page treats on its own.
    static constexpr const char* kOnTime = "general.timer.on";
    static constexpr const char* kOffTime = "general.timer.off";
    static constexpr const char* kBaroOffset = "general.baroOffset";
    static constexpr const char* kAltOffset = "general.altOffset";
    static constexpr const char* kArtsSwitch = "general.arts.artsSwitch";

    GeneralPage(radio::Byte* settings, QWidget* parent);

    void Load() override;
    void Save() override;
    bool Validate() override;

private:
    // Tells the user, selects the field's text and gives it the focus.
    bool Refuse(const char* key, const char* message);

    setwindow::Bindings m_bindings;
    QCheckBox* m_artsSwitch = nullptr;
};

} // namespace setwindow
