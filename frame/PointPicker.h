// The list of the book's points that F4 opens under a coordinate box: a
// filter line at the top takes what the user types (a number or a name,
// filtered as the book window filters), Up and Down move in the list, Enter
// or a double click chooses, Escape or a click outside closes without
// choosing. A popup, not a modal dialog; an empty book is said so instead of
// being shown as an empty list.
#pragma once

#include <QFrame>
#include <QString>
#include <functional>

#include "survey/pointbook.h"

class BookPointsModel;
class QLabel;
class QLineEdit;
class QTableView;

class PointPicker : public QFrame {
public:
    using Chosen = std::function<void(const survey::BookPoint&)>;

    // Opens the picker under `anchorBox` (above it where the screen has no
    // room below), with `filter` in its filter line. `chosen` gets the point
    // chosen once the picker has closed; it is destroyed on closing.
    static PointPicker* open(QWidget* anchorBox, Chosen chosen, const QString& filter = {});

    QLineEdit* filterLine() const { return filter_; }
    QTableView* list() const { return list_; }
    // Shown instead of the list and the filter line while the book has no points.
    QLabel* emptyNote() const { return empty_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    PointPicker(QWidget* anchorBox, Chosen chosen);
    void place(const QWidget* anchorBox);
    void filterChanged(const QString& text);
    void chooseCurrent();

    Chosen chosen_;
    BookPointsModel* model_;
    QLineEdit* filter_;
    QTableView* list_;
    QLabel* empty_;
};
