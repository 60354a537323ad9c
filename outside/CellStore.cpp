#include "outside/CellStore.h"

#include "outside/DelimitedText.h"

#include <QLocale>

#include <algorithm>
#include <numeric>

namespace outside {

namespace {

constexpr QChar kTab = QLatin1Char('\t');
constexpr QChar kLf = QLatin1Char('\n');

} // namespace

// ---------------------------------------------------------------------------
// Size
// ---------------------------------------------------------------------------

CellStore::CellStore(QObject* parent) : QAbstractTableModel(parent) {
    m_columnHeaders.append(QString());
    m_rowLabels.append(QString());
    m_columns.resize(1);
}

CellStore::~CellStore() = default;

void CellStore::SetMaxRows(int rows) {
    Resize(m_cols, rows);
}
void CellStore::SetMaxCols(int cols) {
    Resize(cols, m_rows);
}
void CellStore::SetSize(int cols, int rows) {
    Resize(cols, rows);
}

void CellStore::Resize(int cols, int rows) {
    cols = std::max(cols, 0);
    rows = std::max(rows, 0);
    if (cols == m_cols && rows == m_rows)
        return;
    beginResetModel();
    m_table->Resize(cols, rows);
    FitToTable();
    endResetModel();
}

void CellStore::FitToTable() {
    m_cols = std::max(m_table->Columns(), 0);
    m_rows = std::max(m_table->Rows(), 0);
    m_columnHeaders.resize(m_cols + 1);
    m_rowLabels.resize(m_rows + 1);
    m_columns.resize(static_cast<size_t>(m_cols) + 1);
    m_frozenCols = std::min(m_frozenCols, m_cols);
    m_selection = Clip(m_selection);
}

void CellStore::SetTable(CellTable* table) {
    CellTable* next = table ? table : &m_ownTable;
    if (next == m_table)
        return;
    beginResetModel();
    m_table = next;
    FitToTable();
    endResetModel();
}

int CellStore::ColumnsInUse() const {
    int inUse = 0;
    for (int r = 1; r <= m_rows; ++r) {
        for (int c = m_cols; c > inUse; --c) {
            if (!m_table->Text(c, r).isEmpty()) {
                inUse = c;
                break;
            }
        }
    }
    return inUse;
}

void CellStore::TableChanged(const GridBlock& block, bool lists) {
    const GridBlock b = block.IsValid() ? Clip(block) : GridBlock{1, 1, m_cols, m_rows};
    if (lists) {
        if (m_redraw) {
            if (m_cols > 0)
                emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
            emit columnOptionsChanged();
        } else {
            m_pendingColumns = true;
        }
    }
    if (b.IsValid())
        NotifyCells(b);
}

void CellStore::Reset() {
    beginResetModel();
    m_table->Resize(0, 0);
    m_rows = 0;
    m_cols = 0;
    m_columnHeaders = QStringList{QString()};
    m_rowLabels = QStringList{QString()};
    m_columns.assign(1, Column{});
    m_frozenCols = 0;
    m_mutedRule = nullptr;
    m_activeCol = 1;
    m_activeRow = 1;
    m_selection = GridBlock{};
    m_sortKeys[0] = SortKey{};
    m_sortKeys[1] = SortKey{};
    m_redraw = true;
    m_pendingRedraw = false;
    m_pendingColumns = false;
    endResetModel();
}

// ---------------------------------------------------------------------------
// Cells
// ---------------------------------------------------------------------------

QString CellStore::Text(int col, int row) const {
    if (row == 0)
        return col >= 0 && col <= m_cols ? m_columnHeaders[col] : QString();
    if (col == 0)
        return row >= 0 && row <= m_rows ? m_rowLabels[row] : QString();
    return IsCell(col, row) ? m_table->Text(col, row) : QString();
}

void CellStore::SetText(int col, int row, const QString& text) {
    if (row == 0 && col >= 0 && col <= m_cols) {
        m_columnHeaders[col] = text;
        NotifyHeader(Qt::Horizontal, col, col);
        return;
    }
    if (col == 0 && row >= 1 && row <= m_rows) {
        m_rowLabels[row] = text;
        NotifyHeader(Qt::Vertical, row, row);
        return;
    }
    if (!IsCell(col, row))
        return;
    m_table->SetText(col, row, text);
    NotifyCells(GridBlock::Cell(col, row));
}

void CellStore::SetValue(int col, int row, double value) {
    if (!IsCell(col, row))
        return;
    const int decimals =
        m_table->Kind(col, row) == CellKind::Number ? m_table->Decimals(col, row) : -1;
    SetText(col, row,
            decimals >= 0 ? QLocale::c().toString(value, 'f', decimals)
                          : QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest));
}

