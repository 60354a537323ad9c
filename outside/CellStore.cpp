#include "outside/CellStore.h"

#include "outside/DelimitedText.h"

#include <QLocale>

#include <algorithm>
#include <numeric>

namespace outside {

namespace {

constexpr QChar kTab = QLatin1Char('\t');
constexpr QChar kLf = QLatin1Char('\n');

bool IsCheckedText(const QString& text) {
    return text == QLatin1String("1") ||
           text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
           text.compare(QLatin1String("on"), Qt::CaseInsensitive) == 0 ||
           text.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0 ||
           text.compare(QLatin1String("x"), Qt::CaseInsensitive) == 0;
}

// A number in a cell text, C locale; false when the text is none.
bool ToNumber(const QString& text, double& value) {
    bool ok = false;
    value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok;
}

} // namespace

// ---------------------------------------------------------------------------
// Choice lists
// ---------------------------------------------------------------------------

CellStore::ChoiceList::ChoiceList(QStringList items, bool editable)
    : m_items(std::move(items)), m_editable(editable) {
    m_exact.reserve(m_items.size());
    m_folded.reserve(m_items.size());
    // Equal items: the first one is found.
    for (int i = 0; i < m_items.size(); ++i) {
        if (!m_exact.contains(m_items[i]))
            m_exact.insert(m_items[i], i);
        const QString folded = m_items[i].toCaseFolded();
        if (!m_folded.contains(folded))
            m_folded.insert(folded, i);
    }
}

int CellStore::ChoiceList::IndexOf(const QString& text) const {
    const auto exact = m_exact.constFind(text);
    if (exact != m_exact.constEnd())
        return exact.value();
    const auto folded = m_folded.constFind(text.toCaseFolded());
    return folded == m_folded.constEnd() ? -1 : folded.value();
}

CellStore::List CellStore::MakeList(QStringList items, bool editable) {
    return std::make_shared<const ChoiceList>(std::move(items), editable);
}

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
    std::vector<Cell> cells(static_cast<size_t>(cols) * static_cast<size_t>(rows));
    const int keepCols = std::min(cols, m_cols);
    const int keepRows = std::min(rows, m_rows);
    for (int r = 1; r <= keepRows; ++r) {
        for (int c = 1; c <= keepCols; ++c)
            cells[static_cast<size_t>(r - 1) * cols + (c - 1)] = std::move(*At(c, r));
    }
    m_cells = std::move(cells);
    m_cols = cols;
    m_rows = rows;
    m_columnHeaders.resize(cols + 1);
    m_rowLabels.resize(rows + 1);
    m_columns.resize(static_cast<size_t>(cols) + 1);
    m_frozenCols = std::min(m_frozenCols, cols);
    m_selection = Clip(m_selection);
    m_hasBaseline = false;
    m_baseline.clear();
    endResetModel();
}

int CellStore::ColumnsInUse() const {
    int inUse = 0;
    for (int r = 1; r <= m_rows; ++r) {
        for (int c = m_cols; c > inUse; --c) {
            if (!At(c, r)->text.isEmpty()) {
                inUse = c;
                break;
            }
        }
    }
    return inUse;
}

void CellStore::Reset() {
    beginResetModel();
    m_rows = 0;
    m_cols = 0;
    m_cells.clear();
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
    m_hasBaseline = false;
    m_baseline.clear();
    endResetModel();
}

// ---------------------------------------------------------------------------
// Cells
// ---------------------------------------------------------------------------

CellStore::Cell* CellStore::At(int col, int row) {
    return &m_cells[static_cast<size_t>(row - 1) * static_cast<size_t>(m_cols) + (col - 1)];
}

const CellStore::Cell* CellStore::At(int col, int row) const {
    return &m_cells[static_cast<size_t>(row - 1) * static_cast<size_t>(m_cols) + (col - 1)];
}

QString CellStore::Text(int col, int row) const {
    if (row == 0)
        return col >= 0 && col <= m_cols ? m_columnHeaders[col] : QString();
    if (col == 0)
        return row >= 0 && row <= m_rows ? m_rowLabels[row] : QString();
    return IsCell(col, row) ? At(col, row)->text : QString();
}

