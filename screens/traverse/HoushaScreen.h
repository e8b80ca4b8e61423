// 放射トラ: points observed from one station by angle and distance, one
// point per calculation, logged to "放射トラバースDATA.TXT" on the Desktop.
//
// Two modes: with a direction angle (Option1), or with an angle turned
// clockwise from a backsight point (Option2). The mode is nothing but the
// visibility of the backsight boxes: both hidden means direction angles.
#pragma once

#include <QRadioButton>

#include "frame/CalcScreen.h"

class 放射トラ : public CalcScreen {
public:
    explicit 放射トラ(QWidget* parent = nullptr);

    TextBox *Text1, *Text2;                                       // station X, Y
    TextBox *Text3, *Text4;                                       // backsight X, Y (included angles only)
    TextBox *Text5, *Text6;                                       // packed angle, distance
    QLabel *Label2, *Label5, *Label3, *Label6, *Label4, *Label7;  // box captions
    QLabel *Label8, *Label9;                                      // captions of the results
    QLabel *Label10, *Label11;                                    // results: X, Y of the new point
    QLabel* Label12;                                              // degree constant
    QRadioButton *Option1, *Option2;
    CommandButton *Command1, *Command2, *Command3, *Command4;

    // True when the angle typed is a direction angle.
    bool directionMode() const;

protected:
    bool acceptsInput() const override;
    Outcome compute() override;
    void focusAfterCalculation() override;

private:
    void showBacksight(bool shown);
};
