// The word-at-a-time byte tests agree with testing each byte on its own, for every byte value in
// every position, beside every neighbour that could carry a borrow into it.

#include "library/byte_words.h"

#include <gtest/gtest.h>

#include <string>

namespace mapsheet::text {
namespace {

std::uint64_t byteWord(unsigned char value, std::size_t position, unsigned char others) {
    std::uint64_t word = kEveryByte * others;
    word &= ~(std::uint64_t{0xFF} << (8 * position));
    return word | (std::uint64_t{value} << (8 * position));
}

bool flagged(std::uint64_t mask, std::size_t position) {
    return ((mask >> (8 * position)) & 0xFF) == 0x80;
}

TEST(ByteWords, MarkExactlyTheMatchingBytes) {
    const unsigned char neighbours[] = {0x00, 0x01, 0x20, 0x21, 0x7F, 0x80, 0xFF};
    for (unsigned value = 0; value < 256; ++value) {
        for (std::size_t position = 0; position < 8; ++position) {
            for (const unsigned char others : neighbours) {
                const std::uint64_t word =
                    byteWord(static_cast<unsigned char>(value), position, others);
                for (const std::uint64_t limit : {1u, 0x21u, 0x80u}) {
                    const std::uint64_t below = bytesBelow(word, limit);
                    ASSERT_EQ(flagged(below, position), value < limit) << value << " " << limit;
                    ASSERT_EQ(below & ~kHighBits, 0u);
                }
                const std::uint64_t commas = bytesEqual(word, ',');
                ASSERT_EQ(flagged(commas, position), value == ',') << value;
                for (std::size_t other = 0; other < 8; ++other) {
                    if (other != position) {
                        ASSERT_EQ(flagged(commas, other), others == ',');
                    }
                }
            }
        }
    }
}

TEST(ByteWords, ReadWordsAndCountBytesUpToTheEndOfTheText) {
    const std::string text = "a\nbc\n,de\nfghijk\n\nlmnopqrstu\n";
    for (std::size_t length = 0; length <= text.size(); ++length) {
        const std::string_view part(text.data(), length);
        std::size_t feeds = 0;
        for (std::size_t at = 0; at < length; ++at) {
            feeds += part[at] == '\n' ? 1 : 0;
            const std::uint64_t word = wordAt(part, at);
            for (std::size_t i = 0; i < 8; ++i) {
                const unsigned char expected =
                    at + i < length ? static_cast<unsigned char>(part[at + i]) : 0;
                ASSERT_EQ((word >> (8 * i)) & 0xFF, expected) << length << " " << at << " " << i;
            }
        }
        EXPECT_EQ(countBytes(part, '\n'), feeds) << length;
    }
}

}  // namespace
}  // namespace mapsheet::text
