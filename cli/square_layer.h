#pragma once

// Writing square sheets as a GIS layer through GDAL, for `mapsheet-cli cover --square` and
// `mapsheet-cli square --sheet --format`.
//
// The layer "sheets" holds one polygon per square sheet with the text fields sheet
// ("4374.00-517.00"), crs ("EPSG:4548") and scale ("1:500"). GeoPackage, Shapefile and
// FlatGeobuf carry the projected CRS of the Gauss-Kruger system (its EPSG code, or for a
// central meridian without one the CRS built from its definition) and the squares' corners in
// metres as the exact five-point rings they are. GeoJSON and KML are longitude/latitude by
// definition (RFC 7946): they get each sheet's outline in CGCS2000 longitude and latitude,
// every side densified to stay within a centimetre of the true straight side in the plane
// (projection/square_outline.h).
//
// Written through gis::FeatureWriter: files appear only when complete, geojson and kml also
// stream to a std::ostream, and errors name the target as that header describes.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "engine/square_sheet.h"
#include "gis/feature_writer.h"
#include "projection/gauss_kruger_projector.h"

namespace mapsheet::cli {

class SquareLayer {
  public:
    // path: a file, or nullopt for the stream (geojson and kml only). nullptr with error set
    // when the layer cannot be opened.
    static std::unique_ptr<SquareLayer> open(gis::VectorFormat format,
                                             const std::optional<std::string>& path,
                                             std::ostream& out,
                                             projection::GaussKrugerProjector& projector,
                                             std::string& error);
    ~SquareLayer();

    // False with error() set when GDAL refused the feature.
    bool add(const engine::SquareSheet& sheet);
    bool finish();
    const std::string& error() const;

  private:
    struct State;
    explicit SquareLayer(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

}  // namespace mapsheet::cli
