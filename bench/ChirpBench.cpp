// Importing a 450-line CHIRP channel list into a document, and writing the
// list out again.
#include "document/ChirpList.h"
#include "document/RadioDocument.h"
#include "document/TextImportExport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString g_list;

// 450 lines over every tone mode, duplex and mode the list knows.
QByteArray FullList() {
    static const char* const kTones[] = {
        ",88.5,88.5,023,NN,023,Tone->Tone",       "Tone,100.0,100.0,023,NN,023,Tone->Tone",
        "TSQL,123.0,123.0,023,NN,023,Tone->Tone", "DTCS,88.5,88.5,754,NN,754,Tone->Tone",
        "Cross,88.5,88.5,025,NN,025,DTCS->",      "Cross,156.7,156.7,131,NN,131,Tone->DTCS",
    };
    static const char* const kShifts[] = {",0.000000", "+,0.600000", "-,0.600000"};
    static const char* const kModes[] = {"FM", "NFM"};
    QByteArray text = document::chirp::ColumnNames().join(',').toLatin1() + '\n';
    for (int i = 0; i < 450; ++i) {
        const int khz = 144000 + 25 * i;
        text += QStringLiteral("%1,CH%2,%3.%4,%5,%6,%7,12.50,%8,L%9,comment %2,,,,\n")
                    .arg(i + 1)
                    .arg(i)
                    .arg(khz / 1000)
                    .arg(khz % 1000 * 1000, 6, 10, QLatin1Char('0'))
                    .arg(QLatin1String(kShifts[i % 3]), QLatin1String(kTones[i % 6]),
                         QLatin1String(kModes[i % 2]), i % 5 ? QString() : QStringLiteral("S"))
                    .arg(1 + i % 3)
                    .toLatin1();
    }
    return text;
}

void ImportChirpList(benchmark::State& state) {
    for (auto _ : state) {
        document::RadioDocument doc;
        const document::textio::ImportSummary s = document::textio::ImportFile(doc.Radio(), g_list);
        if (s.channels != 450) {
            state.SkipWithError("import failed");
            break;
        }
    }
}
BENCHMARK(ImportChirpList)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly();

void ExportChirpList(benchmark::State& state) {
    document::RadioDocument doc;
    document::textio::ImportFile(doc.Radio(), g_list);
    for (auto _ : state)
        benchmark::DoNotOptimize(document::chirp::ExportBytes(doc.Radio()));
}
BENCHMARK(ExportChirpList)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    g_list = dir.filePath(QStringLiteral("full-chirp.csv"));
    QFile file(g_list);
    if (!file.open(QIODevice::WriteOnly) || file.write(FullList()) < 0)
        return 1;
    file.close();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
