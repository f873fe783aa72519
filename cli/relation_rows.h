#pragma once

// What the relation commands (neighbours, parent, children) share: their options and their run
// (the rows are batch/relation_rows.h). A sheet that fails writes no row: its error goes to the
// error stream as "mapsheet-cli parent: line 3: 'X': reason" (the line number only for standard
// input), the other sheets' rows are written and the exit status is 1. Options that cannot be
// used are usage errors (exit 2) before any row.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/relation_rows.h"
#include "batch/sheet_number_texts.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/shared_options.h"
#include "engine/sheet.h"

namespace mapsheet::cli {

// --rings K of neighbours, 1 to 1000.
inline constexpr Option kRingsOption{"--rings", true};

struct RelationOptions {
    std::optional<int> scale;  // --scale, as a catalogue index
    int rings = 1;             // --rings K, 1..1000
    std::uint64_t maxSheets = kDefaultSheetLimit;
    std::vector<std::string> sheets;
};

// The options of a relation command's line, read with the options it takes among --scale
// (then required), --rings and --max-sheets; or, without them, the exit status the command ends
// with at once: its help written (0, or 3 when that failed), or a usage error quoting the bad
// piece in double quotes, as its rows' errors do (2).
struct RelationStart {
    std::optional<RelationOptions> options;
    int exitStatus = 0;
    std::optional<CommandLine> line;  // with options: the line, for the options a command adds
};

// How a relation command writes its usage errors: bad pieces in double quotes, as its rows'.
inline CommandUsage relationUsage(std::string_view command) {
    return {command, '"'};
}
RelationStart startRelationCommand(const Arguments& arguments, const std::vector<Option>& takes,
                                   std::string_view command, std::string_view help,
                                   std::ostream& out, std::ostream& err);

// Writes header, then the rows of every given sheet; returns the exit status.
int writeRelationRows(std::string_view command, const RelationOptions& options,
                      std::string_view header, const batch::RelationRows& rowsOf, std::istream& in,
                      std::ostream& out, std::ostream& err);

}  // namespace mapsheet::cli
