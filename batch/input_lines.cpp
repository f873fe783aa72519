#include "batch/input_lines.h"

#include <cstring>

#include "batch/input_blocks.h"

namespace mapsheet::batch {

namespace {

constexpr std::size_t kBlockSize = 1 << 16;

}  // namespace

InputLines::InputLines(std::istream& in) : source_(in.rdbuf()), block_(kBlockSize) {}

std::optional<std::string_view> InputLines::next() {
    std::size_t searched = begin_;
    while (true) {
        const char* const start = block_.data() + searched;
        const auto* const feed =
            static_cast<const char*>(std::memchr(start, '\n', end_ - searched));
        if (feed != nullptr) {
            const std::string_view line(block_.data() + begin_,
                                        static_cast<std::size_t>(feed - block_.data()) - begin_);
            begin_ += line.size() + 1;
            return line;
        }
        const std::size_t unreadBefore = end_ - begin_;
        if (!refill()) {
            if (begin_ == end_ || !readError_.empty()) {
                return std::nullopt;
            }
            const std::string_view last(block_.data() + begin_, end_ - begin_);
            begin_ = end_;
            return last;
        }
        searched = begin_ + unreadBefore;
    }
}

bool InputLines::refill() {
    if (exhausted_ || source_ == nullptr) {
        return false;
    }
    const std::size_t unread = end_ - begin_;
    std::memmove(block_.data(), block_.data() + begin_, unread);
    begin_ = 0;
    end_ = unread;
    if (block_.size() - end_ < kBlockSize / 2) {
        block_.resize(block_.size() * 2);
    }
    const std::size_t count =
        readGuarded(*source_, block_.data() + end_, block_.size() - end_, readError_);
    if (count == 0) {
        exhausted_ = true;
        return false;
    }
    end_ += count;
    return true;
}

}  // namespace mapsheet::batch
