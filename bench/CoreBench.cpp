// Loading a radio data file, decoding every field of all 450 memory channels
// and storing the file again.
#include "document/RadioDocument.h"
#include "radio/ChannelRecord.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace radio;

namespace {

QString g_file;

// A document whose 450 memory channels are all in use.
void WriteFullFile(const QString& path) {
    document::RadioDocument doc;
    for (int i = 0; i < image::kMemoryCount; ++i) {
        Byte* rec = doc.Radio().RecordForRow(tab::kMemories, i);
        std::fill(rec, rec + record::kSize, 0);
        ChannelRecord r(rec);
        doc.Radio().EncodeFrequency(tab::kMemories, r.RxField(), 144000000 + 12500 * i);
        doc.Radio().EncodeFrequency(tab::kMemories, r.OffsetField(), 600000);
        r.SetDirection(i % 4);
        r.SetStep(i % 9);
        r.SetCtcss(i % 50);
        doc.Radio().EncodeName(r.NameField(), QStringLiteral("CH%1").arg(i));
        doc.Radio().SetUsed(doc.Image(), tab::kMemories, i, true);
        doc.Radio().SetComment(tab::kMemories, i, QStringLiteral("channel %1").arg(i));
    }
    doc.Save(path);
}

void LoadDecodeStore(benchmark::State& state) {
    const QString out = g_file + QStringLiteral(".out");
    for (auto _ : state) {
        document::RadioDocument doc;
        if (doc.Load(g_file)) {
            state.SkipWithError("load failed");
            break;
        }
        std::int64_t checksum = 0;
        for (int i = 0; i < image::kMemoryCount; ++i) {
            const ConstChannelRecord r(doc.Radio().RecordForRow(tab::kMemories, i));
            checksum += doc.Radio().DecodeFrequency(tab::kMemories, r.RxField()) +
                        doc.Radio().DecodeFrequency(tab::kMemories, r.OffsetField());
            checksum += r.Step() + r.Direction() + r.Power() + r.Mode() + r.Icon() + r.Ctcss() +
                        r.Dcs() + r.ToneMode() + r.ClockShift() + r.HalfDeviation() + r.RxRaster() +
                        r.TxRaster() + r.OffStep();
            checksum += doc.Radio().DecodeName(r.NameField()).size();
            checksum += doc.Radio().IsUsed(doc.Image(), tab::kMemories, i) +
                        doc.Radio().IsSkip(doc.Image(), tab::kMemories, i) +
                        doc.Radio().IsPreferential(doc.Image(), tab::kMemories, i) +
                        doc.Radio().IsMasked(doc.Image(), tab::kMemories, i);
            checksum += doc.Radio().Comment(tab::kMemories, i).size();
        }
        benchmark::DoNotOptimize(checksum);
        if (doc.Save(out)) {
            state.SkipWithError("store failed");
            break;
        }
    }
}
BENCHMARK(LoadDecodeStore)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    g_file = dir.filePath(QStringLiteral("full.rdf"));
    WriteFullFile(g_file);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
