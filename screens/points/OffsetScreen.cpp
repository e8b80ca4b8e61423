#include "screens/points/OffsetScreen.h"

オフセット::オフセット(QWidget* parent)
    : TwoPointScreen(QStringLiteral("オフセット"), QStringLiteral("２点間（オフセット）"), 3060, instructionLong(),
                     parent) {
    Text5 = textBox("Text5", kLeftBox, kThirdRow);
    Label12 = captionFor(Text5, "Label12", QStringLiteral("ｵﾌｾｯﾄ"));
    Label13 = unitLabel("Label13", kLeftBox + 1575 + 45, kThirdRow, QStringLiteral("m"));

    const PointRow row = pointRow(2280);
    Label10 = row.xCaption;
    Label6 = row.x;
    Label11 = row.yCaption;
    Label7 = row.y;

    setTabChain({Text1, Text2, Text3, Text4, Text5, Command1, Command2, Command3, Command4});

    setResultFile(QStringLiteral("ｵﾌｾｯﾄDATA.TXT"));
    setResultPoints(QStringLiteral("オフセット"), [this] { return ResultPoints::shownPoint(Label6, Label7); });
    setShownFields({Label9});
    setClearedFields({Text1, Text2, Text3, Text4, Text5, Label6, Label7, Label9});
    finishLoad();
}

bool オフセット::beyondB() const {
    return allFilled({Text1, Text2, Text3, Text4, Text5}) &&
           survey::offsetBeyondB({numberIn(Text1), numberIn(Text2)}, {numberIn(Text3), numberIn(Text4)},
                                 numberIn(Text5));
}

bool オフセット::acceptsInput() const { return allFilled({Text1, Text2, Text3, Text4, Text5}) && !beyondB(); }

QWidget* オフセット::focusAfterRefusal() const { return beyondB() ? Text5 : Text1; }

Outcome オフセット::compute() {
    const survey::Point p = survey::offsetPoint(baseA(), baseB(), value(Text5), degreeConstant());
    if (!allFinite({p.x, p.y})) return refused();
    showPoint(Label6, Label7, p);
    return recorded(survey::offsetRecord(typedBase(), typed(Text5), p));
}

// Ready for the next offset on the same line.
void オフセット::focusAfterCalculation() { Text5->setFocus(); }
