#include "shell/frmSplash.h"

#include <QWindow>

#include "frame/Module1.h"
#include "frame/Navigation.h"
#include "shell/Version.h"

frmSplash::frmSplash(QWidget* parent) : InfoWindow(QStringLiteral("frmSplash"), QString(), 7425, 4245, parent) {
    Frame1 = frame(this, QStringLiteral("製品名・バージョン"), 45, 0, 7380, 4050);

    // The band with the product name between two small pictures.
    Picture1 = new QFrame(Frame1);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipRect(420, 300, 6540, 600));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setAutoFillBackground(true);
    QPalette band = Picture1->palette();
    band.setColor(QPalette::Window, QColor(0x1f, 0x4e, 0x79));
    band.setColor(QPalette::WindowText, Qt::white);
    Picture1->setPalette(band);
    Image1 = image(Picture1, QStringLiteral("Image1"), 120, 60, 480, 480, QStringLiteral("tarnel"));
    Image2 = image(Picture1, QStringLiteral("Image2"), 5940, 60, 480, 480, QStringLiteral("north"));
    Label1 = new QLabel(QStringLiteral("Tarnel Ver" TARNEL_VERSION), Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    QFont title = Label1->font();
    title.setPointSize(12);
    title.setBold(true);
    Label1->setFont(title);
    Label1->move(pixels(2190), pixels(120));
    Label1->resize(Label1->sizeHint().width(), pixels(600 - 2 * 120));

    Label5 = line(Frame1, QStringLiteral("Label5"), 720, 960,
                  QStringLiteral("Tarnelをダウンロードして頂き誠にありがとうございます。"));
    Label6 = line(Frame1, QStringLiteral("Label6"), 720, 1200,
                  QStringLiteral("使用前に必ずHelpの使用上の注意をお読み下さい。"));
    Label2 = line(Frame1, QStringLiteral("Label2"), 720, 1440,
                  QStringLiteral("常にバージョンアップを考えておりますので、要望がありましたらメール下さい。"));
    Label4 = line(Frame1, QStringLiteral("Label4"), 720, 1680,
                  QStringLiteral("プログラムの使用方法につきましては、Helpを参照して下さい。"));

    // Three pictures of the work: the instrument, a traverse, a parcel.
    Image3 = image(Frame1, QStringLiteral("Image3"), 720, 2160, 960, 960, QStringLiteral("menu-instrument"));
    Image4 = image(Frame1, QStringLiteral("Image4"), 1920, 2160, 960, 960, QStringLiteral("menu-traverse"));
    Image5 = image(Frame1, QStringLiteral("Image5"), 3120, 2160, 960, 960, QStringLiteral("parcel"));

    Label7 = line(Frame1, QStringLiteral("Label7"), 4560, 2520, QStringLiteral("著作権者：Tarnel 開発チーム"));
    Label8 = line(Frame1, QStringLiteral("Label8"), 4560, 2760, QStringLiteral("製作：Tarnel 開発チーム"));
    Label3 = line(Frame1, QStringLiteral("Label3"), 4560, 3120,
                  QStringLiteral("ｱﾄﾞﾚｽ : ") + QStringLiteral("ヘルプをご覧下さい"));
    Label9 =
        line(Frame1, QStringLiteral("Label9"), 150, 3660, QStringLiteral("本ソフトの無断転載・再配布はご遠慮下さい。"));

    Command1 = closeButton(Frame1, 5280, 3480);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Module1::CenterForm(this);
}

void frmSplash::Command1_Click() {
    // The menu first: closing the last window would end the program.
    Navigation::ShowMenu();
    close();
}

void frmSplash::showEvent(QShowEvent* event) {
    InfoWindow::showEvent(event);
    // An empty title reaches the window system as the application's name;
    // a blank does not. The widget's own title stays empty for screen readers.
    if (QWindow* native = windowHandle()) native->setTitle(QStringLiteral(" "));
}
