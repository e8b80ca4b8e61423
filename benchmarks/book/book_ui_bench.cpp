// Timings of the book of points at 100,000 points, on the offscreen
// platform, each to the repaint the user waits for: one keystroke in the
// book window's filter (allowed: 16 ms, one frame), by number and by name;
// opening the F4 picker (allowed: 50 ms); one registration of 999 points,
// after the highest number and among the others (allowed: 50 ms); a SIMA
// file opened into the book with its window open, and the book saved with
// Ctrl+S (allowed: 300 ms each).
// A program of its own: it needs a QApplication, bench_tarnel needs no Qt.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdlib>
#include <memory>

#include "frame/Book.h"
#include "frame/BookFiles.h"
#include "frame/PointPicker.h"
#include "shell/BookWindow.h"
#include "survey/bookfile.h"

namespace {

constexpr int kPoints = 100'000;

座標簿* window = nullptr;
QLineEdit* anchor = nullptr;

void waitUntilExposed(QWidget* w) {
    while (!w->windowHandle() || !w->windowHandle()->isExposed()) QCoreApplication::processEvents();
}

void fillBook() {
    std::vector<survey::BookPoint> points;
    points.reserve(kPoints);
    for (int n = 1; n <= kPoints; ++n)
        points.push_back({n, "K" + std::to_string(n), 10000.0 + n * 0.125, -20000.0 - n * 0.375, std::nullopt});
    Book::instance().reset();
    Book::instance().putPoints(std::move(points));
    Book::instance().undoStack()->clear();
}

void key(QWidget* target, Qt::Key code, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// Every other keystroke types `typed` after `start`, the others take it back.
void filterKeystrokes(benchmark::State& state, const QString& start, char typed) {
    QLineEdit* filter = window->Filter;
    filter->setFocus();
    filter->setText(start);
    QCoreApplication::processEvents();
    bool typing = true;
    for (auto _ : state) {
        if (typing) key(filter, Qt::Key(typed), QString(QChar(typed)));
        else key(filter, Qt::Key_Backspace, {});
        QCoreApplication::processEvents();
        typing = !typing;
    }
    if (window->PointTable->model()->rowCount() == 0) state.SkipWithError("the filter let nothing through");
    filter->clear();
    QCoreApplication::processEvents();
}

void BM_FilterKeystrokeByNumber(benchmark::State& state) { filterKeystrokes(state, QString(), '1'); }
BENCHMARK(BM_FilterKeystrokeByNumber)->Unit(benchmark::kMillisecond);

void BM_FilterKeystrokeByName(benchmark::State& state) { filterKeystrokes(state, QStringLiteral("K9"), '9'); }
BENCHMARK(BM_FilterKeystrokeByName)->Unit(benchmark::kMillisecond);

void BM_OpenPicker(benchmark::State& state) {
    for (auto _ : state) {
        PointPicker* picker = PointPicker::open(anchor, [](const survey::BookPoint&) {});
        QCoreApplication::processEvents();
        state.PauseTiming();
        picker->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenPicker)->Unit(benchmark::kMillisecond);

// 999 points numbered first, first + step, ...
void register999(benchmark::State& state, survey::PointNumber first, survey::PointNumber step) {
    std::vector<survey::BookPoint> points;
    for (int k = 0; k < 999; ++k) points.push_back({first + k * step, "新点", 1.5 * k, -2.5 * k, 10.0});
    Book& book = Book::instance();
    for (auto _ : state) {
        book.putPoints(points);
        QCoreApplication::processEvents();
        state.PauseTiming();
        book.undoStack()->undo();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (book.points().size() != std::size_t(kPoints)) state.SkipWithError("the registration was not undone");
}

void BM_Register999PointsAfterTheLast(benchmark::State& state) { register999(state, kPoints + 1, 1); }
BENCHMARK(BM_Register999PointsAfterTheLast)->Unit(benchmark::kMillisecond);

void BM_Register999PointsAmongThem(benchmark::State& state) { register999(state, 50, 100); }
BENCHMARK(BM_Register999PointsAmongThem)->Unit(benchmark::kMillisecond);

// The book written to a file of its own; it is read back and saved anew.
QString bookFile() {
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString p = folder.filePath(QStringLiteral("座標簿.sim"));
        if (!survey::saveBook(p.toStdU16String(), Book::instance().data(), survey::BookFormat::Sima).ok()) std::abort();
        return p;
    }();
    return path;
}

void BM_OpenSimaFile(benchmark::State& state) {
    const QString path = bookFile();
    for (auto _ : state) {
        state.PauseTiming();
        Book::instance().reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        BookFiles::open(path);
        QCoreApplication::processEvents();
    }
    if (Book::instance().points().size() != std::size_t(kPoints)) state.SkipWithError("the file was not read whole");
}
BENCHMARK(BM_OpenSimaFile)->Unit(benchmark::kMillisecond);

void BM_SaveWithCtrlS(benchmark::State& state) {
    const QString path = bookFile();
    Book::instance().reset();
    BookFiles::open(path);  // an empty book asks nothing
    for (auto _ : state) {
        if (!BookFiles::save()) state.SkipWithError("the save failed");
    }
}
BENCHMARK(BM_SaveWithCtrlS)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    fillBook();
    const auto book = std::make_unique<座標簿>();
    window = book.get();
    window->show();
    waitUntilExposed(window);
    QWidget screen;
    anchor = new QLineEdit(&screen);
    screen.resize(400, 300);
    screen.show();
    waitUntilExposed(&screen);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
