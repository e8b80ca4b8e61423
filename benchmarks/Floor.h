// Measuring a calculation with its append against its floor: the same
// bytes made the plainest way there is (one pass with std::to_chars, one
// encoder call, one write). Both run in every iteration, in turn first, so
// that the machine's load falls on both alike; the counters give the median
// of each and their ratio.
#pragma once

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringEncoder>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace floorbench {

// Writes into one buffer, grown by the caller's estimate up front.
class Text {
public:
    explicit Text(std::size_t estimate) : text_(estimate, '\0'), p_(text_.data()) {}
    Text& put(std::string_view s) {
        p_ = std::copy(s.begin(), s.end(), p_);
        return *this;
    }
    // The print number form, for numbers whose shortest form has at most 15
    // digits and no exponent.
    Text& number(double v) {
        *p_++ = v < 0 ? '-' : ' ';
        p_ = std::to_chars(p_, p_ + 32, std::fabs(v)).ptr;
        *p_++ = ' ';
        return *this;
    }
    std::string done() {
        text_.resize(std::size_t(p_ - text_.data()));
        return std::move(text_);
    }

private:
    std::string text_;
    char* p_;
};

// One encoder call and one write.
inline void appendCp932(const std::string& text, const QByteArray& path) {
    static QStringEncoder encoder("windows-31j");
    const QByteArray bytes = encoder.encode(QString::fromUtf8(text.data(), qsizetype(text.size())));
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size()) std::abort();
    ::close(fd);
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0.0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0);
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs `ours()` (false on failure) against `floor(nativePath)`, both writing
// to `path`, after checking that they write the very same bytes.
template <class Ours, class Floor>
void againstFloor(benchmark::State& state, const QString& path, Ours ours, Floor floor) {
    using Clock = std::chrono::steady_clock;
    const QByteArray nativePath = QFile::encodeName(path);
    QFile::remove(path);
    if (!ours()) return state.SkipWithError("append failed");
    const QByteArray written = fileBytes(path);
    QFile::remove(path);
    floor(nativePath);
    const bool same = fileBytes(path) == written;
    QFile::remove(path);
    if (!same) return state.SkipWithError("the floor writes other bytes");

    std::vector<double> tarnel, bare;
    bool floorFirst = false;
    for (auto _ : state) {
        for (int turn = 0; turn < 2; ++turn) {
            const auto t0 = Clock::now();
            if (floorFirst == (turn == 0)) {
                floor(nativePath);
                bare.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            } else {
                if (!ours()) return state.SkipWithError("append failed");
                tarnel.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            }
            state.PauseTiming();
            QFile::remove(path);
            state.ResumeTiming();
        }
        floorFirst = !floorFirst;
    }
    const double t = median(tarnel), f = median(bare);
    state.counters["tarnel_ms"] = t;
    state.counters["floor_ms"] = f;
    state.counters["ratio"] = f > 0 ? t / f : 0.0;
}

}  // namespace floorbench
