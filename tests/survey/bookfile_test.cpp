#include "survey/bookfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "Scratch.h"
#include "survey/arith.h"
#include "survey/cp932.h"

using survey::BookPoint;
using survey::BookReading;
using survey::PointBook;
using R = survey::ColumnRole;
using Points = std::vector<BookPoint>;
using namespace std::string_literals;

namespace {

std::string utf8Of(const survey::BookBytes& b) { return survey::fromCp932(b.bytes).value_or("(not CP932)"); }

PointBook bookOf(const Points& points) {
    PointBook book;
    for (const BookPoint& p : points) book.put(p);
    return book;
}

// A book as a surveyor's file has it: a title and names that need quotes,
// points without Z or name, and two parcels over them.
PointBook fieldBook() {
    PointBook book = bookOf({
        {1, "K1", -35000.123, 12000.5, 270.907},
        {2, "P,\"2\"", 0.00001, -0.5, std::nullopt},
        {3, " 端", 100000, 1e15, 0},
        {12, "", 0.1 + 0.2, 123456789012.347, std::nullopt},
    });
    book.title = "現況, 2024";
    book.addParcel({1, "宅地", {1, 2, 12}});
    book.addParcel({7, "", {12, 1}});
    return book;
}

const std::string kFieldSima =
    "G00,01,\"現況, 2024\",\r\nZ00,座標ﾃﾞｰﾀ,\r\nA00,\r\n"
    "A01,1,K1,-35000.123,12000.5,270.907,\r\n"
    "A01,2,\"P,\"\"2\"\"\",0.00001,-0.5,,\r\n"
    "A01,3,\" 端\",100000,1e+15,0,\r\n"
    "A01,12,,0.30000000000000004,123456789012.347,,\r\n"
    "A99,\r\n"
    "D00,1,宅地,1,\r\nB01,1,K1,\r\nB01,2,\"P,\"\"2\"\"\",\r\nB01,12,,\r\nD99,\r\n"
    "D00,7,,1,\r\nB01,12,,\r\nB01,1,K1,\r\nD99,\r\n";

}  // namespace

// ---- Reading -----------------------------------------------------------------------

TEST(ReadBook, TablesByHeaderOrByShape) {
    const std::pair<std::string, Points> rows[] = {
        {"X Y 標高\n10 20 1.5\n30 40\n", {{1, "", 10, 20, 1.5}, {2, "", 30, 40, std::nullopt}}},
        {"Y,X\n20,10\n", {{1, "", 10, 20, std::nullopt}}},  // honoured, never swapped
        {"ｎｏ,y座標,X座標,NAME\n7,20,10,K7\n", {{7, "K7", 10, 20, std::nullopt}}},
        {"1,K1,-35000.5,12000.25,3.5\r\n2,K2,1,2,\r\n",
         {{1, "K1", -35000.5, 12000.25, 3.5}, {2, "K2", 1, 2, std::nullopt}}},
        {"3 T.3 100 200\n", {{3, "T.3", 100, 200, std::nullopt}}},
        {"K1\t10\t20\nK2\t30\t40\n", {{1, "K1", 10, 20, std::nullopt}, {2, "K2", 30, 40, std::nullopt}}},
        {"10 20\n30 40\n", {{1, "", 10, 20, std::nullopt}, {2, "", 30, 40, std::nullopt}}},
        {"点番\t点名\tX\tY\n1\tK1\t-35,000.123\t1,234,567.5\n", {{1, "K1", -35000.123, 1234567.5, std::nullopt}}},
        {"1,\"P,3\",\"-35,000.123\",\"12,000\"\n", {{1, "P,3", -35000.123, 12000, std::nullopt}}},
        {"1,\"K\"\"1\",10,20\n", {{1, "K\"1", 10, 20, std::nullopt}}},
        {"# 現場 A\n\n2,K2,30,40\n  # 終わり\n1,K1,10,20\n",
         {{1, "K1", 10, 20, std::nullopt}, {2, "K2", 30, 40, std::nullopt}}},
        {"００１２,基準,１０,－２０\n", {{12, "基準", 10, -20, std::nullopt}}},
        {"1,\x8A\xEE\x8F\x80,10,20\r\n", {{1, "基準", 10, 20, std::nullopt}}},  // CP932
    };
    for (const auto& [text, points] : rows) {
        const BookReading r = survey::readBook(text);
        EXPECT_EQ(r.error, "") << text;
        EXPECT_EQ(r.book.points(), points) << text;
        EXPECT_EQ(r.book.title, "");
        EXPECT_TRUE(r.book.parcels().empty());
    }
}