void CellStore::ApplyText(Cell& cell, const QString& text) {
    if (text.isEmpty()) {
        ClearData(cell);
        return;
    }
    switch (cell.kind) {
    case CellKind::Text:
        cell.text =
            cell.maxLength > 0 && text.size() > cell.maxLength ? text.left(cell.maxLength) : text;
        cell.listIndex = -1;
        return;
    case CellKind::Number:
        cell.text = text;
        cell.listIndex = -1;
        return;
    case CellKind::CheckBox:
        cell.text = IsCheckedText(text) ? QStringLiteral("1") : QStringLiteral("0");
        cell.listIndex = -1;
        return;
    case CellKind::List:
        if (!cell.list) {
            cell.text = text;
            cell.listIndex = -1;
            return;
        }
        const int index = cell.list->IndexOf(text);
        if (index >= 0) {
            cell.listIndex = static_cast<qint16>(index);
            cell.text = cell.list->Items()[index];
        } else {
            cell.listIndex = -1;
            cell.text = cell.list->Editable() ? text : QString();
        }
        return;
    }
}

void CellStore::ApplyListIndex(Cell& cell, int index) {
    if (cell.kind == CellKind::List && cell.list && index >= 0 && index < cell.list->Count()) {
        cell.listIndex = static_cast<qint16>(index);
        cell.text = cell.list->Items()[index];
        return;
    }
    ClearData(cell);
}

void CellStore::ClearData(Cell& cell) {
    cell.text.clear();
    cell.listIndex = -1;
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
    ApplyText(*At(col, row), text);
    NotifyCells(GridBlock::Cell(col, row));
}

void CellStore::SetValue(int col, int row, double value) {
    if (!IsCell(col, row))
        return;
    const Cell* cell = At(col, row);
    const int decimals = cell->kind == CellKind::Number ? cell->decimals : -1;
    SetText(col, row,
            decimals >= 0 ? QLocale::c().toString(value, 'f', decimals)
                          : QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest));
}

int CellStore::ListIndex(int col, int row) const {
    return IsCell(col, row) ? At(col, row)->listIndex : -1;
}

void CellStore::SetListIndex(int col, int row, int index) {
    if (!IsCell(col, row))
        return;
    ApplyListIndex(*At(col, row), index);
    NotifyCells(GridBlock::Cell(col, row));
}

CellStore::CellKind CellStore::Kind(int col, int row) const {
    return IsCell(col, row) ? At(col, row)->kind : CellKind::Text;
}

CellStore::List CellStore::CellList(int col, int row) const {
    return IsCell(col, row) ? At(col, row)->list : List();
}

int CellStore::MaxLength(int col, int row) const {
    return IsCell(col, row) ? At(col, row)->maxLength : 0;
}

int CellStore::Decimals(int col, int row) const {
    return IsCell(col, row) ? At(col, row)->decimals : 0;
}

bool CellStore::IsLocked(int col, int row) const {
    return IsCell(col, row) && At(col, row)->locked;
}

void CellStore::SetFormat(const GridBlock& block, const CellFormat& format) {
    const GridBlock b = Clip(block);
    if (!b.IsValid())
        return;
    const bool isList = format.kind == CellKind::List;
    for (int r = b.row1; r <= b.row2; ++r) {
        for (int c = b.col1; c <= b.col2; ++c) {
            Cell& cell = *At(c, r);
            cell.kind = format.kind;
            cell.decimals = static_cast<qint8>(std::clamp(format.decimals, 0, 15));
            cell.maxLength = static_cast<qint16>(std::clamp(format.maxLength, 0, 32767));
            cell.list = isList ? format.list : List();
            if (!cell.text.isEmpty()) {
                const QString text = cell.text;
                ApplyText(cell, text);
            }
        }
    }
    if (!m_redraw)
        m_pendingColumns = true;
    NotifyCells(b);
}

