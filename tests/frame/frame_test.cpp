// The frame's behaviour shared by every screen, seen on the two first screens.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <memory>

#include "frame/Navigation.h"
#include "screens/points/HouScreen.h"
#include "screens/points/TanzaScreen.h"
#include "support/FileScreenFrame.h"

namespace {

using FrameTest = ScreenTest;

// A window with a calculation on each page of a tab control: the sum of two
// numbers, with its own boxes and buttons.
class TwoPages : public CalcWindow {
public:
    struct Sum : Calculation {
        Sum(CalcWindow* host, QWidget* sheet, int firstBox, int firstButton) : Calculation(host, sheet) {
            a = textBox(QStringLiteral("Text%1").arg(firstBox), 120, 120);
            b = textBox(QStringLiteral("Text%1").arg(firstBox + 1), 120, 600);
            sum = resultLabel(QStringLiteral("Label%1").arg(firstBox), 120, 1080, 1575);
            buttons = standardButtons(firstButton, QStringLiteral("M E N U"), 2400, 120);
            wireButtons(buttons);
            setClearedFields({a, b, sum});
            setShownFields({a, b, sum});
        }
        bool acceptsInput() const override { return numbersNotAllZero({a, b}); }
        Outcome compute() override {
            sum->setText(shown(value(a) + value(b)));
            return recorded({});
        }
        TextBox *a, *b;
        QLabel* sum;
        Buttons buttons;
    };

    TwoPages() : CalcWindow(QStringLiteral("TwoPages"), QStringLiteral("TwoPages"), 6000, 3600) {
        tabs = new QTabWidget(this);
        tabs->setGeometry(0, 0, width(), height());
        auto* first = new QWidget;
        auto* second = new QWidget;
        tabs->addTab(first, QStringLiteral("一"));
        tabs->addTab(second, QStringLiteral("二"));
        pages[0] = std::make_unique<Sum>(this, first, 1, 1);
        pages[1] = std::make_unique<Sum>(this, second, 3, 5);
        centre();
    }
    QTabWidget* tabs;
    std::unique_ptr<Sum> pages[2];
};

TEST_F(FrameTest, CalculationsOnTabPagesKeepToTheirOwnPage) {
    auto* w = openWindow(new TwoPages);
    TwoPages::Sum& one = *w->pages[0];
    TwoPages::Sum& two = *w->pages[1];
    EXPECT_EQ(one.a->parentWidget(), w->tabs->widget(0));
    EXPECT_EQ(two.buttons.calculate->objectName(), QStringLiteral("Command5"));
    typeInto(one.a, "1");
    typeInto(one.b, "2");
    press(one.buttons.calculate);
    EXPECT_EQ(one.sum->text(), QStringLiteral("3"));

    w->tabs->setCurrentIndex(1);
    typeInto(two.a, "0");
    typeInto(two.b, "x");
    press(two.buttons.calculate);
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].style, 16);
    EXPECT_EQ(QApplication::focusWidget(), two.a);
    EXPECT_EQ(two.b->text(), QString());
    // The other page keeps its calculation, and its clear stays its own.
    EXPECT_EQ(one.sum->text(), QStringLiteral("3"));
    typeInto(two.a, "4");
    typeInto(two.b, "5");
    two.buttons.calculate->setFocus();
    QTest::keyClick(two.buttons.calculate, Qt::Key_Return);
    EXPECT_EQ(two.sum->text(), QStringLiteral("9"));
    press(two.buttons.clear);
    EXPECT_EQ(two.sum->text(), QString());
    EXPECT_EQ(one.sum->text(), QStringLiteral("3"));
    EXPECT_EQ(QApplication::focusWidget(), two.a);
    // No file: exit ends at once.
    press(one.buttons.exit);
    EXPECT_EQ(boxes.ends(), 1);
    EXPECT_EQ(boxes.boxes().size(), 1);
}

TEST_F(FrameTest, TheInstructionLines) {
    const QString first = QStringLiteral("数値を入力したらTABキーで移動し、入力終了後計算ボタンを押す。");
    EXPECT_EQ(CalcWindow::instructionShort(), first);
    EXPECT_EQ(
        CalcWindow::instructionLong(),
        first + QString(15, QChar(0x3000)) + QStringLiteral("計算結果表示後、デスクトップにファイルが保存されます。"));
    EXPECT_EQ(CalcWindow::instructionNaming(QStringLiteral("x")), first + QString(35, QChar(0x3000)) + "x");
}

