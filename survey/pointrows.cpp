#include "survey/pointrows.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "survey/text.h"
#include "survey/textfile.h"

namespace survey {

namespace {

using Kind = ReadFault::Kind;

ReadFault lineFault(Kind kind, std::size_t line, std::string_view text, std::string reason) {
    return {kind, line, text, std::move(reason)};
}

std::size_t order(const ReadFault& f) { return f.line == 0 ? std::numeric_limits<std::size_t>::max() : f.line; }

const char* roleName(ColumnRole role) {
    switch (role) {
        case ColumnRole::Number: return "点番";
        case ColumnRole::Name: return "点名";
        case ColumnRole::X: return "X";
        case ColumnRole::Y: return "Y";
        case ColumnRole::Z: return "Z";
        case ColumnRole::Ignore: break;
    }
    return "";
}

// X or Y of a line: a finite number, or the reason it is not one.
std::optional<std::string> readCoordinate(std::string_view field, const char* name, double& out) {
    if (field.empty()) return std::string(name) + " がありません";
    const FieldNumber n = fieldNumber(field);
    if (n.kind == FieldNumber::Kind::Finite) {
        out = n.value;
        return std::nullopt;
    }
    return std::string(name) + (n.kind == FieldNumber::Kind::TooLarge ? " が大きすぎます" : " が数値ではありません");
}

// ---- Headers ----------------------------------------------------------------------

// A header cell in the form it is compared in: full-width ASCII folded,
// Latin letters in lower case.
std::string headerForm(std::string_view cell) {
    std::string out;
    for (std::size_t i = 0; i < cell.size();) {
        const std::size_t at = i;
        const char32_t c = nextCodePoint(cell, i);
        if (c >= 0xFF01 && c <= 0xFF5E) {
            out += char(c - 0xFF01 + 0x21);
        } else {
            out.append(cell, at, i - at);
        }
    }
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return out;
}

ColumnRole headerRole(std::string_view cell) {
    static const std::pair<std::string_view, ColumnRole> kNames[] = {
        {"点番", ColumnRole::Number}, {"番号", ColumnRole::Number}, {"点番号", ColumnRole::Number},
        {"no", ColumnRole::Number},   {"no.", ColumnRole::Number},  {"点名", ColumnRole::Name},
        {"名称", ColumnRole::Name},   {"name", ColumnRole::Name},   {"x", ColumnRole::X},
        {"x座標", ColumnRole::X},     {"y", ColumnRole::Y},         {"y座標", ColumnRole::Y},
        {"z", ColumnRole::Z},         {"h", ColumnRole::Z},         {"標高", ColumnRole::Z},
    };
    const std::string form = headerForm(cell);
    for (const auto& [name, role] : kNames) {
        if (form == name) return role;
    }
    return ColumnRole::Ignore;
}

// The count of each role in a list of them.
std::array<std::size_t, 6> roleCounts(const ColumnRoles& roles) {
    std::array<std::size_t, 6> counts{};
    for (const ColumnRole r : roles) ++counts[std::size_t(r)];
    return counts;
}

// ---- Shapes -----------------------------------------------------------------------

enum class Cell { Empty, Number, Text };

Cell cellOf(std::string_view field) {
    if (field.empty()) return Cell::Empty;
    return fieldNumber(field).kind == FieldNumber::Kind::None ? Cell::Text : Cell::Number;
}

const ColumnRoles kXY = {ColumnRole::X, ColumnRole::Y};
const ColumnRoles kNameXY = {ColumnRole::Name, ColumnRole::X, ColumnRole::Y};
const ColumnRoles kNumberNameXYZ = {ColumnRole::Number, ColumnRole::Name, ColumnRole::X, ColumnRole::Y, ColumnRole::Z};

// The columns that the shape of the first line of points gives; none when
// they are open.
std::optional<ColumnRoles> shapeRoles(const FieldSplitter& f) {
    const std::size_t n = f.count();
    std::size_t numbers = 0;
    for (std::size_t j = 0; j < n; ++j) numbers += cellOf(f[j]) == Cell::Number;
    const Cell first = cellOf(f[0]);
    if (n == 2) return kXY;
    if (n == 3 && first != Cell::Number) return kNameXY;
    if ((n == 4 || n == 5) && first == Cell::Number && cellOf(f[1]) != Cell::Number) return kNumberNameXYZ;
    if (numbers >= 3) return std::nullopt;
    return n <= 2 ? kXY : n == 3 ? kNameXY : kNumberNameXYZ;
}

std::vector<std::string> fieldsOf(const FieldSplitter& f) {
    std::vector<std::string> out;
    for (std::size_t j = 0; j < f.count(); ++j) out.emplace_back(f[j]);
    return out;
}

// The sample of a table whose columns are open, from its first line of
// points (already split in `f`) on.
TableSample sampleFrom(LineReader& lines, FieldSplitter& f, std::vector<std::string> header) {
    TableSample sample;
    sample.header = std::move(header);
    std::string_view line;
    for (;;) {
        sample.columns = std::max(sample.columns, f.count());
        sample.lines.push_back(fieldsOf(f));
        if (sample.lines.size() == kSampleLines) break;
        bool more = false;
        while (lines.next(line)) {
            if (!isCommentLine(line) && f.split(line, separatorOf(line)) != 0) {
                more = true;
                break;
            }
        }
        if (!more) break;
    }
    return sample;
}

// One line of points under the table's columns, or its fault. X is read
// before Y, whatever their columns, so that a fault names X first.
std::optional<ReadFault> tableRow(const FieldSplitter& f, const ColumnRoles& roles, TableRow& row) {
    const std::size_t n = f.count();
    if (n > roles.size()) {
        return lineFault(Kind::Columns, row.line, row.text,
                         std::to_string(n) + " 列あります（この表は " + std::to_string(roles.size()) + " 列です）");
    }
    for (std::size_t j = 0; j < roles.size(); ++j) {
        if (roles[j] == ColumnRole::Number) row.number = f[j];
        if (roles[j] == ColumnRole::Name) row.name = f[j];
        if (roles[j] == ColumnRole::Z) row.z = f[j];
    }
    for (const ColumnRole axis : {ColumnRole::X, ColumnRole::Y}) {
        const std::size_t j = std::size_t(std::find(roles.begin(), roles.end(), axis) - roles.begin());
        double& value = axis == ColumnRole::X ? row.x : row.y;
        if (std::optional<std::string> why = readCoordinate(f[j], roleName(axis), value)) {
            return lineFault(j >= n ? Kind::Columns : Kind::Value, row.line, row.text, std::move(*why));
        }
    }
    return std::nullopt;
}

}  // namespace

std::string faultMessage(const ReadFault& fault) {
    if (fault.kind == Kind::Whole) return fault.reason;
    return lineLabel(fault.line) + "「" + quotedText(fault.text) + "」：" + fault.reason + "。";
}

void keepFirst(std::optional<ReadFault>& first, std::optional<ReadFault> other) {
    if (other && (!first || order(*other) < order(*first))) first = std::move(other);
}

// ---- Tables ----------------------------------------------------------------------

TableRows readTableRows(std::string_view text, const ColumnRoles& roles) {
    TableRows out;
    std::optional<ColumnRoles> columns;
    if (!roles.empty()) {
        const auto counts = roleCounts(roles);
        bool valid = counts[std::size_t(ColumnRole::X)] == 1 && counts[std::size_t(ColumnRole::Y)] == 1;
        for (std::size_t r = 1; r < counts.size(); ++r) valid = valid && counts[r] <= 1;
        if (!valid) {
            out.fault = ReadFault{Kind::Whole, 0, {}, "列の指定には X と Y が 1 列ずつ要り、ほかの列も 1 列までです。"};
            return out;
        }
        columns = roles;
    }
    std::vector<std::string> unknownHeader;
    LineReader lines(text);
    FieldSplitter f;
    std::string_view line;
    bool first = true;
    while (lines.next(line)) {
        if (isCommentLine(line)) continue;
        const std::size_t n = f.split(line, separatorOf(line));
        if (n == 0) continue;
        if (first) {
            first = false;
            bool anyNumber = false;
            for (std::size_t j = 0; j < n && !anyNumber; ++j) anyNumber = cellOf(f[j]) == Cell::Number;
            if (!anyNumber) {
                if (columns) continue;
                ColumnRoles named;
                for (std::size_t j = 0; j < n; ++j) named.push_back(headerRole(f[j]));
                const auto counts = roleCounts(named);
                for (std::size_t r = 1; r < counts.size(); ++r) {
                    if (counts[r] > 1) {
                        out.fault =
                            lineFault(Kind::Value, lines.number(), line,
                                      std::string("見出しの ") + roleName(ColumnRole(r)) + " が 2 列にあります");
                        return out;
                    }
                }
                if (counts[std::size_t(ColumnRole::X)] == 1 && counts[std::size_t(ColumnRole::Y)] == 1) {
                    columns = std::move(named);
                } else {
                    unknownHeader = fieldsOf(f);
                }
                continue;
            }
        }
        if (!columns) {
            columns = shapeRoles(f);
            if (!columns) {
                const std::size_t at = lines.number();
                out.fault = lineFault(Kind::Whole, at, line,
                                      lineLabel(at) + "「" + quotedText(line) +
                                          "」：どの列が点番・X・Y なのか決められません。「点番,点名,X,Y」のような"
                                          "見出しの行を付けてください。");
                out.open = sampleFrom(lines, f, std::move(unknownHeader));
                return out;
            }
        }
        if (out.firstLine == 0) {
            out.firstLine = lines.number();
            out.numbered = std::find(columns->begin(), columns->end(), ColumnRole::Number) != columns->end();
        }
        TableRow row;
        row.line = lines.number();
        row.text = line;
        if (std::optional<ReadFault> fault = tableRow(f, *columns, row)) {
            out.fault = std::move(fault);
            return out;
        }
        out.rows.push_back(std::move(row));
    }
    return out;
}

// ---- SIMA ------------------------------------------------------------------------

bool isSimaText(std::string_view text) {
    LineReader lines(text);
    FieldSplitter f;
    std::string_view line;
    while (lines.next(line)) {
        if (isCommentLine(line)) continue;
        const std::size_t n = f.split(line, Separator::Comma);
        if (n == 0) continue;
        const std::string_view type = f[0];
        if (type == "G00" || type == "Z00" || type == "A00" || type == "D00") return true;
        return type == "A01" && n >= 5;
    }
    return false;
}

namespace {

// One reader for each kind of record a SIMA file holds; every other kind
// is skipped. Each reads one record into `out`, or tells why it cannot.
class SimaReader {
public:
    explicit SimaReader(SimaRecords& out) : out_(out) {}

