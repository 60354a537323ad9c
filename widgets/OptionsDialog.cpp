#include "widgets/OptionsDialog.h"

#include "radio/ChannelColumns.h"
#include "widgets/HelpWindow.h"
#include "widgets/Mnemonics.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace widgets {

namespace {
constexpr int kHideColumnsPerRow = 2;
} // namespace

OptionsDialog::OptionsDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Options"));
    setObjectName(QStringLiteral("optionsDialog"));

    m_freeze = new QSpinBox(this);
    m_freeze->setObjectName(QStringLiteral("freezeColumns"));
    m_freeze->setRange(settings::ColumnOptions::kMinFrozen, settings::ColumnOptions::kMaxFrozen);
    m_freeze->setValue(settings::ColumnOptions::kMinFrozen);
    auto* freezeRow = new QFormLayout;
    freezeRow->addRow(QStringLiteral("Freeze Columns"), m_freeze);

    // One check box for each column the options may hide, in column order;
    // the comment column has none.
    auto* group = new QGroupBox(QStringLiteral("Columns to hide"), this);
    auto* boxes = new QGridLayout(group);
    for (const radio::ColumnDef& def : radio::kChannelColumns) {
        if (def.column < settings::ColumnOptions::kFirstHideable || !def.OptionText())
            continue;
        const int bit = def.column - settings::ColumnOptions::kFirstHideable;
        auto* box = new QCheckBox(QString::fromLatin1(def.OptionText()), group);
        box->setObjectName(QStringLiteral("hide%1").arg(bit));
        boxes->addWidget(box, bit / kHideColumnsPerRow, bit % kHideColumnsPerRow);
        m_hide.append(box);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    HelpWindow::AddHelpButton(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [this] { HelpWindow::ShowTopic(widgets::help::kColumnOptions, this); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(freezeRow);
    layout->addWidget(group);
    layout->addWidget(buttons);
    AssignMnemonics(this);

    SetOptions(settings::ReadColumnOptions());
}

settings::ColumnOptions OptionsDialog::Options() const {
    std::uint32_t bits = 0;
    for (int k = 0; k < m_hide.size(); ++k) {
        if (m_hide[k]->isChecked())
            bits |= 1u << k;
    }
    return settings::ColumnOptions::Make(bits, m_freeze->value());
}

void OptionsDialog::SetOptions(settings::ColumnOptions options) {
    for (int k = 0; k < m_hide.size(); ++k)
        m_hide[k]->setChecked((options.value >> k & 1u) != 0);
    // The spin box keeps to 1 to 4: a stored 0 shows as 1.
    m_freeze->setValue(static_cast<int>(options.value >> settings::ColumnOptions::kFrozenShift));
}

void OptionsDialog::accept() {
    // A store that cannot be written keeps what was there; nothing is said.
    settings::StoreColumnOptions(Options());
    QDialog::accept();
}

} // namespace widgets
