#include "editor/DocumentCommands.h"

#include "dialogs/GetDataDialog.h"
#include "dialogs/SendDataDialog.h"
#include "document/ChirpList.h"
#include "document/DocumentHistory.h"
#include "document/RadioDocument.h"
#include "document/TextImportExport.h"
#include "editor/CompareWindow.h"
#include "editor/MainView.h"
#include "link/ImageHistory.h"
#include "link/TransferDocument.h"
#include "outside/CellStore.h"
#include "settings/LastFolders.h"
#include "settings/RadioSettings.h"
#include "setwindow/SettingsWindow.h"
#include "widgets/GridPrinter.h"
#include "widgets/OptionsDialog.h"
#include "widgets/Resources.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>

using namespace radio;

namespace {

// A transfer's status with what became of its history entry: nothing is
// said when it was kept.
QString WithHistoryNote(const QString& status, const radiolink::history::Kept& kept) {
    return kept.error.isEmpty()
               ? status
               : status + QStringLiteral("; ") + radiolink::history::NotKeptText(kept.error);
}

} // namespace

namespace editor {

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

} // namespace

DocumentCommands::DocumentCommands(MainView& view)
    : QObject(&view), m_view(view), m_doc(&view.Document()) {}

QWidget* DocumentCommands::Parent() const {
    return &m_view;
}

void DocumentCommands::Options() {
    widgets::OptionsDialog dialog(Parent());
    dialog.exec();
    // By either button: the grids of this window show what is stored now.
    m_view.ApplyColumnOptions();
}

void DocumentCommands::Print() {
    const outside::CellStore& grid = m_view.Cells(m_view.CurrentTab());
    QPrinter printer(QPrinter::HighResolution);
    widgets::gridprint::SetMargins(printer);
    printer.setDocName(m_view.PrintTitle());
    const int pages =
        widgets::gridprint::Layout(grid, m_view.PrintJob(widgets::gridprint::Range::All), printer)
            .PageCount();

    // The printer, its paper and the copies are the user's choice here and
    // the pages go to that printer.
    QPrintDialog dialog(&printer, Parent());
    dialog.setMinMax(1, pages);
    printer.setFromTo(1, pages);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, grid.Selection().IsValid());
    if (dialog.exec() != QDialog::Accepted)
        return;

    widgets::gridprint::Job job = m_view.PrintJob(widgets::gridprint::Range::All);
    if (printer.printRange() == QPrinter::Selection && grid.Selection().IsValid())
        job = m_view.PrintJob(widgets::gridprint::Range::Selection);
    else if (printer.printRange() == QPrinter::PageRange)
        job =
            m_view.PrintJob(widgets::gridprint::Range::Pages, printer.fromPage(), printer.toPage());

    QProgressDialog progress(QString::fromLatin1(widgets::gridprint::kAbortMessage),
                             QStringLiteral("Cancel"), 0, 0, Parent());
    progress.setWindowTitle(QString::fromLatin1(widgets::res::kAppTitle));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.show();
    QApplication::processEvents();
    int printed = 0;
    const auto outcome =
        widgets::gridprint::Print(grid, job, printer, [&progress, &printed](int done, int total) {
            printed = done;
            progress.setMaximum(total);
            progress.setValue(done);
            QApplication::processEvents();
            return !progress.wasCanceled();
        });
    progress.close();
    switch (outcome) {
    case widgets::gridprint::Outcome::Printed:
        emit m_view.statusMessage(QString::fromLatin1(widgets::res::kStatusPrinted)
                                      .arg(printed == 1 ? QStringLiteral("1 page")
                                                        : QStringLiteral("%1 pages").arg(printed),
                                           job.title));
        break;
    case widgets::gridprint::Outcome::Cancelled:
        // A file the pages were going to is not left half written.
        if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
            QFile::remove(printer.outputFileName());
        emit m_view.statusMessage(QString::fromLatin1(widgets::res::kStatusPrintCancelled));
        break;
    case widgets::gridprint::Outcome::NoSuchPages:
        QMessageBox::warning(Parent(), QString::fromLatin1(widgets::res::kAppTitle),
                             QString::fromLatin1(widgets::res::kNoSuchPages));
        break;
    case widgets::gridprint::Outcome::Failed:
        QMessageBox::critical(Parent(), QString::fromLatin1(widgets::res::kAppTitle),
                              QString::fromLatin1(widgets::res::kPrintFailed));
        break;
    }
}

