#include "frame/Controls.h"

#include <QFocusEvent>
#include <QKeyEvent>

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {}

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
