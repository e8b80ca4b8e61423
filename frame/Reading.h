// How a calculation reads its boxes and shows its numbers during one press:
// numbers by the leading-number reading, texts as typed, numbers as the
// screen shows them. What is met on the way that is not a finite number
// (‹1e400› in a box, a result that overflowed) is noted, so that the press
// refuses it: nothing is then shown or written.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <initializer_list>
#include <string>

class Reading {
public:
    // A new press: nothing noted.
    void start() { unreadable_ = nullptr, unshowable_ = false; }

    // A box's value; the first box whose value is not a finite number is noted.
    double value(QLineEdit* box);
    // A number as the screen shows it; one that is not finite is noted.
    QString shown(double v);
    // The first box noted, and whether a number shown was not finite.
    QLineEdit* unreadable() const { return unreadable_; }
    bool unshowable() const { return unshowable_; }

    // The same reading, noting nothing: for the validity tests, which only
    // look.
    static double numberIn(const QLineEdit* box);
    // The box's text as typed, for the record (a lone surrogate becomes
    // U+FFFD, which no result file stores).
    static std::string typed(const QLineEdit* box);
    // The first of the boxes whose value is not a finite number, or none; a
    // button other than calculate (INPUT) asks before it takes a value.
    static QLineEdit* firstUnreadable(std::initializer_list<QLineEdit*> boxes);
    // The degree constant read from the screen's label.
    static double degrees(const QLabel* constantLabel);
    // The common validity test: every box filled, every box a number by the
    // strict reading, and not all of them zero.
    static bool numbersNotAllZero(std::initializer_list<const QLineEdit*> boxes);
    static bool allFilled(std::initializer_list<const QLineEdit*> boxes);

private:
    QLineEdit* unreadable_ = nullptr;
    bool unshowable_ = false;
};
