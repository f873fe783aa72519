#pragma once

// The sheets read (batch/sheet_output.h) as a GIS layer through gis::FeatureWriter.
//
// The layer "sheets" holds one rectangle per sheet read, with the fields of the sheet record's
// CSV: input, scale, new, old, south, west, north, east (degrees), error, id and area_m2; a
// number that cannot be read is a feature without geometry holding its input and error (left
// out of a DXF drawing, which holds no fields). With a path the file appears only when finish()
// succeeded; without one a text format streams to out.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "batch/sheet_output.h"
#include "gis/feature_writer.h"

namespace mapsheet::gis {

// nullptr with error set when the layer cannot go there (a binary format without a file, a
// folder that cannot take the file).
std::unique_ptr<batch::SheetOutput> openSheetLayer(VectorFormat format,
                                                   const std::optional<std::string>& path,
                                                   std::ostream& out, std::string& error);

}  // namespace mapsheet::gis
