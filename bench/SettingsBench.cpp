// The settings figures, offscreen: opening the settings window until every
// page is loaded, from the document's image and from a settings file, and
// the upload's settings step (a settings file loaded and written into the
// image).
#include "document/RadioDocument.h"
#include "settings/RadioSettings.h"
#include "settings/SettingsStore.h"
#include "setwindow/SettingsWindow.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString g_folder;

// A settings file in the settings folder, named by the document.
void KeepSettingsFile(document::RadioDocument& doc) {
    settings::rsf::FileImage file{};
    settings::rsf::WriteHeader(file.data(), true);
    settings::rsf::ExtractDefaults(doc.Radio(), file.data() + settings::rsf::kBlock);
    const QString path = QDir(g_folder).filePath(QStringLiteral("bench.rsf"));
    settings::rsf::SaveFile(path, file.data());
    auto store = settings::OpenSettingsGroup();
    store->setValue(QString::fromLatin1(settings::kSettingDir), g_folder);
    settings::Flush(*store);
    doc.SetSettingsSourceName(QStringLiteral("bench.rsf"));
}

void OpenWindow(benchmark::State& state, bool fromFile) {
    document::RadioDocument doc;
    if (fromFile)
        KeepSettingsFile(doc);
    else
        doc.SetSettingsSourceName(QStringLiteral("ReadRadio"));
    for (auto _ : state) {
        auto* dialog = new setwindow::SettingsWindow(settings::rsf::SettingsSource(doc));
        dialog->show();
        QApplication::processEvents();
        state.PauseTiming();
        delete dialog;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void OpenSettingsWindowFromImage(benchmark::State& state) {
    OpenWindow(state, false);
}
BENCHMARK(OpenSettingsWindowFromImage)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

void OpenSettingsWindowFromFile(benchmark::State& state) {
    OpenWindow(state, true);
}
BENCHMARK(OpenSettingsWindowFromFile)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

void UploadSettingsStep(benchmark::State& state) {
    document::RadioDocument doc;
    KeepSettingsFile(doc);
    for (auto _ : state) {
        if (settings::rsf::WriteSettingsForUpload(settings::rsf::SettingsSource(doc)))
            state.SkipWithError("the settings file did not load");
    }
}
BENCHMARK(UploadSettingsStep)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    QApplication app(argc, argv);
    g_folder = dir.path();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
