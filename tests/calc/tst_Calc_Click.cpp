#include "commands/Calc_Click.h"
#include "logs/LogFiles.h"
#include "support/FieldLines.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>

namespace {

// A started program with fresh logs, the worked example typed in, in June 2014:
// readings may be dated up to 31 December 2015.
struct Calculator {
    explicit Calculator(const QLocale& locale)
        : t(locale, QDateTime(QDate(2014, 6, 1), QTime(12, 0, 0))) {
        installation.makeDirectory(QStringLiteral("Log"));
        t.sheet().ResultsLogName = QStringLiteral("Meterwin.log");
        t.sheet().HistoryLogName = QStringLiteral("Meterwin_H.log");
        setFields(t.sheet(), QStringLiteral("LogLevel=1 RunOnTop=1 Convert=1 Date1=2015-01-01 "
                                            "Date2=2015-04-01 NRead1=100 NRead2=112 CalVal=36 "
                                            "CFactor=1 BreakP=50 NRate1=0.1 NRate2=0.05 "
                                            "SCharge=20 Disc1=5 VRate=5 Disc2=1 CORate=0.2 "
                                            "Predict=4"));
        CreateLogFiles(t.program);
        results = log("Meterwin.log");
        history = log("Meterwin_H.log");
    }

    QByteArray log(const char* name) const {
        return installation.readFile(QStringLiteral("Log/") + QLatin1String(name));
    }
    // Both logs as they were at the start, with the sheet's pending entries when `saved`.
    void compareLogs(bool saved) {
        const Sheet& s = t.program.sheet;
        QCOMPARE(log("Meterwin.log"), saved ? results + s.ReportText.toUtf8() + "\r\n" : results);
        QCOMPARE(log("Meterwin_H.log"),
                 saved ? history + s.HistoryText.toUtf8() + "\r\n" : history);
    }

    TemporaryInstallation installation;
    TestProgram t;
    QByteArray results;
    QByteArray history;
};

// Fields typed before each Calculate; then field texts (the dump's header when
// the program ends), the message boxes shown ("title|text"), Save enabled, the
// calculation in both logs; Save enabled before each Calculate; the locale.
struct Run {
    QStringList steps;
    QString expected;
    QString boxes = QString();
    bool after = false;
    bool saved = false;
    bool before = false;
    QLocale locale = testlocales::britain();
};

// The refusal by the checks, their messages named by letter in the order they are listed.
QString refused(const char* letters) {
    static const char* const messages[] = {
        "CO2 Conversion Rate must be between 0.05 and 1", // a: the settings checks come first
        "Rate 1 must be between 0.01 and 0.99",           // b
        "No Meter Readings To Calculate",                 // c
        "Date 1 must be a valid date",                    // d
        "Date 2 must be a valid date",                    // e
        "Meter Reading 1 must be between 1 and 999900",   // f
        "Meter Reading 2 must be between 11 and 999999",  // g
        "Date 1 must be between 1st Jan 2000 and 31st Dec 2015 than Date 1", // h
        "Date 2 must be between 1st Jan 2000 and 31st Dec 2015 than Date 1", // i
        "Date 2 must be at least 3 days later than Date 1",                  // j
        "Meter Reading 2 must be at least 10 greater than Meter Reading 1",  // k
        "The Rate 1 to Rate 2 Breakpoint must be set if Rate 2 is set",      // l
        "Rate 2 must be set if the Rate 1 to Rate 2 Breakpoint is set",      // m
        "Date 1 must be between 1st Jan 2000 and 31st Dec 2027 than Date 1", // n: in 2026
        "Date 2 must be between 1st Jan 2000 and 31st Dec 2027 than Date 1", // o
    };
    QString box = QStringLiteral("Meterwin Data Error|");
    for (const char* letter = letters; *letter; ++letter)
        box += QString::fromUtf8(messages[*letter - 'a']) + u'\n';
    return box;
}

QString fatal(const char* step, const char* category) {
    return QStringLiteral("Meterwin Fatal Error|Error Number %1\r\nA Fatal %2 Error Has "
                          "Occurred\r\nThe Program Will Now Terminate")
        .arg(QLatin1String(step), QLatin1String(category));
}

const QString Unchanged =
    QStringLiteral("Meterwin Error|The data has not changed\r\nsince the last calculation");

} // namespace

Q_DECLARE_METATYPE(Run)

