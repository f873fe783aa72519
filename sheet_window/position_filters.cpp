#include "sheet_window/position_filters.h"

#include <algorithm>
#include <cmath>

#include "library/number_text.h"
#include "sheet_window/decimal_degrees.h"

namespace mapsheet::sheet_window {

namespace {

constexpr double kLargestSeconds = 59.99;

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// A double read from text, with NaN (which no box can sensibly mean) taken as 0.
double ReadNumber(std::string_view text) {
    const double value = readLeadingDouble(text);
    return std::isnan(value) ? 0.0 : value;
}

}  // namespace

bool IsAcceptedText(std::string_view text) {
    return text > std::string_view(" ");
}

int ReadClampedInteger(std::string_view text, int lowest, int highest) {
    const double clamped = std::clamp(ReadNumber(text), double(lowest), double(highest));
    // Within the integer bounds the halves-to-even rounding cannot leave them.
    return static_cast<int>(roundDoubleHalfEven(clamped, 0));
}

std::optional<std::string> FilterDegrees(std::string_view text, int limit) {
    if (!IsAcceptedText(text) || text == "-" || text == "-0") {
        return std::nullopt;
    }
    if (const std::optional<std::string> decimal = DecimalDegreesText(text)) {
        if (std::abs(ReadNumber(text)) < limit + 1) {
            return decimal;
        }
    }
    return std::to_string(ReadClampedInteger(text, -limit, limit));
}

std::optional<std::string> FilterMinutes(std::string_view text) {
    if (!IsAcceptedText(text)) {
        return std::nullopt;
    }
    return std::to_string(ReadClampedInteger(text, 0, 59));
}

std::optional<std::string> FilterSeconds(std::string_view text) {
    if (!IsAcceptedText(text)) {
        return std::nullopt;
    }
    std::string_view suffix;
    if (EndsWith(text, ".")) {
        suffix = ".";
    } else if (EndsWith(text, ".0")) {
        suffix = ".0";
    }
    double seconds = ReadNumber(text);
    if (seconds < 0 || seconds == 0) {
        seconds = 0;  // also turns -0 into 0
    } else if (seconds >= 60) {
        seconds = kLargestSeconds;
    }
    return doubleText(seconds) + std::string(suffix);
}

}  // namespace mapsheet::sheet_window
