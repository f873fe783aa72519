#pragma once

// The line on the terminal that shows how far a long run has come.
//
// Once a run has gone on for more than a second, with standard error a terminal, one line there
// shows the rows or sheets done, the time taken and the rate, and for a cover that counted its
// sheets beforehand the share of them:
//
//   1,234,567 rows in 0:02, 617,283 rows/s
//   12,345 of 100,000 sheets (12%) in 0:03, 4,115 sheets/s
//
// It is redrawn at most four times a second, as counts arrive, cut to the terminal's width, and
// erased when the ProgressLine is destroyed, however the run ended. While it is shown, anything
// else written to the error stream (a row's error, a failed write) first erases it, so that a
// message stands whole on its own lines; the line comes back under it with a later count.
//
// Nothing is drawn, and the error stream is left exactly as it was, when standard error is not
// a terminal, when TERM is "dumb" (no way to clear a line), or when the run writes its rows to
// standard output on a terminal, into which the line would cut. One line at a time.

#include <chrono>
#include <functional>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

#include "batch/progress.h"
#include "batch/progress_text.h"

namespace mapsheet::cli {

class ProgressLine {
  public:
    using Clock = std::chrono::steady_clock;

    // A line for a run that writes its messages to err and its rows to rows, or to a file when
    // rows is null; unit names what it counts, "rows" or "sheets".
    ProgressLine(std::ostream& err, const std::ostream* rows, std::string_view unit);
    // A line drawn on err whatever it is, at the times now gives and without a width.
    ProgressLine(std::ostream& err, std::string_view unit, std::function<Clock::time_point()> now);
    ~ProgressLine();

    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // What a run tells its counts to: empty when nothing is drawn, so that the run pays nothing.
    batch::ProgressListener listener();

    // Redraws the line with count when it is due.
    void show(const batch::ProgressCount& count);

  private:
    class ErrorStream;

    ProgressLine(std::ostream& err, std::string_view unit, bool draws, bool fitsTerminal,
                 std::function<Clock::time_point()> now);

    void write(std::string_view bytes);
    void erase();
    // Called by ErrorStream around every message written to err while the line draws.
    void beforeMessage() { erase(); }
    void afterMessage(bool endsLine) { atLineStart_ = endsLine; }

    std::ostream& err_;
    std::streambuf* terminal_ = nullptr;  // err's own buffer while the line draws, else null
    std::unique_ptr<ErrorStream> errorStream_;
    std::string unit_;
    bool fitsTerminal_;
    std::function<Clock::time_point()> now_;
    Clock::time_point start_;
    Clock::time_point lastDrawn_;
    bool everDrawn_ = false;
    bool shown_ = false;
    bool atLineStart_ = true;
};

}  // namespace mapsheet::cli
