// 連続座標計算: a chain of points from one known point, leg after leg by a
// direction angle and a distance, each leg logged to "連続座標計算DATA.TXT"
// on the Desktop.
//
// The chain lives in the boxes: after a leg the new point, unrounded, is
// the base point in Text1 and Text2, carried through the hidden Label12 and
// Label13.
#pragma once

#include "frame/CalcScreen.h"

class 連続座標計算 : public CalcScreen {
public:
    explicit 連続座標計算(QWidget* parent = nullptr);

    TextBox *Text1, *Text2;                     // base point X, Y; the new point after a leg
    TextBox *Text3, *Text4;                     // packed direction angle, distance of the leg
    QLabel *Label2, *Label3, *Label4, *Label5;  // box captions
    QLabel *Label6, *Label8;                    // captions of the results
    QLabel *Label7, *Label9;                    // results: X, Y of the new point, 3 decimals
    QLabel* Label11;                            // degree constant
    QLabel *Label12, *Label13;                  // the new point's X, Y unrounded, carried on
    CommandButton *Command1, *Command2, *Command3, *Command4;

protected:
    bool acceptsInput() const override;
    Outcome compute() override;
    void afterWrite(bool written) override;
    void focusAfterCalculation() override;
    void forgetKept() override { newPoints_.clear(); }

private:
    // The points of the chain since the last registration, as the file has them.
    std::vector<survey::BookPoint> newPoints_;
};