TEST_F(FrameTest, DeleteQuestionAndControlArrayNames) {
    EXPECT_EQ(ResultFileDialogs::deleteQuestion(QStringLiteral("方向・距離DATA.TXT")),
              QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ 方向・距離DATA.txtファイルも削除しますか？"));
    EXPECT_EQ(ControlFactory::arrayName("Label22", 4), QStringLiteral("Label22(4)"));
}

// Yes to the delete question where the user's data folder (the home of the
// trash) is missing, or is a file: the record is in the trash where the
// system has one, or deleted, and nothing of it lands under the working
// directory.
TEST_F(FrameTest, YesWithoutADataFolderLeavesNothingOutsideTheTrash) {
    const QString local = desktop.home() + "/.local", file = QStringLiteral("方向・距離DATA.TXT");
    QTemporaryDir working;
    const QString wasWorking = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(working.path()));
    for (const bool dataIsAFile : {false, true}) {
        SCOPED_TRACE(dataIsAFile ? "a file where the data folder goes" : "no data folder");
        QDir(local).removeRecursively();
        if (dataIsAFile) {
            QDir().mkpath(local);
            QFile(local + "/share").open(QIODevice::WriteOnly);
        }
        auto* w = openWindow(new 方向距離);
        typeWithTab(w->Text1, {"0", "0", "100", "100"});
        press(w->Command1);
        const QByteArray record = desktop.bytes(file);
        boxes.answer(Module1::Yes);
        press(w->Command2);
        EXPECT_FALSE(record.isEmpty());
        EXPECT_FALSE(desktop.exists(file));
        EXPECT_EQ(QDir(working.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        // Where there is a trash now, the record is in it (under a name of its choosing).
        if (const QString trash = dataIsAFile ? QString() : desktop.trashFolder(); !trash.isEmpty()) {
            QStringList same;
            for (const QFileInfo& f : QDir(trash).entryInfoList(QDir::Files)) {
                QFile trashed(f.filePath());
                if (trashed.open(QIODevice::ReadOnly) && trashed.readAll() == record) same << f.fileName();
            }
            EXPECT_EQ(same.size(), 1) << trash.toStdString();
        }
        w->close();
        boxes.reset();
    }
    QDir::setCurrent(wasWorking);
}

// The screens' suite itself runs with each screen's tests.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FileScreenFrame);

TEST_F(FrameTest, AHelperMissingAControlFailsTheTestNotTheProgram) {
    auto* w = openWindow(new 方向距離);
    EXPECT_THROW(FrameCase<方向距離>::find<QWidget>(w, "Text99"), TestStopped);
    EXPECT_EQ(FrameCase<方向距離>::find<QWidget>(w, "Text1"), w->Text1);
}

TEST_F(FrameTest, TabAndTheProgramSelectTheWholeText) {
    auto* w = openWindow(new 方向距離);
    typeInto(w->Text1, "123.456");
    QTest::keyClick(w->Text1, Qt::Key_Tab);
    QTest::keyClicks(w->Text2, "7");
    QTest::keyClick(w->Text2, Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), w->Text1);
    EXPECT_EQ(w->Text1->selectedText(), QStringLiteral("123.456"));
    // Typing now replaces the old value.
    QTest::keyClicks(w->Text1, "9");
    EXPECT_EQ(w->Text1->text(), QStringLiteral("9"));

    // The program's focus after a calculation selects too.
    typeInto(w->Text3, "50");
    typeInto(w->Text4, "60");
    w->Command1->setFocus();
    press(w->Command1);
    ASSERT_EQ(QApplication::focusWidget(), w->Text1);
    EXPECT_EQ(w->Text1->selectedText(), QStringLiteral("9"));

    // A click puts the cursor where the user clicked, without selecting.
    QTest::mouseClick(w->Text2, Qt::LeftButton, {}, QPoint(2, w->Text2->height() / 2));
    EXPECT_EQ(QApplication::focusWidget(), w->Text2);
    EXPECT_FALSE(w->Text2->hasSelectedText());
}

TEST_F(FrameTest, EnterOnAFocusedButtonPressesIt) {
    auto* w = openWindow(new 単独座標計算);
    typeInto(w->Text1, "100");
    typeInto(w->Text2, "200");
    typeInto(w->Text3, "90");
    typeInto(w->Text4, "50");
    QTest::keyClick(w->Text4, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w->Command1);
    QTest::keyClick(w->Command1, Qt::Key_Return);
    EXPECT_EQ(w->Label9->text(), QStringLiteral("250"));

    // Enter on the keypad presses C L S just the same.
    w->Command2->setFocus();
    QTest::keyClick(w->Command2, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(w->Label9->text(), QString());

    // Held down, Enter presses once; its first press counts even when the
    // system calls it a repeat of a press this button never saw (Wine does,
    // after Enter on the menu).
    int presses = 0;
    QObject::connect(w->Command2, &QPushButton::clicked, [&presses] { ++presses; });
    for (int k = 0; k < 3; ++k) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(w->Command2, &press);
    }
    EXPECT_EQ(presses, 1);
    QTest::keyRelease(w->Command2, Qt::Key_Return);
    QTest::keyClick(w->Command2, Qt::Key_Return);
    EXPECT_EQ(presses, 2);
}

TEST_F(FrameTest, InstructionLineScrollsAndWraps) {
    auto* w = openWindow(new 方向距離);
    EXPECT_FLOAT_EQ(w->instructionLeft(), 840.0f);
    EXPECT_EQ(w->Label1->x(), 56);
    EXPECT_EQ(w->Label1->parentWidget(), w->Picture1);

    w->Timer1_Timer();
    EXPECT_FLOAT_EQ(w->instructionLeft(), 790.0f);

    const float width = float(w->Label1->width() * 15);
    // Width + Left reaching exactly 0 does not wrap yet ...
    w->setInstructionLeft(-width + 50.0f);
    w->Timer1_Timer();
    EXPECT_FLOAT_EQ(w->instructionLeft(), -width);
    // ... the next tick has left the picture and enters from the right edge.
    w->Timer1_Timer();
    EXPECT_FLOAT_EQ(w->instructionLeft(), 6615.0f);
    EXPECT_EQ(w->Label1->x(), w->Picture1->width());
}

TEST_F(FrameTest, InstructionLineMovesOnTheTimerAfterTheFirstCalculation) {
    auto* w = openWindow(new 方向距離);
    typeInto(w->Text1, "0");
    typeInto(w->Text2, "0");
    typeInto(w->Text3, "1");
    typeInto(w->Text4, "1");
    press(w->Command1);
    ASSERT_TRUE(w->Timer1->isActive());
    const float start = w->instructionLeft();
    QTest::qWait(300);
    EXPECT_LT(w->instructionLeft(), start);
}

TEST_F(FrameTest, SingleCoordinateLineStandsStill) {
    auto* w = openWindow(new 単独座標計算);
    typeInto(w->Text1, "1");
    typeInto(w->Text2, "1");
    typeInto(w->Text3, "1");
    typeInto(w->Text4, "1");
    press(w->Command1);
    EXPECT_EQ(w->findChild<QTimer*>("Timer1"), nullptr);
    EXPECT_EQ(w->Label1->x(), 56);
}

TEST_F(FrameTest, MenuButtonShowsTheMenuAndClosesTheScreen) {
    int shown = 0;
    Navigation::setMenuOpener([&] { ++shown; });
    QPointer<方向距離> w = openWindow(new 方向距離);
    typeInto(w->Text1, "0");
    typeInto(w->Text2, "0");
    typeInto(w->Text3, "1");
    typeInto(w->Text4, "1");
    press(w->Command1);
    press(w->Command3);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(w.isNull());
    EXPECT_TRUE(boxes.boxes().isEmpty());  // the menu button never asks
    EXPECT_TRUE(desktop.exists(QStringLiteral("方向・距離DATA.TXT")));
    Navigation::setMenuOpener(nullptr);
}

TEST_F(FrameTest, ScreensOpenCentredWithTheirClientArea) {
    auto* w = openWindow(new 方向距離);
    EXPECT_EQ(w->size(), QSize(457, 204));
    const QRect screen = w->screen()->geometry();
    EXPECT_NEAR(w->frameGeometry().center().x(), screen.center().x(), 2);
    EXPECT_EQ(w->Command4->geometry(), QRect(368, 168, 81, 25));
}

}  // namespace

