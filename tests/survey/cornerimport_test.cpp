#include "survey/cornerimport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using survey::CornerSource;
using namespace std::string_literals;
using namespace std::string_view_literals;
using XY = std::vector<std::pair<double, double>>;

namespace {

XY xy(const std::vector<survey::Corner>& corners) {
    XY out;
    for (const survey::Corner& c : corners) out.emplace_back(c.x, c.y);
    return out;
}

void expectRefused(const CornerSource& r, const std::string& error, const std::string& input) {
    EXPECT_EQ(r.error, error) << input;
    EXPECT_TRUE(r.corners.empty() && r.parcels.empty()) << input;
}

// Two parcels over four points; fields padded, heights empty, lines ending
// in a comma, an observation record among them.
const std::string kSima =
    "G00,01,テスト,\r\nZ00,座標ﾃﾞｰﾀ,\r\nA00,\r\n"
    "A01, 1,T.1A , 1025.529, 999.253, 270.907,\r\n"
    "A01,2,T.2,1030.000,1010.500,,\r\n"
    "A01,3,,1010.25,1020.75\r\n"
    "A01,3,T.3,1000,1000,\r\n"
    "A99,\r\nC00,1,T.1A,2,T.2,10.5,\r\n";
const std::string kParcels =
    "D00,1,宅地,\r\nB01,1,T.1A,\r\nB01,3,T.3,\r\nB01,2,T.2,\r\nD99,\r\n"
    "D00,2,,\r\nB01, 2 , T.2 ,\r\nB01,3,,\r\nD99,\r\n";

}  // namespace

TEST(DecodeText, Utf8ElseCp932ElseNothing) {
    const std::pair<std::string_view, std::optional<std::string>> rows[] = {
        {"\xEF\xBB\xBF基準 1,2", "基準 1,2"},
        {"\xEF\xBB\xBF\xEF\xBB\xBF", "\xEF\xBB\xBF"},  // one mark dropped (found by fuzzing)
        {"\x8A\xEE\x8F\x80 1,2", "基準 1,2"},
        {"\xC3\xDE\x81\x5C", "ﾃﾞ―"},  // half-width katakana; 0x5C as a trail byte
        {"", ""},
        {std::string_view(), ""},  // no bytes and no address either
        {"\x80", std::nullopt},
        {"\xA0", std::nullopt},
        {"\xFD", std::nullopt},                  // read differently by systems
        {"1\x81", std::nullopt},                 // a lead byte alone
        {"\x85\x40", std::nullopt},              // a pair the code page lacks
        {"\xEF\xBB\xBF\x8A\xEE", std::nullopt},  // UTF-8 mark, then no UTF-8
        {"1,2\0"sv, std::nullopt},
    };
    for (const auto& [bytes, text] : rows) EXPECT_EQ(survey::decodeText(bytes), text) << bytes;
}

TEST(CornerTable, EveryLayout) {
    const std::pair<std::string, XY> rows[] = {
        {"1078.144\t1000.739\r\n1090.5\t1012.25\r\n", {{1078.144, 1000.739}, {1090.5, 1012.25}}},
        {"点名,X,Y\nK1,1078.144,1000.739,\nK2,-5,7.25,\n", {{1078.144, 1000.739}, {-5, 7.25}}},
        {"K1 1078.144  1000.739\nK2　１０９０．５　－１２\n", {{1078.144, 1000.739}, {1090.5, -12}}},
        {"\t1\t2\r\n\t3\t4\t\t", {{1, 2}, {3, 4}}},  // an empty name column; empty cells at the end
        {"\n1 2\n\t\t\n,,\n3 4", {{1, 2}, {3, 4}}},  // blank lines and empty rows
        {"1,2\r3,4", {{1, 2}, {3, 4}}},              // lone CR
        {"1e3 −2E-1", {{1000, -0.2}}},
        // Read as the book's tables are: a comment, five columns, headers in any order, spreadsheet numbers.
        {"# 現場 A\n1,K1,10,20,5.5\n2,,30,40,\n", {{10, 20}, {30, 40}}},
        {"Y,X,点名\n20,10,K1\n", {{10, 20}}},
        {"点名\tX\tY\nK1\t-35,000.123\t1,234.5\n", {{-35000.123, 1234.5}}},
        {"K1,\"-35,000.123\",\"12,000\"\n\"P,3\",1,2\n", {{-35000.123, 12000}, {1, 2}}},
    };
    for (const auto& [text, corners] : rows) {
        const CornerSource r = survey::readCornerTable(text);
        EXPECT_EQ(r.error, "") << text;
        EXPECT_EQ(xy(r.corners), corners) << text;
        EXPECT_TRUE(r.parcels.empty());
    }
}

