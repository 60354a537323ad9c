// The "Icon/Font" tab of the settings window: the radio's three user icons
// and five user font characters, each with a preview and a radio button; the
// selected one is drawn pixel by pixel in the icon or the font editor.
#pragma once

#include "settings/IconFont.h"
#include "setwindow/SettingsPage.h"

#include <array>
#include <vector>

namespace widgets {
class PixelEditor;
}
namespace widgets {
class PixelPreview;
}
class QButtonGroup;
class QCheckBox;
class QRadioButton;

namespace setwindow {

class IconFontPage : public SettingsPage {
    Q_OBJECT

public:
    IconFontPage(radio::Byte* settings, QWidget* parent);

    void Load() override;
    void Save() override;

    // The controls, for the window and the tests.
    widgets::PixelEditor* IconEditor() const { return m_icon.editor; }
    widgets::PixelEditor* FontEditor() const { return m_font.editor; }
    widgets::PixelPreview* IconPreview(int k) const {
        return m_icon.previews[static_cast<size_t>(k)];
    }
    widgets::PixelPreview* FontPreview(int k) const {
        return m_font.previews[static_cast<size_t>(k)];
    }
    QRadioButton* IconButton(int k) const { return m_icon.buttons[static_cast<size_t>(k)]; }
    QRadioButton* FontButton(int k) const { return m_font.buttons[static_cast<size_t>(k)]; }
    QCheckBox* ShowGuides() const { return m_guides; }

private:
    // The previews, radio buttons and editor of one kind of bitmap.
    struct Set {
        const settings::rset::BitmapShape* shape = nullptr;
        std::vector<widgets::PixelPreview*> previews;
        std::vector<QRadioButton*> buttons;
        QButtonGroup* group = nullptr;
        widgets::PixelEditor* editor = nullptr;
        int current = 0; // the preview the editor draws into
        // What Load showed: the selection and every bitmap's pixels.
        int shownSelection = -1;
        std::vector<settings::rset::Pixels> shownPixels;
    };

    // group names the set's options ("Icon", "Font").
    QWidget* BuildSet(Set& set, const settings::rset::BitmapShape& shape, const char* group,
                      const QString& title, const QString& editorTitle, const QString& buttonText);
    void LoadSet(Set& set);
    void SaveSet(Set& set);
    // Selects bitmap k (-1: none) and shows it in the editor.
    static void Select(Set& set, int k);
    static void CopyIntoEditor(Set& set, int k);
    void SetGuides(bool on);

    Set m_icon;
    Set m_font;
    QCheckBox* m_guides = nullptr;
};

} // namespace setwindow
