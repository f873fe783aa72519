#pragma once

// mapsheet-cli number writing CSV: the point of the command line, or every row of the input
// numbered on options.jobs threads and written in input order (batch/number_csv.h).

#include <iosfwd>
#include <optional>

#include "batch/number_csv.h"
#include "cli/number_options.h"

namespace mapsheet::cli {

// The table columns the options name; nullopt for lines of points.
std::optional<batch::TableColumns> tableColumnsOf(const NumberOptions& options);

// The exit status of a CSV numbering run; a header that lacks a named column is a usage error.
int exitStatusOfNumbering(const batch::CsvNumberingRun& run, std::ostream& err);

// The run of the point of the command line or of the rows of in, progress on err.
batch::CsvNumberingRun runCsvNumbering(const NumberOptions& options, std::istream& in,
                                       std::ostream& out, std::ostream& err);

// Returns the exit status; a failed write or read has been reported on err.
int numberToCsv(const NumberOptions& options, std::istream& in, std::ostream& out,
                std::ostream& err);

}  // namespace mapsheet::cli
