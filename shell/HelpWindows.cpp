#include "shell/HelpWindows.h"

#include <QApplication>
#include <QIcon>

#include "frame/Module1.h"
#include "frame/Navigation.h"

// ---- InfoWindow ----

InfoWindow::InfoWindow(const QString& name, const QString& caption, int widthTwips, int heightTwips, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(pixels(widthTwips), pixels(heightTwips));
}

QLabel* InfoWindow::line(QWidget* parent, const QString& name, int left, int top, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    // The font is a little taller than the row pitch; the row keeps the
    // lines from overlapping and still holds every glyph.
    label->setGeometry(pixels(left), pixels(top), label->sizeHint().width(), pixels(kLineTwips));
    return label;
}

QGroupBox* InfoWindow::frame(QWidget* parent, const QString& title, int left, int top, int width, int height) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QStringLiteral("Frame1"));
    box->setGeometry(twipRect(left, top, width, height));
    return box;
}

QLabel* InfoWindow::image(QWidget* parent, const QString& name, int left, int top, int width, int height,
                          const QString& picture) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(twipRect(left, top, width, height));
    label->setAlignment(Qt::AlignCenter);
    label->setPixmap(Artwork::picture(picture, label->size(), label->devicePixelRatioF()));
    return label;
}

CommandButton* InfoWindow::closeButton(QWidget* parent, int left, int top) {
    auto* button = new CommandButton(parent);
    button->setObjectName(QStringLiteral("Command1"));
    button->setText(QStringLiteral("閉じる"));
    button->setGeometry(twipRect(left, top, 1215, 375));
    return button;
}

namespace {

QString arrayName(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(index);
}

}  // namespace

// ---- 使用上の注意 ----

使用上の注意::使用上の注意(QWidget* parent)
    : InfoWindow(QStringLiteral("使用上の注意"), QStringLiteral("使用上の注意"), 8535, 4365, parent) {
    Frame1 = frame(this, QStringLiteral("注意！"), 120, 60, 8295, 4185);
    auto at = [this](const QString& name, int top, const QString& text) { return line(Frame1, name, 240, top, text); };
    Label5[1] =
        at(arrayName("Label5", 1), 480,
           QStringLiteral("※このソフトの著作権はTarnel 開発チームにあります。無断での転載・販売はお断りします。"));
    Label5[2] =
        at(arrayName("Label5", 2), 840,
           QStringLiteral("※このソフトを使用したことで業務上及びPCに対し不都合が生じても一切の責任を負いません。"));
    Label5[0] = at(arrayName("Label5", 0), 1200, QStringLiteral("※半角数字以外は入力できません。"));
    Label2 = at(QStringLiteral("Label2"), 1560,
                QStringLiteral("※ありえない値（図形等）は入力しないで下さい。オーバーフローとして処理されます。"));
    Label3 = at(QStringLiteral("Label3"), 1920,
                QStringLiteral("※テスト的な入力以外で近距離計算は避けてください。（精度が落ちます）"));
    Label4 = at(QStringLiteral("Label4"), 2280,
                QStringLiteral("※フル桁（座標等）で処理を行うように作成していますので、電卓との誤差は多少あります。"));
    Label1 = at(QStringLiteral("Label1"), 2640,
                QStringLiteral("※どの計算式に対してもですが、なるべく実行エラーは避けるように作成してます。"));
    Label6 = at(QStringLiteral("Label6"), 3000,
                QStringLiteral("※計算実行後ﾃﾞｽｸﾄｯﾌﾟにﾌｧｲﾙが作成されますが、削除しても計算結果には影響はありません。"));
    Label7 = at(QStringLiteral("Label7"), 3360,
                QStringLiteral("※ﾄﾗﾊﾞｰｽ以外の計算であれは、初心者でも簡単に使用できると思います。"));
    Label5[3] = at(arrayName("Label5", 3), 3720,
                   QStringLiteral("※ﾌﾟﾛｼﾞｪｸﾄの起動中にﾌｧｲﾙを削除すると実行エラーとなる可能性があります。"));
    Module1::CenterForm(this);
}

// ---- 操作方法 ----

