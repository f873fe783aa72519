// mapsheet-cli children: the sheets of a finer scale inside each given sheet.

#include <ostream>
#include <string>

#include "batch/relation_kinds.h"
#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/relation_rows.h"

namespace mapsheet::cli {

namespace {

constexpr std::string_view kHelp =
    "Usage: mapsheet-cli children --scale SCALE [--max-sheets N] [NUMBER...]\n"
    "\n"
    "Lists, for each sheet given, the sheets of SCALE (the sheet's own scale or a finer one)\n"
    "inside it. 1:200,000 does not nest with 1:250,000: the 1:200,000 children of a 1:250,000\n"
    "sheet are the 1:200,000 sheets whose interior meets it, some of them reaching beyond it.\n"
    "\n"
    "SCALE           one of the twelve scales, written as 1:50000, 1:50,000, 50000, 1:5万 or E.\n"
    "NUMBER          a sheet number of either numbering, or a sheet id; without any, one per\n"
    "                line from standard input, as 'mapsheet-cli sheet' reads them.\n"
    "--max-sheets N  refuse, writing none of them, the children of a sheet that has more than\n"
    "                N (default 10000000), saying how many it has.\n"
    "\n"
    "Output: CSV with the header input,new,old, one row per child, from the north-west: rows\n"
    "from the north, each row from the west. The old number is empty at 1:2000 and finer.\n"
    "\n"
    "Exit status: 0 on success, 1 when a number could not be read or its children were refused\n"
    "(said on standard error, the other rows are written), 2 for a usage error, 3 when the\n"
    "output cannot be written, 4 when the input cannot be read.\n";

}  // namespace

int runChildrenCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                       std::ostream& err) {
    const RelationStart start = startRelationCommand(arguments, {kScaleOption, kMaxSheetsOption},
                                                     "children", kHelp, out, err);
    if (!start.options) {
        return start.exitStatus;
    }
    const RelationOptions& options = *start.options;
    const batch::RelationRows rowsOf = batch::childrenRows(*options.scale, options.maxSheets);
    return writeRelationRows("children", options, "input,new,old\n", rowsOf, in, out, err);
}

}  // namespace mapsheet::cli
