#include "text/point_line.h"

#include "library/number_text.h"

namespace mapsheet::text {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
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
    return trimSpacesAndTabs(line).empty();
}

std::optional<PointFields> splitPointLine(std::string_view line) {
    const auto comma = line.find(',');
    if (comma != std::string_view::npos) {
        if (line.find(',', comma + 1) != std::string_view::npos) {
            return std::nullopt;
        }
        const PointFields fields{trimSpacesAndTabs(line.substr(0, comma)),
                                 trimSpacesAndTabs(line.substr(comma + 1))};
        if (fields.latitude.empty() || fields.longitude.empty()) {
            return std::nullopt;
        }
        return fields;
    }
    const std::string_view text = trimSpacesAndTabs(line);
    const auto gap = firstBlank(text);
    if (gap == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view longitude = trimSpacesAndTabs(text.substr(gap));
    if (firstBlank(longitude) != std::string_view::npos) {
        return std::nullopt;
    }
    return PointFields{text.substr(0, gap), longitude};
}

}  // namespace mapsheet::text