操作方法::操作方法(QWidget* parent)
    : InfoWindow(QStringLiteral("操作方法"), QStringLiteral("入力及び操作方法"), 8625, 3330, parent) {
    struct Row {
        int top, left;
        const char16_t* text;
    };
    static const Row rows[11] = {
        {120, 120, u"※ボタンの説明"},
        {480, 360, u"計　算・・・・・計算結果を表示します。（ﾌﾟﾛｼﾞｪｸﾄによりﾌｧｲﾙを作成します）"},
        {720, 360, u"CLS ・・・・・・データのクリア及び作成したﾌｧｲﾙを削除するかどうかを選択できます。"},
        {960, 360, u"MENU  ・・・・初期画面に戻ります。その際ﾌｧｲﾙの削除選択はできません。"},
        {1200, 360, u"終了・・・・・・プログラム自体を終了します。その際ﾌｧｲﾙを削除するかどうか選択できます。"},
        {1680, 120, u"※距離の入力について"},
        {1920, 360, u"全ての計算においてメートル入力となっています。"},
        {2280, 120, u"※角度の入力について"},
        {2520, 360, u"例 ： 131°01′30″　の場合"},
        {2760, 720, u" 131.0130　と入力します。"},
        {3000, 720, u"小数点以下は必ず４ケタ入力して下さい。"},
    };
    for (int i = 0; i < 11; ++i)
        Label1[i] = line(this, arrayName("Label1", i), rows[i].left, rows[i].top, QString::fromUtf16(rows[i].text));
    Command1 = closeButton(this, 6960, 2880);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Module1::CenterForm(this);
}

void 操作方法::Command1_Click() {
    // The menu first: closing the last window would end the program.
    Navigation::ShowMenu();
    close();
}

// ---- 説明 ----

説明::説明(QWidget* parent)
    : InfoWindow(QStringLiteral("説明"), QStringLiteral("各ﾌﾟﾛｼﾞｪｸﾄ及び入力・ボタンについての説明"), 11430, 5205,
                 parent) {
    Frame1 = frame(this, QString(), 120, 0, 11190, 5085);
    struct Row {
        int top, left;
        bool twoPoint;  // a line of the Label2 array
        const char16_t* text;
    };
    static const Row rows[15] = {
        {360, 240, false,
         u"※計算後ﾌｧｲﾙを作成するﾌﾟﾛｼﾞｪｸﾄがありますが、追記形式の保存となっていますので前回の計算結果が消える心配はあり"
         u"ません。"},
        {960, 240, false, u"※ﾃﾞｽｸﾄｯﾌﾟにﾌｧｲﾙを作成するﾌﾟﾛｼﾞｪｸﾄ"},
        {1320, 480, false, u"方向・距離・・・・・測量の基本です。方向角と座標差を計算します。"},
        {1560, 480, false,
         u"連続座標計算・・基準の座標を最初に入力したら、あとは方向角と距離の入力の繰り返しとなります。"},
        {1800, 480, false, u"逆ﾄﾗﾊﾞｰｽ ・・・・・初めにat・後視を入力したら、あとはDATAの入力の繰り返しとなります。"},
        {2040, 480, false,
         u"放射ﾄﾗﾊﾞｰｽ  ・・・まず、方向角か夾角かを選択し、at・後視を入力したら角度と距離の入力の繰り返しとなります。"},
        {2280, 480, true,
         u"２点間（中点） "
         u"・・・・２点間の直線上による中点の座標を計算します。（双方の方向・距離による交点計算となっています）"},
        {2520, 480, true,
         u"２点間（ｵﾌｾｯﾄ） "
         u"・・２点間の直線上によるｵﾌｾｯﾄされた座標を計算します。（双方の方向・距離による交点計算となっています）"},
        {2760, 480, true,
         u"２点間（分割） "
         u"・・・・２点間の直線上による比例配分計算を行います。（双方の方向・距離による交点計算となっています）"},
        {3000, 480, false, u"交　点 ・・・・・・・・まず、方向角か夾角かを選択し、基準点2点と角度を入力します。"},
        {3240, 480, false,
         u"座標変換・・・・・・公共・任意座標を相互に変換できます。（WGS・ベッセルは変換できません）"},
        {3480, 480, false,
         u"座標面積計算 ・・X,Y座標を入力し INPUT "
         u"ボタンを押す作業を区画数分繰り返してから、最後に計算ボタンを押してください。"},
        {3960, 240, false, u"※ﾌｧｲﾙを作成しないﾌﾟﾛｼﾞｪｸﾄ"},
        {4320, 480, false, u"単独座標計算・・基準の座標と方向角及び距離を入力します。"},
        {4560, 480, false,
         u"面積計算・・・・・・ヘロンと2辺夾角・2角夾辺の計算を行います。（内角と辺長も求めることができます）"},
    };
    int first = 0, second = 0;
    for (const Row& row : rows) {
        const QString text = QString::fromUtf16(row.text);
        if (row.twoPoint) {
            Label2[second] = line(Frame1, arrayName("Label2", second), row.left, row.top, text);
            ++second;
        } else {
            Label1[first] = line(Frame1, arrayName("Label1", first), row.left, row.top, text);
            ++first;
        }
    }
    Module1::CenterForm(this);
}

