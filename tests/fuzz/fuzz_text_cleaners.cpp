// The two cleaners of typed number text never fail, are idempotent, and keep only characters
// of their allowed set.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "library/QmbJiChuGeShi.h"
#include "library/code_points.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace mapsheet;
using fuzz::check;

// The allowed sets the angle window and the CLI pass.
constexpr std::array<std::string_view, 4> kAllowedSets = {"-0123456789", "0123456789",
                                                          "0.123456789", "-0.123456789"};

bool onlyFrom(std::string_view text, std::u32string_view allowed) {
    for (const char32_t c : text::decodeUtf8(text)) {
        if (allowed.find(c) == std::u32string_view::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view text = fuzz::textOf(data + 1, size - 1);
    const std::size_t choice = data[0] % (kAllowedSets.size() + 1);
    if (choice == kAllowedSets.size()) {
        const std::string once = QmbJiChuGeShi::Dec规范度分秒文本(text);
        check(QmbJiChuGeShi::Dec规范度分秒文本(once) == once, "marked cleaning is idempotent",
              once);
        check(onlyFrom(once, U"-0.123456789°′″"), "marked cleaning keeps its set", once);
        return 0;
    }
    const std::string_view allowed = kAllowedSets[choice];
    const std::string once = QmbJiChuGeShi::Dec规范数字文本(text, allowed);
    check(QmbJiChuGeShi::Dec规范数字文本(once, allowed) == once, "number cleaning is idempotent",
          once);
    check(onlyFrom(once, text::decodeUtf8(allowed)), "number cleaning keeps its set", once);
    return 0;
}
