#include "screens/area/MenScreen.h"

#include "survey/triangle.h"

namespace {

// Every page has three input rows and below them four result rows, with the
// buttons at its right (twips on the page).
constexpr int kCaptionLeft = 240;   // captions, moved left when wider
constexpr int kFieldLeft = 960;     // boxes and results
constexpr int kInputTop = 240, kResultTop = 1800, kRowPitch = 480;
constexpr int kCaptionDrop = 60;    // a caption's top below its field's top
constexpr int kValueWidth = 2400;   // sides and areas
constexpr int kButtonLeft = 5280, kButtonTop = 240;
constexpr int kPageWidth = 6735, kPageHeight = 3855;
constexpr int kMargin = 120;        // around the tab control

constexpr int inputTop(int row) { return kInputTop + row * kRowPitch; }
constexpr int resultTop(int row) { return kResultTop + row * kRowPitch; }

// This screen holds the degree constant one digit shorter than the others;
// it reads as the same number.
const QString kConstant = QStringLiteral("57.295779513082320876798154814105");

QString label16(int i) { return arrayName("Label16", i); }
QString label22(int i) { return arrayName("Label22", i); }
QString label23(int i) { return arrayName("Label23", i); }

}  // namespace

// ---- The window ------------------------------------------------------------------

面積計算::面積計算(QWidget* parent)
    : CalcWindow(QStringLiteral("面積計算"), QStringLiteral("面積計算"), kPageWidth + 2 * kMargin,
                 kPageHeight + 2 * kMargin, parent) {
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    auto page = [this](const QString& caption) {
        auto* sheet = new QWidget;
        sheet->setObjectName(caption);
        sheet->setMinimumSize(pixels(kPageWidth), pixels(kPageHeight));
        SSTab1->addTab(sheet, caption);
        return sheet;
    };
    heron = std::make_unique<ThreeSides>(this, page(QStringLiteral("ヘロン")));
    sidesAngle = std::make_unique<SidesAngle>(this, page(QStringLiteral("２辺夾角")));
    anglesSide = std::make_unique<AnglesSide>(this, page(QStringLiteral("２角夾辺")));
    SSTab1->setCurrentIndex(0);

    // The pages are laid out in twips; the tabs and the frame around the
    // pages take what the style needs, and the window fits around them.
    SSTab1->setGeometry(QRect(QPoint(pixels(kMargin), pixels(kMargin)), SSTab1->minimumSizeHint()));
    setFixedSize(SSTab1->width() + 2 * pixels(kMargin), SSTab1->height() + 2 * pixels(kMargin));

    heron->Text1->setFocus();
    centre();
}

面積計算::~面積計算() = default;

// ---- What the pages share ----------------------------------------------------------

QLabel* 面積計算::Page::inputHeading(const char* name, int row, const QString& text) {
    return caption(QString::fromLatin1(name), kCaptionLeft, inputTop(row) + kCaptionDrop, text, kFieldLeft);
}

TextBox* 面積計算::Page::input(const char* name, int row, const QLabel* heading) {
    TextBox* box = textBox(QString::fromLatin1(name), kFieldLeft, inputTop(row));
    describe(box, heading);
    return box;
}

QLabel* 面積計算::Page::resultHeading(const QString& name, int row, const QString& text) {
    return caption(name, kCaptionLeft, resultTop(row) + kCaptionDrop, text, kFieldLeft);
}

QLabel* 面積計算::Page::resultValue(const QString& name, int row, const QLabel* heading) {
    QLabel* value = resultLabel(name, kFieldLeft, resultTop(row), kValueWidth);
    describe(value, heading);
    return value;
}

QLabel* 面積計算::Page::resultUnit(const QString& name, int row, const QString& text) {
    return unitLabel(name, kFieldLeft + kValueWidth, resultTop(row), text);
}

DmsRow 面積計算::Page::angleRow(int row, const QLabel* heading, std::initializer_list<QString> valueNames,
                                std::initializer_list<QString> markNames) {
    const DmsRow angle = dmsRow(kFieldLeft, resultTop(row), valueNames, markNames);
    const QString name = heading->text().remove(QLatin1Char('=')).trimmed();
    describe(angle.d, name + QStringLiteral("（度）"));
    describe(angle.m, name + QStringLiteral("（分）"));
    describe(angle.s, name + QStringLiteral("（秒）"));
    return angle;
}

QLabel* 面積計算::Page::constantLabel(const QString& name) {
    return degreeLabel(name, kCaptionLeft, kPageHeight - 240, kConstant);
}

