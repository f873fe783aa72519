#include "text/angle_marks.h"

#include <gtest/gtest.h>

namespace mapsheet::text {
namespace {

TEST(withAngleMarks, WritesTheAsciiFormsWithMarks) {
    EXPECT_EQ(withAngleMarks("45d52'56.6879\""), "45°52′56.6879″");
    EXPECT_EQ(withAngleMarks("45D52’56”"), "45°52′56″");
    EXPECT_EQ(withAngleMarks("45:52:56.6879"), "45°52′56.6879″");
    EXPECT_EQ(withAngleMarks("-45:52"), "-45°52′");
    EXPECT_EQ(withAngleMarks("45:52:56:1"), "45:52:56:1");
    EXPECT_EQ(withAngleMarks("45:52′"), "45:52′");
    EXPECT_EQ(withAngleMarks("45.5"), "45.5");
}

}  // namespace
}  // namespace mapsheet::text
