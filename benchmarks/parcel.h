// The largest parcel a user can enter, for the benchmarks: 10001 corners
// on a ring about 50 m across, far from the origin, with millimetre
// coordinates as a surveyor types them.
#pragma once

#include <cmath>
#include <numbers>
#include <vector>

#include "survey/area.h"

inline const std::vector<survey::Corner>& largestParcel() {
    static const std::vector<survey::Corner> corners = [] {
        const std::size_t n = survey::kMaxCorners;
        std::vector<survey::Corner> out;
        out.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            const double a = 2.0 * std::numbers::pi * double(i) / double(n);
            const double r = 25.0 + 3.0 * std::sin(7.0 * a);
            out.push_back({std::round((-35012.345 + r * std::cos(a)) * 1000.0) / 1000.0,
                           std::round((12034.567 + r * std::sin(a)) * 1000.0) / 1000.0});
        }
        return out;
    }();
    return corners;
}
