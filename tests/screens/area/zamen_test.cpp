// 座標面積 driven through its real controls.
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include "screens/area/ParcelDrawing.h"
#include "screens/area/ZamenScreen.h"
#include "support/FileScreenFrame.h"

namespace {

const QString kFile = QStringLiteral("座標面積DATA.TXT");
const QString kInputError = QStringLiteral("入力されていないデータがあるか、データが適切ではありません。");

class ZamenTest : public ScreenTest {
protected:
    座標面積* w = nullptr;
    void SetUp() override { w = openWindow(new 座標面積); }

    // Types one corner, X then TAB then Y, and presses INPUT.
    void enterCorner(const QString& x, const QString& y) {
        typeInto(w->Text1, x);
        QTest::keyClick(w->Text1, Qt::Key_Tab);
        typeText(QApplication::focusWidget(), y);
        press(w->Command1);
    }
    void enterSquare() {
        enterCorner("0", "0");
        enterCorner("0", "10");
        enterCorner("10", "10");
        enterCorner("10", "0");
    }
    QStringList screenTexts() const {
        return {w->Text1->text(), w->Text2->text(), w->Label2->text(), w->Label4->text()};
    }
    void expectInputError() {
        require(boxes.boxes().size() == 1, std::to_string(boxes.boxes().size()) + " message boxes, not one");
        EXPECT_EQ(boxes.boxes()[0].prompt, kInputError);
        EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("注意"));
        EXPECT_EQ(boxes.boxes()[0].style, 16);
    }
    // Lines in the result file: a record has one per corner and four more.
    qsizetype lineCount() const { return decodedFile(desktop, kFile).count(QStringLiteral("\r\n")); }
};

TEST_F(ZamenTest, OpensWithNoCornersAndNumberOne) { EXPECT_EQ(screenTexts(), (QStringList{"", "", "1", ""})); }

TEST_F(ZamenTest, NothingClippedOrOverlapping) {
    QList<QWidget*> controls{w->Picture1, w->Text1,    w->Text2,    w->Label2,   w->Label3,   w->Label4,  w->Label5,
                             w->Label6,   w->Command1, w->Command2, w->Command3, w->Command4, w->Command5};
    // The widest number the area label may have to show.
    w->Label4->setText(QStringLiteral("1.23456789012346E+15"));
    EXPECT_LE(w->Label4->sizeHint().width(), w->Label4->width());
    w->Label2->setText(QStringLiteral("10002"));
    EXPECT_LE(w->Label2->sizeHint().width(), w->Label2->width());
    for (int i = 0; i < controls.size(); ++i) {
        const QRect a = controls[i]->geometry();
        EXPECT_TRUE(w->rect().contains(a)) << controls[i]->objectName().toStdString();
        for (int j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(a.intersects(controls[j]->geometry()))
                << controls[i]->objectName().toStdString() << " / " << controls[j]->objectName().toStdString();
    }
}

TEST_F(ZamenTest, SquareInEitherOrderGivesTheSameAreaBoxAndRecord) {
    enterCorner("0", "0");
    // After INPUT the boxes keep their text, and X is selected for retyping.
    EXPECT_EQ(screenTexts(), (QStringList{"0", "0", "2", ""}));
    EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    EXPECT_EQ(w->Text1->selectedText(), QStringLiteral("0"));
    enterCorner("0", "10");
    enterCorner("10", "10");
    enterCorner("10", "0");
    EXPECT_EQ(w->Label2->text(), QStringLiteral("5"));
    EXPECT_TRUE(boxes.boxes().isEmpty());

    press(w->Command2);
    EXPECT_EQ(w->Label4->text(), QStringLiteral("100"));
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].prompt, QStringLiteral("面積 = 100 ㎡"));
    EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("計算結果"));
    EXPECT_EQ(boxes.boxes()[0].style, 0);
    EXPECT_TRUE(w->Timer1->isActive());
    EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    EXPECT_EQ(decodedFile(desktop, kFile),
              crlf({separatorLine(), "--座標面積計算--", " 1 X 座標  0   Y 座標  0 ", " 2 X 座標  0   Y 座標  10 ",
                    " 3 X 座標  10   Y 座標  10 ", " 4 X 座標  10   Y 座標  0 ", "面積  100 ㎡", separatorLine()}));

    // Cleared without deleting, then the same corners the other way round.
    boxes.reset();
    boxes.answer(Module1::No);
    press(w->Command3);
    enterCorner("10", "0");
    enterCorner("10", "10");
    enterCorner("0", "10");
    enterCorner("0", "0");
    press(w->Command2);
    EXPECT_EQ(w->Label4->text(), QStringLiteral("100"));
    ASSERT_EQ(boxes.boxes().size(), 2);
    EXPECT_EQ(boxes.boxes()[1].prompt, QStringLiteral("面積 = 100 ㎡"));
}

