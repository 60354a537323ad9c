// The sort dialog: which rows (the selected ones or all), ascending or
// descending, by which column and then by which other one.
#pragma once

#include "outside/SortOptions.h"

#include <QDialog>

class QComboBox;
class QRadioButton;

namespace widgets {

class SortDialog : public QDialog {
    Q_OBJECT

public:
    SortDialog(const outside::SortOptions& options, QWidget* parent = nullptr);

    // The choice made, written into options (the titles stay).
    void Take(outside::SortOptions& options) const;

    QComboBox* FirstKey() const { return m_firstKey; }
    QComboBox* SecondKey() const { return m_secondKey; }
    QRadioButton* SelectedRows() const { return m_selectedRows; }
    QRadioButton* AllRows() const { return m_allRows; }
    QRadioButton* Ascending() const { return m_ascending; }
    QRadioButton* Descending() const { return m_descending; }

private:
    QRadioButton* m_selectedRows;
    QRadioButton* m_allRows;
    QRadioButton* m_ascending;
    QRadioButton* m_descending;
    QComboBox* m_firstKey;
    QComboBox* m_secondKey;
};

// Runs the dialog; true when the user confirmed, options then filled in.
bool Sort(QWidget* parent, outside::SortOptions& options);

} // namespace widgets
