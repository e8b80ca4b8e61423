// 座標簿: the book of points of the day's work as a window of its own, a
// tool window that stays open while the screens come and go (one at a
// time: showOnce). A filter box over two tabs, the points (editable; Delete
// takes the selected ones out; a double click or Enter hands the point to
// the screen in use) and the parcels. Ctrl+Z and Ctrl+Y undo and redo every
// change to the book, wherever the focus is in the window.
#pragma once

#include <QMainWindow>

#include "survey/pointbook.h"

class BookParcelsModel;
class BookPointsModel;
class QAction;
class QLineEdit;
class QTabWidget;
class QTableView;

class 座標簿 : public QMainWindow {
public:
    explicit 座標簿(QWidget* parent = nullptr);

    QLineEdit* Filter;
    QTabWidget* Tabs;
    QTableView *PointTable, *ParcelTable;
    QAction *OPEN, *SAVE, *SAVEAS, *PASTE, *UNDO, *REDO, *ADD, *DEL, *FIND;

    // The file and the clipboard.
    void openFile();
    void save();
    void saveAs();
    void paste();

private:
    QAction* action(const QString& text, const char* name, const QList<QKeySequence>& keys);
    QTableView* table(const char* name, const QString& accessibleName);
    void filterChanged(const QString& text);
    void removeSelected();
    void chooseCurrentPoint();
    void keepCurrentPoint();
    void restoreCurrentPoint();

    BookPointsModel* points_;
    BookParcelsModel* parcels_;
    // The current point across a reset of the rows: its number, cell and
    // the scrolling; a point gone gives its row to the one after it.
    struct Kept {
        survey::PointNumber number = 0;
        int row = -1, column = 0, scroll = 0;
    } kept_;
    bool filtering_ = false;
};
