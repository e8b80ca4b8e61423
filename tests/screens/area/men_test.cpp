// 面積計算 driven through its real controls, page by page.
#include <QTabBar>

#include "screens/area/MenScreen.h"
#include "support/Layout.h"
#include "support/ScreenTest.h"

namespace {

// One page as the tests see it: its boxes, its result values in the order
// they are read (angles as degrees, minutes, seconds) and its buttons.
struct PageView {
    int index;
    QList<TextBox*> boxes;
    QList<QLabel*> results;
    CommandButton *calculate, *clear, *exit;
    QLabel* constant;
};

class MenTest : public ScreenTest {
protected:
    面積計算* w = nullptr;
    void SetUp() override { w = openWindow(new 面積計算); }

    PageView page(int index) const {
        if (index == 0) {
            const 面積計算::ThreeSides& p = *w->heron;
            return {0, {p.Text1, p.Text2, p.Text3},
                    {p.Label7, p.Label8, p.Label9, p.Label10, p.Label11, p.Label12, p.Label13, p.Label14, p.Label15,
                     p.Label18},
                    p.Command1, p.Command2, p.Command4, p.Label16[10]};
        }
        if (index == 1) {
            const auto& L = w->sidesAngle->Label22;
            const 面積計算::SidesAngle& p = *w->sidesAngle;
            return {1, {p.Text4, p.Text5, p.Text6}, {L[4], L[6], L[8], L[13], L[11], L[15], L[17], L[19]},
                    p.Command5, p.Command6, p.Command8, L[26]};
        }
        const auto& L = w->anglesSide->Label23;
        const 面積計算::AnglesSide& p = *w->anglesSide;
        return {2, {p.Text7, p.Text8, p.Text9}, {L[6], L[7], L[8], L[9], L[10], L[11]}, p.Command9, p.Command10,
                p.Command12, p.Label24};
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
        return out.join(' ');
    }
    static QString texts(const QList<TextBox*>& boxes) {
        QStringList out;
        for (const TextBox* b : boxes) out << b->text();
        return out.join(' ');
    }
};

struct Example {
    int page;
    QStringList in;
    const char* shown;
};

TEST_F(MenTest, OpensOnTheFirstOfThreePagesEachWithItsOwnConstant) {
    EXPECT_EQ(w->objectName(), QStringLiteral("面積計算"));
    ASSERT_EQ(w->SSTab1->count(), 3);
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), w->heron->Text1);
    EXPECT_EQ(w->Timer1, nullptr);
    EXPECT_EQ(w->Picture1, nullptr);
    for (int i = 0; i < 3; ++i) {
        const PageView p = page(i);
        EXPECT_EQ(p.boxes[0]->parentWidget(), w->SSTab1->widget(i));
        EXPECT_TRUE(p.constant->isHidden());
        EXPECT_EQ(survey::leadingNumber(p.constant->text().toStdString()), survey::degreeConstant());
        EXPECT_EQ(texts(p.results).trimmed(), QString());
    }
    EXPECT_EQ(w->sidesAngle->Label22[4]->objectName(), QStringLiteral("Label22(4)"));
    EXPECT_EQ(w->anglesSide->Command12->objectName(), QStringLiteral("Command12"));
}

