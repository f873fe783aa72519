#pragma once

// Cover rows (cover/cover_source.h) written to a file or as a GIS layer through
// gis::FeatureWriter.
//
// The layer "sheets" holds one polygon per row with the layout's text fields (an empty value is
// null), in the layer CRS given: the row's frame, or for a projected layout in a format that
// takes only longitude/latitude (geojson, kml) the row's outline in longitude/latitude. xlsx
// holds the fields alone. With a path, the file appears only when finish() succeeds; nothing is
// left at the path after a failure. Without one, a text format streams to the given stream.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "cover/cover_output.h"
#include "gis/feature_writer.h"

namespace mapsheet::gis {

// The CSV of the rows into a file at path; nullptr with error set when the folder cannot take
// the file.
std::unique_ptr<cover::CoverOutput> openCoverCsvFile(const std::string& path,
                                                     const cover::CoverLayout& layout,
                                                     std::string& error);

// The rows as a layer of format, in a file at path or (a text format) to out; nullptr with
// error set when the format cannot go there (a binary format without a path, a folder that
// cannot take the file, a CRS the format cannot hold). crs is the CRS of the layout's frames.
std::unique_ptr<cover::CoverOutput> openCoverLayer(VectorFormat format,
                                                   const std::optional<std::string>& path,
                                                   std::ostream& out,
                                                   const cover::CoverLayout& layout,
                                                   const LayerCrs& crs, std::string& error);

}  // namespace mapsheet::gis
