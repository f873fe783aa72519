// Every command reads its command line by the one rule (cli/command_line.h): the same refusal of
// an option it does not take, "--" before operands that start with "-", and the shared checks.

#include <gtest/gtest.h>

#include <string>

#include "cli/commands.h"
#include "command_run.h"

namespace mapsheet::cli {
namespace {

using test_support::CommandRun;
using test_support::runWithInput;

using Command = int (*)(const Arguments&, std::istream&, std::ostream&, std::ostream&);

int runAngle(const Arguments& arguments, std::istream&, std::ostream& out, std::ostream& err) {
    return runAngleCommand(arguments, out, err);
}

TEST(CommandOptions, EveryCommandRefusesAnUnknownOptionQuotingItByTheOneRule) {
    const std::string option = "--" + std::string(45, 'q');
    const std::string excerpt = "--" + std::string(38, 'q') + "…";
    const struct {
        const char* name;
        Command command;
        Arguments arguments;
        char quote;
    } rows[] = {
        {"number", runNumberCommand, {"--scale", "E", option + "=1", "39", "116"}, '\''},
        {"square", runSquareCommand, {"--scale", "500", option, "39", "116"}, '\''},
        {"sheet", runSheetCommand, {option, "J50"}, '\''},
        {"sheet --square", runSheetCommand, {"--square", "500", option, "J50"}, '\''},
        {"neighbours", runNeighboursCommand, {option, "J50"}, '"'},
        {"uncompact", runUncompactCommand, {"--scale", "E", option, "J50"}, '"'},
        {"angle", runAngle, {option, "45"}, '\''},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CommandRun run = runWithInput(row.command, row.arguments, "");
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        const std::string command =
            std::string(row.name).substr(0, std::string(row.name).find(' '));
        EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1),
                  "mapsheet-cli " + command + ": unknown option " + row.quote + excerpt +
                      row.quote + "; run 'mapsheet-cli " + command + " --help'\n");
    }
}

TEST(CommandOptions, SharedChecksAndOperands) {
    const struct {
        const char* name;
        Command command;
        Arguments arguments;
        int status;
        const char* fragment;  // in the output, or in the error for status 2
    } rows[] = {
        {"a latitude written -.5", runNumberCommand, {"--scale", "A", "-.5", "116"}, 0, "-.5,116,"},
        {"operands after --",
         runNumberCommand,
         {"--scale", "A", "--", "-0.5", "116"},
         0,
         "-0.5,116,"},
        {"--max-sheets with thousands separators",
         runChildrenCommand,
         {"--scale", "1:500", "--max-sheets", "5,308,416", "J50"},
         0,
         "J50,"},
        {"--max-sheets with a separator out of place",
         runChildrenCommand,
         {"--scale", "F", "--max-sheets", "50,00", "J50"},
         2,
         "--max-sheets \"50,00\": expected a whole number of sheets"},
        {"--jobs beyond 256 for number",
         runNumberCommand,
         {"--scale", "E", "--jobs", "257", "39", "116"},
         2,
         "--jobs '257' is more than 256 threads"},
        {"--jobs beyond 256 for square",
         runSquareCommand,
         {"--scale", "500", "--jobs", "257", "39", "116"},
         2,
         "--jobs '257' is more than 256 threads"},
        {"two zones for the corners",
         runSheetCommand,
         {"--corners", "--zone", "20", "--central-meridian", "117", "J50E001013"},
         2,
         "--zone and --central-meridian each choose the zone; give one"},
        {"the --square form has the command's help",
         runSheetCommand,
         {"--square", "500", "--help"},
         2,
         "run 'mapsheet-cli sheet --help'"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CommandRun run = runWithInput(row.command, row.arguments, "");
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_NE((row.status == 2 ? run.err : run.out).find(row.fragment), std::string::npos)
            << run.out << run.err;
    }
}

}  // namespace
}  // namespace mapsheet::cli