// The Calculate command: its checks, the calculation, saving, and the
// comparison with the last calculation.
class TestCalcClick : public QObject {
    Q_OBJECT

private slots:
    void calculate_data() {
        QTest::addColumn<Run>("r");
        const auto row = [](const char* name, const QStringList& steps, const QString& expected,
                            const QString& boxes = QString(), bool after = false,
                            bool saved = false, bool before = false,
                            const QLocale& locale = testlocales::britain()) {
            QTest::newRow(name) << Run{steps, expected, boxes, after, saved, before, locale};
        };
        // The report block of the worked example is compared whole by the command line's tests.
        const QString example = QStringLiteral("NRate1=£0.10000 TVCost=£23.68 TCO2P=107.8");
        row("worked example, readings made whole", {"NRead1=100.9 NRead2=112.9"},
            "NRead1=100 NRead2=112 " + example, "", true);
        row("Auto Save on", {"AutoSave=1"}, example, "", false, true);
        row("Auto Save on, Save enabled", {"AutoSave=1"}, example, "", true, true, true);
        const QString cleared = QStringLiteral("TVCost= TCO2P=");
        row("refused, Save disabled", {"NRate1=abc"}, cleared, refused("b"));
        row("refused, Save enabled", {"NRate1=abc"}, cleared, refused("b"), true, false, true);
        row("refused, then the same data", {"", "NRate1=abc", "NRate1=0.1"}, example, refused("b"),
            true);

        // The second Calculate compares the entries and settings in standard form.
        row("twice in a row", {"", ""}, example, Unchanged);
        row("only On Top", {"", "OnTop=1"}, example, Unchanged);
        row("only Auto Save", {"", "AutoSave=1"}, example, Unchanged);
        row("0.1 for 0.10000", {"", "NRate1=0.1"}, example, Unchanged);
        row("fixed charge without its symbol", {"", "SCharge=20"}, example, Unchanged);
        row("reading with a fraction", {"", "NRead2=112.9"}, example, Unchanged);
        row("date in another form", {"", "Date2=1/4/15"}, example, Unchanged);
        // A note cannot forge lines in the results log.
        row("only notes, controlCharactersInNotesBecomeSpaces",
            {"", "Notes=gas\r\nTo : forged\tline\u2028end"}, "Notes=gas  To : forged line end", "",
            true);
        // Prediction 4 and VAT 5.0 must not join to read as VAT 45.0.
        row("neighbouringSettingsStayApart", {"", "Predict= VRate=45"}, "TVCost=£33.08", "", true);

        // The basic checks of the entries; then, when they found nothing, the
        // cross checks, which also write the dates in short date form.
        row("nothing entered", {"Date1= Date2= NRead1= NRead2="}, "", refused("c"));
        row("only reading 1, settings first", {"Date1= Date2= NRead2= CORate="}, "",
            refused("adeg"));
        row("a blank is not empty", {"Date1=  Date2= NRead1= NRead2="}, "", refused("defg"));
        row("everything wrong", {"Date1=x Date2=31/02/2010 NRead1=0.9 NRead2=1000000"},
            "Date1=x Date2=31/02/2010", refused("defg"));
        row("readings just outside", {"NRead1=999901 NRead2=10"}, "", refused("fg"));
        row("highest readings", {"NRead1=999900 NRead2=999999"}, "NRUnits=99", "", true);
        row("lowest readings", {"NRead1=1 NRead2=11"}, "NRUnits=10", "", true);
        row("earliest dates", {"Date1=2000-01-01 Date2=2000-03-31"},
            "Date1=01/01/2000 Date2=31/03/2000", "", true);
        row("date 2 on 30 March 2000", {"Date1=2000-01-01 Date2=2000-03-30"}, "", refused("i"));
        row("latest date 2", {"Date1=2015-12-28 Date2=2015-12-31"}, "", "", true);
        row("latest date 1", {"Date1=2015-12-31 Date2=2016-01-03"}, "", refused("i"));
        row("both after 2015", {"Date1=2016-01-01 Date2=2016-01-04"}, "", refused("hi"));
        row("all cross checks", {"Date1=1999-12-31 Date2=2000-01-02 NRead2=109 BreakP="},
            "Date1=31/12/1999 Date2=02/01/2000", refused("hijkl"));
        row("3 days and 10 units apart", {"Date1=2015-03-01 Date2=2015-03-04 NRead2=110"}, "", "",
            true);
        // The latest date is the end of the year after the present one ("Today=").
        row("in 2026, up to 31 Dec 2027", {"Today=2026-12-06 Date1=2027-12-28 Date2=2027-12-31"},
            "Date2=31/12/2027", "", true);
        row("in 2026, 2028 refused", {"Today=2026-01-01 Date1=2027-12-31 Date2=2028-01-03"}, "",
            refused("o"));
        row("in 2026, both in 2028", {"Today=2026-06-30 Date1=01/01/28 Date2=4/1/28"},
            "Date1=01/01/2028", refused("no"));
        // Readings are read as typed, grouping included, in the checks and the calculation.
        row("readings typed with grouping", {"NRead1=1,234 NRead2=2,000"},
            "NRead1=1234 NRead2=2000 NRUnits=766", "", true);
        row("grouped reading 2 below 10 more", {"NRead1=1,234 NRead2=1,243"}, "", refused("k"));
        // What the settings checks accept is calculated, never the end of the program.
        row("settings with trailing text", {"NRate1=0.1x CalVal=36kWh CFactor=1.0abc"},
            "NRate1=£0.1x CalVal=36kWh CFactor=1.0abc TVCost=£23.68", "", true);
        row("break point without rate 2", {"NRate2="}, "", refused("m"));
        // Text after a reading: the checks and making the reading whole take its leading number.
        row("text after a reading", {"NRead2=112x"}, "NRead2=112 " + example, "", true);
        // Switched-off checks let through what the calculation cannot read: the
        // dump follows, at the step and in the guard where it failed.
        row("checks switched off", {"ErrorCheckInhibited=1 Date1=1999-01-01 Date2=1999-01-02"},
            "Date1=01/01/1999 Date2=02/01/1999", "", true);
        row("unreadable date, checks switched off", {"ErrorCheckInhibited=1 Date1=x"},
            "******** Calculation Error 111 ********", fatal("111", "Calculation"));
        row("unwritable CO2 rate, checks switched off", {"ErrorCheckInhibited=1 CORate=1e400"},
            "******** Check Error 134 ********", fatal("134", "Check"));
        // Month names typed, the short date form written back, also when
        // refused; Rate 2 read in the locale's display form.
        const QString typed = QStringLiteral("Date1=1 %1 2009 Date2=02-%2-09 BreakP=");
        row("en_US", {typed.arg("March", "Mar")}, "Date1=3/1/09 Date2=3/2/09", refused("jl"), false,
            false, false, testlocales::unitedStates());
        row("de_DE", {typed.arg("März", "März")}, "Date1=01.03.09 Date2=02.03.09", refused("jl"),
            false, false, false, testlocales::germany());
        row("sv_SE", {typed.arg("mars", "mars")}, "Date1=2009-03-01 Date2=2009-03-02",
            refused("jl"), false, false, false, testlocales::sweden());
    }
    void calculate() {
        QFETCH(Run, r);
        Calculator c(r.locale);
        Sheet& s = c.t.sheet();
        const bool ended = EndsProgram(c.t.program, [&] {
            for (QString step : r.steps) {
                s.Save.enabled = r.before;
                if (step.startsWith(QStringLiteral("Today="))) {
                    c.t.clock.set(
                        QDateTime(QDate::fromString(step.mid(6, 10), Qt::ISODate), QTime(12, 0)));
                    step.remove(0, 17);
                }
                setFields(s, step);
                Calc_Click(c.t.program);
            }
        });
        QCOMPARE(s.Save.enabled, r.after);
        QStringList boxes;
        for (const Message& box : c.t.messages.shown()) {
            boxes << box.title + u'|' + box.text;
            QCOMPARE(box.icon, ended ? MessageIcon::Critical : MessageIcon::Exclamation);
        }
        QCOMPARE(boxes.join(u'\n'), r.boxes);
        QVERIFY(!ended || c.log("Meterwin.log").contains("\r\n" + r.expected.toUtf8() + "\r\n"));
        if (ended)
            return;
        QCOMPARE(fieldTexts(s, r.expected), r.expected);
        c.compareLogs(r.saved);
        if (r.boxes == Unchanged) // until a command empties the list
            QCOMPARE(s.ErrorList,
                     QStringLiteral("The data has not changed since the last calculation"));
    }
};

MW_REGISTER_TEST(TestCalcClick)
#include "tst_Calc_Click.moc"
