#include "commands/ArchiveResultsLog.h"
#include "commands/SaveCommand.h"
#include "commands/ViewLogs.h"
#include "logs/ErrorDump.h"
#include "logs/HistoryEntry.h"
#include "logs/LogFiles.h"
#include "logs/ResultsReport.h"
#include "support/FieldLines.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QDir>
#include <QTest>
#include <stdexcept>

using Command = void (*)(Program&);
Q_DECLARE_METATYPE(Command)

namespace {

const QString ResultsLog = QStringLiteral("Log/Meterwin.log");
const QString HistoryLog = QStringLiteral("Log/Meterwin_H.log");

// A program at 14 March 2026 18:02:11 with the log names and valid settings, working in
// an installation directory of its own with an empty Log.
struct LogsProgram : TestProgram {
    explicit LogsProgram(const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedKingdom))
        : TestProgram(locale, QDateTime(QDate(2026, 3, 14), QTime(18, 2, 11))) {
        installation.makeDirectory(QStringLiteral("Log"));
        sheet().ResultsLogName = QStringLiteral("Meterwin.log");
        sheet().HistoryLogName = QStringLiteral("Meterwin_H.log");
        sheet().CurrencySymbol = forms.currencySymbol();
        setValidSettings(sheet());
    }
    TemporaryInstallation installation;
};

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray lines(int count) {
    return QByteArray("x\r\n").repeated(count);
}

// The sheet after a normal calculation, money fields in display form.
const QString ExampleCalculation = QStringLiteral(
    "Date1=13/12/2025 Date2=14/03/2026 NRead1=4100 NRead2=4512 CalVal=39.400 CFactor=1.022640 "
    "BreakP=670 NRate1=£0.07000 NRate2=£0.04000 SCharge=£12.50 VRate=5.0 CORate=0.19 TDays=91 "
    "NRUnits=412 CRUnits=4611 R1Units=670 R2Units=3941 NR1Cost=£46.90 NR2Cost=£157.64 "
    "TSCharge=£12.50 TCost=£217.04 TVCost=£227.89 CDay=£2.50 TCO2=958.3 ");

// The example block of a normal calculation, line by line.
const QStringList ExampleLines =
    QStringLiteral(
        "14/03/2026 18:02:11|Calorific Value  : 39.400|Correction Factor:  1.022640||"
        "Cost To Date ( 91 Days)|-----------------------|"
        "From                      :   13/12/2025|To                        :   14/03/2026|"
        "Gas Used                  :    412    Cubic Metres|"
        "KWHr Used                 :   4611    (Rate 2 after 1 * 670 KWHr)|"
        "Rate 1 KWHr Used          :    670    at £0.07000 per KWhr =   £46.90|"
        "Rate 2 KWHr Used          :   3941    at £0.04000 per KWhr =  £157.64|"
        "Total Cost (exc VAT)      :   £217.04 (inc Fixed Charge: 1 * £12.50)|"
        "Total Cost (inc    5% VAT):   £227.89|Cost per Day              :     £2.50|"
        "---------------------------------------------------------------------|")
        .split(u'|');
QStringList with(QStringList lines, const QList<std::pair<int, QString>>& changes) {
    for (const auto& [index, line] : changes)
        lines[index] = line;
    return lines;
}

const QString PageHeader = QStringLiteral(
    "\r\nDate       , Meter  , Metric/     , Rate 1 , Rate 2 , Break, Calorific, Correction, "
    "Fixed , VAT  , Disc 1, Disc 2\r\n           , Reading, Imperial    ,        ,        , Point, "
    "Value    , Factor    , Charge, Rate ,       ,       \r\n-----------, -------, ------------, "
    "-------, -------, -----, ---------, ----------, ------, -----, ------, ------\r\n");
// The example record up to the VAT rate.
const QString Front = QStringLiteral(
    " 14/03/2026,    4512, Cubic Metres, 0.07000, 0.04000,   670,    39.400,   1.022640, £12.50,");
const QString ExampleRecord = Front + QStringLiteral("  5.0%,       ,       ");

