// Files written by the feature writer, read back with GDAL: layer, features, fields, extent, CRS;
// and what is left behind when writing fails.

// Checked with GDAL's own readers; a build without GDAL skips this suite.
#ifdef MAPSHEET_HAVE_GDAL

#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "gis/feature_writer.h"
#include "gis/gdal_errors.h"

namespace mapsheet::gis {
namespace {

namespace fs = std::filesystem;

class ScratchFolder {
  public:
    ScratchFolder() {
        path_ = fs::temp_directory_path() /
                ("mapsheet-writer-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchFolder() { fs::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    fs::path path_;
};

const LayerSpec kSheetLayer{
    GeometryKind::Polygon,
    {{"new", FieldType::Text}, {"old", FieldType::Text}, {"south", FieldType::Real}}};

// Two sheets of 1:50,000 north of Beijing and one with no old number.
void writeThreeSheets(FeatureWriter& writer) {
    writer.setText(0, "J50E001009");
    writer.setText(1, "J-50-5-A");
    writer.setReal(2, 39.833333333333);
    ASSERT_TRUE(writer.writeRectangle(39.833333333333, 116, 40, 116.25)) << writer.error();
    writer.setText(0, "J50E001010");
    writer.setText(1, "J-50-5-B");
    writer.setReal(2, 39.833333333333);
    ASSERT_TRUE(writer.writeRectangle(39.833333333333, 116.25, 40, 116.5)) << writer.error();
    writer.setText(0, "SH50D001012");
    ASSERT_TRUE(writer.writeRectangle(-28.333333333333, 119.5, -28, 120)) << writer.error();
}

struct Readback {
    GIntBig features = 0;
    OGREnvelope extent;
    std::vector<std::string> fields;
    std::string crsCode;  // "EPSG:4490"
    std::vector<std::string> newNumbers;
    bool thirdOldIsNull = false;
};

Readback readBack(const std::string& path) {
    registerGdalDrivers();
    Readback result;
    GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR));
    EXPECT_TRUE(dataset) << path;
    if (!dataset) {
        return result;
    }
    OGRLayer* layer = dataset->GetLayerByName("sheets");
    EXPECT_NE(layer, nullptr) << "no layer 'sheets' in " << path;
    if (layer == nullptr) {
        return result;
    }
    result.features = layer->GetFeatureCount();
    EXPECT_EQ(layer->GetExtent(&result.extent), OGRERR_NONE) << path;
    OGRFeatureDefn* definition = layer->GetLayerDefn();
    for (int field = 0; field < definition->GetFieldCount(); ++field) {
        result.fields.push_back(definition->GetFieldDefn(field)->GetNameRef());
    }
    if (const OGRSpatialReference* crs = layer->GetSpatialRef()) {
        const char* authority = crs->GetAuthorityName(nullptr);
        const char* code = crs->GetAuthorityCode(nullptr);
        if (authority && code) {
            result.crsCode = std::string(authority) + ":" + code;
        }
    }
    int index = 0;
    for (const auto& feature : *layer) {
        result.newNumbers.push_back(feature->GetFieldAsString("new"));
        if (index++ == 2) {
            result.thirdOldIsNull = !feature->IsFieldSetAndNotNull(feature->GetFieldIndex("old"));
        }
    }
    return result;
}

struct FormatRow {
    VectorFormat format;
    const char* file;
    const char* crs;
};

class EveryFormat : public ::testing::TestWithParam<FormatRow> {};

TEST_P(EveryFormat, WrittenLayerReadsBack) {
    const FormatRow& row = GetParam();
    ScratchFolder folder;
    const std::string path = folder / row.file;
    std::string error;
    auto writer = FeatureWriter::toFile(path, row.format, kSheetLayer, error);
    ASSERT_TRUE(writer) << error;
    writeThreeSheets(*writer);
    ASSERT_TRUE(writer->finish()) << writer->error();

    const Readback back = readBack(path);
    EXPECT_EQ(back.features, 3);
    std::vector<std::string> numbers = back.newNumbers;
    if (row.format == VectorFormat::FlatGeobuf) {  // ordered along its spatial index
        std::sort(numbers.begin(), numbers.end());
    }
    EXPECT_EQ(numbers, (std::vector<std::string>{"J50E001009", "J50E001010", "SH50D001012"}));
    EXPECT_NEAR(back.extent.MinX, 116, 1e-12);
    EXPECT_NEAR(back.extent.MaxX, 120, 1e-12);
    EXPECT_NEAR(back.extent.MinY, -28.333333333333, 1e-12);
    EXPECT_NEAR(back.extent.MaxY, 40, 1e-12);
    EXPECT_EQ(back.crsCode, row.crs);
    if (row.format != VectorFormat::Kml) {  // KML keeps its own schema of fields
        EXPECT_EQ(back.fields, (std::vector<std::string>{"new", "old", "south"}));
    }
    if (row.format != VectorFormat::FlatGeobuf) {
        EXPECT_TRUE(back.thirdOldIsNull);
    }
    // Only the finished file (and a Shapefile's sidecars) remain: no staging folder.
    for (const std::string& name : folder.entries()) {
        EXPECT_EQ(name.rfind(fs::path(row.file).stem().string(), 0), 0u) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, EveryFormat,
    ::testing::Values(FormatRow{VectorFormat::GeoPackage, "sheets.gpkg", "EPSG:4490"},
                      FormatRow{VectorFormat::Shapefile, "sheets.shp", "EPSG:4490"},
                      FormatRow{VectorFormat::FlatGeobuf, "sheets.fgb", "EPSG:4490"},
                      FormatRow{VectorFormat::GeoJson, "sheets.geojson", "EPSG:4326"},
                      FormatRow{VectorFormat::Kml, "sheets.kml", "EPSG:4326"}),
    [](const ::testing::TestParamInfo<FormatRow>& info) {
        return std::string(vectorFormatName(info.param.format));
    });

// The value after each occurrence of the DXF group code in the entity named (" 70" after
// "LWPOLYLINE"), in file order: a DXF file is pairs of lines, code then value.
std::vector<std::string> groupValues(const std::string& path, std::string_view entity,
                                     std::string_view code) {
    std::ifstream in(path);
    std::vector<std::string> values;
    std::string line, current;
    while (std::getline(in, line)) {
        std::string value;
        std::getline(in, value);
        if (line == "  0") {
            current = value;
        } else if (current == entity && line == code) {
            values.push_back(value);
        }
    }
    return values;
}

// DXF read back by GDAL: each sheet a closed polyline on the DXF layer "sheets", followed by a
// text entity at its centre holding its new number; a row without a place draws nothing.
TEST(FeatureWriter, DxfFramesAreLabelledPolylines) {
    ScratchFolder folder;
    const std::string path = folder / "sheets.dxf";
    std::string error;
    auto writer = FeatureWriter::toFile(path, VectorFormat::Dxf, kSheetLayer, error);
    ASSERT_TRUE(writer) << error;
    writeThreeSheets(*writer);
    writer->setText(0, "not a sheet");
    ASSERT_TRUE(writer->writeWithoutGeometry()) << writer->error();
    ASSERT_TRUE(writer->finish()) << writer->error();

    // The file itself: four vertices and the closed flag (bit 1 of code 70) per frame, and
    // labels centred (attachment 5) a twelfth of the frame's width high, at most a sixth of
    // its height.
    const struct {
        const char* name;
        const char* entity;
        const char* code;
        std::vector<std::string> values;
    } groups[] = {
        {"FrameFlags", "LWPOLYLINE", " 70", {"1", "1", "1"}},
        {"FrameVertices", "LWPOLYLINE", " 90", {"4", "4", "4"}},
        {"LabelAttachment", "MTEXT", " 71", {"5", "5", "5"}},
        {"LabelHeight", "MTEXT", " 40", {"0.0208333333", "0.0208333333", "0.0416666667"}},
    };
    for (const auto& group : groups) {
        SCOPED_TRACE(group.name);
        EXPECT_EQ(groupValues(path, group.entity, group.code), group.values);
    }

    GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR));
    ASSERT_TRUE(dataset);
    OGRLayer* entities = dataset->GetLayer(0);
    struct Entity {
        std::string subClasses, layer, text;
        OGRwkbGeometryType type;
        int vertices;
        double x, y;
    };
    std::vector<Entity> read;
    for (const auto& feature : *entities) {
        const OGRGeometry* geometry = feature->GetGeometryRef();
        ASSERT_NE(geometry, nullptr);
        const OGRwkbGeometryType type = wkbFlatten(geometry->getGeometryType());
        OGREnvelope envelope;
        geometry->getEnvelope(&envelope);
        read.push_back({feature->GetFieldAsString("SubClasses"), feature->GetFieldAsString("Layer"),
                        feature->GetFieldAsString("Text"), type,
                        type == wkbLineString ? geometry->toLineString()->getNumPoints() : 1,
                        envelope.MinX, envelope.MinY});
    }
    const struct {
        const char* name;
        const char* subClass;
        const char* text;
        double x, y;
    } expected[] = {
        {"FirstFrame", "AcDbPolyline", "", 116, 39.833333333333},
        {"FirstLabel", "AcDbMText", "J50E001009", 116.125, 39.9166666666665},
        {"SecondFrame", "AcDbPolyline", "", 116.25, 39.833333333333},
        {"SecondLabel", "AcDbMText", "J50E001010", 116.375, 39.9166666666665},
        {"SouthernFrame", "AcDbPolyline", "", 119.5, -28.333333333333},
        {"SouthernLabel", "AcDbMText", "SH50D001012", 119.75, -28.1666666666665},
    };
    ASSERT_EQ(read.size(), std::size(expected));
    for (std::size_t i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(read[i].layer, "sheets");
        EXPECT_NE(read[i].subClasses.find(expected[i].subClass), std::string::npos)
            << read[i].subClasses;
        EXPECT_EQ(read[i].text, expected[i].text);
        EXPECT_EQ(read[i].vertices, read[i].type == wkbLineString ? 5 : 1);
        EXPECT_NEAR(read[i].x, expected[i].x, 1e-9);
        EXPECT_NEAR(read[i].y, expected[i].y, 1e-9);
    }
}

TEST(FeatureWriter, StreamedGeoJsonFollowsRfc7946) {
    std::ostringstream out;
    std::string error;
    auto writer = FeatureWriter::toStream(out, VectorFormat::GeoJson, kSheetLayer, error);
    ASSERT_TRUE(writer) << error;
    writeThreeSheets(*writer);
    ASSERT_TRUE(writer->finish()) << writer->error();
    const std::string json = out.str();
    EXPECT_EQ(json.find("\"crs\""), std::string::npos);
    // The exterior ring runs counter-clockwise from the south-west corner and is closed; the
    // coordinates keep their 12 decimals.
    EXPECT_NE(json.find("[ [ [ 116.0, 39.833333333333 ], [ 116.25, 39.833333333333 ], "
                        "[ 116.25, 40.0 ], [ 116.0, 40.0 ], [ 116.0, 39.833333333333 ] ] ]"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"south\": 39.833333333333 }"), std::string::npos) << json;
}

TEST(FeatureWriter, PointLayer) {
    ScratchFolder folder;
    const std::string path = folder / "points.gpkg";
    std::string error;
    auto writer = FeatureWriter::toFile(path, VectorFormat::GeoPackage,
                                        {GeometryKind::Point, {{"id"}, {"new"}}}, error);
    ASSERT_TRUE(writer) << error;
    writer->setText(0, "a,1");
    writer->setText(1, "J50E001015");
    ASSERT_TRUE(writer->writePoint(39.979, 117.5));
    ASSERT_TRUE(writer->finish()) << writer->error();

    GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR));
    ASSERT_TRUE(dataset);
    OGRLayer* layer = dataset->GetLayerByName("sheets");
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(wkbFlatten(layer->GetGeomType()), wkbPoint);
    auto feature = std::unique_ptr<OGRFeature>(layer->GetNextFeature());
    ASSERT_TRUE(feature);
    EXPECT_STREQ(feature->GetFieldAsString("id"), "a,1");
    const OGRPoint* point = feature->GetGeometryRef()->toPoint();
    EXPECT_EQ(point->getX(), 117.5);
    EXPECT_EQ(point->getY(), 39.979);
}

