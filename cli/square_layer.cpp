// Built only with GDAL and PROJ: a GIS layer of square sheets.
#if defined(MAPSHEET_HAVE_GDAL) && defined(MAPSHEET_HAVE_PROJ)

#include "cli/square_layer.h"

#include "engine/scale_names.h"
#include "projection/square_outline.h"

namespace mapsheet::cli {

namespace {

// The projected CRS of the system: its EPSG code, or for a meridian without one CGCS2000 with
// the system's Transverse Mercator.
gis::LayerCrs projectedCrs(const projection::GaussKrugerSystem& system) {
    if (system.epsg != 0) {
        return {system.epsg, std::nullopt};
    }
    return {0,
            gis::TransverseMercatorCrs{"CGCS2000 / " + projection::systemName(system).substr(9),
                                       system.centralMeridian, projection::falseEasting(system)}};
}

}  // namespace

struct SquareLayer::State {
    std::unique_ptr<gis::FeatureWriter> writer;
    projection::GaussKrugerProjector* projector = nullptr;
    std::string systemName;
    std::string target;  // for messages: the file, or "standard output"
    bool geographic = false;
    std::string projectionError;  // the writer's error() otherwise
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
    state->target = path ? "'" + *path + "'" : "standard output";
    state->geographic = gis::isLongitudeLatitudeOnly(format);
    gis::LayerSpec spec;
    spec.fields = {{"sheet"}, {"crs"}, {"scale"}};
    if (!state->geographic) {
        spec.crs = projectedCrs(projector.system());
    }
    // 1e-9 degree is a tenth of a millimetre: the centimetre of the outline survives.
    spec.geoJsonDecimals = 9;
    state->writer = path ? gis::FeatureWriter::toFile(*path, format, spec, error)
                         : gis::FeatureWriter::toStream(out, format, spec, error);
    if (!state->writer) {
        return nullptr;
    }
    return std::unique_ptr<SquareLayer>(new SquareLayer(std::move(state)));
}

bool SquareLayer::add(const engine::SquareSheet& sheet) {
    State& state = *state_;
    gis::FeatureWriter& writer = *state.writer;
    if (!state.projectionError.empty()) {
        return false;
    }
    writer.setText(0, engine::squareNumber(sheet));
    writer.setText(1, state.systemName);
    writer.setText(2, engine::scaleRatioText(sheet.scale));
    if (!state.geographic) {
        // The square's corners in metres are exact: the ring is the square itself.
        const engine::SquareBounds b = engine::squareBounds(sheet);
        return writer.writeRectangle(double(b.south), double(b.west), double(b.north),
                                     double(b.east));
    }
    const auto outline = projection::geographicOutline(sheet, *state.projector);
    if (!outline) {
        state.projectionError = "cannot write " + state.target +
                                ": PROJ cannot take the corners of " + engine::squareNumber(sheet) +
                                " back to latitude and longitude";
        return false;
    }
    return writer.writePolygon(*outline);
}

bool SquareLayer::finish() {
    return state_->projectionError.empty() && state_->writer->finish();
}

const std::string& SquareLayer::error() const {
    return state_->projectionError.empty() ? state_->writer->error() : state_->projectionError;
}

}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_GDAL && MAPSHEET_HAVE_PROJ
