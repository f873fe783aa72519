// mapsheet-cli angle: one angle in the five written forms of the angle window.
//
// The value goes into the box of its form exactly as if typed there, and the command prints
// what the window's boxes then show, so the command and the window never disagree.

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/shared_options.h"
#include "library/QmbJiChuGeShi.h"
#include "library/angle_conversion.h"
#include "library/code_points.h"
#include "text/angle_marks.h"
#include "text/json_text.h"

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

enum class Form { Dms, Packed, Marked, Degrees, Radians };

struct FormInfo {
    std::string_view name;
    Form form;
    AngleBox box;
    std::string_view expected;
};

constexpr std::array<FormInfo, 5> kForms{{
    {"dms", Form::Dms, AngleBox::Degrees,
     "whole degrees, whole minutes and seconds, such as 45 52 56.6879 or -0 3 0 (\"-0 0 0\" is "
     "the start of a negative angle, not an angle; give 0 0 0)"},
    {"packed", Form::Packed, AngleBox::Packed,
     "a packed degree-minute-second number D.MMSSs..., such as 45.52566879"},
    {"marked", Form::Marked, AngleBox::Marked,
     "marked degree-minute-second text ending in a mark, such as 45°52′56.6879″, 45°52′, "
     "45d52'56.6879\" or 45:52:56.6879"},
    {"degrees", Form::Degrees, AngleBox::DecimalDegrees,
     "decimal degrees, such as 45.882413305556"},
    {"radians", Form::Radians, AngleBox::Radians, "radians, such as 0.8007991809428"},
}};

const FormInfo* findForm(std::string_view name) {
    for (const FormInfo& info : kForms) {
        if (info.name == name) {
            return &info;
        }
    }
    return nullptr;
}

const FormInfo& formInfo(Form form) {
    return kForms[static_cast<std::size_t>(form)];
}

bool hasMarks(const std::string& value) {
    return value.find_first_of("dD'\":") != std::string::npos ||
           text::decodeUtf8(value).find_first_of(U"°′″’”") != std::u32string::npos;
}

struct Request {
    std::optional<Form> form;
    bool json = false;
    std::vector<std::string> values;
};

constexpr CommandUsage kUsage{"angle"};
constexpr Option kFromOption{"--from", true};

int usageError(std::ostream& err, const std::string& message) {
    kUsage.error(err, message);
    err << '\n' << kAngleUsage;
    return kExitUsage;
}

bool startsWith(std::string_view text, std::string_view head) {
    return text.substr(0, head.size()) == head;
}

struct DmsPart {
    std::string_view boxCharacters;
    bool pointAllowed;
    bool minusAllowed;
};

// Whole degrees with an optional "-", whole minutes and decimal seconds: what the three boxes
// can hold.
constexpr std::array<DmsPart, 3> kDmsParts{{
    {"-0123456789", false, true},
    {"0123456789", false, false},
    {"0.123456789", true, false},
}};

// The three values as the boxes hold them once typed, or nullopt when a value has no digit
// left after cleaning (also when its number is beyond the decimal range) or has a point or a
// minus its box would drop: typed into the window, "30.5" minutes would lose the point and
// become "59", so the command refuses it instead of guessing.
std::optional<std::array<std::string, 3>> cleanedDms(const std::vector<std::string>& values) {
    std::array<std::string, 3> boxes;
    for (std::size_t i = 0; i < kDmsParts.size(); ++i) {
        const DmsPart& part = kDmsParts[i];
        const std::string number = QmbJiChuGeShi::Dec规范数字文本(values[i], "-0.123456789");
        const bool hasDigit = number.find_first_of("0123456789") != std::string::npos;
        const bool hasPoint = number.find('.') != std::string::npos;
        const bool hasMinus = startsWith(number, "-");
        if (!hasDigit || (hasPoint && !part.pointAllowed) || (hasMinus && !part.minusAllowed)) {
            return std::nullopt;
        }
        boxes[i] = QmbJiChuGeShi::Dec规范数字文本(number, part.boxCharacters);
    }
    return boxes;
}

