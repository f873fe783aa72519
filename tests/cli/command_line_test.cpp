// The one reader of every command's arguments, and the checks of the options several commands
// share.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/shared_options.h"

namespace mapsheet::cli {
namespace {

constexpr CommandUsage kUsage{"probe"};
constexpr Option kFlag{"--flag", false};

struct Read {
    std::optional<CommandLine> line;
    std::string err;
};

Read readProbe(const Arguments& arguments) {
    std::ostringstream err;
    std::optional<CommandLine> line =
        readCommandLine(arguments, {kScaleOption, kMaxSheetsOption, kFlag}, kUsage, err);
    return {std::move(line), err.str()};
}

TEST(CommandLine, ReadsValuesSwitchesAndOperandsInOrder) {
    const struct {
        const char* name;
        Arguments arguments;
        std::optional<std::string> scale;
        bool flag;
        std::vector<std::string> operands;
    } rows[] = {
        {"value after the name", {"--scale", "E", "1"}, "E", false, {"1"}},
        {"value after =", {"--scale=1:5,000", "1"}, "1:5,000", false, {"1"}},
        {"last value wins", {"--scale", "E", "--scale=F"}, "F", false, {}},
        {"a value that looks like an option", {"--scale", "--flag"}, "--flag", false, {}},
        {"southern latitude and western longitude",
         {"-39.5", "--flag", "-117°30′"},
         std::nullopt,
         true,
         {"-39.5", "-117°30′"}},
        {"one dash, not a number", {"-.5", "-", "-x"}, std::nullopt, false, {"-.5", "-", "-x"}},
        {"a value with one dash", {"--scale", "-.5"}, "-.5", false, {}},
        {"-- ends the options", {"--", "--scale", "E"}, std::nullopt, false, {"--scale", "E"}},
        {"switch given twice", {"--flag", "2", "--flag"}, std::nullopt, true, {"2"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Read read = readProbe(row.arguments);
        ASSERT_TRUE(read.line) << read.err;
        EXPECT_EQ(read.line->value(kScaleOption), row.scale);
        EXPECT_EQ(read.line->has(kFlag), row.flag);
        EXPECT_EQ(read.line->operands(), row.operands);
        EXPECT_FALSE(read.line->help());
    }
}

TEST(CommandLine, RefusesWhatTheCommandDoesNotTake) {
    const std::string longName = "--" + std::string(45, 'x');
    const struct {
        const char* name;
        Arguments arguments;
        std::string message;
    } rows[] = {
        {"unknown option, named without its value",
         {"--rings=2", "J50"},
         "mapsheet-cli probe: unknown option '--rings'; run 'mapsheet-cli probe --help'\n"},
        {"unknown option quoted by the one rule",
         {longName},
         "mapsheet-cli probe: unknown option '--" + std::string(38, 'x') +
             "…'; run 'mapsheet-cli probe --help'\n"},
        {"value missing at the end",
         {"J50", "--scale"},
         "mapsheet-cli probe: --scale needs a value\n"},
        {"empty value after =",
         {"--max-sheets="},
         "mapsheet-cli probe: --max-sheets needs a value\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Read read = readProbe(row.arguments);
        EXPECT_FALSE(read.line);
        EXPECT_EQ(read.err, row.message);
    }
}

TEST(CommandLine, HelpIsAskedEitherWay) {
    for (const char* asked : {"-h", "--help"}) {
        const Read read = readProbe({"J50", asked});
        ASSERT_TRUE(read.line);
        EXPECT_TRUE(read.line->help());
    }
}

// The shared checks, each on its own option; the value is read from a probe command line.
TEST(SharedOptions, CheckTheirValues) {
    const struct {
        const char* name;
        Arguments arguments;
        bool accepted;
        std::uint64_t maxSheets;  // when accepted
    } rows[] = {
        {"plain", {"--max-sheets", "250"}, true, 250},
        {"zero", {"--max-sheets", "0"}, true, 0},
        {"thousands every three digits", {"--max-sheets", "10,000,000"}, true, 10'000'000},
        {"separator out of place", {"--max-sheets", "10,00"}, false, 0},
        {"negative", {"--max-sheets", "-5"}, false, 0},
        {"beyond 64 bits", {"--max-sheets", "18446744073709551616"}, false, 0},
        {"not given keeps the default", {}, true, kDefaultSheetLimit},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Read read = readProbe(row.arguments);
        ASSERT_TRUE(read.line);
        std::ostringstream err;
        std::uint64_t maxSheets = kDefaultSheetLimit;
        EXPECT_EQ(readMaxSheets(*read.line, kUsage, err, maxSheets), row.accepted) << err.str();
        if (row.accepted) {
            EXPECT_EQ(maxSheets, row.maxSheets);
        } else {
            EXPECT_NE(err.str().find("expected a whole number of sheets"), std::string::npos);
        }
    }
}

TEST(SharedOptions, JobsRunFromOneTo256) {
    const struct {
        const char* text;
        bool accepted;
    } rows[] = {{"1", true},    {"256", true}, {"0", false},
                {"257", false}, {"2x", false}, {"", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        std::ostringstream err;
        const std::optional<CommandLine> line =
            readCommandLine({std::string("--jobs=") + row.text}, {kJobsOption}, kUsage, err);
        int jobs = 0;
        EXPECT_EQ(line && readJobs(*line, kUsage, err, jobs), row.accepted) << err.str();
        if (row.accepted) {
            EXPECT_EQ(std::to_string(jobs), row.text);
        }
    }
}

}  // namespace
}  // namespace mapsheet::cli