void DocumentCommands::PrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    widgets::gridprint::SetMargins(printer);
    printer.setDocName(m_view.PrintTitle());
    QPrintPreviewDialog dialog(&printer, Parent());
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    const outside::CellStore& grid = m_view.Cells(m_view.CurrentTab());
    const widgets::gridprint::Job job = m_view.PrintJob(widgets::gridprint::Range::All);
    // The preview's own Print button prints the same pages on the printer
    // picked there.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&grid, &job](QPrinter* target) { widgets::gridprint::Print(grid, job, *target); });
    dialog.exec();
}

void DocumentCommands::Import() {
    QFileDialog dialog(Parent(), QStringLiteral("Import Radio File"),
                       settings::LastFolder(settings::FolderKind::ChannelLists), kTextFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("tab"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    settings::RememberFolderOf(settings::FolderKind::ChannelLists,
                               dialog.selectedFiles().constFirst());
    ImportFrom(dialog.selectedFiles().constFirst());
}

bool DocumentCommands::ImportFrom(const QString& path) {
    document::textio::ImportSummary summary;
    const auto own = m_view.OwnChange();
    m_doc->History().Record(QStringLiteral("Import"),
                            [&] { summary = document::textio::ImportFile(m_doc->Radio(), path); });
    m_importSummary = summary.ok ? document::textio::SummaryLine(summary) : QString();
    if (!summary.ok) {
        QMessageBox::critical(Parent(), QString::fromLatin1(widgets::res::kAppTitle),
                              summary.message);
        return false;
    }
    if (!summary.nothingImported.isEmpty()) {
        // Nothing changed: the document stays as it was.
        QMessageBox::warning(Parent(), QString::fromLatin1(widgets::res::kAppTitle),
                             summary.nothingImported);
        return false;
    }
    m_view.RefreshGrids();
    // The summary counts the channels and tells the lines skipped or changed.
    emit m_view.statusMessage(m_importSummary);
    return true;
}

void DocumentCommands::Export() {
    QFileDialog dialog(Parent(), QStringLiteral("Export Radio File"),
                       settings::LastFolder(settings::FolderKind::ChannelLists), kExportFilter);
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
    settings::RememberFolderOf(settings::FolderKind::ChannelLists, path);
    ExportTo(path, chirpList);
}

bool DocumentCommands::ExportTo(const QString& path, bool chirpList) {
    int channels = 0;
    const auto error =
        chirpList ? document::textio::SaveList(
                        path, document::chirp::ExportBytes(m_doc->Radio(), &channels))
                  : document::textio::ExportFile(m_doc->Radio(), &m_view.Cells(tab::kMemories),
                                                 path, &channels);
    if (error) {
        QMessageBox::critical(Parent(), error->caption, error->text);
        return false;
    }
    emit m_view.statusMessage(QString::fromLatin1(widgets::res::kStatusExported)
                                  .arg(Channels(channels), QDir::toNativeSeparators(path)));
    return true;
}

void DocumentCommands::ResetToNewDocument() {
    const auto own = m_view.OwnChange();
    m_doc->StartNew();
    // A new document has no file: Save asks for a name rather than writing
    // the radio's memory over the file that was shown before.
    m_doc->SetFileName(QString());
    m_doc->SetTitle(m_untitledTitle ? m_untitledTitle()
                                    : QString::fromLatin1(widgets::res::kUntitled));
    m_doc->History().Reset(false);
    m_view.RefreshGrids();
}

void DocumentCommands::GetData() {
    if (m_doc->IsModified() && m_saveModified && !m_saveModified())
        return;
    // The document stays as it is until a whole image has arrived: a
    // download that fails or is cancelled changes nothing.
    dialogs::GetDataDialog dialog(Parent());
    if (dialog.exec() != QDialog::Accepted) {
        const QString& failure = dialog.Failure();
        emit m_view.statusMessage(
            failure.isEmpty()
                ? QString::fromLatin1(widgets::res::kStatusReceiveCancelled)
                : QString::fromLatin1(widgets::res::kStatusNotReceived).arg(failure.simplified()));
        return;
    }
    // The image goes into the radio history before anything else can fail.
    const radiolink::history::Kept kept = radiolink::history::Keep(
        dialog.Image().data(), radiolink::history::Direction::Received, dialog.Device());
    ResetToNewDocument();
    if (const auto warning = radiolink::TakeDownloadedImage(*m_doc, dialog.Image().data()))
        QMessageBox::warning(Parent(), QString::fromLatin1(widgets::res::kAppTitle), *warning);
    // The radio's memory replaces the document: nothing before it can be
    // undone, and it is not saved yet.
    const auto own = m_view.OwnChange();
    m_doc->History().Reset(true);
    m_view.RefreshGrids();
    emit m_view.statusMessage(WithHistoryNote(
        QString::fromLatin1(widgets::res::kStatusReceived).arg(image::kSize), kept));
}

void DocumentCommands::SendData() {
    m_view.CommitGrids(false);
    radiolink::PrepareSendCommand(*m_doc);
    QString from;
    if (!WriteSettingsForUpload(&from))
        return;
    // The image is stamped and sent; what the dialog ends with changes
    // nothing here, and the modified flag stays as it was.
    dialogs::SendDataDialog dialog(
        *m_doc, settings::rsf::DescribeOrigin(settings::rsf::SettingsSource(*m_doc), from),
        Parent());
    const bool sent = dialog.exec() == QDialog::Accepted;
    // What went out is kept in the radio history, marked when it did not all
    // reach the radio.
    radiolink::history::Kept kept;
    if (dialog.Started())
        kept = radiolink::history::Keep(dialog.SentImage().data(),
                                        radiolink::history::Direction::Sent, dialog.Device(),
                                        QFileInfo(m_doc->FileName()).fileName(), !sent);
    if (sent) {
        emit m_view.statusMessage(WithHistoryNote(
            QString::fromLatin1(widgets::res::kStatusSent).arg(m_doc->Title()).arg(image::kSize),
            kept));
    } else if (dialog.Started()) {
        // Part of the image may have reached the radio: it must not be used
        // like that.
        emit m_view.statusMessage(
            WithHistoryNote(QString::fromLatin1(widgets::res::kStatusNotSent), kept));
        QMessageBox::warning(Parent(), QString::fromLatin1(widgets::res::kAppTitle),
                             QString::fromLatin1(widgets::res::kPartialUpload));
    }
}

bool DocumentCommands::WriteSettingsForUpload(QString* from) {
    // The settings named by the document's settings source go with the
    // image. A settings file that does not load stops the upload: the radio
    // gets nothing rather than settings nobody chose.
    if (const auto error =
            settings::rsf::WriteSettingsForUpload(settings::rsf::SettingsSource(*m_doc), from)) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), error->text,
                        QMessageBox::Ok, Parent());
        box.setTextFormat(Qt::PlainText);
        box.exec();
        emit m_view.statusMessage(QString::fromLatin1(widgets::res::kStatusNotSent));
        return false;
    }
    return true;
}

