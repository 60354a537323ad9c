// The "Display" tab of the settings window: display mode and language,
// contrast and dimmer, lamp, meter symbols, strobes and the emergency alarm,
// the ten LED colours with their swatches, and the icon of each band.
#pragma once

#include "outside/CSpreadSheet1.h"
#include "settings/CSettingsPage.h"
#include "settings/DisplayOptions.h"

#include <QColor>

#include <array>
#include <vector>

class CLedSwatch;
class QCheckBox;
class QComboBox;
class QPushButton;
class QSlider;
class SpreadSheetView;

class CDisplayPage : public CSettingsPage {
    Q_OBJECT

public:
    static constexpr int kHelpTopic = 103;

    CDisplayPage(vx7::Byte* settings, QWidget* parent);

    void Load() override;
    void Save() override;
    int HelpTopic() const override { return kHelpTopic; }

    // The controls, for the window and the tests.
    QComboBox* Choice(int i) const { return m_choices[static_cast<size_t>(i)]; }
    QSlider* Contrast() const { return m_contrast; }
    QSlider* Dimmer() const { return m_dimmer; }
    QCheckBox* Flag(int i) const { return m_flags[static_cast<size_t>(i)]; }
    QPushButton* LedButton(int n) const { return m_ledButtons[static_cast<size_t>(n)]; }
    CLedSwatch* Swatch(int n) const { return m_swatches[static_cast<size_t>(n)]; }
    SpreadSheetView* IconGrid() const { return m_iconView; }

private:
    void ChooseLed(int n);

    std::vector<QComboBox*> m_choices; // in the order of display::Choices()
    QSlider* m_contrast = nullptr;
    QSlider* m_dimmer = nullptr;
    std::array<QCheckBox*, 2> m_flags{};
    std::array<QPushButton*, rset::display::kLedCount> m_ledButtons{};
    std::array<CLedSwatch*, rset::display::kLedCount> m_swatches{};
    CSpreadSheet1 m_icons;
    SpreadSheetView* m_iconView = nullptr;

    // What Load showed; Save writes a field only when its control differs.
    std::vector<int> m_shownChoices;
    int m_shownContrast = 0;
    int m_shownDimmer = 0;
    std::array<bool, 2> m_shownFlags{};
    std::array<QColor, rset::display::kLedCount> m_shownLeds{};
    std::array<int, rset::display::kBandCount> m_shownIcons{};
};
