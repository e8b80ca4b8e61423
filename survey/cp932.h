// Text to and from CP932 (Shift-JIS with the Windows extensions), the code
// page of the result files. Standard C++; the system's converter does the
// table work (platform.h), and the rules here make the outcome the same on
// every system.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace survey {

// UTF-8 text -> CP932 bytes.
//  - ASCII, control codes included, keeps its byte values.
//  - Characters that CP932 only has as a look-alike are written as that
//    look-alike: U+301C -> U+FF5E, U+2212 -> U+FF0D, U+2016 -> U+2225,
//    U+00A5 -> U+FFE5, U+2014 -> U+2015, U+00A2 -> U+FFE0, U+00A3 -> U+FFE1,
//    U+00AC -> U+FFE2 (the JIS form and the Windows form of one character).
//  - Every other character is stored only when its bytes read back as that
//    very character; the C1 control codes and the private-use characters
//    that some converters put on single bytes are refused everywhere.
// On a refusal `ok` is false, the bytes are empty and `offending` holds the
// first character that cannot be stored, as UTF-8 (a whole code point;
// U+FFFD for bytes that are not UTF-8 at all).
struct Cp932 {
    bool ok = false;
    std::string bytes;
    std::string offending;
};
Cp932 toCp932(std::string_view utf8);

// CP932 bytes -> UTF-8; none when the bytes are not CP932.
std::optional<std::string> fromCp932(std::string_view bytes);

// "1F600" for the first code point of UTF-8 text: hex, at least four digits.
std::string codePointLabel(std::string_view utf8);

}  // namespace survey
