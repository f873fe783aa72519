#pragma once

// The ASCII forms of marked degree-minute-second text written with the marks ° ′ ″, as the
// angle command shows a typed angle back. Pure; any text is legal.

#include <string>
#include <string_view>

namespace mapsheet::text {

// "d" and "D" become "°", "'" and "’" become "′", "\"" and "”" become "″"; a text of two or
// three parts joined by ":" and holding no other mark becomes D°M′ or D°M′S″. Any other text
// comes back as it is.
std::string withAngleMarks(std::string_view text);

}  // namespace mapsheet::text
