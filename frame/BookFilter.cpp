#include "frame/BookFilter.h"

#include <algorithm>

#include "survey/text.h"

using survey::BookPoint;
using survey::PointNumber;

namespace {

// The digits of the largest point number.
constexpr std::size_t kNumberDigits = 12;

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool allDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

BookFilter::BookFilter(const QString& text) {
    const std::string utf8 = text.toStdString();
    const std::string_view trimmed = survey::trimBlanks(utf8);
    if (trimmed.empty()) return;
    if (std::string ascii = survey::asciiNumberForm(trimmed); allDigits(ascii)) {
        kind_ = Kind::Number;
        typed_ = std::move(ascii);
    } else {
        kind_ = Kind::Name;
        typed_ = trimmed;
        std::transform(typed_.begin(), typed_.end(), typed_.begin(), asciiLower);
    }
}

bool BookFilter::acceptsName(std::string_view name) const {
    return std::search(name.begin(), name.end(), typed_.begin(), typed_.end(),
                       [](char a, char b) { return asciiLower(a) == b; }) != name.end();
}

bool BookFilter::accepts(std::int64_t number, std::string_view name) const {
    switch (kind_) {
        case Kind::All: return true;
        case Kind::Number: return std::to_string(number).starts_with(typed_) || acceptsName(name);
        case Kind::Name: return acceptsName(name);
    }
    return false;
}

std::vector<BookFilter::Run> BookFilter::runs(const std::vector<BookPoint>& points) const {
    std::vector<Run> runs;
    auto add = [&runs](int first, int count) {
        if (count == 0) return;
        if (!runs.empty() && runs.back().first + runs.back().count == first) runs.back().count += count;
        else runs.push_back({first, count});
    };
    if (kind_ == Kind::All) {
        add(0, int(points.size()));
        return runs;
    }
    // Digits: the numbers that start with d are d, d0 to d9, d00 to d99 ...,
    // one range of the sorted points for each length up to twelve digits,
    // the ranges in order. Names are looked at one by one.
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    if (kind_ == Kind::Number && typed_.size() <= kNumberDigits && typed_[0] != '0') {
        const PointNumber prefix = std::stoll(typed_);
        PointNumber scale = 1;
        for (std::size_t length = typed_.size(); length <= kNumberDigits; ++length, scale *= 10) {
            const PointNumber low = prefix * scale, high = low + scale - 1;
            const auto from = std::lower_bound(points.begin(), points.end(), low,
                                               [](const BookPoint& p, PointNumber n) { return p.number < n; });
            const auto to = std::upper_bound(from, points.end(), high,
                                             [](PointNumber n, const BookPoint& p) { return n < p.number; });
            if (from != to) ranges.emplace_back(from - points.begin(), to - points.begin());
        }
    }
    auto range = ranges.begin();
    for (std::size_t k = 0; k < points.size(); ++k) {
        while (range != ranges.end() && range->second <= k) ++range;
        if ((range != ranges.end() && range->first <= k) || acceptsName(points[k].name)) add(int(k), 1);
    }
    return runs;
}

std::optional<PointNumber> typedPointNumber(const QString& text) {
    const std::string digits = typedAscii(text);
    if (!allDigits(digits) || digits.size() > kNumberDigits) return std::nullopt;
    const PointNumber n = std::stoll(digits);
    if (n < 1 || n > survey::kMaxPointNumber) return std::nullopt;
    return n;
}

std::string typedAscii(const QString& text) {
    const std::string ascii = survey::asciiNumberForm(text.toStdString());
    return std::string(survey::trimBlanks(ascii));
}
