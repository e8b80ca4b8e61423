// The connecting traverse: a chain of stations from a known point A to a
// known point B, its angle closure, the compass-rule adjustment and the
// report that logs it. Standard C++ only.
//
// Units: coordinates and distances in metres (X the northing, Y the
// easting), angles in decimal degrees unless a name says "packed"
// (ddd.mmss as typed), direction angles clockwise from +X.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "survey/arith.h"
#include "survey/record.h"

namespace survey {

// The most angle/distance pairs one traverse may have (A and B included).
inline constexpr std::size_t kMaxStations = 21;
// The fewest: A, one intermediate station and B.
inline constexpr std::size_t kMinStations = 3;

// One pair of the station list: the left included angle measured at the
// station (decimal degrees) and the distance from it to the next station.
// At B the distance is normally 0; a distance there counts as one more leg.
struct Station {
    double angle;
    double distance;
};

// The known data of the traverse, as read from the screen.
struct TraverseKnown {
    double surveyClass = 0;  // class of the control-point survey; 1 to 4 have a tolerance
    double xA = 0, yA = 0;   // start point A
    double xB = 0, yB = 0;   // end point B
    double alphaPacked = 0;  // Tα: direction angle at A towards its reference point, packed
    double betaPacked = 0;   // Tβ: direction angle at B towards its reference point, packed
    std::string alphaTyped;  // Tα exactly as typed; the report repeats it unchanged
};

// The working values of one slot of the station list. Slot i < n-1 carries
// leg i, from station i (A for i = 0) to station i+1 (B for the last leg);
// slot n-1 is B, whose direction is the one towards its reference point D.
// The latitudes, departures and coordinates are rounded to 3 decimals
// (halves to even) as the report writes them, after every sum was formed
// from the full values.
struct TraverseSlot {
    double adjustedAngle;           // β′ = β - c
    double direction;               // α, not reduced: may leave 0 … 360 along the chain
    double distance;                // d as typed
    double dX, dY;                  // latitude and departure
    double x, y;                    // coordinates before the adjustment
    double adjustedDX, adjustedDY;  // after the compass-rule corrections
    double adjustedX, adjustedY;    // adjusted coordinates; the last leg ends on B
};

// Everything one calculation works out, ready to be written.
struct Traverse {
    TraverseKnown known;
    std::size_t stations = 0;              // n, the number of pairs
    double angleSum = 0;                   // Σβ of the angles as measured
    double closure = 0;                    // W in (-180, 180]: positive when the angles carry too much
    double correction = 0;                 // c = W / n, taken from every angle
    char closureSign = '+';                // '-' when c < 0, unless |W| is written as 0 - 0 - 0
    double closureX = 0, closureY = 0;     // fX, fY: rounded to 4 decimals, then truncated to 3
    double closureDistance = 0;            // f: sqrt(fX² + fY²) of the full values, truncated to 3 decimals
    double length = 0;                     // L, the sum of the distances
    std::optional<double> ratio;           // N = whole part of L / f; none when f is 0
    double toleranceSeconds = 0;           // T: 8, 10, 20 or 50 × √n for classes 1 to 4, else 0
    std::vector<TraverseSlot> perStation;  // one per pair, in entry order
};

// Adjusts a connecting traverse. The packed Tα and Tβ are decoded with
// packedToDegrees; degConst is the degree constant the screen holds
// (degreeConstant()).
//
// The closure W = Tα - Tβ + Σβ - 180 (n - 1), reduced by whole turns into
// (-180, 180], is taken from the angles in equal shares; the directions
// follow from Tα (α0 = Tα + β′0, less 360 at 360 or more; αi = αi-1 + β′i
// - 180); the coordinate closure fX, fY at B is distributed in proportion to
// the distances (cXi = -(fX / L) di).
//
// No traverse comes back when there are fewer than kMinStations pairs, when
// the distances add up to 0 (the corrections have no value), or when any
// working value is not a finite number (absurd coordinates or angles).
// More than kMaxStations pairs are computed alike; the limit is the screen's.
std::optional<Traverse> adjustTraverse(const TraverseKnown& known, std::span<const Station> stations, double degConst);

// The report of an adjusted traverse: 15 head lines (separator, class,
// tolerance, closure, known data, coordinate closure, ratio), 7 lines per
// leg and 2 for B, then the closing separator: 15 + 7 (n - 1) + 3 lines.
// Angles are written as d - m - s after reduction into 0 … 360. When the
// closure distance is 0 the ratio line reads "1 :" with no number.
Record traverseReport(const Traverse& traverse);

}  // namespace survey
