#include "screens/traverse/HoushaScreen.h"

#include "survey/point.h"

namespace {

// Rows of the boxes and the results, and the left edges of the two columns
// of boxes and of the captions in front of them (twips).
constexpr int kStationRow = 720, kBacksightRow = 1200, kAngleRow = 1680, kResultRow = 2280;
constexpr int kOptionRow = 2880;
constexpr int kLeftBox = 960, kRightBox = 3720;

}  // namespace

放射トラ::放射トラ(QWidget* parent)
    : CalcScreen(QStringLiteral("放射トラ"), QStringLiteral("放射トラバース"), 6855, 3420, parent) {
    instructionLine(instructionLong(), true);
    Label12 = degreeLabel("Label12", 840, 480);

    // Text1 first: the frame sends the focus back to it.
    Text1 = textBox("Text1", kLeftBox, kStationRow);
    Text2 = textBox("Text2", kRightBox, kStationRow);
    Text3 = textBox("Text3", kLeftBox, kBacksightRow);
    Text4 = textBox("Text4", kRightBox, kBacksightRow);
    Text5 = textBox("Text5", kLeftBox, kAngleRow);
    Text6 = textBox("Text6", kRightBox, kAngleRow);
    Label2 = captionFor(Text1, "Label2", QStringLiteral("基準　X"));
    Label5 = captionFor(Text2, "Label5", QStringLiteral("基準　Y"));
    Label3 = captionFor(Text3, "Label3", QStringLiteral("後視　X"));
    Label6 = captionFor(Text4, "Label6", QStringLiteral("後視　Y"));
    Label4 = captionFor(Text5, "Label4", QStringLiteral("角　度"));
    Label7 = captionFor(Text6, "Label7", QStringLiteral("距　離"));

    Label10 = resultLabel("Label10", kLeftBox, kResultRow, 1575);
    Label8 = captionFor(Label10, "Label8", QStringLiteral("X 座標 ="));
    Label11 = resultLabel("Label11", kRightBox, kResultRow, 1575);
    Label9 = captionFor(Label11, "Label9", QStringLiteral("Y 座標 ="));

    // Neither option is marked when the screen opens; the backsight boxes
    // are shown, so the screen starts with included angles.
    const OptionPair mode = optionPair(kLeftBox, kOptionRow, QStringLiteral("方向角"), QStringLiteral("夾　角"));
    Option1 = mode.first;
    Option2 = mode.second;
    mode.onChoose(this, Text1, [this](bool direction) { showBacksight(!direction); });

    standardButtons(Command1, Command2, Command3, Command4);

    // The boxes in the order they are filled, then calculate; the buttons
    // and last the mode, which is chosen once.
    setTabChain({Text1, Text2, Text3, Text4, Text5, Text6, Command1, Command2, Command3, Command4, Option1, Option2});

    setResultFile(QStringLiteral("放射トラバースDATA.TXT"));
    setPointPairs({{Text1, Text2}, {Text3, Text4}});
    setResultPoints(QStringLiteral("放射"), [this] { return ResultPoints::shownPoint(Label10, Label11); });
    // The backsight boxes are not needed for a shown calculation.
    setShownFields({Text1, Text2, Text5, Text6, Label10, Label11});
    setClearedFields({Text1, Text2, Text3, Text4, Text5, Text6, Label10, Label11});
    finishLoad();
}

bool 放射トラ::directionMode() const { return Text3->isHidden() && Text4->isHidden(); }

void 放射トラ::showBacksight(bool shown) {
    for (QWidget* w : {static_cast<QWidget*>(Text3), static_cast<QWidget*>(Text4), static_cast<QWidget*>(Label3),
                       static_cast<QWidget*>(Label6)})
        w->setVisible(shown);
}

bool 放射トラ::acceptsInput() const {
    const bool direction = directionMode();
    // Every box the mode uses must hold a number, and not all of them zero.
    const bool numbers = direction ? numbersNotAllZero({Text1, Text2, Text5, Text6})
                                   : numbersNotAllZero({Text1, Text2, Text3, Text4, Text5, Text6});
    if (!numbers) return false;
    // A backsight typed the same as the station; 100 and 100.0 differ.
    return direction || !(Text1->text() == Text3->text() && Text2->text() == Text4->text());
}

Outcome 放射トラ::compute() {
    survey::RadialInput in{{value(Text1), value(Text2)},
                           std::nullopt,
                           value(Text5),
                           value(Text6),
                           {typed(Text1), typed(Text2), typed(Text3), typed(Text4), typed(Text5), typed(Text6)}};
    if (!directionMode()) in.backsight = survey::Point{value(Text3), value(Text4)};
    const survey::Point p =
        survey::radialPoint(in.station, in.backsight, in.packedAngle, in.distance, degrees(Label12));
    if (!allFinite({p.x, p.y})) return refused();

    Label10->setText(shown(p.x));
    Label11->setText(shown(p.y));
    return recorded(survey::radialRecord(in, p));
}

void 放射トラ::focusAfterCalculation() { Text5->setFocus(); }
