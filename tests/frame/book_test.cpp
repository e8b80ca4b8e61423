// The book of points: its changes and their undo steps, the tables of its
// points and parcels (rows, filters, edits), and the F4 picker by keys.
#include <QLabel>
#include <QPointer>
#include <QTableView>
#include <functional>
#include <optional>

#include "frame/Book.h"
#include "frame/BookModels.h"
#include "frame/PointPicker.h"
#include "support/ScreenTest.h"
#include "survey/arith.h"

namespace {

using survey::BookParcel;
using survey::BookPoint;
using survey::PointBook;
using Numbers = std::vector<survey::PointNumber>;
using namespace Qt::StringLiterals;

BookPoint point(survey::PointNumber number, std::string name, double x = 0, double y = 0,
                std::optional<double> z = {}) {
    return {number, std::move(name), x, y, z};
}

template <class T, class... Items>
std::vector<T> list(Items... items) {
    return {T(items)...};
}

BookParcel parcel(std::int64_t number, survey::PointNumber corner) { return {number, "", Numbers(1, corner)}; }

// The book in one line: "number name x y [z]" a point, "| number [corners]" a parcel.
std::string summary(const PointBook& book) {
    std::string s;
    for (const BookPoint& p : book.points()) {
        s += (s.empty() ? "" : "; ") + std::to_string(p.number) + " " + p.name + " " + survey::numberText(p.x) + " " +
             survey::numberText(p.y) + (p.z ? " " + survey::numberText(*p.z) : "");
    }
    for (const BookParcel& parcel : book.parcels()) {
        s += " | " + std::to_string(parcel.number) + " [";
        for (const survey::PointNumber n : parcel.corners) s += (s.back() == '[' ? "" : " ") + std::to_string(n);
        s += "]";
    }
    return s;
}

PointBook bookOf(const std::vector<BookPoint>& points, const std::vector<BookParcel>& parcels = {}) {
    PointBook book;
    for (const BookPoint& p : points) book.put(p);
    for (const BookParcel& p : parcels) book.addParcel(p);
    return book;
}

const PointBook kStart = bookOf({point(1, "A", 10, 20), point(2, "B", 30, 40, 5)}, {{1, "宅地", {1, 2}}});
const std::string kStartText = "1 A 10 20; 2 B 30 40 5 | 1 [1 2]";

class BookTest : public ScreenTest {
protected:
    void SetUp() override { start(kStart); }
    void TearDown() override {
        ScreenTest::TearDown();
        book.reset();
    }
    // The book holds `contents`, with no undo steps and no file.
    void start(const PointBook& contents) {
        book.reset();
        book.replaceBook(contents, {});
        book.undoStack()->clear();
    }
    Book& book = Book::instance();
};

// Each change is one step, undone and redone; one that changes nothing (no undo text) is none.
TEST_F(BookTest, EveryChangeIsOneUndoStepWithItsText) {
    struct Row {
        const char* what;
        std::function<void(Book&)> change;
        const char16_t* undoText;
        std::string after;
    };
    const Row rows[] = {
        {"put", [](Book& b) { b.putPoints(list<BookPoint>(point(4, "D"))); }, u"点の登録",
         "1 A 10 20; 2 B 30 40 5; 4 D 0 0 | 1 [1 2]"},
        {"paste", [](Book& b) { b.putPoints(list<BookPoint>(point(2, "x"), point(2, "C")), u"貼り付け"_s); },
         u"貼り付け", "1 A 10 20; 2 C 0 0 | 1 [1 2]"},
        {"remove", [](Book& b) { b.removePoints(list<survey::PointNumber>(2, 9)); }, u"点の削除",
         "1 A 10 20 | 1 [1]"},  // the parcel loses the corner
        {"remove every corner", [](Book& b) { b.removePoints(list<survey::PointNumber>(1, 2)); }, u"点の削除", ""},
        {"name", [](Book& b) { b.changePoint(1, point(1, "AA", 10, 20)); }, u"点名の変更",
         "1 AA 10 20; 2 B 30 40 5 | 1 [1 2]"},
        {"Z unknown", [](Book& b) { b.changePoint(2, point(2, "B", 30, 40)); }, u"Z の変更",
         "1 A 10 20; 2 B 30 40 | 1 [1 2]"},
        {"two fields", [](Book& b) { b.changePoint(1, point(1, "A", 11, 21)); }, u"点の変更",
         "1 A 11 21; 2 B 30 40 5 | 1 [1 2]"},
        {"free number", [](Book& b) { b.changePoint(1, point(7, "A", 10, 20)); }, u"点番の変更",
         "2 B 30 40 5; 7 A 10 20 | 1 [7 2]"},  // the parcel follows
        {"taken number", [](Book& b) { b.changePoint(1, point(2, "A", 10, 20), true); }, u"点番の変更",
         "2 A 10 20 | 1 [2]"},
        {"parcel added", [](Book& b) { b.addParcel(parcel(2, 2)); }, u"区画の追加", kStartText + " | 2 [2]"},
        {"parcel changed", [](Book& b) { b.changeParcel(0, parcel(1, 2)); }, u"区画の変更",
         "1 A 10 20; 2 B 30 40 5 | 1 [2]"},
        {"parcel removed", [](Book& b) { b.removeParcels(list<std::size_t>(0, 5)); }, u"区画の削除",
         "1 A 10 20; 2 B 30 40 5"},
        {"opened", [](Book& b) { b.replaceBook(bookOf({point(8, "H")}), u"b"_s); }, u"座標簿を開く", "8 H 0 0"},
        {"same point", [](Book& b) { b.putPoints(list<BookPoint>(point(1, "A", 10, 20))); }, nullptr, kStartText},
        {"unknown point", [](Book& b) { b.changePoint(9, point(9, "A")); }, nullptr, kStartText},
        {"taken, not replacing", [](Book& b) { b.changePoint(1, point(2, "A")); }, nullptr, kStartText},
        {"no such parcel", [](Book& b) { b.removeParcels(list<std::size_t>(4)); }, nullptr, kStartText},
        {"number 0", [](Book& b) { EXPECT_ANY_THROW(b.putPoints(list<BookPoint>(point(4, ""), point(0, "")))); },
         nullptr, kStartText},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        start(kStart);
        row.change(book);
        EXPECT_EQ(summary(book.data()), row.after);
        ASSERT_EQ(book.undoStack()->count(), row.undoText ? 1 : 0);
        if (!row.undoText) continue;
        EXPECT_EQ(book.undoStack()->undoText(), QString::fromUtf16(row.undoText));
        book.undoStack()->undo();
        EXPECT_EQ(summary(book.data()), kStartText);
        book.undoStack()->redo();
        EXPECT_EQ(summary(book.data()), row.after);
    }
}

TEST_F(BookTest, ModifiedUntilSavedAndUndoneBackToTheFile) {
    book.putPoints({point(4, "D")});
    EXPECT_TRUE(book.isModified());
    book.markSaved(u"a.sim"_s);
    book.removePoints({4});
    book.undoStack()->undo();
    EXPECT_FALSE(book.isModified());
    book.replaceBook(bookOf({point(8, "H")}), u"b.sim"_s);
    EXPECT_FALSE(book.isModified());
    EXPECT_EQ(book.filePath(), u"b.sim"_s);
    book.undoStack()->undo();
    EXPECT_TRUE(book.isModified());
    EXPECT_EQ(book.filePath(), u"a.sim"_s);
}

// Many points among many go in by merging: the same book as putting them one by one.
TEST_F(BookTest, ManyPointsAmongManyAsOneByOne) {
    std::vector<BookPoint> evens, mixed;
    for (int n = 2; n <= 2000; n += 2) evens.push_back(point(n, "e"));
    for (int n = 1; n <= 2001; n += 3) mixed.push_back(point(n, "m"));
    start(bookOf(evens));
    PointBook expected = bookOf(evens);
    for (const BookPoint& p : mixed) expected.put(p);
    book.putPoints(mixed);
    EXPECT_TRUE(book.data() == expected);
    book.undoStack()->setIndex(0);
    EXPECT_TRUE(book.data() == bookOf(evens));
}

// ---- The tables ----

Numbers shown(const BookPointsModel& model) {
    Numbers numbers;
    for (int row = 0; row < model.rowCount(); ++row) numbers.push_back(model.point(row).number);
    return numbers;
}

// Digits pass the numbers that start with them and the names that hold them.
TEST_F(BookTest, TheFilterPassesNumbersByTheirFirstDigitsAndNamesByWhatTheyContain) {
    const survey::PointNumber last = survey::kMaxPointNumber;
    start(bookOf({point(1, "K1"), point(2, "k2"), point(7, "P35"), point(10, "BM10"), point(12, "基準点A"),
                  point(100, ""), point(123, "1a"), point(2000, "基準点B"), point(last, "end")}));
    struct Row {
        const char16_t* typed;
        Numbers shown;
    };
    const Row rows[] = {{u"", {1, 2, 7, 10, 12, 100, 123, 2000, last}},
                        {u"1", {1, 10, 12, 100, 123}},
                        {u"１２", {12, 123}},
                        {u" 2 ", {2, 2000}},
                        {u"9999", {last}},
                        {u"0", {10}},
                        {u"35", {7}},
                        {u"9999999999999", {}},
                        {u"k", {1, 2}},
                        {u"基準", {12, 2000}},
                        {u"1a", {123}}};
    BookPointsModel model(book);
    for (const Row& row : rows) {
        SCOPED_TRACE(QString::fromUtf16(row.typed).toStdString());
        model.setFilter(QString::fromUtf16(row.typed));
        EXPECT_EQ(shown(model), row.shown);
        for (int k = 0; k < model.rowCount(); ++k) EXPECT_EQ(model.rowOf(model.point(k).number), k);
    }
    EXPECT_EQ(model.rowOf(12), -1);
    // The rows follow the book, under the same filter.
    book.putPoints({point(1200, ""), point(5, "")});
    EXPECT_EQ(shown(model), Numbers{123});
}

TEST_F(BookTest, EditsOfCellsAreBookChangesOrAreRefused) {
    const QString refused = u"入力されていないデータがあるか、データが適切ではありません。"_s;
    const std::string unchanged = "1 A 0.3 20; 2 B 30 40 5";
    struct Row {
        BookPointsModel::Column column;
        const char16_t* typed;
        std::string after;
        QString box;
        int answer;  // to the question
    };
    const Row rows[] = {
        {BookPointsModel::Name, u"新点", "1 新点 0.3 20; 2 B 30 40 5", {}, 0},
        {BookPointsModel::Y, u" －１．５ ", "1 A 0.3 -1.5; 2 B 30 40 5", {}, 0},
        {BookPointsModel::Z, u"3", "1 A 0.3 20 3; 2 B 30 40 5", {}, 0},
        {BookPointsModel::X, u"0.3", unchanged, {}, 0},  // as shown: it keeps the digits not shown
        {BookPointsModel::X, u"12abc", unchanged, refused, 0},
        {BookPointsModel::Number, u"7", "2 B 30 40 5; 7 A 0.3 20", {}, 0},
        {BookPointsModel::Number, u"1.5", unchanged, refused, 0},
        {BookPointsModel::Number, u"2", unchanged, u"点番 2 はすでにあります。置き換えますか？"_s, Module1::No},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(QString::fromUtf16(row.typed).toStdString() + " in column " + std::to_string(row.column));
        start(bookOf({point(1, "A", 0.1 + 0.2, 20), point(2, "B", 30, 40, 5)}));
        boxes.reset();
        if (row.answer) boxes.answer(row.answer);
        BookPointsModel model(book);
        model.setData(model.index(0, row.column), QString::fromUtf16(row.typed));
        QApplication::processEvents();  // the boxes come once the edit is over
        EXPECT_EQ(summary(book.data()), row.after);
        EXPECT_EQ(book.undoStack()->count(), row.after == unchanged ? 0 : 1);
        ASSERT_EQ(boxes.boxes().size(), row.box.isEmpty() ? 0 : 1);
        if (!row.box.isEmpty()) {
            EXPECT_EQ(boxes.boxes()[0].prompt, row.box);
        }
    }
}

TEST_F(BookTest, ParcelRowsWithTheirCorners) {
    start(bookOf({}, {{3, "宅地", {1, 2, 3}}, {12, "畑", Numbers(150, 7)}}));
    BookParcelsModel model(book);
    EXPECT_EQ(model.index(0, BookParcelsModel::Corners).data().toString(), u"1, 2, 3"_s);
    EXPECT_EQ(model.index(1, BookParcelsModel::Count).data().toString(), u"150"_s);
    EXPECT_TRUE(model.index(1, BookParcelsModel::Corners).data().toString().endsWith(u"7, …"_s));
    model.setFilter(u"1"_s);
    EXPECT_EQ(model.rowCount(), 1);
}

// ---- The picker ----

class PickerTest : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        openWindow(&host);
    }
    PointPicker* pick(const QString& filter = {}) {
        return PointPicker::open(
            box, [this](const BookPoint& p) { chosen = p; }, filter);
    }
    QWidget host;
    QLineEdit* box = new QLineEdit(&host);
    std::optional<BookPoint> chosen;
};

