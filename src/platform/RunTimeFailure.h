#pragma once

#include <stdexcept>
#include <string>

// An unexpected failure inside a procedure: a text that cannot be read as a
// number or date, or an arithmetic fault. Guarded procedures catch exactly this
// type and hand it to the error dump; the end of the program is a different
// type, so it passes through every guard untouched.
class RunTimeFailure : public std::runtime_error {
public:
    explicit RunTimeFailure(const std::string& what) : std::runtime_error(what) {}
};

// Doubles do not trap: these make overflow, NaN and division by zero fail.
double checkedValue(double value);
double checkedDivide(double dividend, double divisor);
