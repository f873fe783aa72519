#include "library/angle_conversion.h"

#include <exception>
#include <string_view>
#include <utility>

#include "library/ModuleQmb.h"
#include "library/QmbJiChuGeShi.h"
#include "library/QmbJiChuJiaoDu.h"
#include "library/code_points.h"
#include "library/decimal.h"
#include "library/diagnostics_log.h"
#include "library/exact_mode_scope.h"
#include "library/number_text.h"

namespace mapsheet {

namespace {

using namespace QmbJiChuJiaoDu;

constexpr std::string_view kWholeDegreesChars = "-0123456789";
constexpr std::string_view kWholeMinutesChars = "0123456789";
constexpr std::string_view kSecondsChars = "0.123456789";
constexpr std::string_view kNumberChars = "-0.123456789";
constexpr std::string_view kSeconds24 = "00.000000000000000000000000";
constexpr std::string_view kRadiansPerDegree = "0.0174532925199432957692369077";

bool namesABox(AngleBox box) {
    const int code = static_cast<int>(box);
    return code >= 1 && code <= 7;
}

void clearOthers(AngleBoxTexts& boxes, AngleBox own) {
    const std::string keep = boxText(boxes, own);
    boxes = AngleBoxTexts{};
    boxText(boxes, own) = keep;
}

// The boxes' texts carry spaces only, as the library's formats write them.
std::string trimmed(std::string_view text) {
    return std::string(trimmedOf(text, " "));
}

Decimal valueOf(const std::string& text) {
    return Decimal::parse(trimmed(text));
}

// The numeric normaliser's reading of a text built or cleaned by the handler: 0 when it does
// not convert, as the window has it, noted in fellBack, as the boxes then show a fallback and
// not the typed angle.
Decimal numberOrZero(const std::string& text, bool& fellBack) {
    try {
        return Decimal::parse(text);
    } catch (const std::exception&) {
        fellBack = true;
        return Decimal(0);
    }
}

// The marked text of a packed value as the boxes show it: rounded to kDmsRoundDigits decimals
// and written with the seconds to the same precision, four decimals.
std::string markedTextOf(const Decimal& packed) {
    const ScopedSecondsPattern pattern("00." + std::string(kDmsRoundDigits - 4, '0'));
    return Dec度数to度型(ModuleQmb::四舍五入(packed, kDmsRoundDigits));
}

// Writes the degree, minute and second boxes from the reading DecDuFenMiao just made, the
// minutes and seconds first (a window re-entering on the degrees box must see them carried).
void writeReading(AngleBoxTexts& boxes, AngleBox own) {
    const 读取结果 reading = 读取;
    if (own != AngleBox::Minutes) {
        boxes.minutes = trimmed(reading.读取分.toString());
    }
    if (own != AngleBox::Seconds) {
        boxes.seconds = trimmed(reading.读取秒.toString());
    }
    const std::string degrees = trimmed(reading.读取度.toString());
    boxes.degrees = reading.读取符号 == -1 ? "-" + degrees : degrees;
}

void writeAllFrom(AngleBoxTexts& boxes, AngleBox own, const Decimal& packed,
                  const Decimal& degrees) {
    DecDuFenMiao(packed.toString());
    writeReading(boxes, own);
    if (own != AngleBox::Packed) {
        boxes.packed = trimmed(packed.toString());
    }
    if (own != AngleBox::Marked) {
        boxes.marked = markedTextOf(packed);
    }
    if (own != AngleBox::DecimalDegrees) {
        boxes.decimalDegrees = trimmed(degrees.toString());
    }
    if (own != AngleBox::Radians) {
        boxes.radians = Dec梯度to弧度(degrees).toString();
    }
}

void convertFromDmsBoxes(AngleBoxTexts& boxes, AngleBox own, bool& fellBack) {
    if (own == AngleBox::Degrees) {
        if (boxes.degrees < " " || boxes.degrees == "-") {
            clearOthers(boxes, own);
            return;
        }
    } else {
        if (trimmed(boxes.degrees) < " ") {
            boxes.degrees = "0";
        }
        if (trimmed(boxes.degrees) < "-0") {
            boxes.degrees = "-0";
        }
    }
    if (trimmed(boxes.minutes) < "0") {
        boxes.minutes = "0";
    }
    if (trimmed(boxes.seconds) < ".0") {
        boxes.seconds = "0";
    }
    if (own == AngleBox::Degrees && trimmed(boxes.degrees) == "-0" &&
        valueOf(boxes.minutes).isZero() && valueOf(boxes.seconds).isZero()) {
        clearOthers(boxes, own);
        return;
    }
    const Decimal sixty(60);
    Decimal minutes = valueOf(boxes.minutes);
    if (minutes >= sixty) {
        minutes = Decimal(59);
        boxes.minutes = "59";
    }
    Decimal seconds = valueOf(boxes.seconds);
    if (seconds >= sixty) {
        seconds = Decimal::parse("59.999999");
        boxes.seconds = "59.999999";
    }
    std::string secondsDigits = seconds.format(kSeconds24);
    secondsDigits.erase(secondsDigits.find('.'), 1);
    const std::string packedText =
        trimmed(boxes.degrees) + "." + minutes.format("00") + secondsDigits;
    const Decimal packed = Dec整理度分秒(numberOrZero(packedText, fellBack));
    writeAllFrom(boxes, own, packed, Dec度to梯度(packed));
}

void convertFromNumberBox(AngleBoxTexts& boxes, AngleBox own, bool& fellBack) {
    const std::string typed = boxText(boxes, own);
    if (typed <= "-.") {
        clearOthers(boxes, own);
        return;
    }
    Decimal packed;
    Decimal degrees;
    switch (own) {
        case AngleBox::Packed:
            packed = Dec整理度分秒(numberOrZero(typed, fellBack));
            degrees = Dec度to梯度(packed);
            break;
        case AngleBox::DecimalDegrees:
            degrees = numberOrZero(typed, fellBack);
            packed = Dec梯度to度(degrees);
            break;
        default:
            degrees = numberOrZero(typed, fellBack) / Decimal::parse(kRadiansPerDegree);
            packed = Dec梯度to度(degrees);
            break;
    }
    writeAllFrom(boxes, own, packed, degrees);
}

bool endsWithMark(const std::u32string& text) {
    return !text.empty() && std::u32string_view(U"°′″").find(text.back()) != std::u32string::npos;
}

// minuteMarkAt: 1-based position of the first "′" in the cleaned text, 0 when there is none.
void convertFromMarkedBox(AngleBoxTexts& boxes, std::size_t minuteMarkAt) {
    const std::string typed = boxes.marked;
    if (typed <= "-" || !endsWithMark(text::decodeUtf8(typed))) {
        clearOthers(boxes, AngleBox::Marked);
        return;
    }
    const Decimal packed = Dec度型to度数(typed);
    writeAllFrom(boxes, AngleBox::Marked, packed, Dec度to梯度(packed));
    // The typed text is rewritten from the boxes: a minute part typed as "0′" stays, a zero
    // seconds part goes.
    std::string rebuilt = boxes.degrees + "°";
    if (valueOf(boxes.minutes) > Decimal(0) || minuteMarkAt > 1) {
        rebuilt += boxes.minutes + "′";
    }
    if (valueOf(boxes.seconds) > Decimal(0)) {
        rebuilt += boxes.seconds + "″";
    }
    boxes.marked = rebuilt;
}

std::string_view charactersOf(AngleBox box) {
    switch (box) {
        case AngleBox::Degrees:
            return kWholeDegreesChars;
        case AngleBox::Minutes:
            return kWholeMinutesChars;
        case AngleBox::Seconds:
            return kSecondsChars;
        default:
            return kNumberChars;
    }
}

// One run of the change handler of the typed box; true when the run fell back: it caught a
// failure, or a library operation or the numeric normaliser returned its fallback value.
bool runHandler(AngleBoxTexts& boxes, AngleBox own) {
    ModuleQmb::清除运算信息();
    bool fellBack = false;
    std::string& typed = boxText(boxes, own);
    std::size_t minuteMarkAt = 0;
    if (own == AngleBox::Marked) {
        typed = QmbJiChuGeShi::Dec规范度分秒文本(typed);
        const auto at = text::decodeUtf8(typed).find(U'′');
        minuteMarkAt = at == std::u32string::npos ? 0 : at + 1;
    } else {
        typed = QmbJiChuGeShi::Dec规范数字文本(typed, charactersOf(own));
    }
    try {
        switch (own) {
            case AngleBox::Degrees:
            case AngleBox::Minutes:
            case AngleBox::Seconds:
                convertFromDmsBoxes(boxes, own, fellBack);
                break;
            case AngleBox::Marked:
                convertFromMarkedBox(boxes, minuteMarkAt);
                break;
            default:
                convertFromNumberBox(boxes, own, fellBack);
                break;
        }
    } catch (const std::exception&) {
        clearOthers(boxes, own);
        return true;
    }
    return fellBack || ModuleQmb::日志().信息条数 > 0;
}

}  // namespace

AngleConversionRun traceAngleConversion(const AngleBoxTexts& boxes, AngleBox typedBox) {
    AngleConversionRun run{boxes, 0, !namesABox(typedBox), false};
    if (run.settled) {
        return run;
    }
    const ScopedExactMode exact;
    // A run that keeps the typed box's text is taken as the result only when one more run would
    // keep it too. The handler reads the other boxes, so a run can keep the typed text and yet
    // leave boxes from which the next run rewrites it: a failure that emptied the minutes a
    // clamp of the seconds was waiting behind, or degrees "00" kept by a failure over junk
    // minutes. The window would run again at the user's next change; the conversion does now.
    bool lastRunKeptText = false;
    ModuleQmb::运算日志 logOfLastRun = ModuleQmb::日志();
    for (int runs = 0; runs <= kMaxHandlerRuns; ++runs) {
        AngleBoxTexts next = run.boxes;
        const bool fellBack = runHandler(next, typedBox);
        const bool keptText = boxText(next, typedBox) == boxText(run.boxes, typedBox);
        if (keptText && lastRunKeptText) {
            run.settled = true;
            break;
        }
        if (runs == kMaxHandlerRuns) {
            break;
        }
        run.boxes = std::move(next);
        ++run.handlerRuns;
        run.fellBack = run.fellBack || fellBack;
        lastRunKeptText = keptText;
        logOfLastRun = ModuleQmb::日志();
    }
    ModuleQmb::设置运算日志(logOfLastRun);
    return run;
}

AngleBoxTexts convertAngleBoxes(const AngleBoxTexts& boxes, AngleBox typedBox) {
    return traceAngleConversion(boxes, typedBox).boxes;
}

std::string& boxText(AngleBoxTexts& boxes, AngleBox box) {
    switch (box) {
        case AngleBox::Degrees:
            return boxes.degrees;
        case AngleBox::Minutes:
            return boxes.minutes;
        case AngleBox::Seconds:
            return boxes.seconds;
        case AngleBox::Packed:
            return boxes.packed;
        case AngleBox::Marked:
            return boxes.marked;
        case AngleBox::DecimalDegrees:
            return boxes.decimalDegrees;
        case AngleBox::Radians:
            break;
    }
    return boxes.radians;
}

bool showsNoAngle(AngleBoxTexts boxes, AngleBox typedBox) {
    AngleBoxTexts typedOnly;
    boxText(typedOnly, typedBox) = boxText(boxes, typedBox);
    return boxes == typedOnly;
}

}  // namespace mapsheet