void CellStore::SetListIndex(int col, int row, int index) {
    if (!IsCell(col, row))
        return;
    m_table->SetListIndex(col, row, index);
    NotifyCells(GridBlock::Cell(col, row));
}

void CellStore::SetFormat(const GridBlock& block, const CellFormat& format) {
    const GridBlock b = Clip(block);
    if (!b.IsValid())
        return;
    m_table->SetFormat(b, format);
    if (!m_redraw)
        m_pendingColumns = true;
    NotifyCells(b);
}

void CellStore::SetLock(const GridBlock& block, bool locked) {
    const GridBlock b = Clip(block);
    if (!b.IsValid())
        return;
    m_table->SetLock(b, locked);
    NotifyCells(b);
}

// ---------------------------------------------------------------------------
// Columns
// ---------------------------------------------------------------------------

bool CellStore::IsColumnHidden(int col) const {
    return col >= 0 && col <= m_cols && m_columns[static_cast<size_t>(col)].hidden;
}

void CellStore::SetColumnHidden(int col, bool hidden) {
    if (col < 0 || col > m_cols)
        return;
    m_columns[static_cast<size_t>(col)].hidden = hidden;
    if (m_redraw)
        emit columnOptionsChanged();
    else
        m_pendingRedraw = m_pendingColumns = true;
}

int CellStore::ColumnItemValue(int col) const {
    return col >= 0 && col <= m_cols ? m_columns[static_cast<size_t>(col)].itemValue : 0;
}

void CellStore::SetColumnItemValue(int col, int value) {
    if (col >= 0 && col <= m_cols)
        m_columns[static_cast<size_t>(col)].itemValue = value;
}

double CellStore::ColumnWidth(int col) const {
    return col >= 0 && col <= m_cols ? m_columns[static_cast<size_t>(col)].width : 0;
}

void CellStore::SetColumnWidth(int col, double width) {
    if (col < 0 || col > m_cols)
        return;
    m_columns[static_cast<size_t>(col)].width = std::max(width, 0.0);
    if (m_redraw)
        emit columnOptionsChanged();
    else
        m_pendingRedraw = m_pendingColumns = true;
}

void CellStore::SetFrozenColumns(int count) {
    m_frozenCols = std::clamp(count, 0, m_cols);
    if (m_redraw)
        emit columnOptionsChanged();
    else
        m_pendingRedraw = m_pendingColumns = true;
}

// ---------------------------------------------------------------------------
// Active cell and selection
// ---------------------------------------------------------------------------

void CellStore::SetActiveCell(int col, int row) {
    if (col == m_activeCol && row == m_activeRow)
        return;
    m_activeCol = col;
    m_activeRow = row;
    emit activeCellChanged(col, row);
}

void CellStore::SelectBlock(const GridBlock& block) {
    const GridBlock b = block.IsValid() ? Clip(block) : GridBlock{};
    if (b == m_selection)
        return;
    m_selection = b;
    emit blockSelectionChanged();
}

// ---------------------------------------------------------------------------
// Block operations
// ---------------------------------------------------------------------------

