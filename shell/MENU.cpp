#include "shell/MENU.h"

#include <QLayout>
#include <QMenuBar>
#include <algorithm>

#include "frame/BookFiles.h"
#include "frame/Module1.h"
#include "frame/Navigation.h"
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
#include "shell/Version.h"
#include "shell/Windows.h"
#include "shell/frmSplash.h"

MENU::MENU(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MENU"));
    setWindowTitle(QStringLiteral("Tarnel"));
    setAttribute(Qt::WA_DeleteOnClose);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFixedSize(pixels(3885), pixels(1815));
    setCentralWidget(Frame1);

    Image1 = new QLabel(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipRect(120, 600, 1080, 1080));
    Image1->setPixmap(Artwork::picture(QStringLiteral("menu-instrument"), Image1->size(), devicePixelRatio()));
    Image2 = new QLabel(Frame1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(twipRect(2640, 480, 1080, 900));
    Image2->setPixmap(Artwork::picture(QStringLiteral("menu-traverse"), Image2->size(), devicePixelRatio()));

    Label1 = new QLabel(QStringLiteral("Tarnel"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipRect(780, 360, 2295, 225));
    Label1->setAlignment(Qt::AlignCenter);
    QFont banner = Label1->font();
    banner.setFamilies({QStringLiteral("DejaVu Sans")});
    banner.setBold(true);
    Label1->setFont(banner);
    Label2 = new QLabel(QStringLiteral("Ver " TARNEL_VERSION), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Right-aligned in its place, and wider to the left where the system's
    // font needs more room than the place has (Windows' fonts do).
    const QRect version = twipRect(3120, 1440, 645, 180);
    const int versionWidth = std::max(version.width(), Label2->sizeHint().width());
    Label2->setGeometry(version.right() + 1 - versionWidth, version.top(), versionWidth, version.height());

    Command1 = new CommandButton(Frame1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setText(QStringLiteral("製品・Ver"));
    Command1->setGeometry(twipRect(1320, 720, 1215, 375));
    Command2 = new CommandButton(Frame1);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setText(QStringLiteral("終　　了"));
    Command2->setGeometry(twipRect(1320, 1200, 1215, 375));
    connect(Command1, &QPushButton::clicked, this, [this] { replaceWith<frmSplash>(); });
    connect(Command2, &QPushButton::clicked, this, [] { BookFiles::endProgram(); });

    PRO = menuBar()->addMenu(QStringLiteral("ﾌﾟﾛｼﾞｪｸﾄ(&P)"));
    PRO->setObjectName(QStringLiteral("PRO"));
    HOU = entry(PRO, "HOU", QStringLiteral("方向角・座標差"));
    TANZA = entry(PRO, "TANZA", QStringLiteral("単独座標計算"));
    RENZA = entry(PRO, "RENZA", QStringLiteral("連続座標計算"));
    TORA = PRO->addMenu(QStringLiteral("トラバース"));
    TORA->setObjectName(QStringLiteral("TORA"));
    GYAKU = entry(TORA, "GYAKU", QStringLiteral("逆トラバース"));
    HOUSHA = entry(TORA, "HOUSHA", QStringLiteral("放射トラバース"));
    KETSUGOU = entry(TORA, "KETSUGOU", QStringLiteral("結合トラバース"));
    KOU = entry(PRO, "KOU", QStringLiteral("交点"));
    NITEN = PRO->addMenu(QStringLiteral("２点間（CE,OF,DI）"));
    NITEN->setObjectName(QStringLiteral("NITEN"));
    CHUUTEN = entry(NITEN, "CHUUTEN", QStringLiteral("中 点"));
    OFF = entry(NITEN, "OFF", QStringLiteral("ｵﾌｾｯﾄ"));
    DIVIDE = entry(NITEN, "DIVIDE", QStringLiteral("分 割"));
    HENKAN = entry(PRO, "HENKAN", QStringLiteral("座標変換"));
    ZAMEN = entry(PRO, "ZAMEN", QStringLiteral("座標面積計算"));
    MEN = entry(PRO, "MEN", QStringLiteral("面積計算"));
    SEP1 = PRO->addSeparator();
    SEP1->setObjectName(QStringLiteral("SEP1"));
    SHUURYOU = entry(PRO, "SHUURYOU", QStringLiteral("終　　了"));
    SHUURYOU->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    BOOK = entry(PRO, "BOOK", QStringLiteral("座標簿"));
    BOOK->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));

    HE = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    HE->setObjectName(QStringLiteral("HE"));
    CHU = entry(HE, "CHU", QStringLiteral("使用上の注意"));
    NYUURYOKUSOUSA = entry(HE, "NYUURYOKUSOUSA", QStringLiteral("入力及び操作方法"));
    SE = entry(HE, "SE", QStringLiteral("各ﾌﾟﾛｼﾞｪｸﾄの説明"));
    SE->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    SEP2 = HE->addSeparator();
    SEP2->setObjectName(QStringLiteral("SEP2"));
    VER = entry(HE, "VER", QStringLiteral("製品・Ver情報"));

    connect(HOU, &QAction::triggered, this, [this] { replaceWith<方向距離>(); });
    connect(TANZA, &QAction::triggered, this, [this] { replaceWith<単独座標計算>(); });
    connect(RENZA, &QAction::triggered, this, [this] { replaceWith<連続座標計算>(); });
    connect(GYAKU, &QAction::triggered, this, [this] { replaceWith<逆トラ>(); });
    connect(HOUSHA, &QAction::triggered, this, [this] { replaceWith<放射トラ>(); });
    connect(KOU, &QAction::triggered, this, [this] { replaceWith<交点>(); });
    connect(HENKAN, &QAction::triggered, this, [this] { replaceWith<座標変換>(); });
    connect(KETSUGOU, &QAction::triggered, this, [this] { replaceWith<結合トラ>(); });
    connect(CHUUTEN, &QAction::triggered, this, [this] { replaceWith<中間点>(); });
    connect(OFF, &QAction::triggered, this, [this] { replaceWith<オフセット>(); });
    connect(DIVIDE, &QAction::triggered, this, [this] { replaceWith<分割>(); });
    connect(ZAMEN, &QAction::triggered, this, [this] {
        replaceWith<座標面積>();
        Module1::ShowAreaHint();
    });
    connect(MEN, &QAction::triggered, this, [this] { replaceWith<面積計算>(); });
    connect(SHUURYOU, &QAction::triggered, this, [] { BookFiles::endProgram(); });
    connect(BOOK, &QAction::triggered, this, [] { Navigation::open(QStringLiteral("座標簿")); });
    connect(CHU, &QAction::triggered, this, [this] {
        showOnce<使用上の注意>();
        Module1::CenterForm(this);
    });
    connect(NYUURYOKUSOUSA, &QAction::triggered, this, [] { showOnce<操作方法>(); });
    connect(SE, &QAction::triggered, this, [] { showOnce<説明>(); });
    connect(VER, &QAction::triggered, this, [] { showOnce<frmSplash>(); });

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    Module1::CenterForm(this);
}

QAction* MENU::entry(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

template <class Screen>
Screen* MENU::replaceWith() {
    // The new window is shown before the menu closes, so that the program
    // never passes through a moment without a window.
    Screen* screen = showOnce<Screen>();
    close();
    return screen;
}
