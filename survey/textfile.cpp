#include "survey/textfile.h"

#include <algorithm>
#include <cstring>

#include "survey/arith.h"
#include "survey/cp932.h"
#include "survey/text.h"

namespace survey {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kQuotedChars = 40;

unsigned char byteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

bool isAscii(std::string_view s) { return asciiRunEnd(s, 0) == s.size(); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

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

// The form strictNumber reads: [+-] digits [. digits] [e [+-] digits], at
// least one mantissa digit. Tells a number too large for a double from text
// that is no number.
bool hasNumberForm(std::string_view s) {
    s = trimBlanks(s);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        const std::size_t start = i;
        while (i < s.size() && isDigit(s[i])) ++i;
        if (i == start) return false;
    }
    return i == s.size();
}

// `s` without its thousands separators, when they group the digits before
// the decimal point by three; none when a comma stands anywhere else.
std::optional<std::string> withoutGrouping(std::string_view s) {
    s = trimBlanks(s);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::string out(s.substr(0, i));
    std::size_t lead = 0;
    while (i < s.size() && isDigit(s[i])) out += s[i++], ++lead;
    if (lead == 0 || lead > 3) return std::nullopt;
    while (i < s.size() && s[i] == ',') {
        if (s.size() - i < 4 || !isDigit(s[i + 1]) || !isDigit(s[i + 2]) || !isDigit(s[i + 3])) return std::nullopt;
        out.append(s, i + 1, 3);
        i += 4;
    }
    if (i < s.size() && isDigit(s[i])) return std::nullopt;  // a group of four or more
    const std::string_view rest = s.substr(i);
    if (rest.find(',') != std::string_view::npos) return std::nullopt;
    out += rest;
    return out;
}

}  // namespace

// ---- Bytes to text ----------------------------------------------------------------

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

FileText fileText(std::string_view bytes) {
    FileText out;
    if (bytes.empty()) {
        out.error = "ファイルが空です。";
    } else if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        out.error = "UTF-16 のファイルは読めません。UTF-8 か Shift-JIS で保存し直してください。";
    } else {
        if (bytes.back() == '\x1A') bytes.remove_suffix(1);
        std::optional<std::string> text = decodeText(bytes);
        if (text) {
            out.text = std::move(*text);
        } else {
            out.error = "テキストのファイルとして読めません（UTF-8 でも Shift-JIS でもありません）。";
        }
    }
    return out;
}

// ---- Lines ------------------------------------------------------------------------

LineReader::LineReader(std::string_view text) : rest_(text) {
    if (rest_.substr(0, kByteOrderMark.size()) == kByteOrderMark) rest_.remove_prefix(kByteOrderMark.size());
}

bool LineReader::next(std::string_view& line) {
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

bool isCommentLine(std::string_view line) {
    line = skipBlanks(line);
    return !line.empty() && line[0] == '#';
}

// ---- Fields -----------------------------------------------------------------------

Separator separatorOf(std::string_view line) {
    bool quoted = false;
    bool comma = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == '\t') {
            return Separator::Tab;
        } else if (!quoted && c == ',') {
            comma = true;
        }
    }
    return comma ? Separator::Comma : Separator::Blanks;
}

std::size_t FieldSplitter::split(std::string_view line, Separator separator) {
    fields_.clear();
    scratch_.clear();
    scratch_.reserve(line.size());
    count_ = 0;
    const char mark = separator == Separator::Tab ? '\t' : ',';
    const bool blanks = separator == Separator::Blanks;
    auto atEnd = [&](std::size_t i) { return i >= line.size() || (blanks ? blankAt(line, i) != 0 : line[i] == mark); };
    auto endFrom = [&](std::size_t i) {
        while (!atEnd(i)) ++i;
        return i;
    };

    std::size_t i = 0;
    for (;;) {
        while (const std::size_t n = blankAt(line, i)) {
            if (!blanks && line[i] == mark) break;  // a tab separator is also a blank
            i += n;
        }
        if (blanks && i >= line.size()) break;
        std::string_view field;
        if (i < line.size() && line[i] == '"') {
            // Quoted: the text to the closing quote, doubled quotes as one.
            const std::size_t start = i + 1;
            std::size_t close = start;
            bool doubled = false;
            for (;;) {
                close = line.find('"', close);
                if (close == std::string_view::npos || close + 1 >= line.size() || line[close + 1] != '"') break;
                doubled = true;
                close += 2;
            }
            const std::size_t contentEnd = close == std::string_view::npos ? line.size() : close;
            const std::size_t after = close == std::string_view::npos ? line.size() : close + 1;
            i = endFrom(after);
            const std::string_view rest = trimBlanks(line.substr(after, i - after));
            const std::string_view content = line.substr(start, contentEnd - start);
            if (!doubled && rest.empty()) {
                field = content;
            } else {
                const std::size_t begin = scratch_.size();
                for (std::size_t k = 0; k < content.size(); ++k) {
                    scratch_ += content[k];
                    if (content[k] == '"') ++k;  // the second of a doubled quote
                }
                scratch_ += rest;
                field = std::string_view(scratch_).substr(begin);
            }
        } else {
            const std::size_t start = i;
            i = endFrom(i);
            field = trimBlanks(line.substr(start, i - start));
        }
        fields_.push_back(field);
        if (!field.empty()) count_ = fields_.size();
        if (i >= line.size()) break;
        if (!blanks) ++i;  // past the separator; one at the very end leaves an empty field
        if (!blanks && i == line.size()) {
            fields_.emplace_back();
            break;
        }
    }
    return count_;
}

// ---- Numbers ----------------------------------------------------------------------

FieldNumber fieldNumber(std::string_view field) {
    std::string folded;
    if (!isAscii(field)) {
        folded = asciiNumberForm(field);
        field = folded;
    }
    std::optional<std::string> ungrouped;
    if (field.find(',') != std::string_view::npos) {
        ungrouped = withoutGrouping(field);
        if (!ungrouped) return {};
        field = *ungrouped;
    }
    if (const std::optional<double> v = strictNumber(field)) return {FieldNumber::Kind::Finite, *v};
    return {hasNumberForm(field) ? FieldNumber::Kind::TooLarge : FieldNumber::Kind::None, 0};
}

std::optional<std::int64_t> wholeNumber(std::string_view field, std::int64_t max) {
    std::string folded;
    if (!isAscii(field)) {
        folded = asciiNumberForm(field);
        field = folded;
    }
    std::optional<std::string> ungrouped;
    if (field.find(',') != std::string_view::npos) {
        ungrouped = withoutGrouping(field);
        if (!ungrouped) return std::nullopt;
        field = *ungrouped;
    }
    field = trimBlanks(field);
    if (field.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : field) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > max) return std::nullopt;
    }
    if (value < 1) return std::nullopt;
    return value;
}

// ---- Messages ---------------------------------------------------------------------

std::string quotedText(std::string_view text) {
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

std::string lineLabel(std::size_t number) { return std::to_string(number) + " 行目"; }

}  // namespace survey
