#include "widgets/GridView.h"

#include <QApplication>
#include <QComboBox>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScrollBar>

using Kind = outside::CellStore::CellKind;

namespace widgets {

namespace {

constexpr const char* kBlockMime = "application/x-clonara-grid-block";

// Refuses a text holding a character its filter does not accept.
class CharacterValidator : public QValidator {
public:
    CharacterValidator(GridView::CharacterFilter accepts, QObject* parent)
        : QValidator(parent), m_accepts(std::move(accepts)) {}
    State validate(QString& input, int&) const override {
        for (const QChar ch : input)
            if (!m_accepts(ch))
                return Invalid;
        return Acceptable;
    }

private:
    GridView::CharacterFilter m_accepts;
};

Kind KindOf(const QModelIndex& index) {
    return static_cast<Kind>(index.data(outside::CellStore::KindRole).toInt());
}

// The pane that shows the frozen leading columns over the grid's left edge.
// It edits in place like the grid and reports to it.
class FrozenPane : public QTableView {
public:
    explicit FrozenPane(GridView* owner) : QTableView(owner), m_owner(owner) {}
    bool BaseEdit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
        return QTableView::edit(index, trigger, event);
    }
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override {
        // Tab and Shift+Tab move along the owner's row once the editor has
        // closed (its value went in when it was committed).
        if (!m_owner->WasReleased(editor))
            QTableView::closeEditor(editor, GridView::ClosingHint(hint));
        m_owner->setFocus();
        m_owner->NoteEditorClosed(hint);
    }
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override {
        if (cursorAction == MoveNext || cursorAction == MovePrevious)
            return m_owner->NextAlongRow(cursorAction == MoveNext ? 1 : -1);
        return QTableView::moveCursor(cursorAction, modifiers);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QTableView::mouseReleaseEvent(event);
        if (event->button() == Qt::RightButton)
            emit m_owner->contextMenuWanted(event->globalPosition().toPoint());
    }

private:
    GridView* m_owner;
};

} // namespace

// ---------------------------------------------------------------------------
// Delegate
// ---------------------------------------------------------------------------

GridDelegate::GridDelegate(GridView* view) : QStyledItemDelegate(view), m_view(view) {}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    switch (KindOf(index)) {
    case Kind::List: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(index.data(outside::CellStore::ListEditableRole).toBool());
        combo->addItems(index.data(outside::CellStore::ListItemsRole).toStringList());
        combo->setMaxVisibleItems(16);
        if (combo->isEditable())
            combo->setInsertPolicy(QComboBox::NoInsert);
        return combo;
    }
    case Kind::Number: {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{0,4}([.,][0-9]{0,6})?")), edit));
        return edit;
    }
    case Kind::Text: {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        const int maxLength = index.data(outside::CellStore::MaxLengthRole).toInt();
        if (maxLength > 0)
            edit->setMaxLength(maxLength);
        if (auto accepts = m_view->ColumnCharacterFilter(outside::CellStore::GridColumn(index)))
            edit->setValidator(new CharacterValidator(std::move(accepts), edit));
        return edit;
    }
    case Kind::CheckBox:
        return nullptr;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int item = index.data(outside::CellStore::ListIndexRole).toInt();
        combo->setCurrentIndex(item);
        if (combo->isEditable()) {
            // Typing replaces the text, as in the other cells.
            combo->setEditText(text);
            combo->lineEdit()->selectAll();
        }
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
        edit->selectAll();
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    const QString before = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int held = index.data(outside::CellStore::ListIndexRole).toInt();
        if (combo->isEditable()) {
            // Typed text that names an item takes that item, whatever the
            // cell held before (a value of no item, or one refused); other
            // text is kept as typed.
            const QString text = combo->currentText();
            const int item = combo->findText(text.trimmed(), Qt::MatchFixedString);
            if (item >= 0) {
                if (item != held || combo->itemText(item) != before)
                    model->setData(index, item, outside::CellStore::ListIndexRole);
            } else if (text != before) {
                model->setData(index, text, Qt::EditRole);
            }
        } else if (combo->currentIndex() != held) {
            model->setData(index, combo->currentIndex(), outside::CellStore::ListIndexRole);
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        QString text = edit->text();
        if (KindOf(index) == Kind::Number && !text.isEmpty()) {
            // A number is shown with the cell's decimals.
            bool ok = false;
            const double value =
                QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            if (ok)
                text = QString::number(value, 'f',
                                       index.data(outside::CellStore::DecimalsRole).toInt());
        }
        if (text != before)
            model->setData(index, text, Qt::EditRole);
    }
}

