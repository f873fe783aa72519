#pragma once

// Numbering points into CSV: one point given, or every row of an input numbered on several
// threads and written in input order.
//
// Lines of points ("lat,lon", as text/point_line.h reads them) give the rows
//   latitude,longitude,new,old,error      (ids: latitude,longitude,id,error)
// with the coordinates as given; a line that cannot be read goes whole into the latitude
// column, with an error naming its line. A CSV table (batch/table_start.h) keeps each record
// as it was, with its line ending, and gets the columns new,old,error (ids: id,error) appended,
// also to its header row. new and old are the sheet's numbers in the two numberings (old empty
// at 1:2000 and finer); a row without a sheet says why in error (engine/input_error.h).

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "batch/checked_output.h"
#include "batch/progress.h"
#include "batch/table_start.h"

namespace mapsheet::batch {

struct CsvNumbering {
    int scale = 0;
    int jobs = 1;
    bool ids = false;                   // the sheet id in place of new and old
    std::optional<TableColumns> table;  // a CSV table; nullopt: lines of points
};

struct CsvNumberingRun {
    CsvNumberingRun() = default;
    CsvNumberingRun(RunStatus runStatus) : status(runStatus) {}  // NOLINT: a status is a run

    RunStatus status = RunStatus::Success;
    // Set, with nothing written, when the table's header lacks a column it names or is not
    // valid CSV.
    std::string tableProblem;
};

// The header and the row of one point. A failed write has been said on err.
RunStatus numberPointToCsv(std::string_view latitude, std::string_view longitude, int scale,
                           bool ids, std::ostream& out, std::ostream& err);

// The header and the rows of in, telling progress the rows written. A failed write or read has
// been said on err.
CsvNumberingRun numberToCsv(const CsvNumbering& numbering, std::istream& in, std::ostream& out,
                            std::ostream& err, const ProgressListener& progress = {});

}  // namespace mapsheet::batch
