#include "survey/area.h"

#include <cmath>
#include <cstddef>

namespace survey {

double cornerArea(std::span<const Corner> corners) {
    const std::size_t n = corners.size();
    if (n < 3) return 0.0;
    double sum = 0.0;
    for (std::size_t i = 0; i + 1 < n; ++i)
        sum += (corners[i].x + corners[i + 1].x) * (corners[i + 1].y - corners[i].y);
    sum += (corners[n - 1].x + corners[0].x) * (corners[0].y - corners[n - 1].y);
    const double area = roundHalfEven(sum / 2.0, 3);
    return area < 0.0 ? -area : area;
}

Record cornerAreaRecord(std::span<const Corner> corners, double area) {
    Record record;
    record.separator().add(Line().text("--座標面積計算--"));
    for (std::size_t k = 0; k < corners.size(); ++k) {
        record.add(Line().number(double(k + 1)).pair("X 座標", corners[k].x, "Y 座標", corners[k].y));
    }
    record.add(Line().entry("面積", area).text("㎡")).separator();
    return record;
}

}  // namespace survey
