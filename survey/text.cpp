#include "survey/text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace survey {

namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

unsigned char byteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

}  // namespace

// ---- UTF-8 -------------------------------------------------------------------

Utf8Char utf8CharAt(std::string_view s, std::size_t i) {
    if (i >= s.size()) return {};
    const unsigned char b0 = byteAt(s, i);
    if (b0 < 0x80) return {b0, 1};
    // The second byte's range is what keeps out overlong forms, surrogates
    // and code points above U+10FFFF.
    std::size_t extra = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        extra = 1;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        extra = 2;
        if (b0 == 0xE0) low = 0xA0;
        if (b0 == 0xED) high = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        extra = 3;
        if (b0 == 0xF0) low = 0x90;
        if (b0 == 0xF4) high = 0x8F;
    } else {
        return {};
    }
    if (s.size() - i <= extra) return {};
    if (byteAt(s, i + 1) < low || byteAt(s, i + 1) > high) return {};
    char32_t code = b0 & (0x3F >> extra);
    for (std::size_t k = 1; k <= extra; ++k) {
        const unsigned char b = byteAt(s, i + k);
        if ((b & 0xC0) != 0x80) return {};
        code = (code << 6) | (b & 0x3F);
    }
    return {code, extra + 1};
}

char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    const Utf8Char c = utf8CharAt(s, i);
    i += std::max<std::size_t>(c.length, 1);
    return c.code;
}

bool isUtf8(std::string_view s) {
    for (std::size_t i = asciiRunEnd(s, 0); i < s.size(); i = asciiRunEnd(s, i)) {
        const std::size_t length = utf8CharAt(s, i).length;
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::size_t asciiRunEnd(std::string_view s, std::size_t i) {
    // Most text is ASCII: eight bytes at a time.
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    i = std::min(i, s.size());
    while (s.size() - i >= 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        if (word & kHighBits) break;
        i += 8;
    }
    while (i < s.size() && byteAt(s, i) < 0x80) ++i;
    return i;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// ---- Blanks ----------------------------------------------------------------------

std::size_t blankAt(std::string_view s, std::size_t i) {
    if (i >= s.size()) return 0;
    if (s[i] == ' ' || s[i] == '\t') return 1;
    return s[i] == kIdeographicSpace[0] && s.substr(i, 3) == kIdeographicSpace ? kIdeographicSpace.size() : 0;
}

std::string_view skipBlanks(std::string_view s) {
    for (std::size_t n = blankAt(s, 0); n != 0; n = blankAt(s, 0)) s.remove_prefix(n);
    return s;
}

std::string_view trimBlanks(std::string_view s) {
    s = skipBlanks(s);
    for (;;) {
        if (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
            s.remove_suffix(1);
        } else if (s.ends_with(kIdeographicSpace)) {
            s.remove_suffix(kIdeographicSpace.size());
        } else {
            return s;
        }
    }
}

// ---- Full-width digits -----------------------------------------------------------

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
    for (std::size_t i = asciiRunEnd(utf8, 0); i < utf8.size(); i = asciiRunEnd(utf8, i)) {
        const std::size_t at = i;
        const char ascii = asciiNumberChar(nextCodePoint(utf8, i));
        if (ascii == 0) continue;
        out.append(utf8, copied, at - copied);
        out += ascii;
        copied = i;
    }
    out.append(utf8, copied);
    return out;
}

}  // namespace survey
