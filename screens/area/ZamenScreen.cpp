#include "screens/area/ZamenScreen.h"

#include "frame/Module1.h"

座標面積::座標面積(QWidget* parent)
    : CalcScreen(QStringLiteral("座標面積"), QStringLiteral("座標面積計算"), 6855, 4020, parent) {
    instructionLine(instructionLong(), true);

    // The corner row: its number, then X and Y under their headings.
    Label5 = caption("Label5", 1080, 780, QStringLiteral("X　座標"));
    Label6 = caption("Label6", 3000, 780, QStringLiteral("Y　座標"));
    Label2 = resultLabel("Label2", 240, 1080, 720);
    Label2->setAlignment(Qt::AlignCenter);
    Text1 = textBox("Text1", 1080, 1080);
    Text2 = textBox("Text2", 3000, 1080);

    Label3 = caption("Label3", 1080, 1800, QStringLiteral("面積 ="));
    Label4 = resultLabel("Label4", 1800, 1680, 2775);

    describe(Text1, Label5);
    describe(Text2, Label6);
    describe(Label2, QStringLiteral("次に入力する点の番号"));
    describe(Label4, Label3);

    // INPUT beside the corner row, calculate beside the area, then the rest.
    Command1 = commandButton("Command1", QStringLiteral("INPUT"), 5520, 1080);
    Command2 = commandButton("Command2", QStringLiteral("計　　算"), 5520, 1680);
    Command3 = commandButton("Command3", QStringLiteral("C L S"), 5520, 2280);
    Command4 = commandButton("Command4", QStringLiteral("M E N U"), 5520, 2880);
    Command5 = commandButton("Command5", QStringLiteral("終　　了"), 5520, 3480);
    QObject::connect(Command1, &QPushButton::clicked, this, [this] { inputCorner(); });
    wireButtons(Buttons{Command2, Command3, Command4, Command5});

    setTabChain({Text1, Text2, Command1, Command2, Command3, Command4, Command5});

    setResultFile(QStringLiteral("座標面積DATA.TXT"));
    const QList<QWidget*> fields{Text1, Text2, Label4};
    setShownFields(fields);
    setClearedFields(fields);
    forgetCorners();
    finishLoad();
}

void 座標面積::forgetCorners() {
    corners_.clear();
    Label2->setText(QStringLiteral("1"));
}

void 座標面積::inputCorner() {
    // A full list is told first: a missing box would discard it.
    if (corners_.size() >= kMaxCorners) {
        Module1::ShowFailure(QStringLiteral("入力できる座標は10001点までです。この座標は追加しませんでした。\n"
                                            "入力済みの10001点はそのまま残っています。"),
                             QStringLiteral("注意"));
        Text1->setFocus();
        return;
    }
    if (Text1->text().isEmpty() || Text2->text().isEmpty()) {
        refuse();
        return;
    }
    if (QLineEdit* unreadable = firstUnreadable({Text1, Text2})) {
        refuseKeeping(unreadable);
        return;
    }
    corners_.push_back({value(Text1), value(Text2)});
    Label2->setText(shown(double(corners_.size() + 1)));
    Text1->setFocus();
    Text1->selectAll();
}

bool 座標面積::acceptsInput() const { return corners_.size() >= 3; }

void 座標面積::forgetKept() { forgetCorners(); }

std::optional<survey::Record> 座標面積::compute() {
    const double area = survey::cornerArea(corners_);
    if (!allFinite({area})) return std::nullopt;
    const QString text = shown(area);
    Label4->setText(text);
    Module1::ShowResult(QStringLiteral("面積 = ") + text + QStringLiteral(" ㎡"), QStringLiteral("計算結果"));
    return survey::cornerAreaRecord(corners_, area);
}

void 座標面積::clear() {
    // Back to the load state: no corners, the instruction line at rest.
    if (calculationShown()) offerDelete();
    reload();
}
