// 結合トラ: the connecting traverse from a known point A to a known point B.
// The user types the class of the survey, A, B and their direction angles,
// then adds the stations one by one with INPUT (angle and distance) and
// calculates. The angle closure is shared out, the latitudes and departures
// are adjusted by the compass rule, and the whole report goes to
// "結合ﾄﾗﾊﾞｰｽDATA.TXT" on the Desktop; the screen itself shows no result.
//
// The station list is never consumed: a calculation reads it through a
// view it cannot change, so a second one repeats the report and a further
// INPUT extends the list.
#pragma once

#include <QPointer>
#include <vector>

#include "frame/CalcScreen.h"
#include "survey/traverse.h"

class 結合トラ : public CalcScreen {
public:
    explicit 結合トラ(QWidget* parent = nullptr);

    // The station list holds at most this many pairs.
    static constexpr std::size_t kMaxStations = survey::kMaxStations;

    TextBox* Text11;                                              // class of the survey
    QLabel *Label13, *Label14;                                    // "区分" before it, "級基準点測量" after it
    TextBox *Text1, *Text2;                                       // X, Y of the start point A
    TextBox *Text3, *Text4;                                       // X, Y of the end point B
    TextBox *Text5, *Text6;                                       // Tα, Tβ (packed angles)
    QLabel *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;  // their headings
    TextBox *Text9, *Text10;                                      // angle and distance of the current station
    QLabel *Label10, *Label11;                                    // their headings
    QLabel *Label16, *Label17, *Label18;                          // the leg the next INPUT describes: from → to
    QLabel* Label15;                                              // hidden marker: |W| once a report is written
    QLabel* Label12;                                              // degree constant
    CommandButton* Command1;                                      // INPUT
    CommandButton *Command2, *Command3, *Command4, *Command5;     // calculate, clear, menu, exit
    CommandButton* Command6;                                      // the explanation window

    // Pairs stored so far.
    std::size_t stationCount() const { return stations_.size(); }

    // INPUT: adds the typed angle and distance to the list.
    void inputStation();
    // Opens the explanation over this screen; when it closes, the focus
    // comes back to the class box.
    void showExplanation();

protected:
    bool acceptsInput() const override;
    Outcome compute() override;
    void afterWrite(bool written) override;
    void forgetKept() override;
    QWidget* boxAtFault() const override;

private:
    std::vector<survey::Station> stations_;
    QString closureText_;  // the marker of the report being written
    // The adjusted stations between A and B of the report last written.
    std::vector<survey::BookPoint> adjusted_;
    QPointer<QWidget> explanation_;  // the explanation window we wait on to close
};
