// The points a calculation puts in the book with Ctrl+R: as the screen shows
// them (the record logs the same values), under a name asked for once (the
// screen's origin and the next free count offered: "交点1"), with the next
// free point numbers, in one undo step.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "survey/pointbook.h"

class ResultPoints {
public:
    // The points of the present results, their numbers and names still to
    // be given; none while no result is shown.
    using Points = std::function<std::vector<survey::BookPoint>()>;

    // Ctrl+R on `sheet` registers what `points` gives; `registered` is told
    // when the points went into the book.
    ResultPoints(QWidget* sheet, QString origin, Points points, std::function<void()> registered = {});

    // What Ctrl+R does.
    void registerPoints();

    // A result as the screen shows it, read back from its label.
    static double shown(const QLabel* label);
    // The point shown by two result labels (X, Y); none while they are empty.
    static std::vector<survey::BookPoint> shownPoint(const QLabel* x, const QLabel* y);

    // The name offered for the next registration from `origin`: the origin
    // and one more than the highest count a name of the book gives it.
    static QString nextName(const QString& origin);

private:
    QWidget* sheet_;
    QString origin_;
    Points points_;
    std::function<void()> registered_;
};
