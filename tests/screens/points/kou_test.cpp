// 交点 driven through its real controls.
#include "screens/points/KouScreen.h"
#include "support/FileScreenFrame.h"
#include "support/Layout.h"

namespace {

const QString kFile = QStringLiteral("交点DATA.TXT");

class KouTest : public ScreenTest {
protected:
    交点* w = nullptr;
    void SetUp() override { w = openWindow(new 交点); }

    // A's X, Y and angle, then B's (the hidden box of each angle pair is
    // passed over).
    void enter(const QStringList& texts) { typeWithTab(w->Text1, texts); }
    QStringList boxTexts() const {
        return textsOf({w->Text1, w->Text2, w->Text3, w->Text4, w->Text5, w->Text6, w->Text7, w->Text8});
    }
    QStringList results() const {
        return {w->Label8->text(), w->Label9->text(), w->Label12->text(), w->Label13->text()};
    }
};

TEST_F(KouTest, OpensInDirectionModeWithItsOwnMenuCaption) {
    EXPECT_EQ(w->Command3->text(), QStringLiteral("MENU"));
    EXPECT_FALSE(w->Option1->isChecked() || w->Option2->isChecked());
    EXPECT_TRUE(w->directionMode());
    EXPECT_TRUE(w->Text3->isVisible() && w->Text7->isVisible());
    EXPECT_TRUE(w->Text4->isHidden() && w->Text8->isHidden());
    EXPECT_EQ(w->Text3->geometry(), w->Text4->geometry());
}

TEST_F(KouTest, BothModesIntersect) {
    struct Case {
        bool direction;
        QStringList in;
        QStringList shown;
    };
    const Case cases[] = {
        {true, {"0", "0", "45", "100", "0", "135"}, {"50", "50", "70.7107", "70.7107"}},
        {true, {"0", "0", "225", "100", "0", "135"}, {"50", "50", "70.7107", "70.7107"}},  // P behind A
        {true, {"0", "0", "90", "100", "50", "180"}, {"0", "50", "50", "100"}},
        // Five zeros and a non-zero, B typed 0.0: P at A.
        {true, {"0", "0", "0", "0.0", "0", "90"}, {"0", "0", "0", "0"}},
        {false, {"0", "0", "45", "100", "0", "315"}, {"50", "50", "70.7107", "70.7107"}},
        {false, {"0", "0", "315", "100", "0", "45"}, {"50", "-50", "70.7107", "70.7107"}},
    };
    for (const Case& c : cases) {
        choose(c.direction ? w->Option1 : w->Option2);
        enter(c.in);
        press(w->Command1);
        EXPECT_EQ(results(), c.shown) << c.in.join(' ').toStdString();
        EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    }
    EXPECT_TRUE(boxes.boxes().isEmpty());
}

TEST_F(KouTest, RecordsNameTheModeAndTheVisibleAngleBoxes) {
    enter({"0", "0", "45", "100", "0", "135"});
    press(w->Command1);
    // Included angles; the hidden direction boxes keep 45 and 135.
    w->Option2->setChecked(true);
    EXPECT_TRUE(w->Text4->isVisible() && w->Text8->isVisible());
    EXPECT_TRUE(w->Text3->isHidden() && w->Text7->isHidden());
    enter({"0", "0", "315.0000", "100", "0", "45"});
    press(w->Command1);
    EXPECT_EQ(boxTexts(), (QStringList{"0", "0", "45", "315.0000", "100", "0", "135", "45"}));
    EXPECT_EQ(decodedFile(desktop, kFile),
              crlf({separatorLine(), "---交点　方向角計算---", "基点A-X 0  基点A-Y 0  A 角度 45",
                    "基点B-X 100  基点B-Y 0  B 角度 135", "求点 X  50   AP距離  70.7107 m",
                    "求点 Y  50   BP距離  70.7107 m", separatorLine(), separatorLine(), "---交点　夾角計算---",
                    "基点A-X 0  基点A-Y 0  A 角度 315.0000", "基点B-X 100  基点B-Y 0  B 角度 45",
                    "求点 X  50   AP距離  70.7107 m", "求点 Y -50   BP距離  70.7107 m", separatorLine()}));
}

TEST_F(KouTest, UnsuitableInputAndParallelLinesAreRefused) {
    struct Case {
        bool direction;
        QStringList in;
        const char* why;
    };
    const Case cases[] = {
        {true, {"0", "0", "45", "100", "0", ""}, "an empty angle"},
        {true, {"0", "0.0", "0", "0", "-0", "0"}, "all six zero"},
        {true, {"10", "20", "45", "10", "20", "135"}, "A and B typed alike"},
        {true, {"0", "0", "45", "100", "0", "abc"}, "letters"},
        {true, {"0", "0", "45", "100", "0", "45"}, "the same direction"},
        {true, {"0", "0", "0", "100", "0", "180"}, "opposite directions"},
        {false, {"0", "0", "10", "100", "0", "190"}, "included angles a half turn apart"},
        {true, {"1e308", "0", "45", "-1e308", "0", "135"}, "beyond a double"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        choose(c.direction ? w->Option1 : w->Option2);
        enter(c.in);
        boxes.reset();
        press(w->Command1);
        ASSERT_EQ(boxes.boxes().size(), 1);
        EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("注意"));
        EXPECT_EQ(boxTexts(), QStringList(8, QString()));
        EXPECT_EQ(results(), QStringList(4, QString()));
        EXPECT_EQ(QApplication::focusWidget(), w->Text1);
        EXPECT_EQ(w->directionMode(), c.direction);
    }
    EXPECT_FALSE(desktop.exists(kFile));
}

}  // namespace

namespace {

struct KouFrame : FrameCase<交点> {
    static constexpr std::size_t resultPoints = 1;
    static inline const QStringList tabOrder{"Text1",    "Text2",    "Text3",    "Text5",    "Text6",  "Text7",
                                             "Command1", "Command2", "Command3", "Command4", "Option1"};
    static void enterValid(Screen* w) {
        fill(w, {{"Text1", "0"}, {"Text2", "0"}, {"Text3", "45"}, {"Text5", "100"}, {"Text6", "0"}, {"Text7", "135"}});
    }
    // Parallel lines: refused only after the computation has begun.
    static void enterInvalid(Screen* w) {
        fill(w, {{"Text1", "0"}, {"Text2", "0"}, {"Text3", "45"}, {"Text5", "100"}, {"Text6", "0"}, {"Text7", "45"}});
    }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(交点, FileScreenFrame, KouFrame);

namespace {

TEST(KouLayout, NothingClippedOrOverlapping) {
    ScriptedSeam boxes;
    auto* w = openWindow(new 交点);
    for (QLabel* l : {w->Label8, w->Label9, w->Label12, w->Label13}) l->setText(QStringLiteral("-123456.1234"));
    expectNothingClippedOrOverlapping(w);
    w->close();
}

}  // namespace
