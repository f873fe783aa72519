// Reading the polygons of vector files: geometry kinds, reprojection, and the files that fail.

// Checked with GDAL's own readers; a build without GDAL skips this suite.
#ifdef MAPSHEET_HAVE_GDAL

#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/sheet_number_parse.h"
#include "gis/gdal_errors.h"
#include "gis/polygon_file.h"

namespace mapsheet::gis {
namespace {

namespace fs = std::filesystem;

class ScratchFolder {
  public:
    ScratchFolder() {
        path_ = fs::temp_directory_path() /
                ("mapsheet-polygons-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchFolder() { fs::remove_all(path_); }
    std::string write(const std::string& name, const std::string& text) const {
        const std::string path = (path_ / name).string();
        std::ofstream(path) << text;
        return path;
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
};

// A triangle over four 1:50,000 sheets near Beijing whose hypotenuse runs through the corners of
// the sheet grid, a point and a line beside it.
constexpr const char* kTriangleGeoJson = R"({"type": "FeatureCollection", "features": [
 {"type": "Feature", "properties": {}, "geometry": {"type": "Polygon",
  "coordinates": [[[116, 39.5], [116.5, 39.5], [116, 40], [116, 39.5]]]}},
 {"type": "Feature", "properties": {}, "geometry": {"type": "Point", "coordinates": [118, 41]}},
 {"type": "Feature", "properties": {}, "geometry": {"type": "LineString",
  "coordinates": [[118, 41], [119, 42]]}}]})";

bool meets(const PolygonArea& area, const char* number) {
    const engine::ParsedSheet parsed = engine::parseSheetNumber(number);
    EXPECT_TRUE(parsed.sheet) << parsed.error;
    return parsed.sheet && area.interiorMeets(engine::unitBounds(*parsed.sheet));
}

// Sheets of the triangle: inside, crossed by the hypotenuse, beyond it, and beside the point.
void expectTriangle(const PolygonArea& area) {
    EXPECT_TRUE(meets(area, "J50E003009"));   // south-west corner sheet, inside
    EXPECT_TRUE(meets(area, "J50E002010"));   // crossed by the hypotenuse
    EXPECT_FALSE(meets(area, "J50E001010"));  // north-east of the hypotenuse
    EXPECT_FALSE(meets(area, "J50E001008"));  // west of the triangle's western edge
    EXPECT_FALSE(meets(area, "K50E018017"));  // at the point and the line, which add nothing
}

TEST(PolygonFile, GeoJsonPolygonsWithoutPointsAndLines) {
    ScratchFolder folder;
    std::string error;
    const auto area = readPolygonFile(folder.write("area.geojson", kTriangleGeoJson), error);
    ASSERT_TRUE(area) << error;
    EXPECT_EQ(area->polygonCount(), 1u);
    expectTriangle(*area);
}

TEST(PolygonFile, ProjectedShapefileComesBackToLongitudeLatitude) {
    ScratchFolder folder;
    registerGdalDrivers();
    // The triangle, shrunk by a hair so that no vertex sits on a sheet line after the round trip
    // through UTM zone 50 N, written as a Shapefile with its .prj.
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("ESRI Shapefile");
    const std::string path = folder / "utm.shp";
    {
        GDALDatasetUniquePtr dataset(driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        ASSERT_TRUE(dataset);
        OGRSpatialReference utm;
        utm.importFromEPSG(32650);
        OGRSpatialReference wgs84;
        wgs84.importFromEPSG(4326);
        wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        OGRLayer* layer = dataset->CreateLayer("area", &utm, wkbPolygon, nullptr);
        ASSERT_NE(layer, nullptr);
        OGRLinearRing ring;
        ring.addPoint(116.001, 39.501);
        ring.addPoint(116.498, 39.501);
        ring.addPoint(116.001, 39.998);
        ring.closeRings();
        OGRPolygon polygon;
        polygon.addRing(&ring);
        polygon.assignSpatialReference(&wgs84);
        ASSERT_EQ(polygon.transformTo(&utm), OGRERR_NONE);
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetGeometry(&polygon);
        ASSERT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
    }
    std::string error;
    const auto area = readPolygonFile(path, error);
    ASSERT_TRUE(area) << error;
    const engine::LatLonBox box = area->bounds();
    EXPECT_NEAR(box.south, 39.501, 1e-8);
    EXPECT_NEAR(box.west, 116.001, 1e-8);
    EXPECT_NEAR(box.north, 39.998, 1e-8);
    EXPECT_NEAR(box.east, 116.498, 1e-8);
    expectTriangle(*area);
}

// The rings as the file holds them: a multi-polygon's parts in order, a hole after its exterior
// ring, every closing vertex kept; points and lines left out.
TEST(PolygonFile, PolygonsAsReadKeepTheirRings) {
    ScratchFolder folder;
    const std::string path = folder.write("rings.geojson", R"({"type": "FeatureCollection",
 "features": [
 {"type": "Feature", "properties": {}, "geometry": {"type": "Point", "coordinates": [118, 41]}},
 {"type": "Feature", "properties": {}, "geometry": {"type": "MultiPolygon", "coordinates": [
  [[[116, 39.5], [116.5, 39.5], [116, 40], [116, 39.5]]],
  [[[117, 39], [118, 39], [118, 40], [117, 40], [117, 39]],
   [[117.25, 39.25], [117.25, 39.75], [117.75, 39.75], [117.25, 39.25]]]]}}]})");
    std::string error;
    const auto polygons = readPolygons(path, error);
    ASSERT_TRUE(polygons) << error;
    ASSERT_EQ(polygons->size(), 2u);
    const engine::GeographicPolygon& triangle = (*polygons)[0];
    ASSERT_EQ(triangle.size(), 1u);
    ASSERT_EQ(triangle[0].size(), 4u);
    EXPECT_EQ(triangle[0][1].longitude, 116.5);
    EXPECT_EQ(triangle[0][1].latitude, 39.5);
    const engine::GeographicPolygon& square = (*polygons)[1];
    ASSERT_EQ(square.size(), 2u);
    EXPECT_EQ(square[0].size(), 5u);
    ASSERT_EQ(square[1].size(), 4u);
    EXPECT_EQ(square[1][2].longitude, 117.75);
    EXPECT_EQ(square[1][2].latitude, 39.75);
}

TEST(PolygonFile, FilesWithoutPolygonsSayWhy) {
    ScratchFolder folder;
    const struct {
        const char* name;
        std::string path;
        const char* expected;
    } rows[] = {
        {"missing file", folder / "missing.geojson", "No such file"},
        {"not a vector file", folder.write("notes.txt", "just words\n"), "cannot read"},
        {"only points",
         folder.write("points.geojson", R"({"type": "Point", "coordinates": [116.4, 39.9]})"),
         "holds no polygon"},
        {"latitude beyond the pole",
         folder.write(
             "beyond.geojson",
             R"({"type": "Polygon", "coordinates": [[[0, 80], [1, 95], [2, 80], [0, 80]]]})"),
         "latitude in -90..90"},
    };
    for (const auto& row : rows) {
        std::string error;
        EXPECT_FALSE(readPolygonFile(row.path, error)) << row.name;
        EXPECT_NE(error.find(row.expected), std::string::npos) << row.name << ": " << error;
        EXPECT_NE(error.find(row.path), std::string::npos) << row.name << ": " << error;
        std::string asReadError;
        EXPECT_FALSE(readPolygons(row.path, asReadError)) << row.name;
        EXPECT_EQ(asReadError, error) << row.name;
    }
}

}  // namespace
}  // namespace mapsheet::gis

#endif  // MAPSHEET_HAVE_GDAL
