#include "survey/arith.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <system_error>

#include "survey/text.h"

namespace survey {
namespace {

// A computed value is taken as a decimal mark (a half when rounding, the
// next step when truncating) when it lies at most this many ulps from it,
// as long as those ulps are at most this share of one decimal step: beyond
// that the double itself cannot tell arithmetic error from a real
// difference, and the value is taken as it stands.
constexpr double kErrorUlps = 4.0;
constexpr double kErrorShare = 1e-3;

int clampDecimals(int n) { return std::clamp(n, 0, 15); }

// ---- Scanning ----------------------------------------------------------------

bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct Scanned {
    std::size_t length = 0;  // characters taken, 0 when there is no number
    double value = 0.0;
    bool outOfRange = false;  // too large for a double (tiny values give 0)
};

// Reads the number at the very start of s: [+-] digits [. digits] [e [+-] digits],
// at least one mantissa digit; an exponent without digits is not taken.
Scanned scanNumber(std::string_view s) {
    Scanned out;
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    // Decimal position of the first nonzero digit: number of places it sits
    // left of the units place (negative for fractions). Used only to tell
    // overflow from underflow.
    long long leadPos = 0;
    bool seenNonzero = false;
    long long intDigits = 0;
    while (i < s.size() && isDigit(s[i])) {
        if (seenNonzero) ++intDigits;
        if (!seenNonzero && s[i] != '0') {
            seenNonzero = true;
            intDigits = 1;
        }
        ++digits;
        ++i;
    }
    if (seenNonzero) leadPos = intDigits - 1;
    if (i < s.size() && s[i] == '.') {
        ++i;
        long long place = 0;
        while (i < s.size() && isDigit(s[i])) {
            ++place;
            if (!seenNonzero && s[i] != '0') {
                seenNonzero = true;
                leadPos = -place;
            }
            ++digits;
            ++i;
        }
    }
    if (digits == 0) return out;
    std::size_t end = i;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            expNegative = s[j] == '-';
            ++j;
        }
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j])) {
                exponent = std::min<long long>(exponent * 10 + (s[j] - '0'), 1000000000LL);
                ++j;
            }
            if (expNegative) exponent = -exponent;
            end = j;
        }
    }
    out.length = end;

    // from_chars takes no '+' and ignores the locale.
    const char* first = s.data() + mantissaStart;
    const char* last = s.data() + end;
    double magnitude = 0.0;
    const auto result = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        if (seenNonzero && leadPos + exponent > 0) {
            magnitude = HUGE_VAL;
            out.outOfRange = true;
        } else {
            magnitude = 0.0;
        }
    } else if (result.ec != std::errc() || result.ptr != last) {
        magnitude = 0.0;  // cannot happen for the text scanned above
    }
    out.value = negative ? -magnitude : magnitude;
    if (out.value == 0.0) out.value = 0.0;  // no -0
    return out;
}

// ---- Decimal digits ----------------------------------------------------------

// A positive finite magnitude as significant decimal digits, with no
// trailing zeros: digits[0].digits[1]... times 10^exponent.
struct Decimal {
    char digits[24];
    int count = 0;
    int exponent = 0;
};

// Reads what to_chars wrote in scientific form ("d.ddde+XX").
Decimal parseScientific(const char* first, const char* last) {
    Decimal d;
    const char* p = first;
    for (; p != last && *p != 'e'; ++p) {
        if (isDigit(*p)) d.digits[d.count++] = *p;
    }
    while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
    if (p != last) {
        ++p;  // 'e'
        if (p != last && *p == '+') ++p;
        std::from_chars(p, last, d.exponent);
    }
    return d;
}

// The shortest digits that read back as the same double.
Decimal shortestDecimal(double a) {
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific);
    return parseScientific(buf, r.ptr);
}

// The digits of a rounded to 15 significant places as printf rounds them,
// on the exact binary value, an exact half to the even digit. Where that
// would pass the largest double (its text would no longer read back) the
// 16th place and beyond are cut instead.
Decimal significant15(double a) {
    Decimal d = shortestDecimal(a);
    // For a normal double the shortest text of up to 15 digits is already the
    // rounded one; a subnormal has fewer bits than that and is rounded anew.
    if (d.count <= 15 && a >= DBL_MIN) return d;
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14);
    double back = 0.0;
    if (std::from_chars(buf, r.ptr, back).ec == std::errc()) return parseScientific(buf, r.ptr);
    d.count = 15;
    while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
    return d;
}

// The double nearest to `whole` * 10^-n, `whole` given as digits (none: 0).
double scaledWhole(const char* digits, int count, int n) {
    if (count == 0) return 0.0;
    char buf[48];
    char* p = std::copy(digits, digits + count, buf);
    *p++ = 'e';
    p = std::to_chars(p, buf + sizeof buf, -n).ptr;
    double out = 0.0;
    std::from_chars(buf, p, out);
    return out;
}

