// 結合トラ driven through its real controls.
#include <QFile>
#include <QPointer>

#include "frame/Navigation.h"
#include "screens/traverse/KetsugouScreen.h"
#include "shell/HelpWindows.h"
#include "shell/Windows.h"
#include "support/FileScreenFrame.h"
#include "support/Layout.h"

namespace {

const QString kFile = QStringLiteral("結合ﾄﾗﾊﾞｰｽDATA.TXT");
const QString kInputError = QStringLiteral("入力されていないデータがあるか、データが適切ではありません。");
const QString kSeeTheFile =
    QStringLiteral("計算結果についてはﾃﾞｽｸﾄｯﾌﾟに保存された 結合ﾄﾗﾊﾞｰｽDATA.TXT ﾌｧｲﾙを参照して下さい。");

// The report of the worked example as the arithmetic makes it (its lines
// are checked one by one on their own).
QStringList workedReport() {
    const survey::TraverseKnown known{3, 1000, 1000, 1109.004, 1371.607, 240, 80, "240"};
    std::vector<survey::Station> stations;
    for (const auto& [angle, distance] :
         {std::pair{180.0010, 150.010}, {215.0, 120.0}, {154.5950, 129.995}, {190.0020, 0.0}})
        stations.push_back({survey::packedToDegrees(angle), distance});
    const survey::Record report =
        survey::traverseReport(*survey::adjustTraverse(known, stations, survey::degreeConstant()));
    QStringList lines;
    for (const std::string& line : report.lines()) lines << QString::fromStdString(line);
    return lines;
}

class KetsugouTest : public ScreenTest {
protected:
    結合トラ* w = nullptr;
    void SetUp() override { w = openWindow(new 結合トラ); }