const QByteArray EarlierEntry = "Meterwin results log\r\n";
const QString Echo = QStringLiteral("Meterwin Configuration\r\n[Run]\r\nLogLevel=1\r\n\r\n");
const QString End = QStringLiteral("\r\nThe program will now terminate.");
const QString Permissions = QStringLiteral(".\r\nThis may be a permissions problem.");

Message fileError(const QString& text, MessageIcon icon = MessageIcon::Exclamation) {
    return {icon, QStringLiteral("Meterwin Log File Error"), text};
}
Message missing(const QString& name, const QString& deleteWhat = {}) {
    return fileError("The log file " + name +
                         " does not exist or\r\nis corrupted. Delete the file " + deleteWhat +
                         "and restart the \r\nprogram to restore the file." + End,
                     MessageIcon::Critical);
}
Message noDirectory(const QString& log) {
    return {MessageIcon::Critical, "Meterwin Log Directory Error",
            "The log directory does not exist.\r\nTo restore the " + log +
                " directory\r\nreinstall the program." + End};
}
const Message Question{MessageIcon::Exclamation, "Meterwin Archive Results Log File",
                       "Are you sure you want to\r\narchive the results log\r\nfile and create a "
                       "new one?",
                       MessageButtons::YesNo};
const Message NoData = fileError("There is no data to archive!\r\nResults file not archived.");

const QByteArray Header = "Meterwin Results Log\r\nVersion 2.0\r\nFile Created\r\n";
const QByteArray Created = Header + "14-Mar-26 18:02:11\r\n\r\n\r\n";
const QByteArray StartedLog =
    Created + "Meterwin Started\r\nVersion 2.0\r\n14/03/2026 18:02:11\r\n\r\n";
const QByteArray Calculated = StartedLog + "Meterwin Calculation\r\n  Calorific Value : 39.5\r\n";
// The results log as the archive starts it anew, in en_US.
const QByteArray NewLog = Header + "3/14/26 18:02:11\r\n\r\n\r\n";

} // namespace

// What the logs receive, character for character, and the commands that write them.
class TestLogs : public QObject {
    Q_OBJECT

private slots:
    void report_data() {
        QTest::addColumn<QString>("changes");     // to the example calculation
        QTest::addColumn<QStringList>("credits"); // totals shown as credits
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("example") << QString() << QStringList() << ExampleLines;
        QStringList plain =
            with(ExampleLines, {{8, "Gas Used                  :    412    100s of Cubic Feet"},
                                {9, "KWHr Used                 :   4611"},
                                {11, "Rate 2 KWHr Used          :   3941"},
                                {12, "Total Cost (exc VAT)      :   £217.04"},
                                {13, "Total Cost (inc    0% VAT):   £227.89"}});
        plain.insert(1, "New meter fitted");
        QTest::newRow("notes, imperial, no break point, fixed charge or VAT")
            << "Notes=New meter fitted ConvertF=1 BreakP= SCharge= VRate=" << QStringList()
            << plain;
        // P < W, the symbol dropped before a fixed charge is tested, a Predict
        // that reads as 0. (The calculation tests' worked example has a prediction.)
        QTest::newRow("edges")
            << "Predict=x4 TDays=234 NRate1= NR2Cost= R2Units=0041x SCharge=£0.00 VRate=17.5"
            << QStringList()
            << with(ExampleLines,
                    {{4, "Cost To Date (234 Days)"},
                     {10, "Rate 1 KWHr Used          :    670    at         per KWhr =   £46.90"},
                     {11, "Rate 2 KWHr Used          :     41    at £0.04000 per KWhr =    £0.00"},
                     {12, "Total Cost (exc VAT)      :   £217.04"},
                     {13, "Total Cost (inc 17.5% VAT):   £227.89"}});
        QTest::newRow("a credit below half a penny")
            << "CDay=£0.00" << QStringList{"CDay"}
            << with(ExampleLines, {{14, "Cost per Day              :     £0.00"}});
    }

