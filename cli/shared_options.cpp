#include "cli/shared_options.h"

#include <algorithm>
#include <ostream>

#include "batch/ordered_blocks.h"
#include "engine/scale_names.h"
#include "library/thousands.h"

namespace mapsheet::cli {

bool readScale(const CommandLine& line, const CommandUsage& usage, std::ostream& err,
               std::optional<int>& scale, const Option& option) {
    const std::optional<std::string> text = line.value(option);
    if (!text) {
        std::string message = std::string(option.name) + " is required; accepted scales:\n" +
                              engine::acceptedScales();
        message.pop_back();  // the list ends in the line feed error() writes
        return usage.error(err, message);
    }
    const std::optional<int> read = engine::parseScale(*text);
    if (!read) {
        const std::string naming =
            option.name == kScaleOption.name ? "" : " for " + std::string(option.name);
        std::string message = "unknown scale " + usage.quoted(*text) + naming +
                              "; accepted scales:\n" + engine::acceptedScales();
        message.pop_back();  // the list ends in the line feed error() writes
        return usage.error(err, message);
    }
    scale = read;
    return true;
}

bool readJobs(const CommandLine& line, const CommandUsage& usage, std::ostream& err, int& jobs) {
    const std::optional<std::string> text = line.value(kJobsOption);
    if (!text) {
        jobs = batch::availableProcessors();
        return true;
    }
    const std::optional<int> read = wholeNumber<int>(*text);
    if (!read || *read < 1) {
        return usage.error(err,
                           "--jobs " + usage.quoted(*text) + " is not a positive whole number");
    }
    if (*read > kMaxJobs) {
        return usage.error(err, "--jobs " + usage.quoted(*text) + " is more than " +
                                    std::to_string(kMaxJobs) + " threads");
    }
    jobs = *read;
    return true;
}

bool readMaxSheets(const CommandLine& line, const CommandUsage& usage, std::ostream& err,
                   std::uint64_t& maxSheets) {
    const std::optional<std::string> text = line.value(kMaxSheetsOption);
    if (!text) {
        return true;
    }
    const std::optional<std::string> digits = text::digitsWithoutThousandsSeparators(*text, ",");
    const std::optional<std::uint64_t> read =
        digits ? wholeNumber<std::uint64_t>(*digits) : std::nullopt;
    if (!read) {
        return usage.error(
            err, "--max-sheets " + usage.quoted(*text) + ": expected a whole number of sheets");
    }
    maxSheets = *read;
    return true;
}

namespace {

batch::ColumnChoice columnChoice(std::string_view text) {
    batch::ColumnChoice choice;
    choice.number = wholeNumber<std::size_t>(text);
    if (choice.number == 0u) {
        choice.number.reset();
    }
    if (!choice.number) {
        choice.name = std::string(text);
    }
    return choice;
}

}  // namespace

bool readTableColumns(const CommandLine& line, const CommandUsage& usage, std::ostream& err,
                      batch::TableColumns& columns) {
    const std::optional<std::string> latitude = line.value(kLatitudeColumnOption);
    const std::optional<std::string> longitude = line.value(kLongitudeColumnOption);
    columns.header = line.has(kHeaderOption);
    if (latitude.has_value() != longitude.has_value()) {
        return usage.error(err, "--lat-col and --lon-col go together" + usage.helpHint());
    }
    if (!latitude) {
        return !columns.header ||
               usage.error(err, "--header needs --lat-col and --lon-col" + usage.helpHint());
    }
    if (latitude->empty() || longitude->empty()) {
        return usage.error(
            err, "a column is named by a non-empty name or a number from 1" + usage.helpHint());
    }
    if (*latitude == *longitude) {
        return usage.error(err, "--lat-col and --lon-col name the same column" + usage.helpHint());
    }
    columns.latitude = columnChoice(*latitude);
    columns.longitude = columnChoice(*longitude);
    columns.header = columns.header || !columns.latitude->number || !columns.longitude->number;
    return true;
}

}  // namespace mapsheet::cli
