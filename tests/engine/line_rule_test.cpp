#include "engine/line_rule.h"

#include <gtest/gtest.h>

#include <cmath>

namespace mapsheet::engine {
namespace {

struct GridCase {
    const char* name;
    double position;
    double cellSize;
    double expected;
};

TEST(FloorOnGrid, PointsWithinTheToleranceOfALineAreOnIt) {
    const double tenMinutes = 0.166666666666667;
    const GridCase cases[] = {
        {"exact multiple", 3.0, 0.5, 6},
        {"a hair below a line", 3.0 - 1e-12, 0.5, 6},
        {"just inside the tolerance below", 3.0 - 0.9e-10, 0.5, 6},
        {"a hair above a line", 3.0 + 1e-12, 0.5, 6},
        {"stored ten minutes times 23", 23 * (1.0 / 6), tenMinutes, 23},
        {"decimal text of 39 50' minus 36", 3.8333333333333, tenMinutes, 23},
        {"1:500 height, base sheet edge", 4.0, 0.001736111111111, 2304},
        {"negative hair below zero", -1e-11, 4.0, 0},
        {"zero", 0.0, 4.0, 0},
    };
    for (const GridCase& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(floorOnGrid(row.position, row.cellSize), row.expected);
    }
}

TEST(FloorOnGrid, PointsTenNanodegreesFromALineAreNeverMoved) {
    const double cellSizes[] = {4.0, 0.166666666666667, 0.0104166666666667, 0.001736111111111};
    for (const double cell : cellSizes) {
        SCOPED_TRACE(cell);
        for (int line = 1; line < 40; ++line) {
            const double position = line * cell;
            EXPECT_EQ(floorOnGrid(position - 1e-8, cell), line - 1);
            EXPECT_EQ(floorOnGrid(position + 1e-8, cell), line);
            EXPECT_EQ(floorOnGrid(position, cell), line);
        }
    }
}

TEST(FloorOnGrid, NonFiniteInputStaysNonFinite) {
    EXPECT_TRUE(std::isnan(floorOnGrid(std::nan(""), 4.0)));
    EXPECT_TRUE(std::isinf(floorOnGrid(INFINITY, 4.0)));
}

TEST(IsSouthern, TheEquatorAndPointsWithinTheToleranceOfItAreNorthern) {
    EXPECT_FALSE(isSouthern(0.0));
    EXPECT_FALSE(isSouthern(-0.0));
    EXPECT_FALSE(isSouthern(-0.5e-10));
    EXPECT_TRUE(isSouthern(-1e-8));
    EXPECT_TRUE(isSouthern(-30.5));
}

}  // namespace
}  // namespace mapsheet::engine
