// The main window repaints its whole skin and rebuilds its outline on every size step while a
// grip is dragged; both together must stay well inside a frame of the display (16 ms at 60 Hz)
// to follow the mouse.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "artwork.h"
#include "fonts.h"
#include "frmmain.h"
#include "sorvani_version.h"
#include "twips.h"
#include "window_outline.h"
#include "window_skin.h"

namespace {

using namespace sorvani::shell;

void BM_PaintWindowSkin(benchmark::State& state) {
    QImage surface(int(state.range(0)), int(state.range(1)), QImage::Format_RGB32);
    const QImage skin = SkinPicture();
    const QFont font = FontOf(WindowFontFamily(), kWindowFontPoints);
    for (auto _ : state) {
        PaintWindowSkin(surface, skin, QColor(240, 240, 240), QString::fromLatin1(kSorvaniTitle),
                        font);
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_PaintWindowSkin)->Args({731, 502})->Args({1920, 1040})->Unit(benchmark::kMillisecond);

void BM_WindowOutline(benchmark::State& state) {
    for (auto _ : state) {
        auto outline =
            WindowOutline(PixelsToTwips(int(state.range(0))), PixelsToTwips(int(state.range(1))));
        benchmark::DoNotOptimize(outline);
    }
}
BENCHMARK(BM_WindowOutline)->Args({731, 502})->Args({1920, 1040})->Unit(benchmark::kMillisecond);

// A whole size step of the grips: the window's size changes and its resize handling runs.
void BM_ResizeStep(benchmark::State& state) {
    sorvani::PinyinDictionary dictionary;
    frmmain window(dictionary);
    int step = 0;
    for (auto _ : state) {
        window.resize(int(state.range(0)) + (step++ % 2), int(state.range(1)));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ResizeStep)->Args({731, 502})->Args({1920, 1040})->Unit(benchmark::kMillisecond);

}  // namespace
