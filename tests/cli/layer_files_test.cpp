// mapsheet-cli sheet and square writing files for CAD programs and spreadsheets (--format dxf,
// xlsx), read back with GDAL: the frames where the sheets lie, each labelled with its number,
// and the workbook's rows; a binary format without a file is a usage error.

// Checked with GDAL's own readers; a build without GDAL skips this suite.
#if defined(MAPSHEET_HAVE_GDAL) && defined(MAPSHEET_HAVE_PROJ)

#include <cpl_conv.h>
#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "gis/gdal_errors.h"
#include "tests/cli/command_run.h"

namespace mapsheet::cli {
namespace {

namespace fs = std::filesystem;

using Command = int (*)(const Arguments&, std::istream&, std::ostream&, std::ostream&);

// A frame read back: the extent of a polyline, or the text and place of a label.
struct Entity {
    std::string text;  // empty for a frame
    double west, south, east, north;
};

// Every entity of the drawing in file order; a polyline only when GDAL reads it closed.
std::vector<Entity> drawing(const std::string& path) {
    gis::registerGdalDrivers();
    GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR));
    std::vector<Entity> entities;
    if (!dataset) {
        return entities;
    }
    for (const auto& feature : *dataset->GetLayer(0)) {
        const OGRGeometry* geometry = feature->GetGeometryRef();
        OGREnvelope extent;
        geometry->getEnvelope(&extent);
        const bool closed = wkbFlatten(geometry->getGeometryType()) == wkbLineString &&
                            geometry->toLineString()->get_IsClosed();
        entities.push_back({closed ? "" : feature->GetFieldAsString("Text"), extent.MinX,
                            extent.MinY, extent.MaxX, extent.MaxY});
    }
    return entities;
}

// The workbook's rows as the values of the named fields, joined by '|'. The first row names
// the fields: GDAL guesses so only when a later row holds a number, which the square sheets'
// text fields never do.
std::vector<std::string> workbook(const std::string& path, const std::vector<std::string>& fields) {
    gis::registerGdalDrivers();
    const CPLConfigOptionSetter headers("OGR_XLSX_HEADERS", "FORCE", false);
    GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR));
    std::vector<std::string> rows;
    if (!dataset) {
        return rows;
    }
    for (const auto& feature : *dataset->GetLayerByName("sheets")) {
        std::string row;
        for (const std::string& field : fields) {
            row.append(row.empty() ? "" : "|").append(feature->GetFieldAsString(field.c_str()));
        }
        rows.push_back(row);
    }
    return rows;
}

const std::string kSquareCrs[] = {"--scale", "1:5000", "--crs", "EPSG:4548", "--sheet"};

Arguments squareArguments(std::vector<std::string> more) {
    Arguments arguments(std::begin(kSquareCrs), std::end(kSquareCrs));
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

class LayerFiles : public ::testing::Test {
  protected:
    LayerFiles() {
        folder_ = fs::temp_directory_path() /
                  ("mapsheet-layer-files-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    ~LayerFiles() override { fs::remove_all(folder_); }
    std::string file(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

// Sheets and square sheets as drawings: frames at the published bounds (J-50-5-A-1 is
// 116°00′–116°07′30″ E, 39°55′–40°00′ N; square 4374-516 of 1:5000 is 2 km from x 4374 km,
// y 516 km), labels at their centres; a number that cannot be read draws nothing.
TEST_F(LayerFiles, DrawingsHoldLabelledFramesWhereTheSheetsLie) {
    const struct {
        const char* name;
        Command command;
        Arguments arguments;  // the file goes after them
        int status;
        std::vector<Entity> entities;
    } rows[] = {
        {"SheetsByFormat",
         runSheetCommand,
         {"J-50-5-A-1", "bad", "--format", "dxf", "--output"},
         1,
         {{"", 116, 39 + 55 / 60.0, 116.125, 40},
          {"J50F001017", 116.0625, 39 + 57.5 / 60.0, 116.0625, 39 + 57.5 / 60.0}}},
        {"SheetsByExtension",
         runSheetCommand,
         {"SH50D001012", "--output"},
         0,
         {{"", 119.5, -28 - 20 / 60.0, 120, -28},
          {"SH50D001012", 119.75, -28 - 10 / 60.0, 119.75, -28 - 10 / 60.0}}},
        {"SquaresInMetres",
         runSquareCommand,
         squareArguments({"4374-516", "zz", "--format", "dxf", "--output"}),
         1,
         {{"", 516000, 4374000, 518000, 4376000}, {"4374-516", 517000, 4375000, 517000, 4375000}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = file(std::string(row.name) + ".dxf");
        Arguments arguments = row.arguments;
        arguments.push_back(path);
        const test_support::CommandRun run = test_support::runWithInput(row.command, arguments, "");
        EXPECT_EQ(run.status, row.status) << run.err;
        const std::vector<Entity> read = drawing(path);
        ASSERT_EQ(read.size(), row.entities.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            EXPECT_EQ(read[i].text, row.entities[i].text);
            EXPECT_NEAR(read[i].west, row.entities[i].west, 1e-9);
            EXPECT_NEAR(read[i].south, row.entities[i].south, 1e-9);
            EXPECT_NEAR(read[i].east, row.entities[i].east, 1e-9);
            EXPECT_NEAR(read[i].north, row.entities[i].north, 1e-9);
        }
    }
}

// Workbooks keep the fields of the GeoJSON layer, one row per input.
TEST_F(LayerFiles, WorkbooksHoldTheFieldsAsRows) {
    const struct {
        const char* name;
        Command command;
        Arguments arguments;
        std::vector<std::string> fields;
        std::vector<std::string> rows;
    } rows[] = {
        {"Sheets",
         runSheetCommand,
         {"J-50-5-A-1", "K50", "--output"},
         {"input", "new", "old", "scale"},
         {"J-50-5-A-1|J50F001017|J-50-5-A-1|1:25000", "K50|K50|K-50|1:1000000"}},
        {"Squares",
         runSquareCommand,
         squareArguments({"4374-516", "4376-516", "--output"}),
         {"sheet", "crs", "scale"},
         {"4374-516|EPSG:4548|1:5000", "4376-516|EPSG:4548|1:5000"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = file(std::string(row.name) + ".xlsx");
        Arguments arguments = row.arguments;
        arguments.push_back(path);
        const test_support::CommandRun run = test_support::runWithInput(row.command, arguments, "");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(workbook(path, row.fields), row.rows);
    }
}

// A drawing cannot go to standard output, square writes layers of square sheets only and knows
// its formats: usage errors, nothing written.
TEST_F(LayerFiles, BinaryFormatsNeedAFileAndSquaresASheetList) {
    const struct {
        const char* name;
        Command command;
        Arguments arguments;
        const char* message;
    } rows[] = {
        {"SheetDxfWithoutFile", runSheetCommand, {"--format", "dxf", "K50"}, "--output"},
        {"SquarePoints",
         runSquareCommand,
         {"--scale", "1:5000", "--format", "dxf", "--output", "x.dxf", "39.5", "117.2"},
         "--sheet"},
        {"SquareUnknownFormat", runSquareCommand, squareArguments({"--format", "dwg", "4374-516"}),
         "'dwg'"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const test_support::CommandRun run =
            test_support::runWithInput(row.command, row.arguments, "");
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists("x.dxf"));
}

}  // namespace
}  // namespace mapsheet::cli

#endif