TEST(CornerTable, RefusesWithTheLineAndTakesNothing) {
    const std::pair<std::string, std::string> rows[] = {
        {"X\tY\r\n\r\n1\t2\r\nabc\r\n", "4 行目を座標として読めません：「abc」（X が数値ではありません）"},
        {"1,2,3,4",
         "1 行目「1,2,3,4」：どの列が点番・X・Y なのか決められません。「点番,点名,X,Y」のような見出しの行を付け"
         "てください。"},  // a height, or a number and a name?
        {"1,K1,10,20\n2,K2,10,20,5,6\n", "2 行目の列の数が 1 行目と違います：「2,K2,10,20,5,6」"},
        {"K1 1e400 5", "1 行目を座標として読めません：「K1 1e400 5」（X が大きすぎます）"},
        {"5\t\t1000", "1 行目を座標として読めません：「5  1000」（X がありません）"},  // an empty cell
        {"K1,1 000,2", "1 行目を座標として読めません：「K1,1 000,2」（X が数値ではありません）"},
        {"1,2\t3",
         "1 行目を座標として読めません：「1,2 3」（X が数値ではありません）"},  // a tab makes the comma part of a cell
        {"K1\t1\t2\nK2\t3\t\n", "2 行目の列の数が 1 行目と違います：「K2 3」"},
        {"No X Y\n点名 X Y", "2 行目を座標として読めません：「点名 X Y」（X が数値ではありません）"},
        {"1 " + std::string(60, 'a'),
         "1 行目を座標として読めません：「1 " + std::string(38, 'a') + "…」（Y が数値ではありません）"},
        {"", "座標が見つかりません。"},
        {"X,Y\r\n", "座標が見つかりません。"},
    };
    for (const auto& [text, error] : rows) expectRefused(survey::readCornerTable(text), error, text);
}

TEST(CornerTable, OpenColumnsAreOfferedThenReadWithRoles) {
    const CornerSource open = survey::readCornerTable("1 100.5 200.25\n2 110 210\n");
    ASSERT_TRUE(open.columns.has_value());
    EXPECT_EQ(open.columns->columns, 3u);
    EXPECT_EQ(open.columns->lines.size(), 2u);
    EXPECT_TRUE(open.corners.empty());

    using R = survey::ColumnRole;
    const CornerSource read = survey::readCornerFile("1 100.5 200.25\n2 110 210\n", {R::Number, R::X, R::Y});
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(xy(read.corners), (XY{{100.5, 200.25}, {110, 210}}));
}

TEST(Sima, ParcelsInB01OrderOrEveryPoint) {
    const CornerSource r = survey::readSima(kSima + kParcels);
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.parcels.size(), 2u);
    EXPECT_TRUE(r.corners.empty());
    EXPECT_EQ(r.parcels[0].name, "宅地");
    EXPECT_EQ(xy(r.parcels[0].corners), (XY{{1025.529, 999.253}, {1000, 1000}, {1030, 1010.5}}));
    EXPECT_EQ(r.parcels[1].name, "2");
    EXPECT_EQ(xy(r.parcels[1].corners), (XY{{1030, 1010.5}, {1010.25, 1020.75}}));

    const CornerSource points = survey::readSima(kSima);
    EXPECT_EQ(xy(points.corners), (XY{{1025.529, 999.253}, {1030, 1010.5}, {1010.25, 1020.75}, {1000, 1000}}));
    EXPECT_TRUE(points.parcels.empty());
}

