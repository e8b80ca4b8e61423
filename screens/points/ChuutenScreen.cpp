#include "screens/points/ChuutenScreen.h"

中間点::中間点(QWidget* parent)
    : TwoPointScreen(QStringLiteral("中間点"), QStringLiteral("２点間（中間点）"), 3060, instructionLong(), parent) {
    const PointRow row = pointRow(1920);
    Label10 = row.xCaption;
    Label6 = row.x;
    Label11 = row.yCaption;
    Label7 = row.y;

    setTabChain({Text1, Text2, Text3, Text4, Command1, Command2, Command3, Command4});

    setResultFile(QStringLiteral("中間点DATA.TXT"));
    setResultPoints(QStringLiteral("中点"), [this] { return ResultPoints::shownPoint(Label6, Label7); });
    setShownFields({Label9});
    setClearedFields({Text1, Text2, Text3, Text4, Label6, Label7, Label9});
    finishLoad();
}

bool 中間点::acceptsInput() const { return allFilled({Text1, Text2, Text3, Text4}); }

Outcome 中間点::compute() {
    const survey::Point m = survey::midpoint(baseA(), baseB(), degreeConstant());
    if (!allFinite({m.x, m.y})) return refused();
    showPoint(Label6, Label7, m);
    return recorded(survey::midpointRecord(typedBase(), m));
}
