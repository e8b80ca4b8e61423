#include "screens/points/DivideScreen.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>

#include "frame/Module1.h"

namespace {

// Picture2: the line A-B divided into three sections, the two points the
// file then lists, and what the count means. Drawn by the SVG image plugin.
constexpr char kDrawing[] = R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" width="352" height="168" viewBox="0 0 352 168">
  <rect x="0" y="0" width="352" height="168" fill="#ffffff"/>
  <text x="14" y="22" font-family="sans-serif" font-size="13" font-weight="bold" fill="#222222">※ 分割数を3と入力したとき</text>
  <text x="176" y="42" font-family="sans-serif" font-size="12" text-anchor="middle" fill="#c0392b">この2点が計算結果に表示されます</text>
  <path d="M 176 47 V 54 M 132 54 H 220 M 132 54 V 66 M 220 54 V 66" fill="none" stroke="#c0392b" stroke-width="1.3"/>
  <polygon points="132,70 128,63 136,63" fill="#c0392b"/>
  <polygon points="220,70 216,63 224,63" fill="#c0392b"/>
  <text x="132" y="84" font-family="sans-serif" font-size="12" text-anchor="middle" fill="#222222">1点目</text>
  <text x="220" y="84" font-family="sans-serif" font-size="12" text-anchor="middle" fill="#222222">2点目</text>
  <text x="44" y="84" font-family="sans-serif" font-size="12" text-anchor="middle" fill="#222222">基準A</text>
  <text x="308" y="84" font-family="sans-serif" font-size="12" text-anchor="middle" fill="#222222">基準B</text>
  <path d="M 44 96 H 308 M 44 100 H 308" fill="none" stroke="#333333" stroke-width="1.3"/>
  <path d="M 47 106 Q 88 136 129 106" fill="none" stroke="#1f6fb2" stroke-width="1.4"/>
  <path d="M 135 106 Q 176 136 217 106" fill="none" stroke="#1f6fb2" stroke-width="1.4"/>
  <path d="M 223 106 Q 264 136 305 106" fill="none" stroke="#1f6fb2" stroke-width="1.4"/>
  <text x="88" y="150" font-family="sans-serif" font-size="12" text-anchor="middle" fill="#1f6fb2">1区間</text>
  <text x="176" y="150" font-family="sans-serif" font-size="12" text-anchor="middle" fill="#1f6fb2">2区間</text>
  <text x="264" y="150" font-family="sans-serif" font-size="12" text-anchor="middle" fill="#1f6fb2">3区間</text>
  <polygon points="44,90 36,105 52,105" fill="#ffd54a" stroke="#222222" stroke-width="1.3"/>
  <polygon points="308,90 300,105 316,105" fill="#ffd54a" stroke="#222222" stroke-width="1.3"/>
  <circle cx="132" cy="98" r="5" fill="#ffffff" stroke="#c0392b" stroke-width="2"/>
  <circle cx="220" cy="98" r="5" fill="#ffffff" stroke="#c0392b" stroke-width="2"/>
</svg>)svg";

QPixmap drawing(QSize size, qreal pixelRatio) {
    QByteArray svg(kDrawing);
    QBuffer buffer(&svg);
    QImageReader reader(&buffer, "svg");
    reader.setScaledSize(size * pixelRatio);
    QPixmap pixmap = QPixmap::fromImage(reader.read());
    pixmap.setDevicePixelRatio(pixelRatio);
    return pixmap;
}

}  // namespace

分割::分割(QWidget* parent)
    : TwoPointScreen(QStringLiteral("分割"), QStringLiteral("２点間（分割）"), 4920,
                     instructionNaming(QStringLiteral("計算結果については、デスクトップに作成された分割DATA.TXT"
                                                      "ﾌｧｲﾙを参照して下さい。"),
                                       35),
                     parent) {
    Text5 = textBox("Text5", kLeftBox, kThirdRow);
    Label12 = leftCaption("Label12", kThirdRow, QStringLiteral("分割数"));
    describe(Text5, Label12);

    Picture2 = new QLabel(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(twipRect(kLeftCaption, 2280, 5280, 2520));
    Picture2->setFrameStyle(QFrame::Box | QFrame::Plain);
    Picture2->setAlignment(Qt::AlignCenter);
    Picture2->setPixmap(drawing(Picture2->contentsRect().size(), Picture2->devicePixelRatioF()));
    Picture2->setAccessibleName(QStringLiteral("分割数を3と入力したときの説明図"));

    setTabChain({Text1, Text2, Text3, Text4, Text5, Command1, Command2, Command3, Command4});

    setResultFile(QStringLiteral("分割DATA.TXT"));
    setShownFields({Text1, Text2, Text3, Text4, Text5, Label9});
    setClearedFields({Text1, Text2, Text3, Text4, Text5, Label9});
    finishLoad();
}

bool 分割::acceptsInput() const {
    return allFilled({Text1, Text2, Text3, Text4}) && survey::sectionCount(typed(Text5)).has_value();
}

std::optional<survey::Record> 分割::compute() {
    division_ = survey::divide(baseA(), baseB(), survey::sectionCount(typed(Text5)).value_or(0), degreeConstant());
    if (!division_) return std::nullopt;
    return survey::divisionRecord(typedBase(), typed(Text5), division_->points);
}

void 分割::afterWrite(bool written) {
    // The marker tells clear and exit that the file holds this calculation.
    if (!written) {
        Label9->clear();
        return;
    }
    Label9->setText(shown(division_->length));
    Module1::ShowInformation(QStringLiteral("計算結果についてはﾃﾞｽｸﾄｯﾌﾟに保存された 分割DATA.TXT ﾌｧｲﾙを参照して下さい。"),
                             QStringLiteral("計算結果"));
}

// Ready for another count on the same line.
void 分割::focusAfterCalculation() { Text5->setFocus(); }

void 分割::clear() {
    TwoPointScreen::clear();
    forgetKept();
}
