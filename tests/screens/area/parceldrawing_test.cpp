// 区画図 on its own, beside a plain window that stands in for 座標面積.
#include "screens/area/ParcelDrawing.h"

#include <QFile>
#include <QImage>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

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

class ParcelDrawingTest : public ScreenTest {
protected:
    QWidget* screen = new QWidget;
    区画図* drawing = new 区画図(screen);

    void SetUp() override { screen->setAttribute(Qt::WA_DeleteOnClose); }

    // How many of the points from 10 % to 90 % of the way between two
    // corners as drawn pass `test`, each by its darkest pixel within one.
    long along(std::size_t a, std::size_t b, bool (*test)(QRgb)) const {
        const QImage image = drawing->image(kSize);
        const QPointF p = drawing->cornerAt(a, kSize), q = drawing->cornerAt(b, kSize);
        long n = 0;
        for (int k = 10; k <= 90; ++k) {
            QRgb darkest = qRgb(255, 255, 255);
            for (int d = 0; d < 9; ++d) {
                const QRgb c = image.pixel((p + (q - p) * (k / 100.0)).toPoint() + QPoint(d % 3 - 1, d / 3 - 1));
                if (qGray(c) < qGray(darkest)) darkest = c;
            }
            n += test(darkest);
        }
        return n;
    }
    QAbstractItemModel* table() const { return drawing->findChild<QTableView*>()->model(); }
};

TEST_F(ParcelDrawingTest, CrossingEdgesAreRedAndNamed) {
    for (const auto& [corners, cross] : {std::pair{kSquare, false}, {kBowTie, true}}) {
        drawing->setCorners(corners);
        EXPECT_EQ(drawing->edgesCross(), cross);
        EXPECT_EQ(drawing->accessibleDescription().contains(QStringLiteral("辺が交差しています")), cross);
        EXPECT_TRUE(drawing->accessibleDescription().startsWith(QStringLiteral("4 点")));
        // Edge 1 crosses edge 3 in the bow tie; edge 2 crosses nothing.
        EXPECT_EQ(along(0, 1, red) > 70, cross);
        EXPECT_EQ(along(1, 2, red), 0);
    }
    drawing->setArea(50);
    EXPECT_EQ(drawing->accessibleDescription(), QStringLiteral("4 点、面積 = 50 ㎡、辺が交差しています"));
}

TEST_F(ParcelDrawingTest, ClosingEdgeDashedUntilTheAreaIsCalculated) {
    drawing->setCorners(kSquare);
    EXPECT_GT(along(3, 0, light), 10);
    EXPECT_EQ(along(2, 3, light), 0);
    drawing->setArea(100);
    EXPECT_EQ(along(3, 0, light), 0);
    // A corner more: no area for the longer list yet.
    drawing->setCorners(std::vector<Corner>{{0, 0}, {0, 10}, {10, 10}, {10, 0}, {5, -5}});
    EXPECT_GT(along(4, 0, light), 10);
    EXPECT_FALSE(drawing->accessibleDescription().contains(QStringLiteral("面積")));
}

