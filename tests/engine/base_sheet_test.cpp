#include <gtest/gtest.h>

#include <cmath>

#include "engine/sheet_engine.h"

namespace mapsheet::engine {
namespace {

struct BaseCase {
    const char* name;
    double latitude;
    double longitude;
    const char* rowLetterText;
    const char* zoneText;
    int zoneWidth;
    int north, south, west, east;
};

TEST(ComputeBaseSheet, RowsZonesAndEdges) {
    const BaseCase cases[] = {
        {"K50", 41.0, 117.5, "K", "50", 6, 44, 40, 114, 120},
        {"row edge 40 goes north", 40.0, 117.5, "K", "50", 6, 44, 40, 114, 120},
        {"zone edge 114 goes east", 41.0, 114.0, "K", "50", 6, 44, 40, 114, 120},
        {"southern SH50", -30.5, 117.5, "SH", "50", 6, -28, -32, 114, 120},
        {"southern row edge -40 goes south", -40.0, 117.5, "SK", "50", 6, -40, -44, 114, 120},
        {"width 12 at 65 N", 65.0, 117.5, "Q", "25", 12, 68, 64, 108, 120},
        {"width 24 at 80 N", 80.0, 117.5, "U", "13", 24, 84, 80, 108, 132},
        {"60 N is row P, width 12", 60.0, 117.5, "P", "25", 12, 64, 60, 108, 120},
        {"-60 is row SP, width 12", -60.0, 117.5, "SP", "25", 12, -60, -64, 108, 120},
        {"-59.5 is row SO, width 6", -59.5, 117.5, "SO", "50", 6, -56, -60, 114, 120},
        {"76 N is row T, width 24", 76.0, 117.5, "T", "13", 24, 80, 76, 108, 132},
        {"-76 is row ST, width 24", -76.0, 117.5, "ST", "13", 24, -76, -80, 108, 132},
        {"equator is row A", 0.0, 0.0, "A", "31", 6, 4, 0, 0, 6},
        {"a hair south of the equator is on it", -1e-11, 0.0, "A", "31", 6, 4, 0, 0, 6},
        {"just south of the equator", -1e-6, -1e-6, "SA", "30", 6, 0, -4, -6, 0},
        {"west of Greenwich", 51.5, -0.1, "M", "30", 6, 52, 48, -6, 0},
        {"-180 is zone 1", 10.0, -180.0, "C", "01", 6, 12, 8, -180, -174},
        {"latitude 90 is taken as 87.59599", 90.0, 117.5, "V", "13", 24, 88, 84, 108, 132},
        {"-88 is taken as -87.59599", -88.0, 117.5, "SV", "13", 24, -84, -88, 108, 132},
        {"longitude 180 is taken as 179.59599", 41.0, 180.0, "K", "60", 6, 44, 40, 174, 180},
        {"a hair west of 180 is on it", 41.0, 180.0 - 1e-12, "K", "60", 6, 44, 40, 174, 180},
        {"longitude -190 is taken as -179.59599", 41.0, -190.0, "K", "01", 6, 44, 40, -180, -174},
    };
    SheetEngine engine;
    for (const BaseCase& row : cases) {
        SCOPED_TRACE(row.name);
        engine.ComputeBaseSheet(row.latitude, row.longitude);
        const BaseSheet& base = engine.baseSheet();
        EXPECT_EQ(base.rowLetterText, row.rowLetterText);
        EXPECT_EQ(base.zoneText, row.zoneText);
        EXPECT_EQ(base.zoneWidth, row.zoneWidth);
        EXPECT_EQ(base.baseNorth, row.north);
        EXPECT_EQ(base.baseSouth, row.south);
        EXPECT_EQ(base.baseWest, row.west);
        EXPECT_EQ(base.baseEast, row.east);
    }
}

TEST(ComputeBaseSheet, NonFiniteInputIsClampedOntoTheSeries) {
    SheetEngine engine;
    engine.ComputeBaseSheet(std::nan(""), std::nan(""));
    EXPECT_EQ(engine.baseSheet().rowLetterText, "V");
    EXPECT_EQ(engine.baseSheet().zoneText, "15");
    engine.ComputeBaseSheet(-INFINITY, 1e300);
    EXPECT_EQ(engine.baseSheet().rowLetterText, "SV");
}

TEST(ZoneWidthForLatitude, FollowsTheRowOfTheLatitude) {
    const struct {
        double latitude;
        int width;
    } cases[] = {{0, 6},   {59.99, 6}, {60, 12},     {-60, 12},  {-59.99, 6},     {75.99, 12},
                 {76, 24}, {-76, 24},  {-75.99, 12}, {87.9, 24}, {60 - 1e-12, 12}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.latitude);
        EXPECT_EQ(SheetEngine::ZoneWidthForLatitude(row.latitude), row.width);
    }
}

TEST(BaseSheetNumber, CompactAndDashedForms) {
    SheetEngine engine;
    EXPECT_EQ(engine.BaseSheetNumber(41.0, 117.5, true), "K50");
    EXPECT_EQ(engine.BaseSheetNumber(41.0, 117.5, false), "K-50");
    EXPECT_EQ(engine.BaseSheetNumber(-30.5, 117.5, true), "SH50");
    EXPECT_EQ(engine.BaseSheetNumber(-30.5, 117.5, false), "SH-50");
}

}  // namespace
}  // namespace mapsheet::engine
