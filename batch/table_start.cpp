#include "batch/table_start.h"

#include <algorithm>

#include "library/number_text.h"
#include "library/quoted_excerpt.h"
#include "text/csv_records.h"
#include "text/utf8_text.h"

namespace mapsheet::batch {

namespace {

bool readHeader(std::string_view record, std::vector<std::string>& names, std::string& problem) {
    record = text::withoutByteOrderMark(record);
    record.remove_suffix(lineEndingLength(record));
    text::CsvFields fields(record);
    text::CsvField field;
    std::string storage;
    while (fields.next(field, storage)) {
        if (field.fault != text::CsvFieldFault::None) {
            problem = "the header row is not valid CSV: its field " +
                      std::to_string(names.size() + 1) + " has a broken double quote";
            return false;
        }
        names.emplace_back(trimSpacesAndTabs(field.text));
    }
    return true;
}

bool findColumn(const ColumnChoice& choice, const std::vector<std::string>& names,
                std::string_view option, std::size_t& index, std::string& problem) {
    if (choice.number) {
        index = *choice.number - 1;
        return true;
    }
    const auto found = std::find(names.begin(), names.end(), choice.name);
    if (found != names.end()) {
        index = static_cast<std::size_t>(found - names.begin());
        return true;
    }
    problem.assign(option).append(": no column ");
    text::appendQuotedExcerpt(problem, choice.name);
    problem.append(" in the header row; its columns are");
    for (std::size_t i = 0; i < names.size(); ++i) {
        problem.append(i == 0 ? " " : ", ");
        text::appendQuotedExcerpt(problem, names[i]);
    }
    return false;
}

}  // namespace

std::size_t lineEndingLength(std::string_view record) {
    if (!record.ends_with('\n')) {
        return 0;
    }
    return record.ends_with("\r\n") ? 2 : 1;
}

bool startTable(const TableColumns& columns, Block* first, RowLayout& layout, TableStart& start,
                std::string& problem) {
    layout.format = RecordFormat::Csv;
    if (columns.header && first != nullptr) {
        const std::size_t length = text::firstRecordLength(first->input);
        start.header = first->input.substr(0, length);
        first->input.erase(0, length);
        first->firstLine +=
            static_cast<long>(std::count(start.header.begin(), start.header.end(), '\n'));
        if (lineEndingLength(start.header) == 0) {
            start.header.push_back('\n');
        }
        if (!readHeader(start.header, start.columnNames, problem)) {
            return false;
        }
    }
    if (!columns.header || first != nullptr) {
        return findColumn(*columns.latitude, start.columnNames, "--lat-col", layout.latitudeColumn,
                          problem) &&
               findColumn(*columns.longitude, start.columnNames, "--lon-col",
                          layout.longitudeColumn, problem);
    }
    return true;
}

}  // namespace mapsheet::batch
