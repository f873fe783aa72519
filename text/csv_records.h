#pragma once

// Reading CSV tables (RFC 4180) exported by spreadsheets and GIS programs.
//
// A record ends at a line feed outside a quoted field; a carriage return before that line feed
// belongs to the terminator. A field that starts with a double quote is quoted: it runs to the
// next double quote that is not doubled, "" inside stands for one double quote, and commas and
// line feeds inside belong to the field. A double quote inside an unquoted field is an
// ordinary character, as in the degree-minute-second text 39d58'45" that tables hold unquoted.
// A quoted field must end where its closing quote stands: text after it (before the next comma)
// makes the record malformed, as does a quoted field still open at the end of the input.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mapsheet::text {

// Finds record ends in CSV text that arrives in pieces: the scan state is kept from one call
// to the next, so a quoted field may span pieces.
class CsvRecordScanner {
  public:
    // The offset in text just past the last line feed in it that ends a record, or npos when
    // none does. The caller passes each byte once, in order: the next call gets the bytes
    // that follow this call's text.
    std::size_t lastRecordEnd(std::string_view text) noexcept;

  private:
    enum class State : std::uint8_t { FieldStart, Unquoted, Quoted, QuoteInQuoted };
    State state_ = State::FieldStart;
};

// The length of the first record of text including its terminator; text.size() when the
// record is the last one and has no line feed.
std::size_t firstRecordLength(std::string_view text) noexcept;

enum class CsvFieldFault : std::uint8_t { None, TextAfterQuote, OpenQuote };

struct CsvField {
    std::string_view text;  // without its quotes; "" inside a quoted field stands for one "
    CsvFieldFault fault = CsvFieldFault::None;
};

// The fields of one record given without its terminator, from the first. A record always has
// at least one field (an empty line is one empty field); "a," has two.
class CsvFields {
  public:
    explicit CsvFields(std::string_view record) : rest_(record) {}

    // The next field, false after the last. A quoted field that holds "" is unquoted into
    // storage and its view points there until the next call. After a fault the record is not
    // read further.
    bool next(CsvField& field, std::string& storage);

  private:
    std::string_view rest_;
    bool done_ = false;
};

}  // namespace mapsheet::text
