#include "survey/cornerimport.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <utility>

#include "survey/arith.h"
#include "survey/cp932.h"
#include "survey/text.h"

namespace survey {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// How much of a line a message quotes, in characters.
constexpr std::size_t kQuotedChars = 40;

const char* const kNoCorners = "座標が見つかりません。";

unsigned char byteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// ---- Bytes to text ----------------------------------------------------------------

// Single bytes and lead-trail pairs where CP932 has them. Checked here, so
// that bytes the converters of different systems read differently never
// reach them.
bool hasCp932Shape(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char b = byteAt(s, i);
        if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) continue;
        if (!((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))) return false;
        if (++i == s.size()) return false;
        const unsigned char trail = byteAt(s, i);
        if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return false;
    }
    return true;
}

// ---- Lines and fields ------------------------------------------------------------

// The lines of a text, numbered from 1; CR LF, LF and a lone CR end one.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {
        if (rest_.substr(0, kByteOrderMark.size()) == kByteOrderMark) rest_.remove_prefix(kByteOrderMark.size());
    }

    bool next(std::string_view& line) {
        if (done_) return false;
        ++number_;
        std::size_t end = 0;
        while (end < rest_.size() && rest_[end] != '\n' && rest_[end] != '\r') ++end;
        line = rest_.substr(0, end);
        if (end == rest_.size()) {
            done_ = true;
            return true;
        }
        const bool crlf = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n';
        rest_.remove_prefix(end + (crlf ? 2 : 1));
        return true;
    }

    std::size_t number() const { return number_; }

private:
    std::string_view rest_;
    std::size_t number_ = 0;
    bool done_ = false;
};

// Calls visit(field) for each field of the line, trimmed of blanks: split
// at every `separator`, or at runs of blanks when the separator is 0.
template <class Visit>
void forEachField(std::string_view line, char separator, Visit visit) {
    if (separator != 0) {
        for (;;) {
            const std::size_t end = line.find(separator);
            visit(trimBlanks(line.substr(0, end)));
            if (end == std::string_view::npos) return;
            line.remove_prefix(end + 1);
        }
    }
    std::size_t i = 0;
    while (i < line.size()) {
        if (const std::size_t n = blankAt(line, i); n != 0) {
            i += n;
            continue;
        }
        const std::size_t start = i;
        while (i < line.size() && blankAt(line, i) == 0) ++i;
        visit(line.substr(start, i - start));
    }
}

// The first `room` fields go to `out`; returns the number of fields up to
// the last one that is not empty (0 for a blank line).
std::size_t splitFields(std::string_view line, char separator, std::string_view* out, std::size_t room) {
    std::size_t seen = 0;
    std::size_t filled = 0;
    forEachField(line, separator, [&](std::string_view field) {
        if (seen < room) out[seen] = field;
        ++seen;
        if (!field.empty()) filled = seen;
    });
    return filled;
}

char tableSeparator(std::string_view line) {
    if (line.find('\t') != std::string_view::npos) return '\t';
    if (line.find(',') != std::string_view::npos) return ',';
    return 0;
}

std::optional<double> coordinate(std::string_view field) {
    if (field.empty()) return std::nullopt;
    const bool ascii = std::all_of(field.begin(), field.end(), [](char c) { return (c & 0x80) == 0; });
    const std::optional<double> v = ascii ? strictNumber(field) : strictNumber(asciiNumberForm(field));
    if (!v || !std::isfinite(*v)) return std::nullopt;
    return v;
}

// ---- Messages ---------------------------------------------------------------------

// Text as a message quotes it: trimmed, control codes as blanks, at most
// kQuotedChars characters and then "…".
std::string quoted(std::string_view text) {
    text = trimBlanks(text);
    std::string out;
    std::size_t chars = 0;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const unsigned char b = byteAt(text, i);
        if ((b & 0xC0) != 0x80 && chars++ == kQuotedChars) break;
        out += b < 0x20 || b == 0x7F ? ' ' : char(b);
    }
    if (i < text.size()) out += "…";
    return out;
}

std::string lineNumber(std::size_t n) { return std::to_string(n) + " 行目"; }

std::string unreadableLine(std::size_t n, std::string_view line) {
    return lineNumber(n) + "を座標として読めません：「" + quoted(line) + "」";
}

// "12 T.12", or whichever of the two the record has.
std::string pointLabel(std::string_view number, std::string_view name) {
    if (number.empty() || name.empty()) return quoted(number.empty() ? name : number);
    return quoted(number) + " " + quoted(name);
}

