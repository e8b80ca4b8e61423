// 座標面積: the area of a parcel from its corner coordinates. The user adds
// the corners one by one with INPUT and then calculates; the area and every
// corner are logged to "座標面積DATA.TXT" on the Desktop.
#pragma once

#include <vector>

#include "frame/CalcScreen.h"
#include "survey/area.h"

class 座標面積 : public CalcScreen {
public:
    explicit 座標面積(QWidget* parent = nullptr);

    // The corner list holds at most this many corners.
    static constexpr std::size_t kMaxCorners = survey::kMaxCorners;

    TextBox *Text1, *Text2;    // X and Y of the corner being entered
    QLabel* Label2;            // number of the corner the next INPUT adds
    QLabel* Label3;            // caption of the area
    QLabel* Label4;            // result: the area, without unit
    QLabel *Label5, *Label6;   // headings of Text1 and Text2
    CommandButton* Command1;   // INPUT
    CommandButton *Command2, *Command3, *Command4, *Command5;

    // INPUT: adds the typed corner to the list.
    void inputCorner();
    // C L S: offers to delete the file when a result is shown, then puts the
    // screen back in its load state with an empty corner list.
    void clear() override;

protected:
    bool acceptsInput() const override;
    std::optional<survey::Record> compute() override;
    void forgetKept() override;
    bool keepsInputList() const override { return true; }

private:
    void forgetCorners();

    std::vector<survey::Corner> corners_;
};
