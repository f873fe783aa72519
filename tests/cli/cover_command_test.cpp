// mapsheet-cli cover against an exact enumeration of the sheet grid: boxes over both hemispheres
// and the widened zones, polygons (checked with GEOS on whole units), sheets within a sheet;
// the files it writes read back with GDAL; each bad input refused with nothing left behind.

// Checked with GDAL's own readers; a build without GDAL skips this suite.
#ifdef MAPSHEET_HAVE_GDAL

#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogr_geometry.h>
#include <ogrsf_frmts.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "engine/scale_names.h"
#include "engine/sheet_number_parse.h"
#include "gis/gdal_errors.h"
#include "tests/cli/command_run.h"
#include "tests/cli/cover_grid.h"

namespace mapsheet::cli {
namespace {

namespace fs = std::filesystem;
using testing::enumerateSheets;
using testing::UnitBox;

constexpr double kDegree = engine::kUnitsPerDegree;

using test_support::CommandRun;

CommandRun runCover(const Arguments& arguments) {
    return test_support::runWithoutInput(runCoverCommand, arguments);
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> result;
    std::stringstream stream(line);
    for (std::string field; std::getline(stream, field, ',');) {
        result.push_back(field);
    }
    if (!line.empty() && line.back() == ',') {
        result.emplace_back();
    }
    return result;
}

// The CSV rows of a cover as unit bounds (through the number in the first column), after
// checking the header and that the bounds columns agree with the number.
std::vector<engine::UnitBounds> coverRows(const std::string& csv) {
    std::vector<engine::UnitBounds> rows;
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "new,old,south,west,north,east");
    while (std::getline(lines, line)) {
        const std::vector<std::string> f = fields(line);
        EXPECT_EQ(f.size(), 6u) << line;
        if (f.size() != 6) {
            continue;
        }
        const engine::ParsedSheet parsed = engine::parseSheetNumber(f[0]);
        EXPECT_TRUE(parsed.sheet) << line << ": " << parsed.error;
        if (!parsed.sheet) {
            continue;
        }
        const engine::UnitBounds b = engine::unitBounds(*parsed.sheet);
        const std::int32_t edges[] = {b.south, b.west, b.north, b.east};
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(std::stod(f[static_cast<std::size_t>(i) + 2]), edges[i] / kDegree, 6e-13)
                << line;
        }
        rows.push_back(b);
    }
    return rows;
}

void expectSameSheets(const std::vector<engine::UnitBounds>& actual,
                      const std::vector<engine::UnitBounds>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        const auto& a = actual[i];
        const auto& e = expected[i];
        EXPECT_TRUE(a.south == e.south && a.west == e.west && a.north == e.north &&
                    a.east == e.east)
            << "sheet " << i << ": got south " << a.south << " west " << a.west
            << ", expected south " << e.south << " west " << e.west;
    }
}

std::int64_t units(double degrees) {
    return std::llround(degrees * kDegree);
}

struct BoxCase {
    const char* name;
    const char* scale;
    const char* bbox;
    UnitBox box;  // the same box in units
};

class CoverOfBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(CoverOfBox, MatchesTheEnumeratedGridInOrder) {
    const BoxCase& c = GetParam();
    const CommandRun run = runCover({"--scale", c.scale, "--bbox", c.bbox});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<engine::UnitBounds> expected =
        enumerateSheets(c.box, *engine::parseScale(c.scale));
    expectSameSheets(coverRows(run.out), expected);
}

