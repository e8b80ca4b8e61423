#include "screens/points/TanzaScreen.h"

#include "survey/point.h"

単独座標計算::単独座標計算(QWidget* parent)
    : CalcScreen(QStringLiteral("単独座標計算"), QStringLiteral("単独座標計算"), 6855, 3060, parent) {
    instructionLine(instructionShort(), false);

    Label2 = caption("Label2", 0, 840, QStringLiteral("基準　X"));
    Label3 = caption("Label3", 2760, 840, QStringLiteral("基準　Y"));
    Label4 = caption("Label4", 0, 1320, QStringLiteral("方 向 角"));
    Label5 = caption("Label5", 2760, 1320, QStringLiteral("距    離"));
    Text1 = textBox("Text1", 960, 720);
    Text2 = textBox("Text2", 3720, 720);
    Text3 = textBox("Text3", 960, 1200);
    Text4 = textBox("Text4", 3720, 1200);
    Label6 = caption("Label6", 2805, 2040, QStringLiteral(" X 座標 ="));
    Label7 = caption("Label7", 2805, 2640, QStringLiteral(" Y 座標 ="));
    Label8 = resultLabel("Label8", 3600, 1920, 1800);
    Label9 = resultLabel("Label9", 3600, 2520, 1800);
    Label10 = degreeLabel("Label10", 120, 1920);

    describe(Text1, Label2);
    describe(Text2, Label3);
    describe(Text3, Label4);
    describe(Text4, Label5);
    describe(Label8, Label6);
    describe(Label9, Label7);

    standardButtons(Command1, Command2, Command3, Command4);

    setTabChain({Text1, Text2, Text3, Text4, Command1, Command2, Command3, Command4});

    setClearedFields({Text1, Text2, Text3, Text4, Label8, Label9});
    setPointPairs({{Text1, Text2}});
    setResultPoints(QStringLiteral("単独"), [this] { return ResultPoints::shownPoint(Label8, Label9); });
    finishLoad();
}

bool 単独座標計算::acceptsInput() const { return numbersNotAllZero({Text1, Text2, Text3, Text4}); }

Outcome 単独座標計算::compute() {
    const survey::Point p =
        survey::singlePoint({value(Text1), value(Text2)}, value(Text3), value(Text4), degrees(Label10));
    if (!allFinite({p.x, p.y})) return refused();
    Label8->setText(shown(p.x));
    Label9->setText(shown(p.y));
    return recorded({});
}
