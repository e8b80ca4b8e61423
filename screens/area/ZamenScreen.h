// 座標面積: the area of a parcel from its corner coordinates. The user adds
// the corners one by one with INPUT and then calculates; the area and every
// corner are logged to "座標面積DATA.TXT" on the Desktop.
//
// Corners also come from outside, each time after a question: a table of two
// lines or more pasted into Text1 or Text2, or a coordinate file (a table,
// or SIMA) dropped on the window or opened with Ctrl+O. The drawing 区画図
// (Ctrl+D; shown by itself after a paste or a file) follows the list, and
// Ctrl+Z takes the last corner back.
#pragma once

#include <optional>
#include <vector>

#include "frame/CalcScreen.h"
#include "survey/area.h"

class QAction;
class 区画図;
namespace survey {
struct CornerSource;
}

class 座標面積 : public CalcScreen {
public:
    explicit 座標面積(QWidget* parent = nullptr);

    // The corner list holds at most this many corners.
    static constexpr std::size_t kMaxCorners = survey::kMaxCorners;

    TextBox *Text1, *Text2;   // X and Y of the corner being entered
    QLabel* Label2;           // number of the corner the next INPUT adds
    QLabel* Label3;           // caption of the area
    QLabel* Label4;           // result: the area, without unit
    QLabel *Label5, *Label6;  // headings of Text1 and Text2
    CommandButton* Command1;  // INPUT
    CommandButton *Command2, *Command3, *Command4, *Command5;

    // INPUT: adds the typed corner to the list.
    void inputCorner();
    // C L S: offers to delete the file when a result is shown, then puts the
    // screen back in its load state with an empty corner list.
    void clear() override;

    // A pasted table (text of two lines or more): read, asked, added.
    void pasteCorners(const QString& text);
    // A coordinate file: read, asked (a SIMA file's parcel chosen), added.
    void openCornerFile(const QString& path);
    // Takes back the last corner of the list.
    void takeBackCorner();
    // Shows the drawing beside the screen.
    void showDrawing();
    // A parcel of the book of points as the corners, after the same question.
    void takeFromBook();
    // Ctrl+R: the corners as a parcel of the book, the points it lacks added.
    void registerParcel();

protected:
    bool acceptsInput() const override;
    Outcome compute() override;
    void forgetKept() override;

    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void forgetCorners();
    // Label2 and the drawing after any change of the list.
    void cornersChanged();
    // The corners a reader found, asked for and added; `origin` names the
    // file they come from (empty for a paste).
    void takeCorners(const survey::CornerSource& source, const QString& origin);
    // Corners from outside, after the question (add or replace when the
    // list holds some already); `parcel` names them, `from` their file.
    void addCorners(const std::vector<survey::Corner>& corners, const QString& parcel, const QString& from,
                    const QString& title);
    // Asks for a file and opens it.
    void chooseCornerFile();
    QAction* action(const QString& text, const QKeySequence& keys, void (座標面積::*slot)());

    std::vector<survey::Corner> corners_;
    std::optional<double> area_;  // the area shown for the list as it stands
    区画図* drawing_ = nullptr;
};
