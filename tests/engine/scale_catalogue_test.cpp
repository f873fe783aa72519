#include "engine/scale_catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace mapsheet::engine {
namespace {

TEST(ScaleCatalogue, LettersCaptionsAndCodePatterns) {
    const char* const letters[] = {"A", "B", "C", "R", "D", "E", "F", "G", "H", "I", "J", "K"};
    const char* const captions[] = {" 1:100万", " 1:50万", " 1:25万",  " 1:20万",
                                    " 1:10万",  " 1:5万",  " 1:2.5万", " 1:1万",
                                    " 1:5000",  " 1:2000", " 1:1000",  " 1:500"};
    for (int index = 0; index < kScaleCount; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(scaleLetter(index), letters[index]);
        EXPECT_EQ(kScaleCatalogue[index].letter, letters[index]);
        EXPECT_EQ(kScaleCatalogue[index].caption, captions[index]);
        EXPECT_EQ(codeFormat(index), index >= 10 ? "0000" : "000");
        EXPECT_EQ(kScaleCatalogue[index].hasOldNumber, index <= 7);
    }
}

// The stored decimals are the published literals, not the fractions a division would give.
TEST(ScaleCatalogue, HeightsAndWidthsAreTheStoredFifteenDigitLiterals) {
    EXPECT_EQ(kScaleCatalogue[3].heightDegrees, 0.666666666666667);
    EXPECT_EQ(kScaleCatalogue[5].heightDegrees, 0.166666666666667);
    EXPECT_NE(kScaleCatalogue[5].heightDegrees, 1.0 / 6);
    EXPECT_EQ(kScaleCatalogue[6].heightDegrees, 0.083333333333333);
    EXPECT_EQ(kScaleCatalogue[9].widthDegrees, 0.010416666666667);
    EXPECT_EQ(kScaleCatalogue[11].heightDegrees, 0.001736111111111);
    EXPECT_EQ(kScaleCatalogue[11].widthDegrees, 0.002604166666667);
}

// Independent of the stored decimals: divisions x size covers the 4 x 6 degree sheet, and the
// degree-minute-second forms name the same sizes.
TEST(ScaleCatalogue, SizesDivideTheMillionSheetAndAgreeWithTheirSexagesimalForms) {
    for (int index = 0; index < kScaleCount; ++index) {
        SCOPED_TRACE(index);
        const ScaleRow& row = kScaleCatalogue[index];
        EXPECT_NEAR(row.divisions * row.heightDegrees, 4.0, 1e-12);
        EXPECT_NEAR(row.divisions * row.widthDegrees, 6.0, 1e-12);
        const auto degrees = [](const DegreesMinutesSeconds& dms) {
            return dms.degrees + dms.minutes / 60.0 + dms.seconds / 3600.0;
        };
        EXPECT_NEAR(degrees(row.height), row.heightDegrees, 1e-14);
        EXPECT_NEAR(degrees(row.width), row.widthDegrees, 1e-14);
        EXPECT_EQ(row.codeDigits, index == 0 ? 0 : (index >= 10 ? 4 : 3));
    }
}

// Each example names the south-east sheet of K50 at its scale (none for 1:200,000).
TEST(ScaleCatalogue, ExamplesNameTheLastSheetOfK50) {
    for (int index = 0; index < kScaleCount; ++index) {
        SCOPED_TRACE(index);
        const ScaleRow& row = kScaleCatalogue[index];
        if (index == 3) {
            EXPECT_EQ(row.example, "无新编号，仅留作对比。");
            continue;
        }
        std::string code = "K50";
        if (index > 0) {
            std::string digits = std::to_string(row.divisions);
            digits.insert(0, static_cast<std::size_t>(row.codeDigits) - digits.size(), '0');
            code += std::string(row.letter) + digits + digits;
        }
        const std::string prefix = index >= 10 ? "新编号例:_" : "新编号示例:_";
        EXPECT_EQ(row.example, prefix + code);
    }
}

TEST(ScaleCatalogue, NotesAndStandardLinesAsPublished) {
    EXPECT_EQ(kScaleCatalogue[0].note1,
              "1:100万编码是其它比例尺编码的基础。经度基础间隔为6度，纬度基础间隔为4度。");
    EXPECT_EQ(kScaleCatalogue[3].note2,
              "经差：当纬度在60度内为1度；60--76度时为2度；76度以上为4度。纬差总为40分。");
    EXPECT_EQ(kScaleCatalogue[7].note2, "对于1992年前旧编码系统，是以1:10万编码为基础(8*8开)。");
    EXPECT_EQ(kScaleCatalogue[11].note2,
              "正方形分幅一般250*250米(50cm)，以左下角公里坐标为准，编码例：10.25-21.50。");
    for (int index = 0; index < kScaleCount; ++index) {
        SCOPED_TRACE(index);
        const std::string_view line = kScaleCatalogue[index].standardLine;
        EXPECT_EQ(line, index == 3   ? "用于上世纪中期地质图等"
                        : index >= 9 ? "用于2012年---最新国标"
                                     : "适于1993至2012新国标");
    }
}

TEST(ScaleRecord, LoadsTheCatalogueRowAndClampsTheIndex) {
    const ScaleRecord record = scaleRecord(5);
    EXPECT_EQ(record.scaleIndex, 5);
    EXPECT_EQ(record.rowDivisions, 24);
    EXPECT_EQ(record.columnDivisions, 24);
    EXPECT_EQ(record.sheetHeightDegrees, 0.166666666666667);
    EXPECT_EQ(record.sheetWidthDegrees, 0.25);
    EXPECT_EQ(record.sheetHeightDMS.minutes, 10);
    EXPECT_EQ(record.sheetWidthDMS.minutes, 15);
    EXPECT_EQ(scaleRecord(-3).scaleIndex, 0);
    EXPECT_EQ(scaleRecord(40).scaleIndex, 11);
}

}  // namespace
}  // namespace mapsheet::engine
