// Reading a date entry: the accepted written forms of a regional date.
#include "platform/RegionalForms.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

// Two-digit years 00 to 29 are 2000 to 2029, 30 to 99 are 1930 to 1999.
int fullYear(QStringView digits) {
    const int year = digits.toInt();
    if (digits.size() != 2)
        return year;
    const int first = RegionalForms::FirstTwoDigitYear;
    const int inFirstCentury = first - first % 100 + year;
    return inFirstCentury < first ? inFirstCentury + 100 : inFirstCentury;
}

// Bidirectional marks, embeddings and isolates: invisible, and part of some
// locales' own short form (ar_EG writes 1/1/2010 with a right-to-left mark
// after the day and the month), but rarely typed.
bool isBidiControl(char32_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

// The text without bidirectional controls, with the digits of the locale's
// own script ("١/١/٢٠١٠" in ar_EG) as ASCII digits, so that the patterns
// below take both what the locale writes and what its user types.
QString plainDateText(QStringView text, char32_t zero) {
    QString plain;
    plain.reserve(text.size());
    for (char32_t c : text.toUcs4()) {
        if (isBidiControl(c))
            continue;
        if (c >= zero && c <= zero + 9)
            c = U'0' + (c - zero);
        plain += QStringView(QChar::fromUcs4(c));
    }
    return plain;
}

char32_t zeroDigit(const QLocale& locale) {
    const QList<uint> zero = locale.zeroDigit().toUcs4();
    return zero.size() == 1 ? zero.front() : U'0';
}

std::optional<QDate> calendarDate(int year, int month, int day) {
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// The locale's short date format as a pattern with the day, month and year
// captured in the format's order: "dd/MM/yyyy" becomes
// ^(\d{1,2})/(\d{1,2})/(\d{2}|\d{4})$ with the order d, M, y.
struct ShortDatePattern {
    QRegularExpression expression;
    QString order;
};

ShortDatePattern shortDatePattern(const QLocale& locale) {
    const QString format = plainDateText(locale.dateFormat(QLocale::ShortFormat), U'0');
    ShortDatePattern result;
    QString pattern = QStringLiteral("^");
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        if (c == u'd' || c == u'M') {
            pattern += QStringLiteral("([0-9]{1,2})");
            result.order += c;
        } else if (c == u'y') {
            pattern += QStringLiteral("([0-9]{2}|[0-9]{4})");
            result.order += c;
        } else if (c != u'\'') {
            pattern += QRegularExpression::escape(format.mid(i, run));
        }
        i += run;
    }
    result.expression.setPattern(pattern + u'$');
    return result;
}

std::optional<QDate> fromShortDateForm(const ShortDatePattern& form, const QString& text) {
    if (form.order.size() != 3)
        return std::nullopt;
    const QRegularExpressionMatch match = form.expression.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        const QStringView digits = match.capturedView(i + 1);
        switch (form.order.at(i).unicode()) {
        case u'd':
            day = digits.toInt();
            break;
        case u'M':
            month = digits.toInt();
            break;
        default:
            year = fullYear(digits);
            break;
        }
    }
    return calendarDate(year, month, day);
}

std::optional<QDate> fromIsoForm(const QString& text) {
    static const QRegularExpression iso(QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2})$"));
    const QRegularExpressionMatch match = iso.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return calendarDate(match.capturedView(1).toInt(), match.capturedView(2).toInt(),
                        match.capturedView(3).toInt());
}

QString comparableName(QString name) {
    return name.remove(u'.').toCaseFolded();
}

// The month whose name or abbreviation the word is; 0 for none, and for a
// word that names two months (abbreviations cut to three letters can clash).
int monthFromName(const RegionalForms& forms, const QString& word) {
    const QLocale& locale = forms.locale();
    const QString wanted = comparableName(word);
    int found = 0;
    for (int month = 1; month <= 12; ++month) {
        const QString names[] = {
            locale.monthName(month, QLocale::LongFormat),
            locale.monthName(month, QLocale::ShortFormat),
            locale.standaloneMonthName(month, QLocale::LongFormat),
            locale.standaloneMonthName(month, QLocale::ShortFormat),
            forms.monthAbbreviation(month),
        };
        for (const QString& name : names)
            if (comparableName(name) == wanted && found != month)
                found = found == 0 ? month : -1;
    }
    return std::max(found, 0);
}

std::optional<QDate> fromMonthNameForm(const RegionalForms& forms, const QString& text) {
    // A month name is letters with their combining marks (the vowel signs of
    // Bengali or Devanagari) and joiners, dots allowed between and after them
    // ("มี.ค.").
    static const QRegularExpression named(
        QStringLiteral(
            "^([0-9]{1,2})(?:[ \\-/]+|\\. *)(%1+(?:\\.%1+)*\\.?)[ \\-/,]+([0-9]{2}|[0-9]{4})$")
            .arg(QStringLiteral("[\\p{L}\\p{M}\\x{200C}\\x{200D}]")));
    const QRegularExpressionMatch match = named.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int month = monthFromName(forms, match.captured(2));
    if (month == 0)
        return std::nullopt;
    return calendarDate(fullYear(match.capturedView(3)), month, match.capturedView(1).toInt());
}

} // namespace

void RegionalForms::learnShortDateForm() {
    ShortDatePattern form = shortDatePattern(locale_);
    form.expression.optimize();
    shortDateExpression_ = form.expression;
    shortDateOrder_ = form.order;
}

std::optional<QDate> RegionalForms::regionalDate(QStringView text) const {
    const QString entry = plainDateText(text, zeroDigit(locale_)).trimmed();
    if (entry.isEmpty())
        return std::nullopt;
    if (auto date = fromShortDateForm({shortDateExpression_, shortDateOrder_}, entry))
        return date;
    if (auto date = fromIsoForm(entry))
        return date;
    return fromMonthNameForm(*this, entry);
}
