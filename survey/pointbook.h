// The book of points of the day's work (座標簿): every point by its number,
// with its name, X, Y and, when known, Z, and the parcels as named, ordered
// lists of those points. One book serves every screen of a running program:
// they take points from it and put their results in it. Plain data,
// standard C++ only; reading and writing files is bookfile.h's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace survey {

// A point's number in the book: 1 to kMaxPointNumber, unique in the book.
using PointNumber = std::int64_t;
inline constexpr PointNumber kMaxPointNumber = 999'999'999'999;  // twelve digits

struct BookPoint {
    PointNumber number = 0;
    std::string name;  // UTF-8; may be empty, and several points may share one
    double x = 0;      // northing
    double y = 0;      // easting
    std::optional<double> z;

    bool operator==(const BookPoint&) const = default;
};

// A parcel: its corners in order, by the numbers of points of the book.
struct BookParcel {
    std::int64_t number = 0;  // as written with it (SIMA's D00), 1 or more
    std::string name;
    std::vector<PointNumber> corners;

    bool operator==(const BookParcel&) const = default;
};

class PointBook {
public:
    // The title a file gives the book (SIMA's G00); may be empty.
    std::string title;

    // ---- Points, always sorted by number ----
    const std::vector<BookPoint>& points() const { return points_; }
    bool empty() const { return points_.empty() && parcels_.empty(); }
    // The point of that number, or nullptr.
    const BookPoint* find(PointNumber number) const;
    // Puts the point in its place by number (1 to kMaxPointNumber; other
    // numbers throw std::invalid_argument). The point that had that number
    // before is replaced, and returned.
    std::optional<BookPoint> put(const BookPoint& point);
    // Takes the point out; returns it, or none when there was none.
    std::optional<BookPoint> remove(PointNumber number);
    // The smallest number above every number in the book: 1 in an empty
    // book; none when the highest is kMaxPointNumber.
    std::optional<PointNumber> nextFreeNumber() const;

    // ---- Parcels, in the order they were added ----
    const std::vector<BookParcel>& parcels() const { return parcels_; }
    void addParcel(BookParcel parcel) { parcels_.push_back(std::move(parcel)); }
    // Replaces parcel `index` (< parcels().size()).
    void setParcel(std::size_t index, BookParcel parcel) { parcels_.at(index) = std::move(parcel); }
    void removeParcel(std::size_t index);
    // The smallest parcel number above every one in the book: 1 when none.
    std::int64_t nextFreeParcelNumber() const;

    bool operator==(const PointBook&) const = default;

private:
    std::vector<BookPoint> points_;
    std::vector<BookParcel> parcels_;
};

}  // namespace survey
