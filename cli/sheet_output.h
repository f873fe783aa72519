#pragma once

// Where `mapsheet-cli sheet` writes its records: text (CSV or JSON Lines, in sheet_command.cpp)
// or a GIS layer through gis::FeatureWriter (sheet_layer.cpp).
//
// The layer "sheets" holds one rectangle per sheet read, with the fields of the CSV: input,
// scale, new, old, south, west, north, east (degrees), error, id and area_m2; a number that
// cannot be read is a feature without geometry holding its input and error (left out of a DXF
// drawing, which holds no fields). A file appears only when finish() succeeded.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/sheet_number_parse.h"

namespace mapsheet::cli {

class SheetOutput {
  public:
    virtual ~SheetOutput() = default;
    virtual bool add(std::string_view input, const engine::ParsedSheet& parsed) = 0;
    // Writes what is left; false when the output failed (already reported on err).
    virtual bool finish() = 0;
    // Whether a sheet that was read became an error row here (a zone that misses it).
    virtual bool refusedAnySheet() const { return false; }
};

// The layer in the format named (a name of gis::vectorFormatNamed) to the file, or streamed to
// out without one; nullptr after saying why on err (a binary format without a file, a build
// without GDAL).
std::unique_ptr<SheetOutput> openSheetLayer(std::string_view format,
                                            const std::optional<std::string>& path,
                                            std::ostream& out, std::ostream& err);

}  // namespace mapsheet::cli
