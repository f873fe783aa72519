// Options, the input loop and buffered, checked writing for the relation commands.

#include "cli/relation_rows.h"

#include <charconv>
#include <cstring>
#include <ostream>
#include <type_traits>

#include "batch/number_lines.h"
#include "cli/exit_status.h"
#include "engine/sheet_hierarchy.h"
#include "engine/sheet_or_id.h"
#include "library/quoted_excerpt.h"
#include "text/csv.h"

namespace mapsheet::cli {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

std::string quoted(std::string_view value) {
    std::string text;
    text::appendQuotedExcerpt(text, value);
    return text;
}

}  // namespace

std::optional<RelationOptions> relationOptions(const CommandLine& line, const CommandUsage& usage,
                                               bool takesScale, std::ostream& err) {
    RelationOptions options;
    if ((takesScale && !readScale(line, usage, err, options.scale)) ||
        !readMaxSheets(line, usage, err, options.maxSheets)) {
        return std::nullopt;
    }
    if (const std::optional<std::string> text = line.value(kRingsOption)) {
        const std::optional<int> rings = wholeNumber<int>(*text);
        if (!rings || *rings < 1 || *rings > engine::kMaxRings) {
            usage.error(err, "--rings " + usage.quoted(*text) + ": rings run from 1 to 1000");
            return std::nullopt;
        }
        options.rings = *rings;
    }
    options.sheets = line.operands();
    return options;
}

int writeRelationRows(std::string_view command, const RelationOptions& options,
                      std::string_view header, const RelationRows& rowsOf, std::istream& in,
                      std::ostream& out, std::ostream& err) {
    RowSink sink(out, err);
    sink.rows() = header;
    bool anyError = false;
    const std::string readError =
        batch::forEachNumber(options.sheets, in, [&](std::string_view input, long line) {
            if (sink.failed()) {
                return;
            }
            const engine::ParsedSheet parsed = engine::parseSheetOrId(input);
            const std::optional<std::string> error = parsed.sheet
                                                         ? rowsOf(*parsed.sheet, input, sink)
                                                         : engine::describeInputError(parsed.error);
            if (error) {
                anyError = true;
                err << "mapsheet-cli " << command << ": ";
                if (line > 0) {
                    err << "line " << line << ": ";
                }
                err << quoted(input) << ": " << *error << '\n';
            }
        });
    if (!sink.flush()) {
        return kExitWriteFailed;
    }
    if (!readError.empty()) {
        err << "mapsheet-cli " << command << ": cannot read the input: " << readError << '\n';
        return finishOutput(out, err, kExitReadFailed);
    }
    return finishOutput(out, err, anyError ? kExitRowErrors : kExitSuccess);
}

void RowSink::rowDone() {
    if (rows_.size() >= kFlushSize) {
        flush();
    }
}

bool RowSink::flush() {
    if (!failed_) {
        failed_ = !batch::writeChecked(out_, rows_, err_);
    }
    rows_.clear();
    return !failed_;
}

namespace {

constexpr int kTextPlaceBits = 16;
constexpr std::uint64_t kNoSheet = ~std::uint64_t{0};

static_assert(sizeof(engine::Sheet) == sizeof(std::uint64_t) &&
              std::has_unique_object_representations_v<engine::Sheet>);

}  // namespace

NumberTexts::NumberTexts() : entries_(std::size_t{1} << kTextPlaceBits, Entry{kNoSheet, 0, {}}) {}

void NumberTexts::append(std::string& row, const engine::Sheet& sheet) {
    std::uint64_t key = 0;
    std::memcpy(&key, &sheet, sizeof key);
    // The place of the sheet's row and column counted across the 1:1,000,000 sheets, their low
    // bits: the sheets of a row of neighbours lie side by side in the table, and an area of
    // 256 x 256 sheets has a place for each.
    const std::int32_t divisions = engine::kScaleCatalogue[sheet.scale].divisions;
    const auto line = static_cast<std::uint32_t>(sheet.row * divisions + sheet.rowCode);
    const auto column = static_cast<std::uint32_t>(sheet.zone * divisions + sheet.columnCode);
    constexpr std::uint32_t kMask = (1u << (kTextPlaceBits / 2)) - 1;
    Entry& entry = entries_[((line & kMask) << (kTextPlaceBits / 2)) | (column & kMask)];
    if (entry.key != key) {
        std::string text;
        appendNumbers(text, sheet);
        if (text.size() > sizeof entry.text) {
            row += text;
            return;
        }
        entry.key = key;
        entry.size = static_cast<std::uint8_t>(text.size());
        std::memcpy(entry.text, text.data(), text.size());
    }
    // A copy of the whole text place, whose length the compiler knows, then cut to the text:
    // quicker than a copy of the text's own length.
    const std::size_t at = row.size();
    row.resize(at + sizeof entry.text);
    std::memcpy(row.data() + at, entry.text, sizeof entry.text);
    row.resize(at + entry.size);
}

void appendNumbers(std::string& row, const engine::Sheet& sheet) {
    row += ',';
    row += engine::newNumber(sheet).view();
    row += ',';
    row += engine::oldNumber(sheet).view();
}

}  // namespace mapsheet::cli