QString CellStore::CopyBlock(const GridBlock& block) const {
    const GridBlock b = Clip(block);
    QString text;
    if (!b.IsValid())
        return text;
    for (int r = b.row1; r <= b.row2; ++r) {
        for (int c = b.col1; c <= b.col2; ++c) {
            if (c > b.col1)
                text += kTab;
            text += outside::delimited::QuoteField(m_table->Text(c, r), kTab);
        }
        text += kLf;
    }
    return text;
}

QString CellStore::CutBlock(const GridBlock& block) {
    const QString text = CopyBlock(block);
    ClearBlock(block, true);
    return text;
}

GridBlock CellStore::PasteText(int col, int row, const QString& text) {
    if (!IsCell(col, row))
        return GridBlock{};
    outside::delimited::Reader reader(text, kTab);
    QStringList fields;
    int r = row;
    int lastCol = col - 1;
    int lastRow = row - 1;
    while (r <= m_rows && reader.Next(fields)) {
        for (int k = 0; k < fields.size() && col + k <= m_cols; ++k) {
            m_table->SetText(col + k, r, fields[k]);
            lastCol = std::max(lastCol, col + k);
        }
        lastRow = r;
        ++r;
    }
    const GridBlock written{col, row, lastCol, lastRow};
    if (written.IsValid())
        NotifyCells(written);
    return written.IsValid() ? written : GridBlock{};
}

GridBlock CellStore::Paste(const QString& text) {
    if (!m_selection.IsValid())
        return GridBlock{};
    return PasteText(m_selection.col1, m_selection.row1, text);
}

void CellStore::MoveBlock(const GridBlock& block, int destCol, int destRow) {
    const GridBlock src = Clip(block);
    if (!src.IsValid())
        return;
    const int dc = destCol - src.col1;
    const int dr = destRow - src.row1;
    if (dc == 0 && dr == 0)
        return;
    m_table->MoveBlock(src, destCol, destRow);
    const GridBlock dest = Clip(GridBlock{destCol, destRow, src.col2 + dc, src.row2 + dr});
    NotifyCells(src);
    if (dest.IsValid())
        NotifyCells(dest);
}

void CellStore::ClearBlock(const GridBlock& block, bool dataOnly) {
    const GridBlock b = Clip(block);
    if (!b.IsValid())
        return;
    m_table->ClearBlock(b, dataOnly);
    NotifyCells(b);
}

void CellStore::SetSortKey(int key, int col, SortOrder order) {
    if (key < 1 || key > 2)
        return;
    m_sortKeys[key - 1] = SortKey{std::max(col, 0), order};
}

int CellStore::SortKeyColumn(int key) const {
    return key >= 1 && key <= 2 ? m_sortKeys[key - 1].col : 0;
}

CellStore::SortOrder CellStore::SortKeyOrder(int key) const {
    return key >= 1 && key <= 2 ? m_sortKeys[key - 1].order : SortOrder::None;
}

std::vector<int> CellStore::SortBlockByRows(const GridBlock& block) {
    const GridBlock b = Clip(block);
    if (!b.IsValid() || b.row1 == b.row2)
        return {};
    std::vector<SortKey> keys;
    for (const SortKey& key : m_sortKeys) {
        if (key.col >= 1 && key.col <= m_cols && key.order != SortOrder::None)
            keys.push_back(key);
    }
    if (keys.empty())
        return {};

    // The key cells of every row, read once.
    const size_t count = static_cast<size_t>(b.RowCount());
    const size_t stride = keys.size();
    std::vector<cells::SortCell> keyCells(count * stride);
    for (size_t i = 0; i < count; ++i) {
        const int r = b.row1 + static_cast<int>(i);
        for (size_t k = 0; k < stride; ++k) {
            cells::SortCell& cell = keyCells[i * stride + k];
            const int c = keys[k].col;
            cell.text = m_table->Text(c, r);
            cell.kind = m_table->Kind(c, r);
            cell.listIndex = m_table->ListIndex(c, r);
            cell.list = m_table->List(c, r);
        }
    }
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int z) {
        for (size_t k = 0; k < stride; ++k) {
            const int result = cells::CompareForSort(keyCells[a * stride + k],
                                                     keyCells[z * stride + k], keys[k].order);
            if (result != 0)
                return result < 0;
        }
        return false;
    });

    std::vector<int> rows(count);
    for (size_t i = 0; i < count; ++i)
        rows[i] = b.row1 + order[i];
    m_table->PermuteRows(b, rows);
    NotifyCells(b);
    return rows;
}

