#pragma once

// Reading a stream in blocks of whole records, for numbering the blocks on several threads.
//
// Each block holds whole records: lines ended by a line feed, or CSV records (text/csv_records.h)
// whose quoted fields may hold line feeds. The last record of the input may lack its line
// feed. A block is about blockSize bytes, more when a single record is longer. The reader
// counts the line feeds before each block, so that a record's error can name its line.
//
// A read error (a directory or a closed descriptor as input, an I/O error) ends the input: the
// blocks before it are complete, the record it cut is dropped, and readError() says why. A
// stream buffer reports the error by an exception that does not say how much it had read, so
// the bytes of the failing read (at most a block) are lost with it.

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>

#include "text/csv_records.h"

namespace mapsheet::batch {

enum class RecordFormat { Lines, Csv };

class InputBlocks {
  public:
    InputBlocks(std::istream& in, RecordFormat format, std::size_t blockSize);

    // Replaces block with the next records (its capacity is reused) and firstLine with the
    // number (from 1) of the line they start on. False at the end of the input or at a read
    // error; block is then left empty.
    bool next(std::string& block, long& firstLine);

    // Why the input ended early, empty when it did not.
    const std::string& readError() const { return readError_; }

    // The line feeds delivered so far: the number of the last line in the blocks given out.
    long linesDelivered() const { return linesBefore_; }

  private:
    // Reads more after the pending bytes; false at the end of the input or on an error.
    bool readMore();
    // The end of the last whole record among the pending bytes scanned so far, or npos.
    std::size_t scanForRecordEnd();

    std::streambuf* source_;
    RecordFormat format_;
    std::size_t blockSize_;
    std::string pending_;        // bytes read and not yet given out
    std::size_t filled_ = 0;     // of pending_
    std::size_t scanned_ = 0;    // pending bytes already searched for a record end
    std::size_t recordEnd_ = 0;  // end of the last whole record found among them
    text::CsvRecordScanner csv_;
    bool exhausted_ = false;
    long linesBefore_ = 0;
    std::string readError_;
};

// Says on err that the input could not be read: "mapsheet-cli: cannot read input after line
// 12: Is a directory" (without "after line" when nothing was read).
void reportReadFailure(const InputBlocks& blocks, std::ostream& err);

// Reads up to size bytes from source into data and returns how many it read: 0 at the end of
// the input, and also when the stream buffer reports a failure by an exception, whose reason
// (as strerror gives it when the exception carries an error number) then goes into error.
std::size_t readGuarded(std::streambuf& source, char* data, std::size_t size, std::string& error);

}  // namespace mapsheet::batch
