// The radio text figures: a full radio (every memory channel, hyper memory
// and group in use: tests/data/full.img) written as text, and the text read
// back.
#include "document/RadioDocument.h"
#include "settings/RadioText.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <array>

namespace {

QByteArray FullText() {
    settings::radiotext::Install();
    document::RadioDocument doc;
    doc.Load(QStringLiteral(CLONARA_TEST_DATA_DIR "/full.img"));
    return settings::radiotext::Write(doc.Block());
}

void Write(benchmark::State& state) {
    document::RadioDocument doc;
    doc.Load(QStringLiteral(CLONARA_TEST_DATA_DIR "/full.img"));
    for (auto _ : state)
        benchmark::DoNotOptimize(settings::radiotext::Write(doc.Block()));
}
BENCHMARK(Write)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void Read(benchmark::State& state) {
    const QByteArray text = FullText();
    std::array<radio::Byte, radio::rdf::kFileSize> block{};
    for (auto _ : state)
        benchmark::DoNotOptimize(
            settings::radiotext::Read(text, QStringLiteral("full.yaml"), block.data()));
}
BENCHMARK(Read)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
