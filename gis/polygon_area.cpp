#include "gis/polygon_area.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace mapsheet::gis {

namespace {

// Fixed-point steps per unit. Coordinates stay below 2^56 and the cross products of their
// differences below 2^113, inside __int128.
constexpr double kStepsPerUnit = 4294967296.0;  // 2^32
constexpr std::int64_t kStepsPerUnitInt = std::int64_t{1} << 32;

constexpr double kBoundsMargin = 1e-9;  // degrees

std::int64_t toSteps(double degrees) {
    return std::llround(engine::placedUnits(degrees) * kStepsPerUnit);
}

double toDegrees(std::int64_t steps) {
    return static_cast<double>(steps) / kStepsPerUnit / engine::kUnitsPerDegree;
}

std::string coordinateText(const engine::GeographicPoint& point) {
    return "(" + std::to_string(point.longitude) + ", " + std::to_string(point.latitude) + ")";
}

}  // namespace

std::string polygonRangeError(const engine::GeographicPolygon& polygon) {
    for (const engine::GeographicRing& ring : polygon) {
        for (const engine::GeographicPoint& point : ring) {
            if (!std::isfinite(point.longitude) || !std::isfinite(point.latitude) ||
                std::fabs(point.latitude) > 90 || std::fabs(point.longitude) > 180) {
                return "vertex " + coordinateText(point) +
                       " is not a longitude in -180..180 and a latitude in -90..90";
            }
        }
    }
    return {};
}

bool PolygonArea::add(const engine::GeographicPolygon& polygon, std::string& error) {
    if (std::string rangeError = polygonRangeError(polygon); !rangeError.empty()) {
        error = std::move(rangeError);
        return false;
    }
    const std::size_t index = polygonCount_;
    bool added = false;
    for (const engine::GeographicRing& ring : polygon) {
        std::vector<Point> points;
        for (const engine::GeographicPoint& point : ring) {
            const Point p{toSteps(point.longitude), toSteps(point.latitude)};
            if (points.empty() || p.x != points.back().x || p.y != points.back().y) {
                points.push_back(p);
            }
        }
        while (points.size() > 1 && points.front().x == points.back().x &&
               points.front().y == points.back().y) {
            points.pop_back();
        }
        if (points.size() < 3) {
            continue;
        }
        added = true;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Point a = points[i];
            const Point b = points[(i + 1) % points.size()];
            edges_.push_back({a, b, std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y),
                              std::max(a.y, b.y), index});
            low_ = {std::min(low_.x, a.x), std::min(low_.y, a.y)};
            high_ = {std::max(high_.x, a.x), std::max(high_.y, a.y)};
        }
    }
    if (added) {
        polygons_.push_back(polygon);
        ++polygonCount_;
        parity_.assign(polygonCount_, 0);
        crossed_.assign(polygonCount_, 0);
        rowValid_ = false;
    }
    return true;
}

engine::LatLonBox PolygonArea::bounds() const {
    return {std::max(-90.0, toDegrees(low_.y) - kBoundsMargin),
            std::max(-180.0, toDegrees(low_.x) - kBoundsMargin),
            std::min(90.0, toDegrees(high_.y) + kBoundsMargin),
            std::min(180.0, toDegrees(high_.x) + kBoundsMargin)};
}

namespace {

// __int128 is a GCC/Clang extension that -Wpedantic reports at every use.
__extension__ using Wide = __int128;

// Twice the signed area of the triangle a b c: positive when c lies left of a->b.
Wide orientation(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by,
                 std::int64_t cx, std::int64_t cy) {
    return static_cast<Wide>(bx - ax) * (cy - ay) - static_cast<Wide>(by - ay) * (cx - ax);
}

}  // namespace

void PolygonArea::selectRow(std::int64_t south, std::int64_t north) const {
    if (rowValid_ && rowSouth_ == south && rowNorth_ == north) {
        return;
    }
    rowEdges_.clear();
    for (const Edge& edge : edges_) {
        if (edge.minY < north && edge.maxY > south) {
            rowEdges_.push_back(&edge);
        }
    }
    std::sort(rowEdges_.begin(), rowEdges_.end(),
              [](const Edge* left, const Edge* right) { return left->minX < right->minX; });
    rowSouth_ = south;
    rowNorth_ = north;
    rowValid_ = true;
}

