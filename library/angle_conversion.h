#pragma once

// The cross-conversion of the angle window as a pure function of its box texts.
//
// The window shows one angle in seven boxes; when the user types into one of them, that box's
// text is cleaned, read as an angle and converted into all the other forms. convertAngleBoxes
// performs one such change: it takes the texts the boxes hold right after the user's edit and
// the code of the box typed in, and returns the texts they hold once the conversion, including
// any re-entry on the typed box's own rewritten text, has come to rest. It runs with 精确模式 on
// and puts the previous mode back; the diagnostics log is reset at the start of every run of
// the box's handler, so afterwards it describes the last run.
//
// What each box's change does:
//  - TextDu (whole degrees with an optional "-"): an empty text, a lone "-", or "-0" with zero
//    minutes and seconds empties the other boxes (the user is about to type a negative angle).
//  - TextFen, TextMiao (whole minutes; seconds with decimals): an empty degrees text becomes
//    "0", a lone "-" in it "-0"; these boxes themselves are not rewritten with the result.
//  - In all three, empty minutes and seconds become "0", minutes of 60 and more "59", seconds
//    of 60 and more "59.999999"; the angle is tidied, so seconds that round up to 60 at 24
//    decimals carry into the minutes and degrees.
//  - Text2, Text4, Text5 (packed number, decimal degrees, radians): "", "-" and "-." empty the
//    other boxes; the typed box keeps its cleaned text, trailing zeros included.
//  - Text3 (marked text): text that does not end in a mark empties the other boxes, so "45°52"
//    waits for its "′"; otherwise the text is rewritten from the degree, minute and second
//    boxes, dropping a zero seconds part ("45°52′00″" becomes "45°52′") but keeping a typed
//    "0′".
// Text3, when written from another box, shows the packed value rounded to kDmsRoundDigits
// decimals with its seconds to four decimals (45°52′56.6879″, 45°30′00.0000″). A text that the
// decimal type cannot take empties the six other boxes; the typed box keeps its cleaned text.
//
// The result is at rest: running the typed box's handler on it leaves the typed box as it is,
// the failure path included. A run that keeps the typed text is the result only when one more
// run would keep it too; otherwise the conversion goes on from that next run (a failure over
// junk minutes empties them, and the seconds "61" the failure kept become "59.999999" on the
// emptied boxes). When the typed box is not TextDu, TextFen or TextMiao, the other boxes
// depend on the typed text alone, so converting the result again from the same box returns it
// unchanged. From TextDu that holds when the conversion filled the boxes, and converting from
// TextDu after only its degrees, minutes and seconds have been written back over older texts
// gives the result again. A window that writes the result into its boxes and lets its change
// handling run again therefore writes the minutes and seconds before the degrees: degrees over
// the old minutes and seconds would carry once more. The three boxes of degrees, minutes and
// seconds read each other, so from them a failure that emptied the others is no fixed point
// (converting again reads the emptied boxes as 0), and neither is a result from TextFen or
// TextMiao, which are not rewritten with it, where their value did not reach it: seconds that
// round to 60 at 24 decimals, minutes lost in the rounding of a 28-digit angle, or degrees that
// are no number and count as 0.

#include <string>

namespace mapsheet {

// Codes of the boxes, as the window's focus field holds them.
enum class AngleBox {
    Degrees = 1,         // TextDu
    Packed = 2,          // Text2
    Marked = 3,          // Text3
    DecimalDegrees = 4,  // Text4
    Radians = 5,         // Text5
    Minutes = 6,         // TextFen
    Seconds = 7,         // TextMiao
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

// The text of one box of the seven; a code outside them gives the radians box.
std::string& boxText(AngleBoxTexts& boxes, AngleBox box);

// Decimals of the packed value before it is written as marked text.
inline constexpr int kDmsRoundDigits = 8;

// A handler that rewrites its own box runs again on the new text; a conversion that has not
// come to rest after this many runs stops where it is.
inline constexpr int kMaxHandlerRuns = 8;

AngleBoxTexts convertAngleBoxes(const AngleBoxTexts& boxes, AngleBox typedBox);

// convertAngleBoxes with the number of handler runs behind its result (the run that confirms
// the rest is not counted); settled is false when it stopped after kMaxHandlerRuns runs with
// the typed box not at rest. fellBack is true when one of those runs fell back: it met a text
// the decimal type cannot take (the other boxes were emptied), or a library operation or the
// numeric normaliser returned its fallback value (0, an empty text) in place of a result. The
// boxes then show the fallback, as the window must; a caller that started from boxes holding
// nothing but its own value knows that the value gives no angle. A code that names no box runs
// nothing.
struct AngleConversionRun {
    AngleBoxTexts boxes;
    int handlerRuns = 0;
    bool settled = false;
    bool fellBack = false;
};
AngleConversionRun traceAngleConversion(const AngleBoxTexts& boxes, AngleBox typedBox);

// Whether a conversion left every box but the typed one empty: the window then shows no angle.
bool showsNoAngle(AngleBoxTexts boxes, AngleBox typedBox);

}  // namespace mapsheet
