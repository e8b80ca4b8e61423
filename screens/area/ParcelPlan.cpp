#include "screens/area/ParcelPlan.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "survey/arith.h"
#include "survey/outline.h"

namespace {

using Layout = ParcelPlan::Layout;

const QColor kPaper(Qt::white);
const QColor kInk(32, 32, 32);
const QColor kFault(210, 0, 0);

QString crossingText() { return QStringLiteral("辺が交差しています"); }
QString numberText(double v) { return QString::fromStdString(survey::numberText(v)); }
QString areaText(double area) { return QStringLiteral("面積 = ") + numberText(area) + QStringLiteral(" ㎡"); }

bool isFinite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }
bool isFinite(const QLineF& l) { return isFinite(l.p1()) && isFinite(l.p2()); }

int digitCount(std::size_t v) {
    int d = 1;
    for (; v >= 10; v /= 10) ++d;
    return d;
}

double widestDigit(const QFontMetricsF& fm) {
    double digit = 0;
    for (char c = '0'; c <= '9'; ++c) digit = std::max(digit, fm.horizontalAdvance(QChar(c)));
    return digit;
}

// The longest of 1, 2 and 5 x 10^k metres that is not longer than `metres`.
double roundLength(double metres) {
    const double power = std::pow(10.0, std::floor(std::log10(metres)));
    for (const double m : {5.0, 2.0}) {
        if (m * power <= metres) return m * power;
    }
    return power;
}

// Greedy: corner 1, the last corner, then the rest in order, each number
// in the first free one of four places around its corner, tried from the
// one that points out of the corner, away from its two edges. A grid of
// cells half a line high records what is taken; a number takes every
// cell it touches, with some air on either side, so two numbers never
// overlap or run together.
std::vector<ParcelPlan::Number> placeNumbers(const QPolygonF& pts, const QRectF& room, const QFontMetricsF& fm,
                                             double digit) {
    std::vector<ParcelPlan::Number> numbers;
    const std::size_t n = std::size_t(pts.size());
    const double cell = std::max(4.0, std::ceil(fm.height() / 2));
    const int columns = std::max(1, int(std::ceil(room.width() / cell)));
    const int rows = std::max(1, int(std::ceil(room.height() / cell)));
    std::vector<char> taken(std::size_t(columns) * std::size_t(rows), 0);
    const double h = fm.height(), gap = 4;
    auto toward = [&](QPointF from, std::size_t j) {
        const QPointF d = pts[qsizetype(j)] - from;
        const double length = std::hypot(d.x(), d.y());
        return length > 0 && std::isfinite(length) ? d / length : QPointF();
    };

    auto tryPlace = [&](std::size_t i) {
        const QPointF p = pts[qsizetype(i)];
        if (!isFinite(p)) return;
        QPointF out = n > 1 ? -(toward(p, (i + n - 1) % n) + toward(p, (i + 1) % n)) : QPointF();
        if (std::hypot(out.x(), out.y()) < 0.1) out = QPointF(1, -1);  // straight on, or alone
        const double w = digit * digitCount(i + 1);
        struct Place {
            QPointF at;
            double outward;
        };
        Place places[] = {{{p.x() + gap, p.y() - gap - h}, out.x() - out.y()},
                          {{p.x() + gap, p.y() + gap}, out.x() + out.y()},
                          {{p.x() - gap - w, p.y() - gap - h}, -out.x() - out.y()},
                          {{p.x() - gap - w, p.y() + gap}, -out.x() + out.y()}};
        std::stable_sort(std::begin(places), std::end(places),
                         [](const Place& a, const Place& b) { return a.outward > b.outward; });
        for (const Place& place : places) {
            const QRectF r(place.at, QSizeF(w, h));
            if (!room.contains(r)) continue;
            const QRectF takes = r.adjusted(-digit / 2, 0, digit / 2, 0) & room;
            const int c0 = int((takes.left() - room.left()) / cell),
                      c1 = std::min(columns - 1, int((takes.right() - room.left()) / cell));
            const int r0 = int((takes.top() - room.top()) / cell),
                      r1 = std::min(rows - 1, int((takes.bottom() - room.top()) / cell));
            bool free = true;
            for (int y = r0; y <= r1 && free; ++y)
                for (int x = c0; x <= c1 && free; ++x)
                    free = !taken[std::size_t(y) * std::size_t(columns) + std::size_t(x)];
            if (!free) continue;
            for (int y = r0; y <= r1; ++y)
                for (int x = c0; x <= c1; ++x) taken[std::size_t(y) * std::size_t(columns) + std::size_t(x)] = 1;
            numbers.push_back({i, r});
            return;
        }
    };
    if (n == 0) return numbers;
    tryPlace(0);
    if (n > 1) tryPlace(n - 1);
    for (std::size_t i = 1; i + 1 < n; ++i) tryPlace(i);
    return numbers;
}

