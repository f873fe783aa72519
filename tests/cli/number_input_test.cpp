// number --input (a GIS point layer, a spreadsheet) and --format xlsx, the files written and
// read back with GDAL.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "tests/cli/command_run.h"

#ifdef MAPSHEET_HAVE_GDAL
#include <cpl_conv.h>
#include <gdal.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>
#endif

namespace mapsheet::cli {
namespace {

#ifdef MAPSHEET_HAVE_GDAL

using test_support::CommandRun;
using test_support::lines;
using test_support::runWithInput;

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

struct Place {
    const char* name;
    double latitude;
    double longitude;
};

// Away from sheet lines at every scale the tests use, on both hemispheres and near 180°.
const Place kPlaces[] = {{"beijing", 39.9042, 116.4074},
                         {"sydney", -33.8688, 151.2093},
                         {"new_york", 40.7128, -74.0061},
                         {"fiji", -17.7134, 178.0650}};

// Spherical Web Mercator written out, so that the layer's coordinates do not come from PROJ.
double mercatorX(double longitude) {
    return 6378137.0 * longitude * M_PI / 180.0;
}
double mercatorY(double latitude) {
    return 6378137.0 * std::log(std::tan(M_PI / 4 + latitude * M_PI / 360.0));
}

class NumberInput : public testing::Test {
  protected:
    void SetUp() override {
        GDALAllRegister();
        folder_ = std::filesystem::temp_directory_path() /
                  ("mapsheet_input_" + std::to_string(::getpid()) + "_" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};

// Writes a layer with one text field "name" through GDAL's C API, into the file when it exists
// already; each feature gets the geometry that geometryOf makes of it (nullptr for none).
template <typename GeometryOf>
void writeLayer(const std::string& path, const char* driverName, int epsg, OGRwkbGeometryType type,
                const std::vector<Place>& places, GeometryOf geometryOf,
                const char* layerName = "points") {
    GDALDriverH driver = GDALGetDriverByName(driverName);
    ASSERT_NE(driver, nullptr) << driverName;
    GDALDatasetH dataset =
        std::filesystem::exists(path)
            ? GDALOpenEx(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE, nullptr, nullptr, nullptr)
            : GDALCreate(driver, path.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
    ASSERT_NE(dataset, nullptr) << path;
    OGRSpatialReferenceH crs = nullptr;
    if (epsg != 0) {
        crs = OSRNewSpatialReference(nullptr);
        OSRImportFromEPSG(crs, epsg);
    }
    OGRLayerH layer = GDALDatasetCreateLayer(dataset, layerName, crs, type, nullptr);
    ASSERT_NE(layer, nullptr);
    for (const char* name : {"name", "lat", "lon"}) {
        OGRFieldDefnH field =
            OGR_Fld_Create(name, std::string(name) == "name" ? OFTString : OFTReal);
        OGR_L_CreateField(layer, field, TRUE);
        OGR_Fld_Destroy(field);
    }
    for (const Place& place : places) {
        OGRFeatureH feature = OGR_F_Create(OGR_L_GetLayerDefn(layer));
        OGR_F_SetFieldString(feature, 0, place.name);
        OGR_F_SetFieldDouble(feature, 1, place.latitude);
        OGR_F_SetFieldDouble(feature, 2, place.longitude);
        if (OGRGeometryH geometry = geometryOf(place)) {
            OGR_F_SetGeometryDirectly(feature, geometry);
        }
        ASSERT_EQ(OGR_L_CreateFeature(layer, feature), OGRERR_NONE);
        OGR_F_Destroy(feature);
    }
    if (crs != nullptr) {
        OSRDestroySpatialReference(crs);
    }
    GDALClose(dataset);
}

OGRGeometryH mercatorPoint(const Place& place) {
    OGRGeometryH point = OGR_G_CreateGeometry(wkbPoint);
    OGR_G_SetPoint_2D(point, 0, mercatorX(place.longitude), mercatorY(place.latitude));
    return point;
}

OGRGeometryH noGeometry(const Place&) {
    return nullptr;
}

// The first row of number's CSV for one point given on the command line: new,old.
std::vector<std::string> numberedAsText(const std::string& scale, const Place& place) {
    const CommandRun run = runWithInput(
        runNumberCommand,
        {"--scale", scale, std::to_string(place.latitude), std::to_string(place.longitude)}, "");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> row = fields(lines(run.out).at(1));
    return {row.at(2), row.at(3)};
}

TEST_F(NumberInput, MercatorPointLayerNumbersAsItsPointsWrittenAsText) {
    const std::string gpkg = path("points.gpkg");
    writeLayer(gpkg, "GPKG", 3857, wkbPoint, {std::begin(kPlaces), std::end(kPlaces)},
               mercatorPoint);
    for (const std::string scale : {"1:1000000", "1:50000", "1:5000"}) {
        SCOPED_TRACE(scale);
        const CommandRun run =
            runWithInput(runNumberCommand, {"--scale", scale, "--input", gpkg}, "");
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<std::string> rows = lines(run.out);
        ASSERT_EQ(rows.size(), std::size(kPlaces) + 1);
        EXPECT_EQ(rows[0], "name,lat,lon,latitude,longitude,new,old,error");
        for (std::size_t i = 0; i < std::size(kPlaces); ++i) {
            const std::vector<std::string> row = fields(rows[i + 1]);
            ASSERT_EQ(row.size(), 8u) << rows[i + 1];
            EXPECT_EQ(row[0], kPlaces[i].name);
            EXPECT_NEAR(std::stod(row[3]), kPlaces[i].latitude, 1e-7) << row[0];
            EXPECT_NEAR(std::stod(row[4]), kPlaces[i].longitude, 1e-7) << row[0];
            const std::vector<std::string> expected = numberedAsText(scale, kPlaces[i]);
            EXPECT_EQ(row[5], expected[0]) << row[0];
            EXPECT_EQ(row[6], expected[1]) << row[0];
        }
    }
}

// --layer picks a layer of a file that holds several; a name it lacks, or --layer without a
// file that has layers, is a usage error.
TEST_F(NumberInput, LayerNamesTheLayerRead) {
    const std::string gpkg = path("two.gpkg");
    writeLayer(gpkg, "GPKG", 3857, wkbPoint, {std::begin(kPlaces), std::end(kPlaces)},
               mercatorPoint);
    writeLayer(gpkg, "GPKG", 3857, wkbPoint, {kPlaces[3]}, mercatorPoint, "stations");
    const struct {
        const char* name;
        Arguments layer;
        int status;
        std::vector<std::string> names;  // of the rows read, or the pieces of the error
    } cases[] = {
        {"FirstWithoutLayer", {"--input", gpkg}, 0, {"beijing", "sydney", "new_york", "fiji"}},
        {"SecondByName", {"--input", gpkg, "--layer", "stations"}, 0, {"fiji"}},
        {"MissingLayer", {"--input", gpkg, "--layer", "roads"}, 2, {"'roads'", "points, stations"}},
        {"LayerWithoutInput", {"--layer", "stations"}, 2, {"--layer"}},
        {"LayerOfCsv", {"--input", path("points.csv"), "--layer", "stations"}, 2, {".csv"}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        Arguments arguments{"--scale", "1:50000"};
        arguments.insert(arguments.end(), row.layer.begin(), row.layer.end());
        const CommandRun run = runWithInput(runNumberCommand, arguments, "");
        ASSERT_EQ(run.status, row.status) << run.err;
        if (row.status != 0) {
            for (const std::string& piece : row.names) {
                EXPECT_NE(run.err.find(piece), std::string::npos) << run.err;
            }
            continue;
        }
        std::vector<std::string> names;
        for (const std::string& line : lines(run.out)) {
            names.push_back(fields(line).at(0));
        }
        names.erase(names.begin());
        EXPECT_EQ(names, row.names);
    }
}

// The light mapsheet-cli has no GDAL: it must hand --input over to mapsheet-cli-full.
TEST_F(NumberInput, TheLightProgramHandsTheInputFileOver) {
    const std::string gpkg = path("points.gpkg");
    writeLayer(gpkg, "GPKG", 3857, wkbPoint, {std::begin(kPlaces), std::end(kPlaces)},
               mercatorPoint);
    const CommandRun inProcess =
        runWithInput(runNumberCommand, {"--scale", "1:10000", "--input", gpkg}, "");
    const std::string command =
        std::string(MAPSHEET_CLI_PATH) + " number --scale 1:10000 --input '" + gpkg + "'";
    FILE* program = ::popen(command.c_str(), "r");
    ASSERT_NE(program, nullptr);
    std::string out;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, program)) > 0;) {
        out.append(buffer, read);
    }
    EXPECT_EQ(::pclose(program), 0);
    EXPECT_EQ(out, inProcess.out);
    EXPECT_EQ(lines(out).size(), std::size(kPlaces) + 1);
}

TEST_F(NumberInput, WorkbookWrittenByGdalNumbersAsTheSameCsv) {
    const std::string xlsx = path("points.xlsx");
    writeLayer(xlsx, "XLSX", 0, wkbNone, {std::begin(kPlaces), std::end(kPlaces)}, noGeometry);
    std::string csv = "name,lat,lon\n";
    for (const Place& place : kPlaces) {
        std::ostringstream row;
        row.precision(17);
        row << place.name << ',' << place.latitude << ',' << place.longitude << '\n';
        csv += row.str();
    }
    const CommandRun fromCsv = runWithInput(
        runNumberCommand, {"--scale", "1:25000", "--lat-col", "lat", "--lon-col", "lon"}, csv);
    const CommandRun fromWorkbook = runWithInput(
        runNumberCommand,
        {"--scale", "1:25000", "--lat-col", "lat", "--lon-col", "lon", "--input", xlsx}, "");
    ASSERT_EQ(fromWorkbook.status, 0) << fromWorkbook.err;
    ASSERT_EQ(fromCsv.status, 0) << fromCsv.err;
    const std::vector<std::string> expected = lines(fromCsv.out);
    const std::vector<std::string> actual = lines(fromWorkbook.out);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        const std::vector<std::string> want = fields(expected[i]);
        const std::vector<std::string> got = fields(actual[i]);
        ASSERT_EQ(got.size(), want.size()) << actual[i];
        EXPECT_EQ(got[0], want[0]);
        EXPECT_NEAR(std::stod(i == 0 ? "0" : got[1]), std::stod(i == 0 ? "0" : want[1]), 1e-12);
        EXPECT_EQ(std::vector(got.begin() + 3, got.end()),
                  std::vector(want.begin() + 3, want.end()))
            << actual[i];
    }
}

// The rows of the first layer of a workbook read with its first row as the header: field
// names, then each row's values as text.
std::vector<std::vector<std::string>> readWorkbook(const std::string& path) {
    CPLSetThreadLocalConfigOption("OGR_XLSX_HEADERS", "FORCE");
    CPLSetThreadLocalConfigOption("OGR_XLSX_FIELD_TYPES", "STRING");
    GDALDatasetH dataset = GDALOpenEx(path.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
    EXPECT_NE(dataset, nullptr) << path;
    std::vector<std::vector<std::string>> rows;
    if (dataset == nullptr) {
        return rows;
    }
    OGRLayerH layer = GDALDatasetGetLayer(dataset, 0);
    OGRFeatureDefnH definition = OGR_L_GetLayerDefn(layer);
    rows.emplace_back();
    for (int i = 0; i < OGR_FD_GetFieldCount(definition); ++i) {
        rows.back().push_back(OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(definition, i)));
    }
    while (OGRFeatureH feature = OGR_L_GetNextFeature(layer)) {
        rows.emplace_back();
        for (int i = 0; i < OGR_FD_GetFieldCount(definition); ++i) {
            rows.back().push_back(
                OGR_F_IsFieldSetAndNotNull(feature, i) ? OGR_F_GetFieldAsString(feature, i) : "");
        }
        OGR_F_Destroy(feature);
    }
    GDALClose(dataset);
    CPLSetThreadLocalConfigOption("OGR_XLSX_HEADERS", nullptr);
    CPLSetThreadLocalConfigOption("OGR_XLSX_FIELD_TYPES", nullptr);
    return rows;
}

TEST_F(NumberInput, WorkbookOutputHoldsTheCsvRows) {
    const std::string table =
        "id,lat,lon\n"
        "a,41,117.5\n"
        "b,north,117.5\n"
        "c,-30.5,-0°30′\n";
    const Arguments columns = {"--scale", "1:100000", "--lat-col", "lat", "--lon-col", "lon"};
    const CommandRun csv = runWithInput(runNumberCommand, columns, table);
    Arguments toWorkbook = columns;
    const std::string xlsx = path("numbered.xlsx");
    toWorkbook.insert(toWorkbook.end(), {"--format", "xlsx", "--output", xlsx});
    const CommandRun workbook = runWithInput(runNumberCommand, toWorkbook, table);
    EXPECT_EQ(workbook.status, csv.status) << workbook.err;
    EXPECT_EQ(workbook.status, 1) << "the row 'north' has an error";
    std::vector<std::vector<std::string>> expected;
    for (const std::string& line : lines(csv.out)) {
        std::vector<std::string> row = fields(line);
        if (row.size() > 6) {  // the error text holds commas: it is quoted, one field
            std::string error = line.substr(line.find('"') + 1);
            error.pop_back();
            for (std::size_t quote = error.find("\"\""); quote != std::string::npos;
                 quote = error.find("\"\"", quote + 1)) {
                error.erase(quote, 1);
            }
            row.resize(5);
            row.push_back(error);
        }
        expected.push_back(row);
    }
    EXPECT_EQ(readWorkbook(xlsx), expected);
}

struct BadInput {
    const char* name;
    Arguments arguments;  // %IN% and %OUT% stand for the files
    const char* file;     // what the input file is made as
    int status;
    const char* quoted;  // the piece the message must quote
};

TEST_F(NumberInput, BadInputIsReportedAndLeavesNoOutput) {
    const BadInput cases[] = {
        {"missing column",
         {"--lat-col", "latitude", "--lon-col", "lon"},
         "points.xlsx",
         2,
         "latitude"},
        {"line layer", {}, "lines.gpkg", 2, "Line String"},
        {"table without points", {}, "points.xlsx", 2, "no geometry"},
        {"unreadable file", {}, "garbage.gpkg", 2, "garbage.gpkg"},
        {"missing csv", {"--lat-col", "lat", "--lon-col", "lon"}, "absent.csv", 2, "absent.csv"},
    };
    writeLayer(path("points.xlsx"), "XLSX", 0, wkbNone, {kPlaces[0]}, noGeometry);
    writeLayer(path("lines.gpkg"), "GPKG", 4490, wkbLineString, {kPlaces[0]},
               [](const Place& place) {
                   OGRGeometryH line = OGR_G_CreateGeometry(wkbLineString);
                   OGR_G_AddPoint_2D(line, place.longitude, place.latitude);
                   OGR_G_AddPoint_2D(line, place.longitude + 1, place.latitude);
                   return line;
               });
    std::ofstream(path("garbage.gpkg")) << "not a map at all\n";
    for (const BadInput& bad : cases) {
        SCOPED_TRACE(bad.name);
        const std::string output = path("out.xlsx");
        Arguments arguments = {"--scale",  "1:50000", "--input",  path(bad.file),
                               "--format", "xlsx",    "--output", output};
        arguments.insert(arguments.end(), bad.arguments.begin(), bad.arguments.end());
        const CommandRun run = runWithInput(runNumberCommand, arguments, "");
        EXPECT_EQ(run.status, bad.status) << run.err;
        EXPECT_NE(run.err.find(bad.quoted), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(output));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                                std::filesystem::directory_iterator()),
                  3)
            << "a staging folder was left behind";
    }
}

#endif

}  // namespace
}  // namespace mapsheet::cli