    using Reader = std::optional<ReadFault> (SimaReader::*)(const FieldSplitter&, std::size_t, std::string_view);
    static Reader readerOf(std::string_view type) {
        static constexpr std::pair<std::string_view, Reader> kinds[] = {
            {"A01", &SimaReader::point},     {"B01", &SimaReader::corner}, {"D00", &SimaReader::parcelStart},
            {"D99", &SimaReader::parcelEnd}, {"G00", &SimaReader::title},
        };
        for (const auto& [name, kind] : kinds)
            if (name == type) return kind;
        return nullptr;
    }

    // The end of the text: a parcel still open there was cut off.
    std::optional<ReadFault> end() const {
        if (!parcelOpen_) return std::nullopt;
        return ReadFault{
            Kind::Whole,
            0,
            {},
            "区画「" + quotedText(parcelLabel(out_.parcels.back().start)) + "」の終わり（D99）がありません。"};
    }

private:
    // A01,number,name,X,Y[,Z …]
    std::optional<ReadFault> point(const FieldSplitter& f, std::size_t at, std::string_view line) {
        SimaPointRecord p;
        p.line = at;
        p.text = line;
        std::optional<std::string> why = readCoordinate(f[3], "X", p.x);
        if (!why) why = readCoordinate(f[4], "Y", p.y);
        if (why) return lineFault(Kind::Value, at, line, std::move(*why));
        p.number = f[1];
        p.name = f[2];
        p.z = f[5];
        out_.points.push_back(std::move(p));
        return std::nullopt;
    }

