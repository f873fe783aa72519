#include "batch/input_blocks.h"

#include <algorithm>
#include <cstring>
#include <ios>

#include "library/byte_words.h"

namespace mapsheet::batch {

InputBlocks::InputBlocks(std::istream& in, RecordFormat format, std::size_t blockSize)
    : source_(in.rdbuf()), format_(format), blockSize_(blockSize), pending_(blockSize, '\0') {}

bool InputBlocks::next(std::string& block, long& firstLine) {
    while (true) {
        const std::size_t end = scanForRecordEnd();
        if (end != std::string_view::npos) {
            recordEnd_ = end;
        }
        if (recordEnd_ > 0 && filled_ >= blockSize_) {
            break;
        }
        if (!readMore()) {
            // At the end the unterminated rest is the last record; after an error it is a
            // record cut short, not given out.
            if (readError_.empty()) {
                recordEnd_ = filled_;
            }
            break;
        }
    }
    const std::size_t length = recordEnd_;
    if (length == 0) {
        block.clear();
        return false;
    }
    // The records go out in the read buffer itself, and the block's old buffer, about as long,
    // takes its place: only the start of the next record is copied, so a block's bytes are
    // touched first by the thread that reads and then works on them.
    block.swap(pending_);
    const std::size_t rest = filled_ - length;
    if (pending_.size() < std::max(blockSize_, rest)) {
        pending_.resize(std::max(blockSize_, rest));
    }
    std::memcpy(pending_.data(), block.data() + length, rest);
    block.resize(length);
    firstLine = linesBefore_ + 1;
    linesBefore_ += static_cast<long>(text::countBytes(block, '\n'));
    filled_ = rest;
    scanned_ -= length;
    recordEnd_ = 0;
    return true;
}

std::size_t InputBlocks::scanForRecordEnd() {
    const std::string_view fresh(pending_.data() + scanned_, filled_ - scanned_);
    const std::size_t start = scanned_;
    scanned_ = filled_;
    if (format_ == RecordFormat::Csv) {
        const std::size_t end = csv_.lastRecordEnd(fresh);
        return end == std::string_view::npos ? end : start + end;
    }
    if (fresh.empty()) {
        return std::string_view::npos;
    }
    const auto* const feed = static_cast<const char*>(memrchr(fresh.data(), '\n', fresh.size()));
    return feed == nullptr ? std::string_view::npos
                           : static_cast<std::size_t>(feed - pending_.data()) + 1;
}

bool InputBlocks::readMore() {
    if (exhausted_ || source_ == nullptr) {
        return false;
    }
    // Up to a block; beyond it only while one record is longer, doubling what is held.
    const std::size_t wanted = filled_ < blockSize_ ? blockSize_ - filled_ : filled_;
    if (pending_.size() < filled_ + wanted) {
        pending_.resize(filled_ + wanted);
    }
    const std::size_t count = readGuarded(*source_, pending_.data() + filled_, wanted, readError_);
    if (count == 0) {
        exhausted_ = true;
        return false;
    }
    filled_ += count;
    return true;
}

std::size_t readGuarded(std::streambuf& source, char* data, std::size_t size, std::string& error) {
    try {
        const std::streamsize count = source.sgetn(data, static_cast<std::streamsize>(size));
        return count > 0 ? static_cast<std::size_t>(count) : 0;
    } catch (const std::exception& failure) {
        const auto* const io = dynamic_cast<const std::ios_base::failure*>(&failure);
        error = io != nullptr && io->code().value() != 0 ? io->code().message() : failure.what();
        return 0;
    }
}

void reportReadFailure(const InputBlocks& blocks, std::ostream& err) {
    err << "mapsheet-cli: cannot read input";
    if (blocks.linesDelivered() > 0) {
        err << " after line " << blocks.linesDelivered();
    }
    err << ": " << blocks.readError() << '\n';
}

}  // namespace mapsheet::batch
