// The window of the calculation screens: fixed size, laid out in twips,
// with the scrolling instruction line. It holds one or more calculations
// (frame/Calculation.h).
#pragma once

#include <QFrame>
#include <QLabel>
#include <QString>
#include <QTimer>
#include <QWidget>

class CalcWindow : public QWidget {
public:
    // The first sentence of every instruction line, and the line of the
    // screens that write a result file (fifteen ideographic spaces between).
    static QString instructionShort();
    static QString instructionLong();
    // The line of a screen that names its file: the first sentence, then
    // `spaces` ideographic spaces and the screen's own second sentence.
    static QString instructionNaming(const QString& secondSentence, int spaces = 35);

    ~CalcWindow() override;

    // The instruction line's frame and the line itself, and its timer (none
    // on screens that write no file).
    QFrame* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;

    // One tick of the instruction line: 50 twips to the left, and back to
    // the right edge once it has left the picture completely.
    void Timer1_Timer();
    // Label1's left edge in twips, kept in single precision.
    float instructionLeft() const { return instructionLeft_; }
    void setInstructionLeft(float leftTwips);

    // Starts the instruction line (a no-op once it moves); true when it was
    // already moving.
    bool startInstructionLine();
    // Stops it and puts it back where it stands at load.
    void restInstructionLine();

    // Closes the window and shows the main menu.
    void backToMenu();

protected:
    // name: the window's objectName; caption: its title; client area in twips.
    CalcWindow(const QString& name, const QString& caption, int widthTwips, int heightTwips, QWidget* parent = nullptr);

    // Picture1 with Label1 inside; scrolling lines also get Timer1.
    void instructionLine(const QString& text, bool scrolls);
    // Puts the window in the centre of the screen; the last step of a load.
    void centre();

private:
    float instructionLeft_ = 840.0f;
};