TEST_F(ParcelDrawingTest, OneCornerIsAPointTwoASegmentNoneNothing) {
    drawing->setCorners(std::vector<Corner>{{-35000.5, 12000.25}});
    EXPECT_FALSE(light(drawing->image(kSize).pixel(drawing->cornerAt(0, kSize).toPoint())));
    drawing->setCorners(std::vector<Corner>{{-35000.5, 12000.25}, {-35010.5, 12020.25}});
    EXPECT_EQ(along(0, 1, light), 0);

    drawing->setCorners(kBowTie);
    drawing->setArea(0);
    drawing->setCorners({});
    QImage blank(kSize, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_TRUE(drawing->image(kSize) == blank);
    EXPECT_FALSE(drawing->edgesCross());
    EXPECT_EQ(drawing->accessibleDescription(), QStringLiteral("0 点"));
    EXPECT_EQ(table()->rowCount(), 0);
}

TEST_F(ParcelDrawingTest, NumbersWhereTheyHaveRoomNeverOverlapping) {
    std::vector<Corner> ring;
    for (int i = 0; i < 10001; ++i) ring.push_back({25 * std::cos(i / 1591.7), 25 * std::sin(i / 1591.7)});
    for (const std::vector<Corner>& corners : {kSeven, ring}) {
        drawing->setCorners(corners);
        const auto numbers = drawing->numbersAt(kSize);
        // Every number of a small parcel; at least the first and the last.
        EXPECT_EQ(numbers.size() == corners.size(), corners.size() == 7);
        EXPECT_TRUE(std::any_of(numbers.begin(), numbers.end(), [](auto& n) { return n.first == 0; }));
        EXPECT_TRUE(
            std::any_of(numbers.begin(), numbers.end(), [&](auto& n) { return n.first == corners.size() - 1; }));
        for (std::size_t a = 0; a < numbers.size(); ++a) {
            EXPECT_TRUE(QRectF(QPointF(), kSize).contains(numbers[a].second));
            for (std::size_t b = a + 1; b < numbers.size(); ++b)
                EXPECT_FALSE(numbers[a].second.intersects(numbers[b].second)) << a << " " << b;
        }
    }
}

TEST_F(ParcelDrawingTest, TableShowsEveryCornerScrolledToTheLast) {
    std::vector<Corner> corners;
    for (int i = 0; i < 10001; ++i) corners.push_back({i / 4.0, -i * 1.5});
    drawing->showBeside(screen);
    drawing->setCorners(corners);
    for (const auto& [row, texts] :
         {std::pair{2, QStringList{"3", "0.5", "-3"}}, {10000, {"10001", "2500", "-15000"}}}) {
        QStringList shown;
        for (int column = 0; column < 3; ++column) shown << table()->index(row, column).data().toString();
        EXPECT_EQ(shown, texts);
    }
    const QTableView* view = drawing->findChild<QTableView*>();
    EXPECT_TRUE(view->viewport()->rect().contains(view->visualRect(table()->index(10000, 0))));
}

// The offscreen platform activates every window it shows: whether the
// drawing leaves the focus to the screen is for a real display.
TEST_F(ParcelDrawingTest, ShownBesideTheScreenAndGoneWithIt) {
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    screen->resize(200, 200);
    drawing->resize(drawing->minimumSizeHint());
    // Room on the right; no room but on the left.
    screen->move(room.left() + 10, room.top() + 10);
    openWindow(screen);
    drawing->showBeside(screen);
    EXPECT_TRUE(drawing->isVisible());
    EXPECT_GT(drawing->x(), screen->frameGeometry().right());
    drawing->hide();
    screen->move(room.right() - 210, room.top() + 10);
    drawing->showBeside(screen);
    EXPECT_LT(drawing->frameGeometry().right(), screen->x());
    // Room on neither side, but for both side by side: the screen makes room.
    drawing->hide();
    screen->move(room.left() + (room.width() - 200) / 2, room.top() + 10);
    drawing->resize(std::max(drawing->width(), room.width() / 2), drawing->height());
    drawing->showBeside(screen);
    EXPECT_GT(drawing->x(), screen->frameGeometry().right());
    EXPECT_LE(drawing->frameGeometry().right(), room.right());

    const QPointer<区画図> alive(drawing);
    delete screen;
    EXPECT_TRUE(alive.isNull());
}

TEST_F(ParcelDrawingTest, SavesPngSvgOrPdfByTheSuffixAndTellsWhenItCannot) {
    drawing->setCorners(kBowTie);
    QTemporaryDir dir;
    // Each kind's mark near the start: the PNG signature, the SVG element
    // after the XML declaration, the PDF header.
    for (const auto& [name, mark] : {std::pair{QStringLiteral("区画図.png"), QByteArray("\x89PNG\r\n\x1a\n")},
                                     {QStringLiteral("区画図.SVG"), "<svg"},
                                     {QStringLiteral("区画図.pdf"), "%PDF-"}}) {
        EXPECT_TRUE(drawing->save(dir.filePath(name))) << name.toStdString();
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(64).contains(mark)) << name.toStdString();
    }
    EXPECT_TRUE(boxes.boxes().isEmpty());

    for (const QString& name : {dir.filePath("無いフォルダ/区画図.png"), dir.filePath("区画図.jpg")}) {
        boxes.reset();
        EXPECT_FALSE(drawing->save(name));
        ASSERT_EQ(boxes.boxes().size(), 1);
        EXPECT_TRUE(boxes.boxes()[0].prompt.contains(QDir::toNativeSeparators(name)));
        EXPECT_EQ(boxes.boxes()[0].style, Module1::Critical);
    }
}

// Read back: the outline through the corners as drawn, left off where a
// corner lies beyond the range of a double; the closing edge dashed until
// the area is calculated; the crossing edges red; the numbers with room, the
// area and the warning as text.
TEST_F(ParcelDrawingTest, SvgHoldsTheOutlineTheEdgesAndTheTexts) {
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
        drawing->setCorners(row.corners);
        if (row.area) drawing->setArea(*row.area);
        ASSERT_TRUE(drawing->save(path));
        const std::vector<SvgElement> svg = readSvg(path);
        ASSERT_FALSE(svg.empty());
        const QSize size(svg[0].attributes.value("width").toInt(), svg[0].attributes.value("height").toInt());
        const std::size_t n = row.corners.size();
        auto near = [](QPointF a, QPointF b) { return QLineF(a, b).length() < 0.01; };
        auto edgeOf = [&](const QPolygonF& ends) {
            for (std::size_t k = 0; k < n; ++k) {
                if (near(ends[0], drawing->cornerAt(k, size)) && near(ends[1], drawing->cornerAt((k + 1) % n, size)))
                    return k;
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
                EXPECT_EQ(e.text, drawing->windowTitle());
            }
            if (e.name == u"desc") {
                EXPECT_EQ(e.text, drawing->accessibleDescription());
            }
            const std::size_t edge = e.name == u"line" ? edgeOf(e.points) : n;
            if (edge < n && red(QColor(e.attributes.value("stroke").toString()).rgb())) reds.push_back(edge);
            if (edge == n - 1) closingDashed = e.attributes.hasAttribute("stroke-dasharray");
        }
        for (std::size_t i = 0; i < n; ++i)
            if (const QPointF p = drawing->cornerAt(i, size); finite(p)) corners << p;
        ASSERT_EQ(outline.size(), corners.size());
        for (qsizetype i = 0; i < corners.size(); ++i) EXPECT_TRUE(near(outline[i], corners[i])) << i;
        EXPECT_EQ(closingDashed, !row.area);
        std::sort(reds.begin(), reds.end());
        EXPECT_EQ(reds, row.redEdges);
        for (const auto& [i, place] : drawing->numbersAt(size))
            EXPECT_TRUE(texts.contains(QString::number(i + 1))) << i;
        // The area and the warning, as the description names them.
        for (const QString& part : drawing->accessibleDescription().split(QStringLiteral("、")).mid(1))
            EXPECT_TRUE(texts.contains(part)) << part.toStdString();
    }
}

}  // namespace
