#include "logs/ArchiveResultsLog.h"
#include "logs/HistoryEntry.h"
#include "logs/LogFiles.h"
#include "logs/LogsFixture.h"
#include "logs/SaveCommand.h"
#include "logs/ViewLogs.h"
#include "support/TestMain.h"

#include <QDir>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace logstest;
using Operation = FaultyFileSystem::Operation;

namespace {

enum Fault { None = -1, NoViewer = -2, ReadOnly = -3 }; // or an Operation that fails

const QString FileTitle = QStringLiteral("Meterwin Log File Error");
const QString Terminate = QStringLiteral("\r\nThe program will now terminate.");
const QString Permissions = QStringLiteral(".\r\nThis may be a permissions problem.");

Message fileError(const QString& text) {
    return {MessageIcon::Exclamation, FileTitle, text};
}
Message notWritten(const QString& name) {
    return fileError("Unable to write to the log file " + name + Permissions);
}
Message missing(const QString& name, const QString& deleteWhat = {}) {
    return {MessageIcon::Critical, FileTitle,
            "The log file " + name + " does not exist or\r\nis corrupted. Delete the file " +
                deleteWhat + "and restart the \r\nprogram to restore the file." + Terminate};
}
Message noDirectory(const QString& log) {
    return {MessageIcon::Critical, "Meterwin Log Directory Error",
            "The log directory does not exist.\r\nTo restore the " + log +
                " directory\r\nreinstall the program." + Terminate};
}
const Message Question{MessageIcon::Exclamation, "Meterwin Archive Results Log File",
                       "Are you sure you want to\r\narchive the results log\r\nfile and create a "
                       "new one?",
                       MessageButtons::YesNo};
const Message NoData = fileError("There is no data to archive!\r\nResults file not archived.");

const QByteArray ResultsHeader = "Meterwin Results Log\r\nVersion 2.0\r\nFile Created\r\n"
                                 "14-Mar-26 18:02:11\r\n\r\n\r\n";
const QByteArray StartedLog =
    ResultsHeader + "Meterwin Started\r\nVersion 2.0\r\n14/03/2026 18:02:11\r\n\r\n";
const QByteArray Calculated = StartedLog + "Meterwin Calculation\r\n  Calorific Value : 39.5\r\n";
const QByteArray NewHeader =
    "Meterwin Results Log\r\nVersion 2.0\r\nFile Created\r\n14/03/2026 18:02:11\r\n\r\n\r\n";

QStringList logFiles() {
    return QDir(QStringLiteral("Log")).entryList(QDir::Files, QDir::Name);
}

// Root writes through permission bits: the step runs in a child process that
// has given up root for the user nobody. 77: that could not be done.
int asNobody(const std::function<void()>& step) {
    const passwd* nobody = getpwnam("nobody");
    const pid_t child = nobody ? fork() : -1;
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 ||
            setuid(nobody->pw_uid) != 0)
            _exit(77);
        step();
        _exit(QTest::currentTestFailed() ? 1 : 0);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)
               ? WEXITSTATUS(status)
               : 77;
}

} // namespace

// Creating, writing, saving, archiving and viewing the logs.
class TestLogFiles : public QObject {
    Q_OBJECT

private slots:
    void firstStart() {
        LogsProgram t;
        CreateLogFiles(t.program);
        WriteStartEntry(t.program);
        QCOMPARE(fileBytes(ResultsLog), StartedLog);
        QCOMPARE(t.files.countLines(ResultsLog), 10);
        QCOMPARE(fileBytes(HistoryLog), QByteArray(ResultsHeader).replace("Results", "History"));
        QVERIFY(t.messages.shown().isEmpty());
        QVERIFY(t.sheet().Status.caption.isEmpty());
        QCOMPARE(t.sheet().SuppressSavedStatus, 0);
        ViewL_Click(t.program);
        ViewH_Click(t.program);
        QCOMPARE(t.desktop.openedFiles, (QStringList{ResultsLog, HistoryLog}));
        // An existing log is left as it is, even an empty one.
        writeBytes(HistoryLog, "");
        CreateLogFiles(t.program);
        QCOMPARE(fileBytes(ResultsLog), StartedLog);
        QCOMPARE(fileBytes(HistoryLog), QByteArray());
    }

