// The date reader on arbitrary texts, and the short date form on every date
// the reader can give.
//
// Input: one byte choosing the locale (high bit: the text is UTF-16; below
// 64 the shared locales, from 64 on one that writes dates with its own digits
// and marks), then the text. The first bytes of the text also choose a day
// between 1 Jan 0001 and 31 Dec 9999 for the writer.

#include "FuzzSupport.h"

#include <QRegularExpression>

namespace {

// Byte 64 and up ('A' ar_EG, 'B' fa_IR, 'C' bn_BD, 'D' my_MM, 'E' ne_NP): more
// orders, Arabic, Persian, Bengali, Myanmar, Devanagari digits, direction marks.
const RegionalForms& formsFor(std::uint8_t selector) {
    static const auto ownDigits = fuzz::formsOf({"ar_EG", "fa_IR", "bn_BD", "my_MM", "ne_NP"});
    return selector < 64 ? fuzz::formsFor(selector) : ownDigits[selector % ownDigits.size()];
}

// What the program writes as a short date, it reads back as the same day,
// and so it does when typed: in ASCII digits and without direction marks.
void checkShortDate(const RegionalForms& forms, QDate date) {
    const QString text = forms.shortDate(date);
    QString typed = text;
    typed.remove(QRegularExpression(QStringLiteral("[\u200E\u200F\u061C]")));
    for (QChar& c : typed)
        c = c.isDigit() ? QChar(u'0' + c.digitValue()) : c;
    for (const QString& form : {text, typed})
        fuzz::require(forms.regionalDate(form) == date, "regionalDate(shortDate(d)) == d",
                      date.toString(Qt::ISODate) + u' ' + forms.locale().name() + u' ' + form);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input = fuzz::inputOf(data, size);
    const RegionalForms& forms = formsFor(fuzz::byteAt(input, 0) & 0x7f);
    const qint64 first = QDate(1, 1, 1).toJulianDay();
    const qint64 days = QDate(9999, 12, 31).toJulianDay() - first + 1;
    checkShortDate(forms, QDate::fromJulianDay(first + qint64(fuzz::bitsAt(input, 1) % days)));

    const QString text = fuzz::textAt(input, 1, fuzz::byteAt(input, 0) & 0x80);
    const std::optional<QDate> date = forms.regionalDate(text);
    fuzz::require(forms.isRegionalDate(text) == date.has_value() &&
                      fuzz::attempt([&] { return forms.dateValue(text); }) == date &&
                      (!date || date->isValid()),
                  "isRegionalDate and dateValue agree with regionalDate, on valid days only",
                  QStringLiteral("text \"%1\" in %2").arg(text, forms.locale().name()));
    if (date)
        checkShortDate(forms, *date);
    return 0;
}