UnitBox box(double south, double west, double north, double east) {
    return {units(south), units(west), units(north), units(east)};
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, CoverOfBox,
    ::testing::Values(
        BoxCase{"EdgesOnSheetLines", "1:50000", "39.5,116,40,116.5", box(39.5, 116, 40, 116.5)},
        BoxCase{"DegreesMinutesSeconds", "E", "39°30′,116°,40°,116°30′", box(39.5, 116, 40, 116.5)},
        BoxCase{"SouthernHemisphere", "1:100000", "-30.25,117.1,-29.5,118",
                box(-30.25, 117.1, -29.5, 118)},
        BoxCase{"WestAcrossTheEquator", "1:250000", "-1.5,-75.3,2.25,-72",
                box(-1.5, -75.3, 2.25, -72)},
        BoxCase{"AcrossThePrimeMeridian", "1:500,000", "10,-7,14.5,5", box(10, -7, 14.5, 5)},
        BoxCase{"TwelveDegreeZonesFrom60North", "1:100000", "59.5,170,60.5,180",
                box(59.5, 170, 60.5, 180)},
        BoxCase{"TwentyFourDegreeZonesFrom76North", "1:250000", "75,100,77.5,130",
                box(75, 100, 77.5, 130)},
        BoxCase{"WidenedZonesSouthOf60South", "1:50000", "-60.25,-1,-59.75,1",
                box(-60.25, -1, -59.75, 1)},
        BoxCase{"PointInsideASheet", "1:50000", "39.9,116.1,39.9,116.1",
                box(39.9, 116.1, 39.9, 116.1)},
        BoxCase{"PointOnASheetCorner", "1:50000", "40,117,40,117", box(40, 117, 40, 117)},
        BoxCase{"CutAtTheSeriesEdge", "1:1000000", "86,170,90,180", box(86, 170, 88, 180)},
        BoxCase{"LargestScale", "1:500", "39.9,116.39,39.91,116.4",
                box(39.9, 116.39, 39.91, 116.4)},
        BoxCase{"WholeSeries", "A", "-90,-180,90,180", box(-88, -180, 88, 180)}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

class ScratchFolder {
  public:
    ScratchFolder() {
        path_ = fs::temp_directory_path() /
                ("mapsheet-cover-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchFolder() { fs::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    bool empty() const { return fs::is_empty(path_); }

  private:
    fs::path path_;
};

// Polygons in whole units written as GeoJSON in degrees, and GEOS as the judge of which
// enumerated sheets their interiors meet.
struct PolygonCase {
    const char* name;
    const char* scale;
    std::vector<std::vector<std::vector<std::pair<double, double>>>> polygons;  // lon, lat
};

class CoverOfPolygons : public ::testing::TestWithParam<PolygonCase> {};

TEST_P(CoverOfPolygons, MatchesGeosOnTheEnumeratedGrid) {
    const PolygonCase& c = GetParam();
    ScratchFolder folder;
    std::string json = R"({"type": "MultiPolygon", "coordinates": [)";
    OGRMultiPolygon truth;
    UnitBox bounds{INT64_MAX, INT64_MAX, INT64_MIN, INT64_MIN};
    for (std::size_t p = 0; p < c.polygons.size(); ++p) {
        json += p ? ", [" : "[";
        OGRPolygon polygon;
        for (std::size_t r = 0; r < c.polygons[p].size(); ++r) {
            json += r ? ", [" : "[";
            OGRLinearRing ring;
            for (std::size_t v = 0; v < c.polygons[p][r].size(); ++v) {
                const auto [lon, lat] = c.polygons[p][r][v];
                json += (v ? ", [" : "[") + std::to_string(lon) + ", " + std::to_string(lat) + "]";
                ring.addPoint(static_cast<double>(units(lon)), static_cast<double>(units(lat)));
                bounds = {std::min(bounds.south, units(lat)), std::min(bounds.west, units(lon)),
                          std::max(bounds.north, units(lat)), std::max(bounds.east, units(lon))};
            }
            json += "]";
            ring.closeRings();
            polygon.addRing(&ring);
        }
        json += "]";
        truth.addGeometry(&polygon);
    }
    json += "]}";
    const std::string path = folder / "area.geojson";
    std::ofstream(path) << json;

    const int scale = *engine::parseScale(c.scale);
    std::vector<engine::UnitBounds> expected;
    for (const engine::UnitBounds& sheet : enumerateSheets(bounds, scale)) {
        OGRLinearRing ring;
        ring.addPoint(sheet.west, sheet.south);
        ring.addPoint(sheet.east, sheet.south);
        ring.addPoint(sheet.east, sheet.north);
        ring.addPoint(sheet.west, sheet.north);
        ring.closeRings();
        OGRPolygon rectangle;
        rectangle.addRing(&ring);
        for (const OGRPolygon* polygon : truth) {
            if (polygon->Intersects(&rectangle) && !polygon->Touches(&rectangle)) {
                expected.push_back(sheet);
                break;
            }
        }
    }
    ASSERT_FALSE(expected.empty());
    const CommandRun run = runCover({"--scale", c.scale, "--within", path});
    ASSERT_EQ(run.status, 0) << run.err;
    expectSameSheets(coverRows(run.out), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Polygons, CoverOfPolygons,
    ::testing::Values(
        PolygonCase{"TriangleThroughSheetCorners",
                    "1:25000",
                    {{{{116, 39.5}, {116.5, 39.5}, {116, 40}, {116, 39.5}}}}},
        PolygonCase{"SouthernPolygonWithAHole",
                    "1:50000",
                    {{{{117, -30.5}, {118.1, -30.5}, {118.1, -29.3}, {117, -29.3}, {117, -30.5}},
                      {{117.25, -30.25},
                       {117.75, -30.25},
                       {117.75, -29.75},
                       {117.25, -29.75},
                       {117.25, -30.25}}}}},
        PolygonCase{"TwoPartsInTheWidenedZonesOfTheWest",
                    "1:100000",
                    {{{{-151.3, 61.2}, {-143.9, 59.4}, {-140.1, 62.7}, {-151.3, 61.2}}},
                     {{{-140.1, 62.7}, {-139.5, 63.1}, {-141, 63.4}, {-140.1, 62.7}}}}}),
    [](const ::testing::TestParamInfo<PolygonCase>& info) { return std::string(info.param.name); });

TEST(CoverCommand, SheetsWithinACoarserSheetAreItsChildren) {
    const CommandRun run = runCover({"--scale", "1:10000", "--within-sheet", "J50E001015"});
    ASSERT_EQ(run.status, 0) << run.err;
    const engine::UnitBounds parent =
        engine::unitBounds(*engine::parseSheetNumber("J50E001015").sheet);
    const std::vector<engine::UnitBounds> expected =
        enumerateSheets({parent.south, parent.west, parent.north, parent.east}, 7);
    EXPECT_EQ(expected.size(), 16u);
    expectSameSheets(coverRows(run.out), expected);

    // The old numbering names the same parent.
    EXPECT_EQ(runCover({"--scale", "G", "--within-sheet", "J-50-8-A"}).out, run.out);
}

TEST(CoverCommand, GeoPackageHoldsTheSameSheetsWithTheirCrs) {
    ScratchFolder folder;
    const std::string path = folder / "sheets.gpkg";
    const CommandRun run =
        runCover({"--scale", "1:50000", "--bbox", "-0.5,-0.75,0.5,0.75", "--output", path});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    gis::registerGdalDrivers();
    GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR));
    ASSERT_TRUE(dataset);
    OGRLayer* layer = dataset->GetLayerByName("sheets");
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->GetFeatureCount(), 6 * 6);
    OGREnvelope extent;
    ASSERT_EQ(layer->GetExtent(&extent), OGRERR_NONE);
    EXPECT_EQ(extent.MinX, -0.75);
    EXPECT_EQ(extent.MaxX, 0.75);
    EXPECT_EQ(extent.MinY, -0.5);
    EXPECT_EQ(extent.MaxY, 0.5);
    EXPECT_STREQ(layer->GetSpatialRef()->GetAuthorityCode(nullptr), "4490");
    // The first feature is the north-western sheet, as in the CSV.
    const CommandRun csv = runCover({"--scale", "1:50000", "--bbox", "-0.5,-0.75,0.5,0.75"});
    const std::string firstRow = csv.out.substr(csv.out.find('\n') + 1);
    auto first = std::unique_ptr<OGRFeature>(layer->GetNextFeature());
    ASSERT_TRUE(first);
    EXPECT_EQ(firstRow.substr(0, firstRow.find(',')), first->GetFieldAsString("new"));
    EXPECT_STREQ(first->GetFieldAsString("scale"), "1:50000");
}

TEST(CoverCommand, BadInputIsRefusedAndLeavesNothingBehind) {
    ScratchFolder folder;
    const std::string junk = folder / "junk.geojson";
    const struct {
        const char* name;
        Arguments arguments;
        int status;
        const char* message;
    } rows[] = {
        {"malformed sheet number",
         {"--scale", "G", "--within-sheet", "J50X001015"},
         2,
         "--within-sheet"},
        {"south above north",
         {"--scale", "E", "--bbox", "41,116,40,117"},
         2,
         "south 41 is above north 40"},
        {"three box values", {"--scale", "E", "--bbox", "41,116,40"}, 2, "four values"},
        {"box value that is no angle",
         {"--scale", "E", "--bbox", "39,east,40,117"},
         2,
         "west 'east'"},
        {"file GDAL cannot open", {"--scale", "E", "--within", junk}, 4, "cannot read"},
        {"unknown format",
         {"--scale", "E", "--bbox", "39,116,40,117", "--format", "xls"},
         2,
         "unknown format 'xls'"},
        {"binary format to standard output",
         {"--scale", "E", "--bbox", "39,116,40,117", "--format", "gpkg"},
         2,
         "--output"},
        {"folder that does not exist",
         {"--scale", "E", "--bbox", "39,116,40,117", "--output", folder / "no/such/x.gpkg"},
         3,
         "cannot write"},
        {"scale that does not nest",
         {"--scale", "C", "--within-sheet", "J50R001001"},
         2,
         "do not lie within"},
        {"two areas",
         {"--scale", "E", "--bbox", "39,116,40,117", "--within-sheet", "J50"},
         2,
         "exactly one"},
        {"no scale", {"--bbox", "39,116,40,117"}, 2, "--scale"},
        {"too many sheets",
         {"--scale", "1:10000", "--bbox", "18,73,54,135", "--max-sheets", "1000", "--output",
          folder / "big.csv"},
         2,
         "would have 857,088 sheets"},
    };
    std::ofstream(junk) << "{ not json";
    for (const auto& row : rows) {
        const CommandRun run = runCover(row.arguments);
        EXPECT_EQ(run.status, row.status) << row.name << ": " << run.err;
        EXPECT_NE(run.err.find(row.message), std::string::npos) << row.name << ": " << run.err;
        EXPECT_EQ(run.out, "") << row.name;
    }
    fs::remove(junk);
    EXPECT_TRUE(folder.empty());
}

TEST(CoverCommand, FormatFollowsTheOutputName) {
    ScratchFolder folder;
    const struct {
        const char* file;
        const char* driver;  // that GDAL reads it with
    } rows[] = {{"a.geojson", "GeoJSON"}, {"b.shp", "ESRI Shapefile"},
                {"c.fgb", "FlatGeobuf"},  {"d.kml", "LIBKML"},
                {"e.csv", "CSV"},         {"f.gpkg", "GPKG"}};
    gis::registerGdalDrivers();
    for (const auto& row : rows) {
        const std::string path = folder / row.file;
        const CommandRun run =
            runCover({"--scale", "B", "--bbox", "39,116,40.5,119", "--output", path});
        ASSERT_EQ(run.status, 0) << row.file << ": " << run.err;
        GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR));
        ASSERT_TRUE(dataset) << row.file;
        EXPECT_STREQ(dataset->GetDriverName(), row.driver);
        EXPECT_EQ(dataset->GetLayer(0)->GetFeatureCount(), 4) << row.file;
    }
}

}  // namespace
}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_GDAL
