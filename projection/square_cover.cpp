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

double overlapArea(const engine::SquareBounds& bounds, const std::vector<PlanePoint>& ring) {
    Polygon part = clip(ring, Axis::X, static_cast<double>(bounds.south), true);
    part = clip(part, Axis::X, static_cast<double>(bounds.north), false);
    part = clip(part, Axis::Y, static_cast<double>(bounds.west), true);
    part = clip(part, Axis::Y, static_cast<double>(bounds.east), false);
    return area(part, {static_cast<double>(bounds.south), static_cast<double>(bounds.west)});
}

SquareCover::SquareCover(std::vector<PlanePoint> ring, int scale)
    : ring_(std::move(ring)), scale_(scale), size_(engine::squareSizeMetres(scale)) {
    if (ring_.size() > 1 && ring_.front().x == ring_.back().x &&
        ring_.front().y == ring_.back().y) {
        ring_.pop_back();
    }
    if (ring_.size() < 3 || size_ == 0) {
        return;
    }
    double south = INFINITY;
    double north = -INFINITY;
    for (PlanePoint& point : ring_) {
        point = {snapped(point.x, size_), snapped(point.y, size_)};
        south = std::min(south, point.x);
        north = std::max(north, point.x);
    }
    if (!(std::fabs(south) < engine::kSquareCoordinateLimitMetres &&
          std::fabs(north) < engine::kSquareCoordinateLimitMetres)) {
        return;
    }
    row_ = lineBelow(north, size_) + 1;  // startRow steps south first
    lastRow_ = lineBelow(south, size_);
    column_ = 0;
    lastColumn_ = -1;
}

bool SquareCover::startRow() {
    while (--row_ >= lastRow_) {
        const double south = static_cast<double>(row_ * size_);
        band_ = clip(clip(ring_, Axis::X, south, true), Axis::X, south + size_, false);
        if (band_.size() < 3 || area(band_, band_.front()) <= kMinimumOverlapSquareMetres) {
            continue;
        }
        double west = INFINITY;
        double east = -INFINITY;
        for (const PlanePoint& point : band_) {
            west = std::min(west, point.y);
            east = std::max(east, point.y);
        }
        column_ = lineBelow(west, size_);
        lastColumn_ = lineBelow(east, size_);
        return true;
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
        const engine::SquareBounds bounds = engine::squareBounds(sheet);
        Polygon part = clip(band_, Axis::Y, static_cast<double>(bounds.west), true);
        part = clip(part, Axis::Y, static_cast<double>(bounds.east), false);
        if (part.size() >= 3 &&
            area(part, {static_cast<double>(bounds.south), static_cast<double>(bounds.west)}) >
                kMinimumOverlapSquareMetres) {
            return sheet;
        }
    }
}

}  // namespace mapsheet::projection
