#pragma once

// Writing CSV records (RFC 4180).

#include <string>
#include <string_view>

namespace mapsheet::cli {

// Appends one field: as it is, or in double quotes with its quotes doubled when it holds a
// comma, a double quote, a carriage return or a line feed. The caller writes the commas
// between fields and the CR LF or LF that ends the record.
void appendCsvField(std::string& record, std::string_view field);

}  // namespace mapsheet::cli