// A square sheet of 1:2000 in metres, written into a projected layer, reads back with its
// corners exact and the CRS the layer was given.
TEST(FeatureWriter, ProjectedLayersKeepTheirCrsAndMetres) {
    const struct {
        const char* name;
        VectorFormat format;
        const char* file;
        LayerCrs crs;
        double centralMeridian;  // as read back from the file's CRS
    } rows[] = {
        {"EPSG code", VectorFormat::GeoPackage, "epsg.gpkg", {4548, std::nullopt}, 117},
        {"Transverse Mercator without a code",
         VectorFormat::FlatGeobuf,
         "cm.fgb",
         {0, TransverseMercatorCrs{"CGCS2000 / 3-degree Gauss-Kruger CM 116.5E", 116.5, 500000}},
         116.5},
        {"Transverse Mercator in a Shapefile",
         VectorFormat::Shapefile,
         "cm.shp",
         {0, TransverseMercatorCrs{"CGCS2000 / 3-degree Gauss-Kruger CM 116.5E", 116.5, 500000}},
         116.5},
    };
    for (const auto& row : rows) {
        ScratchFolder folder;
        const std::string path = folder / row.file;
        std::string error;
        LayerSpec spec{GeometryKind::Polygon, {{"sheet"}}, row.crs};
        auto writer = FeatureWriter::toFile(path, row.format, spec, error);
        ASSERT_TRUE(writer) << row.name << ": " << error;
        writer->setText(0, "4374.00-517.00");
        ASSERT_TRUE(writer->writeRectangle(4374000, 517000, 4374500, 517500)) << writer->error();
        ASSERT_TRUE(writer->finish()) << writer->error();

        GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR));
        ASSERT_TRUE(dataset) << row.name;
        OGRLayer* layer = dataset->GetLayer(0);
        const OGRSpatialReference* crs = layer->GetSpatialRef();
        ASSERT_NE(crs, nullptr) << row.name;
        EXPECT_TRUE(crs->IsProjected()) << row.name;
        EXPECT_EQ(crs->GetProjParm(SRS_PP_CENTRAL_MERIDIAN), row.centralMeridian) << row.name;
        EXPECT_EQ(crs->GetProjParm(SRS_PP_FALSE_EASTING), 500000) << row.name;
        if (row.crs.epsg != 0) {
            EXPECT_STREQ(crs->GetAuthorityCode(nullptr), "4548") << row.name;
        }
        OGREnvelope extent;
        ASSERT_EQ(layer->GetExtent(&extent), OGRERR_NONE) << row.name;
        EXPECT_EQ(extent.MinX, 517000) << row.name;
        EXPECT_EQ(extent.MaxX, 517500) << row.name;
        EXPECT_EQ(extent.MinY, 4374000) << row.name;
        EXPECT_EQ(extent.MaxY, 4374500) << row.name;
    }
}

