#include "text/csv.h"

#include <array>
#include <cstring>

#include "library/code_points.h"

namespace mapsheet::text {

namespace {

bool needsQuotes(std::string_view field) {
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

// A table lookup a byte, without a branch until the end, as most fields are copied as they are.
bool isPlainCsvField(std::string_view field) {
    static constexpr std::array<bool, 256> kNeedsCare = [] {
        std::array<bool, 256> care{};
        for (const char c : {',', '"', '\r', '\n', '\0'}) {
            care[static_cast<unsigned char>(c)] = true;
        }
        return care;
    }();
    bool care = false;
    for (const char c : field) {
        care |= kNeedsCare[static_cast<unsigned char>(c)];
    }
    return !care;
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
        record.append(kReplacementCharacterUtf8);
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
            record.append(kReplacementCharacterUtf8);
        } else {
            record.push_back(c);
        }
    }
    record.push_back('"');
}

}  // namespace mapsheet::text
