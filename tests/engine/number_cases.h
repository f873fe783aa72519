#pragma once

// Named rows of points with the sheet number expected at a scale.

#include <gtest/gtest.h>

#include <iterator>

#include "engine/sheet_engine.h"

namespace mapsheet::engine {

struct NumberCase {
    const char* name;
    int scale;
    double latitude;
    double longitude;
    const char* expected;
};

template <std::size_t N>
void expectNumbers(const NumberCase (&cases)[N], bool newNumbering) {
    SheetEngine engine;
    for (const NumberCase& row : cases) {
        SCOPED_TRACE(row.name);
        engine.SelectScale(row.scale);
        EXPECT_EQ(engine.SheetNumber(row.latitude, row.longitude, newNumbering), row.expected);
    }
}

}  // namespace mapsheet::engine
