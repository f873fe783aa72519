#pragma once

// The rows of a block of point input with their sheets: lines of "LAT,LON" (text/point_line.h)
// or the records of a CSV table with a latitude and a longitude column (text/csv_records.h).
//
// Lines that hold nothing but blanks and tabs are skipped, in both layouts. A UTF-8 byte order
// mark before the first row of the input is not part of it. A row that has no sheet carries
// an error that names its line ("line 7: latitude \"north\": expected ..."); the line of a CSV
// record is the one it starts on. In a CSV record every field is checked, so a record whose
// quotes are broken is an error row even when its coordinates could be read.

#include <cstddef>
#include <string>
#include <string_view>

#include "batch/input_blocks.h"
#include "batch/point_numbering.h"

namespace mapsheet::batch {

struct RowLayout {
    RecordFormat format = RecordFormat::Lines;
    std::size_t latitudeColumn = 0;  // 0-based, CSV only
    std::size_t longitudeColumn = 1;
};

struct PointRow {
    long line = 0;
    std::string_view record;      // as read, without its line ending (and byte order mark)
    std::string_view lineEnding;  // "\n", "\r\n", or empty for a last record without one
    bool split = false;           // whether the two coordinate texts were found
    std::string_view latitude;    // the texts, trimmed (lines) or unquoted (CSV), when split
    std::string_view longitude;
    PointNumbering numbering;  // when split
    std::string_view error;    // empty exactly when numbering.sheet is set
};

class PointRows {
  public:
    // records: whole records; firstLine: the number of the line they start on; startOfInput:
    // whether they are the first of the input (where a byte order mark may stand).
    PointRows(std::string_view records, long firstLine, bool startOfInput, const RowLayout& layout,
              int scale);

    // The next row that is not blank; its views stay valid until the next call. False after
    // the last.
    bool next(PointRow& row);

  private:
    // Drops a byte order mark before the first row; false for a blank row.
    bool startRow(PointRow& row);
    void splitLine(PointRow& row);
    void splitRecord(PointRow& row);
    std::string& startError(const PointRow& row);

    std::string_view rest_;
    long line_;
    bool atInputStart_;
    RowLayout layout_;
    int scale_;
    std::string error_;
    std::string latitudeStorage_;
    std::string longitudeStorage_;
    std::string otherStorage_;
};

}  // namespace mapsheet::batch
