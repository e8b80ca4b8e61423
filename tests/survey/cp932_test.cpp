#include "survey/cp932.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using survey::fromCp932;
using survey::toCp932;

namespace {

std::string utf8(char32_t cp) {
    std::string s;
    if (cp < 0x80) s += char(cp);
    else if (cp < 0x800) s += {char(0xC0 | (cp >> 6)), char(0x80 | (cp & 0x3F))};
    else if (cp < 0x10000) s += {char(0xE0 | (cp >> 12)), char(0x80 | ((cp >> 6) & 0x3F)), char(0x80 | (cp & 0x3F))};
    else
        s += {char(0xF0 | (cp >> 18)), char(0x80 | ((cp >> 12) & 0x3F)), char(0x80 | ((cp >> 6) & 0x3F)),
              char(0x80 | (cp & 0x3F))};
    return s;
}

// FNV-1a, 64 bits: one number for a long output.
std::uint64_t digest(const std::string& bytes) {
    std::uint64_t h = 0xCBF29CE484222325ULL;
    for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
    return h;
}

}  // namespace

TEST(Cp932, TextGivesTheBytesOfShiftJis) {
    struct Row {
        const char* text;
        std::string bytes;
    };
    const Row rows[] = {
        {"基準 X 0", "\x8A\xEE\x8F\x80 X 0"},
        {"ﾃﾞｽｸﾄｯﾌﾟ", "\xC3\xDE\xBD\xB8\xC4\xAF\xCC\xDF"},          // half-width katakana: one byte each
        {"㎡・\u3000", "\x87\x75\x81\x45\x81\x40"},                // NEC row 13, middle dot, ideographic space
        {"〜−‖¥\\~", "\x81\x60\x81\x7C\x81\x61\x81\x8F\x5C\x7E"},  // look-alikes; ASCII \ and ~ stay
        {"—¢£¬", "\x81\x5C\x81\x91\x81\x92\x81\xCA"},
        {"\x1A\x1C\x7F\t", "\x1A\x1C\x7F\t"},  // control codes keep their values
        {"\uE000\uE757", "\xF0\x40\xF9\xFC"},  // the user-defined area, first and last
    };
    for (const Row& r : rows) {
        const survey::Cp932 enc = toCp932(r.text);
        ASSERT_TRUE(enc.ok) << r.text << ": " << enc.offending;
        EXPECT_EQ(enc.bytes, r.bytes) << r.text;
        EXPECT_TRUE(enc.offending.empty());
    }
}

TEST(Cp932, TheFirstCharacterWithoutACodeIsNamedWhole) {
    struct Row {
        std::string text;
        std::string offending;
        const char* label;
    };
    const Row rows[] = {
        {"角\U0001F600한", "\U0001F600", "1F600"},  // beyond the BMP
        {"X 한 \U0001F600", "한", "D55C"},
        {"A\u0080B", "\u0080", "0080"},  // a C1 control code
        {"\uF8F0", "\uF8F0", "F8F0"},    // private use that Windows puts on byte A0
        {"\uF86F", "\uF86F", "F86F"},    // private use that would read back as №
        {"é", "é", "00E9"},
        {"A\xFF"
         "B",
         "\uFFFD", "FFFD"},  // bytes that are not UTF-8
    };
    for (const Row& r : rows) {
        const survey::Cp932 enc = toCp932(r.text);
        EXPECT_FALSE(enc.ok) << r.text;
        EXPECT_TRUE(enc.bytes.empty());
        EXPECT_EQ(enc.offending, r.offending) << r.text;
        EXPECT_EQ(survey::codePointLabel(enc.offending), r.label);
    }
}

TEST(Cp932, EveryCharacterOfTheBmpReadsBackAsItselfAndTheWholeIsTheSameEverywhere) {
    // Each character alone: its bytes, or a mark that it was refused. The
    // digest of all of them is the same on every system the program runs on.
    std::string all;
    int stored = 0;
    for (char32_t c = 1; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const survey::Cp932 enc = toCp932(utf8(c));
        all += enc.ok ? enc.bytes : std::string("\xFF\xFF");
        if (!enc.ok || c < 0x80) continue;
        ++stored;
        // Stored only what reads back as itself (a look-alike as its look-alike).
        const std::optional<std::string> back = fromCp932(enc.bytes);
        ASSERT_TRUE(back) << std::hex << unsigned(c);
        const bool lookAlike = c == 0x301C || c == 0x2212 || c == 0x2016 || c == 0x00A5 || c == 0x2014 || c == 0x00A2 ||
                               c == 0x00A3 || c == 0x00AC;
        if (!lookAlike) {
            EXPECT_EQ(*back, utf8(c)) << std::hex << unsigned(c);
        }
    }
    EXPECT_EQ(stored, 9277);
    EXPECT_EQ(digest(all), 0x62256724CC2F4415ULL) << std::hex << digest(all);
}

TEST(Cp932, BytesReadBackAsText) {
    EXPECT_EQ(fromCp932("\x8A\xEE\x8F\x80 X\r\n\xC3\xDE"), "基準 X\r\nﾃﾞ");
    EXPECT_EQ(fromCp932(""), "");
    EXPECT_FALSE(fromCp932("\x81"));      // a lead byte alone
    EXPECT_FALSE(fromCp932("\x81\x20"));  // a lead byte before a byte that cannot follow it
}
