#include "batch/input_blocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <ios>
#include <sstream>
#include <streambuf>
#include <string>
#include <system_error>

#include "batch/input_lines.h"

namespace mapsheet::batch {
namespace {

// Gives its text in small reads, then fails as a file system does: by an exception from
// underflow, the way libstdc++'s file buffers report a failed read(2).
class FailingBuffer : public std::streambuf {
  public:
    explicit FailingBuffer(std::string text) : text_(std::move(text)) {}

  protected:
    int_type underflow() override {
        if (at_ < text_.size()) {
            const std::size_t length = std::min<std::size_t>(5, text_.size() - at_);
            setg(text_.data() + at_, text_.data() + at_, text_.data() + at_ + length);
            at_ += length;
            return traits_type::to_int_type(*gptr());
        }
        throw std::ios_base::failure("read failed",
                                     std::error_code(EISDIR, std::generic_category()));
    }

  private:
    std::string text_;
    std::size_t at_ = 0;
};

struct Delivered {
    std::string joined;
    std::vector<long> firstLines;
    bool wholeRecords = true;
};

Delivered readAll(InputBlocks& blocks, RecordFormat format) {
    Delivered delivered;
    std::string block;
    long firstLine = 0;
    while (blocks.next(block, firstLine)) {
        EXPECT_FALSE(block.empty());
        delivered.firstLines.push_back(firstLine);
        EXPECT_EQ(firstLine,
                  1 + std::count(delivered.joined.begin(), delivered.joined.end(), '\n'));
        delivered.joined += block;
        if (format == RecordFormat::Csv) {
            text::CsvRecordScanner scanner;
            delivered.wholeRecords =
                delivered.wholeRecords && (scanner.lastRecordEnd(block) == block.size() ||
                                           text::firstRecordLength(block) == block.size());
        } else {
            delivered.wholeRecords = delivered.wholeRecords && block.back() == '\n';
        }
    }
    return delivered;
}

// The blocks put together are the input; each holds whole records and knows its first line,
// whatever the block size, also when one record is longer than a block.
TEST(InputBlocks, BlocksAreWholeRecordsThatMakeUpTheInput) {
    std::string lines;
    std::string table;
    for (int i = 0; i < 3000; ++i) {
        lines += std::to_string(i) + (i % 500 == 0 ? std::string(300, 'x') : "") + ",1\n";
        table += "\"id\n" + std::to_string(i) + "\",1\r\n";
    }
    for (std::size_t blockSize : {16u, 100u, 4096u, 1u << 16}) {
        SCOPED_TRACE(blockSize);
        for (const auto& [text, format] :
             {std::pair{lines, RecordFormat::Lines}, std::pair{table, RecordFormat::Csv}}) {
            std::istringstream in(text + "last");
            InputBlocks blocks(in, format, blockSize);
            const Delivered delivered = readAll(blocks, format);
            EXPECT_EQ(delivered.joined, text + "last");
            EXPECT_EQ(blocks.readError(), "");
        }
    }
}

// A read error ends the input: the blocks before it are given out, the record it cut is not,
// and the error says why.
TEST(InputBlocks, AReadErrorKeepsTheWholeRecordsBeforeIt) {
    FailingBuffer buffer("41,117.5\n42,118\n4");
    std::istream in(&buffer);
    InputBlocks blocks(in, RecordFormat::Lines, 8);
    const Delivered delivered = readAll(blocks, RecordFormat::Lines);
    EXPECT_EQ(delivered.joined, "41,117.5\n42,118\n");
    EXPECT_EQ(blocks.readError(), std::generic_category().message(EISDIR));
    EXPECT_EQ(blocks.linesDelivered(), 2);

    // The line reader asks for a whole block at once: the read that fails takes its bytes
    // with it, and the failure is reported instead of thrown.
    FailingBuffer again("41,117.5\n4");
    std::istream lineIn(&again);
    InputLines lineByLine(lineIn);
    EXPECT_EQ(lineByLine.next(), std::nullopt);
    EXPECT_EQ(lineByLine.readError(), blocks.readError());
}

}  // namespace
}  // namespace mapsheet::batch
