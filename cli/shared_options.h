#pragma once

// The options that several mapsheet-cli commands take, each declared once with its value check
// and its usage message; a command lists the ones it takes when it reads its command line
// (cli/command_line.h). Options only one command takes are declared in that command's file.
//
// Every check reads the last value given, writes a usage error "mapsheet-cli COMMAND: ..." that
// quotes the bad value through the shared quote (cli/command_line.h) and returns false, leaving
// the value as it was; an option that was not given leaves the value at its default.

#include <charconv>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "batch/table_start.h"
#include "cli/command_line.h"

namespace mapsheet::cli {

inline constexpr Option kScaleOption{"--scale", true};
inline constexpr Option kJobsOption{"--jobs", true};
inline constexpr Option kFormatOption{"--format", true};
inline constexpr Option kOutputOption{"--output", true};
inline constexpr Option kInputOption{"--input", true};
inline constexpr Option kMaxSheetsOption{"--max-sheets", true};
inline constexpr Option kLatitudeColumnOption{"--lat-col", true};
inline constexpr Option kLongitudeColumnOption{"--lon-col", true};
inline constexpr Option kHeaderOption{"--header", false};
inline constexpr Option kIdOption{"--id", false};
// The Gauss-Kruger system of the square sheets (cli/square_system_options.h).
inline constexpr Option kCrsOption{"--crs", true};
inline constexpr Option kCentralMeridianOption{"--central-meridian", true};
inline constexpr Option kZoneWidthOption{"--zone-width", true};

// The most threads --jobs may ask for.
inline constexpr int kMaxJobs = 256;
inline constexpr std::uint64_t kDefaultSheetLimit = 10'000'000;

// The whole number the text is in decimal digits, with a leading "-" for a signed Whole, and
// nothing else; nullopt for anything else and for a number beyond Whole.
template <typename Whole>
std::optional<Whole> wholeNumber(std::string_view text) {
    Whole value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// A scale of the twelve in any spelling engine::parseScale reads (thousands separators by the
// rule of library/thousands.h), as a catalogue index. Required: a missing --scale is an error
// that lists the accepted scales. The option is --scale unless named otherwise.
bool readScale(const CommandLine& line, const CommandUsage& usage, std::ostream& err,
               std::optional<int>& scale, const Option& option = kScaleOption);

// --jobs N, a whole number from 1 to kMaxJobs; the default is batch::availableProcessors().
bool readJobs(const CommandLine& line, const CommandUsage& usage, std::ostream& err, int& jobs);

// --max-sheets N, a whole number of sheets, with or without thousands separators
// ("10,000,000").
bool readMaxSheets(const CommandLine& line, const CommandUsage& usage, std::ostream& err,
                   std::uint64_t& maxSheets);

// --lat-col and --lon-col, both or neither, naming two different columns, and --header, which
// needs them; header is set also when either column is named.
bool readTableColumns(const CommandLine& line, const CommandUsage& usage, std::ostream& err,
                      batch::TableColumns& columns);

}  // namespace mapsheet::cli
