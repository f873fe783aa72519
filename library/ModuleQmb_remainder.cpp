// 求两数余: the remainder a - b * trunc(a / b), composed of 求两数商, 取数值的整数部分,
// 求两数积 and 求两数差.

#include <string>

#include "library/ModuleQmb.h"
#include "library/ModuleQmb_detail.h"

namespace mapsheet::ModuleQmb {

Number 求两数余(const Operand& a, const Operand& b) {
    const Number dividend = 数转数(a);
    const Number divisor = 数转数(b);
    bool quotientFailed = false;
    const Number quotient = detail::quotient(dividend, divisor, quotientFailed);
    if (quotientFailed) {
        记录运算信息("  进行[求两数余]运算时， " + a.trimmedText() + "余" + b.trimmedText() +
                     " 数值超出计算范围！返回数值用 [1] 表示。");
        return Number(1);
    }
    const Number product = 求两数积(取数值的整数部分(quotient), divisor);
    return 求两数差(dividend, product);
}

}  // namespace mapsheet::ModuleQmb
