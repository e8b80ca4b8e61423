#include "screens/traverse/HoushaScreen.h"

#include <cmath>

#include "survey/arith.h"

namespace {

// Rows of the boxes and the results, and the left edges of the two columns
// of boxes and of the captions in front of them (twips).
constexpr int kStationRow = 720, kBacksightRow = 1200, kAngleRow = 1680, kResultRow = 2280;
constexpr int kOptionRow = 2880;
constexpr int kLeftBox = 960, kRightBox = 3720;
constexpr int kLeftCaption = 120, kRightCaption = 2880;
constexpr int kCaptionDrop = 120;  // a caption's top below its box's top


QRadioButton* optionButton(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* option = new QRadioButton(text, parent);
    option->setObjectName(QString::fromUtf8(name));
    option->setGeometry(twipRect(left, top, 1215, 375));
    option->setChecked(false);
    return option;
}

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
    Label2 = caption("Label2", kLeftCaption, kStationRow + kCaptionDrop, QStringLiteral("基準　X"));
    Label5 = caption("Label5", kRightCaption, kStationRow + kCaptionDrop, QStringLiteral("基準　Y"));
    Label3 = caption("Label3", kLeftCaption, kBacksightRow + kCaptionDrop, QStringLiteral("後視　X"));
    Label6 = caption("Label6", kRightCaption, kBacksightRow + kCaptionDrop, QStringLiteral("後視　Y"));
    Label4 = caption("Label4", kLeftCaption, kAngleRow + kCaptionDrop, QStringLiteral("角　度"));
    Label7 = caption("Label7", kRightCaption, kAngleRow + kCaptionDrop, QStringLiteral("距　離"));

    Label8 = caption("Label8", kLeftCaption, kResultRow + kCaptionDrop, QStringLiteral("X 座標 ="));
    Label10 = resultLabel("Label10", kLeftBox, kResultRow, 1575);
    Label9 = caption("Label9", kRightCaption, kResultRow + kCaptionDrop, QStringLiteral("Y 座標 ="));
    Label11 = resultLabel("Label11", kRightBox, kResultRow, 1575);

    describe(Text1, Label2);
    describe(Text2, Label5);
    describe(Text3, Label3);
    describe(Text4, Label6);
    describe(Text5, Label4);
    describe(Text6, Label7);
    describe(Label10, Label8);
    describe(Label11, Label9);

    // Neither option is marked when the screen opens; the backsight boxes
    // are shown, so the screen starts with included angles.
    Option1 = optionButton(this, "Option1", QStringLiteral("方向角"), kLeftBox, kOptionRow);
    Option2 = optionButton(this, "Option2", QStringLiteral("夾　角"), kLeftBox + 1440, kOptionRow);
    QObject::connect(Option1, &QRadioButton::clicked, this, [this] {
        showBacksight(false);
        Text1->setFocus();
    });
    QObject::connect(Option2, &QRadioButton::clicked, this, [this] {
        showBacksight(true);
        Text1->setFocus();
    });

    standardButtons(Command1, Command2, Command3, Command4);

    // The boxes in the order they are filled, then calculate; the buttons
    // and last the mode, which is chosen once.
    setTabChain({Text1, Text2, Text3, Text4, Text5, Text6, Command1, Command2, Command3, Command4, Option1, Option2});

    setResultFile(QStringLiteral("放射トラバースDATA.TXT"),
                  QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ 放射トラバースDATA.txtファイルも削除しますか？"));
    // The backsight boxes are not needed for a shown calculation.
    setShownFields({Text1, Text2, Text5, Text6, Label10, Label11});
    setClearedFields({Text1, Text2, Text3, Text4, Text5, Text6, Label10, Label11});
    finishLoad();
}

bool 放射トラ::directionMode() const { return Text3->isHidden() && Text4->isHidden(); }

void 放射トラ::showBacksight(bool shown) {
    for (QWidget* w : {static_cast<QWidget*>(Text3), static_cast<QWidget*>(Text4),
                       static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label6)})
        w->setVisible(shown);
}

bool 放射トラ::acceptsInput() const {
    const bool direction = directionMode();
    QList<const QLineEdit*> used{Text1, Text2};
    if (!direction) used << Text3 << Text4;
    used << Text5 << Text6;

    for (const QLineEdit* box : used)
        if (box->text().isEmpty()) return false;
    // Every box the mode uses must hold a number, and not all of them zero.
    bool allZero = true;
    for (const QLineEdit* box : used) {
        const std::optional<double> v = survey::strictNumber(box->text().toStdString());
        if (!v) return false;
        if (*v != 0.0) allZero = false;
    }
    if (allZero) return false;
    // A backsight typed the same as the station; 100 and 100.0 differ.
    return direction || !(Text1->text() == Text3->text() && Text2->text() == Text4->text());
}

std::optional<survey::Record> 放射トラ::compute() {
    const double c = degrees(Label12);
    const double x0 = value(Text1), y0 = value(Text2), distance = value(Text6);
    const double angle = survey::packedToDegrees(value(Text5)) / c;
    const bool direction = directionMode();

    double t = angle;
    if (!direction) {
        const double backsight = survey::directionAngle(x0, y0, value(Text3), value(Text4), c);
        t = backsight / c + angle;  // no reduction to one turn: only cos and sin are taken
    }
    const double x = survey::roundHalfEven(distance * std::cos(t) + x0, 4);
    const double y = survey::roundHalfEven(distance * std::sin(t) + y0, 4);
    if (!allFinite({x, y})) return std::nullopt;

    Label10->setText(shown(x));
    Label11->setText(shown(y));

    survey::Record record;
    record.separator()
        .add(survey::Line().text(direction ? "--方向角計算--" : "--夾角計算--"))
        .add(survey::Line().text("基準 X").text(" ").text(typed(Text1)))
        .add(survey::Line().text("基準 Y").text(" ").text(typed(Text2)));
    if (!direction) {
        record.add(survey::Line().text("後視 X").text(" ").text(typed(Text3)))
            .add(survey::Line().text("後視 Y").text(" ").text(typed(Text4)));
    }
    record.add(survey::Line()
                   .text("角  度").text(" ").text(typed(Text5))
                   .text("  ").text("距　離").text(" ").text(typed(Text6)).text("m"))
        .add(survey::Line()
                 .text("X 座標").text(" ").number(x)
                 .text("  ").text("Y 座標").text(" ").number(y))
        .separator();
    return record;
}

void 放射トラ::focusAfterCalculation() { Text5->setFocus(); }
