#include "cli/quoted_excerpt.h"

#include "library/code_points.h"

namespace mapsheet::cli {

void appendQuotedExcerpt(std::string& message, std::string_view value) {
    std::size_t length = 0;
    std::size_t codePoints = 0;
    while (length < value.size() && codePoints < kExcerptCodePoints) {
        length += text::leadingCodePoint(value.substr(length)).length;
        ++codePoints;
    }
    message.push_back('"');
    message.append(value.substr(0, length));
    if (length < value.size()) {
        message.append("…");
    }
    message.push_back('"');
}

}  // namespace mapsheet::cli
