#include "cli/scale_names.h"

#include <array>

#include "engine/scale_catalogue.h"

namespace mapsheet::cli {

namespace {

constexpr std::array<std::string_view, engine::kScaleCount> kDenominators{
    "1000000", "500000", "250000", "200000", "100000", "50000",
    "25000",   "10000",  "5000",   "2000",   "1000",   "500"};

std::string_view captionWithoutLeadingSpace(int index) {
    std::string_view caption = engine::kScaleCatalogue[index].caption;
    while (!caption.empty() && caption.front() == ' ') {
        caption.remove_prefix(1);
    }
    return caption;
}

bool isRatio(std::string_view text, std::string_view denominator) {
    return text.size() == denominator.size() + 2 && text.starts_with("1:") &&
           text.substr(2) == denominator;
}

}  // namespace

std::optional<int> parseScale(std::string_view text) {
    for (int index = 0; index < engine::kScaleCount; ++index) {
        const std::string_view denominator = kDenominators[index];
        if (text == denominator || isRatio(text, denominator) ||
            text == captionWithoutLeadingSpace(index) || text == engine::scaleLetter(index)) {
            return index;
        }
    }
    return std::nullopt;
}

std::string acceptedScales() {
    std::string list;
    for (int index = 0; index < engine::kScaleCount; ++index) {
        list.append("  1:").append(kDenominators[index]);
        list.append(", ").append(kDenominators[index]);
        const std::string_view caption = captionWithoutLeadingSpace(index);
        if (caption.substr(2) != kDenominators[index]) {
            list.append(", ").append(caption);
        }
        list.append(", ").append(engine::scaleLetter(index)).append("\n");
    }
    return list;
}

}  // namespace mapsheet::cli
