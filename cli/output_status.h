#pragma once

// The exit statuses of mapsheet-cli and the check that what a command wrote really arrived.
//
// A failed write (a full disk, a closed pipe when SIGPIPE is ignored) is said once on the
// error stream, with the reason the system gave: "mapsheet-cli: cannot write output: No space
// left on device". The command then stops and exits with kExitWriteFailed, never 0.

#include <iosfwd>
#include <string_view>

namespace mapsheet::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRowErrors = 1;    // some input row could not be numbered or read
inline constexpr int kExitUsage = 2;        // bad arguments or a value that gives no result
inline constexpr int kExitWriteFailed = 3;  // the output could not be written
inline constexpr int kExitReadFailed = 4;   // the input could not be read

// Flushes out; when that or any earlier write failed, says so on err ("mapsheet-cli: cannot
// write output: No space left on device") and returns kExitWriteFailed, else status.
int finishOutput(std::ostream& out, std::ostream& err, int status);

// Whether out is still good after a flush; on failure writes the same message once.
bool flushChecked(std::ostream& out, std::ostream& err);

// Writes the bytes; on failure (now or earlier) says so as flushChecked does and returns
// false. Does not flush: a large write goes straight through the stream's buffer, and the
// reason of its failure is then the one reported.
bool writeChecked(std::ostream& out, std::string_view bytes, std::ostream& err);

}  // namespace mapsheet::cli
