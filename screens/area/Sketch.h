// A drawing as the list of what it is made of, in pixels and in the order
// it is drawn: built from the layout, then painted (the screen, PNG, PDF)
// or written as SVG, by the same code on every system, so that saving a
// vector picture needs no SVG module.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QLineF>
#include <QList>
#include <QPolygonF>
#include <QSize>
#include <QString>
#include <variant>
#include <vector>

class QPainter;

struct Sketch {
    struct Pen {
        QColor colour;
        double width = 1;
        Qt::PenCapStyle cap = Qt::SquareCap;  // QPen's own default
        bool dashed = false;                  // in dashes of 6 widths, gaps of 4
        bool smooth = true;                   // antialiased on a painter; an SVG viewer decides for itself
    };
    // Joined at the points, with round joins.
    struct Polyline {
        QPolygonF points;
        Pen pen;
    };
    // Each from its own start to its own end.
    struct Lines {
        QList<QLineF> lines;
        Pen pen;
    };
    // Round, pen.width across, whatever the pen's cap.
    struct Dots {
        QPolygonF points;
        Pen pen;
    };
    struct Filled {
        QPolygonF points;
        QColor colour;
    };
    struct Text {
        QPointF baseline;  // where the text starts, on its baseline
        QString text;
        QColor colour;
    };
    using Item = std::variant<Polyline, Lines, Dots, Filled, Text>;

    QSize size;
    QColor paper;
    QFont font;  // sized in pixels
    // Every point is finite: what lies beyond the range of a double is left out.
    std::vector<Item> items{};

    template <class T>
    void add(T&& item) {
        items.emplace_back(std::forward<T>(item));
    }

    // Onto a painter's device, from its top left.
    void paint(QPainter& p) const;
    // A standalone SVG 1.1 document, `title` and `description` for whoever reads it.
    QByteArray svg(const QString& title, const QString& description) const;
};
