// Ids, neighbours, parents and children against independent truths: round trips at every
// scale, ids that are no sheet, a brute-force search over sampled sheets for the rings, and
// nesting read from the sheets' exact edges.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine/sheet_hierarchy.h"
#include "engine/sheet_id.h"
#include "engine/sheet_number_parse.h"
#include "sheet_samples.h"

namespace mapsheet::engine {
namespace {

using testing::randomSheet;
using testing::sampledSheets;

constexpr std::int64_t kWorld = 360 * std::int64_t{kUnitsPerDegree};

Sheet parsed(std::string_view number) {
    const ParsedSheet result = parseSheetNumber(number);
    EXPECT_TRUE(result.sheet) << number << ": " << result.error;
    return result.sheet.value_or(Sheet{});
}

std::string written(const Sheet& sheet) {
    return std::string(newNumber(sheet).view());
}

TEST(SheetId, RoundTripsAtEveryScaleAndKeepsSheetsApart) {
    std::mt19937_64 random(21);
    std::set<std::int64_t> seen;
    for (int scale = 0; scale < kScaleCount; ++scale) {
        for (int trial = 0; trial < 5000; ++trial) {
            const Sheet sheet = randomSheet(random, scale);
            const std::int64_t id = sheetToId(sheet);
            ASSERT_GT(id, 0) << written(sheet);
            EXPECT_EQ(idToSheet(id), sheet) << written(sheet);
            seen.insert(id);
        }
    }
    // Distinct sheets get distinct ids: every id drawn reads back to a distinct written number.
    std::set<std::string> numbers;
    for (const std::int64_t id : seen) {
        numbers.insert(written(*idToSheet(id)));
    }
    EXPECT_EQ(numbers.size(), seen.size());
}

// Ids written into databases must stay valid: these values are fixed by the layout.
TEST(SheetId, StoredIdsKeepTheirSheets) {
    const struct {
        const char* name;
        const char* number;
        std::int64_t id;
    } rows[] = {
        {"1:1,000,000", "J50", 1099511627776 + (10LL << 30) + (50LL << 24) + (1 << 12) + 1},
        {"1:50,000", "K50E003005",
         1099511627776 + (5LL << 36) + (11LL << 30) + (50LL << 24) + (3 << 12) + 5},
        {"1:200,000 south", "SH50R006001",
         1099511627776 + (3LL << 36) + (1LL << 35) + (8LL << 30) + (50LL << 24) + (6 << 12) + 1},
        {"1:500 last codes", "K50K23042304",
         1099511627776 + (11LL << 36) + (11LL << 30) + (50LL << 24) + (2304 << 12) + 2304},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(sheetToId(parsed(row.number)), row.id) << row.name;
        EXPECT_EQ(idToSheet(row.id), parsed(row.number)) << row.name;
    }
}

TEST(SheetId, IntegersThatAreNoSheetAreRefused) {
    const std::int64_t k50e = sheetToId(parsed("K50E003005"));
    const struct {
        const char* name;
        std::int64_t id;
    } rows[] = {
        {"zero", 0},
        {"negative", -k50e},
        {"no tag", k50e - (1LL << 40)},
        {"tag 2", k50e + (1LL << 40)},
        {"scale 12", k50e + (7LL << 36)},
        {"row 0", k50e - (11LL << 30)},
        {"row 23", k50e + (12LL << 30)},
        {"zone 0", k50e - (50LL << 24)},
        {"zone 61", k50e + (11LL << 24)},
        {"zone 31 in row P", k50e + (5LL << 30) - (19LL << 24)},
        {"row code 0", k50e - (3 << 12)},
        {"row code 25 at 1:50,000", k50e + (22 << 12)},
        {"column code 25 at 1:50,000", k50e + 20},
        {"codes at 1:1,000,000", k50e - (5LL << 36)},
        {"INT64_MAX", INT64_MAX},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(idToSheet(row.id), std::nullopt) << row.name;
    }
    EXPECT_EQ(sheetToId(Sheet{.scale = 5, .row = 11, .zone = 50, .rowCode = 25}), 0);
}

// The least k whose box grown by k sheets the sampled sheet's interior meets, found by trying
// every k with the longitudes shifted by a whole turn either way; -1 beyond `rings`.
int bruteRing(const UnitBounds& own, const UnitBounds& other, int rings) {
    const std::int64_t height = own.north - own.south;
    const std::int64_t width = own.east - own.west;
    for (int k = 0; k <= rings; ++k) {
        const bool along =
            other.south < own.north + k * height && other.north > own.south - k * height;
        bool across = false;
        for (const std::int64_t shift : {-kWorld, std::int64_t{0}, kWorld}) {
            across = across || (other.west + shift < own.east + k * width &&
                                other.east + shift > own.west - k * width);
        }
        if (along && across) {
            return k;
        }
    }
    return -1;
}

TEST(Neighbours, MatchABruteForceSearchWhereTheSeriesTurnsAndWidens) {
    const struct {
        const char* name;
        const char* number;
        int rings;
    } rows[] = {
        {"zone 60 next to zone 1", "J60G001096", 2}, {"zone 1 next to zone 60", "J01E012001", 1},
        {"north of the equator", "A50D012006", 2},   {"south of the equator", "SA50D001006", 1},
        {"below 60 degrees north", "O33F001020", 3}, {"above 60 degrees south", "SP17E001001", 2},
        {"below 76 degrees", "S30C001004", 1},       {"above 76 degrees at 180", "T15B002002", 2},
        {"at 88 degrees north", "V08R001003", 2},    {"at 88 degrees south", "SV01G001001", 1},
        {"wider than the world", "V08", 10},         {"1:200,000 row O", "O45R001006", 2},
    };
    for (const auto& row : rows) {
        const Sheet sheet = parsed(row.number);
        const UnitBounds own = unitBounds(sheet);
        const double height = (own.north - own.south) / double{kUnitsPerDegree};
        const double width = (own.east - own.west) / double{kUnitsPerDegree};
        const double grown = row.rings + 1;
        std::map<std::string, int> expected;
        for (const auto& [id, other] :
             sampledSheets(sheet.scale, own.south / double{kUnitsPerDegree} - grown * height,
                           own.west / double{kUnitsPerDegree} - std::min(grown * width, 180.0),
                           own.north / double{kUnitsPerDegree} + grown * height,
                           own.west / double{kUnitsPerDegree} + std::min(grown * width, 180.0))) {
            if (const int ring = bruteRing(own, unitBounds(other), row.rings); ring >= 0) {
                expected[written(other)] = ring;
            }
        }
        const std::vector<RingSheet> found = neighbours(sheet, row.rings);
        std::map<std::string, int> got;
        for (const RingSheet& ringSheet : found) {
            got[written(ringSheet.sheet)] = ringSheet.ring;
        }
        EXPECT_EQ(got, expected) << row.name;
        EXPECT_EQ(got.size(), found.size()) << row.name << ": a sheet came twice";
        ASSERT_FALSE(found.empty()) << row.name;
        // Rows from the north; inside a row eastwards from the first sheet, round the world.
        for (std::size_t i = 1; i < found.size(); ++i) {
            const UnitBounds previous = unitBounds(found[i - 1].sheet);
            const UnitBounds current = unitBounds(found[i].sheet);
            ASSERT_LE(current.north, previous.north) << row.name;
            if (current.north == previous.north) {
                const std::int64_t step =
                    ((current.west - previous.east) % kWorld + kWorld) % kWorld;
                EXPECT_LT(step, kWorld / 2) << row.name << ": " << written(found[i].sheet);
            }
        }
    }
}

TEST(ParentsAndChildren, RoundTripAtEveryPairOfNestingScales) {
    std::mt19937_64 random(7);
    for (int coarse = 0; coarse < kScaleCount; ++coarse) {
        for (int fine = coarse; fine < kScaleCount && fine <= coarse + 4; ++fine) {
            const int ratio = divisionRatio(coarse, fine);
            if (ratio == 0) {
                continue;
            }
            const Sheet parent = randomSheet(random, coarse);
            const UnitBounds outer = unitBounds(parent);
            SheetCover children = childrenOf(parent, fine);
            EXPECT_EQ(children.count(), std::uint64_t(ratio) * ratio) << coarse << " " << fine;
            std::int64_t area = 0;
            while (const auto child = children.next()) {
                const UnitBounds inner = unitBounds(*child);
                EXPECT_TRUE(inner.south >= outer.south && inner.north <= outer.north &&
                            inner.west >= outer.west && inner.east <= outer.east);
                area += std::int64_t{inner.north - inner.south} * (inner.east - inner.west);
                EXPECT_EQ(parentOf(*child, coarse), parent) << written(*child);
            }
            EXPECT_EQ(area, std::int64_t{outer.north - outer.south} * (outer.east - outer.west));
        }
    }
}

TEST(ParentsAndChildren, TwoHundredThousandDoesNotNestWithTwoHundredFifty) {
    const struct {
        const char* name;
        const char* number;
        int scale;
    } noParent[] = {
        {"1:200,000 in 1:250,000", "J50R002003", 2},
        {"1:250,000 in 1:200,000", "J50C002003", 3},
        {"a finer scale", "J50E002003", 7},
        {"outside the scales", "J50E002003", -1},
    };
    for (const auto& row : noParent) {
        EXPECT_EQ(parentOf(parsed(row.number), row.scale), std::nullopt) << row.name;
    }
    // Children of a 1:250,000 sheet at 1:200,000: the sheets whose interior meets it.
    for (const char* number : {"J50C001001", "J50C002003", "SQ10C004004", "U05C003002"}) {
        const Sheet sheet = parsed(number);
        const UnitBounds outer = unitBounds(sheet);
        std::set<std::string> expected;
        for (const auto& [id, other] : sampledSheets(3, outer.south / double{kUnitsPerDegree} - 1,
                                                     outer.west / double{kUnitsPerDegree} - 1,
                                                     outer.north / double{kUnitsPerDegree} + 1,
                                                     outer.east / double{kUnitsPerDegree} + 1)) {
            const UnitBounds b = unitBounds(other);
            if (b.south < outer.north && b.north > outer.south && b.west < outer.east &&
                b.east > outer.west) {
                expected.insert(written(other));
            }
        }
        std::set<std::string> got;
        SheetCover children = childrenOf(sheet, 3);
        while (const auto child = children.next()) {
            got.insert(written(*child));
        }
        EXPECT_EQ(got, expected) << number;
    }
    EXPECT_EQ(childrenOf(parsed("J50E002003"), 2).count(), 0U);
}

TEST(ParentsAndChildren, TheScaleErrorsSayExactlyWhenThereIsNoRelative) {
    std::mt19937_64 random(11);
    for (int own = 0; own < kScaleCount; ++own) {
        const Sheet sheet = randomSheet(random, own);
        for (int asked = 0; asked < kScaleCount; ++asked) {
            SCOPED_TRACE(std::to_string(own) + " asked " + std::to_string(asked));
            const InputError parentError = parentScaleError(sheet, asked);
            EXPECT_EQ(parentError.empty(), parentOf(sheet, asked).has_value());
            if (!parentError.empty()) {
                EXPECT_EQ(parentError.code, asked > own ? InputErrorCode::ParentScaleFiner
                                                        : InputErrorCode::ScalesDoNotNest);
            }
            EXPECT_EQ(childScaleError(sheet, asked).empty(), childrenOf(sheet, asked).count() > 0);
        }
    }
    EXPECT_EQ(describeInputError(parentScaleError(parsed("J50R002003"), 2)),
              "1:200000 does not nest in 1:250000: 6 x 6 and 4 x 4 grids do not nest");
}

}  // namespace
}  // namespace mapsheet::engine
