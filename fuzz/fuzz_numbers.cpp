// The number readers and writers on arbitrary texts and values.
//
// Input: one byte choosing the locale (high bit: the text is UTF-16), one
// byte choosing the decimal places of the pattern form, then the text. The
// first eight bytes of the text also serve as the bits of a double, so that
// every value, the non-finite ones included, reaches the writers.

#include "FuzzSupport.h"

#include <QRegularExpression>
#include <bit>
#include <cmath>

namespace {

using fuzz::attempt, fuzz::require;

// Equal to 15 significant digits: what the written forms promise.
bool sameTo15Digits(double a, double b) {
    return a == b || std::fabs(a - b) <= 1e-14 * std::max(std::fabs(a), std::fabs(b));
}

void checkWriters(const RegionalForms& forms, double value, int places) {
    const auto general = [&] { return forms.generalNumber(value); };
    const auto fixed = [&] { return forms.patternNumber(value, places); };
    const auto money = [&] { return forms.currency(value); };
    const QString detail = QStringLiteral("%1 in %2 places:").arg(value, 0, 'g', 17).arg(places);
    if (!std::isfinite(value)) {
        require(!attempt(general) && !attempt(fixed) && !attempt(money),
                "every writer refuses a non-finite value", detail);
        return;
    }
    const std::optional<double> back = attempt([&] { return forms.regionalNumber(general()); });
    require(back && sameTo15Digits(*back, value) &&
                sameTo15Digits(forms.leadingNumber(general()), value),
            "both readers read the general form back", detail + u' ' + general());

    // The places asked, no leading zeros, no minus on zero, rounded to the places.
    const QRegularExpression form(
        QStringLiteral("^(-(?=.*[1-9]))?(0|[1-9][0-9]*)%1$")
            .arg(places ? QStringLiteral("\\.[0-9]{%1}").arg(places) : QString()));
    const double rounded = forms.leadingNumber(fixed());
    require(form.match(fixed()).hasMatch() &&
                std::fabs(rounded - value) <=
                    0.5 * std::pow(10.0, -places) * (1 + 1e-9) + 1e-14 * std::fabs(value) &&
                (rounded == 0 || std::signbit(rounded) == std::signbit(value)) &&
                attempt([&] { return forms.regionalNumber(fixed()); }) == rounded,
            "the pattern form is the value rounded, and both readers read it back",
            detail + u' ' + fixed());

    const QString plain = forms.patternNumber(value, forms.currencyDecimals());
    require(attempt([&] { return forms.regionalNumber(money()); }) == forms.leadingNumber(plain),
            "an amount reads back rounded", detail + u' ' + money());
}

void checkReaders(const RegionalForms& forms, const QString& text, int places) {
    const QString detail = QStringLiteral("text \"%1\"").arg(text);
    const double leading = forms.leadingNumber(text); // never fails
    const std::optional<double> regional = attempt([&] { return forms.regionalNumber(text); });
    require(forms.isNumeric(text) == regional.has_value(), "isNumeric agrees", detail);
    if (regional) {
        static const QRegularExpression plain(QStringLiteral("^[0-9.eE+-]+$"));
        require(std::isfinite(*regional) && !text.trimmed().isEmpty() &&
                    (!plain.match(text).hasMatch() || leading == *regional),
                "a number is finite, and on a plain one the two readers agree", detail);
        checkWriters(forms, *regional, places);
    }
    if (std::isfinite(leading))
        checkWriters(forms, leading, places);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input = fuzz::inputOf(data, size);
    const RegionalForms& forms = fuzz::formsFor(fuzz::byteAt(input, 0) & 0x7f);
    const int places = std::min(fuzz::byteAt(input, 1) % 8, 6);
    checkWriters(forms, std::bit_cast<double>(fuzz::bitsAt(input, 2)), places);
    checkReaders(forms, fuzz::textAt(input, 2, fuzz::byteAt(input, 0) & 0x80), places);
    return 0;
}
