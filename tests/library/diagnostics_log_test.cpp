#include "library/diagnostics_log.h"

#include <gtest/gtest.h>

#include <string>

namespace mapsheet::ModuleQmb {
namespace {

class DiagnosticsLogTest : public ::testing::Test {
  protected:
    void SetUp() override { 清除运算信息(); }
    void TearDown() override { 清除运算信息(); }
};

TEST_F(DiagnosticsLogTest, ResetGivesTheInitialRecord) {
    记录运算信息("a");
    记录近似运算();
    记录精确运算();
    清除运算信息();
    const 运算日志& log = 日志();
    EXPECT_EQ(log.有效数字位数, 29);
    EXPECT_EQ(log.信息条数, 0);
    EXPECT_EQ(log.精确运算次数, 0);
    EXPECT_EQ(log.近似运算次数, 0);
    EXPECT_EQ(log.最近信息, "");
    EXPECT_EQ(log.运算信息, "");
    EXPECT_EQ(log.首条信息, "");
}

TEST_F(DiagnosticsLogTest, MessagesAreAppendedWithCarriageReturnAndLineFeed) {
    记录运算信息("a");
    记录运算信息("b");
    const 运算日志& log = 日志();
    EXPECT_EQ(log.运算信息, "a\r\nb\r\n");
    EXPECT_EQ(log.首条信息, "a");
    EXPECT_EQ(log.最近信息, "b");
    EXPECT_EQ(log.信息条数, 2);
}

TEST_F(DiagnosticsLogTest, FromTheCapOnOnlyTheLatestMessageChanges) {
    for (int i = 0; i < kMaxMessageCount; ++i) {
        记录运算信息(i == 0 ? "first" : "m");
    }
    const std::string appended = 日志().运算信息;
    EXPECT_EQ(日志().信息条数, 9999);
    EXPECT_EQ(appended.size(),
              std::string("first\r\n").size() + 9998 * std::string("m\r\n").size());

    记录运算信息("beyond the cap");
    EXPECT_EQ(日志().最近信息, "beyond the cap");
    EXPECT_EQ(日志().信息条数, 9999);
    EXPECT_EQ(日志().运算信息, appended);
    EXPECT_EQ(日志().首条信息, "first");
}

TEST_F(DiagnosticsLogTest, ApproximationLowersTheDigitCountUntilTheNextReset) {
    记录近似运算();
    EXPECT_EQ(日志().有效数字位数, 15);
    记录精确运算();
    记录精确运算();
    EXPECT_EQ(日志().有效数字位数, 15);
    EXPECT_EQ(日志().精确运算次数, 2);
    EXPECT_EQ(日志().近似运算次数, 1);
    清除运算信息();
    EXPECT_EQ(日志().有效数字位数, 29);
}

TEST_F(DiagnosticsLogTest, ExactOperationsLeaveTheDigitCountAlone) {
    记录精确运算();
    EXPECT_EQ(日志().有效数字位数, 29);
}

TEST_F(DiagnosticsLogTest, CountersStopAtTheirCap) {
    运算日志 nearCap;
    nearCap.精确运算次数 = kMaxOperationCount - 1;
    nearCap.近似运算次数 = kMaxOperationCount;
    设置运算日志(nearCap);

    记录精确运算();
    记录精确运算();
    EXPECT_EQ(日志().精确运算次数, 999999999);

    // A capped approximation counter does not count, and so does not lower the digit count.
    记录近似运算();
    EXPECT_EQ(日志().近似运算次数, 999999999);
    EXPECT_EQ(日志().有效数字位数, 29);
}

}  // namespace
}  // namespace mapsheet::ModuleQmb
