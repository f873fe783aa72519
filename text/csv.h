#pragma once

// Writing CSV records (RFC 4180).
//
// A NUL byte is written as U+FFFD, the replacement character: many readers of CSV take a NUL
// for the end of the text and would lose the rest of the record.

#include <string>
#include <string_view>

namespace mapsheet::text {

// Appends one field: as it is, or in double quotes with its quotes doubled when it holds a
// comma, a double quote, a carriage return or a line feed. The caller writes the commas
// between fields and the CR LF or LF that ends the record.
void appendCsvField(std::string& record, std::string_view field);

// Whether appendCsvField appends the field as it is: no comma, double quote, carriage return,
// line feed or NUL in it.
bool isPlainCsvField(std::string_view field);

// Appends text that is already CSV (a record read from the input) as it is, but for its NULs.
void appendCsvText(std::string& record, std::string_view text);

}  // namespace mapsheet::text
