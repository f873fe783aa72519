#pragma once

// The command line of mapsheet-cli number, and its help.

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/shared_options.h"

namespace mapsheet::cli {

struct NumberOptions {
    bool help = false;
    int scale = 0;
    int jobs = 1;
    std::optional<std::string> latitude;  // a point given on the command line
    std::optional<std::string> longitude;
    std::optional<batch::ColumnChoice> latitudeColumn;  // both set, or neither
    std::optional<batch::ColumnChoice> longitudeColumn;
    bool header = false;  // the table's first row names its columns
    std::string format = "csv";
    std::optional<std::string> output;  // --output FILE
    std::optional<std::string> input;   // --input FILE, in place of standard input
    std::optional<std::string> layer;   // --layer NAME: the layer of the --input file to read
};

// Parses the arguments; on a usage error writes the message to err and returns nullopt.
std::optional<NumberOptions> parseNumberOptions(const Arguments& arguments, std::ostream& err);

std::string numberHelpText();

}  // namespace mapsheet::cli
