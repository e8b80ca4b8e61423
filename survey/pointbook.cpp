#include "survey/pointbook.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace survey {
namespace {

auto byNumber(std::vector<BookPoint>& points, PointNumber number) {
    return std::lower_bound(points.begin(), points.end(), number,
                            [](const BookPoint& p, PointNumber n) { return p.number < n; });
}

}  // namespace

const BookPoint* PointBook::find(PointNumber number) const {
    const auto at = std::lower_bound(points_.begin(), points_.end(), number,
                                     [](const BookPoint& p, PointNumber n) { return p.number < n; });
    return at != points_.end() && at->number == number ? &*at : nullptr;
}

std::optional<BookPoint> PointBook::put(const BookPoint& point) {
    if (point.number < 1 || point.number > kMaxPointNumber)
        throw std::invalid_argument("a point number is 1 to kMaxPointNumber");
    // Points come mostly in order (a file, the next free numbers): the end first.
    if (points_.empty() || points_.back().number < point.number) {
        points_.push_back(point);
        return std::nullopt;
    }
    const auto at = byNumber(points_, point.number);
    if (at != points_.end() && at->number == point.number) return std::exchange(*at, point);
    points_.insert(at, point);
    return std::nullopt;
}

std::optional<BookPoint> PointBook::remove(PointNumber number) {
    const auto at = byNumber(points_, number);
    if (at == points_.end() || at->number != number) return std::nullopt;
    BookPoint removed = std::move(*at);
    points_.erase(at);
    return removed;
}

std::optional<PointNumber> PointBook::nextFreeNumber() const {
    if (points_.empty()) return 1;
    if (points_.back().number >= kMaxPointNumber) return std::nullopt;
    return points_.back().number + 1;
}

void PointBook::removeParcel(std::size_t index) {
    if (index >= parcels_.size()) throw std::out_of_range("no such parcel");
    parcels_.erase(parcels_.begin() + std::ptrdiff_t(index));
}

std::int64_t PointBook::nextFreeParcelNumber() const {
    std::int64_t highest = 0;
    for (const BookParcel& p : parcels_) highest = std::max(highest, p.number);
    return highest + 1;
}

}  // namespace survey
