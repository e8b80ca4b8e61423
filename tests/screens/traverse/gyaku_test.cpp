// 逆トラ driven through its real controls: the angle from the backsight,
// the distance to the target and the nine-line record.
#include "screens/traverse/GyakuScreen.h"
#include "support/FileScreenFrame.h"
#include "support/Layout.h"

namespace {

const QString kFile = QStringLiteral("逆ﾄﾗﾊﾞｰｽDATA.TXT");

class GyakuTest : public ScreenTest {
protected:
    逆トラ* w = nullptr;
    void SetUp() override { w = openWindow(new 逆トラ); }

    // Types the six boxes the way a user does, from Text1 with TAB between.
    void enter(const QStringList& texts) { typeWithTab(w->Text1, texts); }
    QStringList boxTexts() const {
        return {w->Text1->text(), w->Text2->text(), w->Text3->text(),
                w->Text4->text(), w->Text5->text(), w->Text6->text()};
    }
    QStringList results() const {
        return {w->Label10->text(), w->Label11->text(), w->Label12->text(), w->Label13->text()};
    }
};

TEST_F(GyakuTest, ExampleShowsWritesAndWaitsForTheNextTarget) {
    const QStringList in{"0", "0", "100", "0", "0", "100"};
    enter(in);
    press(w->Command1);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(results(), (QStringList{"90", "0", "0", "100"}));
    EXPECT_EQ(boxTexts(), in);
    EXPECT_EQ(QApplication::focusWidget(), w->Text5);
    EXPECT_EQ(w->Text5->selectedText(), QStringLiteral("0"));
    EXPECT_EQ(decodedFile(desktop, kFile),
              crlf({separatorLine(), "基準 X 0", "基準 Y 0", "後視 X 100", "後視 Y 0", "DATA X 0", "DATA Y 100",
                    "角　度  90 - 0 - 0   距　離  100 m", separatorLine()}));

    // Calculating again unchanged appends the same record again.
    const QByteArray once = desktop.bytes(kFile);
    press(w->Command1);
    EXPECT_EQ(desktop.bytes(kFile), once + once);
}

TEST_F(GyakuTest, AnglesAndDistances) {
    struct Case {
        QStringList in;
        QStringList shown;
    };
    const Case cases[] = {
        // Backsight and target exchanged; a target behind the station.
        {{"0", "0", "0", "100", "100", "0"}, {"270", "0", "0", "100"}},
        {{"0", "0", "100", "0", "-100", "0"}, {"180", "0", "0", "100"}},
        // 359°59′59.6″ carries through the minutes to 0°0′0″.
        {{"0", "0", "100", "0", "100", "-0.000193925"}, {"0", "0", "0", "100"}},
        // Distances to the millimetre, without trailing zeros.
        {{"0", "0", "100", "0", "12.3456", "0"}, {"0", "0", "0", "12.346"}},
        {{"0", "0", "100", "0", "0.3", "0"}, {"0", "0", "0", "0.3"}},
        // A backsight on the station in value but not as typed is taken:
        // it lies at 45°.
        {{"0", "0", "0.0", "0", "0", "100"}, {"45", "0", "0", "100"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in.join(' ').toStdString());
        enter(c.in);
        press(w->Command1);
        EXPECT_EQ(results(), c.shown);
    }
    EXPECT_TRUE(boxes.boxes().isEmpty());
}

TEST_F(GyakuTest, RefusedInputEmptiesEverythingAndWritesNothing) {
    enter({"1", "2", "3", "4", "5", "6"});
    press(w->Command1);
    const QByteArray before = desktop.bytes(kFile);
    ASSERT_FALSE(before.isEmpty());

    const QStringList refused[] = {
        {"0", "0.0", "0", "-0", "0", "0.000"},    // six zeros
        {"1", "2", "3", "4", "abc", "6"},         // letters
        {"1", "2", "3", "4", "5", "12m"},         // a number with a unit
        {"1e400", "0", "0", "0", "1e400", "5"},   // boxes beyond a double
        {"1e308", "0", "0", "0", "-1e308", "0"},  // a distance beyond a double
    };
    for (const QStringList& in : refused) {
        SCOPED_TRACE(in.join(' ').toStdString());
        boxes.reset();
        enter(in);
        press(w->Command1);
        ASSERT_EQ(boxes.boxes().size(), 1);
        EXPECT_EQ(boxes.boxes()[0].style, 16);
        EXPECT_EQ(boxTexts(), QStringList(6, QString()));
        EXPECT_EQ(results(), QStringList(4, QString()));
    }
    EXPECT_EQ(desktop.bytes(kFile), before);
}

TEST(GyakuLayout, NothingClippedOrOverlapping) {
    ScriptedSeam boxes;
    auto* w = openWindow(new 逆トラ);
    w->Label10->setText(QStringLiteral("359"));
    w->Label11->setText(QStringLiteral("59"));
    w->Label12->setText(QStringLiteral("59"));
    w->Label13->setText(QStringLiteral("123456789.123"));
    expectNothingClippedOrOverlapping(w);
    w->close();
}

struct GyakuFrame : FrameCase<逆トラ> {
    static inline const QStringList tabOrder{"Text1", "Text2",    "Text3",    "Text4",    "Text5",
                                             "Text6", "Command1", "Command2", "Command3", "Command4"};
    static void enterValid(Screen* w) {
        fill(w, {{"Text1", "0"}, {"Text2", "0"}, {"Text3", "100"}, {"Text4", "0"}, {"Text5", "0"}, {"Text6", "100"}});
    }
    // The backsight typed as the station.
    static void enterInvalid(Screen* w) {
        fill(w, {{"Text1", "5"}, {"Text2", "6"}, {"Text3", "5"}, {"Text4", "6"}, {"Text5", "0"}, {"Text6", "100"}});
    }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(逆トラ, FileScreenFrame, GyakuFrame);