namespace {
QRect CheckRect(const QStyleOptionViewItem& option, const QWidget* widget) {
    QStyle* style = widget ? widget->style() : QApplication::style();
    const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, &option, widget);
    const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, &option, widget);
    return QStyle::alignedRect(option.direction, Qt::AlignCenter, QSize(w, h), option.rect);
}
} // namespace

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const bool locked = index.data(outside::CellStore::LockRole).toBool();
    if (KindOf(index) != Kind::CheckBox) {
        // Locked cells (a row without a receive frequency) look read-only;
        // a value that does not apply to its row (a tone the tone mode does
        // not use, a simplex row's offset) is drawn muted, half way between
        // the text and the background.
        if (locked) {
            opt.palette.setColor(QPalette::Text,
                                 option.palette.color(QPalette::Disabled, QPalette::Text));
        } else if (index.data(outside::CellStore::MutedRole).toBool()) {
            const auto between = [&](QPalette::ColorRole fore, QPalette::ColorRole back) {
                const QColor a = option.palette.color(fore);
                const QColor b = option.palette.color(back);
                return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2,
                              (a.blue() + b.blue()) / 2);
            };
            opt.palette.setColor(QPalette::Text, between(QPalette::Text, QPalette::Base));
            opt.palette.setColor(QPalette::HighlightedText,
                                 between(QPalette::HighlightedText, QPalette::Highlight));
        }
        QStyledItemDelegate::paint(painter, opt, index);
        return;
    }
    // Check boxes sit in the middle of their cell.
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const Qt::CheckState state = opt.checkState;
    opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    if (index.data(Qt::EditRole).toString().isEmpty())
        return; // an empty row shows no box
    QStyleOptionViewItem check = option;
    check.rect = CheckRect(option, widget);
    check.state = check.state & ~QStyle::State_HasFocus;
    check.state |= state == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
    if (locked)
        check.state &= ~QStyle::State_Enabled;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, widget);
}

bool GridDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                               const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (KindOf(index) != Kind::CheckBox)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    if (!(model->flags(index) & Qt::ItemIsUserCheckable))
        return false;
    bool toggle = false;
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        toggle =
            mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint());
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        return true; // a double click is two clicks, not an edit
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        toggle = key == Qt::Key_Space || key == Qt::Key_Select;
    }
    if (!toggle)
        return false;
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

// ---------------------------------------------------------------------------
// View
// ---------------------------------------------------------------------------

GridView::GridView(QWidget* parent) : QTableView(parent) {
    setItemDelegate(new GridDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setAcceptDrops(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("P4500")) * 2);

    auto* frozen = new FrozenPane(this);
    m_frozen = frozen;
    m_frozen->setItemDelegate(new GridDelegate(this));
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->verticalHeader()->hide();
    m_frozen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_frozen->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_frozen->setEditTriggers(editTriggers());
    m_frozen->setWordWrap(false);
    m_frozen->setStyleSheet(QStringLiteral("QTableView { border: none; border-right: 2px solid "
                                           "palette(mid); }"));
    m_frozen->hide();
    viewport()->stackUnder(m_frozen);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) {
                if (section < m_frozenCount) {
                    m_frozen->setColumnWidth(section, size);
                    UpdateFrozenGeometry();
                }
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) { m_frozen->setRowHeight(section, size); });
    connect(m_frozen->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_frozen->verticalScrollBar(),
            &QAbstractSlider::setValue);
}

GridView::~GridView() = default;

