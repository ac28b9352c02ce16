#include "calc/CalcTestSheet.h"
#include "calc/Calc_Click.h"
#include "logs/LogFiles.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>

namespace {

// A started program with fresh logs, the worked example typed in.
struct Calculator {
    Calculator() {
        installation.makeDirectory(QStringLiteral("Log"));
        sheet().ResultsLogName = QStringLiteral("Meterwin.log");
        sheet().HistoryLogName = QStringLiteral("Meterwin_H.log");
        setFields(sheet(), QStringLiteral("LogLevel=1 RunOnTop=1 Convert=1 Date1=01/01/2015 "
                                          "Date2=01/04/2015 NRead1=100 NRead2=112 CalVal=36 "
                                          "CFactor=1 BreakP=50 NRate1=0.1 NRate2=0.05 SCharge=20 "
                                          "Disc1=5 VRate=5 Disc2=1 CORate=0.2 Predict=4"));
        CreateLogFiles(t.program);
        results = log("Meterwin.log");
        history = log("Meterwin_H.log");
    }

    Sheet& sheet() { return t.program.sheet; }
    QByteArray log(const char* name) const {
        return installation.readFile(QStringLiteral("Log/") + QLatin1String(name));
    }
    // Both logs as they were at the start, with the sheet's pending entries when `saved`.
    void compareLogs(bool saved) {
        const Sheet& s = sheet();
        QCOMPARE(log("Meterwin.log"), saved ? results + s.ReportText.toUtf8() + "\r\n" : results);
        QCOMPARE(log("Meterwin_H.log"),
                 saved ? history + s.HistoryText.toUtf8() + "\r\n" : history);
    }

    TemporaryInstallation installation;
    TestProgram t;
    QByteArray results;
    QByteArray history;
};

// Fields typed before each Calculate; then field texts, the message boxes
// shown ("title|text"), Save enabled, the calculation in both logs; and
// whether Save was enabled before each Calculate.
struct Run {
    QStringList steps;
    QString expected;
    QString boxes = QString();
    bool after = false;
    bool saved = false;
    bool before = false;
};

const QString Unchanged =
    QStringLiteral("Meterwin Error|The data has not changed\r\nsince the last calculation");
const QString Refused =
    QStringLiteral("Meterwin Data Error|Rate 1 must be between 0.01 and 0.99\n");

} // namespace

Q_DECLARE_METATYPE(Run)

class TestCalcClick : public QObject {
    Q_OBJECT

private slots:
    // The report block of the worked example is compared whole by the command line's tests.
    void calculate_data() {
        QTest::addColumn<Run>("r");
        const auto row = [](const char* name, const Run& r) { QTest::newRow(name) << r; };
        const QString example = QStringLiteral("NRate1=£0.10000 TVCost=£23.68 TCO2P=107.8");
        const QString cleared = QStringLiteral("TVCost= TCO2P=");
        row("worked example, readings made whole",
            {{"NRead1=100.9 NRead2=112.9"}, "NRead1=100 NRead2=112 " + example, "", true});
        row("Auto Save on", {{"AutoSave=1"}, example, "", false, true});
        row("Auto Save on, Save enabled", {{"AutoSave=1"}, example, "", true, true, true});
        row("refused, Save disabled", {{"NRate1=abc"}, cleared, Refused});
        row("refused, Save enabled", {{"NRate1=abc"}, cleared, Refused, true, false, true});
        row("refused, then the same data",
            {{"", "NRate1=abc", "NRate1=0.1"}, example, Refused, true});
        // A note cannot forge lines in the results log.
        row("controlCharactersInNotesBecomeSpaces", {{"Notes=gas\r\nTo : forged\tline\u2028end"},
                                                     "Notes=gas  To : forged line end",
                                                     "",
                                                     true});
        // The second Calculate compares the entries and settings in standard form.
        row("twice in a row", {{"", ""}, example, Unchanged});
        row("only On Top", {{"", "OnTop=1"}, example, Unchanged});
        row("only Auto Save", {{"", "AutoSave=1"}, example, Unchanged});
        row("0.1 for 0.10000", {{"", "NRate1=0.1"}, example, Unchanged});
        row("fixed charge without its symbol", {{"", "SCharge=20"}, example, Unchanged});
        row("reading with a fraction", {{"", "NRead2=112.9"}, example, Unchanged});
        row("date in another form", {{"", "Date2=1/4/15"}, example, Unchanged});
        row("only notes", {{"", "Notes=supplier"}, example, "", true});
        // Prediction 4 and VAT 5.0 must not join to read as VAT 45.0.
        row("neighbouringSettingsStayApart",
            {{"", "Predict= VRate=45"}, "TVCost=£33.08", "", true});
    }
    void calculate() {
        QFETCH(Run, r);
        Calculator c;
        Sheet& s = c.sheet();
        for (const QString& step : r.steps) {
            s.Save.enabled = r.before;
            setFields(s, step);
            Calc_Click(c.t.program);
        }
        QCOMPARE(fieldTexts(s, r.expected), r.expected);
        QCOMPARE(s.Save.enabled, r.after);
        c.compareLogs(r.saved);
        QStringList boxes;
        for (const Message& box : c.t.messages.shown())
            boxes << (box.icon == MessageIcon::Exclamation ? box.title : QString()) + u'|' +
                         box.text;
        QCOMPARE(boxes.join(u'\n'), r.boxes);
        if (r.boxes == Unchanged) // until a command empties the list
            QCOMPARE(s.ErrorList,
                     QStringLiteral("The data has not changed since the last calculation"));
    }

    // With the checks switched off a reading that cannot be read ends in the dump.
    void runTimeFailureEndsInTheDump() {
        Calculator c;
        setFields(c.sheet(), QStringLiteral("ErrorCheckInhibited=1 NRead2=abc"));
        QVERIFY(EndsProgram([&] { Calc_Click(c.t.program); }));
        const Message fatal{MessageIcon::Critical, QStringLiteral("Meterwin Fatal Error"),
                            QStringLiteral("Error Number 103\r\nA Fatal Calculation Error Has "
                                           "Occurred\r\nThe Program Will Now Terminate")};
        QCOMPARE(c.t.messages.shown(), QList<Message>{fatal});
        QVERIFY(c.log("Meterwin.log").contains("\r\n******** Calculation Error 103 ********\r\n"));
    }
};

MW_REGISTER_TEST(TestCalcClick)
#include "tst_Calc_Click.moc"
