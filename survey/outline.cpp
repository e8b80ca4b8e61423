#include "survey/outline.h"

#include <cmath>
#include <iterator>
#include <utility>

// Boost 1.74's geometry includes one of Boost's own deprecated headers, which
// then prints a note on every build; there is nothing for us to change.
#define BOOST_ALLOW_DEPRECATED_HEADERS
#include <boost/geometry/algorithms/intersection.hpp>
#include <boost/geometry/algorithms/intersects.hpp>
#include <boost/geometry/geometries/point.hpp>
#include <boost/geometry/geometries/segment.hpp>
#include <boost/geometry/index/rtree.hpp>

namespace survey {

namespace {

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;

using Point = bg::model::point<double, 2, bg::cs::cartesian>;
using Segment = bg::model::segment<Point>;
// An edge of some length, and its place among those edges.
using Edge = std::pair<Segment, std::size_t>;

bool finite(const Corner& c) { return std::isfinite(c.x) && std::isfinite(c.y); }

// Two edges that follow each other always share their corner; more than
// that (two points in common) means the second runs back along the first.
bool runsBack(const Segment& a, const Segment& b, std::vector<Point>& common) {
    common.clear();
    bg::intersection(a, b, common);
    return common.size() > 1;
}

}  // namespace

std::vector<std::size_t> crossingEdges(std::span<const Corner> corners) {
    const std::size_t n = corners.size();
    if (n < 3) return {};

    // The edges that have a length, in order. A corner typed twice in a row
    // adds none, so the edges around it follow each other here. An edge with
    // an end beyond the range of a double is left out: it has no place to
    // cross at.
    std::vector<Edge> edges;
    std::vector<std::size_t> given;  // the edge's index in the list given
    edges.reserve(n);
    given.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Corner& a = corners[i];
        const Corner& b = corners[(i + 1) % n];
        if ((a.x == b.x && a.y == b.y) || !finite(a) || !finite(b)) continue;
        edges.push_back({Segment(Point(a.x, a.y), Point(b.x, b.y)), edges.size()});
        given.push_back(i);
    }
    const std::size_t m = edges.size();

    // Packed in one go from the whole range.
    const bgi::rtree<Edge, bgi::rstar<16>> tree(edges.begin(), edges.end());
    std::vector<bool> faulty(m, false);
    std::vector<Edge> met;
    std::vector<Point> common;
    for (std::size_t i = 0; i < m; ++i) {
        met.clear();
        tree.query(bgi::intersects(edges[i].first), std::back_inserter(met));
        for (const auto& [segment, j] : met) {
            if (j <= i) continue;  // each pair once
            const bool follows = j == i + 1 || (i == 0 && j == m - 1);
            if (!follows || runsBack(edges[i].first, segment, common)) faulty[i] = faulty[j] = true;
        }
    }

    std::vector<std::size_t> out;
    for (std::size_t k = 0; k < m; ++k)
        if (faulty[k]) out.push_back(given[k]);
    return out;
}

}  // namespace survey
