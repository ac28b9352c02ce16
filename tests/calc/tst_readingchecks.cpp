#include "calc/CalcTestSheet.h"
#include "calc/ReadingChecks.h"
#include "platform/RunTimeFailure.h"
#include "settings/CheckSettings.h"
#include "support/TestLocales.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>

namespace {

// The messages in the order Calculate appends them; rows name them by letter.
const char* const Messages[] = {
    "CO2 Conversion Rate must be between 0.05 and 1", // a: a settings check comes first
    "No Meter Readings To Calculate",                 // b
    "Date 1 must be a valid date",                    // c
    "Date 2 must be a valid date",                    // d
    "Meter Reading 1 must be between 1 and 999900",   // e
    "Meter Reading 2 must be between 11 and 999999",  // f
    "Date 1 must be between 1st Jan 2000 and 31st Dec 2015 than Date 1", // g
    "Date 2 must be between 1st Jan 2000 and 31st Dec 2015 than Date 1", // h
    "Date 2 must be at least 3 days later than Date 1",                  // i
    "Meter Reading 2 must be at least 10 greater than Meter Reading 1",  // j
    "The Rate 1 to Rate 2 Breakpoint must be set if Rate 2 is set",      // k
    "Rate 2 must be set if the Rate 1 to Rate 2 Breakpoint is set",      // l
};

// Entries "Date1|Date2|NRead1|NRead2" (readings 100 and 200 unless given) and
// further fields; the messages by letter, "!" when the cross checks fail;
// "Date1|Date2" after the checks, when given.
struct Entries {
    const char* entries;
    const char* fields;
    const char* messages;
    const char* dates = "";
    QLocale locale = testlocales::britain();
};

} // namespace

Q_DECLARE_METATYPE(Entries)

// The checks as Calculate runs them: the settings, the basic checks of the
// entries, and the cross checks when nothing was found so far.
class TestReadingChecks : public QObject {
    Q_OBJECT

private slots:
    void checks_data() {
        QTest::addColumn<Entries>("c");
        const auto row = [](const char* name, const Entries& c) { QTest::newRow(name) << c; };
        row("nothing entered", {"|||", "", "b"});
        row("only reading 1, settings first", {"||100|", "CORate=", "acdf"});
        row("a blank is not empty", {" |||", "", "cdef"});
        row("everything wrong", {"x|31/02/2010|0.9|1000000", "", "cdef", "x|31/02/2010"});
        row("readings just outside", {"2009-01-01|2009-03-01|999901|10", "", "ef"});
        row("highest readings", {"2009-01-01|2009-03-01|999900|999999", "", ""});
        row("lowest readings, text after them", {"2009-01-01|2009-03-01|1abc|11xyz", "", ""});
        row("earliest dates", {"2000-01-01|2000-03-31", "", "", "01/01/2000|31/03/2000"});
        row("date 2 on 30 March 2000", {"2000-01-01|2000-03-30", "", "h"});
        row("latest date 2", {"2015-12-28|2015-12-31", "", ""});
        row("latest date 1", {"2015-12-31|2016-01-03", "", "h"});
        row("both after 2015", {"2016-01-01|2016-01-04", "", "gh"});
        row("all cross checks", {"1999-12-31|2000-01-02|100|109", "NRate2=0.1", "ghijk"});
        row("3 days and 10 units apart, rate 2 with break point",
            {"2009-03-01|2009-03-04|100abc|110xyz", "NRate2=0.12 BreakP=100", ""});
        row("break point without rate 2", {"2009-01-01|2009-03-01", "BreakP=100", "l"});
        row("checks switched off", {"1999-01-01|1999-01-02", "ErrorCheckInhibited=1 CORate=", "",
                                    "01/01/1999|02/01/1999"});
        // The cross checks have no guard: only switched-off checks let an
        // unreadable date through, to the caller's guard.
        row("unreadable date, checks switched off", {"x|||", "ErrorCheckInhibited=1", "!", "x|"});
        // Month names typed, the short date form written back, also when refused;
        // money in display form.
        row("en_GB", {"1 March 2009|02-Mar-09", "NRate2=£0.12000", "ik", "01/03/2009|02/03/2009"});
        row("en_US", {"1 March 2009|02-Mar-09", "NRate2=$0.12000", "ik", "3/1/09|3/2/09",
                      testlocales::unitedStates()});
        row("de_DE", {"1 März 2009|02-März-09", "NRate2=0.12000\u00A0€", "ik", "01.03.09|02.03.09",
                      testlocales::germany()});
        row("sv_SE", {"1 mars 2009|02-mars-09", "NRate2=0.12000\u00A0kr", "ik",
                      "2009-03-01|2009-03-02", testlocales::sweden()});
    }
    void checks() {
        QFETCH(Entries, c);
        TestProgram t(c.locale);
        Sheet& s = t.sheet();
        setValidSettings(s);
        const QStringList e = QString::fromUtf8(c.entries).split(u'|');
        setFields(s, QString::fromUtf8(c.fields) +
                         QStringLiteral(" Date1=%1 Date2=%2 NRead1=%3 NRead2=%4")
                             .arg(e[0], e[1], e.value(2, QStringLiteral("100")),
                                  e.value(3, QStringLiteral("200"))));
        CheckSettings(t.program, true, true);
        CheckReadings(t.program);
        QString expected;
        for (const char* letter = c.messages; *letter && *letter != '!'; ++letter)
            expected += QString::fromUtf8(Messages[*letter - 'a']) + u'\n';
        if (*c.messages == '!') {
            QVERIFY_THROWS_EXCEPTION(RunTimeFailure, CheckConsistency(t.program));
            QCOMPARE(s.ErrorStep, std::int16_t(111));
        } else if (s.ErrorList.isEmpty()) {
            CheckConsistency(t.program);
        }
        QCOMPARE(s.ErrorList, expected);
        if (*c.dates)
            QCOMPARE(s.Date1.text + u'|' + s.Date2.text, QString::fromUtf8(c.dates));
        QVERIFY(t.messages.shown().isEmpty());
    }
};

MW_REGISTER_TEST(TestReadingChecks)
#include "tst_readingchecks.moc"
