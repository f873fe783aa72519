#include "library/double_text.h"

#include <charconv>
#include <cstdio>

#include <fast_float/fast_float.h>

namespace mapsheet {

#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L

char* writeScientific14(double value, char* buffer, std::size_t size) {
    return std::to_chars(buffer, buffer + size, value, std::chars_format::scientific, 14).ptr;
}

std::string shortestText(double value) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

#else

char* writeScientific14(double value, char* buffer, std::size_t size) {
    const int length = std::snprintf(buffer, size, "%.14e", value);
    return buffer + (length < 0 ? 0 : length);
}

std::string shortestText(double value) {
    char text[32];
    int length = 0;
    for (int digits = 1; digits <= 17; ++digits) {
        length = std::snprintf(text, sizeof text, "%.*g", digits, value);
        double readBack = 0;
        fast_float::from_chars(text, text + length, readBack);
        if (readBack == value) {
            break;
        }
    }
    return std::string(text, static_cast<std::size_t>(length < 0 ? 0 : length));
}

#endif

}  // namespace mapsheet