// ---------------------------------------------------------------------------
// Redraw switch and change notices
// ---------------------------------------------------------------------------

void CellStore::SetRedraw(bool on) {
    if (on == m_redraw)
        return;
    m_redraw = on;
    if (!on || !m_pendingRedraw)
        return;
    m_pendingRedraw = false;
    const bool columns = m_pendingColumns;
    m_pendingColumns = false;
    if (m_rows > 0 && m_cols > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1));
    // Only changed columns are laid out again: filling the cells anew keeps
    // the columns as they are.
    if (m_cols > 0 && columns)
        emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
    if (m_rows > 0)
        emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
    if (columns)
        emit columnOptionsChanged();
}

void CellStore::NotifyCells(const GridBlock& block) {
    if (!m_redraw) {
        m_pendingRedraw = true;
        return;
    }
    // The muted rule reads a row's cells: a change may mute or unmute any
    // cell of the rows it touches.
    const bool wholeRows = m_mutedRule || m_table->MutesByRow();
    const int col1 = wholeRows ? 1 : block.col1;
    const int col2 = wholeRows ? m_cols : block.col2;
    emit dataChanged(index(block.row1 - 1, col1 - 1), index(block.row2 - 1, col2 - 1));
}

void CellStore::SetMutedRule(MutedRule rule) {
    m_mutedRule = std::move(rule);
    if (m_rows > 0 && m_cols > 0)
        NotifyCells({1, 1, m_cols, m_rows});
}

bool CellStore::IsMuted(int col, int row) const {
    if (!IsCell(col, row))
        return false;
    return m_mutedRule ? m_mutedRule(*this, col, row) : m_table->IsMuted(col, row);
}

void CellStore::NotifyHeader(Qt::Orientation orientation, int first, int last) {
    if (!m_redraw) {
        m_pendingRedraw = true;
        m_pendingColumns = m_pendingColumns || orientation == Qt::Horizontal;
        return;
    }
    // Column 0 and row 0 are no model sections; the corner has no signal.
    if (first >= 1)
        emit headerDataChanged(orientation, first - 1, last - 1);
}

// ---------------------------------------------------------------------------
// The model
// ---------------------------------------------------------------------------

QModelIndex CellStore::CellIndex(int col, int row) const {
    return IsCell(col, row) ? index(row - 1, col - 1) : QModelIndex();
}

int CellStore::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int CellStore::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cols;
}

QVariant CellStore::data(const QModelIndex& idx, int role) const {
    const int col = GridColumn(idx);
    const int row = GridRow(idx);
    if (!idx.isValid() || !IsCell(col, row))
        return {};
    const CellTable& table = *m_table;
    switch (role) {
    case Qt::DisplayRole:
        if (table.Kind(col, row) == CellKind::CheckBox)
            return {};
        return table.Text(col, row);
    case Qt::EditRole:
        return table.Text(col, row);
    case Qt::CheckStateRole:
        if (table.Kind(col, row) != CellKind::CheckBox)
            return {};
        return table.Text(col, row) == QLatin1String("1") ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        switch (table.Kind(col, row)) {
        case CellKind::Number:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        case CellKind::CheckBox:
            return QVariant::fromValue(Qt::AlignCenter);
        default:
            return {};
        }
    case KindRole:
        return static_cast<int>(table.Kind(col, row));
    case ListItemsRole: {
        const List list = table.List(col, row);
        return list ? list->Items() : QStringList();
    }
    case ListIndexRole:
        return table.ListIndex(col, row);
    case ListEditableRole: {
        const List list = table.List(col, row);
        return list && list->Editable();
    }
    case LockRole:
        return table.IsLocked(col, row);
    case MaxLengthRole:
        return table.MaxLength(col, row);
    case DecimalsRole:
        return table.Decimals(col, row);
    case MutedRole:
        return IsMuted(col, row);
    case Qt::AccessibleTextRole:
        return SpokenText(col, row);
    default:
        return {};
    }
}

