// The lines of one result-file record, built in memory before anything is
// written. Text is UTF-8 here; the result file turns it into CP932.
#pragma once

#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "survey/arith.h"

namespace survey {

// Appends printNumber(v) to out, formatted in place.
inline void appendPrintNumber(std::string& out, double v) {
    const std::size_t at = out.size();
    out.resize(at + kPrintNumberMax);
    char* end = writePrintNumber(out.data() + at, v);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

// One line as a run of items written directly after one another: text items
// unchanged, number items in the print number form (" 30 ", "-12.5 ").
class Line {
public:
    Line() { text_.reserve(kTypicalLength); }
    Line& text(std::string_view t) {
        text_.append(t);
        return *this;
    }
    Line& number(double v) {
        finite_ = finite_ && std::isfinite(v);
        appendPrintNumber(text_, v);
        return *this;
    }
    // An angle as d - m - s: " 90 - 0 - 5 ".
    Line& dms(const Dms& a) { return number(a.d).text("-").number(a.m).text("-").number(a.s); }
    // Two blanks, the space between two entries of one line.
    Line& gap() { return text("  "); }

    // An entry: its caption, one blank, then the value, which is a text as
    // typed ("基準 X 100.0"), a number ("面積  100 ") or an angle.
    Line& entry(std::string_view caption, std::string_view typed) { return text(caption).text(" ").text(typed); }
    Line& entry(std::string_view caption, double v) { return text(caption).text(" ").number(v); }
    Line& entry(std::string_view caption, const Dms& a) { return text(caption).text(" ").dms(a); }
    // Two entries with the gap between them: "X 座標  50   Y 座標  25 ".
    template <class First, class Second>
    Line& pair(std::string_view caption1, const First& v1, std::string_view caption2, const Second& v2) {
        return entry(caption1, v1).gap().entry(caption2, v2);
    }
    const std::string& str() const { return text_; }
    // False when a number item was not a finite number.
    bool finite() const { return finite_; }

private:
    // Room for a line of several items in one allocation.
    static constexpr std::size_t kTypicalLength = 96;
    std::string text_;
    bool finite_ = true;
};

// A whole record, kept as the text that goes to the file: each line
// followed by CR LF, one after another in one buffer.
class Record {
public:
    Record& separator() {
        text_.append(82, '-');
        return endLine();
    }
    Record& add(const Line& line) {
        text_.append(line.str());
        finite_ = finite_ && line.finite();
        return endLine();
    }
    // False when any number of the record was not a finite number: such a
    // record is never written.
    bool finite() const { return finite_; }
    // The lines in order, without their CR LF (made when first asked for).
    const std::vector<std::string>& lines() const;
    bool empty() const { return ends_.empty(); }
    // Every line followed by CR LF.
    std::string_view text() const { return text_; }

private:
    Record& endLine() {
        text_.append("\r\n");
        ends_.push_back(text_.size());
        return *this;
    }

    std::string text_;
    std::vector<std::size_t> ends_;  // where each line's CR LF ends in text_
    mutable std::vector<std::string> lines_;
    bool finite_ = true;
};

inline const std::vector<std::string>& Record::lines() const {
    if (lines_.size() != ends_.size()) {
        lines_.clear();
        lines_.reserve(ends_.size());
        std::size_t begin = 0;
        for (const std::size_t end : ends_) {
            lines_.emplace_back(text_, begin, end - 2 - begin);
            begin = end;
        }
    }
    return lines_;
}

}  // namespace survey
