// The lines of one result-file record, built in memory before anything is
// written. Text is UTF-8 here; the result file turns it into CP932.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "survey/arith.h"

namespace survey {

// One line as a run of items written directly after one another: text items
// unchanged, number items in the print number form (" 30 ", "-12.5 ").
class Line {
public:
    Line() = default;
    Line& text(std::string_view t) { text_.append(t); return *this; }
    Line& number(double v) { text_.append(printNumber(v)); return *this; }
    const std::string& str() const { return text_; }

private:
    std::string text_;
};

// A whole record: its lines in order, each later ended with CR LF.
class Record {
public:
    Record& separator() { lines_.emplace_back(82, '-'); return *this; }
    Record& add(const Line& line) { lines_.push_back(line.str()); return *this; }
    const std::vector<std::string>& lines() const { return lines_; }
    bool empty() const { return lines_.empty(); }

private:
    std::vector<std::string> lines_;
};

}  // namespace survey
