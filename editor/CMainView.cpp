#include "editor/CMainView.h"

#include "document/DocumentHistory.h"
#include "editor/CellEditor.h"
#include "editor/EditCommands.h"

#include "document/CMainDoc.h"
#include "outside/CSpreadSheet1.h"
#include "radio/ChannelTables.h"
#include "settings/ColumnOptions.h"
#include "widgets/GridPrinter.h"
#include "widgets/HelpWindow.h"
#include "widgets/Resources.h"
#include "widgets/SpreadSheetView.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include <cstring>
#include <vector>

using namespace vx7;

namespace {

// The view as the Edit menu's commands see it.
class ViewForEdits : public EditView {
public:
    explicit ViewForEdits(CMainView& view) : m_view(view) {}
    QWidget* Widget() const override { return &m_view; }
    CMainDoc& GetDocument() const override { return m_view.GetDocument(); }
    int CurrentTab() const override { return m_view.CurrentTab(); }
    CSpreadSheet1& Grid(int tab) const override { return m_view.Grid(tab); }
    SpreadSheetView* GridView(int tab) const override { return m_view.GridView(tab); }
    bool CommitGrids(bool validate) override { return m_view.CommitGrids(validate); }
    QScopedValueRollback<bool> OwnChange() override { return m_view.OwnChange(); }
    void StatusMessage(const QString& text) override { emit m_view.statusMessage(text); }

private:
    CMainView& m_view;
};

} // namespace

