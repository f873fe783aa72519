#include "cli/number_csv.h"

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
#include "cli/exit_status.h"
#include "cli/progress_line.h"
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
void appendSheetColumns(batch::OutputCursor& row, const engine::Sheet& sheet, bool ids) {
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

void putCsvField(batch::OutputCursor& row, std::string_view field) {
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

// One row of point lines: the coordinates as given; a line that cannot be read goes whole
// into the latitude column.
void appendPointLineRow(batch::OutputCursor& output, const batch::PointRow& row, bool ids) {
    const bool ownColumns =
        row.numbering.sheet || row.numbering.error == engine::InputErrorCode::PointOutsideSeries;
    putCsvField(output, ownColumns ? row.latitude : row.record);
    output.put(',');
    putCsvField(output, ownColumns ? row.longitude : std::string_view());
    output.put(',');
    if (row.numbering.sheet) {
        appendSheetColumns(output, *row.numbering.sheet, ids);
    } else {
        output.put(emptySheetColumns(ids));
        putCsvField(output, row.error);
    }
    output.put('\n');
}

// One row of a table: the record as it was, the three columns appended, the same line ending.
void appendTableRow(batch::OutputCursor& output, const batch::PointRow& row, bool ids) {
    text::appendCsvText(output.text(), row.record);
    output.put(',');
    if (row.numbering.sheet) {
        appendSheetColumns(output, *row.numbering.sheet, ids);
    } else {
        output.put(emptySheetColumns(ids));
        putCsvField(output, row.error);
    }
    output.put(row.lineEnding.empty() ? std::string_view("\n") : row.lineEnding);
}

void numberBlock(batch::Block& block, const batch::RowLayout& layout, int scale, bool ids) {
    block.output.clear();
    batch::OutputCursor output(block.output);
    block.anyError = false;
    block.rows = 0;
    batch::PointRows rows(block.input, block.firstLine, block.firstLine == 1, layout, scale);
    batch::PointRow row;
    while (rows.next(row)) {
        ++block.rows;
        if (layout.format == batch::RecordFormat::Csv) {
            appendTableRow(output, row, ids);
        } else {
            appendPointLineRow(output, row, ids);
        }
        block.anyError = block.anyError || !row.numbering.sheet;
    }
}

int numberArguments(const NumberOptions& options, std::ostream& out, std::ostream& err) {
    const batch::PointNumbering numbering =
        batch::numberPoint(*options.latitude, *options.longitude, options.scale);
    const bool ids = options.format == "id";
    std::string text(ids ? kPointIdHeader : kPointHeader);
    batch::OutputCursor output(text);
    putCsvField(output, *options.latitude);
    output.put(',');
    putCsvField(output, *options.longitude);
    output.put(',');
    if (numbering.sheet) {
        appendSheetColumns(output, *numbering.sheet, ids);
    } else {
        std::string error;
        batch::appendPointError(error, numbering, *options.latitude, *options.longitude);
        output.put(emptySheetColumns(ids));
        putCsvField(output, error);
    }
    output.put('\n');
    if (!batch::writeChecked(out, output.text(), err)) {
        return kExitWriteFailed;
    }
    return finishOutput(out, err, numbering.sheet ? kExitSuccess : kExitRowErrors);
}

// Numbers the input that follows the header (or all of it) on the jobs threads, the first
// block being the rest of the one the header was cut from.
int numberStream(const NumberOptions& options, const batch::RowLayout& layout,
                 batch::InputBlocks& blocks, std::optional<batch::Block> first, std::ostream& out,
                 std::ostream& err) {
    ProgressLine progressLine(err, &out, "rows");
    return exitStatusOf(batch::writeBlocksInOrder(
        options.jobs, blocks, std::move(first),
        [&](batch::Block& block) {
            numberBlock(block, layout, options.scale, options.format == "id");
        },
        out, err, progressLine.listener()));
}

}  // namespace

int numberToCsv(const NumberOptions& options, std::istream& in, std::ostream& out,
                std::ostream& err) {
    if (options.latitude) {
        return numberArguments(options, out, err);
    }
    batch::RowLayout layout;
    batch::InputBlocks blocks(
        in, options.latitudeColumn ? batch::RecordFormat::Csv : batch::RecordFormat::Lines,
        kBlockSize);
    std::optional<batch::Block> first;
    const bool ids = options.format == "id";
    if (!options.latitudeColumn) {
        if (!batch::writeChecked(out, ids ? kPointIdHeader : kPointHeader, err)) {
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
            text::appendCsvText(row, header.substr(0, header.size() - ending));
            row.append(ids ? kAppendedIdHeader : kAppendedHeader)
                .append(header.substr(header.size() - ending));
            if (!batch::writeChecked(out, row, err)) {
                return kExitWriteFailed;
            }
        }
    }
    return numberStream(options, layout, blocks, std::move(first), out, err);
}

}  // namespace mapsheet::cli
