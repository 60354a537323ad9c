// The window of File Compare With...: what differs from the document to
// another file, as a table (table, row, column, this file, other file)
// grouped by table, each group's row saying how many differences it holds.
// Copy (the button or Ctrl+C) puts the selected differences, or all of them
// when none is selected, on the clipboard as tab-separated lines with the
// table's name; Close closes the window.
#pragma once

#include "document/DocumentDiff.h"

#include <QDialog>

class QTreeWidget;

namespace editor {

class CompareWindow : public QDialog {
    Q_OBJECT

public:
    CompareWindow(const QList<document::diff::Difference>& differences, QWidget* parent = nullptr);

    // The text Copy puts on the clipboard: a line per difference, its five
    // fields separated by tabs.
    QString CopyText() const;
    void Copy() const;

private:
    QTreeWidget* m_tree;
};

} // namespace editor
