#include "screens/points/HouScreen.h"

#include "survey/direction.h"

方向距離::方向距離(QWidget* parent)
    : CalcScreen(QStringLiteral("方向距離"), QStringLiteral("方向・距離"), 6855, 3060, parent) {
    instructionLine(instructionLong(), true);
    Label16 = degreeLabel("Label16", 840, 480);

    Label2 = caption("Label2", 0, 840, QStringLiteral("基準　X"));
    Label3 = caption("Label3", 2760, 840, QStringLiteral("基準　Y"));
    Label4 = caption("Label4", 0, 1320, QStringLiteral("後視　X"));
    Label5 = caption("Label5", 2760, 1320, QStringLiteral("後視　Y"));
    Text1 = textBox("Text1", 960, 720);
    Text2 = textBox("Text2", 3720, 720);
    Text3 = textBox("Text3", 960, 1200);
    Text4 = textBox("Text4", 3720, 1200);

    Label6 = caption("Label6", 1965, 2040, QStringLiteral("方向角 ="), 2640);
    const DmsRow angle = dmsRow(2640, 1920, {"Label7", "Label8", "Label9"}, {"Label10", "Label11", "Label12"});
    Label7 = angle.d;
    Label8 = angle.m;
    Label9 = angle.s;
    Label10 = angle.dMark;
    Label11 = angle.mMark;
    Label12 = angle.sMark;
    Label13 = caption("Label13", 1920, 2640, QStringLiteral("距　 離 ="), 2640);
    Label14 = resultLabel("Label14", 2640, 2520, 1440);
    Label15 = unitLabel("Label15", 4080, 2520, QStringLiteral("m"));

    describe(Text1, Label2);
    describe(Text2, Label3);
    describe(Text3, Label4);
    describe(Text4, Label5);
    describe(Label7, QStringLiteral("方向角（度）"));
    describe(Label8, QStringLiteral("方向角（分）"));
    describe(Label9, QStringLiteral("方向角（秒）"));
    describe(Label14, Label13);

    standardButtons(Command1, Command2, Command3, Command4);

    setTabChain({Text1, Text2, Text3, Text4, Command1, Command2, Command3, Command4});

    setResultFile(QStringLiteral("方向・距離DATA.TXT"));
    setPointPairs({{Text1, Text2}, {Text3, Text4}});
    const QList<QWidget*> fields{Text1, Text2, Text3, Text4, Label7, Label8, Label9, Label14};
    setShownFields(fields);
    setClearedFields(fields);
    finishLoad();
}

bool 方向距離::acceptsInput() const {
    if (!allFilled({Text1, Text2, Text3, Text4})) return false;
    // The same point typed twice; 100 and 100.0 count as different.
    return !(Text1->text() == Text3->text() && Text2->text() == Text4->text());
}

Outcome 方向距離::compute() {
    const survey::DirectionInput in{{value(Text1), value(Text2)},
                                    {value(Text3), value(Text4)},
                                    {typed(Text1), typed(Text2), typed(Text3), typed(Text4)}};
    const survey::DirectionDistance r = survey::directionDistance(in.base, in.backsight, degrees(Label16));
    if (!allFinite({r.angle, r.distance})) return refused();

    DmsRow{Label7, Label10, Label8, Label11, Label9, Label12}.show(r.dms);
    Label14->setText(shown(r.distance));
    return recorded(survey::directionRecord(in, r));
}
