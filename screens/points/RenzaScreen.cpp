#include "screens/points/RenzaScreen.h"

#include <utility>

#include "survey/point.h"

連続座標計算::連続座標計算(QWidget* parent)
    : CalcScreen(QStringLiteral("連続座標計算"), QStringLiteral("連続座標計算"), 6855, 3045, parent) {
    instructionLine(instructionLong(), true);

    Label2 = caption("Label2", 0, 840, QStringLiteral("基準　X"));
    Label3 = caption("Label3", 2760, 840, QStringLiteral("基準　Y"));
    Label4 = caption("Label4", 0, 1320, QStringLiteral("方 向 角"));
    Label5 = caption("Label5", 2760, 1320, QStringLiteral("距    離"));
    Text1 = textBox("Text1", 960, 720);
    Text2 = textBox("Text2", 3720, 720);
    Text3 = textBox("Text3", 960, 1200);
    Text4 = textBox("Text4", 3720, 1200);
    Label6 = caption("Label6", 2805, 2040, QStringLiteral(" X 座標 ="));
    Label7 = resultLabel("Label7", 3600, 1920, 1800);
    Label8 = caption("Label8", 2805, 2640, QStringLiteral(" Y 座標 ="));
    Label9 = resultLabel("Label9", 3600, 2520, 1800);
    Label11 = degreeLabel("Label11", 600, 2640);
    Label12 = hiddenLabel("Label12", 1080, 1920);
    Label13 = hiddenLabel("Label13", 720, 2280);

    describe(Text1, Label2);
    describe(Text2, Label3);
    describe(Text3, Label4);
    describe(Text4, Label5);
    describe(Label7, Label6);
    describe(Label9, Label8);

    standardButtons(Command1, Command2, Command3, Command4);

    setTabChain({Text1, Text2, Text3, Text4, Command1, Command2, Command3, Command4});

    setResultFile(QStringLiteral("連続座標計算DATA.TXT"));
    setPointPairs({{Text1, Text2}});
    setResultPoints(
        QStringLiteral("連続"), [this] { return newPoints_; }, [this] { newPoints_.clear(); });
    // The carriers are not among them: the next leg overwrites them first.
    const QList<QWidget*> fields{Text1, Text2, Text3, Text4, Label7, Label9};
    setShownFields(fields);
    setClearedFields(fields);
    finishLoad();
}

bool 連続座標計算::acceptsInput() const { return numbersNotAllZero({Text1, Text2, Text3, Text4}); }

Outcome 連続座標計算::compute() {
    const survey::ChainInput in{{value(Text1), value(Text2)},
                                value(Text3),
                                value(Text4),
                                {typed(Text1), typed(Text2), typed(Text3), typed(Text4)}};
    const survey::Leg leg = survey::chainLeg(in.from, in.packedDirection, in.distance, degrees(Label11));
    if (!allFinite({leg.end.x, leg.end.y})) return refused();

    Label12->setText(shown(leg.end.x));
    Label13->setText(shown(leg.end.y));
    Label7->setText(shown(leg.rounded.x));
    Label9->setText(shown(leg.rounded.y));
    return recorded(survey::chainRecord(in, leg));
}

void 連続座標計算::afterWrite(bool written) {
    // A leg that did not reach the file is not taken into the chain: the
    // boxes keep its base point, so pressing calculate again repeats it.
    if (!written) return;
    newPoints_.push_back({0, {}, ResultPoints::shown(Label7), ResultPoints::shown(Label9), {}});
    for (auto [box, carried] : {std::pair{Text1, Label12}, std::pair{Text2, Label13}}) {
        box->setText(carried->text());
        // Fifteen digits are wider than the box: show where the number begins.
        box->setCursorPosition(0);
    }
}

void 連続座標計算::focusAfterCalculation() {
    Text3->setFocus();
    Text3->selectAll();
}
