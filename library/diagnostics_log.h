#pragma once

// The process-wide diagnostics log of the number and angle library.
//
// Library operations never raise an error to their callers: on failure they return a fixed
// fallback and append one message here. The log also counts exact (28-digit decimal) and
// approximate (double) operations and remembers how many significant digits the results since
// the last reset can be trusted to. Every user action starts by clearing it, so the log always
// describes the current action only. Single-threaded by design; no locking.
//
// The caps keep every field in range however long an action runs: once 9999 messages are held,
// a further message changes only 最近信息, and the two counters stop at 999999999.

#include <cstdint>
#include <string>
#include <string_view>

namespace mapsheet::ModuleQmb {

struct 运算日志 {
    std::string 最近信息;            // the latest message, also once the cap is reached
    std::int32_t 信息条数 = 0;       // messages appended since the reset, at most 9999
    std::string 运算信息;            // every appended message, each followed by CR LF
    std::string 首条信息;            // the first message since the reset
    std::int32_t 精确运算次数 = 0;   // operations done in the decimal type, at most 999999999
    std::int32_t 近似运算次数 = 0;   // operations that fell back to double, at most 999999999
    std::int32_t 有效数字位数 = 29;  // 29, or 15 once any operation fell back to double
};

inline constexpr std::int32_t kMaxMessageCount = 9999;
inline constexpr std::int32_t kMaxOperationCount = 999999999;

// Read access to the log as it stands.
const 运算日志& 日志();

// Resets every field: texts empty, counts 0, 有效数字位数 29.
void 清除运算信息();
// Records one failure message (see the caps above).
void 记录运算信息(std::string_view message);
// Counts one operation that fell back to double and lowers 有效数字位数 to 15.
void 记录近似运算();
// Counts one operation completed in the decimal type; leaves 有效数字位数 alone.
void 记录精确运算();

// Replaces the whole record, for inspection tools and for tests that start near the caps. The
// caller keeps the record within the invariants above.
void 设置运算日志(const 运算日志& state);

}  // namespace mapsheet::ModuleQmb