// The instruction line starts before the computation, not after the user
// has closed the area box.
TEST_F(ZamenTest, TheLineMovesWhileTheAreaBoxIsUp) {
    enterSquare();
    bool moving = false;
    boxes.whileShown = [&] { moving = w->Timer1->isActive(); };
    press(w->Command2);
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_TRUE(moving);
}

TEST_F(ZamenTest, TheListSurvivesACalculationAndGrowsFurther) {
    enterSquare();
    press(w->Command2);
    press(w->Command2);
    // Twice the same area, and two records of four corners.
    ASSERT_EQ(boxes.boxes().size(), 2);
    EXPECT_EQ(boxes.boxes()[0].prompt, boxes.boxes()[1].prompt);
    EXPECT_EQ(lineCount(), 2 * 8);

    // One more corner, (5, -5), adds a triangle of 25 beyond the side Y = 0.
    enterCorner("5", "-5");
    EXPECT_EQ(w->Label2->text(), QStringLiteral("6"));
    EXPECT_EQ(w->Label4->text(), QStringLiteral("100"));  // until the next calculation
    press(w->Command2);
    EXPECT_EQ(w->Label4->text(), QStringLiteral("125"));
    EXPECT_EQ(boxes.boxes().last().prompt, QStringLiteral("面積 = 125 ㎡"));
    EXPECT_EQ(lineCount(), 2 * 8 + 9);
}

TEST_F(ZamenTest, ThreeCornersAreEnoughTwoAreRefusedAndForgotten) {
    enterCorner("1", "1");
    enterCorner("2", "2");
    press(w->Command2);
    expectInputError();
    EXPECT_EQ(screenTexts(), (QStringList{"", "", "1", ""}));
    EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_FALSE(desktop.exists(kFile));

    // The next INPUT is corner 1 again: the two above are gone.
    boxes.reset();
    enterCorner("0", "0");
    EXPECT_EQ(w->Label2->text(), QStringLiteral("2"));
    enterCorner("0", "4");
    enterCorner("3", "0");
    press(w->Command2);
    EXPECT_EQ(w->Label4->text(), QStringLiteral("6"));
    EXPECT_EQ(lineCount(), 7);
}

TEST_F(ZamenTest, AnEmptyBoxAtInputDiscardsTheWholeList) {
    enterSquare();
    press(w->Command2);
    ASSERT_EQ(w->Label4->text(), QStringLiteral("100"));
    const QByteArray written = desktop.bytes(kFile);

    for (const auto& [x, y] : {std::pair<QString, QString>{"5", ""}, {"", "5"}}) {
        enterCorner("20", "20");
        boxes.reset();
        enterCorner(x, y);
        expectInputError();
        EXPECT_EQ(screenTexts(), (QStringList{"", "", "1", ""}));
        EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    }
    // Nothing is left to calculate.
    boxes.reset();
    press(w->Command2);
    expectInputError();
    EXPECT_EQ(desktop.bytes(kFile), written);
}