// The outline from the first corner to the last as runs of finite points;
// the points themselves, not a copy, while every corner is finite.
std::vector<QPolygonF> finitePieces(const Layout& l) {
    std::vector<QPolygonF> pieces{l.allFinite ? l.points : QPolygonF()};
    if (!l.allFinite) {
        for (const QPointF& p : l.points) {
            if (isFinite(p)) pieces.back().append(p);
            else if (!pieces.back().isEmpty()) pieces.emplace_back();
        }
    }
    std::erase_if(pieces, [](const QPolygonF& piece) { return piece.size() < 2; });
    return pieces;
}

// "N" above an arrow pointing up (X is north), in a square of two lines
// whose top right is `at`.
void drawNorthArrow(Sketch& s, const QFontMetricsF& fm, QPointF at) {
    const double line = fm.height();
    const double x = at.x() - line / 2;
    const QString north = QStringLiteral("N");
    const QRectF letter = fm.boundingRect(QRectF(x - line / 2, at.y(), line, line), Qt::AlignCenter, north);
    s.add(Sketch::Text{QPointF(letter.left(), letter.top() + fm.ascent()), north, kInk});
    const double tip = at.y() + line, foot = at.y() + 2.4 * line;
    s.add(Sketch::Lines{{QLineF(x, tip + line / 3, x, foot)}, {.colour = kInk, .width = 1.5}});
    s.add(Sketch::Filled{QPolygonF{{x, tip}, {x - line / 4, tip + line / 2}, {x + line / 4, tip + line / 2}}, kInk});
}

// A round length, at most a third of the width, with ticks at its ends and
// its length in metres; `at` is its bottom left.
void drawScaleBar(Sketch& s, const QFontMetricsF& fm, const Layout& l, QPointF at) {
    const double longest = std::min(200.0, l.size.width() / 3.0);
    if (longest < 8) return;
    const double metres = roundLength(longest / l.scale);
    const double px = metres * l.scale;
    const double y = at.y() - 4, tick = 5;
    const QPointF left(at.x(), y), right(at.x() + px, y), up(0, -tick);
    s.add(Sketch::Lines{{QLineF(left, right), QLineF(left, left + up), QLineF(right, right + up)},
                        {.colour = kInk, .width = 1.5}});
    s.add(Sketch::Text{right + QPointF(6, -fm.descent()), numberText(metres) + QStringLiteral(" m"), kInk});
}

}  // namespace

QString ParcelPlan::title() { return QStringLiteral("区画図"); }

QFont ParcelPlan::pixelFont(const QFont& font) {
    QFont sized(font);
    sized.setPixelSize(std::max(QFontInfo(font).pixelSize(), 8));
    return sized;
}

void ParcelPlan::setCorners(std::span<const survey::Corner> corners) {
    corners_.assign(corners.begin(), corners.end());
    crossing_.assign(corners_.size(), false);
    const std::vector<std::size_t> edges = survey::crossingEdges(corners_);
    for (const std::size_t e : edges) crossing_[e] = true;
    anyCrossing_ = !edges.empty();
    area_.reset();
    layout_.reset();
}

void ParcelPlan::setArea(double area) { area_ = area; }

QString ParcelPlan::description() const {
    QStringList parts{QString::number(corners_.size()) + QStringLiteral(" 点")};
    if (area_) parts << areaText(*area_);
    if (anyCrossing_) parts << crossingText();
    return parts.join(QStringLiteral("、"));
}

