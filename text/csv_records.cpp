#include "text/csv_records.h"

#include <cstring>

namespace mapsheet::text {

std::size_t CsvRecordScanner::lastRecordEnd(std::string_view text) noexcept {
    if (text.empty()) {
        return std::string_view::npos;
    }
    // Most tables quote nothing: then the record ends are the line feeds.
    if ((state_ == State::FieldStart || state_ == State::Unquoted) &&
        std::memchr(text.data(), '"', text.size()) == nullptr) {
        state_ = text.back() == ',' || text.back() == '\n' ? State::FieldStart : State::Unquoted;
        const auto* const feed = static_cast<const char*>(memrchr(text.data(), '\n', text.size()));
        return feed == nullptr ? std::string_view::npos
                               : static_cast<std::size_t>(feed - text.data()) + 1;
    }
    std::size_t end = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (state_) {
            case State::Quoted:
                state_ = c == '"' ? State::QuoteInQuoted : State::Quoted;
                continue;
            case State::QuoteInQuoted:
                if (c == '"') {
                    state_ = State::Quoted;
                    continue;
                }
                break;
            case State::FieldStart:
                if (c == '"') {
                    state_ = State::Quoted;
                    continue;
                }
                break;
            case State::Unquoted:
                break;
        }
        // Outside quotes: a text after a closing quote reads on like an unquoted field.
        if (c == '\n') {
            end = i + 1;
            state_ = State::FieldStart;
        } else {
            state_ = c == ',' ? State::FieldStart : State::Unquoted;
        }
    }
    return end;
}

std::size_t firstRecordLength(std::string_view text) noexcept {
    // The scanner finds the last end of what it is given; fed one line at a time, the first
    // line whose feed ends a record ends the first record.
    CsvRecordScanner scanner;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t feed = text.find('\n', start);
        const std::size_t lineEnd = feed == std::string_view::npos ? text.size() : feed + 1;
        if (scanner.lastRecordEnd(text.substr(start, lineEnd - start)) != std::string_view::npos) {
            return lineEnd;
        }
        start = lineEnd;
    }
    return text.size();
}

bool CsvFields::next(CsvField& field, std::string& storage) {
    if (done_) {
        return false;
    }
    field = CsvField{};
    if (!rest_.starts_with('"')) {
        const std::size_t comma = rest_.find(',');
        field.text = rest_.substr(0, comma);
        done_ = comma == std::string_view::npos;
        rest_.remove_prefix(done_ ? rest_.size() : comma + 1);
        return true;
    }
    // A quoted field: copied into storage only when it holds a doubled quote.
    std::size_t at = 1;
    bool doubled = false;
    while (true) {
        const std::size_t quote = rest_.find('"', at);
        if (quote == std::string_view::npos) {
            field.fault = CsvFieldFault::OpenQuote;
            done_ = true;
            return true;
        }
        if (quote + 1 < rest_.size() && rest_[quote + 1] == '"') {
            doubled = true;
            at = quote + 2;
            continue;
        }
        field.text = rest_.substr(1, quote - 1);
        rest_.remove_prefix(quote + 1);
        break;
    }
    if (doubled) {
        storage.clear();
        for (std::size_t i = 0; i < field.text.size(); ++i) {
            storage.push_back(field.text[i]);
            i += field.text[i] == '"' ? 1 : 0;
        }
        field.text = storage;
    }
    if (rest_.empty()) {
        done_ = true;
    } else if (rest_.front() == ',') {
        rest_.remove_prefix(1);
    } else {
        field.fault = CsvFieldFault::TextAfterQuote;
        done_ = true;
    }
    return true;
}

}  // namespace mapsheet::text
