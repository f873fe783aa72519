#include "batch/sheet_output.h"

#include <ostream>

#include "batch/checked_output.h"
#include "batch/sheet_records.h"

namespace mapsheet::batch {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

}  // namespace

SheetTextOutput::SheetTextOutput(bool json, std::ostream& out, std::ostream& err,
                                 std::string_view csvHeader)
    : json_(json), out_(out), err_(err) {
    records_.reserve(kFlushSize + 1024);
    if (!json_) {
        records_.append(csvHeader.empty() ? kSheetCsvHeader : csvHeader);
    }
}

bool SheetTextOutput::add(std::string_view input, const engine::ParsedSheet& parsed) {
    appendRecord(records_, input, parsed);
    return records_.size() < kFlushSize || flush();
}

bool SheetTextOutput::finish() {
    return flush();
}

void SheetTextOutput::appendRecord(std::string& records, std::string_view input,
                                   const engine::ParsedSheet& parsed) {
    if (json_) {
        appendSheetJsonRecord(records, input, parsed);
    } else {
        appendSheetCsvRecord(records, input, parsed);
    }
}

bool SheetTextOutput::flush() {
    out_.write(records_.data(), static_cast<std::streamsize>(records_.size()));
    records_.clear();
    return flushChecked(out_, err_);
}

}  // namespace mapsheet::batch
