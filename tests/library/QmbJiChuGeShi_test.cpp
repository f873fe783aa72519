#include "library/QmbJiChuGeShi.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "library/code_points.h"

namespace mapsheet::QmbJiChuGeShi {
namespace {

constexpr const char* kWholeDegrees = "-0123456789";
constexpr const char* kWholeMinutes = "0123456789";
constexpr const char* kNumber = "-0.123456789";

struct NumberRow {
    const char* name;
    const char* typed;
    const char* allowed;
    const char* cleaned;
};

TEST(Dec规范数字文本, CleansTypedNumbers) {
    const NumberRow rows[] = {
        {"full-width digits and point", "１２．５", kNumber, "12.5"},
        {"ideographic full stop keeps the trailing zero", "12。50", kNumber, "12.50"},
        {"middle dot and small full stop are points", "1·5", kNumber, "1.5"},
        {"incomplete -0. stays", "-0.", kNumber, "-0."},
        {"incomplete -.00 stays", "-.00", kNumber, "-.00"},
        {"incomplete .000 stays", ".000", kNumber, ".000"},
        {"lone minus stays", "-", kNumber, "-"},
        {"trailing point stays", "45.", kNumber, "45."},
        {"second point dropped", "1.2.3", kNumber, "1.23"},
        {"doubled points collapse", "1..5", kNumber, "1.5"},
        {"minus inside dropped", "12-3", kNumber, "123"},
        {"three dashes keep one minus", "---5", kNumber, "-5"},
        {"full-width minus", "－５", kNumber, "-5"},
        {"underscore and bar are dashes", "_3―4", kNumber, "-34"},
        {"letters vanish", "4a5", kNumber, "45"},
        {"minus after a dropped letter still leads", "x-5", kNumber, "-5"},
        {"leading zeros go", "007", kNumber, "7"},
        {"leading zero after minus goes", "-05", kNumber, "-5"},
        {"point without zero gets one", "-.5", kNumber, "-0.5"},
        {"blanks and full-width blanks removed", " 1　2 ", kNumber, "12"},
        {"blanks only", " 　 ", kNumber, ""},
        {"empty", "", kNumber, ""},
        {"nothing allowed survives", "abc", kNumber, ""},
        {"degrees drop the point", "12.5", kWholeDegrees, "125"},
        {"minutes drop the minus", "-5", kWholeMinutes, "5"},
        {"beyond the decimal range", "123456789012345678901234567891", kNumber, ""},
        {"28 digits fit", "1234567890123456789012345678", kNumber, "1234567890123456789012345678"},
    };
    for (const NumberRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Dec规范数字文本(row.typed, row.allowed), row.cleaned);
    }
}

struct MarkedRow {
    const char* name;
    const char* typed;
    const char* cleaned;
};

TEST(Dec规范度分秒文本, CleansTypedMarkedText) {
    const MarkedRow rows[] = {
        {"clean text unchanged", "45°52′56.6879″", "45°52′56.6879″"},
        {"degree mark after the minute mark dropped, and that minute mark too", "45′52°", "4552"},
        {"leading mark dropped", "°45", "45"},
        {"second degree mark dropped", "45°°30′", "45°30′"},
        {"seconds before minutes lose both marks", "45″30′", "4530"},
        {"minus in front kept", "-45°30′", "-45°30′"},
        {"minus inside dropped", "4-5°", "45°"},
        {"mark right after the minus kept", "-°30′", "-°30′"},
        {"second point dropped", "45°30′1.2.3″", "45°30′1.23″"},
        {"full-width digits and blanks", "４５ ° ５２ ′", "45°52′"},
        {"letters vanish", "abc45x°", "45°"},
        {"empty", "", ""},
        {"blanks only", "   ", ""},
    };
    for (const MarkedRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Dec规范度分秒文本(row.typed), row.cleaned);
    }
}

TEST(Dec文本to数值, ReadsOrGivesZero) {
    EXPECT_EQ(Dec文本to数值(" 12.5 "), Decimal::parse("12.5"));
    EXPECT_EQ(Dec文本to数值("-0.03"), Decimal::parse("-0.03"));
    EXPECT_EQ(Dec文本to数值("abc"), Decimal(0));
    EXPECT_EQ(Dec文本to数值(""), Decimal(0));
    EXPECT_EQ(Dec文本to数值("1" + std::string(30, '0')), Decimal(0));
}

// Random texts over everything a user's input method may produce: cleaning a cleaned text must
// leave it as it is, and only allowed characters may come out.
TEST(Cleaning, IsIdempotentOnRandomTexts) {
    const std::vector<std::string> pieces = {
        "0",  "1",  "5",  "9", "0", "0", ".", ".", "-", "-", " ", "　", "０", "５", "９",
        "．", "。", "－", "_", "·", "a", "Z", "e", "E", "°", "′", "″",  "+",  ",",  "\xff"};
    std::mt19937 random(20240601);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 24);
    auto onlyFrom = [](const std::string& text, const std::u32string& allowed) {
        for (const char32_t c : text::decodeUtf8(text)) {
            if (allowed.find(c) == std::u32string::npos) {
                return false;
            }
        }
        return true;
    };
    for (int i = 0; i < 5000; ++i) {
        std::string typed;
        for (int n = length(random); n > 0; --n) {
            typed += pieces[pick(random)];
        }
        SCOPED_TRACE(typed);
        for (const char* allowed : {kWholeDegrees, kWholeMinutes, "0.123456789", kNumber}) {
            const std::string once = Dec规范数字文本(typed, allowed);
            EXPECT_EQ(Dec规范数字文本(once, allowed), once) << allowed;
            EXPECT_TRUE(onlyFrom(once, text::decodeUtf8(allowed))) << once;
        }
        const std::string once = Dec规范度分秒文本(typed);
        EXPECT_EQ(Dec规范度分秒文本(once), once);
        EXPECT_TRUE(onlyFrom(once, U"-0.123456789°′″")) << once;
    }
}

}  // namespace
}  // namespace mapsheet::QmbJiChuGeShi
