// オフセット: the point at a given distance from base point A along the
// line to base point B, logged to "ｵﾌｾｯﾄDATA.TXT" on the Desktop. The base
// points stay in their boxes, so one offset after another can be set out
// on the same line.
#pragma once

#include "screens/points/TwoPointScreen.h"

class オフセット : public TwoPointScreen {
public:
    explicit オフセット(QWidget* parent = nullptr);

    TextBox* Text5;             // offset from A, metres
    QLabel *Label12, *Label13;  // its caption and unit
    QLabel *Label10, *Label11;  // captions of the results
    QLabel *Label6, *Label7;    // results: X, Y of the point

protected:
    bool acceptsInput() const override;
    Outcome compute() override;
    void focusAfterCalculation() override;
    // An offset beyond B sends the focus to Text5, anything else to Text1.
    QWidget* focusAfterRefusal() const override;

private:
    bool beyondB() const;
};
