// 区画図: the outline of the corners entered on 座標面積, drawn as on a map
// (X up, Y to the right, one scale for both), with the corner numbers, the
// closing edge (dashed until the area is calculated), the area, a scale bar,
// a north arrow and the edges that cross in red; beside it the corners as a
// table. A tool window owned by the screen: it closes and is destroyed with
// the screen.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QWidget>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "survey/area.h"

class QImage;
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
    // Whether edges of the outline cross (survey/outline.h).
    bool edgesCross() const;

    // Saves the drawing as PNG, SVG or PDF by the suffix of `path`. False,
    // after telling the user, when the suffix is none of these or the file
    // cannot be written.
    bool save(const QString& path);
    // Places the window to the right of the screen (to the left when only
    // that side has room; when neither side has, but both fit side by side,
    // the screen moves over to make room; else on the wider side, narrowed)
    // and shows it without taking the focus.
    void showBeside(QWidget* screen);

    // The drawing at a size of its own, as it is saved, and where corner
    // `index` (from 0) lands in it.
    QImage image(QSize size) const;
    QPointF cornerAt(std::size_t index, QSize size) const;
    // The corner numbers that have room at that size: the corner (from 0)
    // and the rectangle its number takes.
    std::vector<std::pair<std::size_t, QRectF>> numbersAt(QSize size) const;

private:
    struct Plan;
    class Canvas;
    class Table;

    void saveAs();
    void describe();
    QSize savedSize() const;

    std::unique_ptr<Plan> plan_;
    Canvas* canvas_;
    Table* table_;
    QTableView* view_;
};
