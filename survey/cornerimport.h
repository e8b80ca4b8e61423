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

namespace survey {

// The bytes of a file or of the clipboard as UTF-8 text:
//  - valid UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF)
//    is taken as it is, with a byte order mark at the start dropped; after
//    such a mark the rest must be UTF-8;
//  - otherwise CP932 (Shift-JIS with the Windows extensions): the bytes 0x80
//    and 0xA0 only as the second byte of a double-byte character, 0xFD to
//    0xFF never (some converters read them as control or private-use
//    characters, others refuse them), and every double-byte character one
//    the code page has;
//  - none when the bytes are neither, or when they hold a NUL byte (no text
//    file does; binaries and UTF-16 files do).
// Empty bytes give empty text.
std::optional<std::string> decodeText(std::string_view bytes);

// One parcel of a SIMA file.
struct SimaParcel {
    std::string name;             // the parcel's name, or its number when it has no name
    std::vector<Corner> corners;  // in the order of its B01 records
};

// What a reader found: corners, parcels, or a refusal. When something is
// taken, `error` is empty, every coordinate is finite and at least one of
// the two lists holds something; on a refusal `error` holds a Japanese
// sentence for the user and both lists are empty: nothing is taken.
struct CornerSource {
    std::vector<Corner> corners;      // a table's corners; SIMA without parcels: every A01 point in file order
    std::vector<SimaParcel> parcels;  // SIMA parcels in file order (then `corners` is empty)
    std::string error;
};

// A table, one corner a line: "X Y" (X the northing first), or "name X Y".
//  - Fields: a line holding a tab is split at every tab, else a line holding
//    a comma at every comma, else at every run of blanks (ASCII space,
//    U+3000). Fields are trimmed of blanks; empty fields at the end of a
//    line are dropped; a line with no field left is blank and skipped.
//  - Two fields are X and Y; three are a name (any text, empty included)
//    then X and Y. Any other count is refused: four fields may be a name
//    with X Y and a height, or a number and a name before X Y, and a
//    guess could take the wrong columns.
//  - Every corner line has the field count of the first one; a line that
//    differs (a spreadsheet row missing a cell at its end) is refused.
//  - X and Y are read strictly (strictNumber) after asciiNumberForm
//    (text.h) and must be finite; an empty cell between two others is no
//    number.
//  - The first line that is not blank is a header, and skipped, when none of
//    its fields reads as a number.
// Refusals: "3 行目を座標として読めません：「abc」" for a line that is not a
// corner (the line shortened to 40 characters, control codes shown as
// blanks); "5 行目の列の数が 2 行目と違います：「…」"; "座標が見つかりません。"
// when no corner is found.
CornerSource readCornerTable(std::string_view utf8Text);

// A SIMA file: one record a line, its fields split at commas and trimmed of
// blanks, the first field the record type.
//  - A01, number, name, X, Y[, height …]: a point. X and Y are read as in a
//    table; a record without them is refused with its line number, as a
//    table line is.
//  - D00, number, name …: starts a parcel; B01, number, name …: its next
//    corner, the A01 point of that very number and name; D99 ends it. The
//    parcel's name is the D00 name, or its number when the name is empty.
//    A B01 may come before or after the A01 it names.
//  - Every other record (G00, Z00, A00, A99, C.., E.., F.., anything else)
//    and blank lines are skipped, as is a D99 with no parcel open.
// With one parcel or more, `parcels` holds them (an empty parcel included)
// and `corners` is empty; with none, `corners` holds every A01 point in
// file order, and a file without A01 points is refused
// ("座標が見つかりません。"). Also refused: a B01 outside a parcel, a D00
// before the previous parcel's D99, a parcel with no D99 (a cut-off file),
// a B01 whose point the file lacks, and a B01 whose number and name belong
// to two A01 points of different coordinates; the message names the line,
// the parcel and the point.
CornerSource readSima(std::string_view utf8Text);

// A file's bytes: refused when empty, when they start with a UTF-16 byte
// order mark, or when decodeText finds no text in them; a last byte 0x1A
// (the end-of-file mark of DOS programs) is dropped first. The text is SIMA
// when its first line that is not blank has G00, Z00, A00 or D00 before
// its first comma, or A01 and five comma-separated fields or more, empty
// ones at the end not counted (a table line whose point is named "A01" has
// three); it is then read by readSima, any other text by readCornerTable.
CornerSource readCornerFile(std::string_view bytes);

}  // namespace survey
