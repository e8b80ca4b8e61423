// 面積計算: a triangle solved, with its area, by three methods on the three
// pages of one window: "ヘロン" (three sides), "２辺夾角" (two sides and the
// angle between them) and "２角夾辺" (one side and the angles at its ends).
// Each page is a calculation of its own with its three boxes, its results
// and its four buttons; a page's presses never touch the other pages. Writes
// no file and has no instruction line.
#pragma once

#include <QTabWidget>
#include <array>
#include <memory>

#include "frame/CalcScreen.h"

class 面積計算 : public CalcWindow {
public:
    class Page;
    class ThreeSides;
    class SidesAngle;
    class AnglesSide;

    explicit 面積計算(QWidget* parent = nullptr);
    ~面積計算() override;

    QTabWidget* SSTab1;
    // The calculations of pages 0, 1 and 2.
    std::unique_ptr<ThreeSides> heron;
    std::unique_ptr<SidesAngle> sidesAngle;
    std::unique_ptr<AnglesSide> anglesSide;
};

// What the pages share: three boxes that must all hold numbers, not all
// zero; rows of results below them; the buttons at the right.
class 面積計算::Page : public Calculation {
protected:
    Page(CalcWindow* host, QWidget* page) : Calculation(host, page) {}

    // A control still to be built: the member it goes to, and its name.
    struct Slot {
        QLabel*& label;
        QString name;
    };
    struct InputRow {
        Slot heading;
        QString text;
        TextBox*& box;
        const char* boxName;
    };

    // The three input rows (0 to 2): a caption, then its box, named for a
    // screen reader by the caption. The first box takes the focus after a
    // calculation and a refusal.
    void inputRows(const InputRow& first, const InputRow& second, const InputRow& third);
    // Result row `row` (0 to 3): its caption, then an angle in degrees,
    // minutes and seconds, or a value and its unit.
    DmsRow angleRow(int row, Slot heading, const QString& text, std::array<Slot, 3> values, std::array<Slot, 3> marks);
    void valueRow(int row, Slot heading, const QString& text, Slot value, Slot unit, const QString& unitText);
    // The page's degree constant, out of sight.
    QLabel* constantLabel(const QString& name);
    // The page's four buttons, Command<first> onwards, connected; Tab runs
    // through the boxes and then the buttons.
    void buttons(int first, CommandButton*& calculate, CommandButton*& clear, CommandButton*& menu,
                 CommandButton*& exit);

    bool acceptsInput() const override;

    // An angle as this screen shows it, with a tenth of a second.
    void showAngle(const DmsRow& row, double degrees);

private:
    std::array<TextBox*, 3> inputs_{};
};

// Page 0 "ヘロン": the three sides a, b, c give the angles and the area.
class 面積計算::ThreeSides : public 面積計算::Page {
public:
    ThreeSides(CalcWindow* host, QWidget* page);

    TextBox *Text1, *Text2, *Text3;       // sides a, b, c
    QLabel *Label2, *Label3, *Label4;     // their headings
    QLabel *Label1, *Label5, *Label6;     // headings of the angle rows
    QLabel *Label7, *Label8, *Label9;     // angle A: degrees, minutes, seconds
    QLabel *Label10, *Label11, *Label12;  // angle B
    QLabel *Label13, *Label14, *Label15;  // angle C
    std::array<QLabel*, 11> Label16{};    // (0)-(8) the marks, (10) the degree constant
    QLabel *Label17, *Label18, *Label19;  // area: heading, value, unit
    CommandButton *Command1, *Command2, *Command3, *Command4;

    // C L S empties the page and leaves the focus where it is.
    void clear() override;

protected:
    Outcome compute() override;

private:
    DmsRow angleA_, angleB_, angleC_;
};

// Page 1 "２辺夾角": sides a and b and the packed angle C between them give
// side c, the angles A and B and the area.
class 面積計算::SidesAngle : public 面積計算::Page {
public:
    SidesAngle(CalcWindow* host, QWidget* page);

    TextBox *Text4, *Text5, *Text6;  // a, b, packed C
    // (0)-(2) input headings; A row (3) heading, (4) (6) (8) values, (5) (7)
    // (9) marks; B row (14), (13) (11) (15), (12) (10) (16); c row (18),
    // (17), (25); area row (20), (19), (21); (26) the degree constant.
    std::array<QLabel*, 27> Label22{};
    CommandButton *Command5, *Command6, *Command7, *Command8;

protected:
    Outcome compute() override;

private:
    DmsRow angleA_, angleB_;
};

// Page 2 "２角夾辺": side b and the packed angles A and B give sides a and c,
// the angle C and the area.
class 面積計算::AnglesSide : public 面積計算::Page {
public:
    AnglesSide(CalcWindow* host, QWidget* page);

    TextBox *Text7, *Text8, *Text9;  // b, packed A, packed B
    // (0)-(2) input headings; a row (3), (6), (13); c row (4), (7), (14);
    // C row (5) heading, (8) (9) (10) values, (15) (16) (17) marks; area row
    // (20), (11), (18).
    std::array<QLabel*, 21> Label23{};
    QLabel* Label24;  // degree constant
    CommandButton *Command9, *Command10, *Command11, *Command12;

protected:
    Outcome compute() override;

private:
    DmsRow angleC_;
};
