#include "commands/Calc_Click.h"
#include "logs/LogFiles.h"
#include "support/FieldLines.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>

namespace {

// A started program in en_GB with fresh logs, the worked example typed in, in
// June 2014: readings may be dated up to 31 December 2015.
struct Calculator {
    Calculator() : t(testlocales::britain(), QDateTime(QDate(2014, 6, 1), QTime(12, 0, 0))) {
        installation.makeDirectory(QStringLiteral("Log"));
        t.sheet().ResultsLogName = QStringLiteral("Meterwin.log");
        t.sheet().HistoryLogName = QStringLiteral("Meterwin_H.log");
        setFields(t.sheet(),
                  "LogLevel=1 RunOnTop=1 Convert=1 Date1=2015-01-01 Date2=2015-04-01 NRead1=100 "
                  "NRead2=112 CalVal=36 CFactor=1 BreakP=50 NRate1=0.1 NRate2=0.05 SCharge=20 "
                  "Disc1=5 VRate=5 Disc2=1 CORate=0.2 Predict=4");
        CreateLogFiles(t.program);
    }

    QByteArray log(const char* name) const {
        return installation.readFile(QStringLiteral("Log/") + QLatin1String(name));
    }

    TemporaryInstallation installation;
    TestProgram t;
};

enum class SaveAfter { Disabled, Enabled };

// Fields typed before each Calculate ("Today=" first moves the clock); the
// field texts then (the dump's header when the program ends), the message
// boxes shown ("title|text"), the Save button after the last Calculate.
struct Run {
    QStringList steps;
    QString expected;
    QString boxes;
    SaveAfter after = SaveAfter::Disabled;
};

// The refusal by the checks: the messages, each on its line.
QString refused(const QStringList& messages) {
    return QStringLiteral("Meterwin Data Error|") + messages.join(u'\n') + u'\n';
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
        // Save is offered after a calculation that nothing stopped, unless told otherwise.
        const auto row = [](const char* name, const QStringList& steps, const QString& expected,
                            const QString& boxes = {}, std::optional<SaveAfter> after = {}) {
            const auto offered = boxes.isEmpty() ? SaveAfter::Enabled : SaveAfter::Disabled;
            QTest::newRow(name) << Run{steps, expected, boxes, after.value_or(offered)};
        };
        const auto enabled = SaveAfter::Enabled;
        const QString example = QStringLiteral("NRate1=£0.10000 TVCost=£23.68 TCO2P=107.8");
        const QString rate1 = refused({"Rate 1 must be between 0.01 and 0.99"});
        row("worked example, readings made whole", {"NRead1=100.9 NRead2=112.9"},
            "NRead1=100 NRead2=112 TDays=90 NRUnits=12 CRUnits=120 R1Units=50 R2Units=70 "
            "NR1Cost=£5.00 NR2Cost=£3.50 TSCharge=£20.00 TCost=£23.50 TVCost=£23.68 CDay=£0.26 "
            "TCO2=26.4 TDaysP=365 NRUnitsP=49 CRUnitsP=490 R1UnitsP=200 R2UnitsP=290 "
            "NR1CostP=£20.00 NR2CostP=£14.50 TSChargeP=£80.00 TCostP=£94.50 TVCostP=£95.23 "
            "CDayP=£0.26 TCO2P=107.8");
        row("Auto Save on", {"AutoSave=1"}, example, "", SaveAfter::Disabled);
        // A refusal leaves Save as it was.
        row("refused after a calculation", {"", "NRate1=abc"}, "TVCost= TCO2P=", rate1, enabled);
        row("refused, then the same data", {"", "NRate1=abc", "NRate1=0.1"}, example, rate1,
            enabled);
        // The second Calculate compares the entries and settings in standard form.
        // The message stays in the list until a command empties it.
        row("only options, or forms changed",
            {"", "OnTop=1", "AutoSave=1", "NRate1=0.1 NRead2=112.9 Date2=1/4/15"},
            example + " ErrorList=The data has not changed since the last calculation",
            Unchanged + u'\n' + Unchanged + u'\n' + Unchanged, enabled);
        row("control characters in notes become spaces",
            {"", "Notes=gas\r\nTo : forged\tline\u2028end"}, "Notes=gas  To : forged line end");
        // Discount 1 of 1.00 must not read as discount 2 of 1.00.
        row("neighbouring settings stay apart", {"Disc1=1 Disc2=", "Disc1= Disc2=1"},
            "TCost=£28.50");
        row("cubic feet, rounded twice", {"CalVal=39 NRead2=110", "ConvertF=1"},
            "NRUnitsL=100s of Cu Feet Used CRUnits=306 TCO2=63.2");

        // Where quarters, the rate split and discounts decide.
        row("9 days: no quarter, all at rate 2", {"Date2=2015-01-10"},
            "TSCharge=£0.00 R1Units=0 R2Units=120 NR1Cost=£0.00 NR2Cost=£6.00");
        row("10 days: 1 quarter", {"Date2=2015-01-11"}, "TSCharge=£20.00");
        row("192 days: 2 quarters", {"Date2=2015-07-12"}, "TSCharge=£40.00");
        row("193 days: 3 quarters", {"Date2=2015-07-13"}, "TSCharge=£60.00");
        // The prediction is charged for its quarters, the actual period by its days.
        row("102 days: 2 quarters", {"Date2=2015-04-13 Predict=1"},
            "TSCharge=£40.00 R1Units=100 TSChargeP=£20.00 R1UnitsP=50");
        row("no rate 2 or fixed charge", {"NRate2= BreakP= SCharge="},
            "R1Units=120 R2Units= NR2Cost= R2UnitsP= NR2CostP= TSCharge= TSChargeP=");
        row("no VAT or prediction", {"VRate= Predict="}, "TCost= TVCost=£22.50 TDaysP= TCO2P=");
        row("31 Aug plus 2 quarters", {"Date1=2014-08-31 Date2=2014-11-29 NRead2=190 Predict=2"},
            "TDaysP=181 NRUnitsP=181");
        row("31 Aug plus 2 quarters, leap year",
            {"Date1=2011-08-31 Date2=2011-11-29 NRead2=190 Predict=2"}, "TDaysP=182 NRUnitsP=182");

        // The basic checks of the entries; then, when they found nothing, the
        // cross checks, which also write the dates in short date form.
        row("nothing entered", {"Date1= Date2= NRead1= NRead2="}, "",
            refused({"No Meter Readings To Calculate"}));
        row("settings first, a blank is not empty, texts stay",
            {"Date1=  Date2=31/02/2010 NRead1=0.9 NRead2=1000000 CORate="}, "Date2=31/02/2010",
            refused({"CO2 Conversion Rate must be between 0.05 and 1",
                     "Date 1 must be a valid date", "Date 2 must be a valid date",
                     "Meter Reading 1 must be between 1 and 999900",
                     "Meter Reading 2 must be between 11 and 999999"}));
        row("every limit reached",
            {"NRead1=999900 NRead2=999999", "Date1=2015-12-28 Date2=2015-12-31",
             "Date1=2015-03-01 Date2=2015-03-04 NRead1=100 NRead2=110",
             "Date1=2000-01-01 Date2=2000-03-31 NRead1=1 NRead2=11"},
            "Date1=01/01/2000 Date2=31/03/2000 NRUnits=10");
        const QString date2 =
            QStringLiteral("Date 2 must be between 1st Jan 2000 and 31st Dec 2015 than Date 1");
        row("every limit passed, readings grouped",
            {"NRead1=999901 NRead2=10", "Date1=2000-01-01 Date2=2000-03-30 NRead1=100 NRead2=112",
             "Date1=2015-12-31 Date2=2016-01-03",
             "Date1=2015-01-01 Date2=2015-04-01 NRead1=1,234 NRead2=1,243"},
            "",
            refused({"Meter Reading 1 must be between 1 and 999900",
                     "Meter Reading 2 must be between 11 and 999999"}) +
                u'\n' + refused({date2}) + u'\n' + refused({date2}) + u'\n' +
                refused({"Meter Reading 2 must be at least 10 greater than Meter Reading 1"}));
        row("all cross checks", {"Date1=1999-12-31 Date2=2000-01-02 NRead2=109 BreakP="},
            "Date1=31/12/1999 Date2=02/01/2000",
            refused({"Date 1 must be between 1st Jan 2000 and 31st Dec 2015 than Date 1", date2,
                     "Date 2 must be at least 3 days later than Date 1",
                     "Meter Reading 2 must be at least 10 greater than Meter Reading 1",
                     "The Rate 1 to Rate 2 Breakpoint must be set if Rate 2 is set"}));
        row("break point without rate 2", {"NRate2="}, "",
            refused({"Rate 2 must be set if the Rate 1 to Rate 2 Breakpoint is set"}));
        row("in 2026 the latest date is 31 Dec 2027",
            {"Today=2026-06-30 Date1=01/01/28 Date2=4/1/28"}, "Date1=01/01/2028",
            refused({"Date 1 must be between 1st Jan 2000 and 31st Dec 2027 than Date 1",
                     "Date 2 must be between 1st Jan 2000 and 31st Dec 2027 than Date 1"}));
        row("text after a reading", {"NRead2=112x"}, "NRead2=112 " + example);
        // Switched-off checks let through what the calculation cannot read: the
        // dump follows, at the step and in the guard where it failed.
        row("checks switched off", {"ErrorCheckInhibited=1 Date1=1999-01-01 Date2=1999-01-02"},
            "Date1=01/01/1999 Date2=02/01/1999");
        const auto ends = [&](const char* name, const QString& fields, const QString& guard,
                              const QString& step) {
            row(name, {"ErrorCheckInhibited=1 " + fields},
                QStringLiteral("******** %1 Error %2 ********").arg(guard, step),
                QStringLiteral("Meterwin Fatal Error|Error Number %1\r\nA Fatal %2 Error Has "
                               "Occurred\r\nThe Program Will Now Terminate")
                    .arg(step, guard));
        };
        ends("unreadable date", "Date1=x", "Calculation", "111");
        ends("unwritable CO2 rate", "CORate=1e400", "Check", "134");
        ends("same dates divide by zero", "Date2=2015-01-01", "Calculation", "103");
        ends("energy overflows", "CalVal=1e308 CFactor=1e308", "Calculation", "103");
    }
    void calculate() {
        QFETCH(Run, r);
        Calculator c;
        Sheet& s = c.t.sheet();
        const QByteArray results = c.log("Meterwin.log");
        const QByteArray history = c.log("Meterwin_H.log");
        const bool ended = EndsProgram(c.t.program, [&] {
            for (QString step : r.steps) {
                if (step.startsWith(QStringLiteral("Today="))) {
                    c.t.clock.set(
                        QDateTime(QDate::fromString(step.mid(6, 10), Qt::ISODate), QTime(12, 0)));
                    step.remove(0, 17);
                }
                setFields(s, step);
                Calc_Click(c.t.program);
            }
        });
        QCOMPARE(s.Save.enabled, r.after == SaveAfter::Enabled);
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
        // Auto Save keeps a calculation that nothing stopped, in both logs.
        const bool saved = s.AutoSave.value == 1 && r.boxes.isEmpty();
        QCOMPARE(c.log("Meterwin.log"), saved ? results + s.ReportText.toUtf8() + "\r\n" : results);
        QCOMPARE(c.log("Meterwin_H.log"),
                 saved ? history + s.HistoryText.toUtf8() + "\r\n" : history);
    }
};

MW_REGISTER_TEST(TestCalcClick)
#include "tst_Calc_Click.moc"
