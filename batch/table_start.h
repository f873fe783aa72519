#pragma once

// The start of a CSV table of points: its header row and the columns of latitude and longitude.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/ordered_blocks.h"
#include "batch/point_rows.h"

namespace mapsheet::batch {

// A column of the input table, by its 1-based number or by its name in the header row.
struct ColumnChoice {
    std::optional<std::size_t> number;
    std::string name;  // when number is not set
};

// The columns that hold latitude and longitude (both set, or neither), and whether the first
// row is a header that names columns.
struct TableColumns {
    std::optional<ColumnChoice> latitude;
    std::optional<ColumnChoice> longitude;
    bool header = false;
};

struct TableStart {
    std::string header;                    // the header record as read, with its line ending
    std::vector<std::string> columnNames;  // its fields unquoted, trimmed, in order
};

// Sets the layout's columns from the columns chosen (both set). With a header, cuts the header
// record from the front of the first block (nullptr for an empty input) and finds the named columns
// in it, compared after trimming blanks and tabs. False with problem set when a named column is not
// in the header (the message lists the columns there are) or the header is malformed. An
// empty input has no header and is no error.
bool startTable(const TableColumns& columns, Block* first, RowLayout& layout, TableStart& start,
                std::string& problem);

// The bytes of "\n" or "\r\n" at the end of the record: 0, 1 or 2.
std::size_t lineEndingLength(std::string_view record);

}  // namespace mapsheet::batch
