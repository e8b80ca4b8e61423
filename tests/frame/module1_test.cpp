#include "frame/Module1.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>
#include <memory>

#include "support/ScreenTest.h"

namespace {

TEST(CenterFormTest, EdgeArithmetic) {
    EXPECT_EQ(Module1::centredEdge(15360, 6945), 4207);
    // A window 200 twips wider than the screen starts 100 twips off it.
    EXPECT_EQ(Module1::centredEdge(15360, 15560), -100);
    EXPECT_EQ(Module1::centredEdge(100, 100), 0);
    // Odd differences truncate toward zero, on both sides.
    EXPECT_EQ(Module1::centredEdge(115, 100), 7);
    EXPECT_EQ(Module1::centredEdge(100, 115), -7);
    // Single precision: 16777217 is not a float and becomes 16777216.
    EXPECT_EQ(Module1::centredEdge(16777217, 0), 8388608);
}

TEST(CenterFormTest, AWindowWiderThanTheScreenIsPlacedPartlyOffIt) {
    QWidget window;
    const QRect screen = window.screen()->geometry();
    window.resize(screen.width() + 30, 100);  // 450 twips wider
    Module1::CenterForm(&window);
    // Partly off the screen on the left, as much as on the right.
    EXPECT_LE(window.x(), screen.left() - 15);
    EXPECT_NEAR(window.x() + window.width() / 2, screen.center().x(), 3);
    // Vertically centred, with room for the frame the window manager adds.
    EXPECT_NEAR(window.y() + 50, screen.center().y(), 3);
}

TEST(MessageBoxTest, BoxesGoThroughTheSeamWithTheirStyles) {
    ScriptedSeam seam;
    Module1::ShowInputError();
    seam.answer(Module1::Yes);
    EXPECT_TRUE(Module1::AskDelete(QStringLiteral("削除しますか？")));
    seam.answer(Module1::No);
    EXPECT_FALSE(Module1::AskDelete(QStringLiteral("削除しますか？")));
    Module1::ShowAreaHint();
    Module1::EndProgram();

    ASSERT_EQ(seam.boxes().size(), 4);
    EXPECT_EQ(seam.boxes()[0].prompt, QStringLiteral("入力されていないデータがあるか、データが適切ではありません。"));
    EXPECT_EQ(seam.boxes()[0].title, QStringLiteral("注意"));
    EXPECT_EQ(seam.boxes()[0].style, 16);
    EXPECT_EQ(seam.boxes()[1].title, QStringLiteral("ファイルの削除"));
    EXPECT_EQ(seam.boxes()[1].style, 4);
    EXPECT_EQ(seam.boxes()[3].title, QStringLiteral("計算方法"));
    EXPECT_EQ(seam.boxes()[3].style, 64);
    EXPECT_TRUE(seam.boxes()[3].prompt.startsWith(QStringLiteral("X,Yを入力したあと INPUT ボタンを押します。")));
    EXPECT_EQ(seam.ends(), 1);
}

}  // namespace

namespace {

TEST(MessageBoxTest, TheButtonsAreJapanese) {
    EXPECT_TRUE(Module1::LoadQtTranslation());
    const std::unique_ptr<QMessageBox> question(
        Module1::messageBox(QStringLiteral("削除しますか？"), Module1::YesNo, QStringLiteral("ファイルの削除")));
    EXPECT_EQ(question->button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
    EXPECT_EQ(question->button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));
    EXPECT_EQ(question->defaultButton(), question->button(QMessageBox::Yes));
    const std::unique_ptr<QMessageBox> error(
        Module1::messageBox(QStringLiteral("x"), Module1::Critical, QStringLiteral("注意")));
    EXPECT_EQ(error->icon(), QMessageBox::Critical);
    EXPECT_EQ(error->button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
}

}  // namespace
