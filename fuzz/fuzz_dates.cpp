// The date reader on arbitrary texts, and the short date form on every date
// the reader can give.
//
// Input: one byte choosing the locale (high bit: the text is UTF-16; below
// 64 the shared locales, from 64 on one that writes dates with its own digits
// and marks), then the text. The first three bytes of the text also choose a
// day between 1 Jan 0001 and 31 Dec 9999 for the writer.

#include "FuzzSupport.h"

#include "platform/RunTimeFailure.h"

namespace {

using fuzz::require;

QString describe(QDate date) {
    return date.toString(Qt::ISODate);
}

// Byte 64 and up ('A' ar_EG, 'B' fa_IR, 'C' bn_BD, 'D' my_MM, 'E' ne_NP):
// day, month and year in every order, two- and four-digit years, Arabic,
// Persian, Bengali, Myanmar and Devanagari digits, right-to-left marks.
const RegionalForms& formsFor(std::uint8_t selector) {
    static const std::array<RegionalForms, 5> ownDigits = {
        RegionalForms(QLocale(QStringLiteral("ar_EG"))),
        RegionalForms(QLocale(QStringLiteral("fa_IR"))),
        RegionalForms(QLocale(QStringLiteral("bn_BD"))),
        RegionalForms(QLocale(QStringLiteral("my_MM"))),
        RegionalForms(QLocale(QStringLiteral("ne_NP"))),
    };
    return selector < 64 ? fuzz::formsFor(selector) : ownDigits[selector % ownDigits.size()];
}

// The text as a user types it: ASCII digits and no direction marks.
QString typedForm(const QString& text) {
    QString typed;
    for (const QChar c : text) {
        if (c.isDigit())
            typed += QChar(u'0' + c.digitValue());
        else if (c != QChar(0x200E) && c != QChar(0x200F) && c != QChar(0x061C))
            typed += c;
    }
    return typed;
}

// What the program writes as a short date, it reads back as the same day,
// and so it does when typed in ASCII digits.
void checkShortDate(const RegionalForms& forms, QDate date) {
    const QString text = forms.shortDate(date);
    for (const QString& form : {text, typedForm(text)}) {
        const QString detail =
            describe(date) + QStringLiteral(" in %1 -> ").arg(forms.locale().name()) + form;
        const std::optional<QDate> back = forms.regionalDate(form);
        require(back.has_value(), "regionalDate reads what shortDate writes", detail);
        require(*back == date, "regionalDate(shortDate(d)) == d",
                detail + " -> " + describe(*back));
    }
}

void checkReader(const RegionalForms& forms, const QString& text) {
    const std::optional<QDate> date = forms.regionalDate(text);
    const QString detail = QStringLiteral("text \"%1\" in %2").arg(text, forms.locale().name());
    require(forms.isRegionalDate(text) == date.has_value(), "isRegionalDate agrees", detail);
    if (!date) {
        try {
            forms.dateValue(text);
            fuzz::broken("dateValue fails on a text that is not a date", detail);
        } catch (const RunTimeFailure&) {
        }
        return;
    }
    require(date->isValid(), "regionalDate gives valid dates only", detail);
    require(forms.dateValue(text) == *date, "dateValue agrees with regionalDate", detail);
    checkShortDate(forms, *date);
    const QString stamp = forms.logTimestamp(QDateTime(*date, QTime(0, 0)));
    require(stamp.startsWith(QStringLiteral("%1-").arg(date->day(), 2, 10, QChar(u'0'))) &&
                stamp.endsWith(QStringLiteral(" 00:00:00")),
            "a log time stamp for every date read", detail + QStringLiteral(" -> ") + stamp);
}

QDate dayChosenBy(fuzz::Input& input) {
    const qint64 first = QDate(1, 1, 1).toJulianDay();
    const qint64 span = QDate(9999, 12, 31).toJulianDay() - first + 1;
    qint64 offset = 0;
    for (int i = 0; i < 3; ++i)
        offset = offset * 256 + input.byte();
    return QDate::fromJulianDay(first + offset % span);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::uint8_t localeByte = input.byte();
    const RegionalForms& forms = formsFor(localeByte & 0x7f);
    fuzz::Input dayBits(data + std::min<std::size_t>(size, 1),
                        size - std::min<std::size_t>(size, 1));
    checkShortDate(forms, dayChosenBy(dayBits));
    checkReader(forms, input.text(localeByte & 0x80));
    return 0;
}
