#include "screens/points/KouScreen.h"

#include "survey/intersection.h"

namespace {

// Rows from the top: the mode, the boxes (X, Y, angle), the two result
// rows; the left edges of the two columns (twips).
constexpr int kOptionRow = 720;
constexpr int kXRow = 1200, kYRow = 1680, kAngleRow = 2160;
constexpr int kPointXRow = 2760, kPointYRow = 3240;
constexpr int kLeftBox = 960, kRightBox = 3720;
constexpr int kDistanceWidth = 1455;

}  // namespace

交点::交点(QWidget* parent) : CalcScreen(QStringLiteral("交点"), QStringLiteral("交点"), 6855, 3780, parent) {
    instructionLine(instructionLong(), true);
    Label18 = degreeLabel("Label18", 840, 480);

    // Text1 first: the frame sends the focus back to it.
    Text1 = textBox("Text1", kLeftBox, kXRow);
    Text2 = textBox("Text2", kLeftBox, kYRow);
    Text3 = textBox("Text3", kLeftBox, kAngleRow);
    Text4 = textBox("Text4", kLeftBox, kAngleRow);
    Text5 = textBox("Text5", kRightBox, kXRow);
    Text6 = textBox("Text6", kRightBox, kYRow);
    Text7 = textBox("Text7", kRightBox, kAngleRow);
    Text8 = textBox("Text8", kRightBox, kAngleRow);
    Label2 = captionFor(Text1, "Label2", QStringLiteral("基点A-X"));
    Label3 = captionFor(Text2, "Label3", QStringLiteral("基点A-Y"));
    Label4 = captionFor(Text3, "Label4", QStringLiteral("A-角度"));
    Label5 = captionFor(Text5, "Label5", QStringLiteral("基点B-X"));
    Label16 = captionFor(Text6, "Label16", QStringLiteral("基点B-Y"));
    Label17 = captionFor(Text7, "Label17", QStringLiteral("B-角度"));
    // The boxes stacked under the angle boxes answer to the same headings.
    describe(Text4, Label4);
    describe(Text8, Label17);

    Label8 = resultLabel("Label8", kLeftBox, kPointXRow, 1575);
    Label6 = captionFor(Label8, "Label6", QStringLiteral("求点 X ="));
    Label9 = resultLabel("Label9", kLeftBox, kPointYRow, 1575);
    Label7 = captionFor(Label9, "Label7", QStringLiteral("求点 Y ="));
    Label12 = resultLabel("Label12", kRightBox, kPointXRow, kDistanceWidth);
    Label10 = captionFor(Label12, "Label10", QStringLiteral("基点AP="));
    Label14 = unitLabel("Label14", kRightBox + kDistanceWidth, kPointXRow, QStringLiteral("m"));
    Label13 = resultLabel("Label13", kRightBox, kPointYRow, kDistanceWidth);
    Label11 = captionFor(Label13, "Label11", QStringLiteral("基点BP="));
    Label15 = unitLabel("Label15", kRightBox + kDistanceWidth, kPointYRow, QStringLiteral("m"));

    // Neither option is marked when the screen opens; the direction-angle
    // boxes lie in front and are the ones used.
    const OptionPair mode = optionPair(kLeftBox, kOptionRow, QStringLiteral("方向角"), QStringLiteral("夾　角"));
    Option1 = mode.first;
    Option2 = mode.second;
    mode.onChoose(this, Text1, [this](bool direction) { showDirectionBoxes(direction); });
    showDirectionBoxes(true);

    standardButtons(Command1, Command2, Command3, Command4, QStringLiteral("MENU"));

    // The boxes down A's column, then B's; the buttons; last the mode,
    // which is chosen once.
    setTabChain({Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Command1, Command2, Command3, Command4,
                 Option1, Option2});

    setResultFile(QStringLiteral("交点DATA.TXT"));
    setPointPairs({{Text1, Text2}, {Text5, Text6}});
    setResultPoints(QStringLiteral("交点"), [this] { return ResultPoints::shownPoint(Label8, Label9); });
    setShownFields({Text1, Text2, Text5, Text6, Label8, Label9, Label12, Label13});
    setClearedFields({Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Label8, Label9, Label12, Label13});
    finishLoad();
}

bool 交点::directionMode() const { return !Text3->isHidden() && !Text7->isHidden(); }

void 交点::showDirectionBoxes(bool direction) {
    Text3->setVisible(direction);
    Text7->setVisible(direction);
    Text4->setVisible(!direction);
    Text8->setVisible(!direction);
}

bool 交点::acceptsInput() const {
    // Every box of the mode holds a number, not all of them zero.
    if (!numbersNotAllZero({Text1, Text2, Text5, Text6, angleBoxA(), angleBoxB()})) return false;
    // A and B typed alike; 100 and 100.0 count as different.
    return !(Text1->text() == Text5->text() && Text2->text() == Text6->text());
}

Outcome 交点::compute() {
    TextBox* const angleA = angleBoxA();
    TextBox* const angleB = angleBoxB();
    const survey::IntersectionInput in{
        {value(Text1), value(Text2)},
        value(angleA),
        {value(Text5), value(Text6)},
        value(angleB),
        directionMode() ? survey::LineAngles::Direction : survey::LineAngles::Included,
        {typed(Text1), typed(Text2), typed(angleA), typed(Text5), typed(Text6), typed(angleB)}};
    const std::optional<survey::Intersection> found =
        survey::intersectLines(in.a, in.angleA, in.b, in.angleB, in.kind, degrees(Label18));
    // Parallel lines meet nowhere: refused like any unsuitable input.
    if (!found) return refused();

    Label8->setText(shown(found->p.x));
    Label9->setText(shown(found->p.y));
    Label12->setText(shown(found->ap));
    Label13->setText(shown(found->bp));
    return recorded(survey::intersectionRecord(in, *found));
}
