// Options, the input loop and buffered, checked writing for the relation commands.

#include "cli/relation_rows.h"

#include <charconv>
#include <cstring>
#include <ostream>
#include <type_traits>

#include "batch/number_lines.h"
#include "cli/output_status.h"
#include "cli/sheet_or_id.h"
#include "engine/scale_catalogue.h"
#include "engine/scale_names.h"
#include "engine/sheet_hierarchy.h"
#include "library/quoted_excerpt.h"
#include "text/csv.h"

namespace mapsheet::cli {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

bool usageError(std::string_view command, std::ostream& err, const std::string& message) {
    err << "mapsheet-cli " << command << ": " << message << '\n';
    return false;
}

std::string quoted(std::string_view value) {
    std::string text;
    text::appendQuotedExcerpt(text, value);
    return text;
}

template <typename Whole>
std::optional<Whole> wholeNumber(std::string_view text) {
    Whole value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Takes the value of one option into options; false after a usage error.
bool takeValue(std::string_view command, std::string_view option, std::string_view value,
               RelationOptions& options, std::ostream& err) {
    if (option == "--scale") {
        options.scale = engine::parseScale(value);
        return options.scale || usageError(command, err,
                                           "unknown scale " + quoted(value) + "; the scales are\n" +
                                               engine::acceptedScales());
    }
    if (option == "--rings") {
        const auto rings = wholeNumber<int>(value);
        if (!rings || *rings < 1 || *rings > engine::kMaxRings) {
            return usageError(command, err,
                              "--rings " + quoted(value) + ": rings run from 1 to 1000");
        }
        options.rings = *rings;
        return true;
    }
    const auto limit = wholeNumber<std::uint64_t>(value);
    if (!limit) {
        return usageError(command, err, "--max-sheets " + quoted(value) + " is not a whole number");
    }
    options.maxSheets = *limit;
    return true;
}

}  // namespace

std::optional<RelationOptions> parseRelationOptions(std::string_view command,
                                                    const Arguments& arguments,
                                                    RelationOptionSet accepted, std::ostream& err) {
    RelationOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            continue;
        }
        if (!argument.starts_with("--")) {
            options.sheets.emplace_back(argument);
            continue;
        }
        std::optional<std::string_view> value;
        if (const auto equals = argument.find('='); equals != std::string_view::npos) {
            value = argument.substr(equals + 1);
            argument = argument.substr(0, equals);
        }
        const bool known = (argument == "--scale" && accepted.scale) ||
                           (argument == "--rings" && accepted.rings) ||
                           (argument == "--max-sheets" && accepted.maxSheets);
        if (!known) {
            usageError(command, err,
                       "unknown option " + quoted(argument) + "; run 'mapsheet-cli " +
                           std::string(command) + " --help'");
            return std::nullopt;
        }
        if (!value) {
            if (i + 1 == arguments.size()) {
                usageError(command, err, std::string(argument) + " needs a value");
                return std::nullopt;
            }
            value = arguments[++i];
        }
        if (!takeValue(command, argument, *value, options, err)) {
            return std::nullopt;
        }
    }
    if (accepted.scale && !options.scale && !options.help) {
        usageError(command, err,
                   "--scale is required; run 'mapsheet-cli " + std::string(command) + " --help'");
        return std::nullopt;
    }
    return options;
}

int writeRelationRows(std::string_view command, const RelationOptions& options,
                      std::string_view header, const RelationRows& rowsOf, std::istream& in,
                      std::ostream& out, std::ostream& err) {
    RowSink sink(out, err);
    sink.rows() = header;
    bool anyError = false;
    const std::string readError =
        forEachNumber(options.sheets, in, [&](std::string_view input, long line) {
            if (sink.failed()) {
                return;
            }
            const engine::ParsedSheet parsed = readSheetOrId(input);
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
        failed_ = !writeChecked(out_, rows_, err_);
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
