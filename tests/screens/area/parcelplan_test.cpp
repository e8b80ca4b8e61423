// The plan of 区画図 with no window: where the corners and their numbers
// land at a size, what its sketch paints, and what the SVG it is saved as
// holds.
#include "screens/area/ParcelPlan.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "screens/area/DrawingExport.h"
#include "support/ScreenTest.h"

using survey::Corner;

namespace {

const std::vector<Corner> kSquare{{0, 0}, {0, 10}, {10, 10}, {10, 0}};
const std::vector<Corner> kBowTie{{0, 0}, {10, 10}, {0, 10}, {10, 0}};
// A parcel with corners 3 and 4 entered the wrong way round.
const std::vector<Corner> kSeven{{-34980.0, 12000.0}, {-34978.5, 12018.2}, {-35004.8, 12021.9}, {-34990.3, 12026.7},
                                 {-35008.2, 12008.4}, {-35001.1, 11996.3}, {-34990.6, 11994.8}};
const QSize kSize(600, 600);

bool light(QRgb c) { return qGray(c) > 200; }
bool red(QRgb c) { return qRed(c) > 150 && qGreen(c) < 100 && qBlue(c) < 100; }
bool finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// An element of an SVG file as read back, with the points it is drawn
// through (its points, its ends, its centre or where its text starts).
struct SvgElement {
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
    QPolygonF points;
};

QPolygonF pointsOf(const SvgElement& e) {
    auto at = [&](const char* x, const char* y) {
        return QPointF(e.attributes.value(x).toDouble(), e.attributes.value(y).toDouble());
    };
    QPolygonF points;
    for (const QString& xy : e.attributes.value("points").toString().split(u' ', Qt::SkipEmptyParts))
        points << QPointF(xy.section(u',', 0, 0).toDouble(), xy.section(u',', 1, 1).toDouble());
    if (e.name == u"line") points << at("x1", "y1") << at("x2", "y2");
    if (e.name == u"circle") points << at("cx", "cy");
    if (e.name == u"text") points << at("x", "y");
    return points;
}

std::vector<SvgElement> readSvg(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    std::vector<SvgElement> elements;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        EXPECT_EQ(xml.namespaceUri(), u"http://www.w3.org/2000/svg");
        SvgElement& e = elements.emplace_back(SvgElement{xml.name().toString(), xml.attributes(), {}, {}});
        if (e.name == u"text" || e.name == u"title" || e.name == u"desc") e.text = xml.readElementText();
        e.points = pointsOf(e);
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return elements;
}

// One plan through each test, so that every change of it must reach the
// layout it keeps.
class ParcelPlanTest : public ScreenTest {
protected:
    ParcelPlan plan;
    QFont font = ParcelPlan::pixelFont(QApplication::font());

