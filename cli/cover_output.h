#pragma once

// Where `mapsheet-cli cover` writes its sheets: CSV (the project's own writer) or a GIS layer
// through gis::FeatureWriter.
//
// CSV has the header new,old,south,west,north,east, then as asked the columns scale (for a
// cover of mixed scales) and id; the old number is empty at 1:2000 and finer, the bounds are
// decimal degrees rounded to 12 places (cli/degree_text.h), the scale is written "1:10000" and
// the id is the sheet's (engine/sheet_id.h). The GIS layer "sheets" holds one rectangle per
// sheet with the text fields new, old (null where there is none) and scale, and id as asked.
//
// With a path, the file appears only when finish() succeeds; nothing is left at the path after
// a failure. Without one, the text formats (csv, geojson, kml) stream to the given stream.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/sheet.h"

namespace mapsheet::cli {

class CoverOutput {
  public:
    virtual ~CoverOutput() = default;
    // False when the output failed; error() then says why.
    virtual bool add(const engine::Sheet& sheet) = 0;
    virtual bool finish() = 0;
    const std::string& error() const { return error_; }

  protected:
    std::string error_;
};

// The formats by their names on the command line: csv and, when built with GDAL, geojson,
// gpkg, shp, kml, fgb. False for any other name.
bool isCoverFormat(std::string_view name);

// The format a path's extension implies (.csv or a GIS extension); nullopt otherwise.
std::optional<std::string> coverFormatOfPath(std::string_view path);

// Opens the output; nullptr with error set when the format cannot go there (a binary format
// without a path, a folder that cannot take the file).
// The columns beyond new, old and the bounds.
struct CoverColumns {
    bool scale = false;  // CSV only: the GIS layer always has it
    bool id = false;
};

std::unique_ptr<CoverOutput> openCoverOutput(std::string_view format,
                                             const std::optional<std::string>& path,
                                             std::ostream& out, std::string& error,
                                             CoverColumns columns = {});

}  // namespace mapsheet::cli
