#include "text/angle_forms.h"

#include <array>

#include "library/QmbJiChuGeShi.h"
#include "library/code_points.h"
#include "library/quoted_excerpt.h"
#include "text/angle_marks.h"
#include "text/json_text.h"

namespace mapsheet::text {

namespace {

struct FormInfo {
    std::string_view name;
    AngleBox box;
    std::string_view expected;
};

// In the order of AngleForm.
constexpr std::array<FormInfo, 5> kForms{{
    {"dms", AngleBox::Degrees,
     "whole degrees, whole minutes and seconds, such as 45 52 56.6879 or -0 3 0 (\"-0 0 0\" is "
     "the start of a negative angle, not an angle; give 0 0 0)"},
    {"packed", AngleBox::Packed,
     "a packed degree-minute-second number D.MMSSs..., such as 45.52566879"},
    {"marked", AngleBox::Marked,
     "marked degree-minute-second text ending in a mark, such as 45°52′56.6879″, 45°52′, "
     "45d52'56.6879\" or 45:52:56.6879"},
    {"degrees", AngleBox::DecimalDegrees, "decimal degrees, such as 45.882413305556"},
    {"radians", AngleBox::Radians, "radians, such as 0.8007991809428"},
}};

const FormInfo& formInfo(AngleForm form) {
    return kForms[static_cast<std::size_t>(form)];
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

std::optional<std::array<std::string, 3>> cleanedDms(const std::vector<std::string>& values) {
    std::array<std::string, 3> boxes;
    for (std::size_t i = 0; i < kDmsParts.size(); ++i) {
        const DmsPart& part = kDmsParts[i];
        const std::string number = QmbJiChuGeShi::Dec规范数字文本(values[i], "-0.123456789");
        const bool hasDigit = number.find_first_of("0123456789") != std::string::npos;
        const bool hasPoint = number.find('.') != std::string::npos;
        const bool hasMinus = number.starts_with('-');
        if (!hasDigit || (hasPoint && !part.pointAllowed) || (hasMinus && !part.minusAllowed)) {
            return std::nullopt;
        }
        boxes[i] = QmbJiChuGeShi::Dec规范数字文本(number, part.boxCharacters);
    }
    return boxes;
}

}  // namespace

std::string joinedAngleValues(const std::vector<std::string>& values) {
    std::string text;
    for (const std::string& value : values) {
        text += (text.empty() ? "" : " ") + value;
    }
    return text;
}

std::optional<AngleForm> angleFormNamed(std::string_view name) {
    for (std::size_t i = 0; i < kForms.size(); ++i) {
        if (kForms[i].name == name) {
            return static_cast<AngleForm>(i);
        }
    }
    return std::nullopt;
}

AngleForm impliedAngleForm(const std::vector<std::string>& values) {
    if (values.size() == 3) {
        return AngleForm::Dms;
    }
    const std::string& value = values.empty() ? std::string() : values[0];
    const bool marked = value.find_first_of("dD'\":") != std::string::npos ||
                        decodeUtf8(value).find_first_of(U"°′″’”") != std::u32string::npos;
    return marked ? AngleForm::Marked : AngleForm::Degrees;
}

std::string_view expectedAngleText(AngleForm form) {
    return formInfo(form).expected;
}

std::optional<AngleBoxTexts> typedAngle(AngleForm form, const std::vector<std::string>& values) {
    AngleBoxTexts boxes;
    const std::string typed = joinedAngleValues(values);
    switch (form) {
        case AngleForm::Dms: {
            const auto dms = cleanedDms(values);
            if (!dms) {
                return std::nullopt;
            }
            boxes.degrees = (*dms)[0];
            boxes.minutes = (*dms)[1];
            boxes.seconds = (*dms)[2];
            break;
        }
        case AngleForm::Packed:
            boxes.packed = typed;
            break;
        case AngleForm::Marked:
            boxes.marked = withAngleMarks(typed);
            break;
        case AngleForm::Degrees:
            boxes.decimalDegrees = typed;
            break;
        case AngleForm::Radians:
            boxes.radians = typed;
            break;
    }
    // The window shows the fallback values of a failed conversion; a reader refuses them.
    const AngleBox box = formInfo(form).box;
    const AngleConversionRun run = traceAngleConversion(boxes, box);
    if (run.fellBack || showsNoAngle(run.boxes, box)) {
        return std::nullopt;
    }
    return run.boxes;
}

AngleReading readAngle(const std::vector<std::string>& values,
                       const std::optional<std::string>& formName) {
    std::optional<AngleForm> named;
    if (formName) {
        named = angleFormNamed(*formName);
        if (!named) {
            return {std::nullopt,
                    "unknown form " + singleQuotedExcerpt(*formName) +
                        ": expected dms, packed, marked, degrees or radians",
                    true};
        }
    }
    const bool dms = named ? *named == AngleForm::Dms : values.size() == 3;
    if (values.size() != (dms ? 3 : 1)) {
        return {std::nullopt,
                dms ? "--from dms takes three values D M S" : "expected one VALUE, or three: D M S",
                true};
    }
    const AngleForm form = named.value_or(impliedAngleForm(values));
    AngleReading reading{typedAngle(form, values), {}, false};
    if (!reading.boxes) {
        reading.error = "no angle in ";
        appendQuotedExcerpt(reading.error, joinedAngleValues(values));
        reading.error.append(": expected ")
            .append(expectedAngleText(form))
            .append(", with numbers the decimal type can hold (28 significant digits)");
    }
    return reading;
}

std::string angleJson(const AngleBoxTexts& boxes) {
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
        appendJsonString(json, members[i].first);
        json.push_back(':');
        appendJsonString(json, *members[i].second);
    }
    return json + "}\n";
}

std::string angleLines(const AngleBoxTexts& boxes) {
    return "度分秒① " + boxes.degrees + ' ' + boxes.minutes + ' ' + boxes.seconds + '\n' +
           "度分秒② " + boxes.packed + '\n' + "度分秒③ " + boxes.marked + '\n' + "百分度型 " +
           boxes.decimalDegrees + '\n' + "弧 度 型 " + boxes.radians + '\n';
}

}  // namespace mapsheet::text
