// Programs saving into one installation at the same moment (two instances are
// allowed) beside one that archives: every report block and history record
// arrives whole and exactly once, since each entry is one write at the end of
// a file opened for appending, and the archive and the page headers work
// under a lock of the logs.
#include "commands/ArchiveResultsLog.h"
#include "commands/Calc_Click.h"
#include "commands/Startup.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QHash>
#include <QProcess>
#include <QTest>

namespace {

// Saves of readings `first` to `last`, one program each, noted "Save <reading>".
// The arguments reach the command line as arguments, never as shell text.
const QString NumberedSaves =
    R"(for r in $(seq %1 %2); do "$0" --dir "$1" calc --date1 01/12/2008 --read1 1000 )"
    R"(--date2 28/02/2009 --read2 "$r" --notes "Save $r" --save >/dev/null 2>&1 || exit 1; done)";

QProcess* startSaves(const TemporaryInstallation& dir, int first, int last) {
    auto* process = new QProcess;
    process->start("/bin/sh", {"-c", NumberedSaves.arg(first).arg(last), MW_CLI_PATH, dir.path()});
    return process;
}

bool finished(QProcess* process) {
    // One that ended while events were handled has finished already.
    const bool ok = (process->state() == QProcess::NotRunning || process->waitForFinished(-1)) &&
                    process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    delete process;
    return ok;
}

// The lines of a log below its six header lines; a line cut short is lost.
QStringList body(const QByteArray& log) {
    QStringList lines = QString::fromUtf8(log).split(QStringLiteral("\r\n"));
    lines.removeLast(); // what follows the last line end
    return lines.mid(6);
}

void install(const TemporaryInstallation& dir) {
    dir.makeDirectory("Log");
    dir.makeDirectory("Data");
    QFile::copy(MW_SOURCE_DIR "/dist/Data/Meterwin.ini", dir.path() + "/Data/Meterwin.ini");
}

} // namespace

class TestConcurrentSaves : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("LC_ALL", "en_GB.UTF-8"); } // whose dates the saves use

    // This program archives and saves beside the saves of two others: every
    // save lands once, whole, in the results log or an archive and in the
    // history log, whose page headers stand every 40 lines.
    void savesBesideArchives() {
        TemporaryInstallation shared;
        install(shared);
        constexpr int Saves = 40;
        QList<QProcess*> savers{startSaves(shared, 2001, 2000 + Saves),
                                startSaves(shared, 3001, 3000 + Saves)};
        TestProgram t;
        LoadMeterwinMain(t.program, {{}, true, false});
        // A slow disk widens the moments between the archive's copy and its
        // renaming, and between the count of the history log and the append.
        t.files.failOn(FaultyFileSystem::Operation::RenameFile, 0, FaultyFileSystem::Fault::Pauses);
        t.files.failOn(FaultyFileSystem::Operation::AppendLine, 0, FaultyFileSystem::Fault::Pauses);
        int archives = 0;
        for (int save = 1; save <= Saves; ++save) {
            Archive_Click(t.program);
            archives += t.sheet().Status.caption == "Results Log File Archived";
            Sheet& s = t.sheet();
            s.Date1.text = "01/12/2008", s.NRead1.text = "1000", s.Date2.text = "28/02/2009";
            s.NRead2.text = QString::number(4000 + save), s.AutoSave.value = 1;
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
        QVERIFY(archives > 0);

        // A torn block would leave two notes closer or further apart than one
        // block's length.
        QHash<QString, int> notes, records;
        QSet<qsizetype> blockLengths;
        for (const QString& name : QDir(shared.path() + "/Log").entryList({"Meterwin*.log"})) {
            const QStringList lines = body(shared.readFile("Log/" + name));
            qsizetype previous = -1;
            for (qsizetype i = 0; i < lines.size() && !name.endsWith("_H.log"); ++i) {
                if (!lines[i].startsWith("Save "))
                    continue;
                ++notes[lines[i].mid(5)];
                if (previous >= 0)
                    blockLengths << i - previous;
                previous = i;
            }
            if (previous >= 0)
                blockLengths << lines.size() - previous + 1;
        }
        QCOMPARE(blockLengths.size(), 1);
        const QStringList history = body(shared.readFile("Log/Meterwin_H.log"));
        QStringList misplaced;
        for (qsizetype i = 0; i < history.size(); ++i) {
            const bool header = i % 40 < 4; // of pages of 40 lines after the file header
            if (header ? history[i] != history[i % 40] : history[i].size() != 113)
                misplaced << QString("line %1: %2").arg(i + 7).arg(history[i]);
            else if (!header)
                ++records[history[i].mid(13, 7).trimmed()];
        }
        QCOMPARE(misplaced, QStringList());
        QHash<QString, int> once;
        for (int first : {2000, 3000, 4000})
            for (int reading = first + 1; reading <= first + Saves; ++reading)
                once.insert(QString::number(reading), 1);
        QCOMPARE(notes, once);
        QCOMPARE(records, once);
    }
};

MW_REGISTER_TEST(TestConcurrentSaves)
#include "tst_concurrent_saves.moc"
