#pragma once

// mapsheet-cli number writing CSV: the point of the command line, or every row of the input
// numbered on options.jobs threads and written in input order (see number --help).

#include <iosfwd>

#include "cli/number_options.h"

namespace mapsheet::cli {

// Returns the exit status; a failed write or read has been reported on err.
int numberToCsv(const NumberOptions& options, std::istream& in, std::ostream& out,
                std::ostream& err);

}  // namespace mapsheet::cli
