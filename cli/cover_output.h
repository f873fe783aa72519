#pragma once

// The output `mapsheet-cli cover` and `mapsheet-cli uncompact` choose for --format and --output:
// CSV (cover/cover_output.h) or a GIS layer (gis/cover_layer_output.h). With a path, the file
// appears only when finish() succeeds; without one, the text formats (csv, geojson, kml) stream
// to the given stream.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cover/cover_output.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/feature_writer.h"
#endif

namespace mapsheet::cli {

#ifdef MAPSHEET_HAVE_GDAL
using CoverLayerCrs = gis::LayerCrs;
#else
struct CoverLayerCrs {};
#endif

// The names isCoverFormat takes, as a usage message lists them.
inline constexpr std::string_view kCoverFormatNames =
    "csv, geojson, gpkg, shp, kml, fgb, dxf or xlsx";

// The formats by their names on the command line: csv and, when built with GDAL, geojson,
// gpkg, shp, kml, fgb, dxf, xlsx. False for any other name.
bool isCoverFormat(std::string_view name);

// The format a path's extension implies (.csv or a GIS extension); nullopt otherwise.
std::optional<std::string> coverFormatOfPath(std::string_view path);

// Opens the output; nullptr with error set when the format cannot go there (a binary format
// without a path, a folder that cannot take the file, a CRS the format cannot hold).
// crs is the CRS of the layout's frames (CGCS2000 longitude/latitude unless given).
std::unique_ptr<cover::CoverOutput> openCoverOutput(std::string_view format,
                                                    const std::optional<std::string>& path,
                                                    std::ostream& out, std::string& error,
                                                    const cover::CoverLayout& layout,
                                                    const CoverLayerCrs& crs = {});

}  // namespace mapsheet::cli
