#include "text/utf8_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace mapsheet::text {
namespace {

using namespace std::string_view_literals;

// The well-formed sequences of RFC 3629, table 3-7 of Unicode: each boundary of each lead byte's
// second-byte range, on both sides.
TEST(Utf8Text, SequenceLengthsFollowTheWellFormedTable) {
    const struct {
        const char* name;
        std::string_view bytes;
        std::size_t length;
    } rows[] = {
        {"ASCII", "A"sv, 1},
        {"NUL", "\0"sv, 1},
        {"two bytes, lowest", "\xC2\x80"sv, 2},
        {"two bytes, overlong C1", "\xC1\xBF"sv, 0},
        {"two bytes, overlong C0", "\xC0\x80"sv, 0},
        {"three bytes after E0, lowest", "\xE0\xA0\x80"sv, 3},
        {"three bytes after E0, overlong", "\xE0\x9F\xBF"sv, 0},
        {"last before the surrogates", "\xED\x9F\xBF"sv, 3},
        {"a surrogate", "\xED\xA0\x80"sv, 0},
        {"U+FFFD itself", "\xEF\xBF\xBD"sv, 3},
        {"four bytes after F0, lowest", "\xF0\x90\x80\x80"sv, 4},
        {"four bytes after F0, overlong", "\xF0\x8F\xBF\xBF"sv, 0},
        {"U+10FFFF", "\xF4\x8F\xBF\xBF"sv, 4},
        {"above U+10FFFF", "\xF4\x90\x80\x80"sv, 0},
        {"lead F5", "\xF5\x80\x80\x80"sv, 0},
        {"lone continuation", "\x80"sv, 0},
        {"cut short", "\xE4\xB8"sv, 0},
        {"second byte no continuation", "\xE4\x41\x80"sv, 0},
        {"third byte no continuation", "\xF0\x90\x41\x80"sv, 0},
    };
    for (const auto& row : rows) {
        // Inside a longer text: the length looks no further than the sequence.
        const std::string inside = "x" + std::string(row.bytes) + "\xC3\xA9";
        EXPECT_EQ(utf8SequenceLength(inside, 1), row.length) << row.name;
    }
}

TEST(Utf8Text, OnlyALeadingByteOrderMarkIsDropped) {
    const struct {
        const char* name;
        std::string_view text;
        std::string_view without;
    } rows[] = {
        {"mark before a record", "\xEF\xBB\xBFlat,lon"sv, "lat,lon"sv},
        {"the mark alone", "\xEF\xBB\xBF"sv, ""sv},
        {"only the first of two", "\xEF\xBB\xBF\xEF\xBB\xBFx"sv, "\xEF\xBB\xBFx"sv},
        {"inside the text", "a\xEF\xBB\xBF"sv, "a\xEF\xBB\xBF"sv},
        {"two bytes of it", "\xEF\xBBx"sv, "\xEF\xBBx"sv},
        {"after a blank", " \xEF\xBB\xBF"sv, " \xEF\xBB\xBF"sv},
        {"empty", ""sv, ""sv},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(withoutByteOrderMark(row.text), row.without) << row.name;
    }
}

}  // namespace
}  // namespace mapsheet::text
