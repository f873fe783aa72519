#pragma once

// Reading sheet numbers typed or piped one a line.
//
// Each line comes without its line feed and a carriage return before it, so files written on
// Windows read the same; the first line loses a UTF-8 byte order mark. Lines holding nothing but
// blanks and tabs are skipped but still counted, so that a line number names the line an editor
// shows. A read error ends the lines as the end of the input does; readError() then says why.

#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/checked_output.h"
#include "batch/input_lines.h"
#include "batch/progress.h"

namespace mapsheet::batch {

struct NumberLine {
    std::string_view text;  // valid until the next call of next()
    long number = 0;        // 1 for the first line of the input
};

class NumberLines {
  public:
    explicit NumberLines(std::istream& in) : lines_(in) {}

    // The next line that is not blank; nullopt at the end of the input.
    std::optional<NumberLine> next();

    // Why the input ended early, empty when it did not.
    const std::string& readError() const { return lines_.readError(); }

  private:
    InputLines lines_;
    long count_ = 0;
};

// Hands take each number given on the command line with line number 0, or when none is given
// each number line of in, and tells progress the numbers taken so far. Returns why the input
// ended early, empty when it did not.
std::string forEachNumber(const std::vector<std::string>& given, std::istream& in,
                          const std::function<void(std::string_view text, long line)>& take,
                          ProgressListener progress = {});

// How a run over numbers ended.
struct NumberRun {
    RunStatus status = RunStatus::Success;
    std::string readError;  // with ReadFailed: why the input ended early
};

// The end of a run whose rows all went to out: WriteFailed when out fails to flush (said on
// err), else ReadFailed when the input ended early, else RowErrors when any row had an error.
NumberRun endOfNumberRun(std::string readError, bool anyError, std::ostream& out,
                         std::ostream& err);

}  // namespace mapsheet::batch
