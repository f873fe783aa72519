// Covers by containment mode against an exact enumeration of sampled sheets on the 1/8-second
// lattice, and compact covers against the plain cover they stand for.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "engine/compact_cover.h"
#include "engine/sheet_cover.h"
#include "engine/sheet_hierarchy.h"
#include "engine/sheet_id.h"
#include "sheet_samples.h"

namespace mapsheet::engine {
namespace {

using testing::sampledSheets;

struct NamedBox {
    const char* name;
    LatLonBox box;
};

const NamedBox kBoxes[] = {
    {"Beijing, off the lines", {39.9, 116.3, 40.0, 116.5}},
    {"across the equator", {-1.25, 119.9, 0.5, 120.75}},
    {"across 60 degrees", {59.5, 10, 61.25, 13.5}},
    {"across 76 degrees at 180 W", {75.9, -179.9, 76.1, -170}},
    {"south, up to 180 E", {-77, 170, -75.5, 180}},
    {"edges on 1:50,000 lines", {40, 117, 40.5, 117.75}},
    {"a point on a corner", {40, 117, 40, 117}},
    {"a point inside", {40.01, 117.01, 40.01, 117.01}},
    {"past 88 degrees south", {-89, -180, -87.9, -179.5}},
};

bool inMode(const UnitBounds& b, const LatLonBox& box, CoverMode mode) {
    const double south = placedUnits(box.south);
    const double north = placedUnits(box.north);
    const double west = placedUnits(box.west);
    const double east = placedUnits(box.east);
    switch (mode) {
        case CoverMode::Meets:
            return b.south < north && b.north > south && b.west < east && b.east > west;
        case CoverMode::Centre: {
            const double twiceLat = static_cast<double>(b.south) + b.north;
            const double twiceLon = static_cast<double>(b.west) + b.east;
            return twiceLat >= 2 * south && twiceLat <= 2 * north && twiceLon >= 2 * west &&
                   twiceLon <= 2 * east;
        }
        case CoverMode::Within:
            return b.south >= south && b.north <= north && b.west >= west && b.east <= east;
    }
    return false;
}

std::set<std::int64_t> idsOf(SheetCover cover) {
    std::set<std::int64_t> ids;
    while (const auto sheet = cover.next()) {
        ids.insert(sheetToId(*sheet));
    }
    return ids;
}

TEST(CoverModes, MatchAnExactEnumerationInEveryMode) {
    for (const NamedBox& row : kBoxes) {
        for (const CoverMode mode : {CoverMode::Meets, CoverMode::Centre, CoverMode::Within}) {
            for (const int scale : {0, 2, 3, 5, 7}) {
                const LatLonBox& box = row.box;
                std::set<std::int64_t> expected;
                for (const auto& [id, sheet] : sampledSheets(scale, box.south - 5, box.west - 25,
                                                             box.north + 5, box.east + 25)) {
                    if (inMode(unitBounds(sheet), box, mode)) {
                        expected.insert(id);
                    }
                }
                SheetCover cover(box, scale, mode);
                const std::uint64_t count = cover.count();
                EXPECT_EQ(idsOf(cover), expected)
                    << row.name << ", " << coverModeName(mode) << ", scale " << scale;
                EXPECT_EQ(count, expected.size()) << row.name << ", " << coverModeName(mode);
            }
        }
    }
}

TEST(CoverModes, NamesReadBack) {
    for (const CoverMode mode : {CoverMode::Meets, CoverMode::Centre, CoverMode::Within}) {
        EXPECT_EQ(coverModeFromName(coverModeName(mode)), mode);
    }
    for (const char* name : {"", "center", "Meets", "inside"}) {
        EXPECT_EQ(coverModeFromName(name), std::nullopt) << name;
    }
}

TEST(CompactCover, UncompactsToThePlainCoverAndLeavesNoWholeParentBehind) {
    const struct {
        const char* name;
        LatLonBox box;
        int scale;
    } rows[] = {
        {"1:10,000 around Beijing", {39.5, 115.8, 41.2, 117.9}, 7},
        {"1:500 off every line", {39.9, 116.3, 39.95, 116.37}, 11},
        {"1:2000 in threes", {30.0, 120.0, 30.2, 120.3}, 9},
        {"1:100,000 up to 1:250,000", {20.1, 100.1, 32.9, 113.9}, 4},
        {"1:50,000 across the equator and 60", {-3, 10, 61, 13.5}, 5},
        {"1:200,000 outside the chain", {39, 115, 42, 119}, 3},
        {"1:1,000,000", {39, 115, 42, 119}, 0},
    };
    for (const auto& row : rows) {
        for (const CoverMode mode : {CoverMode::Meets, CoverMode::Centre, CoverMode::Within}) {
            const std::set<std::int64_t> plain = idsOf(SheetCover(row.box, row.scale, mode));
            std::set<std::int64_t> uncompacted;
            std::map<std::int64_t, int> siblings;  // per parent, how many of its sheets came
            std::uint64_t total = 0;
            CompactCover compact(row.box, row.scale, mode);
            while (const auto sheet = compact.next()) {
                SheetCover fine = uncompact(*sheet, row.scale);
                total += fine.count();
                uncompacted.merge(idsOf(fine));
                const int parentScale = compactParentScale(sheet->scale);
                if (parentScale >= 0 && row.scale != 3) {
                    ++siblings[sheetToId(*parentOf(*sheet, parentScale))];
                }
            }
            EXPECT_EQ(uncompacted, plain) << row.name << ", " << coverModeName(mode);
            EXPECT_EQ(total, plain.size()) << row.name << ": a sheet came twice";
            for (const auto& [parentId, count] : siblings) {
                const Sheet parent = *idToSheet(parentId);
                const int ratio =
                    divisionRatio(parent.scale, parent.scale == 2 ? 4 : parent.scale + 1);
                EXPECT_LT(count, ratio * ratio)
                    << row.name << ": every child of " << newNumber(parent).view() << " came";
            }
        }
    }
}

TEST(CompactCover, ChinaAtOneToTenThousandCountsAsItsPlainCover) {
    const LatLonBox china{18, 73, 54, 135};
    std::uint64_t total = 0;
    std::uint64_t rows = 0;
    CompactCover compact(china, 7);
    while (const auto sheet = compact.next()) {
        total += uncompact(*sheet, 7).count();
        ++rows;
    }
    EXPECT_EQ(total, SheetCover(china, 7).count());
    EXPECT_LT(rows, 5000U);
}

}  // namespace
}  // namespace mapsheet::engine
