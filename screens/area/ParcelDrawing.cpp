#include "screens/area/ParcelDrawing.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "frame/Placement.h"
#include "screens/area/CornerTableModel.h"
#include "screens/area/DrawingExport.h"
#include "screens/area/ParcelPlan.h"

// The plan at the canvas's size, in its font; the layout is kept by the
// plan, so that a repaint only draws.
class 区画図::Canvas : public QWidget {
public:
    Canvas(QSharedPointer<const ParcelPlan> plan, QWidget* parent) : QWidget(parent), plan_(std::move(plan)) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(200, 160);
    }

    QFont drawingFont() const { return ParcelPlan::pixelFont(font()); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        plan_->sketch(size(), drawingFont()).paint(p);
    }

private:
    QSharedPointer<const ParcelPlan> plan_;
};

区画図::区画図(QWidget* screen) : QWidget(screen, Qt::Tool), plan_(QSharedPointer<ParcelPlan>::create()) {
    setObjectName(ParcelPlan::title());
    setWindowTitle(ParcelPlan::title());
    setAccessibleName(ParcelPlan::title());

    canvas_ = new Canvas(plan_, this);
    canvas_->setObjectName(QStringLiteral("canvas"));
    canvas_->setAccessibleName(QStringLiteral("区画の図"));
    corners_ = new CornerTableModel(plan_, this);
    view_ = new QTableView(this);
    view_->setModel(corners_);
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
    QObject::connect(saveButton, &QPushButton::clicked, this, &区画図::saveAs);
    auto* saveAction = new QAction(saveCaption, canvas_);
    QObject::connect(saveAction, &QAction::triggered, this, &区画図::saveAs);
    canvas_->addAction(saveAction);
    canvas_->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* side = new QVBoxLayout;
    side->addWidget(view_);
    side->addWidget(saveButton);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(canvas_, 1);
    layout->addLayout(side);
    resize(720, 480);
    changed();
}

区画図::~区画図() = default;

void 区画図::setCorners(std::span<const survey::Corner> corners) {
    corners_->reset([&] { plan_->setCorners(corners); });
    view_->scrollToBottom();
    changed();
}

void 区画図::setArea(double area) {
    plan_->setArea(area);
    changed();
}

// The plan changed: the canvas draws it anew, and the description says it.
void 区画図::changed() {
    canvas_->update();
    setAccessibleDescription(plan_->description());
}

// The size on screen, or a usual one while the window has not been laid out.
QSize 区画図::savedSize() const {
    const QSize shown = canvas_->size();
    return shown.width() >= 200 && shown.height() >= 160 && canvas_->isVisible() ? shown : QSize(800, 600);
}

bool 区画図::save(const QString& path) { return DrawingExport(*plan_, savedSize(), canvas_->drawingFont()).save(path); }

void 区画図::saveAs() {
    if (const QString path = DrawingExport::askPath(); !path.isEmpty()) save(path);
}

void 区画図::showBeside(QWidget* screen) {
    placeBeside(this, screen);
    setAttribute(Qt::WA_ShowWithoutActivating);
    show();
}
