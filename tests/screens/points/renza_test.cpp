// 連続座標計算 driven through its real controls: the chain of legs, the
// carried full-precision base point and the record of each leg.
#include <QDir>

#include "screens/points/RenzaScreen.h"
#include "support/FileScreenFrame.h"
#include "support/Layout.h"

namespace {

const QString kFile = QStringLiteral("連続座標計算DATA.TXT");

class RenzaTest : public ScreenTest {
protected:
    連続座標計算* w = nullptr;
    void SetUp() override { w = openWindow(new 連続座標計算); }

    // Types a leg's angle and distance and calculates.
    void leg(const QString& angle, const QString& distance) {
        typeInto(w->Text3, angle);
        QTest::keyClick(w->Text3, Qt::Key_Tab);
        typeText(QApplication::focusWidget(), distance);
        press(w->Command1);
    }
    void start(const QString& x, const QString& y, const QString& angle, const QString& distance) {
        typeInto(w->Text1, x);
        typeInto(w->Text2, y);
        leg(angle, distance);
    }
    QStringList results() const { return {w->Label7->text(), w->Label9->text()}; }
    QStringList base() const { return {w->Text1->text(), w->Text2->text()}; }
    static QStringList record(const QStringList& typed, const QString& pointLine) {
        return {separatorLine(), "基準 X " + typed[0], "基準 Y " + typed[1], "方向角 " + typed[2], "距　離 " + typed[3],
                pointLine,       separatorLine()};
    }
};

// The example: the new point is shown to the millimetre, carried on
// unrounded, and the next leg starts from it.
TEST_F(RenzaTest, TheChainCarriesTheUnroundedPoint) {
    start("0", "0", "45.0000", "100");
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(results(), (QStringList{"70.711", "70.711"}));
    // cos 45° and sin 45° differ in their last bit as doubles.
    EXPECT_EQ(base(), (QStringList{"70.7106781186548", "70.7106781186547"}));
    // The boxes show the numbers from their first digit.
    EXPECT_EQ(w->Text1->cursorPosition(), 0);
    EXPECT_EQ(w->Text2->cursorPosition(), 0);
    EXPECT_EQ(w->Text4->text(), QStringLiteral("100"));
    EXPECT_EQ(QApplication::focusWidget(), w->Text3);
    EXPECT_EQ(w->Text3->selectedText(), QStringLiteral("45.0000"));

    // Typing straight away replaces the angle; the distance stays.
    typeText(QApplication::focusWidget(), QStringLiteral("135.0000"));
    press(w->Command1);
    EXPECT_EQ(results(), (QStringList{"0", "141.421"}));
    EXPECT_EQ(decodedFile(desktop, kFile),
              crlf(record({"0", "0", "45.0000", "100"}, "X座標  70.711   Y座標 70.711 ") +
                   record({"70.7106781186548", "70.7106781186547", "135.0000", "100"}, "X座標  0   Y座標 141.421 ")));
}

TEST_F(RenzaTest, ThreeLegsRoundASquareAndALegOfNoLength) {
    struct Leg {
        const char *angle, *distance;
        QStringList shown, carried;
    };
    const Leg legs[] = {
        {"0.0000", "100", {"100", "0"}, {"100", "0"}},
        {"90.0000", "100", {"100", "100"}, {"100", "100"}},
        // cos 180° is exact, sin 180° is not: Y carries 100.00000000000001.
        {"180.0000", "100", {"0", "100"}, {"0", "100"}},
        {"180.0000", "0", {"0", "100"}, {"0", "100"}},
    };
    typeInto(w->Text1, "0");
    typeInto(w->Text2, "0");
    for (const Leg& l : legs) {
        SCOPED_TRACE(l.angle);
        leg(l.angle, l.distance);
        EXPECT_EQ(results(), l.shown);
        EXPECT_EQ(base(), l.carried);
    }
    EXPECT_TRUE(boxes.boxes().isEmpty());
    // One record a leg.
    EXPECT_EQ(decodedFile(desktop, kFile).count(QStringLiteral("\r\n")), 4 * 7);
}

TEST_F(RenzaTest, RefusedInputEndsTheChainAndWritesNothing) {
    start("10", "20", "30", "40");
    const QByteArray before = desktop.bytes(kFile);
    ASSERT_FALSE(before.isEmpty());

    const QStringList refused[] = {
        {"10", "20", "30", ""},        // an empty box
        {"10", "abc", "30", "40"},     // letters
        {"1e308", "0", "0", "1e308"},  // a new point beyond a double
    };
    for (const QStringList& in : refused) {
        SCOPED_TRACE(in.join(' ').toStdString());
        boxes.reset();
        start(in[0], in[1], in[2], in[3]);
        ASSERT_EQ(boxes.boxes().size(), 1);
        EXPECT_EQ(boxes.boxes()[0].style, 16);
        EXPECT_EQ(base(), (QStringList{"", ""}));
        EXPECT_EQ(results(), (QStringList{"", ""}));
    }
    EXPECT_EQ(desktop.bytes(kFile), before);
}

// A leg whose record could not be written stays on the screen but does not
// move the base point, so the leg can be calculated again once the file is
// writable, and the log has no gap. Then the base is the new point
// unrounded (at 45 degrees, where every system's sine and cosine agree to
// the digits shown).
TEST_F(RenzaTest, ALegThatIsNotWrittenIsNotChained) {
    ASSERT_TRUE(QDir().mkpath(desktop.file(kFile)));
    start("0", "0", "45", "100");
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].style, 16);
    EXPECT_EQ(results(), (QStringList{"70.711", "70.711"}));
    EXPECT_EQ(base(), (QStringList{"0", "0"}));
    EXPECT_EQ(QApplication::focusWidget(), w->Text3);

    ASSERT_TRUE(QDir(desktop.file(kFile)).removeRecursively());
    boxes.reset();
    press(w->Command1);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(base(), (QStringList{"70.7106781186548", "70.7106781186547"}));
    EXPECT_EQ(decodedFile(desktop, kFile).count(QStringLiteral("\r\n")), 7);
}

TEST(RenzaLayout, NothingClippedOrOverlapping) {
    ScriptedSeam boxes;
    auto* w = openWindow(new 連続座標計算);
    w->Label7->setText(QStringLiteral("-123456789.123"));
    w->Label9->setText(QStringLiteral("-123456789.123"));
    expectNothingClippedOrOverlapping(w);
    w->close();
}

struct RenzaFrame : FrameCase<連続座標計算> {
    static constexpr std::size_t resultPoints = 1;
    static inline const QStringList tabOrder{"Text1",    "Text2",    "Text3",    "Text4",
                                             "Command1", "Command2", "Command3", "Command4"};
    static void enterValid(Screen* w) { fill(w, {{"Text1", "0"}, {"Text2", "0"}, {"Text3", "45"}, {"Text4", "10"}}); }
    // All four zero.
    static void enterInvalid(Screen* w) { fill(w, {{"Text1", "0"}, {"Text2", "0"}, {"Text3", "0"}, {"Text4", "0"}}); }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(連続座標計算, FileScreenFrame, RenzaFrame);
