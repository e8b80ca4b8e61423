// The filter of the book's tables (Ctrl+F in the book window, the F4
// list): which points and parcels a typed text lets through.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "survey/pointbook.h"

// What the filter box lets through: everything while it is empty; the
// names that contain its text, ASCII letters in either case; and when it
// holds digits only (full-width ones too), the numbers that start with
// them as well. Blanks around the text do not count.
class BookFilter {
public:
    explicit BookFilter(const QString& text = {});

    bool isEmpty() const { return kind_ == Kind::All; }
    bool accepts(std::int64_t number, std::string_view name) const;

    // The points of `points` (sorted by number) that pass, as runs of
    // consecutive positions: the numbers are found by a search per number
    // of digits, the names by a look at each.
    struct Run {
        int first = 0, count = 0;
    };
    std::vector<Run> runs(const std::vector<survey::BookPoint>& points) const;

private:
    enum class Kind { All, Number, Name };
    bool acceptsName(std::string_view name) const;

    Kind kind_ = Kind::All;
    std::string typed_;  // the digits, or the name's text in UTF-8
};

// A typed text in its ASCII form (full-width digits and signs of an input
// method become ASCII), without the blanks around it.
std::string typedAscii(const QString& text);

// A point number as typed in a cell or a box: digits only (full-width ones
// too), blanks around them allowed, from 1 to survey::kMaxPointNumber.
std::optional<survey::PointNumber> typedPointNumber(const QString& text);
