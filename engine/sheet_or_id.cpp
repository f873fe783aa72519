// An id is all digits; everything else goes to the number parser.

#include "engine/sheet_or_id.h"

#include <charconv>
#include <cstdint>
#include <string>

#include "engine/sheet_id.h"
#include "library/number_text.h"

namespace mapsheet::engine {

ParsedSheet parseSheetOrId(std::string_view text) {
    const std::string_view trimmed = trimSpacesAndTabs(text);
    if (trimmed.empty() || trimmed.find_first_not_of("0123456789") != std::string_view::npos) {
        return parseSheetNumber(text);
    }
    std::int64_t id = 0;
    const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), id);
    ParsedSheet parsed;
    if (error == std::errc() && end == trimmed.data() + trimmed.size()) {
        parsed.sheet = idToSheet(id);
    }
    if (!parsed.sheet) {
        parsed.error = inputError(InputErrorCode::NotASheetId, trimmed);
    }
    return parsed;
}

}  // namespace mapsheet::engine
