// 中間点: the midpoint of two base points, walked to from both ends, logged
// to "中間点DATA.TXT" on the Desktop.
#pragma once

#include "screens/points/TwoPointScreen.h"

class 中間点 : public TwoPointScreen {
public:
    explicit 中間点(QWidget* parent = nullptr);

    QLabel *Label10, *Label11;  // captions of the results
    QLabel *Label6, *Label7;    // results: X, Y of the midpoint

protected:
    bool acceptsInput() const override;
    Outcome compute() override;
};