TEST_F(MenTest, Examples) {
    const Example examples[] = {
        {0, {"3", "4", "5"}, "36 52 11.6 53 7 48.4 90 0 0 6"},
        {0, {"10", "10", "10"}, "60 0 0 60 0 0 60 0 0 43.301"},
        {0, {"7", "3", "5"}, "120 0 0 21 47 12.4 38 12 47.6 6.495"},
        // C is 93 34' 59.958": the seconds round to 60.0 and carry.
        {0, {"4", "10", "11"}, "21 16 47.9 65 8 12.2 93 35 0 19.961"},
        {1, {"3", "4", "90.0000"}, "36 52 11.6 53 7 48.4 5 6"},
        {1, {"10", "10", "60.0000"}, "60 0 0 60 0 0 10 43.301"},
        // The fraction of a second typed after the fourth decimal is dropped.
        {1, {"100", "80", "45.303055"}, "82 5 0.8 52 24 29.2 72.022 2853.41"},
        {2, {"10", "30.0000", "60.0000"}, "5.774 11.547 90 0 0 28.868"},
        {2, {"10", "60.0000", "60.0000"}, "10 10 60 0 0 43.301"},
        // Whole degrees typed without the four decimals.
        {2, {"10", "45", "45.0"}, "10 14.142 90 0 0 50"},
    };
    for (const Example& e : examples) {
        const PageView p = page(e.page);
        calculate(p, e.in);
        EXPECT_EQ(texts(p.results), QString::fromUtf8(e.shown)) << e.in.join(' ').toStdString();
        EXPECT_EQ(QApplication::focusWidget(), p.boxes[0]);
        EXPECT_EQ(texts(p.boxes), e.in.join(' '));  // kept for the next calculation
    }
    EXPECT_TRUE(boxes.boxes().isEmpty());
}

TEST_F(MenTest, WhatIsNoTriangleIsRefusedAndEmptiesThePage) {
    const Example refused[] = {
        {0, {"3", "4", ""}, "two boxes filled"},
        {0, {"0", "0", "0"}, "all zero"},
        {0, {"3", "4", "7"}, "flat"},
        {0, {"1.1", "2.2", "3.3"}, "flat in decimals"},
        {0, {"1", "2", "10"}, "the triangle inequality"},
        {0, {"0", "4", "5"}, "a side of 0"},
        {0, {"-3", "4", "5"}, "a negative side"},
        {0, {"3", "4", "5m"}, "not a number"},
        {0, {"1e200", "1e200", "1e200"}, "beyond a double"},
        {1, {"", "4", "90"}, "two boxes filled"},
        {1, {"3", "4", "0"}, "C of 0"},
        {1, {"3", "4", "180.0000"}, "C of 180"},
        {1, {"3", "4", "270"}, "C above 180"},
        {1, {"0", "4", "90"}, "a side of 0"},
        {1, {"3", "4", "1e400"}, "beyond a double"},
        {2, {"10", "30", ""}, "two boxes filled"},
        {2, {"10", "0", "60"}, "A of 0"},
        {2, {"10", "60", "0"}, "B of 0"},
        {2, {"10", "30", "180"}, "B of 180"},
        {2, {"10", "90.0000", "90.0000"}, "A + B of 180"},
        {2, {"10", "-30", "60"}, "a negative A"},
        {2, {"0", "30", "60"}, "b of 0"},
        {2, {"10", "30", "-"}, "a lone sign"},
    };
    const QStringList valid[] = {{"3", "4", "5"}, {"3", "4", "90"}, {"10", "30", "60"}};
    for (const Example& e : refused) {
        const PageView p = page(e.page);
        calculate(p, valid[e.page]);
        ASSERT_FALSE(p.results.last()->text().isEmpty());
        boxes.reset();
        calculate(p, e.in);
        ASSERT_EQ(boxes.boxes().size(), 1) << e.shown;
        EXPECT_EQ(boxes.boxes()[0].prompt, QStringLiteral("入力されていないデータがあるか、データが適切ではありません。"));
        EXPECT_EQ(boxes.boxes()[0].style, 16);
        EXPECT_EQ(texts(p.results).trimmed(), QString()) << e.shown;
        EXPECT_EQ(texts(p.boxes).trimmed(), QString()) << e.shown;
        EXPECT_EQ(QApplication::focusWidget(), p.boxes[0]) << e.shown;
    }
}

