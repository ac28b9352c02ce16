#include "platform/RunTimeFailure.h"

#include <cmath>

double checkedValue(double value) {
    if (std::isnan(value))
        throw RunTimeFailure("Invalid arithmetic result");
    if (std::isinf(value))
        throw RunTimeFailure("Overflow");
    return value;
}

double checkedDivide(double dividend, double divisor) {
    if (divisor == 0.0)
        throw RunTimeFailure("Division by zero");
    return checkedValue(dividend / divisor);
}
