// Two programs saving into one installation at the same moment (two
// instances are allowed): every report block and history record arrives
// whole and none is lost, since each entry is one write at the end of a file
// opened for appending.
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

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
    const bool ok = process->waitForFinished(-1) && process->exitStatus() == QProcess::NormalExit &&
                    process->exitCode() == 0;
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
};

MW_REGISTER_TEST(TestConcurrentSaves)
#include "tst_concurrent_saves.moc"
