#include "survey/textfile.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using survey::FieldNumber;
using survey::Separator;
using Fields = std::vector<std::string>;

namespace {

Fields split(std::string_view line, Separator separator) {
    survey::FieldSplitter f;
    Fields out;
    for (std::size_t i = 0, n = f.split(line, separator); i < n; ++i) out.emplace_back(f[i]);
    return out;
}

}  // namespace

TEST(FieldSplitter, QuotesKeepSeparatorsAndBlanks) {
    struct Row {
        std::string line;
        Separator separator;
        Fields fields;
    };
    const Row rows[] = {
        {" A01 , 1 ,K1,", Separator::Comma, {"A01", "1", "K1"}},
        {"1,\"P,3\",\"-35,000.5\"", Separator::Comma, {"1", "P,3", "-35,000.5"}},
        {"\"K\"\"1\",\"\"\"\",\"\"",
         Separator::Comma,
         {"K\"1", "\""}},                                  // doubled quotes; an empty quoted field at the end
        {"\" 端 \" ,x", Separator::Comma, {" 端 ", "x"}},  // blanks inside kept, outside trimmed
        {"\"ab\"cd ,e", Separator::Comma, {"abcd", "e"}},  // text after the closing quote
        {"1,\"open, to the end", Separator::Comma, {"1", "open, to the end"}},
        {"5\"\"x,2", Separator::Comma, {"5\"\"x", "2"}},  // not a quoted field
        {",,\t,", Separator::Comma, {}},
        {"\t1\t 2 \t\t", Separator::Tab, {"", "1", "2"}},
        {"\"a\tb\"\t3", Separator::Tab, {"a\tb", "3"}},
        {"  K1　10  \"K 2\" ", Separator::Blanks, {"K1", "10", "K 2"}},
    };
    for (const Row& r : rows) EXPECT_EQ(split(r.line, r.separator), r.fields) << r.line;
}

TEST(FieldSplitter, SeparatorOfALineOutsideQuotes) {
    const std::pair<std::string, Separator> rows[] = {
        {"1,2\t3", Separator::Tab},
        {"\"a\tb\",1,2", Separator::Comma},
        {"1 \"a,b\" 2", Separator::Blanks},
        {"K1 10 20", Separator::Blanks},
    };
    for (const auto& [line, separator] : rows) EXPECT_EQ(survey::separatorOf(line), separator) << line;
}

TEST(FieldNumbers, AsTypedOrAsASpreadsheetWritesThem) {
    constexpr auto None = FieldNumber::Kind::None;
    constexpr auto TooLarge = FieldNumber::Kind::TooLarge;
    const std::pair<std::string, std::optional<double>> finite[] = {
        {"-35,000.123", -35000.123},
        {"1,234,567", 1234567},
        {"+1,000e2", 100000},
        {"１０９０．５", 1090.5},
        {"−2E-1", -0.2},
        {" 12 ", 12},
        {"1e-400", 0},
    };
    for (const auto& [text, value] : finite) {
        const FieldNumber n = survey::fieldNumber(text);
        EXPECT_EQ(n.kind, FieldNumber::Kind::Finite) << text;
        EXPECT_EQ(n.value, *value) << text;
    }
    const std::pair<std::string, FieldNumber::Kind> refused[] = {
        {"1,2", None},       {"1,0000", None},         {"1234,567", None},   {",123", None},
        {"1,000.5,3", None}, {"1 000", None},          {"", None},           {"e5", None},
        {"1e400", TooLarge}, {"-1,000e400", TooLarge}, {"１，０００", None},  // a full-width comma separates nothing
    };
    for (const auto& [text, kind] : refused) EXPECT_EQ(survey::fieldNumber(text).kind, kind) << text;
}

TEST(FieldNumbers, PointNumbersAreWholeFromOneToTheLimit) {
    const std::pair<std::string, std::optional<std::int64_t>> rows[] = {
        {"12", 12},
        {"0012", 12},
        {"１２", 12},
        {"1,200", 1200},
        {"999999999999", 999999999999},
        {"1000000000000", std::nullopt},
        {"0", std::nullopt},
        {"1.0", std::nullopt},
        {"+1", std::nullopt},
        {"1e3", std::nullopt},
        {"K1", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, number] : rows) EXPECT_EQ(survey::wholeNumber(text, 999999999999), number) << text;
}