// ---- 結合説明 ----

結合説明::結合説明(QWidget* parent)
    : InfoWindow(QStringLiteral("結合説明"), QStringLiteral("計算方法及び説明"), 11085, 9900, parent) {
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipRect(240, 3480, 10605, 6180));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setAutoFillBackground(true);
    QPalette paper = Picture1->palette();
    paper.setColor(QPalette::Window, Qt::white);
    Picture1->setPalette(paper);
    Picture1->setPixmap(Artwork::picture(QStringLiteral("connecting-traverse"), Picture1->contentsRect().size(),
                                         Picture1->devicePixelRatioF()));

    Command1 = closeButton(this, 7920, 3000);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    Label7 = line(this, QStringLiteral("Label7"), 240, 120, QStringLiteral("※　説　明"));
    Label1 = line(this, QStringLiteral("Label1"), 600, 480, QStringLiteral("交角法（左交角）による計算を行います。"));
    Label2 = line(this, QStringLiteral("Label2"), 600, 720, QStringLiteral("測角数については15点以内とします。"));
    Label4 = line(this, QStringLiteral("Label4"), 600, 960,
                  QStringLiteral("計算できる項目については、閉合差・緯経距・方向角・XY座標となってます。"));
    Label8 = line(this, QStringLiteral("Label8"), 240, 1440, QStringLiteral("※　入力方法"));
    Label6 = line(this, QStringLiteral("Label6"), 600, 1800, QStringLiteral("区分・基準点・方向角を入力します。"));
    Label9 = line(this, QStringLiteral("Label9"), 600, 2040,
                  QStringLiteral("上記の作業が終わったら、交角・距離を入力してINPUTボタンを押します。"
                                 "この作業を測角回数分繰り返して下さい。"));
    Label3 = line(this, QStringLiteral("Label3"), 600, 2280, QStringLiteral("到着点での距離の入力は必要ありません。"));
    Label10 = line(this, QStringLiteral("Label10"), 600, 2520,
                   QStringLiteral("最後に計算ボタンを押したらﾃﾞｽｸﾄｯﾌﾟに結合ﾄﾗﾊﾞｰｽDATA.TXTが作成されます。"));
    Label5 = line(this, QStringLiteral("Label5"), 600, 2760,
                  QStringLiteral("計算結果についてはﾃﾞｽｸﾄｯﾌﾟに作成される結合ﾄﾗﾊﾞｰｽDATA.TXTﾌｧｲﾙを参照して下さい。"));
    Module1::CenterForm(this);
}

void 結合説明::Command1_Click() {
    close();
    // Back to the traverse screen, if it is open, with the focus in its box.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() != QStringLiteral("結合トラ") || !window->isVisible()) continue;
        if (auto* box = window->findChild<QWidget*>(QStringLiteral("Text11"))) {
            window->raise();
            window->activateWindow();
            box->setFocus(Qt::OtherFocusReason);
        }
        break;
    }
}
