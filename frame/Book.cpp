#include "frame/Book.h"

#include <QUndoCommand>
#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>

using survey::BookParcel;
using survey::BookPoint;
using survey::PointBook;
using survey::PointNumber;

namespace {

// Up to this many points go in and out one by one; more, and the book is
// merged anew: each one put in the middle moves every point after it.
constexpr std::size_t kOneByOne = 8;

void checkNumber(PointNumber number) {
    if (number < 1 || number > survey::kMaxPointNumber)
        throw std::invalid_argument("a point number is 1 to kMaxPointNumber");
}

bool byNumber(const BookPoint& a, const BookPoint& b) { return a.number < b.number; }

// The book without the points `out` and with the points `in`, in one pass.
PointBook merged(const PointBook& book, const std::vector<BookPoint>& out, const std::vector<BookPoint>& in) {
    PointBook result;
    result.title = book.title;
    for (const BookParcel& parcel : book.parcels()) result.addParcel(parcel);
    auto o = out.begin();
    auto i = in.begin();
    for (const BookPoint& p : book.points()) {
        while (i != in.end() && i->number < p.number) result.put(*i++);
        while (o != out.end() && o->number < p.number) ++o;
        if (i != in.end() && i->number == p.number) result.put(*i++);
        else if (o == out.end() || o->number != p.number) result.put(p);
    }
    while (i != in.end()) result.put(*i++);
    return result;
}

// The parcels without the corners `gone` (sorted), a parcel left with no
// corner going too; none when no parcel has such a corner.
std::optional<std::vector<BookParcel>> withoutCorners(const std::vector<BookParcel>& parcels,
                                                      const std::vector<PointNumber>& gone) {
    auto isGone = [&gone](PointNumber n) { return std::binary_search(gone.begin(), gone.end(), n); };
    bool any = false;
    std::vector<BookParcel> after;
    for (BookParcel parcel : parcels) {
        any |= std::erase_if(parcel.corners, isGone) > 0;
        if (!parcel.corners.empty()) after.push_back(std::move(parcel));
    }
    if (!any) return std::nullopt;
    return after;
}

// The parcels with every corner `from` made `to` (the point `to` replaced
// stood next to it, it stands there once); none when no parcel has one.
std::optional<std::vector<BookParcel>> renumbered(const std::vector<BookParcel>& parcels, PointNumber from,
                                                  PointNumber to) {
    bool any = false;
    std::vector<BookParcel> after = parcels;
    for (BookParcel& parcel : after) {
        if (std::find(parcel.corners.begin(), parcel.corners.end(), from) == parcel.corners.end()) continue;
        any = true;
        std::replace(parcel.corners.begin(), parcel.corners.end(), from, to);
        parcel.corners.erase(std::unique(parcel.corners.begin(), parcel.corners.end()), parcel.corners.end());
    }
    if (!any) return std::nullopt;
    return after;
}

QString editText(const BookPoint& before, const BookPoint& after) {
    const bool differs[] = {before.number != after.number, before.name != after.name, before.x != after.x,
                            before.y != after.y, before.z != after.z};
    static const char16_t* const texts[] = {u"点番の変更", u"点名の変更", u"X の変更", u"Y の変更", u"Z の変更"};
    if (std::count(std::begin(differs), std::end(differs), true) != 1) return QStringLiteral("点の変更");
    return QString::fromUtf16(texts[std::find(std::begin(differs), std::end(differs), true) - std::begin(differs)]);
}

}  // namespace

// Points taken out and put in: redo takes `out` and puts `in`, undo the other way round.
class Book::PointsStep : public QUndoCommand {
public:
    PointsStep(Book& book, std::vector<BookPoint> out, std::vector<BookPoint> in, const QString& text)
        : QUndoCommand(text), book_(book), out_(std::move(out)), in_(std::move(in)) {}
    void redo() override { book_.applyPoints(out_, in_); }
    void undo() override { book_.applyPoints(in_, out_); }

private:
    Book& book_;
    std::vector<BookPoint> out_, in_;
};

// The list of parcels before and after.
class Book::ParcelsStep : public QUndoCommand {
public:
    ParcelsStep(Book& book, std::vector<BookParcel> before, std::vector<BookParcel> after, const QString& text)
        : QUndoCommand(text), book_(book), before_(std::move(before)), after_(std::move(after)) {}
    void redo() override { book_.applyParcels(after_); }
    void undo() override { book_.applyParcels(before_); }

private:
    Book& book_;
    std::vector<BookParcel> before_, after_;
};

// The whole book and its file, before and after.
class Book::WholeStep : public QUndoCommand {
public:
    WholeStep(Book& book, PointBook after, QString afterPath, const QString& text)
        : QUndoCommand(text),
          book_(book),
          before_(book.book_),
          beforePath_(book.path_),
          after_(std::move(after)),
          afterPath_(std::move(afterPath)) {}
    void redo() override { book_.applyBook(after_, afterPath_); }
    void undo() override { book_.applyBook(before_, beforePath_); }

private:
    Book& book_;
    PointBook before_;
    QString beforePath_;
    PointBook after_;
    QString afterPath_;
};

Book& Book::instance() {
    static Book book;
    return book;
}

Book::Book() {
    connect(&undo_, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
}

void Book::markSaved(const QString& path, bool whole) {
    setPath(path);
    if (whole) undo_.setClean();
}

void Book::putPoints(std::vector<BookPoint> points, const QString& undoText) {
    for (const BookPoint& p : points) checkNumber(p.number);
    // The later of two points of one number is the one kept.
    std::stable_sort(points.begin(), points.end(), byNumber);
    std::vector<BookPoint> in, out;
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (k + 1 < points.size() && points[k + 1].number == points[k].number) continue;
        const BookPoint* old = book_.find(points[k].number);
        if (old && *old == points[k]) continue;
        if (old) out.push_back(*old);
        in.push_back(std::move(points[k]));
    }
    if (in.empty()) return;
    undo_.push(new PointsStep(*this, std::move(out), std::move(in), undoText));
}

