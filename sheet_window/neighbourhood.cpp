#include "sheet_window/neighbourhood.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/line_rule.h"
#include "library/number_text.h"

namespace mapsheet::sheet_window {

namespace {

constexpr double kClampedLatitude = 87.59599;
constexpr double kClampedLongitude = 179.59599;
constexpr int kGridDecimals = 12;

double ClampLatitude(double latitude) {
    if (std::isnan(latitude)) {
        return 0;
    }
    if (latitude <= -88) {
        return -kClampedLatitude;
    }
    return latitude >= 88 ? kClampedLatitude : latitude;
}

double ClampLongitude(double longitude) {
    if (std::isnan(longitude)) {
        return 0;
    }
    if (longitude <= -180) {
        return -kClampedLongitude;
    }
    return longitude >= 180 ? kClampedLongitude : longitude;
}

double OnGrid(double value) {
    return roundDoubleHalfEven(value, kGridDecimals);
}

// Width of the 1:1,000,000 zones of grid row `row` (rows of 4 / divisions degrees counted
// northwards from the equator, -1 the first one south of it): 6 degrees while the row's edge
// nearer the equator lies below 60 degrees, 12 below 76, 24 beyond.
int ZoneWidthOfRow(std::int64_t row, std::int64_t divisions) {
    const std::int64_t nearEdge = 4 * (row >= 0 ? row : -(row + 1));  // times divisions
    if (nearEdge < 60 * divisions) {
        return 6;
    }
    return nearEdge < 76 * divisions ? 12 : 24;
}

}  // namespace

std::optional<GridLines> ComputeGridLines(engine::SheetEngine& engine, double latitude,
                                          double longitude) {
    latitude = ClampLatitude(latitude);
    longitude = ClampLongitude(longitude);
    if (engine.SheetNumber(latitude, longitude, true).empty()) {
        return std::nullopt;
    }
    const engine::ScaleRecord& scale = engine.scale();
    const engine::BaseSheet& base = engine.baseSheet();
    const std::int64_t divisions = scale.rowDivisions;
    const std::int64_t columns = scale.columnDivisions;
    // The 1:1,000,000 sheet has no codes of its own: it is its own single row and column.
    const bool hasCodes = scale.scaleIndex != 0;
    const std::int64_t rowCode = hasCodes ? engine.rowCode() : 1;
    const std::int64_t columnCode = hasCodes ? engine.columnCode() : 1;
    if (rowCode < 1 || rowCode > divisions || columnCode < 1 || columnCode > columns ||
        base.zoneWidth <= 0) {
        return std::nullopt;
    }

    GridLines grid;
    // Rows counted northwards from the equator (the row just south of it is -1), codes
    // southwards from the base sheet's north edge; columns eastwards from 180 degrees west.
    const std::int64_t row = base.baseNorth / 4 * divisions - rowCode;
    // The narrowest zones of the three rows set the step, so that no row skips a sheet; in a
    // wider row two cells can then name the same sheet.
    grid.zoneWidth = std::min({ZoneWidthOfRow(row - 1, divisions), int(base.zoneWidth),
                               ZoneWidthOfRow(row + 1, divisions)});
    const std::int64_t sheetColumn =
        (base.baseWest + 180) / base.zoneWidth * columns + columnCode - 1;
    // The middle sheet spans `parts` columns of the step; the point's part, a point on a line
    // between two parts belonging to the east one.
    const std::int64_t parts = base.zoneWidth / grid.zoneWidth;
    const double sheetWest = double(sheetColumn * base.zoneWidth) / double(columns) - 180;
    const double step = double(grid.zoneWidth) / double(columns);
    const auto part = static_cast<std::int64_t>(
        std::clamp(engine::floorOnGrid(longitude - sheetWest, step), 0.0, double(parts - 1)));
    const std::int64_t column = sheetColumn * parts + part;
    for (int i = 0; i < 4; ++i) {
        grid.latitudeLines[i] = OnGrid(double((row - 1 + i) * 4) / double(divisions));
        grid.longitudeLines[i] =
            OnGrid(double((column - 1 + i) * grid.zoneWidth) / double(columns) - 180);
    }
    grid.centreLatitude = OnGrid((grid.latitudeLines[1] + grid.latitudeLines[2]) / 2);
    grid.centreLongitude = OnGrid((grid.longitudeLines[1] + grid.longitudeLines[2]) / 2);
    grid.latitudeStep = 4.0 / double(divisions);
    grid.longitudeStep = step;
    return grid;
}

std::array<CellPoint, 9> CellPoints(const GridLines& grid) {
    std::array<CellPoint, 9> cells{};
    for (int k = 0; k < 9; ++k) {
        const int up = 1 - k / 3;      // 1, 0, -1 from the top row down
        const int across = k % 3 - 1;  // -1, 0, 1 from the left column
        cells[k] = {grid.centreLatitude + up * grid.latitudeStep,
                    grid.centreLongitude + across * grid.longitudeStep};
    }
    return cells;
}

bool AtStepLimit(const GridLines& grid, StepDirection direction) {
    switch (direction) {
        case StepDirection::Down:
            return grid.centreLatitude < grid.latitudeStep - 88;
        case StepDirection::Up:
            return grid.centreLatitude > 88 - grid.latitudeStep;
        case StepDirection::Left:
            return grid.centreLongitude < grid.longitudeStep - 180;
        case StepDirection::Right:
            return grid.centreLongitude > 180 - grid.longitudeStep;
    }
    return true;
}

CellPoint SteppedPoint(const GridLines& grid, StepDirection direction) {
    CellPoint point{grid.centreLatitude, grid.centreLongitude};
    switch (direction) {
        case StepDirection::Down:
            point.latitude -= grid.latitudeStep;
            break;
        case StepDirection::Up:
            point.latitude += grid.latitudeStep;
            break;
        case StepDirection::Left:
            point.longitude -= grid.longitudeStep;
            break;
        case StepDirection::Right:
            point.longitude += grid.longitudeStep;
            break;
    }
    return point;
}

}  // namespace mapsheet::sheet_window
