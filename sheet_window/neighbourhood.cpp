#include "sheet_window/neighbourhood.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/sheet.h"
#include "library/number_text.h"

namespace mapsheet::sheet_window {

namespace {

// The grid decides what lies beyond on the value as given, before the line rule, and takes
// NaN as 0; what lies beyond takes the engine's stand-in.
double ClampLatitude(double latitude) {
    if (std::isnan(latitude)) {
        return 0;
    }
    return latitude <= -88 || latitude >= 88 ? engine::latitudeStandIn(latitude) : latitude;
}

double ClampLongitude(double longitude) {
    if (std::isnan(longitude)) {
        return 0;
    }
    return longitude <= -180 || longitude >= 180 ? engine::longitudeStandIn(longitude) : longitude;
}

// The mean of two grid lines rounded to 12 decimals, halves to even on its 15-digit text: the
// centre the grid has always stepped from, which can differ in the last place from the exact
// centre that engine::degreesOfHalfUnits gives.
double MeanOnGrid(double a, double b) {
    constexpr int kGridDecimals = 12;
    return roundDoubleHalfEven((a + b) / 2, kGridDecimals);
}

double Degrees(std::int64_t units) {
    return static_cast<double>(units) / engine::kUnitsPerDegree;
}

// The zone width of the row of sheets one sheet height away from the middle one; the middle
// row's own beyond the series, where no sheet narrows the step.
int ZoneWidthBeside(const engine::Sheet& middle, engine::Direction direction) {
    const std::optional<engine::Sheet> beside = engine::neighbour(middle, direction);
    return engine::zoneWidthOfRow(beside ? beside->row : middle.row);
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
    const engine::Sheet middle = *engine::sheetOf(latitude, longitude, scale.scaleIndex);
    const engine::UnitBounds bounds = engine::unitBounds(middle);
    const std::int64_t height = bounds.north - bounds.south;

    GridLines grid;
    // The narrowest zones of the three rows set the step, so that no row skips a sheet; in a
    // wider row two cells can then name the same sheet.
    grid.zoneWidth = std::min({ZoneWidthBeside(middle, engine::Direction::South),
                               engine::zoneWidthOfRow(middle.row),
                               ZoneWidthBeside(middle, engine::Direction::North)});
    const std::int64_t step =
        std::int64_t{grid.zoneWidth} * engine::kUnitsPerDegree / scale.columnDivisions;
    // The middle sheet spans `parts` columns of the step; the point's part, a point on a line
    // between two parts belonging to the east one.
    const std::int64_t parts = (bounds.east - bounds.west) / step;
    const double intoSheet = engine::placedUnits(longitude) - bounds.west;
    const std::int64_t part = std::clamp<std::int64_t>(
        static_cast<std::int64_t>(std::floor(intoSheet / static_cast<double>(step))), 0, parts - 1);
    const std::int64_t west = bounds.west + part * step;
    for (int i = 0; i < 4; ++i) {
        grid.latitudeLines[i] = engine::degreesOfHalfUnits(2 * (bounds.south + (i - 1) * height));
        grid.longitudeLines[i] = engine::degreesOfHalfUnits(2 * (west + (i - 1) * step));
    }
    grid.centreLatitude = MeanOnGrid(grid.latitudeLines[1], grid.latitudeLines[2]);
    grid.centreLongitude = MeanOnGrid(grid.longitudeLines[1], grid.longitudeLines[2]);
    grid.latitudeStep = Degrees(height);
    grid.longitudeStep = Degrees(step);
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
