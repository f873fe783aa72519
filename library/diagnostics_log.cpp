#include "library/diagnostics_log.h"

namespace mapsheet::ModuleQmb {

namespace {

运算日志& record() {
    static 运算日志 instance;
    return instance;
}

}  // namespace

const 运算日志& 日志() {
    return record();
}

void 清除运算信息() {
    record() = 运算日志{};
}

void 记录运算信息(std::string_view message) {
    运算日志& log = record();
    log.最近信息.assign(message);
    if (log.信息条数 >= kMaxMessageCount) {
        return;
    }
    ++log.信息条数;
    log.运算信息.append(message);
    log.运算信息.append("\r\n");
    if (log.信息条数 == 1) {
        log.首条信息.assign(message);
    }
}

void 记录近似运算() {
    运算日志& log = record();
    if (log.近似运算次数 < kMaxOperationCount) {
        ++log.近似运算次数;
        log.有效数字位数 = 15;
    }
}

void 记录精确运算() {
    运算日志& log = record();
    if (log.精确运算次数 < kMaxOperationCount) {
        ++log.精确运算次数;
    }
}

void 设置运算日志(const 运算日志& state) {
    record() = state;
}

}  // namespace mapsheet::ModuleQmb
