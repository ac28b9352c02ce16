#include "logs/LogFiles.h"
#include "logs/LogsFixture.h"
#include "logs/SaveCommand.h"
#include "support/SheetFields.h"
#include "support/TestMain.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace logstest;

namespace {

// A calculation waiting to be saved by the Save command.
void pendingCalculation(LogsProgram& t) {
    CreateLogFiles(t.program);
    t.sheet().ReportText = QStringLiteral("report\r\n");
    t.sheet().HistoryText = QStringLiteral("history");
    t.sheet().Save.enabled = true;
}

// The outcome of a save with the results log read-only, as bits, so that a
// child process can report it through its exit status.
enum ReadOnlyOutcome {
    Saved = 0,
    WrongMessages = 1,
    SaveStillEnabled = 2,
    StatusShown = 4,
    Ended = 8,
    CannotDropPrivileges = 77,
};

int saveWithReadOnlyResultsLog(LogsProgram& t) {
    int outcome = Saved;
    if (EndsProgram([&] { Save_Click(t.program); }))
        return Ended;
    if (t.messages.shown().size() != 1 ||
        t.messages.shown()[0].text != QStringLiteral("Unable to write to the log file "
                                                     "Meterwin.log.\r\nThis may be a permissions "
                                                     "problem."))
        outcome |= WrongMessages;
    if (t.sheet().Save.enabled)
        outcome |= SaveStillEnabled;
    if (!t.sheet().Status.caption.isEmpty())
        outcome |= StatusShown;
    return outcome;
}

// Root writes through permission bits: the save runs in a child process that
// has given up root for the user nobody, as setpriv would.
int saveAsNobody(LogsProgram& t) {
    const passwd* nobody = getpwnam("nobody");
    if (!nobody)
        return CannotDropPrivileges;
    const pid_t child = fork();
    if (child < 0)
        return CannotDropPrivileges;
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 ||
            setuid(nobody->pw_uid) != 0)
            _exit(CannotDropPrivileges);
        _exit(saveWithReadOnlyResultsLog(t));
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return CannotDropPrivileges;
    return WEXITSTATUS(status);
}

} // namespace

class TestSaveCommand : public QObject {
    Q_OBJECT

private slots:
    void savesOnce() {
        Workspace w;
        LogsProgram t;
        pendingCalculation(t);
        const QByteArray results = fileBytes(ResultsLog);
        const QByteArray history = fileBytes(HistoryLog);
        Save_Click(t.program);
        QCOMPARE(fileBytes(ResultsLog), results + "report\r\n\r\n");
        QCOMPARE(fileBytes(HistoryLog), history + "history\r\n");
        QVERIFY(!t.sheet().Save.enabled);
        QCOMPARE(t.sheet().Status.caption, QStringLiteral("Calculation Saved"));

        const int writes = t.files.calls(FaultyFileSystem::Operation::AppendLine);
        Save_Click(t.program);
        QCOMPARE(t.files.calls(FaultyFileSystem::Operation::AppendLine), writes);
        QCOMPARE(fileBytes(ResultsLog), results + "report\r\n\r\n");
        QCOMPARE(fileBytes(HistoryLog), history + "history\r\n");
        QVERIFY(t.messages.shown().isEmpty());
    }

    // Saving leaves the sheet as Calculate does: settings in display form,
    // results that do not apply blanked.
    void saveTidiesTheSheet() {
        Workspace w;
        LogsProgram t;
        pendingCalculation(t);
        setValidSettings(t.sheet());
        t.sheet().TCostP.text = QStringLiteral("£9.99");
        Save_Click(t.program);
        QCOMPARE(t.sheet().NRate1.text, QStringLiteral("£0.12000"));
        QCOMPARE(t.sheet().CFactor.text, QStringLiteral("1.000000"));
        QVERIFY(t.sheet().TCostP.text.isEmpty());
        QVERIFY(t.sheet().ErrorList.isEmpty());
    }

    void emptyHistoryEntryNotWritten() {
        Workspace w;
        LogsProgram t;
        pendingCalculation(t);
        t.sheet().HistoryText.clear();
        const QByteArray history = fileBytes(HistoryLog);
        Save_Click(t.program);
        QCOMPARE(fileBytes(HistoryLog), history);
        QVERIFY(fileBytes(ResultsLog).endsWith("report\r\n\r\n"));
        QVERIFY(t.messages.shown().isEmpty());
        QVERIFY(!t.sheet().Save.enabled);
    }

    void resultsLogDeletedEndsBeforeHistory() {
        Workspace w;
        LogsProgram t;
        pendingCalculation(t);
        const QByteArray history = fileBytes(HistoryLog);
        QVERIFY(QFile::remove(ResultsLog));
        QVERIFY(EndsProgram([&] { Save_Click(t.program); }));
        QCOMPARE(t.messages.shown().size(), 1);
        QVERIFY(t.messages.shown()[0].text.startsWith(
            QStringLiteral("The log file Meterwin.log does not exist or")));
        QCOMPARE(fileBytes(HistoryLog), history);
    }

    void unwritableResultsLogStillWritesHistory() {
        Workspace w;
        LogsProgram t;
        pendingCalculation(t);
        const QByteArray results = fileBytes(ResultsLog);
        const QByteArray history = fileBytes(HistoryLog);
        t.files.failOn(FaultyFileSystem::Operation::AppendLine, 0, QStringLiteral("Meterwin.log"));
        QCOMPARE(saveWithReadOnlyResultsLog(t), int(Saved));
        QCOMPARE(fileBytes(ResultsLog), results);
        QCOMPARE(fileBytes(HistoryLog), history + "history\r\n");
    }

    void readOnlyResultsLogStillWritesHistory() {
        Workspace w;
        LogsProgram t;
        pendingCalculation(t);
        const QByteArray results = fileBytes(ResultsLog);
        const QByteArray history = fileBytes(HistoryLog);
        QVERIFY(chmod(QFile::encodeName(w.path()).constData(), 0755) == 0);
        QVERIFY(chmod("Log", 0755) == 0);
        QVERIFY(chmod(QFile::encodeName(HistoryLog).constData(), 0666) == 0);
        QVERIFY(chmod(QFile::encodeName(ResultsLog).constData(), 0444) == 0);
        const int outcome = geteuid() == 0 ? saveAsNobody(t) : saveWithReadOnlyResultsLog(t);
        if (outcome == CannotDropPrivileges)
            QSKIP("Running as root, and no child process could give up root for the user "
                  "nobody: a read-only file cannot be tested here.");
        QCOMPARE(outcome, int(Saved));
        QCOMPARE(fileBytes(ResultsLog), results);
        QCOMPARE(fileBytes(HistoryLog), history + "history\r\n");
    }
};

MW_REGISTER_TEST(TestSaveCommand)
#include "tst_SaveCommand.moc"
