// 方向距離 driven through its real controls.
#include "screens/points/HouScreen.h"
#include "support/FileScreenFrame.h"
#include "support/Layout.h"

namespace {

const QString kFile = QStringLiteral("方向・距離DATA.TXT");
const QString kQuestion = QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ 方向・距離DATA.txtファイルも削除しますか？");

class HouTest : public ScreenTest {
protected:
    方向距離* w = nullptr;
    void SetUp() override { w = openWindow(new 方向距離); }

    void enter(const QString& x1, const QString& y1, const QString& x2, const QString& y2) {
        typeInto(w->Text1, x1);
        QTest::keyClick(w->Text1, Qt::Key_Tab);
        typeText(QApplication::focusWidget(), y1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        typeText(QApplication::focusWidget(), x2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        typeText(QApplication::focusWidget(), y2);
    }
    QStringList results() const {
        return {w->Label7->text(), w->Label8->text(), w->Label9->text(), w->Label14->text()};
    }
    QStringList boxTexts() const { return {w->Text1->text(), w->Text2->text(), w->Text3->text(), w->Text4->text()}; }
};

TEST_F(HouTest, ExampleShowsResultsAndWritesTheRecord) {
    enter("0", "0", "100", "100");
    press(w->Command1);
    EXPECT_EQ(results(), (QStringList{"45", "0", "0", "141.421"}));
    EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    EXPECT_EQ(w->Text1->selectedText(), QStringLiteral("0"));
    EXPECT_TRUE(w->Timer1->isActive());
    EXPECT_EQ(w->Timer1->interval(), 50);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(decodedFile(desktop, kFile), crlf({separatorLine(), "基準 X 0", "基準 Y 0", "後視 X 100", "後視 Y 100",
                                                 "方向角  45 - 0 - 0   距　離 141.421 m", separatorLine()}));

    enter("100.0", "-20", "0", "-120");
    press(w->Command1);
    EXPECT_EQ(results(), (QStringList{"225", "0", "0", "141.421"}));
}

TEST_F(HouTest, DirectionsOfTheCompassPoints) {
    struct Case {
        const char *x2, *y2;
        QStringList shown;
    };
    const Case cases[] = {
        {"100", "-100", {"315", "0", "0", "141.421"}},
        {"0", "100", {"90", "0", "0", "100"}},
        {"-100", "0", {"180", "0", "0", "100"}},
        {"100", "0", {"0", "0", "0", "100"}},
        {"0", "-100", {"270", "0", "0", "100"}},
        // 359°59′59.6″ carries round to 0°00′00″.
        {"100", "-0.000193925", {"0", "0", "0", "100"}},
        // 12abc counts as 12, letters alone as 0.
        {"12abc", "xyz", {"0", "0", "0", "12"}},
    };
    for (const Case& c : cases) {
        enter("0", "0", c.x2, c.y2);
        press(w->Command1);
        EXPECT_EQ(results(), c.shown) << c.x2 << ", " << c.y2;
    }
    EXPECT_TRUE(boxes.boxes().isEmpty());
}

TEST_F(HouTest, RefusedInputEmptiesTheScreenAndWritesNothing) {
    // A finished calculation first, so that emptying can be seen.
    enter("1", "2", "3", "4");
    press(w->Command1);
    desktop.bytes(kFile);
    const QByteArray before = desktop.bytes(kFile);

    const QStringList refused[] = {
        {"10", "20", "10", "20"},       // the same point typed twice
        {"10", "", "30", "40"},         // an empty box
        {"1e308", "0", "-1e308", "0"},  // a distance beyond a double
        {"1e400", "0", "0", "0"},       // a box beyond a double
    };
    for (const QStringList& in : refused) {
        boxes.reset();
        enter(in[0], in[1], in[2], in[3]);
        press(w->Command1);
        ASSERT_EQ(boxes.boxes().size(), 1) << in.join(',').toStdString();
        EXPECT_EQ(boxes.boxes()[0].prompt,
                  QStringLiteral("入力されていないデータがあるか、データが適切ではありません。"));
        EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("注意"));
        EXPECT_EQ(boxes.boxes()[0].style, 16);
        EXPECT_EQ(boxTexts(), QStringList(4, QString()));
        EXPECT_EQ(results(), QStringList(4, QString()));
        EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    }
    EXPECT_EQ(desktop.bytes(kFile), before);
}

TEST_F(HouTest, EqualValuesTypedDifferentlyAreAccepted) {
    enter("10", "20", "10.0", "20");
    press(w->Command1);
    EXPECT_EQ(results(), (QStringList{"45", "0", "0", "0"}));
    EXPECT_TRUE(desktop.exists(kFile));
}

TEST_F(HouTest, AnUnencodableCharacterKeepsTheResultsAndWritesNothing) {
    enter("0", "0", "100", QStringLiteral("100한"));
    press(w->Command1);
    EXPECT_EQ(results(), (QStringList{"45", "0", "0", "141.421"}));
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].style, 16);
    EXPECT_TRUE(boxes.boxes()[0].prompt.contains(QStringLiteral("「한」")));
    EXPECT_TRUE(boxes.boxes()[0].prompt.contains(desktop.file(kFile)));
    EXPECT_FALSE(desktop.exists(kFile));
}

TEST_F(HouTest, AFileThatCannotBeWrittenIsReportedAndTheProgramGoesOn) {
    // A folder where the file should be: the append cannot open it.
    ASSERT_TRUE(QDir().mkpath(desktop.file(kFile)));
    enter("0", "0", "100", "100");
    press(w->Command1);
    EXPECT_EQ(results(), (QStringList{"45", "0", "0", "141.421"}));
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].style, 16);
    EXPECT_TRUE(boxes.boxes()[0].prompt.contains(desktop.file(kFile)));
    EXPECT_TRUE(w->isVisible());
}

}  // namespace

namespace {

struct HouFrame : FrameCase<方向距離> {
    static inline const QStringList tabOrder{"Text1",    "Text2",    "Text3",    "Text4",
                                             "Command1", "Command2", "Command3", "Command4"};
    static void enterValid(Screen* w) { fill(w, {{"Text1", "0"}, {"Text2", "0"}, {"Text3", "1"}, {"Text4", "1"}}); }
    // The same point typed twice.
    static void enterInvalid(Screen* w) { fill(w, {{"Text1", "5"}, {"Text2", "6"}, {"Text3", "5"}, {"Text4", "6"}}); }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(方向距離, FileScreenFrame, HouFrame);

namespace {

TEST(HouLayout, NothingClippedOrOverlapping) {
    ScriptedSeam boxes;
    auto* w = openWindow(new 方向距離);
    for (QLabel* l : {w->Label7, w->Label8, w->Label9}) l->setText(QStringLiteral("359"));
    w->Label14->setText(QStringLiteral("123456789.123"));
    expectNothingClippedOrOverlapping(w);
    w->close();
}

}  // namespace
