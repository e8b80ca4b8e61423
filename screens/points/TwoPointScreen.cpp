#include "screens/points/TwoPointScreen.h"

TwoPointScreen::TwoPointScreen(const QString& name, const QString& title, int heightTwips, const QString& instruction,
                               QWidget* parent)
    : CalcScreen(name, title, 6855, heightTwips, parent) {
    instructionLine(instruction, true);
    // Under the instruction line's frame, out of sight.
    Label8 = degreeLabel("Label8", 840, 480);
    Label9 = hiddenLabel("Label9", 2640, 480);

    // Text1 first: the frame sends the focus back to it.
    Text1 = textBox("Text1", kLeftBox, kRowA);
    Text2 = textBox("Text2", kRightBox, kRowA);
    Text3 = textBox("Text3", kLeftBox, kRowB);
    Text4 = textBox("Text4", kRightBox, kRowB);
    Label2 = captionFor(Text1, "Label2", QStringLiteral("基準A-X"));
    Label3 = captionFor(Text2, "Label3", QStringLiteral("基準A-Y"));
    Label4 = captionFor(Text3, "Label4", QStringLiteral("基準B-X"));
    Label5 = captionFor(Text4, "Label5", QStringLiteral("基準B-Y"));

    standardButtons(Command1, Command2, Command3, Command4);
    setPointPairs({{Text1, Text2}, {Text3, Text4}});
}

TwoPointScreen::PointRow TwoPointScreen::pointRow(int top) {
    PointRow row{};
    row.x = resultLabel(QStringLiteral("Label6"), kLeftBox, top, 1575);
    row.xCaption = captionFor(row.x, "Label10", QStringLiteral("X 座標 ="));
    row.y = resultLabel(QStringLiteral("Label7"), kRightBox, top, 1575);
    row.yCaption = captionFor(row.y, "Label11", QStringLiteral("Y 座標 ="));
    return row;
}

void TwoPointScreen::showPoint(QLabel* x, QLabel* y, survey::Point p) {
    x->setText(shown(p.x));
    y->setText(shown(p.y));
    Label9->setText(shown(p.x * p.y));
}
