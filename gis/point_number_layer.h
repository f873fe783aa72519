#pragma once

// Numbered points written to a file: a GIS point layer through gis::FeatureWriter, or the CSV
// of batch/number_csv.h into a file that appears only when complete.
//
// The layer holds one feature per row: the input columns as text fields (for lines of points
// latitude and longitude; names made unique, an empty one named fieldN), then new, old and
// error; a row with a sheet has its point (CGCS2000 longitude/latitude), one without has no
// geometry and says why in error. A failed write or read has been said on err.

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "batch/number_csv.h"
#include "batch/progress.h"
#include "batch/table_start.h"
#include "gis/feature_writer.h"

namespace mapsheet::gis {

struct PointLayerRequest {
    int scale = 0;
    std::optional<std::string> latitude;  // one point given; nullopt: the rows of the input
    std::optional<std::string> longitude;
    std::optional<batch::TableColumns> table;  // a CSV table; nullopt: lines of points
    VectorFormat format = VectorFormat::GeoJson;
    std::optional<std::string> output;  // the file; nullopt: streamed to out
};

using PointLayerRun = batch::CsvNumberingRun;

PointLayerRun writePointNumberLayer(const PointLayerRequest& request, std::istream& in,
                                    std::ostream& out, std::ostream& err,
                                    const batch::ProgressListener& progress = {});

// Runs write into a file that becomes path only when the run succeeded (with or without row
// errors) and the file was closed whole; nothing is left at path otherwise.
using CsvWriting = std::function<batch::CsvNumberingRun(std::ostream& file)>;
batch::CsvNumberingRun writeStagedCsv(const std::string& path, std::ostream& err,
                                      const CsvWriting& write);

}  // namespace mapsheet::gis
