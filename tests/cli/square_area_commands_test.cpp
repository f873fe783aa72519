// cover --square and sheet --square driven in-process: the squares meeting a graticule sheet
// hold every one of its sampled points, both commands list the same squares, the files written
// read back with GDAL (projected CRS and exact corners; GeoJSON outlines within a centimetre of
// the true sides), and refusals.

#if defined(MAPSHEET_HAVE_PROJ) && defined(MAPSHEET_HAVE_GDAL)

#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "engine/sheet_number_parse.h"
#include "engine/square_sheet.h"
#include "gis/gdal_errors.h"
#include "projection/gauss_kruger_projector.h"
#include "tests/cli/command_run.h"

namespace mapsheet::cli {
namespace {

namespace fs = std::filesystem;

using test_support::CommandRun;

CommandRun runCover(const Arguments& arguments) {
    return test_support::runWithoutInput(runCoverCommand, arguments);
}

CommandRun runSheet(const Arguments& arguments) {
    return test_support::runWithInput(runSheetCommand, arguments, "");
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> pieces(1);
    for (const char c : text) {
        if (c == separator) {
            pieces.emplace_back();
        } else {
            pieces.back().push_back(c);
        }
    }
    return pieces;
}

// The first column of every CSV row after the header.
std::vector<std::string> firstColumn(const std::string& csv) {
    std::vector<std::string> result;
    const std::vector<std::string> rows = split(csv, '\n');
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (!rows[i].empty()) {
            result.push_back(split(rows[i], ',')[0]);
        }
    }
    return result;
}

class ScratchFolder {
  public:
    ScratchFolder()
        : path_(fs::temp_directory_path() /
                ("mapsheet-square-" + std::to_string(::getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchFolder() { fs::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
};

// J50G013052 (1:10,000) holds 39.5N 117.2E; its west edge is 117 degrees 11'15", inside
// EPSG:4548's zone.
constexpr const char* kSheet = "J50G013052";

// Both commands list the same squares, and every point of a lattice over the graticule sheet
// lies in one of them.
TEST(SquareArea, CoverAndSheetAgreeAndHoldTheSheetsPoints) {
    const CommandRun cover =
        runCover({"--square", "--scale", "1:1000", "--within-sheet", kSheet, "--crs", "EPSG:4548"});
    ASSERT_EQ(cover.status, kExitSuccess) << cover.err;
    const std::vector<std::string> covered = firstColumn(cover.out);
    const CommandRun sheet = runSheet({"--square", "1:1000", "--crs", "EPSG:4548", kSheet});
    ASSERT_EQ(sheet.status, kExitSuccess) << sheet.err;
    const std::vector<std::string> row = split(split(sheet.out, '\n')[1], ',');
    ASSERT_EQ(row.size(), 5u);
    EXPECT_EQ(row[1], "EPSG:4548");
    EXPECT_EQ(split(row[3], ' '), covered);

    const auto parsed = engine::parseSheetNumber(kSheet);
    const engine::DegreeBounds bounds = engine::degreeBounds(*parsed.sheet);
    projection::GaussKrugerProjector projector(*projection::epsgGaussKrugerSystem(4548));
    const std::set<std::string> listed(covered.begin(), covered.end());
    for (int i = 0; i <= 20; ++i) {
        for (int j = 0; j <= 20; ++j) {
            const double latitude =
                bounds.south + (bounds.north - bounds.south) * (i + 0.01) / 20.02;
            const double longitude = bounds.west + (bounds.east - bounds.west) * (j + 0.01) / 20.02;
            const auto plane = projector.forward({latitude, longitude});
            const auto square = engine::squareSheetOf(plane->x, plane->y, 10);
            EXPECT_TRUE(listed.contains(engine::squareNumber(*square)))
                << latitude << " " << longitude;
        }
    }
}

// The GeoPackage carries the projected CRS and the squares' exact corners in metres; the
// GeoJSON carries longitude/latitude outlines whose every drawn point lies within a centimetre
// of the square's straight sides.
TEST(SquareArea, FilesReadBackWithGdal) {
    ScratchFolder folder;
    const Arguments area = {"--square", "--scale",  "1:2000", "--bbox", "39.5,117.2,39.51,117.22",
                            "--crs",    "EPSG:4548"};
    Arguments csvArguments = area;
    const CommandRun csv = runCover(csvArguments);
    ASSERT_EQ(csv.status, kExitSuccess) << csv.err;
    const std::vector<std::string> numbers = firstColumn(csv.out);
    ASSERT_EQ(numbers.size(), 4u);

    gis::registerGdalDrivers();
    Arguments gpkgArguments = area;
    gpkgArguments.insert(gpkgArguments.end(), {"--output", folder.file("squares.gpkg")});
    ASSERT_EQ(runCover(gpkgArguments).status, kExitSuccess);
    GDALDatasetUniquePtr gpkg(
        GDALDataset::Open(folder.file("squares.gpkg").c_str(), GDAL_OF_VECTOR));
    ASSERT_TRUE(gpkg);
    OGRLayer* layer = gpkg->GetLayerByName("sheets");
    ASSERT_NE(layer, nullptr);
    ASSERT_NE(layer->GetSpatialRef(), nullptr);
    EXPECT_STREQ(layer->GetSpatialRef()->GetAuthorityCode(nullptr), "4548");
    std::vector<std::string> read;
    for (auto& feature : *layer) {
        read.emplace_back(feature->GetFieldAsString("sheet"));
        OGREnvelope envelope;
        feature->GetGeometryRef()->getEnvelope(&envelope);
        const auto parsed = engine::parseSquareNumber(read.back(), 9);
        ASSERT_TRUE(parsed.sheet);
        EXPECT_EQ(envelope.MinX, static_cast<double>(parsed.sheet->west));
        EXPECT_EQ(envelope.MinY, static_cast<double>(parsed.sheet->south));
        EXPECT_EQ(envelope.MaxX - envelope.MinX, 1000.0);
        EXPECT_EQ(envelope.MaxY - envelope.MinY, 1000.0);
    }
    EXPECT_EQ(read, numbers);

    Arguments jsonArguments = area;
    jsonArguments.insert(jsonArguments.end(), {"--output", folder.file("squares.geojson")});
    ASSERT_EQ(runCover(jsonArguments).status, kExitSuccess);
    GDALDatasetUniquePtr json(
        GDALDataset::Open(folder.file("squares.geojson").c_str(), GDAL_OF_VECTOR));
    ASSERT_TRUE(json);
    projection::GaussKrugerProjector projector(*projection::epsgGaussKrugerSystem(4548));
    read.clear();
    for (auto& feature : *json->GetLayer(0)) {
        read.emplace_back(feature->GetFieldAsString("sheet"));
        const auto parsed = engine::parseSquareNumber(read.back(), 9);
        const engine::SquareBounds b = engine::squareBounds(*parsed.sheet);
        const OGRLinearRing* ring = feature->GetGeometryRef()->toPolygon()->getExteriorRing();
        ASSERT_GE(ring->getNumPoints(), 5);
        EXPECT_TRUE(ring->isClockwise() == FALSE);
        for (int i = 0; i + 1 < ring->getNumPoints(); ++i) {
            for (double t = 0; t <= 1; t += 0.125) {
                const double longitude = ring->getX(i) + (ring->getX(i + 1) - ring->getX(i)) * t;
                const double latitude = ring->getY(i) + (ring->getY(i + 1) - ring->getY(i)) * t;
                const auto plane = projector.forward({latitude, longitude});
                const double off =
                    std::min({std::fabs(plane->x - b.south), std::fabs(plane->x - b.north),
                              std::fabs(plane->y - b.west), std::fabs(plane->y - b.east)});
                EXPECT_LE(off, 0.01) << read.back() << " " << i << " " << t;
            }
        }
    }
    EXPECT_EQ(read, numbers);
}

// A polygon with a hole read from a GeoJSON file: every sampled point of the polygon outside the
// hole lies in a listed square, and a square wholly inside the hole is not listed.
TEST(SquareArea, WithinAFilesPolygonLeavesItsHoleOut) {
    ScratchFolder folder;
    const std::string path = folder.file("area.geojson");
    {
        std::ofstream file(path);
        file << R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{},)"
             << R"("geometry":{"type":"Polygon","coordinates":[)"
             << R"([[117.2,39.5],[117.23,39.5],[117.23,39.52],[117.2,39.52],[117.2,39.5]],)"
             << R"([[117.205,39.505],[117.22,39.505],[117.22,39.515],[117.205,39.515],)"
             << R"([117.205,39.505]]]}}]})";
    }
    const CommandRun run =
        runCover({"--square", "--scale", "1:1000", "--within", path, "--crs", "EPSG:4548"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    const std::vector<std::string> numbers = firstColumn(run.out);
    const std::set<std::string> listed(numbers.begin(), numbers.end());
    EXPECT_FALSE(listed.contains("4375.0-518.0"));  // 117.210-117.216E, 39.508-39.512N
    projection::GaussKrugerProjector projector(*projection::epsgGaussKrugerSystem(4548));
    for (int i = 0; i <= 40; ++i) {
        for (int j = 0; j <= 60; ++j) {
            const double latitude = 39.5 + 0.02 * (i + 0.01) / 40.02;
            const double longitude = 117.2 + 0.03 * (j + 0.01) / 60.02;
            if (latitude > 39.505 && latitude < 39.515 && longitude > 117.205 &&
                longitude < 117.22) {
                continue;  // in the hole
            }
            const auto plane = projector.forward({latitude, longitude});
            const auto square = engine::squareSheetOf(plane->x, plane->y, 10);
            EXPECT_TRUE(listed.contains(engine::squareNumber(*square)))
                << latitude << " " << longitude;
        }
    }
}

struct RefusalCase {
    const char* name;
    Arguments arguments;
    const char* error;
};

const RefusalCase kRefusals[] = {
    {"graticule_scale",
     {"--square", "--scale", "1:10000", "--within-sheet", kSheet},
     "mapsheet-cli cover: --square needs a square-sheet scale: 1:5000, 1:2000, 1:1000 or 1:500, "
     "not '1:10000'\n"},
    {"beyond_the_zone",
     {"--square", "--scale", "1:500", "--bbox", "39,110,40,118"},
     "mapsheet-cli cover: the area reaches too far: longitude 110 lies 4 degrees west of the "
     "central meridian 114E of EPSG:4547, beyond the 2 degrees a 3-degree zone serves (1.5 and a "
     "0.5 overlap)\n"},
    {"two_areas",
     {"--square", "--scale", "1:500", "--bbox", "39,117,39.1,117.1", "--within-sheet", kSheet},
     "mapsheet-cli cover: give exactly one of --bbox, --within and --within-sheet\n"},
    {"not_gauss_kruger",
     {"--square", "--scale", "1:500", "--within-sheet", kSheet, "--crs", "EPSG:3857"},
     "mapsheet-cli cover: --crs: EPSG:3857 (WGS 84 / Pseudo-Mercator) is not based on CGCS2000 "
     "(EPSG:4490) and so is not a CGCS2000 Gauss-Kruger system; those are EPSG:4491-4554\n"},
    {"few_sheets_allowed",
     {"--square", "--scale", "1:500", "--within-sheet", kSheet, "--max-sheets", "10"},
     "mapsheet-cli cover: the cover would have more than 10 sheets, more than --max-sheets 10 "
     "allows\n"},
};

class SquareCoverRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(SquareCoverRefusal, WritesNothing) {
    const CommandRun run = runCover(GetParam().arguments);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Cover, SquareCoverRefusal, testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SquareArea, SheetRowsOfNumbersThatCannotBeUsed) {
    const CommandRun run = runSheet({"--square", "1:500", "bogus", "J48G013052"});
    EXPECT_EQ(run.status, kExitRowErrors);
    const std::vector<std::string> rows = split(run.out, '\n');
    EXPECT_EQ(rows[1], "bogus,,,,zone: expected two digits after the row letter");
    // A 1:10,000 sheet of zone 48 (102..108E) is in the nearest zone of its own middle.
    EXPECT_EQ(split(rows[2], ',')[1], "EPSG:4544");
}

}  // namespace
}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_PROJ && MAPSHEET_HAVE_GDAL