TEST_F(MenTest, APageNeverTouchesTheOthers) {
    calculate(page(0), {"3", "4", "5"});
    calculate(page(1), {"10", "10", "60"});
    const QString first = texts(page(0).results), second = texts(page(1).results);
    calculate(page(2), {"10", "90", "90"});  // refused
    press(page(2).clear);
    EXPECT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(texts(page(0).results), first);
    EXPECT_EQ(texts(page(1).results), second);
    EXPECT_EQ(texts(page(0).boxes), QStringLiteral("3 4 5"));
    press(page(1).clear);
    EXPECT_EQ(texts(page(0).results), first);
    EXPECT_EQ(texts(page(1).boxes).trimmed(), QString());
}

TEST_F(MenTest, ClearAsksNothingAndOnlyTheFirstPageKeepsTheFocus) {
    for (int i = 0; i < 3; ++i) {
        const PageView p = page(i);
        calculate(p, i == 0 ? QStringList{"3", "4", "5"} : QStringList{"10", "60", "60"});
        p.boxes[1]->setFocus();
        QTest::keyClick(p.boxes[1], Qt::Key_Tab);
        QTest::keyClick(p.boxes[2], Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), p.calculate);
        QTest::keyClick(p.calculate, Qt::Key_Tab);
        QTest::keyClick(p.clear, Qt::Key_Return);
        EXPECT_EQ(texts(p.results).trimmed(), QString());
        EXPECT_EQ(texts(p.boxes).trimmed(), QString());
        EXPECT_EQ(QApplication::focusWidget(), i == 0 ? static_cast<QWidget*>(p.clear) : p.boxes[0]) << i;
    }
    EXPECT_TRUE(boxes.boxes().isEmpty());
}

TEST_F(MenTest, ExitEndsAtOnceFromEveryPage) {
    for (int i = 0; i < 3; ++i) {
        const PageView p = page(i);
        calculate(p, i == 0 ? QStringList{"3", "4", "5"} : QStringList{"10", "60", "60"});
        press(p.exit);
        EXPECT_EQ(boxes.ends(), i + 1);
    }
    EXPECT_TRUE(boxes.boxes().isEmpty());
}

TEST_F(MenTest, CtrlTabTurnsThePagesAndTakesTheFocusAlong) {
    typeInto(w->heron->Text1, "3");
    QTest::keyClick(w->heron->Text1, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w->SSTab1->currentIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), w->sidesAngle->Text4);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w->SSTab1->currentIndex(), 2);
    EXPECT_EQ(QApplication::focusWidget(), w->anglesSide->Text7);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), w->heron->Text1);
    EXPECT_EQ(w->heron->Text1->text(), QStringLiteral("3"));
}

TEST_F(MenTest, NothingClippedOrOverlappingOnAnyPage) {
    // The widest texts: a large area in E notation, sides of a kilometre
    // with their millimetres, the longest angle.
    const QString area = QStringLiteral("1.23456789012346E+15"), side = QStringLiteral("1234567.891");
    for (QLabel* l : page(0).results) l->setText(QStringLiteral("179"));
    for (QLabel* l : {w->heron->Label9, w->heron->Label12, w->heron->Label15}) l->setText(QStringLiteral("59.9"));
    w->heron->Label18->setText(area);
    const auto& L22 = w->sidesAngle->Label22;
    for (int i : {4, 13}) L22[i]->setText(QStringLiteral("179"));
    for (int i : {6, 11}) L22[i]->setText(QStringLiteral("59"));
    for (int i : {8, 15}) L22[i]->setText(QStringLiteral("59.9"));
    L22[17]->setText(side);
    L22[19]->setText(area);
    const auto& L23 = w->anglesSide->Label23;
    L23[6]->setText(side);
    L23[7]->setText(side);
    L23[8]->setText(QStringLiteral("179"));
    L23[9]->setText(QStringLiteral("59"));
    L23[10]->setText(QStringLiteral("59.9"));
    L23[11]->setText(area);
    for (int i = 0; i < 3; ++i) {
        w->SSTab1->setCurrentIndex(i);
        SCOPED_TRACE(i);
        expectNothingClippedOrOverlapping(w);
    }
}

}  // namespace