CMainView::CMainView(std::shared_ptr<CMainDoc> doc, QWidget* parent)
    : QWidget(parent), m_doc(std::move(doc)) {
    m_cells = new CellEditor(
        *m_doc, [this](int t) { CommitTabs(t); }, this);
    m_stack = new QStackedWidget(this);
    m_tabs = new QTabBar(this);
    m_tabs->setShape(QTabBar::RoundedSouth);
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(true);

    for (int t = 0; t < kTabCount; ++t) {
        m_tabs->addTab(QString::fromLatin1(vx7::TabName(t)));
        m_grids[static_cast<size_t>(t)] = std::make_unique<CSpreadSheet1>();
        auto* view = new SpreadSheetView(m_stack);
        view->setObjectName(QStringLiteral("grid%1").arg(t));
        m_views[static_cast<size_t>(t)] = view;
        SetUpGrid(t);
        m_cells->Rules().ResetDefault(t);
        view->SetGrid(m_grids[static_cast<size_t>(t)].get());
        m_cells->Attach(t, view);
        m_stack->addWidget(view);
    }
    RefreshGrids();
    // A fresh memory channel starts like channel 1.
    m_cells->Rules().CaptureDefault(tab::kMemories, Grid(tab::kMemories), 1);
    // Every grid starts with its first cell active, nothing selected.
    for (int t = 0; t < kTabCount; ++t) {
        if (QItemSelectionModel* selection = GridView(t)->selectionModel())
            selection->setCurrentIndex(Grid(t).CellIndex(1, 1), QItemSelectionModel::NoUpdate);
    }
    m_edit = new EditCommands(std::make_unique<ViewForEdits>(*this));
    for (int t = 0; t < kTabCount; ++t) {
        SpreadSheetView* view = m_views[static_cast<size_t>(t)];
        connect(view, &SpreadSheetView::mouseUp, this,
                [this, t, view](int button, int, int x, int y) {
                    if (button == 2)
                        m_edit->ShowContextMenu(t, view->viewport()->mapToGlobal(QPoint(x, y)));
                });
        connect(view, &SpreadSheetView::blockDropped, this,
                [this, t](const GridBlock& from, const GridBlock& to, int* action) {
                    m_edit->OnBlockDropped(t, from, to, action);
                });
    }
    // Undo and redo, from any window of the document, put the image back:
    // every window shows it again.
    connect(m_doc.get(), &CMainDoc::blockRestored, this, &CMainView::RefreshGrids);
    // A change made in another window of the document shows here too.
    connect(m_doc.get(), &CMainDoc::blockChanged, this, [this] {
        if (!m_ownChange)
            ShowImage();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_stack, 1);
    layout->addWidget(m_tabs);

    m_currentTab = 0;
    m_stack->setCurrentIndex(0);
    setFocusProxy(GridView(0));
    connect(m_tabs, &QTabBar::currentChanged, this, &CMainView::OnTabChanged);

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    help->setContext(Qt::WidgetWithChildrenShortcut);
    connect(help, &QShortcut::activated, this,
            [this] { HelpWindow::ShowTopic(help::kChannelEditor, this); });
}

CMainView::~CMainView() = default;

void CMainView::SetUpGrid(int tab) {
    CSpreadSheet1& grid = Grid(tab);
    grid.Reset();
    grid.SetRedraw(false);
    m_doc->Radio().ConfigureGrid(grid, tab);
    // One frozen column (the receive frequency, or the first group); the
    // channel lists take theirs from the column options.
    grid.SetFrozenColumns(1);
    grid.SetRedraw(true);
    ApplyColumnOptions(tab);
}

void CMainView::ApplyColumnOptions(int tab) {
    if (!IsChannelListTab(tab))
        return; // Hyper Memories and Memory Groups keep every column
    const reg::ColumnOptions options = reg::ReadColumnOptions();
    CSpreadSheet1& grid = Grid(tab);
    grid.SetRedraw(false);
    for (int c = reg::ColumnOptions::kFirstHideable; c <= reg::ColumnOptions::kLastHideable; ++c)
        grid.SetColumnHidden(c, options.IsHidden(c));
    grid.SetFrozenColumns(options.Frozen());
    grid.SetRedraw(true);
}

void CMainView::ApplyColumnOptions() {
    for (int t = 0; t < kTabCount; ++t)
        ApplyColumnOptions(t);
}

void CMainView::RefreshGrids() {
    ShowImage();
    m_cells->Rules().ResetDefault(tab::kMemories);
}

void CMainView::ShowImage() {
    for (int t = 0; t < kTabCount; ++t)
        m_doc->Radio().FillGrid(m_doc->GetImage(), Grid(t), t);
    m_cells->Forget();
}

bool CMainView::CommitGrids(bool validate) {
    SpreadSheetView* view = GridView(m_currentTab);
    if (view->IsEditing()) {
        // The cell being edited takes its value (and is committed when it is
        // acceptable) before the grids are read.
        view->EndEdit();
    }
    // A cell typed into and not left since is checked as leaving it would
    // check it; a refusal drops the commit and keeps the user's cells.
    if (validate && !m_cells->CheckEditedCell(!m_changingTab))
        return false;
    CommitTabs(-1);
    return true;
}

void CMainView::CommitTabs(int onlyTab) {
    const auto own = OwnChange();
    m_doc->History().Record(QStringLiteral("Edit"), [&] {
        std::vector<Byte> working(m_doc->GetImage(), m_doc->GetImage() + image::kSize);
        for (int t = 0; t < kTabCount; ++t) {
            if (onlyTab >= 0 && t != onlyTab)
                continue;
            m_doc->Radio().ReadGrid(working.data(), Grid(t), t);
        }
        if (std::memcmp(working.data(), m_doc->GetImage(), image::kSize) != 0)
            m_doc->Radio().SetImage(working.data());
    });
    // The grids show what is stored: an automatic transmit frequency, a name
    // the radio spells otherwise, a value that did not fit.
    for (int t = 0; t < kTabCount; ++t) {
        if (onlyTab < 0 || t == onlyTab)
            ShowStoredRows(t);
    }
}

void CMainView::ShowStoredRows(int t) {
    CSpreadSheet1& grid = Grid(t);
    if (!grid.HasBaseline())
        return;
    if (t == tab::kGroups) {
        for (int col = 1; col <= grid.MaxCols(); ++col) {
            if (!grid.ColumnMatchesBaseline(col)) {
                m_doc->Radio().FillGrid(m_doc->GetImage(), grid, t);
                return;
            }
        }
        return;
    }
    for (int row = 1; row <= grid.MaxRows(); ++row) {
        // A refused value stays for the user to put right.
        if (grid.RowMatchesBaseline(row) || m_cells->KeepsTypedCells(t, grid, row))
            continue;
        m_doc->Radio().FillRow(m_doc->GetImage(), grid, t, row);
    }
}

void CMainView::Undo() {
    m_doc->History().Undo();
}

void CMainView::Redo() {
    m_doc->History().Redo();
}

void CMainView::FocusGrid() {
    SpreadSheetView* view = GridView(m_currentTab);
    if (!view->currentIndex().isValid() && view->selectionModel())
        view->selectionModel()->setCurrentIndex(Grid(m_currentTab).CellIndex(1, 1),
                                                QItemSelectionModel::NoUpdate);
    view->setFocus(Qt::OtherFocusReason);
}

void CMainView::SetCurrentTab(int tab) {
    m_tabs->setCurrentIndex(tab);
}

void CMainView::OnTabChanged(int index) {
    if (m_changingTab || index < 0)
        return;
    m_changingTab = true;
    // The tab being left is committed (the change goes ahead whatever the
    // cell check says).
    CommitGrids(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_currentTab = index;
    m_stack->setCurrentIndex(index);
    if (index == tab::kGroups) {
        // The groups list the channels as they are now. Only their grid is
        // filled again: a refused cell on the tab left keeps what the user
        // typed.
        m_doc->Radio().FillGrid(m_doc->GetImage(), Grid(tab::kGroups), tab::kGroups);
    }
    setFocusProxy(GridView(index));
    if (hasFocus() || (QApplication::focusWidget() && isAncestorOf(QApplication::focusWidget())))
        FocusGrid();
    QApplication::restoreOverrideCursor();
    m_changingTab = false;
}

QString CMainView::PrintTitle() const {
    return res::MainWindowTitle(m_doc->GetTitle());
}

gridprint::Job CMainView::PrintJob(gridprint::Range range, int fromPage, int toPage) const {
    gridprint::Job job;
    job.title = PrintTitle();
    job.range = range;
    job.fromPage = fromPage;
    job.toPage = toPage;
    const CSpreadSheet1& grid = Grid(m_currentTab);
    job.firstRow = grid.SelectionFirstRow();
    job.lastRow = grid.SelectionLastRow();
    return job;
}
