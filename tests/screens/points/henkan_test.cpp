// 座標変換 driven through its real controls.
#include "screens/points/HenkanScreen.h"
#include "support/FileScreenFrame.h"
#include "support/Layout.h"

namespace {

const QString kFile = QStringLiteral("座標変換DATA.TXT");

class HenkanTest : public ScreenTest {
protected:
    座標変換* w = nullptr;
    void SetUp() override { w = openWindow(new 座標変換); }

    // The ten boxes in the order TAB visits them: base, backsight, second
    // base, second backsight, point.
    void enter(const QStringList& texts) { typeWithTab(w->Text1, texts); }
    QStringList boxTexts() const {
        return textsOf(
            {w->Text1, w->Text2, w->Text3, w->Text4, w->Text9, w->Text10, w->Text5, w->Text6, w->Text7, w->Text8});
    }
    QStringList results() const { return {w->Label5->text(), w->Label6->text()}; }
};

// North-up first system, its backsight due east in the second.
const QStringList kSystems{"0", "0", "100", "0", "1000", "2000", "1000", "2100"};

TEST_F(HenkanTest, ExamplesConvertAndKeepTheBoxes) {
    struct Case {
        QStringList in;
        QStringList shown;
    };
    const Case cases[] = {
        {kSystems + QStringList{"10", "10"}, {"990.0001", "2009.9999"}},  // 14.142 m carried
        {kSystems + QStringList{"-30", "40"}, {"960", "1970"}},
        // Text is read by its leading number and never refused.
        {kSystems + QStringList{"-30m", "40abc"}, {"960", "1970"}},
        {kSystems + QStringList{"abc", "-"}, {"1000", "2000"}},
    };
    for (const Case& c : cases) {
        enter(c.in);
        press(w->Command1);
        EXPECT_EQ(results(), c.shown) << c.in.join(' ').toStdString();
        EXPECT_EQ(boxTexts(), c.in);
        EXPECT_EQ(QApplication::focusWidget(), w->Text7);
        EXPECT_EQ(w->Text7->selectedText(), c.in[8]);
    }
    EXPECT_TRUE(boxes.boxes().isEmpty());
}

TEST_F(HenkanTest, TheRecordTakesTheBoxesInTheOrderOfTheRows) {
    // The second system's boxes are Text9, Text10, Text5, Text6.
    enter({"0", "0", "100", "0", "0", "0", "0", "100", "-30", "40.0"});
    press(w->Command1);
    EXPECT_EQ(results(), (QStringList{"-40", "-30"}));
    EXPECT_EQ(decodedFile(desktop, kFile),
              crlf({separatorLine(), "基準　X 0  基準　Y 0", "後視　X 100  後視　Y 0", "基準’X 0  基準’Y 0",
                    "後視’X 0  後視’Y 100", "DA-X -30  DA-Y 40.0", "変換後 X -40   変換後 Y-30 ", separatorLine()}));
}

TEST_F(HenkanTest, EmptyBoxesAndAbsurdValuesAreRefused) {
    const QStringList refused[] = {
        kSystems.mid(0, 7) + QStringList{"", "10", "10"},  // the second backsight's Y
        kSystems + QStringList{"1e400", "0"},              // beyond a double
        {"-1e308", "0", "100", "0", "0", "0", "0", "100", "1e308", "0"},
    };
    for (const QStringList& in : refused) {
        boxes.reset();
        enter(in);
        press(w->Command1);
        ASSERT_EQ(boxes.boxes().size(), 1) << in.join(' ').toStdString();
        EXPECT_EQ(boxTexts(), QStringList(10, QString()));
        EXPECT_EQ(results(), QStringList(2, QString()));
        EXPECT_EQ(QApplication::focusWidget(), w->Text1);
    }
    EXPECT_FALSE(desktop.exists(kFile));
}

}  // namespace

namespace {

struct HenkanFrame : FrameCase<座標変換> {
    static constexpr std::size_t resultPoints = 1;
    static inline const QStringList tabOrder{"Text1", "Text2", "Text3", "Text4",    "Text9",    "Text10",   "Text5",
                                             "Text6", "Text7", "Text8", "Command1", "Command2", "Command3", "Command4"};
    static void enterValid(Screen* w) {
        fill(w, {{"Text1", "0"},
                 {"Text2", "0"},
                 {"Text3", "100"},
                 {"Text4", "0"},
                 {"Text9", "0"},
                 {"Text10", "0"},
                 {"Text5", "100"},
                 {"Text6", "0"},
                 {"Text7", "5"},
                 {"Text8", "5"}});
    }
    static void enterInvalid(Screen* w) {
        fill(w, {{"Text1", "0"},
                 {"Text2", "0"},
                 {"Text3", "100"},
                 {"Text4", "0"},
                 {"Text9", "0"},
                 {"Text10", "0"},
                 {"Text5", "100"},
                 {"Text6", "0"},
                 {"Text7", "5"}});
    }
    static void typeOverflow(Screen* w) { fill(w, {{"Text5", "1e400"}}); }  // 後視'X
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(座標変換, FileScreenFrame, HenkanFrame);

namespace {

TEST(HenkanLayout, NothingClippedOrOverlapping) {
    ScriptedSeam boxes;
    auto* w = openWindow(new 座標変換);
    w->Label5->setText(QStringLiteral("-123456.1234"));
    w->Label6->setText(QStringLiteral("-123456.1234"));
    expectNothingClippedOrOverlapping(w);
    w->close();
}

}  // namespace
