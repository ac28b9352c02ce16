// Every file call of every command fails in turn, outright or part way
// through a write (a real short write, as on a full disk). The user is told
// exactly what happened, the program ends only where it must, and no byte
// already in the logs or the configuration file is lost or torn.
#include "commands/ArchiveResultsLog.h"
#include "commands/Calc_Click.h"
#include "commands/GetLast.h"
#include "commands/ResetData.h"
#include "commands/SaveCommand.h"
#include "commands/SaveData.h"
#include "commands/Startup.h"
#include "logs/ErrorDump.h"
#include "support/RecordingMessageBoxes.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QRegularExpression>
#include <QTest>

namespace {

// The commands whose file calls fail, by their index in Commands.
enum { StartNew, Start, CalculateAndSave, Save, GetLast, SaveData, ResetData, Archive, ErrorDump };
// Started as an administrator, so that Save Data is there.
void start(Program& p) {
    LoadMeterwinMain(p, {{}, true, true});
}
const QList<std::pair<const char*, void (*)(Program&)>> Commands = {
    {"start-up, new installation", start},
    {"start-up", start},
    {"Calculate, Auto Save", Calc_Click},
    {"Save", Save_Click},
    {"Get Last", Get_Last_Click},
    {"Save Data", Save_Defaults_Click},
    {"Reset Data", Reset_Defaults_Click},
    {"Archive", Archive_Click},
    {"error dump", [](Program& p) { WriteErrorDump(p, "Calculation Error", 105); }}};
using Op = FaultyFileSystem::Operation;
using Files = QMap<QString, QByteArray>; // Data and Log by relative path
using Outcomes = QMap<Op, QList<QByteArray>>;

const QString Ini = "Data/Meterwin.ini", Results = "Log/Meterwin.log",
              History = "Log/Meterwin_H.log";

// What the user saw: whether the program ended, then each box's title and text.
QByteArray outcome(const QList<Message>& boxes, bool ended) {
    QByteArray text = ended ? "ends" : "goes on";
    for (const Message& box : boxes)
        text += "\n" + (box.title + ": " + box.text).toUtf8();
    return text;
}
QByteArray fatal(const char* category, int step) {
    return "ends\nMeterwin Fatal Error: Error Number " + QByteArray::number(step) + "\r\nA Fatal " +
           category + " Has Occurred\r\nThe Program Will Now Terminate";
}
const QByteArray Perm = ".\r\nThis may be a permissions problem.",
                 Ends = "\r\nThe program will now terminate.",
                 LogError = "\nMeterwin Log File Error: Unable to ";
const QByteArray Quiet = "goes on",
                 Archived = Quiet + "\nMeterwin Archive Results Log File: Are you sure you want "
                                    "to\r\narchive the results log\r\nfile and create a new one?",
                 NotArchived = LogError + "archive the log file Meterwin.log" + Perm;
const QByteArray NoLogs = "ends" + LogError + "create the log files" + Perm + Ends,
                 NoConfig = "ends\nMeterwin Configuration File Error: Unable to write to the "
                            "configuration file" +
                            Perm + Ends;
const QByteArray ResultsLost = LogError + "write to the log file Meterwin.log" + Perm,
                 HistoryLost = LogError + "write to the log file Meterwin_H.log" + Perm;
const QByteArray Dumped = fatal("Calculation Error", 105), NoData = fatal("Loading Error", 151),
                 ConfigRead = fatal("Config Read Error", 161),
                 LogRead = fatal("Log File Read Error", 141),
                 DataGone = fatal("Save Config Error", 202);

Files snapshot() {
    Files files;
    for (const char* directory : {"Data", "Log"})
        for (const QString& name : QDir(directory).entryList(QDir::Files)) {
            QFile file(QString(directory) + u'/' + name);
            files.insert(file.fileName(), file.open(QIODevice::ReadOnly) ? file.readAll() : "?");
        }
    return files;
}

QByteArray runCommand(int command, TestProgram& t) {
    t.messages.clear();
    const bool ended = EndsProgram(t.program, [&] { Commands[command].second(t.program); });
    return outcome(t.messages.shown(), ended);
}
void typeReadings(Sheet& s, const QString& date1, const QString& reading1, const QString& reading2,
                  int autoSave) {
    s.Date1.text = date1, s.NRead1.text = reading1, s.Date2.text = "28/02/2009";
    s.NRead2.text = reading2, s.Notes.text = "Winter quarter", s.AutoSave.value = autoSave;
}
// Logs with a start entry and a saved calculation, made once by the program.
const Files& usedInstallation() {
    static const Files files = [] {
        TemporaryInstallation dir;
        QDir().mkpath("Log"), QDir().mkpath("Data");
        QFile::copy(MW_SOURCE_DIR "/dist/Data/Meterwin.ini", Ini);
        TestProgram t;
        start(t.program);
        typeReadings(t.sheet(), "01/09/2008", "600", "1000", 1);
        if (runCommand(CalculateAndSave, t) != Quiet)
            qFatal("cannot make a used installation");
        return snapshot();
    }();
    return files;
}
// Installs and starts the program in the working directory, ready for the command.
void prepare(int command, TestProgram& t, const TemporaryInstallation& dir) {
    dir.makeDirectory("Log"), dir.makeDirectory("Data");
    for (auto [path, bytes] : usedInstallation().asKeyValueRange())
        if (command != StartNew || path == Ini)
            dir.writeFile(path, bytes);
    if (command == StartNew || command == Start)
        return;
    start(t.program);
    if (command == CalculateAndSave || command == Save || command == ErrorDump)
        typeReadings(t.sheet(), "01/12/2008", "1000", "1412", command == CalculateAndSave);
    if (command == Save || command == ErrorDump)
        Calc_Click(t.program);
    if (!t.messages.shown().isEmpty())
        qFatal("the program did not get ready for %s", Commands[command].first);
}

// A command run in an installation of its own: what the user saw, the files
// before and after, and how often it called each kind of file operation.
struct Run {
    QByteArray shown;
    Files before, after;
    std::array<int, FaultyFileSystem::OperationCount> calls{};
};
// The `nth` call of `operation` fails as `fault` says; none when `nth` is 0.
Run run(int command, Op operation = {}, int nth = 0,
        FaultyFileSystem::Fault fault = FaultyFileSystem::Fault::Fails) {
    TemporaryInstallation dir;
    TestProgram t;
    prepare(command, t, dir);
    Run result{{}, snapshot(), {}, {}};
    for (int op = 0; op < FaultyFileSystem::OperationCount; ++op)
        result.calls[op] = -t.files.calls(Op(op));
    if (nth > 0)
        t.files.failOn(operation, nth, fault);
    result.shown = runCommand(command, t);
    result.after = snapshot();
    for (int op = 0; op < FaultyFileSystem::OperationCount; ++op)
        result.calls[op] += t.files.calls(Op(op));
    return result;
}

// What a faulty run lost or tore, against what the run without faults wrote:
// each log keeps its old bytes and may gain whole lines of what that run
// added, then an error dump; the configuration holds its old or its new
// bytes; an archive holds the old results log whole, and only beside one may
// the results log start anew; no other file stays. When the program goes
// on, a log that no message names is written as without the fault.
QStringList damage(const Run& faulty, const Files& unfaulted) {
    static const QRegularExpression archive("^Log/Meterwin_\\d{6}_\\d+\\.log$");
    static const QByteArray dump = "\r\n\r\n\r\n01/03/2009 12:00:00\r\nMeterwin\r\n";
    const QByteArray oldResults = faulty.before.value(Results);
    QStringList problems;
    bool archived = false;
    for (auto [path, bytes] : faulty.after.asKeyValueRange()) {
        const QByteArray old = faulty.before.value(path), done = unfaulted.value(path);
        QByteArray grown = bytes.mid(old.size());
        if (grown.endsWith("***** End of Error Dump *****\r\n\r\n\r\n") && grown.contains(dump))
            grown.truncate(grown.indexOf(dump));
        const bool linesAdded = bytes.startsWith(old) && done.mid(old.size()).startsWith(grown) &&
                                (grown.isEmpty() || grown.endsWith("\r\n"));
        const bool named = faulty.shown.contains(" " + QFileInfo(path).fileName().toUtf8() + ".");
        if (archive.match(path).hasMatch() && !faulty.before.contains(path))
            archived |= bytes == oldResults;
        else if (bytes != old && bytes != done && (path == Ini || !linesAdded))
            problems << path + " is torn or stray";
        else if (bytes != done && !named && !faulty.shown.startsWith("ends"))
            problems << path + " is not written, yet no message says so";
    }
    for (const QString& path : faulty.before.keys())
        if (!faulty.after.contains(path))
            problems << path + " is gone";
    if (!faulty.after.value(Results).startsWith(oldResults) && !archived)
        problems << "the old results log is lost";
    return problems;
}

} // namespace

