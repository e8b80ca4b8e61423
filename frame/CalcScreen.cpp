#include "frame/CalcScreen.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <algorithm>
#include <cmath>
#include <utility>

#include "frame/Module1.h"
#include "frame/Navigation.h"

namespace {

constexpr int kPictureLeft = 120, kPictureTop = 120, kPictureWidth = 6615, kPictureHeight = 495;
constexpr int kInstructionLeft = 840, kInstructionTop = 120;
constexpr int kTickTwips = 50;
constexpr int kTickMilliseconds = 50;
constexpr int kButtonPitch = 600;

QString fieldText(const QWidget* w) {
    if (auto* box = qobject_cast<const QLineEdit*>(w)) return box->text();
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    return QString();
}

void emptyField(QWidget* w) {
    if (auto* box = qobject_cast<QLineEdit*>(w)) box->clear();
    else if (auto* label = qobject_cast<QLabel*>(w)) label->clear();
}

QLabel* newLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->adjustSize();
    return label;
}

// The degree, minute and second marks: blue and a little larger.
QLabel* blue(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    label->setFont(font);
    label->resize(label->sizeHint().width() + 4, label->height());
    return label;
}

}  // namespace

bool allFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

QString arrayName(const char* base, int index) {
    return QStringLiteral("%1(%2)").arg(QString::fromUtf8(base)).arg(index);
}

// ---- CalcWindow -----------------------------------------------------------------

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

// ---- Pieces ------------------------------------------------------------------------

void DmsRow::show(const survey::Dms& dms) const {
    show(QString::number(dms.d), QString::number(dms.m), QString::number(dms.s));
}

void DmsRow::show(const QString& dText, const QString& mText, const QString& sText) const {
    d->setText(dText);
    m->setText(mText);
    s->setText(sText);
}

void OptionPair::onChoose(QWidget* context, QWidget* focusOnClick, std::function<void(bool)> chosen) const {
    // toggled comes however the button was set; clicked only from the user.
    QObject::connect(first, &QRadioButton::toggled, context, [chosen](bool on) {
        if (on) chosen(true);
    });
    QObject::connect(second, &QRadioButton::toggled, context, [chosen](bool on) {
        if (on) chosen(false);
    });
    for (QRadioButton* option : {first, second})
        QObject::connect(option, &QRadioButton::clicked, context, [focusOnClick] { focusOnClick->setFocus(); });
}

// ---- Calculation ---------------------------------------------------------------------

Calculation::Calculation(CalcWindow* host, QWidget* sheet) : host_(host), sheet_(sheet) {}

Calculation::~Calculation() = default;

QString Calculation::deleteQuestion(const QString& fileName) {
    QString shownName = fileName;
    if (shownName.endsWith(QStringLiteral(".TXT"))) shownName = shownName.chopped(4) + QStringLiteral(".txt");
    return QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ ") + shownName + QStringLiteral("ファイルも削除しますか？");
}

TextBox* Calculation::textBox(const QString& name, int left, int top, int width, int height) {
    auto* box = new TextBox(sheet_);
    box->setObjectName(name);
    box->setGeometry(twipRect(left, top, width, height));
    if (!firstBox_) firstBox_ = box;
    return box;
}

QLabel* Calculation::caption(const QString& name, int left, int top, const QString& text, int rightLimit) {
    QLabel* label = newLabel(sheet_, name, text);
    int x = pixels(left);
    if (rightLimit >= 0) x = std::min(x, pixels(rightLimit) - label->width() - 2);
    label->move(x, pixels(top));
    return label;
}

QLabel* Calculation::captionFor(QWidget* field, const QString& name, const QString& text, int gap) {
    constexpr int kDrop = 120;  // captions stand a little lower than their field
    const int left = twips(field->x());
    QLabel* label = caption(name, left - gap, twips(field->y()) + kDrop, text, left);
    describe(field, label);
    return label;
}

