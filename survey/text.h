// UTF-8 text as the readers, the result files and the number boxes need it:
// characters read and written, the blanks typed around numbers, and the
// full-width digits of Japanese input methods. Standard C++ only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace survey {

// ---- UTF-8 -------------------------------------------------------------------

// What bytes that start no character read as.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// One character of UTF-8 text and the bytes it takes.
struct Utf8Char {
    char32_t code = kReplacementCharacter;
    std::size_t length = 0;  // 1 for ASCII, 2 to 4 for the rest; 0 for no character
};

// The character whose bytes start at s[i]. No character (length 0, code
// U+FFFD) when i is at or past the end, or when the bytes there are not
// well-formed: a continuation byte, a lead byte C0, C1 or F5 to FF, a
// sequence cut short (by the end of s or by a byte that is no continuation),
// an overlong form, a surrogate (U+D800 to U+DFFF) or a code above U+10FFFF.
Utf8Char utf8CharAt(std::string_view s, std::size_t i);

// The character at s[i] (i < s.size()), and i moved past it; a byte that
// starts no character reads as U+FFFD and moves i on by that byte alone.
char32_t nextCodePoint(std::string_view s, std::size_t& i);

// Whether the whole of s is well-formed UTF-8 (empty text is).
bool isUtf8(std::string_view s);

// The end of the run of ASCII bytes (below 0x80) that starts at s[i]: the
// first byte from i on that is 0x80 or above, or s.size().
std::size_t asciiRunEnd(std::string_view s, std::size_t i);

// Appends the UTF-8 bytes of cp (cp <= U+10FFFF). A surrogate is not
// refused: it is written as its three bytes, which are not UTF-8.
void appendUtf8(std::string& out, char32_t cp);

// ---- Blanks ----------------------------------------------------------------------

// The blanks around and between typed numbers: ASCII space, tab and U+3000
// (the ideographic space of Japanese input).

// Length of the blank at s[i]: 1 for a space or a tab, 3 for U+3000, 0 for
// anything else and when i is at or past the end.
std::size_t blankAt(std::string_view s, std::size_t i);

// s without its leading blanks.
std::string_view skipBlanks(std::string_view s);

// s without its leading and trailing blanks.
std::string_view trimBlanks(std::string_view s);

// ---- Full-width digits -----------------------------------------------------------

// Full-width digits and signs as an input method gives them, in their ASCII
// forms: U+FF10..U+FF19 -> '0'..'9', U+FF0E -> '.', U+FF0D and U+2212 -> '-',
// U+FF0B -> '+', U+FF45 -> 'e', U+FF25 -> 'E'. Everything else, bytes that
// are not UTF-8 included, is copied unchanged.
std::string asciiNumberForm(std::string_view utf8);
// The same for one character: its ASCII form, or 0 when it keeps its own.
char asciiNumberChar(char32_t c);

}  // namespace survey