void writeJson(std::ostream& out, const AngleBoxTexts& boxes) {
    const std::array<std::pair<const char*, const std::string*>, 7> members{{
        {"degrees", &boxes.degrees},
        {"minutes", &boxes.minutes},
        {"seconds", &boxes.seconds},
        {"packed", &boxes.packed},
        {"marked", &boxes.marked},
        {"decimal_degrees", &boxes.decimalDegrees},
        {"radians", &boxes.radians},
    }};
    std::string json = "{";
    for (std::size_t i = 0; i < members.size(); ++i) {
        json.append(i == 0 ? "" : ",");
        text::appendJsonString(json, members[i].first);
        json.push_back(':');
        text::appendJsonString(json, *members[i].second);
    }
    out << json << "}\n";
}

void writeText(std::ostream& out, const AngleBoxTexts& boxes) {
    out << "度分秒① " << boxes.degrees << ' ' << boxes.minutes << ' ' << boxes.seconds << '\n'
        << "度分秒② " << boxes.packed << '\n'
        << "度分秒③ " << boxes.marked << '\n'
        << "百分度型 " << boxes.decimalDegrees << '\n'
        << "弧 度 型 " << boxes.radians << '\n';
}

std::string joined(const std::vector<std::string>& values) {
    std::string text;
    for (const std::string& value : values) {
        text += (text.empty() ? "" : " ") + value;
    }
    return text;
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
    Request request;
    request.values = line->operands();
    if (const std::optional<std::string> name = line->value(kFromOption)) {
        const FormInfo* info = findForm(*name);
        if (info == nullptr) {
            return usageError(err, "unknown form " + kUsage.quoted(*name) +
                                       ": expected dms, packed, marked, degrees or radians");
        }
        request.form = info->form;
    }
    const std::string format = line->value(kFormatOption).value_or("text");
    if (format != "json" && format != "text") {
        return usageError(err,
                          "unknown format " + kUsage.quoted(format) + ": expected text or json");
    }
    request.json = format == "json";

    if (!request.form && request.values.size() == 3) {
        request.form = Form::Dms;
    }
    const std::size_t wanted = request.form == Form::Dms ? 3 : 1;
    if (request.values.size() != wanted) {
        return usageError(err, wanted == 3 ? "--from dms takes three values D M S"
                                           : "expected one VALUE, or three: D M S");
    }
    const Form form =
        request.form.value_or(hasMarks(request.values[0]) ? Form::Marked : Form::Degrees);
    const FormInfo& info = formInfo(form);
    const std::string typed = joined(request.values);
    auto noAngle = [&] {
        err << "mapsheet-cli angle: no angle in \"" << typed << "\": expected " << info.expected
            << ", with numbers the decimal type can hold (28 significant digits)\n";
        return kExitUsage;
    };

    AngleBoxTexts boxes;
    switch (form) {
        case Form::Dms: {
            const auto dms = cleanedDms(request.values);
            if (!dms) {
                return noAngle();
            }
            boxes.degrees = (*dms)[0];
            boxes.minutes = (*dms)[1];
            boxes.seconds = (*dms)[2];
            break;
        }
        case Form::Packed:
            boxes.packed = typed;
            break;
        case Form::Marked:
            boxes.marked = text::withAngleMarks(typed);
            break;
        case Form::Degrees:
            boxes.decimalDegrees = typed;
            break;
        case Form::Radians:
            boxes.radians = typed;
            break;
    }
    // The window shows the fallback values of a failed conversion; the command refuses them.
    const AngleConversionRun run = traceAngleConversion(boxes, info.box);
    if (run.fellBack || showsNoAngle(run.boxes, info.box)) {
        return noAngle();
    }
    if (request.json) {
        writeJson(out, run.boxes);
    } else {
        writeText(out, run.boxes);
    }
    return finishOutput(out, err, kExitSuccess);
}

}  // namespace mapsheet::cli
