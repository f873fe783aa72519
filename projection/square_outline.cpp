#include "projection/square_outline.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace mapsheet::projection {

namespace {

constexpr int kMaxPieces = 4096;
constexpr double kProbes[] = {0.25, 0.5, 0.75};

template <typename Point>
Point between(const Point& a, const Point& b, double t);

template <>
engine::GeographicPoint between(const engine::GeographicPoint& a, const engine::GeographicPoint& b,
                                double t) {
    return {a.latitude + (b.latitude - a.latitude) * t,
            a.longitude + (b.longitude - a.longitude) * t};
}

template <>
PlanePoint between(const PlanePoint& a, const PlanePoint& b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// Appends one side without its last vertex. trueAt(t) maps the side's parameter to the target
// coordinates (nullopt when PROJ fails); deviation(t, drawn) says in metres how far a point
// drawn straight in the target lies from the true side at that parameter.
template <typename Point, typename TrueAt, typename Deviation>
bool appendSide(std::vector<Point>& ring, TrueAt trueAt, Deviation deviation, double tolerance) {
    std::vector<Point> vertices;
    for (int pieces = 1;; pieces *= 2) {
        vertices.clear();
        for (int i = 0; i <= pieces; ++i) {
            const std::optional<Point> vertex = trueAt(static_cast<double>(i) / pieces);
            if (!vertex) {
                return false;
            }
            vertices.push_back(*vertex);
        }
        bool close = true;
        for (int i = 0; close && i < pieces; ++i) {
            for (const double probe : kProbes) {
                const std::optional<double> off =
                    deviation((i + probe) / pieces, between(vertices[i], vertices[i + 1], probe));
                if (!off || *off > tolerance) {
                    close = false;
                    break;
                }
            }
        }
        if (close || pieces >= kMaxPieces) {
            break;
        }
    }
    ring.insert(ring.end(), vertices.begin(), vertices.end() - 1);
    return true;
}

}  // namespace

std::optional<std::vector<engine::GeographicPoint>> geographicOutline(
    const engine::SquareSheet& sheet, GaussKrugerProjector& projector, double toleranceMetres) {
    const engine::SquareBounds bounds = squareBounds(sheet);
    const std::array<PlanePoint, 5> corners = {
        PlanePoint{double(bounds.south), double(bounds.west)},
        PlanePoint{double(bounds.south), double(bounds.east)},
        PlanePoint{double(bounds.north), double(bounds.east)},
        PlanePoint{double(bounds.north), double(bounds.west)},
        PlanePoint{double(bounds.south), double(bounds.west)}};
    std::vector<engine::GeographicPoint> ring;
    for (std::size_t side = 0; side < 4; ++side) {
        const PlanePoint from = corners[side];
        const PlanePoint to = corners[side + 1];
        const auto trueAt = [&](double t) { return projector.inverse(between(from, to, t)); };
        // Sides are parallel to an axis, so the distance from the side is the distance across it.
        const auto deviation = [&](double t,
                                   engine::GeographicPoint drawn) -> std::optional<double> {
            const std::optional<PlanePoint> plane = projector.forward(drawn);
            if (!plane) {
                return std::nullopt;
            }
            const PlanePoint onSide = between(from, to, t);
            return from.x == to.x ? std::fabs(plane->x - onSide.x) : std::fabs(plane->y - onSide.y);
        };
        if (!appendSide(ring, trueAt, deviation, toleranceMetres)) {
            return std::nullopt;
        }
    }
    ring.push_back(ring.front());
    return ring;
}

std::optional<std::vector<PlanePoint>> planeRing(const std::vector<engine::GeographicPoint>& ring,
                                                 GaussKrugerProjector& projector,
                                                 double toleranceMetres) {
    std::size_t count = ring.size();
    if (count > 1 && ring.front().latitude == ring.back().latitude &&
        ring.front().longitude == ring.back().longitude) {
        --count;  // given closed
    }
    std::vector<PlanePoint> plane;
    for (std::size_t side = 0; side < count; ++side) {
        const engine::GeographicPoint from = ring[side];
        const engine::GeographicPoint to = ring[(side + 1) % count];
        const auto trueAt = [&](double t) { return projector.forward(between(from, to, t)); };
        const auto deviation = [&](double t, PlanePoint drawn) -> std::optional<double> {
            const std::optional<PlanePoint> onSide = trueAt(t);
            if (!onSide) {
                return std::nullopt;
            }
            return std::hypot(drawn.x - onSide->x, drawn.y - onSide->y);
        };
        if (!appendSide(plane, trueAt, deviation, toleranceMetres)) {
            return std::nullopt;
        }
    }
    if (!plane.empty()) {
        plane.push_back(plane.front());
    }
    return plane;
}

std::optional<std::vector<PlanePoint>> planeOutline(const engine::DegreeBounds& box,
                                                    GaussKrugerProjector& projector,
                                                    double toleranceMetres) {
    return planeRing(
        {engine::GeographicPoint{box.south, box.west}, engine::GeographicPoint{box.south, box.east},
         engine::GeographicPoint{box.north, box.east},
         engine::GeographicPoint{box.north, box.west}},
        projector, toleranceMetres);
}

}  // namespace mapsheet::projection
