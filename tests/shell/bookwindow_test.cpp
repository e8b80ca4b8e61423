// 座標簿, the book window: its keys, its tables and its life beside the screens.
#include "shell/BookWindow.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>

#include "frame/Book.h"
#include "frame/BookModels.h"
#include "screens/points/HouScreen.h"
#include "shell/Windows.h"
#include "support/ScreenTest.h"

namespace {

using Numbers = std::vector<survey::PointNumber>;

class BookWindowTest : public ScreenTest {
protected:
    void SetUp() override {
        book.reset();
        std::vector<survey::BookPoint> points;
        for (const int n : {1, 2, 3, 12}) points.push_back({n, std::string(1, char('A' + n)), n * 0.1, 0, {}});
        book.putPoints(points);
        book.undoStack()->clear();
        window = openWindow(showOnce<座標簿>());
        table = window->PointTable;
        table->setFocus();
    }
    void TearDown() override {
        ScreenTest::TearDown();
        book.reset();
    }
    Numbers shown() const {
        Numbers numbers;
        const auto* model = static_cast<const BookPointsModel*>(table->model());
        for (int row = 0; row < model->rowCount(); ++row) numbers.push_back(model->point(row).number);
        return numbers;
    }
    QModelIndex cell(int row, int column = 0) const { return table->model()->index(row, column); }
    // Opens the editor of a cell, as F2 does, and returns it.
    QWidget* edit(int row, int column) {
        table->setCurrentIndex(cell(row, column));
        QTest::keyClick(table, Qt::Key_F2);
        return QApplication::focusWidget();
    }

    Book& book = Book::instance();
    座標簿* window = nullptr;
    QTableView* table = nullptr;
};

TEST_F(BookWindowTest, CtrlFPutsTheFocusInTheFilterAndAScreenReaderReadsTheTable) {
    QTest::keyClick(table, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), window->Filter);
    typeText(window->Filter, QStringLiteral("1"));
    EXPECT_EQ(shown(), (Numbers{1, 12}));

    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(table);
    ASSERT_TRUE(reader && reader->tableInterface());
    EXPECT_FALSE(reader->text(QAccessible::Name).isEmpty());
    EXPECT_EQ(reader->tableInterface()->columnDescription(1), table->model()->headerData(1, Qt::Horizontal));
    // The numbers as the program shows them; no Z, no text.
    QStringList texts;
    for (int column = 0; column < BookPointsModel::kColumns; ++column)
        texts << reader->tableInterface()->cellAt(1, column)->text(QAccessible::Name);
    EXPECT_EQ(texts, (QStringList{"12", "M", "1.2", "0", ""}));
}

