// Choosing a format by a file name's extension.

#include "text/file_extension.h"

#include <gtest/gtest.h>

namespace mapsheet::text {
namespace {

TEST(FileExtension, NamesCompareInEitherCaseAndOnlyAtTheEnd) {
    const struct {
        const char* name;
        const char* path;
        const char* extension;
        bool expected;
    } cases[] = {
        {"lower case", "points.csv", ".csv", true},
        {"upper case", "/data/POINTS.CSV", ".csv", true},
        {"mixed case", "wells.XlSx", ".xlsx", true},
        {"the extension inside the name", "points.csv.gz", ".csv", false},
        {"no dot", "pointscsv", ".csv", false},
        {"shorter than the extension", "sv", ".csv", false},
        {"the extension alone", ".csv", ".csv", true},
        {"a letter outside ASCII", "points.cs\xC3\xBD", ".csv", false},
        {"an empty extension", "points", "", false},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(hasExtension(row.path, row.extension), row.expected) << row.name;
    }
}

}  // namespace
}  // namespace mapsheet::text