TEST(ReadBook, SimaAsRealFilesWriteIt) {
    // Comments, a quoted name, B01s by number alone and before their A01,
    // a D00 that ends the parcel before it, other records.
    const BookReading r = survey::readBook(
        "G00,03,現況 2024,\r\n# 測量 太郎\r\nZ00,座標ﾃﾞｰﾀ,\r\nA00,\r\n"
        "A01,2,\"P,2\",0,10,5.25,\r\nA01,1,K1,0,0,\r\n\r\nA99,\r\nC00,1,K1,2,P,10.5,\r\n"
        "D00,1,一番,1,\r\nB01,1,,\r\nB01,2,\"P,2\",\r\nB01,3,,\r\n"
        "D00,2,,\r\nB01,3,K3\r\nD99,\r\n"
        "A01,3,K3,10,10\r\n");
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.book.title, "現況 2024");
    EXPECT_EQ(r.book.points(),
              (Points{{1, "K1", 0, 0, std::nullopt}, {2, "P,2", 0, 10, 5.25}, {3, "K3", 10, 10, std::nullopt}}));
    EXPECT_EQ(r.book.parcels(), (std::vector<survey::BookParcel>{{1, "一番", {1, 2, 3}}, {2, "", {3}}}));
}

TEST(ReadBook, RefusalsNameTheLineItsTextAndTheReason) {
    const std::string a = "A01,1,K1,10,20,\n";
    const std::pair<std::string, std::string> rows[] = {
        {"点番,点名,X,Y\n1,K1,10,20\n2,K2,10,20,5\n", "3 行目「2,K2,10,20,5」：5 列あります（この表は 4 列です）。"},
        {"X,Y\n1,2\nabc,3\n", "3 行目「abc,3」：X が数値ではありません。"},
        {"X,Y\n10\n", "2 行目「10」：Y がありません。"},
        {"K1 1e400 5\n", "1 行目「K1 1e400 5」：X が大きすぎます。"},
        {"1 K1 10 20 abc\n", "1 行目「1 K1 10 20 abc」：Z が数値ではありません。"},
        {"点番,X,Y\n1.5,10,20\n", "2 行目「1.5,10,20」：点番「1.5」が 1 から 999999999999 までの整数ではありません。"},
        {"点番,X,Y\n1000000000000,10,20\n",
         "2 行目「1000000000000,10,20」：点番「1000000000000」が 1 から 999999999999 までの整数ではありません。"},
        {"点番,X,Y\n,10,20\n", "2 行目「,10,20」：点番がありません。"},
        {"1 K1 10 20\n2 K2 30 40\n1 K3 50 60\n", "3 行目「1 K3 50 60」：点番「1」は 1 行目にもあります。"},
        {"X,X,Y\n", "1 行目「X,X,Y」：見出しの X が 2 列にあります。"},
        // The first fault of the text, whichever check finds it.
        {"点番,X,Y,Z\n1,10,20\n2,10,abc\n1,30,40\n", "3 行目「2,10,abc」：Y が数値ではありません。"},
        {"点番,X,Y,Z\n1,10,20\n1,10,20\n2,1,2,abc\n", "3 行目「1,10,20」：点番「1」は 2 行目にもあります。"},
        {a + "A01,1,K2,10,20,\n", "2 行目「A01,1,K2,10,20,」：点番「1」は 1 行目にもあります。"},
        {"Z00,\nA01,1,K1,1078,\n", "2 行目「A01,1,K1,1078,」：Y がありません。"},
        {a + "D00,1,宅地,\nB01,1,K2,\nD99,\n",
         "3 行目「B01,1,K2,」：区画「宅地」の点「1」の名前「K2」が A01 の「K1」と違います。"},
        {a + "D00,1,宅地,\nB01,9,,\nD99,\n",
         "3 行目「B01,9,,」：区画「宅地」の点「9」がファイルの座標（A01）にありません。"},
        {a + "D00,x,宅地,\nD99,\n",
         "2 行目「D00,x,宅地,」：区画の番号「x」が 1 から 999999999999 までの整数ではありません。"},
        {a + "D00,1,宅地,\nB01,1,,\n", "区画「宅地」の終わり（D99）がありません。"},  // a cut-off file
        {a + "B01,1,,\n", "2 行目の B01 が区画（D00 から D99 まで）の外にあります。"},
        {"G00,01,題,\n", "座標が見つかりません。"},
        {"X,Y\n", "座標が見つかりません。"},
        {"", "ファイルが空です。"},
    };
    for (const auto& [text, message] : rows) {
        const BookReading r = survey::readBook(text);
        EXPECT_EQ(r.error, message) << text;
        EXPECT_TRUE(r.book.empty()) << text;
        EXPECT_FALSE(r.columns) << text;
    }
}