CornerSource refusal(std::string message) {
    CornerSource r;
    r.error = std::move(message);
    return r;
}

// ---- SIMA -------------------------------------------------------------------------

struct SimaPoint {
    std::string_view number;
    std::string_view name;
    Corner corner;
    bool ambiguous;
};

struct SimaCornerRef {
    std::string_view number;
    std::string_view name;
    std::size_t line;
    std::size_t parcel;
};

bool isSima(std::string_view text) {
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        const std::string_view type = trimBlanks(line.substr(0, line.find(',')));
        if (type.empty() && splitFields(line, ',', nullptr, 0) == 0) continue;  // blank
        if (type == "G00" || type == "Z00" || type == "A00" || type == "D00") return true;
        return type == "A01" && splitFields(line, ',', nullptr, 0) >= 5;
    }
    return false;
}

bool samePlace(const Corner& a, const Corner& b) { return a.x == b.x && a.y == b.y; }

// One record: its line, the first five fields, and how many fields it has
// up to the last one that is not empty.
struct SimaRecord {
    std::string_view line;
    std::size_t lineNumber = 0;
    std::string_view fields[5];
    std::size_t count = 0;
};

// What the records read so far have given.
struct SimaReading {
    CornerSource out;                 // the parcels, their corners placed at the end
    std::vector<SimaPoint> points;    // A01, in file order
    std::vector<SimaCornerRef> refs;  // B01, in file order
    bool parcelOpen = false;
};

// A record kind adds what its record holds to the reading, or gives the
// message that refuses the file.
using Refused = std::optional<std::string>;

Refused simaPoint(const SimaRecord& r, SimaReading& s) {
    const std::optional<double> x = r.count >= 5 ? coordinate(r.fields[3]) : std::nullopt;
    const std::optional<double> y = r.count >= 5 ? coordinate(r.fields[4]) : std::nullopt;
    if (!x || !y) return unreadableLine(r.lineNumber, r.line);
    s.points.push_back({r.fields[1], r.fields[2], {*x, *y}, false});
    return std::nullopt;
}

Refused simaParcelStart(const SimaRecord& r, SimaReading& s) {
    if (s.parcelOpen) {
        return lineNumber(r.lineNumber) + "の D00 の前に、区画「" + quoted(s.out.parcels.back().name) +
               "」の終わり（D99）がありません。";
    }
    s.parcelOpen = true;
    s.out.parcels.push_back({std::string(r.fields[2].empty() ? r.fields[1] : r.fields[2]), {}});
    return std::nullopt;
}

// Only noted here: the A01 point it names may come later in the file.
Refused simaParcelCorner(const SimaRecord& r, SimaReading& s) {
    if (!s.parcelOpen) return lineNumber(r.lineNumber) + "の B01 が区画（D00 から D99 まで）の外にあります。";
    s.refs.push_back({r.fields[1], r.fields[2], r.lineNumber, s.out.parcels.size() - 1});
    return std::nullopt;
}

Refused simaParcelEnd(const SimaRecord&, SimaReading& s) {
    s.parcelOpen = false;
    return std::nullopt;
}

// Hands the record to its kind; records of any other kind are skipped.
Refused simaRecord(const SimaRecord& r, SimaReading& s) {
    using Kind = Refused (*)(const SimaRecord&, SimaReading&);
    static constexpr std::pair<std::string_view, Kind> kKinds[] = {
        {"A01", simaPoint}, {"D00", simaParcelStart}, {"B01", simaParcelCorner}, {"D99", simaParcelEnd}};
    for (const auto& [type, kind] : kKinds) {
        if (r.fields[0] == type) return kind(r, s);
    }
    return std::nullopt;
}

// A file without parcels: every point, in file order.
CornerSource everyPoint(const std::vector<SimaPoint>& points) {
    if (points.empty()) return refusal(kNoCorners);
    CornerSource out;
    out.corners.reserve(points.size());
    for (const SimaPoint& p : points) out.corners.push_back(p.corner);
    return out;
}

bool simaKeyBefore(const SimaPoint& a, const SimaPoint& b) {
    const int byNumber = a.number.compare(b.number);
    return byNumber != 0 ? byNumber < 0 : a.name < b.name;
}

// Sorts the points by number and name, equal keys in file order, and marks
// each point of a key whose points lie in different places.
void sortPoints(std::vector<SimaPoint>& points) {
    std::stable_sort(points.begin(), points.end(), simaKeyBefore);
    for (auto group = points.begin(); group != points.end();) {
        const auto end = std::upper_bound(group, points.end(), *group, simaKeyBefore);
        const bool ambiguous =
            std::any_of(group, end, [&](const SimaPoint& p) { return !samePlace(p.corner, group->corner); });
        for (auto p = group; p != end; ++p) p->ambiguous = ambiguous;
        group = end;
    }
}

