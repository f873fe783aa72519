// Built only with GDAL and PROJ: a GIS layer of square sheets.
#if defined(MAPSHEET_HAVE_GDAL) && defined(MAPSHEET_HAVE_PROJ)

#include "cli/square_layer.h"

#include <cpl_string.h>
#include <cpl_vsi.h>
#include <gdal_priv.h>
#include <ogr_feature.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <cstdio>
#include <ostream>

#include "engine/scale_names.h"
#include "gis/gdal_errors.h"
#include "gis/staged_output.h"
#include "projection/square_outline.h"

namespace mapsheet::cli {

namespace {

const char* driverOf(gis::VectorFormat format) {
    switch (format) {
        case gis::VectorFormat::GeoJson:
            return "GeoJSON";
        case gis::VectorFormat::GeoPackage:
            return "GPKG";
        case gis::VectorFormat::Shapefile:
            return "ESRI Shapefile";
        case gis::VectorFormat::Kml:
            return "KML";
        case gis::VectorFormat::FlatGeobuf:
            return "FlatGeobuf";
    }
    return "";
}

// The text formats are exactly the ones defined on longitude/latitude.
bool isGeographic(gis::VectorFormat format) {
    return gis::isStreamable(format);
}

std::size_t writeToStream(const void* data, std::size_t size, std::size_t count, FILE* stream) {
    auto* out = reinterpret_cast<std::ostream*>(stream);
    out->write(static_cast<const char*>(data), static_cast<std::streamsize>(size * count));
    return out->good() ? count : 0;
}

void restoreStandardOutput() {
    VSIStdoutSetRedirection(fwrite, stdout);
}

// The projected CRS of the system: from the EPSG database when it has a code, else CGCS2000
// with the system's Transverse Mercator.
bool projectedCrs(const projection::GaussKrugerSystem& system, OGRSpatialReference& crs) {
    if (system.epsg != 0) {
        return crs.importFromEPSG(system.epsg) == OGRERR_NONE;
    }
    if (crs.importFromEPSG(4490) != OGRERR_NONE) {
        return false;
    }
    const std::string name = "CGCS2000 / " + projection::systemName(system).substr(9);
    return crs.SetProjCS(name.c_str()) == OGRERR_NONE &&
           crs.SetTM(0, system.centralMeridian, 1, projection::falseEasting(system), 0) ==
               OGRERR_NONE &&
           crs.SetLinearUnits(SRS_UL_METER, 1) == OGRERR_NONE;
}

}  // namespace

struct SquareLayer::State {
    gis::GdalErrors errors;
    projection::GaussKrugerProjector* projector = nullptr;
    std::string systemName;
    bool geographic = false;
    std::optional<gis::StagedOutput> staged;
    std::ostream* stream = nullptr;
    std::string target;
    GDALDatasetUniquePtr dataset;
    OGRLayer* layer = nullptr;
    int fields[3] = {0, 0, 0};  // sheet, crs, scale
    bool inTransaction = false;
    bool failed = false;
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

