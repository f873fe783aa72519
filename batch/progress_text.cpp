#include "batch/progress_text.h"

#include <algorithm>

#include "library/thousands.h"

namespace mapsheet::batch {

namespace {

std::string twoDigits(long long value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

// 0:07, 12:34, 1:02:03.
std::string clockText(double seconds) {
    const long long whole = static_cast<long long>(std::max(seconds, 0.0));
    const long long hours = whole / 3600;
    const long long minutes = whole / 60 % 60;
    std::string text =
        hours > 0 ? std::to_string(hours) + ":" + twoDigits(minutes) : std::to_string(minutes);
    return text + ":" + twoDigits(whole % 60);
}

}  // namespace

std::string progressText(const ProgressCount& count, double seconds, std::string_view unit) {
    std::string text = text::withThousandsSeparators(count.done);
    if (count.total > 0) {
        text.append(" of ").append(text::withThousandsSeparators(count.total));
    }
    text.append(" ").append(unit);
    if (count.total > 0) {
        const std::uint64_t share = std::min(count.done, count.total) * 100 / count.total;
        text.append(" (").append(std::to_string(share)).append("%)");
    }
    const std::uint64_t rate =
        seconds > 0 ? static_cast<std::uint64_t>(static_cast<double>(count.done) / seconds) : 0;
    text.append(" in ").append(clockText(seconds));
    text.append(", ").append(text::withThousandsSeparators(rate)).append(" ");
    return text.append(unit).append("/s");
}

}  // namespace mapsheet::batch
