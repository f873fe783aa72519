#include "cli/progress_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace mapsheet::cli {
namespace {

using namespace std::chrono_literals;

const std::string kErase = "\r\x1b[K";

std::string drawn(const std::string& text) {
    return "\r" + text + "\x1b[K";
}

TEST(ProgressText, ReadsAsTheLineShowsIt) {
    struct Row {
        const char* name;
        batch::ProgressCount count;
        double seconds;
        const char* unit;
        const char* expected;
    };
    const Row rows[] = {
        {"rows without a total",
         {1'234'567, 0},
         2.0,
         "rows",
         "1,234,567 rows in 0:02, 617,283 rows/s"},
        {"a share below a whole per cent rounds down",
         {99'999, 100'000},
         10.0,
         "sheets",
         "99,999 of 100,000 sheets (99%) in 0:10, 9,999 sheets/s"},
        {"all done",
         {100'000, 100'000},
         10.0,
         "sheets",
         "100,000 of 100,000 sheets (100%) in 0:10, 10,000 sheets/s"},
        {"minutes", {0, 5}, 754.9, "sheets", "0 of 5 sheets (0%) in 12:34, 0 sheets/s"},
        {"hours", {7'200, 0}, 3'723.9, "rows", "7,200 rows in 1:02:03, 1 rows/s"},
        {"no time yet", {10, 0}, 0.0, "rows", "10 rows in 0:00, 0 rows/s"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(batch::progressText(row.count, row.seconds, row.unit), row.expected);
    }
}

// A line drawn on a string stream at the times a step gives; each step either counts or
// writes a message through the stream, and the bytes written are compared at the end.
struct Step {
    std::chrono::milliseconds at;
    std::optional<batch::ProgressCount> count;
    std::string message;
};

std::string playedOut(const std::vector<Step>& steps) {
    std::ostringstream err;
    std::streambuf* const own = err.rdbuf();
    ProgressLine::Clock::time_point now{};
    {
        ProgressLine line(err, "rows", [&now] { return now; });
        const batch::ProgressListener listener = line.listener();
        for (const Step& step : steps) {
            now = ProgressLine::Clock::time_point{} + step.at;
            if (step.count) {
                listener(*step.count);
            } else {
                err << step.message;
            }
        }
    }
    EXPECT_EQ(err.rdbuf(), own) << "the stream must get its own buffer back";
    return err.str();
}

TEST(ProgressLine, DrawsAfterASecondErasesForMessagesAndAtTheEnd) {
    const std::string one = batch::progressText({1, 0}, 1.1, "rows");
    const std::string two = batch::progressText({2, 0}, 1.4, "rows");
    const std::string three = batch::progressText({3, 0}, 1.7, "rows");
    struct Row {
        const char* name;
        std::vector<Step> steps;
        std::string expected;
    };
    const Row rows[] = {
        {"a run of a second shows nothing", {{500ms, {{1, 0}}, {}}, {1000ms, {{2, 0}}, {}}}, ""},
        {"drawn past a second and erased at the end",
         {{1100ms, {{1, 0}}, {}}},
         drawn(one) + kErase},
        {"redrawn at most four times a second",
         {{1100ms, {{1, 0}}, {}}, {1200ms, {{9, 0}}, {}}, {1400ms, {{2, 0}}, {}}},
         drawn(one) + drawn(two) + kErase},
        {"a message stands on its own line and the line comes back under it",
         {{1100ms, {{1, 0}}, {}}, {1200ms, {}, "line 3: bad\n"}, {1700ms, {{3, 0}}, {}}},
         drawn(one) + kErase + "line 3: bad\n" + drawn(three) + kErase},
        {"a message ending the run leaves no line after it",
         {{1100ms, {{1, 0}}, {}}, {1200ms, {}, "cannot write output\n"}},
         drawn(one) + kErase + "cannot write output\n"},
        {"no line after a message that has not ended its line",
         {{1100ms, {}, "mapsheet-cli: "}, {1700ms, {{3, 0}}, {}}},
         "mapsheet-cli: "},
        {"messages before the first second pass untouched",
         {{100ms, {}, "a\n"}, {200ms, {}, "b\n"}},
         "a\nb\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(playedOut(row.steps), row.expected);
    }
}

TEST(ProgressLine, AStreamThatIsNotStandardErrorIsLeftAlone) {
    std::ostringstream err;
    std::ostringstream out;
    std::streambuf* const own = err.rdbuf();
    ProgressLine line(err, &out, "rows");
    EXPECT_FALSE(line.listener()) << "nobody should be listening, so the run pays nothing";
    EXPECT_EQ(err.rdbuf(), own);
}

}  // namespace
}  // namespace mapsheet::cli
