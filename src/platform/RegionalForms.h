#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QString>
#include <QTime>
#include <optional>

// Every conversion between a number or date and its text goes through here, so
// that the program's regional behaviour is one object: the program passes the
// user's locale, tests pass fixed ones.
//
// Regional rule: numbers in fields are always written with "." and without
// grouping, in every locale, so every text the program writes reads back to the
// same value; the locale supplies the currency symbol and its place, the
// currency's decimals, the short date form and the month names. Amounts also
// take the locale's grouping where its decimal separator is "." (£3,205.72):
// there a grouped amount cannot be misread. Reading also accepts the locale's
// own decimal separator, so "0,12" typed in de_DE is 0.12.
class RegionalForms {
public:
    explicit RegionalForms(const QLocale& locale = QLocale());

    const QLocale& locale() const { return locale_; }

    // Leading number: never fails; a text that does not begin with a number reads as 0.
    double leadingNumber(QStringView text) const;
    // Regional number: the whole text, with an optional currency symbol; a text
    // that is not such a number is a run-time failure.
    double regionalNumber(QStringView text) const;
    // Numeric: the regional number form accepts the text (an empty text is not numeric).
    bool isNumeric(QStringView text) const;
    // A number as the user typed it: its regional number when the text is
    // numeric ("12,345" in en_GB is 12345), otherwise its leading number
    // ("12abc" is 12). Never fails.
    double typedNumber(QStringView text) const;

    // General number: shortest form, at most 15 significant digits.
    QString generalNumber(double value) const;
    // Pattern forms "0", "0.0", "0.00"...: `places` decimals, rounded half away from zero.
    QString patternNumber(double value, int places) const;
    QString wholeNumber(double value) const { return patternNumber(value, 0); }
    QString oneDecimal(double value) const { return patternNumber(value, 1); }

    // Currency: the locale's symbol in its place and its decimals, a leading
    // minus for negative amounts (-£12.50, -12.50 €), grouped where the
    // locale's decimal separator is "." (-£1,234.50).
    QString currency(double value) const;
    // The symbol as the locale writes it in front of or behind an amount ("£", "€", "CHF").
    QString currencySymbol() const { return symbol_; }
    int currencyDecimals() const { return currencyDecimals_; }
    // The display form of a money field: the plain number with the symbol in its place.
    QString withCurrencySymbol(const QString& plain) const;
    // The plain form: one symbol taken off the front (or, where the locale
    // writes it behind, off the end). A text without it is returned unchanged.
    QString withoutCurrencySymbol(const QString& text) const;
    bool hasCurrencySymbol(const QString& text) const;

    // Two-digit years are read as the hundred years from this one (1930 to 2029).
    static constexpr int FirstTwoDigitYear = 1930;

    // Regional date: the locale's short date form (one- or two-digit day and
    // month, two- or four-digit year), yyyy-mm-dd, or day, month name or its
    // abbreviation and year. Two-digit years 00-29 are 2000-2029, 30-99 1930-1999.
    // Digits are ASCII or the locale's own; direction marks are ignored.
    std::optional<QDate> regionalDate(QStringView text) const;
    bool isRegionalDate(QStringView text) const { return regionalDate(text).has_value(); }
    // A text that is not a regional date is a run-time failure.
    QDate dateValue(QStringView text) const;
    // In the locale's digits and with its marks. Where the locale's form has a
    // two-digit year, a year outside 1930 to 2029 is written with four digits,
    // so that every date reads back as itself.
    QString shortDate(QDate date) const;
    // "hh:mm:ss", 24-hour.
    static QString clockTime(QTime time);
    // Short date, a space and "hh:mm:ss".
    QString shortDateTime(const QDateTime& moment) const;
    // "dd-mmm-yy hh:mm:ss" with the locale's three-letter month abbreviation.
    QString logTimestamp(const QDateTime& moment) const;
    // The locale's month abbreviation cut to three letters ("Sep", "Mär").
    QString monthAbbreviation(int month) const;

    // Whole calendar days from `from` to `to` (negative when `to` is earlier).
    static qint64 dayCount(QDate from, QDate to);
    // Advances the calendar month, keeping the day or taking the month's last day.
    static QDate addMonths(QDate date, int months);

private:
    void learnGrouping();
    void learnShortDateForm();
    QString grouped(const QString& amount) const;
    // The regional number of a text, or nothing when it is not one.
    std::optional<double> numberOf(QStringView text) const;

    QLocale locale_;
    // Numbers in the program's own form: "." and no grouping.
    QLocale plainNumbers_ = QLocale::c();
    QString decimalPoint_;
    bool groupsWithPoint_ = false;
    QString symbol_;
    QString currencyPrefix_;
    QString currencySuffix_;
    int currencyDecimals_ = 2;
    QChar extraDecimalPoint_;
    // The locale's grouping of amounts; no separator means none. The group
    // nearest the point may differ in size from the others (12,34,567 in en_IN),
    // and some locales leave short numbers ungrouped.
    QString groupSeparator_;
    int firstGroup_ = 3;
    int otherGroups_ = 3;
    int shortestGrouped_ = 4;
    // The short date form as a pattern capturing day, month and year in the
    // order `shortDateOrder_` names them (d, M, y); made once, as reading a
    // long history log reads many dates.
    QRegularExpression shortDateExpression_;
    QString shortDateOrder_;
};
