#include "text/csv_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace mapsheet::text {
namespace {

// The record ends of the whole text, found by feeding the scanner the given pieces.
std::vector<std::size_t> recordEnds(std::string_view text, std::size_t pieceSize) {
    CsvRecordScanner scanner;
    std::vector<std::size_t> ends;
    for (std::size_t start = 0; start < text.size(); start += pieceSize) {
        const std::string_view piece = text.substr(start, pieceSize);
        // Feed byte by byte when asked for the last end only: every end is then seen.
        for (std::size_t i = 0; i < piece.size(); ++i) {
            const std::size_t end = scanner.lastRecordEnd(piece.substr(i, 1));
            if (end != std::string_view::npos) {
                ends.push_back(start + i + end);
            }
        }
    }
    return ends;
}

TEST(CsvRecords, RecordsEndAtLineFeedsOutsideQuotedFields) {
    const struct {
        const char* name;
        std::string text;
        std::vector<std::size_t> ends;
    } rows[] = {
        {"plain lines", "a,b\nc,d\n", {4, 8}},
        {"CR LF", "a,b\r\nc\r\n", {5, 8}},
        {"quoted line feed", "\"a\nb\",c\nd\n", {8, 10}},
        {"doubled quote inside", "\"a\"\"\n\",c\nd\n", {9, 11}},
        {"quote inside an unquoted field", "39d58'45\",1\n2\n", {12, 14}},
        {"quoted field after a comma", "1,\"x\ny\"\n", {8}},
        {"text after a closing quote", "\"a\"b\nc\n", {5, 7}},
        {"still open at the end", "1,\"open\n2\n", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(recordEnds(row.text, 1), row.ends);
        EXPECT_EQ(recordEnds(row.text, 3), row.ends);
        CsvRecordScanner whole;
        const std::size_t last = whole.lastRecordEnd(row.text);
        EXPECT_EQ(last, row.ends.empty() ? std::string_view::npos : row.ends.back());
        const std::size_t first = firstRecordLength(row.text);
        EXPECT_EQ(first, row.ends.empty() ? row.text.size() : row.ends.front());
    }
}

// Pieces of any size find the same last end as the whole text: the quote state carries over.
TEST(CsvRecords, PiecesOfAnySizeFindTheSameEnds) {
    std::string table;
    for (int i = 0; i < 200; ++i) {
        table += i % 3 == 0 ? "\"a,\n\"\"b\"\"\"," : "plain,";
        table += i % 5 == 0 ? "39d58'45\"\n" : "\"41\"\r\n";
    }
    const std::vector<std::size_t> expected = recordEnds(table, table.size());
    EXPECT_EQ(expected.size(), 200u);
    for (std::size_t pieceSize : {1u, 2u, 7u, 64u, 1000u}) {
        SCOPED_TRACE(pieceSize);
        CsvRecordScanner scanner;
        std::size_t lastEnd = 0;
        for (std::size_t start = 0; start < table.size(); start += pieceSize) {
            const std::size_t end =
                scanner.lastRecordEnd(std::string_view(table).substr(start, pieceSize));
            if (end != std::string_view::npos) {
                lastEnd = start + end;
                EXPECT_NE(std::find(expected.begin(), expected.end(), lastEnd), expected.end());
            }
        }
        EXPECT_EQ(lastEnd, table.size());
    }
}

std::vector<std::string> fieldsOf(std::string_view record, CsvFieldFault& fault) {
    CsvFields fields(record);
    CsvField field;
    std::string storage;
    std::vector<std::string> result;
    fault = CsvFieldFault::None;
    while (fields.next(field, storage)) {
        result.emplace_back(field.text);
        fault = field.fault;
    }
    return result;
}

TEST(CsvRecords, FieldsAreUnquoted) {
    const struct {
        const char* name;
        const char* record;
        std::vector<std::string> fields;
        CsvFieldFault fault;
    } rows[] = {
        {"empty record", "", {""}, CsvFieldFault::None},
        {"trailing comma", "a,", {"a", ""}, CsvFieldFault::None},
        {"quoted comma", "\"a,b\",c", {"a,b", "c"}, CsvFieldFault::None},
        {"doubled quotes", "\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}, CsvFieldFault::None},
        {"quoted line feed", "\"two\nlines\"", {"two\nlines"}, CsvFieldFault::None},
        {"empty quoted", "\"\",\"\"", {"", ""}, CsvFieldFault::None},
        {"quote inside unquoted", "39d58'45\",116", {"39d58'45\"", "116"}, CsvFieldFault::None},
        {"text after the quote", "\"a\"b,c", {""}, CsvFieldFault::TextAfterQuote},
        {"open quote", "1,\"open", {"1", ""}, CsvFieldFault::OpenQuote},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CsvFieldFault fault = CsvFieldFault::None;
        const std::vector<std::string> fields = fieldsOf(row.record, fault);
        EXPECT_EQ(fault, row.fault);
        if (row.fault == CsvFieldFault::None) {
            EXPECT_EQ(fields, row.fields);
        }
    }
}

}  // namespace
}  // namespace mapsheet::text
