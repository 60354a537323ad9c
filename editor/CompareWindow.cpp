#include "editor/CompareWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace editor {

namespace {

// The columns: the table's name stands on its group's row only.
enum Column { kTable, kRow, kColumn, kThis, kOther, kColumnCount };

// "1 difference", "12 differences".
QString Count(qsizetype n) {
    return n == 1 ? QStringLiteral("1 difference") : QStringLiteral("%1 differences").arg(n);
}

} // namespace

CompareWindow::CompareWindow(const QList<document::diff::Difference>& differences, QWidget* parent)
    : QDialog(parent), m_tree(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("CompareWindow"));

    // A group per table (regions of the same name together), in the order
    // the differences come.
    QHash<QString, QTreeWidgetItem*> groups;
    for (const document::diff::Difference& d : differences) {
        QTreeWidgetItem*& group = groups[d.table];
        if (!group) {
            group = new QTreeWidgetItem(m_tree);
            group->setData(kTable, Qt::UserRole, d.table);
            group->setFirstColumnSpanned(true);
        }
        new QTreeWidgetItem(group, {QString(), d.row, d.column, d.before, d.after});
    }
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_tree->topLevelItem(i);
        item->setText(kTable, QStringLiteral("%1 (%2)")
                                  .arg(item->data(kTable, Qt::UserRole).toString())
                                  .arg(item->childCount()));
    }
    m_tree->setHeaderLabels({QStringLiteral("Table"), QStringLiteral("Row"),
                             QStringLiteral("Column"), QStringLiteral("This file"),
                             QStringLiteral("Other file")});
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tree->setUniformRowHeights(true);
    m_tree->expandAll();
    for (int c = kTable; c < kOther; ++c)
        m_tree->resizeColumnToContents(c);

    auto* summary =
        new QLabel(differences.isEmpty() ? QStringLiteral("The two radios' memories are the same.")
                                         : QStringLiteral("%1 in %2 %3.")
                                               .arg(Count(differences.size()))
                                               .arg(groups.size())
                                               .arg(groups.size() == 1 ? QStringLiteral("table")
                                                                       : QStringLiteral("tables")),
                   this);
    summary->setObjectName(QStringLiteral("summary"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copy"));
    copy->setEnabled(!differences.isEmpty());
    copy->setAutoDefault(false);
    buttons->button(QDialogButtonBox::Close)->setDefault(true);
    connect(copy, &QPushButton::clicked, this, &CompareWindow::Copy);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* copyKey = new QAction(QStringLiteral("Copy"), this);
    copyKey->setShortcut(QKeySequence::Copy);
    copyKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copyKey, &QAction::triggered, this, &CompareWindow::Copy);
    addAction(copyKey);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(m_tree);
    layout->addWidget(buttons);
    resize(900, 500);
}

QString CompareWindow::CopyText() const {
    // A selected group stands for all of its rows.
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    QStringList lines;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* group = m_tree->topLevelItem(i);
        const bool wholeGroup = selected.isEmpty() || group->isSelected();
        for (int k = 0; k < group->childCount(); ++k) {
            const QTreeWidgetItem* item = group->child(k);
            if (!wholeGroup && !item->isSelected())
                continue;
            QStringList fields{group->data(kTable, Qt::UserRole).toString()};
            for (int c = kRow; c < kColumnCount; ++c)
                fields << item->text(c);
            lines << fields.join(QLatin1Char('\t'));
        }
    }
    return lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void CompareWindow::Copy() const {
    const QString text = CopyText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

} // namespace editor
