#include "gis/feature_writer.h"

#include <cpl_string.h>
#include <cpl_vsi.h>
#include <gdal_priv.h>
#include <ogr_feature.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ostream>

#include "gis/gdal_errors.h"
#include "gis/staged_output.h"
#include "text/file_extension.h"

namespace mapsheet::gis {

namespace {

struct FormatInfo {
    VectorFormat format;
    std::string_view name;
    const char* driver;
    std::array<std::string_view, 2> extensions;  // lower case, with the dot; "" when unused
    bool streamable;
    bool wgs84Only;       // the format is defined on WGS 84 lon/lat and names no other CRS
    bool needsExtension;  // without it the driver writes a folder of files
};

constexpr std::array<FormatInfo, 7> kFormats{{
    {VectorFormat::GeoJson, "geojson", "GeoJSON", {".geojson", ".json"}, true, true, false},
    {VectorFormat::GeoPackage, "gpkg", "GPKG", {".gpkg", ""}, false, false, false},
    {VectorFormat::Shapefile, "shp", "ESRI Shapefile", {".shp", ""}, false, false, true},
    {VectorFormat::Kml, "kml", "KML", {".kml", ""}, true, true, false},
    {VectorFormat::FlatGeobuf, "fgb", "FlatGeobuf", {".fgb", ""}, false, false, true},
    {VectorFormat::Dxf, "dxf", "DXF", {".dxf", ""}, false, false, false},
    {VectorFormat::Xlsx, "xlsx", "XLSX", {".xlsx", ""}, false, false, false},
}};

// The field whose text labels each feature in a DXF drawing: "new", else "number", else
// "sheet" (a square sheet's).
std::optional<std::size_t> labelFieldOf(const LayerSpec& spec) {
    for (const std::string_view name : {"new", "number", "sheet"}) {
        for (std::size_t i = 0; i < spec.fields.size(); ++i) {
            if (spec.fields[i].name == name) {
                return i;
            }
        }
    }
    return std::nullopt;
}

// The OGR style string of a label centred on its point (p:5), its text in double quotes with
// quotes and backslashes escaped, its height in drawing units (g).
std::string labelStyle(const std::string& label, double height) {
    std::string style = "LABEL(f:\"Arial\",t:\"";
    for (const char c : label) {
        if (c == '"' || c == '\\') {
            style.push_back('\\');
        }
        style.push_back(c);
    }
    char size[48];
    std::snprintf(size, sizeof size, "\",s:%.9gg,p:5)", height);
    return style + size;
}

// The height of a frame's label: a twelfth of the frame's width (a number of up to twelve
// characters fits across it) and no more than a sixth of its height. Without it the CAD
// program's default height, a few drawing units, would dwarf a frame a fraction of a degree
// wide.
double labelHeight(const OGREnvelope& frame) {
    return std::min((frame.MaxX - frame.MinX) / 12, (frame.MaxY - frame.MinY) / 6);
}

// A frame's ring as a DXF polyline: its distinct vertices as a linear ring, which GDAL writes
// as an LWPOLYLINE with the closed flag rather than with the first vertex repeated.
std::unique_ptr<OGRGeometry> closedPolyline(const OGRPolygon& frame) {
    auto ring = std::make_unique<OGRLinearRing>(*frame.getExteriorRing());
    const int count = ring->getNumPoints();
    if (count > 1 && ring->get_IsClosed()) {
        ring->setNumPoints(count - 1);
    }
    return ring;
}

// The layer's CRS; false with what set when the CRS database cannot define it.
bool importCrs(const LayerCrs& spec, OGRSpatialReference& crs, std::string& what) {
    if (!spec.transverseMercator) {
        what = "the CRS database (proj.db) has no EPSG:" + std::to_string(spec.epsg);
        return crs.importFromEPSG(spec.epsg) == OGRERR_NONE;
    }
    const TransverseMercatorCrs& tm = *spec.transverseMercator;
    what = "the CRS database (proj.db) cannot define " + tm.name;
    return crs.importFromEPSG(4490) == OGRERR_NONE &&
           crs.SetProjCS(tm.name.c_str()) == OGRERR_NONE &&
           crs.SetTM(0, tm.centralMeridian, 1, tm.falseEasting, 0) == OGRERR_NONE &&
           crs.SetLinearUnits(SRS_UL_METER, 1) == OGRERR_NONE;
}

const FormatInfo& infoOf(VectorFormat format) {
    return *std::find_if(kFormats.begin(), kFormats.end(),
                         [format](const FormatInfo& info) { return info.format == format; });
}

bool hasExtension(std::string_view path, const FormatInfo& info) {
    return std::any_of(info.extensions.begin(), info.extensions.end(),
                       [&](std::string_view ext) { return text::hasExtension(path, ext); });
}

// GDAL's standard output goes to the borrowed stream while a writer streams.
std::size_t writeToStream(const void* data, std::size_t size, std::size_t count, FILE* stream) {
    auto* out = reinterpret_cast<std::ostream*>(stream);
    out->write(static_cast<const char*>(data), static_cast<std::streamsize>(size * count));
    return out->good() ? count : 0;
}

void restoreStandardOutput() {
    VSIStdoutSetRedirection(fwrite, stdout);
}

}  // namespace

std::optional<VectorFormat> vectorFormatNamed(std::string_view name) {
    for (const FormatInfo& info : kFormats) {
        if (info.name == name) {
            return info.format;
        }
    }
    return std::nullopt;
}

std::optional<VectorFormat> vectorFormatOfPath(std::string_view path) {
    for (const FormatInfo& info : kFormats) {
        if (hasExtension(path, info)) {
            return info.format;
        }
    }
    return std::nullopt;
}

std::string_view vectorFormatName(VectorFormat format) {
    return infoOf(format).name;
}

bool isStreamable(VectorFormat format) {
    return infoOf(format).streamable;
}

bool isLongitudeLatitudeOnly(VectorFormat format) {
    return infoOf(format).wgs84Only;
}

struct FeatureWriter::State {
    GdalErrors errors;
    std::optional<StagedOutput> staged;
    std::ostream* stream = nullptr;
    std::string target;  // for messages: the file, or "standard output"
    GDALDatasetUniquePtr dataset;
    OGRLayer* layer = nullptr;
    std::unique_ptr<OGRFeature> feature;
    std::vector<FieldType> types;
    std::vector<int> indices;  // of the fields in the layer, by index into LayerSpec::fields
    // DXF: no fields of our own; the frames go on the DXF layer "sheets", labelled.
    bool dxf = false;
    // XLSX: a table, the fields only; the geometries are dropped.
    bool tableOnly = false;
    std::optional<std::size_t> labelField;
    std::string label;
    bool inTransaction = false;
    bool failed = false;
    bool finished = false;
    std::string error;

