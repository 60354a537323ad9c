// The Display, Icon/Font and names pages, offscreen: making a page and
// loading it from a settings block (what the settings window does for each
// page when it opens), saving it back, and drawing every pixel of an icon.
#include "setwindow/DisplayPage.h"
#include "setwindow/IconFontPage.h"
#include "setwindow/NamesPage.h"

#include "radio/RadioModel.h"
#include "widgets/PixelEditor.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int kBlockSize = 1488;

std::vector<radio::Byte> FactoryBlock() {
    std::vector<radio::Byte> block(kBlockSize, 0);
    const auto& image = radio::DefaultImage();
    std::copy(image.begin() + radio::image::kSettingsFirst,
              image.begin() + radio::image::kSettingsEnd, block.begin());
    return block;
}

template <typename Make>
void MakeAndLoad(benchmark::State& state, Make make) {
    std::vector<radio::Byte> block = FactoryBlock();
    for (auto _ : state) {
        std::unique_ptr<setwindow::SettingsPage> page = make(block.data());
        page->Load();
        page->show();
        QApplication::processEvents();
        state.PauseTiming();
        page.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void DisplayPageOpen(benchmark::State& state) {
    MakeAndLoad(
        state, [](radio::Byte* b) { return std::make_unique<setwindow::DisplayPage>(b, nullptr); });
}
void IconFontPageOpen(benchmark::State& state) {
    MakeAndLoad(state, [](radio::Byte* b) {
        return std::make_unique<setwindow::IconFontPage>(b, nullptr);
    });
}
void NamesPageOpen(benchmark::State& state) {
    MakeAndLoad(state, [](radio::Byte* b) {
        return std::make_unique<setwindow::NamesPage>(b, true, nullptr);
    });
}
BENCHMARK(DisplayPageOpen)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();
BENCHMARK(IconFontPageOpen)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();
BENCHMARK(NamesPageOpen)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();

void SaveAllThree(benchmark::State& state) {
    std::vector<radio::Byte> block = FactoryBlock();
    setwindow::DisplayPage display(block.data(), nullptr);
    setwindow::IconFontPage iconFont(block.data(), nullptr);
    setwindow::NamesPage names(block.data(), true, nullptr);
    for (setwindow::SettingsPage* page : {static_cast<setwindow::SettingsPage*>(&display),
                                          static_cast<setwindow::SettingsPage*>(&iconFont),
                                          static_cast<setwindow::SettingsPage*>(&names)})
        page->Load();
    for (auto _ : state) {
        display.Save();
        iconFont.Save();
        names.Save();
    }
}
BENCHMARK(SaveAllThree)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();

// One press and a drag over all 861 cells of an icon, row by row.
void PaintWholeIcon(benchmark::State& state) {
    std::vector<radio::Byte> block = FactoryBlock();
    setwindow::IconFontPage page(block.data(), nullptr);
    page.resize(900, 560);
    page.show();
    page.Load();
    widgets::PixelEditor* editor = page.IconEditor();
    const auto send = [editor](QEvent::Type type, int index, Qt::MouseButtons buttons) {
        const QPointF at = editor->CellRect(index).center();
        QMouseEvent event(type, at, editor->mapToGlobal(at), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(editor, &event);
    };
    for (auto _ : state) {
        send(QEvent::MouseButtonPress, 0, Qt::LeftButton);
        for (int p = 1; p < 861; ++p)
            send(QEvent::MouseMove, p, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, 860, Qt::NoButton);
        QApplication::processEvents();
    }
}
BENCHMARK(PaintWholeIcon)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config; // the pages read "ShowGuides" from a store of their own
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