void GridView::SetCells(outside::CellStore* grid) {
    if (m_grid)
        disconnect(m_grid, nullptr, this, nullptr);
    m_grid = grid;
    setModel(grid);
    m_frozen->setModel(grid);
    m_frozen->setSelectionModel(selectionModel());
    m_frozen->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    if (!grid)
        return;
    connect(grid, &QObject::destroyed, this, [this] { m_grid = nullptr; });
    connect(grid, &outside::CellStore::columnOptionsChanged, this, &GridView::ApplyColumnOptions);
    connect(grid, &outside::CellStore::blockSelectionChanged, this,
            &GridView::SyncSelectionFromGrid);
    connect(grid, &outside::CellStore::activeCellChanged, this, &GridView::SyncActiveCellFromGrid);
    connect(grid, &QAbstractItemModel::modelAboutToBeReset, this, &GridView::NoteCellsReset);
    connect(grid, &QAbstractItemModel::modelReset, this, &GridView::OnModelReset);
    connect(grid, &QAbstractItemModel::headerDataChanged, this, [this](Qt::Orientation o) {
        if (o == Qt::Horizontal)
            FitColumns();
    });
    OnModelReset();
}

void GridView::OnModelReset() {
    ApplyColumnOptions();
    FitColumns();
}

int GridView::ActiveColumn() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? outside::CellStore::GridColumn(current) : 1;
}

int GridView::ActiveRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? outside::CellStore::GridRow(current) : 1;
}

void GridView::SetActiveCell(int col, int row) {
    if (!m_grid)
        return;
    const QModelIndex index = m_grid->CellIndex(col, row);
    if (!index.isValid())
        return;
    m_revertingCurrent = true;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_revertingCurrent = false;
    scrollTo(index);
    m_grid->SetActiveCell(col, row);
}

void GridView::StartEdit() {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || IsEditing())
        return;
    edit(current, AllEditTriggers, nullptr);
}

void GridView::EndEdit() {
    if (!m_editIndex.isValid())
        return;
    for (QTableView* view : {static_cast<QTableView*>(this), m_frozen}) {
        QWidget* editor = view->indexWidget(m_editIndex);
        QWidget* focus = QApplication::focusWidget();
        if (!editor && focus && view->viewport()->isAncestorOf(focus))
            editor = focus;
        if (!editor)
            continue;
        // Commits the editor's value and closes it, as leaving the cell does.
        QMetaObject::invokeMethod(view, "commitData", Qt::DirectConnection,
                                  Q_ARG(QWidget*, editor));
        QMetaObject::invokeMethod(
            view, "closeEditor", Qt::DirectConnection, Q_ARG(QWidget*, editor),
            Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
        return;
    }
}

bool GridView::RefusesLockedEdit(const QModelIndex& index, EditTrigger trigger,
                                 EditTriggers allowed) {
    const bool wantsEdit =
        trigger != NoEditTriggers && trigger != CurrentChanged && (allowed & trigger);
    const int col = outside::CellStore::GridColumn(index);
    const int row = outside::CellStore::GridRow(index);
    if (!wantsEdit || !m_grid || !m_grid->IsLocked(col, row) || IsEditing())
        return false;
    if (outside::EditRules* rules = m_grid->Rules()) {
        if (const int activeCol = rules->LockedCellEdited(col, row); activeCol > 0)
            SetActiveCell(activeCol, row);
    }
    return true;
}

bool GridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!index.isValid() || !m_grid)
        return QTableView::edit(index, trigger, event);
    if (RefusesLockedEdit(index, trigger, editTriggers()))
        return false;
    // Cells of the frozen columns are edited in the frozen pane, over them.
    const int col = outside::CellStore::GridColumn(index);
    if (col <= m_frozenCount && !isColumnHidden(index.column()))
        return static_cast<FrozenPane*>(m_frozen)->edit(index, trigger, event);
    const bool wasEditing = state() == EditingState;
    const bool opened = QTableView::edit(index, trigger, event);
    if (opened && !wasEditing && state() == EditingState)
        NoteEditorOpened(index);
    return opened;
}

bool FrozenPane::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!index.isValid())
        return QTableView::edit(index, trigger, event);
    if (m_owner->RefusesLockedEdit(index, trigger, editTriggers()))
        return false;
    const bool wasEditing = state() == EditingState;
    const bool opened = QTableView::edit(index, trigger, event);
    if (opened && !wasEditing && state() == EditingState)
        m_owner->NoteEditorOpened(index);
    return opened;
}

QAbstractItemDelegate::EndEditHint GridView::ClosingHint(QAbstractItemDelegate::EndEditHint hint) {
    // The view would open the next cell's editor before the end of this
    // edit is reported; the move is made afterwards instead.
    return hint == QAbstractItemDelegate::EditNextItem ||
                   hint == QAbstractItemDelegate::EditPreviousItem
               ? QAbstractItemDelegate::NoHint
               : hint;
}

void GridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (!WasReleased(editor))
        QTableView::closeEditor(editor, ClosingHint(hint));
    NoteEditorClosed(hint);
}

void GridView::NoteCellsReset() {
    // The views let go of an open editor when their cells are reset (the
    // rules may fill a grid anew while its editor commits); the closing that
    // may still come for it is theirs no more.
    if (!m_editIndex.isValid())
        return;
    for (QTableView* view : {static_cast<QTableView*>(this), m_frozen}) {
        if (QWidget* editor = view->indexWidget(m_editIndex))
            m_releasedEditor = editor;
    }
    m_editIndex = QModelIndex();
}

bool GridView::WasReleased(QWidget* editor) {
    if (!editor || editor != m_releasedEditor)
        return false;
    m_releasedEditor = nullptr;
    return true;
}

void GridView::NoteEditorClosed(QAbstractItemDelegate::EndEditHint hint) {
    const QModelIndex index = m_editIndex;
    m_editIndex = QModelIndex();
    // Tab and Shift+Tab leave the cell only now that its edit has ended: the
    // leave is checked like any other (and may be refused), and the next
    // cell's editor opens when the user types into it.
    if (index.isValid() && (hint == QAbstractItemDelegate::EditNextItem ||
                            hint == QAbstractItemDelegate::EditPreviousItem)) {
        const QModelIndex next = NextAlongRow(hint == QAbstractItemDelegate::EditNextItem ? 1 : -1);
        if (next.isValid() && next != currentIndex() && selectionModel()) {
            selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect);
            scrollTo(currentIndex());
        }
    }
}

QModelIndex GridView::NextAlongRow(int step) const {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !model())
        return current;
    // Whatever columns are hidden or frozen, along the row, stopping at its
    // ends.
    for (int c = current.column() + step; c >= 0 && c < model()->columnCount(); c += step) {
        if (!isColumnHidden(c))
            return model()->index(current.row(), c);
    }
    return current;
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (m_revertingCurrent || !m_grid || !current.isValid())
        return;
    if (previous.isValid() && previous != current) {
        // An edit still open in the frozen pane ends before the cell is left.
        if (m_editIndex.isValid() && m_editIndex == previous)
            EndEdit();
        const int col = outside::CellStore::GridColumn(previous);
        const int row = outside::CellStore::GridRow(previous);
        const int newCol = outside::CellStore::GridColumn(current);
        const int newRow = outside::CellStore::GridRow(current);
        outside::EditRules* rules = m_grid->Rules();
        if (rules && !rules->CanLeave(col, row, newCol, newRow)) {
            // Back to the cell that was left, after the view has finished
            // moving (the handler may reopen its editor).
            QMetaObject::invokeMethod(
                this,
                [this, previous] {
                    m_revertingCurrent = true;
                    selectionModel()->setCurrentIndex(previous,
                                                      QItemSelectionModel::ClearAndSelect);
                    m_revertingCurrent = false;
                    m_grid->SetActiveCell(outside::CellStore::GridColumn(previous),
                                          outside::CellStore::GridRow(previous));
                },
                Qt::DirectConnection);
            return;
        }
    }
    m_syncing = true;
    m_grid->SetActiveCell(outside::CellStore::GridColumn(current),
                          outside::CellStore::GridRow(current));
    m_syncing = false;
}

void GridView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    if (!m_grid || m_syncing)
        return;
    // The grid keeps one block: the bounding rectangle of the selection.
    const QModelIndexList indexes = selectionModel()->selectedIndexes();
    outside::GridBlock block;
    for (const QModelIndex& index : indexes) {
        const int c = outside::CellStore::GridColumn(index);
        const int r = outside::CellStore::GridRow(index);
        if (!block.IsValid()) {
            block = outside::GridBlock::Cell(c, r);
        } else {
            block.col1 = std::min(block.col1, c);
            block.col2 = std::max(block.col2, c);
            block.row1 = std::min(block.row1, r);
            block.row2 = std::max(block.row2, r);
        }
    }
    m_syncing = true;
    m_grid->SelectBlock(block);
    m_syncing = false;
}

