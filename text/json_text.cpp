#include "text/json_text.h"

#include "library/code_points.h"
#include "text/utf8_text.h"

namespace mapsheet::text {

void appendJsonString(std::string& json, std::string_view text) {
    constexpr char kHex[] = "0123456789abcdef";
    json.push_back('"');
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = utf8SequenceLength(text, i);
            json.append(length == 0 ? kReplacementCharacterUtf8 : text.substr(i, length));
            i += length == 0 ? 1 : length;
            continue;
        }
        if (c == '"' || c == '\\') {
            json.push_back('\\');
            json.push_back(static_cast<char>(c));
        } else if (c == '\n') {
            json.append("\\n");
        } else if (c == '\t') {
            json.append("\\t");
        } else if (c == '\r') {
            json.append("\\r");
        } else if (c < 0x20 || c == 0x7F) {
            json.append("\\u00");
            json.push_back(kHex[c >> 4]);
            json.push_back(kHex[c & 0xF]);
        } else {
            json.push_back(static_cast<char>(c));
        }
        ++i;
    }
    json.push_back('"');
}

}  // namespace mapsheet::text
