#include "frame/PointPairs.h"

#include <QKeyEvent>
#include <QPointer>

#include "frame/Book.h"
#include "frame/PointPicker.h"
#include "survey/arith.h"

namespace {

// The pairs whose box had the focus last, on whichever screen.
QPointer<PointPairs>& lastUsed() {
    static QPointer<PointPairs> pairs;
    return pairs;
}

QString text(double v) { return QString::fromStdString(survey::numberText(v)); }

// The next control the Tab key would go to from `w`.
QWidget* nextStop(QWidget* w) {
    for (QWidget* next = w->nextInFocusChain(); next && next != w; next = next->nextInFocusChain()) {
        if (next->isVisible() && next->isEnabled() && (next->focusPolicy() & Qt::TabFocus)) return next;
    }
    return nullptr;
}

}  // namespace

PointPairs::PointPairs(QWidget* sheet, std::initializer_list<Pair> pairs) : QObject(sheet), pairs_(pairs) {
    for (const Pair& pair : pairs_) {
        pair.first->installEventFilter(this);
        pair.second->installEventFilter(this);
    }
    static const bool followingTheBook = [] {
        QObject::connect(&Book::instance(), &Book::pointChosen, [](const survey::BookPoint& p) { fillLast(p); });
        return true;
    }();
    (void)followingTheBook;
}

void PointPairs::fillLast(const survey::BookPoint& point) {
    if (PointPairs* pairs = lastUsed(); pairs && pairs->lastPair_ >= 0) pairs->fill(pairs->lastPair_, point);
}

int PointPairs::pairOf(const QObject* box) const {
    for (std::size_t i = 0; i < pairs_.size(); ++i)
        if (pairs_[i].first == box || pairs_[i].second == box) return int(i);
    return -1;
}

void PointPairs::fill(int pair, const survey::BookPoint& point) const {
    pairs_[std::size_t(pair)].first->setText(text(point.x));
    pairs_[std::size_t(pair)].second->setText(text(point.y));
}

bool PointPairs::eventFilter(QObject* watched, QEvent* event) {
    const int pair = pairOf(watched);
    if (pair < 0) return false;
    if (event->type() == QEvent::FocusIn) {
        lastPair_ = pair;
        lastUsed() = this;
    } else if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F4 &&
               static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        QPointer<PointPairs> self(this);
        PointPicker::open(static_cast<QWidget*>(watched), [self, pair](const survey::BookPoint& point) {
            if (!self) return;
            self->fill(pair, point);
            if (QWidget* next = nextStop(self->pairs_[std::size_t(pair)].second)) next->setFocus(Qt::TabFocusReason);
        });
        return true;
    }
    return false;
}
