// 分割 driven through its real controls.
#include <QFile>

#include "screens/points/DivideScreen.h"
#include "support/FileScreenFrame.h"
#include "support/Layout.h"

namespace {

const QString kFile = QStringLiteral("分割DATA.TXT");
const QString kQuestion = QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ 分割DATA.txtファイルも削除しますか？");
const QString kSeeTheFile =
    QStringLiteral("計算結果についてはﾃﾞｽｸﾄｯﾌﾟに保存された 分割DATA.TXT ﾌｧｲﾙを参照して下さい。");

class DivideTest : public ScreenTest {
protected:
    分割* w = nullptr;
    void SetUp() override { w = openWindow(new 分割); }

    void enter(const QStringList& values) { typeWithTab(w->Text1, values); }
    QStringList boxTexts() const {
        return {w->Text1->text(), w->Text2->text(), w->Text3->text(), w->Text4->text(), w->Text5->text()};
    }
};

TEST_F(DivideTest, ThreeSectionsWriteTwoPointsThenTellWhereTheyAre) {
    enter({"0", "0", "90", "0", "3"});
    press(w->Command1);
    EXPECT_EQ(decodedFile(desktop, kFile), crlf({separatorLine(), "分割数 3", "基準A-X 0", "基準A-Y 0", "基準B-X 90",
                                                 "基準B-Y 0", "", " 1  点目   距離  30    X 座標  30    Y 座標  0 ",
                                                 " 2  点目   距離  60    X 座標  60    Y 座標  0 ", separatorLine()}));
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].prompt, kSeeTheFile);
    EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("計算結果"));
    EXPECT_EQ(boxes.boxes()[0].style, 64);
    EXPECT_EQ(w->Label9->text(), QStringLiteral("90"));
    ASSERT_TRUE(w->division());
    EXPECT_EQ(w->division()->points.size(), 2u);
    // Ready for another count on the same line.
    EXPECT_EQ(boxTexts(), (QStringList{"0", "0", "90", "0", "3"}));
    EXPECT_EQ(QApplication::focusWidget(), w->Text5);
    EXPECT_EQ(w->Text5->selectedText(), QStringLiteral("3"));
}

TEST_F(DivideTest, TheMarkerIsTheLengthUnrounded) {
    enter({"-35012.345", "12034.567", "-34987.1", "12101.99", "2"});
    press(w->Command1);
    EXPECT_EQ(w->Label9->text(), QStringLiteral("71.9942425059131"));
}

TEST_F(DivideTest, CountsThatAreNotWholeNumbersFromTwoToAThousandAreRefused) {
    for (const char* count : {"2.5", "-3", "1", "0", "1001", "12abc", "abc", ""}) {
        boxes.reset();
        enter({"0", "0", "90", "0", QString::fromUtf8(count)});
        press(w->Command1);
        ASSERT_EQ(boxes.boxes().size(), 1) << count;
        EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("注意")) << count;
        EXPECT_EQ(boxTexts(), QStringList(5, QString())) << count;
        EXPECT_EQ(QApplication::focusWidget(), w->Text1) << count;
        EXPECT_FALSE(w->Timer1->isActive());
    }
    EXPECT_FALSE(desktop.exists(kFile));
}

TEST_F(DivideTest, AThousandSectionsWriteNineHundredNinetyNineLinesInOneRecord) {
    enter({"0", "0", "1000", "0", "1000"});
    press(w->Command1);
    EXPECT_EQ(decodedFile(desktop, kFile).count(QStringLiteral("\r\n")), 7 + 999 + 1);
    EXPECT_EQ(boxes.boxes().size(), 1);
}

TEST_F(DivideTest, CoincidentPointsAndAZeroMarker) {
    enter({"5", "-5", "5", "-5", "2"});
    press(w->Command1);
    ASSERT_EQ(w->Label9->text(), QStringLiteral("0"));

    // A zero marker is a result: exit asks about the file.
    boxes.reset();
    boxes.answer(Module1::No);
    press(w->Command4);
    expectOnlyDeleteQuestion(boxes, kQuestion);
    EXPECT_EQ(boxes.ends(), 1);
}

TEST_F(DivideTest, ClearAsksOnlyWhenEveryBoxAndTheMarkerHoldText) {
    enter({"0", "0", "90", "0", "3"});
    press(w->Command1);
    boxes.reset();
    // A box emptied by hand after the calculation: no question.
    typeInto(w->Text3, QString());
    press(w->Command2);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(boxTexts(), QStringList(5, QString()));
    EXPECT_TRUE(w->Label9->text().isEmpty());
    EXPECT_FALSE(w->division());
    EXPECT_TRUE(desktop.exists(kFile));
}

// ---- A write cut short --------------------------------------------------------

TEST_F(DivideTest, AWriteCutShortLeavesTheFileAsItWasAndTellsOnlyThat) {
    ASSERT_TRUE(QDir().mkpath(desktop.folder()));
    QFile earlier(desktop.file(kFile));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write(QByteArray(82, '-') + "\r\nearlier records\r\n");
    earlier.close();
    const QByteArray before = desktop.bytes(kFile);

    enter({"0", "0", "1000", "1000", "1000"});
    survey::seam::limitWrites(4096);  // as a disk filling up stops it
    press(w->Command1);
    survey::seam::limitWrites(std::nullopt);
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].style, 16);
    EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("ファイルの保存"));
    EXPECT_TRUE(w->Label9->text().isEmpty()) << w->Label9->text().toStdString();
    EXPECT_EQ(desktop.bytes(kFile), before);
}

TEST_F(DivideTest, TheDrawingIsThere) {
    const QPixmap drawing = w->Picture2->pixmap();
    ASSERT_FALSE(drawing.isNull());
    // Not a blank sheet: the lines and lettering are drawn in colour.
    const QImage image = drawing.toImage();
    int inked = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (image.pixelColor(x, y).lightness() < 160) ++inked;
    EXPECT_GT(inked, 200);
}

TEST_F(DivideTest, NothingClippedOrOverlapping) { expectNothingClippedOrOverlapping(w); }

struct DivideFrame : FrameCase<分割> {
    static constexpr std::size_t resultPoints = 2;  // the points between the ends
    static inline const QStringList tabOrder{"Text1",    "Text2",    "Text3",    "Text4",   "Text5",
                                             "Command1", "Command2", "Command3", "Command4"};
    static constexpr const char* refusalFocus = "Text1";
    static constexpr int boxesPerCalculation = 1;  // the box that points to the file
    static void enterValid(Screen* w) {
        fill(w, {{"Text1", "0"}, {"Text2", "0"}, {"Text3", "90"}, {"Text4", "0"}, {"Text5", "3"}});
    }
    static void enterInvalid(Screen* w) {
        fill(w, {{"Text1", "0"}, {"Text2", "0"}, {"Text3", "90"}, {"Text4", "0"}, {"Text5", "1"}});
    }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(分割, FileScreenFrame, DivideFrame);
