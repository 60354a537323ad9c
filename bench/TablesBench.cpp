// The channel tables: filling all seven grids' typed tables from an image
// and writing them back (the main view's refresh and commit), and exporting
// and importing 450 channels.
#include "document/RadioDocument.h"
#include "document/TabGrid.h"
#include "document/TextImportExport.h"
#include "radio/ChannelTables.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <memory>

using namespace radio;

namespace {

QString g_dir;

// A document with every memory channel in use, named and commented, every
// hyper memory in use and every group full.
void FillDocument(document::RadioDocument& doc) {
    for (int i = 0; i < image::kMemoryCount; ++i) {
        ChannelValues v;
        v.rx = 144000000 + 12500 * i;
        v.direction = i % 3;
        v.offset = 600000;
        v.tx = v.direction == 1 ? v.rx - v.offset : v.direction == 2 ? v.rx + v.offset : v.rx;
        v.ctcss = i % 50;
        v.dcs = i % 104;
        v.step = i % 9;
        v.toneMode = i % 7;
        v.icon = i % 30;
        v.name = QStringLiteral("CH%1").arg(i);
        std::array<Byte, record::kSize> rec{};
        BuildChannelRecord(doc.Radio(), rec.data(), v);
        std::memcpy(doc.Radio().RecordForRow(tab::kMemories, i), rec.data(), rec.size());
        doc.Radio().SetUsed(doc.Image(), tab::kMemories, i, true);
        doc.Radio().SetSkip(doc.Image(), tab::kMemories, i, i % 5 == 0);
        doc.Radio().SetComment(tab::kMemories, i, QStringLiteral("channel %1, a comment").arg(i));
    }
    for (int i = 0; i < image::kHyperCount; ++i)
        doc.Radio().RecordForRow(tab::kHyper, i)[block::kHyperStatus] = block::kHyperInUse;
    for (int g = 0; g < image::kGroupCount; ++g) {
        for (int j = 0; j < image::kGroupMaxMembers; ++j)
            RadioModel::SetGroupMember(doc.Image(), g, j, g * 48 + j);
        RadioModel::SetGroupSize(doc.Image(), g, image::kGroupMaxMembers);
    }
}

struct Fixture {
    Fixture() {
        FillDocument(doc);
        for (int t = 0; t < tab::kCount; ++t) {
            grids[static_cast<size_t>(t)] = std::make_unique<document::TabGrid>(doc.Radio(), t);
        }
    }
    document::TabGrid& Grid(int t) { return *grids[static_cast<size_t>(t)]; }
    document::RadioDocument doc;
    std::array<std::unique_ptr<document::TabGrid>, tab::kCount> grids;
};

// Refresh: all seven grids filled from the image.
void RefreshAllSeven(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        for (int t = 0; t < tab::kCount; ++t)
            f.Grid(t).Fill(f.doc.Image());
    }
}
BENCHMARK(RefreshAllSeven)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();

// Commit: all seven grids read back into a copy of the image. Unedited rows
// keep their bytes; with every row edited, every row is written.
void CommitAllSeven(benchmark::State& state) {
    Fixture f;
    for (int t = 0; t < tab::kCount; ++t) {
        f.Grid(t).Fill(f.doc.Image());
        if (state.range(0))
            f.Grid(t).Cells().DropBaseline();
    }
    std::array<Byte, image::kSize> copy{};
    for (auto _ : state) {
        std::memcpy(copy.data(), f.doc.Image(), copy.size());
        for (int t = 0; t < tab::kCount; ++t)
            f.Grid(t).WriteChanged(copy.data());
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(CommitAllSeven)
    ->ArgName("every_row_edited")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

// One tab, filled and read back with every row edited.
void FillAndReadTab(benchmark::State& state) {
    Fixture f;
    const int t = static_cast<int>(state.range(0));
    std::array<Byte, image::kSize> copy{};
    for (auto _ : state) {
        f.Grid(t).Fill(f.doc.Image());
        f.Grid(t).Cells().DropBaseline();
        std::memcpy(copy.data(), f.doc.Image(), copy.size());
        f.Grid(t).WriteChanged(copy.data());
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(FillAndReadTab)
    ->ArgName("tab")
    ->DenseRange(0, tab::kCount - 1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// Export of 450 channels to a file and import of that file into a new
// document.
void ExportImport450(benchmark::State& state) {
    document::RadioDocument doc;
    FillDocument(doc);
    const QString path = g_dir + QStringLiteral("/bench.csv");
    for (auto _ : state) {
        if (document::textio::ExportFile(doc.Radio(), nullptr, path)) {
            state.SkipWithError("export failed");
            break;
        }
        document::RadioDocument target;
        const document::textio::ImportSummary summary =
            document::textio::ImportFile(target.Radio(), path);
        if (summary.channels != image::kMemoryCount) {
            state.SkipWithError("import lost channels");
            break;
        }
    }
}
BENCHMARK(ExportImport450)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = dir.path();
    // A full document for the command-line figure of run_tables.sh.
    if (argc > 2 && QByteArray(argv[1]) == "--write-full") {
        document::RadioDocument doc;
        FillDocument(doc);
        return doc.Save(QString::fromLocal8Bit(argv[2])) ? 1 : 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
