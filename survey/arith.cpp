#include "survey/arith.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace survey {
namespace {

// Powers of ten up to 1E15; all exact in a double.
constexpr std::array<double, 16> kPow10 = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
    1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// From 2^52 up a double has no fractional part left to round.
constexpr double kNoFraction = 4503599627370496.0;

// How close a scaled value must be to a half (rounding) or to the next whole
// number (truncation) to count as it: 4 * DBL_EPSILON relative, that is
// about 4 to 8 ulps. It absorbs the binary error of a typed decimal and of
// the scaling, and a few operations of arithmetic before it.
constexpr double kSnap = 4.0 * DBL_EPSILON;

int clampDecimals(int n) { return std::clamp(n, 0, 15); }

// ---- Scanning ----------------------------------------------------------------

// Length of the blank at the start of s (space, tab or U+3000), or 0.
std::size_t blankAt(std::string_view s) {
    if (s.empty()) return 0;
    if (s[0] == ' ' || s[0] == '\t') return 1;
    if (s.size() >= 3 && s.substr(0, 3) == "\xE3\x80\x80") return 3;
    return 0;
}

std::string_view skipBlanks(std::string_view s) {
    for (std::size_t n = blankAt(s); n != 0; n = blankAt(s)) s.remove_prefix(n);
    return s;
}

std::string_view trimTrailingBlanks(std::string_view s) {
    for (;;) {
        if (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
            s.remove_suffix(1);
        } else if (s.size() >= 3 && s.substr(s.size() - 3) == "\xE3\x80\x80") {
            s.remove_suffix(3);
        } else {
            return s;
        }
    }
}

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
        if (!seenNonzero && s[i] != '0') { seenNonzero = true; intDigits = 1; }
        ++digits;
        ++i;
    }
    if (seenNonzero) leadPos = intDigits - 1;
    if (i < s.size() && s[i] == '.') {
        ++i;
        long long place = 0;
        while (i < s.size() && isDigit(s[i])) {
            ++place;
            if (!seenNonzero && s[i] != '0') { seenNonzero = true; leadPos = -place; }
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

// ---- Number text -------------------------------------------------------------

// Significant digits (no trailing zeros) and decimal exponent of |v| rounded
// to 15 significant digits; v finite and nonzero.
void decimalDigits(double v, std::string& digits, int& exponent) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v),
                                 std::chars_format::scientific, 14);
    const std::string_view text(buf, static_cast<std::size_t>(r.ptr - buf));
    const std::size_t e = text.find('e');
    digits.clear();
    for (char c : text.substr(0, e)) {
        if (isDigit(c)) digits.push_back(c);
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string_view expText = text.substr(e + 1);
    if (!expText.empty() && expText[0] == '+') expText.remove_prefix(1);
    exponent = 0;
    std::from_chars(expText.data(), expText.data() + expText.size(), exponent);
}

}  // namespace

// ---- Reading typed text --------------------------------------------------------

double leadingNumber(std::string_view text) {
    return scanNumber(skipBlanks(text)).value;
}

std::optional<double> strictNumber(std::string_view text) {
    const std::string_view body = trimTrailingBlanks(skipBlanks(text));
    const Scanned n = scanNumber(body);
    if (n.length == 0 || n.length != body.size() || n.outOfRange) return std::nullopt;
    return n.value;
}

// ---- Rounding ------------------------------------------------------------------

namespace {

// Applies `whole` (which picks a whole number for a non-negative scaled
// value) to |v| * 10^n and scales back, keeping the sign. Zero results are
// +0; non-finite values and values with no fraction left come back as
// they are.
template <class Whole>
double atDecimals(double v, int n, Whole whole) {
    if (!std::isfinite(v)) return v;
    if (v == 0.0) return 0.0;
    const double scale = kPow10[static_cast<std::size_t>(clampDecimals(n))];
    const double x = std::fabs(v) * scale;
    if (x >= kNoFraction) return v;
    const double r = whole(x) / scale;
    if (r == 0.0) return 0.0;
    return v < 0 ? -r : r;
}

}  // namespace

double roundHalfEven(double v, int n) {
    return atDecimals(v, n, [](double x) {
        double whole = std::floor(x);
        const double frac = x - whole;  // exact
        if (std::fabs(frac - 0.5) <= kSnap * x) {
            if (std::fmod(whole, 2.0) != 0.0) whole += 1.0;
        } else if (frac > 0.5) {
            whole += 1.0;
        }
        return whole;
    });
}

double truncateTo(double v, int n) {
    return atDecimals(v, n, [](double x) {
        double whole = std::floor(x);
        if (whole + 1.0 - x <= kSnap * x) whole += 1.0;
        return whole;
    });
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
        std::from_chars(kDegreeConstantText.data(),
                        kDegreeConstantText.data() + kDegreeConstantText.size(), d);
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
    const double s = roundHalfEven(f, 0);
    Dms out{static_cast<int>(d), static_cast<int>(m), static_cast<int>(s)};
    if (out.s >= 60) {
        out.s -= 60;
        out.m += 1;
    }
    if (out.m >= 60) {
        out.m -= 60;
        out.d += 1;
    }
    if (out.d >= 360) out.d -= 360;
    return out;
}

// ---- Number texts ----------------------------------------------------------------

std::string numberText(double v) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v < 0 ? "-Infinity" : "Infinity";
    if (v == 0.0) return "0";

    std::string digits;
    int exponent = 0;
    decimalDigits(v, digits, exponent);

    std::string out;
    if (v < 0) out.push_back('-');
    if (exponent >= 15 || exponent < -5) {
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back('.');
            out.append(digits, 1);
        }
        out.push_back('E');
        out.push_back(exponent < 0 ? '-' : '+');
        const int a = exponent < 0 ? -exponent : exponent;
        if (a < 10) out.push_back('0');
        out.append(std::to_string(a));
    } else if (exponent >= 0) {
        const auto intLen = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intLen) {
            out.append(digits);
            out.append(intLen - digits.size(), '0');
        } else {
            out.append(digits, 0, intLen);
            out.push_back('.');
            out.append(digits, intLen);
        }
    } else {
        out.append("0.");
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out.append(digits);
    }
    return out;
}

std::string printNumber(double v) {
    std::string magnitude = numberText(std::fabs(v));
    if (magnitude.size() > 1 && magnitude[0] == '0' && magnitude[1] == '.') magnitude.erase(0, 1);
    std::string out(1, v < 0 ? '-' : ' ');
    out.append(magnitude);
    out.push_back(' ');
    return out;
}

}  // namespace survey
