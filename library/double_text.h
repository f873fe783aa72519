#pragma once

// Doubles written as text where std::to_chars for double is missing (emscripten's libc++):
// these two functions are the library's only writers of floating-point text.
//
// writeScientific14 writes d.dddddddddddddde±XX, the exact value correctly rounded to 15
// significant digits, with the same characters on every platform (std::to_chars where the C++
// library has it, C's snprintf, which musl and glibc round exactly, otherwise). shortestText
// is the shortest text that reads back as the value: std::to_chars's choice where available,
// else the fewest %g digits that read back; it is meant for messages.

#include <cstddef>
#include <string>

namespace mapsheet {

// Writes into buffer (at least 32 characters) and returns the end of the text.
char* writeScientific14(double value, char* buffer, std::size_t size);

std::string shortestText(double value);

}  // namespace mapsheet