// Adds one to a run of decimal digits, growing it by a digit on a carry out
// of the first; buf has room for one more.
int incremented(char* buf, int count) {
    for (int i = count - 1; i >= 0; --i) {
        if (buf[i] != '9') {
            ++buf[i];
            return count;
        }
        buf[i] = '0';
    }
    std::copy_backward(buf, buf + count, buf + count + 1);
    buf[0] = '1';
    return count + 1;
}

}  // namespace

// ---- Reading typed text --------------------------------------------------------

double leadingNumber(std::string_view text) { return scanNumber(skipBlanks(text)).value; }

std::optional<double> strictNumber(std::string_view text) {
    const std::string_view body = trimBlanks(text);
    const Scanned n = scanNumber(body);
    if (n.length == 0 || n.length != body.size() || n.outOfRange) return std::nullopt;
    return n.value;
}

// ---- Rounding ------------------------------------------------------------------

// Both work on the shortest decimal text of the value, the digits the user
// typed or sees: a double that reads as 2.675 is rounded as 2.675, whatever
// its binary error, and a value with no more decimals than asked for comes
// back unchanged at every magnitude.

namespace {

bool withinArithmeticError(double a, double mark, int n) {
    const double reach = kErrorUlps * (std::nextafter(a, HUGE_VAL) - a);
    return std::fabs(a - mark) <= reach && reach <= kErrorShare * std::pow(10.0, -n);
}

}  // namespace

double roundHalfEven(double v, int n) {
    if (!std::isfinite(v) || v == 0.0) return v == 0.0 ? 0.0 : v;
    n = clampDecimals(n);
    const double a = std::fabs(v);
    const Decimal d = shortestDecimal(a);
    const int keep = d.exponent + 1 + n;  // digits left of the cut
    if (keep >= d.count) return v;
    if (keep < 0) return 0.0;  // below a tenth of the last place kept
    char whole[24];
    std::copy(d.digits, d.digits + keep, whole);
    const char next = d.digits[keep];
    bool half = next == '5' && d.count == keep + 1;
    if (!half && (next == '4' || next == '5')) {
        whole[keep] = '5';
        half = withinArithmeticError(a, scaledWhole(whole, keep + 1, n + 1), n);
    }
    const bool lastOdd = keep > 0 && (whole[keep - 1] - '0') % 2 != 0;
    const bool up = half ? lastOdd : next >= '5';
    const double r = scaledWhole(whole, up ? incremented(whole, keep) : keep, n);
    if (r == 0.0) return 0.0;
    return v < 0 ? -r : r;
}

double truncateTo(double v, int n) {
    if (!std::isfinite(v) || v == 0.0) return v == 0.0 ? 0.0 : v;
    n = clampDecimals(n);
    const double a = std::fabs(v);
    const Decimal d = shortestDecimal(a);
    const int keep = d.exponent + 1 + n;
    if (keep >= d.count) return v;
    const int count = std::max(keep, 0);
    char whole[24];
    std::copy(d.digits, d.digits + count, whole);
    char after[24] = {'1'};  // the next step away from zero
    int afterCount = 1;
    if (count > 0) {
        std::copy(whole, whole + count, after);
        afterCount = incremented(after, count);
    }
    const double next = scaledWhole(after, afterCount, n);
    const double r = withinArithmeticError(a, next, n) ? next : scaledWhole(whole, count, n);
    if (r == 0.0) return 0.0;
    return v < 0 ? -r : r;
}

// ---- Angles --------------------------------------------------------------------

PackedAngle splitPacked(double v) {
    if (!std::isfinite(v)) return {v, 0.0, 0.0};
    const double degrees = std::trunc(v) + 0.0;  // + 0.0 turns -0 into 0
    const double m = roundHalfEven((v - degrees) * 100.0, 10);
    const double minutes = std::trunc(m) + 0.0;
    const double seconds = roundHalfEven((m - minutes) * 100.0, 8);
    return {degrees, minutes, seconds};
}

double packedToDegrees(double v) { return splitPacked(v).decimalDegrees(); }

double degreeConstant() {
    static const double value = [] {
        double d = 0.0;
        std::from_chars(kDegreeConstantText.data(), kDegreeConstantText.data() + kDegreeConstantText.size(), d);
        return d;
    }();
    return value;
}

// ---- Directions and distances ------------------------------------------------------

double directionAngle(double x1, double y1, double x2, double y2, double degConst) {
    double dx = x2 - x1;
    double dy = y2 - y1;
    if (dx == 0.0) dx = 1e-19;
    if (dy == 0.0) dy = 1e-19;
    double theta = std::atan(dy / dx) * degConst;
    if (dx > 0 && dy > 0) {
        // first quadrant as it is
    } else if (dx > 0 && dy < 0) {
        theta += 360.0;
    } else if (dx < 0 && dy > 0) {
        theta += 180.0;
    } else if (dx < 0 && dy < 0) {
        theta += 180.0;
    }
    // A tiny negative arctangent plus 360 can round to 360 itself: that is
    // the direction 0.
    if (theta >= 360.0) theta -= 360.0;
    return theta;
}

