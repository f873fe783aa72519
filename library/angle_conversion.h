#pragma once

// The cross-conversion of the angle window as a pure function of its box texts.
//
// The window shows one angle in seven boxes; when the user types into one of them, that box's
// text is cleaned, read as an angle and converted into all the other forms. convertAngleBoxes
// performs one such change: it takes the texts the boxes hold right after the user's edit and
// the code of the box typed in, and returns the texts they hold once the conversion, including
// any re-entry on the typed box's own rewritten text, has come to rest. It runs with 精确模式 on
// and puts the previous mode back.

#include <array>
#include <string>

namespace mapsheet {

// Codes of the boxes, as the window's focus field holds them.
enum class AngleBox {
    Degrees = 1,        // TextDu
    Packed = 2,         // Text2
    Marked = 3,         // Text3
    DecimalDegrees = 4, // Text4
    Radians = 5,        // Text5
    Minutes = 6,        // TextFen
    Seconds = 7,        // TextMiao
};

struct AngleBoxTexts {
    std::string degrees;         // TextDu
    std::string minutes;         // TextFen
    std::string seconds;         // TextMiao
    std::string packed;          // Text2
    std::string marked;          // Text3
    std::string decimalDegrees;  // Text4
    std::string radians;         // Text5

    friend bool operator==(const AngleBoxTexts&, const AngleBoxTexts&) = default;
};

// Decimals of the packed value before it is written as marked text.
inline constexpr int kDmsRoundDigits = 8;

AngleBoxTexts convertAngleBoxes(const AngleBoxTexts& boxes, AngleBox typedBox);

}  // namespace mapsheet