// Each B01 gets the corner of the one point it names.
CornerSource placeCorners(SimaReading& s) {
    sortPoints(s.points);
    for (const SimaCornerRef& ref : s.refs) {
        const SimaPoint key{ref.number, ref.name, {0, 0}, false};
        const auto found = std::lower_bound(s.points.begin(), s.points.end(), key, simaKeyBefore);
        const bool missing = found == s.points.end() || simaKeyBefore(key, *found);
        if (missing || found->ambiguous) {
            return refusal(
                lineNumber(ref.line) + "：区画「" + quoted(s.out.parcels[ref.parcel].name) + "」の点「" +
                pointLabel(ref.number, ref.name) + "」" +
                (missing ? "がファイルの座標（A01）にありません。" : "は座標（A01）に 2 度あり、座標が違います。"));
        }
        s.out.parcels[ref.parcel].corners.push_back(found->corner);
    }
    return std::move(s.out);
}

}  // namespace

std::optional<std::string> decodeText(std::string_view bytes) {
    // memchr wants a pointer even for no bytes, and an empty view may have none.
    if (bytes.empty()) return std::string();
    if (std::memchr(bytes.data(), 0, bytes.size()) != nullptr) return std::nullopt;
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        bytes.remove_prefix(kByteOrderMark.size());
        if (!isUtf8(bytes)) return std::nullopt;
        return std::string(bytes);
    }
    if (isUtf8(bytes)) return std::string(bytes);
    if (!hasCp932Shape(bytes)) return std::nullopt;
    return fromCp932(bytes);
}

CornerSource readCornerTable(std::string_view utf8Text) {
    CornerSource out;
    LineReader lines(utf8Text);
    std::string_view line;
    bool seenText = false;
    std::size_t columns = 0;
    std::size_t columnsLine = 0;
    while (lines.next(line)) {
        if (line.empty()) continue;
        const char separator = tableSeparator(line);
        std::string_view fields[3];
        const std::size_t count = splitFields(line, separator, fields, 3);
        if (count == 0) continue;
        if (!seenText) {
            seenText = true;
            bool anyNumber = false;
            forEachField(line, separator, [&](std::string_view f) { anyNumber = anyNumber || coordinate(f); });
            if (!anyNumber) continue;  // a header
        }
        if (count != 2 && count != 3) return refusal(unreadableLine(lines.number(), line));
        if (columns != 0 && count != columns) {
            return refusal(lineNumber(lines.number()) + "の列の数が " + lineNumber(columnsLine) + "と違います：「" +
                           quoted(line) + "」");
        }
        const std::optional<double> x = coordinate(fields[count - 2]);
        const std::optional<double> y = coordinate(fields[count - 1]);
        if (!x || !y) return refusal(unreadableLine(lines.number(), line));
        if (columns == 0) {
            columns = count;
            columnsLine = lines.number();
        }
        out.corners.push_back({*x, *y});
    }
    if (out.corners.empty()) return refusal(kNoCorners);
    return out;
}

CornerSource readSima(std::string_view utf8Text) {
    SimaReading reading;
    LineReader lines(utf8Text);
    std::string_view line;
    while (lines.next(line)) {
        SimaRecord record{line, lines.number(), {}, 0};
        record.count = splitFields(line, ',', record.fields, 5);
        if (record.count == 0) continue;  // blank
        if (Refused message = simaRecord(record, reading)) return refusal(std::move(*message));
    }
    if (reading.parcelOpen) {
        return refusal("区画「" + quoted(reading.out.parcels.back().name) + "」の終わり（D99）がありません。");
    }
    return reading.out.parcels.empty() ? everyPoint(reading.points) : placeCorners(reading);
}

CornerSource readCornerFile(std::string_view bytes) {
    if (bytes.empty()) return refusal("ファイルが空です。");
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        return refusal("UTF-16 のファイルは読めません。UTF-8 か Shift-JIS で保存し直してください。");
    }
    if (bytes.back() == '\x1A') bytes.remove_suffix(1);  // the end-of-file mark of DOS programs
    const std::optional<std::string> text = decodeText(bytes);
    if (!text) return refusal("テキストのファイルとして読めません（UTF-8 でも Shift-JIS でもありません）。");
    return isSima(*text) ? readSima(*text) : readCornerTable(*text);
}

}  // namespace survey
