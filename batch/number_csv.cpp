#include "batch/number_csv.h"

#include <charconv>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "batch/input_blocks.h"
#include "batch/ordered_blocks.h"
#include "batch/ordered_output.h"
#include "batch/output_cursor.h"
#include "batch/point_rows.h"
#include "batch/table_start.h"
#include "engine/sheet_id.h"
#include "text/csv.h"

namespace mapsheet::batch {

namespace {

constexpr std::string_view kPointHeader = "latitude,longitude,new,old,error\n";
constexpr std::string_view kAppendedHeader = ",new,old,error";
constexpr std::string_view kPointIdHeader = "latitude,longitude,id,error\n";
constexpr std::string_view kAppendedIdHeader = ",id,error";

// Big enough that a block's numbering outweighs handing it between threads, small enough that
// 2 x jobs + 2 of them stay far below the memory target.
constexpr std::size_t kBlockSize = 64 * 1024;

// The sheet's columns and the comma before the error: "new,old," or, for --format id, "id,".
void appendSheetColumns(OutputCursor& row, const engine::Sheet& sheet, bool ids) {
    if (ids) {
        char digits[24];
        const auto end =
            std::to_chars(digits, digits + sizeof digits, engine::sheetToId(sheet)).ptr;
        row.put(std::string_view(digits, static_cast<std::size_t>(end - digits)));
        row.put(',');
        return;
    }
    // Written in place: copying a number just written byte by byte would wait for its bytes.
    engine::TextAt newText(row.room(engine::kShortTextRoom));
    engine::writeNewNumber(newText, sheet);
    row.advance(newText.size());
    row.put(',');
    engine::TextAt oldText(row.room(engine::kShortTextRoom));
    engine::writeOldNumber(oldText, sheet);
    row.advance(oldText.size());
    row.put(',');
}

void putCsvField(OutputCursor& row, std::string_view field) {
    if (text::isPlainCsvField(field)) {
        row.put(field);
    } else {
        text::appendCsvField(row.text(), field);
    }
}

// The empty sheet columns of a row without a sheet.
std::string_view emptySheetColumns(bool ids) {
    return ids ? "," : ",,";
}

// The sheet's columns, or the empty ones and the error.
void appendNumberingColumns(OutputCursor& output, const PointRow& row, bool ids) {
    if (row.numbering.sheet) {
        appendSheetColumns(output, *row.numbering.sheet, ids);
    } else {
        output.put(emptySheetColumns(ids));
        putCsvField(output, row.error);
    }
}

// One row of point lines: the coordinates as given; a line that cannot be read goes whole
// into the latitude column.
void appendPointLineRow(OutputCursor& output, const PointRow& row, bool ids) {
    const bool ownColumns =
        row.numbering.sheet || row.numbering.error == engine::InputErrorCode::PointOutsideSeries;
    putCsvField(output, ownColumns ? row.latitude : row.record);
    output.put(',');
    putCsvField(output, ownColumns ? row.longitude : std::string_view());
    output.put(',');
    appendNumberingColumns(output, row, ids);
    output.put('\n');
}

// One row of a table: the record as it was, the three columns appended, the same line ending.
void appendTableRow(OutputCursor& output, const PointRow& row, bool ids) {
    text::appendCsvText(output.text(), row.record);
    output.put(',');
    appendNumberingColumns(output, row, ids);
    output.put(row.lineEnding.empty() ? std::string_view("\n") : row.lineEnding);
}

void numberBlock(Block& block, const RowLayout& layout, int scale, bool ids) {
    block.output.clear();
    OutputCursor output(block.output);
    block.anyError = false;
    block.rows = 0;
    PointRows rows(block.input, block.firstLine, block.firstLine == 1, layout, scale);
    PointRow row;
    while (rows.next(row)) {
        ++block.rows;
        if (layout.format == RecordFormat::Csv) {
            appendTableRow(output, row, ids);
        } else {
            appendPointLineRow(output, row, ids);
        }
        block.anyError = block.anyError || !row.numbering.sheet;
    }
}

// Numbers the input that follows the header (or all of it) on the jobs threads, the first
// block being the rest of the one the header was cut from.
RunStatus numberStream(const CsvNumbering& numbering, const RowLayout& layout, InputBlocks& blocks,
                       std::optional<Block> first, std::ostream& out, std::ostream& err,
                       const ProgressListener& progress) {
    return writeBlocksInOrder(
        numbering.jobs, blocks, std::move(first),
        [&](Block& block) { numberBlock(block, layout, numbering.scale, numbering.ids); }, out, err,
        progress);
}

}  // namespace

RunStatus numberPointToCsv(std::string_view latitude, std::string_view longitude, int scale,
                           bool ids, std::ostream& out, std::ostream& err) {
    const PointNumbering numbering = numberPoint(latitude, longitude, scale);
    std::string text(ids ? kPointIdHeader : kPointHeader);
    OutputCursor output(text);
    putCsvField(output, latitude);
    output.put(',');
    putCsvField(output, longitude);
    output.put(',');
    if (numbering.sheet) {
        appendSheetColumns(output, *numbering.sheet, ids);
    } else {
        std::string error;
        appendPointError(error, numbering, latitude, longitude);
        output.put(emptySheetColumns(ids));
        putCsvField(output, error);
    }
    output.put('\n');
    if (!writeChecked(out, output.text(), err) || !flushChecked(out, err)) {
        return RunStatus::WriteFailed;
    }
    return numbering.sheet ? RunStatus::Success : RunStatus::RowErrors;
}

CsvNumberingRun numberToCsv(const CsvNumbering& numbering, std::istream& in, std::ostream& out,
                            std::ostream& err, const ProgressListener& progress) {
    RowLayout layout;
    InputBlocks blocks(in, numbering.table ? RecordFormat::Csv : RecordFormat::Lines, kBlockSize);
    std::optional<Block> first;
    const bool ids = numbering.ids;
    if (!numbering.table) {
        if (!writeChecked(out, ids ? kPointIdHeader : kPointHeader, err)) {
            return {RunStatus::WriteFailed};
        }
    } else {
        first.emplace();
        if (!blocks.next(first->input, first->firstLine)) {
            first.reset();
        }
        TableStart start;
        CsvNumberingRun run;
        if (!startTable(*numbering.table, first ? &*first : nullptr, layout, start,
                        run.tableProblem)) {
            return run;
        }
        if (!start.header.empty()) {
            const std::string_view header = start.header;
            const std::size_t ending = lineEndingLength(header);
            std::string row;
            text::appendCsvText(row, header.substr(0, header.size() - ending));
            row.append(ids ? kAppendedIdHeader : kAppendedHeader)
                .append(header.substr(header.size() - ending));
            if (!writeChecked(out, row, err)) {
                return {RunStatus::WriteFailed};
            }
        }
    }
    return {numberStream(numbering, layout, blocks, std::move(first), out, err, progress)};
}

}  // namespace mapsheet::batch
