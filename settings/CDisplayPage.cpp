#include "settings/CDisplayPage.h"

#include "widgets/CLedSwatch.h"
#include "widgets/SpreadSheetView.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

using namespace rset::display;

namespace {

constexpr int kIconColumn = 1;
constexpr int kChargeComplete = 10; // index of its list in Choices()
constexpr int kFirstStrobe = 5;

QSlider* MakeSlider(const char* name, int low, int high, QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(low, high);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    return slider;
}

// A slider with its position shown beside it.
QWidget* WithValue(QSlider* slider, QWidget* parent) {
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

CDisplayPage::CDisplayPage(vx7::Byte* settings, QWidget* parent) : CSettingsPage(settings, parent) {
    const std::vector<rset::ChoiceOption>& choices = Choices();
    for (const rset::ChoiceOption& option : choices) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(option.label));
        for (const char* entry : option.entries)
            combo->addItem(QString::fromLatin1(entry));
        m_choices.push_back(combo);
    }
    m_contrast = MakeSlider("Contrast", kContrastMin, kContrastMax, this);
    m_dimmer = MakeSlider("Dimmer", kDimmerMin, kDimmerMax, this);
    for (size_t i = 0; i < m_flags.size(); ++i) {
        m_flags[i] = new QCheckBox(QString::fromLatin1(Flags()[i].label), this);
        m_flags[i]->setObjectName(QString::fromLatin1(Flags()[i].label));
    }

    // Left: the display itself.
    auto* display = new QGroupBox(tr("Display"), this);
    auto* form = new QFormLayout(display);
    const auto addChoice = [&](QFormLayout* to, int i) {
        to->addRow(QString::fromLatin1(choices[static_cast<size_t>(i)].label),
                   m_choices[static_cast<size_t>(i)]);
    };
    for (int i = 0; i < kFirstStrobe; ++i)
        addChoice(form, i);
    form->addRow(QStringLiteral("Contrast"), WithValue(m_contrast, display));
    form->addRow(QStringLiteral("Dimmer"), WithValue(m_dimmer, display));
    addChoice(form, static_cast<int>(choices.size()) - 1); // "Emgerency"
    form->addRow(m_flags[0]);
    form->addRow(m_flags[1]);

    // Middle: the LED colours and the strobes that use them.
    auto* leds = new QGroupBox(tr("LED Colours"), this);
    auto* ledGrid = new QGridLayout(leds);
    for (int n = 0; n < kLedCount; ++n) {
        auto* button = new QPushButton(QStringLiteral("LED %1").arg(n + 1), leds);
        button->setObjectName(button->text());
        auto* swatch = new CLedSwatch(leds);
        swatch->setObjectName(QStringLiteral("Swatch %1").arg(n + 1));
        swatch->setFixedSize(22, 22);
        auto* number = new QLabel(QString::number(n + 1), leds);
        ledGrid->addWidget(button, n, 0);
        ledGrid->addWidget(swatch, n, 1);
        ledGrid->addWidget(number, n, 2);
        m_ledButtons[static_cast<size_t>(n)] = button;
        m_swatches[static_cast<size_t>(n)] = swatch;
        connect(button, &QPushButton::clicked, this, [this, n] { ChooseLed(n); });
    }
    auto* strobes = new QGroupBox(tr("Strobes"), this);
    auto* strobeForm = new QFormLayout(strobes);
    for (int i = kFirstStrobe; i <= kChargeComplete; ++i)
        addChoice(strobeForm, i);
    auto* middle = new QVBoxLayout;
    middle->addWidget(leds);
    middle->addWidget(strobes);
    middle->addStretch(1);

    // Right: the icon of each band.
    m_icons.SetSize(1, kBandCount);
    QStringList numbers;
    for (int i = 1; i <= kIconChoices; ++i)
        numbers << QString::number(i);
    m_icons.SetFormat(GridBlock::Rows(1, kBandCount, kIconColumn, kIconColumn),
                      {CSpreadSheet1::CellKind::List, 0, 0, CSpreadSheet1::MakeList(numbers)});
    m_icons.SetText(kIconColumn, 0, QStringLiteral("Icon"));
    for (int r = 1; r <= kBandCount; ++r)
        m_icons.SetText(0, r, QString::fromLatin1(kBandNames[static_cast<size_t>(r - 1)]));
    auto* iconBox = new QGroupBox(QStringLiteral("Icon Select"), this);
    auto* iconLayout = new QVBoxLayout(iconBox);
    m_iconView = new SpreadSheetView(iconBox);
    m_iconView->setObjectName(QStringLiteral("Icon Select"));
    m_iconView->SetGrid(&m_icons);
    m_iconView->FitColumns();
    iconLayout->addWidget(m_iconView);

