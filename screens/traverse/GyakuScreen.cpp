#include "screens/traverse/GyakuScreen.h"

#include "survey/inverse.h"

namespace {

// Rows of the boxes and the results, and the left edges of the two columns
// of boxes and of the captions in front of them (twips).
constexpr int kStationRow = 720, kBacksightRow = 1200, kTargetRow = 1680;
constexpr int kAngleRow = 2280, kDistanceRow = 2760;
constexpr int kLeftBox = 960, kRightBox = 3720;

}  // namespace

逆トラ::逆トラ(QWidget* parent)
    : CalcScreen(QStringLiteral("逆トラ"), QStringLiteral("逆トラバース"), 6855, 3360, parent) {
    instructionLine(instructionLong(), true);
    Label18 = degreeLabel("Label18", 840, 480);

    Text1 = textBox("Text1", kLeftBox, kStationRow);
    Text2 = textBox("Text2", kRightBox, kStationRow);
    Text3 = textBox("Text3", kLeftBox, kBacksightRow);
    Text4 = textBox("Text4", kRightBox, kBacksightRow);
    Text5 = textBox("Text5", kLeftBox, kTargetRow);
    Text6 = textBox("Text6", kRightBox, kTargetRow);
    Label2 = captionFor(Text1, "Label2", QStringLiteral("基準　X"));
    Label3 = captionFor(Text2, "Label3", QStringLiteral("基準　Y"));
    Label4 = captionFor(Text3, "Label4", QStringLiteral("後視　X"));
    Label5 = captionFor(Text4, "Label5", QStringLiteral("後視　Y"));
    Label6 = captionFor(Text5, "Label6", QStringLiteral("DATA-X"));
    Label7 = captionFor(Text6, "Label7", QStringLiteral("DATA-Y"));

    const DmsRow angle =
        dmsRow(kLeftBox, kAngleRow, {"Label10", "Label11", "Label12"}, {"Label14", "Label15", "Label16"});
    Label10 = angle.d;
    Label11 = angle.m;
    Label12 = angle.s;
    Label14 = angle.dMark;
    Label15 = angle.mMark;
    Label16 = angle.sMark;
    Label8 = captionFor(angle.d, "Label8", QStringLiteral("角　度 ="));
    Label13 = resultLabel("Label13", kLeftBox, kDistanceRow, 1920);
    Label9 = captionFor(Label13, "Label9", QStringLiteral("距　離 ="));
    Label17 = unitLabel("Label17", kLeftBox + 1920, kDistanceRow, QStringLiteral("m"));

    describe(Label10, QStringLiteral("角　度（度）"));
    describe(Label11, QStringLiteral("角　度（分）"));
    describe(Label12, QStringLiteral("角　度（秒）"));

    standardButtons(Command1, Command2, Command3, Command4);

    setTabChain({Text1, Text2, Text3, Text4, Text5, Text6, Command1, Command2, Command3, Command4});

    setResultFile(QStringLiteral("逆ﾄﾗﾊﾞｰｽDATA.TXT"));
    setPointPairs({{Text1, Text2}, {Text3, Text4}, {Text5, Text6}});
    const QList<QWidget*> fields{Text1, Text2, Text3, Text4, Text5, Text6, Label10, Label11, Label12, Label13};
    setShownFields(fields);
    setClearedFields(fields);
    finishLoad();
}

bool 逆トラ::acceptsInput() const {
    if (!numbersNotAllZero({Text1, Text2, Text3, Text4, Text5, Text6})) return false;
    // A backsight typed the same as the station; 0 and 0.0 count as different.
    return !(Text1->text() == Text3->text() && Text2->text() == Text4->text());
}

Outcome 逆トラ::compute() {
    const survey::InverseInput in{{value(Text1), value(Text2)},
                                  {value(Text3), value(Text4)},
                                  {value(Text5), value(Text6)},
                                  {typed(Text1), typed(Text2), typed(Text3), typed(Text4), typed(Text5), typed(Text6)}};
    const survey::InverseTraverse r = survey::inverseTraverse(in.station, in.backsight, in.target, degrees(Label18));
    if (!allFinite({r.angle, r.distance})) return refused();

    DmsRow{Label10, Label14, Label11, Label15, Label12, Label16}.show(r.dms);
    Label13->setText(shown(r.distance));
    return recorded(survey::inverseRecord(in, r));
}

void 逆トラ::focusAfterCalculation() { Text5->setFocus(); }
