#include "cli/csv.h"

namespace mapsheet::cli {

namespace {

bool needsQuotes(std::string_view field) {
    for (const char c : field) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n') {
            return true;
        }
    }
    return false;
}

}  // namespace

void appendCsvField(std::string& record, std::string_view field) {
    if (!needsQuotes(field)) {
        record.append(field);
        return;
    }
    record.push_back('"');
    for (const char c : field) {
        if (c == '"') {
            record.push_back('"');
        }
        record.push_back(c);
    }
    record.push_back('"');
}

}  // namespace mapsheet::cli
