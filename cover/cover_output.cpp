#include "cover/cover_output.h"

#include <cerrno>
#include <cstring>
#include <ostream>
#include <utility>

namespace mapsheet::cover {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

}  // namespace

CoverCsvOutput::CoverCsvOutput(std::ostream& out, const CoverLayout& layout, std::string target)
    : out_(out), target_(std::move(target)) {
    records_.reserve(kFlushSize + 256);
    records_.append(layout.csvHeader);
}

bool CoverCsvOutput::add(const CoverRow& row) {
    row.appendCsvRecord(records_);
    return records_.size() < kFlushSize || flush();
}

bool CoverCsvOutput::finish() {
    return flush();
}

bool CoverCsvOutput::flush() {
    errno = 0;
    out_.write(records_.data(), static_cast<std::streamsize>(records_.size()));
    records_.clear();
    out_.flush();
    return out_.good() || failed();
}

bool CoverCsvOutput::failed() {
    error_ = "cannot write " + (target_.empty() ? std::string("the output") : target_);
    if (errno != 0) {
        error_.append(": ").append(std::strerror(errno));
    }
    return false;
}

}  // namespace mapsheet::cover
