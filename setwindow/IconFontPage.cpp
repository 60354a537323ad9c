#include "setwindow/IconFontPage.h"

#include "settings/SettingsOptions.h"
#include "settings/SettingsStore.h"
#include "widgets/PixelEditor.h"
#include "widgets/PixelPreview.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

using settings::rset::BitmapShape;
using settings::rset::Pixels;

namespace setwindow {

namespace {

bool ReadShowGuides() {
    return settings::OpenSettingsGroup()
               ->value(QString::fromLatin1(settings::kShowGuides), 0)
               .toInt() != 0;
}

// Kept without a word to the user when the store cannot be written, as the
// other remembered choices are.
void StoreShowGuides(bool on) {
    auto store = settings::OpenSettingsGroup();
    store->setValue(QString::fromLatin1(settings::kShowGuides), on ? 1 : 0);
    settings::Flush(*store);
}

} // namespace

IconFontPage::IconFontPage(radio::Byte* settings, QWidget* parent)
    : SettingsPage(settings, parent) {
    QWidget* icons = BuildSet(m_icon, settings::rset::kIconShape, "Icon", tr("Icons"),
                              QStringLiteral("Icon Editor"), tr("Icon %1"));
    QWidget* font = BuildSet(m_font, settings::rset::kFontShape, "Font", tr("Font"),
                             QStringLiteral("Font Editor"), tr("Char %1"));
    m_guides = new QCheckBox(QStringLiteral("Show Guides"), this);
    m_guides->setObjectName(QStringLiteral("Show Guides"));

    auto* right = new QVBoxLayout;
    right->addWidget(font, 1);
    right->addWidget(m_guides);
    auto* page = new QHBoxLayout(this);
    page->addWidget(icons, 1);
    page->addLayout(right, 1);

    const bool guides = ReadShowGuides();
    m_guides->setChecked(guides);
    m_icon.editor->SetShowGuides(guides);
    m_font.editor->SetShowGuides(guides);
    connect(m_guides, &QCheckBox::clicked, this, &IconFontPage::SetGuides);
}

QWidget* IconFontPage::BuildSet(Set& set, const BitmapShape& shape, const char* group,
                                const QString& title, const QString& editorTitle,
                                const QString& buttonText) {
    set.shape = &shape;
    const settings::option::Option& selection =
        settings::option::Find(settings::option::GroupKey(settings::option::kPageIconFont, group));
    auto* box = new QGroupBox(title, this);
    auto* previews = new QGridLayout;
    set.group = new QButtonGroup(box);
    const bool tall = shape.height > shape.width * 3 / 2;
    for (int k = 0; k < shape.count; ++k) {
        auto* preview = new widgets::PixelPreview(box);
        // Named by the option's key: the button "iconFont.icon.1", its
        // preview "iconFont.icon.preview1".
        preview->setObjectName(selection.key + QStringLiteral(".preview%1").arg(k + 1));
        preview->SetBitmapSize(shape.width, shape.height);
        preview->setMinimumSize(preview->sizeHint());
        auto* button = new QRadioButton(buttonText.arg(k + 1), box);
        button->setObjectName(settings::option::ButtonKey(selection, static_cast<size_t>(k)));
        set.group->addButton(button, k);
        // Icons stand one under the other, font characters side by side.
        if (tall) {
            previews->addWidget(preview, k, 0);
            previews->addWidget(button, k, 1);
        } else {
            previews->addWidget(preview, 0, k, Qt::AlignHCenter);
            previews->addWidget(button, 1, k, Qt::AlignHCenter);
        }
        set.previews.push_back(preview);
        set.buttons.push_back(button);
    }
    auto* editorBox = new QGroupBox(editorTitle, box);
    auto* editorLayout = new QVBoxLayout(editorBox);
    set.editor = new widgets::PixelEditor(editorBox);
    set.editor->setObjectName(editorTitle);
    set.editor->setAccessibleName(editorTitle);
    set.editor->SetDimensions(shape.width, shape.height);
    set.editor->setMinimumSize(set.editor->sizeHint());
    editorLayout->addWidget(set.editor);

    QBoxLayout* layout = tall ? static_cast<QBoxLayout*>(new QHBoxLayout(box))
                              : static_cast<QBoxLayout*>(new QVBoxLayout(box));
    layout->addLayout(previews);
    layout->addWidget(editorBox, 1);

    connect(set.group, &QButtonGroup::idClicked, this, [&set](int k) { CopyIntoEditor(set, k); });
    // The editor reports a pixel the user changed: the flag is clear when
    // the pixel became set.
    connect(set.editor, &widgets::PixelEditor::pixelChanged, this, [&set](int index, bool cleared) {
        set.previews[static_cast<size_t>(set.current)]->SetPixel(index, !cleared);
    });
    return box;
}

void IconFontPage::CopyIntoEditor(Set& set, int k) {
    set.current = k;
    const widgets::PixelPreview* preview = set.previews[static_cast<size_t>(k)];
    for (int p = 0; p < preview->PixelCount(); ++p)
        set.editor->SetPixel(p, preview->Pixel(p));
    set.editor->setEnabled(true);
    set.editor->update();
}

void IconFontPage::Select(Set& set, int k) {
    if (k >= 0) {
        set.buttons[static_cast<size_t>(k)]->setChecked(true);
        CopyIntoEditor(set, k);
        return;
    }
    // No bitmap selected: no button checked, and nothing to draw into until
    // the user picks one (the editor would otherwise change a bitmap it does
    // not show).
    set.group->setExclusive(false);
    for (QRadioButton* button : set.buttons)
        button->setChecked(false);
    set.group->setExclusive(true);
    for (int p = 0; p < set.shape->PixelCount(); ++p)
        set.editor->SetPixel(p, false);
    set.editor->setEnabled(false);
}

void IconFontPage::LoadSet(Set& set) {
    const radio::Byte* block = Settings();
    set.shownPixels.clear();
    for (int k = 0; k < set.shape->count; ++k) {
        set.shownPixels.push_back(
            settings::rset::DecodeBitmap(*set.shape, block + set.shape->Offset(k)));
        set.previews[static_cast<size_t>(k)]->SetPixels(set.shownPixels.back());
    }
    set.shownSelection = settings::rset::SelectedBitmap(*set.shape, block);
    Select(set, set.shownSelection);
}

void IconFontPage::Load() {
    LoadSet(m_font);
    LoadSet(m_icon);
}

void IconFontPage::SaveSet(Set& set) {
    radio::Byte* block = Settings();
    const int selected = set.group->checkedId();
    if (selected >= 0 && selected != set.shownSelection)
        block[set.shape->selectionByte] = static_cast<radio::Byte>(selected);
    // A bitmap the user did not draw on keeps its bytes as they were, unused
    // bits included.
    for (int k = 0; k < set.shape->count; ++k) {
        const Pixels& pixels = set.previews[static_cast<size_t>(k)]->Pixels();
        if (pixels != set.shownPixels[static_cast<size_t>(k)])
            settings::rset::EncodeBitmap(*set.shape, pixels, block + set.shape->Offset(k));
    }
}

void IconFontPage::Save() {
    SaveSet(m_icon);
    SaveSet(m_font);
    // What is in the block now is what the controls show.
    Load();
}

void IconFontPage::SetGuides(bool on) {
    m_icon.editor->SetShowGuides(on);
    m_font.editor->SetShowGuides(on);
    StoreShowGuides(on);
}

} // namespace setwindow
