#include "frame/Controls.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

namespace {

// What a number box holds: one line of the text the user meant. Applied by
// the box to everything that reaches it (typing, an input method's commit,
// a paste, the program's own setText), so that what the box shows is what is
// read and written to the record.
class OneLineNumberText final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& text, int& cursor) const override {
        // A cell copied from a spreadsheet ends in a line break: drop it.
        qsizetype end = text.size();
        while (end > 0 && isLineBreak(text[end - 1])) --end;
        if (end < text.size()) {
            text.truncate(end);
            cursor = std::min<int>(cursor, int(end));
        }
        for (QChar& c : text) c = asTyped(c);
        return Acceptable;
    }

private:
    static bool isLineBreak(QChar c) {
        return c == u'\r' || c == u'\n' || c == QChar(0x2028) || c == QChar(0x2029);
    }
    // Full-width digits and signs as an input method sends them become
    // their ASCII forms; other control characters an ordinary blank.
    static QChar asTyped(QChar c) {
        const char16_t u = c.unicode();
        if (u >= 0xFF10 && u <= 0xFF19) return QChar(u'0' + (u - 0xFF10));
        switch (u) {
            case 0xFF0E: return u'.';
            case 0xFF0D:
            case 0x2212: return u'-';
            case 0xFF0B: return u'+';
            case 0xFF45: return u'e';
            case 0xFF25: return u'E';
            case 0x2028:
            case 0x2029:
            case 0x007F: return u' ';
            default: return u < 0x20 ? QChar(u' ') : c;
        }
    }
};

}  // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    setValidator(new OneLineNumberText(this));
    // Many input methods switch themselves off for such a box.
    setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhPreferLatin);
}

void TextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    switch (event->reason()) {
        case Qt::MouseFocusReason:       // the click places the cursor itself
        case Qt::PopupFocusReason:       // back from a context menu
        case Qt::ActiveWindowFocusReason:  // the window was only reactivated
            break;
        default:
            selectAll();
            break;
    }
}

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat()) click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}
