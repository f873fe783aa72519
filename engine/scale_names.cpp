#include "engine/scale_names.h"

#include <algorithm>
#include <array>

#include "engine/scale_catalogue.h"
#include "library/thousands.h"

namespace mapsheet::engine {

namespace {

constexpr std::array<std::string_view, kScaleCount> kDenominators{
    "1000000", "500000", "250000", "200000", "100000", "50000",
    "25000",   "10000",  "5000",   "2000",   "1000",   "500"};

std::string_view captionWithoutLeadingSpace(int index) {
    std::string_view caption = kScaleCatalogue[index].caption;
    while (!caption.empty() && caption.front() == ' ') {
        caption.remove_prefix(1);
    }
    return caption;
}

bool isRatio(std::string_view text, std::string_view denominator) {
    return text.size() == denominator.size() + 2 && text.starts_with("1:") &&
           text.substr(2) == denominator;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr std::string_view kThousandsSeparators = ", _";

// The text without surrounding blanks and with the thousands separators of its numbers
// removed, letters upper-cased; nullopt when a number's separators stand out of place
// ("1:50,00").
std::optional<std::string> canonicalSpelling(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    std::string canonical;
    for (std::size_t i = 0; i < text.size();) {
        if (!isDigit(text[i])) {
            const char c = text[i++];
            canonical.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
            continue;
        }
        // A number: digits, and separators that stand between two digits.
        std::size_t end = i + 1;
        while (end < text.size() &&
               (isDigit(text[end]) ||
                (kThousandsSeparators.find(text[end]) != std::string_view::npos &&
                 end + 1 < text.size() && isDigit(text[end + 1])))) {
            ++end;
        }
        const std::optional<std::string> digits =
            text::digitsWithoutThousandsSeparators(text.substr(i, end - i), kThousandsSeparators);
        if (!digits) {
            return std::nullopt;
        }
        canonical.append(*digits);
        i = end;
    }
    return canonical;
}

}  // namespace

std::optional<int> parseScale(std::string_view typed) {
    const std::optional<std::string> canonical = canonicalSpelling(typed);
    if (!canonical) {
        return std::nullopt;
    }
    const std::string_view text = *canonical;
    for (int index = 0; index < kScaleCount; ++index) {
        const std::string_view denominator = kDenominators[index];
        if (text == denominator || isRatio(text, denominator) ||
            text == captionWithoutLeadingSpace(index) || text == scaleLetter(index)) {
            return index;
        }
    }
    return std::nullopt;
}

std::optional<int> scaleOfDenominator(double denominator) {
    for (int index = 0; index < kScaleCount; ++index) {
        if (kScaleCatalogue[index].denominator == denominator) {
            return index;
        }
    }
    return std::nullopt;
}

std::string acceptedScales() {
    std::string list;
    for (int index = 0; index < kScaleCount; ++index) {
        list.append("  1:").append(kDenominators[index]);
        list.append(", ").append(kDenominators[index]);
        const std::string_view caption = captionWithoutLeadingSpace(index);
        if (caption.substr(2) != kDenominators[index]) {
            list.append(", ").append(caption);
        }
        list.append(", ").append(scaleLetter(index)).append("\n");
    }
    return list;
}

std::string scaleRatioText(int scaleIndex) {
    return "1:" + std::string(kDenominators[std::clamp(scaleIndex, 0, kScaleCount - 1)]);
}

}  // namespace mapsheet::engine