TEST(ReadBook, OpenColumnsAreAskedThenReadWithTheRoles) {
    const std::string text = "1 100.5 200.25\n2 110 210 7\n";
    const BookReading open = survey::readBook(text);
    EXPECT_EQ(
        open.error,
        "1 行目「1 100.5 200.25」：どの列が点番・X・Y なのか決められません。「点番,点名,X,Y」のような見出しの行を付け"
        "てください。");
    ASSERT_TRUE(open.columns);
    EXPECT_EQ(*open.columns, (survey::TableSample{4, {}, {{"1", "100.5", "200.25"}, {"2", "110", "210", "7"}}}));
    EXPECT_TRUE(open.book.empty());

    const std::pair<survey::ColumnRoles, Points> rows[] = {
        {{R::Number, R::X, R::Y, R::Ignore}, {{1, "", 100.5, 200.25, std::nullopt}, {2, "", 110, 210, std::nullopt}}},
        {{R::X, R::Y, R::Z, R::Name}, {{1, "", 1, 100.5, 200.25}, {2, "7", 2, 110, 210}}},
        {{R::Number, R::Y, R::X, R::Ignore}, {{1, "", 200.25, 100.5, std::nullopt}, {2, "", 210, 110, std::nullopt}}},
    };
    for (const auto& [roles, points] : rows) {
        const BookReading r = survey::readBook(text, roles);
        EXPECT_EQ(r.error, "");
        EXPECT_EQ(r.book.points(), points);
    }
    EXPECT_EQ(survey::readBook(text, {R::X, R::X, R::Y}).error,
              "列の指定には X と Y が 1 列ずつ要り、ほかの列も 1 列までです。");

    // A header nobody knows is shown with the lines; at most kSampleLines of them.
    std::string many = "名前 北 東\n";
    for (int i = 0; i < 12; ++i) many += "1 2 3\n";
    const BookReading sample = survey::readBook(many);
    ASSERT_TRUE(sample.columns);
    EXPECT_EQ(sample.columns->header, (std::vector<std::string>{"名前", "北", "東"}));
    EXPECT_EQ(sample.columns->lines.size(), survey::kSampleLines);
}

// ---- Writing -----------------------------------------------------------------------

TEST(BookFormats, CoordinatesInTheShortestTextThatReadsBack) {
    const std::pair<double, const char*> rows[] = {
        {100000, "100000"},
        {-35000.123, "-35000.123"},
        {0.1 + 0.2, "0.30000000000000004"},
        {123456789012.347, "123456789012.347"},
        {0.00001, "0.00001"},
        {9.99e-6, "9.99e-06"},
        {1e15, "1e+15"},
        {-0.0, "0"},
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
    };
    for (const auto& [v, text] : rows) {
        EXPECT_EQ(survey::coordinateText(v), text);
        EXPECT_EQ(survey::strictNumber(text), v) << text;
    }
}

TEST(BookFormats, SimaAndCsvReadBackAsTheBookAndWriteTheSameBytes) {
    const PointBook book = fieldBook();
    const survey::BookBytes sima = survey::writeSima(book);
    ASSERT_EQ(sima.error, "");
    EXPECT_EQ(utf8Of(sima), kFieldSima);
    const BookReading fromSima = survey::readBook(sima.bytes);
    ASSERT_EQ(fromSima.error, "");
    EXPECT_EQ(fromSima.book, book);
    EXPECT_EQ(survey::writeSima(fromSima.book).bytes, sima.bytes);

    const survey::BookBytes csv = survey::writeCsv(book);
    ASSERT_EQ(csv.error, "");
    EXPECT_EQ(utf8Of(csv),
              "点番,点名,X,Y,Z\r\n1,K1,-35000.123,12000.5,270.907\r\n2,\"P,\"\"2\"\"\",0.00001,-0.5,\r\n"
              "3,\" 端\",100000,1e+15,0\r\n12,,0.30000000000000004,123456789012.347,\r\n");
    const BookReading fromCsv = survey::readBook(csv.bytes);
    ASSERT_EQ(fromCsv.error, "");
    EXPECT_EQ(fromCsv.book, bookOf(book.points()));  // the points only
    EXPECT_EQ(survey::writeCsv(fromCsv.book).bytes, csv.bytes);
}

