// Survey arithmetic shared by every calculation screen: how typed text
// becomes a number, packed angles, directions, d-m-s, rounding and the two
// number texts (screen and result file). Standard C++ only.
//
// Conventions: X is the northing, Y the easting; a direction angle is
// measured clockwise from +X in degrees, 0 <= angle < 360; lengths in metres.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace survey {

// The degrees in one radian, as the screens hold it in their hidden label.
inline constexpr std::string_view kDegreeConstantText = "57.2957795130823208767981548141052";

// ---- Reading typed text --------------------------------------------------

// Leading-number reading: skips leading blanks (ASCII space, tab, U+3000),
// takes an optional sign, digits, at most one '.', more digits and an
// optional exponent (e/E, optional sign, digits), and stops at the first
// character that does not fit. Text with no leading number gives 0. Never
// fails; a value beyond the range of a double gives +-infinity.
double leadingNumber(std::string_view text);

// Strict reading: the whole text, apart from leading and trailing blanks,
// must be one number in the form above (at least one digit). Otherwise, or
// when the value is beyond the range of a double, no value.
std::optional<double> strictNumber(std::string_view text);

// ---- Rounding --------------------------------------------------------------

// Rounds v to n decimals (0 <= n <= 15), halves to the even digit. The
// decision is made on the shortest decimal text that reads back as v (the
// digits typed or shown), so a double that reads as a decimal half is that
// half whichever side of it its binary value lies: 0.0005 -> 0 at n = 3,
// 0.125 -> 0.12 and 2.675 -> 2.68 at n = 2. A computed value up to 4 ulps
// off a half counts as the half too (seconds of 2.5000000000000004 -> 2),
// but only while 4 ulps are below a thousandth of the last place kept, so
// a value with no more than n decimals comes back unchanged at every
// magnitude (923456789012.347 at n = 3). Non-finite values come back
// unchanged; -0 and results that round to zero come back as +0.
double roundHalfEven(double v, int n);

// Truncates v toward zero to n decimals (0 <= n <= 15), on the same
// shortest decimal text (0.29 -> 0.29, not 0.28; 2E15 -> 2E15 at n = 0).
// A computed value up to 4 ulps short of the next decimal step counts as
// that step (0.9999999999999998 -> 1 at n = 4), under the same limit as
// above. Non-finite values come back unchanged; -0 comes back as +0.
double truncateTo(double v, int n);

// ---- Angles ------------------------------------------------------------------

// A packed angle ddd.mmss split into its typed parts. Minutes and seconds
// of 60 or more are kept as typed (45.6000 is 45 deg 60 min = 46 deg).
struct PackedAngle {
    double degrees;  // whole degrees, sign of the input
    double minutes;  // whole minutes, sign of the input
    double seconds;  // seconds with their fraction, sign of the input
    double decimalDegrees() const { return degrees + (minutes + seconds / 60.0) / 60.0; }
};

// Splits a packed angle exactly as its decimal digits were typed: the
// binary error of v is removed by rounding the minute part to 10 decimals
// and the seconds to 8 before each truncation, so 45.3000 is 45 30 00.
PackedAngle splitPacked(double v);

// Packed angle -> decimal degrees (131.0130 -> 131.025).
double packedToDegrees(double v);

// The degree constant as a number (57.29577951308232).
double degreeConstant();

// ---- Directions and distances ------------------------------------------------

// Direction-angle rule from (x1, y1) to (x2, y2), in degrees in [0, 360).
// An exactly zero difference is replaced by 1E-19 (X first, then Y), so due
// north gives a tiny positive angle, due south 180 and coincident points 45.
// degConst is the degree constant the screen holds.
double directionAngle(double x1, double y1, double x2, double y2, double degConst);

// Point distance, sqrt(dx^2 + dy^2) of the plain differences, rounded to
// 3 decimals (halves to even). Infinity when the differences overflow.
double pointDistance(double x1, double y1, double x2, double y2);

// A direction split for display: whole degrees 0..359, whole minutes 0..59,
// whole seconds 0..59.
struct Dms {
    int d;
    int m;
    int s;
};

// D-m-s conversion of theta (0 <= theta < 360): degrees and minutes
// truncated, seconds rounded halves to even, then the carries 60" -> 1',
// 60' -> 1 deg, 360 deg -> 0 (359.99999 gives 0 0 0). Other finite theta
// is first brought into [0, 360); NaN and infinities give 0 0 0.
Dms toDms(double theta);

// The carries after the seconds of a d-m-s split have been rounded:
// 60" -> 1', 60' -> 1 deg, 360 deg -> 0.
void carryDms(int& d, int& m, double& s);

// ---- Number texts -------------------------------------------------------------

// Number text on screen: at most 15 significant digits, no trailing zeros,
// "0." before a fraction (0.5), a leading '-' when negative, "0" for zero
// and for -0. Magnitudes from 1E15 up and below 1E-5 are written in
// E notation with at least two exponent digits (1.23456789012346E+15,
// 1.5E-06). Rounded to 15 digits as printf rounds them: on the exact binary
// value of v, so a double that is exactly a half between two 15-digit texts
// goes to the even digit, not away from zero (1234567890123465 ->
// 1.23456789012346E+15), and one that only comes near a half goes the side
// its binary value lies on. At the top of the range, where the rounded text
// would pass the largest double and no longer read back, the digits beyond
// the 15th of the shortest text are cut instead (1.79769313486231E+308 for
// the largest double). NaN and infinities give "NaN", "Infinity",
// "-Infinity".
std::string numberText(double v);

// Print number form of the result files: ' ' (zero or positive) or '-',
// the magnitude as numberText writes it but with no zero before the
// decimal point (.5, 1.5E-06), then one blank: 30 -> " 30 ", -0.25 -> "-.25 ".
std::string printNumber(double v);

// Room that one number text or print number form needs at most.
inline constexpr std::size_t kPrintNumberMax = 32;

// Writes printNumber(v) at out, which has room for kPrintNumberMax chars,
// and returns the end of what it wrote.
char* writePrintNumber(char* out, double v);

}  // namespace survey
