#include "cli/number_csv.h"

#include <charconv>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "batch/input_blocks.h"
#include "batch/ordered_blocks.h"
#include "batch/point_rows.h"
#include "cli/block_output.h"
#include "cli/output_status.h"
#include "cli/table_header.h"
#include "engine/sheet_id.h"
#include "text/csv.h"

namespace mapsheet::cli {

namespace {

constexpr std::string_view kPointHeader = "latitude,longitude,new,old,error\n";
constexpr std::string_view kAppendedHeader = ",new,old,error";
constexpr std::string_view kPointIdHeader = "latitude,longitude,id,error\n";
constexpr std::string_view kAppendedIdHeader = ",id,error";

// Big enough that a block's numbering outweighs handing it between threads, small enough that
// 2 x jobs + 2 of them stay far below the memory target.
constexpr std::size_t kBlockSize = 64 * 1024;

// The sheet's columns and the comma before the error: "new,old," or, for --format id, "id,".
void appendSheetColumns(std::string& row, const engine::Sheet& sheet, bool ids) {
    if (ids) {
        char digits[24];
        const auto end =
            std::to_chars(digits, digits + sizeof digits, engine::sheetToId(sheet)).ptr;
        row.append(digits, end).push_back(',');
        return;
    }
    row.append(engine::newNumber(sheet).view()).push_back(',');
    row.append(engine::oldNumber(sheet).view()).push_back(',');
}

// The empty sheet columns of a row without a sheet.
std::string_view emptySheetColumns(bool ids) {
    return ids ? "," : ",,";
}

// One row of point lines: the coordinates as given; a line that cannot be read goes whole
// into the latitude column.
void appendPointLineRow(std::string& output, const PointRow& row, bool ids) {
    const bool ownColumns = row.numbering.sheet || row.numbering.fault == PointFault::NoSheet;
    appendCsvField(output, ownColumns ? row.latitude : row.record);
    output.push_back(',');
    appendCsvField(output, ownColumns ? row.longitude : std::string_view());
    output.push_back(',');
    if (row.numbering.sheet) {
        appendSheetColumns(output, *row.numbering.sheet, ids);
    } else {
        output.append(emptySheetColumns(ids));
        appendCsvField(output, row.error);
    }
    output.push_back('\n');
}

// One row of a table: the record as it was, the three columns appended, the same line ending.
void appendTableRow(std::string& output, const PointRow& row, bool ids) {
    appendCsvText(output, row.record);
    output.push_back(',');
    if (row.numbering.sheet) {
        appendSheetColumns(output, *row.numbering.sheet, ids);
    } else {
        output.append(emptySheetColumns(ids));
        appendCsvField(output, row.error);
    }
    output.append(row.lineEnding.empty() ? std::string_view("\n") : row.lineEnding);
}

void numberBlock(Block& block, const RowLayout& layout, int scale, bool ids) {
    block.output.clear();
    block.output.reserve(2 * block.input.size() + 64);
    block.anyError = false;
    block.rows = 0;
    PointRows rows(block.input, block.firstLine, block.firstLine == 1, layout, scale);
    PointRow row;
    while (rows.next(row)) {
        ++block.rows;
        if (layout.format == RecordFormat::Csv) {
            appendTableRow(block.output, row, ids);
        } else {
            appendPointLineRow(block.output, row, ids);
        }
        block.anyError = block.anyError || !row.numbering.sheet;
    }
}

int numberArguments(const NumberOptions& options, std::ostream& out, std::ostream& err) {
    const PointNumbering numbering =
        numberPoint(*options.latitude, *options.longitude, options.scale);
    const bool ids = options.format == "id";
    std::string output(ids ? kPointIdHeader : kPointHeader);
    appendCsvField(output, *options.latitude);
    output.push_back(',');
    appendCsvField(output, *options.longitude);
    output.push_back(',');
    if (numbering.sheet) {
        appendSheetColumns(output, *numbering.sheet, ids);
    } else {
        std::string error;
        appendPointError(error, numbering, *options.latitude, *options.longitude);
        output.append(emptySheetColumns(ids));
        appendCsvField(output, error);
    }
    output.push_back('\n');
    if (!writeChecked(out, output, err)) {
        return kExitWriteFailed;
    }
    return finishOutput(out, err, numbering.sheet ? kExitSuccess : kExitRowErrors);
}

// Numbers the input that follows the header (or all of it) on the jobs threads, the first
// block being the rest of the one the header was cut from.
int numberStream(const NumberOptions& options, const RowLayout& layout, InputBlocks& blocks,
                 std::optional<Block> first, std::ostream& out, std::ostream& err) {
    return writeBlocksInOrder(
        options.jobs, blocks, std::move(first),
        [&](Block& block) { numberBlock(block, layout, options.scale, options.format == "id"); },
        out, err);
}

}  // namespace

int numberToCsv(const NumberOptions& options, std::istream& in, std::ostream& out,
                std::ostream& err) {
    if (options.latitude) {
        return numberArguments(options, out, err);
    }
    RowLayout layout;
    InputBlocks blocks(in, options.latitudeColumn ? RecordFormat::Csv : RecordFormat::Lines,
                       kBlockSize);
    std::optional<Block> first;
    const bool ids = options.format == "id";
    if (!options.latitudeColumn) {
        if (!writeChecked(out, ids ? kPointIdHeader : kPointHeader, err)) {
            return kExitWriteFailed;
        }
    } else {
        first.emplace();
        if (!blocks.next(first->input, first->firstLine)) {
            first.reset();
        }
        TableStart start;
        std::string problem;
        if (!startTable(options, first ? &*first : nullptr, layout, start, problem)) {
            err << "mapsheet-cli number: " << problem << '\n';
            return kExitUsage;
        }
        if (!start.header.empty()) {
            const std::string_view header = start.header;
            const std::size_t ending = lineEndingLength(header);
            std::string row;
            appendCsvText(row, header.substr(0, header.size() - ending));
            row.append(ids ? kAppendedIdHeader : kAppendedHeader)
                .append(header.substr(header.size() - ending));
            if (!writeChecked(out, row, err)) {
                return kExitWriteFailed;
            }
        }
    }
    return numberStream(options, layout, blocks, std::move(first), out, err);
}

}  // namespace mapsheet::cli
