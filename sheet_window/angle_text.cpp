#include "sheet_window/angle_text.h"

#include <string>

#include "library/QmbJiChuJiaoDu.h"
#include "library/number_text.h"

namespace mapsheet::sheet_window {

namespace {

constexpr std::string_view kDegreeMark = "°";
constexpr std::string_view kMinuteMark = "′";
constexpr std::string_view kSecondMark = "″";

// Sets the library's seconds pattern to hundredths for the life of the guard, then puts the
// caller's pattern back, also when the conversion fails.
class HundredthsOfSeconds {
  public:
    HundredthsOfSeconds() : saved_(QmbJiChuJiaoDu::秒格式) { QmbJiChuJiaoDu::秒格式 = "00.00"; }
    ~HundredthsOfSeconds() { QmbJiChuJiaoDu::秒格式 = saved_; }
    HundredthsOfSeconds(const HundredthsOfSeconds&) = delete;
    HundredthsOfSeconds& operator=(const HundredthsOfSeconds&) = delete;

  private:
    std::string saved_;
};

}  // namespace

double DegreesFromBoxes(std::string_view degrees, std::string_view minutes,
                        std::string_view seconds) {
    const std::string packedText = std::string(trimSpacesAndTabs(degrees)) + "." +
                                   formatDouble(readLeadingDouble(minutes), "00") +
                                   formatDouble(readLeadingDouble(seconds) * 100, "0000");
    const double packed = roundDoubleHalfEven(readLeadingDouble(packedText), 6);
    return QmbJiChuJiaoDu::Dec度to梯度(packed).toDouble();
}

double PackedDegrees(double degrees) {
    return roundDoubleHalfEven(QmbJiChuJiaoDu::Dec梯度to度(degrees).toDouble(), 6);
}

std::string MarkedTextOfPacked(double packed) {
    const HundredthsOfSeconds pattern;
    return std::string(trimSpacesAndTabs(QmbJiChuJiaoDu::Dec度数to度型(packed)));
}

std::string MarkedText(double degrees) {
    const HundredthsOfSeconds pattern;
    const Decimal packed = QmbJiChuJiaoDu::Dec梯度to度(degrees);
    return std::string(trimSpacesAndTabs(QmbJiChuJiaoDu::Dec度数to度型(packed)));
}

AngleBoxTexts SplitMarkedText(std::string_view marked) {
    const auto degreeAt = marked.find(kDegreeMark);
    const auto minuteAt = marked.find(kMinuteMark);
    const auto secondAt = marked.find(kSecondMark);
    AngleBoxTexts boxes;
    if (degreeAt == std::string_view::npos || minuteAt == std::string_view::npos ||
        secondAt == std::string_view::npos || minuteAt < degreeAt || secondAt < minuteAt) {
        return boxes;
    }
    const auto minutesFrom = degreeAt + kDegreeMark.size();
    const auto secondsFrom = minuteAt + kMinuteMark.size();
    boxes.degrees = marked.substr(0, degreeAt);
    boxes.minutes = marked.substr(minutesFrom, minuteAt - minutesFrom);
    boxes.seconds = marked.substr(secondsFrom, secondAt - secondsFrom);
    return boxes;
}

}  // namespace mapsheet::sheet_window
