#include "screens/area/ParcelDrawing.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "frame/Module1.h"
#include "screens/area/Sketch.h"
#include "survey/arith.h"
#include "survey/outline.h"

namespace {

const QColor kPaper(Qt::white);
const QColor kInk(32, 32, 32);
const QColor kFault(210, 0, 0);

QString title() { return QStringLiteral("区画図"); }
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

// The longest of 1, 2 and 5 x 10^k metres that is not longer than `metres`.
double roundLength(double metres) {
    const double power = std::pow(10.0, std::floor(std::log10(metres)));
    for (const double m : {5.0, 2.0}) {
        if (m * power <= metres) return m * power;
    }
    return power;
}

// The widget's font at its pixel size, so that the text keeps its size
// against the drawing on any device (an image, a PDF page, the screen).
QFont drawingFont(const QFont& base) {
    QFont font(base);
    font.setPixelSize(std::max(QFontInfo(base).pixelSize(), 8));
    return font;
}

}  // namespace

// ---- The drawing ----------------------------------------------------------------

struct 区画図::Plan {
    std::vector<survey::Corner> corners;
    std::vector<bool> crossing;  // per edge; the last edge closes the outline
    bool anyCrossing = false;
    std::optional<double> area;

    // Where everything goes at one size; kept until the size or the corners
    // change, so that a repaint only draws.
    struct Layout {
        QSize size;
        int fontPixels = 0;
        double scale = 0;     // pixels per metre; 0 while the corners have no extent
        QRectF numbersMayGo;  // between the text at the top and the scale bar
        QPolygonF points;     // every corner; not finite where the corner is not
        bool allFinite = true;
        bool dots = true;                                     // whether the corners stand far enough apart to be marked
        std::vector<std::pair<std::size_t, QRectF>> numbers;  // corner, where its number goes
    };
    mutable std::optional<Layout> layout;

    void set(std::span<const survey::Corner> list) {
        corners.assign(list.begin(), list.end());
        crossing.assign(corners.size(), false);
        const std::vector<std::size_t> edges = survey::crossingEdges(corners);
        for (const std::size_t e : edges) crossing[e] = true;
        anyCrossing = !edges.empty();
        area.reset();
        layout.reset();
    }

    // The font is sized in pixels, so its metrics are the same on every device.
    const Layout& laidOut(QSize size, const QFont& font) const {
        if (layout && layout->size == size && layout->fontPixels == font.pixelSize()) return *layout;
        const QFontMetricsF fm(font);
        Layout l;
        l.size = size;
        l.fontPixels = font.pixelSize();
        const double line = fm.height();
        double digit = 0;
        for (char c = '0'; c <= '9'; ++c) digit = std::max(digit, fm.horizontalAdvance(QChar(c)));
        // Text lines and the north arrow above, the scale bar below, room for
        // a number beside every corner.
        l.numbersMayGo = QRectF(0, 3 * line, size.width(), size.height() - 5 * line);
        const double side = digit * digitCount(std::max<std::size_t>(corners.size(), 1)) + 8;
        const QRectF field = l.numbersMayGo.adjusted(side, line + 4, -side, -(line + 4));

        // Bounds of the corners that are numbers at all.
        double minX = HUGE_VAL, maxX = -HUGE_VAL, minY = HUGE_VAL, maxY = -HUGE_VAL;
        for (const survey::Corner& c : corners) {
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
        l.points.reserve(qsizetype(corners.size()));
        for (const survey::Corner& c : corners) {
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
        l.dots = corners.size() < 3 || drawn >= 8.0 * double(corners.size() - 1);
        placeNumbers(l, fm, digit);
        layout = std::move(l);
        return *layout;
    }

    // Greedy: corner 1, the last corner, then the rest in order, each number
    // in the first free one of four places around its corner, tried from the
    // one that points out of the corner, away from its two edges. A grid of
    // cells half a line high records what is taken; a number takes every
    // cell it touches, with some air on either side, so two numbers never
    // overlap or run together.
    static void placeNumbers(Layout& l, const QFontMetricsF& fm, double digit) {
        const QPolygonF& pts = l.points;
        const std::size_t n = std::size_t(pts.size());
        const QRectF room = l.numbersMayGo;
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
                l.numbers.emplace_back(i, r);
                return;
            }
        };
        if (n == 0) return;
        tryPlace(0);
        if (n > 1) tryPlace(n - 1);
        for (std::size_t i = 1; i + 1 < n; ++i) tryPlace(i);
    }

