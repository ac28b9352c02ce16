#include "calc/ReadingChecks.h"
#include "platform/RunTimeFailure.h"
#include "settings/CheckSettings.h"
#include "support/SheetFields.h"
#include "support/TestLocales.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>

// The basic and the cross checks of the readings and dates, in four locales.
class TestReadingChecks : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data() { testlocales::addLocaleRows(); }

    void basicChecks_data();
    void basicChecks();
    void onlyFirstReadingAfterSettingsChecks();
    void basicChecksInhibited();
    void crossChecks_data();
    void crossChecks();
    void datesRewrittenFromMonthNames();
    void crossChecksInhibited();
    void unreadableDateFailsWhenInhibited();
};

namespace {

const QString NoReadings = QStringLiteral("No Meter Readings To Calculate\n");
const QString Date1Invalid = QStringLiteral("Date 1 must be a valid date\n");
const QString Date2Invalid = QStringLiteral("Date 2 must be a valid date\n");
const QString Reading1Range = QStringLiteral("Meter Reading 1 must be between 1 and 999900\n");
const QString Reading2Range = QStringLiteral("Meter Reading 2 must be between 11 and 999999\n");
const QString Date1Range =
    QStringLiteral("Date 1 must be between 1st Jan 2000 and 31st Dec 2015 than Date 1\n");
const QString Date2Range =
    QStringLiteral("Date 2 must be between 1st Jan 2000 and 31st Dec 2015 than Date 1\n");
const QString DayGap = QStringLiteral("Date 2 must be at least 3 days later than Date 1\n");
const QString ReadingGap =
    QStringLiteral("Meter Reading 2 must be at least 10 greater than Meter Reading 1\n");
const QString NoBreakPoint =
    QStringLiteral("The Rate 1 to Rate 2 Breakpoint must be set if Rate 2 is set\n");
const QString NoRate2 =
    QStringLiteral("Rate 2 must be set if the Rate 1 to Rate 2 Breakpoint is set\n");

// The short date form of each test locale, written out by hand.
QString shortDate(const QLocale& locale, QDate date) {
    switch (locale.language()) {
    case QLocale::German:
        return date.toString(QStringLiteral("dd.MM.yy"));
    case QLocale::Swedish:
        return date.toString(QStringLiteral("yyyy-MM-dd"));
    default:
        return date.toString(locale.territory() == QLocale::UnitedStates
                                 ? QStringLiteral("M/d/yy")
                                 : QStringLiteral("dd/MM/yyyy"));
    }
}

void setEntries(Sheet& s, const QString& date1, const QString& date2, const QString& reading1,
                const QString& reading2) {
    s.Date1.text = date1;
    s.Date2.text = date2;
    s.NRead1.text = reading1;
    s.NRead2.text = reading2;
}

} // namespace

void TestReadingChecks::basicChecks_data() {
    QTest::addColumn<QString>("date1");
    QTest::addColumn<QString>("date2");
    QTest::addColumn<QString>("reading1");
    QTest::addColumn<QString>("reading2");
    QTest::addColumn<QString>("messages");

    const QString d1 = QStringLiteral("2009-01-01");
    const QString d2 = QStringLiteral("2009-03-01");
    QTest::newRow("all empty") << ""
                               << ""
                               << ""
                               << "" << NoReadings;
    QTest::newRow("only reading 1") << ""
                                    << ""
                                    << "100"
                                    << "" << Date1Invalid + Date2Invalid + Reading2Range;
    QTest::newRow("a blank is not empty")
        << " "
        << ""
        << ""
        << "" << Date1Invalid + Date2Invalid + Reading1Range + Reading2Range;
    QTest::newRow("everything wrong")
        << "x"
        << "31/02/2010"
        << "0"
        << "1000000" << Date1Invalid + Date2Invalid + Reading1Range + Reading2Range;
    QTest::newRow("valid") << d1 << d2 << "100"
                           << "200"
                           << "";
    QTest::newRow("highest readings") << d1 << d2 << "999900"
                                      << "999999"
                                      << "";
    QTest::newRow("lowest readings") << d1 << d2 << "1"
                                     << "11"
                                     << "";
    QTest::newRow("reading 1 0") << d1 << d2 << "0"
                                 << "200" << Reading1Range;
    QTest::newRow("reading 1 above") << d1 << d2 << "999901"
                                     << "999999" << Reading1Range;
    QTest::newRow("reading 1 0.9") << d1 << d2 << "0.9"
                                   << "200" << Reading1Range;
    QTest::newRow("reading 1 not a number") << d1 << d2 << "abc"
                                            << "200" << Reading1Range;
    QTest::newRow("reading 2 10") << d1 << d2 << "1"
                                  << "10" << Reading2Range;
    QTest::newRow("reading 2 above") << d1 << d2 << "100"
                                     << "1000000" << Reading2Range;
    QTest::newRow("12abc reads as 12") << d1 << d2 << "12abc"
                                       << "200"
                                       << "";
    QTest::newRow("date 1 not a date") << "2010-02-31" << d2 << "100"
                                       << "200" << Date1Invalid;
    QTest::newRow("date 2 not a date") << d1 << "tomorrow"
                                       << "100"
                                       << "200" << Date2Invalid;
}

