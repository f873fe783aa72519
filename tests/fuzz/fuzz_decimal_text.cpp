// Decimal text: a value read from text, written back and read again is the same value, and its
// written text is already canonical (writing the re-read value gives the same text).

#include <cstddef>
#include <cstdint>
#include <string>

#include "library/decimal.h"
#include "tests/fuzz/fuzz_check.h"

using mapsheet::Decimal;
using mapsheet::DecimalError;
using mapsheet::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = mapsheet::fuzz::textOf(data, size);
    Decimal value;
    try {
        value = Decimal::parse(text);
    } catch (const DecimalError&) {
        return 0;  // no number, or beyond the range: refused, which is the contract
    }
    const std::string written = value.toString();
    Decimal again;
    try {
        again = Decimal::parse(written);
    } catch (const DecimalError&) {
        mapsheet::fuzz::fail("a written value reads back", written);
    }
    check(again == value, "the value read back is the value written", written);
    check(again.toString() == written, "the written text is canonical", written);
    check(again.scale() == value.scale() && again.coefficient() == value.coefficient(),
          "the value read back has the same coefficient and scale", written);
    return 0;
}
