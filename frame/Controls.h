// The standard controls of the calculation screens and the twip geometry
// they are laid out in (15 twips to one logical pixel).
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <functional>

inline constexpr int kTwipsPerPixel = 15;

// Twips -> logical pixels, to the nearest pixel.
constexpr int pixels(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}
constexpr int twips(int pixels) { return pixels * kTwipsPerPixel; }
constexpr QRect twipRect(int left, int top, int width, int height) {
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

// An input box for one number. It selects its whole text whenever it
// receives the focus from the keyboard or from the program, so typing
// replaces the old value. It holds one line: trailing line breaks of a paste
// are dropped and other control characters become blanks; full-width digits
// and signs from an input method become their ASCII forms.
//
// A box can take a table instead: with a handler for lines set, a paste
// (the keys or the context menu) of text of two lines or more goes to the
// handler and the box keeps its text. Its context menu shows, after the
// usual entries, any actions added to the box, and their keys are theirs
// even where the box has a use of its own for them (Ctrl+Z).
class TextBox : public QLineEdit {
public:
    explicit TextBox(QWidget* parent = nullptr);

    void onPasteLines(std::function<void(const QString& text)> handler) { pasteLines_ = std::move(handler); }

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The clipboard's text when it holds two lines or more and a handler
    // takes them; empty otherwise.
    QString pastedLines() const;

    std::function<void(const QString&)> pasteLines_;
};

// A command button. Enter or Return on the focused button presses it, as
// Space does; a key held down presses it once.
class CommandButton : public QPushButton {
public:
    explicit CommandButton(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Enter went down on this button and has not come up. The system's
    // word that a press repeats is not enough: a key that went down in
    // another window (Enter on the menu that opened this screen) and came
    // up while the windows changed is still down to Wine, and its next
    // press comes as a repeat.
    bool enterDown_ = false;
};
