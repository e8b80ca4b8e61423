#include "screens/traverse/KetsugouScreen.h"

#include <QApplication>
#include <cmath>

#include "frame/Module1.h"
#include "frame/Navigation.h"

namespace {

// The window, and its columns (twips): A's boxes, B's boxes, the station
// column and the buttons, each box with its caption in front of it.
constexpr int kWidth = 9135, kHeight = 3735;
constexpr int kLeftBox = 1080, kRightBox = 3720;
constexpr int kStationBox = 6360, kStationWidth = 1215;
constexpr int kButtons = 7800;
// Rows of the boxes, one beside each button; a caption stands 120 below
// its box's top.
constexpr int kClassRow = 720, kRow1 = 1320, kRow2 = 1920, kRow3 = 2520;
constexpr int kCaptionDrop = 120;
constexpr int kButtonPitch = 600;

const QString kExplanation = QStringLiteral("結合説明");

}  // namespace

結合トラ::結合トラ(QWidget* parent)
    : CalcScreen(QStringLiteral("結合トラ"), QStringLiteral("結合トラバース"), kWidth, kHeight, parent) {
    instructionLine(instructionNaming(QStringLiteral(
                        "計算結果については、デスクトップに作成された結合ﾄﾗﾊﾞｰｽDATA.TXTﾌｧｲﾙを参照して下さい。")),
                    true);
    // The line's frame spans this wider window.
    Picture1->setGeometry(twipRect(120, 120, kWidth - 240, 495));
    Label12 = degreeLabel("Label12", 840, 480);
    Label15 = hiddenLabel("Label15", 2160, 480);

    // The class line.
    Text11 = textBox("Text11", kLeftBox, kClassRow, 615);
    Label13 = captionFor(Text11, "Label13", QStringLiteral("区分"));
    Label14 = caption("Label14", kLeftBox + 735, kClassRow + kCaptionDrop, QStringLiteral("級基準点測量"));

    // The known data: A on the left, B on the right.
    Text1 = textBox("Text1", kLeftBox, kRow1);
    Text2 = textBox("Text2", kLeftBox, kRow2);
    Text5 = textBox("Text5", kLeftBox, kRow3);
    Text3 = textBox("Text3", kRightBox, kRow1);
    Text4 = textBox("Text4", kRightBox, kRow2);
    Text6 = textBox("Text6", kRightBox, kRow3);
    Label2 = captionFor(Text1, "Label2", QStringLiteral("基準AX"));
    Label3 = captionFor(Text2, "Label3", QStringLiteral("基準AY"));
    Label6 = captionFor(Text5, "Label6", QStringLiteral("Tα"));
    Label4 = captionFor(Text3, "Label4", QStringLiteral("基準BX"));
    Label5 = captionFor(Text4, "Label5", QStringLiteral("基準BY"));
    Label7 = captionFor(Text6, "Label7", QStringLiteral("Tβ"));

    // The station column: the leg, its angle and distance, and INPUT.
    Label16 = resultLabel("Label16", kStationBox - 720, kClassRow, 735);
    Label17 = unitLabel("Label17", kStationBox + 150, kClassRow, QStringLiteral("→"));
    Label18 = resultLabel("Label18", kStationBox + kStationWidth - 735, kClassRow, 735);
    for (QLabel* station : {Label16, Label18}) station->setAlignment(Qt::AlignCenter);
    Text9 = textBox("Text9", kStationBox, kRow1, kStationWidth);
    Text10 = textBox("Text10", kStationBox, kRow2, kStationWidth);
    Label10 = captionFor(Text9, "Label10", QStringLiteral("交　角"));
    Label11 = captionFor(Text10, "Label11", QStringLiteral("距　離"));
    Command1 = commandButton("Command1", QStringLiteral("INPUT"), kStationBox, kRow3, kStationWidth);

    describe(Label16, QStringLiteral("入力する測点"));
    describe(Label18, QStringLiteral("次の測点"));

    const Buttons buttons = standardButtons(2, QStringLiteral("M E N U"), kButtons, kClassRow);
    Command2 = buttons.calculate;
    Command3 = buttons.clear;
    Command4 = buttons.menu;
    Command5 = buttons.exit;
    wireButtons(buttons);
    // Wider than the column: its caption is long.
    Command6 = commandButton("Command6", QStringLiteral("計算方法及び説明"), kButtons + 1215 - 1935,
                             kClassRow + 4 * kButtonPitch, 1935);
    QObject::connect(Command1, &QPushButton::clicked, this, [this] { inputStation(); });
    QObject::connect(Command6, &QPushButton::clicked, this, [this] { showExplanation(); });

    // Class, A, B, the two directions; then station after station.
    setTabChain({Text11, Text1, Text2, Text3, Text4, Text5, Text6, Text9, Text10, Command1, Command2, Command3,
                 Command4, Command5, Command6});
    setFirstBox(Text11);

    setResultFile(QStringLiteral("結合ﾄﾗﾊﾞｰｽDATA.TXT"));
    setPointPairs({{Text1, Text2}, {Text3, Text4}});
    setResultPoints(QStringLiteral("結合"),
                    [this] { return calculationShown() ? adjusted_ : std::vector<survey::BookPoint>(); });
    setKeepsInputList();
    setShownFields({Label15});
    setClearedFields({Text11, Text1, Text2, Text3, Text4, Text5, Text6, Text9, Text10, Label15});
    forgetKept();
    finishLoad();
    Text11->setFocus();
}

