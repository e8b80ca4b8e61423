// 座標面積 driven through its real controls.
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
        ASSERT_EQ(boxes.boxes().size(), 1);
        EXPECT_EQ(boxes.boxes()[0].prompt, kInputError);
        EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("注意"));
        EXPECT_EQ(boxes.boxes()[0].style, 16);
    }
    // Lines in the result file: a record has one per corner and four more.
    qsizetype lineCount() const { return decodedFile(desktop, kFile).count(QStringLiteral("\r\n")); }
};

TEST_F(ZamenTest, OpensWithNoCornersAndNumberOne) {
    EXPECT_EQ(screenTexts(), (QStringList{"", "", "1", ""}));
}

TEST_F(ZamenTest, NothingClippedOrOverlapping) {
    QList<QWidget*> controls{w->Picture1, w->Text1, w->Text2, w->Label2, w->Label3, w->Label4,
                             w->Label5, w->Label6, w->Command1, w->Command2, w->Command3,
                             w->Command4, w->Command5};
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

}  // namespace

namespace {

struct ZamenFrame : FrameCase<座標面積> {
    static inline const QStringList tabOrder{"Text1", "Text2", "Command1", "Command2", "Command3", "Command4", "Command5"};
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
