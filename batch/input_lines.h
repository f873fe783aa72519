#pragma once

// Reading a stream line by line in large blocks.
//
// Batch numbering reads a million short lines; std::getline costs more per line than numbering
// the point, so the stream's buffer is read in blocks and the lines are cut out of them in
// place. A read error ends the input like its end does, and readError() then says why: the
// text after the last line feed is then a line cut short and is not given out.

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mapsheet::batch {

class InputLines {
  public:
    explicit InputLines(std::istream& in);

    // The next line without its line feed, as std::getline gives it: the text after the last
    // line feed is a line when it is not empty. The view stays valid until the next call;
    // nullopt at the end of the input.
    std::optional<std::string_view> next();

    // Why the input ended early, empty when it did not.
    const std::string& readError() const { return readError_; }

  private:
    // Moves the unread rest to the front of the block and reads more after it, growing the
    // block when a single line fills it; false when the stream has nothing more.
    bool refill();

    std::streambuf* source_;
    std::vector<char> block_;
    std::size_t begin_ = 0;  // the first unread byte
    std::size_t end_ = 0;    // one past the last byte read
    bool exhausted_ = false;
    std::string readError_;
};

}  // namespace mapsheet::batch