    void failures_data() {
        QTest::addColumn<QString>("removed");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QList<Message>>("messages");
        QTest::addColumn<bool>("fatal");
        const QString history = QStringLiteral("Meterwin_H.log");
        const Message notCreated =
            fileError("Unable to create the log files" + Permissions + Terminate);
        const Message resultsGone = fileError("The log file is either missing or\r\ncorrupted. "
                                              "Delete the log file if\r\nit exists and restart "
                                              "the program." +
                                              Terminate);
        const Message historyGone = fileError("The log file Meterwin_H.log is either missing\r\n"
                                              "or corrupted. Delete the log file if\r\nit exists "
                                              "and restart the program." +
                                              Terminate);
        const auto row = [](const char* name, const QString& removed, int fault,
                            const char* command, const QList<Message>& messages,
                            bool fatal = true) {
            QTest::newRow(name) << removed << fault << command << messages << fatal;
        };
        row("create, no Log", "Log", None, "create", {noDirectory("Log")});
        row("create fails", HistoryLog, int(Operation::ReplaceFile), "create", {notCreated});
        row("results log missing", ResultsLog, None, "results", {missing("Meterwin.log")});
        row("results log not written", "", int(Operation::AppendLine), "results",
            {notWritten("Meterwin.log")}, false);
        row("history log missing", HistoryLog, None, "history", {missing(history, history + ' ')});
        row("history log not written", "", int(Operation::AppendLine), "history",
            {notWritten(history)}, false);
        row("entry, history log missing", HistoryLog, None, "entry", {missing(history)});
        row("Archive, no Log", "Log", None, "Archive", {noDirectory("log")});
        row("Archive, no results log", ResultsLog, None, "Archive", {resultsGone});
        row("Results, no results log", ResultsLog, None, "Results", {resultsGone});
        row("History, no history log", HistoryLog, None, "History", {historyGone});
        row("History, no viewer", "", NoViewer, "History",
            {fileError("Unable to opem the log file Meterwin_H.log" + Permissions)});
        // The copy stays; the archive is not reported as done.
        row("Archive, delete fails", "", int(Operation::DeleteFile), "Archive",
            {Question, fileError("Unable to archive the log file Meterwin.log" + Permissions)},
            false);
    }

    void failures() {
        QFETCH(QString, removed);
        QFETCH(int, fault);
        QFETCH(QString, command);
        LogsProgram t;
        CreateLogFiles(t.program);
        fill(t.sheet(), ExampleCalculation);
        t.sheet().ReportText = QStringLiteral("report");
        t.sheet().HistoryText = QStringLiteral("history");
        writeBytes(ResultsLog, Calculated);
        if (!removed.isEmpty())
            QVERIFY(QFile::remove(removed) || QDir(removed).removeRecursively());
        if (fault >= 0)
            t.files.failOn(Operation(fault));
        t.desktop.opens = fault != NoViewer;
        const QHash<QString, void (*)(Program&)> commands = {
            {"create", CreateLogFiles},    {"results", AppendResultsLog},
            {"history", AppendHistoryLog}, {"entry", BuildHistoryEntry},
            {"Archive", Archive_Click},    {"Results", ViewL_Click},
            {"History", ViewH_Click}};
        QTEST(EndsProgram([&] { commands.value(command)(t.program); }), "fatal");
        QTEST(t.messages.shown(), "messages");
        QVERIFY(t.sheet().Status.caption.isEmpty());
        if (removed.isEmpty()) // no byte of the results log is lost
            QCOMPARE(fileBytes(ResultsLog), Calculated);
    }

