#include "editor/MainView.h"

#include "document/DocumentHistory.h"
#include "editor/CellEditor.h"
#include "editor/EditCommands.h"

#include "document/RadioDocument.h"
#include "document/TabGrid.h"
#include "outside/CellStore.h"
#include "radio/ChannelTables.h"
#include "settings/ColumnOptions.h"
#include "widgets/GridPrinter.h"
#include "widgets/GridView.h"
#include "widgets/HelpWindow.h"
#include "widgets/Resources.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include <cstring>
#include <vector>

using namespace radio;

namespace editor {

namespace {

// The view as the Edit menu's commands see it.
class ViewForEdits : public EditView {
public:
    explicit ViewForEdits(MainView& view) : m_view(view) {}
    QWidget* Widget() const override { return &m_view; }
    document::RadioDocument& Document() const override { return m_view.Document(); }
    int CurrentTab() const override { return m_view.CurrentTab(); }
    outside::CellStore& Cells(int tab) const override { return m_view.Cells(tab); }
    radio::TabChannels& Channels(int tab) const override { return m_view.Channels(tab); }
    widgets::GridView* Grid(int tab) const override { return m_view.Grid(tab); }
    bool CommitGrids(bool validate) override { return m_view.CommitGrids(validate); }
    void ShowTable(int tab) override { m_view.ShowTable(tab); }
    QScopedValueRollback<bool> OwnChange() override { return m_view.OwnChange(); }
    void StatusMessage(const QString& text) override { emit m_view.statusMessage(text); }

private:
    MainView& m_view;
};

} // namespace

MainView::MainView(std::shared_ptr<document::RadioDocument> doc, QWidget* parent)
    : QWidget(parent), m_doc(std::move(doc)) {
    m_cells = new CellEditor(
        *m_doc, [this](int t) { CommitTabs(t); }, this);
    m_stack = new QStackedWidget(this);
    m_tabs = new QTabBar(this);
    m_tabs->setShape(QTabBar::RoundedSouth);
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(true);

    for (int t = 0; t < kTabCount; ++t) {
        m_tabs->addTab(QString::fromLatin1(radio::TabName(t)));
        m_tables[static_cast<size_t>(t)] = std::make_unique<document::TabGrid>(m_doc->Radio(), t);
        auto* view = new widgets::GridView(m_stack);
        // A screen reader names the grid by its tab.
        view->setAccessibleName(QString::fromLatin1(radio::TabName(t)));
        view->setObjectName(QStringLiteral("grid%1").arg(t));
        m_views[static_cast<size_t>(t)] = view;
        SetUpGrid(t);
        m_cells->Rules().ResetDefault(t);
        view->SetCells(&Cells(t));
        m_cells->Attach(t, view, Channels(t));
        m_stack->addWidget(view);
    }
    RefreshGrids();
    // A fresh memory channel starts like channel 1.
    m_cells->Rules().CaptureDefault(tab::kMemories, Channels(tab::kMemories), 1);
    // Every grid starts with its first cell active, nothing selected.
    for (int t = 0; t < kTabCount; ++t) {
        if (QItemSelectionModel* selection = Grid(t)->selectionModel())
            selection->setCurrentIndex(Cells(t).CellIndex(1, 1), QItemSelectionModel::NoUpdate);
    }
    m_edit = new EditCommands(std::make_unique<ViewForEdits>(*this));
    for (int t = 0; t < kTabCount; ++t) {
        widgets::GridView* view = m_views[static_cast<size_t>(t)];
        connect(view, &widgets::GridView::contextMenuWanted, this,
                [this, t](const QPoint& at) { m_edit->ShowContextMenu(t, at); });
        connect(view, &widgets::GridView::blockDropped, this,
                [this, t](const outside::GridBlock& from, const outside::GridBlock& to) {
                    m_edit->OnBlockDropped(t, from, to);
                });
    }
    // Undo and redo, from any window of the document, put the image back:
    // every window shows it again.
    connect(m_doc.get(), &document::RadioDocument::blockRestored, this, &MainView::RefreshGrids);
    // A change made in another window of the document shows here too.
    connect(m_doc.get(), &document::RadioDocument::blockChanged, this, [this] {
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
    setFocusProxy(Grid(0));
    connect(m_tabs, &QTabBar::currentChanged, this, &MainView::OnTabChanged);

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    help->setContext(Qt::WidgetWithChildrenShortcut);
    connect(help, &QShortcut::activated, this,
            [this] { widgets::HelpWindow::ShowTopic(widgets::help::kChannelEditor, this); });
}

MainView::~MainView() = default;

outside::CellStore& MainView::Cells(int tab) const {
    return m_tables[static_cast<size_t>(tab)]->Cells();
}

radio::TabChannels& MainView::Channels(int tab) const {
    return m_tables[static_cast<size_t>(tab)]->Table();
}

void MainView::SetUpGrid(int tab) {
    // The table lays out its grid: header row, row labels, formats, locks
    // and widths.
    outside::CellStore& grid = Cells(tab);
    grid.SetRedraw(false);
    // One frozen column (the receive frequency, or the first group); the
    // channel lists take theirs from the column options.
    grid.SetFrozenColumns(1);
    grid.SetRedraw(true);
    ApplyColumnOptions(tab);
}

void MainView::ApplyColumnOptions(int tab) {
    if (!IsChannelListTab(tab))
        return; // Hyper Memories and Memory Groups keep every column
    const settings::ColumnOptions options = settings::ReadColumnOptions();
    outside::CellStore& grid = Cells(tab);
    grid.SetRedraw(false);
    for (int c = settings::ColumnOptions::kFirstHideable;
         c <= settings::ColumnOptions::kLastHideable; ++c)
        grid.SetColumnHidden(c, options.IsHidden(c));
    grid.SetFrozenColumns(options.Frozen());
    grid.SetRedraw(true);
}

void MainView::ApplyColumnOptions() {
    for (int t = 0; t < kTabCount; ++t)
        ApplyColumnOptions(t);
}

void MainView::RefreshGrids() {
    ShowImage();
    m_cells->Rules().ResetDefault(tab::kMemories);
}

void MainView::ShowImage() {
    for (int t = 0; t < kTabCount; ++t)
        ShowTable(t);
    m_cells->Forget();
}

void MainView::ShowTable(int tab) {
    m_tables[static_cast<size_t>(tab)]->Fill(m_doc->Image());
}

bool MainView::CommitGrids(bool validate) {
    widgets::GridView* view = Grid(m_currentTab);
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

void MainView::CommitTabs(int onlyTab) {
    const auto own = OwnChange();
    m_doc->History().Record(QStringLiteral("Edit"), [&] {
        std::vector<Byte> working(m_doc->Image(), m_doc->Image() + image::kSize);
        for (int t = 0; t < kTabCount; ++t) {
            if (onlyTab < 0 || t == onlyTab)
                m_tables[static_cast<size_t>(t)]->WriteChanged(working.data());
        }
        if (std::memcmp(working.data(), m_doc->Image(), image::kSize) != 0)
            m_doc->Radio().SetImage(working.data());
    });
    // The grids show what is stored: an automatic transmit frequency, a name
    // the radio spells otherwise, a value that did not fit.
    for (int t = 0; t < kTabCount; ++t) {
        if (onlyTab < 0 || t == onlyTab)
            ShowStoredRows(t);
    }
}

void MainView::ShowStoredRows(int t) {
    document::TabGrid& table = *m_tables[static_cast<size_t>(t)];
    outside::CellStore& grid = table.Cells();
    if (!grid.HasBaseline())
        return;
    if (t == tab::kGroups) {
        for (int col = 1; col <= grid.MaxCols(); ++col) {
            if (!grid.ColumnMatchesBaseline(col)) {
                table.Fill(m_doc->Image());
                return;
            }
        }
        return;
    }
    for (int row = 1; row <= grid.MaxRows(); ++row) {
        // A refused value stays for the user to put right.
        if (grid.RowMatchesBaseline(row) || m_cells->KeepsTypedCells(t, row))
            continue;
        table.FillRow(m_doc->Image(), row);
    }
}

void MainView::Undo() {
    m_doc->History().Undo();
}

void MainView::Redo() {
    m_doc->History().Redo();
}

void MainView::FocusGrid() {
    widgets::GridView* view = Grid(m_currentTab);
    if (!view->currentIndex().isValid() && view->selectionModel())
        view->selectionModel()->setCurrentIndex(Cells(m_currentTab).CellIndex(1, 1),
                                                QItemSelectionModel::NoUpdate);
    view->setFocus(Qt::OtherFocusReason);
}

void MainView::SetCurrentTab(int tab) {
    m_tabs->setCurrentIndex(tab);
}

void MainView::OnTabChanged(int index) {
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
        ShowTable(tab::kGroups);
    }
    setFocusProxy(Grid(index));
    if (hasFocus() || (QApplication::focusWidget() && isAncestorOf(QApplication::focusWidget())))
        FocusGrid();
    QApplication::restoreOverrideCursor();
    m_changingTab = false;
}

QString MainView::PrintTitle() const {
    return widgets::res::MainWindowTitle(m_doc->Title());
}

widgets::gridprint::Job MainView::PrintJob(widgets::gridprint::Range range, int fromPage,
                                           int toPage) const {
    widgets::gridprint::Job job;
    job.title = PrintTitle();
    job.range = range;
    job.fromPage = fromPage;
    job.toPage = toPage;
    const outside::CellStore& grid = Cells(m_currentTab);
    job.firstRow = grid.SelectionFirstRow();
    job.lastRow = grid.SelectionLastRow();
    return job;
}

} // namespace editor
