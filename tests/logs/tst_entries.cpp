#include "logs/HistoryEntry.h"
#include "logs/LogFiles.h"
#include "logs/LogsFixture.h"
#include "logs/ResultsReport.h"
#include "support/TestMain.h"

using namespace logstest;

namespace {

// The example block of a normal calculation, up to the cost per day.
const QStringList ExampleLines = {
    "14/03/2026 18:02:11",
    "Calorific Value  : 39.400",
    "Correction Factor:  1.022640",
    "",
    "Cost To Date ( 91 Days)",
    "-----------------------",
    "From                      :   13/12/2025",
    "To                        :   14/03/2026",
    "Gas Used                  :    412    Cubic Metres",
    "KWHr Used                 :   4611    (Rate 2 after 1 * 670 KWHr)",
    "Rate 1 KWHr Used          :    670    at £0.07000 per KWhr =   £46.90",
    "Rate 2 KWHr Used          :   3941    at £0.04000 per KWhr =  £157.64",
    "Total Cost (exc VAT)      :   £217.04 (inc Fixed Charge: 1 * £12.50)",
    "Total Cost (inc    5% VAT):   £227.89",
    "Cost per Day              :     £2.50"};
const QStringList End = {QString(69, u'-'), ""};

QStringList with(QStringList lines, const QList<std::pair<int, QString>>& changes) {
    for (const auto& [index, line] : changes)
        lines[index] = line;
    return lines;
}

const QString PageHeader = crlfLines(
    {"",
     "Date       , Meter  , Metric/     , Rate 1 , Rate 2 , Break, Calorific, Correction, Fixed , "
     "VAT  , Disc 1, Disc 2",
     "           , Reading, Imperial    ,        ,        , Point, Value    , Factor    , Charge, "
     "Rate ,       ,       ",
     "-----------, -------, ------------, -------, -------, -----, ---------, ----------, ------, "
     "-----, ------, ------"});
// The example record up to the VAT rate.
const QString Front = QStringLiteral(
    " 14/03/2026,    4512, Cubic Metres, 0.07000, 0.04000,   670,    39.400,   1.022640, £12.50,");
const QString ExampleRecord = Front + QStringLiteral("  5.0%,       ,       ");

} // namespace

// The results report block and the history record that a calculation leaves.
class TestLogEntries : public QObject {
    Q_OBJECT

private slots:
    void report_data() {
        QTest::addColumn<QString>("changes"); // to the example calculation
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("example") << "" << ExampleLines + End;
        QStringList single =
            with(ExampleLines + End,
                 {{8, "Gas Used                  :    412    100s of Cubic Feet"},
                  {9, "KWHr Used                 :   4611"},
                  {10, "Rate 1 KWHr Used          :   4611    at £0.07000 per KWhr =  £322.77"},
                  {11, "Rate 2 KWHr Used          :      0"},
                  {12, "Total Cost (exc VAT)      :          "},
                  {13, "Total Cost (inc    0% VAT):   £322.77"},
                  {14, "Cost per Day              :     £3.55"}});
        single.insert(1, "New meter fitted");
        QTest::newRow("notes, imperial, single rate, no fixed charge or VAT")
            << "Notes=New meter fitted|ConvertF=1|BreakP=|NRate2=|SCharge=|VRate=|R1Units=4611|"
               "R2Units=|NR1Cost=£322.77|NR2Cost=|TSCharge=|TCost=|TVCost=£322.77|CDay=£3.55"
            << single;
        // Columns keep their last W characters; with P < W an empty text gives
        // P spaces; a symbol is dropped before the fixed charge is tested; a
        // Predict that reads as 0 asks for no prediction. (The worked example
        // of the calculation tests has the prediction.)
        QTest::newRow("edges")
            << "Predict=x4|TDays=1234|NRate1=|NR2Cost=|R2Units=0041x|SCharge=£0.00|VRate=17.5"
            << with(ExampleLines + End,
                    {{4, "Cost To Date (234 Days)"},
                     {10, "Rate 1 KWHr Used          :    670    at         per KWhr =   £46.90"},
                     {11, "Rate 2 KWHr Used          :     41    at £0.04000 per KWhr =    £0.00"},
                     {12, "Total Cost (exc VAT)      :   £217.04"},
                     {13, "Total Cost (inc 17.5% VAT):   £227.89"}});
    }

    void report() {
        QFETCH(QString, changes);
        QFETCH(QStringList, expected);
        LogsProgram t;
        fill(t.sheet(), ExampleCalculation + changes);
        BuildResultsReport(t.program);
        QCOMPARE(t.sheet().ReportText, crlfLines(expected));
    }

    void history_data() {
        QTest::addColumn<int>("lines"); // in the log before the entry
        QTest::addColumn<QString>("changes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Tax header")
            << 6
            << "VATH=Tax:" << QString(PageHeader).replace(", VAT  ,", ", Tax  ,") + ExampleRecord;
        QTest::newRow("empty log: no header") << 0 << "" << ExampleRecord;
        QTest::newRow("VAT 0") << 7 << "VRate=0" << Front + "     0,       ,       ";
        QTest::newRow("VAT 17.5") << 7 << "VRate=17.5" << Front + " 17.5%,       ,       ";
        QTest::newRow("imperial, discounts, no Rate 2")
            << 7 << "ConvertF=1|NRate2=|BreakP=|Disc1=£1.00|Disc2=£99.00"
            << " 14/03/2026,    4512,   Cubic Feet, 0.07000,        ,      ,    39.400,   "
               "1.022640, £12.50,  5.0%,  £1.00, £99.00";
    }

    void history() {
        QFETCH(int, lines);
        QFETCH(QString, changes);
        LogsProgram t;
        writeBytes(HistoryLog, QByteArray("x\r\n").repeated(lines));
        fill(t.sheet(), ExampleCalculation + changes);
        BuildHistoryEntry(t.program);
        QTEST(t.sheet().HistoryText, "expected");
    }

    // Entry 1 of a new log and every 36th entry after it open a page of 40 lines.
    void historyPages() {
        LogsProgram t;
        t.clock.set(QDateTime(QDate(2026, 3, 14), QTime(18, 1, 57)));
        CreateLogFiles(t.program);
        fill(t.sheet(), ExampleCalculation);
        QList<int> opening;
        for (int entry = 1; entry <= 73; ++entry) {
            BuildHistoryEntry(t.program);
            if (t.sheet().HistoryText.startsWith(PageHeader))
                opening << entry;
            AppendHistoryLog(t.program);
            if (entry == 1)
                QCOMPARE(fileBytes(HistoryLog), ("Meterwin History Log\r\nVersion 2.0\r\nFile "
                                                 "Created\r\n14-Mar-26 18:01:57\r\n\r\n\r\n" +
                                                 PageHeader + ExampleRecord + "\r\n")
                                                    .toUtf8());
        }
        QCOMPARE(opening, (QList<int>{1, 37, 73}));
        QCOMPARE(t.files.countLines(HistoryLog), 6 + 2 * 40 + 5);
        QVERIFY(t.messages.shown().isEmpty());
    }
};

MW_REGISTER_TEST(TestLogEntries)
#include "tst_entries.moc"
