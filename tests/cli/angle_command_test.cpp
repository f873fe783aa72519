#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/commands.h"

namespace mapsheet::cli {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(const Arguments& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runAngleCommand(arguments, out, err);
    return {status, out.str(), err.str()};
}

const std::string kExampleLines =
    "度分秒① 45 52 56.6879\n"
    "度分秒② 45.52566879\n"
    "度分秒③ 45°52′56.6879″\n"
    "百分度型 45.882413305555555555555555556\n"
    "弧 度 型 0.8007991809427995252701764234\n";

struct FormRow {
    const char* name;
    Arguments arguments;
    std::string shown;
};

TEST(AngleCommand, ShowsTheWindowsTextsForEachForm) {
    const FormRow rows[] = {
        {"marked, recognised by its marks", {"45°52′56.6879″"}, kExampleLines},
        {"marked, ASCII marks", {"45d52'56.6879\""}, kExampleLines},
        {"marked, colons", {"--from", "marked", "45:52:56.6879"}, kExampleLines},
        {"decimal degrees, recognised as a plain number",
         {"45.882413305555555555555555556"},
         kExampleLines},
        {"packed", {"--from", "packed", "45.52566879"}, kExampleLines},
        {"dms", {"--from=dms", "45", "52", "56.6879"}, kExampleLines},
        {"radians",
         {"--from", "radians", "0.8007991809428"},
         "度分秒① 45 52 56.68790000009792005507974\n"
         "度分秒② 45.525668790000009792005507974\n"
         "度分秒③ 45°52′56.6879″\n"
         "百分度型 45.882413305555582755570855484\n"
         "弧 度 型 0.8007991809428\n"},
        {"negative dms, with options after the values",
         {"-0", "3", "0", "--from", "dms"},
         "度分秒① -0 3 0\n"
         "度分秒② -0.03\n"
         "度分秒③ -00°03′00.0000″\n"
         "百分度型 -0.05\n"
         "弧 度 型 -0.0008726646259971647884618454\n"},
        {"marked text is rewritten as the window rewrites it",
         {"45°30′00″"},
         "度分秒① 45 30 0\n"
         "度分秒② 45.3\n"
         "度分秒③ 45°30′\n"
         "百分度型 45.5\n"
         "弧 度 型 0.7941248096574199575002793004\n"},
    };
    for (const FormRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome outcome = run(row.arguments);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(outcome.out, row.shown);
        EXPECT_EQ(outcome.err, "");
    }
}

TEST(AngleCommand, WritesJson) {
    const Outcome outcome = run({"--format", "json", "--from", "packed", "-0.03"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out,
              "{\"degrees\":\"-0\",\"minutes\":\"3\",\"seconds\":\"0\",\"packed\":\"-0.03\","
              "\"marked\":\"-00°03′00.0000″\",\"decimal_degrees\":\"-0.05\","
              "\"radians\":\"-0.0008726646259971647884618454\"}\n");
}

struct ErrorRow {
    const char* name;
    Arguments arguments;
    const char* inMessage;
};

TEST(AngleCommand, ReportsWhatWasExpected) {
    const ErrorRow rows[] = {
        {"marked text without its closing mark", {"45°52"}, "ending in a mark"},
        {"text that is no number", {"abc"}, "expected decimal degrees"},
        {"packed that is only a minus", {"--from", "packed", "-"}, "expected a packed"},
        {"radians beyond the decimal range",
         {"--from", "radians", "79228162514264337593543950335"},
         "expected radians"},
        {"dms with decimal minutes", {"--from", "dms", "45", "30.5", "0"}, "whole minutes"},
        {"dms start of a negative angle", {"--from", "dms", "-0", "0", "0"}, "give 0 0 0"},
        {"dms with two values", {"--from", "dms", "45", "30"}, "three values"},
        {"two values without dms", {"45", "30"}, "expected one VALUE"},
        {"no value", {}, "expected one VALUE"},
        {"unknown form", {"--from", "gon", "1"}, "expected dms, packed, marked"},
        {"unknown format", {"--format", "xml", "1"}, "expected text or json"},
        {"option without value", {"1", "--from"}, "needs a value"},
        {"unknown option", {"--to", "1"}, "unknown option"},
    };
    for (const ErrorRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome outcome = run(row.arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find(row.inMessage), std::string::npos) << outcome.err;
    }
}

TEST(AngleCommand, HelpSaysHowValuesAreRecognised) {
    const Outcome outcome = run({"--help"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_NE(outcome.out.find("Without --from, a value with marks"), std::string::npos);
    EXPECT_NE(outcome.out.find("decimal_degrees"), std::string::npos);
}

}  // namespace
}  // namespace mapsheet::cli
