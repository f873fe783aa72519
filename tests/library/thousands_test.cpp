#include "library/thousands.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace mapsheet::text {
namespace {

TEST(withThousandsSeparators, GroupsEveryThreeDigitsFromTheRight) {
    const struct {
        std::uint64_t value;
        const char* written;
    } cases[] = {
        {0, "0"},
        {500, "500"},
        {5000, "5,000"},
        {10000, "10,000"},
        {1000000, "1,000,000"},
        {std::numeric_limits<std::uint64_t>::max(), "18,446,744,073,709,551,615"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(withThousandsSeparators(c.value), c.written) << c.value;
    }
}

TEST(digitsWithoutThousandsSeparators, AcceptsOnlyGroupsOfThreeFromTheRight) {
    const struct {
        const char* name;
        const char* text;
        std::optional<std::string> digits;
    } cases[] = {
        {"plain digits", "50000", "50000"},
        {"one group", "5,000", "5000"},
        {"two groups", "1,000,000", "1000000"},
        {"space as separator", "10 000", "10000"},
        {"short last group", "50,00", std::nullopt},
        {"long last group", "5,0000", std::nullopt},
        {"long first group", "1000,000", std::nullopt},
        {"ungrouped middle", "1,000000", std::nullopt},
        {"two separators mixed", "1,000 000", std::nullopt},
        {"leading separator", ",500", std::nullopt},
        {"trailing separator", "500,", std::nullopt},
        {"doubled separator", "5,,000", std::nullopt},
        {"not a separator", "5.000", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(digitsWithoutThousandsSeparators(c.text, ", "), c.digits) << c.name;
    }
}

// Every number written with separators reads back as its digits.
TEST(digitsWithoutThousandsSeparators, ReadsBackWhatIsWritten) {
    for (std::uint64_t value = 1; value < 100000000000ULL; value = value * 7 + 3) {
        EXPECT_EQ(digitsWithoutThousandsSeparators(withThousandsSeparators(value), ","),
                  std::to_string(value));
    }
}

}  // namespace
}  // namespace mapsheet::text
