#include "dialogs/HistoryDialog.h"
#include "widgets/Mnemonics.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dialogs {

namespace history = radiolink::history;

namespace {

constexpr const char* kCaption = "Radio History";
constexpr const char* kAskDelete = "Delete the image %1 (%2) from the radio history?";
const QStringList kColumns = {QStringLiteral("Time"), QStringLiteral("Direction"),
                              QStringLiteral("Channels"), QStringLiteral("File"),
                              QStringLiteral("Note")};

} // namespace

HistoryDialog::HistoryDialog(bool canCompare, QWidget* parent)
    : QDialog(parent), m_canCompare(canCompare), m_list(new QTreeWidget),
      m_open(new QPushButton(QStringLiteral("&Open"))),
      m_compare(new QPushButton(QStringLiteral("Co&mpare With"))),
      m_send(new QPushButton(QStringLiteral("&Send to radio..."))),
      m_delete(new QPushButton(QStringLiteral("&Delete"))) {
    setObjectName(QStringLiteral("HistoryDlg"));
    setWindowTitle(QString::fromLatin1(kCaption));
    auto* where = new QLabel(
        QStringLiteral("Every image read from or sent to the radio, newest first, kept in %1.")
            .arg(QDir::toNativeSeparators(history::Folder())));
    where->setWordWrap(true);
    where->setTextFormat(Qt::PlainText);

    m_list->setObjectName(QStringLiteral("HistoryList"));
    m_list->setAccessibleName(QString::fromLatin1(kCaption));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels(kColumns);
    m_list->setAllColumnsShowFocus(true);

    m_open->setToolTip(QStringLiteral("Open the image as a new, untitled document"));
    m_compare->setToolTip(QStringLiteral("List what differs from the active document"));
    m_send->setToolTip(QStringLiteral("Open the image and send it to the radio"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, Qt::Vertical);
    for (QPushButton* b : {m_open, m_compare, m_send, m_delete}) {
        b->setAutoDefault(false);
        buttons->addButton(b, QDialogButtonBox::ActionRole);
    }
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_open, &QPushButton::clicked, this, [this] { Choose(Choice::Open); });
    connect(m_compare, &QPushButton::clicked, this, [this] { Choose(Choice::Compare); });
    connect(m_send, &QPushButton::clicked, this, [this] { Choose(Choice::Send); });
    connect(m_delete, &QPushButton::clicked, this, &HistoryDialog::DeleteCurrent);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &HistoryDialog::UpdateButtons);
    connect(m_list, &QTreeWidget::itemActivated, this, [this] { Choose(Choice::Open); });

    auto* row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    row->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(where);
    layout->addLayout(row, 1);
    resize(760, 420);
    widgets::AssignMnemonics(this);
    Fill();
}

QPushButton* HistoryDialog::Button(Choice choice) const {
    switch (choice) {
    case Choice::Open:
        return m_open;
    case Choice::Compare:
        return m_compare;
    case Choice::Send:
        return m_send;
    case Choice::None:
        break;
    }
    return nullptr;
}

void HistoryDialog::Fill() {
    m_entries = history::List();
    m_list->clear();
    for (const history::Entry& e : m_entries) {
        QStringList note;
        if (e.incomplete)
            note << QStringLiteral("incomplete");
        if (e.first)
            note << QStringLiteral("first from this radio");
        auto* item = new QTreeWidgetItem(
            m_list, {e.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                     history::DirectionText(e.direction), QString::number(e.channels), e.fileName,
                     note.join(QStringLiteral(", "))});
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int c = 0; c < kColumns.size(); ++c)
        m_list->resizeColumnToContents(c);
    if (!m_entries.empty())
        m_list->setCurrentItem(m_list->topLevelItem(0));
    UpdateButtons();
}

const history::Entry* HistoryDialog::Current() const {
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    return row >= 0 && row < static_cast<int>(m_entries.size()) ? &m_entries[size_t(row)] : nullptr;
}

void HistoryDialog::UpdateButtons() {
    const bool any = Current() != nullptr;
    m_open->setEnabled(any);
    m_compare->setEnabled(any && m_canCompare);
    m_send->setEnabled(any);
    m_delete->setEnabled(any);
}

void HistoryDialog::Choose(Choice choice) {
    const history::Entry* entry = Current();
    if (!entry || (choice == Choice::Compare && !m_canCompare))
        return;
    m_choice = choice;
    m_chosen = *entry;
    accept();
}

void HistoryDialog::DeleteCurrent() {
    const history::Entry* entry = Current();
    if (!entry)
        return;
    const QString when = entry->time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (QMessageBox::question(
            this, QString::fromLatin1(kCaption),
            QString::fromLatin1(kAskDelete).arg(when, history::DirectionText(entry->direction)),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    if (const auto error = history::Remove(*entry))
        QMessageBox::warning(this, QString::fromLatin1(kCaption), *error);
    Fill();
}

} // namespace dialogs