    QImage image() const {
        QImage out(kSize, QImage::Format_RGB32);
        QPainter p(&out);
        plan.sketch(kSize, font).paint(p);
        return out;
    }
    QPointF cornerAt(std::size_t index, QSize size = kSize) const {
        return plan.layout(size, font).points.value(qsizetype(index));
    }
    // How many of the points from 10 % to 90 % of the way between two
    // corners as drawn pass `test`, each by its darkest pixel within one.
    long along(std::size_t a, std::size_t b, bool (*test)(QRgb)) const {
        const QImage drawn = image();
        const QPointF p = cornerAt(a), q = cornerAt(b);
        long n = 0;
        for (int k = 10; k <= 90; ++k) {
            QRgb darkest = qRgb(255, 255, 255);
            for (int d = 0; d < 9; ++d) {
                const QRgb c = drawn.pixel((p + (q - p) * (k / 100.0)).toPoint() + QPoint(d % 3 - 1, d / 3 - 1));
                if (qGray(c) < qGray(darkest)) darkest = c;
            }
            n += test(darkest);
        }
        return n;
    }
};

// As on a map: X up, Y to the right, one scale for both, in the middle of
// the room the numbers leave; laid out anew for another size or font.
TEST_F(ParcelPlanTest, LaidOutAsOnAMapAtTheSizeAndFontAsked) {
    plan.setCorners(kSquare);
    std::vector<double> scales;
    for (const auto& [size, pixels] :
         {std::pair{kSize, 12}, {kSize, 30}, {QSize(800, 300), 12}, {QSize(300, 800), 12}}) {
        font.setPixelSize(pixels);
        const ParcelPlan::Layout& l = plan.layout(size, font);
        EXPECT_GT(l.scale, 0);
        EXPECT_TRUE(l.points[1] - l.points[0] == QPointF(10 * l.scale, 0));
        EXPECT_TRUE(l.points[3] - l.points[0] == QPointF(0, -10 * l.scale));
        EXPECT_TRUE((l.points[0] + l.points[2]) / 2 == l.numbersMayGo.center());
        EXPECT_TRUE(l.numbersMayGo.contains(l.points.boundingRect()));
        scales.push_back(l.scale);
    }
    // Larger text leaves less room for the outline.
    EXPECT_LT(scales[1], scales[0]);
}

TEST_F(ParcelPlanTest, CrossingEdgesAreRed) {
    for (const auto& [corners, cross] : {std::pair{kSquare, false}, {kBowTie, true}}) {
        plan.setCorners(corners);
        EXPECT_EQ(plan.edgesCross(), cross);
        // Edge 1 crosses edge 3 in the bow tie; edge 2 crosses nothing.
        EXPECT_EQ(along(0, 1, red) > 70, cross);
        EXPECT_EQ(along(1, 2, red), 0);
    }
}

TEST_F(ParcelPlanTest, ClosingEdgeDashedUntilTheAreaIsCalculated) {
    plan.setCorners(kSquare);
    EXPECT_GT(along(3, 0, light), 10);
    EXPECT_EQ(along(2, 3, light), 0);
    plan.setArea(100);
    EXPECT_EQ(along(3, 0, light), 0);
    // A corner more: no area for the longer list yet.
    plan.setCorners(std::vector<Corner>{{0, 0}, {0, 10}, {10, 10}, {10, 0}, {5, -5}});
    EXPECT_GT(along(4, 0, light), 10);
}

TEST_F(ParcelPlanTest, OneCornerIsAPointTwoASegmentNoneNothing) {
    plan.setCorners(std::vector<Corner>{{-35000.5, 12000.25}});
    EXPECT_FALSE(light(image().pixel(cornerAt(0).toPoint())));
    plan.setCorners(std::vector<Corner>{{-35000.5, 12000.25}, {-35010.5, 12020.25}});
    EXPECT_EQ(along(0, 1, light), 0);

    plan.setCorners(kBowTie);
    plan.setArea(0);
    plan.setCorners({});
    QImage blank(kSize, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_TRUE(image() == blank);
    EXPECT_FALSE(plan.edgesCross());
}

TEST_F(ParcelPlanTest, NumbersWhereTheyHaveRoomNeverOverlapping) {
    std::vector<Corner> ring;
    for (int i = 0; i < 10001; ++i) ring.push_back({25 * std::cos(i / 1591.7), 25 * std::sin(i / 1591.7)});
    for (const std::vector<Corner>& corners : {kSeven, ring}) {
        plan.setCorners(corners);
        const auto& numbers = plan.layout(kSize, font).numbers;
        // Every number of a small parcel; at least the first and the last.
        EXPECT_EQ(numbers.size() == corners.size(), corners.size() == 7);
        EXPECT_TRUE(std::any_of(numbers.begin(), numbers.end(), [](auto& n) { return n.corner == 0; }));
        EXPECT_TRUE(
            std::any_of(numbers.begin(), numbers.end(), [&](auto& n) { return n.corner == corners.size() - 1; }));
        for (std::size_t a = 0; a < numbers.size(); ++a) {
            EXPECT_TRUE(QRectF(QPointF(), kSize).contains(numbers[a].rect));
            for (std::size_t b = a + 1; b < numbers.size(); ++b)
                EXPECT_FALSE(numbers[a].rect.intersects(numbers[b].rect)) << a << " " << b;
        }
    }
}

// Read back: the outline through the corners as drawn, left off where a
// corner lies beyond the range of a double; the closing edge dashed until
// the area is calculated; the crossing edges red; the numbers with room, the
// area and the warning as text.
TEST_F(ParcelPlanTest, SvgHoldsTheOutlineTheEdgesAndTheTexts) {
    const std::vector<Corner> closingCrosses{{0, 0}, {0, 10}, {10, 0}, {10, 10}};
    const std::vector<Corner> farCorner{{0, 0}, {0, 10}, {HUGE_VAL, 5}, {10, 10}, {10, 5}, {10, 0}};
    struct Row {
        std::vector<Corner> corners;
        std::optional<double> area;
        std::vector<std::size_t> redEdges;
    };
    const Row rows[] = {{kSquare, {}, {}},
                        {kSquare, 100, {}},
                        {kBowTie, 50, {0, 2}},
                        {closingCrosses, {}, {1, 3}},
                        {farCorner, {}, {}}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("区画図.svg"));
    for (const Row& row : rows) {
        plan.setCorners(row.corners);
        if (row.area) plan.setArea(*row.area);
        ASSERT_TRUE(DrawingExport(plan, QSize(800, 600), font).save(path));
        const std::vector<SvgElement> svg = readSvg(path);
        ASSERT_FALSE(svg.empty());
        const QSize size(svg[0].attributes.value("width").toInt(), svg[0].attributes.value("height").toInt());
        const std::size_t n = row.corners.size();
        auto near = [](QPointF a, QPointF b) { return QLineF(a, b).length() < 0.01; };
        auto edgeOf = [&](const QPolygonF& ends) {
            for (std::size_t k = 0; k < n; ++k) {
                if (near(ends[0], cornerAt(k, size)) && near(ends[1], cornerAt((k + 1) % n, size))) return k;
            }
            return n;
        };

        QPolygonF outline, corners;
        std::vector<std::size_t> reds;
        std::optional<bool> closingDashed;
        QStringList texts;
        for (const SvgElement& e : svg) {
            for (const QPointF p : e.points) EXPECT_TRUE(finite(p)) << e.name.toStdString();
            if (e.name == u"polyline") outline += e.points;
            if (e.name == u"text") texts << e.text;
            if (e.name == u"title") {
                EXPECT_EQ(e.text, ParcelPlan::title());
            }
            if (e.name == u"desc") {
                EXPECT_EQ(e.text, plan.description());
            }
            const std::size_t edge = e.name == u"line" ? edgeOf(e.points) : n;
            if (edge < n && red(QColor(e.attributes.value("stroke").toString()).rgb())) reds.push_back(edge);
            if (edge == n - 1) closingDashed = e.attributes.hasAttribute("stroke-dasharray");
        }
        for (std::size_t i = 0; i < n; ++i)
            if (const QPointF p = cornerAt(i, size); finite(p)) corners << p;
        ASSERT_EQ(outline.size(), corners.size());
        for (qsizetype i = 0; i < corners.size(); ++i) EXPECT_TRUE(near(outline[i], corners[i])) << i;
        EXPECT_EQ(closingDashed, !row.area);
        std::sort(reds.begin(), reds.end());
        EXPECT_EQ(reds, row.redEdges);
        for (const auto& [i, place] : plan.layout(size, font).numbers)
            EXPECT_TRUE(texts.contains(QString::number(i + 1))) << i;
        // The area and the warning, as the description names them.
        for (const QString& part : plan.description().split(QStringLiteral("、")).mid(1))
            EXPECT_TRUE(texts.contains(part)) << part.toStdString();
    }
}

}  // namespace
