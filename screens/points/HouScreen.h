// 方向距離: the direction angle and the distance from a base point to a
// back-sight point, logged to "方向・距離DATA.TXT" on the Desktop.
#pragma once

#include "frame/CalcScreen.h"

class 方向距離 : public CalcScreen {
public:
    explicit 方向距離(QWidget* parent = nullptr);

    TextBox *Text1, *Text2, *Text3, *Text4;
    QLabel *Label2, *Label3, *Label4, *Label5, *Label6;
    QLabel *Label7, *Label8, *Label9;     // results: degrees, minutes, seconds
    QLabel *Label10, *Label11, *Label12;  // the blue ° ′ ″
    QLabel* Label13;
    QLabel* Label14;  // result: distance
    QLabel* Label15;
    QLabel* Label16;  // degree constant
    CommandButton *Command1, *Command2, *Command3, *Command4;

protected:
    bool acceptsInput() const override;
    Outcome compute() override;
};
