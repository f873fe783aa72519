#pragma once

// The rows of the relation commands (neighbours, parent, children): reading the sheets they are
// given and writing the rows each makes.
//
// Sheets come as values or, when there are none, one per line of the input (batch/number_lines.h),
// each a written number of either numbering or an id (engine/sheet_or_id.h). A sheet's faults
// are found before its first row, so a sheet that fails (a number that cannot be read, a scale
// that gives no answer, too many children) writes no row; the other sheets' rows are written.

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/checked_output.h"
#include "engine/sheet.h"

namespace mapsheet::batch {

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

// Writes header, then the rows of every sheet given (the lines of in when sheets is empty).
// A sheet without rows is said on err as "<prefix>line 3: 'X': reason" and the run ends with
// RowErrors; a failed write or read is said on err too (the read with prefix).
RunStatus writeRelationRows(std::string_view messagePrefix, const std::vector<std::string>& sheets,
                            std::string_view header, const RelationRows& rowsOf, std::istream& in,
                            std::ostream& out, std::ostream& err);

}  // namespace mapsheet::batch
