#include "frame/BookModels.h"

#include <QTimer>
#include <algorithm>
#include <optional>

#include "frame/Book.h"
#include "frame/Module1.h"
#include "survey/arith.h"

using survey::BookParcel;
using survey::BookPoint;
using survey::PointNumber;

namespace {

QString shown(double v) { return QString::fromStdString(survey::numberText(v)); }

QString cellText(const BookPoint& p, int column) {
    switch (column) {
        case BookPointsModel::Number: return QString::number(p.number);
        case BookPointsModel::Name: return QString::fromStdString(p.name);
        case BookPointsModel::X: return shown(p.x);
        case BookPointsModel::Y: return shown(p.y);
        case BookPointsModel::Z: return p.z ? shown(*p.z) : QString();
    }
    return {};
}

const QString& bookTitle() {
    static const QString title = QStringLiteral("座標簿");
    return title;
}

}  // namespace

// ---- BookPointsModel ----

BookPointsModel::BookPointsModel(Book& book, QObject* parent) : QAbstractTableModel(parent), book_(book) {
    findRows();
    connect(&book_, &Book::pointsAboutToChange, this, [this] { beginResetModel(); });
    connect(&book_, &Book::pointsChanged, this, [this] {
        findRows();
        endResetModel();
    });
    connect(&book_, &Book::pointEdited, this, &BookPointsModel::followEdit);
}

void BookPointsModel::setFilter(const QString& text) {
    if (text == filterText_) return;
    beginResetModel();
    filterText_ = text;
    filter_ = BookFilter(text);
    findRows();
    endResetModel();
}

void BookPointsModel::findRows() {
    runs_ = filter_.runs(book_.points());
    starts_.clear();
    rows_ = 0;
    for (const BookFilter::Run& run : runs_) {
        starts_.push_back(rows_);
        rows_ += run.count;
    }
}

int BookPointsModel::bookIndex(int row) const {
    const std::size_t run = std::size_t(std::upper_bound(starts_.begin(), starts_.end(), row) - starts_.begin()) - 1;
    return runs_[run].first + (row - starts_[run]);
}

const BookPoint& BookPointsModel::point(int row) const { return book_.points()[std::size_t(bookIndex(row))]; }

int BookPointsModel::rowOf(PointNumber number) const {
    const auto& points = book_.points();
    const auto at = std::lower_bound(points.begin(), points.end(), number,
                                     [](const BookPoint& p, PointNumber n) { return p.number < n; });
    if (at == points.end() || at->number != number) return -1;
    const int index = int(at - points.begin());
    const auto run = std::upper_bound(runs_.begin(), runs_.end(), index,
                                      [](int i, const BookFilter::Run& r) { return i < r.first; });
    if (run == runs_.begin()) return -1;
    const std::size_t k = std::size_t(run - runs_.begin()) - 1;
    return index < runs_[k].first + runs_[k].count ? starts_[k] + (index - runs_[k].first) : -1;
}

void BookPointsModel::followEdit(PointNumber number) {
    // The row stays even when its new name no longer passes the filter:
    // rows do not vanish under the user's hand; the next filter finds it out.
    if (const int row = rowOf(number); row >= 0) emit dataChanged(index(row, 0), index(row, kColumns - 1));
}

int BookPointsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int BookPointsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant BookPointsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return cellText(point(index.row()), index.column());
        case Qt::TextAlignmentRole:
            return int((index.column() == Name ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    }
    return {};
}

QVariant BookPointsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QStringList{QStringLiteral("点番"), QStringLiteral("点名"), QStringLiteral("X"), QStringLiteral("Y"),
                           QStringLiteral("Z")}
            .value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags BookPointsModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | (index.isValid() ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

bool BookPointsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid()) return false;
    const BookPoint& old = point(index.row());
    const QString text = value.toString();
    // The text as shown stands for the value kept, all its digits.
    if (text == cellText(old, index.column())) return false;
    // The boxes wait until the editor has closed: a box over an open editor
    // would take its focus and have it commit once more.
    auto later = [this](auto tell) { QTimer::singleShot(0, this, tell); };
    auto refuse = [&later] {
        later([] { Module1::ShowInputError(); });
        return false;
    };

    BookPoint changed = old;
    switch (index.column()) {
        case Number: {
            const std::optional<PointNumber> n = typedPointNumber(text);
            if (!n) return refuse();
            changed.number = *n;
            break;
        }
        case Name: changed.name = text.toStdString(); break;
        case X:
        case Y:
        case Z: {
            const std::string typed = typedAscii(text);
            if (index.column() == Z && typed.empty()) {
                changed.z.reset();
                break;
            }
            const std::optional<double> v = survey::strictNumber(typed);
            if (!v) return refuse();
            (index.column() == X ? changed.x : index.column() == Y ? changed.y : changed.z.emplace()) = *v;
            break;
        }
        default: return false;
    }
    if (changed.number != old.number && book_.find(changed.number)) {
        later([this, from = old.number, changed] {
            const QString question = QStringLiteral("点番 %1 はすでにあります。置き換えますか？").arg(changed.number);
            if (Module1::MsgBox(question, Module1::YesNo, bookTitle()) == Module1::Yes)
                book_.changePoint(from, changed, true);
        });
        return false;
    }
    return book_.changePoint(old.number, changed);
}

// ---- BookParcelsModel ----

BookParcelsModel::BookParcelsModel(Book& book, QObject* parent) : QAbstractTableModel(parent), book_(book) {
    findRows();
    connect(&book_, &Book::parcelsAboutToChange, this, [this] { beginResetModel(); });
    connect(&book_, &Book::parcelsChanged, this, [this] {
        findRows();
        endResetModel();
    });
}

void BookParcelsModel::setFilter(const QString& text) {
    beginResetModel();
    filter_ = BookFilter(text);
    findRows();
    endResetModel();
}

void BookParcelsModel::findRows() {
    rows_.clear();
    const std::vector<BookParcel>& parcels = book_.parcels();
    for (std::size_t k = 0; k < parcels.size(); ++k)
        if (filter_.accepts(parcels[k].number, parcels[k].name)) rows_.push_back(k);
}

int BookParcelsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int BookParcelsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant BookParcelsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole)
        return int((index.column() == Number || index.column() == Count ? Qt::AlignRight : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const BookParcel& parcel = book_.parcels()[parcelIndex(index.row())];
    switch (index.column()) {
        case Number: return QString::number(parcel.number);
        case Name: return QString::fromStdString(parcel.name);
        case Count: return QString::number(parcel.corners.size());
        case Corners: {
            QStringList numbers;
            const std::size_t shownCount = std::min(parcel.corners.size(), kCornersShown);
            for (std::size_t k = 0; k < shownCount; ++k) numbers << QString::number(parcel.corners[k]);
            if (shownCount < parcel.corners.size()) numbers << QStringLiteral("…");
            return numbers.join(QStringLiteral(", "));
        }
    }
    return {};
}

QVariant BookParcelsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QStringList{QStringLiteral("番号"), QStringLiteral("名前"), QStringLiteral("点数"),
                           QStringLiteral("構成点")}
            .value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
