#include "widgets/SortDialog.h"
#include "widgets/Mnemonics.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace widgets {

SortDialog::SortDialog(const outside::SortOptions& options, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Sort"));
    setObjectName(QStringLiteral("SortDialog"));

    auto* rows = new QGroupBox(QStringLiteral("Sort"), this);
    m_selectedRows = new QRadioButton(QStringLiteral("&Selected rows"), rows);
    m_allRows = new QRadioButton(QStringLiteral("&All rows"), rows);
    auto* rowsLayout = new QVBoxLayout(rows);
    rowsLayout->addWidget(m_selectedRows);
    rowsLayout->addWidget(m_allRows);
    (options.scope == outside::SortOptions::kAllRows ? m_allRows : m_selectedRows)
        ->setChecked(true);

    auto* order = new QGroupBox(QStringLiteral("Order"), this);
    m_ascending = new QRadioButton(QStringLiteral("As&cending"), order);
    m_descending = new QRadioButton(QStringLiteral("&Descending"), order);
    auto* orderLayout = new QVBoxLayout(order);
    orderLayout->addWidget(m_ascending);
    orderLayout->addWidget(m_descending);
    (options.order == outside::SortOptions::kDescending ? m_descending : m_ascending)
        ->setChecked(true);

    const int count = std::clamp(options.columnCount, 1, outside::SortOptions::kMaxColumns);
    m_firstKey = new QComboBox(this);
    m_firstKey->setObjectName(QStringLiteral("FirstKey"));
    m_secondKey = new QComboBox(this);
    m_secondKey->setObjectName(QStringLiteral("SecondKey"));
    m_secondKey->addItem(QStringLiteral("(none)"));
    for (int k = 0; k < count; ++k) {
        m_firstKey->addItem(options.titles[static_cast<size_t>(k)]);
        m_secondKey->addItem(options.titles[static_cast<size_t>(k)]);
    }
    m_firstKey->setCurrentIndex(std::clamp(options.firstKey, 1, count) - 1);
    m_secondKey->setCurrentIndex(
        options.secondKey >= 1 && options.secondKey <= count ? options.secondKey : 0);

    auto* keys = new QFormLayout;
    keys->addRow(QStringLiteral("&Sort by:"), m_firstKey);
    keys->addRow(QStringLiteral("&Then by:"), m_secondKey);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* choices = new QHBoxLayout;
    choices->addWidget(rows);
    choices->addWidget(order);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(keys);
    layout->addWidget(buttons);
    AssignMnemonics(this);
}

void SortDialog::Take(outside::SortOptions& options) const {
    options.scope = m_allRows->isChecked() ? outside::SortOptions::kAllRows
                                           : outside::SortOptions::kSelectedRows;
    options.order = m_descending->isChecked() ? outside::SortOptions::kDescending
                                              : outside::SortOptions::kAscending;
    options.firstKey = m_firstKey->currentIndex() + 1;
    options.secondKey = m_secondKey->currentIndex(); // 0 is "(none)"
}

bool Sort(QWidget* parent, outside::SortOptions& options) {
    SortDialog dialog(options, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.Take(options);
    return true;
}

} // namespace widgets
