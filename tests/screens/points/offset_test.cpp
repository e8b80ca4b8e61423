// オフセット driven through its real controls.
#include "screens/points/OffsetScreen.h"
#include "support/FileScreenFrame.h"
#include "support/Layout.h"

namespace {

const QString kFile = QStringLiteral("ｵﾌｾｯﾄDATA.TXT");

class OffsetTest : public ScreenTest {
protected:
    オフセット* w = nullptr;
    void SetUp() override { w = openWindow(new オフセット); }

    void enter(const QStringList& values) { typeWithTab(w->Text1, values); }
    QStringList boxTexts() const {
        return {w->Text1->text(), w->Text2->text(), w->Text3->text(), w->Text4->text(), w->Text5->text()};
    }
    QStringList shownResult() const { return {w->Label6->text(), w->Label7->text(), w->Label9->text()}; }
};

TEST_F(OffsetTest, OffsetsAlongOneLineFollowEachOtherFromText5) {
    enter({"0", "0", "100", "0", "25"});
    press(w->Command1);
    EXPECT_EQ(shownResult(), (QStringList{"25", "0", "0"}));  // a zero marker all the same
    EXPECT_EQ(decodedFile(desktop, kFile), crlf({separatorLine(), "ｵﾌｾｯﾄ 25m", "基準A-X 0", "基準A-Y 0", "基準B-X 100",
                                                 "基準B-Y 0", "X 座標  25   Y 座標  0 ", separatorLine()}));
    // Ready for the next offset: the line stays, the offset is selected.
    EXPECT_EQ(QApplication::focusWidget(), w->Text5);
    EXPECT_EQ(w->Text5->selectedText(), QStringLiteral("25"));

    struct Row {
        const char* offset;
        QStringList shown;  // X, Y, marker
    };
    const Row rows[] = {
        {"100", {"100", "0", "0"}},  // L = D gives B
        {"0", {"0", "0", "0"}},      // L = 0 gives A
        {"-10", {"-10", "0", "0"}},  // behind A
    };
    for (const Row& row : rows) {
        typeText(QApplication::focusWidget(), QString::fromUtf8(row.offset));
        press(w->Command1);
        EXPECT_EQ(shownResult(), row.shown) << row.offset;
        EXPECT_EQ(QApplication::focusWidget(), w->Text5);
    }
    EXPECT_TRUE(boxes.boxes().isEmpty());
    EXPECT_EQ(decodedFile(desktop, kFile).count(QStringLiteral("\r\n")), 4 * 8);
}

TEST_F(OffsetTest, AnObliqueLineAndTheProductMarker) {
    enter({"10", "20", "40", "60", "25.0"});  // a 3-4-5 line, 50 long
    press(w->Command1);
    EXPECT_EQ(shownResult(), (QStringList{"25", "40", "1000"}));
}

TEST_F(OffsetTest, AnOffsetBeyondBIsRefusedWithTheFocusInText5) {
    enter({"0", "0", "100", "0", "30"});
    press(w->Command1);
    const QByteArray written = desktop.bytes(kFile);

    const QStringList refused[] = {
        {"0", "0", "100", "0", "100.0001"}, {"5", "5", "5", "5", "0.0001"},  // A = B: any positive offset
    };
    for (const QStringList& in : refused) {
        boxes.reset();
        enter(in);
        press(w->Command1);
        ASSERT_EQ(boxes.boxes().size(), 1) << in.join(',').toStdString();
        EXPECT_EQ(boxes.boxes()[0].prompt,
                  QStringLiteral("入力されていないデータがあるか、データが適切ではありません。"));
        EXPECT_EQ(boxTexts(), QStringList(5, QString()));
        EXPECT_EQ(shownResult(), QStringList(3, QString()));
        EXPECT_EQ(QApplication::focusWidget(), w->Text5);
    }
    EXPECT_EQ(desktop.bytes(kFile), written);

    // The next refusal for an empty box goes back to Text1.
    boxes.reset();
    enter({"0", "0", "", "0", "1"});
    press(w->Command1);
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(QApplication::focusWidget(), w->Text1);

    // A = B with no offset is A.
    enter({"5", "5", "5", "5", "0"});
    press(w->Command1);
    EXPECT_EQ(shownResult(), (QStringList{"5", "5", "25"}));
}

TEST_F(OffsetTest, NothingClippedOrOverlapping) {
    w->Label6->setText(QStringLiteral("-123456.1234"));
    w->Label7->setText(QStringLiteral("-123456.1234"));
    expectNothingClippedOrOverlapping(w);
}

struct OffsetFrame : FrameCase<オフセット> {
    static constexpr std::size_t resultPoints = 1;
    static inline const QStringList tabOrder{"Text1",    "Text2",    "Text3",    "Text4",   "Text5",
                                             "Command1", "Command2", "Command3", "Command4"};
    static void enterValid(Screen* w) {
        fill(w, {{"Text1", "0"}, {"Text2", "0"}, {"Text3", "100"}, {"Text4", "0"}, {"Text5", "25"}});
    }
    static void enterInvalid(Screen* w) {
        fill(w, {{"Text1", "0"}, {"Text2", "0"}, {"Text3", "100"}, {"Text4", "0"}, {"Text5", ""}});
    }
    // A point far behind A: finite, but its marker (X times Y) is not.
    static void typeOverflow(Screen* w) { fill(w, {{"Text4", "-100"}, {"Text5", "-1e300"}}); }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(オフセット, FileScreenFrame, OffsetFrame);
