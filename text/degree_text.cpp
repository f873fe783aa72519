#include "text/degree_text.h"

#include <charconv>
#include <cstdlib>

namespace mapsheet::cli {

void appendHalfUnitDegrees(std::string& text, std::int64_t halfUnits) {
    // degrees * 10^12 = halfUnits * 10^12 / 57600 = halfUnits * 10^10 / 576; the series keeps
    // |halfUnits| below 2^24, so the products stay far inside 64 bits.
    constexpr std::int64_t kScale = 10'000'000'000;
    constexpr std::int64_t kDivisor = 576;
    constexpr std::int64_t kFraction = 1'000'000'000'000;
    const std::int64_t magnitude = std::llabs(halfUnits);
    const std::int64_t rounded = (2 * magnitude * kScale + kDivisor) / (2 * kDivisor);
    if (halfUnits < 0 && rounded != 0) {
        text.push_back('-');
    }
    char digits[24];
    auto [end, ignored] = std::to_chars(digits, digits + sizeof digits, rounded / kFraction);
    text.append(digits, end);
    std::int64_t fraction = rounded % kFraction;
    if (fraction == 0) {
        return;
    }
    int places = 12;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --places;
    }
    text.push_back('.');
    text.append(static_cast<std::size_t>(places), '0');
    for (std::size_t i = text.size(); fraction != 0; fraction /= 10) {
        text[--i] = static_cast<char>('0' + fraction % 10);
    }
}

}  // namespace mapsheet::cli
