// What the screens on the line between two base points share (中間点,
// オフセット, 分割): base A in the first row of boxes and base B in the
// second, the hidden degree constant and result marker, the four buttons,
// and the X/Y result row of the screens that show a point.
#pragma once

#include "frame/CalcScreen.h"
#include "survey/point.h"
#include "survey/twoend.h"

class TwoPointScreen : public CalcScreen {
public:
    TextBox *Text1, *Text2;                     // base A: X, Y
    TextBox *Text3, *Text4;                     // base B: X, Y
    QLabel *Label2, *Label3, *Label4, *Label5;  // their captions
    QLabel* Label8;                             // degree constant
    // Result marker: filled by a calculation, emptied by clear and refusal;
    // clear and exit ask about the file when it holds text (also "0").
    QLabel* Label9;
    CommandButton *Command1, *Command2, *Command3, *Command4;

protected:
    // Rows of boxes (twips): the third holds the offset or the count.
    static constexpr int kRowA = 720, kRowB = 1200, kThirdRow = 1680;
    static constexpr int kLeftBox = 960, kRightBox = 3720;
    static constexpr int kLeftMargin = 120;

    TwoPointScreen(const QString& name, const QString& title, int heightTwips, const QString& instruction,
                   QWidget* parent);

    // The base points as a press reads them (a value beyond the range of a
    // double refuses the press).
    survey::Point baseA() { return {value(Text1), value(Text2)}; }
    survey::Point baseB() { return {value(Text3), value(Text4)}; }
    survey::TypedBase typedBase() const { return {typed(Text1), typed(Text2), typed(Text3), typed(Text4)}; }
    double degreeConstant() const { return degrees(Label8); }

    // The result row "X 座標 =" [x]   "Y 座標 =" [y] at `top`.
    struct PointRow {
        QLabel *xCaption, *x, *yCaption, *y;
    };
    PointRow pointRow(int top);
    // Shows a point in its two result labels and sets the marker to the
    // product X * Y.
    void showPoint(QLabel* x, QLabel* y, survey::Point p);
};
