#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <streambuf>
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
        {"four values", {"45", "30", "0", "1"}, "expected one VALUE"},
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

// Numbers beyond the decimal range fall back to 0 inside the library; the window shows that,
// the command must refuse it.
TEST(AngleCommand, RefusesNumbersBeyondTheDecimalRangeInEveryForm) {
    const std::string nines(29, '9');
    const Arguments rows[] = {
        {"--from", "marked", nines + "°"},
        {nines + "°"},
        {"-" + nines + "°"},
        {nines + "′"},
        {"1°2′" + nines + "″"},
        {"--from", "dms", "1", nines, "0"},
        {"1", "2", nines},
        {"--from", "packed", nines},
        {"--from", "degrees", nines},
        {"--from", "radians", nines},
        {"--from", "radians", "79228162514264337593543950335"},
    };
    for (const Arguments& arguments : rows) {
        SCOPED_TRACE(arguments.back());
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find("28 significant digits"), std::string::npos) << outcome.err;
    }
}

TEST(AngleCommand, QuotesAValueThatGivesNoAngleByTheFortyCharacterRule) {
    // 39 digits and a three-byte character as the 40th: a cut by bytes would split it.
    const std::string value = std::string(39, '9') + "度" + std::string(30, '7');
    const Outcome outcome = run({"--from", "degrees", value});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("no angle in \"" + std::string(39, '9') + "度…\": expected"),
              std::string::npos)
        << outcome.err;
}

// The largest numbers the decimal type holds still convert.
TEST(AngleCommand, TwentyEightNinesStillConvert) {
    const std::string nines(28, '9');
    for (const Arguments& arguments :
         {Arguments{nines + "°"}, Arguments{"--from", "dms", nines, "0", "0"}}) {
        SCOPED_TRACE(arguments.back());
        EXPECT_EQ(run(arguments).status, 0);
    }
}

struct SpellingRow {
    const char* name;
    Arguments typed;
    Arguments plain;  // the same angle as it would be written without the input method
};

// Three values are cleaned as the boxes clean typed text; each spelling shows what its plain
// form shows, and three values need no --from.
TEST(AngleCommand, ThreeValuesAreCleanedAsTheBoxesCleanThem) {
    const SpellingRow rows[] = {
        {"full-width degrees", {"--from", "dms", "４５", "30", "15.5"}, {"45", "30", "15.5"}},
        {"a letter among the digits", {"--from", "dms", "4a5", "3", "0"}, {"45", "3", "0"}},
        {"full-width minus and point", {"－0", "3", "１５。５"}, {"-0", "3", "15.5"}},
        {"low line as minus", {"_10", "3", "0"}, {"-10", "3", "0"}},
        {"ideographic space inside", {"4　5", "52", "56.6879"}, {"45", "52", "56.6879"}},
        {"without --from", {"45", "52", "56.6879"}, {"--from", "dms", "45", "52", "56.6879"}},
    };
    for (const SpellingRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome typed = run(row.typed);
        const Outcome plain = run(row.plain);
        EXPECT_EQ(typed.status, 0) << typed.err;
        EXPECT_EQ(plain.status, 0) << plain.err;
        EXPECT_EQ(typed.out, plain.out);
    }
    EXPECT_EQ(run({"45", "52", "56.6879"}).out, kExampleLines);
}

// A point or a minus that the box would drop changes the angle: refused, not guessed.
TEST(AngleCommand, RefusesWhatTheBoxesWouldDrop) {
    const Arguments rows[] = {
        {"45.5", "3", "0"},    {"45", "3.5", "0"}, {"45", "-3", "0"}, {"45", "3", "-1"},
        {"45", "abc", "0"},    {"45", "3", ""},    {"-", "3", "0"},   {"45°", "3", "。"},
        {"45", "３．５", "0"}, {"45", "3", "－1"},
    };
    for (const Arguments& arguments : rows) {
        SCOPED_TRACE(arguments[0] + " " + arguments[1] + " " + arguments[2]);
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find("whole degrees, whole minutes"), std::string::npos);
    }
}

// A stream buffer that takes nothing, as a full disk or a closed pipe does.
class RefusingBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(AngleCommand, ReportsOutputThatCannotBeWritten) {
    for (const Arguments& arguments :
         {Arguments{"45°52′56.6879″"}, Arguments{"--help"}, Arguments{"--format", "json", "1"}}) {
        SCOPED_TRACE(arguments.back());
        RefusingBuffer refusing;
        std::ostream out(&refusing);
        std::ostringstream err;
        EXPECT_EQ(runAngleCommand(arguments, out, err), 3);
        EXPECT_NE(err.str().find("mapsheet-cli: cannot write output"), std::string::npos);
    }
}

// The real program writing into a full device.
TEST(AngleCommand, ProgramExitsThreeOnAFullDevice) {
    const std::string program = MAPSHEET_CLI_PATH;
    for (const char* arguments : {" angle 45 52 56.6879", " angle --help", " --help"}) {
        SCOPED_TRACE(arguments);
        const int status =
            std::system(("'" + program + "'" + arguments + " >/dev/full 2>/dev/null").c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 3);
    }
}

}  // namespace
}  // namespace mapsheet::cli
