#pragma once

// What the relation commands (neighbours, parent, children) share: their options, reading the
// sheets they are given, and writing the rows they make.
//
// Sheets come as arguments or, when there are none, one per line on standard input, as
// `mapsheet-cli sheet` reads them (cli/number_lines.h), each a written number of either
// numbering or an id (engine/sheet_or_id.h). A sheet's faults are found before its first row, so a
// sheet that fails (a number that cannot be read, a scale that gives no answer, too many
// children) writes no row: its error goes to the error stream as "mapsheet-cli parent: line 3: 'X':
// reason" (the line number only for standard input), the other sheets' rows are written and
// the exit status is 1. Options that cannot be used are usage errors (exit 2) before any row.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// How a relation command writes its usage errors: bad pieces in double quotes, as its rows'.
inline CommandUsage relationUsage(std::string_view command) {
    return {command, '"'};
}

// The options of a command line read with the options the command takes among --scale,
// --rings and --max-sheets; --scale is required when the command takes it. Nullopt after
// writing a usage error that quotes the bad piece.
std::optional<RelationOptions> relationOptions(const CommandLine& line, const CommandUsage& usage,
                                               bool takesScale, std::ostream& err);

// Where the rows go: a buffer written out whenever it has grown large, so that a sheet with
// millions of rows never holds them all.
class RowSink {
  public:
    RowSink(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    std::string& rows() { return rows_; }
    // Called after each whole row.
    void rowDone();
    // Writes what the buffer holds; false once any write failed (said on err).
    bool flush();
    bool failed() const { return failed_; }

  private:
    std::ostream& out_;
    std::ostream& err_;
    std::string rows_;
    bool failed_ = false;
};

// Appends the rows of one sheet to sink.rows() (each ending in a line feed, then rowDone()), or
// returns, before appending any, the reason it has none.
using RelationRows = std::function<std::optional<std::string>(
    const engine::Sheet& sheet, std::string_view input, RowSink& sink)>;

// Writes header, then the rows of every given sheet; returns the exit status.
int writeRelationRows(std::string_view command, const RelationOptions& options,
                      std::string_view header, const RelationRows& rowsOf, std::istream& in,
                      std::ostream& out, std::ostream& err);

// Appends ",new,old" of the sheet (the old number empty at 1:2000 and finer).
void appendNumbers(std::string& row, const engine::Sheet& sheet);

// appendNumbers for sheets that come again and again, as the rings of neighbours of nearby
// sheets do: the text of each sheet is kept in a table of the 65,536 last written (one place
// per sheet, by the low bits of its row and column), so that a sheet met in many rings is
// written out once.
// The same text as appendNumbers; about 4 MB.
class NumberTexts {
  public:
    NumberTexts();
    void append(std::string& row, const engine::Sheet& sheet);

  private:
    struct Entry {
        std::uint64_t key;  // the sheet's bytes; no sheet has them all set
        std::uint8_t size;
        char text[55];
    };
    std::vector<Entry> entries_;
};

}  // namespace mapsheet::cli
