// The cursor writes what appending each piece to a std::string writes, for pieces of every
// length its copies treat apart (0 to 40 bytes) and for text written in its room in place,
// across the growth of its room and across the string being handed out to functions that
// append to it.

#include "batch/output_cursor.h"

#include <gtest/gtest.h>

#include <string>

namespace mapsheet::batch {
namespace {

std::string pieceOf(std::size_t length, int seed) {
    std::string piece;
    for (std::size_t i = 0; i < length; ++i) {
        piece.push_back(static_cast<char>('!' + (seed * 7 + static_cast<int>(i)) % 90));
    }
    return piece;
}

TEST(OutputCursor, WritesWhatStringAppendsWrite) {
    const struct {
        const char* name;
        std::string start;
        int handOutEvery;  // 0: never
    } rows[] = {
        {"into an empty string", "", 0},
        {"after a header", "latitude,longitude,new,old,error\n", 0},
        {"handed out now and then", "", 5},
        {"handed out after every piece", "x", 1},
    };
    for (const auto& row : rows) {
        std::string written = row.start;
        std::string expected = row.start;
        {
            OutputCursor cursor(written);
            for (int round = 0; round < 300; ++round) {
                const std::string piece = pieceOf(static_cast<std::size_t>(round % 41), round);
                cursor.put(piece);
                expected += piece;
                cursor.put(',');
                expected += ',';
                const std::string start = pieceOf(static_cast<std::size_t>(round % 17), round + 1);
                start.copy(cursor.room(start.size() + round % 3), start.size());
                cursor.advance(start.size());
                expected += start;
                if (row.handOutEvery != 0 && round % row.handOutEvery == 0) {
                    cursor.text().append("(appended)");
                    expected += "(appended)";
                }
            }
        }
        EXPECT_EQ(written, expected) << row.name;
    }
}

}  // namespace
}  // namespace mapsheet::batch
