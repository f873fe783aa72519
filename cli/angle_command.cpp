// mapsheet-cli angle: one angle in the five written forms of the angle window
// (text/angle_forms.h).

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/shared_options.h"
#include "text/angle_forms.h"

namespace mapsheet::cli {

namespace {

constexpr const char* kAngleUsage =
    "Usage: mapsheet-cli angle [--from FORM] [--format text|json] VALUE...\n"
    "\n"
    "Converts one angle between the written forms of the angle window and prints what the\n"
    "window shows once the value has been typed into the box of its form. The value is cleaned\n"
    "as the window cleans typed text: letters vanish, full-width digits become plain ones and\n"
    "the dashes _ － ― ﹣ ‐ ＿ count as a minus.\n"
    "\n"
    "FORM is one of:\n"
    "  dms      three values D M S: whole degrees (a leading \"-\" for a negative angle),\n"
    "           whole minutes, seconds with decimals (45 52 56.6879, -0 3 0)\n"
    "  packed   one packed number D.MMSSs... (45.52566879 is 45°52′56.6879″)\n"
    "  marked   marked text ending in a mark: 45°52′56.6879″, 45°52′; the ASCII forms\n"
    "           45d52'56.6879\" and 45:52:56.6879 are accepted too\n"
    "  degrees  decimal degrees (45.882413305556)\n"
    "  radians  radians (0.8007991809428)\n"
    "Without --from, a value with marks (° ′ ″, d ' \" or :) is read as marked text, a plain\n"
    "number as decimal degrees and three values as dms.\n"
    "\n"
    "--format text (the default) prints one line per form, labelled as in the window:\n"
    "度分秒① (degrees, minutes, seconds), 度分秒② (packed), 度分秒③ (marked), 百分度型\n"
    "(decimal degrees) and 弧 度 型 (radians). --format json prints one JSON object with the\n"
    "string members degrees, minutes, seconds, packed, marked, decimal_degrees and radians.\n"
    "\n"
    "Exit status: 0 on success; 2 when the value gives no angle (also when a number in it is\n"
    "beyond the 28 significant digits of the decimal type) or the arguments are wrong; 3 when\n"
    "the output could not be written.\n";

constexpr CommandUsage kUsage{"angle"};
constexpr Option kFromOption{"--from", true};

int usageError(std::ostream& err, const std::string& message) {
    kUsage.error(err, message);
    err << '\n' << kAngleUsage;
    return kExitUsage;
}

}  // namespace

int runAngleCommand(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    const std::optional<CommandLine> line =
        readCommandLine(arguments, {kFromOption, kFormatOption}, kUsage, err);
    if (!line) {
        err << '\n' << kAngleUsage;
        return kExitUsage;
    }
    if (line->help()) {
        out << kAngleUsage;
        return finishOutput(out, err, kExitSuccess);
    }
    const std::optional<std::string> formName = line->value(kFromOption);
    const std::vector<std::string> values = line->operands();
    if (formName && !text::angleFormNamed(*formName)) {
        return usageError(err, text::readAngle(values, formName).error);
    }
    const std::string format = line->value(kFormatOption).value_or("text");
    if (format != "json" && format != "text") {
        return usageError(err,
                          "unknown format " + kUsage.quoted(format) + ": expected text or json");
    }
    const text::AngleReading reading = text::readAngle(values, formName);
    if (!reading.boxes) {
        if (reading.usage) {
            return usageError(err, reading.error);
        }
        kUsage.error(err, reading.error);
        return kExitUsage;
    }
    const AngleBoxTexts& boxes = *reading.boxes;
    out << (format == "json" ? text::angleJson(boxes) : text::angleLines(boxes));
    return finishOutput(out, err, kExitSuccess);
}

}  // namespace mapsheet::cli