TEST_F(ZamenTest, SignsLettersAndHalves) {
    enterCorner("-5", "-7.25");
    enterCorner("abc", "3");      // letters count as 0
    enterCorner("12.5m", "0.0");  // a number followed by letters counts as the number
    press(w->Command2);
    // Exactly 71.5625, rounded half to even.
    EXPECT_EQ(w->Label4->text(), QStringLiteral("71.562"));
    EXPECT_EQ(boxes.boxes().last().prompt, QStringLiteral("面積 = 71.562 ㎡"));
}

// Refusals that are no fault of the list's length keep the list and the
// boxes, with the focus in the box at fault.
TEST_F(ZamenTest, ValuesBeyondADoubleAreRefusedAndTheCornersKept) {
    enterCorner("0", "0");
    enterCorner("0", "10");
    enterCorner("5", "1e400");  // at INPUT
    expectInputError();
    EXPECT_EQ(screenTexts(), (QStringList{"5", "1e400", "3", ""}));
    EXPECT_EQ(QApplication::focusWidget(), w->Text2);
    EXPECT_EQ(w->Text2->selectedText(), QStringLiteral("1e400"));

    boxes.reset();
    enterCorner("1e308", "1e308");  // an area beyond a double, at calculate
    press(w->Command2);
    expectInputError();
    EXPECT_EQ(screenTexts(), (QStringList{"1e308", "1e308", "4", ""}));
    EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_FALSE(desktop.exists(kFile));
}

TEST_F(ZamenTest, ClearAsksOnlyWithAResultAndReturnsToTheLoadState) {
    // Corners entered, no result: nothing is asked, the list is emptied.
    enterSquare();
    press(w->Command3);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(screenTexts(), (QStringList{"", "", "1", ""}));
    EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    press(w->Command2);
    expectInputError();

    // With a result, and the instruction line moving.
    boxes.reset();
    enterSquare();
    press(w->Command2);
    const QByteArray written = desktop.bytes(kFile);
    ASSERT_FALSE(written.isEmpty());
    ASSERT_TRUE(w->Timer1->isActive());
    for (int i = 0; i < 3; ++i) w->Timer1_Timer();
    ASSERT_EQ(w->instructionLeft(), 690.0f);

    boxes.reset();
    boxes.answer(Module1::No);
    press(w->Command3);
    expectOnlyDeleteQuestion(boxes, QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ 座標面積DATA.txtファイルも削除しますか？"));
    EXPECT_EQ(desktop.bytes(kFile), written);
    EXPECT_EQ(screenTexts(), (QStringList{"", "", "1", ""}));
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_EQ(w->instructionLeft(), 840.0f);
    EXPECT_EQ(w->Label1->x(), pixels(840));
    EXPECT_EQ(QApplication::focusWidget(), w->Text1);
}

TEST_F(ZamenTest, The10002ndCornerIsRefusedAndTheListKept) {
    // The square, with its third corner entered 9998 times: the repeats add
    // nothing to the area. The bulk goes through the button's click(), the
    // same signal a mouse click sends (mouse events would take seconds).
    enterCorner("0", "0");
    enterCorner("0", "10");
    enterCorner("10", "10");
    for (int i = 0; i < 9997; ++i) w->Command1->click();
    enterCorner("10", "0");
    ASSERT_EQ(w->Label2->text(), QStringLiteral("10002"));
    ASSERT_TRUE(boxes.boxes().isEmpty());

    enterCorner("50", "50");
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].style, 16);
    EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("注意"));
    EXPECT_TRUE(boxes.boxes()[0].prompt.contains(QStringLiteral("10001点")));
    EXPECT_EQ(screenTexts(), (QStringList{"50", "50", "10002", ""}));

    // Nor is an empty box at INPUT allowed to throw the full list away.
    boxes.reset();
    enterCorner("", "50");
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_TRUE(boxes.boxes()[0].prompt.contains(QStringLiteral("10001点")));
    EXPECT_EQ(w->Label2->text(), QStringLiteral("10002"));

    // The stored corners are intact: (50, 50) did not replace or join them.
    press(w->Command2);
    EXPECT_EQ(w->Label4->text(), QStringLiteral("100"));
    EXPECT_EQ(lineCount(), 10001 + 4);
}