TEST_F(BookWindowTest, DeleteRemovesTheSelectedPointsAndTheKeysUndoAndRedoFromAnywhere) {
    table->setCurrentIndex(cell(2));
    table->selectionModel()->select(cell(0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(table, Qt::Key_Delete);
    EXPECT_EQ(shown(), (Numbers{2, 12}));
    EXPECT_EQ(table->currentIndex().row(), 1);  // the point after the one gone

    // In the filter box and in a cell's editor, Ctrl+Z is the book's, not the box's.
    typeInto(window->Filter, QStringLiteral(" "));
    QTest::keyClick(window->Filter, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown(), (Numbers{1, 2, 3, 12}));
    QTest::keyClick(window->Filter, Qt::Key_Z, Qt::ControlModifier);  // nothing left to undo
    EXPECT_EQ(window->Filter->text(), QStringLiteral(" "));
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(shown(), (Numbers{2, 12}));
    QWidget* editor = edit(0, BookPointsModel::Name);
    QTest::keyClicks(editor, "x");
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown(), (Numbers{1, 2, 3, 12}));
}

// Insert asks for a point as one line; a taken number asks before it replaces.
TEST_F(BookWindowTest, InsertTakesATypedPoint) {
    struct Row {
        const char* typed;
        int taken;  // the answer about a taken number
        Numbers after;
        const char* name;  // of point 20, or of point 1
    };
    const Row rows[] = {
        {"20,新点,1.5,2.5", 0, {1, 2, 3, 12, 20}, "新点"},
        {"1,X,0,0", Module1::No, {1, 2, 3, 12}, "B"},
        {"1,X,0,0", Module1::Yes, {1, 2, 3, 12}, "X"},
        {"x,新点,1,2", 0, {1, 2, 3, 12}, nullptr},  // refused with a message
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        while (book.undoStack()->canUndo()) book.undoStack()->undo();
        boxes.reset();
        boxes.giveText(QString::fromUtf8(row.typed));
        if (row.taken) boxes.answer(row.taken);
        QTest::keyClick(table, Qt::Key_Insert);
        ASSERT_GE(boxes.boxes().size(), 1);
        EXPECT_EQ(boxes.boxes()[0].prompt.section(u'\n', 1), QStringLiteral("13,"));  // the next free number offered
        EXPECT_EQ(shown(), row.after);
        if (row.name) EXPECT_EQ(book.find(row.after.back() == 20 ? 20 : 1)->name, row.name);
        else EXPECT_EQ(boxes.boxes().back().style, Module1::Critical);
    }
}

// A point a parcel uses goes from the parcel too, when the user says so.
TEST_F(BookWindowTest, DeletingAParcelsCornerAsksFirst) {
    book.addParcel({1, "宅地", {1, 3, 12}});
    for (const int answer : {Module1::No, Module1::Yes}) {
        boxes.reset();
        boxes.answer(answer);
        table->setCurrentIndex(cell(2));  // point 3
        QTest::keyClick(table, Qt::Key_Delete);
        ASSERT_EQ(boxes.boxes().size(), 1);
        EXPECT_EQ(shown(), answer == Module1::Yes ? (Numbers{1, 2, 12}) : (Numbers{1, 2, 3, 12}));
        EXPECT_EQ(book.parcels()[0].corners, answer == Module1::Yes ? (Numbers{1, 12}) : (Numbers{1, 3, 12}));
    }
}

// A registration from a screen leaves the user where they were, the
// current point out of sight included.
TEST_F(BookWindowTest, AChangeOfTheBookKeepsTheCurrentPointAndTheScrolling) {
    std::vector<survey::BookPoint> many;
    for (int n = 100; n < 400; ++n) many.push_back({n, "", 0, 0, {}});
    book.putPoints(many);
    table->setCurrentIndex(cell(10, BookPointsModel::Y));
    table->scrollTo(cell(200), QAbstractItemView::PositionAtCenter);
    const int scrolled = table->verticalScrollBar()->value();
    book.putPoints({{5, "", 0, 0, {}}, {500, "", 0, 0, {}}});
    EXPECT_EQ(table->verticalScrollBar()->value(), scrolled);
    EXPECT_EQ(table->currentIndex(), cell(11, BookPointsModel::Y));
}

TEST_F(BookWindowTest, ADoubleClickOrEnterHandsThePointOver) {
    QSignalSpy chosen(&book, &Book::pointChosen);
    const QPoint second = table->visualRect(cell(1, BookPointsModel::X)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(table->viewport()->findChild<QLineEdit*>(), nullptr);  // no editor opened
    table->setCurrentIndex(cell(3));
    QTest::keyClick(table, Qt::Key_Return);
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(chosen[0][0].value<survey::BookPoint>().number, 2);
    EXPECT_EQ(chosen[1][0].value<survey::BookPoint>().number, 12);
}

TEST_F(BookWindowTest, StaysOpenWhileScreensComeAndGoAndOpensOnce) {
    QPointer<座標簿> first = window;
    openWindow(new 方向距離)->close();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(showOnce<座標簿>(), first.data());
}

TEST_F(BookWindowTest, ATakenNumberIsAskedAndReplacedOnYes) {
    boxes.answer(Module1::Yes);
    QWidget* editor = edit(0, BookPointsModel::Number);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, "3");
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(20);  // the editor commits, then the question comes
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].prompt, QStringLiteral("点番 3 はすでにあります。置き換えますか？"));
    EXPECT_EQ(boxes.boxes()[0].style, Module1::YesNo);
    EXPECT_EQ(shown(), (Numbers{2, 3, 12}));
    EXPECT_EQ(book.find(3)->name, "B");  // point 1 under its new number
}

}  // namespace