    void report() {
        QFETCH(QString, changes);
        QFETCH(QStringList, credits);
        QFETCH(QStringList, expected);
        LogsProgram t;
        setFields(t.sheet(), ExampleCalculation + changes);
        for (const QString& credit : credits)
            fieldNamed(t.sheet(), credit).colour = Orange;
        BuildResultsReport(t.program);
        QCOMPARE(t.sheet().ReportText, expected.join("\r\n") + "\r\n"); // CR LF after each line
    }

    // The page header is decided by the log as it is when the entry is
    // written; a log that ends part way through a line gets its line end first.
    void history_data() {
        QTest::addColumn<int>("composedAt"); // lines of the log when the entry was composed
        QTest::addColumn<QByteArray>("log"); // when it is written
        QTest::addColumn<QString>("changes");
        QTest::addColumn<QString>("written");
        const auto row = [](const char* name, int composedAt, const QByteArray& log,
                            const QString& changes, const QString& written) {
            QTest::newRow(name) << composedAt << log << changes << written + "\r\n";
        };
        const QString record = ExampleRecord, header = PageHeader + ExampleRecord;
        row("the first entry of a new log opens its first page, headed as the tax is named", 6,
            lines(6), "VATH=Tax:", QString(header).replace(", VAT  ,", ", Tax  ,"));
        row("the 73rd entry opens the third page", 86, lines(86), "", header);
        row("a save since composing takes the page header", 6, lines(7), "", record);
        row("a page filled since composing gives the header", 45, lines(46), "", header);
        row("a last line without line end is ended", 7, lines(7) + " 14/03/20", "",
            "\r\n" + record);
        row("a line end cut after CR is completed", 7, lines(7) + "cut\r", "", "\n" + record);
        row("VAT 0", 7, lines(7), "VRate=0", Front + "     0,       ,       ");
        row("imperial, discounts, no Rate 2", 7, lines(7),
            "ConvertF=1 NRate2= BreakP= Disc1=£1.00 Disc2=£99.00",
            " 14/03/2026,    4512,   Cubic Feet, 0.07000,        ,      ,    39.400,   "
            "1.022640, £12.50,  5.0%,  £1.00, £99.00");
        // A longer text widens the record instead of losing a character.
        row("a long rate", 7, lines(7), "NRate1=£0.1abcdefgh",
            QString(record).replace("0.07000", "0.1abcdefgh"));
        row("a setting typed with a comma and a blank keeps twelve fields", 7, lines(7),
            "CFactor=1.022640,  x", QString(record).replace("  1.022640", "1.022640,x"));
    }

    void history() {
        QFETCH(int, composedAt);
        QFETCH(QByteArray, log);
        QFETCH(QString, changes);
        LogsProgram t;
        t.installation.writeFile(HistoryLog, lines(composedAt));
        setFields(t.sheet(), ExampleCalculation + changes);
        BuildHistoryEntry(t.program);
        t.installation.writeFile(HistoryLog, log);
        AppendHistoryLog(t.program);
        QTEST(QString::fromUtf8(fileBytes(HistoryLog).mid(log.size())), "written");
        QVERIFY(t.messages.shown().isEmpty());
    }

    void dump_data() {
        QTest::addColumn<QString>("echo");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<bool>("guarded");   // by a guard with a fixed step
        QTest::addColumn<QString>("dumped"); // of the echo
        QTest::newRow("a dump") << Echo << QString() << false << Echo;
        QTest::newRow("results log missing") << Echo << ResultsLog << false << Echo;
        QTest::newRow("guarded") << Echo << QString() << true << Echo;
        const QString a64k(64 * 1024 - 1, u'a');
        QTest::newRow("echo cut at 64 KiB, before a pair")
            << a64k + QStringLiteral("\U0001F600 and more") << QString() << false << a64k;
    }

