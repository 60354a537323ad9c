#include "setwindow/DisplayPage.h"

#include "widgets/GridView.h"
#include "widgets/LedSwatch.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <cstring>

using settings::option::Kind;
using settings::option::Option;
using settings::option::Widget;

namespace setwindow {

namespace {

constexpr int kIconColumn = 1;

// A slider with its position shown beside it.
QWidget* WithValue(QSlider* slider, QWidget* parent) {
    slider->setTickInterval(1);
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* value = new QLabel(box);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("00")));
    QObject::connect(slider, &QSlider::valueChanged, value, [value](int v) { value->setNum(v); });
    value->setNum(slider->value());
    row->addWidget(slider, 1);
    row->addWidget(value);
    return box;
}

} // namespace

DisplayPage::DisplayPage(radio::Byte* settings, QWidget* parent) : SettingsPage(settings, parent) {
    auto* display = new QGroupBox(tr("Display"), this);
    auto* form = new QFormLayout(display);
    auto* leds = new QGroupBox(tr("LED Colours"), this);
    auto* ledGrid = new QGridLayout(leds);
    auto* strobes = new QGroupBox(tr("Strobes"), this);
    auto* strobeForm = new QFormLayout(strobes);

    for (const Option& option : settings::option::Options()) {
        if (std::strcmp(option.page, settings::option::kPageDisplay) != 0)
            continue;
        const QString label = QString::fromUtf8(option.label);
        switch (option.widget) {
        case Widget::List: {
            // The strobes and the charge-complete light pick an LED colour.
            const bool strobe = std::strcmp(option.section, settings::option::kSectionStrobes) == 0;
            QComboBox* list = m_bindings.AddList(option, strobe ? strobes : display);
            (strobe ? strobeForm : form)->addRow(label, list);
            break;
        }
        case Widget::Slider: {
            QSlider* slider = m_bindings.AddSlider(option, display);
            (option.kind == Kind::Contrast ? m_contrast : m_dimmer) = slider;
            form->addRow(label, WithValue(slider, display));
            break;
        }
        case Widget::CheckBox:
            form->addRow(m_bindings.AddCheck(option, display));
            break;
        case Widget::ColourButton: {
            const int n = static_cast<int>(m_leds.size());
            auto* button = new QPushButton(label, leds);
            button->setObjectName(option.key);
            auto* swatch = new widgets::LedSwatch(leds);
            swatch->setObjectName(option.key + QStringLiteral(".swatch"));
            swatch->setFixedSize(22, 22);
            ledGrid->addWidget(button, n, 0);
            ledGrid->addWidget(swatch, n, 1);
            ledGrid->addWidget(new QLabel(QString::number(n + 1), leds), n, 2);
            connect(button, &QPushButton::clicked, this, [this, n] { ChooseLed(n); });
            m_leds.push_back({&option, button, swatch, QColor()});
            break;
        }
        case Widget::Grid:
            m_bands.push_back(&option);
            break;
        default:
            break;
        }
    }

    // The icon of each band: a row per band, a list of the icon numbers.
    const int bands = static_cast<int>(m_bands.size());
    m_icons.SetSize(1, bands);
    if (bands > 0) {
        QStringList numbers;
        for (const char* choice : m_bands.front()->choices)
            numbers << QString::fromUtf8(choice);
        m_icons.SetFormat(
            outside::GridBlock::Rows(1, bands, kIconColumn, kIconColumn),
            {outside::CellStore::CellKind::List, 0, 0, outside::CellStore::MakeList(numbers)});
    }
    m_icons.SetText(kIconColumn, 0, QStringLiteral("Icon"));
    for (int r = 1; r <= bands; ++r)
        m_icons.SetText(0, r, QString::fromUtf8(m_bands[static_cast<size_t>(r - 1)]->label));
    m_shownIcons.assign(m_bands.size(), -1);
    auto* iconBox = new QGroupBox(QStringLiteral("Icon Select"), this);
    auto* iconLayout = new QVBoxLayout(iconBox);
    m_iconView = new widgets::GridView(iconBox);
    m_iconView->setAccessibleName(iconBox->title());
    if (bands > 0)
        m_iconView->setObjectName(
            settings::option::GroupKey(settings::option::kPageDisplay, m_bands.front()->group));
    m_iconView->SetCells(&m_icons);
    m_iconView->FitColumns();
    iconLayout->addWidget(m_iconView);

    auto* left = new QVBoxLayout;
    left->addWidget(display);
    left->addStretch(1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(leds);
    middle->addWidget(strobes);
    middle->addStretch(1);
    auto* page = new QHBoxLayout(this);
    page->addLayout(left, 3);
    page->addLayout(middle, 2);
    page->addWidget(iconBox, 2);
}

void DisplayPage::Load() {
    const radio::Byte* block = Settings();
    m_bindings.Load(block);
    for (size_t r = 0; r < m_bands.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        m_icons.SetListIndex(kIconColumn, row, block[m_bands[r]->byte]);
        m_shownIcons[r] = m_icons.ListIndex(kIconColumn, row);
    }
    for (Led& led : m_leds) {
        led.swatch->LoadLevels(block + led.option->byte);
        led.shown = led.swatch->Colour();
    }
}

void DisplayPage::Save() {
    radio::Byte* block = Settings();
    // A value the control could not show stays unless the user changed it.
    m_bindings.Save(block);
    if (m_iconView->IsEditing())
        m_iconView->EndEdit();
    for (size_t r = 0; r < m_bands.size(); ++r) {
        const int index = m_icons.ListIndex(kIconColumn, static_cast<int>(r) + 1);
        if (index >= 0 && index != m_shownIcons[r])
            block[m_bands[r]->byte] = static_cast<radio::Byte>(index);
    }
    for (const Led& led : m_leds)
        if (led.swatch->Colour() != led.shown)
            led.swatch->SaveLevels(block + led.option->byte);
    // What is in the block now is what the controls show.
    Load();
}

void DisplayPage::ChooseLed(int n) {
    // The chooser starts from the swatch, which holds the last colour the
    // user confirmed: a second press does not lose the first choice.
    widgets::LedSwatch* swatch = m_leds[static_cast<size_t>(n)].swatch;
    const QColor chosen = QColorDialog::getColor(swatch->Colour(), this);
    if (chosen.isValid())
        swatch->SetColour(chosen);
}

} // namespace setwindow
