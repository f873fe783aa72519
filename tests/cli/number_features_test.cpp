// number --format and --output, read back with GDAL.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "cli/commands.h"
#include "tests/cli/command_run.h"

#ifdef MAPSHEET_HAVE_GDAL
#include <gdal.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>
#endif

namespace mapsheet::cli {
namespace {

#ifdef MAPSHEET_HAVE_GDAL

const std::string kTable =
    "id,lat,lon\n"
    "a,41,117.5\n"
    "b,north,117.5\n"
    "c,-30.5,-0°30′\n";

using test_support::CommandRun;

CommandRun number(const Arguments& arguments, std::istream& in) {
    std::ostringstream out;
    std::ostringstream err;
    return {runNumberCommand(arguments, in, out, err), out.str(), err.str()};
}

class NumberFeatures : public testing::Test {
  protected:
    void SetUp() override {
        GDALAllRegister();
        folder_ = std::filesystem::temp_directory_path() /
                  ("mapsheet_features_" + std::to_string(::getpid()) + "_" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path folder_;
};

struct Feature {
    std::string id;
    std::string newNumber;
    std::string old;
    std::string error;
    bool hasPoint = false;
    double x = 0;
    double y = 0;
};

std::string text(OGRFeatureH feature, const char* name) {
    const int index = OGR_F_GetFieldIndex(feature, name);
    if (index < 0 || !OGR_F_IsFieldSetAndNotNull(feature, index)) {
        return {};
    }
    return OGR_F_GetFieldAsString(feature, index);
}

// The features of the layer "sheets" (or the only layer), and its CRS's EPSG code (0 when it has
// none).
std::vector<Feature> readLayer(const std::string& path, int& epsg) {
    std::vector<Feature> features;
    GDALDatasetH dataset = GDALOpenEx(path.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
    EXPECT_NE(dataset, nullptr) << path;
    if (dataset == nullptr) {
        return features;
    }
    // A Shapefile's layer is named after its file, and a GeoJSON file may name none.
    OGRLayerH layer = GDALDatasetGetLayerByName(dataset, "sheets");
    if (layer == nullptr && GDALDatasetGetLayerCount(dataset) == 1) {
        layer = GDALDatasetGetLayer(dataset, 0);
    }
    EXPECT_NE(layer, nullptr);
    if (layer != nullptr) {
        OGRSpatialReferenceH srs = OGR_L_GetSpatialRef(layer);
        const char* code = srs ? OSRGetAuthorityCode(srs, nullptr) : nullptr;
        epsg = code ? std::stoi(code) : 0;
        OGR_L_ResetReading(layer);
        while (OGRFeatureH feature = OGR_L_GetNextFeature(layer)) {
            Feature read{text(feature, "id"), text(feature, "new"), text(feature, "old"),
                         text(feature, "error")};
            if (OGRGeometryH geometry = OGR_F_GetGeometryRef(feature)) {
                read.hasPoint = true;
                read.x = OGR_G_GetX(geometry, 0);
                read.y = OGR_G_GetY(geometry, 0);
            }
            features.push_back(read);
            OGR_F_Destroy(feature);
        }
    }
    GDALClose(dataset);
    return features;
}

TEST_F(NumberFeatures, EveryFileFormatReadsBackWithTheInputColumnsAndBothNumbers) {
    // FlatGeobuf's spatial index holds only features with a geometry: GDAL leaves the row
    // without a sheet out.
    const struct {
        const char* format;
        const char* file;
        int epsg;
        std::size_t features;
    } formats[] = {{"gpkg", "points.gpkg", 4490, 3},
                   {"shp", "points.shp", 4490, 3},
                   {"fgb", "points.fgb", 4490, 2},
                   {"geojson", "points.geojson", 4326, 3},
                   {"kml", "points.kml", 4326, 3}};
    for (const auto& f : formats) {
        SCOPED_TRACE(f.format);
        const std::string path = (folder_ / f.file).string();
        std::istringstream in(kTable);
        const CommandRun run = number({"--scale", "E", "--lat-col", "lat", "--lon-col", "lon",
                                       "--format", f.format, "--output", path},
                                      in);
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_EQ(run.out, "");
        int epsg = 0;
        const std::vector<Feature> features = readLayer(path, epsg);
        ASSERT_EQ(features.size(), f.features);
        EXPECT_EQ(epsg, f.epsg);
        EXPECT_EQ(features[0].id, "a");
        EXPECT_EQ(features[0].newNumber, "K50E018015");
        EXPECT_EQ(features[0].old, "K-50-104-C");
        EXPECT_TRUE(features[0].hasPoint);
        EXPECT_DOUBLE_EQ(features[0].x, 117.5);
        EXPECT_DOUBLE_EQ(features[0].y, 41);
        const Feature& last = features.back();
        EXPECT_EQ(last.newNumber, "SH30E016023");
        EXPECT_DOUBLE_EQ(last.x, -0.5);
        if (f.features == 3) {
            EXPECT_EQ(features[1].newNumber, "");
            EXPECT_FALSE(features[1].hasPoint);
            EXPECT_NE(features[1].error.find("line 3: latitude \"north\""), std::string::npos);
        }
    }
}

TEST_F(NumberFeatures, GeoJsonGoesToStandardOutputWithoutOutput) {
    std::istringstream in("41,117.5\n");
    const CommandRun run = number({"--scale", "E", "--format", "geojson"}, in);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string path = (folder_ / "stdout.geojson").string();
    std::ofstream(path) << run.out;
    int epsg = 0;
    const std::vector<Feature> features = readLayer(path, epsg);
    ASSERT_EQ(features.size(), 1u);
    EXPECT_EQ(features[0].newNumber, "K50E018015");
}

// Nothing half-written under --output: a failed read or an unwritable place leaves no file.
TEST_F(NumberFeatures, AFailureLeavesNoFileBehind) {
    class FailingBuffer : public std::streambuf {
      protected:
        int_type underflow() override {
            throw std::ios_base::failure("read failed",
                                         std::error_code(EIO, std::generic_category()));
        }
    } failing;
    for (const char* format : {"csv", "gpkg"}) {
        SCOPED_TRACE(format);
        const std::filesystem::path path = folder_ / (std::string("points.") + format);
        std::istream in(&failing);
        const CommandRun run =
            number({"--scale", "E", "--format", format, "--output", path.string()}, in);
        EXPECT_EQ(run.status, 4);
        EXPECT_FALSE(std::filesystem::exists(path));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                                std::filesystem::directory_iterator()),
                  0);
    }
    std::istringstream in("41,117.5\n");
    const CommandRun nowhere = number({"--scale", "E", "--format", "gpkg", "--output",
                                       (folder_ / "missing" / "points.gpkg").string()},
                                      in);
    EXPECT_EQ(nowhere.status, 3);
    EXPECT_NE(nowhere.err.find("mapsheet-cli: cannot write output"), std::string::npos);
}

TEST_F(NumberFeatures, CsvToAFileIsTheCsvOfStandardOutput) {
    const std::filesystem::path path = folder_ / "points.csv";
    std::istringstream toFile(kTable);
    const CommandRun run =
        number({"--scale", "E", "--lat-col", "lat", "--lon-col", "lon", "--output", path.string()},
               toFile);
    std::istringstream toStream(kTable);
    const CommandRun streamed =
        number({"--scale", "E", "--lat-col", "lat", "--lon-col", "lon"}, toStream);
    EXPECT_EQ(run.status, 1);
    std::ifstream file(path);
    std::ostringstream written;
    written << file.rdbuf();
    EXPECT_EQ(written.str(), streamed.out);
}

#else

TEST(NumberFeatures, WithoutGdalTheFormatsAreAUsageError) {
    std::istringstream in("41,117.5\n");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runNumberCommand({"--scale", "E", "--format", "geojson"}, in, out, err), 2);
}

#endif

}  // namespace
}  // namespace mapsheet::cli