    void dump() {
        QFETCH(QString, echo);
        QFETCH(QString, removed);
        QFETCH(bool, guarded);
        QFETCH(QString, dumped);
        LogsProgram t;
        t.installation.writeFile(ResultsLog, EarlierEntry);
        if (!removed.isEmpty())
            QVERIFY(QFile::remove(removed));
        setFields(t.sheet(),
                  ExampleCalculation + "Predict=4 Notes=Winter quarter Disc1=£1.00 ConvertF=1");
        t.sheet().ConfigEcho = echo;
        t.sheet().ErrorStep = 105;
        QVERIFY(EndsProgram(t.program, [&] {
            if (guarded) // any failure, and the guard's fixed step whatever ErrorStep holds
                Guarded(QStringLiteral("Clear Error"), 42, [] { throw std::out_of_range("x"); });
            WriteErrorDump(t.program, "Format Log Error", 212);
        }));
        const QString header = guarded ? "Clear Error 42" : "Format Log Error 212";
        const QString dump = QStringLiteral(
            "\r\n\r\n\r\n14/03/2026 18:02:11\r\nMeterwin\r\nVersion 2.0\r\n\r\n******** %2 ********"
            "\r\n\r\nDump of configuration file and available program data follows:\r\n\r\n\r\n%1"
            "\r\n\r\nProgram Defaults\r\n----------------\r\n"
            "£0.07000, £0.04000, £12.50, 1.022640, 39.400, 1, 5.0, 670, 4, £1.00, \r\n\r\n"
            "Program Data\r\n------------\r\n"
            "13/12/2025, 14/03/2026, 4100, 4512, \r\nWinter quarter\r\n\r\n"
            "Program Actual\r\n--------------\r\n"
            "91, 412, 4611, 670, 3941, £46.90, £157.64, , £12.50, £217.04, £227.89\r\n\r\n"
            "Program Predicted\r\n-----------------\r\n, , , , , , , , , , \r\n\r\n"
            "***** End of Error Dump *****\r\n\r\n\r\n");
        QCOMPARE(fileBytes(ResultsLog), removed.isEmpty()
                                            ? EarlierEntry + dump.arg(dumped, header).toUtf8()
                                            : QByteArray("<missing>"));
        QCOMPARE(t.messages.shown().size(), 1); // its text is the fault tests'
    }

    void firstStartAndSave() {
        LogsProgram t;
        CreateLogFiles(t.program);
        WriteStartEntry(t.program);
        QVERIFY(t.sheet().Status.caption.isEmpty());
        // Save writes once, and leaves the sheet as Calculate would.
        setFields(t.sheet(), "TCostP=£9.99");
        t.sheet().ReportText = QStringLiteral("report");
        t.sheet().HistoryText = QStringLiteral("history");
        t.sheet().Save.enabled = true;
        Save_Click(t.program);
        Save_Click(t.program);
        QCOMPARE(fileBytes(ResultsLog), StartedLog + "report\r\n");
        QCOMPARE(fileBytes(HistoryLog), QByteArray(Created).replace("Results", "History") +
                                            (PageHeader + "history\r\n").toUtf8());
        QCOMPARE(t.sheet().NRate1.text, QStringLiteral("£0.12000"));
        QVERIFY(t.sheet().TCostP.text.isEmpty());
        ViewL_Click(t.program);
        ViewH_Click(t.program);
        QCOMPARE(t.desktop.openedFiles, (QStringList{ResultsLog, HistoryLog}));
        t.desktop.opens = false;
        QVERIFY(EndsProgram(t.program, [&] { ViewH_Click(t.program); }));
        QCOMPARE(t.messages.shown(),
                 QList{fileError("Unable to opem the log file Meterwin_H.log" + Permissions)});
        // An existing log is left as it is, even an empty one.
        t.installation.writeFile(HistoryLog, "");
        CreateLogFiles(t.program);
        QCOMPARE(fileBytes(HistoryLog), QByteArray());
        // A directory in a log's place is no log, and cannot become one.
        QVERIFY(QFile::remove(HistoryLog) && QDir().mkdir(HistoryLog));
        QVERIFY(EndsProgram(t.program, [&] { CreateLogFiles(t.program); }));
        QCOMPARE(t.messages.last(),
                 fileError("Unable to create the log files" + Permissions + End));
    }