void GridView::SyncSelectionFromGrid() {
    if (!m_grid || m_syncing)
        return;
    const outside::GridBlock block = m_grid->Selection();
    m_syncing = true;
    if (!block.IsValid()) {
        selectionModel()->clearSelection();
    } else {
        const QItemSelection selection(m_grid->CellIndex(block.col1, std::max(block.row1, 1)),
                                       m_grid->CellIndex(block.col2, block.row2));
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    m_syncing = false;
}

void GridView::SyncActiveCellFromGrid(int col, int row) {
    if (m_syncing || !m_grid)
        return;
    const QModelIndex index = m_grid->CellIndex(col, row);
    if (!index.isValid() || index == currentIndex())
        return;
    m_revertingCurrent = true;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_revertingCurrent = false;
}

void GridView::mousePressEvent(QMouseEvent* event) {
    m_pressPos = event->pos();
    const QModelIndex index = indexAt(event->pos());
    m_pressOnSelection = event->button() == Qt::LeftButton && index.isValid() &&
                         selectionModel()->isSelected(index) &&
                         selectionModel()->selectedIndexes().size() > 1;
    if (m_pressOnSelection)
        return; // may start dragging the block
    QTableView::mousePressEvent(event);
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressOnSelection && (event->buttons() & Qt::LeftButton) &&
        (event->pos() - m_pressPos).manhattanLength() >= QApplication::startDragDistance() &&
        m_grid) {
        m_pressOnSelection = false;
        const outside::GridBlock block = m_grid->Selection();
        auto* mime = new QMimeData;
        mime->setData(QString::fromLatin1(kBlockMime),
                      QStringLiteral("%1 %2 %3 %4 %5")
                          .arg(block.col1)
                          .arg(block.row1)
                          .arg(block.col2)
                          .arg(block.row2)
                          .arg(outside::CellStore::GridRow(indexAt(m_pressPos)))
                          .toLatin1());
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        drag->exec(Qt::MoveAction);
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
    if (m_pressOnSelection) {
        m_pressOnSelection = false;
        QTableView::mousePressEvent(event); // a plain click on the selection
    }
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton)
        emit contextMenuWanted(event->globalPosition().toPoint());
}

void GridView::keyPressEvent(QKeyEvent* event) {
    const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (menuKey || shiftF10) {
        const QRect cell = visualRect(currentIndex());
        emit contextMenuWanted(
            viewport()->mapToGlobal(cell.isValid() ? cell.center() : viewport()->rect().center()));
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this && event->mimeData()->hasFormat(QString::fromLatin1(kBlockMime)))
        event->acceptProposedAction();
    else
        event->ignore();
}

void GridView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->source() == this && indexAt(event->position().toPoint()).isValid())
        event->acceptProposedAction();
    else
        event->ignore();
}

void GridView::dropEvent(QDropEvent* event) {
    const QModelIndex target = indexAt(event->position().toPoint());
    const QList<QByteArray> parts =
        event->mimeData()->data(QString::fromLatin1(kBlockMime)).split(' ');
    if (!target.isValid() || parts.size() != 5) {
        event->ignore();
        return;
    }
    const outside::GridBlock from{parts[0].toInt(), parts[1].toInt(), parts[2].toInt(),
                                  parts[3].toInt()};
    const int grabbedRow = parts[4].toInt();
    const int shift = outside::CellStore::GridRow(target) - grabbedRow;
    const outside::GridBlock to{from.col1, from.row1 + shift, from.col2, from.row2 + shift};
    emit blockDropped(from, to);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

QModelIndex GridView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const bool alongRow = cursorAction == MoveNext || cursorAction == MovePrevious;
    const QModelIndex current = alongRow ? NextAlongRow(cursorAction == MoveNext ? 1 : -1)
                                         : QTableView::moveCursor(cursorAction, modifiers);
    if (m_frozenCount > 0 && (cursorAction == MoveLeft || cursorAction == MovePrevious) &&
        current.column() >= m_frozenCount) {
        const int frozenWidth = m_frozen->width() - 2;
        const int x = visualRect(current).topLeft().x();
        if (x < frozenWidth)
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() + x - frozenWidth);
    }
    return current;
}

void GridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (index.column() >= m_frozenCount || m_frozenCount == 0) {
        QTableView::scrollTo(index, hint);
    } else {
        // Frozen cells are always in view sideways; only scroll rows.
        const int h = horizontalScrollBar()->value();
        QTableView::scrollTo(index, hint);
        horizontalScrollBar()->setValue(h);
    }
}

void GridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    UpdateFrozenGeometry();
}

void GridView::updateGeometries() {
    QTableView::updateGeometries();
    UpdateFrozenGeometry();
}

void GridView::ApplyColumnOptions() {
    if (!m_grid)
        return;
    const int cols = m_grid->MaxCols();
    for (int c = 1; c <= cols; ++c)
        setColumnHidden(c - 1, m_grid->IsColumnHidden(c));
    m_frozenCount = std::clamp(m_grid->FrozenColumns(), 0, cols);
    for (int c = 1; c <= cols; ++c) {
        m_frozen->setColumnHidden(c - 1, c > m_frozenCount || m_grid->IsColumnHidden(c));
        m_frozen->setColumnWidth(c - 1, columnWidth(c - 1));
    }
    m_frozen->setVisible(m_frozenCount > 0);
    UpdateFrozenGeometry();
}

void GridView::SetCharacterFilter(int col, CharacterFilter accepts) {
    if (accepts)
        m_characterFilters[col] = std::move(accepts);
    else
        m_characterFilters.erase(col);
}

GridView::CharacterFilter GridView::ColumnCharacterFilter(int col) const {
    const auto it = m_characterFilters.find(col);
    return it == m_characterFilters.end() ? CharacterFilter() : it->second;
}

void GridView::FitColumns() {
    if (!m_grid)
        return;
    const QFontMetrics fm = fontMetrics();
    const QFontMetrics headerFm = horizontalHeader()->fontMetrics();
    const int padding = 18;
    int headerLines = 1;
    for (int c = 1; c <= m_grid->MaxCols(); ++c) {
        const double chars = m_grid->ColumnWidth(c);
        int width = 0;
        const QString header = m_grid->Text(c, 0);
        const QStringList lines = header.split(QLatin1Char('\n'));
        headerLines = std::max(headerLines, static_cast<int>(lines.size()));
        for (const QString& line : lines)
            width = std::max(width, headerFm.horizontalAdvance(line) + padding);
        if (chars > 0) {
            width = std::max(width, static_cast<int>(chars * fm.averageCharWidth()) + padding);
        } else if (m_grid->MaxRows() > 0) {
            // Judge the column by its first cell's kind.
            switch (m_grid->Kind(c, 1)) {
            case Kind::Number:
                width =
                    std::max(width, fm.horizontalAdvance(QStringLiteral("0000.00000")) + padding);
                break;
            case Kind::List:
                if (const auto list = m_grid->CellList(c, 1)) {
                    // Measuring every item of a long list costs more than the
                    // column is worth: the longest texts stand for the rest.
                    QString longest;
                    QString second;
                    for (const QString& item : list->Items()) {
                        if (item.size() > longest.size()) {
                            second = longest;
                            longest = item;
                        } else if (item.size() > second.size()) {
                            second = item;
                        }
                    }
                    const int widest =
                        std::max(fm.horizontalAdvance(longest), fm.horizontalAdvance(second));
                    width = std::max(width, widest + padding + 20);
                }
                break;
            case Kind::Text: {
                const int maxLength = m_grid->MaxLength(c, 1);
                const int shown = maxLength > 0 ? std::min(maxLength, 24) : 10;
                width =
                    std::max(width, fm.horizontalAdvance(QString(shown, QLatin1Char('M'))) * 3 / 4 +
                                        padding);
                break;
            }
            case Kind::CheckBox:
                width = std::max(width, 40);
                break;
            }
        }
        setColumnWidth(c - 1, std::min(width, 400));
    }
    horizontalHeader()->setMinimumHeight(headerFm.height() * headerLines + 10);
    m_frozen->horizontalHeader()->setMinimumHeight(horizontalHeader()->minimumHeight());
    ApplyColumnOptions();
}

void GridView::UpdateFrozenGeometry() {
    if (!m_frozen || m_frozenCount <= 0) {
        return;
    }
    int width = 0;
    for (int c = 0; c < m_frozenCount; ++c) {
        if (!isColumnHidden(c))
            width += columnWidth(c);
    }
    m_frozen->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    m_frozen->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), width + 2,
                          viewport()->height() + horizontalHeader()->height());
}

} // namespace widgets
