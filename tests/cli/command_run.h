#pragma once

// Running a command of mapsheet-cli in-process on given input, and the lines it wrote.

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace mapsheet::cli::test_support {

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

// Runs command (runNumberCommand, runSheetCommand, runSquareCommand) on input.
template <typename Command>
CommandRun runWithInput(Command command, const Arguments& arguments, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = command(arguments, in, out, err);
    return {status, out.str(), err.str()};
}

// Runs command (runCoverCommand), which reads no input.
template <typename Command>
CommandRun runWithoutInput(Command command, const Arguments& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = command(arguments, out, err);
    return {status, out.str(), err.str()};
}

inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        result.push_back(line);
    }
    return result;
}

}  // namespace mapsheet::cli::test_support
