// The book of points as the screens use it: F4 and the book window fill a
// coordinate pair, Ctrl+R registers the results, the files go in and out,
// the program's end asks about a changed book, and the recovery copy.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <memory>

#include "frame/BookFiles.h"
#include "frame/PointPicker.h"
#include "screens/points/DivideScreen.h"
#include "screens/points/HouScreen.h"
#include "screens/points/KouScreen.h"
#include "screens/points/RenzaScreen.h"
#include "support/ScreenTest.h"
#include "survey/cp932.h"

namespace {

using survey::BookPoint;

class BookUseTest : public ScreenTest {
protected:
    void SetUp() override {
        Book::instance().putPoints({{1, "K1", 100, 200, {}}, {2, "K2", 300.5, -400.25, 12.5}, {15, "T1", 0, 0, {}}});
    }
    // The points of the book as number and name.
    static QStringList names() {
        QStringList out;
        for (const BookPoint& p : Book::instance().points())
            out << QString::number(p.number) + u' ' + QString::fromStdString(p.name);
        return out;
    }
    QString write(const QString& name, const std::string& utf8) {
        const QString path = desktop.file(name);
        QDir().mkpath(desktop.folder());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray::fromStdString(survey::toCp932(utf8).bytes));
        return path;
    }
};

TEST_F(BookUseTest, F4InEitherBoxFillsThePairAndMovesOn) {
    auto* w = openWindow(new 方向距離);
    for (QLineEdit* box : {w->Text3, w->Text4}) {
        SCOPED_TRACE(box->objectName().toStdString());
        w->Text3->clear();
        w->Text4->clear();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_F4);
        auto* picker = dynamic_cast<PointPicker*>(QApplication::activePopupWidget());
        ASSERT_NE(picker, nullptr);
        QTest::keyClicks(picker->filterLine(), "K2");
        QTest::keyClick(picker->filterLine(), Qt::Key_Return);
        EXPECT_EQ(textsOf({w->Text1, w->Text2, w->Text3, w->Text4}), (QStringList{"", "", "300.5", "-400.25"}));
        EXPECT_EQ(QApplication::focusWidget(), w->Command1);  // the box after the pair
    }
}

TEST_F(BookUseTest, APointChosenInTheBookFillsThePairUsedLast) {
    auto* w = openWindow(new 交点);
    w->Text6->setFocus();     // B's Y
    w->Command1->setFocus();  // the focus may have moved on since
    Book::instance().choose(*Book::instance().find(15));
    EXPECT_EQ(textsOf({w->Text1, w->Text2, w->Text5, w->Text6}), (QStringList{"", "", "0", "0"}));
    w->Text1->setFocus();
    Book::instance().choose(*Book::instance().find(1));
    EXPECT_EQ(textsOf({w->Text1, w->Text2}), (QStringList{"100", "200"}));
}

TEST_F(BookUseTest, CtrlRRegistersTheResultsUnderANameAskedOnce) {
    auto* w = openWindow(new 交点);
    // Nothing calculated yet: nothing to register.
    QTest::keyClick(w, Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].style, Module1::Information);
    boxes.reset();
    typeWithTab(w->Text1, {"0", "0", "45", "100", "0", "135"});
    press(w->Command1);
    for (const auto& [given, offered] : {std::pair{"交点1", "交点1"}, std::pair{"南の角", "交点2"}}) {
        boxes.reset();
        boxes.giveText(QString::fromUtf8(given));
        QTest::keyClick(w, Qt::Key_R, Qt::ControlModifier);
        ASSERT_EQ(boxes.boxes().size(), 2);
        EXPECT_TRUE(boxes.boxes()[0].prompt.endsWith(u'\n' + QString::fromUtf8(offered)));
    }
    const BookPoint& first = Book::instance().points().end()[-2];
    const BookPoint& second = Book::instance().points().back();
    EXPECT_EQ((std::pair{first.number, first.name}), (std::pair{survey::PointNumber(16), std::string("交点1")}));
    EXPECT_EQ((std::pair{second.number, second.name}), (std::pair{survey::PointNumber(17), std::string("南の角")}));
    EXPECT_EQ((std::pair{first.x, first.y}), (std::pair{50.0, 50.0}));                   // as shown
    EXPECT_EQ(ResultPoints::nextName(QStringLiteral("交点")), QStringLiteral("交点2"));  // 南の角 counts for none
    Book::instance().undoStack()->undo();
    EXPECT_EQ(Book::instance().points().size(), 4u);
}

