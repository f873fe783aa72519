#pragma once

// The text of a progress line (cli/progress_line.h draws it on a terminal).

#include <string>
#include <string_view>

#include "batch/progress.h"

namespace mapsheet::batch {

// The text for count after seconds of work, "12,345 of 100,000 sheets (12%) in 0:03,
// 4,115 sheets/s", or without a total "1,234,567 rows in 0:02, 617,283 rows/s": the numbers with
// thousands separators, the share rounded down to a whole per cent (so 100% only when all is done),
// the time as M:SS or H:MM:SS, and the rate rounded down (0 before any time has passed).
std::string progressText(const ProgressCount& count, double seconds, std::string_view unit);

}  // namespace mapsheet::batch
