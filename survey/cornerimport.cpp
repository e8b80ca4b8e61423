#include "survey/cornerimport.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "survey/arith.h"
#include "survey/cp932.h"

namespace survey {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
// How much of a line a message quotes, in characters.
constexpr std::size_t kQuotedChars = 40;

const char* const kNoCorners = "座標が見つかりません。";

unsigned char byteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// ---- Bytes to text ----------------------------------------------------------------

bool isUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        if (s.size() - i >= 8) {  // eight ASCII bytes at a time
            std::uint64_t word;
            std::memcpy(&word, s.data() + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char b = byteAt(s, i);
        if (b < 0x80) {
            ++i;
            continue;
        }
        // The second byte's range excludes overlong forms, surrogates and
        // code points above U+10FFFF.
        std::size_t extra = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) extra = 1;
        else if (b == 0xE0) {
            extra = 2;
            low = 0xA0;
        } else if (b == 0xED) {
            extra = 2;
            high = 0x9F;
        } else if (b >= 0xE1 && b <= 0xEF) extra = 2;
        else if (b == 0xF0) {
            extra = 3;
            low = 0x90;
        } else if (b >= 0xF1 && b <= 0xF3) extra = 3;
        else if (b == 0xF4) {
            extra = 3;
            high = 0x8F;
        } else return false;
        if (s.size() - i <= extra) return false;
        if (byteAt(s, i + 1) < low || byteAt(s, i + 1) > high) return false;
        for (std::size_t k = 2; k <= extra; ++k) {
            if ((byteAt(s, i + k) & 0xC0) != 0x80) return false;
        }
        i += extra + 1;
    }
    return true;
}

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

// Length of the blank at s[i] (space, tab or U+3000), or 0.
std::size_t blankAt(std::string_view s, std::size_t i) {
    if (s[i] == ' ' || s[i] == '\t') return 1;
    const bool wide = s[i] == kIdeographicSpace[0] && s.size() - i >= 3 && s[i + 1] == kIdeographicSpace[1] &&
                      s[i + 2] == kIdeographicSpace[2];
    return wide ? kIdeographicSpace.size() : 0;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty()) {
        const std::size_t n = blankAt(s, 0);
        if (n == 0) break;
        s.remove_prefix(n);
    }
    while (!s.empty()) {
        if (s.back() == ' ' || s.back() == '\t') {
            s.remove_suffix(1);
        } else if (s.size() >= kIdeographicSpace.size() &&
                   s.substr(s.size() - kIdeographicSpace.size()) == kIdeographicSpace) {
            s.remove_suffix(kIdeographicSpace.size());
        } else {
            break;
        }
    }
    return s;
}

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

bool samePlace(const Corner& a, const Corner& b) { return a.x == b.x && a.y == b.y; }

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

}  // namespace

std::optional<std::string> decodeText(std::string_view bytes) {
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

char asciiNumberChar(char32_t c) {
    if (c >= 0xFF10 && c <= 0xFF19) return char('0' + (c - 0xFF10));
    switch (c) {
        case 0xFF0E: return '.';
        case 0xFF0D:
        case 0x2212: return '-';
        case 0xFF0B: return '+';
        case 0xFF45: return 'e';
        case 0xFF25: return 'E';
        default: return 0;
    }
}

std::string asciiNumberForm(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t copied = 0;  // utf8[copied, i) is still to be copied
    for (std::size_t i = 0; i + 3 <= utf8.size(); ++i) {
        const unsigned char b0 = byteAt(utf8, i);
        if (b0 != 0xEF && b0 != 0xE2) continue;
        const unsigned char b1 = byteAt(utf8, i + 1), b2 = byteAt(utf8, i + 2);
        if ((b1 & 0xC0) != 0x80 || (b2 & 0xC0) != 0x80) continue;
        const char ascii = asciiNumberChar(char32_t(b0 & 0x0F) << 12 | char32_t(b1 & 0x3F) << 6 | (b2 & 0x3F));
        if (ascii == 0) continue;
        out.append(utf8, copied, i - copied);
        out += ascii;
        i += 2;
        copied = i + 1;
    }
    out.append(utf8, copied);
    return out;
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
    CornerSource out;
    std::vector<SimaPoint> points;
    std::vector<SimaCornerRef> refs;
    bool parcelOpen = false;
    LineReader lines(utf8Text);
    std::string_view line;
    while (lines.next(line)) {
        if (line.empty()) continue;
        std::string_view f[5];
        const std::size_t count = splitFields(line, ',', f, 5);
        if (count == 0) continue;
        const std::string_view type = f[0];
        if (type == "A01") {
            const std::optional<double> x = count >= 5 ? coordinate(f[3]) : std::nullopt;
            const std::optional<double> y = count >= 5 ? coordinate(f[4]) : std::nullopt;
            if (!x || !y) return refusal(unreadableLine(lines.number(), line));
            points.push_back({f[1], f[2], {*x, *y}, false});
        } else if (type == "D00") {
            if (parcelOpen) {
                return refusal(lineNumber(lines.number()) + "の D00 の前に、区画「" + quoted(out.parcels.back().name) +
                               "」の終わり（D99）がありません。");
            }
            parcelOpen = true;
            out.parcels.push_back({std::string(f[2].empty() ? f[1] : f[2]), {}});
        } else if (type == "B01") {
            if (!parcelOpen) {
                return refusal(lineNumber(lines.number()) + "の B01 が区画（D00 から D99 まで）の外にあります。");
            }
            refs.push_back({f[1], f[2], lines.number(), out.parcels.size() - 1});
        } else if (type == "D99") {
            parcelOpen = false;
        }
    }
    if (parcelOpen) return refusal("区画「" + quoted(out.parcels.back().name) + "」の終わり（D99）がありません。");

    if (out.parcels.empty()) {
        if (points.empty()) return refusal(kNoCorners);
        out.corners.reserve(points.size());
        for (const SimaPoint& p : points) out.corners.push_back(p.corner);
        return out;
    }

    // Points by number and name, equal keys in file order; a key whose
    // points lie in different places is marked once on each of them.
    const auto before = [](const SimaPoint& a, const SimaPoint& b) {
        const int byNumber = a.number.compare(b.number);
        return byNumber != 0 ? byNumber < 0 : a.name < b.name;
    };
    std::stable_sort(points.begin(), points.end(), before);
    for (auto group = points.begin(); group != points.end();) {
        const auto end = std::upper_bound(group, points.end(), *group, before);
        const bool ambiguous =
            std::any_of(group, end, [&](const SimaPoint& p) { return !samePlace(p.corner, group->corner); });
        for (auto p = group; p != end; ++p) p->ambiguous = ambiguous;
        group = end;
    }
    for (const SimaCornerRef& ref : refs) {
        const SimaPoint key{ref.number, ref.name, {0, 0}, false};
        const auto found = std::lower_bound(points.begin(), points.end(), key, before);
        const bool missing = found == points.end() || before(key, *found);
        if (missing || found->ambiguous) {
            return refusal(
                lineNumber(ref.line) + "：区画「" + quoted(out.parcels[ref.parcel].name) + "」の点「" +
                pointLabel(ref.number, ref.name) + "」" +
                (missing ? "がファイルの座標（A01）にありません。" : "は座標（A01）に 2 度あり、座標が違います。"));
        }
        out.parcels[ref.parcel].corners.push_back(found->corner);
    }
    return out;
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
