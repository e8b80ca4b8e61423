#include "screens/points/TwoPointScreen.h"

TwoPointScreen::TwoPointScreen(const QString& name, const QString& title, int heightTwips,
                               const QString& instruction, QWidget* parent)
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
    Label2 = leftCaption("Label2", kRowA, QStringLiteral("基準A-X"));
    Label3 = caption("Label3", kRightCaption, kRowA + kCaptionDrop, QStringLiteral("基準A-Y"), kRightBox);
    Label4 = leftCaption("Label4", kRowB, QStringLiteral("基準B-X"));
    Label5 = caption("Label5", kRightCaption, kRowB + kCaptionDrop, QStringLiteral("基準B-Y"), kRightBox);
    describe(Text1, Label2);
    describe(Text2, Label3);
    describe(Text3, Label4);
    describe(Text4, Label5);

    standardButtons(Command1, Command2, Command3, Command4);
}

QLabel* TwoPointScreen::leftCaption(const char* name, int top, const QString& text) {
    return caption(QString::fromLatin1(name), kLeftCaption, top + kCaptionDrop, text, kLeftBox);
}

TwoPointScreen::PointRow TwoPointScreen::pointRow(int top) {
    PointRow row{};
    row.xCaption = leftCaption("Label10", top, QStringLiteral("X 座標 ="));
    row.x = resultLabel(QStringLiteral("Label6"), kLeftBox, top, 1575);
    row.yCaption = caption(QStringLiteral("Label11"), kRightCaption, top + kCaptionDrop, QStringLiteral("Y 座標 ="),
                           kRightBox);
    row.y = resultLabel(QStringLiteral("Label7"), kRightBox, top, 1575);
    describe(row.x, row.xCaption);
    describe(row.y, row.yCaption);
    return row;
}

void TwoPointScreen::showPoint(QLabel* x, QLabel* y, survey::Point p) {
    x->setText(shown(p.x));
    y->setText(shown(p.y));
    Label9->setText(shown(p.x * p.y));
}