void CellStore::SetLock(const GridBlock& block, bool locked) {
    const GridBlock b = Clip(block);
    if (!b.IsValid())
        return;
    for (int r = b.row1; r <= b.row2; ++r) {
        for (int c = b.col1; c <= b.col2; ++c)
            At(c, r)->locked = locked;
    }
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

GridBlock CellStore::Clip(const GridBlock& block) const {
    if (!block.IsValid())
        return GridBlock{};
    GridBlock b{std::max(block.col1, 1), std::max(block.row1, 1), std::min(block.col2, m_cols),
                std::min(block.row2, m_rows)};
    return b.IsValid() && b.col1 <= m_cols && b.row1 <= m_rows ? b : GridBlock{};
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
            text += outside::delimited::QuoteField(At(c, r)->text, kTab);
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
            ApplyText(*At(col + k, r), fields[k]);
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

void CellStore::TakeContents(Cell& to, const Cell& from) {
    to.locked = from.locked;
    if (to.kind == from.kind && to.list == from.list) {
        to.text = from.text;
        to.listIndex = from.listIndex;
        return;
    }
    ApplyText(to, from.text);
}

void CellStore::MoveBlock(const GridBlock& block, int destCol, int destRow) {
    const GridBlock src = Clip(block);
    if (!src.IsValid())
        return;
    const int dc = destCol - src.col1;
    const int dr = destRow - src.row1;
    if (dc == 0 && dr == 0)
        return;
    // Take the source contents out first, so that overlapping moves work.
    std::vector<Cell> moved;
    moved.reserve(static_cast<size_t>(src.ColumnCount()) * src.RowCount());
    for (int r = src.row1; r <= src.row2; ++r) {
        for (int c = src.col1; c <= src.col2; ++c) {
            moved.push_back(*At(c, r));
            ClearData(*At(c, r));
        }
    }
    size_t k = 0;
    for (int r = src.row1; r <= src.row2; ++r) {
        for (int c = src.col1; c <= src.col2; ++c, ++k) {
            if (IsCell(c + dc, r + dr))
                TakeContents(*At(c + dc, r + dr), moved[k]);
        }
    }
    const GridBlock dest = Clip(GridBlock{destCol, destRow, src.col2 + dc, src.row2 + dr});
    NotifyCells(src);
    if (dest.IsValid())
        NotifyCells(dest);
}

void CellStore::ClearBlock(const GridBlock& block, bool dataOnly) {
    const GridBlock b = Clip(block);
    if (!b.IsValid())
        return;
    for (int r = b.row1; r <= b.row2; ++r) {
        for (int c = b.col1; c <= b.col2; ++c) {
            Cell& cell = *At(c, r);
            if (dataOnly)
                ClearData(cell);
            else
                cell = Cell{};
        }
    }
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

    // Compares the key cells of two rows: <0, 0 or >0, empties last.
    auto compareCells = [](const Cell& x, const Cell& y, SortOrder order) {
        const bool xEmpty = x.text.isEmpty();
        const bool yEmpty = y.text.isEmpty();
        if (xEmpty || yEmpty)
            return xEmpty == yEmpty ? 0 : (xEmpty ? 1 : -1);
        int result = 0;
        double xValue = 0;
        double yValue = 0;
        if (x.kind == CellKind::List && x.listIndex >= 0 && y.listIndex >= 0 && x.list == y.list) {
            result = x.listIndex < y.listIndex ? -1 : (x.listIndex > y.listIndex ? 1 : 0);
        } else if (ToNumber(x.text, xValue) && ToNumber(y.text, yValue)) {
            result = xValue < yValue ? -1 : (xValue > yValue ? 1 : 0);
        } else {
            result = x.text.compare(y.text, Qt::CaseInsensitive);
            if (result == 0)
                result = x.text.compare(y.text, Qt::CaseSensitive);
        }
        return order == SortOrder::Descending ? -result : result;
    };

    std::vector<int> rows(static_cast<size_t>(b.RowCount()));
    std::iota(rows.begin(), rows.end(), b.row1);
    std::stable_sort(rows.begin(), rows.end(), [&](int ra, int rb) {
        for (const SortKey& key : keys) {
            const int result = compareCells(*At(key.col, ra), *At(key.col, rb), key.order);
            if (result != 0)
                return result < 0;
        }
        return false;
    });

    std::vector<Cell> sorted;
    sorted.reserve(static_cast<size_t>(b.ColumnCount()) * rows.size());
    for (const int r : rows) {
        for (int c = b.col1; c <= b.col2; ++c)
            sorted.push_back(*At(c, r));
    }
    size_t k = 0;
    for (int r = b.row1; r <= b.row2; ++r) {
        for (int c = b.col1; c <= b.col2; ++c, ++k) {
            Cell& cell = *At(c, r);
            cell.text = std::move(sorted[k].text);
            cell.listIndex = sorted[k].listIndex;
            cell.locked = sorted[k].locked;
        }
    }
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
    const int col1 = m_mutedRule ? 1 : block.col1;
    const int col2 = m_mutedRule ? m_cols : block.col2;
    emit dataChanged(index(block.row1 - 1, col1 - 1), index(block.row2 - 1, col2 - 1));
}

void CellStore::SetMutedRule(MutedRule rule) {
    m_mutedRule = std::move(rule);
    if (m_rows > 0 && m_cols > 0)
        NotifyCells({1, 1, m_cols, m_rows});
}

bool CellStore::IsMuted(int col, int row) const {
    return m_mutedRule && IsCell(col, row) && m_mutedRule(*this, col, row);
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
// Baseline
// ---------------------------------------------------------------------------

void CellStore::TakeBaseline() {
    m_baseline.resize(m_cells.size());
    for (size_t i = 0; i < m_cells.size(); ++i)
        m_baseline[i] = m_cells[i].text;
    m_hasBaseline = true;
}

void CellStore::TakeRowBaseline(int row) {
    if (row < 1 || row > m_rows || !m_hasBaseline)
        return;
    const size_t first = static_cast<size_t>(row - 1) * static_cast<size_t>(m_cols);
    for (size_t i = first; i < first + static_cast<size_t>(m_cols); ++i)
        m_baseline[i] = m_cells[i].text;
}

void CellStore::DropBaseline() {
    m_baseline.clear();
    m_hasBaseline = false;
}

bool CellStore::CellMatchesBaseline(int col, int row) const {
    if (!m_hasBaseline || !IsCell(col, row))
        return false;
    const size_t i = static_cast<size_t>(row - 1) * static_cast<size_t>(m_cols) + (col - 1);
    return m_cells[i].text == m_baseline[i];
}

bool CellStore::RowMatchesBaseline(int row) const {
    if (!m_hasBaseline || row < 1 || row > m_rows)
        return false;
    for (int c = 1; c <= m_cols; ++c) {
        if (!CellMatchesBaseline(c, row))
            return false;
    }
    return true;
}

bool CellStore::ColumnMatchesBaseline(int col) const {
    if (!m_hasBaseline || col < 1 || col > m_cols)
        return false;
    for (int r = 1; r <= m_rows; ++r) {
        if (!CellMatchesBaseline(col, r))
            return false;
    }
    return true;
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
    const Cell& cell = *At(col, row);
    switch (role) {
    case Qt::DisplayRole:
        if (cell.kind == CellKind::CheckBox)
            return {};
        return cell.text;
    case Qt::EditRole:
        return cell.text;
    case Qt::CheckStateRole:
        if (cell.kind != CellKind::CheckBox)
            return {};
        return cell.text == QLatin1String("1") ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        if (cell.kind == CellKind::Number)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        if (cell.kind == CellKind::CheckBox)
            return QVariant::fromValue(Qt::AlignCenter);
        return {};
    case KindRole:
        return static_cast<int>(cell.kind);
    case ListItemsRole:
        return cell.list ? cell.list->Items() : QStringList();
    case ListIndexRole:
        return static_cast<int>(cell.listIndex);
    case ListEditableRole:
        return cell.list && cell.list->Editable();
    case LockRole:
        return cell.locked;
    case MaxLengthRole:
        return static_cast<int>(cell.maxLength);
    case DecimalsRole:
        return static_cast<int>(cell.decimals);
    case MutedRole:
        return IsMuted(col, row);
    default:
        return {};
    }
}

bool CellStore::setData(const QModelIndex& idx, const QVariant& value, int role) {
    const int col = GridColumn(idx);
    const int row = GridRow(idx);
    if (!idx.isValid() || !IsCell(col, row))
        return false;
    Cell& cell = *At(col, row);
    if (cell.locked)
        return false;
    switch (role) {
    case Qt::EditRole:
    case Qt::DisplayRole:
        SetText(col, row, value.toString());
        emit changed(col, row);
        return true;
    case ListIndexRole:
        SetListIndex(col, row, value.toInt());
        emit changed(col, row);
        return true;
    case Qt::CheckStateRole: {
        if (cell.kind != CellKind::CheckBox)
            return false;
        const bool on = value.toInt() == Qt::Checked;
        SetChecked(col, row, on);
        emit buttonClicked(col, row, on ? Qt::Checked : Qt::Unchecked);
        emit changed(col, row);
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
    const Cell& cell = *At(col, row);
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (cell.locked)
        return f;
    if (cell.kind == CellKind::CheckBox)
        return f | Qt::ItemIsUserCheckable;
    return f | Qt::ItemIsEditable;
}

} // namespace outside
