#include "frame/ControlFactory.h"

#include <QFrame>
#include <QLineEdit>
#include <algorithm>

namespace {

constexpr int kButtonPitch = 600;

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

QString ControlFactory::arrayName(const char* base, int index) {
    return QStringLiteral("%1(%2)").arg(QString::fromUtf8(base)).arg(index);
}

TextBox* ControlFactory::textBox(const QString& name, int left, int top, int width, int height) {
    auto* box = new TextBox(sheet_);
    box->setObjectName(name);
    box->setGeometry(twipRect(left, top, width, height));
    if (!firstBox_) firstBox_ = box;
    return box;
}

QLabel* ControlFactory::caption(const QString& name, int left, int top, const QString& text, int rightLimit) {
    QLabel* label = newLabel(sheet_, name, text);
    int x = pixels(left);
    if (rightLimit >= 0) x = std::min(x, pixels(rightLimit) - label->width() - 2);
    label->move(x, pixels(top));
    return label;
}

QLabel* ControlFactory::captionFor(QWidget* field, const QString& name, const QString& text, int gap) {
    constexpr int kDrop = 120;  // captions stand a little lower than their field
    const int left = twips(field->x());
    QLabel* label = caption(name, left - gap, twips(field->y()) + kDrop, text, left);
    describe(field, label);
    return label;
}

QLabel* ControlFactory::unitLabel(const QString& name, int left, int top, const QString& text, int height) {
    QLabel* label = newLabel(sheet_, name, text);
    label->setGeometry(pixels(left), pixels(top), label->width() + 4, pixels(height));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLabel* ControlFactory::resultLabel(const QString& name, int left, int top, int width, int height) {
    auto* label = new QLabel(sheet_);
    label->setObjectName(name);
    label->setGeometry(twipRect(left, top, width, height));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMargin(2);
    return label;
}

QLabel* ControlFactory::hiddenLabel(const QString& name, int left, int top, const QString& text) {
    QLabel* label = caption(name, left, top, text);
    label->hide();
    return label;
}

QLabel* ControlFactory::degreeLabel(const QString& name, int left, int top, const QString& text) {
    return hiddenLabel(name, left, top, text);
}

DmsRow ControlFactory::dmsRow(int left, int top, std::initializer_list<QString> valueNames,
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

OptionPair ControlFactory::optionPair(int left, int top, const QString& firstCaption, const QString& secondCaption,
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

CommandButton* ControlFactory::commandButton(const QString& name, const QString& text, int left, int top, int width,
                                             int height) {
    auto* button = new CommandButton(sheet_);
    button->setObjectName(name);
    button->setText(text);
    button->setGeometry(twipRect(left, top, width, height));
    return button;
}

void ControlFactory::describe(QWidget* field, const QString& caption) {
    const QString text = caption.trimmed();
    if (qobject_cast<QLineEdit*>(field)) field->setAccessibleName(text);
    else field->setAccessibleDescription(text);
}

ControlFactory::Buttons ControlFactory::standardButtons(int firstNumber, const QString& menuCaption, int left,
                                                        int top) {
    auto name = [firstNumber](int offset) { return QStringLiteral("Command%1").arg(firstNumber + offset); };
    Buttons b{};
    b.calculate = commandButton(name(0), QStringLiteral("計　　算"), left, top);
    b.clear = commandButton(name(1), QStringLiteral("C L S"), left, top + kButtonPitch);
    b.menu = commandButton(name(2), menuCaption, left, top + 2 * kButtonPitch);
    b.exit = commandButton(name(3), QStringLiteral("終　　了"), left, top + 3 * kButtonPitch);
    return b;
}

void ControlFactory::setTabChain(std::initializer_list<QWidget*> order) {
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}