    // Everything the drawing consists of at one size, in the order it is
    // drawn; the screen, the PNG, the PDF and the SVG are made from it.
    Sketch sketch(QSize size, const QFont& font) const {
        Sketch s{.size = size, .paper = kPaper, .font = font};
        if (corners.empty()) return s;
        const QFontMetricsF fm(font);
        const Layout& l = laidOut(size, font);
        outline(s, l);

        // The numbers that have room; area and warning at the top left, north
        // arrow at the top right, scale bar at the bottom left.
        for (const auto& [i, r] : l.numbers)
            s.add(Sketch::Text{r.topLeft() + QPointF(0, fm.ascent()), numberText(double(i + 1)), kInk});
        const double line = fm.height(), pad = std::round(line / 2);
        if (area) s.add(Sketch::Text{QPointF(pad, pad + fm.ascent()), areaText(*area), kInk});
        if (anyCrossing) s.add(Sketch::Text{QPointF(pad, pad + line + fm.ascent()), crossingText(), kFault});
        northArrow(s, fm, QPointF(size.width() - pad - line, pad));
        if (l.scale > 0) scaleBar(s, fm, l, QPointF(pad, size.height() - pad));
        return s;
    }

    // The outline up to the last corner in one stroke (in pieces only around
    // a corner beyond the range of a double), then the closing edge, then the
    // edges that cross over them in red, then the corners. A long outline
    // takes one-pixel lines without smoothing, which the painter draws many
    // times faster; at that density nobody sees the difference.
    void outline(Sketch& s, const Layout& l) const {
        const QPolygonF& pts = l.points;
        const std::size_t n = corners.size();
        auto edge = [&](std::size_t a, std::size_t b) { return QLineF(pts[qsizetype(a)], pts[qsizetype(b)]); };
        const bool fine = n <= 1000;
        const double thin = fine ? 1.5 : 1.0, bold = fine ? 2.0 : 1.0;

        const Sketch::Pen ink{.colour = kInk, .width = thin, .cap = Qt::RoundCap, .smooth = fine};
        for (const QPolygonF& piece : finitePieces(l)) s.add(Sketch::Polyline{piece, ink});
        if (n >= 3 && isFinite(edge(n - 1, 0))) {
            const bool crosses = crossing[n - 1];
            s.add(Sketch::Lines{{edge(n - 1, 0)},
                                {.colour = crosses ? kFault : kInk,
                                 .width = crosses ? bold : thin,
                                 .cap = Qt::FlatCap,
                                 .dashed = !area,
                                 .smooth = fine}});
        }
        QList<QLineF> faults;
        for (std::size_t i = 0; i + 1 < n; ++i)
            if (crossing[i] && isFinite(edge(i, i + 1))) faults.append(edge(i, i + 1));
        if (!faults.isEmpty())
            s.add(Sketch::Lines{faults, {.colour = kFault, .width = bold, .cap = Qt::RoundCap, .smooth = fine}});

        if (!l.dots) return;
        QPolygonF dots = pts;  // shared, unless some corner must be left out
        if (!l.allFinite) dots.removeIf([](QPointF p) { return !isFinite(p); });
        s.add(Sketch::Dots{dots, {.colour = kInk, .width = 4.0, .smooth = fine}});
    }

