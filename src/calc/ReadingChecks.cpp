#include "calc/ReadingChecks.h"

#include "calc/ErrorSteps.h"
#include "settings/MoneyFields.h"

namespace {

constexpr double LowestReading1 = 1;
constexpr double HighestReading1 = 999900;
constexpr double LowestReading2 = 11;
constexpr double HighestReading2 = 999999;
constexpr qint64 SmallestDayGap = 3;
constexpr double SmallestReadingGap = 10;

const QDate EarliestDate1(2000, 1, 1);
// Date 2 may not lie before 31 March 2000, although its message names 1st Jan 2000.
const QDate EarliestDate2(2000, 3, 31);

// Readings may be dated up to the end of next year, so that the program stays
// usable in every year; the messages name that day.
QDate latestDate(const Program& program) {
    return QDate(program.services.clock.now().date().year() + 1, 12, 31);
}

QString dateRangeMessage(int date, QDate latest) {
    return QStringLiteral("Date %1 must be between 1st Jan 2000 and 31st Dec %2 than Date 1")
        .arg(date)
        .arg(latest.year());
}

void Append(Sheet& s, const QString& message) {
    s.ErrorList += message + u'\n';
}

void Append(Sheet& s, const char* message) {
    Append(s, QString::fromUtf8(message));
}

bool NothingEntered(const Sheet& s) {
    return s.Date1.text.isEmpty() && s.Date2.text.isEmpty() && s.NRead1.text.isEmpty() &&
           s.NRead2.text.isEmpty();
}

bool Outside(double value, double low, double high) {
    return value < low || value > high;
}

bool Outside(QDate date, QDate low, QDate high) {
    return date < low || date > high;
}

void CheckEntries(Sheet& s, const RegionalForms& forms) {
    if (!forms.isRegionalDate(s.Date1.text))
        Append(s, "Date 1 must be a valid date");
    if (!forms.isRegionalDate(s.Date2.text))
        Append(s, "Date 2 must be a valid date");
    if (Outside(forms.typedNumber(s.NRead1.text), LowestReading1, HighestReading1))
        Append(s, "Meter Reading 1 must be between 1 and 999900");
    if (Outside(forms.typedNumber(s.NRead2.text), LowestReading2, HighestReading2))
        Append(s, "Meter Reading 2 must be between 11 and 999999");
}

void CheckDates(Sheet& s, const RegionalForms& forms, QDate latest) {
    const QDate date1 = forms.dateValue(s.Date1.text);
    const QDate date2 = forms.dateValue(s.Date2.text);
    if (Outside(date1, EarliestDate1, latest))
        Append(s, dateRangeMessage(1, latest));
    if (Outside(date2, EarliestDate2, latest))
        Append(s, dateRangeMessage(2, latest));
    if (RegionalForms::dayCount(date1, date2) < SmallestDayGap)
        Append(s, "Date 2 must be at least 3 days later than Date 1");
    s.Date1.text = forms.shortDate(date1);
    s.Date2.text = forms.shortDate(date2);
}

void CheckReadingGap(Sheet& s, const RegionalForms& forms) {
    if (forms.typedNumber(s.NRead2.text) - forms.typedNumber(s.NRead1.text) < SmallestReadingGap)
        Append(s, "Meter Reading 2 must be at least 10 greater than Meter Reading 1");
}

void CheckRate2AndBreakPoint(Sheet& s, const RegionalForms& forms) {
    const double rate2 = moneyValue(forms, s.NRate2.text);
    const double breakPoint = forms.typedNumber(s.BreakP.text);
    if (breakPoint == 0 && rate2 != 0)
        Append(s, "The Rate 1 to Rate 2 Breakpoint must be set if Rate 2 is set");
    if (breakPoint != 0 && rate2 == 0)
        Append(s, "Rate 2 must be set if the Rate 1 to Rate 2 Breakpoint is set");
}

// The start of each message of these checks, and the field it names first.
struct NamedField {
    const char* start;
    const char* field;
};

const NamedField MessageFields[] = {
    {"No Meter Readings", "Date2"},
    {"Date 1 ", "Date1"},
    {"Date 2 ", "Date2"},
    {"Meter Reading 1 ", "NRead1"},
    {"Meter Reading 2 ", "NRead2"},
    {"The Rate 1 to Rate 2 Breakpoint", "BreakP"},
    {"Rate 2 must be set if", "NRate2"},
};

} // namespace

QString ReadingFieldNamedBy(const QString& message) {
    for (const NamedField& named : MessageFields)
        if (message.startsWith(QLatin1StringView(named.start)))
            return QString::fromLatin1(named.field);
    return {};
}

void CheckReadings(Program& program) {
    Sheet& s = program.sheet;
    Guarded(program, QStringLiteral("Check Error"), [&] {
        s.ErrorStep = Step::CheckReadingsStart;
        if (NothingEntered(s))
            Append(s, "No Meter Readings To Calculate");
        else
            CheckEntries(s, program.forms());
        s.ErrorStep = Step::CheckReadingsInhibit;
        if (s.ErrorCheckInhibited == 1)
            s.ErrorList.clear();
    });
}

void CheckConsistency(Program& program) {
    Sheet& s = program.sheet;
    const RegionalForms& forms = program.forms();
    s.ErrorStep = Step::ConsistencyDates;
    CheckDates(s, forms, latestDate(program));
    s.ErrorStep = Step::ConsistencyReadingGap;
    CheckReadingGap(s, forms);
    s.ErrorStep = Step::ConsistencyRate2AndBreakPoint;
    CheckRate2AndBreakPoint(s, forms);
    // The prediction period is not compared with the dates: every period
    // that the settings checks accept is calculated.
    s.ErrorStep = Step::ConsistencyPredictionPeriod;
    s.ErrorStep = Step::ConsistencyInhibit;
    if (s.ErrorCheckInhibited == 1)
        s.ErrorList.clear();
}
