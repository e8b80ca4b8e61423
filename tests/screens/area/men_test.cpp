// 面積計算 driven through its real controls, page by page.
#include "screens/area/MenScreen.h"
#include "support/Layout.h"
#include "support/ScreenTest.h"

namespace {

// One page as the tests see it. Results are read angles first (degrees,
// minutes, seconds), then sides and the area.
struct PageView {
    int index;
    QList<TextBox*> boxes;
    QList<QLabel*> angles, values;
    CommandButton *calculate, *clear, *exit;
};

struct Row {
    int page;
    QStringList in;
    const char* text;  // what is shown, or why it is refused
};

class MenTest : public ScreenTest {
protected:
    面積計算* w = nullptr;
    void SetUp() override { w = openWindow(new 面積計算); }

    PageView page(int index) const {
        if (index == 0) {
            const 面積計算::ThreeSides& p = *w->heron;
            return {0,
                    {p.Text1, p.Text2, p.Text3},
                    {p.Label7, p.Label8, p.Label9, p.Label10, p.Label11, p.Label12, p.Label13, p.Label14, p.Label15},
                    {p.Label18},
                    p.Command1,
                    p.Command2,
                    p.Command4};
        }
        if (index == 1) {
            const 面積計算::SidesAngle& p = *w->sidesAngle;
            const auto& L = p.Label22;
            return {1,
                    {p.Text4, p.Text5, p.Text6},
                    {L[4], L[6], L[8], L[13], L[11], L[15]},
                    {L[17], L[19]},
                    p.Command5,
                    p.Command6,
                    p.Command8};
        }
        const 面積計算::AnglesSide& p = *w->anglesSide;
        const auto& L = p.Label23;
        return {
            2,          {p.Text7, p.Text8, p.Text9}, {L[8], L[9], L[10]}, {L[6], L[7], L[11]}, p.Command9, p.Command10,
            p.Command12};
    }

    // Shows the page, types the values into its boxes and calculates.
    void calculate(const PageView& p, const QStringList& values) {
        w->SSTab1->setCurrentIndex(p.index);
        for (int i = 0; i < 3; ++i) typeInto(p.boxes[i], values[i]);
        press(p.calculate);
    }
    static QString texts(const QList<QLabel*>& labels) {
        QStringList out;
        for (const QLabel* l : labels) out << l->text();
        return out.join(' ').trimmed();
    }
    static QString results(const PageView& p) { return texts(p.angles + p.values); }
    static QString typed(const PageView& p) {
        return QStringList{p.boxes[0]->text(), p.boxes[1]->text(), p.boxes[2]->text()}.join(' ').trimmed();
    }
};

TEST_F(MenTest, OpensOnTheFirstPageWithTheFocusInItsFirstBox) {
    EXPECT_EQ(w->SSTab1->count(), 3);
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), w->heron->Text1);
    EXPECT_EQ(w->Timer1, nullptr);
    for (const QLabel* constant : {w->heron->Label16[10], w->sidesAngle->Label22[26], w->anglesSide->Label24}) {
        EXPECT_TRUE(constant->isHidden());
        EXPECT_EQ(survey::leadingNumber(constant->text().toStdString()), survey::degreeConstant());
    }
    EXPECT_EQ(w->sidesAngle->Label22[17]->objectName(), QStringLiteral("Label22(17)"));
}

TEST_F(MenTest, Examples) {
    const Row examples[] = {
        {0, {"3", "4", "5"}, "36 52 11.6 53 7 48.4 90 0 0 6"},
        {0, {"10", "10", "10"}, "60 0 0 60 0 0 60 0 0 43.301"},
        {0, {"7", "3", "5"}, "120 0 0 21 47 12.4 38 12 47.6 6.495"},
        // C is 93 34' 59.958": the seconds round to 60.0 and carry.
        {0, {"4", "10", "11"}, "21 16 47.9 65 8 12.2 93 35 0 19.961"},
        {1, {"3", "4", "90.0000"}, "36 52 11.6 53 7 48.4 5 6"},
        {1, {"10", "10", "60.0000"}, "60 0 0 60 0 0 10 43.301"},
        // The fraction of a second typed after the fourth decimal is dropped.
        {1, {"100", "80", "45.303055"}, "82 5 0.8 52 24 29.2 72.022 2853.41"},
        {2, {"10", "30.0000", "60.0000"}, "90 0 0 5.774 11.547 28.868"},
        {2, {"10", "60.0000", "60.0000"}, "60 0 0 10 10 43.301"},
        {2, {"10", "45", "45.0"}, "90 0 0 10 14.142 50"},
    };
    for (const Row& e : examples) {
        const PageView p = page(e.page);
        calculate(p, e.in);
        EXPECT_EQ(results(p), QString::fromUtf8(e.text)) << e.in.join(' ').toStdString();
        EXPECT_EQ(QApplication::focusWidget(), p.boxes[0]);
        EXPECT_EQ(typed(p), e.in.join(' '));  // kept for the next calculation
    }
    EXPECT_TRUE(boxes.boxes().isEmpty());
}

