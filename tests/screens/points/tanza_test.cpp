// 単独座標計算 driven through its real controls.
#include "screens/points/TanzaScreen.h"
#include "support/ScreenTest.h"

namespace {

class TanzaTest : public ScreenTest {
protected:
    単独座標計算* w = nullptr;
    void SetUp() override { w = openWindow(new 単独座標計算); }

    void enter(const QStringList& values) {
        TextBox* order[] = {w->Text1, w->Text2, w->Text3, w->Text4};
        for (int i = 0; i < 4; ++i) typeInto(order[i], values[i]);
    }
    QStringList results() const { return {w->Label8->text(), w->Label9->text()}; }
};

TEST_F(TanzaTest, LoadState) {
    // One sentence that stands still, and no file.
    EXPECT_EQ(w->Label1->text(), CalcScreen::instructionShort());
    EXPECT_EQ(w->Timer1, nullptr);
    EXPECT_EQ(w->resultFile(), nullptr);
    EXPECT_TRUE(w->Label10->isHidden());
}

TEST_F(TanzaTest, NewPoints) {
    struct Case {
        QStringList in;
        QStringList out;
    };
    const Case cases[] = {
        {{"100", "200", "90.0000", "50"}, {"100", "250"}},
        {{"0", "0", "45.0000", "100"}, {"70.711", "70.711"}},
        {{"10", "10", "0.0000", "0"}, {"10", "10"}},
        // A negative distance goes the other way.
        {{"0", "0", "45.0000", "-100"}, {"-70.711", "-70.711"}},
        // 45.3000 is 45°30′ exactly, not 40″ more.
        {{"0", "0", "45.3000", "100"}, {"70.091", "71.325"}},
        // Results that round to zero from below show as 0.
        {{"0", "0", "90.0000", "-0.0001"}, {"0", "0"}},
    };
    for (const Case& c : cases) {
        enter(c.in);
        press(w->Command1);
        EXPECT_EQ(results(), c.out) << c.in.join(' ').toStdString();
        EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    }
    EXPECT_TRUE(boxes.boxes().isEmpty());
    // The boxes keep their contents for the next calculation.
    EXPECT_EQ(w->Text4->text(), QStringLiteral("-0.0001"));
}

TEST_F(TanzaTest, RefusedInput) {
    const QStringList refused[] = {
        {"0", "0", "0.0000", "0"},     // all four zero
        {"1", "", "0", "5"},           // an empty box
        {"1", "abc", "0", "5"},        // not a number
        {"1", "2", "-", "5"},          // a lone sign
        {"1e308", "0", "0", "1e308"},  // beyond a double
    };
    for (const QStringList& in : refused) {
        boxes.reset();
        enter({"1", "2", "3", "4"});
        press(w->Command1);
        ASSERT_FALSE(w->Label8->text().isEmpty());
        enter(in);
        press(w->Command1);
        ASSERT_EQ(boxes.boxes().size(), 1) << in.join(' ').toStdString();
        EXPECT_EQ(boxes.boxes()[0].style, 16);
        EXPECT_EQ(results(), (QStringList{"", ""}));
        EXPECT_EQ(w->Text2->text(), QString());
        EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    }
}

TEST_F(TanzaTest, ClearAndExitAskNothing) {
    enter({"100", "200", "90", "50"});
    press(w->Command1);
    press(w->Command2);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(results(), (QStringList{"", ""}));
    EXPECT_EQ(w->Text1->text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), w->Text1);

    enter({"100", "200", "90", "50"});
    press(w->Command1);
    press(w->Command4);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(boxes.ends(), 1);
}

}  // namespace
