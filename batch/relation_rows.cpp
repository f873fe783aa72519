#include "batch/relation_rows.h"

#include <ostream>

#include "batch/number_lines.h"
#include "engine/sheet_or_id.h"
#include "library/quoted_excerpt.h"

namespace mapsheet::batch {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

std::string quoted(std::string_view value) {
    std::string text;
    text::appendQuotedExcerpt(text, value);
    return text;
}

}  // namespace

RunStatus writeRelationRows(std::string_view messagePrefix, const std::vector<std::string>& sheets,
                            std::string_view header, const RelationRows& rowsOf, std::istream& in,
                            std::ostream& out, std::ostream& err) {
    RowSink sink(out, err);
    sink.rows() = header;
    bool anyError = false;
    const std::string readError = forEachNumber(sheets, in, [&](std::string_view input, long line) {
        if (sink.failed()) {
            return;
        }
        const engine::ParsedSheet parsed = engine::parseSheetOrId(input);
        const std::optional<std::string> error = parsed.sheet
                                                     ? rowsOf(*parsed.sheet, input, sink)
                                                     : engine::describeInputError(parsed.error);
        if (error) {
            anyError = true;
            err << messagePrefix;
            if (line > 0) {
                err << "line " << line << ": ";
            }
            err << quoted(input) << ": " << *error << '\n';
        }
    });
    if (!sink.flush()) {
        return RunStatus::WriteFailed;
    }
    if (!readError.empty()) {
        err << messagePrefix << "cannot read the input: " << readError << '\n';
        return flushChecked(out, err) ? RunStatus::ReadFailed : RunStatus::WriteFailed;
    }
    if (!flushChecked(out, err)) {
        return RunStatus::WriteFailed;
    }
    return anyError ? RunStatus::RowErrors : RunStatus::Success;
}

void RowSink::rowDone() {
    if (rows_.size() >= kFlushSize) {
        flush();
    }
}

bool RowSink::flush() {
    if (!failed_) {
        failed_ = !writeChecked(out_, rows_, err_);
    }
    rows_.clear();
    return !failed_;
}

}  // namespace mapsheet::batch
