// Timings of 区画図 at the largest corner list (10001 corners), shown on the
// offscreen platform: one repaint of the drawing (allowed: 16 ms), and
// setCorners with the first paint of the whole window after it (the crossing
// check, the table, fitting the outline and placing the numbers; allowed:
// well within 100 ms, with the reading of the corners).
// Then the whole of taking 10001 corners on 座標面積, from a paste or a file
// to the list filled and the drawing painted (allowed: 100 ms).
// A program of its own: it needs a QApplication, bench_tarnel needs no Qt.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>

#include "../parcel.h"
#include "frame/Module1.h"
#include "screens/area/ParcelDrawing.h"
#include "screens/area/ZamenScreen.h"
#include "survey/arith.h"

namespace {

// Every question answered Yes, nothing waited for.
struct YesToAll : Module1::Seam {
    int msgBox(const QString&, int, const QString&) override { return Module1::Yes; }
    void endProgram() override {}
    int chooseItem(const QString&, const QStringList&, const QString&) override { return 0; }
    int askChoice(const QString&, const QStringList&, const QString&) override { return 0; }
    std::optional<QString> askText(const QString&, const QString& suggested, const QString&) override {
        return suggested;
    }
    QList<int> chooseColumns(const QString&, const QList<QStringList>&, const QStringList&, const QString&) override {
        return {};
    }
    QString openFileName(const QString&, const QString&, const QStringList&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QStringList&, QString*) override { return {}; }
};

// The largest parcel as a spreadsheet copies it: name, X, Y.
QString largestTable() {
    QString table = QStringLiteral("点名\tX\tY\r\n");
    int k = 0;
    for (const survey::Corner& c : largestParcel()) {
        table +=
            QStringLiteral("K%1\t%2\t%3\r\n")
                .arg(++k)
                .arg(QString::fromStdString(survey::numberText(c.x)), QString::fromStdString(survey::numberText(c.y)));
    }
    return table;
}

template <class Take>
void takeLargestParcel(benchmark::State& state, Take take) {
    YesToAll yes;
    Module1::Seam* previous = Module1::setSeam(&yes);
    座標面積 screen;
    screen.show();
    for (auto _ : state) {
        state.PauseTiming();
        screen.reload();
        state.ResumeTiming();
        take(screen);
        screen.findChild<QWidget*>(QStringLiteral("区画図"))->repaint();
    }
    if (screen.Label2->text() != QStringLiteral("10002")) state.SkipWithError("the corners were not taken");
    Module1::setSeam(previous);
}

void BM_Paste10001Corners(benchmark::State& state) {
    const QString table = largestTable();
    takeLargestParcel(state, [&](座標面積& screen) { screen.pasteCorners(table); });
}
BENCHMARK(BM_Paste10001Corners)->Unit(benchmark::kMillisecond);

void BM_Open10001CornerFile(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("parcel.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(largestTable().toUtf8()) < 0)
        return state.SkipWithError("no file");
    file.close();
    takeLargestParcel(state, [&](座標面積& screen) { screen.openCornerFile(path); });
}
BENCHMARK(BM_Open10001CornerFile)->Unit(benchmark::kMillisecond);

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