TEST(FeatureWriter, LongitudeLatitudeFormatsRefuseAProjectedCrs) {
    for (const VectorFormat format : {VectorFormat::GeoJson, VectorFormat::Kml}) {
        std::ostringstream out;
        std::string error;
        LayerSpec spec{GeometryKind::Polygon, {{"sheet"}}, {4548, std::nullopt}};
        EXPECT_FALSE(FeatureWriter::toStream(out, format, spec, error));
        EXPECT_NE(error.find("longitude/latitude only"), std::string::npos) << error;
        EXPECT_TRUE(out.str().empty()) << out.str();
    }
}

// An open ring is closed; a closed one keeps its vertices, none doubled.
TEST(FeatureWriter, PolygonRingsAreClosedOnce) {
    const std::vector<engine::GeographicPoint> open{{39.5, 116}, {39.5, 116.5}, {40, 116}};
    std::vector<engine::GeographicPoint> closed = open;
    closed.push_back(open.front());
    for (const auto& ring : {open, closed}) {
        ScratchFolder folder;
        const std::string path = folder / "ring.gpkg";
        std::string error;
        auto writer = FeatureWriter::toFile(path, VectorFormat::GeoPackage, kSheetLayer, error);
        ASSERT_TRUE(writer) << error;
        ASSERT_TRUE(writer->writePolygon(ring)) << writer->error();
        ASSERT_TRUE(writer->finish()) << writer->error();

        GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR));
        ASSERT_TRUE(dataset);
        auto feature = std::unique_ptr<OGRFeature>(dataset->GetLayer(0)->GetNextFeature());
        ASSERT_TRUE(feature);
        const OGRLinearRing* read = feature->GetGeometryRef()->toPolygon()->getExteriorRing();
        ASSERT_EQ(read->getNumPoints(), 4);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(read->getX(i), closed[static_cast<std::size_t>(i)].longitude) << i;
            EXPECT_EQ(read->getY(i), closed[static_cast<std::size_t>(i)].latitude) << i;
        }
    }
}