    void enterKnown(const QString& surveyClass, const QString& xA, const QString& yA, const QString& xB,
                    const QString& yB, const QString& alpha, const QString& beta) {
        typeInto(w->Text11, surveyClass);
        // The rest in tab order, as a user types them.
        for (const QString& text : {xA, yA, xB, yB, alpha, beta}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            typeText(QApplication::focusWidget(), text);
        }
    }
    // Angle, TAB, distance, INPUT.
    void station(const QString& angle, const QString& distance) {
        typeInto(w->Text9, angle);
        QTest::keyClick(w->Text9, Qt::Key_Tab);
        typeText(QApplication::focusWidget(), distance);
        press(w->Command1);
    }
    void workedExample() {
        enterKnown("3", "1000", "1000", "1109.004", "1371.607", "240", "80");
        station("180.0010", "150.010");
        station("215", "120");
        station("154.5950", "129.995");
        station("190.0020", "");
    }
    QStringList leg() const { return {w->Label16->text(), w->Label18->text()}; }
    QStringList boxTexts() const {
        QStringList texts;
        for (const QLineEdit* box :
             {w->Text11, w->Text1, w->Text2, w->Text3, w->Text4, w->Text5, w->Text6, w->Text9, w->Text10})
            texts << box->text();
        return texts;
    }
    QStringList fileLines() const {
        QStringList lines = decodedFile(desktop, kFile).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        return lines;
    }
    void expectOnly(const QString& prompt, int style, const QString& title) {
        require(boxes.boxes().size() == 1, std::to_string(boxes.boxes().size()) + " message boxes, not one");
        EXPECT_EQ(boxes.boxes()[0].prompt, prompt);
        EXPECT_EQ(boxes.boxes()[0].style, style);
        EXPECT_EQ(boxes.boxes()[0].title, title);
    }
    // The screen as it stands after load or a reset: empty, leg A → 1.
    void expectEmptyScreen() {
        EXPECT_EQ(boxTexts(), QStringList(9));
        EXPECT_EQ(leg(), (QStringList{"A", "1"}));
        EXPECT_TRUE(w->Label15->text().isEmpty());
        EXPECT_EQ(w->stationCount(), 0u);
        EXPECT_EQ(QApplication::focusWidget(), w->Text11);
    }
};

TEST_F(KetsugouTest, LoadStateAndLayout) {
    EXPECT_TRUE(w->Label15->isHidden());
    EXPECT_TRUE(w->Label12->isHidden());
    EXPECT_FALSE(w->Timer1->isActive());
    expectEmptyScreen();

    // The widest legs the list can show.
    w->Label16->setText(QStringLiteral("21"));
    w->Label18->setText(QStringLiteral("22"));
    expectNothingClippedOrOverlapping(w);
}

TEST_F(KetsugouTest, WorkedExampleFromTheKeyboard) {
    enterKnown("3", "1000", "1000", "1109.004", "1371.607", "240", "80");
    station("180.0010", "150.010");
    // The angle stays and is selected for the next station; the distance goes.
    EXPECT_EQ(leg(), (QStringList{"1", "2"}));
    EXPECT_EQ(QApplication::focusWidget(), w->Text9);
    EXPECT_EQ(w->Text9->selectedText(), QStringLiteral("180.0010"));
    EXPECT_TRUE(w->Text10->text().isEmpty());
    station("215", "120");
    station("154.5950", "129.995");
    EXPECT_EQ(leg(), (QStringList{"3", "4"}));
    station("190.0020", "");  // no distance at B
    EXPECT_EQ(leg(), (QStringList{"4", "5"}));
    EXPECT_EQ(w->stationCount(), 4u);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_FALSE(desktop.exists(kFile));

    press(w->Command2);
    expectOnly(kSeeTheFile, 64, QStringLiteral("計算結果"));
    EXPECT_EQ(QApplication::focusWidget(), w->Text11);
    EXPECT_TRUE(w->Timer1->isActive());
    // The marker holds |W| (20″); the boxes keep what was typed.
    EXPECT_NEAR(w->Label15->text().toDouble() * 3600, 20, 1e-6);
    EXPECT_EQ(boxTexts(), (QStringList{"3", "1000", "1000", "1109.004", "1371.607", "240", "80", "190.0020", ""}));

    EXPECT_EQ(fileLines(), workedReport());
    // Tα in CP932: Greek alpha is 83 BF.
    EXPECT_TRUE(desktop.bytes(kFile).contains(QByteArray("\r\nT\x83\xbf 240\r\n")));
}

TEST_F(KetsugouTest, TheListIsNotConsumedByACalculation) {
    workedExample();
    press(w->Command2);
    const QByteArray once = desktop.bytes(kFile);
    press(w->Command2);
    EXPECT_EQ(desktop.bytes(kFile), once + once);
    EXPECT_EQ(boxes.boxes().size(), 2);

    // One more pair after B's: the old B pair becomes an intermediate one.
    station("180", "10");
    EXPECT_EQ(leg(), (QStringList{"5", "6"}));
    press(w->Command2);
    EXPECT_EQ(fileLines().size(), 39 + 39 + 15 + 7 * 4 + 3);
}

TEST_F(KetsugouTest, AMissingBoxAtInputReloadsTheScreen) {
    workedExample();
    press(w->Command2);
    const QByteArray written = desktop.bytes(kFile);
    for (int i = 0; i < 3; ++i) w->Timer1_Timer();
    boxes.reset();

    // The angle and every known datum are needed; the class and the
    // distance are not (both empty here is fine).
    typeInto(w->Text11, "");
    typeInto(w->Text10, "");
    press(w->Command1);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(leg(), (QStringList{"5", "6"}));

    typeInto(w->Text5, "");
    press(w->Command1);
    expectOnly(kInputError, 16, QStringLiteral("注意"));
    expectEmptyScreen();
    // Opened afresh: the line stands still where it starts.
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_EQ(w->instructionLeft(), 840.0f);

    // The report is forgotten: C L S asks nothing.
    boxes.reset();
    press(w->Command3);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(desktop.bytes(kFile), written);
}

TEST_F(KetsugouTest, RefusedCalculationsResetWithoutReloading) {
    workedExample();
    press(w->Command2);
    const QByteArray written = desktop.bytes(kFile);
    boxes.answer(Module1::No);
    press(w->Command3);

    struct Case {
        const char* why;
        QStringList known;  // class, A, B, Tα, Tβ
        QStringList angles, distances;
        QLineEdit* erasedBeforeCalculation;
    };
    const QStringList worked{"3", "1000", "1000", "1109.004", "1371.607", "240", "80"};
    const QStringList pairs{"180", "180", "180"};
    const Case cases[] = {
        {"two pairs", worked, {"180", "180"}, {"10", ""}, nullptr},
        {"no Tβ", worked, pairs, {"10", "10", ""}, w->Text6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        boxes.reset();
        enterKnown(c.known[0], c.known[1], c.known[2], c.known[3], c.known[4], c.known[5], c.known[6]);
        for (int i = 0; i < c.angles.size(); ++i) station(c.angles[i], c.distances[i]);
        if (c.erasedBeforeCalculation) typeInto(c.erasedBeforeCalculation, "");
        press(w->Command2);
        expectOnly(kInputError, 16, QStringLiteral("注意"));
        expectEmptyScreen();
        // Not reloaded: the instruction line goes on moving.
        EXPECT_TRUE(w->Timer1->isActive());
        EXPECT_EQ(desktop.bytes(kFile), written);
    }
}

// Refusals that the list's length or a missing datum do not explain keep
// the list and the boxes, with the focus in the box at fault.
TEST_F(KetsugouTest, OtherRefusalsKeepTheListAndTheBoxes) {
    const QStringList worked{"3", "1000", "1000", "1109.004", "1371.607", "240", "80"};
    struct Case {
        const char* why;
        QStringList known;  // class, A, B, Tα, Tβ
        QStringList distances;
        QLineEdit* atFault;
        std::size_t stored;
    };
    const Case cases[] = {
        {"no length", worked, {"", "", ""}, w->Text10, 3},
        {"a distance whose square overflows", worked, {"1e200", "10", ""}, w->Text10, 3},
        {"Tα beyond a double",
         {"3", "1000", "1000", "1109.004", "1371.607", "1e400", "80"},
         {"10", "10", ""},
         w->Text5,
         3},
        {"absurd coordinates", {"3", "1e308", "0", "-1e308", "0", "240", "80"}, {"10", "10", ""}, w->Text1, 3},
        {"a distance beyond a double at INPUT", worked, {"10", "10", "1e400"}, w->Text10, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        press(w->Command3);
        boxes.reset();
        enterKnown(c.known[0], c.known[1], c.known[2], c.known[3], c.known[4], c.known[5], c.known[6]);
        for (const QString& distance : c.distances) station("180", distance);
        const QStringList typed = boxTexts();
        if (c.stored == 3) press(w->Command2);
        expectOnly(kInputError, 16, QStringLiteral("注意"));
        EXPECT_EQ(w->stationCount(), c.stored);
        EXPECT_EQ(boxTexts(), typed);
        EXPECT_EQ(QApplication::focusWidget(), c.atFault);
        EXPECT_FALSE(desktop.exists(kFile));
    }
}

TEST_F(KetsugouTest, TheTwentySecondPairIsRefusedAndTheListKept) {
    // A straight line due north, 20 legs of 100 m, from (0, 0) to (2000, 0).
    enterKnown("1", "0", "0", "2000", "0", "0", "0");
    station("0", "100");
    for (int i = 0; i < 19; ++i) station("180", "100");
    station("180", "");
    ASSERT_EQ(w->stationCount(), 21u);
    ASSERT_EQ(leg(), (QStringList{"21", "22"}));
    ASSERT_TRUE(boxes.boxes().isEmpty());

    station("200", "5");
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].style, 16);
    EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("注意"));
    EXPECT_TRUE(boxes.boxes()[0].prompt.contains(QStringLiteral("21点")));
    EXPECT_EQ(w->stationCount(), 21u);
    EXPECT_EQ(leg(), (QStringList{"21", "22"}));
    EXPECT_EQ(w->Text9->text(), QStringLiteral("200"));
    EXPECT_EQ(w->Text10->text(), QStringLiteral("5"));

