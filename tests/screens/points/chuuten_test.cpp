// 中間点 driven through its real controls.
#include "screens/points/ChuutenScreen.h"
#include "support/FileScreenFrame.h"
#include "support/Layout.h"

namespace {

const QString kFile = QStringLiteral("中間点DATA.TXT");
const QString kQuestion = QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ 中間点DATA.txtファイルも削除しますか？");

class ChuutenTest : public ScreenTest {
protected:
    中間点* w = nullptr;
    void SetUp() override { w = openWindow(new 中間点); }

    void enter(const QStringList& values) { typeWithTab(w->Text1, values); }
    QStringList shownResult() const { return {w->Label6->text(), w->Label7->text(), w->Label9->text()}; }
};

TEST_F(ChuutenTest, ExamplesShowTheMidpointAndMarkerAndAppendTheirRecords) {
    struct Row {
        QStringList in;
        QStringList shown;  // X, Y, marker
    };
    const Row rows[] = {
        {{"0", "0", "100", "50"}, {"50", "25", "1250"}},
        // A = B: both walks are zero long.
        {{"12.5", "-3", "12.5", "-3"}, {"12.5", "-3", "-37.5"}},
        // Truncated toward zero, not rounded: -12.34567 shows -12.3456.
        {{"0", "0", "-24.69134", "-24.69134"}, {"-12.3456", "-12.3456", "152.41383936"}},
        {{"0", "0", "24.69134", "0"}, {"12.3456", "0", "0"}},
        // Trailing letters are dropped, letters alone count as 0.
        {{"12abc", "xyz", "20", "4"}, {"16", "2", "32"}},
        {{"-35000.5", "12000.25", "-35100.5", "12100.25"}, {"-35050.5", "12050.25", "-422367287.625"}},
    };
    for (const Row& row : rows) {
        enter(row.in);
        press(w->Command1);
        EXPECT_EQ(shownResult(), row.shown) << row.in.join(',').toStdString();
        EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    }
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_TRUE(decodedFile(desktop, kFile)
                    .startsWith(crlf({separatorLine(), "基準A-X 0", "基準A-Y 0", "基準B-X 100", "基準B-Y 50",
                                      "X 座標  50   Y 座標  25 ", separatorLine()})));
}

TEST_F(ChuutenTest, AZeroMarkerStillCountsAsAResult) {
    enter({"0", "0", "100", "0"});
    press(w->Command1);
    ASSERT_EQ(w->Label9->text(), QStringLiteral("0"));
    boxes.answer(Module1::No);
    press(w->Command2);
    expectOnlyDeleteQuestion(boxes, kQuestion);
    EXPECT_EQ(shownResult(), QStringList(3, QString()));

    boxes.reset();
    enter({"0", "0", "0", "0"});  // A = B at the origin
    press(w->Command1);
    ASSERT_EQ(w->Label9->text(), QStringLiteral("0"));
    boxes.answer(Module1::Yes);
    press(w->Command4);
    expectOnlyDeleteQuestion(boxes, kQuestion);
    EXPECT_FALSE(desktop.exists(kFile));
    EXPECT_EQ(boxes.ends(), 1);
}

TEST_F(ChuutenTest, RefusalEmptiesResultsAndMarkerToo) {
    enter({"0", "0", "100", "50"});
    press(w->Command1);
    const QByteArray written = desktop.bytes(kFile);

    const QStringList refused[] = {
        {"0", "0", "100", ""},             // an empty box
        {"1.7e308", "0", "1.7e308", "1"},  // the mean leaves the range of a double
    };
    for (const QStringList& in : refused) {
        boxes.reset();
        enter(in);
        press(w->Command1);
        ASSERT_EQ(boxes.boxes().size(), 1) << in.join(',').toStdString();
        EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("注意"));
        EXPECT_EQ(shownResult(), QStringList(3, QString()));
        EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    }
    EXPECT_EQ(desktop.bytes(kFile), written);
    // With the marker empty, clear asks nothing.
    boxes.reset();
    press(w->Command2);
    EXPECT_TRUE(boxes.boxes().isEmpty());
}

TEST_F(ChuutenTest, NothingClippedOrOverlapping) {
    w->Label6->setText(QStringLiteral("-123456.1234"));
    w->Label7->setText(QStringLiteral("-123456.1234"));
    expectNothingClippedOrOverlapping(w);
}

struct ChuutenFrame : FrameCase<中間点> {
    static constexpr std::size_t resultPoints = 1;
    static inline const QStringList tabOrder{"Text1",    "Text2",    "Text3",    "Text4",
                                             "Command1", "Command2", "Command3", "Command4"};
    static void enterValid(Screen* w) { fill(w, {{"Text1", "0"}, {"Text2", "0"}, {"Text3", "100"}, {"Text4", "50"}}); }
    static void enterInvalid(Screen* w) { fill(w, {{"Text1", "0"}, {"Text2", "0"}, {"Text3", "100"}, {"Text4", ""}}); }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(中間点, FileScreenFrame, ChuutenFrame);