std::size_t Book::parcelsUsing(const std::vector<PointNumber>& numbers) const {
    std::vector<PointNumber> sorted = numbers;
    std::sort(sorted.begin(), sorted.end());
    return std::size_t(std::count_if(parcels().begin(), parcels().end(), [&sorted](const BookParcel& parcel) {
        return std::any_of(parcel.corners.begin(), parcel.corners.end(),
                           [&sorted](PointNumber n) { return std::binary_search(sorted.begin(), sorted.end(), n); });
    }));
}

void Book::removePoints(const std::vector<PointNumber>& numbers) {
    std::vector<BookPoint> out;
    for (const PointNumber n : numbers)
        if (const BookPoint* p = book_.find(n)) out.push_back(*p);
    if (out.empty()) return;
    std::sort(out.begin(), out.end(), byNumber);
    out.erase(std::unique(out.begin(), out.end()), out.end());
    std::vector<PointNumber> gone;
    for (const BookPoint& p : out) gone.push_back(p.number);
    pushWithParcels(new PointsStep(*this, std::move(out), {}, QStringLiteral("点の削除")),
                    withoutCorners(parcels(), gone));
}

void Book::pushWithParcels(QUndoCommand* points, std::optional<std::vector<BookParcel>> parcelsAfter) {
    if (!parcelsAfter) {
        undo_.push(points);
        return;
    }
    const QString text = points->text();
    undo_.beginMacro(text);
    undo_.push(points);
    undo_.push(new ParcelsStep(*this, parcels(), std::move(*parcelsAfter), text));
    undo_.endMacro();
}

bool Book::changePoint(PointNumber number, const BookPoint& changed, bool replacingTaken) {
    checkNumber(changed.number);
    const BookPoint* old = book_.find(number);
    if (!old) return false;
    if (*old == changed) return true;
    std::vector<BookPoint> out{*old};
    if (changed.number != number) {
        if (const BookPoint* taken = book_.find(changed.number)) {
            if (!replacingTaken) return false;
            out.push_back(*taken);
            std::sort(out.begin(), out.end(), byNumber);
        }
    }
    const QString text = editText(*old, changed);
    pushWithParcels(new PointsStep(*this, std::move(out), {changed}, text),
                    changed.number != number ? renumbered(parcels(), number, changed.number) : std::nullopt);
    return true;
}

void Book::addParcel(BookParcel parcel) {
    std::vector<BookParcel> after = parcels();
    after.push_back(std::move(parcel));
    undo_.push(new ParcelsStep(*this, parcels(), std::move(after), QStringLiteral("区画の追加")));
}

bool Book::changeParcel(std::size_t index, BookParcel parcel) {
    if (index >= parcels().size()) return false;
    if (parcels()[index] == parcel) return true;
    std::vector<BookParcel> after = parcels();
    after[index] = std::move(parcel);
    undo_.push(new ParcelsStep(*this, parcels(), std::move(after), QStringLiteral("区画の変更")));
    return true;
}

void Book::removeParcels(std::vector<std::size_t> indexes) {
    std::sort(indexes.begin(), indexes.end());
    std::vector<BookParcel> after;
    for (std::size_t k = 0; k < parcels().size(); ++k)
        if (!std::binary_search(indexes.begin(), indexes.end(), k)) after.push_back(parcels()[k]);
    if (after.size() == parcels().size()) return;
    undo_.push(new ParcelsStep(*this, parcels(), std::move(after), QStringLiteral("区画の削除")));
}

void Book::replaceBook(PointBook book, const QString& path, const QString& undoText) {
    undo_.push(new WholeStep(*this, std::move(book), path, undoText));
    undo_.setClean();
}

void Book::reset() {
    undo_.clear();
    selection_.clear();
    applyBook(PointBook(), QString());
}

void Book::applyPoints(const std::vector<BookPoint>& out, const std::vector<BookPoint>& in) {
    if (out.size() == 1 && in.size() == 1 && out[0].number == in[0].number) {
        book_.put(in[0]);
        emit pointEdited(in[0].number);
        emit changed();
        return;
    }
    emit pointsAboutToChange();
    const bool atTheEnd =
        out.empty() && !in.empty() && (points().empty() || in.front().number > points().back().number);
    if (atTheEnd || out.size() + in.size() <= kOneByOne) {
        for (const BookPoint& p : out) book_.remove(p.number);
        for (const BookPoint& p : in) book_.put(p);
    } else {
        book_ = merged(book_, out, in);
    }
    emit pointsChanged();
    emit changed();
}

void Book::applyParcels(const std::vector<BookParcel>& parcels) {
    emit parcelsAboutToChange();
    while (!book_.parcels().empty()) book_.removeParcel(book_.parcels().size() - 1);
    for (const BookParcel& p : parcels) book_.addParcel(p);
    emit parcelsChanged();
    emit changed();
}

void Book::applyBook(const PointBook& book, const QString& path) {
    emit pointsAboutToChange();
    emit parcelsAboutToChange();
    book_ = book;
    emit pointsChanged();
    emit parcelsChanged();
    setPath(path);
    emit changed();
}

void Book::setPath(const QString& path) {
    if (path == path_) return;
    path_ = path;
    emit filePathChanged(path_);
}