QLabel* Calculation::unitLabel(const QString& name, int left, int top, const QString& text, int height) {
    QLabel* label = newLabel(sheet_, name, text);
    label->setGeometry(pixels(left), pixels(top), label->width() + 4, pixels(height));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLabel* Calculation::resultLabel(const QString& name, int left, int top, int width, int height) {
    auto* label = new QLabel(sheet_);
    label->setObjectName(name);
    label->setGeometry(twipRect(left, top, width, height));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMargin(2);
    return label;
}

QLabel* Calculation::hiddenLabel(const QString& name, int left, int top, const QString& text) {
    QLabel* label = caption(name, left, top, text);
    label->hide();
    return label;
}

QLabel* Calculation::degreeLabel(const QString& name, int left, int top, const QString& text) {
    return hiddenLabel(name, left, top, text);
}

DmsRow Calculation::dmsRow(int left, int top, std::initializer_list<QString> valueNames,
                           std::initializer_list<QString> markNames, std::initializer_list<int> widths) {
    static const QString kMarks[3] = {QStringLiteral("°"), QStringLiteral("′"), QStringLiteral("″")};
    constexpr int kMarkWidth = 240;
    QLabel* values[3] = {};
    QLabel* marks[3] = {};
    int x = left;
    for (int i = 0; i < 3; ++i) {
        const int width = widths.begin()[i];
        values[i] = resultLabel(valueNames.begin()[i], x, top, width);
        x += width;
        marks[i] = blue(unitLabel(markNames.begin()[i], x, top, kMarks[i]));
        x += kMarkWidth;
    }
    return DmsRow{values[0], marks[0], values[1], marks[1], values[2], marks[2]};
}

OptionPair Calculation::optionPair(int left, int top, const QString& firstCaption, const QString& secondCaption,
                                   const char* firstName, const char* secondName) {
    auto make = [this](const char* name, const QString& text, int x, int y) {
        auto* option = new QRadioButton(text, sheet_);
        option->setObjectName(QString::fromUtf8(name));
        option->setGeometry(twipRect(x, y, 1215, 375));
        option->setChecked(false);
        return option;
    };
    return OptionPair{make(firstName, firstCaption, left, top), make(secondName, secondCaption, left + 1440, top)};
}

CommandButton* Calculation::commandButton(const QString& name, const QString& text, int left, int top, int width,
                                          int height) {
    auto* button = new CommandButton(sheet_);
    button->setObjectName(name);
    button->setText(text);
    button->setGeometry(twipRect(left, top, width, height));
    return button;
}

void Calculation::describe(QWidget* field, const QString& caption) {
    const QString text = caption.trimmed();
    if (qobject_cast<QLineEdit*>(field)) field->setAccessibleName(text);
    else field->setAccessibleDescription(text);
}

Calculation::Buttons Calculation::standardButtons(int firstNumber, const QString& menuCaption, int left, int top) {
    auto name = [firstNumber](int offset) { return QStringLiteral("Command%1").arg(firstNumber + offset); };
    Buttons b{};
    b.calculate = commandButton(name(0), QStringLiteral("計　　算"), left, top);
    b.clear = commandButton(name(1), QStringLiteral("C L S"), left, top + kButtonPitch);
    b.menu = commandButton(name(2), menuCaption, left, top + 2 * kButtonPitch);
    b.exit = commandButton(name(3), QStringLiteral("終　　了"), left, top + 3 * kButtonPitch);
    return b;
}

void Calculation::wireButtons(const Buttons& b) {
    QObject::connect(b.calculate, &QPushButton::clicked, host_, [this] { calculate(); });
    QObject::connect(b.clear, &QPushButton::clicked, host_, [this] { clear(); });
    QObject::connect(b.menu, &QPushButton::clicked, host_, [this] { backToMenu(); });
    QObject::connect(b.exit, &QPushButton::clicked, host_, [this] { exitProgram(); });
}

void Calculation::standardButtons(CommandButton*& calculate, CommandButton*& clear, CommandButton*& menu,
                                  CommandButton*& exit, const QString& menuCaption) {
    const Buttons b = standardButtons(1, menuCaption);
    calculate = b.calculate;
    clear = b.clear;
    menu = b.menu;
    exit = b.exit;
    wireButtons(b);
}

void Calculation::setTabChain(std::initializer_list<QWidget*> order) {
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

double Calculation::value(const QLineEdit* box) const {
    const double v = survey::leadingNumber(box->text().toStdString());
    if (!std::isfinite(v) && !unreadable_) unreadable_ = const_cast<QLineEdit*>(box);
    return v;
}

QLineEdit* Calculation::firstUnreadable(std::initializer_list<QLineEdit*> boxes) const {
    const auto found =
        std::find_if(boxes.begin(), boxes.end(), [this](QLineEdit* box) { return !std::isfinite(value(box)); });
    unreadable_ = nullptr;  // told here; not a fault of the next calculation
    return found == boxes.end() ? nullptr : *found;
}

std::string Calculation::typed(const QLineEdit* box) {
    QString text = box->text();
    // A lone surrogate is no character at all. It becomes U+FFFD, which no
    // result file stores, instead of a quiet "?".
    if (!text.isValidUtf16()) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
            else if (text[i].isSurrogate()) text[i] = QChar::ReplacementCharacter;
        }
    }
    return text.toStdString();
}

QString Calculation::shown(double v) const {
    if (!std::isfinite(v)) unshowable_ = true;
    return QString::fromStdString(survey::numberText(v));
}

double Calculation::degrees(const QLabel* constantLabel) {
    return survey::leadingNumber(constantLabel->text().toStdString());
}

bool Calculation::allFilled(std::initializer_list<const QLineEdit*> boxes) {
    return std::none_of(boxes.begin(), boxes.end(), [](const QLineEdit* box) { return box->text().isEmpty(); });
}

