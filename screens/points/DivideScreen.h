// 分割: divides the line between two base points into equal sections and
// logs every division point to "分割DATA.TXT" on the Desktop; the screen
// itself shows no values, only a box that points to the file.
#pragma once

#include <optional>

#include "screens/points/TwoPointScreen.h"

class 分割 : public TwoPointScreen {
public:
    explicit 分割(QWidget* parent = nullptr);

    TextBox* Text5;    // number of sections, 2 to 1000
    QLabel* Label12;   // its caption
    QLabel* Picture2;  // the drawing that explains the count

    // The points of the last calculation; none after a refusal or a clear.
    const std::optional<survey::Division>& division() const { return division_; }

protected:
    bool acceptsInput() const override;
    Outcome compute() override;
    void afterWrite(bool written) override;
    void focusAfterCalculation() override;
    void forgetKept() override { division_.reset(); }

private:
    std::optional<survey::Division> division_;
};
