#include "app/CalcScreen.h"

#include <QLineEdit>
#include <algorithm>
#include <cmath>

#include "app/Module1.h"
#include "app/Navigation.h"
#include "survey/arith.h"

namespace {

constexpr int kPictureLeft = 120, kPictureTop = 120, kPictureWidth = 6615, kPictureHeight = 495;
constexpr int kInstructionLeft = 840, kInstructionTop = 120;
constexpr int kTickTwips = 50;
constexpr int kTickMilliseconds = 50;

QString fieldText(const QWidget* w) {
    if (auto* box = qobject_cast<const QLineEdit*>(w)) return box->text();
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    return QString();
}

void emptyField(QWidget* w) {
    if (auto* box = qobject_cast<QLineEdit*>(w)) box->clear();
    else if (auto* label = qobject_cast<QLabel*>(w)) label->clear();
}

}  // namespace

bool allFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

QString CalcScreen::instructionShort() {
    return QStringLiteral("数値を入力したらTABキーで移動し、入力終了後計算ボタンを押す。");
}

QString CalcScreen::instructionLong() {
    return instructionShort() + QString(15, QChar(0x3000)) +
           QStringLiteral("計算結果表示後、デスクトップにファイルが保存されます。");
}

CalcScreen::CalcScreen(const QString& name, const QString& caption, int widthTwips, int heightTwips,
                       QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(pixels(widthTwips), pixels(heightTwips));
}

CalcScreen::~CalcScreen() = default;

TextBox* CalcScreen::textBox(const char* name, int left, int top, int width, int height) {
    auto* box = new TextBox(this);
    box->setObjectName(QString::fromUtf8(name));
    box->setGeometry(twipRect(left, top, width, height));
    if (!firstBox_) firstBox_ = box;
    return box;
}

QLabel* CalcScreen::newLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromUtf8(name));
    label->adjustSize();
    return label;
}

QLabel* CalcScreen::caption(const char* name, int left, int top, const QString& text, int rightLimit) {
    QLabel* label = newLabel(name, text);
    int x = pixels(left);
    if (rightLimit >= 0) x = std::min(x, pixels(rightLimit) - label->width() - 2);
    label->move(x, pixels(top));
    return label;
}

QLabel* CalcScreen::unitLabel(const char* name, int left, int top, const QString& text, int height) {
    QLabel* label = newLabel(name, text);
    label->setGeometry(pixels(left), pixels(top), label->width() + 4, pixels(height));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLabel* CalcScreen::resultLabel(const char* name, int left, int top, int width, int height) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromUtf8(name));
    label->setGeometry(twipRect(left, top, width, height));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMargin(2);
    return label;
}

QLabel* CalcScreen::degreeLabel(const char* name, int left, int top) {
    auto* label = caption(name, left, top, QString::fromLatin1(survey::kDegreeConstantText.data(),
                                                               qsizetype(survey::kDegreeConstantText.size())));
    label->hide();
    return label;
}

CommandButton* CalcScreen::commandButton(const char* name, const QString& text, int left, int top, int width,
                                         int height) {
    auto* button = new CommandButton(this);
    button->setObjectName(QString::fromUtf8(name));
    button->setText(text);
    button->setGeometry(twipRect(left, top, width, height));
    return button;
}

void CalcScreen::describe(QWidget* field, const QString& caption) {
    const QString text = caption.trimmed();
    if (qobject_cast<QLineEdit*>(field)) field->setAccessibleName(text);
    else field->setAccessibleDescription(text);
}