Q_DECLARE_METATYPE(Outcomes)

class TestFileFaults : public QObject {
    Q_OBJECT

private slots:
    // For each kind of file operation the command makes, what its failure may
    // show, whichever call of that kind fails; each listed outcome is met.
    void faultSurvived_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<Outcomes>("outcomes");
        const QByteArray noResults = Quiet + ResultsLost, noHistory = Quiet + HistoryLost;
        const QByteArray notArchived = Quiet + NotArchived, askedFirst = Archived + NotArchived;
        const Outcomes save = {{Op::Exists, {noResults, noHistory}},
                               {Op::Lock, {noResults, noHistory}},
                               {Op::CountLines, {noHistory}},
                               {Op::AppendLine, {noResults, noHistory}}};
        const Outcomes configuration = {{Op::Exists, {ConfigRead}},
                                        {Op::FileSize, {ConfigRead}},
                                        {Op::ReadLines, {ConfigRead}}};
        Outcomes start = configuration;
        start.insert({{Op::Exists, {NoData, ConfigRead, NoLogs, noResults, LogRead}},
                      {Op::Lock, {noResults}},
                      {Op::AppendLine, {noResults}},
                      {Op::ReadLastLine, {LogRead}}});
        QTest::newRow("start-up") << int(Start) << start;
        start.insert(Op::CreateFile, {NoLogs});
        QTest::newRow("start-up, new installation") << int(StartNew) << start;
        QTest::newRow("Calculate, Auto Save") << int(CalculateAndSave) << save;
        QTest::newRow("Save") << int(Save) << save;
        QTest::newRow("Get Last") << int(GetLast)
                                  << Outcomes{{Op::Exists, {LogRead}},
                                              {Op::ReadLastLine, {LogRead}}};
        QTest::newRow("Save Data")
            << int(SaveData) << Outcomes{{Op::Exists, {DataGone}}, {Op::ReplaceFile, {NoConfig}}};
        QTest::newRow("Reset Data") << int(ResetData) << configuration;
        QTest::newRow("Archive") << int(Archive)
                                 << Outcomes{{Op::Exists, {notArchived, askedFirst}},
                                             {Op::AnyLine, {notArchived, askedFirst}},
                                             {Op::Lock, {askedFirst}},
                                             {Op::CopyFile, {askedFirst}},
                                             {Op::ReplaceFile, {askedFirst}},
                                             {Op::RenameFile, {askedFirst}}};
        QTest::newRow("error dump")
            << int(ErrorDump) << Outcomes{{Op::Lock, {Dumped}}, {Op::AppendLine, {Dumped}}};
    }

    void faultSurvived() {
        QFETCH(int, command);
        QFETCH(Outcomes, outcomes);
        const Run unfaulted = run(command);
        QCOMPARE(unfaulted.shown, command == Archive     ? Archived
                                  : command == ErrorDump ? Dumped
                                                         : Quiet);
        for (int op = 0; op < FaultyFileSystem::OperationCount; ++op)
            QVERIFY2(outcomes.contains(Op(op)) == (unfaulted.calls[op] > 0),
                     qPrintable(QString("operation %1 made but not faulted, or not made").arg(op)));
        for (auto [operation, expected] : outcomes.asKeyValueRange()) {
            QList<QByteArray> met;
            for (int nth = 1; nth <= unfaulted.calls[int(operation)]; ++nth) {
                const Run failed = run(command, operation, nth);
                QVERIFY2(expected.contains(failed.shown), failed.shown);
                met << failed.shown;
                QCOMPARE(damage(failed, unfaulted.after), QStringList());
                // A write cut short leaves the files as one that wrote nothing.
                if (QList{Op::CreateFile, Op::AppendLine, Op::ReplaceFile, Op::CopyFile}.contains(
                        operation))
                    QCOMPARE(
                        run(command, operation, nth, FaultyFileSystem::Fault::WritesPart).after,
                        failed.after);
            }
            for (const QByteArray& outcome : expected)
                QVERIFY2(met.contains(outcome), "never shown: " + outcome);
        }
    }
};

MW_REGISTER_TEST(TestFileFaults)
#include "tst_file_faults.moc"
