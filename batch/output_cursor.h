#pragma once

// Appending the many short pieces of a block's output (fields, sheet numbers, commas) to a
// string, at the cost of a copy each.
//
// std::string::append calls memcpy for every piece and keeps a terminating NUL; a batch row is
// ten such pieces. The cursor instead writes into room it keeps at the end of the string (grown
// by doubling) and copies a piece of 8 to 16 bytes with two overlapping fixed-size moves, which
// read and write only the bytes of the piece. The string holds exactly what was written once
// the cursor is finished() or destroyed; in between, text() hands it over for functions that
// append to a std::string, and the cursor carries on after what they appended. The small copies
// are always inlined: a call would cost more than the copy.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace mapsheet::batch {

class OutputCursor {
  public:
    // Appends after what text holds.
    explicit OutputCursor(std::string& text) : text_(text), size_(text.size()) {}
    ~OutputCursor() { finish(); }

    OutputCursor(const OutputCursor&) = delete;
    OutputCursor& operator=(const OutputCursor&) = delete;

    [[gnu::always_inline]] void put(char c) {
        makeRoom(1);
        text_[size_++] = c;
    }

    void put(std::string_view piece) {
        makeRoom(piece.size());
        char* const to = text_.data() + size_;
        const char* const from = piece.data();
        const std::size_t n = piece.size();
        if (n >= 8 && n <= 16) {
            copyFixed<8>(to, from);
            copyFixed<8>(to + n - 8, from + n - 8);
        } else if (n > 16) {
            std::memcpy(to, from, n);
        } else {
            for (std::size_t i = 0; i < n; ++i) {
                to[i] = from[i];
            }
        }
        size_ += n;
    }

    // Room for bytes more at the cursor, for a writer that writes there in place; advance()
    // then moves the cursor past what it wrote.
    [[gnu::always_inline]] char* room(std::size_t bytes) {
        makeRoom(bytes);
        return text_.data() + size_;
    }
    void advance(std::size_t bytes) { size_ += bytes; }

    // The string holding exactly what was written; the cursor carries on at its end.
    std::string& text() {
        finish();
        handedOut_ = true;
        return text_;
    }

    // Cuts the string to what was written.
    void finish() {
        if (handedOut_) {
            size_ = text_.size();
            handedOut_ = false;
        }
        if (text_.size() != size_) {
            text_.resize(size_);
        }
    }

  private:
    template <std::size_t N>
    static void copyFixed(char* to, const char* from) {
        char bytes[N];
        std::memcpy(bytes, from, N);
        std::memcpy(to, bytes, N);
    }

    [[gnu::always_inline]] void makeRoom(std::size_t bytes) {
        if (handedOut_ || text_.size() - size_ < bytes) {
            grow(bytes);
        }
    }

    void grow(std::size_t bytes) {
        if (handedOut_) {
            size_ = text_.size();  // carry on after what was appended to text()
            handedOut_ = false;
        }
        if (text_.size() - size_ < bytes) {
            text_.resize(std::max(2 * text_.size(), size_ + bytes + 256));
        }
    }

    std::string& text_;
    std::size_t size_;        // bytes written; text_.size() beyond them is room
    bool handedOut_ = false;  // text() was called: text_ holds exactly what was written
};

}  // namespace mapsheet::batch
