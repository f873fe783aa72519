#pragma once

// Writing a cover: every row of a source into an output, counted for a progress line, and the
// one-row summary of a graticule cover.

#include <cstdint>
#include <optional>
#include <string>

#include "batch/progress.h"
#include "cover/cover_output.h"
#include "cover/cover_source.h"
#include "cover/graticule_source.h"

namespace mapsheet::cover {

// Adds every row of the source to the output and finishes it, telling progress the sheets
// written, with the total where the source counts ahead. nullopt on success, else the output's
// error; the source is not checked against any limit here (maxSheetsRefusal).
std::optional<std::string> writeCoverRows(CoverSource& source, CoverOutput& output,
                                          const batch::ProgressListener& progress = {});

// "sheets,area_m2\n" and the row of the cover's sheets counted and their areas on the CGCS2000
// ellipsoid summed, in square metres to 3 decimals. Moves the source to its end.
std::string coverSummary(GraticuleSource& source);

}  // namespace mapsheet::cover
