// Point lines split by the word-at-a-time scan give what the general splitter gives, whatever
// the line holds (blanks, tabs, carriage returns, control bytes, NULs, extra commas) and wherever
// it starts against the words the scan reads.

#include "batch/point_rows.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "text/point_line.h"

namespace mapsheet::batch {
namespace {

TEST(PointRows, SplitLinesAsTheGeneralSplitterDoes) {
    using namespace std::string_literals;
    const struct {
        const char* name;
        std::string line;  // without its line feed
    } rows[] = {
        {"plain", "32.5698198,128.0030441"},
        {"short", "1,2"},
        {"long fields", "32.56981981234567890,128.00304411234567890"},
        {"blank after the comma", "32.5, 128.5"},
        {"tab separated", "32.5\t128.5"},
        {"blank separated", "32.5 128.5"},
        {"carriage return ending", "32.5,128.5\r"},
        {"carriage return inside", "32.5\r,128.5"},
        {"control byte", "32.5\x01,128.5"},
        {"NUL byte", "32.5,128\0.5"s},
        {"two commas", "32.5,128.5,"},
        {"empty latitude", ",128.5"},
        {"empty longitude", "32.5,"},
        {"lone comma", ","},
        {"no comma", "32.5"},
        {"marked text", "39°58′45″,116°20′"},
    };
    const int scale = 5;  // 1:50,000
    for (const auto& row : rows) {
        for (std::size_t offset = 0; offset < 9; ++offset) {
            SCOPED_TRACE(std::string(row.name) + " after " + std::to_string(offset) + " bytes");
            const std::string lead = offset == 0 ? "" : std::string(offset, '1') + "\n";
            // The line inside the input, and last without its line feed.
            for (const bool last : {false, true}) {
                // A carriage return ends a record only before a line feed.
                const std::string_view record =
                    !last && row.line.ends_with('\r')
                        ? std::string_view(row.line).substr(0, row.line.size() - 1)
                        : std::string_view(row.line);
                const std::optional<text::PointFields> expected = text::splitPointLine(record);
                const std::string input = "1,2\n" + lead + row.line + (last ? "" : "\n3,4\n");
                PointRows rows(input, 1, false, RowLayout{}, scale);
                PointRow point;
                ASSERT_TRUE(rows.next(point));
                if (offset != 0) {
                    ASSERT_TRUE(rows.next(point));
                }
                ASSERT_TRUE(rows.next(point));
                EXPECT_EQ(point.line, offset == 0 ? 2 : 3);
                ASSERT_EQ(point.split, expected.has_value());
                if (expected) {
                    EXPECT_EQ(point.latitude, expected->latitude);
                    EXPECT_EQ(point.longitude, expected->longitude);
                } else {
                    EXPECT_NE(point.error.find("expected latitude and longitude"),
                              std::string_view::npos);
                }
                if (!last) {
                    ASSERT_TRUE(rows.next(point));
                    EXPECT_EQ(point.record, "3,4");
                }
                EXPECT_FALSE(rows.next(point));
            }
        }
    }
}

}  // namespace
}  // namespace mapsheet::batch