    // Even with a box missing the full list is not thrown away.
    typeInto(w->Text1, "");
    press(w->Command1);
    EXPECT_EQ(w->stationCount(), 21u);
    typeInto(w->Text1, "0");

    press(w->Command2);
    EXPECT_EQ(fileLines().size(), 15 + 7 * 20 + 3);
}

TEST_F(KetsugouTest, ClearEmptiesTheListAndAsksOnlyAfterAReport) {
    workedExample();
    press(w->Command3);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    expectEmptyScreen();

    workedExample();
    press(w->Command2);
    boxes.reset();
    boxes.answer(Module1::No);
    press(w->Command3);
    expectOnlyDeleteQuestion(boxes, QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ 結合ﾄﾗﾊﾞｰｽDATA.txtファイルも削除しますか？"));
    expectEmptyScreen();
    EXPECT_TRUE(w->Timer1->isActive());
    // The next traverse starts from station A again.
    boxes.reset();
    workedExample();
    press(w->Command2);
    EXPECT_EQ(fileLines().size(), 2 * 39);
}

TEST_F(KetsugouTest, AReportThatCannotBeWrittenLeavesNoMarker) {
    // A file where the Desktop folder should be.
    QFile blocker(desktop.folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    workedExample();
    press(w->Command2);
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].style, 16);
    EXPECT_NE(boxes.boxes()[0].title, QStringLiteral("計算結果"));
    EXPECT_TRUE(w->Label15->text().isEmpty());
    EXPECT_EQ(w->stationCount(), 4u);
    boxes.reset();
    press(w->Command5);
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(boxes.ends(), 1);
}

