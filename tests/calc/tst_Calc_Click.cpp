#include "calc/Calc_Click.h"
#include "logs/LogFiles.h"
#include "logs/SaveCommand.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>
#include <functional>

using SheetChange = std::function<void(Sheet&)>;
Q_DECLARE_METATYPE(SheetChange)

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString crlfLines(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + CrLf;
    return text;
}

// A started program in an installation with fresh logs, the worked example
// typed in: 1 January and 1 April 2015, readings 100 and 112.
struct Calculator {
    Calculator() : t(QLocale(QLocale::English, QLocale::UnitedKingdom), Now) {
        installation.makeDirectory(QStringLiteral("Log"));
        Sheet& s = sheet();
        s.ResultsLogName = QStringLiteral("Meterwin.log");
        s.HistoryLogName = QStringLiteral("Meterwin_H.log");
        s.LogLevel = 1;
        s.RunOnTop = 1;
        s.Convert = QStringLiteral("1");
        CreateLogFiles(t.program);
        s.Date1.text = QStringLiteral("01/01/2015");
        s.Date2.text = QStringLiteral("01/04/2015");
        s.NRead1.text = QStringLiteral("100");
        s.NRead2.text = QStringLiteral("112");
        s.CalVal.text = QStringLiteral("36");
        s.CFactor.text = QStringLiteral("1");
        s.BreakP.text = QStringLiteral("50");
        s.NRate1.text = QStringLiteral("0.1");
        s.NRate2.text = QStringLiteral("0.05");
        s.SCharge.text = QStringLiteral("20");
        s.Disc1.text = QStringLiteral("5");
        s.VRate.text = QStringLiteral("5");
        s.Disc2.text = QStringLiteral("1");
        s.CORate.text = QStringLiteral("0.2");
        s.Predict.text = QStringLiteral("4");
    }

    Sheet& sheet() { return t.program.sheet; }
    void calculate() { Calc_Click(t.program); }
    QByteArray resultsLog() const {
        return installation.readFile(QStringLiteral("Log/Meterwin.log"));
    }
    QByteArray historyLog() const {
        return installation.readFile(QStringLiteral("Log/Meterwin_H.log"));
    }

    static inline const QDateTime Now{QDate(2015, 4, 2), QTime(9, 30, 0)};
    TemporaryInstallation installation;
    TestProgram t;
};

const Message UnchangedData{
    MessageIcon::Exclamation, QStringLiteral("Meterwin Error"),
    QStringLiteral("The data has not changed\r\nsince the last calculation")};

const QString ExampleRecord =
    QStringLiteral(" 01/04/2015,     112, Cubic Metres, 0.10000, 0.05000,    50,    36.000,   "
                   "1.000000, £20.00,  5.0%,  £5.00,  £1.00");

int occurrences(const QByteArray& text, const char* part) {
    return static_cast<int>(text.count(part));
}

} // namespace

class TestCalcClick : public QObject {
    Q_OBJECT

private slots:
    void workedExample() {
        Calculator c;
        const QByteArray results = c.resultsLog();
        const QByteArray history = c.historyLog();
        c.calculate();
        QVERIFY(c.t.messages.shown().isEmpty());
        const Sheet& s = c.sheet();
        QCOMPARE(s.TVCost.text, QStringLiteral("£23.68"));
        QCOMPARE(s.TCO2P.text, QStringLiteral("107.8"));
        QCOMPARE(s.NRate1.text, QStringLiteral("£0.10000"));
        QCOMPARE(
            s.ReportText,
            crlfLines(
                {QStringLiteral("02/04/2015 09:30:00"),
                 QStringLiteral("Calorific Value  : 36.000"),
                 QStringLiteral("Correction Factor:  1.000000"),
                 QString(),
                 QStringLiteral("Cost To Date ( 90 Days)"),
                 QString(23, u'-'),
                 QStringLiteral("From                      :   01/01/2015"),
                 QStringLiteral("To                        :   01/04/2015"),
                 QStringLiteral("Gas Used                  :     12    Cubic Metres"),
                 QStringLiteral("KWHr Used                 :    120    (Rate 2 after 1 * 50 KWHr)"),
                 QStringLiteral(
                     "Rate 1 KWHr Used          :     50    at £0.10000 per KWhr =    £5.00"),
                 QStringLiteral(
                     "Rate 2 KWHr Used          :     70    at £0.05000 per KWhr =    £3.50"),
                 QStringLiteral(
                     "Total Cost (exc VAT)      :    £23.50 (inc Fixed Charge: 1 * £20.00)"),
                 QStringLiteral("Total Cost (inc    5% VAT):    £23.68"),
                 QStringLiteral("Cost per Day              :     £0.26"),
                 QString(),
                 QStringLiteral("Cost Prediction Over  4 Quarter(s) (365 Days)"),
                 QString(45, u'-'),
                 QStringLiteral("From                      :   01/01/2015"),
                 QStringLiteral("Gas Used                  :     49    Cubic Metres"),
                 QStringLiteral("KWHr Used                 :    490    (Rate 2 after 4 * 50 KWHr)"),
                 QStringLiteral(
                     "Rate 1 KWHr Used          :    200    at £0.10000 per KWhr =   £20.00"),
                 QStringLiteral(
                     "Rate 2 KWHr Used          :    290    at £0.05000 per KWhr =   £14.50"),
                 QStringLiteral(
                     "Total Cost (exc VAT)      :    £94.50 (inc Fixed Charge: 4 * £20.00)"),
                 QStringLiteral("Total Cost (inc    5% VAT):    £95.23"),
                 QStringLiteral("Cost per Day              :     £0.26"),
                 QString(69, u'-'),
                 QString()}));
        QVERIFY(s.HistoryText.startsWith(CrLf + QStringLiteral("Date       , Meter  ")));
        QVERIFY(s.HistoryText.endsWith(CrLf + ExampleRecord));
        // Without automatic saving nothing is written; Save is offered.
        QVERIFY(s.Save.enabled);
        QCOMPARE(c.resultsLog(), results);
        QCOMPARE(c.historyLog(), history);
    }

