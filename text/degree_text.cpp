#include "text/degree_text.h"

#include <charconv>
#include <cstdlib>

#include "engine/sheet.h"

namespace mapsheet::text {

void appendHalfUnitDegrees(std::string& text, std::int64_t halfUnits) {
    constexpr std::int64_t kFraction = 1'000'000'000'000;  // 1e-12 degree to the degree
    const std::int64_t rounded = std::llabs(engine::picodegreesOfHalfUnits(halfUnits));
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

}  // namespace mapsheet::text
