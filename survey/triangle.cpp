#include "survey/triangle.h"

#include <cfloat>
#include <cmath>

#include "survey/arith.h"

namespace survey {
namespace {

// 180 degrees in seconds.
constexpr double kHalfTurnSeconds = 180.0 * 3600.0;

// How near a side may come to the sum of the other two, relative to the
// perimeter, and still count as equal to it: the binary error of typed
// decimals and of one addition.
constexpr double kFlat = 4.0 * DBL_EPSILON;

// A packed angle in degrees, and the same angle in whole seconds (exact, for
// the range tests).
struct Reading {
    double degrees;
    double seconds;
};

Reading readPacked(double v) {
    const PackedAngle p = splitPacked(v);
    const double s = std::trunc(p.seconds);
    return {p.degrees + (p.minutes + s / 60.0) / 60.0, (p.degrees * 60.0 + p.minutes) * 60.0 + s};
}

// Strictly between 0 and 180 degrees; false for NaN.
bool insideHalfTurn(double seconds) { return seconds > 0.0 && seconds < kHalfTurnSeconds; }

double side3(double v) { return roundHalfEven(v, 3); }

bool finite(const Triangle& t) {
    for (double v : {t.a, t.b, t.c, t.A, t.B, t.C, t.area})
        if (!std::isfinite(v)) return false;
    return true;
}

std::optional<Triangle> checked(const Triangle& t) {
    if (!finite(t)) return std::nullopt;
    return t;
}

// The cosine of the angle opposite `opposite`, between the sides `next` and
// `other`, by the cosine rule, in the order the terms are written.
double cosineOpposite(double opposite, double next, double other) {
    return (-opposite * opposite + next * next + other * other) / (2.0 * next * other);
}

}  // namespace

double angleFromCosine(double cosine, double degConst) {
    if (cosine == 0.0) cosine = 1e-19;
    const double t = std::sqrt(1.0 - cosine * cosine) / cosine;
    double angle = std::atan(t) * degConst;
    // A cosine of -1 gives t = -0 and an angle of -0: that is 180, not 0.
    if (std::signbit(angle)) angle += 180.0;
    return angle;
}

DmsTenths toDmsTenths(double degrees) {
    if (!(degrees >= 0.0 && degrees < 360.0)) return {0, 0, 0.0};
    const double d = std::trunc(degrees);
    const double r = (degrees - d) * 60.0;
    const double m = std::trunc(r);
    DmsTenths out{static_cast<int>(d), static_cast<int>(m), roundHalfEven((r - m) * 60.0, 1)};
    carryDms(out.d, out.m, out.s);
    return out;
}

double packedWholeSeconds(double v) { return readPacked(v).degrees; }

std::optional<Triangle> solveSides(double a, double b, double c, double degConst) {
    if (!(a > 0.0 && b > 0.0 && c > 0.0)) return std::nullopt;
    const double slack = kFlat * (a + b + c);
    if (!(b + c - a > slack && a + c - b > slack && a + b - c > slack)) return std::nullopt;

    const double A = angleFromCosine(cosineOpposite(a, b, c), degConst);
    const double B = angleFromCosine(cosineOpposite(b, a, c), degConst);
    const double C = angleFromCosine(cosineOpposite(c, b, a), degConst);
    const double s = (a + b + c) / 2.0;
    const double area = std::sqrt(s * (s - a) * (s - b) * (s - c));
    return checked({a, b, c, A, B, C, roundHalfEven(area, 3)});
}

std::optional<Triangle> solveSidesAngle(double a, double b, double packedC, double degConst) {
    if (!(a > 0.0 && b > 0.0)) return std::nullopt;
    const Reading C = readPacked(packedC);
    if (!insideHalfTurn(C.seconds)) return std::nullopt;

    const double radC = C.degrees / degConst;
    const double c = std::sqrt(a * a + b * b - 2.0 * a * b * std::cos(radC));
    const double A = angleFromCosine(cosineOpposite(a, b, c), degConst);
    const double B = angleFromCosine(cosineOpposite(b, a, c), degConst);
    const double area = a * b * std::sin(radC) / 2.0;
    return checked({a, b, side3(c), A, B, C.degrees, roundHalfEven(area, 3)});
}

std::optional<Triangle> solveAnglesSide(double b, double packedA, double packedB, double degConst) {
    if (!(b > 0.0)) return std::nullopt;
    const Reading A = readPacked(packedA);
    const Reading B = readPacked(packedB);
    if (!(insideHalfTurn(A.seconds) && insideHalfTurn(B.seconds) && insideHalfTurn(A.seconds + B.seconds)))
        return std::nullopt;

    const double C = 180.0 - (A.degrees + B.degrees);
    const double radC = C / degConst;
    const double a = b * std::sin(A.degrees / degConst) / std::sin(B.degrees / degConst);
    const double c = std::sqrt(a * a + b * b - 2.0 * a * b * std::cos(radC));
    const double area = a * b * std::sin(radC) / 2.0;
    return checked({side3(a), b, side3(c), A.degrees, B.degrees, C, roundHalfEven(area, 3)});
}

}  // namespace survey