// ---- Corners from outside, and the drawing ---------------------------------------

class ZamenImportTest : public ZamenTest {
protected:
    // Pastes `text` into Text1 with the keys, answering the question with `reply`.
    void paste(const QString& text, int reply = Module1::Yes) {
        QGuiApplication::clipboard()->setText(text);
        if (reply >= 0) boxes.answer(reply);
        w->Text1->setFocus();
        QTest::keySequence(w->Text1, QKeySequence::Paste);
    }
    void drop(const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }
    // 区画図 has no meta-object of its own: it is found by its name.
    区画図* drawing() const { return dynamic_cast<区画図*>(w->findChild<QWidget*>(QStringLiteral("区画図"))); }
    QString drawn() const { return drawing() ? drawing()->accessibleDescription() : QStringLiteral("none"); }
};

TEST_F(ZamenImportTest, APastedTableIsAskedForThenTakenAsThatManyInputs) {
    paste(QStringLiteral("点名\tX\tY\r\nK1\t0\t0\r\nK2\t０\t１０\r\nK3\t10\t10\r\nK4\t10\t0\r\n"));
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].prompt, QStringLiteral("4 点の座標を入力しますか？"));
    EXPECT_EQ(boxes.boxes()[0].style, Module1::YesNo);
    EXPECT_EQ(screenTexts(), (QStringList{"10", "0", "5", ""}));
    EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    EXPECT_EQ(drawn(), QStringLiteral("4 点"));
    EXPECT_TRUE(drawing()->isVisible());

    // Ctrl+Z in a box takes the last corner back; the drawing follows.
    QTest::keySequence(w->Text1, QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(w->Label2->text(), QStringLiteral("4"));
    EXPECT_EQ(drawn(), QStringLiteral("3 点"));
    enterCorner("10", "0");
    boxes.reset();
    press(w->Command2);
    EXPECT_EQ(w->Label4->text(), QStringLiteral("100"));
    EXPECT_EQ(drawn(), QStringLiteral("4 点、面積 = 100 ㎡"));

    // C L S empties the drawing with the list; a bow-tie pasted then is flagged.
    boxes.answer(Module1::No);
    press(w->Command3);
    EXPECT_EQ(drawn(), QStringLiteral("0 点"));
    paste(QStringLiteral("0,0\n0,10\n10,0\n10,10\n"));
    EXPECT_TRUE(drawn().endsWith(QStringLiteral("辺が交差しています"))) << drawn().toStdString();
}

TEST_F(ZamenImportTest, APasteThatCannotBeTakenWholeAddsNothing) {
    enterCorner("1", "2");
    struct Row {
        const char* text;
        int choice;  // of 追加, 置き換え, キャンセル, when asked
        const char* message;
    };
    const Row rows[] = {
        {"0 0\n5 5\nabc\n", -1, "3 行目を座標として読めません：「abc」（X が数値ではありません）"},
        {"0 0\n1e400 5\n", -1, "2 行目を座標として読めません：「1e400 5」（X が大きすぎます）"},
        {"0 0\n5 5\n", 2, nullptr},
    };
    for (const Row& r : rows) {
        boxes.reset();
        QGuiApplication::clipboard()->setText(QString::fromUtf8(r.text));
        if (r.choice >= 0) boxes.choose(r.choice);
        QTest::keySequence(w->Text1, QKeySequence::Paste);
        ASSERT_EQ(boxes.boxes().size(), 1) << r.text;
        if (r.message) {
            EXPECT_EQ(boxes.boxes()[0].prompt, QString::fromUtf8(r.message));
        }
        EXPECT_EQ(w->Label2->text(), QStringLiteral("2"));
    }
    // One line is no table: the box takes it as typed.
    boxes.reset();
    typeInto(w->Text1, "");
    QGuiApplication::clipboard()->setText(QStringLiteral("123.5\n"));
    QTest::keySequence(w->Text1, QKeySequence::Paste);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(w->Text1->text(), QStringLiteral("123.5"));

    // More corners than the list can still hold: refused when added to
    // it, taken when they replace it.
    for (int i = 1; i < 10000; ++i) w->Command1->click();
    boxes.choose(0);
    paste(QStringLiteral("0 0\n1 1\n"), -1);
    ASSERT_EQ(boxes.boxes().size(), 2);  // the question, then the refusal
    EXPECT_TRUE(boxes.boxes()[1].prompt.contains(QStringLiteral("10001点"))) << boxes.boxes()[1].prompt.toStdString();
    EXPECT_EQ(w->Label2->text(), QStringLiteral("10001"));
    boxes.reset();
    boxes.choose(1);
    paste(QStringLiteral("0 0\n1 1\n"), -1);
    EXPECT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(w->Label2->text(), QStringLiteral("3"));
}