void TestReadingChecks::basicChecks() {
    QFETCH_GLOBAL(QLocale, locale);
    QFETCH(QString, date1);
    QFETCH(QString, date2);
    QFETCH(QString, reading1);
    QFETCH(QString, reading2);
    QFETCH(QString, messages);
    TestProgram t(locale);
    Sheet& s = t.sheet();
    setEntries(s, date1, date2, reading1, reading2);
    CheckReadings(t.program);
    QCOMPARE(s.ErrorList, messages);
    QCOMPARE(s.ErrorStep, std::int16_t(122));
    // The basic checks rewrite nothing.
    QCOMPARE(s.Date1.text, date1);
    QCOMPARE(s.NRead1.text, reading1);
    QVERIFY(t.messages.shown().isEmpty());
}

// Calculate's order: settings first, then the basic checks onto the same list.
void TestReadingChecks::onlyFirstReadingAfterSettingsChecks() {
    QFETCH_GLOBAL(QLocale, locale);
    TestProgram t(locale);
    Sheet& s = t.sheet();
    setValidSettings(s);
    s.NRead1.text = QStringLiteral("100");
    CheckSettings(t.program, true, true);
    CheckReadings(t.program);
    QCOMPARE(s.ErrorList, Date1Invalid + Date2Invalid + Reading2Range);
    s.ErrorList.clear();
    s.CORate.text.clear();
    CheckSettings(t.program, true, true);
    CheckReadings(t.program);
    QCOMPARE(s.ErrorList, QStringLiteral("CO2 Conversion Rate must be between 0.05 and 1\n") +
                              Date1Invalid + Date2Invalid + Reading2Range);
}

void TestReadingChecks::basicChecksInhibited() {
    QFETCH_GLOBAL(QLocale, locale);
    TestProgram t(locale);
    Sheet& s = t.sheet();
    s.ErrorCheckInhibited = 1;
    s.ErrorList = QStringLiteral("Rate 1 must be between 0.01 and 0.99\n");
    CheckReadings(t.program);
    QCOMPARE(s.ErrorList, QString());
    QCOMPARE(s.ErrorStep, std::int16_t(122));
}

void TestReadingChecks::crossChecks_data() {
    QTest::addColumn<QDate>("date1");
    QTest::addColumn<QDate>("date2");
    QTest::addColumn<QString>("reading1");
    QTest::addColumn<QString>("reading2");
    QTest::addColumn<QString>("rate2"); // "¤" in front: in display form
    QTest::addColumn<QString>("breakPoint");
    QTest::addColumn<QString>("messages");

    const auto row = [](const char* name, QDate date1, QDate date2, const char* reading1,
                        const char* reading2, const char* rate2, const char* breakPoint,
                        const QString& messages) {
        QTest::newRow(name) << date1 << date2 << reading1 << reading2 << QString::fromUtf8(rate2)
                            << breakPoint << messages;
    };
    const QDate jan1(2009, 1, 1);
    const QDate mar1(2009, 3, 1);
    row("valid", jan1, mar1, "100", "200", "", "", "");
    row("date 2 on 1 March 2000", QDate(2000, 1, 1), QDate(2000, 3, 1), "100", "200", "", "",
        Date2Range);
    row("date 2 on 30 March 2000", QDate(2000, 1, 1), QDate(2000, 3, 30), "100", "200", "", "",
        Date2Range);
    row("date 2 on 31 March 2000", QDate(2000, 1, 1), QDate(2000, 3, 31), "100", "200", "", "", "");
    row("date 1 before 2000", QDate(1999, 12, 31), QDate(2000, 4, 1), "100", "200", "", "",
        Date1Range);
    row("date 1 on the last day", QDate(2015, 12, 31), QDate(2016, 1, 3), "100", "200", "", "",
        Date2Range);
    row("date 2 on the last day", QDate(2015, 12, 28), QDate(2015, 12, 31), "100", "200", "", "",
        "");
    row("both after 2015", QDate(2016, 1, 1), QDate(2016, 1, 4), "100", "200", "", "",
        Date1Range + Date2Range);
    row("2 days apart", mar1, QDate(2009, 3, 3), "100", "200", "", "", DayGap);
    row("3 days apart", mar1, QDate(2009, 3, 4), "100", "200", "", "", "");
    row("same day", mar1, mar1, "100", "200", "", "", DayGap);
    row("date 2 earlier", mar1, jan1, "100", "200", "", "", DayGap);
    row("readings 10 apart", jan1, mar1, "100", "110", "", "", "");
    row("readings 9 apart", jan1, mar1, "100", "109", "", "", ReadingGap);
    row("readings backwards", jan1, mar1, "200", "100", "", "", ReadingGap);
    row("readings with text", jan1, mar1, "100abc", "110xyz", "", "", "");
    row("rate 2 displayed without break point", jan1, mar1, "100", "200", "\u00A40.12000", "",
        NoBreakPoint);
    row("rate 2 plain without break point", jan1, mar1, "100", "200", "0.12", "0", NoBreakPoint);
    row("break point without rate 2", jan1, mar1, "100", "200", "", "100", NoRate2);
    row("break point with rate 2 at 0", jan1, mar1, "100", "200", "\u00A40.00000", "100", NoRate2);
    row("both set", jan1, mar1, "100", "200", "\u00A40.12000", "100", "");
    row("everything wrong at once", QDate(1999, 12, 31), QDate(2000, 1, 2), "100", "105",
        "\u00A40.10000", "", Date1Range + Date2Range + DayGap + ReadingGap + NoBreakPoint);
}

