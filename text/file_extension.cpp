#include "text/file_extension.h"

#include <algorithm>
#include <cctype>

namespace mapsheet::text {

bool hasExtension(std::string_view path, std::string_view extension) {
    if (extension.empty() || path.size() < extension.size()) {
        return false;
    }
    const std::string_view tail = path.substr(path.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

}  // namespace mapsheet::text
