// 区画図 on its own, beside a plain window that stands in for 座標面積.
// What it draws is the plan's (parcelplan_test.cpp); here, the window.
#include "screens/area/ParcelDrawing.h"

#include <QFile>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "support/ScreenTest.h"

using survey::Corner;

namespace {

const std::vector<Corner> kSquare{{0, 0}, {0, 10}, {10, 10}, {10, 0}};
const std::vector<Corner> kBowTie{{0, 0}, {10, 10}, {0, 10}, {10, 0}};

class ParcelDrawingTest : public ScreenTest {
protected:
    QWidget* screen = new QWidget;
    区画図* drawing = new 区画図(screen);

    void SetUp() override { screen->setAttribute(Qt::WA_DeleteOnClose); }

    QAbstractItemModel* table() const { return drawing->findChild<QTableView*>()->model(); }
};

// Said anew after every change, for whoever cannot see the drawing.
TEST_F(ParcelDrawingTest, DescribesWhatItShowsAfterEveryChange) {
    drawing->setCorners(kSquare);
    EXPECT_EQ(drawing->accessibleDescription(), QStringLiteral("4 点"));
    drawing->setCorners(kBowTie);
    EXPECT_EQ(drawing->accessibleDescription(), QStringLiteral("4 点、辺が交差しています"));
    drawing->setArea(50);
    EXPECT_EQ(drawing->accessibleDescription(), QStringLiteral("4 点、面積 = 50 ㎡、辺が交差しています"));
    // The list changed: no area for it yet.
    drawing->setCorners(kBowTie);
    EXPECT_EQ(drawing->accessibleDescription(), QStringLiteral("4 点、辺が交差しています"));
    drawing->setCorners({});
    EXPECT_EQ(drawing->accessibleDescription(), QStringLiteral("0 点"));
    EXPECT_EQ(table()->rowCount(), 0);
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

// The screen closed while the drawing is open and painted: the window, its
// canvas and its table go with the screen, in whatever order, and none of
// them reads what another has already freed (scripts/sanitize.sh).
TEST_F(ParcelDrawingTest, ClosingTheScreenWhileTheDrawingIsShown) {
    drawing->setCorners(kBowTie);
    drawing->setArea(50);
    openWindow(screen);
    drawing->showBeside(screen);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(drawing));
    drawing->repaint();
    const QList<QPointer<QObject>> parts{drawing, drawing->findChild<QWidget*>(QStringLiteral("canvas")), table()};
    screen->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const QPointer<QObject>& part : parts) EXPECT_TRUE(part.isNull());
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

}  // namespace
