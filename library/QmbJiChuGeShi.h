#pragma once

// QmbJiChuGeShi: cleaning of typed number text.
//
// Users type numbers with whatever their input method produces: full-width digits, several
// kinds of dash and point, spaces, stray letters. These functions turn such text into clean
// numeric text as it is typed, so that every change of a box can be read as a number at once.
// Texts that a user may be in the middle of typing ("-", "-0.", ".00") are left as typed.
// Pure functions; none writes to the diagnostics log. Cleaning a cleaned text changes nothing.

#include <string>
#include <string_view>

#include "library/decimal.h"

namespace mapsheet::QmbJiChuGeShi {

// The text as a decimal; 0 when it does not convert. Never fails.
Decimal Dec文本to数值(std::string_view text);

// The cleaned number text keeping only characters of `allowed` (a UTF-8 set such as
// "-0123456789" or "-0.123456789"), or an empty text.
std::string Dec规范数字文本(std::string_view text, std::string_view allowed);

// The cleaned degree-minute-second text over the set "-0.123456789°′″", or an empty text.
std::string Dec规范度分秒文本(std::string_view text);

}  // namespace mapsheet::QmbJiChuGeShi