namespace {

// What reaches a box from the clipboard or an input method is what it shows,
// and the record repeats it.
TEST_F(FrameTest, BoxesHoldOneLineOfHalfWidthText) {
    auto* w = openWindow(new 方向距離);
    QApplication::clipboard()->setText(QStringLiteral("100\r\n"));
    w->Text1->setFocus();
    w->Text1->paste();
    EXPECT_EQ(w->Text1->text(), QStringLiteral("100"));
    QApplication::clipboard()->setText(QStringLiteral("1\t2\u2028"));
    w->Text2->setFocus();
    w->Text2->paste();
    EXPECT_EQ(w->Text2->text(), QStringLiteral("1 2"));

    // A Japanese input method commits full-width digits and a minus sign.
    w->Text3->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("１２３．５"));
    QApplication::sendEvent(w->Text3, &commit);
    EXPECT_EQ(w->Text3->text(), QStringLiteral("123.5"));
    w->Text4->setText(QStringLiteral("\u2212５ＥＯ"));
    EXPECT_EQ(w->Text4->text(), QStringLiteral("-5EＯ"));
    typeInto(w->Text4, QStringLiteral("－２ｅ＋１"));
    EXPECT_EQ(w->Text4->text(), QStringLiteral("-2e+1"));
    EXPECT_TRUE(w->Text4->inputMethodHints().testFlag(Qt::ImhPreferLatin));

    press(w->Command1);
    const QStringList lines = decodedFile(desktop, QStringLiteral("方向・距離DATA.TXT")).split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines.mid(1, 4), (QStringList{"基準 X 100", "基準 Y 1 2", "後視 X 123.5", "後視 Y -2e+1"}));
}

}  // namespace
