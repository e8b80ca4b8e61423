// The standard controls of the calculation screens and the twip geometry
// they are laid out in (15 twips to one logical pixel).
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>

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
class TextBox : public QLineEdit {
public:
    explicit TextBox(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
};

// A command button. Enter or Return on the focused button presses it, as
// Space does.
class CommandButton : public QPushButton {
public:
    explicit CommandButton(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
