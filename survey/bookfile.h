// The book of points (pointbook.h) in files: read from SIMA or from a
// table, written as SIMA or as CSV in CP932, and saved whole or not at all.
// Standard C++ only; the system calls are platform.h's.
//
// Reading is linear in the input but for sorting the points by number
// (n log n); writing is linear in the book.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "survey/pointbook.h"
#include "survey/pointrows.h"
#include "survey/resultfile.h"

namespace survey {

// ---- Reading ----------------------------------------------------------------------

// What the reader found: a book, or a refusal. When `error` is empty the
// book holds a point or a parcel at least, every coordinate is finite and
// every parcel's corners are points of the book. On a refusal the book is
// empty and `error` holds a Japanese sentence naming the line, its text and
// the reason ("3 行目「K1,abc,2」：X が数値ではありません。"); when the
// refusal is a table whose columns cannot be told apart, `columns` holds its
// first lines, for the user to say what each column is (then read again
// with those roles).
struct BookReading {
    PointBook book;
    std::string error;
    std::optional<TableSample> columns;
    bool ok() const { return error.empty(); }
};

// A file's bytes or a pasted text, UTF-8 or CP932 (fileText, textfile.h:
// the same refusals of empty, UTF-16 and binary bytes). SIMA when
// isSimaText says so (pointrows.h), else a table; `roles` gives a table's
// columns (SIMA ignores them). Records, fields and X Y are read as
// readSimaRecords and readTableRows say; then:
//  - a point number (A01's, or a table's number column) is a whole number
//    from 1 to kMaxPointNumber (wholeNumber); one that a line before used is
//    refused, naming that line; a table without a number column numbers
//    its points 1, 2, 3 … in order;
//  - Z (A01's sixth field, a table's Z column) is none when empty, else a
//    finite number;
//  - the title is G00's third field (G00,version,title); a table has none;
//  - a parcel (D00) has a whole number from 1 to kMaxPointNumber; each B01
//    names a point of the file by number alone when its name is empty, by
//    number and name otherwise: a B01 whose point the file lacks, or whose
//    name differs from its A01's, is refused;
//  - a text without points and parcels is refused ("座標が見つかりません。").
// The first fault in the text is the one told; the B01s are matched once
// every other record reads.
BookReading readBook(std::string_view bytes, const ColumnRoles& roles = {});

// ---- Writing ----------------------------------------------------------------------

// A book written as the bytes of a file, or why not.
struct BookBytes {
    std::string bytes;      // CP932
    std::string error;      // a Japanese sentence; empty when written
    std::string offending;  // the character CP932 cannot hold (UTF-8), when that is why
    bool ok() const { return error.empty(); }
};

// Coordinates as written: the shortest text that reads back as the same
// double (std::to_chars), in fixed notation for magnitudes from 1e-5 up to
// below 1e15 ("-35000.123", "0.00001"), in E notation beyond
// ("1e+15", "1.5e-07"); -0 as "0".
std::string coordinateText(double v);

// SIMA, every line ended with CR LF:
//   G00,01,<title>,        01 the version code, the title as the book has it
//   Z00,座標ﾃﾞｰﾀ,
//   A00,
//   A01,<number>,<name>,<X>,<Y>,<Z>,   one a point, by number; Z empty when unknown
//   A99,
//   D00,<number>,<name>,1,             each parcel in order: its corners,
//   B01,<number>,<name>,               each with its point's name,
//   D99,                               and its end
// A name or a title that holds a comma, a double quote or a tab, or that
// starts or ends with a blank, is written in double quotes, quotes inside
// doubled, so that it reads back as it is.
// Refused, with nothing written: an empty book; a title or name holding a
// line break or NUL; a coordinate that is not finite; a parcel number below
// 1 or a corner the book lacks; a character CP932 cannot hold (`offending`,
// as toCp932 reports it; a character CP932 has only as a look-alike is
// written as that, and reads back as it). readBook gives the book back, and
// writeSima of that gives the same bytes.
BookBytes writeSima(const PointBook& book);

// CSV as a Japanese spreadsheet opens it, every line ended with CR LF:
//   点番,点名,X,Y,Z
//   <number>,<name>,<X>,<Y>,<Z>        one a point, by number; Z empty when unknown
// Names quoted as in SIMA. Only the points: no title, no parcels. Refused
// as writeSima refuses, a book without points too; readBook gives the
// points back, and writeCsv of them gives the same bytes.
BookBytes writeCsv(const PointBook& book);

// ---- Saving -----------------------------------------------------------------------

// Puts the bytes in place of the file, whole or not at all
// (platform::replaceFile): a full disk, a failed write or a refused rename
// leaves the old file as it was, or no file where there was none, and no
// file of its own behind. Cut short by seam::limitWrites (resultfile.h) as
// an append is. On failure `reason` tells why in Japanese and
// names no file (the caller does).
FileOutcome saveWhole(const std::filesystem::path& file, std::string_view bytes);

enum class BookFormat { Sima, Csv };

// The book written (writeSima or writeCsv) and saved (saveWhole). A
// character CP932 cannot hold gives Kind::Unencodable with `offending`, any
// other refusal of the writer Kind::Failed; nothing is written then.
FileOutcome saveBook(const std::filesystem::path& file, const PointBook& book, BookFormat format);

}  // namespace survey
