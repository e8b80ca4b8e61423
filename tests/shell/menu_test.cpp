// The main menu and the way between it and the other windows.
#include "shell/MENU.h"
#include "frame/Navigation.h"
#include "screens/area/ZamenScreen.h"
#include "screens/points/HouScreen.h"
#include "shell/HelpWindows.h"
#include "shell/Windows.h"
#include "shell/frmSplash.h"
#include "support/ScreenTest.h"

namespace {

class MenuTest : public ScreenTest {
protected:
    void SetUp() override {
        Navigation::setMenuOpener([] { showOnce<MENU>(); });
        Navigation::ShowMenu();
        menu = openWindowOf<MENU>();
        ASSERT_NE(menu, nullptr);
        openWindow(menu);
    }
    void TearDown() override {
        Navigation::setMenuOpener(nullptr);
        ScreenTest::TearDown();
    }
    // Lets closed windows go, as the event loop would.
    static void settle() {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static bool centred(const QWidget* w) {
        const QRect screen = w->screen()->geometry();
        return std::abs(w->frameGeometry().center().x() - screen.center().x()) <= 2 &&
               std::abs(w->frameGeometry().center().y() - screen.center().y()) <= 2;
    }
    MENU* menu = nullptr;
};

TEST_F(MenuTest, MenuBarAsTheTableHasIt) {
    EXPECT_EQ(menu->windowTitle(), QStringLiteral("Tarnel"));
    EXPECT_TRUE(centred(menu));
    auto captions = [](const QMenu* m) {
        QStringList out;
        for (const QAction* a : m->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    };
    EXPECT_EQ(menu->PRO->title(), QStringLiteral("ﾌﾟﾛｼﾞｪｸﾄ(&P)"));
    EXPECT_EQ(captions(menu->PRO),
              (QStringList{"方向角・座標差", "単独座標計算", "連続座標計算", "トラバース", "交点", "２点間（CE,OF,DI）",
                           "座標変換", "座標面積計算", "面積計算", "-", "終　　了", "座標簿"}));
    EXPECT_EQ(captions(menu->TORA), (QStringList{"逆トラバース", "放射トラバース", "結合トラバース"}));
    EXPECT_EQ(captions(menu->NITEN), (QStringList{"中 点", "ｵﾌｾｯﾄ", "分 割"}));
    EXPECT_EQ(menu->HE->title(), QStringLiteral("ヘルプ(&H)"));
    EXPECT_EQ(captions(menu->HE),
              (QStringList{"使用上の注意", "入力及び操作方法", "各ﾌﾟﾛｼﾞｪｸﾄの説明", "-", "製品・Ver情報"}));
    EXPECT_EQ(menu->SHUURYOU->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    EXPECT_EQ(menu->SE->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_EQ(menu->Command1->text(), QStringLiteral("製品・Ver"));
    EXPECT_EQ(menu->Command2->text(), QStringLiteral("終　　了"));
    // Every screen can be chosen.
    for (QAction* a : {menu->HOU, menu->TANZA, menu->RENZA, menu->GYAKU, menu->HOUSHA, menu->KETSUGOU, menu->KOU,
                       menu->CHUUTEN, menu->OFF, menu->DIVIDE, menu->HENKAN, menu->ZAMEN, menu->MEN})
        EXPECT_TRUE(a->isEnabled());
}

TEST_F(MenuTest, AScreenReplacesTheMenuAndItsMenuButtonBringsItBack) {
    menu->HOU->trigger();
    settle();
    EXPECT_EQ(openWindowOf<MENU>(), nullptr);
    auto* screen = openWindowOf<方向距離>();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(centred(screen));

    press(screen->Command3);
    settle();
    EXPECT_EQ(openWindowOf<方向距離>(), nullptr);
    MENU* again = openWindowOf<MENU>();
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(centred(again));
}

TEST_F(MenuTest, TheAreaEntryShowsItsHintOverTheScreen) {
    menu->ZAMEN->trigger();
    settle();
    ASSERT_NE(openWindowOf<座標面積>(), nullptr);
    ASSERT_EQ(boxes.boxes().size(), 1);
    EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("計算方法"));
    EXPECT_EQ(boxes.boxes()[0].style, 64);
}

TEST_F(MenuTest, ProductWindowExistsOnceAndItsCloseBringsTheMenuBack) {
    menu->VER->trigger();
    menu->VER->trigger();
    settle();
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (dynamic_cast<frmSplash*>(w) && w->isVisible()) ++count;
    EXPECT_EQ(count, 1);
    EXPECT_NE(openWindowOf<MENU>(), nullptr);  // the menu stays behind it
    openWindowOf<frmSplash>()->close();
    settle();

    // 製品・Ver closes the menu; 閉じる brings it back.
    press(openWindowOf<MENU>()->Command1);
    settle();
    EXPECT_EQ(openWindowOf<MENU>(), nullptr);
    frmSplash* splash = openWindowOf<frmSplash>();
    ASSERT_NE(splash, nullptr);
    press(splash->Command1);
    settle();
    EXPECT_EQ(openWindowOf<frmSplash>(), nullptr);
    EXPECT_NE(openWindowOf<MENU>(), nullptr);
}

TEST_F(MenuTest, ShortcutsOpenTheDescriptionAndEndTheProgram) {
    QTest::keyClick(menu, Qt::Key_P, Qt::ControlModifier);
    settle();
    EXPECT_NE(openWindowOf<説明>(), nullptr);
    QApplication::setActiveWindow(menu);
    QTest::keyClick(menu, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(boxes.ends(), 1);
}

TEST_F(MenuTest, HelpEntriesOpenOverTheMenu) {
    menu->CHU->trigger();
    menu->NYUURYOKUSOUSA->trigger();
    settle();
    EXPECT_NE(openWindowOf<使用上の注意>(), nullptr);
    EXPECT_NE(openWindowOf<操作方法>(), nullptr);
    EXPECT_NE(openWindowOf<MENU>(), nullptr);
    press(menu->Command2);
    EXPECT_EQ(boxes.ends(), 1);
}

// A system font wider than this one (Windows' fonts are) widens the
// version to the left, within the frame, and cuts none of it.
TEST(MenuVersion, AWiderFontWidensItToTheLeft) {
    MENU usual;
    const QFont before = QApplication::font();
    QFont wide = before;
    wide.setPointSize(before.pointSize() * 2);
    QApplication::setFont(wide);
    MENU roomy;
    EXPECT_LE(roomy.Label2->sizeHint().width(), roomy.Label2->width());
    EXPECT_GT(roomy.Label2->width(), usual.Label2->width());
    EXPECT_EQ(roomy.Label2->geometry().right(), usual.Label2->geometry().right());
    EXPECT_TRUE(roomy.Frame1->rect().contains(roomy.Label2->geometry()));
    QApplication::setFont(before);
}

TEST(EndingTheProgram, ClosesEveryWindow) {
    auto* a = openWindow(new 方向距離);
    auto* b = new QWidget;
    b->setAttribute(Qt::WA_DeleteOnClose);
    b->show();
    Module1::EndProgram();  // the real ending, not a scripted one
    EXPECT_FALSE(a->isVisible());
    EXPECT_FALSE(b->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
