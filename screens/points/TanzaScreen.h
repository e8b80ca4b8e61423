// 単独座標計算: a new point from a base point, a direction angle and a
// distance. Writes no result file; its instruction line stands still.
#pragma once

#include "frame/CalcScreen.h"

class 単独座標計算 : public CalcScreen {
public:
    explicit 単独座標計算(QWidget* parent = nullptr);

    TextBox *Text1, *Text2, *Text3, *Text4;
    QLabel *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;
    QLabel *Label8, *Label9;  // results: X and Y of the new point
    QLabel* Label10;          // degree constant
    CommandButton *Command1, *Command2, *Command3, *Command4;

protected:
    bool acceptsInput() const override;
    Outcome compute() override;
};
