// Two programs saving into one installation at the same moment (two
// instances are allowed): every report block and history record arrives
// whole and none is lost, since each entry is one write at the end of a file
// opened for appending, and the archive and the page headers work under a
// lock of the logs that a program's death releases.
#include "commands/ArchiveResultsLog.h"
#include "commands/Calc_Click.h"
#include "commands/SaveCommand.h"
#include "commands/Startup.h"
#include "platform/QtFileSystem.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int RunsPerProgram = 100;
constexpr int HeaderLines = 6; // of both logs: four lines and two empty ones
const QStringList Programs = {"A", "B"};
// Program $3 saves its reading $2 into $1 `runs` times, alternating two notes. Its
// arguments reach the command line as arguments, never as shell text.
const QString Saves = R"(for i in $(seq %1); do for n in ping pong; do "$0" --dir "$1" calc )"
                      R"(--date1 01/12/2008 --read1 1000 --date2 28/02/2009 --read2 "$2" )"
                      R"(--notes "Instance $3, $n" --save >/dev/null 2>&1 || exit 1; done; done)";

QProcess* startSaving(const QString& directory, const QString& program, int runs) {
    auto* process = new QProcess;
    process->start("/bin/sh", {"-c", Saves.arg(runs), MW_CLI_PATH, directory,
                               program == "A" ? "2000" : "3000", program});
    return process;
}

bool finished(QProcess* process) {
    // One that ended while events were handled has finished already.
    const bool ok = (process->state() == QProcess::NotRunning || process->waitForFinished(-1)) &&
                    process->error() != QProcess::FailedToStart &&
                    process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    delete process;
    return ok;
}

// The lines of a log below its header, without their line ends.
QList<QByteArray> body(const QByteArray& log) {
    QList<QByteArray> lines = log.split('\n');
    if (!lines.takeLast().isEmpty())
        lines << "<half a line>";
    for (QByteArray& line : lines)
        line.chop(line.endsWith('\r') ? 1 : 0);
    return lines.mid(HeaderLines);
}

// The report blocks of a results log, each without its time line; lines
// before the first time line are a block of their own, which no save writes.
QList<QByteArray> reportBlocks(const QByteArray& log) {
    static const QRegularExpression timeLine("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d$");
    QList<QByteArray> blocks;
    for (const QByteArray& line : body(log)) {
        const bool time = timeLine.match(QString::fromUtf8(line)).hasMatch();
        if (blocks.isEmpty() || time)
            blocks << QByteArray();
        blocks.last() += time ? QByteArray() : line + "\r\n";
    }
    return blocks;
}

// Saves of readings `first` to `first + count - 1`, one program each, noted "Save <reading>".
const QString NumberedSaves =
    R"(for r in $(seq %1 %2); do "$0" --dir "$1" calc --date1 01/12/2008 --read1 1000 )"
    R"(--date2 28/02/2009 --read2 "$r" --notes "Save $r" --save >/dev/null 2>&1 || exit 1; done)";

QProcess* startNumberedSaves(const QString& directory, int first, int count) {
    auto* process = new QProcess;
    process->start("/bin/sh",
                   {"-c", NumberedSaves.arg(first).arg(first + count - 1), MW_CLI_PATH, directory});
    return process;
}

// How often each note "Save <reading>" stands in the results log and its
// archives, and each reading in a record of the history log.
QHash<QByteArray, int> notesSaved(const TemporaryInstallation& dir) {
    QHash<QByteArray, int> notes;
    QDirIterator logs(dir.path() + "/Log", {"Meterwin*.log"}, QDir::Files);
    while (logs.hasNext()) {
        const QString log = logs.next();
        if (log.endsWith("_H.log"))
            continue;
        const QList<QByteArray> lines = body(dir.readFile("Log/" + QFileInfo(log).fileName()));
        for (const QByteArray& line : lines)
            if (line.startsWith("Save "))
                ++notes[line];
    }
    return notes;
}

