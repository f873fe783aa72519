#pragma once

// The check of a fuzz target: a property that does not hold is a finding. The message goes to
// standard error and the process aborts, which libFuzzer reports with the input that did it.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace mapsheet::fuzz {

[[noreturn]] inline void fail(const char* property, std::string_view detail) {
    std::fprintf(stderr, "fuzz property failed: %s\n  %.*s\n", property,
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

inline void check(bool holds, const char* property, std::string_view detail = {}) {
    if (!holds) {
        fail(property, detail);
    }
}

inline std::string_view textOf(const unsigned char* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace mapsheet::fuzz
