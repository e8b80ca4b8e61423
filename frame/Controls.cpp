#include "frame/Controls.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QValidator>
#include <memory>

#include "survey/text.h"

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
    static bool isLineBreak(QChar c) { return c == u'\r' || c == u'\n' || c == QChar(0x2028) || c == QChar(0x2029); }
    // Full-width digits and signs as an input method sends them become
    // their ASCII forms, as in a pasted table; other control characters an
    // ordinary blank.
    static QChar asTyped(QChar c) {
        const char16_t u = c.unicode();
        if (const char ascii = survey::asciiNumberChar(u)) return QChar(ascii);
        switch (u) {
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
        case Qt::MouseFocusReason:         // the click places the cursor itself
        case Qt::PopupFocusReason:         // back from a context menu
        case Qt::ActiveWindowFocusReason:  // the window was only reactivated
            break;
        default: selectAll(); break;
    }
}

QString TextBox::pastedLines() const {
    if (!pasteLines_) return {};
    const QString text = QGuiApplication::clipboard()->text();
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\n|\\r"));
    int lines = 0;
    for (const QString& line : text.split(lineBreak)) {
        if (!line.trimmed().isEmpty()) ++lines;
    }
    return lines >= 2 ? text : QString();
}

bool TextBox::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* action : actions()) {
            if (action->isEnabled() && action->shortcut() == pressed) {
                event->ignore();  // the action's shortcut, not the box's own use of the key
                return true;
            }
        }
    }
    return QLineEdit::event(event);
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        if (const QString lines = pastedLines(); !lines.isEmpty()) {
            event->accept();
            pasteLines_(lines);
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    const QString lines = pastedLines();
    if (!lines.isEmpty()) {
        for (QAction* action : menu->actions()) {
            if (action->objectName() != QStringLiteral("edit-paste")) continue;
            action->disconnect();
            action->setEnabled(true);
            QObject::connect(action, &QAction::triggered, this, [this, lines] { pasteLines_(lines); });
        }
    }
    if (!actions().isEmpty()) {
        menu->addSeparator();
        menu->addActions(actions());
    }
    menu->exec(event->globalPos());
}

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent) { setAutoDefault(false); }

namespace {

bool isEnter(const QKeyEvent* event) {
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace

void CommandButton::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event)) {
        if (!event->isAutoRepeat() || !enterDown_) {
            enterDown_ = true;
            click();
        }
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButton::keyReleaseEvent(QKeyEvent* event) {
    if (isEnter(event) && !event->isAutoRepeat()) enterDown_ = false;
    QPushButton::keyReleaseEvent(event);
}

void CommandButton::focusOutEvent(QFocusEvent* event) {
    enterDown_ = false;
    QPushButton::focusOutEvent(event);
}