const ParcelPlan::Layout& ParcelPlan::layout(QSize size, const QFont& font) const {
    if (layout_ && layout_->size == size && layout_->font == font) return *layout_;
    const QFontMetricsF fm(font);
    Layout l;
    l.size = size;
    l.font = font;
    const double line = fm.height(), digit = widestDigit(fm);
    // Text lines and the north arrow above, the scale bar below, room for
    // a number beside every corner.
    l.numbersMayGo = QRectF(0, 3 * line, size.width(), size.height() - 5 * line);
    const double side = digit * digitCount(std::max<std::size_t>(corners_.size(), 1)) + 8;
    const QRectF field = l.numbersMayGo.adjusted(side, line + 4, -side, -(line + 4));

    // Bounds of the corners that are numbers at all.
    double minX = HUGE_VAL, maxX = -HUGE_VAL, minY = HUGE_VAL, maxY = -HUGE_VAL;
    for (const survey::Corner& c : corners_) {
        if (!std::isfinite(c.x) || !std::isfinite(c.y)) continue;
        minX = std::min(minX, c.x), maxX = std::max(maxX, c.x);
        minY = std::min(minY, c.y), maxY = std::max(maxY, c.y);
    }
    const double northing = maxX - minX, easting = maxY - minY;
    double midX = 0, midY = 0;
    if (std::isfinite(northing) && std::isfinite(easting)) {
        midX = minX + northing / 2, midY = minY + easting / 2;
        const double byWidth = easting > 0 ? field.width() / easting : HUGE_VAL;
        const double byHeight = northing > 0 ? field.height() / northing : HUGE_VAL;
        l.scale = std::max(0.0, std::min(byWidth, byHeight));
        if (!std::isfinite(l.scale)) l.scale = 0;
    }
    const QPointF centre = field.center();
    l.points.reserve(qsizetype(corners_.size()));
    for (const survey::Corner& c : corners_) {
        const QPointF p(centre.x() + (c.y - midY) * l.scale, centre.y() - (c.x - midX) * l.scale);
        l.allFinite = l.allFinite && isFinite(p);
        l.points.append(p);
    }
    // Dots only where, on average, a corner is a few pixels from the next.
    double drawn = 0;
    for (qsizetype i = 1; i < l.points.size(); ++i) {
        const QPointF d = l.points[i] - l.points[i - 1];
        if (isFinite(d)) drawn += std::hypot(d.x(), d.y());
    }
    l.dots = corners_.size() < 3 || drawn >= 8.0 * double(corners_.size() - 1);
    l.numbers = placeNumbers(l.points, l.numbersMayGo, fm, digit);
    layout_ = std::move(l);
    return *layout_;
}

Sketch ParcelPlan::sketch(QSize size, const QFont& font) const {
    Sketch s{.size = size, .paper = kPaper, .font = font};
    if (corners_.empty()) return s;
    const QFontMetricsF fm(font);
    const Layout& l = layout(size, font);
    drawOutline(s, l);

    // The numbers that have room; area and warning at the top left, north
    // arrow at the top right, scale bar at the bottom left.
    for (const auto& [i, r] : l.numbers)
        s.add(Sketch::Text{r.topLeft() + QPointF(0, fm.ascent()), numberText(double(i + 1)), kInk});
    const double line = fm.height(), pad = std::round(line / 2);
    if (area_) s.add(Sketch::Text{QPointF(pad, pad + fm.ascent()), areaText(*area_), kInk});
    if (anyCrossing_) s.add(Sketch::Text{QPointF(pad, pad + line + fm.ascent()), crossingText(), kFault});
    drawNorthArrow(s, fm, QPointF(size.width() - pad - line, pad));
    if (l.scale > 0) drawScaleBar(s, fm, l, QPointF(pad, size.height() - pad));
    return s;
}

// The outline up to the last corner in one stroke (in pieces only around
// a corner beyond the range of a double), then the closing edge, then the
// edges that cross over them in red, then the corners. A long outline
// takes one-pixel lines without smoothing, which the painter draws many
// times faster; at that density nobody sees the difference.
void ParcelPlan::drawOutline(Sketch& s, const Layout& l) const {
    const QPolygonF& pts = l.points;
    const std::size_t n = corners_.size();
    auto edge = [&](std::size_t a, std::size_t b) { return QLineF(pts[qsizetype(a)], pts[qsizetype(b)]); };
    const bool fine = n <= 1000;
    const double thin = fine ? 1.5 : 1.0, bold = fine ? 2.0 : 1.0;

    const Sketch::Pen ink{.colour = kInk, .width = thin, .cap = Qt::RoundCap, .smooth = fine};
    for (const QPolygonF& piece : finitePieces(l)) s.add(Sketch::Polyline{piece, ink});
    if (n >= 3 && isFinite(edge(n - 1, 0))) {
        const bool crosses = crossing_[n - 1];
        s.add(Sketch::Lines{{edge(n - 1, 0)},
                            {.colour = crosses ? kFault : kInk,
                             .width = crosses ? bold : thin,
                             .cap = Qt::FlatCap,
                             .dashed = !area_,
                             .smooth = fine}});
    }
    QList<QLineF> faults;
    for (std::size_t i = 0; i + 1 < n; ++i)
        if (crossing_[i] && isFinite(edge(i, i + 1))) faults.append(edge(i, i + 1));
    if (!faults.isEmpty())
        s.add(Sketch::Lines{faults, {.colour = kFault, .width = bold, .cap = Qt::RoundCap, .smooth = fine}});

    if (!l.dots) return;
    QPolygonF dots = pts;  // shared, unless some corner must be left out
    if (!l.allFinite) dots.removeIf([](QPointF p) { return !isFinite(p); });
    s.add(Sketch::Dots{dots, {.colour = kInk, .width = 4.0, .smooth = fine}});
}