TEST_F(MenTest, WhatIsNoTriangleIsRefusedAndEmptiesThePage) {
    const Row refused[] = {
        {0, {"3", "4", ""}, "two boxes filled"},
        {0, {"0", "0", "0"}, "all zero"},
        {0, {"3", "4", "7"}, "flat"},
        {0, {"1", "2", "10"}, "the triangle inequality"},
        {0, {"-3", "4", "5"}, "a negative side"},
        {0, {"3", "4", "5m"}, "not a number"},
        {1, {"", "4", "90"}, "two boxes filled"},
        {1, {"3", "4", "0"}, "C of 0"},
        {1, {"3", "4", "180.0000"}, "C of 180"},
        {1, {"0", "4", "90"}, "a side of 0"},
        {1, {"3", "4", "1e400"}, "beyond a double"},
        {2, {"10", "30", ""}, "two boxes filled"},
        {2, {"10", "60", "0"}, "B of 0"},
        {2, {"10", "30", "180"}, "B of 180"},
        {2, {"10", "90.0000", "90.0000"}, "A + B of 180"},
        {2, {"0", "30", "60"}, "b of 0"},
        {2, {"10", "30", "-"}, "a lone sign"},
    };
    const QStringList valid[] = {{"3", "4", "5"}, {"3", "4", "90"}, {"10", "30", "60"}};
    for (const Row& e : refused) {
        const PageView p = page(e.page);
        calculate(p, valid[e.page]);
        ASSERT_FALSE(results(p).isEmpty());
        boxes.reset();
        calculate(p, e.in);
        ASSERT_EQ(boxes.boxes().size(), 1) << e.text;
        EXPECT_EQ(boxes.boxes()[0].prompt,
                  QStringLiteral("入力されていないデータがあるか、データが適切ではありません。"));
        EXPECT_EQ(results(p) + typed(p), QString()) << e.text;
        EXPECT_EQ(QApplication::focusWidget(), p.boxes[0]) << e.text;
    }
}

TEST_F(MenTest, APageNeverTouchesTheOthers) {
    calculate(page(0), {"3", "4", "5"});
    calculate(page(1), {"10", "10", "60"});
    const QString first = results(page(0)), second = results(page(1));
    calculate(page(2), {"10", "90", "90"});  // refused
    press(page(2).clear);
    press(page(1).clear);
    EXPECT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(results(page(0)), first);
    EXPECT_EQ(typed(page(0)), QStringLiteral("3 4 5"));
    EXPECT_EQ(results(page(1)), QString());
}

TEST_F(MenTest, ClearAndExitAskNothingAndOnlyTheFirstPageKeepsTheFocus) {
    for (int i = 0; i < 3; ++i) {
        const PageView p = page(i);
        calculate(p, i == 0 ? QStringList{"3", "4", "5"} : QStringList{"10", "60", "60"});
        p.clear->setFocus();
        QTest::keyClick(p.clear, Qt::Key_Return);
        EXPECT_EQ(results(p) + typed(p), QString());
        EXPECT_EQ(QApplication::focusWidget(), i == 0 ? static_cast<QWidget*>(p.clear) : p.boxes[0]) << i;
        press(p.exit);
        EXPECT_EQ(boxes.ends(), i + 1);
    }
    EXPECT_TRUE(boxes.boxes().isEmpty());
}

TEST_F(MenTest, CtrlTabTurnsThePagesAndTakesTheFocusAlong) {
    typeInto(w->heron->Text1, "3");
    QTest::keyClick(w->heron->Text1, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), w->sidesAngle->Text4);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), w->anglesSide->Text7);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), w->heron->Text1);
    EXPECT_EQ(w->heron->Text1->text(), QStringLiteral("3"));
}

TEST_F(MenTest, NothingClippedOrOverlappingOnAnyPage) {
    for (int i = 0; i < 3; ++i) {
        const PageView p = page(i);
        // The widest texts: the seconds with their tenth, an area in E notation.
        for (QLabel* l : p.angles) l->setText(QStringLiteral("59.9"));
        for (QLabel* l : p.values) l->setText(QStringLiteral("1.23456789012346E+15"));
        w->SSTab1->setCurrentIndex(i);
        SCOPED_TRACE(i);
        expectNothingClippedOrOverlapping(w);
    }
}

}  // namespace