double pointDistance(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double squares = dx * dx + dy * dy;
    // hypot only where the squares leave the range; it stays finite as long
    // as the distance itself fits.
    const double d = std::isfinite(squares) ? std::sqrt(squares) : std::hypot(dx, dy);
    return roundHalfEven(d, 3);
}

Dms toDms(double theta) {
    if (!std::isfinite(theta)) return {0, 0, 0};
    if (theta < 0.0 || theta >= 360.0) {
        theta = std::fmod(theta, 360.0);
        if (theta < 0.0) theta += 360.0;
        if (theta >= 360.0) theta = 0.0;
    }
    const double d = std::trunc(theta);
    double f = (theta - d) * 60.0;
    const double m = std::trunc(f);
    f = (f - std::trunc(f)) * 60.0;
    int whole = static_cast<int>(d), minutes = static_cast<int>(m);
    double s = roundHalfEven(f, 0);
    carryDms(whole, minutes, s);
    return {whole, minutes, static_cast<int>(s)};
}

void carryDms(int& d, int& m, double& s) {
    if (s >= 60.0) {
        s -= 60.0;
        m += 1;
    }
    if (m >= 60) {
        m -= 60;
        d += 1;
    }
    if (d >= 360) d -= 360;
}

// ---- Number texts ----------------------------------------------------------------

namespace {

char* writeSpecial(char* out, double v) {
    const std::string_view t = std::isnan(v) ? "NaN" : (v < 0 ? "-Infinity" : "Infinity");
    return std::copy(t.begin(), t.end(), out);
}

// Most numbers of a record: from 1E-5 up to 1E15, where the layout is
// fixed-point, the shortest fixed text is the number text itself as long
// as it has at most 15 significant digits. Null when it does not apply.
char* writeShortFixed(char* out, double a, bool zeroBeforePoint) {
    if (!(a >= 1e-5 && a < 1e15)) return nullptr;
    char* const end = std::to_chars(out, out + 28, a, std::chars_format::fixed).ptr;
    const char* first = out;
    while (first != end && (*first == '0' || *first == '.')) ++first;
    if (end - first - std::count(first, static_cast<const char*>(end), '.') > 15) return nullptr;
    if (!zeroBeforePoint && out[0] == '0') {
        std::memmove(out, out + 1, std::size_t(end - out - 1));
        return end - 1;
    }
    return end;
}

// The digits of a finite nonzero |v| in the number text's layout;
// `zeroBeforePoint` writes "0.5" rather than ".5".
char* writeMagnitude(char* out, double a, bool zeroBeforePoint) {
    if (char* end = writeShortFixed(out, a, zeroBeforePoint)) return end;
    const Decimal d = significant15(a);
    const int e = d.exponent;
    if (e >= 15 || e < -5) {
        *out++ = d.digits[0];
        if (d.count > 1) {
            *out++ = '.';
            out = std::copy(d.digits + 1, d.digits + d.count, out);
        }
        *out++ = 'E';
        *out++ = e < 0 ? '-' : '+';
        if (std::abs(e) < 10) *out++ = '0';
        return std::to_chars(out, out + 4, std::abs(e)).ptr;
    }
    if (e >= 0) {
        const int intLen = e + 1;
        if (d.count <= intLen) {
            out = std::copy(d.digits, d.digits + d.count, out);
            return std::fill_n(out, intLen - d.count, '0');
        }
        out = std::copy(d.digits, d.digits + intLen, out);
        *out++ = '.';
        return std::copy(d.digits + intLen, d.digits + d.count, out);
    }
    if (zeroBeforePoint) *out++ = '0';
    *out++ = '.';
    out = std::fill_n(out, -e - 1, '0');
    return std::copy(d.digits, d.digits + d.count, out);
}

}  // namespace

std::string numberText(double v) {
    char buf[kPrintNumberMax];
    char* end = buf;
    if (!std::isfinite(v)) {
        end = writeSpecial(buf, v);
    } else if (v == 0.0) {
        *end++ = '0';
    } else {
        if (v < 0) *end++ = '-';
        end = writeMagnitude(end, std::fabs(v), true);
    }
    return std::string(buf, end);
}

char* writePrintNumber(char* out, double v) {
    *out++ = v < 0 ? '-' : ' ';
    if (!std::isfinite(v)) {
        out = writeSpecial(out, std::fabs(v));
    } else if (v == 0.0) {
        *out++ = '0';
    } else {
        out = writeMagnitude(out, std::fabs(v), false);
    }
    *out++ = ' ';
    return out;
}

std::string printNumber(double v) {
    char buf[kPrintNumberMax];
    return std::string(buf, writePrintNumber(buf, v));
}

}  // namespace survey
