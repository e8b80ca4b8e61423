#include "survey/bookfile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "survey/cp932.h"
#include "survey/platform.h"
#include "survey/text.h"
#include "survey/textfile.h"

namespace survey {

namespace {

using Kind = ReadFault::Kind;

const char* const kNoPoints = "座標が見つかりません。";
const std::string kMaxText = std::to_string(kMaxPointNumber);

// ---- Reading ----------------------------------------------------------------------

BookReading refused(std::string message) {
    BookReading r;
    r.error = std::move(message);
    return r;
}

ReadFault valueFault(std::size_t line, std::string_view text, std::string reason) {
    return {Kind::Value, line, text, std::move(reason)};
}

// A point number or a parcel number as the file writes it, or the reason it is none.
std::optional<std::string> readNumber(std::string_view field, const char* what, std::int64_t& out) {
    if (field.empty()) return std::string(what) + "がありません";
    const std::optional<std::int64_t> n = wholeNumber(field, kMaxPointNumber);
    if (!n)
        return std::string(what) + "「" + quotedText(field) + "」が 1 から " + kMaxText + " までの整数ではありません";
    out = *n;
    return std::nullopt;
}

std::optional<std::string> readHeight(std::string_view field, std::optional<double>& out) {
    if (field.empty()) return std::nullopt;
    const FieldNumber n = fieldNumber(field);
    if (n.kind == FieldNumber::Kind::Finite) {
        out = n.value;
        return std::nullopt;
    }
    return n.kind == FieldNumber::Kind::TooLarge ? "Z が大きすぎます" : "Z が数値ではありません";
}

// A point with the line it came from.
struct LinePoint {
    BookPoint point;
    std::size_t line = 0;
    std::string_view text;
};

// The points in the order of their numbers, or the first line whose
// number a line before it used.
std::optional<ReadFault> sortByNumber(std::vector<LinePoint>& points) {
    std::stable_sort(points.begin(), points.end(),
                     [](const LinePoint& a, const LinePoint& b) { return a.point.number < b.point.number; });
    const LinePoint* again = nullptr;
    const LinePoint* before = nullptr;
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (points[i].point.number != points[i - 1].point.number) continue;
        // Only the second of each run can be the first repeat in the file.
        if (i >= 2 && points[i - 2].point.number == points[i].point.number) continue;
        if (!again || points[i].line < again->line) {
            again = &points[i];
            before = &points[i - 1];
        }
    }
    if (!again) return std::nullopt;
    return valueFault(
        again->line, again->text,
        "点番「" + std::to_string(again->point.number) + "」は " + lineLabel(before->line) + "にもあります");
}

// The point of a B01, or the reason the file has none.
std::optional<std::string> cornerPoint(const PointBook& book, const SimaParcelRecords& parcel, const SimaRecord& corner,
                                       PointNumber& out) {
    if (std::optional<std::string> why = readNumber(corner.number, "点番", out)) return why;
    const std::string where =
        "区画「" + quotedText(parcelLabel(parcel.start)) + "」の点「" + quotedText(corner.number) + "」";
    const BookPoint* p = book.find(out);
    if (!p) return where + "がファイルの座標（A01）にありません";
    if (!corner.name.empty() && corner.name != p->name) {
        return where + "の名前「" + quotedText(corner.name) + "」が A01 の「" + quotedText(p->name) + "」と違います";
    }
    return std::nullopt;
}

// Puts the points in the book by number; or the first fault of the text:
// `fault`, or a number used twice before it.
std::optional<ReadFault> fill(PointBook& book, std::vector<LinePoint>& points, std::optional<ReadFault> fault) {
    keepFirst(fault, sortByNumber(points));
    if (fault) return fault;
    for (const LinePoint& p : points) book.put(p.point);  // in order: each one goes at the end
    return std::nullopt;
}

BookReading taken(PointBook book) {
    if (book.empty()) return refused(kNoPoints);
    BookReading r;
    r.book = std::move(book);
    return r;
}

BookReading bookOfSima(std::string_view text) {
    SimaRecords records = readSimaRecords(text);
    std::optional<ReadFault> fault = std::move(records.fault);
    std::vector<LinePoint> points;
    points.reserve(records.points.size());
    for (SimaPointRecord& p : records.points) {
        LinePoint lp{{0, std::move(p.name), p.x, p.y, std::nullopt}, p.line, p.text};
        std::optional<std::string> why = readNumber(p.number, "点番", lp.point.number);
        if (!why) why = readHeight(p.z, lp.point.z);
        if (why) {
            keepFirst(fault, valueFault(p.line, p.text, std::move(*why)));
            break;  // the points after it come later in the file than this fault
        }
        points.push_back(std::move(lp));
    }
    std::vector<std::int64_t> parcelNumbers;
    for (const SimaParcelRecords& parcel : records.parcels) {
        std::int64_t number = 0;
        if (std::optional<std::string> why = readNumber(parcel.start.number, "区画の番号", number)) {
            keepFirst(fault, valueFault(parcel.start.line, parcel.start.text, std::move(*why)));
            break;
        }
        parcelNumbers.push_back(number);
    }
    PointBook book;
    if (std::optional<ReadFault> f = fill(book, points, std::move(fault))) return refused(faultMessage(*f));
    // Every A01 is in by now, wherever it stands in the file.
    for (std::size_t i = 0; i < records.parcels.size(); ++i) {
        const SimaParcelRecords& parcel = records.parcels[i];
        BookParcel out{parcelNumbers[i], parcel.start.name, {}};
        out.corners.reserve(parcel.corners.size());
        for (const SimaRecord& corner : parcel.corners) {
            PointNumber n = 0;
            if (std::optional<std::string> why = cornerPoint(book, parcel, corner, n)) {
                return refused(faultMessage(valueFault(corner.line, corner.text, std::move(*why))));
            }
            out.corners.push_back(n);
        }
        book.addParcel(std::move(out));
    }
    book.title = std::move(records.title);
    return taken(std::move(book));
}

BookReading bookOfTable(std::string_view text, const ColumnRoles& roles) {
    TableRows table = readTableRows(text, roles);
    if (table.open) {
        BookReading r = refused(faultMessage(*table.fault));
        r.columns = std::move(table.open);
        return r;
    }
    std::optional<ReadFault> fault = std::move(table.fault);
    std::vector<LinePoint> points;
    points.reserve(table.rows.size());
    PointNumber next = 0;
    for (TableRow& row : table.rows) {
        LinePoint lp{{++next, std::move(row.name), row.x, row.y, std::nullopt}, row.line, row.text};
        std::optional<std::string> why;
        if (table.numbered) why = readNumber(row.number, "点番", lp.point.number);
        if (!why) why = readHeight(row.z, lp.point.z);
        if (why) {
            keepFirst(fault, valueFault(row.line, row.text, std::move(*why)));
            break;
        }
        points.push_back(std::move(lp));
    }
    PointBook book;
    if (std::optional<ReadFault> f = fill(book, points, std::move(fault))) return refused(faultMessage(*f));
    return taken(std::move(book));
}

// ---- Writing ----------------------------------------------------------------------

BookBytes writeRefused(std::string message) {
    BookBytes b;
    b.error = std::move(message);
    return b;
}

bool hasLineBreak(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos; }

// A name or title as a field: in double quotes when the readers would
// otherwise split it, trim it or take a quote in it as their own.
void appendField(std::string& out, std::string_view text) {
    const bool quote = text.find_first_of(",\"\t") != text.npos || trimBlanks(text).size() != text.size();
    if (!quote) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        out += c;
        if (c == '"') out += '"';
    }
    out += '"';
}

