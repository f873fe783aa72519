#include "batch/number_lines.h"

#include <utility>

#include "text/point_line.h"
#include "text/utf8_text.h"

namespace mapsheet::batch {

std::optional<NumberLine> NumberLines::next() {
    while (const std::optional<std::string_view> next = lines_.next()) {
        ++count_;
        std::string_view line = *next;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (count_ == 1) {
            line = text::withoutByteOrderMark(line);
        }
        if (!text::isBlankLine(line)) {
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

NumberRun endOfNumberRun(std::string readError, bool anyError, std::ostream& out,
                         std::ostream& err) {
    if (!flushChecked(out, err)) {
        return {RunStatus::WriteFailed, std::move(readError)};
    }
    if (!readError.empty()) {
        return {RunStatus::ReadFailed, std::move(readError)};
    }
    return {anyError ? RunStatus::RowErrors : RunStatus::Success, {}};
}

}  // namespace mapsheet::batch
