#pragma once

// Points for comparing the SQL functions with the CLI, written as the decimal texts both read.

#include <cstdint>
#include <string>
#include <vector>

namespace mapsheet::postgres_test {

struct PointText {
    std::string latitude;
    std::string longitude;
};

// count points for the scale (index 0..11) from a fixed seed: a third uniform over the series
// and a degree beyond it, a third exactly on the sheet lines of the scale (west and south edges
// and corners), a third a few tolerances off those lines on either side, and the edges of the
// series (88, 60, 76, 180 degrees and their negatives).
std::vector<PointText> samplePoints(int scale, std::size_t count, std::uint64_t seed);

}  // namespace mapsheet::postgres_test
