// Every text the program shows must have a glyph in the fonts it asks for:
// a missing one is drawn as an empty box, glyph index 0 in its glyph run.
#include <QAbstractButton>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QTextLayout>
#include <functional>

#include "screens/area/MenScreen.h"
#include "screens/area/ZamenScreen.h"
#include "screens/points/ChuutenScreen.h"
#include "screens/points/DivideScreen.h"
#include "screens/points/HenkanScreen.h"
#include "screens/points/HouScreen.h"
#include "screens/points/KouScreen.h"
#include "screens/points/OffsetScreen.h"
#include "screens/points/RenzaScreen.h"
#include "screens/points/TanzaScreen.h"
#include "screens/traverse/GyakuScreen.h"
#include "screens/traverse/HoushaScreen.h"
#include "screens/traverse/KetsugouScreen.h"
#include "shell/HelpWindows.h"
#include "shell/MENU.h"
#include "shell/frmSplash.h"
#include "support/ScreenTest.h"

namespace {

// How many glyphs of text the font and its fallbacks cannot draw.
int missingGlyphs(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    while (layout.createLine().isValid()) {
    }
    layout.endLayout();
    int missing = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) missing += int(run.glyphIndexes().count(0));
    return missing;
}

// Every caption a window shows: title, labels, buttons, frames, menus.
QList<QPair<QString, QFont>> captionsOf(QWidget* window) {
    QList<QPair<QString, QFont>> out{{window->windowTitle(), window->font()}};
    for (auto* l : window->findChildren<QLabel*>()) out.append({l->text(), l->font()});
    for (auto* b : window->findChildren<QAbstractButton*>()) out.append({b->text(), b->font()});
    for (auto* g : window->findChildren<QGroupBox*>()) out.append({g->title(), g->font()});
    for (auto* m : window->findChildren<QMenu*>()) {
        out.append({m->title(), m->font()});
        for (QAction* a : m->actions()) out.append({a->text(), m->font()});
    }
    return out;
}

TEST(Glyphs, EveryCaptionOfEveryWindowCanBeDrawn) {
    ScriptedSeam boxes;
    const std::function<QWidget*()> windows[] = {
        [] { return new MENU; },     [] { return new frmSplash; },    [] { return new 使用上の注意; },
        [] { return new 操作方法; }, [] { return new 説明; },         [] { return new 結合説明; },
        [] { return new 方向距離; }, [] { return new 単独座標計算; }, [] { return new 放射トラ; },
        [] { return new 座標面積; }, [] { return new 連続座標計算; }, [] { return new 逆トラ; },
        [] { return new 交点; },     [] { return new 座標変換; },     [] { return new 結合トラ; },
        [] { return new 面積計算; }, [] { return new 中間点; },       [] { return new オフセット; },
        [] { return new 分割; },
    };
    int checked = 0;
    for (const auto& make : windows) {
        QWidget* w = make();
        for (const auto& [text, font] : captionsOf(w)) {
            if (text.isEmpty()) continue;
            EXPECT_EQ(missingGlyphs(text, font), 0) << w->objectName().toStdString() << ": " << text.toStdString();
            ++checked;
        }
        delete w;
    }
    EXPECT_GT(checked, 150);

    // And the message boxes.
    Module1::ShowInputError();
    Module1::ShowAreaHint();
    for (const ShownBox& box : boxes.boxes()) {
        EXPECT_EQ(missingGlyphs(box.prompt, QApplication::font()), 0) << box.prompt.toStdString();
        EXPECT_EQ(missingGlyphs(box.title, QApplication::font()), 0) << box.title.toStdString();
    }
}

TEST(Glyphs, AMissingGlyphIsNoticed) {
    // A private-use character that no installed font draws.
    EXPECT_EQ(missingGlyphs(QString(QChar(0xE000)), QApplication::font()), 1);
}

}  // namespace
