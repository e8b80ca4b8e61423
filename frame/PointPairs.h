// The coordinate pairs of a calculation: the X box and the Y box of each
// point it reads. F4 in either box opens the book's points under it; the
// point chosen fills both boxes, and the focus goes on to the box after the
// pair. A point chosen in the book window fills the pair whose box had the
// focus last, on the screen used last.
#pragma once

#include <QLineEdit>
#include <QObject>
#include <initializer_list>
#include <utility>
#include <vector>

#include "survey/pointbook.h"

class PointPairs : public QObject {
public:
    using Pair = std::pair<QLineEdit*, QLineEdit*>;  // X, Y

    // The pairs of a calculation whose controls live on `sheet`.
    PointPairs(QWidget* sheet, std::initializer_list<Pair> pairs);

    // Fills the pair whose box had the focus last, on the screen used last;
    // nothing when no pair has had the focus yet.
    static void fillLast(const survey::BookPoint& point);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The pair a box belongs to, or -1.
    int pairOf(const QObject* box) const;
    void fill(int pair, const survey::BookPoint& point) const;

    std::vector<Pair> pairs_;
    int lastPair_ = -1;
};
