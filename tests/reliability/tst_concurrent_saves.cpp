// Two programs saving into one installation at the same moment (two
// instances are allowed): every report block and history record arrives
// whole and none is lost, since each entry is one write at the end of a file
// opened for appending.
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTest>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int RunsPerProgram = 100;
const QByteArray CrLf = "\r\n";
const QByteArray BlockEnd = QByteArray(69, '-');
const QRegularExpression TimeLine(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d$"));

// One program's saves: its own reading and two notes it alternates.
struct Saver {
    QByteArray name;
    QByteArray reading;
    QList<QByteArray> notes;
};

const QList<Saver> Savers = {
    {"A", "2000", {"Instance A, ping", "Instance A, pong"}},
    {"B", "3000", {"Instance B, ping", "Instance B, pong"}},
};

QList<QByteArray> arguments(const QString& directory, const Saver& saver, int run) {
    return {MW_CLI_PATH,
            "--dir",
            QFile::encodeName(directory),
            "calc",
            "--date1",
            "01/12/2008",
            "--read1",
            "1000",
            "--date2",
            "28/02/2009",
            "--read2",
            saver.reading,
            "--notes",
            saver.notes.at(run % 2),
            "--save"};
}

// The environment of this process in the British locale, whose dates the
// saves use.
std::vector<char*> britishEnvironment() {
    static char british[] = "LC_ALL=en_GB.UTF-8";
    std::vector<char*> environment{british};
    for (char** variable = environ; *variable; ++variable)
        if (std::strncmp(*variable, "LC_ALL=", 7) != 0)
            environment.push_back(*variable);
    environment.push_back(nullptr);
    return environment;
}

// Runs the command line once, its output thrown away; its exit status.
int runOnce(const QList<QByteArray>& args) {
    std::vector<char*> argv;
    for (const QByteArray& arg : args)
        argv.push_back(const_cast<char*>(arg.constData()));
    argv.push_back(nullptr);
    std::vector<char*> environment = britishEnvironment();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environment.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A process that saves `runs` times in a row once the gate (a pipe) opens,
// which is when its writing end is closed; its exit status is the number of
// runs that failed.
pid_t startSaving(const QString& directory, const Saver& saver, int runs, const int gate[2]) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    close(gate[1]);
    char go = 0;
    while (read(gate[0], &go, 1) < 0 && errno == EINTR) {
    }
    int failed = 0;
    for (int run = 0; run < runs; ++run)
        failed += runOnce(arguments(directory, saver, run)) == 0 ? 0 : 1;
    _exit(std::min(failed, 255));
}

int failedRuns(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

QList<QByteArray> linesOf(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast(); // behind the final line end
    for (QByteArray& line : lines)
        line.chop(1);
    return lines;
}

// The file header of both logs: four lines and two empty ones.
constexpr int HeaderLines = 6;

// The report blocks of a results log, each without its time line, in
// order; a piece that is not a whole block is returned as such, marked.
QList<QByteArray> reportBlocks(const QByteArray& log) {
    const QList<QByteArray> lines = linesOf(log).mid(HeaderLines);
    QList<QByteArray> blocks;
    QByteArray block;
    int blockLines = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (blockLines == 0 && !TimeLine.match(QString::fromUtf8(lines[i])).hasMatch()) {
            blocks << "not a block: " + lines[i];
            continue;
        }
        if (blockLines++ > 0)
            block += lines[i] + CrLf;
        if (lines[i] != BlockEnd)
            continue;
        // The block's own empty line and the one its writer adds.
        if (lines.value(i + 1, "-") != "" || lines.value(i + 2, "-") != "")
            block += "<not closed by two empty lines>";
        blocks << block;
        block.clear();
        blockLines = 0;
        i += 2;
    }
    if (blockLines > 0)
        blocks << "cut off: " + block;
    return blocks;
}

} // namespace

class TestConcurrentSaves : public QObject {
    Q_OBJECT

    QByteArray configuration_;
    // Each block and history record a save may write, with whose it is.
    QHash<QByteArray, QByteArray> blocks_;
    QHash<QByteArray, QByteArray> records_;
    QList<QByteArray> pageHeader_;