TEST_F(PickerTest, TypingFiltersUpAndDownMoveEnterChooses) {
    start(bookOf({point(1, "A"), point(10, "B"), point(11, "C"), point(20, "D")}));
    QPointer<PointPicker> picker = pick();
    EXPECT_EQ(QApplication::focusWidget(), picker->filterLine());
    QTest::keyClicks(picker->filterLine(), "1");
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up})
        QTest::keyClick(picker->filterLine(), key);
    EXPECT_FALSE(chosen);
    QTest::keyClick(picker->filterLine(), Qt::Key_Return);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->number, 10);
    EXPECT_FALSE(picker && picker->isVisible());
}

TEST_F(PickerTest, EscapeAClickOutsideOrAnEmptyBookCloseWithoutChoosing) {
    QPointer<PointPicker> picker = pick(u"B"_s);
    EXPECT_EQ(picker->list()->model()->rowCount(), 1);
    QTest::keyClick(picker->filterLine(), Qt::Key_Escape);
    EXPECT_FALSE(picker && picker->isVisible());
    picker = pick();
    // Qt gives a popup the presses outside it, as a real click outside.
    QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(-5, picker->height() + 5));
    EXPECT_FALSE(picker && picker->isVisible());
    start({});
    picker = pick();
    EXPECT_TRUE(picker->emptyNote()->isVisible());
    EXPECT_FALSE(picker->list()->isVisible());
    QTest::keyClick(picker, Qt::Key_Return);
    EXPECT_FALSE(picker && picker->isVisible());
    EXPECT_FALSE(chosen);
}

}  // namespace