    // The outline from the first corner to the last as runs of finite points;
    // the points themselves, not a copy, while every corner is finite.
    static std::vector<QPolygonF> finitePieces(const Layout& l) {
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
    static void northArrow(Sketch& s, const QFontMetricsF& fm, QPointF at) {
        const double line = fm.height();
        const double x = at.x() - line / 2;
        const QString north = QStringLiteral("N");
        const QRectF letter = fm.boundingRect(QRectF(x - line / 2, at.y(), line, line), Qt::AlignCenter, north);
        s.add(Sketch::Text{QPointF(letter.left(), letter.top() + fm.ascent()), north, kInk});
        const double tip = at.y() + line, foot = at.y() + 2.4 * line;
        s.add(Sketch::Lines{{QLineF(x, tip + line / 3, x, foot)}, {.colour = kInk, .width = 1.5}});
        s.add(
            Sketch::Filled{QPolygonF{{x, tip}, {x - line / 4, tip + line / 2}, {x + line / 4, tip + line / 2}}, kInk});
    }

    // A round length, at most a third of the width, with ticks at its ends and
    // its length in metres; `at` is its bottom left.
    static void scaleBar(Sketch& s, const QFontMetricsF& fm, const Layout& l, QPointF at) {
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
};

class 区画図::Canvas : public QWidget {
public:
    Canvas(const Plan& plan, QWidget* parent) : QWidget(parent), plan_(plan) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(200, 160);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        plan_.sketch(size(), drawingFont(font())).paint(p);
    }

private:
    const Plan& plan_;
};

// ---- The table ------------------------------------------------------------------

class 区画図::Table : public QAbstractTableModel {
public:
    Table(const std::vector<survey::Corner>& corners, QObject* parent)
        : QAbstractTableModel(parent), corners_(corners) {}

    template <class Change>
    void change(Change change) {
        beginResetModel();
        change();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(corners_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole) return {};
        const survey::Corner& c = corners_[std::size_t(index.row())];
        const double values[] = {double(index.row() + 1), c.x, c.y};
        return numberText(values[index.column()]);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return QStringList{QStringLiteral("番号"), QStringLiteral("X"), QStringLiteral("Y")}.value(section);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    const std::vector<survey::Corner>& corners_;
};

// ---- The window -------------------------------------------------------------------

区画図::区画図(QWidget* screen) : QWidget(screen, Qt::Tool), plan_(std::make_unique<Plan>()) {
    setObjectName(title());
    setWindowTitle(title());
    setAccessibleName(title());

    canvas_ = new Canvas(*plan_, this);
    canvas_->setObjectName(QStringLiteral("canvas"));
    canvas_->setAccessibleName(QStringLiteral("区画の図"));
    table_ = new Table(plan_->corners, this);
    view_ = new QTableView(this);
    view_->setModel(table_);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setAccessibleName(QStringLiteral("入力した点"));
    // Rows of one height, columns of fixed widths: nothing is measured over
    // all the rows, so ten thousand of them cost no more than ten.
    const QFontMetrics fm = view_->fontMetrics();
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(fm.height() + 6);
    const int numberWidth = fm.horizontalAdvance(QStringLiteral("00000")) + 16;
    const int coordinateWidth = fm.horizontalAdvance(QStringLiteral("-000000.000")) + 16;
    view_->setColumnWidth(0, numberWidth);
    view_->setColumnWidth(1, coordinateWidth);
    view_->setColumnWidth(2, coordinateWidth);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->setMinimumWidth(numberWidth + 2 * coordinateWidth + style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                           2 * view_->frameWidth());
    view_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);