    void install(const TemporaryInstallation& dir) {
        dir.makeDirectory(QStringLiteral("Data"));
        dir.makeDirectory(QStringLiteral("Log"));
        dir.writeFile(QStringLiteral("Data/Meterwin.ini"), configuration_);
    }

private slots:
    // What one program alone writes, each save on its own.
    void initTestCase() {
        QFile file(QStringLiteral(MW_SOURCE_DIR "/dist/Data/Meterwin.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        configuration_ = file.readAll();
        for (const Saver& saver : Savers) {
            for (int run = 0; run < 2; ++run) {
                TemporaryInstallation alone;
                install(alone);
                QCOMPARE(runOnce(arguments(alone.path(), saver, run)), 0);
                const QList<QByteArray> blocks =
                    reportBlocks(alone.readFile(QStringLiteral("Log/Meterwin.log")));
                QCOMPARE(blocks.size(), 1);
                blocks_.insert(blocks.first(), saver.notes.at(run));
                const QList<QByteArray> history =
                    linesOf(alone.readFile(QStringLiteral("Log/Meterwin_H.log")));
                QCOMPARE(history.size(), HeaderLines + 5);
                records_.insert(history.last(), saver.name);
                pageHeader_ = history.mid(HeaderLines, 4);
            }
        }
        QCOMPARE(blocks_.size(), 4);
        QCOMPARE(records_.size(), 2);
    }

    void twoProgramsSaveAtOnce() {
        TemporaryInstallation shared;
        install(shared);
        int gate[2];
        QCOMPARE(pipe(gate), 0);
        QList<pid_t> savers;
        for (const Saver& saver : Savers)
            savers << startSaving(shared.path(), saver, RunsPerProgram, gate);
        close(gate[0]);
        close(gate[1]); // both start now
        int failed = 0;
        for (pid_t saver : savers)
            failed += failedRuns(saver);
        QCOMPARE(failed, 0);

        QHash<QByteArray, int> blocksSeen;
        const QByteArray results = shared.readFile(QStringLiteral("Log/Meterwin.log"));
        QVERIFY(results.startsWith("Meterwin Results Log\r\nVersion 2.0\r\nFile Created\r\n"));
        for (const QByteArray& block : reportBlocks(results)) {
            if (!blocks_.contains(block))
                QFAIL(qPrintable("A report block that no save wrote:\n" + block));
            ++blocksSeen[blocks_.value(block)];
        }
        QHash<QByteArray, int> recordsSeen;
        const QByteArray history = shared.readFile(QStringLiteral("Log/Meterwin_H.log"));
        QVERIFY(history.startsWith("Meterwin History Log\r\nVersion 2.0\r\nFile Created\r\n"));
        QVERIFY(history.endsWith(CrLf));
        for (const QByteArray& line : linesOf(history).mid(HeaderLines)) {
            if (records_.contains(line)) {
                QCOMPARE(QString::fromUtf8(line).size(), 113);
                ++recordsSeen[records_.value(line)];
            } else if (!pageHeader_.contains(line)) {
                QFAIL(qPrintable("A history line that no save wrote: " + line));
            }
        }
        qInfo("%d saves by each of two programs at once: %d report blocks (%d, %d, %d, %d by "
              "note), %d history records (%d, %d by program), %d failed runs",
              RunsPerProgram, int(reportBlocks(results).size()),
              blocksSeen.value("Instance A, ping"), blocksSeen.value("Instance A, pong"),
              blocksSeen.value("Instance B, ping"), blocksSeen.value("Instance B, pong"),
              recordsSeen.value("A") + recordsSeen.value("B"), recordsSeen.value("A"),
              recordsSeen.value("B"), failed);
        for (const Saver& saver : Savers) {
            for (const QByteArray& note : saver.notes)
                QCOMPARE(blocksSeen.value(note), RunsPerProgram / 2);
            QCOMPARE(recordsSeen.value(saver.name), RunsPerProgram);
        }
    }
};

MW_REGISTER_TEST(TestConcurrentSaves)
#include "tst_concurrent_saves.moc"