    // B01,number,name: the open parcel's next corner.
    std::optional<ReadFault> corner(const FieldSplitter& f, std::size_t at, std::string_view line) {
        if (!parcelOpen_)
            return lineFault(Kind::Whole, at, line,
                             lineLabel(at) + "の B01 が区画（D00 から D99 まで）の外にあります。");
        out_.parcels.back().corners.push_back({at, line, std::string(f[1]), std::string(f[2])});
        return std::nullopt;
    }

    // D00,number,name: a parcel starts, and the one before ends if no D99 did.
    std::optional<ReadFault> parcelStart(const FieldSplitter& f, std::size_t at, std::string_view line) {
        parcelOpen_ = true;
        out_.parcels.push_back({{at, line, std::string(f[1]), std::string(f[2])}, {}});
        return std::nullopt;
    }

    std::optional<ReadFault> parcelEnd(const FieldSplitter&, std::size_t, std::string_view) {
        parcelOpen_ = false;
        return std::nullopt;
    }

    // G00,version,title: the first one names the book.
    std::optional<ReadFault> title(const FieldSplitter& f, std::size_t, std::string_view) {
        if (!titled_) out_.title = f[2];
        titled_ = true;
        return std::nullopt;
    }

    SimaRecords& out_;
    bool titled_ = false;
    bool parcelOpen_ = false;
};

}  // namespace

SimaRecords readSimaRecords(std::string_view text) {
    SimaRecords out;
    SimaReader reader(out);
    LineReader lines(text);
    FieldSplitter f;
    std::string_view line;
    while (lines.next(line)) {
        if (isCommentLine(line) || f.split(line, Separator::Comma) == 0) continue;
        if (const SimaReader::Reader read = SimaReader::readerOf(f[0]))
            if ((out.fault = (reader.*read)(f, lines.number(), line))) return out;
    }
    out.fault = reader.end();
    return out;
}

const std::string& parcelLabel(const SimaRecord& start) { return start.name.empty() ? start.number : start.name; }

}  // namespace survey
