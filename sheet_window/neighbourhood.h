#pragma once

// The geometry of the three-by-three neighbourhood of sheets around a point, at the engine's
// current scale.
//
// The middle cell is the sheet that the engine gives the point, so the display never
// contradicts the numbering: a point on a parallel belongs to the sheet north of it (south of
// it in the southern hemisphere, the one farther from the equator), a point on a meridian to
// the sheet east of it, within the engine's line tolerance (engine/line_rule.h). The grid
// takes the narrowest zone width of its three rows (6, 12 or 24 degrees) and all nine cells
// use its longitude step, so every cell names a sheet that touches the middle one. Near 60
// and 76 degrees the rows farther from the equator hold wider sheets: two cells there can
// name the same sheet, the middle sheet included, and the middle column is then the part of
// the middle sheet that holds the point (the east part for a point on the line between
// parts), so a step across can stay within that sheet.
//
// Points beyond are first moved to the engine's stand-ins (engine::latitudeStandIn,
// longitudeStandIn: +-87.59599, +-179.59599), but "beyond" is decided on the value as given,
// before the line rule: a latitude at or past +-88 and a longitude at or past +-180, so -180
// itself is moved in although it lies on the series; NaN is taken as 0.
//
// Grid lines are sheet lines in decimal degrees rounded to 12 places
// (engine::degreesOfHalfUnits); the centre is the mean of the middle cell's lines rounded to 12
// decimals, halves to even on its 15-digit text, which can differ in the last place from the
// exact centre (-87.666666666666 for the 1:200,000 row between -88 and -87.333333333333).

#include <array>
#include <optional>

#include "engine/sheet_engine.h"

namespace mapsheet::sheet_window {

struct GridLines {
    int zoneWidth = 6;
    // South edge of the bottom row, south and north edge of the middle row, north edge of the
    // top row.
    std::array<double, 4> latitudeLines{};
    // West edge of the left column, west and east edge of the middle column, east edge of the
    // right column.
    std::array<double, 4> longitudeLines{};
    double centreLatitude = 0;
    double centreLongitude = 0;
    double latitudeStep = 0;   // the sheet height
    double longitudeStep = 0;  // the zone width / columns
};

// The grid around the sheet of the point; nothing when the engine names no sheet for it.
// Runs the engine (and so overwrites its intermediate state).
std::optional<GridLines> ComputeGridLines(engine::SheetEngine& engine, double latitude,
                                          double longitude);

struct CellPoint {
    double latitude;
    double longitude;
};

// The centre points of the nine cells in reading order: north-west, north, north-east, west,
// middle, east, south-west, south, south-east.
std::array<CellPoint, 9> CellPoints(const GridLines& grid);

enum class StepDirection { Up, Down, Left, Right };

// Whether a step from the middle sheet would leave the numbered area (latitudes -88..88,
// longitudes -180..180; a step does not wrap across 180 degrees).
bool AtStepLimit(const GridLines& grid, StepDirection direction);

// The centre of the neighbouring sheet in that direction.
CellPoint SteppedPoint(const GridLines& grid, StepDirection direction);

}  // namespace mapsheet::sheet_window
