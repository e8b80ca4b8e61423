#include "screens/points/HenkanScreen.h"

#include "survey/transform.h"

namespace {

// Rows from the top: the two base lines, the point, then the results; the
// left edges of the two columns of boxes and of their headings (twips).
constexpr int kFirstRow = 720, kRowPitch = 480, kResultRow = 3240;
constexpr int kLeftBox = 960, kRightBox = 3720;

}  // namespace

座標変換::座標変換(QWidget* parent)
    : CalcScreen(QStringLiteral("座標変換"), QStringLiteral("座標変換"), 6855, 3780, parent) {
    instructionLine(instructionLong(), true);
    Label7 = degreeLabel("Label7", 840, 480);

    // One row per pair of boxes: X on the left, Y on the right, each with
    // its heading in front.
    struct Row {
        TextBox *&x, *&y;
        const char *xName, *yName;
        int xHeading, yHeading;
        QString xText, yText;
    };
    const Row rows[] = {
        {Text1, Text2, "Text1", "Text2", 0, 1, QStringLiteral("基準　X "), QStringLiteral("基準　Y ")},
        {Text3, Text4, "Text3", "Text4", 2, 3, QStringLiteral("後視　X "), QStringLiteral("後視　Y ")},
        {Text9, Text10, "Text9", "Text10", 4, 5, QStringLiteral("基準’X "), QStringLiteral("基準’Y ")},
        {Text5, Text6, "Text5", "Text6", 6, 7, QStringLiteral("後視’X "), QStringLiteral("後視’Y ")},
        {Text7, Text8, "Text7", "Text8", 10, 11, QStringLiteral("変換-X "), QStringLiteral("変換-Y ")},
    };
    int top = kFirstRow;
    for (const Row& row : rows) {
        row.x = textBox(row.xName, kLeftBox, top);
        row.y = textBox(row.yName, kRightBox, top);
        Label2[row.xHeading] = captionFor(row.x, arrayName("Label2", row.xHeading), row.xText);
        Label2[row.yHeading] = captionFor(row.y, arrayName("Label2", row.yHeading), row.yText);
        top += kRowPitch;
    }

    Label5 = resultLabel("Label5", kLeftBox, kResultRow, 1575);
    Label6 = resultLabel("Label6", kRightBox, kResultRow, 1575);
    Label2[8] = captionFor(Label5, arrayName("Label2", 8), QStringLiteral("X　座標"));
    Label2[9] = captionFor(Label6, arrayName("Label2", 9), QStringLiteral("Y　座標"));

    standardButtons(Command1, Command2, Command3, Command4);

    setTabChain({Text1, Text2, Text3, Text4, Text9, Text10, Text5, Text6, Text7, Text8, Command1, Command2, Command3,
                 Command4});

    setResultFile(QStringLiteral("座標変換DATA.TXT"));
    setPointPairs({{Text1, Text2}, {Text3, Text4}, {Text9, Text10}, {Text5, Text6}, {Text7, Text8}});
    setResultPoints(QStringLiteral("変換"), [this] { return ResultPoints::shownPoint(Label5, Label6); });
    const QList<QWidget*> fields{Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10, Label5, Label6};
    setShownFields(fields);
    setClearedFields(fields);
    finishLoad();
}

bool 座標変換::acceptsInput() const {
    // Only empty boxes are refused: any text is read by its leading number.
    return allFilled({Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10});
}

Outcome 座標変換::compute() {
    const survey::TransformInput in{{{value(Text1), value(Text2)}, {value(Text3), value(Text4)}},
                                    {{value(Text9), value(Text10)}, {value(Text5), value(Text6)}},
                                    {value(Text7), value(Text8)},
                                    {typed(Text1), typed(Text2), typed(Text3), typed(Text4), typed(Text9),
                                     typed(Text10), typed(Text5), typed(Text6), typed(Text7), typed(Text8)}};
    const survey::Point p = survey::transformPoint(in.first, in.second, in.p, degrees(Label7));
    if (!allFinite({p.x, p.y})) return refused();

    Label5->setText(shown(p.x));
    Label6->setText(shown(p.y));
    return recorded(survey::transformRecord(in, p));
}

// The next point is typed over the last one; the base lines stay.
void 座標変換::focusAfterCalculation() { Text7->setFocus(); }
