#pragma once

// Where `mapsheet-cli cover` and `mapsheet-cli uncompact` write their rows: CSV (the project's
// own writer) or a GIS layer through gis::FeatureWriter, for any cover source
// (cover/cover_source.h).
//
// CSV: the layout's header, then each row's record. The GIS layer "sheets" holds one polygon
// per row with the layout's text fields (an empty value is null), in the layer CRS given: the
// row's frame, or for a projected layout in a format that takes only longitude/latitude
// (geojson, kml) the row's outline in longitude/latitude. xlsx holds the fields alone.
//
// With a path, the file appears only when finish() succeeds; nothing is left at the path after
// a failure. Without one, the text formats (csv, geojson, kml) stream to the given stream.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cover/cover_source.h"

#ifdef MAPSHEET_HAVE_GDAL
#include "gis/feature_writer.h"
#endif

namespace mapsheet::cli {

#ifdef MAPSHEET_HAVE_GDAL
using CoverLayerCrs = gis::LayerCrs;
#else
struct CoverLayerCrs {};
#endif

class CoverOutput {
  public:
    virtual ~CoverOutput() = default;
    // False when the output failed; error() then says why.
    virtual bool add(const cover::CoverRow& row) = 0;
    virtual bool finish() = 0;
    const std::string& error() const { return error_; }

  protected:
    std::string error_;
};

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
std::unique_ptr<CoverOutput> openCoverOutput(std::string_view format,
                                             const std::optional<std::string>& path,
                                             std::ostream& out, std::string& error,
                                             const cover::CoverLayout& layout,
                                             const CoverLayerCrs& crs = {});

}  // namespace mapsheet::cli
