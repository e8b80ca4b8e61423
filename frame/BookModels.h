// The book as tables for the views: its points in five columns 点番, 点名,
// X, Y, Z, always in the order of their numbers and editable, and its
// parcels in four, read only. Both show the rows that a filter lets through.
// Made for books of a hundred thousand points: a filter finds its rows
// without making a text of any point, the rows it finds are kept as runs of
// consecutive points, and a table makes the texts of the rows on screen only.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "frame/BookFilter.h"
#include "survey/pointbook.h"

class Book;

class BookPointsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Number, Name, X, Y, Z };
    static constexpr int kColumns = 5;

    explicit BookPointsModel(Book& book, QObject* parent = nullptr);

    // Shows the points that `text` lets through (BookFilter).
    void setFilter(const QString& text);
    const QString& filter() const { return filterText_; }

    // The point shown in row `row` (0 to rowCount() - 1).
    const survey::BookPoint& point(int row) const;
    // The row that shows point `number`, or -1.
    int rowOf(survey::PointNumber number) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edit becomes a change of the book. A text that is not a number
    // where one is wanted, or a number that is taken, leaves the cell as it
    // was; the user is told once the edit is over, and asked whether to
    // replace the point of that number.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    int bookIndex(int row) const;
    void findRows();
    void followEdit(survey::PointNumber number);

    Book& book_;
    QString filterText_;
    BookFilter filter_;
    std::vector<BookFilter::Run> runs_;
    std::vector<int> starts_;  // the row of each run's first point
    int rows_ = 0;
};

class BookParcelsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Number, Name, Count, Corners };
    static constexpr int kColumns = 4;
    // The corners written out in a row; the rest are left to 点数.
    static constexpr std::size_t kCornersShown = 100;

    explicit BookParcelsModel(Book& book, QObject* parent = nullptr);

    void setFilter(const QString& text);
    // The position in the book of the parcel shown in row `row`.
    std::size_t parcelIndex(int row) const { return rows_[std::size_t(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void findRows();

    Book& book_;
    BookFilter filter_;
    std::vector<std::size_t> rows_;
};