TEST_F(BookUseTest, ListsOfPointsRegisterAsTheFileHasThem) {
    auto* renza = openWindow(new 連続座標計算);
    typeWithTab(renza->Text1, {"0", "0", "90", "10"});
    press(renza->Command1);
    typeInto(renza->Text3, "180");
    press(renza->Command1);
    boxes.reset();
    boxes.giveText(QStringLiteral("道"));
    QTest::keyClick(renza, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(names().mid(3), (QStringList{"16 道-1", "17 道-2"}));
    EXPECT_EQ((std::pair{Book::instance().find(17)->x, Book::instance().find(17)->y}), (std::pair{-10.0, 10.0}));
    // Registered once: the chain starts a new list.
    boxes.reset();
    QTest::keyClick(renza, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(boxes.boxes().value(0).style, Module1::Information);
    renza->close();

    auto* divide = openWindow(new 分割);
    typeWithTab(divide->Text1, {"0", "0", "90", "0", "3"});
    press(divide->Command1);
    boxes.reset();
    boxes.giveText(QStringLiteral("分割1"));
    QTest::keyClick(divide, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(names().mid(5), (QStringList{"18 分割1-1", "19 分割1-2"}));
    EXPECT_EQ(Book::instance().find(19)->x, 60.0);
}

TEST_F(BookUseTest, FilesOpenAddOrReplaceAndSaveWhole) {
    const QString sima = write(QStringLiteral("現況.sim"),
                               "G00,01,現況,\r\nA01,1,K1,100,200,,\r\nA01,3,K3,5,6,7,\r\n"
                               "D00,1,一番,1,\r\nB01,1,,\r\nB01,3,,\r\nD99,\r\n");
    struct Row {
        int choice;  // 追加, 置き換え, キャンセル
        int taken;   // the answer about point 1, when adding
        QStringList after;
        std::size_t parcels;  // the file's parcel needs the file's point 1
    };
    const Row rows[] = {
        {2, 0, {"1 K1", "2 K2", "15 T1"}, 0},
        {0, Module1::No, {"1 K1", "2 K2", "3 K3", "15 T1"}, 0},
        {0, Module1::Yes, {"1 K1", "2 K2", "3 K3", "15 T1"}, 1},
        {1, 0, {"1 K1", "3 K3"}, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.choice);
        Book::instance().reset();
        Book::instance().putPoints({{1, "K1", 1, 1, {}}, {2, "K2", 2, 2, {}}, {15, "T1", 0, 0, {}}});
        Book::instance().markSaved(QString());
        boxes.reset();
        boxes.choose(row.choice);
        if (row.taken) boxes.answer(row.taken);
        BookFiles::open(sima);
        EXPECT_EQ(names(), row.after);
        EXPECT_EQ(Book::instance().parcels().size(), row.parcels);
        const bool toldLeftOut =
            !boxes.boxes().isEmpty() && boxes.boxes().back().prompt.contains(QStringLiteral("読み込みませんでした"));
        EXPECT_EQ(toldLeftOut, row.taken == Module1::No);
    }
    EXPECT_EQ(Book::instance().filePath(), QFileInfo(sima).absoluteFilePath());
    EXPECT_FALSE(Book::instance().isModified());
    EXPECT_EQ(Book::instance().parcels().size(), 1u);

    // Saved as SIMA under a new name: the bytes read back as the same book.
    const QString saved = desktop.file(QStringLiteral("保存"));
    boxes.giveFile(saved);
    ASSERT_TRUE(BookFiles::saveAs());
    QFile file(saved + QStringLiteral(".sim"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith(QByteArray::fromStdString(survey::toCp932("G00,01,現況,\r\n").bytes)));
    EXPECT_EQ(Book::instance().filePath(), saved + QStringLiteral(".sim"));
}

// Ctrl+S writes over a SIMA or CSV file only, and a CSV, which holds no
// parcels, leaves a book with parcels changed after a question.
TEST_F(BookUseTest, SavingKeepsWhatTheFileCannotHoldToBeSaved) {
    const QString table = write(QStringLiteral("点.txt"), "K1 10 20\r\nK2 30 40\r\n");
    boxes.choose(1);            // in place of the book,
    boxes.answer(Module1::No);  // not saved
    BookFiles::open(table);
    ASSERT_EQ(Book::instance().filePath(), QFileInfo(table).absoluteFilePath());
    boxes.reset();
    boxes.giveFile(QString());  // the name asked for, and cancelled
    EXPECT_FALSE(BookFiles::save());
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(QDir::toNativeSeparators(boxes.boxes()[0].prompt.section(u'\n', 0, 0)),
              desktop.file(QStringLiteral("点.sim")));  // the name offered

    Book::instance().addParcel({1, "宅地", {1, 2}});
    const QString csv = desktop.file(QStringLiteral("点.csv"));
    for (const int answer : {Module1::No, Module1::Yes}) {
        boxes.reset();
        boxes.giveFile(csv);
        boxes.answer(answer);
        EXPECT_EQ(BookFiles::saveAs(), answer == Module1::Yes);
        EXPECT_EQ(QFile::exists(csv), answer == Module1::Yes);
        EXPECT_TRUE(Book::instance().isModified());
    }
}

TEST_F(BookUseTest, TheEndAsksAboutAChangedBookFirst) {
    auto* w = openWindow(new 方向距離);
    struct Row {
        int answer;
        int ends;
    };
    for (const Row& row : {Row{Module1::Cancel, 0}, Row{Module1::No, 1}}) {
        boxes.reset();
        boxes.answer(row.answer);
        press(w->Command4);
        ASSERT_EQ(boxes.boxes().size(), 1);
        EXPECT_EQ(boxes.boxes()[0].prompt, QStringLiteral("座標簿の変更を保存しますか？"));
        EXPECT_EQ(boxes.boxes()[0].style, Module1::YesNoCancel);
        EXPECT_EQ(boxes.ends(), row.ends);
    }
}

TEST_F(BookUseTest, ClosingTheLastWindowAsksAndCancelKeepsItOpen) {
    const std::unique_ptr<QObject> guard(BookFiles::askBeforeTheLastWindowCloses());
    auto* w = openWindow(new 方向距離);
    boxes.answer(Module1::Cancel);
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].prompt, QStringLiteral("座標簿の変更を保存しますか？"));
    // With a second window open, closing one is no end: nothing asked.
    boxes.reset();
    auto* other = openWindow(new 交点);
    EXPECT_TRUE(other->close());
    EXPECT_TRUE(boxes.boxes().isEmpty());
}

TEST_F(BookUseTest, ARecoveryCopyIsOfferedAndTakenAsUnsaved) {
    BookFiles::writeRecoveryCopy();
    ASSERT_TRUE(QFile::exists(BookFiles::recoveryPath()));
    const QStringList before = names();
    Book::instance().reset();
    boxes.answer(Module1::Yes);
    BookFiles::offerRecovery();
    EXPECT_EQ(names(), before);
    EXPECT_TRUE(Book::instance().isModified());
    // Declined, the copy goes.
    boxes.answer(Module1::No);
    BookFiles::offerRecovery();
    EXPECT_FALSE(QFile::exists(BookFiles::recoveryPath()));
}

}  // namespace
