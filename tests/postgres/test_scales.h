#pragma once

// The twelve scales as the tests pass them: each in a different accepted spelling, so that the
// SQL functions and the CLI are also held to the same reading of the scale text.

#include <array>
#include <string>

namespace mapsheet::postgres_test {

struct ScaleCase {
    const char* name;      // test name
    int index;             // 0 = 1:1,000,000 .. 11 = 1:500
    const char* spelling;  // as passed to both
    const char* ratio;     // as mapsheet_sheet writes it
};

inline constexpr std::array<ScaleCase, 12> kScaleCases{{
    {"Million", 0, "1:1000000", "1:1000000"},
    {"FiveHundredThousand", 1, "1:50万", "1:500000"},
    {"TwoHundredFiftyThousand", 2, "C", "1:250000"},
    {"TwoHundredThousand", 3, "1:200,000", "1:200000"},
    {"HundredThousand", 4, "100000", "1:100000"},
    {"FiftyThousand", 5, "1:5万", "1:50000"},
    {"TwentyFiveThousand", 6, " 1:25000 ", "1:25000"},
    {"TenThousand", 7, "1:10 000", "1:10000"},
    {"FiveThousand", 8, "h", "1:5000"},
    {"TwoThousand", 9, "1:2000", "1:2000"},
    {"Thousand", 10, "1000", "1:1000"},
    {"FiveHundred", 11, "1:500", "1:500"},
}};

inline std::string scaleCaseName(const ScaleCase& scale) {
    return scale.name;
}

}  // namespace mapsheet::postgres_test
