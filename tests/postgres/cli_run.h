#pragma once

// mapsheet-cli run as a separate process, the reference the SQL functions are held to.

#include <string>
#include <string_view>
#include <vector>

namespace mapsheet::postgres_test {

struct CliRun {
    int status = -1;     // the exit status
    std::string output;  // standard output
};

// Runs the CLI built with the tests with the arguments and the text on standard input.
CliRun runCli(const std::vector<std::string>& arguments, const std::string& input = {});

// The lines of the output split at commas. The tests read only fields that CSV never quotes
// (sheet numbers, scales, decimal numbers) and that come before any quoted one.
std::vector<std::vector<std::string>> commaFields(std::string_view text);

// The last field of a record split by commaFields, from field `first` on: rejoined, and unquoted
// when the CLI quoted it (an error text that holds a comma).
std::string trailingField(const std::vector<std::string>& fields, std::size_t first);

}  // namespace mapsheet::postgres_test
