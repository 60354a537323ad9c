#include "editor/CMainView.h"

#include "document/DocumentHistory.h"
#include "editor/CellEditor.h"
#include "editor/EditCommands.h"

#include "dialogs/CGetDataDlg.h"
#include "dialogs/CSendDataDlg.h"
#include "document/CMainDoc.h"
#include "document/ChirpList.h"
#include "document/TextImportExport.h"
#include "link/TransferDocument.h"
#include "outside/CSpreadSheet1.h"
#include "radio/ChannelTables.h"
#include "settings/ColumnOptions.h"
#include "settings/LastFolders.h"
#include "settings/RadioSettings.h"
#include "setwindow/CSettingsDlg.h"
#include "widgets/COptionsDlg.h"
#include "widgets/GridPrinter.h"
#include "widgets/HelpWindow.h"
#include "widgets/Resources.h"
#include "widgets/SpreadSheetView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include <cstring>
#include <vector>

using namespace vx7;

namespace {

// The filter of the import and export file dialogs.
const QString kTextFilter =
    QStringLiteral("Tab Delimited  (*.tab);;Comma Delimited  (*.csv);;All files (*.*)");
// The export's filters: the program's own lists, then a CHIRP list.
const QString kChirpFilter = QStringLiteral("CHIRP channel list (*.csv)");
const QString kExportFilter = QStringLiteral("Tab Delimited  (*.tab);;Comma Delimited  "
                                             "(*.csv);;") +
                              kChirpFilter + QStringLiteral(";;All files (*.*)");

// "1 channel", "118 channels".
QString Channels(int count) {
    return count == 1 ? QStringLiteral("1 channel") : QStringLiteral("%1 channels").arg(count);
}

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

void CMainView::OnViewOptions() {
    COptionsDlg dialog(this);
    dialog.exec();
    // By either button: the grids of this window show what is stored now.
    ApplyColumnOptions();
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

bool CMainView::IsCommandEnabled(int id) const {
    return !EditCommands::IsEditCommand(id) || m_edit->IsEnabled(id);
}

bool CMainView::OnCommand(int id) {
    if (m_edit->Run(id))
        return true;
    switch (id) {
    case res::cmd::kFileImport:
        OnFileImport();
        return true;
    case res::cmd::kFileExport:
        OnFileExport();
        return true;
    case res::cmd::kRadioGetData:
        OnRadioGetData();
        return true;
    case res::cmd::kRadioSendData:
        OnRadioSendData();
        return true;
    case res::cmd::kViewOptions:
        OnViewOptions();
        return true;
    case res::cmd::kViewSettings:
        OnViewSettings();
        return true;
    case res::cmd::kFilePrint:
        OnFilePrint();
        return true;
    case res::cmd::kFilePrintPreview:
        OnFilePrintPreview();
        return true;
    default:
        return false;
    }
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

void CMainView::OnFilePrint() {
    const CSpreadSheet1& grid = Grid(m_currentTab);
    QPrinter printer(QPrinter::HighResolution);
    gridprint::SetMargins(printer);
    printer.setDocName(PrintTitle());
    const int pages = gridprint::Layout(grid, PrintJob(gridprint::Range::All), printer).PageCount();

    // The printer, its paper and the copies are the user's choice here and
    // the pages go to that printer.
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pages);
    printer.setFromTo(1, pages);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, grid.Selection().IsValid());
    if (dialog.exec() != QDialog::Accepted)
        return;

    gridprint::Job job = PrintJob(gridprint::Range::All);
    if (printer.printRange() == QPrinter::Selection && grid.Selection().IsValid())
        job = PrintJob(gridprint::Range::Selection);
    else if (printer.printRange() == QPrinter::PageRange)
        job = PrintJob(gridprint::Range::Pages, printer.fromPage(), printer.toPage());

    QProgressDialog progress(QString::fromLatin1(gridprint::kAbortMessage),
                             QStringLiteral("Cancel"), 0, 0, this);
    progress.setWindowTitle(QString::fromLatin1(res::kAppTitle));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.show();
    QApplication::processEvents();
    int printed = 0;
    const auto outcome =
        gridprint::Print(grid, job, printer, [&progress, &printed](int done, int total) {
            printed = done;
            progress.setMaximum(total);
            progress.setValue(done);
            QApplication::processEvents();
            return !progress.wasCanceled();
        });
    progress.close();
    switch (outcome) {
    case gridprint::Outcome::Printed:
        emit statusMessage(QString::fromLatin1(res::kStatusPrinted)
                               .arg(printed == 1 ? QStringLiteral("1 page")
                                                 : QStringLiteral("%1 pages").arg(printed),
                                    job.title));
        break;
    case gridprint::Outcome::Cancelled:
        // A file the pages were going to is not left half written.
        if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
            QFile::remove(printer.outputFileName());
        emit statusMessage(QString::fromLatin1(res::kStatusPrintCancelled));
        break;
    case gridprint::Outcome::NoSuchPages:
        QMessageBox::warning(this, QString::fromLatin1(res::kAppTitle),
                             QString::fromLatin1(res::kNoSuchPages));
        break;
    case gridprint::Outcome::Failed:
        QMessageBox::critical(this, QString::fromLatin1(res::kAppTitle),
                              QString::fromLatin1(res::kPrintFailed));
        break;
    }
}

void CMainView::OnFilePrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    gridprint::SetMargins(printer);
    printer.setDocName(PrintTitle());
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    const CSpreadSheet1& grid = Grid(m_currentTab);
    const gridprint::Job job = PrintJob(gridprint::Range::All);
    // The preview's own Print button prints the same pages on the printer
    // picked there.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&grid, &job](QPrinter* target) { gridprint::Print(grid, job, *target); });
    dialog.exec();
}

