#pragma once

// A sheet number being written: a fixed buffer, so that numbering a point allocates nothing
// beyond the short result string itself.

#include <charconv>
#include <string>
#include <string_view>

namespace mapsheet::engine {

class SheetText {
  public:
    SheetText& operator<<(std::string_view piece) {
        for (const char c : piece) {
            put(c);
        }
        return *this;
    }

    // The number in decimal, padded with leading zeros to at least minDigits digits.
    SheetText& number(int value, int minDigits = 1) {
        char digits[16];
        const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
        const int length = error == std::errc{} ? static_cast<int>(end - digits) : 0;
        for (int pad = length; pad < minDigits; ++pad) {
            put('0');
        }
        return *this << std::string_view(digits, static_cast<std::size_t>(length));
    }

    std::string str() const { return std::string(buffer_, size_); }

  private:
    // The longest number, "SV-60-144-(64)" or "SV60K23042304", is far below the capacity.
    void put(char c) {
        if (size_ < sizeof buffer_) {
            buffer_[size_++] = c;
        }
    }

    char buffer_[32];
    std::size_t size_ = 0;
};

}  // namespace mapsheet::engine