    ~State() {
        dataset.reset();
        if (stream != nullptr) {
            restoreStandardOutput();
        }
    }

    bool fail(const std::string& what) {
        if (!failed) {
            failed = true;
            error = "cannot write " + target + ": " + errors.lastFailure(what);
        }
        return false;
    }

    bool open(const std::string& path, VectorFormat format, const LayerSpec& spec);
    bool write(std::unique_ptr<OGRGeometry> geometry);
    bool writeLabel(const OGRGeometry& frame);
};

bool FeatureWriter::State::open(const std::string& path, VectorFormat format,
                                const LayerSpec& spec) {
    registerGdalDrivers();
    const FormatInfo& info = infoOf(format);
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(info.driver);
    if (driver == nullptr) {
        return fail(std::string("GDAL has no ") + info.driver + " driver");
    }
    CPLStringList layerOptions;
    if (format == VectorFormat::GeoJson) {
        layerOptions.SetNameValue("RFC7946", "YES");
        layerOptions.SetNameValue("COORDINATE_PRECISION",
                                  std::to_string(spec.geoJsonDecimals).c_str());
        // Real properties rounded to 12 places need no more; 17 would show the binary noise.
        layerOptions.SetNameValue("SIGNIFICANT_FIGURES", "15");
        layerOptions.SetNameValue("WRITE_NAME", "NO");
    }
    if (format == VectorFormat::Shapefile) {
        // Written into a .cpg so that readers take the text fields as UTF-8.
        layerOptions.SetNameValue("ENCODING", "UTF-8");
    }
    OGRSpatialReference crs;
    std::string crsFailure;
    if (!importCrs(spec.crs, crs, crsFailure)) {
        return fail(crsFailure);
    }
    if (info.wgs84Only) {
        if (!crs.IsGeographic()) {
            return fail(std::string(info.name) +
                        " takes longitude/latitude only, not a projected CRS");
        }
        if (crs.importFromEPSG(4326) != OGRERR_NONE) {
            return fail("the CRS database (proj.db) has no EPSG:4326");
        }
    }
    crs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    dataset.reset(driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset) {
        return fail("the " + std::string(info.driver) + " driver cannot create it");
    }
    tableOnly = format == VectorFormat::Xlsx;
    const OGRwkbGeometryType type = tableOnly                              ? wkbNone
                                    : spec.geometry == GeometryKind::Point ? wkbPoint
                                                                           : wkbPolygon;
    layer = dataset->CreateLayer("sheets", tableOnly ? nullptr : &crs, type, layerOptions.List());
    if (layer == nullptr) {
        return fail("cannot create the layer 'sheets'");
    }
    dxf = format == VectorFormat::Dxf;
    for (const FieldSpec& field : spec.fields) {
        if (dxf) {
            types.push_back(field.type);
            indices.push_back(-1);
            continue;
        }
        OGRFieldDefn definition(field.name.c_str(),
                                field.type == FieldType::Real ? OFTReal : OFTString);
        if (layer->CreateField(&definition) != OGRERR_NONE) {
            return fail("cannot create the field '" + field.name + "'");
        }
        // Some drivers hold fields of their own (KML's Name and Description) and some change
        // the name (Shapefile's ten characters): the field just created is the last one.
        types.push_back(field.type);
        indices.push_back(layer->GetLayerDefn()->GetFieldCount() - 1);
    }
    // One transaction for the whole layer: GeoPackage commits each feature otherwise.
    inTransaction = dataset->StartTransaction() == OGRERR_NONE;
    errors.clear();
    feature.reset(OGRFeature::CreateFeature(layer->GetLayerDefn()));
    if (dxf) {
        labelField = labelFieldOf(spec);
    }
    return true;
}

bool FeatureWriter::State::writeLabel(const OGRGeometry& frame) {
    OGREnvelope envelope;
    frame.getEnvelope(&envelope);
    std::unique_ptr<OGRFeature> text(OGRFeature::CreateFeature(layer->GetLayerDefn()));
    text->SetField("Layer", "sheets");
    text->SetStyleString(labelStyle(label, labelHeight(envelope)).c_str());
    text->SetGeometryDirectly(
        new OGRPoint((envelope.MinX + envelope.MaxX) / 2, (envelope.MinY + envelope.MaxY) / 2));
    return layer->CreateFeature(text.get()) == OGRERR_NONE;
}

bool FeatureWriter::State::write(std::unique_ptr<OGRGeometry> geometry) {
    if (failed || finished) {
        return fail("the writer is closed");
    }
    if (tableOnly) {
        geometry.reset();
    }
    if (geometry) {
        geometry->assignSpatialReference(layer->GetSpatialRef());
    }
    const bool labelled = dxf && geometry && !label.empty();
    const std::unique_ptr<OGRGeometry> labelAt(labelled ? geometry->clone() : nullptr);
    if (dxf) {
        // A drawing holds no attributes: a row without a place has nothing to draw.
        if (!geometry) {
            label.clear();
            return true;
        }
        feature->SetField("Layer", "sheets");
        // A polygon would become a filled HATCH: its ring goes as a polyline instead.
        if (wkbFlatten(geometry->getGeometryType()) == wkbPolygon) {
            geometry = closedPolyline(*geometry->toPolygon());
        }
    }
    feature->SetGeometryDirectly(geometry.release());
    feature->SetFID(OGRNullFID);
    bool written = layer->CreateFeature(feature.get()) == OGRERR_NONE;
    if (labelled) {
        written = written && writeLabel(*labelAt);
    }
    label.clear();
    for (int field = 0; field < feature->GetFieldCount(); ++field) {
        feature->SetFieldNull(field);
    }
    if (!written || (stream != nullptr && !stream->good())) {
        return fail("a feature was refused");
    }
    return true;
}

FeatureWriter::FeatureWriter(std::unique_ptr<State> state) : state_(std::move(state)) {}

FeatureWriter::~FeatureWriter() = default;

std::unique_ptr<FeatureWriter> FeatureWriter::toFile(const std::string& path, VectorFormat format,
                                                     const LayerSpec& layer, std::string& error) {
    const FormatInfo& info = infoOf(format);
    if (info.needsExtension && !hasExtension(path, info)) {
        error = "cannot write '" + path + "': a " + std::string(info.name) +
                " file name must end in " + std::string(info.extensions[0]);
        return nullptr;
    }
    auto state = std::make_unique<State>();
    state->target = "'" + path + "'";
    std::optional<StagedOutput> staged = StagedOutput::create(path, error);
    if (!staged) {
        error = "cannot write " + state->target + ": " + error;
        return nullptr;
    }
    state->staged.emplace(std::move(*staged));
    if (!state->open(state->staged->stagingPath(), format, layer)) {
        error = state->error;
        return nullptr;
    }
    return std::unique_ptr<FeatureWriter>(new FeatureWriter(std::move(state)));
}

std::unique_ptr<FeatureWriter> FeatureWriter::toStream(std::ostream& out, VectorFormat format,
                                                       const LayerSpec& layer, std::string& error) {
    if (!isStreamable(format)) {
        error = std::string(vectorFormatName(format)) + " is not text; name a file with --output";
        return nullptr;
    }
    auto state = std::make_unique<State>();
    state->target = "standard output";
    state->stream = &out;
    VSIStdoutSetRedirection(writeToStream, reinterpret_cast<FILE*>(&out));
    if (!state->open("/vsistdout/", format, layer)) {
        error = state->error;
        return nullptr;
    }
    return std::unique_ptr<FeatureWriter>(new FeatureWriter(std::move(state)));
}

void FeatureWriter::setText(std::size_t field, std::string_view value) {
    if (state_->dxf) {
        if (state_->labelField == field) {
            state_->label = value;
        }
        return;
    }
    if (field < state_->types.size() && state_->types[field] == FieldType::Text) {
        const std::string text(value);
        state_->feature->SetField(state_->indices[field], text.c_str());
    }
}

void FeatureWriter::setReal(std::size_t field, double value) {
    if (!state_->dxf && field < state_->types.size() && state_->types[field] == FieldType::Real) {
        state_->feature->SetField(state_->indices[field], value);
    }
}

bool FeatureWriter::writePoint(double latitude, double longitude) {
    return state_->write(std::make_unique<OGRPoint>(longitude, latitude));
}

bool FeatureWriter::writeRectangle(double south, double west, double north, double east) {
    auto ring = std::make_unique<OGRLinearRing>();
    ring->setNumPoints(5);
    ring->setPoint(0, west, south);
    ring->setPoint(1, east, south);
    ring->setPoint(2, east, north);
    ring->setPoint(3, west, north);
    ring->setPoint(4, west, south);
    auto polygon = std::make_unique<OGRPolygon>();
    polygon->addRingDirectly(ring.release());
    return state_->write(std::move(polygon));
}

bool FeatureWriter::writePolygon(std::span<const engine::GeographicPoint> ring) {
    auto linearRing = std::make_unique<OGRLinearRing>();
    linearRing->setNumPoints(static_cast<int>(ring.size()));
    for (std::size_t i = 0; i < ring.size(); ++i) {
        linearRing->setPoint(static_cast<int>(i), ring[i].longitude, ring[i].latitude);
    }
    auto polygon = std::make_unique<OGRPolygon>();
    polygon->addRingDirectly(linearRing.release());
    polygon->closeRings();
    return state_->write(std::move(polygon));
}

bool FeatureWriter::writeWithoutGeometry() {
    return state_->write(nullptr);
}

bool FeatureWriter::finish() {
    State& state = *state_;
    if (state.failed || state.finished) {
        return state.fail("the writer is closed");
    }
    state.finished = true;
    if (state.inTransaction && state.dataset->CommitTransaction() != OGRERR_NONE) {
        return state.fail("the features could not be committed");
    }
    state.feature.reset();
    state.errors.clear();
    state.dataset.reset();
    if (state.errors.anyFailure()) {
        return state.fail("closing the file failed");
    }
    if (state.stream != nullptr) {
        restoreStandardOutput();
        const bool good = state.stream->good();
        state.stream = nullptr;
        return good || state.fail("the stream refused the output");
    }
    std::string moveError;
    if (!state.staged->commit(moveError)) {
        state.failed = true;
        state.error = moveError;
        return false;
    }
    return true;
}

const std::string& FeatureWriter::error() const {
    return state_->error;
}

}  // namespace mapsheet::gis