void CMainView::OnFileImport() {
    QFileDialog dialog(this, QStringLiteral("Import Radio File"),
                       reg::LastFolder(reg::FolderKind::ChannelLists), kTextFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("tab"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    reg::RememberFolderOf(reg::FolderKind::ChannelLists, dialog.selectedFiles().constFirst());
    ImportFrom(dialog.selectedFiles().constFirst());
}

bool CMainView::ImportFrom(const QString& path) {
    textio::ImportSummary summary;
    const auto own = OwnChange();
    m_doc->History().Record(QStringLiteral("Import"),
                            [&] { summary = textio::ImportFile(m_doc->Radio(), path); });
    m_importSummary = summary.ok ? textio::SummaryLine(summary) : QString();
    if (!summary.ok) {
        QMessageBox::critical(this, QString::fromLatin1(res::kAppTitle), summary.message);
        return false;
    }
    if (!summary.nothingImported.isEmpty()) {
        // Nothing changed: the document stays as it was.
        QMessageBox::warning(this, QString::fromLatin1(res::kAppTitle), summary.nothingImported);
        return false;
    }
    RefreshGrids();
    // The summary counts the channels and tells the lines skipped or changed.
    emit statusMessage(m_importSummary);
    return true;
}

void CMainView::OnFileExport() {
    QFileDialog dialog(this, QStringLiteral("Export Radio File"),
                       reg::LastFolder(reg::FolderKind::ChannelLists), kExportFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("tab"));
    dialog.setOption(QFileDialog::ReadOnly, false);
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter.contains(QLatin1String("*.tab")) ? QStringLiteral("tab")
                                                                        : QStringLiteral("csv"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const bool chirpList = dialog.selectedNameFilter() == kChirpFilter;
    QString path = dialog.selectedFiles().constFirst();
    if (chirpList && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    reg::RememberFolderOf(reg::FolderKind::ChannelLists, path);
    ExportTo(path, chirpList);
}

bool CMainView::ExportTo(const QString& path, bool chirpList) {
    int channels = 0;
    const auto error =
        chirpList ? textio::SaveList(path, chirp::ExportBytes(m_doc->Radio(), &channels))
                  : textio::ExportFile(m_doc->Radio(), &Grid(tab::kMemories), path, &channels);
    if (error) {
        QMessageBox::critical(this, error->caption, error->text);
        return false;
    }
    emit statusMessage(QString::fromLatin1(res::kStatusExported)
                           .arg(Channels(channels), QDir::toNativeSeparators(path)));
    return true;
}

void CMainView::ResetToNewDocument() {
    const auto own = OwnChange();
    m_doc->OnNewDocument();
    // A new document has no file: Save asks for a name rather than writing
    // the radio's memory over the file that was shown before.
    m_doc->SetPathName(QString());
    m_doc->SetTitle(m_untitledTitle ? m_untitledTitle() : QString::fromLatin1(res::kUntitled));
    m_doc->History().Reset(false);
    RefreshGrids();
}

void CMainView::OnRadioGetData() {
    if (m_doc->IsModified() && m_saveModified && !m_saveModified())
        return;
    ResetToNewDocument();

    CGetDataDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return; // the document stays the new default document
    if (const auto warning = radiolink::TakeDownloadedImage(*m_doc, dialog.Image().data()))
        QMessageBox::warning(this, QString::fromLatin1(res::kAppTitle), *warning);
    // The radio's memory replaces the document: nothing before it can be
    // undone, and it is not saved yet.
    const auto own = OwnChange();
    m_doc->History().Reset(true);
    RefreshGrids();
    emit statusMessage(QString::fromLatin1(res::kStatusReceived).arg(image::kSize));
}

void CMainView::OnRadioSendData() {
    CommitGrids(false);
    radiolink::PrepareSendCommand(*m_doc);
    if (!WriteSettingsForUpload())
        return;
    // The image is stamped and sent; what the dialog ends with changes
    // nothing here, and the modified flag stays as it was.
    CSendDataDlg dialog(*m_doc, this);
    if (dialog.exec() == QDialog::Accepted) {
        emit statusMessage(
            QString::fromLatin1(res::kStatusSent).arg(m_doc->GetTitle()).arg(image::kSize));
    } else if (dialog.Started()) {
        // Part of the image may have reached the radio: it must not be used
        // like that.
        emit statusMessage(QString::fromLatin1(res::kStatusNotSent));
        QMessageBox::warning(this, QString::fromLatin1(res::kAppTitle),
                             QString::fromLatin1(res::kPartialUpload));
    }
}

bool CMainView::WriteSettingsForUpload() {
    // The settings named by the document's settings source go with the
    // image. A settings file that does not load stops the upload: the radio
    // gets nothing rather than settings nobody chose.
    if (const auto error = rsf::WriteSettingsForUpload(rsf::SettingsSource(*m_doc))) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), error->text,
                        QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        emit statusMessage(QString::fromLatin1(res::kStatusNotSent));
        return false;
    }
    return true;
}

void CMainView::OnViewSettings() {
    // The window edits settings files; the document's image is left alone.
    CSettingsDlg dialog(rsf::SettingsSource(*m_doc), this);
    dialog.exec();
}
