#include "projection/square_cover.h"

#include <algorithm>
#include <cmath>

namespace mapsheet::projection {

namespace {

using Polygon = std::vector<PlanePoint>;

enum class Axis { X, Y };

double coordinate(const PlanePoint& point, Axis axis) {
    return axis == Axis::X ? point.x : point.y;
}

// The part of the polygon on one side of the line axis = value (Sutherland-Hodgman): keepAbove
// keeps the side of the larger values. Points on the line are kept.
Polygon clip(const Polygon& polygon, Axis axis, double value, bool keepAbove) {
    Polygon result;
    if (polygon.empty()) {
        return result;
    }
    const auto inside = [&](const PlanePoint& point) {
        const double c = coordinate(point, axis);
        return keepAbove ? c >= value : c <= value;
    };
    const auto crossing = [&](const PlanePoint& a, const PlanePoint& b) {
        const double t =
            (value - coordinate(a, axis)) / (coordinate(b, axis) - coordinate(a, axis));
        PlanePoint point{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
        (axis == Axis::X ? point.x : point.y) = value;
        return point;
    };
    PlanePoint previous = polygon.back();
    bool previousInside = inside(previous);
    for (const PlanePoint& current : polygon) {
        const bool currentInside = inside(current);
        if (currentInside != previousInside) {
            result.push_back(crossing(previous, current));
        }
        if (currentInside) {
            result.push_back(current);
        }
        previous = current;
        previousInside = currentInside;
    }
    return result;
}

// Shoelace area, taken relative to origin so that the products stay small beside the
// coordinates of a zone (tens of millions of metres) and the rounding with them.
double area(const Polygon& polygon, const PlanePoint& origin) {
    double twice = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const PlanePoint& a = polygon[i];
        const PlanePoint& b = polygon[(i + 1) % polygon.size()];
        twice += (a.x - origin.x) * (b.y - origin.y) - (b.x - origin.x) * (a.y - origin.y);
    }
    return std::fabs(twice) / 2;
}

double snapped(double value, std::int64_t size) {
    const double line = std::round(value / static_cast<double>(size)) * static_cast<double>(size);
    return std::fabs(value - line) <= engine::kSquareLineToleranceMetres ? line : value;
}

std::int64_t lineBelow(double value, std::int64_t size) {
    return static_cast<std::int64_t>(std::floor(value / static_cast<double>(size)));
}

}  // namespace

double overlapArea(const engine::SquareBounds& bounds, const PlaneRing& ring) {
    Polygon part = clip(ring, Axis::X, static_cast<double>(bounds.south), true);
    part = clip(part, Axis::X, static_cast<double>(bounds.north), false);
    part = clip(part, Axis::Y, static_cast<double>(bounds.west), true);
    part = clip(part, Axis::Y, static_cast<double>(bounds.east), false);
    return area(part, {static_cast<double>(bounds.south), static_cast<double>(bounds.west)});
}

SquareCover::SquareCover(std::vector<PlanePolygon> polygons, int scale)
    : scale_(scale), size_(engine::squareSizeMetres(scale)) {
    if (size_ == 0) {
        return;
    }
    double south = INFINITY;
    double north = -INFINITY;
    for (PlanePolygon& polygon : polygons) {
        for (PlaneRing& ring : polygon) {
            if (ring.size() > 1 && ring.front().x == ring.back().x &&
                ring.front().y == ring.back().y) {
                ring.pop_back();
            }
            for (PlanePoint& point : ring) {
                point = {snapped(point.x, size_), snapped(point.y, size_)};
            }
        }
        if (polygon.empty() || polygon.front().size() < 3) {
            continue;  // an exterior of no area holds nothing
        }
        for (const PlanePoint& point : polygon.front()) {
            south = std::min(south, point.x);
            north = std::max(north, point.x);
        }
        polygons_.push_back(std::move(polygon));
    }
    if (polygons_.empty() || !(std::fabs(south) < engine::kSquareCoordinateLimitMetres &&
                               std::fabs(north) < engine::kSquareCoordinateLimitMetres)) {
        polygons_.clear();
        return;
    }
    row_ = lineBelow(north, size_) + 1;  // startRow steps south first
    lastRow_ = lineBelow(south, size_);
}

bool SquareCover::startRow() {
    while (--row_ >= lastRow_) {
        const double south = static_cast<double>(row_ * size_);
        band_.clear();
        double west = INFINITY;
        double east = -INFINITY;
        for (const PlanePolygon& polygon : polygons_) {
            PlanePolygon clipped;
            for (const PlaneRing& ring : polygon) {
                clipped.push_back(
                    clip(clip(ring, Axis::X, south, true), Axis::X, south + size_, false));
            }
            if (clipped.front().size() < 3) {
                continue;  // the exterior misses the row
            }
            for (const PlanePoint& point : clipped.front()) {
                west = std::min(west, point.y);
                east = std::max(east, point.y);
            }
            band_.push_back(std::move(clipped));
        }
        if (!band_.empty()) {
            column_ = lineBelow(west, size_);
            lastColumn_ = lineBelow(east, size_);
            return true;
        }
    }
    return false;
}

bool SquareCover::meets(const engine::SquareBounds& bounds) const {
    const PlanePoint corner{static_cast<double>(bounds.south), static_cast<double>(bounds.west)};
    for (const PlanePolygon& polygon : band_) {
        double inside = 0;
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            Polygon part = clip(polygon[i], Axis::Y, static_cast<double>(bounds.west), true);
            part = clip(part, Axis::Y, static_cast<double>(bounds.east), false);
            const double partArea = part.size() >= 3 ? area(part, corner) : 0.0;
            inside += i == 0 ? partArea : -partArea;
        }
        if (inside > kMinimumOverlapSquareMetres) {
            return true;
        }
    }
    return false;
}

std::optional<engine::SquareSheet> SquareCover::next() {
    while (true) {
        while (column_ > lastColumn_) {
            if (row_ < lastRow_ || !startRow()) {
                return std::nullopt;
            }
        }
        const engine::SquareSheet sheet{static_cast<std::int8_t>(scale_), row_ * size_,
                                        column_ * size_};
        ++column_;
        if (meets(engine::squareBounds(sheet))) {
            return sheet;
        }
    }
}

}  // namespace mapsheet::projection
