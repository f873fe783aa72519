// Every message that names a bad value quotes at most 40 code points of it, then "…", and never
// cuts a character: a value can be megabytes long and the message must stay one line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/commands.h"
#include "command_run.h"
#include "engine/square_sheet.h"
#include "projection/epsg_system.h"

namespace mapsheet::cli {
namespace {

// 39 ASCII characters, then a three-byte character as the 40th, then more: a byte cut would
// keep 40 bytes, which ends inside that character.
const std::string kLongValue = std::string(39, '9') + "度" + std::string(30, '7');
const std::string kQuoted = "'" + std::string(39, '9') + "度…'";

void expectQuotedOnce(const std::string& message) {
    EXPECT_NE(message.find(kQuoted), std::string::npos) << message;
    EXPECT_EQ(message.find(std::string(5, '7')), std::string::npos) << message;
}

TEST(QuotedValues, EveryCommandQuotesTheBadValueByTheOneRule) {
    const std::string box = kLongValue + ",1,2,3";
    const struct {
        const char* name;
        bool cover;  // cover reads no input; the others take their points as arguments
        Arguments arguments;
    } cases[] = {
        {"number --scale", false, {"--scale", kLongValue, "41", "117.5"}},
        {"number --format", false, {"--scale", "E", "--format", kLongValue, "41", "117.5"}},
        {"cover --scale", true, {"--scale", kLongValue, "--bbox", "39,116,40,117"}},
        {"cover --bbox, one edge", true, {"--scale", "E", "--bbox", box}},
        {"cover --bbox, the whole box", true, {"--scale", "E", "--bbox", kLongValue}},
        {"cover --max-sheets",
         true,
         {"--scale", "E", "--bbox", "39,116,40,117", "--max-sheets", kLongValue}},
        {"cover, an unexpected argument", true, {kLongValue}},
        {"square --scale", false, {"--scale", kLongValue, "39.5", "117.2"}},
        {"square --central-meridian",
         false,
         {"--scale", "1:500", "--central-meridian", kLongValue, "39.5", "117.2"}},
        {"square --jobs", false, {"--scale", "1:500", "--jobs", kLongValue, "39.5", "117.2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const test_support::CommandRun run =
            c.cover ? test_support::runWithoutInput(runCoverCommand, c.arguments)
                    : test_support::runWithInput(std::string_view(c.name).starts_with("number")
                                                     ? runNumberCommand
                                                     : runSquareCommand,
                                                 c.arguments, "");
        EXPECT_EQ(run.status, 2);
        expectQuotedOnce(run.err);
    }
}

TEST(QuotedValues, TheEngineAndTheProjectionQuoteByTheOneRule) {
    expectQuotedOnce(engine::parseSquareNumber(kLongValue, 11).error);
    expectQuotedOnce(projection::gaussKrugerSystemOfCrs(kLongValue).error);
}

}  // namespace
}  // namespace mapsheet::cli