void DocumentCommands::Settings() {
    // The window edits settings files; the document's image is left alone.
    setwindow::SettingsWindow dialog(settings::rsf::SettingsSource(*m_doc), Parent());
    dialog.exec();
}

void DocumentCommands::CompareWith(QString path) {
    // The window of differences belongs to the main window: it stays when
    // the document window closes.
    QWidget* window = m_view.window();
    if (path.isEmpty()) {
        path = QFileDialog::getOpenFileName(
            window, QStringLiteral("Compare With"), QDir::currentPath(),
            QString::fromLatin1(widgets::res::kDataFileFilter) + QStringLiteral(";;") +
                QString::fromLatin1(widgets::res::kRawImageFilter) +
                QStringLiteral(";;All Files (*)"));
        if (path.isEmpty())
            return;
    }
    document::RadioDocument other;
    if (const auto error = other.Load(path)) {
        QMessageBox::critical(window, QStringLiteral("File Error"), error->text);
        return;
    }
    auto* differences =
        new CompareWindow(document::diff::Differences(m_doc->Radio(), other.Radio()), window);
    differences->setAttribute(Qt::WA_DeleteOnClose);
    differences->setWindowTitle(
        QStringLiteral("%1 compared with %2").arg(m_doc->Title(), QFileInfo(path).fileName()));
    differences->show();
}

} // namespace editor