    void autoSaveWritesBothLogs() {
        Calculator c;
        c.sheet().AutoSave.value = 1;
        const QByteArray results = c.resultsLog();
        const QByteArray history = c.historyLog();
        c.calculate();
        QCOMPARE(c.resultsLog(), results + c.sheet().ReportText.toUtf8() + "\r\n");
        QCOMPARE(c.historyLog(), history + c.sheet().HistoryText.toUtf8() + "\r\n");
        QCOMPARE(c.sheet().Status.caption, QStringLiteral("Calculation Saved"));
        QVERIFY(!c.sheet().Save.enabled);
    }

    // The second Calculate finds the same entries and settings in standard form.
    void unchangedData_data() {
        QTest::addColumn<SheetChange>("change");
        QTest::newRow("twice in a row") << SheetChange([](Sheet&) {});
        QTest::newRow("only On Top") << SheetChange([](Sheet& s) { s.OnTop.value = 1; });
        QTest::newRow("only Auto Save") << SheetChange([](Sheet& s) { s.AutoSave.value = 1; });
        QTest::newRow("0.1 for 0.10000")
            << SheetChange([](Sheet& s) { s.NRate1.text = QStringLiteral("0.1"); });
        QTest::newRow("fixed charge without its symbol")
            << SheetChange([](Sheet& s) { s.SCharge.text = QStringLiteral("20"); });
        QTest::newRow("reading with a fraction")
            << SheetChange([](Sheet& s) { s.NRead2.text = QStringLiteral("112.9"); });
        QTest::newRow("date in another form")
            << SheetChange([](Sheet& s) { s.Date2.text = QStringLiteral("1/4/15"); });
    }

    void unchangedData() {
        QFETCH(SheetChange, change);
        Calculator c;
        c.calculate();
        Sheet& s = c.sheet();
        const QString report = s.ReportText;
        const QString history = s.HistoryText;
        const QString total = s.TVCost.text;
        const QByteArray resultsLog = c.resultsLog();
        const QByteArray historyLog = c.historyLog();
        s.Save.enabled = false;
        change(s);
        c.calculate();
        QCOMPARE(c.t.messages.shown(), QList<Message>{UnchangedData});
        QCOMPARE(s.ErrorList,
                 QStringLiteral("The data has not changed since the last calculation"));
        QCOMPARE(s.TVCost.text, total);
        QCOMPARE(s.NRate1.text, QStringLiteral("£0.10000"));
        QCOMPARE(s.ReportText, report);
        QCOMPARE(s.HistoryText, history);
        QVERIFY(!s.Save.enabled);
        QCOMPARE(c.resultsLog(), resultsLog);
        QCOMPARE(c.historyLog(), historyLog);
    }

    void changedNotesCalculateAgain() {
        Calculator c;
        c.sheet().AutoSave.value = 1;
        c.calculate();
        c.sheet().Notes.text = QStringLiteral("Meter read by the supplier");
        c.calculate();
        QVERIFY(c.t.messages.shown().isEmpty());
        const QByteArray results = c.resultsLog();
        QCOMPARE(occurrences(results, "Cost To Date ( 90 Days)"), 2);
        QCOMPARE(occurrences(results, "\r\nMeter read by the supplier\r\n"), 1);
        QCOMPARE(occurrences(c.historyLog(), ExampleRecord.toUtf8().constData()), 2);
    }

    // Prediction 4 with VAT 5.0 joined as text reads "45.0", as does no
    // prediction with VAT 45.0: still a new calculation.
    void neighbouringSettingsStayApart() {
        Calculator c;
        c.calculate();
        c.sheet().Predict.text.clear();
        c.sheet().VRate.text = QStringLiteral("45");
        c.calculate();
        QVERIFY(c.t.messages.shown().isEmpty());
        QCOMPARE(c.sheet().TVCost.text, QStringLiteral("£33.08"));
    }

