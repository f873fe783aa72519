// mapsheet-cli parent: the sheet of a coarser scale that contains each given sheet.

#include <ostream>
#include <string>

#include "batch/relation_kinds.h"
#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/relation_rows.h"

namespace mapsheet::cli {

namespace {

constexpr std::string_view kHelp =
    "Usage: mapsheet-cli parent --scale SCALE [NUMBER...]\n"
    "\n"
    "Gives, for each sheet given, the sheet of SCALE (the sheet's own scale or a coarser one)\n"
    "that contains it. 1:200,000 does not nest with 1:250,000: a 1:200,000 sheet has no\n"
    "1:250,000 parent (nor the reverse), and asking for one is an error.\n"
    "\n"
    "SCALE    one of the twelve scales, written as 1:50000, 1:50,000, 50000, 1:5万 or E.\n"
    "NUMBER   a sheet number of either numbering, or a sheet id; without any, one per line from\n"
    "         standard input, as 'mapsheet-cli sheet' reads them.\n"
    "\n"
    "Output: CSV with the header input,new,old, one row per sheet given. The old number is\n"
    "empty at 1:2000 and finer.\n"
    "\n"
    "Exit status: 0 on success, 1 when a number could not be read or has no parent at SCALE\n"
    "(said on standard error, the other rows are written), 2 for a usage error, 3 when the\n"
    "output cannot be written, 4 when the input cannot be read.\n";

}  // namespace

int runParentCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                     std::ostream& err) {
    const RelationStart start =
        startRelationCommand(arguments, {kScaleOption}, "parent", kHelp, out, err);
    if (!start.options) {
        return start.exitStatus;
    }
    const RelationOptions& options = *start.options;
    const batch::RelationRows rowsOf = batch::parentRows(*options.scale);
    return writeRelationRows("parent", options, "input,new,old\n", rowsOf, in, out, err);
}

}  // namespace mapsheet::cli
