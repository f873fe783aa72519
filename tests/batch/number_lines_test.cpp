// Sheet numbers one a line: what is taken off a line, which lines are skipped, how they count.

#include "batch/number_lines.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace mapsheet::batch {
namespace {

std::vector<std::pair<std::string, long>> readAll(const std::string& input) {
    std::istringstream in(input);
    NumberLines lines(in);
    std::vector<std::pair<std::string, long>> read;
    while (const std::optional<NumberLine> line = lines.next()) {
        read.emplace_back(std::string(line->text), line->number);
    }
    EXPECT_TRUE(lines.readError().empty()) << lines.readError();
    return read;
}

TEST(NumberLines, TakesOffLineEndsAndTheByteOrderMarkAndCountsBlankLines) {
    using Lines = std::vector<std::pair<std::string, long>>;
    const struct {
        const char* name;
        std::string input;
        Lines expected;
    } rows[] = {
        {"plain", "J50E001001\nJ-50-5\n", {{"J50E001001", 1}, {"J-50-5", 2}}},
        {"no final line feed", "J50E001001\nJ-50-5", {{"J50E001001", 1}, {"J-50-5", 2}}},
        {"Windows line ends", "J50E001001\r\nJ-50-5\r\n", {{"J50E001001", 1}, {"J-50-5", 2}}},
        {"byte order mark", "\xEF\xBB\xBFJ50E001001\n", {{"J50E001001", 1}}},
        {"mark and CR on a first line of its own", "\xEF\xBB\xBF\r\nJ50\n", {{"J50", 2}}},
        {"a mark on a later line is text",
         "J50\n\xEF\xBB\xBFJ51\n",
         {{"J50", 1}, {"\xEF\xBB\xBFJ51", 2}}},
        {"blank lines skipped but counted", "\n \t\nJ50\n\r\nJ51\n", {{"J50", 3}, {"J51", 5}}},
        {"inner blanks kept", " J50 \n", {{" J50 ", 1}}},
        {"empty input", "", {}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(readAll(row.input), row.expected) << row.name;
    }
}

TEST(NumberLines, NumbersGivenAsArgumentsLeaveTheInputUnread) {
    using Taken = std::vector<std::pair<std::string, long>>;
    const auto take = [](const std::vector<std::string>& given, const std::string& input) {
        std::istringstream in(input);
        Taken taken;
        const std::string readError =
            forEachNumber(given, in, [&taken](std::string_view text, long line) {
                taken.emplace_back(std::string(text), line);
            });
        EXPECT_TRUE(readError.empty()) << readError;
        return taken;
    };
    EXPECT_EQ(take({"J50", " "}, "J51\n"), (Taken{{"J50", 0}, {" ", 0}}));
    EXPECT_EQ(take({}, "\nJ51\n"), (Taken{{"J51", 2}}));
}

}  // namespace
}  // namespace mapsheet::batch
