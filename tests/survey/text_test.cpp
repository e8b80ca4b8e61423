#include "survey/text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

TEST(Utf8, EachSequenceIsOneCharacterOrNone) {
    // The bytes, the character at their start, its length (0: none).
    const std::tuple<std::string_view, char32_t, std::size_t> rows[] = {
        {"A", 'A', 1},
        {"\xC2\x80", 0x80, 2},
        {"\xEF\xBF\xBD", 0xFFFD, 3},  // the replacement character itself is text
        {"\xF0\x9F\x98\x80", 0x1F600, 4},
        {"\xF4\x8F\xBF\xBF", 0x10FFFF, 4},
        {"\xC0\xAF", 0xFFFD, 0},          // overlong '/'
        {"\xE0\x9F\xBF", 0xFFFD, 0},      // overlong U+07FF
        {"\xF0\x8F\xBF\xBF", 0xFFFD, 0},  // overlong U+FFFF
        {"\xED\xA0\x80", 0xFFFD, 0},      // surrogate
        {"\xF4\x90\x80\x80", 0xFFFD, 0},  // above U+10FFFF
        {"\xE3\x80", 0xFFFD, 0},          // cut short by the end
        {"\xE3\x80\x41", 0xFFFD, 0},      // cut short by a byte that is no continuation ('A')
        {"\x80", 0xFFFD, 0},
        {"", 0xFFFD, 0},
    };
    for (const auto& [bytes, code, length] : rows) {
        const survey::Utf8Char c = survey::utf8CharAt(bytes, 0);
        EXPECT_EQ(c.code, code) << bytes;
        EXPECT_EQ(c.length, length) << bytes;
        EXPECT_EQ(survey::isUtf8(bytes), length == bytes.size()) << bytes;
        if (length == 0) continue;
        std::string written;
        survey::appendUtf8(written, code);
        EXPECT_EQ(written, bytes);
    }
}

TEST(Utf8, TextIsReadCharacterByCharacterAndABadByteAlone) {
    const std::string_view text = "基\xC0\xAF\x41\xF0\x9F\x98\x80";
    std::vector<char32_t> codes;
    for (std::size_t i = 0; i < text.size();) codes.push_back(survey::nextCodePoint(text, i));
    EXPECT_EQ(codes, (std::vector<char32_t>{0x57FA, 0xFFFD, 0xFFFD, 'A', 0x1F600}));
    EXPECT_EQ(survey::asciiRunEnd("abcdefghijk\xE3\x80\x80", 0), 11u);
    EXPECT_TRUE(survey::isUtf8("12345678基準 1,2"));
    EXPECT_FALSE(survey::isUtf8("12345678\xED\xA0\x80"));  // past a whole word of ASCII
}

TEST(Blanks, SpaceTabAndIdeographicSpace) {
    // The text, without its leading blanks, without the blanks at both ends.
    const std::tuple<std::string_view, std::string_view, std::string_view> rows[] = {
        {" \t\u3000 1 2\u3000\t ", "1 2\u3000\t ", "1 2"},
        {"\u3000\u3000", "", ""},
        {"\xE3\x80", "\xE3\x80", "\xE3\x80"},                 // cut short: no blank
        {"\u00A01\u3001", "\u00A01\u3001", "\u00A01\u3001"},  // no-break space, ideographic comma
    };
    for (const auto& [text, skipped, trimmed] : rows) {
        EXPECT_EQ(survey::skipBlanks(text), skipped) << text;
        EXPECT_EQ(survey::trimBlanks(text), trimmed) << text;
    }
    EXPECT_EQ(survey::blankAt("1\u3000", 1), 3u);
    EXPECT_EQ(survey::blankAt("1", 1), 0u);
}

TEST(AsciiNumberForm, FullWidthDigitsAndSignsOnly) {
    EXPECT_EQ(survey::asciiNumberForm("－１２３．５ｅ＋２　Ｋ１−１Ｅ"), "-123.5e+2　Ｋ1-1E");
    EXPECT_EQ(survey::asciiNumberForm("\xEF\xBC"), "\xEF\xBC");          // cut short: copied
    EXPECT_EQ(survey::asciiNumberForm("\xF0\xEF\xBC\x91"), "\xF0\x31");  // a bad byte does not swallow the digit

    const std::pair<char32_t, char> rows[] = {
        {0xFF10, '0'}, {0xFF19, '9'}, {0xFF0E, '.'}, {0xFF0D, '-'}, {0x2212, '-'}, {0xFF0B, '+'},
        {0xFF45, 'e'}, {0xFF25, 'E'}, {0xFF1A, 0},   {0xFF0F, 0},   {'5', 0},      {0x3000, 0},
    };
    for (const auto& [c, ascii] : rows) EXPECT_EQ(survey::asciiNumberChar(c), ascii) << unsigned(c);
}
