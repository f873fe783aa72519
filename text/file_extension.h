#pragma once

// Whether a file name ends in an extension, the way the commands choose a format by name:
// extension is lower-case ASCII with its dot (".csv"); the name's letters compare in either
// case (OUT.CSV), bytes outside ASCII exactly.

#include <string_view>

namespace mapsheet::text {

bool hasExtension(std::string_view path, std::string_view extension);

}  // namespace mapsheet::text