QString CellStore::SpokenText(int col, int row) const {
    const CellTable& table = *m_table;
    bool rowEmpty = true;
    for (int c = 1; c < m_cols && rowEmpty; ++c)
        rowEmpty = table.Text(c, row).isEmpty();
    if (rowEmpty)
        return QStringLiteral("empty channel");
    const QString text = table.Text(col, row);
    QString spoken = text.isEmpty() ? QStringLiteral("empty") : text;
    if (table.Kind(col, row) == CellKind::CheckBox && !text.isEmpty())
        spoken =
            text == QLatin1String("1") ? QStringLiteral("checked") : QStringLiteral("not checked");
    // What is drawn greyed is said: the value stays, the channel leaves it aside.
    if (table.IsLocked(col, row) || IsMuted(col, row))
        spoken += QStringLiteral(", not used by this channel");
    return spoken;
}

bool CellStore::setData(const QModelIndex& idx, const QVariant& value, int role) {
    const int col = GridColumn(idx);
    const int row = GridRow(idx);
    if (!idx.isValid() || !IsCell(col, row))
        return false;
    if (m_table->IsLocked(col, row))
        return false;
    switch (role) {
    case Qt::EditRole:
    case Qt::DisplayRole:
    case ListIndexRole: {
        if (m_editRules)
            m_editRules->BeforeEdit(col, row);
        const QString text = m_table->Text(col, row);
        const int item = m_table->ListIndex(col, row);
        if (role == ListIndexRole)
            SetListIndex(col, row, value.toInt());
        else
            SetText(col, row, value.toString());
        if (m_editRules &&
            (m_table->Text(col, row) != text || m_table->ListIndex(col, row) != item))
            m_editRules->AfterEdit(col, row);
        return true;
    }
    case Qt::CheckStateRole: {
        if (m_table->Kind(col, row) != CellKind::CheckBox)
            return false;
        const bool on = value.toInt() == Qt::Checked;
        SetChecked(col, row, on);
        if (m_editRules)
            m_editRules->Toggled(col, row, on);
        return true;
    }
    default:
        return false;
    }
}

QVariant CellStore::headerData(int section, Qt::Orientation orientation, int role) const {
    const int n = section + 1;
    if (orientation == Qt::Horizontal) {
        if (n < 1 || n > m_cols)
            return {};
        switch (role) {
        case Qt::DisplayRole:
            return m_columnHeaders[n];
        case ColumnHiddenRole:
            return m_columns[static_cast<size_t>(n)].hidden;
        case ColumnWidthRole:
            return m_columns[static_cast<size_t>(n)].width;
        default:
            return {};
        }
    }
    if (n < 1 || n > m_rows || role != Qt::DisplayRole)
        return {};
    return m_rowLabels[n];
}

Qt::ItemFlags CellStore::flags(const QModelIndex& idx) const {
    const int col = GridColumn(idx);
    const int row = GridRow(idx);
    if (!idx.isValid() || !IsCell(col, row))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_table->IsLocked(col, row))
        return f;
    if (m_table->Kind(col, row) == CellKind::CheckBox)
        return f | Qt::ItemIsUserCheckable;
    return f | Qt::ItemIsEditable;
}

} // namespace outside