// Each save not found exactly once, in order.
QStringList notOnce(const QHash<QByteArray, int>& found, int saves, const char* where) {
    QStringList problems;
    for (int first : {2000, 3000, 4000})
        for (int reading = first + 1; reading <= first + saves; ++reading) {
            const int count = found.value("Save " + QByteArray::number(reading));
            if (count != 1)
                problems << QString("%1 times in %2: %3").arg(count).arg(where).arg(reading);
        }
    return problems;
}

void install(const TemporaryInstallation& dir) {
    QFile file(MW_SOURCE_DIR "/dist/Data/Meterwin.ini");
    dir.makeDirectory("Log");
    dir.makeDirectory("Data");
    dir.writeFile("Data/Meterwin.ini", file.open(QIODevice::ReadOnly) ? file.readAll() : "");
}

} // namespace

class TestConcurrentSaves : public QObject {
    Q_OBJECT

    // Each block and history record a save may write, with whose it is.
    QHash<QByteArray, QByteArray> blocks_, records_;
    QList<QByteArray> pageHeader_;

private slots:
    // What one program alone writes, in the British locale whose dates the saves use.
    void initTestCase() {
        qputenv("LC_ALL", "en_GB.UTF-8");
        for (const QString& program : Programs) {
            TemporaryInstallation alone;
            install(alone);
            QVERIFY(finished(startSaving(alone.path(), program, 1)));
            const auto blocks = reportBlocks(alone.readFile("Log/Meterwin.log"));
            QCOMPARE(blocks.size(), 2);
            for (int run = 0; run < 2; ++run)
                blocks_.insert(blocks[run],
                               "Instance " + program.toUtf8() + (run ? ", pong" : ", ping"));
            const auto history = body(alone.readFile("Log/Meterwin_H.log"));
            QCOMPARE(history.size(), 6);
            QCOMPARE(history[4], history[5]); // the same reading and figures each time
            QCOMPARE(QString::fromUtf8(history.last()).size(), 113);
            records_.insert(history.last(), program.toUtf8());
            pageHeader_ = history.mid(0, 4);
        }
        QCOMPARE(blocks_.size(), 4);
        QCOMPARE(records_.size(), 2);
    }

    void twoProgramsSaveAtOnce() {
        TemporaryInstallation shared;
        install(shared);
        QList<QProcess*> savers;
        for (const QString& program : Programs)
            savers << startSaving(shared.path(), program, RunsPerProgram / 2);
        for (QProcess* saver : savers)
            QVERIFY(finished(saver));

        QHash<QByteArray, int> seen;
        const QByteArray results = shared.readFile("Log/Meterwin.log");
        QVERIFY(results.startsWith("Meterwin Results Log\r\nVersion 2.0\r\nFile Created\r\n"));
        for (const QByteArray& block : reportBlocks(results)) {
            if (!blocks_.contains(block))
                QFAIL(qPrintable("A report block that no save wrote:\n" + block));
            ++seen[blocks_.value(block)];
        }
        const QByteArray history = shared.readFile("Log/Meterwin_H.log");
        QVERIFY(history.startsWith("Meterwin History Log\r\nVersion 2.0\r\nFile Created\r\n"));
        for (const QByteArray& line : body(history)) {
            if (records_.contains(line))
                ++seen[records_.value(line)];
            else if (!pageHeader_.contains(line))
                QFAIL(qPrintable("A history line that no save wrote: " + line));
        }
        qInfo("%d saves by each of two programs at once: %d report blocks, %d + %d history records",
              RunsPerProgram, int(reportBlocks(results).size()), seen.value("A"), seen.value("B"));
        for (const QString& program : Programs) {
            QCOMPARE(seen.value("Instance " + program.toUtf8() + ", ping"), RunsPerProgram / 2);
            QCOMPARE(seen.value("Instance " + program.toUtf8() + ", pong"), RunsPerProgram / 2);
            QCOMPARE(seen.value(program.toUtf8()), RunsPerProgram);
        }
    }

