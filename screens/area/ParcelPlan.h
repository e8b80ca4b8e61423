// What 区画図 draws, with no widget: the corners entered on 座標面積, the
// edges that cross (survey/outline.h), the area once it is calculated, and,
// for a size and a font, where everything goes and the Sketch made from it.
// The window paints the sketch, the exports save it, and the tests measure
// it without opening a window.
#pragma once

#include <QFont>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "screens/area/Sketch.h"
#include "survey/area.h"

class ParcelPlan {
public:
    // Where the number of a corner goes.
    struct Number {
        std::size_t corner;  // from 0
        QRectF rect;
    };

    // Where everything goes at one size, in pixels from the top left: the
    // outline as on a map (X up, Y to the right, one scale for both).
    struct Layout {
        QSize size;
        QFont font;
        double scale = 0;     // pixels per metre; 0 while the corners have no extent
        QRectF numbersMayGo;  // between the text at the top and the scale bar
        QPolygonF points;     // every corner; not finite where the corner is not
        bool allFinite = true;
        bool dots = true;             // whether the corners stand far enough apart to be marked
        std::vector<Number> numbers;  // the numbers that have room, each clear of the others
    };

    // The drawing's name: the window's title, the files' title, the title
    // of the messages about them.
    static QString title();
    // `font` at its pixel size, so that the text keeps its size against the
    // drawing on any device (an image, a PDF page, the screen).
    static QFont pixelFont(const QFont& font);

    // The closing edge dashed and no area, until setArea.
    void setCorners(std::span<const survey::Corner> corners);
    // After 計算: the closing edge solid and the area shown.
    void setArea(double area);

    const std::vector<survey::Corner>& corners() const { return corners_; }
    std::optional<double> area() const { return area_; }
    bool edgesCross() const { return anyCrossing_; }
    // The number of corners, then the area and the warning as the drawing
    // shows them, for whoever cannot see it.
    QString description() const;

    // At `size` with `font` (sized in pixels). Kept until the corners, the
    // size or the font change, so that a repaint only draws; the reference
    // holds until the next call.
    const Layout& layout(QSize size, const QFont& font) const;
    // Everything the drawing consists of at that size, in the order it is drawn.
    Sketch sketch(QSize size, const QFont& font) const;

private:
    void drawOutline(Sketch& s, const Layout& l) const;

    std::vector<survey::Corner> corners_;
    std::vector<bool> crossing_;  // per edge; the last edge closes the outline
    bool anyCrossing_ = false;
    std::optional<double> area_;
    mutable std::optional<Layout> layout_;
};