void CalcScreen::instructionLine(const QString& text, bool scrolls) {
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

CalcScreen::Buttons CalcScreen::standardButtons(int firstNumber, const QString& menuCaption) {
    auto name = [firstNumber](int offset) { return QByteArray("Command") + QByteArray::number(firstNumber + offset); };
    Buttons b{};
    b.calculate = commandButton(name(0).constData(), QStringLiteral("計　　算"), 5520, 720);
    b.clear = commandButton(name(1).constData(), QStringLiteral("C L S"), 5520, 1320);
    b.menu = commandButton(name(2).constData(), menuCaption, 5520, 1920);
    b.exit = commandButton(name(3).constData(), QStringLiteral("終　　了"), 5520, 2520);
    return b;
}

void CalcScreen::wireButtons(const Buttons& b) {
    QObject::connect(b.calculate, &QPushButton::clicked, this, [this] { calculate(); });
    QObject::connect(b.clear, &QPushButton::clicked, this, [this] { clear(); });
    QObject::connect(b.menu, &QPushButton::clicked, this, [this] { backToMenu(); });
    QObject::connect(b.exit, &QPushButton::clicked, this, [this] { exitProgram(); });
}

void CalcScreen::standardButtons(CommandButton*& calculate, CommandButton*& clear, CommandButton*& menu,
                                 CommandButton*& exit, const QString& menuCaption) {
    const Buttons b = standardButtons(1, menuCaption);
    calculate = b.calculate;
    clear = b.clear;
    menu = b.menu;
    exit = b.exit;
    wireButtons(b);
}

void CalcScreen::setTabChain(std::initializer_list<QWidget*> order) {
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
}

double CalcScreen::value(const QLineEdit* box) { return survey::leadingNumber(box->text().toStdString()); }

std::string CalcScreen::typed(const QLineEdit* box) { return box->text().toStdString(); }

QString CalcScreen::shown(double v) { return QString::fromStdString(survey::numberText(v)); }

void CalcScreen::setResultFile(const QString& fileName, const QString& deleteQuestion) {
    file_.emplace(fileName);
    deleteQuestion_ = deleteQuestion;
}

double CalcScreen::degrees(const QLabel* constantLabel) const {
    return survey::leadingNumber(constantLabel->text().toStdString());
}

void CalcScreen::finishLoad() {
    emptyFields();
    Module1::CenterForm(this);
}

void CalcScreen::emptyFields() {
    for (QWidget* w : clearedFields_) emptyField(w);
}

bool CalcScreen::calculationShown() const {
    if (shownFields_.isEmpty()) return false;
    for (const QWidget* w : shownFields_)
        if (fieldText(w).isEmpty()) return false;
    return true;
}

void CalcScreen::focusAfterCalculation() {
    if (firstBox_) firstBox_->setFocus();
}

void CalcScreen::refuse() {
    Module1::ShowInputError();
    emptyFields();
    onErrorPath();
    if (firstBox_) firstBox_->setFocus();
}

void CalcScreen::calculate() {
    if (!acceptsInput()) {
        refuse();
        return;
    }
    const std::optional<survey::Record> record = compute();
    if (!record) {
        refuse();
        return;
    }
    startInstructionLine();
    if (file_ && !record->empty()) writeRecord(*record);
    focusAfterCalculation();
}

void CalcScreen::startInstructionLine() {
    if (Timer1 && !Timer1->isActive()) {
        Timer1->setInterval(kTickMilliseconds);
        Timer1->start();
    }
}

void CalcScreen::restInstructionLine() {
    if (Timer1) {
        Timer1->stop();
        Timer1->setInterval(0);
    }
    setInstructionLeft(float(kInstructionLeft));
}

bool CalcScreen::writeRecord(const survey::Record& record) {
    const survey::FileOutcome outcome = file_->append(record);
    if (outcome.ok()) return true;
    QString prompt;
    if (outcome.kind == survey::FileOutcome::Kind::Unencodable) {
        prompt = QStringLiteral("ファイルに記録できない文字「%1」が含まれているため、計算結果を保存しませんでした。")
                     .arg(outcome.offending);
    } else {
        prompt = QStringLiteral("計算結果をファイルに保存できませんでした。\n%1").arg(outcome.reason);
    }
    prompt += QStringLiteral("\n\nファイル: %1\n計算結果は画面に表示されています。").arg(file_->path());
    Module1::ShowFailure(prompt, QStringLiteral("ファイルの保存"));
    return false;
}

void CalcScreen::offerDelete() {
    if (!file_ || !Module1::AskDelete(deleteQuestion_)) return;
    const survey::FileOutcome outcome = file_->remove();
    if (outcome.ok()) return;
    Module1::ShowFailure(QStringLiteral("ファイルを削除できませんでした。\n%1\n\nファイル: %2")
                             .arg(outcome.reason, file_->path()),
                         QStringLiteral("ファイルの削除"));
}

void CalcScreen::clear() {
    if (calculationShown()) offerDelete();
    emptyFields();
    if (firstBox_) firstBox_->setFocus();
}

void CalcScreen::backToMenu() {
    Navigation::ShowMenu();
    close();
}

void CalcScreen::exitProgram() {
    if (calculationShown()) offerDelete();
    Module1::EndProgram();
}

void CalcScreen::setInstructionLeft(float leftTwips) {
    instructionLeft_ = leftTwips;
    if (Label1) Label1->move(pixels(int(std::lround(leftTwips))), Label1->y());
}

void CalcScreen::Timer1_Timer() {
    float left = instructionLeft_ - float(kTickTwips);
    if (float(twips(Label1->width())) + left < 0.0f) left = float(twips(Picture1->width()));
    setInstructionLeft(left);
}