    // Archives and saves of this program beside the saves of two others:
    // every save lands once, in the results log or an archive, and the
    // history log's page headers stand every 40 lines.
    void archiveBesideSaves() {
        TemporaryInstallation shared;
        install(shared);
        constexpr int Saves = 40;
        QList<QProcess*> savers{startNumberedSaves(shared.path(), 2001, Saves),
                                startNumberedSaves(shared.path(), 3001, Saves)};
        TestProgram t;
        LoadMeterwinMain(t.program, {{}, true, false});
        // A slow disk widens the moments between the archive's copy and its
        // renaming, and between the count of the history log and the append.
        using Op = FaultyFileSystem::Operation;
        t.files.failOn(Op::RenameFile, 0, {}, FaultyFileSystem::Fault::Pauses);
        t.files.failOn(Op::AppendLine, 0, "_H.log", FaultyFileSystem::Fault::Pauses);
        int archives = 0, ownSaves = 0;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 15000 && ownSaves < Saves) {
            Archive_Click(t.program);
            archives += t.sheet().Status.caption == "Results Log File Archived";
            t.sheet().Status.caption.clear();
            ++ownSaves;
            Sheet& s = t.sheet();
            s.Date1.text = "01/12/2008", s.NRead1.text = "1000", s.Date2.text = "28/02/2009";
            s.NRead2.text = QString::number(4000 + ownSaves), s.AutoSave.value = 1;
            s.Notes.text = "Save " + s.NRead2.text;
            Calc_Click(t.program);
            QTest::qWait(10);
        }
        for (QProcess* saver : savers)
            QVERIFY(finished(saver));
        for (const Message& shown : t.messages.shown())
            QVERIFY2(shown.title == "Meterwin Archive Results Log File" ||
                         shown.text.startsWith("There is no data to archive!"),
                     qPrintable(shown.text));
        qInfo("%d archives and %d saves beside %d saves of two programs", archives, ownSaves,
              2 * Saves);
        QVERIFY(archives > 0);

        QCOMPARE(ownSaves, Saves);
        const QList<QByteArray> history = body(shared.readFile("Log/Meterwin_H.log"));
        QHash<QByteArray, int> records;
        QStringList misplaced;
        for (qsizetype i = 0; i < history.size(); ++i) {
            const bool header = i % 40 < 4; // of pages of 40 lines after the file header
            if (header ? history[i] != pageHeader_[i % 40] : pageHeader_.contains(history[i]))
                misplaced << QString("line %1: %2").arg(i + 7).arg(history[i]);
            else if (!header)
                ++records["Save " + history[i].mid(13, 7).trimmed()];
        }
        QCOMPARE(misplaced, QStringList());
        QCOMPARE(notOnce(notesSaved(shared), Saves, "the results logs") +
                     notOnce(records, Saves, "the history log"),
                 QStringList());
    }

    // A program killed while it holds the lock of the logs: the save of
    // another waits for it meanwhile and goes through once it has died.
    void deadHolderReleasesTheLock() {
        TemporaryInstallation shared;
        install(shared);
        int locked[2];
        QVERIFY(pipe(locked) == 0);
        const pid_t holder = fork();
        if (holder == 0) {
            QtFileSystem().whileLocked("Log", [&] {
                const char held = 'x';
                if (write(locked[1], &held, 1) == 1)
                    pause();
            });
            _exit(1);
        }
        char held = 0;
        QVERIFY(holder > 0 && read(locked[0], &held, 1) == 1);
        QProcess* saver = startNumberedSaves(shared.path(), 5000, 1);
        QVERIFY(!saver->waitForFinished(1000)); // waits for the lock
        QVERIFY(kill(holder, SIGKILL) == 0 && waitpid(holder, nullptr, 0) == holder);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(finished(saver));
        QVERIFY(clock.elapsed() < 5000);
        close(locked[0]), close(locked[1]);
        QCOMPARE(notesSaved(shared).value("Save 5000"), 1);
        QCOMPARE(body(shared.readFile("Log/Meterwin_H.log")).size(), 5);
    }
};

MW_REGISTER_TEST(TestConcurrentSaves)
#include "tst_concurrent_saves.moc"