bool Calculation::numbersNotAllZero(std::initializer_list<const QLineEdit*> boxes) {
    bool allZero = true;
    for (const QLineEdit* box : boxes) {
        if (box->text().isEmpty()) return false;
        const std::optional<double> v = survey::strictNumber(box->text().toStdString());
        if (!v) return false;  // not a number at all
        if (*v != 0.0) allZero = false;
    }
    return !allZero;
}

void Calculation::setResultFile(const QString& fileName) { file_.emplace(fileName.toStdString()); }

void Calculation::emptyFields() {
    for (QWidget* w : clearedFields_) emptyField(w);
}

bool Calculation::calculationShown() const {
    if (shownFields_.isEmpty()) return false;
    return std::none_of(shownFields_.begin(), shownFields_.end(),
                        [](const QWidget* w) { return fieldText(w).isEmpty(); });
}

void Calculation::focusAfterCalculation() {
    if (firstBox_) firstBox_->setFocus();
}

void Calculation::refuse(QWidget* focus) {
    // Asked while the refused input is still in the boxes.
    if (!focus) focus = focusAfterRefusal();
    Module1::ShowInputError();
    emptyFields();
    forgetKept();
    if (focus) focus->setFocus();
}

void Calculation::refuseKeeping(QWidget* atFault) {
    Module1::ShowInputError();
    atFault->setFocus();
    if (auto* box = qobject_cast<QLineEdit*>(atFault)) box->selectAll();
}

void Calculation::reload() {
    emptyFields();
    forgetKept();
    host_->restInstructionLine();
    if (firstBox_) firstBox_->setFocus();
}

void Calculation::calculate() {
    unreadable_ = nullptr;
    unshowable_ = false;
    if (!acceptsInput()) {
        refuse();
        return;
    }
    const bool wasMoving = host_->startInstructionLine();
    const std::optional<survey::Record> record = compute();
    QLineEdit* const unreadable = std::exchange(unreadable_, nullptr);
    if (!record || !record->finite() || unreadable || unshowable_) {
        // Not a valid calculation after all: the line stands still as before.
        if (!wasMoving) host_->restInstructionLine();
        if (keepsInputList()) {
            // No result stays on the screen; what was typed does.
            for (QWidget* w : clearedFields_) {
                if (auto* label = qobject_cast<QLabel*>(w)) label->clear();
            }
            refuseKeeping(unreadable ? unreadable : boxAtFault());
        } else {
            refuse();
        }
        return;
    }
    if (file_ && !record->empty()) afterWrite(writeRecord(*record));
    focusAfterCalculation();
}

bool Calculation::writeRecord(const survey::Record& record) {
    const survey::FileOutcome outcome = file_->append(record);
    if (outcome.ok()) return true;
    QString prompt;
    if (outcome.kind == survey::FileOutcome::Kind::Unencodable) {
        prompt = QStringLiteral("ファイルに記録できない文字「%1」が含まれているため、計算結果を保存しませんでした。")
                     .arg(QString::fromStdString(outcome.offending));
    } else {
        prompt = QStringLiteral("計算結果をファイルに保存できませんでした。\n%1")
                     .arg(QString::fromStdString(outcome.reason));
    }
    prompt += QStringLiteral("\n\nファイル: %1\n計算結果は画面に表示されています。").arg(shownPath());
    Module1::ShowFailure(prompt, QStringLiteral("ファイルの保存"));
    return false;
}

void Calculation::offerDelete() {
    if (!file_ || !Module1::AskDelete(deleteQuestion(QString::fromStdString(file_->fileName())))) return;
    // Into the desktop's trash, from where a Yes given by habit can still be
    // taken back; deleted outright only where the system has no trash for
    // the folder.
    const std::filesystem::path path = file_->path();
    const QString trashed = QString::fromStdU16String(path.u16string());
    if (!path.empty() && QFile::exists(trashed) && QFile::moveToTrash(trashed)) return;
    const survey::FileOutcome outcome = file_->remove();
    if (outcome.ok()) return;
    Module1::ShowFailure(QStringLiteral("ファイルを削除できませんでした。\n%1\n\nファイル: %2")
                             .arg(QString::fromStdString(outcome.reason), shownPath()),
                         QStringLiteral("ファイルの削除"));
}

QString Calculation::shownPath() const {
    // Without a Desktop folder there is no path: the name says which file.
    const std::filesystem::path path = file_->path();
    return path.empty() ? QString::fromStdString(file_->fileName())
                        : QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}

void Calculation::clear() {
    if (calculationShown()) offerDelete();
    emptyFields();
    forgetKept();
    if (firstBox_) firstBox_->setFocus();
}

void Calculation::backToMenu() { host_->backToMenu(); }

void Calculation::exitProgram() {
    if (calculationShown()) offerDelete();
    Module1::EndProgram();
}