TEST(FeatureWriter, AbandonedFileLeavesNothingAndKeepsTheOldFile) {
    ScratchFolder folder;
    const std::string path = folder / "sheets.gpkg";
    {
        std::string error;
        auto writer = FeatureWriter::toFile(path, VectorFormat::GeoPackage, kSheetLayer, error);
        ASSERT_TRUE(writer) << error;
        writeThreeSheets(*writer);
        ASSERT_TRUE(writer->finish());
    }
    const auto sizeBefore = fs::file_size(path);
    {
        std::string error;
        auto writer = FeatureWriter::toFile(path, VectorFormat::GeoPackage, kSheetLayer, error);
        ASSERT_TRUE(writer) << error;
        writer->setText(0, "J50E001009");
        ASSERT_TRUE(writer->writeRectangle(39.8, 116, 40, 116.25));
        // Destroyed without finish(), as when a later row fails.
    }
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"sheets.gpkg"});
    EXPECT_EQ(fs::file_size(path), sizeBefore);
    EXPECT_EQ(readBack(path).features, 3);
}

TEST(FeatureWriter, TargetsThatCannotBeWrittenSayWhy) {
    ScratchFolder folder;
    const struct {
        const char* name;
        std::string path;
        VectorFormat format;
        const char* expected;
    } rows[] = {
        {"missing folder", folder / "no/such/folder/sheets.gpkg", VectorFormat::GeoPackage,
         "No such file or directory"},
        {"shapefile without .shp", folder / "sheets", VectorFormat::Shapefile, "must end in .shp"},
        {"flatgeobuf without .fgb", folder / "sheets.bin", VectorFormat::FlatGeobuf,
         "must end in .fgb"},
        {"a folder", folder / "", VectorFormat::GeoJson, "names no file"},
    };
    for (const auto& row : rows) {
        std::string error;
        EXPECT_FALSE(FeatureWriter::toFile(row.path, row.format, kSheetLayer, error)) << row.name;
        EXPECT_NE(error.find(row.expected), std::string::npos) << row.name << ": " << error;
    }
    EXPECT_TRUE(folder.entries().empty());

    std::ostringstream out;
    std::string error;
    EXPECT_FALSE(FeatureWriter::toStream(out, VectorFormat::GeoPackage, kSheetLayer, error));
    EXPECT_NE(error.find("--output"), std::string::npos) << error;
}

}  // namespace
}  // namespace mapsheet::gis

#endif  // MAPSHEET_HAVE_GDAL