    void save_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QList<Message>>("messages");
        QTest::addColumn<bool>("resultsWritten");
        QTest::addColumn<bool>("historyWritten");
        QTest::newRow("saved once") << int(None) << QList<Message>() << true << true;
        QTest::newRow("results log read-only")
            << int(ReadOnly) << QList{notWritten("Meterwin.log")} << false << true;
        // The user was told when the entry was composed; no empty line follows.
        QTest::newRow("history log not read")
            << int(Operation::CountLines) << QList{notWritten("Meterwin_H.log")} << true << false;
    }

    // The Save command writes both entries once; a results log that cannot be
    // written still lets the history entry through.
    void save() {
        QFETCH(int, fault);
        QFETCH(bool, resultsWritten);
        LogsProgram t;
        CreateLogFiles(t.program);
        setValidSettings(t.sheet());
        fill(t.sheet(), "TCostP=£9.99");
        t.sheet().ReportText = QStringLiteral("report\r\n");
        t.sheet().HistoryText = QStringLiteral("history");
        t.sheet().Save.enabled = true;
        const QByteArray results = fileBytes(ResultsLog);
        const QByteArray history = fileBytes(HistoryLog);
        if (fault == int(Operation::CountLines)) {
            t.files.failOn(Operation::CountLines);
            BuildHistoryEntry(t.program);
            t.files.heal();
        }
        const auto saveTwice = [&] {
            Save_Click(t.program);
            Save_Click(t.program);
            QTEST(t.messages.shown(), "messages");
            QVERIFY(!t.sheet().Save.enabled);
            QCOMPARE(t.sheet().Status.caption, resultsWritten ? "Calculation Saved" : "");
            // Saving tidies the sheet as Calculate does.
            QCOMPARE(t.sheet().NRate1.text, QStringLiteral("£0.12000"));
            QVERIFY(t.sheet().TCostP.text.isEmpty());
        };
        if (fault == ReadOnly) {
            QVERIFY(chmod(QFile::encodeName(t.installation.path()).constData(), 0755) == 0);
            QVERIFY(chmod("Log", 0755) == 0 && chmod("Log/Meterwin_H.log", 0666) == 0);
            QVERIFY(chmod("Log/Meterwin.log", 0444) == 0);
        }
        if (fault == ReadOnly && geteuid() == 0) {
            const int outcome = asNobody(saveTwice);
            if (outcome == 77)
                QSKIP("Running as root, and no child process could give up root for the user "
                      "nobody: a read-only file cannot be tested here.");
            QCOMPARE(outcome, 0);
        } else {
            saveTwice();
        }
        QCOMPARE(fileBytes(ResultsLog), resultsWritten ? results + "report\r\n\r\n" : results);
        QFETCH(bool, historyWritten);
        QCOMPARE(fileBytes(HistoryLog), historyWritten ? history + "history\r\n" : history);
    }

    // Archive refuses a log without a calculation (a line that begins with
    // "Calorific" once spaces are trimmed) and on No; two archives on one day
    // take the first free numbers, also from a read-only results log.
    void archive() {
        LogsProgram t;
        const QByteArray noData = StartedLog + "Notes: Calorific\r\n\tCalorific\r\n";
        writeBytes(ResultsLog, noData);
        writeBytes("Log/Meterwin_260314_3.log", "three");
        Archive_Click(t.program);
        QCOMPARE(fileBytes(ResultsLog), noData);
        writeBytes(ResultsLog, Calculated);
        QVERIFY(QFile::setPermissions(ResultsLog, QFileDevice::ReadOwner));
        t.messages.queueAnswer(MessageAnswer::No);
        Archive_Click(t.program);
        QCOMPARE(logFiles(), (QStringList{"Meterwin.log", "Meterwin_260314_3.log"}));
        QVERIFY(t.sheet().Status.caption.isEmpty());
        Archive_Click(t.program);
        QCOMPARE(t.sheet().Status.caption, QStringLiteral("Results Log File Archived"));
        QVERIFY(t.sheet().Timer1);
        Archive_Click(t.program); // no new calculation since
        const QByteArray second = NewHeader + "Meterwin Calculation\r\nCalorific Value 40\r\n";
        writeBytes(ResultsLog, second);
        Archive_Click(t.program);
        QCOMPARE(t.messages.shown(), (QList{NoData, Question, Question, NoData, Question}));
        QCOMPARE(logFiles(), (QStringList{"Meterwin.log", "Meterwin_260314_1.log",
                                          "Meterwin_260314_2.log", "Meterwin_260314_3.log"}));
        QCOMPARE(fileBytes("Log/Meterwin_260314_1.log"), Calculated);
        QCOMPARE(fileBytes("Log/Meterwin_260314_2.log"), second);
        QCOMPARE(fileBytes("Log/Meterwin_260314_3.log"), QByteArray("three"));
        QCOMPARE(fileBytes(ResultsLog), NewHeader);
    }

    void archiveHeaderInTheLocalesShortDate() {
        const RegionalForms us(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(ArchiveHeader(us, QDateTime(QDate(2026, 3, 4), QTime(6, 5, 3))),
                 "Meterwin Results Log\r\nVersion 2.0\r\nFile Created\r\n3/4/26 06:05:03\r\n\r\n");
    }
};

MW_REGISTER_TEST(TestLogFiles)
#include "tst_LogFiles.moc"