TEST(Sima, RefusesWhatItCannotPlace) {
    const std::string a = "A01,1,K,1,2\n";
    const std::pair<std::string, std::string> rows[] = {
        {kSima + "D00,1,宅地\nB01,2,T.2\nB01,9,T.9\nD99",
         "12 行目：区画「宅地」の点「9 T.9」がファイルの座標（A01）にありません。"},
        {a + "D00,7\nB01,1,k\nD99", "3 行目：区画「7」の点「1 k」の名前が A01 の「K」と違います。"},
        {a + "A01,1,L,1,3\nD00,7\nB01,1,\nD99", "4 行目：区画「7」の点「1」は座標（A01）に 2 度あり、座標が違います。"},
        {a + "A01,1,K,1,3\nD00,1,P\nB01,1,K\nD99",
         "4 行目：区画「P」の点「1 K」は座標（A01）に 2 度あり、座標が違います。"},
        {"A01,1,K1,1078,\n", "1 行目を座標として読めません：「A01,1,K1,1078,」（Y がありません）"},
        {a + "B01,1,K\n", "2 行目の B01 が区画（D00 から D99 まで）の外にあります。"},
        {a + "D00,1,P\nB01,1,K\nD00,2,Q\n", "区画「Q」の終わり（D99）がありません。"},  // P ends at Q
        {a + "D00,1,P\nB01,1,K", "区画「P」の終わり（D99）がありません。"},
        {"G00,01,\nZ00,x\n", "座標が見つかりません。"},
    };
    for (const auto& [text, error] : rows) expectRefused(survey::readSima(text), error, text);
}

TEST(Sima, TakesWhatRealFilesWrite) {
    // A B01 by number alone, a quoted name, comments, a D00 that ends the parcel before it.
    const CornerSource r = survey::readSima(
        "# 現況\nA01,1,K1,0,0,\nA01,2,\"P,2\",0,10,\n\nA01,3,,10,10,\n"
        "D00,1,一番,\nB01,1,,\nB01,2,\"P,2\",\nD00,2,二番,\nB01,3,,\nB01,1,K1\nD99,\n");
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.parcels.size(), 2u);
    EXPECT_EQ(xy(r.parcels[0].corners), (XY{{0, 0}, {0, 10}}));
    EXPECT_EQ(r.parcels[1].name, "二番");
    EXPECT_EQ(xy(r.parcels[1].corners), (XY{{10, 10}, {0, 0}}));
}

TEST(CornerFile, DecodedThenSimaOrTable) {
    struct Row {
        std::string bytes;
        XY corners;
        std::size_t parcels;
        std::string error;
    };
    const Row rows[] = {
        {"\xEF\xBB\xBF点名,X,Y\r\nK1,1,2\r\n", {{1, 2}}, 0, ""},
        {"A01,1078,1000\nA02,1,2,\r\n\x1A", {{1078, 1000}, {1, 2}}, 0, ""},  // first point A01; DOS end mark
        {"\r\nA01,1,\x8A\xEE,10,20,\r\nD00,1,\x91\xEE\x92\x6E\r\nB01,1,\x8A\xEE\r\nD99\r\n", {}, 1, ""},
        {"", {}, 0, "ファイルが空です。"},
        {"\xFF\xFE"
         "1\0,\0"
         "2\0"s,
         {},
         0,
         "UTF-16 のファイルは読めません。UTF-8 か Shift-JIS で保存し直してください。"},
        {"\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s,
         {},
         0,
         "テキストのファイルとして読めません（UTF-8 でも Shift-JIS でもありません）。"},
    };
    for (const Row& r : rows) {
        const CornerSource got = survey::readCornerFile(r.bytes);
        EXPECT_EQ(got.error, r.error) << r.bytes;
        EXPECT_EQ(xy(got.corners), r.corners) << r.bytes;
        EXPECT_EQ(got.parcels.size(), r.parcels) << r.bytes;
    }
    EXPECT_EQ(survey::readCornerFile(rows[2].bytes).parcels.at(0).name, "宅地");
}

TEST(CornerFile, LargeInputsStayLinear) {
    // One 8 MB line; 200 000 corner lines; one point named by 100 000 B01s.
    EXPECT_EQ(survey::readCornerFile(std::string(8 << 20, 'a')).error, "座標が見つかりません。");
    std::string lines;
    for (int i = 0; i < 200000; ++i) lines += "1 2\n";
    EXPECT_EQ(survey::readCornerFile(lines).corners.size(), 200000u);
    std::string sima = "A01,1,K,1,2\nD00,1,P\n";
    for (int i = 0; i < 100000; ++i) sima += "B01,1,K\nA01,1,K,1,2\n";
    EXPECT_EQ(survey::readCornerFile(sima + "D99\n").parcels.at(0).corners.size(), 100000u);
}