void 結合トラ::forgetKept() {
    stations_.clear();
    Label16->setText(QStringLiteral("A"));
    Label18->setText(QStringLiteral("1"));
}

void 結合トラ::inputStation() {
    // A full list is told first: a missing box would discard it.
    if (stations_.size() >= kMaxStations) {
        Module1::ShowFailure(QStringLiteral("入力できる測点は21点までです。この交角と距離は追加しませんでした。\n"
                                            "入力済みの21点はそのまま残っています。"),
                             QStringLiteral("注意"));
        Text9->setFocus();
        Text9->selectAll();
        return;
    }
    if (!allFilled({Text9, Text1, Text2, Text3, Text4, Text5, Text6})) {
        // The traverse cannot go on: start again from an empty screen.
        Module1::ShowInputError();
        reload();
        return;
    }
    if (QLineEdit* unreadable = firstUnreadable({Text9, Text10})) {
        refuseKeeping(unreadable);
        return;
    }
    stations_.push_back({survey::packedToDegrees(value(Text9)), value(Text10)});
    Text10->clear();
    Label16->setText(Label18->text());
    Label18->setText(shown(double(stations_.size() + 1)));
    Text9->setFocus();
    Text9->selectAll();
}

QWidget* 結合トラ::boxAtFault() const {
    // A traverse the arithmetic cannot make fails on its distances (none at
    // all, or too long to be squared) or else on its known data.
    double squares = 0;
    for (const survey::Station& s : stations_) squares += s.distance * s.distance;
    return squares == 0 || !std::isfinite(squares) ? static_cast<QWidget*>(Text10) : Text1;
}

bool 結合トラ::acceptsInput() const {
    return allFilled({Text1, Text2, Text3, Text4, Text5, Text6}) && stations_.size() >= survey::kMinStations;
}

Outcome 結合トラ::compute() {
    survey::TraverseKnown known;
    known.surveyClass = value(Text11);
    known.xA = value(Text1);
    known.yA = value(Text2);
    known.xB = value(Text3);
    known.yB = value(Text4);
    known.alphaPacked = value(Text5);
    known.alphaTyped = typed(Text5);
    known.betaPacked = value(Text6);
    // The list goes in as a view it cannot change: the stored pairs stay as typed.
    const std::optional<survey::Traverse> traverse = survey::adjustTraverse(known, stations_, degrees(Label12));
    if (!traverse) return refused();
    closureText_ = shown(std::fabs(traverse->closure));
    // The legs end at the stations 1, 2 … and the last one at B.
    adjusted_.clear();
    for (std::size_t i = 0; i + 2 < traverse->stations; ++i)
        adjusted_.push_back({0, {}, traverse->perStation[i].adjustedX, traverse->perStation[i].adjustedY, {}});
    return recorded(survey::traverseReport(*traverse));
}

void 結合トラ::afterWrite(bool written) {
    if (!written) return;
    Label15->setText(closureText_);
    Module1::ShowInformation(
        QStringLiteral("計算結果についてはﾃﾞｽｸﾄｯﾌﾟに保存された 結合ﾄﾗﾊﾞｰｽDATA.TXT ﾌｧｲﾙを参照して下さい。"),
        QStringLiteral("計算結果"));
}

void 結合トラ::showExplanation() {
    Navigation::open(kExplanation);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() != kExplanation || !window->isVisible() || window == explanation_) continue;
        // However it is closed (its button or the close box), the focus
        // comes back here once it is gone.
        explanation_ = window;
        QObject::connect(window, &QObject::destroyed, this, [this] {
            raise();
            activateWindow();
            Text11->setFocus(Qt::OtherFocusReason);
        });
    }
}
