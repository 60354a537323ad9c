// The "Display" tab of the settings window: display mode and language,
// contrast and dimmer, lamp, meter symbols, strobes and the emergency alarm,
// the ten LED colours with their swatches, and the icon of each band. Its
// options are the Display rows of the option table.
#pragma once

#include "outside/CellStore.h"
#include "setwindow/OptionControls.h"
#include "setwindow/SettingsPage.h"

#include <QColor>

#include <vector>

namespace widgets {
class LedSwatch;
}
class QPushButton;
class QSlider;
namespace widgets {
class GridView;
}

namespace setwindow {

class DisplayPage : public SettingsPage {
    Q_OBJECT

public:
    static constexpr int kHelpTopic = 103;

    DisplayPage(radio::Byte* settings, QWidget* parent);

    void Load() override;
    void Save() override;
    int HelpTopic() const override { return kHelpTopic; }

    // Some controls for the tests; every control is also named by its
    // option's key ("display.led1", its swatch "display.led1.swatch").
    QSlider* Contrast() const { return m_contrast; }
    QSlider* Dimmer() const { return m_dimmer; }
    QPushButton* LedButton(int n) const { return m_leds[static_cast<size_t>(n)].button; }
    widgets::LedSwatch* Swatch(int n) const { return m_leds[static_cast<size_t>(n)].swatch; }
    widgets::GridView* IconGrid() const { return m_iconView; }

private:
    struct Led {
        const settings::option::Option* option;
        QPushButton* button;
        widgets::LedSwatch* swatch;
        QColor shown; // what Load showed
    };
    void ChooseLed(int n);

    setwindow::Bindings m_bindings;
    QSlider* m_contrast = nullptr;
    QSlider* m_dimmer = nullptr;
    std::vector<Led> m_leds;
    // The band icons: one grid row per option, and what Load showed in it.
    std::vector<const settings::option::Option*> m_bands;
    std::vector<int> m_shownIcons;
    outside::CellStore m_icons;
    widgets::GridView* m_iconView = nullptr;
};

} // namespace setwindow
