#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace mapsheet::cli {
namespace {

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

CommandRun runNumber(const Arguments& arguments, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = runNumberCommand(arguments, in, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        result.push_back(line);
    }
    return result;
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
    EXPECT_TRUE(rows[1].starts_with("41,east,,,\"longitude 'east': ")) << rows[1];
}

TEST(NumberCommand, EverySpellingOfEveryScale) {
    const struct {
        std::vector<std::string> spellings;
        const char* row;
    } scales[] = {
        {{"1:1000000", "1000000", "1:100万", "A"}, "41,117.5,K50,K-50,\n"},
        {{"1:500000", "500000", "1:50万", "B"}, "41,117.5,K50B002002,K-50-D,\n"},
        {{"1:250000", "250000", "1:25万", "C"}, "41,117.5,K50C003003,K-50-[11],\n"},
        {{"1:200000", "200000", "1:20万", "R"}, "41,117.5,K50R005004,K-50-(28),\n"},
        {{"1:100000", "100000", "1:10万", "D"}, "41,117.5,K50D009008,K-50-104,\n"},
        {{"1:50000", "50000", "1:5万", "E"}, "41,117.5,K50E018015,K-50-104-C,\n"},
        {{"1:25000", "25000", "1:2.5万", "F"}, "41,117.5,K50F036029,K-50-104-C-3,\n"},
        {{"1:10000", "10000", "1:1万", "G"}, "41,117.5,K50G072057,K-50-104-(57),\n"},
        {{"1:5000", "5000", "H"}, "41,117.5,K50H144113,,\n"},
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
    for (const char* scale : {"1:60000", "e", "1:50,000", " 1:5万", ""}) {
        SCOPED_TRACE(scale);
        const CommandRun run = runNumber({"--scale", scale, "41", "117.5"});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("1:2.5万"), std::string::npos);
        EXPECT_NE(run.err.find("1:200000, 200000, 1:20万, R"), std::string::npos);
    }
}

TEST(NumberCommand, UsageErrors) {
    const std::vector<Arguments> usages = {{"41", "117.5"},
                                           {"--scale"},
                                           {"--scale", "E", "41"},
                                           {"--scale", "E", "--bogus"},
                                           {"--scale", "E", "1", "2", "3"}};
    for (const Arguments& arguments : usages) {
        const CommandRun run = runNumber(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_FALSE(run.err.empty());
    }
}

TEST(NumberCommand, HelpDescribesTheColumnsAndTheScales) {
    const CommandRun run = runNumber({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("latitude,longitude,new,old,error"), std::string::npos);
    EXPECT_NE(run.out.find("1:10000, 10000, 1:1万, G"), std::string::npos);
    EXPECT_NE(run.out.find("1:200,000 (R)"), std::string::npos);
}

// One row per input point in input order; a bad line is reported on its own row and the run
// goes on; blank lines are the only lines skipped.
TEST(NumberCommand, StandardInputWithABadLineAmongGoodOnes) {
    const std::string input =
        "41,117.5\n"
        "\n"
        "  \t\n"
        "-30.5\t117.5\r\n"
        "41 117.5 12\n"
        "40.5 , 116.1\n"
        "north,117.5\n"
        "88 117.5\n"
        "41   -0.1\n";
    const CommandRun run = runNumber({"--scale", "D"}, input);
    EXPECT_EQ(run.status, 1);
    const std::vector<std::string> rows = lines(run.out);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0], "latitude,longitude,new,old,error");
    EXPECT_EQ(rows[1], "41,117.5,K50D009008,K-50-104,");
    EXPECT_EQ(rows[2], "-30.5,117.5,SH50D008008,SH-50-92,");
    EXPECT_EQ(rows[3],
              "41 117.5 12,,,,\"line 5: expected latitude and longitude separated by a comma, a "
              "tab or blanks\"");
    EXPECT_EQ(rows[4], "40.5,116.1,K50D011005,K-50-125,");
    EXPECT_TRUE(rows[5].starts_with("\"north,117.5\",,,,\"line 7: latitude 'north': ")) << rows[5];
    EXPECT_GT(rows[5].size(), 50u);
    EXPECT_EQ(rows[6],
              "88,117.5,,,line 8: no sheet: the latitude must lie in -88 < LAT < 88 and the "
              "longitude in -180 <= LON < 180");
    EXPECT_EQ(rows[7], "41,-0.1,K30D009012,K-30-108,");
}

TEST(NumberCommand, AllGoodLinesExitZero) {
    const CommandRun run = runNumber({"--scale", "1:5万"}, "41,117.5\n-41,-117.5\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string(kHeader) +
                           "41,117.5,K50E018015,K-50-104-C,\n"
                           "-41,-117.5,SK11E007011,SK-11-42-A,\n");
}

TEST(NumberCommand, AByteOrderMarkBeforeTheFirstPointIsNotPartOfIt) {
    const CommandRun run = runNumber({"--scale", "D"},
                                     "\xEF\xBB\xBF"
                                     "41,117.5\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string(kHeader) + "41,117.5,K50D009008,K-50-104,\n");
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

}  // namespace
}  // namespace mapsheet::cli
