#include "survey/cornerimport.h"

#include <algorithm>
#include <utility>

#include "survey/pointrows.h"
#include "survey/textfile.h"

namespace survey {

namespace {

const char* const kNoCorners = "座標が見つかりません。";

// ---- Messages ---------------------------------------------------------------------

// The line, its text and why it is not a corner.
std::string unreadableLine(const ReadFault& f) {
    return lineLabel(f.line) + "を座標として読めません：「" + quotedText(f.text) + "」（" + f.reason + "）";
}

// A fault as this screen has always told it, with its reason.
std::string cornerMessage(const ReadFault& f, std::size_t firstLine) {
    switch (f.kind) {
        case ReadFault::Kind::Whole: return f.reason;
        case ReadFault::Kind::Value: return unreadableLine(f);
        case ReadFault::Kind::Columns:
            if (firstLine == 0 || f.line == firstLine) return unreadableLine(f);
            return lineLabel(f.line) + "の列の数が " + lineLabel(firstLine) + "と違います：「" + quotedText(f.text) +
                   "」";
    }
    return f.reason;
}

// "12 T.12", or whichever of the two the record has.
std::string pointLabel(std::string_view number, std::string_view name) {
    if (number.empty() || name.empty()) return quotedText(number.empty() ? name : number);
    return quotedText(number) + " " + quotedText(name);
}

CornerSource refusal(std::string message) {
    CornerSource r;
    r.error = std::move(message);
    return r;
}

// ---- SIMA -------------------------------------------------------------------------

struct KeyedPoint {
    std::string_view number;
    std::string_view name;
    Corner corner;
    std::size_t order = 0;         // in the file
    bool keyAmbiguous = false;     // points of this number and name lie in different places
    bool numberAmbiguous = false;  // points of this number lie in different places
};

bool keyBefore(const KeyedPoint& a, const KeyedPoint& b) {
    const int byNumber = a.number.compare(b.number);
    return byNumber != 0 ? byNumber < 0 : a.name < b.name;
}
bool numberBefore(const KeyedPoint& a, const KeyedPoint& b) { return a.number < b.number; }

bool samePlace(const Corner& a, const Corner& b) { return a.x == b.x && a.y == b.y; }

// Marks each run of points under `before` whose points lie in different places.
template <class Before>
void markAmbiguous(std::vector<KeyedPoint>& points, Before before, bool KeyedPoint::*flag) {
    for (auto group = points.begin(); group != points.end();) {
        const auto end = std::upper_bound(group, points.end(), *group, before);
        const bool ambiguous =
            std::any_of(group, end, [&](const KeyedPoint& p) { return !samePlace(p.corner, group->corner); });
        for (auto p = group; p != end; ++p) (*p).*flag = ambiguous;
        group = end;
    }
}

// Each B01 gets the corner of the one point it names.
class CornerPlacer {
public:
    explicit CornerPlacer(const std::vector<SimaPointRecord>& points) {
        points_.reserve(points.size());
        for (const SimaPointRecord& p : points) points_.push_back({p.number, p.name, {p.x, p.y}, points_.size()});
        std::stable_sort(points_.begin(), points_.end(), keyBefore);
        markAmbiguous(points_, keyBefore, &KeyedPoint::keyAmbiguous);
        markAmbiguous(points_, numberBefore, &KeyedPoint::numberAmbiguous);
    }

    // The corner, or the tail of the message that refuses it.
    std::optional<std::string> place(const SimaRecord& ref, Corner& out) const {
        const KeyedPoint key{ref.number, ref.name, {0, 0}};
        const auto exact = std::lower_bound(points_.begin(), points_.end(), key, keyBefore);
        if (exact != points_.end() && !keyBefore(key, *exact)) {
            if (exact->keyAmbiguous) return std::string("は座標（A01）に 2 度あり、座標が違います。");
            out = exact->corner;
            return std::nullopt;
        }
        const auto [first, last] = std::equal_range(points_.begin(), points_.end(), key, numberBefore);
        if (first == last) return std::string("がファイルの座標（A01）にありません。");
        if (!ref.name.empty()) {
            const auto earliest = std::min_element(
                first, last, [](const KeyedPoint& a, const KeyedPoint& b) { return a.order < b.order; });
            return "の名前が A01 の「" + quotedText(earliest->name) + "」と違います。";
        }
        if (first->numberAmbiguous) return std::string("は座標（A01）に 2 度あり、座標が違います。");
        out = first->corner;
        return std::nullopt;
    }

private:
    std::vector<KeyedPoint> points_;
};

CornerSource placeCorners(const SimaRecords& records) {
    const CornerPlacer placer(records.points);
    CornerSource out;
    for (const SimaParcelRecords& parcel : records.parcels) {
        SimaParcel taken{parcelLabel(parcel.start), {}};
        taken.corners.reserve(parcel.corners.size());
        for (const SimaRecord& ref : parcel.corners) {
            Corner c{0, 0};
            if (std::optional<std::string> why = placer.place(ref, c)) {
                return refusal(lineLabel(ref.line) + "：区画「" + quotedText(taken.name) + "」の点「" +
                               pointLabel(ref.number, ref.name) + "」" + *why);
            }
            taken.corners.push_back(c);
        }
        out.parcels.push_back(std::move(taken));
    }
    return out;
}

}  // namespace

CornerSource readCornerTable(std::string_view utf8Text, const ColumnRoles& roles) {
    TableRows table = readTableRows(utf8Text, roles);
    if (table.fault) {
        CornerSource r = refusal(cornerMessage(*table.fault, table.firstLine));
        r.columns = std::move(table.open);
        return r;
    }
    if (table.rows.empty()) return refusal(kNoCorners);
    CornerSource out;
    out.corners.reserve(table.rows.size());
    for (const TableRow& row : table.rows) out.corners.push_back({row.x, row.y});
    return out;
}

CornerSource readSima(std::string_view utf8Text) {
    const SimaRecords records = readSimaRecords(utf8Text);
    if (records.fault) return refusal(cornerMessage(*records.fault, 0));
    if (!records.parcels.empty()) return placeCorners(records);
    if (records.points.empty()) return refusal(kNoCorners);
    CornerSource out;
    out.corners.reserve(records.points.size());
    for (const SimaPointRecord& p : records.points) out.corners.push_back({p.x, p.y});
    return out;
}

CornerSource readCornerFile(std::string_view bytes, const ColumnRoles& roles) {
    const FileText file = fileText(bytes);
    if (!file.error.empty()) return refusal(file.error);
    return isSimaText(file.text) ? readSima(file.text) : readCornerTable(file.text, roles);
}

}  // namespace survey