void TestReadingChecks::crossChecks() {
    QFETCH_GLOBAL(QLocale, locale);
    QFETCH(QDate, date1);
    QFETCH(QDate, date2);
    QFETCH(QString, reading1);
    QFETCH(QString, reading2);
    QFETCH(QString, rate2);
    QFETCH(QString, breakPoint);
    QFETCH(QString, messages);
    TestProgram t(locale);
    Sheet& s = t.sheet();
    setEntries(s, date1.toString(Qt::ISODate), date2.toString(Qt::ISODate), reading1, reading2);
    s.NRate2.text =
        rate2.startsWith(QChar(0x00A4)) ? testlocales::money(locale, rate2.mid(1)) : rate2;
    s.BreakP.text = breakPoint;
    CheckConsistency(t.program);
    QCOMPARE(s.ErrorList, messages);
    QCOMPARE(s.ErrorStep, std::int16_t(116));
    // Both dates come back in short date form, whatever the checks found.
    QCOMPARE(s.Date1.text, shortDate(locale, date1));
    QCOMPARE(s.Date2.text, shortDate(locale, date2));
    QCOMPARE(t.forms.dateValue(s.Date1.text), date1);
    QCOMPARE(t.forms.dateValue(s.Date2.text), date2);
}

// A date typed with the locale's month name comes back in short date form,
// also when the checks refuse the calculation.
void TestReadingChecks::datesRewrittenFromMonthNames() {
    QFETCH_GLOBAL(QLocale, locale);
    TestProgram t(locale);
    Sheet& s = t.sheet();
    setEntries(s, QStringLiteral("1 %1 2009").arg(locale.monthName(3)),
               QStringLiteral("02-%1-09").arg(locale.monthName(3, QLocale::ShortFormat)),
               QStringLiteral("100"), QStringLiteral("200"));
    CheckConsistency(t.program);
    QCOMPARE(s.ErrorList, DayGap);
    QCOMPARE(s.Date1.text, shortDate(locale, QDate(2009, 3, 1)));
    QCOMPARE(s.Date2.text, shortDate(locale, QDate(2009, 3, 2)));
}

void TestReadingChecks::crossChecksInhibited() {
    QFETCH_GLOBAL(QLocale, locale);
    TestProgram t(locale);
    Sheet& s = t.sheet();
    s.ErrorCheckInhibited = 1;
    setEntries(s, QStringLiteral("1999-01-01"), QStringLiteral("1999-01-02"), QStringLiteral("100"),
               QStringLiteral("101"));
    CheckConsistency(t.program);
    QCOMPARE(s.ErrorList, QString());
    QCOMPARE(s.ErrorStep, std::int16_t(116));
    QCOMPARE(s.Date1.text, shortDate(locale, QDate(1999, 1, 1)));
}

// The cross checks have no guard: a date that cannot be read, which only the
// switched-off checks let through, fails to the caller's guard.
void TestReadingChecks::unreadableDateFailsWhenInhibited() {
    QFETCH_GLOBAL(QLocale, locale);
    TestProgram t(locale);
    Sheet& s = t.sheet();
    s.ErrorCheckInhibited = 1;
    setEntries(s, QStringLiteral("x"), QString(), QString(), QString());
    CheckReadings(t.program);
    QCOMPARE(s.ErrorList, QString());
    QVERIFY_THROWS_EXCEPTION(RunTimeFailure, CheckConsistency(t.program));
    QCOMPARE(s.ErrorStep, std::int16_t(111));
    QCOMPARE(s.Date1.text, QStringLiteral("x"));
    QVERIFY(t.messages.shown().isEmpty());
}

MW_REGISTER_TEST(TestReadingChecks)
#include "tst_readingchecks.moc"