TEST_F(ZamenImportTest, ADroppedSimaFileOffersItsParcels) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("現況.sim"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(
        survey::toCp932(
            "G00,01,現況\r\nA00,\r\nA01, 1,K1 , 0, 0, ,\r\nA01, 2,K2 , 0, 10, 5.1,\r\nA01, 3,K3 , 10, 10,,\r\n"
            "A99,\r\nD00,1,一番,\r\nB01,1,K1,\r\nB01,2,K2,\r\nB01,3,K3,\r\nD99,\r\n"
            "D00,2,二番,\r\nB01,3,K3,\r\nB01,1,K1,\r\nD99,\r\n")
            .bytes));
    file.close();

    boxes.choose(0);
    boxes.answer(Module1::Yes);
    drop(path);
    ASSERT_EQ(boxes.boxes().size(), 2);
    EXPECT_TRUE(boxes.boxes()[0].prompt.endsWith(QStringLiteral("1. 一番（3 点）\n2. 二番（2 点）")))
        << boxes.boxes()[0].prompt.toStdString();
    EXPECT_EQ(boxes.boxes()[1].prompt, QStringLiteral("区画「一番」の 3 点の座標を入力しますか？"));
    EXPECT_EQ(w->Label2->text(), QStringLiteral("4"));
    press(w->Command2);
    EXPECT_EQ(w->Label4->text(), QStringLiteral("50"));

    // A folder, and a file that is no text: told, nothing added.
    for (const QString& bad : {folder.path(), QCoreApplication::applicationFilePath()}) {
        boxes.reset();
        drop(bad);
        ASSERT_EQ(boxes.boxes().size(), 1);
        EXPECT_EQ(boxes.boxes()[0].style, 16);
        EXPECT_EQ(w->Label2->text(), QStringLiteral("4"));
    }
}

}  // namespace

namespace {

struct ZamenFrame : FrameCase<座標面積> {
    static constexpr std::size_t resultPoints = 3;  // the corners, as a parcel
    static inline const QStringList tabOrder{"Text1",    "Text2",    "Command1", "Command2",
                                             "Command3", "Command4", "Command5"};
    static constexpr const char* calculateButton = "Command2";
    static constexpr const char* clearButton = "Command3";
    static constexpr const char* exitButton = "Command5";
    static constexpr int boxesPerCalculation = 1;  // the area box

