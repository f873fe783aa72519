#include "text/csv.h"

#include <cstdint>
#include <cstring>

#include "library/byte_words.h"

namespace mapsheet::cli {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

bool needsQuotes(std::string_view field) {
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

// A word at a time, as most fields are copied as they are.
bool isPlainCsvField(std::string_view field) {
    for (std::size_t at = 0; at < field.size(); at += 8) {
        const std::uint64_t word = text::wordAt(field, at);
        const std::uint64_t care = text::bytesEqual(word, ',') | text::bytesEqual(word, '"') |
                                   text::bytesEqual(word, '\r') | text::bytesEqual(word, '\n') |
                                   text::bytesEqual(word, '\0');
        if ((care & text::bytesWithin(field, at)) != 0) {
            return false;
        }
    }
    return true;
}

void appendCsvText(std::string& record, std::string_view text) {
    while (!text.empty()) {
        const auto* const nul = static_cast<const char*>(std::memchr(text.data(), 0, text.size()));
        const std::size_t plain =
            nul == nullptr ? text.size() : static_cast<std::size_t>(nul - text.data());
        record.append(text.substr(0, plain));
        if (nul == nullptr) {
            return;
        }
        record.append(kReplacementCharacter);
        text.remove_prefix(plain + 1);
    }
}

void appendCsvField(std::string& record, std::string_view field) {
    if (isPlainCsvField(field)) {
        record.append(field);
        return;
    }
    if (!needsQuotes(field)) {
        appendCsvText(record, field);
        return;
    }
    record.push_back('"');
    for (const char c : field) {
        if (c == '"') {
            record.push_back('"');
        }
        if (c == '\0') {
            record.append(kReplacementCharacter);
        } else {
            record.push_back(c);
        }
    }
    record.push_back('"');
}

}  // namespace mapsheet::cli
