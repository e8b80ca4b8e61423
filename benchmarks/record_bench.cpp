// The 10001-corner area calculation with its append, against its floor:
// the same bytes made the plainest way there is, in one pass with
// std::to_chars, one encoder call and one write. Each iteration runs both,
// in turn first, so the machine's load falls on both alike; the counters
// give the median of each and their ratio.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringEncoder>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "parcel.h"
#include "survey/area.h"
#include "survey/resultfile.h"

namespace {

using Clock = std::chrono::steady_clock;

// The record's text in one pass: every number written by std::to_chars
// straight into the one buffer. Only right for numbers whose shortest form
// has at most 15 digits and no exponent, as this parcel's have.
std::string floorText(const std::vector<survey::Corner>& corners, double area) {
    std::string text(corners.size() * 80 + 512, '\0');
    char* p = text.data();
    const auto put = [&p](std::string_view s) { p = std::copy(s.begin(), s.end(), p); };
    const auto number = [&p](double v) {
        *p++ = v < 0 ? '-' : ' ';
        p = std::to_chars(p, p + 32, std::fabs(v)).ptr;
        *p++ = ' ';
    };
    const std::string separator = std::string(82, '-') + "\r\n";
    put(separator);
    put("--座標面積計算--\r\n");
    for (std::size_t k = 0; k < corners.size(); ++k) {
        number(double(k + 1));
        put("X 座標 ");
        number(corners[k].x);
        put("  Y 座標 ");
        number(corners[k].y);
        put("\r\n");
    }
    put("面積 ");
    number(area);
    put("㎡\r\n");
    put(separator);
    text.resize(std::size_t(p - text.data()));
    return text;
}

// Area, text, one encoder call, one write.
void floorCalculateAndAppend(const std::vector<survey::Corner>& corners, const QByteArray& path) {
    static QStringEncoder encoder("windows-31j");
    const std::string text = floorText(corners, survey::cornerArea(corners));
    const QByteArray bytes = encoder.encode(QString::fromUtf8(text.data(), qsizetype(text.size())));
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size()) std::abort();
    ::close(fd);
}

bool tarnelCalculateAndAppend(const std::vector<survey::Corner>& corners, const survey::ResultFile& file) {
    const double area = survey::cornerArea(corners);
    return file.append(survey::cornerAreaRecord(corners, area)).ok();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0.0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0);
}

double millisecondsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void BM_LargeRecordAgainstFloor(benchmark::State& state) {
    const auto& corners = largestParcel();
    const survey::ResultFile file(QStringLiteral("座標面積DATA.TXT"));
    const QString path = file.path();
    const QByteArray nativePath = QFile::encodeName(path);

    // Both must write the very same bytes, or the floor means nothing.
    QFile::remove(path);
    if (!tarnelCalculateAndAppend(corners, file)) return state.SkipWithError("append failed");
    const QByteArray ours = fileBytes(path);
    QFile::remove(path);
    floorCalculateAndAppend(corners, nativePath);
    const bool same = fileBytes(path) == ours;
    QFile::remove(path);
    if (!same) return state.SkipWithError("the floor writes other bytes");

    std::vector<double> tarnel, floor;
    bool floorFirst = false;
    for (auto _ : state) {
        for (int turn = 0; turn < 2; ++turn) {
            const auto t0 = Clock::now();
            if (floorFirst == (turn == 0)) {
                floorCalculateAndAppend(corners, nativePath);
                floor.push_back(millisecondsSince(t0));
            } else {
                if (!tarnelCalculateAndAppend(corners, file)) return state.SkipWithError("append failed");
                tarnel.push_back(millisecondsSince(t0));
            }
            state.PauseTiming();
            QFile::remove(path);
            state.ResumeTiming();
        }
        floorFirst = !floorFirst;
    }
    const double t = median(tarnel), f = median(floor);
    state.counters["tarnel_ms"] = t;
    state.counters["floor_ms"] = f;
    state.counters["ratio"] = f > 0 ? t / f : 0.0;
}
BENCHMARK(BM_LargeRecordAgainstFloor)->Unit(benchmark::kMillisecond);

}  // namespace
