#include "screens/area/MenScreen.h"

#include "survey/triangle.h"

namespace {

// Every page has three input rows and below them four result rows, with the
// buttons at its right (twips on the page).
constexpr int kCaptionLeft = 240;  // captions, moved left when wider
constexpr int kFieldLeft = 960;    // boxes and results
constexpr int kInputTop = 240, kResultTop = 1800, kRowPitch = 480;
constexpr int kCaptionDrop = 60;   // a caption's top below its field's top
constexpr int kValueWidth = 2400;  // sides and areas
constexpr int kButtonLeft = 5280, kButtonTop = 240;
constexpr int kPageWidth = 6735, kPageHeight = 3855;
constexpr int kMargin = 120;  // around the tab control

constexpr int inputTop(int row) { return kInputTop + row * kRowPitch; }
constexpr int resultTop(int row) { return kResultTop + row * kRowPitch; }

// This screen holds the degree constant one digit shorter than the others;
// it reads as the same number.
const QString kConstant = QStringLiteral("57.295779513082320876798154814105");

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

void 面積計算::Page::inputRows(const InputRow& first, const InputRow& second, const InputRow& third) {
    int row = 0;
    for (const InputRow* r : {&first, &second, &third}) {
        r->heading.label = caption(r->heading.name, kCaptionLeft, inputTop(row) + kCaptionDrop, r->text, kFieldLeft);
        r->box = textBox(QString::fromLatin1(r->boxName), kFieldLeft, inputTop(row));
        describe(r->box, r->heading.label);
        inputs_[std::size_t(row++)] = r->box;
    }
}

DmsRow 面積計算::Page::angleRow(int row, Slot heading, const QString& text, std::array<Slot, 3> values,
                                std::array<Slot, 3> marks) {
    heading.label = caption(heading.name, kCaptionLeft, resultTop(row) + kCaptionDrop, text, kFieldLeft);
    const DmsRow angle = dmsRow(kFieldLeft, resultTop(row), {values[0].name, values[1].name, values[2].name},
                                {marks[0].name, marks[1].name, marks[2].name});
    values[0].label = angle.d;
    values[1].label = angle.m;
    values[2].label = angle.s;
    marks[0].label = angle.dMark;
    marks[1].label = angle.mMark;
    marks[2].label = angle.sMark;
    const QString name = QString(text).remove(QLatin1Char('=')).trimmed();
    describe(angle.d, name + QStringLiteral("（度）"));
    describe(angle.m, name + QStringLiteral("（分）"));
    describe(angle.s, name + QStringLiteral("（秒）"));
    return angle;
}

void 面積計算::Page::valueRow(int row, Slot heading, const QString& text, Slot value, Slot unit,
                              const QString& unitText) {
    heading.label = caption(heading.name, kCaptionLeft, resultTop(row) + kCaptionDrop, text, kFieldLeft);
    value.label = resultLabel(value.name, kFieldLeft, resultTop(row), kValueWidth);
    describe(value.label, heading.label);
    unit.label = unitLabel(unit.name, kFieldLeft + kValueWidth, resultTop(row), unitText);
}

QLabel* 面積計算::Page::constantLabel(const QString& name) {
    return degreeLabel(name, kCaptionLeft, kPageHeight - 240, kConstant);
}

void 面積計算::Page::buttons(int first, CommandButton*& calculate, CommandButton*& clear, CommandButton*& menu,
                             CommandButton*& exit) {
    const Buttons b = standardButtons(first, QStringLiteral("M E N U"), kButtonLeft, kButtonTop);
    wireButtons(b);
    calculate = b.calculate;
    clear = b.clear;
    menu = b.menu;
    exit = b.exit;
    setTabChain({inputs_[0], inputs_[1], inputs_[2], calculate, clear, menu, exit});
}

bool 面積計算::Page::acceptsInput() const { return numbersNotAllZero({inputs_[0], inputs_[1], inputs_[2]}); }

void 面積計算::Page::showAngle(const DmsRow& row, double degrees) {
    const survey::DmsTenths dms = survey::toDmsTenths(degrees);
    row.show(shown(dms.d), shown(dms.m), shown(dms.s));
}

// ---- Page 0: three sides ---------------------------------------------------------------

面積計算::ThreeSides::ThreeSides(CalcWindow* host, QWidget* page) : Page(host, page) {
    auto mark = [this](int i) { return Slot{Label16[std::size_t(i)], arrayName("Label16", i)}; };
    inputRows({{Label2, "Label2"}, QStringLiteral("a辺"), Text1, "Text1"},
              {{Label3, "Label3"}, QStringLiteral("b辺"), Text2, "Text2"},
              {{Label4, "Label4"}, QStringLiteral("c辺"), Text3, "Text3"});
    angleA_ = angleRow(0, {Label1, "Label1"}, QStringLiteral("A角 ="),
                       {{{Label7, "Label7"}, {Label8, "Label8"}, {Label9, "Label9"}}}, {mark(0), mark(1), mark(2)});
    angleB_ =
        angleRow(1, {Label5, "Label5"}, QStringLiteral("B角 ="),
                 {{{Label10, "Label10"}, {Label11, "Label11"}, {Label12, "Label12"}}}, {mark(3), mark(4), mark(5)});
    angleC_ =
        angleRow(2, {Label6, "Label6"}, QStringLiteral("C角 ="),
                 {{{Label13, "Label13"}, {Label14, "Label14"}, {Label15, "Label15"}}}, {mark(6), mark(7), mark(8)});
    valueRow(3, {Label17, "Label17"}, QStringLiteral("面積 ="), {Label18, "Label18"}, {Label19, "Label19"},
             QStringLiteral("㎡"));
    Label16[10] = constantLabel(arrayName("Label16", 10));
    buttons(1, Command1, Command2, Command3, Command4);

    setClearedFields(
        {Text1, Text2, Text3, Label7, Label8, Label9, Label10, Label11, Label12, Label13, Label14, Label15, Label18});
}

void 面積計算::ThreeSides::clear() { emptyFields(); }

Outcome 面積計算::ThreeSides::compute() {
    const std::optional<survey::Triangle> t =
        survey::solveSides(value(Text1), value(Text2), value(Text3), degrees(Label16[10]));
    if (!t) return refused();
    showAngle(angleA_, t->A);
    showAngle(angleB_, t->B);
    showAngle(angleC_, t->C);
    Label18->setText(shown(t->area));
    return recorded({});
}

// ---- Page 1: two sides and the angle between them ---------------------------------------

面積計算::SidesAngle::SidesAngle(CalcWindow* host, QWidget* page) : Page(host, page) {
    auto L = [this](int i) { return Slot{Label22[std::size_t(i)], arrayName("Label22", i)}; };
    inputRows({L(0), QStringLiteral("a辺"), Text4, "Text4"}, {L(1), QStringLiteral("b辺"), Text5, "Text5"},
              {L(2), QStringLiteral("C角"), Text6, "Text6"});
    angleA_ = angleRow(0, L(3), QStringLiteral("A角 ="), {L(4), L(6), L(8)}, {L(5), L(7), L(9)});
    angleB_ = angleRow(1, L(14), QStringLiteral("B角 ="), {L(13), L(11), L(15)}, {L(12), L(10), L(16)});
    valueRow(2, L(18), QStringLiteral("c辺 ="), L(17), L(25), QStringLiteral("m"));
    valueRow(3, L(20), QStringLiteral("面積 ="), L(19), L(21), QStringLiteral("㎡"));
    Label22[26] = constantLabel(arrayName("Label22", 26));
    buttons(5, Command5, Command6, Command7, Command8);

    const auto& r = Label22;
    setClearedFields({Text4, Text5, Text6, r[4], r[6], r[8], r[13], r[11], r[15], r[17], r[19]});
}

Outcome 面積計算::SidesAngle::compute() {
    const std::optional<survey::Triangle> t =
        survey::solveSidesAngle(value(Text4), value(Text5), value(Text6), degrees(Label22[26]));
    if (!t) return refused();
    showAngle(angleA_, t->A);
    showAngle(angleB_, t->B);
    Label22[17]->setText(shown(t->c));
    Label22[19]->setText(shown(t->area));
    return recorded({});
}

// ---- Page 2: one side and the angles at its ends ---------------------------------------------

面積計算::AnglesSide::AnglesSide(CalcWindow* host, QWidget* page) : Page(host, page) {
    auto L = [this](int i) { return Slot{Label23[std::size_t(i)], arrayName("Label23", i)}; };
    inputRows({L(0), QStringLiteral("b辺"), Text7, "Text7"}, {L(1), QStringLiteral("A角"), Text8, "Text8"},
              {L(2), QStringLiteral("B角"), Text9, "Text9"});
    // The first row shows side a, worked out from b: it is captioned a.
    valueRow(0, L(3), QStringLiteral("a辺 ="), L(6), L(13), QStringLiteral("m"));
    valueRow(1, L(4), QStringLiteral("c辺 ="), L(7), L(14), QStringLiteral("m"));
    angleC_ = angleRow(2, L(5), QStringLiteral("C角 ="), {L(8), L(9), L(10)}, {L(15), L(16), L(17)});
    valueRow(3, L(20), QStringLiteral("面積 ="), L(11), L(18), QStringLiteral("㎡"));
    Label24 = constantLabel(QStringLiteral("Label24"));
    buttons(9, Command9, Command10, Command11, Command12);

    const auto& r = Label23;
    setClearedFields({Text7, Text8, Text9, r[6], r[7], r[8], r[9], r[10], r[11]});
}

Outcome 面積計算::AnglesSide::compute() {
    const std::optional<survey::Triangle> t =
        survey::solveAnglesSide(value(Text7), value(Text8), value(Text9), degrees(Label24));
    if (!t) return refused();
    Label23[6]->setText(shown(t->a));
    Label23[7]->setText(shown(t->c));
    showAngle(angleC_, t->C);
    Label23[11]->setText(shown(t->area));
    return recorded({});
}
