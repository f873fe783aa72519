// mapsheet-cli number --format id: the ids it writes, read back by `sheet`, name the sheets that
// --format csv writes for the same points, for point lines and tables alike.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/commands.h"
#include "tests/cli/command_run.h"

namespace mapsheet::cli {
namespace {

using test_support::CommandRun;
using test_support::lines;
using test_support::runWithInput;

std::string fieldOf(const std::string& row, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = row.find(',', start) + 1;
    }
    return row.substr(start, row.find(',', start) - start);
}

TEST(NumberIds, ReadBackAsTheSheetsTheNumbersName) {
    const std::string points =
        "39.979,116.31\n-30.5,117.5\n0,-0.01\n-0.01,179.99\n61.3,-150.2\n-87.9,-179.99\n"
        "80.2,100.7\n95,1\n";
    for (const char* scale : {"1:1000000", "1:200000", "1:50000", "1:5000", "1:500"}) {
        const CommandRun numbers = runWithInput(runNumberCommand, {"--scale", scale}, points);
        const CommandRun ids =
            runWithInput(runNumberCommand, {"--scale", scale, "--format", "id"}, points);
        EXPECT_EQ(ids.status, 1) << scale;  // the point at 95 degrees has no sheet
        const std::vector<std::string> numberRows = lines(numbers.out);
        const std::vector<std::string> idRows = lines(ids.out);
        ASSERT_EQ(idRows.size(), numberRows.size()) << scale;
        EXPECT_EQ(idRows[0], "latitude,longitude,id,error");
        std::string idInput;
        for (std::size_t row = 1; row + 1 < idRows.size(); ++row) {
            idInput += fieldOf(idRows[row], 2) + "\n";
        }
        // The error row keeps its error and leaves the id empty.
        EXPECT_EQ(fieldOf(idRows.back(), 2), "");
        EXPECT_EQ(idRows.back().substr(idRows.back().find(",,") + 1),
                  numberRows.back().substr(numberRows.back().find(",,,") + 2));
        const std::vector<std::string> sheets =
            lines(runWithInput(runSheetCommand, {}, idInput).out);
        ASSERT_EQ(sheets.size(), numberRows.size() - 1) << scale;
        for (std::size_t row = 1; row < sheets.size(); ++row) {
            EXPECT_EQ(fieldOf(sheets[row], 2), fieldOf(numberRows[row], 2)) << scale;
        }
    }
}

TEST(NumberIds, TablesGainTheIdColumn) {
    const CommandRun run = runWithInput(
        runNumberCommand, {"--scale", "E", "--lat-col", "lat", "--lon-col", "lon", "--format=id"},
        "name,lat,lon\r\nBeijing,39.9,116.4\r\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(lines(run.out), (std::vector<std::string>{"name,lat,lon,id,error\r",
                                                        "Beijing,39.9,116.4,1454685294602,\r"}));
}

}  // namespace
}  // namespace mapsheet::cli