void appendNumber(std::string& out, double v) {
    char buf[64];
    const double a = std::fabs(v);
    const auto format = a >= 1e-5 && a < 1e15 ? std::chars_format::fixed : std::chars_format::scientific;
    if (v == 0) {
        out += '0';  // -0 too
        return;
    }
    out.append(buf, std::size_t(std::to_chars(buf, buf + sizeof buf, v, format).ptr - buf));
}

void appendInteger(std::string& out, std::int64_t v) {
    char buf[24];
    out.append(buf, std::size_t(std::to_chars(buf, buf + sizeof buf, v).ptr - buf));
}

std::string pointLabel(PointNumber n) { return "点「" + std::to_string(n) + "」"; }
std::string parcelLabel(const BookParcel& p) {
    return "区画「" + quotedText(p.name.empty() ? std::to_string(p.number) : p.name) + "」";
}

// What keeps the book from reading back as it is, before any encoding.
std::optional<std::string> unwritable(const PointBook& book, bool parcels) {
    const char* const kBreak = "に改行などファイルに書けない文字があります。";
    if (parcels && hasLineBreak(book.title)) return std::string("題名") + kBreak;
    for (const BookPoint& p : book.points()) {
        if (hasLineBreak(p.name)) return pointLabel(p.number) + "の点名" + kBreak;
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || (p.z && !std::isfinite(*p.z)))
            return pointLabel(p.number) + "の座標が有限の数ではありません。";
    }
    if (!parcels) return std::nullopt;
    for (const BookParcel& parcel : book.parcels()) {
        if (hasLineBreak(parcel.name)) return parcelLabel(parcel) + "の名前" + kBreak;
        if (parcel.number < 1) return parcelLabel(parcel) + "の番号が 1 より小さい数です。";
        for (const PointNumber c : parcel.corners) {
            if (!book.find(c)) return parcelLabel(parcel) + "の" + pointLabel(c) + "が座標簿にありません。";
        }
    }
    return std::nullopt;
}

// Where the book holds a character CP932 cannot: the first text that has it.
std::string holderOf(const PointBook& book, std::string_view offending, bool parcels) {
    auto holds = [&](const std::string& text) { return text.find(offending) != std::string::npos; };
    if (parcels && holds(book.title)) return "題名";
    for (const BookPoint& p : book.points()) {
        if (holds(p.name)) return pointLabel(p.number) + "の点名";
    }
    for (const BookParcel& parcel : book.parcels()) {
        if (parcels && holds(parcel.name)) return parcelLabel(parcel) + "の名前";
    }
    return "座標簿";
}

