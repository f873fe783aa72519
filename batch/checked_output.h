#pragma once

// How a batch run ended, and the writes that check that what a run wrote really arrived.
//
// A failed write (a full disk, a closed pipe when SIGPIPE is ignored) is said once on the
// error stream, with the reason the system gave: "mapsheet-cli: cannot write output: No space
// left on device". The run then stops with RunStatus::WriteFailed, never Success. Each front
// end maps the status to its own convention (the CLI's exit statuses in cli/exit_status.h).

#include <iosfwd>
#include <string_view>

namespace mapsheet::batch {

enum class RunStatus {
    Success,
    RowErrors,    // some input row could not be numbered or read; the others were written
    WriteFailed,  // the output could not be written (already said on the error stream)
    ReadFailed,   // the input could not be read (already said; the rows before it written)
};

// Says on err that the output failed, and why when reason is not empty: "mapsheet-cli: cannot
// write output: No space left on device".
void reportOutputFailure(std::ostream& err, std::string_view reason);

// Whether out is still good after a flush; on failure says so on err once.
bool flushChecked(std::ostream& out, std::ostream& err);

// Writes the bytes; on failure (now or earlier) says so as flushChecked does and returns
// false. Does not flush: a large write goes straight through the stream's buffer, and the
// reason of its failure is then the one reported.
bool writeChecked(std::ostream& out, std::string_view bytes, std::ostream& err);

}  // namespace mapsheet::batch