    auto* page = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(display);
    left->addStretch(1);
    page->addLayout(left, 3);
    page->addLayout(middle, 2);
    page->addWidget(iconBox, 2);

    m_shownChoices.assign(m_choices.size(), -1);
}

void CDisplayPage::Load() {
    const vx7::Byte* block = Settings();
    m_contrast->setValue(ContrastPosition(block[kContrastByte]));
    m_dimmer->setValue(block[kDimmerByte]);
    m_shownContrast = m_contrast->value();
    m_shownDimmer = m_dimmer->value();

    for (int r = 1; r <= kBandCount; ++r) {
        m_icons.SetListIndex(kIconColumn, r, block[kBandIconFirst + r - 1]);
        m_shownIcons[static_cast<size_t>(r - 1)] = m_icons.ListIndex(kIconColumn, r);
    }

    const std::vector<rset::ChoiceOption>& choices = Choices();
    for (size_t i = 0; i < choices.size(); ++i) {
        const int index = choices[i].Read(block);
        m_choices[i]->setCurrentIndex(index < choices[i].Count() ? index : -1);
        m_shownChoices[i] = m_choices[i]->currentIndex();
    }

    for (int n = 0; n < kLedCount; ++n) {
        m_swatches[static_cast<size_t>(n)]->LoadLevels(block, n);
        m_shownLeds[static_cast<size_t>(n)] = m_swatches[static_cast<size_t>(n)]->Colour();
    }

    for (size_t i = 0; i < m_flags.size(); ++i) {
        m_flags[i]->setChecked(Flags()[i].Read(block));
        m_shownFlags[i] = m_flags[i]->isChecked();
    }
}

void CDisplayPage::Save() {
    vx7::Byte* block = Settings();
    // A value the control could not show stays unless the user moved it.
    if (m_contrast->value() != m_shownContrast)
        block[kContrastByte] = ContrastByte(m_contrast->value());
    if (m_dimmer->value() != m_shownDimmer)
        block[kDimmerByte] = static_cast<vx7::Byte>(m_dimmer->value());

    if (m_iconView->IsEditing())
        m_iconView->EndEdit();
    for (int r = 1; r <= kBandCount; ++r) {
        const int index = m_icons.ListIndex(kIconColumn, r);
        if (index >= 0 && index != m_shownIcons[static_cast<size_t>(r - 1)])
            block[kBandIconFirst + r - 1] = static_cast<vx7::Byte>(index);
    }

    const std::vector<rset::ChoiceOption>& choices = Choices();
    for (size_t i = 0; i < choices.size(); ++i) {
        const int index = m_choices[i]->currentIndex();
        if (index >= 0 && index != m_shownChoices[i])
            choices[i].Write(block, index);
    }

    for (int n = 0; n < kLedCount; ++n) {
        const CLedSwatch* swatch = m_swatches[static_cast<size_t>(n)];
        if (swatch->Colour() != m_shownLeds[static_cast<size_t>(n)])
            swatch->SaveLevels(block, n);
    }

    for (size_t i = 0; i < m_flags.size(); ++i)
        if (m_flags[i]->isChecked() != m_shownFlags[i])
            Flags()[i].Write(block, m_flags[i]->isChecked());

    // What is in the block now is what the controls show.
    Load();
}

void CDisplayPage::ChooseLed(int n) {
    // The chooser starts from the swatch, which holds the last colour the
    // user confirmed: a second press does not lose the first choice.
    CLedSwatch* swatch = m_swatches[static_cast<size_t>(n)];
    const QColor chosen = QColorDialog::getColor(swatch->Colour(), this);
    if (chosen.isValid())
        swatch->SetColour(chosen);
}
