// mapsheet-cli neighbours: the sheets of the same scale around given sheets, ring by ring.

#include <ostream>
#include <string>

#include "batch/relation_kinds.h"
#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/relation_rows.h"

namespace mapsheet::cli {

namespace {

constexpr std::string_view kHelp =
    "Usage: mapsheet-cli neighbours [--rings K] [NUMBER...]\n"
    "\n"
    "Lists, for each sheet given, every sheet of the same scale whose interior meets the box\n"
    "that extends the sheet by K of its own heights north and south and K of its own widths\n"
    "east and west. Across 180 degrees the series continues (zone 60 lies next to zone 1);\n"
    "where the zones widen (60 and 76 degrees, north and south) the wider sheets meeting the box\n"
    "are listed; nothing lies beyond 88 degrees.\n"
    "\n"
    "NUMBER     a sheet number of either numbering, or a sheet id; without any, one per line\n"
    "           from standard input, as 'mapsheet-cli sheet' reads them.\n"
    "--rings K  how far to reach, 1 to 1000 (default 1: the eight sheets around).\n"
    "\n"
    "Output: CSV with the header input,ring,new,old: per sheet given, its neighbours in rows\n"
    "from the north, each row from the west; ring 0 is the sheet itself, ring k the sheets\n"
    "first met k sheets out. The old number is empty at 1:2000 and finer.\n"
    "\n"
    "Exit status: 0 on success, 1 when a number could not be read (said on standard error,\n"
    "the other numbers' rows are written), 2 for a usage error, 3 when the output cannot be\n"
    "written, 4 when the input cannot be read.\n";

}  // namespace

int runNeighboursCommand(const Arguments& arguments, std::istream& in, std::ostream& out,
                         std::ostream& err) {
    const RelationStart start =
        startRelationCommand(arguments, {kRingsOption}, "neighbours", kHelp, out, err);
    if (!start.options) {
        return start.exitStatus;
    }
    const RelationOptions& options = *start.options;
    const batch::RelationRows rowsOf = batch::neighbourRows(options.rings);
    return writeRelationRows("neighbours", options, "input,ring,new,old\n", rowsOf, in, out, err);
}

}  // namespace mapsheet::cli
