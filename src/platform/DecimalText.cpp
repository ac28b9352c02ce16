#include "platform/DecimalText.h"

#include "platform/RunTimeFailure.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr int significantDigits = 15;

// The largest magnitude whose 15-digit form reads back: the largest doubles
// round up to 1.79769313486232E+308, which is beyond the range of a double,
// so they are written as this one, rounded towards zero instead.
constexpr double largestWritten = 1.79769313486231e308;

double writtenMagnitude(double value) {
    return std::min(std::fabs(value), largestWritten);
}

// The digits of |value| to 15 significant digits and the place of the decimal
// point within them: 23.675 gives "236750000000000" and 2.
struct DecimalDigits {
    std::string digits;
    int pointAt = 0;
};

// For a normal double whose shortest form that reads back has at most 15
// digits, that form is the 15-digit one: the double lies within half a unit
// in its last binary place of it, far less than half a step of 15 digits, so
// no other 15-digit text is nearer. It is found much faster; any other value
// takes the general way.
std::optional<DecimalDigits> shortSignificantDigitsOf(double magnitude) {
    if (magnitude < std::numeric_limits<double>::min())
        return std::nullopt;
    char text[32];
    const auto written =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
    if (written.ec != std::errc())
        return std::nullopt;
    const std::string_view form(text, static_cast<size_t>(written.ptr - text));
    const size_t e = form.find('e');
    DecimalDigits result;
    for (const char c : form.substr(0, e))
        if (c != '.')
            result.digits.push_back(c);
    if (e == std::string_view::npos || result.digits.size() > significantDigits)
        return std::nullopt;
    result.digits.resize(significantDigits, '0');
    std::string_view exponent = form.substr(e + 1);
    if (!exponent.empty() && exponent.front() == '+')
        exponent.remove_prefix(1);
    int power = 0;
    std::from_chars(exponent.data(), exponent.data() + exponent.size(), power);
    result.pointAt = power + 1;
    return result;
}

DecimalDigits significantDigitsOf(double magnitude) {
    if (std::optional<DecimalDigits> digits = shortSignificantDigitsOf(magnitude))
        return *digits;
    const QString scientific = QString::number(magnitude, 'e', significantDigits - 1);
    const qsizetype e = scientific.indexOf(u'e');
    DecimalDigits result;
    for (const QChar c : QStringView(scientific).left(e))
        if (c.isDigit())
            result.digits.push_back(static_cast<char>(c.unicode()));
    result.pointAt = scientific.mid(e + 1).toInt() + 1;
    return result;
}

// Adds one unit at the last place of `digits`; true when it carried out of the front.
bool incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
    return true;
}

} // namespace

QString roundedDecimal(double value, int places) {
    checkedValue(value);
    DecimalDigits d = significantDigitsOf(writtenMagnitude(value));
    if (value == 0.0)
        d = {"0", 1};
    if (d.pointAt < 0) {
        d.digits.insert(0, static_cast<size_t>(-d.pointAt), '0');
        d.pointAt = 0;
    }
    const size_t keep = static_cast<size_t>(d.pointAt + places);
    if (d.digits.size() <= keep) {
        d.digits.append(keep - d.digits.size(), '0');
    } else {
        const bool roundUp = d.digits[keep] >= '5';
        d.digits.resize(keep);
        if (roundUp && incrementDigits(d.digits))
            ++d.pointAt;
    }
    std::string whole = d.digits.substr(0, static_cast<size_t>(d.pointAt));
    const std::string fraction = d.digits.substr(static_cast<size_t>(d.pointAt));
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.empty())
        whole.push_back('0');
    const bool isZero = (whole == "0") && fraction.find_first_not_of('0') == std::string::npos;
    std::string text;
    if (value < 0 && !isZero)
        text.push_back('-');
    text.append(whole);
    if (places > 0)
        text.append(1, '.').append(fraction);
    return QString::fromStdString(text);
}

QString shortestDecimal(double value) {
    checkedValue(value);
    if (value == 0.0)
        return QStringLiteral("0");
    return QString::number(std::copysign(writtenMagnitude(value), value), 'G', significantDigits);
}

namespace {

bool isSkipped(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

// The characters of the text with the skipped ones taken out, as far as they
// are plain ASCII; anything else ends the number anyway.
std::string compacted(QStringView text) {
    std::string result;
    result.reserve(static_cast<size_t>(text.size()));
    for (const QChar c : text) {
        if (isSkipped(c))
            continue;
        result.push_back(c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\x01');
    }
    return result;
}

int digitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

// "&H" and "&O" numbers. Up to 16 bits they are 16-bit signed integers
// (&HFFFF is -1), up to 32 bits 32-bit signed integers (&HFFFFFFFF is -1);
// reading stops before a digit that would take the value past 32 bits.
double radixNumber(const std::string& s, int base) {
    std::uint64_t value = 0;
    for (size_t i = 2; i < s.size(); ++i) {
        const int digit = digitValue(s[i], base);
        if (digit < 0)
            break;
        const std::uint64_t next =
            value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (next > 0xFFFFFFFFu)
            break;
        value = next;
    }
    if (value <= 0xFFFFu)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

size_t skipDigits(const std::string& s, size_t i) {
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        ++i;
    return i;
}

} // namespace

double leadingDecimal(QStringView text, QChar extraDecimalPoint) {
    const char extraPoint = (!extraDecimalPoint.isNull() && extraDecimalPoint.unicode() < 128)
                                ? static_cast<char>(extraDecimalPoint.unicode())
                                : '.';
    const std::string s = compacted(text);
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return radixNumber(s, 16);
        if (s[1] == 'O' || s[1] == 'o')
            return radixNumber(s, 8);
        return 0.0;
    }
    // Copy the longest prefix that forms a number into a plain C form.
    std::string number;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        number.push_back(s[i++]);
    const size_t wholeEnd = skipDigits(s, i);
    number.append(s, i, wholeEnd - i);
    size_t mantissaDigits = wholeEnd - i;
    i = wholeEnd;
    if (i < s.size() && (s[i] == '.' || s[i] == extraPoint)) {
        const size_t fractionEnd = skipDigits(s, i + 1);
        number.push_back('.');
        number.append(s, i + 1, fractionEnd - i - 1);
        mantissaDigits += fractionEnd - i - 1;
        i = fractionEnd;
    }
    if (mantissaDigits == 0)
        return 0.0;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            negativeExponent = s[j] == '-';
            exponent.push_back(s[j++]);
        }
        const size_t exponentEnd = skipDigits(s, j);
        if (exponentEnd > j)
            number += exponent + s.substr(j, exponentEnd - j);
    }
    const char* first = number.data() + (number[0] == '+' ? 1 : 0);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(first, number.data() + number.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        if (negativeExponent)
            return 0.0;
        return number[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    return value;
}
