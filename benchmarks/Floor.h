// Measuring a calculation with its append against its floor: the same
// bytes made the plainest way there is (one pass with std::to_chars, one
// encoder call, one write). Both run in every iteration, in turn first, so
// that the machine's load falls on both alike; the counters give the median
// of each and their ratio.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "survey/platform.h"

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

// One converter call and one write.
inline void appendCp932(const std::string& text, const std::filesystem::path& path) {
    std::u16string units;
    units.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : 3;  // the text has nothing beyond the BMP
        char16_t u = n == 1 ? b : n == 2 ? (b & 0x1F) : (b & 0x0F);
        for (int k = 1; k < n; ++k) u = char16_t((u << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F));
        units += u;
        i += std::size_t(n);
    }
    const std::optional<std::string> bytes = survey::platform::toCodePage932(units);
    std::FILE* f = bytes ? std::fopen(path.string().c_str(), "ab") : nullptr;
    if (!f || std::fwrite(bytes->data(), 1, bytes->size(), f) != bytes->size()) std::abort();
    std::fclose(f);
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0.0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0);
}

inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs `ours()` (false on failure) against `floor(path)`, both writing
// to `path`, after checking that they write the very same bytes.
template <class Ours, class Floor>
void againstFloor(benchmark::State& state, const std::filesystem::path& path, Ours ours, Floor floor) {
    using Clock = std::chrono::steady_clock;
    std::filesystem::remove(path);
    if (!ours()) return state.SkipWithError("append failed");
    const std::string written = fileBytes(path);
    std::filesystem::remove(path);
    floor(path);
    const bool same = fileBytes(path) == written;
    std::filesystem::remove(path);
    if (!same) return state.SkipWithError("the floor writes other bytes");

    std::vector<double> tarnel, bare;
    bool floorFirst = false;
    for (auto _ : state) {
        for (int turn = 0; turn < 2; ++turn) {
            const auto t0 = Clock::now();
            if (floorFirst == (turn == 0)) {
                floor(path);
                bare.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            } else {
                if (!ours()) return state.SkipWithError("append failed");
                tarnel.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            }
            state.PauseTiming();
            std::filesystem::remove(path);
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
