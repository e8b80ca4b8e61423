#include "frame/CalcWindow.h"

#include <QAction>
#include <QKeySequence>
#include <cmath>

#include "frame/Controls.h"
#include "frame/Module1.h"
#include "frame/Navigation.h"

namespace {

constexpr int kPictureLeft = 120, kPictureTop = 120, kPictureWidth = 6615, kPictureHeight = 495;
constexpr int kInstructionLeft = 840, kInstructionTop = 120;
constexpr int kTickTwips = 50;
constexpr int kTickMilliseconds = 50;

}  // namespace

QString CalcWindow::instructionShort() {
    return QStringLiteral("数値を入力したらTABキーで移動し、入力終了後計算ボタンを押す。");
}

QString CalcWindow::instructionLong() {
    return instructionNaming(QStringLiteral("計算結果表示後、デスクトップにファイルが保存されます。"), 15);
}

QString CalcWindow::instructionNaming(const QString& secondSentence, int spaces) {
    return instructionShort() + QString(spaces, QChar(0x3000)) + secondSentence;
}

CalcWindow::CalcWindow(const QString& name, const QString& caption, int widthTwips, int heightTwips, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(pixels(widthTwips), pixels(heightTwips));
    // The boxes' context menus in Japanese.
    Module1::LoadQtTranslation();
    // The book of points, from every screen.
    auto* book = new QAction(QStringLiteral("座標簿"), this);
    book->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    book->setShortcutContext(Qt::WindowShortcut);
    connect(book, &QAction::triggered, this, [] { Navigation::open(QStringLiteral("座標簿")); });
    addAction(book);
}

CalcWindow::~CalcWindow() = default;

void CalcWindow::instructionLine(const QString& text, bool scrolls) {
    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Picture1->setGeometry(twipRect(kPictureLeft, kPictureTop, kPictureWidth, kPictureHeight));
    Label1 = new QLabel(text, Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->adjustSize();
    Label1->move(pixels(kInstructionLeft), pixels(kInstructionTop));
    setInstructionLeft(float(kInstructionLeft));
    if (scrolls) {
        Timer1 = new QTimer(this);
        Timer1->setObjectName(QStringLiteral("Timer1"));
        QObject::connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    }
}

void CalcWindow::centre() { Module1::CenterForm(this); }

bool CalcWindow::startInstructionLine() {
    if (!Timer1 || Timer1->isActive()) return true;
    Timer1->setInterval(kTickMilliseconds);
    Timer1->start();
    return false;
}

void CalcWindow::restInstructionLine() {
    if (Timer1) {
        Timer1->stop();
        Timer1->setInterval(0);
    }
    setInstructionLeft(float(kInstructionLeft));
}

void CalcWindow::backToMenu() {
    Navigation::ShowMenu();
    close();
}

void CalcWindow::setInstructionLeft(float leftTwips) {
    instructionLeft_ = leftTwips;
    if (Label1) Label1->move(pixels(int(std::lround(leftTwips))), Label1->y());
}

void CalcWindow::Timer1_Timer() {
    float left = instructionLeft_ - float(kTickTwips);
    if (float(twips(Label1->width())) + left < 0.0f) left = float(twips(Picture1->width()));
    setInstructionLeft(left);
}
