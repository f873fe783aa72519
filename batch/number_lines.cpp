#include "batch/number_lines.h"

#include <utility>

#include "text/point_line.h"

namespace mapsheet::cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::optional<NumberLine> NumberLines::next() {
    while (const std::optional<std::string_view> next = lines_.next()) {
        ++count_;
        std::string_view line = *next;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (count_ == 1 && line.starts_with(kByteOrderMark)) {
            line.remove_prefix(kByteOrderMark.size());
        }
        if (!isBlankLine(line)) {
            return NumberLine{line, count_};
        }
    }
    return std::nullopt;
}

std::string forEachNumber(const std::vector<std::string>& given, std::istream& in,
                          const std::function<void(std::string_view text, long line)>& take,
                          ProgressListener progress) {
    ProgressCounter taken(std::move(progress));
    for (const std::string& number : given) {
        take(number, 0);
        taken.add();
    }
    if (!given.empty()) {
        return {};
    }
    NumberLines lines(in);
    while (const std::optional<NumberLine> line = lines.next()) {
        take(line->text, line->number);
        taken.add();
    }
    return lines.readError();
}

}  // namespace mapsheet::cli
