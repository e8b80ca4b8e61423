// 座標変換: carries a point from one plane system into another, given a
// base point and a backsight known in both, and logs every conversion to
// "座標変換DATA.TXT" on the Desktop.
#pragma once

#include <array>

#include "frame/CalcScreen.h"

class 座標変換 : public CalcScreen {
public:
    explicit 座標変換(QWidget* parent = nullptr);

    TextBox *Text1, *Text2;   // base point, first system
    TextBox *Text3, *Text4;   // backsight, first system
    TextBox *Text9, *Text10;  // base point, second system
    TextBox *Text5, *Text6;   // backsight, second system
    TextBox *Text7, *Text8;   // the point to convert, first system
    // The headings, a control array: 0-7 the two base lines, 8 and 9 the
    // results, 10 and 11 the point to convert.
    std::array<QLabel*, 12> Label2{};
    QLabel *Label5, *Label6;  // results: X and Y in the second system
    QLabel* Label7;           // degree constant
    CommandButton *Command1, *Command2, *Command3, *Command4;

protected:
    bool acceptsInput() const override;
    Outcome compute() override;
    void focusAfterCalculation() override;
};
