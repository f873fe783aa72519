#include "text/utf8_text.h"

#include "library/code_points.h"

namespace mapsheet::text {

std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
    const mapsheet::text::LeadingCodePoint next = mapsheet::text::leadingCodePoint(text.substr(at));
    // U+FFFD read from a single byte is the mark of a byte that starts no sequence; U+FFFD
    // written in the text takes three.
    const bool malformed = next.value == kReplacementCharacter && next.length == 1;
    return malformed ? 0 : next.length;
}

std::string validUtf8(std::string_view text) {
    std::string valid;
    valid.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0) {
            valid.append(kReplacementCharacterUtf8);
            ++i;
        } else {
            valid.append(text.substr(i, length));
            i += length;
        }
    }
    return valid;
}

}  // namespace mapsheet::text
