// The number readers and writers on arbitrary texts and values.
//
// Input: one byte choosing the locale (high bit: the text is UTF-16), one
// byte choosing the decimal places of the pattern form, then the text. The
// first eight bytes of the text also serve as the bits of a double, so that
// every value, the non-finite ones included, reaches the writers.

#include "FuzzSupport.h"

#include "platform/RunTimeFailure.h"

#include <QRegularExpression>
#include <cmath>
#include <optional>

namespace {

using fuzz::require;

QString describe(double value) {
    return QString::number(value, 'g', 17);
}

// Equal to 15 significant digits: what the written forms promise.
bool sameTo15Digits(double a, double b) {
    return a == b || std::fabs(a - b) <= 1e-14 * std::max(std::fabs(a), std::fabs(b));
}

std::optional<double> regionalNumberOf(const RegionalForms& forms, const QString& text) {
    try {
        return forms.regionalNumber(text);
    } catch (const RunTimeFailure&) {
        return std::nullopt;
    }
}

// Every writer refuses a non-finite value with a run-time failure; nothing
// else may escape and no text may come out.
template <typename Write> void requireRefused(Write write, const char* rule, double value) {
    try {
        const QString text = write();
        fuzz::broken(rule, describe(value) + QStringLiteral(" was written as ") + text);
    } catch (const RunTimeFailure&) {
    }
}

void checkNonFinite(const RegionalForms& forms, double value, int places) {
    requireRefused([&] { return forms.generalNumber(value); },
                   "generalNumber refuses a non-finite value", value);
    requireRefused([&] { return forms.patternNumber(value, places); },
                   "patternNumber refuses a non-finite value", value);
    requireRefused([&] { return forms.currency(value); }, "currency refuses a non-finite value",
                   value);
}

void checkGeneralNumber(const RegionalForms& forms, double value) {
    static const QRegularExpression form(
        QStringLiteral("^-?[0-9]+(\\.[0-9]*[1-9])?(E[+-][0-9]{2,3})?$"));
    const QString text = forms.generalNumber(value);
    const QString detail = describe(value) + QStringLiteral(" -> ") + text;
    require(form.match(text).hasMatch(), "generalNumber: plain digits, \".\", no grouping", detail);
    const std::optional<double> back = regionalNumberOf(forms, text);
    require(back.has_value(), "regionalNumber reads what generalNumber writes", detail);
    require(sameTo15Digits(*back, value), "regionalNumber(generalNumber(v)) == v", detail);
    require(sameTo15Digits(forms.leadingNumber(text), value),
            "leadingNumber(generalNumber(v)) == v", detail);
}

void checkPatternNumber(const RegionalForms& forms, double value, int places) {
    const QString text = forms.patternNumber(value, places);
    const QString detail = describe(value) + QStringLiteral(" in %1 places -> ").arg(places) + text;
    const QRegularExpression form(places == 0
                                      ? QStringLiteral("^-?[0-9]+$")
                                      : QStringLiteral("^-?[0-9]+\\.[0-9]{%1}$").arg(places));
    require(form.match(text).hasMatch(), "patternNumber: digits and exactly the places asked",
            detail);
    require(!text.startsWith(u'-') || text.contains(QRegularExpression(QStringLiteral("[1-9]"))),
            "patternNumber: no minus on zero", detail);
    require(!text.startsWith(u'0') || text.size() == 1 || text.at(1) == u'.',
            "patternNumber: no leading zeros", detail);
    // Rounded to the places shown, on the 15-digit form of the value.
    const double back = forms.leadingNumber(text);
    const double halfUnit = 0.5 * std::pow(10.0, -places);
    require(std::fabs(back - value) <= halfUnit * (1 + 1e-9) + 1e-14 * std::fabs(value),
            "leadingNumber(patternNumber(v, k)) is v rounded to k places", detail);
    require(std::signbit(back) == std::signbit(value) || back == 0, "patternNumber keeps the sign",
            detail);
    const std::optional<double> regional = regionalNumberOf(forms, text);
    require(regional.has_value() && *regional == back,
            "regionalNumber and leadingNumber agree on a pattern form", detail);
}

void checkCurrency(const RegionalForms& forms, double value) {
    const QString text = forms.currency(value);
    const QString plain = forms.patternNumber(value, forms.currencyDecimals());
    const QString detail = describe(value) + QStringLiteral(" -> ") + text;
    const std::optional<double> back = regionalNumberOf(forms, text);
    require(back.has_value(), "regionalNumber reads what currency writes", detail);
    require(*back == forms.leadingNumber(plain), "currency(v) reads back to its rounded value",
            detail);
    const QString magnitude = plain.startsWith(u'-') ? plain.mid(1) : plain;
    require(forms.withoutCurrencySymbol(forms.withCurrencySymbol(magnitude)) == magnitude,
            "taking the symbol off gives back every digit", detail);
}

void checkWriters(const RegionalForms& forms, double value, int places) {
    if (!std::isfinite(value)) {
        checkNonFinite(forms, value, places);
        return;
    }
    checkGeneralNumber(forms, value);
    checkPatternNumber(forms, value, places);
    checkCurrency(forms, value);
}

// A text of nothing but the characters of the program's own number form.
bool isPlainNumberText(const QString& text) {
    static const QRegularExpression plain(QStringLiteral("^[0-9.eE+-]+$"));
    return plain.match(text).hasMatch();
}

// Putting the symbol on and taking it off never touches a character of the
// amount (blanks around it aside, which go with a symbol written behind).
void checkSymbol(const RegionalForms& forms, const QString& text) {
    const QString detail = QStringLiteral("text \"%1\"").arg(text);
    const QString plain = forms.withoutCurrencySymbol(text);
    if (forms.hasCurrencySymbol(text))
        require(plain.size() < text.size(), "taking the symbol off shortens the text", detail);
    else
        require(plain == text, "a text without the symbol stays as it is", detail);
    if (text == text.trimmed())
        require(forms.withoutCurrencySymbol(forms.withCurrencySymbol(text)) == text,
                "the symbol comes off as it went on", detail);
}

void checkReaders(const RegionalForms& forms, const QString& text, int places) {
    checkSymbol(forms, text);
    const double leading = forms.leadingNumber(text); // never fails
    const std::optional<double> regional = regionalNumberOf(forms, text);
    const QString detail = QStringLiteral("text \"%1\"").arg(text);
    require(forms.isNumeric(text) == regional.has_value(),
            "isNumeric agrees with regionalNumber failing", detail);
    require(!text.trimmed().isEmpty() || !regional, "an empty text is not numeric", detail);
    if (regional) {
        require(std::isfinite(*regional), "regionalNumber gives finite values only", detail);
        if (isPlainNumberText(text))
            require(leading == *regional, "the two readers agree on a plain number", detail);
        checkWriters(forms, *regional, places);
    }
    if (std::isfinite(leading))
        checkWriters(forms, leading, places);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::uint8_t localeByte = input.byte();
    const RegionalForms& forms = fuzz::formsFor(localeByte & 0x7f);
    const int places = std::min(input.byte() % 8, 6);
    fuzz::Input valueBits(data + std::min<std::size_t>(size, 2),
                          size - std::min<std::size_t>(size, 2));
    checkWriters(forms, valueBits.rawDouble(), places);
    checkReaders(forms, input.text(localeByte & 0x80), places);
    return 0;
}
