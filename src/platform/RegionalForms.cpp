#include "platform/RegionalForms.h"

#include "platform/DecimalText.h"
#include "platform/RunTimeFailure.h"

#include <charconv>
#include <cmath>

namespace {

bool isSpace(QChar c) {
    return c.isSpace();
}

// The program's own written form, digits with perhaps "." and more digits,
// read directly: the same value the C locale reads, without its cost, as
// nearly every field holds this form.
std::optional<double> plainDecimalValue(QStringView text) {
    constexpr qsizetype Longest = 32;
    if (text.isEmpty() || text.size() > Longest)
        return std::nullopt;
    char digits[Longest];
    bool point = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool digit = c >= u'0' && c <= u'9';
        const bool innerPoint = c == u'.' && !point && i > 0 && i + 1 < text.size();
        if (!digit && !innerPoint)
            return std::nullopt;
        point = point || innerPoint;
        digits[i] = static_cast<char>(c);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(digits, digits + text.size(), value);
    if (error != std::errc() || end != digits + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QStringView trimmed(QStringView text) {
    while (!text.isEmpty() && isSpace(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && isSpace(text.back()))
        text.chop(1);
    return text;
}

// Digit counts of the groups of a whole number the locale writes, from the point leftwards.
QList<int> groupSizes(const QString& written, const QString& separator) {
    QList<int> sizes;
    for (const QString& group : written.split(separator))
        sizes.prepend(static_cast<int>(group.size()));
    return sizes;
}

// The fewest whole digits that the locale groups (5 where 1234 stays whole).
int shortestGroupedLength(const QLocale& locale, int firstGroup) {
    qint64 smallest = 1;
    int digits = 1;
    for (; digits <= firstGroup; ++digits)
        smallest *= 10;
    for (; digits < 18 && !locale.toString(smallest).contains(locale.groupSeparator()); ++digits)
        smallest *= 10;
    return digits;
}

} // namespace

RegionalForms::RegionalForms(const QLocale& locale)
    : locale_(locale), decimalPoint_(locale.decimalPoint()),
      groupsWithPoint_(locale.groupSeparator() == QStringLiteral(".")) {
    plainNumbers_.setNumberOptions(QLocale::RejectGroupSeparator);
    // The place of the symbol and the decimals come from the locale's own
    // currency text of the amount 1 ("£1.00", "1,00 €", "CHF 1.00", "￥1").
    const QString one = locale_.toCurrencyString(1.0);
    qsizetype first = 0;
    while (first < one.size() && !one.at(first).isDigit())
        ++first;
    qsizetype last = one.size() - 1;
    while (last >= 0 && !one.at(last).isDigit())
        --last;
    if (first < one.size() && last >= first) {
        currencyPrefix_ = one.left(first);
        currencySuffix_ = one.mid(last + 1);
        const QString amount = one.mid(first, last - first + 1);
        const qsizetype point = amount.indexOf(locale_.decimalPoint());
        currencyDecimals_ = point < 0 ? 0 : static_cast<int>(amount.size() - point - 1);
    } else {
        currencyPrefix_ = locale_.currencySymbol();
    }
    symbol_ = trimmed(currencyPrefix_.isEmpty() ? QStringView(currencySuffix_)
                                                : QStringView(currencyPrefix_))
                  .toString();
    if (locale_.decimalPoint() != QStringLiteral(".") && locale_.decimalPoint().size() == 1)
        extraDecimalPoint_ = locale_.decimalPoint().at(0);
    learnGrouping();
    learnShortDateForm();
}

// Grouping is learnt from how the locale writes whole numbers, and only where
// "." is its decimal separator: elsewhere a grouped amount could be misread.
void RegionalForms::learnGrouping() {
    const QString separator = locale_.groupSeparator();
    if (locale_.decimalPoint() != QStringLiteral(".") || separator.isEmpty() ||
        separator == QStringLiteral("."))
        return;
    const QList<int> sizes =
        groupSizes(locale_.toString(Q_INT64_C(1234567890123456789)), separator);
    if (sizes.size() < 3)
        return;
    groupSeparator_ = separator;
    firstGroup_ = sizes.at(0);
    otherGroups_ = sizes.at(1);
    shortestGrouped_ = shortestGroupedLength(locale_, firstGroup_);
}

double RegionalForms::leadingNumber(QStringView text) const {
    return leadingDecimal(text, extraDecimalPoint_);
}

bool RegionalForms::isNumeric(QStringView text) const {
    return numberOf(text).has_value();
}

double RegionalForms::typedNumber(QStringView text) const {
    return numberOf(text).value_or(leadingNumber(text));
}

double RegionalForms::regionalNumber(QStringView text) const {
    const std::optional<double> value = numberOf(text);
    if (!value)
        throw RunTimeFailure("Type mismatch");
    return *value;
}

// Tells rather than throws: a text that is not a number is common where
// fields are checked, and reading a long history log checks many.
std::optional<double> RegionalForms::numberOf(QStringView text) const {
    QStringView body = trimmed(text);
    QStringView sign;
    if (body.startsWith(u'-') || body.startsWith(u'+')) {
        sign = body.left(1);
        body = trimmed(body.mid(1));
    }
    if (!symbol_.isEmpty()) {
        if (body.startsWith(symbol_))
            body = trimmed(body.mid(symbol_.size()));
        else if (body.endsWith(symbol_))
            body = trimmed(body.left(body.size() - symbol_.size()));
    }
    if (sign.isEmpty() && (body.startsWith(u'-') || body.startsWith(u'+'))) {
        sign = body.left(1);
        body = body.mid(1);
    }
    if (body.isEmpty() || body.startsWith(u'-') || body.startsWith(u'+') || isSpace(body.front()))
        return std::nullopt;
    if (const std::optional<double> plain = plainDecimalValue(body))
        return sign == u"-" ? -*plain : *plain;
    const QString number = sign.toString() + body.toString();
    // The program's own form first ("." and no grouping), then the locale's.
    bool ok = false;
    double value = plainNumbers_.toDouble(number, &ok);
    // In a locale that groups with "." a text without its decimal separator
    // would read "82.082.000" as 82 million where "." is the program's decimal
    // point: such a text is not a number rather than a different one.
    const bool pointGroupedOnly = groupsWithPoint_ && !number.contains(decimalPoint_);
    if (!ok && !pointGroupedOnly)
        value = locale_.toDouble(number, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString RegionalForms::generalNumber(double value) const {
    return shortestDecimal(value);
}

QString RegionalForms::patternNumber(double value, int places) const {
    return roundedDecimal(value, places);
}

QString RegionalForms::currency(double value) const {
    const QString amount = roundedDecimal(value, currencyDecimals_);
    if (amount.startsWith(u'-'))
        return u'-' + withCurrencySymbol(grouped(amount.mid(1)));
    return withCurrencySymbol(grouped(amount));
}

QString RegionalForms::grouped(const QString& amount) const {
    qsizetype wholeDigits = amount.indexOf(u'.');
    if (wholeDigits < 0)
        wholeDigits = amount.size();
    if (groupSeparator_.isEmpty() || wholeDigits < shortestGrouped_)
        return amount;
    QString text = amount;
    for (qsizetype at = wholeDigits - firstGroup_; at > 0; at -= otherGroups_)
        text.insert(at, groupSeparator_);
    return text;
}

QString RegionalForms::withCurrencySymbol(const QString& plain) const {
    return currencyPrefix_ + plain + currencySuffix_;
}

bool RegionalForms::hasCurrencySymbol(const QString& text) const {
    if (symbol_.isEmpty())
        return false;
    return currencyPrefix_.isEmpty() ? text.endsWith(symbol_) : text.startsWith(currencyPrefix_);
}

QString RegionalForms::withoutCurrencySymbol(const QString& text) const {
    if (!hasCurrencySymbol(text))
        return text;
    if (!currencyPrefix_.isEmpty())
        return text.mid(currencyPrefix_.size());
    return trimmed(QStringView(text).chopped(symbol_.size())).toString();
}

QDate RegionalForms::dateValue(QStringView text) const {
    const std::optional<QDate> date = regionalDate(text);
    if (!date)
        throw RunTimeFailure("Type mismatch");
    return *date;
}

QString RegionalForms::shortDate(QDate date) const {
    QString format = locale_.dateFormat(QLocale::ShortFormat);
    const bool twoDigitYear = !format.contains(QStringLiteral("yyyy"));
    if (twoDigitYear && (date.year() < FirstTwoDigitYear || date.year() >= FirstTwoDigitYear + 100))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return locale_.toString(date, format);
}

QString RegionalForms::clockTime(QTime time) {
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString RegionalForms::shortDateTime(const QDateTime& moment) const {
    return shortDate(moment.date()) + u' ' + clockTime(moment.time());
}

QString RegionalForms::monthAbbreviation(int month) const {
    QString name = locale_.standaloneMonthName(month, QLocale::ShortFormat);
    name.remove(u'.');
    return name.left(3);
}

QString RegionalForms::logTimestamp(const QDateTime& moment) const {
    const QDate date = moment.date();
    return QStringLiteral("%1-%2-%3 %4")
        .arg(date.day(), 2, 10, QChar(u'0'))
        .arg(monthAbbreviation(date.month()))
        .arg(date.year() % 100, 2, 10, QChar(u'0'))
        .arg(clockTime(moment.time()));
}

qint64 RegionalForms::dayCount(QDate from, QDate to) {
    return from.daysTo(to);
}

QDate RegionalForms::addMonths(QDate date, int months) {
    return date.addMonths(months);
}
