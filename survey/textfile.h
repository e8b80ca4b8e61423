// The text of a file or of a paste as the point readers take it: bytes to
// UTF-8, lines, fields (double quotes included), numbers as spreadsheets
// write them, and lines as messages quote them. Standard C++ only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace survey {

// ---- Bytes to text ----------------------------------------------------------------

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

// A file's bytes as text, or the Japanese sentence that refuses them: empty
// bytes, a UTF-16 byte order mark, bytes decodeText finds no text in. A
// last byte 0x1A (the end-of-file mark of DOS programs) is dropped first.
struct FileText {
    std::string text;
    std::string error;  // empty when `text` holds the text
};
FileText fileText(std::string_view bytes);

// ---- Lines ------------------------------------------------------------------------

// The lines of a text, numbered from 1: CR LF, LF and a lone CR end one; a
// byte order mark at the start is skipped.
class LineReader {
public:
    explicit LineReader(std::string_view text);
    // The next line, without its end; false after the last one.
    bool next(std::string_view& line);
    // The number of the line `next` gave last.
    std::size_t number() const { return number_; }

private:
    std::string_view rest_;
    std::size_t number_ = 0;
    bool done_ = false;
};

// A comment line: '#' is its first character that is not a blank.
bool isCommentLine(std::string_view line);

// ---- Fields -----------------------------------------------------------------------

// What a line's fields are split at.
enum class Separator { Blanks, Tab, Comma };

// A table line's separator: a tab if the line has one outside double
// quotes, else a comma if it has one there, else runs of blanks.
Separator separatorOf(std::string_view line);

// Splits lines into fields, the views valid until the next split.
//  - A field is trimmed of blanks (ASCII space, tab, U+3000).
//  - A field that starts with a double quote runs to the quote that closes
//    it, separators and blanks inside kept, a doubled quote read as one;
//    what follows the closing quote up to the separator is added, trimmed.
//    A quote that is never closed runs to the end of the line. A quote
//    inside a field that did not start with one is an ordinary character.
//  - With Separator::Blanks, fields are the runs of non-blanks (and quoted
//    fields); with a tab or a comma, every separator ends a field.
class FieldSplitter {
public:
    // Splits `line`; returns count().
    std::size_t split(std::string_view line, Separator separator);
    // The number of fields up to the last one that is not empty (0 for a
    // line with no text in any field).
    std::size_t count() const { return count_; }
    // Field i, or empty text when i >= count().
    std::string_view operator[](std::size_t i) const { return i < count_ ? fields_[i] : std::string_view(); }

private:
    std::vector<std::string_view> fields_;
    std::string scratch_;  // unquoted text of quoted fields; never reallocated during a split
    std::size_t count_ = 0;
};

// ---- Numbers ----------------------------------------------------------------------

// A field read as a number: full-width digits and signs as asciiNumberForm
// (text.h) folds them, then strictNumber (arith.h), which also takes
// thousands separators as spreadsheets write them: "-35,000.123", one to
// three digits and then groups of a comma and three digits, before any
// decimal point. (A comma-separated line keeps such a field whole only in
// double quotes.) TooLarge for a number beyond the range of a double.
struct FieldNumber {
    enum class Kind { None, Finite, TooLarge };
    Kind kind = Kind::None;
    double value = 0;  // when Finite
};
FieldNumber fieldNumber(std::string_view field);

// A whole number from 1 to `max`: digits only (full-width ones too, and
// thousands separators as above), leading zeros allowed; none otherwise.
std::optional<std::int64_t> wholeNumber(std::string_view field, std::int64_t max);

// ---- Messages ---------------------------------------------------------------------

// Text as a message quotes it: trimmed, control codes as blanks, at most
// 40 characters and then "…".
std::string quotedText(std::string_view text);

// "3 行目"
std::string lineLabel(std::size_t number);

}  // namespace survey
