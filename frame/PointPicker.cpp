#include "frame/PointPicker.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "frame/Book.h"
#include "frame/BookModels.h"

namespace {

constexpr int kRowsShown = 12;

}  // namespace

PointPicker* PointPicker::open(QWidget* anchorBox, Chosen chosen, const QString& filter) {
    auto* picker = new PointPicker(anchorBox, std::move(chosen));
    picker->filter_->setText(filter);
    picker->filterChanged(filter);
    picker->place(anchorBox);
    picker->show();
    if (picker->filter_->isVisibleTo(picker)) picker->filter_->setFocus(Qt::PopupFocusReason);
    else picker->setFocus(Qt::PopupFocusReason);
    return picker;
}

PointPicker::PointPicker(QWidget* anchorBox, Chosen chosen)
    : QFrame(anchorBox->window(), Qt::Popup), chosen_(std::move(chosen)) {
    setObjectName(QStringLiteral("PointPicker"));
    setAccessibleName(QStringLiteral("座標簿の点を選ぶ"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    setFocusPolicy(Qt::StrongFocus);

    model_ = new BookPointsModel(Book::instance(), this);
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("PickerFilter"));
    filter_->setAccessibleName(QStringLiteral("点番または点名"));
    filter_->setPlaceholderText(QStringLiteral("点番または点名"));
    filter_->installEventFilter(this);
    QObject::connect(filter_, &QLineEdit::textEdited, this, [this](const QString& text) { filterChanged(text); });

    list_ = new QTableView(this);
    list_->setObjectName(QStringLiteral("PickerList"));
    list_->setAccessibleName(QStringLiteral("座標簿の点"));
    list_->setModel(model_);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    // The typing stays in the filter line while the mouse picks in the list.
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setShowGrid(false);
    list_->setWordWrap(false);
    list_->setColumnHidden(BookPointsModel::Z, true);
    // Rows of one height and columns of fixed widths: nothing is measured
    // over all the rows.
    const QFontMetrics fm = list_->fontMetrics();
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(fm.height() + 4);
    const int numberWidth = fm.horizontalAdvance(QStringLiteral("00000000")) + 12;
    const int nameWidth = fm.horizontalAdvance(QStringLiteral("点名点名点名")) + 12;
    const int coordinateWidth = fm.horizontalAdvance(QStringLiteral("-000000.000")) + 12;
    list_->setColumnWidth(BookPointsModel::Number, numberWidth);
    list_->setColumnWidth(BookPointsModel::Name, nameWidth);
    list_->setColumnWidth(BookPointsModel::X, coordinateWidth);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setFixedSize(
        numberWidth + nameWidth + 2 * coordinateWidth + style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
            2 * list_->frameWidth(),
        list_->horizontalHeader()->sizeHint().height() + kRowsShown * (fm.height() + 4) + 2 * list_->frameWidth());
    QObject::connect(list_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        list_->setCurrentIndex(index);
        chooseCurrent();
    });

    empty_ = new QLabel(QStringLiteral("座標簿に点がありません。"), this);
    empty_->setObjectName(QStringLiteral("PickerEmpty"));
    empty_->setMargin(8);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(filter_);
    layout->addWidget(list_);
    layout->addWidget(empty_);
    const bool none = Book::instance().points().empty();
    filter_->setVisible(!none);
    list_->setVisible(!none);
    empty_->setVisible(none);
    adjustSize();
}

void PointPicker::place(const QWidget* anchorBox) {
    const QPoint below = anchorBox->mapToGlobal(QPoint(0, anchorBox->height()));
    QPoint at = below;
    if (const QScreen* screen = anchorBox->screen()) {
        const QRect room = screen->availableGeometry();
        if (below.y() + height() > room.bottom() + 1) at.setY(anchorBox->mapToGlobal(QPoint(0, 0)).y() - height());
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - width())));
        at.setY(std::max(at.y(), room.top()));
    }
    move(at);
}

void PointPicker::filterChanged(const QString& text) {
    model_->setFilter(text);
    if (model_->rowCount() > 0) list_->setCurrentIndex(model_->index(0, BookPointsModel::Number));
}

void PointPicker::chooseCurrent() {
    const QModelIndex current = list_->currentIndex();
    if (!current.isValid()) return;
    // A copy: whoever is told may change the book.
    const survey::BookPoint point = model_->point(current.row());
    const Chosen chosen = std::move(chosen_);
    close();
    if (chosen) chosen(point);
}

bool PointPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched != filter_ || event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: QApplication::sendEvent(list_, key); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: chooseCurrent(); return true;
        case Qt::Key_Escape: close(); return true;
    }
    return false;
}

void PointPicker::keyPressEvent(QKeyEvent* event) {
    // With an empty book there is nothing to choose: any of these keys closes the note.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) close();
    else QFrame::keyPressEvent(event);
}
