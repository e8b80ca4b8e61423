#include "frame/CalcScreen.h"

#include <algorithm>
#include <cmath>

bool allFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}
