// Timings of 区画図 at the largest corner list (10001 corners), shown on the
// offscreen platform: one repaint of the drawing (allowed: 16 ms), and
// setCorners with the first paint of the whole window after it (the crossing
// check, the table, fitting the outline and placing the numbers; allowed:
// well within 100 ms, with the reading of the corners).
// A program of its own: it needs a QApplication, bench_tarnel needs no Qt.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWindow>

#include "../parcel.h"
#include "screens/area/ParcelDrawing.h"

namespace {

区画図* drawing = nullptr;

void BM_RepaintDrawing(benchmark::State& state) {
    QWidget* canvas = drawing->findChild<QWidget*>(QStringLiteral("canvas"));
    drawing->setCorners(largestParcel());
    canvas->repaint();
    for (auto _ : state) canvas->repaint();
}
BENCHMARK(BM_RepaintDrawing)->Unit(benchmark::kMillisecond);

void BM_SetCornersAndFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        drawing->setCorners(largestParcel());
        drawing->repaint();
    }
}
BENCHMARK(BM_SetCornersAndFirstPaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QWidget screen;
    screen.resize(457, 268);
    区画図 window(&screen);
    drawing = &window;
    window.showBeside(&screen);
    // Painting starts once the platform has exposed the window.
    while (!window.windowHandle() || !window.windowHandle()->isExposed()) QCoreApplication::processEvents();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
