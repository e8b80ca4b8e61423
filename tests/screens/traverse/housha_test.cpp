// 放射トラ driven through its real controls.
#include <QAccessible>

#include "screens/traverse/HoushaScreen.h"
#include "support/FileScreenFrame.h"

namespace {

const QString kFile = QStringLiteral("放射トラバースDATA.TXT");
const QString kQuestion = QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ 放射トラバースDATA.txtファイルも削除しますか？");

const QString kInputError = QStringLiteral("入力されていないデータがあるか、データが適切ではありません。");

class HoushaTest : public ScreenTest {
protected:
    放射トラ* w = nullptr;
    void SetUp() override { w = openWindow(new 放射トラ); }

    // Types the boxes the way a user does: Text1, then TAB to each next box
    // (the hidden backsight boxes are skipped in direction-angle mode).
    void enter(const QStringList& texts) { typeWithTab(w->Text1, texts); }
    QStringList boxTexts() const {
        return {w->Text1->text(), w->Text2->text(), w->Text3->text(),
                w->Text4->text(), w->Text5->text(), w->Text6->text()};
    }
    QStringList results() const { return {w->Label10->text(), w->Label11->text()}; }
};

TEST_F(HoushaTest, LoadStateAndTheOptionsInTheTabOrder) {
    // Included-angle mode with neither option marked.
    EXPECT_FALSE(w->Option1->isChecked());
    EXPECT_FALSE(w->Option2->isChecked());
    EXPECT_FALSE(w->directionMode());
    EXPECT_TRUE(w->Text3->isVisible());
    EXPECT_EQ(boxTexts(), QStringList(6, QString()));
    EXPECT_EQ(results(), QStringList(2, QString()));

    // The options are one stop after the buttons; the arrow moves between
    // them and the space bar chooses.
    w->Command4->setFocus();
    QTest::keyClick(w->Command4, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w->Option1);
    QTest::keyClick(w->Option1, Qt::Key_Right);
    ASSERT_EQ(QApplication::focusWidget(), w->Option2);
    QTest::keyClick(w->Option2, Qt::Key_Space);
    EXPECT_TRUE(w->Option2->isChecked());
    EXPECT_FALSE(w->directionMode());
    EXPECT_EQ(QApplication::focusWidget(), w->Text1);
}

TEST_F(HoushaTest, OptionButtonsSwitchTheModeWithoutEmptyingAnything) {
    enter({"1", "2", "3", "4", "5", "6"});
    choose(w->Option1);
    EXPECT_TRUE(w->directionMode());
    for (QWidget* hidden : {static_cast<QWidget*>(w->Text3), static_cast<QWidget*>(w->Text4),
                            static_cast<QWidget*>(w->Label3), static_cast<QWidget*>(w->Label6)})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    EXPECT_EQ(w->Text1->selectedText(), QStringLiteral("1"));
    EXPECT_EQ(boxTexts(), (QStringList{"1", "2", "3", "4", "5", "6"}));
    // TAB passes over the hidden boxes.
    QTest::keyClick(w->Text1, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w->Text5);

    choose(w->Option2);
    EXPECT_FALSE(w->directionMode());
    EXPECT_FALSE(w->Text3->isHidden());
    EXPECT_FALSE(w->Label6->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    EXPECT_EQ(boxTexts(), (QStringList{"1", "2", "3", "4", "5", "6"}));
}

// A screen reader toggles the option without a click: the mode follows the
// mark all the same, and so does a change made by the program.
TEST_F(HoushaTest, TheModeFollowsTheOptionHoweverItIsChosen) {
    QAccessibleInterface* option = QAccessible::queryAccessibleInterface(w->Option1);
    ASSERT_NE(option, nullptr);
    QAccessibleActionInterface* actions = option->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(w->Option1->isChecked());
    EXPECT_TRUE(w->directionMode());
    EXPECT_TRUE(w->Text3->isHidden());

    enter({"0", "0", "45", "100"});
    press(w->Command1);
    EXPECT_EQ(results(), (QStringList{"70.7107", "70.7107"}));

    w->Option2->setChecked(true);
    EXPECT_FALSE(w->directionMode());
    EXPECT_FALSE(w->Text3->isHidden());
}

TEST_F(HoushaTest, IncludedAngleExamples) {
    const QStringList east{"0", "0", "100", "0", "90", "100"};
    enter(east);
    press(w->Command1);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(results(), (QStringList{"0", "100"}));
    EXPECT_EQ(QApplication::focusWidget(), w->Text5);
    EXPECT_EQ(w->Text5->selectedText(), QStringLiteral("90"));
    EXPECT_EQ(boxTexts(), east);
    EXPECT_TRUE(w->Timer1->isActive());
    EXPECT_EQ(w->Timer1->interval(), 50);

    // Backsight due south: 180° + 45°.
    enter({"0", "0", "-100", "0", "45", "100"});
    press(w->Command1);
    EXPECT_EQ(results(), (QStringList{"-70.7107", "-70.7107"}));
}

TEST_F(HoushaTest, DirectionAngleExampleAndPackedAngles) {
    choose(w->Option1);
    enter({"0", "0", "45", "100"});
    press(w->Command1);
    EXPECT_EQ(results(), (QStringList{"70.7107", "70.7107"}));
    EXPECT_EQ(QApplication::focusWidget(), w->Text5);

    struct Case {
        QStringList in;
        QStringList shown;
    };
    const Case cases[] = {
        {{"0", "0", "45.6000", "100"}, {"69.4658", "71.934"}},  // 45°60′ is 46°
        {{"0", "0", "46", "100"}, {"69.4658", "71.934"}},
        {{"0", "0", "131.0130", "10"}, {"-6.5639", "7.5442"}},  // 131°01′30″
        {{"0", "0", "45", "-100"}, {"-70.7107", "-70.7107"}},   // behind the station
        {{"10.5", "-20", "0", "0"}, {"10.5", "-20"}},           // the station itself
        {{"1000", "2000", "359.5959", "50.5"}, {"1050.5", "1999.9998"}},
    };
    for (const Case& c : cases) {
        enter(c.in);
        press(w->Command1);
        EXPECT_EQ(results(), c.shown) << c.in.join(' ').toStdString();
    }
    EXPECT_TRUE(boxes.boxes().isEmpty());
}

TEST_F(HoushaTest, SwitchingModesAfterACalculationChangesTheRecord) {
    enter({"0", "0", "100", "0", "90", "100"});
    press(w->Command1);

    // The hidden backsight boxes keep their texts but take no part.
    choose(w->Option1);
    typeInto(w->Text5, "90");
    press(w->Command1);
    EXPECT_EQ(results(), (QStringList{"0", "100"}));
    EXPECT_EQ(w->Text3->text(), QStringLiteral("100"));
    EXPECT_TRUE(decodedFile(desktop, kFile)
                    .endsWith(crlf({separatorLine(), "--方向角計算--", "基準 X 0", "基準 Y 0", "角  度 90  距　離 100m",
                                    "X 座標  0   Y 座標  100 ", separatorLine()})));

    // Back to included angles with the backsight still typed.
    choose(w->Option2);
    typeInto(w->Text5, "180");
    press(w->Command1);
    EXPECT_EQ(results(), (QStringList{"-100", "0"}));
}

TEST_F(HoushaTest, BacksightEqualToTheStationOnlyInValueIsAccepted) {
    // Both differences are nudged: the backsight lies at 45°, plus 45°.
    enter({"0", "0", "0.0", "0", "45", "100"});
    press(w->Command1);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(results(), (QStringList{"0", "100"}));
}

TEST_F(HoushaTest, RefusedInputEmptiesEverythingAndKeepsTheMode) {
    // One valid record first, so that emptying and not writing can be seen.
    enter({"1", "2", "3", "4", "5", "6"});
    press(w->Command1);
    const QByteArray before = desktop.bytes(kFile);
    ASSERT_FALSE(before.isEmpty());

    struct Case {
        bool direction;
        QStringList in;
        const char* why;
    };
    const Case cases[] = {
        {false, {"1", "2", "3", "", "5", "6"}, "empty backsight"},
        {false, {"0", "0.0", "0", "-0", "0", "0"}, "all six zero"},
        {false, {"10", "20", "10", "20", "5", "6"}, "backsight typed as the station"},
        {false, {"1", "2", "3", "4", "abc", "6"}, "letters"},
        {false, {"1", "2", "3", "4", "5", "-"}, "a lone minus"},
        {false, {"1", "2", "3", "4", "5", "12m"}, "a number with a unit"},
        {false, {"1e308", "0", "-1e308", "0", "180", "1e308"}, "X beyond a double"},
        {false, {"-1e308", "-1e308", "1e308", "1e308", "0", "1"}, "no backsight direction"},
        {true, {"1", "2", "5", ""}, "empty distance"},
        {true, {"0", "0", "0.000", "0"}, "all four zero"},
        {true, {"1", "2", "abc", "6"}, "letters"},
        {true, {"1e400", "2", "5", "6"}, "a station beyond a double"},
        {true, {"1e308", "0", "0", "1e308"}, "X beyond a double"},
        {true, {"0", "0", "0", "1e400"}, "a distance beyond a double"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        choose(c.direction ? w->Option1 : w->Option2);
        enter(c.in);
        if (c.direction) {
            // Texts in the hidden boxes change nothing.
            w->Text3->setText(QStringLiteral("7"));
            w->Text4->setText(QStringLiteral("8"));
        }
        boxes.reset();
        press(w->Command1);
        ASSERT_EQ(boxes.boxes().size(), 1);
        EXPECT_EQ(boxes.boxes()[0].prompt, kInputError);
        EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("注意"));
        EXPECT_EQ(boxes.boxes()[0].style, 16);
        EXPECT_EQ(boxTexts(), QStringList(6, QString()));
        EXPECT_EQ(results(), QStringList(2, QString()));
        EXPECT_EQ(QApplication::focusWidget(), w->Text1);
        EXPECT_EQ(w->directionMode(), c.direction);
    }
    EXPECT_EQ(desktop.bytes(kFile), before);
}

TEST_F(HoushaTest, HiddenBacksightBoxesAreNotValidated) {
    w->Text3->setText(QStringLiteral("abc"));
    choose(w->Option1);
    enter({"0", "0", "90", "100"});
    press(w->Command1);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(results(), (QStringList{"0", "100"}));
}

TEST_F(HoushaTest, ClearCountsAResultWithoutBacksightAndEmptiesHiddenBoxes) {
    // A result in direction-angle mode with empty backsight boxes counts.
    choose(w->Option1);
    enter({"0", "0", "45", "100"});
    press(w->Command1);
    const QByteArray written = desktop.bytes(kFile);
    ASSERT_FALSE(written.isEmpty());
    boxes.answer(Module1::No);
    press(w->Command2);
    expectOnlyDeleteQuestion(boxes, kQuestion);
    EXPECT_EQ(desktop.bytes(kFile), written);
    EXPECT_EQ(boxTexts(), QStringList(6, QString()));
    EXPECT_EQ(results(), QStringList(2, QString()));
    EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    EXPECT_TRUE(w->directionMode());

    // Yes deletes, and clearing with a hidden backsight still filled empties it.
    choose(w->Option2);
    enter({"0", "0", "100", "0", "90", "100"});
    press(w->Command1);
    choose(w->Option1);
    boxes.reset();
    boxes.answer(Module1::Yes);
    press(w->Command2);
    EXPECT_EQ(boxes.boxes().size(), 1);
    EXPECT_FALSE(desktop.exists(kFile));
    EXPECT_EQ(boxTexts(), QStringList(6, QString()));
}

}  // namespace

namespace {

struct HoushaFrame : FrameCase<放射トラ> {
    static constexpr std::size_t resultPoints = 1;
    static inline const QStringList tabOrder{"Text1",    "Text2",    "Text3",    "Text4",    "Text5",  "Text6",
                                             "Command1", "Command2", "Command3", "Command4", "Option1"};
    static void enterValid(Screen* w) {
        fill(w, {{"Text1", "0"}, {"Text2", "0"}, {"Text3", "100"}, {"Text4", "0"}, {"Text5", "90"}, {"Text6", "50"}});
    }
    static void enterInvalid(Screen* w) {
        fill(w, {{"Text1", "0"}, {"Text2", "0"}, {"Text3", "100"}, {"Text4", "0"}, {"Text5", "90"}});
    }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(放射トラ, FileScreenFrame, HoushaFrame);