Calculation::Buttons 面積計算::Page::buttons(int first) {
    const Buttons b = standardButtons(first, QStringLiteral("M E N U"), kButtonLeft, kButtonTop);
    wireButtons(b);
    return b;
}

bool 面積計算::Page::acceptsInput() const { return numbersNotAllZero({inputs_[0], inputs_[1], inputs_[2]}); }

void 面積計算::Page::showAngle(const DmsRow& row, double degrees) {
    const survey::DmsTenths dms = survey::toDmsTenths(degrees);
    row.show(shown(dms.d), shown(dms.m), shown(dms.s));
}

void 面積計算::Page::take(const DmsRow& row, QLabel*& d, QLabel*& m, QLabel*& s, QLabel*& dMark, QLabel*& mMark,
                          QLabel*& sMark) {
    d = row.d;
    m = row.m;
    s = row.s;
    dMark = row.dMark;
    mMark = row.mMark;
    sMark = row.sMark;
}

// ---- Page 0: three sides ---------------------------------------------------------------

面積計算::ThreeSides::ThreeSides(CalcWindow* host, QWidget* page) : Page(host, page) {
    Label2 = inputHeading("Label2", 0, QStringLiteral("a辺"));
    Label3 = inputHeading("Label3", 1, QStringLiteral("b辺"));
    Label4 = inputHeading("Label4", 2, QStringLiteral("c辺"));
    Text1 = input("Text1", 0, Label2);
    Text2 = input("Text2", 1, Label3);
    Text3 = input("Text3", 2, Label4);
    setInputs(Text1, Text2, Text3);

    Label1 = resultHeading(QStringLiteral("Label1"), 0, QStringLiteral("A角 ="));
    Label5 = resultHeading(QStringLiteral("Label5"), 1, QStringLiteral("B角 ="));
    Label6 = resultHeading(QStringLiteral("Label6"), 2, QStringLiteral("C角 ="));
    angleA_ = angleRow(0, Label1, {"Label7", "Label8", "Label9"}, {label16(0), label16(1), label16(2)});
    angleB_ = angleRow(1, Label5, {"Label10", "Label11", "Label12"}, {label16(3), label16(4), label16(5)});
    angleC_ = angleRow(2, Label6, {"Label13", "Label14", "Label15"}, {label16(6), label16(7), label16(8)});
    take(angleA_, Label7, Label8, Label9, Label16[0], Label16[1], Label16[2]);
    take(angleB_, Label10, Label11, Label12, Label16[3], Label16[4], Label16[5]);
    take(angleC_, Label13, Label14, Label15, Label16[6], Label16[7], Label16[8]);
    Label17 = resultHeading(QStringLiteral("Label17"), 3, QStringLiteral("面積 ="));
    Label18 = resultValue(QStringLiteral("Label18"), 3, Label17);
    Label19 = resultUnit(QStringLiteral("Label19"), 3, QStringLiteral("㎡"));
    Label16[10] = constantLabel(label16(10));

    const Buttons b = buttons(1);
    Command1 = b.calculate;
    Command2 = b.clear;
    Command3 = b.menu;
    Command4 = b.exit;
    setTabChain({Text1, Text2, Text3, Command1, Command2, Command3, Command4});

    setClearedFields({Text1, Text2, Text3, Label7, Label8, Label9, Label10, Label11, Label12, Label13, Label14,
                      Label15, Label18});
}

void 面積計算::ThreeSides::clear() { emptyFields(); }

std::optional<survey::Record> 面積計算::ThreeSides::compute() {
    const std::optional<survey::Triangle> t =
        survey::solveSides(value(Text1), value(Text2), value(Text3), degrees(Label16[10]));
    if (!t) return std::nullopt;
    showAngle(angleA_, t->A);
    showAngle(angleB_, t->B);
    showAngle(angleC_, t->C);
    Label18->setText(shown(t->area));
    return survey::Record();
}

// ---- Page 1: two sides and the angle between them ---------------------------------------

