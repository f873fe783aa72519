#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/sheet.h"

namespace mapsheet::engine {
namespace {

// The digits written two at a time agree with std::to_string, padded on the left.
TEST(InlineText, WritesNumbersAsToStringDoesPadded) {
    const struct {
        int value;
        int minDigits;
        const char* written;
    } cases[] = {
        {0, 1, "0"},       {7, 2, "07"},    {9, 1, "9"},
        {10, 1, "10"},     {99, 3, "099"},  {100, 1, "100"},
        {1345, 4, "1345"}, {144, 3, "144"}, {2147483647, 1, "2147483647"},
        {5, 4, "0005"},    {-5, 3, "0-5"},
    };
    for (const auto& c : cases) {
        InlineText text;
        text.pushNumber(c.value, c.minDigits);
        EXPECT_EQ(text.view(), c.written) << c.value << " in " << c.minDigits << " digits";
    }
    for (int value = 0; value < 100000; value += 7) {
        InlineText text;
        text.pushNumber(value);
        ASSERT_EQ(text.view(), std::to_string(value));
    }
}

TEST(InlineText, KeepsWhatFitsItsFortyCharacters) {
    InlineText text;
    for (int i = 0; i < 9; ++i) {
        text.push("K50-");
        text.pushNumber(1234);
    }
    EXPECT_EQ(text.view(), std::string("K50-1234K50-1234K50-1234K50-1234K50-1234"));
}

// Numbers written in place into a caller's buffer, after text already there, are the numbers
// an InlineText holds, at every scale and in both hemispheres.
TEST(TextAt, WritesTheNumbersInPlaceAsInlineTextHoldsThem) {
    const struct {
        const char* name;
        double latitude;
        double longitude;
    } points[] = {
        {"Beijing", 39.979, 116.32},
        {"southern hemisphere", -33.86, 151.21},
        {"high latitude, wide zones", 71.5, -150.25},
    };
    for (const auto& point : points) {
        for (int scale = 0; scale < kScaleCount; ++scale) {
            const std::optional<Sheet> sheet = sheetOf(point.latitude, point.longitude, scale);
            ASSERT_TRUE(sheet) << point.name << " at " << scale;
            char buffer[kShortTextRoom] = {'>'};
            TextAt newText(buffer, 1);
            writeNewNumber(newText, *sheet);
            EXPECT_EQ(std::string(buffer, newText.size()),
                      ">" + std::string(newNumber(*sheet).view()))
                << point.name << " at " << scale;
            TextAt oldText(buffer);
            writeOldNumber(oldText, *sheet);
            EXPECT_EQ(std::string(buffer, oldText.size()), oldNumber(*sheet).view())
                << point.name << " at " << scale;
        }
    }
}

}  // namespace
}  // namespace mapsheet::engine