    const QString saveCaption = QStringLiteral("画像として保存…");
    auto* saveButton = new QPushButton(saveCaption, this);
    QObject::connect(saveButton, &QPushButton::clicked, this, [this] { saveAs(); });
    auto* saveAction = new QAction(saveCaption, canvas_);
    QObject::connect(saveAction, &QAction::triggered, this, [this] { saveAs(); });
    canvas_->addAction(saveAction);
    canvas_->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* side = new QVBoxLayout;
    side->addWidget(view_);
    side->addWidget(saveButton);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(canvas_, 1);
    layout->addLayout(side);
    resize(720, 480);
    describe();
}

区画図::~区画図() = default;

void 区画図::setCorners(std::span<const survey::Corner> corners) {
    table_->change([&] { plan_->set(corners); });
    view_->scrollToBottom();
    canvas_->update();
    describe();
}

void 区画図::setArea(double area) {
    plan_->area = area;
    canvas_->update();
    describe();
}

bool 区画図::edgesCross() const { return plan_->anyCrossing; }

void 区画図::describe() {
    QStringList parts{QString::number(plan_->corners.size()) + QStringLiteral(" 点")};
    if (plan_->area) parts << areaText(*plan_->area);
    if (plan_->anyCrossing) parts << crossingText();
    setAccessibleDescription(parts.join(QStringLiteral("、")));
}

QImage 区画図::image(QSize size) const {
    QImage out(size, QImage::Format_RGB32);
    QPainter p(&out);
    plan_->sketch(size, drawingFont(canvas_->font())).paint(p);
    return out;
}

QPointF 区画図::cornerAt(std::size_t index, QSize size) const {
    return plan_->laidOut(size, drawingFont(canvas_->font())).points.value(qsizetype(index));
}

std::vector<std::pair<std::size_t, QRectF>> 区画図::numbersAt(QSize size) const {
    return plan_->laidOut(size, drawingFont(canvas_->font())).numbers;
}

// The size on screen, or a usual one while the window has not been laid out.
QSize 区画図::savedSize() const {
    const QSize shown = canvas_->size();
    return shown.width() >= 200 && shown.height() >= 160 && canvas_->isVisible() ? shown : QSize(800, 600);
}

bool 区画図::save(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QString name = QDir::toNativeSeparators(path);
    const QSize size = savedSize();
    const QFont font = drawingFont(canvas_->font());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool drawn = false;
    if (suffix == QStringLiteral("png")) {
        // Twice the pixels, for print.
        QImage out(size * 2, QImage::Format_RGB32);
        out.setDevicePixelRatio(2);
        {
            QPainter p(&out);
            plan_->sketch(size, font).paint(p);
        }
        drawn = out.save(&buffer, "PNG");
    } else if (suffix == QStringLiteral("svg")) {
        drawn = buffer.write(plan_->sketch(size, font).svg(title(), accessibleDescription())) > 0;
    } else if (suffix == QStringLiteral("pdf")) {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(title());
        pdf.setCreator(QStringLiteral("Tarnel"));
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setResolution(96);
        QPainter p;
        drawn = p.begin(&pdf);
        if (drawn) plan_->sketch(QSize(pdf.width(), pdf.height()), font).paint(p);
    } else {
        Module1::ShowFailure(
            QStringLiteral("「%1」には保存できません。ファイル名の拡張子を .png、.svg、.pdf のいずれかにしてください。")
                .arg(name),
            title());
        return false;
    }
    // The painters have finished here; the file is replaced whole or not at all.
    QSaveFile file(path);
    if (drawn && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return true;
    Module1::ShowFailure(QStringLiteral("区画図をファイル「%1」に保存できませんでした。").arg(name), title());
    return false;
}

void 区画図::saveAs() {
    const QString png = QStringLiteral("PNG 画像 (*.png)"), svg = QStringLiteral("SVG 画像 (*.svg)"),
                  pdf = QStringLiteral("PDF 文書 (*.pdf)");
    QString chosen = png;
    const QString start =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)).filePath(title() + ".png");
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("画像として保存"), start,
                                                QStringList{png, svg, pdf}.join(QStringLiteral(";;")), &chosen);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += chosen == svg ? ".svg" : chosen == pdf ? ".pdf" : ".png";
    save(path);
}

void 区画図::showBeside(QWidget* screen) {
    const int gap = 8;
    if (const QScreen* display = screen->screen()) {
        // Where the two fit side by side only with the screen moved over
        // (a centred screen on a small display), the screen makes room.
        const QRect room = display->availableGeometry(), at = screen->frameGeometry();
        const int right = room.right() - at.right() - gap, left = at.left() - room.left();
        const int wide = frameGeometry().width();
        if (wide > right && wide > left && wide <= right + left)
            screen->move(screen->x() - (wide - right), screen->y());
    }
    const QRect beside = screen->frameGeometry();
    int x = beside.right() + 1 + gap, y = beside.top();
    if (const QScreen* display = screen->screen()) {
        const QRect room = display->availableGeometry();
        const int right = room.right() - beside.right() - gap, left = beside.left() - room.left() - gap;
        // Neither side takes the window whole: the wider side, the window narrower.
        if (width() > right && width() > left)
            resize(std::max(minimumSizeHint().width(), std::max(left, right)), height());
        if (width() > right && left > right) x = beside.left() - gap - width();
        x = std::clamp(x, room.left(), std::max(room.left(), room.right() + 1 - width()));
        y = std::clamp(y, room.top(), std::max(room.top(), room.bottom() + 1 - height()));
    }
    move(x, y);
    setAttribute(Qt::WA_ShowWithoutActivating);
    show();
}
