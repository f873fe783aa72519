// Neighbours as the cover of the grown box (split at 180 degrees and merged row by row),
// parents and children through the nesting rules of sheet.h.

#include "engine/sheet_hierarchy.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

namespace mapsheet::engine {

namespace {

constexpr std::int64_t kHalfWorldUnits = 180 * std::int64_t{kUnitsPerDegree};
constexpr std::int64_t kWorldUnits = 2 * kHalfWorldUnits;
constexpr std::int64_t kSeriesLatitudeUnits = 88 * std::int64_t{kUnitsPerDegree};

struct Span {
    std::int64_t west;
    std::int64_t east;
};

// The least k >= 0 for which low..high grown by k cells of `cell` meets the open interval
// a..b in its interior.
std::int64_t cellsAway(std::int64_t a, std::int64_t b, std::int64_t low, std::int64_t high,
                       std::int64_t cell) {
    if (a < high && b > low) {
        return 0;
    }
    // The gap and the cell are below 2^32 units (twice the world's width at most): the
    // narrower division is the quicker.
    const auto gap = static_cast<std::uint32_t>(a >= high ? a - high : low - b);
    return gap / static_cast<std::uint32_t>(cell) + 1;
}

double degrees(std::int64_t units) {
    return static_cast<double>(units) / kUnitsPerDegree;
}

}  // namespace

std::vector<RingSheet> neighbours(const Sheet& sheet, int rings) {
    std::vector<RingSheet> result;
    if (!isValid(sheet) || rings < 1 || rings > kMaxRings) {
        return result;
    }
    const UnitBounds own = unitBounds(sheet);
    const std::int64_t height = own.north - own.south;
    const std::int64_t width = own.east - own.west;
    const std::int64_t south = std::max(own.south - rings * height, -kSeriesLatitudeUnits);
    const std::int64_t north = std::min(own.north + rings * height, kSeriesLatitudeUnits);
    const std::int64_t west = own.west - rings * width;
    const std::int64_t east = own.east + rings * width;
    // The grown box in pieces inside -180..180, west to east.
    std::vector<Span> pieces;
    if (east - west >= kWorldUnits) {
        pieces = {{-kHalfWorldUnits, kHalfWorldUnits}};
    } else if (west < -kHalfWorldUnits) {
        pieces = {{west + kWorldUnits, kHalfWorldUnits}, {-kHalfWorldUnits, east}};
    } else if (east > kHalfWorldUnits) {
        pieces = {{west, kHalfWorldUnits}, {-kHalfWorldUnits, east - kWorldUnits}};
    } else {
        pieces = {{west, east}};
    }
    // A box inside -180..180 holds each sheet nearer than the sheet's copies a world away.
    const bool wraps = pieces.size() > 1 || east - west >= kWorldUnits;
    std::vector<int> pieceOf;
    for (std::size_t piece = 0; piece < pieces.size(); ++piece) {
        SheetCover cover({degrees(south), degrees(pieces[piece].west), degrees(north),
                          degrees(pieces[piece].east)},
                         sheet.scale);
        result.reserve(result.size() + cover.count());
        while (const auto found = cover.next()) {
            const UnitBounds bounds = unitBounds(*found);
            std::int64_t across = cellsAway(bounds.west, bounds.east, own.west, own.east, width);
            if (wraps) {
                for (const std::int64_t shift : {-kWorldUnits, kWorldUnits}) {
                    across = std::min(across, cellsAway(bounds.west + shift, bounds.east + shift,
                                                        own.west, own.east, width));
                }
            }
            const std::int64_t along =
                cellsAway(bounds.south, bounds.north, own.south, own.north, height);
            result.push_back({*found, static_cast<int>(std::max(across, along))});
            pieceOf.push_back(static_cast<int>(piece));
        }
    }
    if (pieces.size() > 1) {
        // Each piece comes row by row; merge them so that every row runs west to east.
        std::vector<std::size_t> order(result.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        const auto key = [&](std::size_t i) {
            const UnitBounds bounds = unitBounds(result[i].sheet);
            return std::make_tuple(-bounds.north, pieceOf[i], bounds.west);
        };
        std::sort(order.begin(), order.end(),
                  [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
        std::vector<RingSheet> merged;
        merged.reserve(result.size());
        for (const std::size_t i : order) {
            merged.push_back(result[i]);
        }
        result = std::move(merged);
    }
    return result;
}

std::optional<Sheet> parentOf(const Sheet& sheet, int coarserScale) noexcept {
    if (!isValid(sheet) || coarserScale < 0 || coarserScale > sheet.scale) {
        return std::nullopt;
    }
    return containing(sheet, coarserScale);
}

namespace {

InputError scaleError(InputErrorCode code, const Sheet& sheet, int asked) {
    InputError error = inputError(code, {}, asked);
    error.first = sheet.scale;
    return error;
}

}  // namespace

InputError parentScaleError(const Sheet& sheet, int coarserScale) {
    if (coarserScale > sheet.scale) {
        return scaleError(InputErrorCode::ParentScaleFiner, sheet, coarserScale);
    }
    if (divisionRatio(coarserScale, sheet.scale) == 0) {
        return scaleError(InputErrorCode::ScalesDoNotNest, sheet, coarserScale);
    }
    return {};
}

InputError childScaleError(const Sheet& sheet, int finerScale) {
    if (finerScale < sheet.scale) {
        return scaleError(InputErrorCode::ChildScaleCoarser, sheet, finerScale);
    }
    return {};
}

SheetCover childrenOf(const Sheet& sheet, int finerScale) noexcept {
    if (!isValid(sheet) || finerScale < sheet.scale || finerScale >= kScaleCount) {
        return SheetCover();
    }
    const DegreeBounds bounds = degreeBounds(sheet);
    return SheetCover({bounds.south, bounds.west, bounds.north, bounds.east}, finerScale);
}

}  // namespace mapsheet::engine
