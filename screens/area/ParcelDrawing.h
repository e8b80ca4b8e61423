// 区画図: the outline of the corners entered on 座標面積, drawn as on a map
// (X up, Y to the right, one scale for both), with the corner numbers, the
// closing edge (dashed until the area is calculated), the area, a scale bar,
// a north arrow and the edges that cross in red; beside it the corners as a
// table. A tool window owned by the screen: it closes and is destroyed with
// the screen. What it draws is its ParcelPlan's; this is the window around it.
#pragma once

#include <QSharedPointer>
#include <QString>
#include <QWidget>
#include <span>

#include "survey/area.h"

class CornerTableModel;
class ParcelPlan;
class QTableView;

class 区画図 : public QWidget {
public:
    // A tool window beside `screen`, destroyed with it; not shown yet.
    explicit 区画図(QWidget* screen);
    ~区画図() override;

    // The list changed: redraw with the closing edge dashed and no area.
    void setCorners(std::span<const survey::Corner> corners);
    // After 計算: the closing edge solid and the area shown.
    void setArea(double area);

    // Saves the drawing as PNG, SVG or PDF by the suffix of `path`, at the
    // size it has on the screen. False, after telling the user, when the
    // suffix is none of these or the file cannot be written.
    bool save(const QString& path);
    // Places the window to the right of the screen (to the left when only
    // that side has room; when neither side has, but both fit side by side,
    // the screen moves over to make room; else on the wider side, narrowed)
    // and shows it without taking the focus.
    void showBeside(QWidget* screen);

private:
    class Canvas;

    void saveAs();
    void changed();
    QSize savedSize() const;

    // Shared with the canvas and the table model: as the window's children
    // they are destroyed after its members.
    QSharedPointer<ParcelPlan> plan_;
    Canvas* canvas_;
    CornerTableModel* corners_;
    QTableView* view_;
};
