#include "batch/point_rows.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "library/byte_words.h"
#include "text/csv_records.h"
#include "text/point_line.h"
#include "text/utf8_text.h"

namespace mapsheet::batch {

namespace {

// A line cut from the text, found in one pass with what the common "LAT,LON" form needs.
struct ScannedLine {
    std::size_t length = 0;  // with its line feed
    std::size_t comma = 0;   // of the first comma, when commas is 1
    int commas = 0;          // counted while plain
    bool plain =
        true;  // no byte at or below the space (a blank, tab, carriage return) but the feed
};

// Eight bytes at a time: the bytes that end the scan (a comma, a byte at or below the space)
// are found in each word at once, so a plain line costs a few steps a word.
ScannedLine scanLine(std::string_view text) {
    ScannedLine line;
    for (std::size_t at = 0; at < text.size(); at += 8) {
        const std::uint64_t word = text::wordAt(text, at);
        std::uint64_t stops = text::bytesBelow(word, 0x21) | text::bytesEqual(word, ',');
        for (; stops != 0; stops &= stops - 1) {
            const std::size_t stop = at + text::firstMatch(stops);
            if (stop >= text.size()) {
                break;
            }
            const char c = text[stop];
            if (c == ',') {
                line.comma = line.commas == 0 ? stop : line.comma;
                ++line.commas;
                continue;
            }
            if (c != '\n') {
                // A line for the general splitter, which needs no more of the scan than where it
                // ends.
                line.plain = false;
                const auto* const feed = static_cast<const char*>(
                    std::memchr(text.data() + stop, '\n', text.size() - stop));
                line.length = feed == nullptr ? text.size()
                                              : static_cast<std::size_t>(feed - text.data()) + 1;
                return line;
            }
            line.length = stop + 1;
            return line;
        }
    }
    line.length = text.size();
    return line;
}

// The record without its line ending, and the ending.
void cutLineEnding(std::string_view whole, PointRow& row) {
    std::size_t ending = whole.ends_with('\n') ? 1 : 0;
    if (ending == 1 && whole.substr(0, whole.size() - 1).ends_with('\r')) {
        ending = 2;
    }
    row.record = whole.substr(0, whole.size() - ending);
    row.lineEnding = whole.substr(whole.size() - ending);
}

}  // namespace

PointRows::PointRows(std::string_view records, long firstLine, bool startOfInput,
                     const RowLayout& layout, int scale)
    : rest_(records),
      line_(firstLine),
      atInputStart_(startOfInput),
      layout_(layout),
      scale_(scale) {}

bool PointRows::next(PointRow& row) {
    while (!rest_.empty()) {
        // Field by field: assigning a whole fresh row clears it with a slow string store.
        row.line = line_;
        row.split = false;
        row.latitude = {};
        row.longitude = {};
        row.error = {};
        if (layout_.format == RecordFormat::Lines) {
            const ScannedLine line = scanLine(rest_);
            const std::string_view whole = rest_.substr(0, line.length);
            rest_.remove_prefix(line.length);
            ++line_;
            cutLineEnding(whole, row);
            // Most lines are "LAT,LON" without blanks: they need no second look.
            if (line.plain && line.commas == 1 && !atInputStart_ && line.comma > 0 &&
                line.comma + 1 < row.record.size()) {
                row.split = true;
                row.latitude = row.record.substr(0, line.comma);
                row.longitude = row.record.substr(line.comma + 1);
            } else if (!startRow(row)) {
                continue;
            } else {
                splitLine(row);
            }
        } else {
            const std::string_view whole = rest_.substr(0, text::firstRecordLength(rest_));
            rest_.remove_prefix(whole.size());
            line_ += static_cast<long>(std::count(whole.begin(), whole.end(), '\n'));
            cutLineEnding(whole, row);
            if (!startRow(row)) {
                continue;
            }
            splitRecord(row);
        }
        if (row.split) {
            numberPoint(row.latitude, row.longitude, scale_, row.numbering);
            if (!row.numbering.sheet) {
                appendPointError(startError(row), row.numbering, row.latitude, row.longitude);
                row.error = error_;
            }
        } else {
            row.numbering = {};
        }
        return true;
    }
    return false;
}

bool PointRows::startRow(PointRow& row) {
    if (atInputStart_) {
        row.record = text::withoutByteOrderMark(row.record);
    }
    atInputStart_ = false;
    return !text::isBlankLine(row.record);
}

std::string& PointRows::startError(const PointRow& row) {
    error_.assign("line ").append(std::to_string(row.line)).append(": ");
    return error_;
}

void PointRows::splitLine(PointRow& row) {
    const std::optional<text::PointFields> fields = text::splitPointLine(row.record);
    if (!fields) {
        startError(row).append(
            "expected latitude and longitude separated by a comma, a tab or blanks");
        row.error = error_;
        return;
    }
    row.split = true;
    row.latitude = fields->latitude;
    row.longitude = fields->longitude;
}

void PointRows::splitRecord(PointRow& row) {
    text::CsvFields fields(row.record);
    text::CsvField field;
    std::size_t index = 0;
    bool latitudeFound = false;
    bool longitudeFound = false;
    for (; fields.next(field, index == layout_.latitudeColumn    ? latitudeStorage_
                              : index == layout_.longitudeColumn ? longitudeStorage_
                                                                 : otherStorage_);
         ++index) {
        if (field.fault != text::CsvFieldFault::None) {
            startError(row).append("field ").append(std::to_string(index + 1));
            error_.append(field.fault == text::CsvFieldFault::OpenQuote
                              ? ": its double quote is not closed before the end of the input"
                              : ": text after its closing double quote");
            row.error = error_;
            return;
        }
        if (index == layout_.latitudeColumn) {
            row.latitude = field.text;
            latitudeFound = true;
        }
        if (index == layout_.longitudeColumn) {
            row.longitude = field.text;
            longitudeFound = true;
        }
    }
    if (!latitudeFound || !longitudeFound) {
        const std::size_t column = latitudeFound ? layout_.longitudeColumn : layout_.latitudeColumn;
        startError(row)
            .append(latitudeFound ? "no longitude" : "no latitude")
            .append(" in column ")
            .append(std::to_string(column + 1))
            .append(": the row has ")
            .append(std::to_string(index))
            .append(index == 1 ? " field" : " fields");
        row.error = error_;
        return;
    }
    row.split = true;
}

}  // namespace mapsheet::batch
