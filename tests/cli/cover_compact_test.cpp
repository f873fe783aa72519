// mapsheet-cli cover --compact, --summary and --id, and uncompact: compact lists uncompacted
// back to the plain cover in every mode, the same total area from both, ids read back by
// `sheet`, and refusals that leave nothing behind.

// uncompact writes through the cover output, which needs GDAL.
#ifdef MAPSHEET_HAVE_GDAL

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "tests/cli/command_run.h"

namespace mapsheet::cli {
namespace {

using test_support::CommandRun;
using test_support::lines;
using test_support::runWithInput;
using test_support::runWithoutInput;

CommandRun runCover(const Arguments& arguments) {
    return runWithoutInput(runCoverCommand, arguments);
}

std::vector<std::string> sortedRows(const std::string& out) {
    std::vector<std::string> rows = lines(out);
    rows.erase(rows.begin());
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::string firstFields(const std::string& out) {
    std::string numbers;
    for (const std::string& row : lines(out)) {
        numbers += row.substr(0, row.find(',')) + "\n";
    }
    return numbers.substr(numbers.find('\n') + 1);  // without the header's first field
}

TEST(CoverCompact, UncompactsToThePlainCoverWithTheSameArea) {
    const struct {
        const char* name;
        const char* scale;
        const char* box;
        const char* mode;
    } rows[] = {
        {"1:50,000 around Beijing", "1:50000", "39.9,116.1,41.3,117.9", "meets"},
        {"1:10,000 within", "1:10000", "39.51,115.82,40.77,116.93", "within"},
        {"1:2000 centres across the equator", "1:2000", "-0.02,100.01,0.03,100.08", "centre"},
    };
    for (const auto& row : rows) {
        const Arguments cover{"--scale", row.scale, "--bbox", row.box, "--mode", row.mode};
        const CommandRun plain = runCover(cover);
        Arguments compactArguments = cover;
        compactArguments.push_back("--compact");
        const CommandRun compact = runCover(compactArguments);
        ASSERT_EQ(compact.status, 0) << row.name << ": " << compact.err;
        EXPECT_LT(lines(compact.out).size(), lines(plain.out).size()) << row.name;
        const CommandRun back =
            runWithInput(runUncompactCommand, {"--scale", row.scale}, firstFields(compact.out));
        EXPECT_EQ(back.status, 0) << row.name << ": " << back.err;
        EXPECT_EQ(sortedRows(back.out), sortedRows(plain.out)) << row.name;
        compactArguments.push_back("--summary");
        Arguments plainSummary = cover;
        plainSummary.push_back("--summary");
        const std::vector<std::string> fromCompact = lines(runCover(compactArguments).out);
        const std::vector<std::string> fromPlain = lines(runCover(plainSummary).out);
        ASSERT_EQ(fromCompact.size(), 2u) << row.name;
        ASSERT_EQ(fromPlain.size(), 2u) << row.name;
        const auto area = [](const std::string& summary) {
            return std::stod(summary.substr(summary.find(',') + 1));
        };
        EXPECT_NEAR(area(fromCompact[1]), area(fromPlain[1]), 0.01) << row.name;
        EXPECT_EQ(fromPlain[1].substr(0, fromPlain[1].find(',')),
                  std::to_string(lines(plain.out).size() - 1));
    }
}

TEST(CoverCompact, AWholeSheetStandsForItsChildrenWithItsScaleAndId) {
    const CommandRun run =
        runCover({"--scale", "1:10000", "--within-sheet", "J50D001001", "--compact", "--id"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 2u) << run.out;
    EXPECT_EQ(out[0], "new,old,south,west,north,east,scale,id");
    EXPECT_TRUE(out[1].starts_with("J50D001001,J-50-1,")) << out[1];
    const std::string id = out[1].substr(out[1].rfind(',') + 1);
    const std::vector<std::string> sheet = lines(runWithInput(runSheetCommand, {id}, "").out);
    ASSERT_EQ(sheet.size(), 2u);
    EXPECT_TRUE(sheet[1].starts_with(id + ",1:100000,J50D001001,")) << sheet[1];
}

TEST(CoverCompact, BadInputIsRefusedWithNothingWritten) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("mapsheet-uncompact-" + std::to_string(getpid()) + ".csv");
    const struct {
        const char* name;
        bool cover;
        Arguments arguments;
        int status;
        const char* message;
    } rows[] = {
        {"unknown mode",
         true,
         {"--scale", "E", "--bbox", "40,116,41,117", "--mode", "inside"},
         2,
         "unknown mode 'inside'"},
        {"summary as a layer",
         true,
         {"--scale", "E", "--bbox", "40,116,41,117", "--summary", "--format", "geojson"},
         2,
         "--summary writes one CSV row"},
        {"compact beyond the limit",
         true,
         {"--scale", "1:500", "--bbox", "39.01,116.01,39.99,116.99", "--compact", "--max-sheets",
          "100"},
         2,
         "more than --max-sheets 100"},
        {"uncompact a finer sheet",
         false,
         {"--scale", "D", "--output", path.string(), "J50D001001", "J50E001001"},
         1,
         "\"J50E001001\": it is finer than 1:100000"},
        {"uncompact a bad number",
         false,
         {"--scale", "D", "--output", path.string(), "J5O"},
         1,
         "\"J5O\""},
        {"uncompact beyond the limit",
         false,
         {"--scale", "1:500", "--max-sheets", "1000", "--output", path.string(), "J50D001001"},
         2,
         "uncompact: the cover would have 36,864 sheets, more than --max-sheets 1,000 allows\n"},
    };
    for (const auto& row : rows) {
        const CommandRun run = row.cover ? runCover(row.arguments)
                                         : runWithInput(runUncompactCommand, row.arguments, "");
        EXPECT_EQ(run.status, row.status) << row.name << ": " << run.err;
        EXPECT_NE(run.err.find(row.message), std::string::npos) << row.name << ": " << run.err;
        EXPECT_EQ(run.out, "") << row.name;
        EXPECT_FALSE(std::filesystem::exists(path)) << row.name;
    }
}

}  // namespace
}  // namespace mapsheet::cli

#endif  // MAPSHEET_HAVE_GDAL
