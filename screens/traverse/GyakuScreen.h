// 逆トラ: from a station and a backsight, the clockwise angle and the
// distance to set out a target point (DATA), one target per calculation,
// logged to "逆ﾄﾗﾊﾞｰｽDATA.TXT" on the Desktop.
#pragma once

#include "frame/CalcScreen.h"

class 逆トラ : public CalcScreen {
public:
    explicit 逆トラ(QWidget* parent = nullptr);

    TextBox *Text1, *Text2;                                       // station X, Y
    TextBox *Text3, *Text4;                                       // backsight X, Y
    TextBox *Text5, *Text6;                                       // target X, Y
    QLabel *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;  // box captions
    QLabel *Label8, *Label9;                                      // captions of the angle and the distance
    QLabel *Label10, *Label11, *Label12;                          // results: degrees, minutes, seconds
    QLabel* Label13;                                              // result: distance
    QLabel *Label14, *Label15, *Label16;                          // the blue ° ′ ″
    QLabel* Label17;                                              // "m"
    QLabel* Label18;                                              // degree constant
    CommandButton *Command1, *Command2, *Command3, *Command4;

protected:
    bool acceptsInput() const override;
    Outcome compute() override;
    void focusAfterCalculation() override;
};
