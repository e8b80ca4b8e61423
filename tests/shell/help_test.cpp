// The help windows and the product window: their texts, their layout and
// how each one closes.
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QWindow>
#include <functional>
#include <vector>

#include "frame/Navigation.h"
#include "shell/HelpWindows.h"
#include "shell/Windows.h"
#include "shell/frmSplash.h"
#include "support/ScreenTest.h"

namespace {

void settle() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QLabel* labelOf(const QWidget* window, const char* name) {
    auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
    EXPECT_NE(label, nullptr) << name;
    return label;
}

QString textOf(const QWidget* window, const char* name) {
    const QLabel* label = labelOf(window, name);
    return label ? label->text() : QString();
}

// A control's position in its parent, in pixels, from twips.
QPoint at(int leftTwips, int topTwips) { return {pixels(leftTwips), pixels(topTwips)}; }

class HelpWindowsTest : public ScreenTest {
protected:
    int menuShown = 0;
    void SetUp() override {
        Navigation::setMenuOpener([this] { ++menuShown; });
    }
    void TearDown() override {
        Navigation::setMenuOpener(nullptr);
        ScreenTest::TearDown();
    }
};

// ---- Texts and positions ----

TEST_F(HelpWindowsTest, CautionsWindowHoldsItsTenLinesInTheFrame) {
    auto* w = openWindow(new 使用上の注意);
    EXPECT_EQ(w->objectName(), QStringLiteral("使用上の注意"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("使用上の注意"));
    EXPECT_EQ(w->size(), QSize(pixels(8535), pixels(4365)));
    EXPECT_EQ(w->Frame1->title(), QStringLiteral("注意！"));
    EXPECT_TRUE(w->findChildren<QPushButton*>().isEmpty());

    EXPECT_EQ(textOf(w, "Label5_2"),
              QStringLiteral("※このソフトを使用したことで業務上及びPCに対し不都合が生じても一切の責任を負いません。"));
    EXPECT_EQ(textOf(w, "Label5_0"), QStringLiteral("※半角数字以外は入力できません。"));
    EXPECT_EQ(textOf(w, "Label6"),
              QStringLiteral("※計算実行後ﾃﾞｽｸﾄｯﾌﾟにﾌｧｲﾙが作成されますが、削除しても計算結果には影響はありません。"));
    EXPECT_EQ(textOf(w, "Label7"), QStringLiteral("※ﾄﾗﾊﾞｰｽ以外の計算であれは、初心者でも簡単に使用できると思います。"));
    EXPECT_EQ(textOf(w, "Label5_3"),
              QStringLiteral("※ﾌﾟﾛｼﾞｪｸﾄの起動中にﾌｧｲﾙを削除すると実行エラーとなる可能性があります。"));
    EXPECT_TRUE(w->Label5[1]->text().startsWith(QStringLiteral("※")));

    // Top to bottom in the order of the list, all at the same left edge.
    const QLabel* order[] = {w->Label5[1], w->Label5[2], w->Label5[0], w->Label2, w->Label3,
                             w->Label4,    w->Label1,    w->Label6,    w->Label7, w->Label5[3]};
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(order[i]->objectName().toStdString());
        EXPECT_EQ(order[i]->parentWidget(), w->Frame1);
        EXPECT_EQ(order[i]->pos(), at(240, 480 + 360 * i));
    }
}

TEST_F(HelpWindowsTest, OperationGuideKeepsSpacesAndHalfWidthKana) {
    auto* w = openWindow(new 操作方法);
    EXPECT_EQ(w->objectName(), QStringLiteral("操作方法"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("入力及び操作方法"));
    EXPECT_EQ(w->size(), QSize(pixels(8625), pixels(3330)));

    EXPECT_EQ(w->Label1[0]->text(), QStringLiteral("※ボタンの説明"));
    EXPECT_EQ(w->Label1[1]->text(),
              QStringLiteral("計\u3000算・・・・・計算結果を表示します。（ﾌﾟﾛｼﾞｪｸﾄによりﾌｧｲﾙを作成します）"));
    EXPECT_EQ(w->Label1[3]->text(),
              QStringLiteral("MENU  ・・・・初期画面に戻ります。その際ﾌｧｲﾙの削除選択はできません。"));
    EXPECT_EQ(w->Label1[8]->text(), QStringLiteral("例 ： 131°01′30″\u3000の場合"));
    EXPECT_EQ(w->Label1[9]->text(), QStringLiteral(" 131.0130\u3000と入力します。"));
    EXPECT_EQ(w->Label1[10]->text(), QStringLiteral("小数点以下は必ず４ケタ入力して下さい。"));
    EXPECT_EQ(w->Label1[10]->objectName(), QStringLiteral("Label1_10"));

    EXPECT_EQ(w->Label1[0]->pos(), at(120, 120));
    EXPECT_EQ(w->Label1[4]->pos(), at(360, 1200));
    EXPECT_EQ(w->Label1[9]->pos(), at(720, 2760));
    EXPECT_EQ(w->Command1->text(), QStringLiteral("閉じる"));
    EXPECT_EQ(w->Command1->pos(), at(6960, 2880));
}

TEST_F(HelpWindowsTest, DescriptionShowsBothHeadedLists) {
    auto* w = openWindow(new 説明);
    EXPECT_EQ(w->objectName(), QStringLiteral("説明"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("各ﾌﾟﾛｼﾞｪｸﾄ及び入力・ボタンについての説明"));
    EXPECT_EQ(w->size(), QSize(pixels(11430), pixels(5205)));
    EXPECT_TRUE(w->findChildren<QPushButton*>().isEmpty());

    EXPECT_EQ(w->Label1[1]->text(), QStringLiteral("※ﾃﾞｽｸﾄｯﾌﾟにﾌｧｲﾙを作成するﾌﾟﾛｼﾞｪｸﾄ"));
    EXPECT_EQ(w->Label1[9]->text(), QStringLiteral("※ﾌｧｲﾙを作成しないﾌﾟﾛｼﾞｪｸﾄ"));
    EXPECT_EQ(w->Label1[9]->pos(), at(240, 3960));
    EXPECT_EQ(w->Label1[6]->text(),
              QStringLiteral("交\u3000点 ・・・・・・・・まず、方向角か夾角かを選択し、基準点2点と角度を入力します。"));
    EXPECT_EQ(w->Label1[5]->text(),
              QStringLiteral("放射ﾄﾗﾊﾞｰｽ  ・・・まず、方向角か夾角かを選択し、at・後視を入力したら"
                             "角度と距離の入力の繰り返しとなります。"));
    EXPECT_EQ(w->Label1[10]->text(), QStringLiteral("単独座標計算・・基準の座標と方向角及び距離を入力します。"));

    // The Label2 array is the three two-point lines, in their places.
    EXPECT_EQ(w->Label2[0]->objectName(), QStringLiteral("Label2_0"));
    EXPECT_EQ(w->Label2[1]->text(),
              QStringLiteral("２点間（ｵﾌｾｯﾄ） ・・２点間の直線上によるｵﾌｾｯﾄされた座標を計算します。"
                             "（双方の方向・距離による交点計算となっています）"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(w->Label2[i]->text().startsWith(QStringLiteral("２点間（"))) << i;
        EXPECT_EQ(w->Label2[i]->pos(), at(480, 2280 + 240 * i)) << i;
    }
    EXPECT_EQ(w->findChildren<QLabel*>().size(), 15);
}

TEST_F(HelpWindowsTest, ConnectingTraverseExplanationAndItsDiagram) {
    auto* w = openWindow(new 結合説明);
    EXPECT_EQ(w->objectName(), QStringLiteral("結合説明"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("計算方法及び説明"));
    EXPECT_EQ(w->size(), QSize(pixels(11085), pixels(9900)));

    EXPECT_EQ(w->Label7->text(), QStringLiteral("※\u3000説\u3000明"));
    EXPECT_EQ(w->Label8->text(), QStringLiteral("※\u3000入力方法"));
    EXPECT_EQ(w->Label2->text(), QStringLiteral("測角数については15点以内とします。"));
    EXPECT_EQ(w->Label9->text(), QStringLiteral("上記の作業が終わったら、交角・距離を入力してINPUTボタンを押します。"
                                                "この作業を測角回数分繰り返して下さい。"));
    EXPECT_EQ(w->Label10->text(),
              QStringLiteral("最後に計算ボタンを押したらﾃﾞｽｸﾄｯﾌﾟに結合ﾄﾗﾊﾞｰｽDATA.TXTが作成されます。"));
    EXPECT_EQ(w->Label5->text(),
              QStringLiteral("計算結果についてはﾃﾞｽｸﾄｯﾌﾟに作成される結合ﾄﾗﾊﾞｰｽDATA.TXTﾌｧｲﾙを参照して下さい。"));
    EXPECT_EQ(w->Label7->pos(), at(240, 120));
    EXPECT_EQ(w->Label9->pos(), at(600, 2040));
    EXPECT_EQ(w->Command1->text(), QStringLiteral("閉じる"));
    EXPECT_EQ(w->Command1->pos(), at(7920, 3000));
    EXPECT_FALSE(w->Picture1->pixmap().isNull()) << "the diagram did not load";
}

TEST_F(HelpWindowsTest, SplashShowsProductAndVersion) {
    auto* w = openWindow(new frmSplash);
    EXPECT_EQ(w->objectName(), QStringLiteral("frmSplash"));
    EXPECT_TRUE(w->windowTitle().isEmpty());
    // Not Qt's fallback, the program's name, in the title bar.
    ASSERT_NE(w->windowHandle(), nullptr);
    EXPECT_EQ(w->windowHandle()->title().trimmed(), QString());
    EXPECT_EQ(w->size(), QSize(pixels(7425), pixels(4245)));
    EXPECT_EQ(w->Frame1->title(), QStringLiteral("製品名・バージョン"));

    EXPECT_EQ(w->Label1->text(), QStringLiteral("Tarnel Ver3.02"));
    EXPECT_EQ(w->Label1->parentWidget(), w->Picture1);
    EXPECT_EQ(w->Label1->pos(), at(2190, 120));
    EXPECT_EQ(w->Label5->text(), QStringLiteral("Tarnelをダウンロードして頂き誠にありがとうございます。"));
    EXPECT_EQ(w->Label6->text(), QStringLiteral("使用前に必ずHelpの使用上の注意をお読み下さい。"));
    EXPECT_EQ(w->Label2->text(),
              QStringLiteral("常にバージョンアップを考えておりますので、要望がありましたらメール下さい。"));
    EXPECT_EQ(w->Label4->text(), QStringLiteral("プログラムの使用方法につきましては、Helpを参照して下さい。"));
    EXPECT_EQ(w->Label2->pos(), at(720, 1440));
    EXPECT_TRUE(w->Label3->text().startsWith(QStringLiteral("ｱﾄﾞﾚｽ : ")));
    EXPECT_GT(w->Label3->text().size(), 8);
    EXPECT_EQ(w->Label3->pos(), at(4560, 3120));
    EXPECT_FALSE(w->Label7->text().isEmpty());
    EXPECT_FALSE(w->Label8->text().isEmpty());
    EXPECT_FALSE(w->Label9->text().isEmpty());
    EXPECT_EQ(w->Command1->text(), QStringLiteral("閉じる"));
    EXPECT_EQ(w->Command1->pos(), at(5280, 3480));
    for (const QLabel* image : {w->Image1, w->Image2, w->Image3, w->Image4, w->Image5})
        EXPECT_FALSE(image->pixmap().isNull()) << image->objectName().toStdString();
}

// ---- Closing ----

TEST_F(HelpWindowsTest, OperationGuideClosesBackToTheMenu) {
    QPointer<操作方法> w = openWindow(showOnce<操作方法>());
    QTest::keyClick(w->Command1, Qt::Key_Return);  // Enter presses the button too
    settle();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(menuShown, 1);
}

TEST_F(HelpWindowsTest, SplashClosesBackToTheMenu) {
    QPointer<frmSplash> w = openWindow(showOnce<frmSplash>());
    press(w->Command1);
    settle();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(menuShown, 1);
}

TEST_F(HelpWindowsTest, CloseBoxOfCautionsAndDescriptionShowsNothingElse) {
    QPointer<使用上の注意> cautions = openWindow(showOnce<使用上の注意>());
    QPointer<説明> description = openWindow(showOnce<説明>());
    cautions->close();
    description->close();
    settle();
    EXPECT_TRUE(cautions.isNull());
    EXPECT_TRUE(description.isNull());
    EXPECT_EQ(menuShown, 0);
}

TEST_F(HelpWindowsTest, ExplanationReturnsTheFocusToTheTraverseScreen) {
    // Stands in for the traverse screen: only its name and its box count.
    auto* traverse = new QWidget;
    traverse->setAttribute(Qt::WA_DeleteOnClose);
    traverse->setObjectName(QStringLiteral("結合トラ"));
    auto* first = new QLineEdit(traverse);
    first->setObjectName(QStringLiteral("Text1"));
    auto* text11 = new QLineEdit(traverse);
    text11->setObjectName(QStringLiteral("Text11"));
    text11->move(0, 40);
    openWindow(traverse);
    first->setFocus();

    QPointer<結合説明> w = openWindow(showOnce<結合説明>());
    press(w->Command1);
    settle();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(menuShown, 0);
    EXPECT_TRUE(QTest::qWaitForWindowActive(traverse));
    EXPECT_EQ(traverse->focusWidget(), text11);
    EXPECT_TRUE(text11->hasFocus());
}

TEST_F(HelpWindowsTest, ExplanationClosesAloneWhenNoTraverseScreenIsOpen) {
    auto* other = new QWidget;  // a window with a Text11 but another name
    other->setAttribute(Qt::WA_DeleteOnClose);
    auto* box = new QLineEdit(other);
    box->setObjectName(QStringLiteral("Text11"));
    openWindow(other);

    QPointer<結合説明> w = openWindow(showOnce<結合説明>());
    press(w->Command1);
    settle();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(menuShown, 0);
    EXPECT_FALSE(box->hasFocus());
}

// ---- Every window ----

struct Opener {
    const char* name;
    std::function<QWidget*()> showTwice;  // shows the window twice, returns the last
    std::function<int()> openCount;
};

template <class W>
Opener opener(const char* name) {
    return {name,
            [] {
                showOnce<W>();
                return static_cast<QWidget*>(showOnce<W>());
            },
            [] {
                int n = 0;
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (dynamic_cast<W*>(w) && w->isVisible()) ++n;
                return n;
            }};
}

std::vector<Opener> everyWindow() {
    return {opener<使用上の注意>("使用上の注意"), opener<操作方法>("操作方法"), opener<説明>("説明"),
            opener<結合説明>("結合説明"), opener<frmSplash>("frmSplash")};
}

TEST_F(HelpWindowsTest, EachWindowExistsOnceCentredAndNotModal) {
    for (const Opener& o : everyWindow()) {
        SCOPED_TRACE(o.name);
        QWidget* w = o.showTwice();
        settle();
        EXPECT_EQ(o.openCount(), 1);
        EXPECT_TRUE(w->isWindow());
        EXPECT_FALSE(w->isModal());
        EXPECT_EQ(w->windowModality(), Qt::NonModal);
        EXPECT_TRUE(w->testAttribute(Qt::WA_DeleteOnClose));
        EXPECT_EQ(w->objectName(), QString::fromUtf8(o.name));
        const QRect screen = w->screen()->geometry();
        EXPECT_LE(std::abs(w->frameGeometry().center().x() - screen.center().x()), 2);
        EXPECT_LE(std::abs(w->frameGeometry().center().y() - screen.center().y()), 2);
        w->close();
        settle();
        EXPECT_EQ(o.openCount(), 0);
    }
}

// The pixels of a rendered widget that differ from its background colour.
struct Ink {
    int rows = 0, columns = 0;
};

Ink inkOf(const QImage& image) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) most = it.value(), background = it.key();
    auto isInk = [&](QRgb c) {
        return std::abs(qRed(c) - qRed(background)) + std::abs(qGreen(c) - qGreen(background)) +
                   std::abs(qBlue(c) - qBlue(background)) >
               90;
    };
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        bool any = false;
        for (int x = 0; x < image.width() && !any; ++x) any = isInk(image.pixel(x, y));
        ink.rows += any;
    }
    for (int x = 0; x < image.width(); ++x) {
        bool any = false;
        for (int y = 0; y < image.height() && !any; ++y) any = isInk(image.pixel(x, y));
        ink.columns += any;
    }
    return ink;
}

// The label's text drawn in a label with room to spare: what a label that
// cuts nothing off shows.
Ink inkWithRoom(const QLabel* label) {
    QLabel roomy(label->text());
    roomy.setFont(label->font());
    QPalette colours;  // the label's own colours, inherited ones included
    colours.setColor(QPalette::Window, label->palette().color(QPalette::Window));
    colours.setColor(QPalette::WindowText, label->palette().color(QPalette::WindowText));
    roomy.setPalette(colours);
    roomy.setAutoFillBackground(true);
    roomy.setTextFormat(label->textFormat());
    roomy.resize(label->sizeHint() + QSize(40, 40));
    return inkOf(roomy.grab().toImage());
}

TEST_F(HelpWindowsTest, NoTextIsCutOffAndNothingOverlaps) {
    for (const Opener& o : everyWindow()) {
        SCOPED_TRACE(o.name);
        QWidget* w = openWindow(o.showTwice());
        QList<QWidget*> parents{w};
        for (QWidget* child : w->findChildren<QWidget*>()) parents << child;
        for (QWidget* parent : parents) {
            QList<QWidget*> children;
            for (QObject* c : parent->children())
                if (auto* widget = qobject_cast<QWidget*>(c); widget && !widget->isWindow() && widget->isVisible())
                    children << widget;
            for (int i = 0; i < children.size(); ++i) {
                const QString name = children[i]->objectName();
                EXPECT_TRUE(parent->rect().contains(children[i]->geometry()))
                    << name.toStdString() << " leaves " << parent->objectName().toStdString();
                for (int j = i + 1; j < children.size(); ++j)
                    EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
                        << name.toStdString() << " overlaps " << children[j]->objectName().toStdString();
            }
        }
        for (QLabel* label : w->findChildren<QLabel*>()) {
            if (label->text().isEmpty()) continue;  // the pictures
            SCOPED_TRACE(label->objectName().toStdString());
            const Ink shown = inkOf(label->grab().toImage());
            const Ink full = inkWithRoom(label);
            EXPECT_GT(full.columns, 0);
            EXPECT_EQ(shown.rows, full.rows);
            EXPECT_EQ(shown.columns, full.columns);
        }
        w->close();
        settle();
    }
}

}  // namespace
