#include "library/quoted_excerpt.h"

#include "library/code_points.h"

namespace mapsheet::text {

std::string excerpt(std::string_view value) {
    std::size_t length = 0;
    std::size_t codePoints = 0;
    while (length < value.size() && codePoints < kExcerptCodePoints) {
        length += leadingCodePoint(value.substr(length)).length;
        ++codePoints;
    }
    std::string kept(value.substr(0, length));
    if (length < value.size()) {
        kept.append("…");
    }
    return kept;
}

std::string singleQuotedExcerpt(std::string_view value) {
    return "'" + excerpt(value) + "'";
}

void appendQuotedExcerpt(std::string& message, std::string_view value) {
    message.append("\"").append(excerpt(value)).append("\"");
}

}  // namespace mapsheet::text
