#pragma once

// Writing one layer of points or polygons to a GIS vector file through GDAL.
//
// Formats and their names on the command line: geojson (RFC 7946: lon/lat order, exterior
// rings counter-clockwise and closed, no "crs" member, coordinates rounded to the decimals the
// layer asks for),
// gpkg (GeoPackage), shp (ESRI Shapefile: .shp, .shx, .dbf, .prj, .cpg), kml, fgb
// (FlatGeobuf), dxf (AutoCAD DXF, for CAD programs), xlsx (an Excel workbook). The layer is
// named "sheets".
//
// XLSX holds a table, no geometry: the layer is a sheet "sheets" whose first row names the
// fields and whose rows are the features' fields; geometries and the CRS are dropped.
//
// DXF holds no attribute fields: each frame (or point) goes on the DXF layer "sheets" as an
// LWPOLYLINE of its distinct vertices with the closed flag set (a POINT), followed by a label
// at the centre of its extent holding the value of its field "new" (else "number", else
// "sheet") when that is set, centred there and a twelfth of the frame's width high (at most a
// sixth of its height); the other fields are dropped, and a feature without geometry is left
// out. The labels are MTEXT entities: GDAL's DXF writer makes every LABEL style an MTEXT and
// offers no option for the older TEXT entity.
//
// The layer's CRS (LayerCrs) is CGCS2000 geographic (EPSG:4490), the datum of the series,
// unless the caller names another by its EPSG code (a projected Gauss-Kruger system of square
// sheets, EPSG:4548) or describes a CGCS2000 Transverse Mercator that has no code. Coordinates
// are written as given, in that CRS, x before y: longitude and latitude in decimal degrees, or
// easting and northing in metres. GeoPackage, Shapefile and FlatGeobuf declare the CRS. GeoJSON
// and KML are defined on WGS 84 longitude/latitude and cannot name another CRS: they take only a
// geographic layer CRS and get its numbers unchanged (CGCS2000 and WGS 84 agree to a few
// centimetres), never a datum shift; a projected CRS for them is refused when the layer opens.
//
// Fields are text or real; a field left unset in a feature is null (a missing property).
// Drivers may hold fields of their own besides (KML's Name and Description stay null) and may
// shorten names (Shapefile keeps ten characters).
//
// Features keep the order they were written in, except in FlatGeobuf, whose packed spatial
// index orders them along a Hilbert curve.
//
// Atomic output: a file target is written into a fresh temporary folder beside it (in the same
// folder, so the final rename stays on one file system) and moved into place by finish() only
// when every feature and the closing of the dataset succeeded. On any failure, and when the
// writer is destroyed without finish(), the temporary folder is removed and whatever was at the
// target before is left as it was. A Shapefile's sidecar files move with it. Shapefile and
// FlatGeobuf targets must end in .shp and .fgb (without them GDAL would write a folder).
//
// Stream target: the text formats (geojson, kml) can instead be streamed to a std::ostream as
// they are written; the stream is borrowed until finish() or destruction. Only one writer may
// stream at a time in a process (GDAL's standard output is redirected meanwhile).
//
// Errors are texts for the user, naming the file and GDAL's reason. No method throws.
// A writer is used from one thread at a time.

#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/geographic_point.h"

namespace mapsheet::gis {

enum class VectorFormat { GeoJson, GeoPackage, Shapefile, Kml, FlatGeobuf, Dxf, Xlsx };

// The format of a command-line name: "geojson", "gpkg", "shp", "kml", "fgb", "dxf", "xlsx" (lower
// case only); nullopt for any other text.
std::optional<VectorFormat> vectorFormatNamed(std::string_view name);

// The format a file name's extension implies (.geojson/.json, .gpkg, .shp, .kml, .fgb, .dxf, .xlsx,
// in any case); nullopt otherwise.
std::optional<VectorFormat> vectorFormatOfPath(std::string_view path);

// "geojson", "gpkg", ...: the command-line name.
std::string_view vectorFormatName(VectorFormat format);

// Whether the format is text that can go to a stream (geojson, kml).
bool isStreamable(VectorFormat format);

// Whether the format is defined on longitude/latitude and takes no projected CRS (geojson, kml).
bool isLongitudeLatitudeOnly(VectorFormat format);

enum class GeometryKind { Point, Polygon };
enum class FieldType { Text, Real };

struct FieldSpec {
    std::string name;
    FieldType type = FieldType::Text;
};

// A projected CRS on CGCS2000 that the EPSG database does not name: Transverse Mercator with
// scale factor 1 on the central meridian, latitude of origin 0, false northing 0, in metres.
struct TransverseMercatorCrs {
    std::string name;            // "CGCS2000 / 3-degree Gauss-Kruger CM 116.5E"
    double centralMeridian = 0;  // degrees, east positive
    double falseEasting = 0;     // metres
};

struct LayerCrs {
    int epsg = 4490;  // used when transverseMercator is empty
    std::optional<TransverseMercatorCrs> transverseMercator{};
};

struct LayerSpec {
    GeometryKind geometry = GeometryKind::Polygon;
    std::vector<FieldSpec> fields;
    LayerCrs crs{};
    // GeoJSON rounds coordinates to this many decimals: 12 keeps a sheet corner (a multiple of
    // 1/8 arc-second) within 5e-13 degree; outlines densified to a centimetre need only 9.
    int geoJsonDecimals = 12;
};

class FeatureWriter {
  public:
    // Opens the layer in a temporary folder beside path; nullptr and error set when the
    // format cannot be written there, or the layer's CRS cannot be defined or suit the format.
    static std::unique_ptr<FeatureWriter> toFile(const std::string& path, VectorFormat format,
                                                 const LayerSpec& layer, std::string& error);
    // Streams a text format to out; nullptr and error set for a format that is not streamable
    // and as toFile.
    static std::unique_ptr<FeatureWriter> toStream(std::ostream& out, VectorFormat format,
                                                   const LayerSpec& layer, std::string& error);

    ~FeatureWriter();
    FeatureWriter(const FeatureWriter&) = delete;
    FeatureWriter& operator=(const FeatureWriter&) = delete;

    // The field values of the next feature, by index into LayerSpec::fields. A text value must
    // be UTF-8; a real field given text, or an index out of range, is ignored.
    void setText(std::size_t field, std::string_view value);
    void setReal(std::size_t field, double value);

    // Writes the feature with the values set since the last write and clears them. False when
    // GDAL refused it; error() then says why and every later call fails too.
    bool writePoint(double latitude, double longitude);
    // The rectangle south..north, west..east (northings and eastings in a projected CRS) as a
    // closed counter-clockwise ring of five points (south-west, south-east, north-east,
    // north-west, south-west).
    bool writeRectangle(double south, double west, double north, double east);
    // A polygon of one ring of latitudes and longitudes, for a layer in CGCS2000 geographic
    // coordinates, its vertices as given; the ring is closed (the first vertex repeated at the
    // end) when it is not already.
    bool writePolygon(std::span<const engine::GeographicPoint> ring);
    // A feature with a null geometry (a row that has no place, such as an input error).
    bool writeWithoutGeometry();

    // Closes the dataset and, for a file, moves it into place. False with error() set when
    // anything failed; the target is then untouched. Called once; later writes fail.
    bool finish();

    const std::string& error() const;

  private:
    struct State;
    explicit FeatureWriter(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

// Returns written; when it is false, copies the writer's reason into error. For the outputs
// that keep their own error text over a writer.
inline bool keepWriterError(bool written, const FeatureWriter& writer, std::string& error) {
    if (!written) {
        error = writer.error();
    }
    return written;
}

}  // namespace mapsheet::gis
