#include "screens/area/Sketch.h"

#include <QPainter>
#include <QPainterPath>
#include <QXmlStreamWriter>

namespace {

// A dashed line's dash and gap, in widths of its pen (as QPen counts them).
constexpr double kDash = 6, kGap = 4;

// ---- Onto a painter -------------------------------------------------------------

void stroke(QPainter& p, const Sketch::Pen& pen, Qt::PenCapStyle cap) {
    QPen q(pen.colour, pen.width, Qt::SolidLine, cap, Qt::RoundJoin);
    if (pen.dashed) q.setDashPattern({kDash, kGap});
    p.setPen(q);
    p.setRenderHint(QPainter::Antialiasing, pen.smooth);
}

void draw(QPainter& p, const Sketch::Polyline& item) {
    stroke(p, item.pen, item.pen.cap);
    p.drawPolyline(item.points);
}

void draw(QPainter& p, const Sketch::Lines& item) {
    stroke(p, item.pen, item.pen.cap);
    p.drawLines(item.lines);
}

void draw(QPainter& p, const Sketch::Dots& item) {
    stroke(p, item.pen, Qt::RoundCap);
    p.drawPoints(item.points);
}

void draw(QPainter& p, const Sketch::Filled& item) {
    QPainterPath path;
    path.addPolygon(item.points);
    path.closeSubpath();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(path, item.colour);
}

void draw(QPainter& p, const Sketch::Text& item) {
    p.setPen(item.colour);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawText(item.baseline, item.text);
}

// ---- As SVG -----------------------------------------------------------------------

// Hundredths of a pixel, no trailing zeros: small files that still hold the
// drawing exactly enough to measure on.
QString number(double v) {
    QString s = QString::number(v, 'f', 2);
    while (s.endsWith(u'0')) s.chop(1);
    if (s.endsWith(u'.')) s.chop(1);
    return s == "-0" ? QStringLiteral("0") : s;
}

QString pointList(const QPolygonF& points) {
    QString s;
    s.reserve(points.size() * 16);
    for (const QPointF& p : points) {
        if (!s.isEmpty()) s += u' ';
        s += number(p.x()) + u',' + number(p.y());
    }
    return s;
}

const char* capName(Qt::PenCapStyle cap) {
    switch (cap) {
        case Qt::RoundCap: return "round";
        case Qt::FlatCap: return "butt";
        default: return "square";
    }
}

// Smoothing is left to the viewer: a vector picture has no pixels of its
// own, and the speed it buys on the screen counts for nothing in a file.
void strokeAttributes(QXmlStreamWriter& w, const Sketch::Pen& pen) {
    w.writeAttribute("fill", "none");
    w.writeAttribute("stroke", pen.colour.name());
    w.writeAttribute("stroke-width", number(pen.width));
    w.writeAttribute("stroke-linecap", capName(pen.cap));
    // SVG counts the dashes in pixels.
    if (pen.dashed) w.writeAttribute("stroke-dasharray", number(kDash * pen.width) + u' ' + number(kGap * pen.width));
}

void write(QXmlStreamWriter& w, const QFont&, const Sketch::Polyline& item) {
    w.writeEmptyElement("polyline");
    w.writeAttribute("points", pointList(item.points));
    strokeAttributes(w, item.pen);
    w.writeAttribute("stroke-linejoin", "round");
}

void write(QXmlStreamWriter& w, const QFont&, const Sketch::Lines& item) {
    for (const QLineF& line : item.lines) {
        w.writeEmptyElement("line");
        w.writeAttribute("x1", number(line.x1()));
        w.writeAttribute("y1", number(line.y1()));
        w.writeAttribute("x2", number(line.x2()));
        w.writeAttribute("y2", number(line.y2()));
        strokeAttributes(w, item.pen);
    }
}

void write(QXmlStreamWriter& w, const QFont&, const Sketch::Dots& item) {
    const QString r = number(item.pen.width / 2), fill = item.pen.colour.name();
    for (const QPointF& p : item.points) {
        w.writeEmptyElement("circle");
        w.writeAttribute("cx", number(p.x()));
        w.writeAttribute("cy", number(p.y()));
        w.writeAttribute("r", r);
        w.writeAttribute("fill", fill);
    }
}

void write(QXmlStreamWriter& w, const QFont&, const Sketch::Filled& item) {
    w.writeEmptyElement("polygon");
    w.writeAttribute("points", pointList(item.points));
    w.writeAttribute("fill", item.colour.name());
}

void write(QXmlStreamWriter& w, const QFont& font, const Sketch::Text& item) {
    w.writeStartElement("text");
    w.writeAttribute("x", number(item.baseline.x()));
    w.writeAttribute("y", number(item.baseline.y()));
    // One family, quoted as CSS has it, and no list of fallbacks: Qt's own
    // SVG reader misreads a list and draws in another font.
    w.writeAttribute("font-family", u'\'' + font.family() + u'\'');
    w.writeAttribute("font-size", QString::number(font.pixelSize()) + "px");
    w.writeAttribute("fill", item.colour.name());
    w.writeCharacters(item.text);
    w.writeEndElement();
}

}  // namespace

void Sketch::paint(QPainter& p) const {
    p.fillRect(QRect(QPoint(), size), paper);
    p.setFont(font);
    for (const Item& item : items) std::visit([&p](const auto& i) { draw(p, i); }, item);
}

QByteArray Sketch::svg(const QString& title, const QString& description) const {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(1);
    w.writeStartDocument();
    w.writeStartElement("svg");
    w.writeDefaultNamespace("http://www.w3.org/2000/svg");
    w.writeAttribute("version", "1.1");
    w.writeAttribute("width", QString::number(size.width()));
    w.writeAttribute("height", QString::number(size.height()));
    w.writeAttribute("viewBox", QStringLiteral("0 0 %1 %2").arg(size.width()).arg(size.height()));
    w.writeTextElement("title", title);
    w.writeTextElement("desc", description);
    w.writeEmptyElement("rect");
    w.writeAttribute("width", QString::number(size.width()));
    w.writeAttribute("height", QString::number(size.height()));
    w.writeAttribute("fill", paper.name());
    for (const Item& item : items) std::visit([&](const auto& i) { write(w, font, i); }, item);
    w.writeEndDocument();
    return out;
}
