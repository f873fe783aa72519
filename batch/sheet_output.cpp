#include "batch/sheet_output.h"

#include <ostream>

#include "batch/checked_output.h"
#include "batch/number_lines.h"
#include "batch/sheet_records.h"
#include "engine/sheet_or_id.h"

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

NumberRun writeSheets(const std::vector<std::string>& numbers, std::istream& in,
                      SheetOutput& output, const ProgressListener& progress) {
    bool anyError = false;
    ProgressCounter counter(progress);
    const auto add = [&](std::string_view input) {
        const engine::ParsedSheet parsed = engine::parseSheetOrId(input);
        anyError = anyError || !parsed.sheet;
        counter.add();
        return output.add(input, parsed);
    };
    if (!numbers.empty()) {
        for (const std::string& number : numbers) {
            if (!add(number)) {
                return {RunStatus::WriteFailed, {}};
            }
        }
    } else {
        NumberLines lines(in);
        while (const std::optional<NumberLine> line = lines.next()) {
            if (!add(line->text)) {
                return {RunStatus::WriteFailed, {}};
            }
        }
        if (!lines.readError().empty()) {
            // The rows read so far are written; the cut-off line is not guessed at.
            output.finish();
            return {RunStatus::ReadFailed, lines.readError()};
        }
    }
    if (!output.finish()) {
        return {RunStatus::WriteFailed, {}};
    }
    return {anyError || output.refusedAnySheet() ? RunStatus::RowErrors : RunStatus::Success, {}};
}

}  // namespace mapsheet::batch