    // A missing directory or log ends the program with a message naming it.
    void failures_data() {
        QTest::addColumn<QString>("removed");
        QTest::addColumn<Command>("command");
        QTest::addColumn<QList<Message>>("messages");
        const auto row = [](const char* name, const QString& removed, Command command,
                            const Message& message) {
            QTest::newRow(name) << removed << command << QList{message};
        };
        const QString history = QStringLiteral("Meterwin_H.log");
        row("create, no Log", "Log", CreateLogFiles, noDirectory("Log"));
        // Save ends with the results log; the history log is not written.
        row("results log missing", ResultsLog, Save_Click, missing("Meterwin.log"));
        row("history log missing", HistoryLog, AppendHistoryLog, missing(history, history + ' '));
        row("entry, history log missing", HistoryLog, BuildHistoryEntry, missing(history));
        row("Archive, no Log", "Log", Archive_Click, noDirectory("log"));
        row("Results, no results log", ResultsLog, ViewL_Click,
            fileError("The log file is either missing or\r\ncorrupted. Delete the log file if\r\n"
                      "it exists and restart the program.\r\nThe program will now terminate."));
        row("History, no history log", HistoryLog, ViewH_Click,
            fileError("The log file Meterwin_H.log is either missing\r\nor corrupted. Delete the "
                      "log file if\r\nit exists and restart the program.\r\nThe program will "
                      "now terminate."));
    }

    void failures() {
        QFETCH(QString, removed);
        QFETCH(Command, command);
        LogsProgram t;
        t.sheet().HistoryText = QStringLiteral("history");
        t.sheet().Save.enabled = true;
        t.installation.writeFile(ResultsLog, Calculated);
        t.installation.writeFile(HistoryLog, Created);
        QVERIFY(QFile::remove(removed) || QDir(removed).removeRecursively());
        QVERIFY(EndsProgram(t.program, [&] { command(t.program); }));
        QTEST(t.messages.shown(), "messages");
        QVERIFY(t.sheet().Status.caption.isEmpty());
        if (removed == ResultsLog) // no byte of the history log is lost
            QCOMPARE(fileBytes(HistoryLog), Created);
    }

    // No data (no line begins with "Calorific" once spaces are trimmed), then
    // two archives on one day with the first free numbers, from a read-only log.
    void archive() {
        LogsProgram t{QLocale(QLocale::English, QLocale::UnitedStates)};
        t.installation.writeFile(ResultsLog, StartedLog + "Notes: Calorific\r\n\tCalorific\r\n");
        t.installation.writeFile("Log/Meterwin_260314_3.log", "three");
        Archive_Click(t.program);
        t.installation.writeFile(ResultsLog, Calculated);
        QVERIFY(QFile::setPermissions(ResultsLog, QFileDevice::ReadOwner));
        Archive_Click(t.program);
        QCOMPARE(t.sheet().Status.caption, QStringLiteral("Results Log File Archived"));
        Archive_Click(t.program); // no new calculation since
        const QByteArray second = NewLog + "Meterwin Calculation\r\nCalorific Value 40\r\n";
        t.installation.writeFile(ResultsLog, second);
        Archive_Click(t.program);
        QCOMPARE(t.messages.shown(), (QList{NoData, Question, NoData, Question}));
        QCOMPARE(QDir("Log").entryList(QDir::Files, QDir::Name),
                 (QStringList{"Meterwin.log", "Meterwin_260314_1.log", "Meterwin_260314_2.log",
                              "Meterwin_260314_3.log"}));
        QCOMPARE(fileBytes("Log/Meterwin_260314_1.log"), Calculated);
        QCOMPARE(fileBytes("Log/Meterwin_260314_2.log"), second);
        QCOMPARE(fileBytes("Log/Meterwin_260314_3.log"), QByteArray("three"));
        QCOMPARE(fileBytes(ResultsLog), NewLog);
    }
};

MW_REGISTER_TEST(TestLogs)
#include "tst_logs.moc"
