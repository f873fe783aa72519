#pragma once

// Searching text eight bytes at a time: a word of eight bytes is tested for a byte value (or a
// range of them) in a few arithmetic steps, with the answer as the high bit of each matching
// byte. Exact: no byte's answer depends on its neighbours (no borrow crosses a byte), so the
// bits can be counted as well as searched.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace mapsheet::text {

inline constexpr std::uint64_t kEveryByte = 0x0101010101010101;
inline constexpr std::uint64_t kHighBits = 0x8080808080808080;

// The high bit of each byte of word that is below limit (1 to 128), of no other: each byte has
// its high bit set before limit is taken from it.
constexpr std::uint64_t bytesBelow(std::uint64_t word, std::uint64_t limit) {
    return ~((word | kHighBits) - kEveryByte * limit) & ~word & kHighBits;
}

// The high bit of each byte of word that equals c.
constexpr std::uint64_t bytesEqual(std::uint64_t word, char c) {
    return bytesBelow(word ^ (kEveryByte * static_cast<unsigned char>(c)), 1);
}

// The eight bytes from data, the first in the lowest byte.
inline std::uint64_t loadWord(const char* data) {
    std::uint64_t word = 0;
    std::memcpy(&word, data, 8);
    if constexpr (std::endian::native == std::endian::big) {
        word = __builtin_bswap64(word);
    }
    return word;
}

// The eight bytes of text from at, the first in the lowest byte; zeros past the end of text.
// A short rest is taken from the text's last eight bytes, or gathered in a register: copying
// it to memory byte by byte and reading it back as a word would stall.
inline std::uint64_t wordAt(std::string_view text, std::size_t at) {
    const std::size_t left = text.size() - at;
    if (left >= 8) {
        return loadWord(text.data() + at);
    }
    if (text.size() >= 8) {
        return loadWord(text.data() + text.size() - 8) >> (8 * (8 - left));
    }
    std::uint64_t word = 0;
    for (std::size_t i = left; i-- > 0;) {
        word = (word << 8) | static_cast<unsigned char>(text[at + i]);
    }
    return word;
}

// The index in its word of the first byte that matches, for a mask with at least one match.
inline std::size_t firstMatch(std::uint64_t matches) {
    return static_cast<std::size_t>(std::countr_zero(matches)) / 8;
}

// How many bytes of text equal c.
inline std::size_t countBytes(std::string_view text, char c) {
    std::size_t count = 0;
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        // One per matching byte, summed into the top byte (popcount is no instruction of the
        // baseline x86-64).
        count +=
            static_cast<std::size_t>(((bytesEqual(wordAt(text, at), c) >> 7) * kEveryByte) >> 56);
    }
    for (; at < text.size(); ++at) {
        count += text[at] == c ? 1 : 0;
    }
    return count;
}

}  // namespace mapsheet::text
