// The book of points of the running program (座標簿): one for every screen
// and window, holding the points and parcels of the day's work, the undo
// steps of every change made to them, and the file it belongs to. Every
// change is one step of its undo stack, named in Japanese for the menus;
// views and screens follow it by its signals.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <cstddef>
#include <optional>
#include <vector>

#include "survey/pointbook.h"

class Book : public QObject {
    Q_OBJECT

public:
    static Book& instance();

    const survey::PointBook& data() const { return book_; }
    const std::vector<survey::BookPoint>& points() const { return book_.points(); }
    const std::vector<survey::BookParcel>& parcels() const { return book_.parcels(); }
    const survey::BookPoint* find(survey::PointNumber number) const { return book_.find(number); }
    QUndoStack* undoStack() { return &undo_; }

    // ---- The file ----
    // The file the book was read from or last written to; empty for a new book.
    const QString& filePath() const { return path_; }
    // Whether the book differs from its file: undoing back to the state
    // last read or saved makes it unchanged again.
    bool isModified() const { return !undo_.isClean(); }
    // The book has just been written to `path`: whole, or (`whole` false:
    // a CSV, without the parcels) only in part, and so still changed.
    void markSaved(const QString& path, bool whole = true);

    // ---- Changes, one undo step each; a change that changes nothing is no step ----
    // Puts the points in, replacing those of the same numbers; of a number
    // given twice the later point wins. A number outside 1 to
    // kMaxPointNumber throws std::invalid_argument before anything changes.
    void putPoints(std::vector<survey::BookPoint> points, const QString& undoText = QStringLiteral("点の登録"));
    // Takes the points of those numbers out; numbers not in the book are
    // passed over. The parcels lose them as corners in the same step, and a
    // parcel left with no corner goes (parcelsUsing tells the caller first).
    void removePoints(const std::vector<survey::PointNumber>& numbers);
    // How many parcels have a point of those numbers as a corner.
    std::size_t parcelsUsing(const std::vector<survey::PointNumber>& numbers) const;
    // Replaces point `number` by `changed`, which may carry another number
    // (the undo step is named by the field that differs); the parcels follow
    // a point to its new number. False, with nothing changed, when there is
    // no point `number`, or when changed.number is another point's and
    // `replacingTaken` is false: the caller asks the user first. A number
    // outside the range throws.
    bool changePoint(survey::PointNumber number, const survey::BookPoint& changed, bool replacingTaken = false);
    void addParcel(survey::BookParcel parcel);
    // False when there is no parcel `index`.
    bool changeParcel(std::size_t index, survey::BookParcel parcel);
    // Takes the parcels at those indexes out; indexes past the end are passed over.
    void removeParcels(std::vector<std::size_t> indexes);
    // The whole book replaced, by a file opened (`path`) or a new book
    // (empty path): undoable, and afterwards the book counts as saved.
    void replaceBook(survey::PointBook book, const QString& path,
                     const QString& undoText = QStringLiteral("座標簿を開く"));
    // An empty new book with no undo steps, as the program starts.
    void reset();

    // The user chose a point in the book window (a double click, Enter).
    void choose(const survey::BookPoint& point) { emit pointChosen(point); }
    // The points selected in the book window, in the table's order, which
    // 座標面積 can take as its corners.
    const std::vector<survey::PointNumber>& selection() const { return selection_; }
    void setSelection(std::vector<survey::PointNumber> numbers) { selection_ = std::move(numbers); }

signals:
    // Points are about to come, go or change numbers, and have done so:
    // the rows are to be found anew.
    void pointsAboutToChange();
    void pointsChanged();
    // The name, X, Y or Z of one point changed; the rows stay as they are.
    void pointEdited(survey::PointNumber number);
    void parcelsAboutToChange();
    void parcelsChanged();
    // After every change of any kind, undo and redo included.
    void changed();
    void modifiedChanged(bool modified);
    void filePathChanged(const QString& path);
    // The frame fills the boxes of the screen in use with the point.
    void pointChosen(const survey::BookPoint& point);

private:
    class PointsStep;
    class ParcelsStep;
    class WholeStep;

    Book();

    // Takes the points `out` (sorted, of numbers in the book) and puts `in`
    // (sorted, unique numbers).
    // One undo step of the points, and of the parcels with them where they
    // change too.
    void pushWithParcels(QUndoCommand* points, std::optional<std::vector<survey::BookParcel>> parcelsAfter);
    void applyPoints(const std::vector<survey::BookPoint>& out, const std::vector<survey::BookPoint>& in);
    void applyParcels(const std::vector<survey::BookParcel>& parcels);
    void applyBook(const survey::PointBook& book, const QString& path);
    void setPath(const QString& path);

    survey::PointBook book_;
    QUndoStack undo_;
    QString path_;
    std::vector<survey::PointNumber> selection_;
};
