// The date reader on arbitrary texts, and the short date form on every date
// the reader can give.
//
// Input: one byte choosing the locale (high bit: the text is UTF-16), then
// the text. The first three bytes of the text also choose a day between
// 1 Jan 0001 and 31 Dec 9999 for the writer.

#include "FuzzSupport.h"

#include "platform/RunTimeFailure.h"

namespace {

using fuzz::require;

QString describe(QDate date) {
    return date.toString(Qt::ISODate);
}

// What the program writes as a short date, it reads back as the same day.
void checkShortDate(const RegionalForms& forms, QDate date) {
    const QString text = forms.shortDate(date);
    const QString detail =
        describe(date) + QStringLiteral(" in %1 -> ").arg(forms.locale().name()) + text;
    const std::optional<QDate> back = forms.regionalDate(text);
    require(back.has_value(), "regionalDate reads what shortDate writes", detail);
    require(*back == date, "regionalDate(shortDate(d)) == d", detail + " -> " + describe(*back));
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
    const RegionalForms& forms = fuzz::formsFor(localeByte & 0x7f);
    fuzz::Input dayBits(data + std::min<std::size_t>(size, 1),
                        size - std::min<std::size_t>(size, 1));
    checkShortDate(forms, dayChosenBy(dayBits));
    checkReader(forms, input.text(localeByte & 0x80));
    return 0;
}
