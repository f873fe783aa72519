#pragma once

// The exit statuses of mapsheet-cli, and the batch room's run statuses (batch/checked_output.h)
// as exit statuses.

#include <iosfwd>

#include "batch/checked_output.h"

namespace mapsheet::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRowErrors = 1;    // some input row could not be numbered or read
inline constexpr int kExitUsage = 2;        // bad arguments or a value that gives no result
inline constexpr int kExitWriteFailed = 3;  // the output could not be written
inline constexpr int kExitReadFailed = 4;   // the input could not be read

constexpr int exitStatusOf(batch::RunStatus status) noexcept {
    switch (status) {
        case batch::RunStatus::Success:
            return kExitSuccess;
        case batch::RunStatus::RowErrors:
            return kExitRowErrors;
        case batch::RunStatus::WriteFailed:
            return kExitWriteFailed;
        case batch::RunStatus::ReadFailed:
            return kExitReadFailed;
    }
    return kExitWriteFailed;
}

// Flushes out; when that or any earlier write failed, says so on err ("mapsheet-cli: cannot
// write output: No space left on device") and returns kExitWriteFailed, else status.
int finishOutput(std::ostream& out, std::ostream& err, int status);

}  // namespace mapsheet::cli