    // A note cannot forge lines in the results log.
    void controlCharactersInNotesBecomeSpaces() {
        Calculator c;
        c.sheet().AutoSave.value = 1;
        c.sheet().Notes.text = QStringLiteral("gas\r\nTo : forged\tline\u2028end");
        c.calculate();
        QCOMPARE(c.sheet().Notes.text, QStringLiteral("gas  To : forged line end"));
        QCOMPARE(occurrences(c.resultsLog(), "\r\ngas  To : forged line end\r\nCalorific"), 1);
    }

    void refusedThenSameDataCalculates() {
        Calculator c;
        c.calculate();
        Sheet& s = c.sheet();
        const QString report = s.ReportText;
        s.NRate1.text = QStringLiteral("abc");
        c.calculate();
        const Message refusal{MessageIcon::Exclamation, QStringLiteral("Meterwin Data Error"),
                              QStringLiteral("Rate 1 must be between 0.01 and 0.99\n")};
        QCOMPARE(c.t.messages.shown(), QList<Message>{refusal});
        QVERIFY(s.TVCost.text.isEmpty());
        QVERIFY(s.TCO2P.text.isEmpty());
        QVERIFY(s.LastSignature.isEmpty());
        QVERIFY(s.InputSignature.isEmpty());
        // The last calculation can still be saved.
        QCOMPARE(s.ReportText, report);
        QVERIFY(s.Save.enabled);

        c.t.messages.clear();
        s.NRate1.text = QStringLiteral("0.10000");
        c.calculate();
        QVERIFY(c.t.messages.shown().isEmpty());
        QCOMPARE(s.TVCost.text, QStringLiteral("£23.68"));
    }

    void saveEnabling_data() {
        QTest::addColumn<int>("autoSave");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("after");
        QTest::newRow("calculated, Auto Save off") << 0 << false << false << true;
        QTest::newRow("calculated, Auto Save on") << 1 << false << false << false;
        QTest::newRow("calculated, Auto Save on, Save enabled") << 1 << false << true << true;
        QTest::newRow("refused, Save disabled") << 0 << true << false << false;
        QTest::newRow("refused, Save enabled") << 0 << true << true << true;
    }

    void saveEnabling() {
        QFETCH(int, autoSave);
        QFETCH(bool, refused);
        QFETCH(bool, before);
        Calculator c;
        c.sheet().AutoSave.value = autoSave;
        c.sheet().Save.enabled = before;
        if (refused)
            c.sheet().NRead2.text = QStringLiteral("105");
        c.calculate();
        QTEST(c.sheet().Save.enabled, "after");
    }

    void saveWritesTheLastCalculationOnce() {
        Calculator c;
        c.calculate();
        c.sheet().Notes.text = QStringLiteral("second");
        c.calculate();
        const QByteArray results = c.resultsLog();
        const QByteArray history = c.historyLog();
        Save_Click(c.t.program);
        QCOMPARE(c.resultsLog(), results + c.sheet().ReportText.toUtf8() + "\r\n");
        QCOMPARE(occurrences(c.resultsLog(), "\r\nsecond\r\n"), 1);
        QCOMPARE(c.historyLog(), history + c.sheet().HistoryText.toUtf8() + "\r\n");
        QVERIFY(!c.sheet().Save.enabled);
        Save_Click(c.t.program);
        QCOMPARE(c.resultsLog(), results + c.sheet().ReportText.toUtf8() + "\r\n");
    }

    void readingsMadeWhole() {
        Calculator c;
        c.sheet().NRead1.text = QStringLiteral("100.9");
        c.sheet().NRead2.text = QStringLiteral("112.9");
        c.calculate();
        QCOMPARE(c.sheet().NRead1.text, QStringLiteral("100"));
        QCOMPARE(c.sheet().NRead2.text, QStringLiteral("112"));
        QCOMPARE(c.sheet().NRUnits.text, QStringLiteral("12"));
    }

    // With the checks switched off a reading that cannot be read ends in the dump.
    void runTimeFailureEndsInTheDump() {
        Calculator c;
        c.sheet().ErrorCheckInhibited = 1;
        c.sheet().NRead2.text = QStringLiteral("abc");
        QVERIFY(EndsProgram([&] { c.calculate(); }));
        const Message fatal{MessageIcon::Critical, QStringLiteral("Meterwin Fatal Error"),
                            QStringLiteral("Error Number 103\r\nA Fatal Calculation Error Has "
                                           "Occurred\r\nThe Program Will Now Terminate")};
        QCOMPARE(c.t.messages.shown(), QList<Message>{fatal});
        QCOMPARE(occurrences(c.resultsLog(), "\r\n******** Calculation Error 103 ********\r\n"), 1);
    }
};

MW_REGISTER_TEST(TestCalcClick)
#include "tst_Calc_Click.moc"
