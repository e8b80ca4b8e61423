// Corners taken from outside the program instead of typed one by one: a
// table pasted from a spreadsheet or read from a CSV or text file, and SIMA
// files, the common coordinate format of the Japanese surveying-instrument
// makers. Pure functions of their input; standard C++ only.
//
// The readers apply no limit to the number of corners (the screen knows how
// many it holds already). Memory grows linearly with the input, and so does
// time, but for the sorting of a SIMA file's points when it has parcels
// (n log n, whatever the names).
// A line break is CR LF, LF or a lone CR; lines are numbered from 1 as the
// text has them, blank lines and headers included.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "survey/area.h"
#include "survey/pointrows.h"
#include "survey/textfile.h"  // decodeText

namespace survey {

// One parcel of a SIMA file.
struct SimaParcel {
    std::string name;             // the parcel's name, or its number when it has no name
    std::vector<Corner> corners;  // in the order of its B01 records
};

// What a reader found: corners, parcels, or a refusal. When something is
// taken, `error` is empty, every coordinate is finite and at least one of
// the two lists holds something; on a refusal `error` holds a Japanese
// sentence for the user and both lists are empty: nothing is taken. A
// table whose columns cannot be told apart is refused with `columns`
// holding its first lines, so that the user may say what each column is
// and the table be read again with those roles.
struct CornerSource {
    std::vector<Corner> corners;      // a table's corners; SIMA without parcels: every A01 point in file order
    std::vector<SimaParcel> parcels;  // SIMA parcels in file order (then `corners` is empty)
    std::string error;
    std::optional<TableSample> columns;
};

// A table, one corner a line, its columns and fields as readTableRows
// (pointrows.h) reads them: by `roles` when not empty, else by a header
// line (点番, 点名, X, Y, Z … in any order), else by the shape of the first
// line of points ("X Y", "name X Y", "number name X Y [Z]"). Only X and Y
// are taken; point numbers, names and Z are not looked at.
// Refusals: "3 行目を座標として読めません：「abc」" for a line whose X or Y
// does not read (the line shortened to 40 characters, control codes shown
// as blanks), or whose columns do not fit when it is the first line of
// corners; "5 行目の列の数が 2 行目と違います：「…」" for a later line with
// columns beyond the table's or without X or Y; a sentence naming the first
// line of corners, with `columns`, when the columns are open;
// "座標が見つかりません。" when no corner is found.
CornerSource readCornerTable(std::string_view utf8Text, const ColumnRoles& roles = {});

// A SIMA file, its records as readSimaRecords (pointrows.h) reads them:
// fields split at commas outside double quotes, comment and blank lines
// skipped.
//  - A01, number, name, X, Y[, height …]: a point. A record without a
//    readable X and Y is refused with its line number, as a table line is.
//  - D00, number, name …: starts a parcel (and ends the one before, if no
//    D99 did); B01, number, name …: its next corner; D99 ends it. The
//    parcel's name is the D00 name, or its number when the name is empty.
//    A B01 may come before or after the A01 it names: the point of that
//    number and name; for a B01 without a name, the point of that number
//    and no name, else the one point of that number whatever its name.
//  - Every other record (G00, Z00, A00, A99, C.., E.., F.., anything else)
//    is skipped, as is a D99 with no parcel open.
// With one parcel or more, `parcels` holds them (an empty parcel included)
// and `corners` is empty; with none, `corners` holds every A01 point in
// file order, and a file without A01 points is refused
// ("座標が見つかりません。"). Also refused: a B01 outside a parcel, a parcel
// with no D99 at the end of the file (a cut-off file), a B01 whose point
// the file lacks, one whose name differs from the A01's of that number,
// and one that fits A01 points of different coordinates; the message names
// the line, the parcel and the point.
CornerSource readSima(std::string_view utf8Text);

// A file's bytes, as fileText (textfile.h) takes them: refused when empty,
// when they start with a UTF-16 byte order mark, or when decodeText finds
// no text in them; a last byte 0x1A is dropped first. The text is read by
// readSima when isSimaText (pointrows.h) says it is SIMA, else by
// readCornerTable with `roles`.
CornerSource readCornerFile(std::string_view bytes, const ColumnRoles& roles = {});

}  // namespace survey