    static void corner(Screen* w, const QString& x, const QString& y) {
        fill(w, {{"Text1", x}, {"Text2", y}});
        press(w->Command1);
    }
    static void enterValid(Screen* w) {
        corner(w, "0", "0");
        corner(w, "0", "10");
        corner(w, "10", "10");
    }
    // Corners whose area leaves the range of a double.
    static void typeOverflow(Screen* w) {
        corner(w, "1e200", "0");
        corner(w, "0", "1e200");
    }
    // Two corners are no parcel.
    static void enterInvalid(Screen* w) {
        corner(w, "0", "0");
        corner(w, "0", "10");
    }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(座標面積, FileScreenFrame, ZamenFrame);

namespace {

// 座標面積 with the book of points, and what a paste or a file now asks.
using ZamenBookTest = ZamenImportTest;

TEST_F(ZamenBookTest, ATableIntoAFilledListIsAddedOrReplacesItAndTheAreaGoes) {
    struct Row {
        int choice;  // 追加, 置き換え, キャンセル
        QString label2;
    };
    for (const Row& row : {Row{2, "5"}, Row{0, "7"}, Row{1, "3"}}) {
        SCOPED_TRACE(row.choice);
        w->reload();
        enterSquare();
        press(w->Command2);  // the area of the square
        ASSERT_FALSE(w->Label4->text().isEmpty());
        boxes.reset();
        boxes.choose(row.choice);
        paste(QStringLiteral("20 20\n30 30\n"), -1);
        ASSERT_EQ(boxes.boxes().size(), 1);
        EXPECT_EQ(boxes.boxes()[0].prompt.section(u'\n', 0, 0),
                  QStringLiteral("入力済みの 4 点のあとに 2 点を追加しますか？"));
        EXPECT_EQ(w->Label2->text(), row.label2);
        EXPECT_EQ(w->Label4->text().isEmpty(), row.choice != 2);
    }
}

TEST_F(ZamenBookTest, CtrlZUndoesTypingFirstThenTakesTheLastCorner) {
    enterCorner("1", "2");
    typeInto(w->Text1, "57");
    QTest::keyClick(w->Text1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w->Text1->text(), QStringLiteral("1"));  // the typing undone, the corner kept
    EXPECT_EQ(w->Label2->text(), QStringLiteral("2"));
    w->Text1->setText(QString());  // no typing to undo
    QTest::keyClick(w->Text1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w->Label2->text(), QStringLiteral("1"));
}

TEST_F(ZamenBookTest, OpenColumnsAreAskedFor) {
    boxes.assignColumns({1, 3, 4});  // 点番, X, Y
    paste(QStringLiteral("1 100 200\n2 100 300\n3 200 300\n"));
    ASSERT_EQ(boxes.boxes().size(), 2);
    EXPECT_EQ(boxes.boxes()[0].style, -4);
    EXPECT_EQ(boxes.boxes()[1].prompt, QStringLiteral("3 点の座標を入力しますか？"));
    EXPECT_EQ(screenTexts(), (QStringList{"200", "300", "4", ""}));  // the last corner
}

TEST_F(ZamenBookTest, AParcelOfTheBookInAndTheCornersBackAsAParcel) {
    Book& book = Book::instance();
    book.putPoints({{1, "K1", 0, 0, {}}, {2, "K2", 0, 10, {}}, {3, "K3", 10, 10, {}}});
    book.addParcel({1, "一番", {1, 2, 3}});
    boxes.choose(0);
    boxes.answer(Module1::Yes);
    QTest::keyClick(w, Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(boxes.boxes().value(1).prompt, QStringLiteral("区画「一番」の 3 点の座標を入力しますか？"));
    EXPECT_EQ(screenTexts(), (QStringList{"10", "10", "4", ""}));
    // One corner more, and the list back into the book as a parcel.
    enterCorner("10", "0");
    boxes.reset();
    boxes.giveText(QStringLiteral("二番"));
    QTest::keyClick(w, Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(book.parcels().size(), 2u);
    EXPECT_EQ(book.parcels()[1], (survey::BookParcel{2, "二番", {1, 2, 3, 4}}));
    EXPECT_EQ(book.find(4)->name, "二番-1");
    book.undoStack()->undo();  // one step
    EXPECT_EQ(book.parcels().size(), 1u);
    EXPECT_EQ(book.find(4), nullptr);
}

}  // namespace