TEST_F(KetsugouTest, TheExplanationOpensOverTheScreenAndGivesTheFocusBack) {
    Navigation::setOpener(QStringLiteral("結合説明"), [] { showOnce<結合説明>(); });
    auto settle = [] {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    };
    workedExample();
    const QStringList typed = boxTexts();

    // Closed with its own button, then with the window's close box.
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "閉じる");
        press(w->Command6);
        QPointer<結合説明> help = openWindowOf<結合説明>();
        ASSERT_FALSE(help.isNull());
        EXPECT_FALSE(help->isModal());
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(QTest::qWaitForWindowActive(help));
        if (closeBox) help->close();
        else press(help->Command1);
        settle();
        EXPECT_TRUE(help.isNull());
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        EXPECT_EQ(QApplication::focusWidget(), w->Text11);
        EXPECT_EQ(boxTexts(), typed);
        EXPECT_EQ(w->stationCount(), 4u);
    }
    Navigation::setOpener(QStringLiteral("結合説明"), nullptr);
}

struct KetsugouFrame : FrameCase<結合トラ> {
    static constexpr std::size_t resultPoints = 1;  // the one station between A and B
    static constexpr bool resultsShown = false;
    static inline const QStringList tabOrder{"Text11",   "Text1",    "Text2",    "Text3",    "Text4",
                                             "Text5",    "Text6",    "Text9",    "Text10",   "Command1",
                                             "Command2", "Command3", "Command4", "Command5", "Command6"};
    static constexpr const char* calculateButton = "Command2";
    static constexpr const char* clearButton = "Command3";
    static constexpr const char* exitButton = "Command5";
    static constexpr const char* clearFocus = "Text11";
    static constexpr const char* refusalFocus = "Text11";
    static constexpr int boxesPerCalculation = 1;  // "see the file"

    static void known(Screen* w) {
        fill(w, {{"Text11", "3"},
                 {"Text1", "0"},
                 {"Text2", "0"},
                 {"Text3", "200"},
                 {"Text4", "0"},
                 {"Text5", "0"},
                 {"Text6", "0"}});
    }
    static void pair(Screen* w, const QString& angle, const QString& distance) {
        fill(w, {{"Text9", angle}, {"Text10", distance}});
        press(w->Command1);
    }
    static void enterValid(Screen* w) {
        known(w);
        pair(w, "0", "100");
        pair(w, "180", "100");
        pair(w, "180", "");
    }
    static void typeOverflow(Screen* w) { fill(w, {{"Text11", "1e400"}}); }  // 区分
    // Two pairs are no traverse.
    static void enterInvalid(Screen* w) {
        known(w);
        pair(w, "0", "100");
        pair(w, "180", "");
    }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(結合トラ, FileScreenFrame, KetsugouFrame);
