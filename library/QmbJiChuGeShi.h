#pragma once

// QmbJiChuGeShi: cleaning of typed number text.
//
// Users type numbers with whatever their input method produces: full-width digits, several
// kinds of dash and point, spaces, stray letters. These functions turn such text into clean
// numeric text as it is typed, so that every change of a box can be read as a number at once.
// Texts that a user may be in the middle of typing ("-", "-0.", ".00") are left as typed.
// Pure functions; none writes to the diagnostics log. Cleaning a cleaned text changes nothing.
//
// Both filters first map the typed characters (UTF-8, taken code point by code point):
// blanks (" " and the full-width "　") are removed; "_", "－", "―", "﹣", "‐", "＿" become "-";
// "。", "．", "﹒", "·" become "."; the full-width digits "０".."９" become "0".."9". A point or
// dash is then kept only where it is the first of its kind in the mapped text, and a dash only
// in front, so "1.2.3" becomes "1.23" and "12-3" becomes "123".

#include <string>
#include <string_view>

#include "library/decimal.h"

namespace mapsheet::QmbJiChuGeShi {

// The text as a decimal (Decimal::parse: blanks around it, a sign, a point, an exponent); 0
// when it does not convert. Never fails.
Decimal Dec文本to数值(std::string_view text);

// The cleaned number text keeping only characters of `allowed` (a UTF-8 set such as
// "-0123456789" or "-0.123456789"), or an empty text. A result ending in "0" or "." and the
// incomplete numbers "-", "-.", "-0.", ".0" and the like are returned as they stand; any other
// result is written as its decimal value, so leading zeros go (007 -> 7, -.5 -> -0.5). A result
// whose value is beyond the decimal range gives an empty text.
std::string Dec规范数字文本(std::string_view text, std::string_view allowed);

// The cleaned degree-minute-second text over the set "-0.123456789°′″", or an empty text.
// Each mark is kept once, at its first occurrence, and only in the order ° ′ ″ and not as the
// first character: "45′52°" loses its "°", "°45" its leading mark, "45°°30′" its second "°".
std::string Dec规范度分秒文本(std::string_view text);

}  // namespace mapsheet::QmbJiChuGeShi
