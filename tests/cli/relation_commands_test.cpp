// mapsheet-cli neighbours, parent and children: published number pairs, the two numberings and
// ids giving the same rows, children and parents undoing each other, and bad input refused with
// the bad piece quoted and nothing of the failing sheet written.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "engine/sheet_id.h"
#include "engine/sheet_number_parse.h"
#include "tests/cli/command_run.h"

namespace mapsheet::cli {
namespace {

using test_support::CommandRun;
using test_support::lines;
using test_support::runWithInput;

std::string idText(const char* number) {
    return std::to_string(engine::sheetToId(*engine::parseSheetNumber(number).sheet));
}

// The CSV rows without the header and without their first field (the input as given).
std::vector<std::string> rowsAfterInput(const std::string& out) {
    std::vector<std::string> rows;
    for (const std::string& line : lines(out)) {
        rows.push_back(line.substr(line.find(',') + 1));
    }
    rows.erase(rows.begin());
    return rows;
}

TEST(ParentCommand, GivesTheContainingSheetInBothNumberings) {
    const struct {
        const char* name;
        const char* input;
        const char* scale;
        const char* row;
    } rows[] = {
        {"1:25,000 in its 1:100,000", "J-50-5-A-1", "1:100000", "J-50-5-A-1,J50D001005,J-50-5"},
        {"1:50,000 in its 1:1,000,000", "K50E003005", "1:1000000", "K50E003005,K50,K-50"},
        {"1:100,000 in 1:200,000", "J50D004004", "1:200000", "J50D004004,J50R002002,J-50-(8)"},
        {"1:500 in 1:2000, no old number", "K50K00010001", "1:2000", "K50K00010001,K50I001001,"},
    };
    for (const auto& row : rows) {
        const CommandRun run =
            runWithInput(runParentCommand, {"--scale", row.scale, row.input}, "");
        EXPECT_EQ(run.status, 0) << row.name << ": " << run.err;
        EXPECT_EQ(lines(run.out), (std::vector<std::string>{"input,new,old", row.row})) << row.name;
    }
}

TEST(ChildrenCommand, UndoneByParentAndReadFromIdsAlike) {
    const CommandRun children =
        runWithInput(runChildrenCommand, {"--scale", "1:25000", "J50D001005"}, "");
    ASSERT_EQ(children.status, 0) << children.err;
    const std::vector<std::string> rows = rowsAfterInput(children.out);
    ASSERT_EQ(rows.size(), 16U);
    EXPECT_EQ(rows.front(), "J50F001017,J-50-5-A-1");  // the north-west child first
    EXPECT_EQ(rows.back(), "J50F004020,J-50-5-D-4");
    // Each child's parent is the sheet, read from standard input as `sheet` reads it.
    std::string input;
    for (const std::string& row : rows) {
        input += row.substr(0, row.find(',')) + "\r\n\n";
    }
    const CommandRun parents = runWithInput(runParentCommand, {"--scale", "D"}, input);
    EXPECT_EQ(parents.status, 0) << parents.err;
    for (const std::string& row : rowsAfterInput(parents.out)) {
        EXPECT_EQ(row, "J50D001005,J-50-5");
    }
    const CommandRun byId =
        runWithInput(runChildrenCommand, {"--scale", "1:25000", idText("J50D001005")}, "");
    EXPECT_EQ(rowsAfterInput(byId.out), rows);
}

TEST(ChildrenCommand, TwoHundredThousandInTwoHundredFiftyAreTheSheetsMeetingIt) {
    const CommandRun run = runWithInput(runChildrenCommand, {"--scale=1:200000", "J50C002002"}, "");
    EXPECT_EQ(run.status, 0) << run.err;
    // J50C002002 spans 38..39 N, 115.5..117 E; the 40' x 1° sheets meeting it.
    EXPECT_EQ(rowsAfterInput(run.out),
              (std::vector<std::string>{"J50R002002,J-50-(8)", "J50R002003,J-50-(9)",
                                        "J50R003002,J-50-(14)", "J50R003003,J-50-(15)"}));
}

TEST(NeighboursCommand, CrossesTheAntimeridianAndAgreesForNumbersAndIds) {
    const CommandRun run = runWithInput(runNeighboursCommand, {"J60", "--rings", "1"}, "");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(rowsAfterInput(run.out),
              (std::vector<std::string>{"1,K59,K-59", "1,K60,K-60", "1,K01,K-01", "1,J59,J-59",
                                        "0,J60,J-60", "1,J01,J-01", "1,I59,I-59", "1,I60,I-60",
                                        "1,I01,I-01"}));
    const CommandRun byId = runWithInput(runNeighboursCommand, {}, idText("J60") + "\n");
    EXPECT_EQ(rowsAfterInput(byId.out), rowsAfterInput(run.out));
    const CommandRun twoRings = runWithInput(runNeighboursCommand, {"--rings=2", "J50"}, "");
    EXPECT_EQ(rowsAfterInput(twoRings.out).size(), 25U);
}

TEST(RelationCommands, RefuseBadInputQuotingTheBadPiece) {
    using Command = int (*)(const Arguments&, std::istream&, std::ostream&, std::ostream&);
    const struct {
        const char* name;
        Command command;
        Arguments arguments;
        int status;
        const char* message;
    } rows[] = {
        {"rings 0", runNeighboursCommand, {"--rings", "0", "J50"}, 2, "\"0\": rings run from 1"},
        {"malformed number", runNeighboursCommand, {"J50", "J5O"}, 1, "\"J5O\""},
        {"id of no sheet", runNeighboursCommand, {"1099511627776"}, 1, "id 1099511627776 is no"},
        {"parent finer",
         runParentCommand,
         {"--scale", "1:5000", "J50"},
         1,
         "1:5000 is finer than the sheet's scale 1:1000000"},
        {"1:200,000 in 1:250,000",
         runParentCommand,
         {"--scale", "C", "J50R001001"},
         1,
         "1:200000 does not nest in 1:250000"},
        {"unknown scale", runParentCommand, {"--scale", "1:3000", "J50"}, 2, "\"1:3000\""},
        {"no scale", runChildrenCommand, {"J50"}, 2, "--scale is required"},
        {"children coarser",
         runChildrenCommand,
         {"--scale", "A", "J50E001001"},
         1,
         "1:1000000 is coarser"},
        {"too many children",
         runChildrenCommand,
         {"--scale", "1:500", "--max-sheets", "100", "J50"},
         1,
         "5308416 sheets of 1:500, more than --max-sheets 100"},
        {"unknown option", runChildrenCommand, {"--rings", "2", "J50"}, 2, "\"--rings\""},
    };
    for (const auto& row : rows) {
        const CommandRun run = runWithInput(row.command, row.arguments, "");
        EXPECT_EQ(run.status, row.status) << row.name << ": " << run.err;
        EXPECT_NE(run.err.find(row.message), std::string::npos) << row.name << ": " << run.err;
        // A refused sheet writes no row; a usage error writes nothing at all.
        for (const std::string& line : lines(run.out)) {
            EXPECT_TRUE(line.starts_with("input,") || line.starts_with("J50,")) << row.name;
        }
        if (row.status == 2) {
            EXPECT_EQ(run.out, "") << row.name;
        }
    }
}

TEST(RelationCommands, HelpSaysWhereTheScalesDoNotNest) {
    for (const auto command : {runParentCommand, runChildrenCommand}) {
        const CommandRun run = runWithInput(command, {"--help"}, "");
        EXPECT_EQ(run.status, 0);
        EXPECT_NE(run.out.find("1:200,000 does not nest with 1:250,000"), std::string::npos);
    }
}

}  // namespace
}  // namespace mapsheet::cli
