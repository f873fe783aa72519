#include "cli/point_line.h"

namespace mapsheet::cli {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::size_t firstBlank(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isBlank(text[i])) {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace

bool isBlankLine(std::string_view line) {
    return trimmed(line).empty();
}

std::optional<PointFields> splitPointLine(std::string_view line) {
    const auto comma = line.find(',');
    if (comma != std::string_view::npos) {
        if (line.find(',', comma + 1) != std::string_view::npos) {
            return std::nullopt;
        }
        const PointFields fields{trimmed(line.substr(0, comma)), trimmed(line.substr(comma + 1))};
        if (fields.latitude.empty() || fields.longitude.empty()) {
            return std::nullopt;
        }
        return fields;
    }
    const std::string_view text = trimmed(line);
    const auto gap = firstBlank(text);
    if (gap == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view longitude = trimmed(text.substr(gap));
    if (firstBlank(longitude) != std::string_view::npos) {
        return std::nullopt;
    }
    return PointFields{text.substr(0, gap), longitude};
}

}  // namespace mapsheet::cli
