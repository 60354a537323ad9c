// View Options: how many leading columns of the channel lists stay in place
// while the grid scrolls sideways, and which columns are hidden. OK stores
// the choice as "Columns" in the settings store's group "Settings"; Cancel stores nothing.
#pragma once

#include "settings/ColumnOptions.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QSpinBox;

namespace widgets {

class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    // Starts from the stored "Columns".
    explicit OptionsDialog(QWidget* parent = nullptr);

    // The value the controls show now.
    settings::ColumnOptions Options() const;
    void SetOptions(settings::ColumnOptions options);

    QSpinBox* FreezeBox() const { return m_freeze; }
    // The check box of hide bit k (column k + 2), k from 0 to 15.
    QCheckBox* HideBox(int bit) const { return m_hide.value(bit); }
    int HideBoxCount() const { return static_cast<int>(m_hide.size()); }

    // OK: stores the value and closes.
    void accept() override;

private:
    QSpinBox* m_freeze;
    QList<QCheckBox*> m_hide;
};

} // namespace widgets