TEST(BookFormats, RefusesWhatWouldNotReadBackAndWritesNothing) {
    struct Row {
        PointBook book;
        std::string error;
        std::string offending;
    };
    PointBook unencodable = bookOf({{12, "\U00020BB7野", 1, 2, std::nullopt}});
    PointBook dangling = bookOf({{1, "K1", 1, 2, std::nullopt}});
    dangling.addParcel({3, "宅地", {1, 9}});
    PointBook namedParcel = dangling;
    namedParcel.setParcel(0, {3, "表\U0001F600", {1}});
    const Row rows[] = {
        {unencodable, "点「12」の点名の「\U00020BB7」(U+20BB7) はシフトJISで書けない文字のため、保存しませんでした。",
         "\U00020BB7"},
        {namedParcel,
         "区画「表\U0001F600」の名前の「\U0001F600」(U+1F600) はシフトJISで書けない文字のため、保存しませんでした。",
         "\U0001F600"},
        {bookOf({{1, "K\r\n1", 1, 2, std::nullopt}}), "点「1」の点名に改行などファイルに書けない文字があります。", ""},
        {bookOf({{1, "K1", NAN, 2, std::nullopt}}), "点「1」の座標が有限の数ではありません。", ""},
        {dangling, "区画「宅地」の点「9」が座標簿にありません。", ""},
        {PointBook(), "座標簿に点も区画もありません。", ""},
    };
    for (const Row& r : rows) {
        const survey::BookBytes b = survey::writeSima(r.book);
        EXPECT_EQ(b.error, r.error);
        EXPECT_EQ(b.offending, r.offending);
        EXPECT_TRUE(b.bytes.empty()) << r.error;
    }
    EXPECT_EQ(survey::writeCsv(unencodable).offending, "\U00020BB7");
    EXPECT_TRUE(survey::writeCsv(dangling).ok());  // no parcels in a CSV
    EXPECT_EQ(survey::writeCsv(PointBook()).error, "座標簿に点がありません。");
}

// ---- Saving -------------------------------------------------------------------------

TEST(SaveBook, ReplacesTheFileWholeOrLeavesItAsItWas) {
    ScratchDesktop scratch;
    const fs::path file = scratch.root() / fs::path(u8"座標簿.sim");
    ASSERT_TRUE(survey::saveBook(file, fieldBook(), survey::BookFormat::Sima).ok());
    EXPECT_EQ(readBytes(file), survey::writeSima(fieldBook()).bytes);
    const std::string old = readBytes(file);

    const std::string csv = survey::writeCsv(fieldBook()).bytes;
    for (const std::size_t written : {std::size_t(0), std::size_t(7), csv.size() - 1}) {
        survey::seam::limitWrites(written);
        const survey::FileOutcome o = survey::saveWhole(file, csv);
        survey::seam::limitWrites(std::nullopt);
        EXPECT_EQ(o.kind, survey::FileOutcome::Kind::Failed) << written;
        EXPECT_EQ(o.reason, "保存できませんでした。ディスクの空き容量が足りません。");
        EXPECT_EQ(readBytes(file), old) << written;
    }
    // Nothing of its own is left in the folder: no new file, no half of one.
    const auto files = [&] {
        std::vector<fs::path> names;
        for (const fs::directory_entry& e : fs::directory_iterator(scratch.root()))
            names.push_back(e.path().filename());
        return names;
    };
    EXPECT_EQ(files(), std::vector<fs::path>{file.filename()});

    ASSERT_TRUE(survey::saveWhole(file, csv).ok());
    EXPECT_EQ(readBytes(file), csv);

    // A folder in the file's place, a folder that is not there, an unencodable book.
    fs::create_directory(scratch.root() / "folder");
    EXPECT_EQ(survey::saveWhole(scratch.root() / "folder", csv).kind, survey::FileOutcome::Kind::Failed);
    EXPECT_EQ(survey::saveWhole(scratch.root() / "missing" / "b.csv", csv).reason,
              "保存できませんでした。フォルダーが見つかりません。");
    const survey::FileOutcome unencodable =
        survey::saveBook(file, bookOf({{1, "\U0001F600", 1, 2, std::nullopt}}), survey::BookFormat::Csv);
    EXPECT_EQ(unencodable.kind, survey::FileOutcome::Kind::Unencodable);
    EXPECT_EQ(unencodable.offending, "\U0001F600");
    EXPECT_EQ(readBytes(file), csv);
    EXPECT_TRUE(fs::is_directory(scratch.root() / "folder"));
    EXPECT_EQ(files().size(), 2u);
}