BookBytes encoded(const std::string& text, const PointBook& book, bool parcels) {
    Cp932 enc = toCp932(text);
    BookBytes out;
    if (!enc.ok) {
        out.offending = enc.offending;
        out.error = holderOf(book, enc.offending, parcels) + "の「" + enc.offending + "」(U+" +
                    codePointLabel(enc.offending) + ") はシフトJISで書けない文字のため、保存しませんでした。";
        return out;
    }
    out.bytes = std::move(enc.bytes);
    return out;
}

// ---- Saving -----------------------------------------------------------------------

using platform::Fault;

std::string cause(const platform::Status& s) {
    switch (s.fault) {
        case Fault::None: return {};
        case Fault::NoSpace: return "ディスクの空き容量が足りません。";
        case Fault::Quota: return "ディスクの使用量の上限を超えました。";
        case Fault::TooLarge: return "ファイルの大きさの上限を超えました。";
        case Fault::Denied: return "書き込みの権限がありません。";
        case Fault::ReadOnly: return "読み取り専用の場所です。";
        case Fault::NotFound: return "フォルダーが見つかりません。";
        case Fault::IsFolder: return "同じ名前のフォルダーがあります。";
        case Fault::FileInTheWay: return "同じ名前のファイルがあります。";
        case Fault::InUse:
            return "ほかのプログラムがこのファイルを開いています。そのプログラムでファイルを閉じてから、もう一度保存し"
                   "てください。";
        case Fault::Other: return "予期しないエラーが起きました（" + s.detail + "）。";
    }
    return {};
}

}  // namespace

BookReading readBook(std::string_view bytes, const ColumnRoles& roles) {
    const FileText file = fileText(bytes);
    if (!file.error.empty()) return refused(file.error);
    return isSimaText(file.text) ? bookOfSima(file.text) : bookOfTable(file.text, roles);
}

std::string coordinateText(double v) {
    std::string out;
    appendNumber(out, v);
    return out;
}

BookBytes writeSima(const PointBook& book) {
    if (book.empty()) return writeRefused("座標簿に点も区画もありません。");
    if (std::optional<std::string> why = unwritable(book, true)) return writeRefused(std::move(*why));
    std::string text;
    text.reserve(64 + book.points().size() * 48);
    text += "G00,01,";
    appendField(text, book.title);
    text += ",\r\nZ00,座標ﾃﾞｰﾀ,\r\nA00,\r\n";
    for (const BookPoint& p : book.points()) {
        text += "A01,";
        appendInteger(text, p.number);
        text += ',';
        appendField(text, p.name);
        text += ',';
        appendNumber(text, p.x);
        text += ',';
        appendNumber(text, p.y);
        text += ',';
        if (p.z) appendNumber(text, *p.z);
        text += ",\r\n";
    }
    text += "A99,\r\n";
    for (const BookParcel& parcel : book.parcels()) {
        text += "D00,";
        appendInteger(text, parcel.number);
        text += ',';
        appendField(text, parcel.name);
        text += ",1,\r\n";
        for (const PointNumber c : parcel.corners) {
            text += "B01,";
            appendInteger(text, c);
            text += ',';
            appendField(text, book.find(c)->name);
            text += ",\r\n";
        }
        text += "D99,\r\n";
    }
    return encoded(text, book, true);
}

BookBytes writeCsv(const PointBook& book) {
    if (book.points().empty()) return writeRefused("座標簿に点がありません。");
    if (std::optional<std::string> why = unwritable(book, false)) return writeRefused(std::move(*why));
    std::string text;
    text.reserve(32 + book.points().size() * 40);
    text += "点番,点名,X,Y,Z\r\n";
    for (const BookPoint& p : book.points()) {
        appendInteger(text, p.number);
        text += ',';
        appendField(text, p.name);
        text += ',';
        appendNumber(text, p.x);
        text += ',';
        appendNumber(text, p.y);
        text += ',';
        if (p.z) appendNumber(text, *p.z);
        text += "\r\n";
    }
    return encoded(text, book, false);
}

FileOutcome saveWhole(const std::filesystem::path& file, std::string_view bytes) {
    const platform::Status s =
        platform::replaceFile(file, bytes, seam::writeLimit().value_or(std::numeric_limits<std::size_t>::max()));
    if (s.ok()) return FileOutcome{};
    FileOutcome o;
    o.kind = FileOutcome::Kind::Failed;
    o.reason = "保存できませんでした。" + cause(s);
    return o;
}

FileOutcome saveBook(const std::filesystem::path& file, const PointBook& book, BookFormat format) {
    const BookBytes written = format == BookFormat::Sima ? writeSima(book) : writeCsv(book);
    if (written.ok()) return saveWhole(file, written.bytes);
    FileOutcome o;
    o.kind = written.offending.empty() ? FileOutcome::Kind::Failed : FileOutcome::Kind::Unencodable;
    o.reason = written.error;
    o.offending = written.offending;
    return o;
}

}  // namespace survey
