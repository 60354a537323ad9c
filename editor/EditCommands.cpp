#include "editor/EditCommands.h"

#include "document/DocumentHistory.h"

#include "document/RadioDocument.h"
#include "outside/CellStore.h"
#include "radio/ChannelTables.h"
#include "radio/RowCommands.h"
#include "widgets/Actions.h"
#include "widgets/GridView.h"
#include "widgets/SortDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>

#include <algorithm>

using namespace radio;
using rows::Command;

namespace editor {

namespace {

constexpr const char* kRowsLost = "Upper memories will be lost.\nContinue?";
constexpr const char* kPasteRowsLost =
    "The copied rows that do not fit below the last row will be lost.\nContinue?";
constexpr const char* kMoveRowsLost =
    "The moved rows that do not fit below the last row will be lost.\nContinue?";
constexpr const char* kNothingToPaste = "The clipboard holds no rows copied from a channel table.";
constexpr const char* kWrongKind = "Rows copied from \"%1\" cannot be pasted into \"%2\": "
                                   "%3 paste only where %3 are kept.";
constexpr const char* kNoRowsToSort = "No channels were selected for sorting.";

// The Edit menu's actions and the row commands they run.
const struct {
    const char* action;
    Command command;
} kRowCommands[] = {
    {"edit.cut", Command::Cut},
    {"edit.copy", Command::Copy},
    {"edit.paste", Command::Paste},
    {"edit.insert", Command::Insert},
    {"edit.delete", Command::Delete},
    {"edit.sort", Command::Sort},
    {"edit.setPriority", Command::SetPriority},
};

} // namespace

EditCommands::EditCommands(std::unique_ptr<EditView> view)
    : QObject(view->Widget()), m_viewOwner(std::move(view)), m_view(*m_viewOwner) {}

std::optional<Command> EditCommands::CommandNamed(const QString& action) {
    for (const auto& entry : kRowCommands) {
        if (action == QLatin1String(entry.action))
            return entry.command;
    }
    return std::nullopt;
}

outside::CellStore& EditCommands::CurrentCells() const {
    return m_view.Cells(m_view.CurrentTab());
}

bool EditCommands::IsEnabled(Command command) const {
    const int tab = m_view.CurrentTab();
    if (!rows::Offered(tab, command))
        return false;
    if (command == Command::SetPriority) {
        const ChannelDraft* d = m_view.Channels(tab).Channel(m_view.Grid(tab)->ActiveRow(), 0);
        return d && NamesChannel(d->rx);
    }
    return true;
}

void EditCommands::Run(Command command) {
    if (!IsEnabled(command))
        return; // not offered here: nothing happens
    switch (command) {
    case Command::Cut:
        Cut();
        break;
    case Command::Copy:
        Copy();
        break;
    case Command::Paste:
        Paste();
        break;
    case Command::Insert:
        Insert();
        break;
    case Command::Delete:
        Delete();
        break;
    case Command::Sort:
        Sort();
        break;
    case Command::SetPriority:
        SetPriority();
        break;
    case Command::Drag:
        break;
    }
}

bool EditCommands::SelectedRows(int* r1, int* r2) const {
    const outside::CellStore& grid = CurrentCells();
    *r1 = grid.SelectionFirstRow();
    *r2 = grid.SelectionLastRow();
    if (*r1 < 1 || *r2 < 1)
        return false;
    const int last = std::min(rows::LastRow(m_view.CurrentTab()), grid.MaxRows());
    *r2 = std::min(*r2, last);
    return *r1 <= *r2;
}

void EditCommands::SelectRows(int r1, int r2) {
    outside::CellStore& grid = CurrentCells();
    grid.SelectBlock(rows::WholeRows(grid, r1, r2));
}

void EditCommands::PutOnClipboard(int r1, int r2) {
    const outside::CellStore& grid = CurrentCells();
    auto* mime = new QMimeData;
    mime->setText(grid.CopyBlock(rows::WholeRows(grid, r1, r2)));
    mime->setData(QString::fromLatin1(kRowsMime), QByteArray::number(m_view.CurrentTab()));
    QApplication::clipboard()->setMimeData(mime);
    m_copiedSpan = r2 - r1;
}

bool EditCommands::AskRowsLost(const QString& caption) const {
    const QString text = caption == QLatin1String("Insert")  ? QString::fromLatin1(kRowsLost)
                         : caption == QLatin1String("Paste") ? QString::fromLatin1(kPasteRowsLost)
                                                             : QString::fromLatin1(kMoveRowsLost);
    return QMessageBox::question(m_view.Widget(), caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void EditCommands::Warn(const QString& caption, const QString& text) const {
    QMessageBox::warning(m_view.Widget(), caption, text);
}

void EditCommands::Change(const QString& text, const std::function<void()>& change,
                          const std::function<void()>& followUp) {
    document::RadioDocument& doc = m_view.Document();
    const auto own = m_view.OwnChange();
    doc.History().Record(text, [&] {
        change();
        m_view.CommitGrids(false); // part of this step
        if (followUp)
            followUp();
    });
    // The table shows the image again: locks, row labels and the values as
    // kept. (The groups grid was filled again where the groups changed.)
    m_view.ShowTable(m_view.CurrentTab());
}

std::function<void()> EditCommands::ShowGroups() {
    return [this] { m_view.ShowTable(tab::kGroups); };
}

void EditCommands::Cut() {
    int r1 = 0;
    int r2 = 0;
    if (!SelectedRows(&r1, &r2))
        return;
    const int tab = m_view.CurrentTab();
    SelectRows(r1, r2);
    PutOnClipboard(r1, r2);
    Change(
        QStringLiteral("Cut"),
        [&] {
            outside::CellStore& grid = CurrentCells();
            rows::ClearRows(grid, r1, r2);
            if (tab == tab::kGroups)
                rows::PackGroups(grid);
        },
        [&] {
            if (tab == tab::kMemories)
                rows::FollowMemoryRows(m_view.Document().Radio(), 0, r1, r2, ShowGroups());
        });
    SelectRows(r1, r2);
}

void EditCommands::Copy() {
    int r1 = 0;
    int r2 = 0;
    if (!SelectedRows(&r1, &r2))
        return;
    SelectRows(r1, r2);
    PutOnClipboard(r1, r2);
}

void EditCommands::Paste() {
    int r1 = 0;
    int r2 = 0;
    if (!SelectedRows(&r1, &r2))
        return;
    const int tab = m_view.CurrentTab();
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    const QString format = QString::fromLatin1(kRowsMime);
    if (!mime || !mime->hasFormat(format)) {
        Warn(QStringLiteral("Paste"), QString::fromLatin1(kNothingToPaste));
        return;
    }
    bool ok = false;
    const int from = mime->data(format).toInt(&ok);
    if (!ok || from < 0 || from >= tab::kCount) {
        Warn(QStringLiteral("Paste"), QString::fromLatin1(kNothingToPaste));
        return;
    }
    if (rows::KindOf(from) != rows::KindOf(tab)) {
        Warn(QStringLiteral("Paste"),
             QString::fromLatin1(kWrongKind)
                 .arg(QString::fromLatin1(TabName(from)), QString::fromLatin1(TabName(tab)),
                      rows::KindName(rows::KindOf(from))));
        return;
    }
    const QString text = mime->text();
    const QList<QStringList> copied = rows::ParseRows(text);
    if (copied.isEmpty())
        return;
    if (rows::CopiedRowsFallOff(tab, r1, copied) && !AskRowsLost(QStringLiteral("Paste")))
        return;
    const int count = static_cast<int>(copied.size());
    // The selection grows to the copied rows, within the table.
    const int last = std::min(std::max(r2, r1 + count - 1), rows::LastRow(tab));
    Change(QStringLiteral("Paste"), [&] {
        outside::CellStore& grid = CurrentCells();
        rows::PasteRows(grid, tab, r1, text);
        if (tab == tab::kGroups)
            rows::PackGroups(grid);
    });
    SelectRows(r1, last);
}

void EditCommands::Insert() {
    int r1 = 0;
    int r2 = 0;
    if (!SelectedRows(&r1, &r2))
        return;
    const int tab = m_view.CurrentTab();
    int first = 0;
    int last = 0;
    rows::RowsFallingOff(tab, r1, r2, &first, &last);
    if (rows::AnyHoldsChannel(m_view.Channels(tab), tab, first, last) &&
        !AskRowsLost(QStringLiteral("Insert")))
        return;
    Change(
        QStringLiteral("Insert"), [&] { rows::InsertRows(CurrentCells(), tab, r1, r2); },
        [&] {
            if (tab == tab::kMemories)
                rows::FollowMemoryRows(m_view.Document().Radio(), 2, r1, r2, ShowGroups());
        });
    SelectRows(r1, r2);
}

void EditCommands::Delete() {
    int r1 = 0;
    int r2 = 0;
    if (!SelectedRows(&r1, &r2))
        return;
    const int tab = m_view.CurrentTab();
    Change(
        QStringLiteral("Delete"), [&] { rows::DeleteRows(CurrentCells(), tab, r1, r2); },
        [&] {
            if (tab == tab::kMemories)
                rows::FollowMemoryRows(m_view.Document().Radio(), 1, r1, r2, ShowGroups());
        });
    SelectRows(r1, r2);
}

void EditCommands::Sort() {
    int r1 = 0;
    int r2 = 0;
    if (!SelectedRows(&r1, &r2))
        return;
    const int tab = m_view.CurrentTab();
    outside::CellStore& grid = CurrentCells();
    outside::SortOptions options = m_lastSort;
    options.columnCount = std::min(grid.MaxCols(), outside::SortOptions::kMaxColumns);
    for (int c = 1; c <= options.columnCount; ++c)
        options.titles[static_cast<size_t>(c - 1)] =
            grid.Text(c, 0).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool confirmed =
        m_sortChooser ? m_sortChooser(options) : widgets::Sort(m_view.Widget(), options);
    if (!confirmed)
        return;
    m_lastSort = options;
    if (options.scope == outside::SortOptions::kSelectedRows) {
        if (r1 == r2) {
            QMessageBox::warning(m_view.Widget(), QStringLiteral("Sort Error"),
                                 QString::fromLatin1(kNoRowsToSort));
            return;
        }
    } else if (options.scope == outside::SortOptions::kAllRows) {
        r1 = 1;
        r2 = std::min(rows::LastRow(tab), grid.MaxRows());
    } else {
        return;
    }
    const auto order = options.order == outside::SortOptions::kDescending
                           ? outside::CellStore::SortOrder::Descending
                           : outside::CellStore::SortOrder::Ascending;
    const int key1 = std::clamp(options.firstKey, 1, options.columnCount);
    const int key2 = options.secondKey <= options.columnCount ? options.secondKey : 0;
    std::vector<int> moved;
    Change(
        QStringLiteral("Sort"),
        [&] { moved = rows::SortRows(CurrentCells(), r1, r2, key1, key2, order); },
        [&] {
            // The groups and the priority channel keep their channels.
            if (tab == tab::kMemories)
                rows::FollowSortedMemories(m_view.Document().Radio(), r1, moved, ShowGroups());
        });
}

void EditCommands::SetPriority() {
    const int tab = m_view.CurrentTab();
    outside::CellStore& grid = CurrentCells();
    const int row = m_view.Grid(tab)->ActiveRow();
    document::RadioDocument& doc = m_view.Document();
    const int before = doc.Radio().PriorityChannel();
    const auto own = m_view.OwnChange();
    const bool changed = doc.History().Record(QStringLiteral("Set Priority"),
                                              [&] { doc.Radio().SetPriorityChannel(row); });
    if (!changed)
        return;
    grid.SetText(0, before, QString::number(before));
    grid.SetText(0, row, QStringLiteral("P%1").arg(row));
}

QMenu* EditCommands::BuildContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("EditContextMenu"));
    for (const char* name : widgets::actions::EditMenu().items) {
        const widgets::actions::Command* command =
            widgets::actions::Find(QString::fromLatin1(name));
        if (!command) {
            menu->addSeparator();
            continue;
        }
        QAction* action = widgets::actions::MakeMenuItem(*command, menu);
        document::DocumentHistory& history = m_view.Document().History();
        const std::optional<Command> row = CommandNamed(action->objectName());
        // Undo and Redo are the Edit menu's, with its state.
        if (!row) {
            const bool undo = action->objectName() == QLatin1String("edit.undo");
            action->setEnabled(undo ? history.CanUndo() : history.CanRedo());
            connect(action, &QAction::triggered, this, [this, undo] {
                if (!m_view.CommitGrids(true))
                    return;
                document::DocumentHistory& steps = m_view.Document().History();
                if (undo)
                    steps.Undo();
                else
                    steps.Redo();
            });
            continue;
        }
        action->setEnabled(IsEnabled(*row));
        connect(action, &QAction::triggered, this, [this, command = *row] {
            // As from the menu: the grids are committed first.
            if (m_view.CommitGrids(true))
                Run(command);
        });
    }
    // The status bar tells what the hovered item does ("Select Priority
    // Channel").
    connect(menu, &QMenu::hovered, this, [this](QAction* action) {
        if (!action->statusTip().isEmpty())
            m_view.StatusMessage(action->statusTip());
    });
    return menu;
}

void EditCommands::ShowContextMenu(int tab, const QPoint& globalPos) {
    if (tab != m_view.CurrentTab() || tab == tab::kGroups)
        return;
    QMenu* menu = BuildContextMenu(m_view.Widget());
    menu->exec(globalPos);
    delete menu;
}

void EditCommands::OnBlockDropped(int tab, const outside::GridBlock& from,
                                  const outside::GridBlock& to) {
    if (tab != m_view.CurrentTab() || !rows::Offered(tab, Command::Drag))
        return;
    outside::CellStore& grid = CurrentCells();
    const int last = std::min(rows::LastRow(tab), grid.MaxRows());
    const int r1 = std::max(from.row1, 1);
    const int r2 = std::min(from.row2, last);
    const int dest = std::clamp(to.row1, 1, last);
    if (r1 > r2 || dest == r1)
        return;
    if (!m_view.CommitGrids(true))
        return;
    if (rows::MovedRowsFallOff(m_view.Channels(tab), tab, r1, r2, dest) &&
        !AskRowsLost(QStringLiteral("Move")))
        return;
    Change(QStringLiteral("Move"), [&] { rows::MoveRows(CurrentCells(), tab, r1, r2, dest); });
    SelectRows(dest, std::min(dest + (r2 - r1), last));
}

} // namespace editor
