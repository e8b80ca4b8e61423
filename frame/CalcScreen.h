// The frame every calculation screen builds on: the window (CalcWindow)
// and its calculations (Calculation). Most screens are one window with one
// calculation: CalcScreen is both.
#pragma once

#include <initializer_list>

#include "frame/CalcWindow.h"
#include "frame/Calculation.h"

class CalcScreen : public CalcWindow, public Calculation {
public:
    using Calculation::backToMenu;

protected:
    CalcScreen(const QString& name, const QString& caption, int widthTwips, int heightTwips, QWidget* parent = nullptr)
        : CalcWindow(name, caption, widthTwips, heightTwips, parent), Calculation(this, this) {}

    // Empties every box and label the screen lists and puts the window in
    // the centre; call at the end of the screen's constructor.
    void finishLoad() {
        emptyFields();
        centre();
    }
};

// True when every value is a finite number.
bool allFinite(std::initializer_list<double> values);
