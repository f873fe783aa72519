#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "engine/sheet.h"
#include "engine/sheet_number_parse.h"
#include "tests/cli/command_run.h"

namespace mapsheet::cli {
namespace {

using test_support::CommandRun;
using test_support::lines;

CommandRun runNumber(const Arguments& arguments, const std::string& input = "") {
    return test_support::runWithInput(runNumberCommand, arguments, input);
}

constexpr const char* kHeader = "latitude,longitude,new,old,error\n";

TEST(NumberCommand, OnePointFromTheArguments) {
    const CommandRun run = runNumber({"--scale", "1:50000", "39.979", "117.5"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string(kHeader) + "39.979,117.5,J50E001015,J-50-8-A,\n");
    EXPECT_EQ(run.err, "");
}

TEST(NumberCommand, ArgumentsInTheSouthAndWestAndArgumentsThatAreNoAngle) {
    const CommandRun south = runNumber({"--scale", "D", "-30.5", "-0°30′"});
    EXPECT_EQ(south.status, 0);
    EXPECT_EQ(south.out, std::string(kHeader) + "-30.5,-0°30′,SH30D008012,SH-30-96,\n");

    const CommandRun bad = runNumber({"--scale", "D", "41", "east"});
    EXPECT_EQ(bad.status, 1);
    const std::vector<std::string> rows = lines(bad.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(rows[1].starts_with("41,east,,,\"longitude \"\"east\"\": expected decimal"))
        << rows[1];
}

TEST(NumberCommand, EverySpellingOfEveryScale) {
    const struct {
        std::vector<std::string> spellings;
        const char* row;
    } scales[] = {
        {{"1:1000000", "1000000", "1:100万", "A", "1:1,000,000"}, "41,117.5,K50,K-50,\n"},
        {{"1:500000", "500000", "1:50万", "B"}, "41,117.5,K50B002002,K-50-D,\n"},
        {{"1:250000", "250000", "1:25万", "C"}, "41,117.5,K50C003003,K-50-[11],\n"},
        {{"1:200000", "200000", "1:20万", "R"}, "41,117.5,K50R005004,K-50-(28),\n"},
        {{"1:100000", "100000", "1:10万", "D"}, "41,117.5,K50D009008,K-50-104,\n"},
        {{"1:50000", "50000", "1:5万", "E", "1:50,000", "e"}, "41,117.5,K50E018015,K-50-104-C,\n"},
        {{"1:25000", "25000", "1:2.5万", "F"}, "41,117.5,K50F036029,K-50-104-C-3,\n"},
        {{"1:10000", "10000", "1:1万", "G", "1:10,000"}, "41,117.5,K50G072057,K-50-104-(57),\n"},
        // The historical form: the 1:10,000 sheet K-50-104-(57) divided 2 x 2.
        {{"1:5000", "5000", "H"}, "41,117.5,K50H144113,K-50-104-(57)-c,\n"},
        {{"1:2000", "2000", "I"}, "41,117.5,K50I432337,,\n"},
        {{"1:1000", "1000", "J"}, "41,117.5,K50J08640673,,\n"},
        {{"1:500", "500", "K"}, "41,117.5,K50K17281345,,\n"},
    };
    for (const auto& scale : scales) {
        for (const std::string& spelling : scale.spellings) {
            SCOPED_TRACE(spelling);
            const CommandRun run = runNumber({"--scale", spelling, "41", "117.5"});
            EXPECT_EQ(run.status, 0);
            EXPECT_EQ(run.out, kHeader + std::string(scale.row));
        }
    }
    EXPECT_EQ(runNumber({"--scale=E", "41", "117.5"}).status, 0);
}

TEST(NumberCommand, UnknownScaleListsTheAcceptedOnes) {
    for (const char* scale : {"1:60000", "Z", "1:5千", ""}) {
        SCOPED_TRACE(scale);
        const CommandRun run = runNumber({"--scale", scale, "41", "117.5"});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("1:2.5万"), std::string::npos);
        EXPECT_NE(run.err.find("1:200000, 200000, 1:20万, R"), std::string::npos);
    }
}

// A separator stands every three digits from the right; "1:50,00" once read as 1:5000.
TEST(NumberCommand, ThousandsSeparatorsStandEveryThreeDigits) {
    const struct {
        const char* spelling;
        int status;
        const char* newNumber;
    } cases[] = {
        {"1:5,000", 0, "K50H144113"}, {"1:10,000", 0, "K50G072057"},
        {"1:1,000,000", 0, "K50"},    {"1:10 000", 0, "K50G072057"},
        {"1:50,00", 2, ""},           {"1:5,0000", 2, ""},
        {"1:1,000000", 2, ""},        {"1:1000,000", 2, ""},
        {"1:1,000 000", 2, ""},       {"50,00", 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spelling);
        const CommandRun run = runNumber({"--scale", c.spelling, "41", "117.5"});
        EXPECT_EQ(run.status, c.status);
        if (c.status == 0) {
            EXPECT_NE(run.out.find(std::string(",") + c.newNumber + ","), std::string::npos);
        } else {
            EXPECT_EQ(run.out, "");
            EXPECT_NE(run.err.find("1:200000, 200000, 1:20万, R"), std::string::npos);
        }
    }
}

TEST(NumberCommand, UsageErrorsWriteNothing) {
    const std::vector<Arguments> usages = {
        {"41", "117.5"},
        {"--scale"},
        {"--scale", "E", "41"},
        {"--scale", "E", "--bogus"},
        {"--scale", "E", "1", "2", "3"},
        {"--scale", "E", "--jobs", "0"},
        {"--scale", "E", "--jobs", "two"},
        {"--scale", "E", "--jobs"},
        {"--scale", "E", "--lat-col", "2"},
        {"--scale", "E", "--lat-col", "y", "--lon-col", "y"},
        {"--scale", "E", "--header"},
        {"--scale", "E", "--lat-col", "1", "--lon-col", "2", "41", "117.5"},
        {"--scale", "E", "--format", "xlsx"},
        {"--scale", "E", "--format", "gpkg"},
    };
    for (const Arguments& arguments : usages) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        const CommandRun run = runNumber(arguments, "41,117.5\n");
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(run.err.empty());
    }
}

TEST(NumberCommand, HelpDescribesColumnsScalesJobsAndExitStatuses) {
    const CommandRun run = runNumber({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* piece :
         {"latitude,longitude,new,old,error", "1:10000, 10000, 1:1万, G", "1:200,000 (R)",
          "J-50-5-(15)-a", "--jobs N", "--lat-col", "1.5e-7",
          "3 when the output could not be written", "4 when the input could not be read"}) {
        EXPECT_NE(run.out.find(piece), std::string::npos) << piece;
    }
}

// One row per input point in input order; a bad line is reported on its own row and the run
// goes on; blank lines are the only lines skipped.
TEST(NumberCommand, StandardInputWithBadLinesAmongGoodOnes) {
    const std::string input =
        "41,117.5\n"
        "\n"
        "  \t\n"
        "-30.5\t117.5\r\n"
        "41 117.5 12\n"
        "40.5 , 116.1\n"
        "north,117.5\n"
        "88 117.5\n"
        "41   -0.1\n"
        "1e1,1.175E+2\n";
    const CommandRun run = runNumber({"--scale", "D"}, input);
    EXPECT_EQ(run.status, 1);
    const std::vector<std::string> rows = lines(run.out);
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[0], "latitude,longitude,new,old,error");
    EXPECT_EQ(rows[1], "41,117.5,K50D009008,K-50-104,");
    EXPECT_EQ(rows[2], "-30.5,117.5,SH50D008008,SH-50-92,");
    EXPECT_EQ(rows[3],
              "41 117.5 12,,,,\"line 5: expected latitude and longitude separated by a comma, a "
              "tab or blanks\"");
    EXPECT_EQ(rows[4], "40.5,116.1,K50D011005,K-50-125,");
    EXPECT_TRUE(
        rows[5].starts_with("\"north,117.5\",,,,\"line 7: latitude \"\"north\"\": "
                            "expected decimal degrees"))
        << rows[5];
    EXPECT_EQ(rows[6],
              "88,117.5,,,line 8: no sheet: the latitude must lie in -88 < LAT < 88 and the "
              "longitude in -180 <= LON < 180");
    EXPECT_EQ(rows[7], "41,-0.1,K30D009012,K-30-108,");
    EXPECT_EQ(rows[8], "1e1,1.175E+2,C50D006008,C-50-68,");
}

TEST(NumberCommand, AByteOrderMarkAndAMissingLastLineFeed) {
    const CommandRun run = runNumber({"--scale", "D"},
                                     "\xEF\xBB\xBF"
                                     "41,117.5\n-41,-117.5");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string(kHeader) +
                           "41,117.5,K50D009008,K-50-104,\n"
                           "-41,-117.5,SK11D004006,SK-11-42,\n");
}

TEST(NumberCommand, EmptyInputGivesTheHeaderOnly) {
    const CommandRun run = runNumber({"--scale", "E"}, "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, kHeader);
}

// Marked degree-minute-second text, ASCII forms and a leading "-"; a corner typed as text lands
// in its north-east sheet (the south-west corner of J50E001010 and of J-50-5-B).
TEST(NumberCommand, MarkedTextAndCornersTypedAsText) {
    const CommandRun run = runNumber({"--scale", "1:50000"},
                                     "39°50′00″,116°15′00″\n"
                                     "39d50'00\",116:15:00\n"
                                     "-39°50′00″,-116°15′00″\n"
                                     "39°58′45.5″ 117°30′\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string(kHeader) +
                           "39°50′00″,116°15′00″,J50E001010,J-50-5-B,\n"
                           "\"39d50'00\"\"\",116:15:00,J50E001010,J-50-5-B,\n"
                           "-39°50′00″,-116°15′00″,SJ11E024016,SJ-11-140-D,\n"
                           "39°58′45.5″,117°30′,J50E001015,J-50-8-A,\n");
}

// The eastern end of the series: a point the line rule puts on 180 degrees has no sheet at any
// scale; the last representable points west of it keep the last zone.
TEST(NumberCommand, TheLastZoneEndsBeforeTheAntimeridian) {
    const struct {
        const char* point;
        const char* scale;
        const char* row;
    } cases[] = {
        {"41,179.9999999999", "A", "41,179.9999999999,,,line 1: no sheet"},
        {"41,179.99999999991", "J", "41,179.99999999991,,,line 1: no sheet"},
        {"70,179.9999999999", "A", "70,179.9999999999,,,line 1: no sheet"},
        {"-41,179.9999999999", "A", "-41,179.9999999999,,,line 1: no sheet"},
        {"41,179.9999", "A", "41,179.9999,K60,K-60,"},
        {"70,179.9999", "A", "70,179.9999,R30,R-30,"},
        {"80,179.9999", "A", "80,179.9999,U15,U-15,"},
        {"41,-180", "A", "41,-180,K01,K-01,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.point);
        const std::vector<std::string> rows = lines(runNumber({"--scale", c.scale}, c.point).out);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_TRUE(rows[1].starts_with(c.row)) << rows[1];
    }
}

// A bad value is quoted in the error text by its first 40 characters only, and NUL bytes reach
// the output as U+FFFD, never as themselves.
TEST(NumberCommand, ErrorTextsQuoteAnExcerptAndNulBecomesTheReplacementCharacter) {
    const std::string longValue(100000, 'x');
    const CommandRun run = runNumber({"--scale", "E"}, longValue + ",117.5\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_LT(run.out.size(), 2 * longValue.size());
    EXPECT_NE(run.out.find("latitude \"\"" + std::string(40, 'x') + "…\"\": "), std::string::npos);

    const std::string nul(
        "4\0"
        "1,117.5\n",
        9);
    const CommandRun withNul = runNumber({"--scale", "E"}, nul);
    EXPECT_EQ(withNul.out.find('\0'), std::string::npos);
    EXPECT_NE(withNul.out.find("4\xEF\xBF\xBD"
                               "1,117.5"),
              std::string::npos);
    EXPECT_NE(withNul.out.find("\"\"4\xEF\xBF\xBD"
                               "1\"\""),
              std::string::npos);
}

// A CSV table: every row comes back as it was with new,old,error appended, its line ending
// kept; the columns are found by name in the header or by number.
TEST(NumberCommand, ATableKeepsItsRowsAndAppendsThreeColumns) {
    const std::string table =
        "\xEF\xBB\xBF"
        "id,\"y\",x,note\r\n"
        "1,41,117.5,plain\r\n"
        "\"2, two\",39d58'45\",116.3,\"a \"\"quoted\"\" note\"\r\n"
        "3,\"39°50′00″\",\"116°15′00″\",\"two\nlines\"\r\n"
        "\r\n"
        "4,north,117.5,\r\n"
        "5,41\r\n"
        "6,41,117.5,\"open";
    const CommandRun run =
        runNumber({"--scale", "E", "--lat-col", "y", "--lon-col", "3", "--jobs", "1"}, table);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "\xEF\xBB\xBF"
              "id,\"y\",x,note,new,old,error\r\n"
              "1,41,117.5,plain,K50E018015,K-50-104-C,\r\n"
              "\"2, two\",39d58'45\",116.3,\"a \"\"quoted\"\" note\",J50E001010,J-50-5-B,\r\n"
              "3,\"39°50′00″\",\"116°15′00″\",\"two\nlines\",J50E001010,J-50-5-B,\r\n"
              "4,north,117.5,,,,\"line 7: latitude \"\"north\"\": expected decimal degrees "
              "such as 39.979, -117.5 or 1.5e-7, or degrees, minutes and seconds such as "
              "39°58′45″, 39°58′45.5″, 39d58'45\"\" or 39:58:45 (minutes and seconds below 60, "
              "decimals on the last part only)\"\r\n"
              "5,41,,,line 8: no longitude in column 3: the row has 2 fields\r\n"
              "6,41,117.5,\"open,,,line 9: field 4: its double quote is not closed before the "
              "end of the input\n");
}

TEST(NumberCommand, ATableWithoutAHeaderAndOneWithAHeaderByNumber) {
    const CommandRun plain =
        runNumber({"--scale", "D", "--lat-col", "2", "--lon-col", "1"}, "117.5,41\n116.1,40.5\n");
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out, "117.5,41,K50D009008,K-50-104,\n116.1,40.5,K50D011005,K-50-125,\n");

    const CommandRun headed = runNumber(
        {"--scale", "D", "--lat-col", "2", "--lon-col", "1", "--header"}, "lon,lat\n117.5,41\n");
    EXPECT_EQ(headed.status, 0);
    EXPECT_EQ(headed.out, "lon,lat,new,old,error\n117.5,41,K50D009008,K-50-104,\n");

    const CommandRun missing =
        runNumber({"--scale", "D", "--lat-col", "lat", "--lon-col", "long"}, "lat, lon\n41,1\n");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err,
              "mapsheet-cli number: --lon-col: no column \"long\" in the header row; its columns "
              "are \"lat\", \"lon\"\n");
}

// The threads change nothing but the speed: the same rows in the same order, also where a
// block boundary cuts through a quoted field that spans lines.
TEST(NumberCommand, EveryNumberOfJobsWritesTheSameRows) {
    std::string points;
    std::string table = "id,lat,lon\n";
    for (long long i = 0; i < 30000; ++i) {
        const double latitude = -87.5 + (i * 7919 % 17500) / 100.0;
        const double longitude = -179.5 + (i * 104729 % 35900) / 100.0;
        const std::string point = std::to_string(latitude) + "," + std::to_string(longitude);
        points += i % 997 == 0 ? "bad line\n" : point + "\n";
        table += "\"row\n" + std::to_string(i) + "\"," + point + "\n";
    }
    const CommandRun single = runNumber({"--scale", "F", "--jobs", "1"}, points);
    const CommandRun singleTable =
        runNumber({"--scale", "F", "--jobs", "1", "--lat-col", "lat", "--lon-col", "lon"}, table);
    EXPECT_EQ(single.status, 1);
    EXPECT_EQ(lines(single.out).size(), 30001u);
    for (const char* jobs : {"2", "3", "8"}) {
        SCOPED_TRACE(jobs);
        const CommandRun many = runNumber({"--scale", "F", "--jobs", jobs}, points);
        EXPECT_EQ(many.status, single.status);
        EXPECT_TRUE(many.out == single.out);
        const CommandRun manyTable = runNumber(
            {"--scale", "F", "--jobs", jobs, "--lat-col", "lat", "--lon-col", "lon"}, table);
        EXPECT_EQ(manyTable.status, 0);
        EXPECT_TRUE(manyTable.out == singleTable.out);
    }
}

// The two numbers of every row name the same sheet, and that sheet holds the point: read back
// with the engine's parser and compared with the exact bounds.
TEST(NumberCommand, BothNumbersOfARowNameTheSheetThatHoldsThePoint) {
    for (const char* scale : {"A", "B", "C", "R", "D", "E", "F", "G", "H"}) {
        SCOPED_TRACE(scale);
        std::string points;
        for (int i = 0; i < 400; ++i) {
            points += std::to_string(-87.9 + (i * 7919 % 1759) / 10.0) + "," +
                      std::to_string(-179.9 + (i * 104729 % 3599) / 10.0) + "\n";
        }
        const CommandRun run = runNumber({"--scale", scale}, points);
        ASSERT_EQ(run.status, 0) << run.out;
        const std::vector<std::string> rows = lines(run.out);
        for (std::size_t i = 1; i < rows.size(); ++i) {
            std::vector<std::string> fields;
            std::istringstream row(rows[i]);
            for (std::string field; std::getline(row, field, ',');) {
                fields.push_back(field);
            }
            ASSERT_EQ(fields.size(), 4u) << rows[i];
            const engine::ParsedSheet byNew = engine::parseSheetNumber(fields[2]);
            const engine::ParsedSheet byOld = engine::parseSheetNumber(fields[3]);
            ASSERT_TRUE(byNew.sheet && byOld.sheet) << rows[i];
            EXPECT_EQ(*byNew.sheet, *byOld.sheet) << rows[i];
            const engine::DegreeBounds bounds = engine::degreeBounds(*byNew.sheet);
            const double latitude = std::stod(fields[0]);
            const double longitude = std::stod(fields[1]);
            EXPECT_TRUE(latitude >= bounds.south - 1e-9 && latitude <= bounds.north + 1e-9 &&
                        longitude >= bounds.west && longitude < bounds.east)
                << rows[i];
        }
    }
}

}  // namespace
}  // namespace mapsheet::cli