PolygonArea::Strip PolygonArea::strip(const engine::UnitBounds& rectangle) const {
    const Strip strip{rectangle.west * kStepsPerUnitInt, rectangle.south * kStepsPerUnitInt,
                      rectangle.east * kStepsPerUnitInt, rectangle.north * kStepsPerUnitInt};
    selectRow(strip.y0, strip.y1);
    return strip;
}

bool PolygonArea::markBoundaryInside(const Strip& strip) const {
    // A boundary point inside the open rectangle has interior points of its polygon around it,
    // some of them inside the rectangle too. An edge misses the open rectangle exactly when a
    // line separates them: an axis-parallel one (the box tests) or the edge's own line (all
    // four corners on one closed side of it).
    bool any = false;
    for (const Edge* edge : rowEdges_) {
        if (edge->minX >= strip.x1) {
            break;
        }
        if (edge->maxX <= strip.x0) {
            continue;
        }
        const Point a = edge->a;
        const Point b = edge->b;
        const Wide corners[4] = {orientation(a.x, a.y, b.x, b.y, strip.x0, strip.y0),
                                 orientation(a.x, a.y, b.x, b.y, strip.x1, strip.y0),
                                 orientation(a.x, a.y, b.x, b.y, strip.x1, strip.y1),
                                 orientation(a.x, a.y, b.x, b.y, strip.x0, strip.y1)};
        const bool allLeft = std::all_of(corners, corners + 4, [](Wide o) { return o >= 0; });
        const bool allRight = std::all_of(corners, corners + 4, [](Wide o) { return o <= 0; });
        if (!allLeft && !allRight) {
            crossed_[edge->polygon] = 1;
            any = true;
        }
    }
    return any;
}

void PolygonArea::markParity(std::int64_t x, std::int64_t y) const {
    // Even-odd count of the edges crossing the point's parallel west of it.
    for (const Edge* edge : rowEdges_) {
        if ((edge->a.y > y) == (edge->b.y > y)) {
            continue;
        }
        const Point& low = edge->a.y < edge->b.y ? edge->a : edge->b;
        const Point& high = edge->a.y < edge->b.y ? edge->b : edge->a;
        if (orientation(low.x, low.y, high.x, high.y, x, y) < 0) {
            parity_[edge->polygon] ^= 1;
        }
    }
}

bool PolygonArea::clearMarks(bool (*holds)(unsigned char parity, unsigned char crossed)) const {
    bool any = false;
    for (const Edge* edge : rowEdges_) {
        any = any || holds(parity_[edge->polygon], crossed_[edge->polygon]);
    }
    for (const Edge* edge : rowEdges_) {
        parity_[edge->polygon] = 0;
        crossed_[edge->polygon] = 0;
    }
    return any;
}

bool PolygonArea::interiorMeets(const engine::UnitBounds& rectangle) const {
    const Strip box = strip(rectangle);
    if (markBoundaryInside(box)) {
        clearMarks([](unsigned char, unsigned char) { return false; });
        return true;
    }
    // No boundary inside: the open rectangle lies wholly inside or wholly outside each
    // polygon, as its centre does.
    markParity(box.x0 / 2 + box.x1 / 2, box.y0 / 2 + box.y1 / 2);
    return clearMarks([](unsigned char parity, unsigned char) { return parity != 0; });
}

bool PolygonArea::holdsCentre(const engine::UnitBounds& rectangle) const {
    const Strip box = strip(rectangle);
    const std::int64_t x = box.x0 / 2 + box.x1 / 2;
    const std::int64_t y = box.y0 / 2 + box.y1 / 2;
    for (const Edge* edge : rowEdges_) {
        const bool onEdge = edge->minX <= x && x <= edge->maxX && edge->minY <= y &&
                            y <= edge->maxY &&
                            orientation(edge->a.x, edge->a.y, edge->b.x, edge->b.y, x, y) == 0;
        if (onEdge) {
            return true;
        }
    }
    markParity(x, y);
    return clearMarks([](unsigned char parity, unsigned char) { return parity != 0; });
}

bool PolygonArea::holdsRectangle(const engine::UnitBounds& rectangle) const {
    // Inside one closed polygon exactly when none of its boundary enters the open rectangle
    // and the centre lies inside it.
    const Strip box = strip(rectangle);
    markBoundaryInside(box);
    markParity(box.x0 / 2 + box.x1 / 2, box.y0 / 2 + box.y1 / 2);
    return clearMarks(
        [](unsigned char parity, unsigned char crossed) { return parity != 0 && crossed == 0; });
}

}  // namespace mapsheet::gis
