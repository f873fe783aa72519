#pragma once

// Where the records of sheets read (batch/sheet_records.h) go: text here (CSV or JSON Lines),
// a GIS layer in gis/sheet_layer.h, records with corners in projection/sheet_corner_output.h.
//
// add and finish return false when the output failed: a text output has then said so on its
// error stream (batch/checked_output.h) and error() is empty; any other output leaves the
// reason in error() for its front end to say.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "batch/number_lines.h"
#include "batch/progress.h"
#include "engine/sheet_number_parse.h"

namespace mapsheet::batch {

class SheetOutput {
  public:
    virtual ~SheetOutput() = default;
    virtual bool add(std::string_view input, const engine::ParsedSheet& parsed) = 0;
    // Writes what is left.
    virtual bool finish() = 0;
    // Whether a sheet that was read became an error row here (a zone that misses it).
    virtual bool refusedAnySheet() const { return false; }
    const std::string& error() const { return error_; }

  protected:
    std::string error_;
};

// The records as CSV (kSheetCsvHeader, or the header given) or JSON Lines, written to out in
// blocks of 64 KiB.
class SheetTextOutput : public SheetOutput {
  public:
    SheetTextOutput(bool json, std::ostream& out, std::ostream& err,
                    std::string_view csvHeader = {});

    bool add(std::string_view input, const engine::ParsedSheet& parsed) override;
    bool finish() override;

  protected:
    // Appends the record of one sheet read; the default is the sheet record itself.
    virtual void appendRecord(std::string& records, std::string_view input,
                              const engine::ParsedSheet& parsed);
    bool json() const { return json_; }

  private:
    bool flush();

    bool json_;
    std::ostream& out_;
    std::ostream& err_;
    std::string records_;
};

// Adds every sheet given (a number of either numbering or an id, engine/sheet_or_id.h) to the
// output and finishes it, telling progress the sheets done: the numbers or, when there are
// none, the lines of in (batch/number_lines.h). A failed write ends the run (WriteFailed); a
// read failure finishes the output with the rows read before it (ReadFailed). RowErrors when
// a number could not be read or the output refused a sheet.
NumberRun writeSheets(const std::vector<std::string>& numbers, std::istream& in,
                      SheetOutput& output, const ProgressListener& progress = {});

}  // namespace mapsheet::batch
