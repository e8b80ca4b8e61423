// What the point readers take from a text before they make points of it:
// the rows of a table and the records of a SIMA file, with their line
// numbers, their fields as written and their X and Y read. The book's reader
// (bookfile.h) and 座標面積's (cornerimport.h) build on these and differ
// only in what they ask of point numbers, names and Z. Standard C++ only.
//
// A line is skipped when it is blank (no text in any field) or a comment
// ('#' its first character that is not a blank). Lines are numbered as the
// text has them, skipped ones included.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace survey {

// Why a text is not read, as the readers tell it.
struct ReadFault {
    enum class Kind {
        Value,    // a field of the line does not read (`reason`: which and why)
        Columns,  // the line has columns beyond the table's, or lacks X or Y
        Whole,    // `reason` is the whole sentence
    };
    Kind kind = Kind::Whole;
    std::size_t line = 0;   // 0: the end of the text
    std::string_view text;  // the line, a view into the text read
    std::string reason;
};

// "5 行目「1,K1,2,3,4」：5 列あります（この表は 4 列です）" for a line's fault, the
// reason itself for a Whole one.
std::string faultMessage(const ReadFault& fault);

// Of two faults, the one that comes first in the text (a fault at the end
// of the text last); either may be empty.
void keepFirst(std::optional<ReadFault>& first, std::optional<ReadFault> other);

// ---- Tables ----------------------------------------------------------------------

// What a column of a table holds.
enum class ColumnRole { Ignore, Number, Name, X, Y, Z };
// One role a column, the first column first; a column beyond the last is
// no column of the table.
using ColumnRoles = std::vector<ColumnRole>;

// A table whose columns cannot be told by a header or by their shape: its
// first lines, so that the user can say what each column holds.
inline constexpr std::size_t kSampleLines = 10;
struct TableSample {
    std::size_t columns = 0;                      // the most fields of a line below
    std::vector<std::string> header;              // a first line of no numbers, naming no known columns
    std::vector<std::vector<std::string>> lines;  // the first kSampleLines lines of points, split into fields

    bool operator==(const TableSample&) const = default;
};

// One line of a table that reads as a point.
struct TableRow {
    std::size_t line = 0;
    std::string_view text;
    std::string number, name, z;  // as written, trimmed; empty when no such column or an empty cell
    double x = 0;
    double y = 0;
};

struct TableRows {
    std::vector<TableRow> rows;       // the lines before `fault`, in order
    bool numbered = false;            // the table has a column of point numbers
    std::size_t firstLine = 0;        // the first line read as a point, 0 before one
    std::optional<TableSample> open;  // the columns are open: `fault` says so, `rows` is empty
    std::optional<ReadFault> fault;   // the first line that is not read
};

// A table, one point a line.
//  - Fields: split as separatorOf and FieldSplitter (textfile.h) say, one
//    line at a time.
//  - Columns by `roles` when it is not empty: it must give X and Y one column
//    each and every other role but Ignore one column at most (else a Whole
//    fault). A first line without numbers is a header, and skipped.
//  - Else by a header: the first line not skipped, when none of its fields
//    reads as a number and among them are X and Y. Known names, in any order,
//    Latin letters in either case, full-width forms as their ASCII ones:
//    点番 番号 点番号 No No. (Number), 点名 名称 Name (Name), X X座標 (X),
//    Y Y座標 (Y), Z H 標高 (Z); other columns are ignored. A name given to
//    two columns is a Value fault. A first line without numbers that lacks X
//    or Y is skipped as a header nobody knows, and the shape decides.
//  - Else by the shape of the first line of points, a field being a number
//    when it reads as one (fieldNumber, too large ones included): two fields
//    are X Y; three whose first is no number are name X Y; four or five
//    whose first is a number and whose second is not are number name X Y and
//    an optional Z. Any other line with three or more numbers leaves the
//    columns open: `open` holds the first lines, `fault` a Whole sentence
//    asking for a header. Other lines read as the shape of their field count
//    would (one or two: X Y; three: name X Y; more: number name X Y Z), so
//    that the fault says which field does not read.
//  - Each line: a field beyond the table's columns (empty ones at the end
//    not counted) is a Columns fault, and so is a line that ends before X or
//    Y; X and Y must read as finite numbers (fieldNumber), an empty one or
//    one that is no number or too large is a Value fault.
// Reading stops at the first fault.
TableRows readTableRows(std::string_view text, const ColumnRoles& roles);

// ---- SIMA ------------------------------------------------------------------------

// Whether a text is SIMA: its first line that is not skipped has G00, Z00,
// A00 or D00 as its first comma-separated field, or A01 and five fields or
// more (empty ones at the end not counted; a table line whose point is
// named "A01" has three).
bool isSimaText(std::string_view text);

struct SimaRecord {
    std::size_t line = 0;
    std::string_view text;
    std::string number, name;  // the record's second and third fields
};
struct SimaPointRecord : SimaRecord {
    double x = 0;
    double y = 0;
    std::string z;  // the sixth field as written; empty when none
};
struct SimaParcelRecords {
    SimaRecord start;                 // its D00
    std::vector<SimaRecord> corners;  // its B01s, in order
};

struct SimaRecords {
    std::string title;                       // the first G00's third field (after the record type and the version code)
    std::vector<SimaPointRecord> points;     // A01, in file order
    std::vector<SimaParcelRecords> parcels;  // in file order
    std::optional<ReadFault> fault;          // the first record that is not read; the lists hold what came before
};

// A SIMA file: one record a line, split at commas (FieldSplitter, quotes
// included), the first field the record type.
//  - G00,version,title: the title (the first G00 only).
//  - A01,number,name,X,Y[,Z …]: a point; X and Y read as in a table (a
//    Value fault when missing or not finite).
//  - D00,number,name …: starts a parcel, and ends the one before it if no
//    D99 did; B01,number,name …: its next corner; D99 ends it.
//  - A B01 outside a parcel, and a parcel still open at the end of the
//    text (a cut-off file), are Whole faults.
//  - Every other record, a D99 with no parcel open, blank and comment lines
//    are skipped.
SimaRecords readSimaRecords(std::string_view text);

// A parcel as messages name it: its D00 name, or its number when the name is empty.
const std::string& parcelLabel(const SimaRecord& start);

}  // namespace survey