    bool open(const std::string& path, gis::VectorFormat format) {
        gis::registerGdalDrivers();
        GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverOf(format));
        if (driver == nullptr) {
            return fail(std::string("GDAL has no ") + driverOf(format) + " driver");
        }
        CPLStringList layerOptions;
        if (format == gis::VectorFormat::GeoJson) {
            layerOptions.SetNameValue("RFC7946", "YES");
            // 1e-9 degree is a tenth of a millimetre: the centimetre of the outline survives.
            layerOptions.SetNameValue("COORDINATE_PRECISION", "9");
            layerOptions.SetNameValue("WRITE_NAME", "NO");
        }
        if (format == gis::VectorFormat::Shapefile) {
            layerOptions.SetNameValue("ENCODING", "UTF-8");
        }
        dataset.reset(driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        if (!dataset) {
            return fail(std::string("the ") + driverOf(format) + " driver cannot create it");
        }
        OGRSpatialReference crs;
        const bool known = geographic ? crs.importFromEPSG(4326) == OGRERR_NONE
                                      : projectedCrs(projector->system(), crs);
        if (!known) {
            return fail("the CRS database (proj.db) cannot define " + systemName);
        }
        crs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        layer = dataset->CreateLayer("sheets", &crs, wkbPolygon, layerOptions.List());
        if (layer == nullptr) {
            return fail("cannot create the layer 'sheets'");
        }
        const char* names[] = {"sheet", "crs", "scale"};
        for (int i = 0; i < 3; ++i) {
            OGRFieldDefn definition(names[i], OFTString);
            if (layer->CreateField(&definition) != OGRERR_NONE) {
                return fail(std::string("cannot create the field '") + names[i] + "'");
            }
            fields[i] = layer->GetLayerDefn()->GetFieldCount() - 1;
        }
        inTransaction = dataset->StartTransaction() == OGRERR_NONE;
        errors.clear();
        return true;
    }
};

SquareLayer::SquareLayer(std::unique_ptr<State> state) : state_(std::move(state)) {}

SquareLayer::~SquareLayer() = default;

std::unique_ptr<SquareLayer> SquareLayer::open(gis::VectorFormat format,
                                               const std::optional<std::string>& path,
                                               std::ostream& out,
                                               projection::GaussKrugerProjector& projector,
                                               std::string& error) {
    auto state = std::make_unique<State>();
    state->projector = &projector;
    state->systemName = projection::systemName(projector.system());
    state->geographic = isGeographic(format);
    if (!path) {
        if (!gis::isStreamable(format)) {
            error = std::string(gis::vectorFormatName(format)) +
                    " is not text; name a file with --output";
            return nullptr;
        }
        state->target = "standard output";
        state->stream = &out;
        VSIStdoutSetRedirection(writeToStream, reinterpret_cast<FILE*>(&out));
        if (!state->open("/vsistdout/", format)) {
            error = state->error;
            return nullptr;
        }
        return std::unique_ptr<SquareLayer>(new SquareLayer(std::move(state)));
    }
    state->target = "'" + *path + "'";
    const bool needsExtension =
        format == gis::VectorFormat::Shapefile || format == gis::VectorFormat::FlatGeobuf;
    if (needsExtension && gis::vectorFormatOfPath(*path) != format) {
        error = "cannot write " + state->target + ": a " +
                std::string(gis::vectorFormatName(format)) + " file name must end in ." +
                std::string(gis::vectorFormatName(format));
        return nullptr;
    }
    std::optional<gis::StagedOutput> staged = gis::StagedOutput::create(*path, error);
    if (!staged) {
        error = "cannot write " + state->target + ": " + error;
        return nullptr;
    }
    state->staged.emplace(std::move(*staged));
    if (!state->open(state->staged->stagingPath(), format)) {
        error = state->error;
        return nullptr;
    }
    return std::unique_ptr<SquareLayer>(new SquareLayer(std::move(state)));
}

bool SquareLayer::add(const engine::SquareSheet& sheet) {
    State& state = *state_;
    if (state.failed) {
        return false;
    }
    auto ring = std::make_unique<OGRLinearRing>();
    if (state.geographic) {
        const auto outline = projection::geographicOutline(sheet, *state.projector);
        if (!outline) {
            return state.fail("PROJ cannot take the corners of " + engine::squareNumber(sheet) +
                              " back to latitude and longitude");
        }
        ring->setNumPoints(static_cast<int>(outline->size()));
        for (std::size_t i = 0; i < outline->size(); ++i) {
            ring->setPoint(static_cast<int>(i), (*outline)[i].longitude, (*outline)[i].latitude);
        }
    } else {
        // Easting first, as the traditional GIS order of the layer's CRS wants.
        const engine::SquareBounds b = engine::squareBounds(sheet);
        const double corners[5][2] = {{double(b.west), double(b.south)},
                                      {double(b.east), double(b.south)},
                                      {double(b.east), double(b.north)},
                                      {double(b.west), double(b.north)},
                                      {double(b.west), double(b.south)}};
        ring->setNumPoints(5);
        for (int i = 0; i < 5; ++i) {
            ring->setPoint(i, corners[i][0], corners[i][1]);
        }
    }
    auto polygon = std::make_unique<OGRPolygon>();
    polygon->addRingDirectly(ring.release());
    polygon->assignSpatialReference(state.layer->GetSpatialRef());
    OGRFeature feature(state.layer->GetLayerDefn());
    feature.SetGeometryDirectly(polygon.release());
    feature.SetField(state.fields[0], engine::squareNumber(sheet).c_str());
    feature.SetField(state.fields[1], state.systemName.c_str());
    feature.SetField(state.fields[2], engine::scaleRatioText(sheet.scale).c_str());
    if (state.layer->CreateFeature(&feature) != OGRERR_NONE ||
        (state.stream != nullptr && !state.stream->good())) {
        return state.fail("a feature was refused");
    }
    return true;
}

bool SquareLayer::finish() {
    State& state = *state_;
    if (state.failed) {
        return false;
    }
    if (state.inTransaction && state.dataset->CommitTransaction() != OGRERR_NONE) {
        return state.fail("the features could not be committed");
    }
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

const std::string& SquareLayer::error() const {
    return state_->error;
}

}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_GDAL && MAPSHEET_HAVE_PROJ
