// The desktop program's figures, offscreen: opening a radio data file until
// all seven grids are filled and the window shows, switching to the Memory
// Groups tab, printing the 450 memory channels to PDF, opening the print
// preview, typing a channel into an empty row, undoing a cell edit, and the
// Edit menu's row commands on the 450 memory channels with the undo of each.
#include "app/DocumentWindow.h"
#include "app/MainWindow.h"
#include "document/DocumentHistory.h"
#include "document/RadioDocument.h"
#include "document/TextImportExport.h"
#include "editor/DocumentCommands.h"
#include "editor/EditCommands.h"
#include "editor/MainView.h"
#include "outside/CellStore.h"
#include "widgets/GridPrinter.h"
#include "widgets/GridView.h"
#include "widgets/Resources.h"

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
    document::RadioDocument doc;
    document::textio::ImportFile(doc.Radio(), csv);
    doc.Save(path);
}

void OpenFile(benchmark::State& state) {
    app::MainWindow frame;
    frame.show();
    for (auto _ : state) {
        app::DocumentWindow* child = frame.OpenDocumentFile(g_file);
        QApplication::processEvents();
        state.PauseTiming();
        child->Document().SetModified(false);
        child->close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenFile)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();

void SwitchToMemoryGroups(benchmark::State& state) {
    app::MainWindow frame;
    frame.show();
    app::DocumentWindow* child = frame.OpenDocumentFile(g_file);
    editor::MainView* view = child->View();
    for (auto _ : state) {
        view->SetCurrentTab(4);
        QApplication::processEvents();
        state.PauseTiming();
        view->SetCurrentTab(0);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    child->Document().SetModified(false);
}
BENCHMARK(SwitchToMemoryGroups)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

void PrintMemoriesToPdf(benchmark::State& state) {
    app::MainWindow frame;
    frame.show();
    app::DocumentWindow* child = frame.OpenDocumentFile(g_file);
    editor::MainView* view = child->View();
    const widgets::gridprint::Job job = view->PrintJob(widgets::gridprint::Range::All);
    int pages = 0;
    for (auto _ : state) {
        QByteArray pdf;
        if (widgets::gridprint::PrintPdf(view->Cells(0), job, &pdf) !=
            widgets::gridprint::Outcome::Printed)
            state.SkipWithError("printing failed");
        state.PauseTiming();
        QPdfWriter writer(QString{});
        widgets::gridprint::SetMargins(writer);
        pages = widgets::gridprint::Layout(view->Cells(0), job, writer).PageCount();
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
    app::MainWindow frame;
    frame.show();
    app::DocumentWindow* child = frame.OpenDocumentFile(g_file);
    for (auto _ : state) {
        QTimer::singleShot(0, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        child->Commands()->PrintPreview();
    }
}
BENCHMARK(OpenPrintPreview)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();

// Types a text into a cell's editor and closes it, as Return does.
void TypeInto(widgets::GridView* grid, int col, int row, const QString& text) {
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
    app::MainWindow frame;
    frame.show();
    app::DocumentWindow* child = frame.OpenDocumentFile(g_file);
    editor::MainView* view = child->View();
    widgets::GridView* grid = view->Grid(0);
    const int row = 300;
    TypeInto(grid, 1, row, QString()); // the one empty row
    for (auto _ : state) {
        TypeInto(grid, 1, row, QStringLiteral("146.94"));
        if (view->Cells(0).Text(2, row) != QLatin1String("146.34000"))
            state.SkipWithError("the row was not seeded");
        state.PauseTiming();
        view->Undo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    child->Document().SetModified(false);
}
BENCHMARK(TypeReceiveIntoEmptyRow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

// Edit Undo of one cell edit on the full table: the image back and every grid
// of the window filled again.
void UndoCellEdit(benchmark::State& state) {
    app::MainWindow frame;
    frame.show();
    app::DocumentWindow* child = frame.OpenDocumentFile(g_file);
    editor::MainView* view = child->View();
    widgets::GridView* grid = view->Grid(0);
    for (auto _ : state) {
        state.PauseTiming();
        TypeInto(grid, 6, 200, QStringLiteral("UNDO"));
        QApplication::processEvents();
        state.ResumeTiming();
        view->Undo();
        if (view->Cells(0).Text(6, 200) != QLatin1String("CH200"))
            state.SkipWithError("the edit was not undone");
    }
    child->Document().SetModified(false);
}
BENCHMARK(UndoCellEdit)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();

// The Edit menu's commands on the full Memories table, from the command
// until the window has drawn the result; with undo, the undo of the command
// instead. Paste writes all 450 rows (copied in the other order); insert and
// delete work at row 1 (row 450 is empty, so nothing asks); sort orders all
// rows by receive frequency.
enum EditCase { kPaste450, kInsertAtRow1, kDeleteAtRow1, kSortAll };

void EditCommand(benchmark::State& state) {
    const auto what = static_cast<EditCase>(state.range(0));
    const bool undo = state.range(1) != 0;
    app::MainWindow frame;
    frame.show();
    app::DocumentWindow* child = frame.OpenDocumentFile(g_file);
    editor::MainView* view = child->View();
    outside::CellStore& grid = view->Cells(0);
    document::RadioDocument& doc = child->Document();
    document::DocumentHistory& history = doc.History();
    const auto select = [&](int r1, int r2) {
        grid.SelectBlock(outside::GridBlock::Rows(r1, r2, 1, grid.MaxCols()));
    };
    const auto run = [&](radio::rows::Command command) {
        view->CommitGrids(true);
        view->Edit().Run(command);
    };
    outside::SortOptions sort;
    sort.scope = outside::SortOptions::kAllRows;
    sort.firstKey = 1;
    sort.order = outside::SortOptions::kDescending;
    view->Edit().SetSortChooser([&sort](outside::SortOptions& options) {
        options.scope = sort.scope;
        options.order = sort.order;
        options.firstKey = sort.firstKey;
        options.secondKey = 0;
        return true;
    });
    switch (what) {
    case kPaste450:
        // All rows copied, then put in the other order.
        select(1, 450);
        run(radio::rows::Command::Copy);
        run(radio::rows::Command::Sort);
        break;
    case kInsertAtRow1:
        select(450, 450);
        run(radio::rows::Command::Cut);
        break;
    default:
        break;
    }
    const auto command = [&] {
        switch (what) {
        case kPaste450:
            select(1, 1);
            run(radio::rows::Command::Paste);
            break;
        case kInsertAtRow1:
            select(1, 1);
            run(radio::rows::Command::Insert);
            break;
        case kDeleteAtRow1:
            select(1, 1);
            run(radio::rows::Command::Delete);
            break;
        case kSortAll:
            select(1, 1);
            run(radio::rows::Command::Sort);
            break;
        }
        QApplication::processEvents();
    };
    const auto back = [&] {
        history.Undo();
        QApplication::processEvents();
    };
    for (auto _ : state) {
        if (undo) {
            state.PauseTiming();
            command();
            state.ResumeTiming();
            back();
        } else {
            command();
            state.PauseTiming();
            back();
            state.ResumeTiming();
        }
    }
    doc.SetModified(false);
}
BENCHMARK(EditCommand)
    ->ArgNames({"command", "undo"})
    ->ArgsProduct({{kPaste450, kInsertAtRow1, kDeleteAtRow1, kSortAll}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

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