面積計算::SidesAngle::SidesAngle(CalcWindow* host, QWidget* page) : Page(host, page) {
    auto& L = Label22;
    L[0] = inputHeading("Label22(0)", 0, QStringLiteral("a辺"));
    L[1] = inputHeading("Label22(1)", 1, QStringLiteral("b辺"));
    L[2] = inputHeading("Label22(2)", 2, QStringLiteral("C角"));
    Text4 = input("Text4", 0, L[0]);
    Text5 = input("Text5", 1, L[1]);
    Text6 = input("Text6", 2, L[2]);
    setInputs(Text4, Text5, Text6);

    L[3] = resultHeading(label22(3), 0, QStringLiteral("A角 ="));
    L[14] = resultHeading(label22(14), 1, QStringLiteral("B角 ="));
    angleA_ = angleRow(0, L[3], {label22(4), label22(6), label22(8)}, {label22(5), label22(7), label22(9)});
    angleB_ = angleRow(1, L[14], {label22(13), label22(11), label22(15)}, {label22(12), label22(10), label22(16)});
    take(angleA_, L[4], L[6], L[8], L[5], L[7], L[9]);
    take(angleB_, L[13], L[11], L[15], L[12], L[10], L[16]);
    L[18] = resultHeading(label22(18), 2, QStringLiteral("c辺 ="));
    L[17] = resultValue(label22(17), 2, L[18]);
    L[25] = resultUnit(label22(25), 2, QStringLiteral("m"));
    L[20] = resultHeading(label22(20), 3, QStringLiteral("面積 ="));
    L[19] = resultValue(label22(19), 3, L[20]);
    L[21] = resultUnit(label22(21), 3, QStringLiteral("㎡"));
    L[26] = constantLabel(label22(26));

    const Buttons b = buttons(5);
    Command5 = b.calculate;
    Command6 = b.clear;
    Command7 = b.menu;
    Command8 = b.exit;
    setTabChain({Text4, Text5, Text6, Command5, Command6, Command7, Command8});

    setClearedFields({Text4, Text5, Text6, L[4], L[6], L[8], L[13], L[11], L[15], L[17], L[19]});
}

std::optional<survey::Record> 面積計算::SidesAngle::compute() {
    const std::optional<survey::Triangle> t =
        survey::solveSidesAngle(value(Text4), value(Text5), value(Text6), degrees(Label22[26]));
    if (!t) return std::nullopt;
    showAngle(angleA_, t->A);
    showAngle(angleB_, t->B);
    Label22[17]->setText(shown(t->c));
    Label22[19]->setText(shown(t->area));
    return survey::Record();
}

// ---- Page 2: one side and the angles at its ends ---------------------------------------------

面積計算::AnglesSide::AnglesSide(CalcWindow* host, QWidget* page) : Page(host, page) {
    auto& L = Label23;
    L[0] = inputHeading("Label23(0)", 0, QStringLiteral("b辺"));
    L[1] = inputHeading("Label23(1)", 1, QStringLiteral("A角"));
    L[2] = inputHeading("Label23(2)", 2, QStringLiteral("B角"));
    Text7 = input("Text7", 0, L[0]);
    Text8 = input("Text8", 1, L[1]);
    Text9 = input("Text9", 2, L[2]);
    setInputs(Text7, Text8, Text9);

    // The first row shows side a, worked out from b: it is captioned a.
    L[3] = resultHeading(label23(3), 0, QStringLiteral("a辺 ="));
    L[6] = resultValue(label23(6), 0, L[3]);
    L[13] = resultUnit(label23(13), 0, QStringLiteral("m"));
    L[4] = resultHeading(label23(4), 1, QStringLiteral("c辺 ="));
    L[7] = resultValue(label23(7), 1, L[4]);
    L[14] = resultUnit(label23(14), 1, QStringLiteral("m"));
    L[5] = resultHeading(label23(5), 2, QStringLiteral("C角 ="));
    angleC_ = angleRow(2, L[5], {label23(8), label23(9), label23(10)}, {label23(15), label23(16), label23(17)});
    take(angleC_, L[8], L[9], L[10], L[15], L[16], L[17]);
    L[20] = resultHeading(label23(20), 3, QStringLiteral("面積 ="));
    L[11] = resultValue(label23(11), 3, L[20]);
    L[18] = resultUnit(label23(18), 3, QStringLiteral("㎡"));
    Label24 = constantLabel(QStringLiteral("Label24"));

    const Buttons b = buttons(9);
    Command9 = b.calculate;
    Command10 = b.clear;
    Command11 = b.menu;
    Command12 = b.exit;
    setTabChain({Text7, Text8, Text9, Command9, Command10, Command11, Command12});

    setClearedFields({Text7, Text8, Text9, L[6], L[7], L[8], L[9], L[10], L[11]});
}

std::optional<survey::Record> 面積計算::AnglesSide::compute() {
    const std::optional<survey::Triangle> t =
        survey::solveAnglesSide(value(Text7), value(Text8), value(Text9), degrees(Label24));
    if (!t) return std::nullopt;
    Label23[6]->setText(shown(t->a));
    Label23[7]->setText(shown(t->c));
    showAngle(angleC_, t->C);
    Label23[11]->setText(shown(t->area));
    return survey::Record();
}
