// 交点: the intersection of two lines through base points A and B, with the
// distances from A and B to it, logged to "交点DATA.TXT" on the Desktop.
//
// Two modes: direction angles (Option1), or angles turned clockwise from
// the line A-B at each end (Option2). The mode is nothing but which pair of
// stacked angle boxes is shown: Text3 and Text7 shown means direction
// angles, as when the screen opens.
#pragma once

#include <QRadioButton>

#include "frame/CalcScreen.h"

class 交点 : public CalcScreen {
public:
    explicit 交点(QWidget* parent = nullptr);

    TextBox *Text1, *Text2;  // base A: X, Y
    TextBox *Text3, *Text4;  // angle at A: direction, included (stacked)
    TextBox *Text5, *Text6;  // base B: X, Y
    TextBox *Text7, *Text8;  // angle at B: direction, included (stacked)
    QRadioButton *Option1, *Option2;
    QLabel *Label2, *Label3, *Label4, *Label5, *Label16, *Label17;  // headings of the boxes
    QLabel *Label6, *Label7;                                        // headings of the point
    QLabel *Label8, *Label9;                                        // results: X, Y of the point
    QLabel *Label10, *Label11;                                      // headings of the distances
    QLabel *Label12, *Label13;                                      // results: AP, BP
    QLabel *Label14, *Label15;                                      // "m"
    QLabel* Label18;                                                // degree constant
    CommandButton *Command1, *Command2, *Command3, *Command4;

    // True when the angles are direction angles.
    bool directionMode() const;

protected:
    bool acceptsInput() const override;
    Outcome compute() override;

private:
    void showDirectionBoxes(bool direction);
    TextBox* angleBoxA() const { return directionMode() ? Text3 : Text4; }
    TextBox* angleBoxB() const { return directionMode() ? Text7 : Text8; }
};
