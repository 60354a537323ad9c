// The desktop program's figures, offscreen: opening a radio data file until
// all seven grids are filled and the window shows, switching to the Memory
// Groups tab, printing the 450 memory channels to PDF, opening the print
// preview, typing a channel into an empty row and undoing a cell edit.
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "document/CMainDoc.h"
#include "document/TextImportExport.h"
#include "editor/CMainView.h"
#include "widgets/GridPrinter.h"
#include "widgets/Resources.h"
#include "widgets/SpreadSheetView.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

QString g_file;

// A document with all 450 memory channels in use, named and commented.
void WriteFullFile(const QString& path, const QString& csv) {
    QFile out(csv);
    out.open(QIODevice::WriteOnly);
    out.write("Channel Number,Receive Frequency,Name,CTCSS Tone,Comments\n");
    for (int i = 1; i <= 450; ++i)
        out.write(QStringLiteral("%1,%2,CH%1,88.5,channel %1\n")
                      .arg(i)
                      .arg(144.0 + 0.0125 * i, 0, 'f', 5)
                      .toUtf8());
    out.close();
    CMainDoc doc;
    textio::ImportFile(doc, csv);
    doc.OnSaveDocument(path);
}

void OpenFile(benchmark::State& state) {
    CMainFrame frame;
    frame.show();
    for (auto _ : state) {
        CChildFrame* child = frame.OpenDocumentFile(g_file);
        QApplication::processEvents();
        state.PauseTiming();
        child->GetDocument().SetModifiedFlag(false);
        child->close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenFile)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();

void SwitchToMemoryGroups(benchmark::State& state) {
    CMainFrame frame;
    frame.show();
    CChildFrame* child = frame.OpenDocumentFile(g_file);
    CMainView* view = child->View();
    for (auto _ : state) {
        view->SetCurrentTab(4);
        QApplication::processEvents();
        state.PauseTiming();
        view->SetCurrentTab(0);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    child->GetDocument().SetModifiedFlag(false);
}
BENCHMARK(SwitchToMemoryGroups)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

void PrintMemoriesToPdf(benchmark::State& state) {
    CMainFrame frame;
    frame.show();
    CChildFrame* child = frame.OpenDocumentFile(g_file);
    CMainView* view = child->View();
    const gridprint::Job job = view->PrintJob(gridprint::Range::All);
    int pages = 0;
    for (auto _ : state) {
        QByteArray pdf;
        if (gridprint::PrintPdf(view->Grid(0), job, &pdf) != gridprint::Outcome::Printed)
            state.SkipWithError("printing failed");
        state.PauseTiming();
        QPdfWriter writer(QString{});
        gridprint::SetMargins(writer);
        pages = gridprint::Layout(view->Grid(0), job, writer).PageCount();
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(PrintMemoriesToPdf)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

// From File, Print Preview until the dialog shows its pages.
void OpenPrintPreview(benchmark::State& state) {
    CMainFrame frame;
    frame.show();
    CChildFrame* child = frame.OpenDocumentFile(g_file);
    CMainView* view = child->View();
    for (auto _ : state) {
        QTimer::singleShot(0, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        view->OnCommand(res::cmd::kFilePrintPreview);
    }
}
BENCHMARK(OpenPrintPreview)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();

// Types a text into a cell's editor and closes it, as Return does.
void TypeInto(SpreadSheetView* grid, int col, int row, const QString& text) {
    grid->SetActiveCell(col, row);
    grid->StartEdit();
    for (QLineEdit* edit : grid->findChildren<QLineEdit*>()) {
        if (edit->isVisible())
            edit->setText(text);
    }
    grid->EndEdit();
}

// A receive frequency typed into the one empty row of a full Memories table,
// until the row shows its seeded cells (committed into the image as a step).
void TypeReceiveIntoEmptyRow(benchmark::State& state) {
    CMainFrame frame;
    frame.show();
    CChildFrame* child = frame.OpenDocumentFile(g_file);
    CMainView* view = child->View();
    SpreadSheetView* grid = view->GridView(0);
    const int row = 300;
    TypeInto(grid, 1, row, QString()); // the one empty row
    for (auto _ : state) {
        TypeInto(grid, 1, row, QStringLiteral("146.94"));
        if (view->Grid(0).Text(2, row) != QLatin1String("146.34000"))
            state.SkipWithError("the row was not seeded");
        state.PauseTiming();
        view->Undo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    child->GetDocument().SetModifiedFlag(false);
}
BENCHMARK(TypeReceiveIntoEmptyRow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

// Edit Undo of one cell edit on the full table: the image back and every grid
// of the window filled again.
void UndoCellEdit(benchmark::State& state) {
    CMainFrame frame;
    frame.show();
    CChildFrame* child = frame.OpenDocumentFile(g_file);
    CMainView* view = child->View();
    SpreadSheetView* grid = view->GridView(0);
    for (auto _ : state) {
        state.PauseTiming();
        TypeInto(grid, 6, 200, QStringLiteral("UNDO"));
        QApplication::processEvents();
        state.ResumeTiming();
        view->Undo();
        if (view->Grid(0).Text(6, 200) != QLatin1String("CH200"))
            state.SkipWithError("the edit was not undone");
    }
    child->GetDocument().SetModifiedFlag(false);
}
BENCHMARK(UndoCellEdit)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    QApplication app(argc, argv);
    g_file = dir.filePath(QStringLiteral("full.rdf"));
    WriteFullFile(g_file, dir.filePath(QStringLiteral("full.csv")));
    if (argc > 2 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--write-full")) {
        QFile::copy(g_file, QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
