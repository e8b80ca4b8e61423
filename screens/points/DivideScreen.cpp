#include "screens/points/DivideScreen.h"

#include "frame/Artwork.h"
#include "frame/Module1.h"

分割::分割(QWidget* parent)
    : TwoPointScreen(QStringLiteral("分割"), QStringLiteral("２点間（分割）"), 4920,
                     instructionNaming(QStringLiteral("計算結果については、デスクトップに作成された分割DATA.TXT"
                                                      "ﾌｧｲﾙを参照して下さい。"),
                                       35),
                     parent) {
    Text5 = textBox("Text5", kLeftBox, kThirdRow);
    Label12 = captionFor(Text5, "Label12", QStringLiteral("分割数"));

    Picture2 = new QLabel(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(twipRect(kLeftMargin, 2280, 5280, 2520));
    Picture2->setFrameStyle(QFrame::Box | QFrame::Plain);
    Picture2->setAlignment(Qt::AlignCenter);
    // The line A-B divided into three sections, the two points the file then
    // lists, and what the count means.
    Picture2->setPixmap(
        Artwork::picture(QStringLiteral("division"), Picture2->contentsRect().size(), Picture2->devicePixelRatioF()));
    Picture2->setAccessibleName(QStringLiteral("分割数を3と入力したときの説明図"));

    setTabChain({Text1, Text2, Text3, Text4, Text5, Command1, Command2, Command3, Command4});

    setResultFile(QStringLiteral("分割DATA.TXT"));
    // The points the file lists, once they are in it.
    setResultPoints(QStringLiteral("分割"), [this] {
        std::vector<survey::BookPoint> points;
        if (division_ && !Label9->text().isEmpty())
            for (const survey::DivisionPoint& p : division_->points)
                points.push_back({0, {}, p.point.x, p.point.y, {}});
        return points;
    });
    setShownFields({Text1, Text2, Text3, Text4, Text5, Label9});
    setClearedFields({Text1, Text2, Text3, Text4, Text5, Label9});
    finishLoad();
}

bool 分割::acceptsInput() const {
    return allFilled({Text1, Text2, Text3, Text4}) && survey::sectionCount(typed(Text5)).has_value();
}

Outcome 分割::compute() {
    division_ = survey::divide(baseA(), baseB(), survey::sectionCount(typed(Text5)).value_or(0), degreeConstant());
    if (!division_) return refused();
    return recorded(survey::divisionRecord(typedBase(), typed(Text5), division_->points));
}

void 分割::afterWrite(bool written) {
    // The marker tells clear and exit that the file holds this calculation.
    if (!written) {
        Label9->clear();
        return;
    }
    Label9->setText(shown(division_->length));
    Module1::ShowInformation(
        QStringLiteral("計算結果についてはﾃﾞｽｸﾄｯﾌﾟに保存された 分割DATA.TXT ﾌｧｲﾙを参照して下さい。"),
        QStringLiteral("計算結果"));
}

// Ready for another count on the same line.
void 分割::focusAfterCalculation() { Text5->setFocus(); }
