// The input/output floor of batch numbering: reads "LAT,LON" lines from standard input the way
// mapsheet-cli number does (64 KiB blocks from the stream buffer, lines cut in place), parses
// both coordinates with std::from_chars and writes each line back as two fixed 11-character
// fields. The same reading, parsing and formatting work without any numbering, so that
// scripts/bench can say how close the numbering comes to it.

#include <charconv>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

void appendField(std::string& output, double value) {
    char digits[32];
    const auto [end, error] =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 6);
    const auto length = static_cast<std::size_t>(end - digits);
    output.append(length < 11 ? 11 - length : 0, ' ');
    output.append(digits, length);
}

// Writes the rows of the whole lines in text; returns how many bytes it used.
std::size_t convertLines(const char* text, std::size_t size, std::string& output) {
    std::size_t used = 0;
    while (const auto* feed =
               static_cast<const char*>(std::memchr(text + used, '\n', size - used))) {
        const char* const line = text + used;
        double latitude = 0;
        double longitude = 0;
        const auto first = std::from_chars(line, feed, latitude);
        if (first.ptr < feed && *first.ptr == ',') {
            std::from_chars(first.ptr + 1, feed, longitude);
        }
        appendField(output, latitude);
        output.push_back(',');
        appendField(output, longitude);
        output.push_back('\n');
        used = static_cast<std::size_t>(feed - text) + 1;
    }
    return used;
}

}  // namespace

int main() {
    std::ios::sync_with_stdio(false);
    std::streambuf* const input = std::cin.rdbuf();
    std::vector<char> block(kBlockSize);
    std::string output;
    std::size_t pending = 0;
    while (true) {
        const std::streamsize count = input->sgetn(
            block.data() + pending, static_cast<std::streamsize>(kBlockSize - pending));
        if (count <= 0) {
            break;
        }
        pending += static_cast<std::size_t>(count);
        output.clear();
        const std::size_t used = convertLines(block.data(), pending, output);
        std::cout.write(output.data(), static_cast<std::streamsize>(output.size()));
        std::memmove(block.data(), block.data() + used, pending - used);
        pending -= used;
    }
    std::cout.flush();
    return std::cout.good() ? 0 : 3;
}
