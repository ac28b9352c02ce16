// Every file operation of every command fails in turn, outright or part way
// through a write, through the file system double; then the machine's own
// faults: directories and files the user may not write (run as the user
// nobody, since root writes through permission bits) and a full disk. The
// user is told exactly what happened, the program ends only where it must,
// and no byte already in the logs or the configuration file is lost.
#include "commands/ArchiveResultsLog.h"
#include "commands/Calc_Click.h"
#include "commands/GetLast.h"
#include "commands/ResetData.h"
#include "commands/SaveCommand.h"
#include "commands/SaveData.h"
#include "commands/Startup.h"
#include "logs/ErrorDump.h"
#include "support/RecordingMessageBoxes.h"
#include "support/Restrictions.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The commands whose file operations fail, by their index in Commands.
enum { StartNew, Start, CalculateAndSave, Save, GetLast, SaveData, ResetData, Archive, ErrorDump };
// As an administrator, so that Save Data is there.
void startAsAdministrator(Program& p) {
    LoadMeterwinMain(p, {{}, true, true});
}
void dumpError(Program& p) {
    WriteErrorDump(p, "Calculation Error", 105);
}
const QList<std::pair<const char*, void (*)(Program&)>> Commands = {
    {"start-up, new installation", startAsAdministrator},
    {"start-up", startAsAdministrator},
    {"Calculate, Auto Save", Calc_Click},
    {"Save", Save_Click},
    {"Get Last", Get_Last_Click},
    {"Save Data", Save_Defaults_Click},
    {"Reset Data", Reset_Defaults_Click},
    {"Archive", Archive_Click},
    {"error dump", dumpError}};
using Op = FaultyFileSystem::Operation;
const QStringList OperationNames =
    QString("exists|read lines|count lines|read last line|create "
            "empty|create|append|replace|copy|delete|rename|size|any line|lock")
        .split(u'|');
using Files = QMap<QString, QByteArray>; // Data and Log by relative path

const QString DataDir = "Data", Ini = "Data/Meterwin.ini", LogDir = "Log";
const QString Results = "Log/Meterwin.log", History = "Log/Meterwin_H.log";
const QString ResultsName = "Meterwin.log", HistoryName = "Meterwin_H.log";

// What the user saw: each box, then whether the program ended.
QByteArray outcome(const QList<Message>& boxes, bool ended = false) {
    QByteArray text = ended ? "program ended" : "program goes on";
    for (const Message& box : boxes) {
        const std::unique_ptr<char[]> shown(toString(box));
        text += QByteArray("\n  ") + shown.get();
    }
    return text;
}
Message box(const QString& title, QString text, MessageIcon icon = MessageIcon::Exclamation,
            MessageButtons buttons = MessageButtons::Ok) {
    return {icon, title, text.replace(u'|', QStringLiteral("\r\n")), buttons};
}
const QString LogError = "Meterwin Log File Error", Perm = "|This may be a permissions problem.";
const Message Question =
    box("Meterwin Archive Results Log File",
        "Are you sure you want to|archive the results log|file and create a new one?",
        MessageIcon::Exclamation, MessageButtons::YesNo);
const Message ArchiveFailure = box(LogError, "Unable to archive the log file Meterwin.log." + Perm);
const QString Ends = "|The program will now terminate.";
QByteArray ended(const QString& title, const QString& text,
                 MessageIcon icon = MessageIcon::Exclamation) {
    return outcome({box(title, text, icon)}, true);
}
QByteArray fatal(const char* category, int step) {
    const QString text = "Error Number %1|A Fatal %2 Has Occurred|The Program Will Now Terminate";
    return ended("Meterwin Fatal Error", text.arg(QString::number(step), category),
                 MessageIcon::Critical);
}
QByteArray notWritten(const QStringList& logs) {
    QList<Message> boxes;
    for (const QString& log : logs)
        boxes << box(LogError, "Unable to write to the log file " + log + "." + Perm);
    return outcome(boxes);
}
const QByteArray Quiet = outcome({}), Archived = outcome({Question});
const QByteArray ArchiveFailed = outcome({ArchiveFailure}),
                 AskedArchiveFailed = outcome({Question, ArchiveFailure});
const QByteArray NoLogs = ended(LogError, "Unable to create the log files." + Perm + Ends);
const QByteArray NoConfig = ended("Meterwin Configuration File Error",
                                  "Unable to write to the configuration file." + Perm + Ends);
const QByteArray Dumped = fatal("Calculation Error", 105),
                 ConfigRead = fatal("Config Read Error", 161);
const QByteArray LogRead = fatal("Log File Read Error", 141);
const QByteArray ResultsLost = notWritten({ResultsName}), HistoryLost = notWritten({HistoryName});

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>";
}
void writeFiles(const Files& files) {
    QDir().mkpath(DataDir), QDir().mkpath(LogDir);
    for (auto file = files.begin(); file != files.end(); ++file) {
        QFile out(file.key());
        if (!out.open(QIODevice::WriteOnly) || out.write(file.value()) != file.value().size())
            qFatal("cannot write %s", qPrintable(file.key()));
    }
}
Files snapshot() {
    Files files;
    for (const QString& directory : {DataDir, LogDir})
        for (const QString& name :
             QDir(directory).entryList(QDir::Files | QDir::Hidden | QDir::System))
            files.insert(directory + u'/' + name, readBytes(directory + u'/' + name));
    return files;
}

QByteArray runCommand(int command, TestProgram& t) {
    t.messages.clear();
    const bool ended = EndsProgram(t.program, [&] { Commands[command].second(t.program); });
    return outcome(t.messages.shown(), ended);
}
void typeReadings(Sheet& s, int autoSave,
                  QStringList from = {"01/12/2008", "1000", "28/02/2009", "1412",
                                      "Winter quarter"}) {
    s.Date1.text = from[0], s.NRead1.text = from[1], s.Date2.text = from[2],
    s.NRead2.text = from[3];
    s.Notes.text = from[4], s.AutoSave.value = autoSave;
}
// Logs with a start entry and a saved calculation (reading 1000 on 01/12/2008), made once by the
// program.
const Files& usedInstallation() {
    static const Files files = [] {
        TemporaryInstallation dir;
        writeFiles({{Ini, readBytes(MW_SOURCE_DIR "/dist/Data/Meterwin.ini")}});
        TestProgram t;
        startAsAdministrator(t.program);
        typeReadings(t.sheet(), 1, {"01/09/2008", "600", "01/12/2008", "1000", "Autumn quarter"});
        if (runCommand(CalculateAndSave, t) != Quiet)
            qFatal("cannot make a used installation");
        return snapshot();
    }();
    return files;
}
// Installs and starts the program in the working directory, ready for the command.
void prepare(int command, TestProgram& t) {
    writeFiles(command == StartNew ? Files{{Ini, usedInstallation().value(Ini)}}
                                   : usedInstallation());
    if (command == StartNew || command == Start)
        return;
    startAsAdministrator(t.program);
    if (command == CalculateAndSave || command == Save || command == ErrorDump)
        typeReadings(t.sheet(), command == CalculateAndSave);
    if (command == Save || command == ErrorDump)
        Calc_Click(t.program);
    if (!t.messages.shown().isEmpty())
        qFatal("the program did not get ready for %s", Commands[command].first);
}

// What was lost: nothing when every byte of `before` is still there (the old
// results log may live on whole as a new archive), no file grew by half a
// line and no stray file appeared.
QStringList lostBytes(const Files& before, const Files& after) {
    static const QRegularExpression ours(
        "^(Data/Meterwin\\.ini|Log/Meterwin(_H|_\\d{6}_\\d+)?\\.log)$");
    bool archived = false;
    for (auto file = after.begin(); file != after.end(); ++file)
        archived |= !before.contains(file.key()) && file.value() == before.value(Results);
    QStringList problems;
    for (auto file = before.begin(); file != before.end(); ++file)
        if (!after.contains(file.key()))
            problems << file.key() + " is gone";
        else if (!after.value(file.key()).startsWith(file.value()) &&
                 !(file.key() == Results && archived &&
                   after.value(Results).startsWith("Meterwin Results Log\r\n")))
            problems << file.key() + " lost bytes it held";
    for (auto file = after.begin(); file != after.end(); ++file)
        if (!ours.match(file.key()).hasMatch())
            problems << file.key() + " was left behind";
        else if (file.value().size() > before.value(file.key()).size() &&
                 !file.value().endsWith("\r\n"))
            problems << file.key() + " ends in half a line";
    return problems;
}

// One file operation of a command and what the user sees when it fails.
struct Step {
    Op operation;
    QString path;
    QByteArray outcome;
};
// Calls ("operation path", separated by ',') that show the same when any fails.
QList<Step> steps(const QString& calls, const QByteArray& outcome) {
    QList<Step> steps;
    for (const QString& call : calls.split(u','))
        steps << Step{Op(OperationNames.indexOf(call.section(u' ', 0, -2))), call.section(u' ', -1),
                      outcome};
    return steps;
}
// Each command's file operations in the order it makes them.
QList<Step> stepsOf(int command) {
    const QString results = "exists Log,exists Log/Meterwin.log,lock Log,append Log/Meterwin.log";
    const QList<Step> save =
        steps(results, ResultsLost) +
        steps("exists Log,exists Log/Meterwin_H.log,lock Log,count lines Log/Meterwin_H.log,append "
              "Log/Meterwin_H.log",
              HistoryLost);
    const QList<Step> getLast =
        steps("exists Log,exists Log/Meterwin_H.log,read last line Log/Meterwin_H.log", LogRead);
    const QString readConfig =
        "exists Data/Meterwin.ini,size Data/Meterwin.ini,read lines Data/Meterwin.ini";
    const QString create =
        command == StartNew
            ? ",create Log/Meterwin.log,exists Log/Meterwin_H.log,create Log/Meterwin_H.log"
            : ",exists Log/Meterwin_H.log";
    const QString newLog = " Log/Meterwin.log.new";
    switch (command) {
    case StartNew:
    case Start:
        return steps("exists Data", fatal("Loading Error", 151)) + steps(readConfig, ConfigRead) +
               steps("exists Log,exists Log/Meterwin.log" + create, NoLogs) +
               steps(results, ResultsLost) + getLast;
    case CalculateAndSave: // BuildHistoryEntry's count fails: the entry is not written
        return steps("exists Log,exists Log/Meterwin_H.log,count lines Log/Meterwin_H.log",
                     HistoryLost) +
               save;
    case Save:
        return save;
    case GetLast:
        return getLast;
    case SaveData:
        return steps("exists Data", fatal("Save Config Error", 202)) +
               steps("replace Data/Meterwin.ini", NoConfig);
    case ResetData:
        return steps(readConfig, ConfigRead);
    case Archive:
        return steps("exists Log,exists Log/Meterwin.log,any line Log/Meterwin.log",
                     ArchiveFailed) +
               steps("lock Log,any line Log/Meterwin.log,exists Log/Meterwin_090301_1.log,copy "
                     "Log/Meterwin.log,replace" +
                         newLog + ",rename" + newLog,
                     AskedArchiveFailed);
    case ErrorDump:
        return steps("lock Log,append Log/Meterwin.log", Dumped);
    }
    return {};
}
QStringList callsOf(const QList<Step>& steps) {
    QStringList calls;
    for (const Step& step : steps)
        calls << OperationNames[int(step.operation)] + u' ' + step.path;
    return calls;
}
// Which call of its kind, on its path, the step is: the double counts alike.
int nthCall(const QList<Step>& steps, qsizetype index) {
    int nth = 0;
    for (qsizetype i = 0; i <= index; ++i)
        nth += steps[i].operation == steps[index].operation && steps[i].path == steps[index].path;
    return nth;
}
bool writes(Op op) {
    return op == Op::CreateFile || op == Op::AppendLine || op == Op::ReplaceFile ||
           op == Op::CopyFile;
}

// The installation becomes the user's own, as if unpacked by that user.
bool ownedBy(const UserIds& user) {
    bool owned = chown(".", user.uid, user.gid) == 0;
    QDirIterator entries(".", QDir::AllEntries | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext())
        owned &= lchown(QFile::encodeName(entries.next()).constData(), user.uid, user.gid) == 0;
    return owned;
}
QString systemError(const char* call) {
    return call + (": " + QString::fromLocal8Bit(std::strerror(errno)));
}
// A real full disk: a 1 MB tmpfs over the directory, in a mount namespace of
// this process alone, so it goes with the process whatever happens. Empty when mounted, else why
// not.
QString mountSmallDisk(const QString& directory) {
    static const QString privateMounts =
        unshare(CLONE_NEWNS) != 0 ? systemError("unshare(CLONE_NEWNS)")
        : mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            ? systemError("mount --make-rprivate /")
            : QString();
    if (!privateMounts.isEmpty())
        return privateMounts;
    if (mount("tmpfs", QFile::encodeName(directory).constData(), "tmpfs", 0, "size=1M,mode=0755") !=
        0)
        return systemError("mount -t tmpfs");
    QDir::setCurrent(directory); // the working directory was the one under the mount
    return QString();
}
// Grows each log by blanks on its fifth line (an empty header line: no line
// is added) until its last block has `room` bytes left, then takes every free
// block: every entry longer than `room` is cut short.
bool fillDisk(int room) {
    const qint64 block = sysconf(_SC_PAGESIZE);
    for (const QString& name : QDir(LogDir).entryList(QDir::Files)) {
        QFile file(LogDir + u'/' + name);
        QByteArray bytes = file.open(QIODevice::ReadWrite) ? file.readAll() : QByteArray();
        qsizetype fifthLine = 0;
        for (int line = 0; line < 4 && fifthLine >= 0; ++line)
            fifthLine = bytes.indexOf("\r\n", fifthLine) + 2;
        bytes.insert(fifthLine,
                     QByteArray(((block - room - bytes.size()) % block + block) % block, ' '));
        if (fifthLine < 2 || !file.seek(0) || file.write(bytes) != bytes.size())
            return false;
    }
    const int filler = open("Filler", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    for (qint64 size : {64 * block, block, qint64(1)})
        while (write(filler, QByteArray(size, 'f').constData(), size_t(size)) > 0) {
        }
    const bool full = errno == ENOSPC;
    close(filler);
    return full;
}

} // namespace

class TestFileFaults : public QObject {
    Q_OBJECT

    // Step -1 runs the command unfaulted; the calls up to the faulty one must be the listed ones.
    Files runFaulted(int command, int step, FaultyFileSystem::Fault fault, QByteArray& shown) {
        const QList<Step> steps = stepsOf(command);
        TemporaryInstallation dir;
        TestProgram t;
        prepare(command, t);
        const Files before = snapshot();
        const qsizetype start = t.files.journal().size();
        if (step >= 0)
            t.files.failOn(steps[step].operation, nthCall(steps, step), steps[step].path, fault);
        shown = runCommand(command, t);
        QList<Step> made;
        for (qsizetype i = start;
             i < t.files.journal().size() && made.size() <= step + (step < 0) * steps.size(); ++i)
            made << Step{t.files.journal()[i].operation, t.files.journal()[i].path, {}};
        [&] {
            QCOMPARE(callsOf(made), callsOf(steps.mid(0, step < 0 ? steps.size() : step + 1)));
        }();
        Files after = snapshot(), kept = before;
        if (step < 0 && command == SaveData)
            kept.remove(Ini); // meant to be replaced
        [&] { QCOMPARE(lostBytes(kept, after), QStringList()); }();
        return after;
    }

private slots:
    void initTestCase() { usedInstallation(); } // made before any directory is restricted

    void faultSurvived_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("writesPart");
        int cases = 1; // archiveCannotTidyUp
        QStringList covered;
        for (int c = 0; c < Commands.size(); ++c) {
            const QList<Step> steps = stepsOf(c);
            QTest::addRow("%s: no fault", Commands[c].first) << c << -1 << false;
            QStringList operations;
            for (qsizetype i = 0; i < steps.size(); ++i)
                for (bool part : {false, true}) {
                    if (part && !writes(steps[i].operation))
                        continue;
                    QTest::addRow("%s: %s #%d %s", Commands[c].first,
                                  qPrintable(callsOf({steps[i]})[0]), nthCall(steps, i),
                                  part ? "writes part" : "fails")
                        << c << int(i) << part;
                    ++cases;
                    const QString op =
                        OperationNames[int(steps[i].operation)] + (part ? " (part)" : "");
                    if (!operations.contains(op))
                        operations << op;
                }
            covered << Commands[c].first + (": " + operations.join(u','));
        }
        qInfo("Covered commands and failing operations:\n  %s\n  Archive: delete, after a failed "
              "rename\n%d fault cases",
              qPrintable(covered.join("\n  ")), cases);
    }

    void faultSurvived() {
        QFETCH(int, command);
        QFETCH(int, step);
        QFETCH(bool, writesPart);
        QByteArray shown;
        const Files after = runFaulted(command, step,
                                       writesPart ? FaultyFileSystem::Fault::WritesPart
                                                  : FaultyFileSystem::Fault::Fails,
                                       shown);
        QCOMPARE(shown, step >= 0              ? stepsOf(command)[step].outcome
                        : command == Archive   ? Archived
                        : command == ErrorDump ? Dumped
                                               : Quiet);
        // A write cut short leaves the files as one that failed before writing anything.
        if (writesPart)
            QCOMPARE(after, runFaulted(command, step, FaultyFileSystem::Fault::Fails, shown));
    }

    // The archive deletes only to tidy up after a failed renaming. When that
    // fails too, the new log stays beside the intact results log, and the
    // next archive writes it anew.
    void archiveCannotTidyUp() {
        TemporaryInstallation dir;
        TestProgram t;
        prepare(Archive, t);
        const Files before = snapshot();
        t.files.failOn(Op::RenameFile);
        t.files.failOn(Op::DeleteFile);
        QCOMPARE(runCommand(Archive, t), AskedArchiveFailed);
        QCOMPARE(lostBytes(before, snapshot()),
                 QStringList{"Log/Meterwin.log.new was left behind"});
        QCOMPARE(snapshot().value(Results), before.value(Results));
        t.files.heal();
        QCOMPARE(runCommand(Archive, t), Archived);
        QCOMPARE(lostBytes(before, snapshot()), QStringList());
        QCOMPARE(snapshot().value("Log/Meterwin_090301_2.log"), before.value(Results));
    }

    // Paths made read-only (separated by '|') for the user nobody, or "full disk".
    void realCondition_data() {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<int>("command");
        QTest::addColumn<QByteArray>("expected");
        const QString logs = "Log/Meterwin.log|Log/Meterwin_H.log", full = "full disk";
        const QByteArray bothLost = notWritten({ResultsName, HistoryName});
        const QList<std::tuple<QString, int, QByteArray>> rows = {
            {"Log", StartNew, NoLogs},
            {"Log", Start, Quiet},
            {"Log", CalculateAndSave, Quiet},
            {"Log", Archive, AskedArchiveFailed},
            {logs, Start, ResultsLost},
            {logs, CalculateAndSave, bothLost},
            {logs, ErrorDump, Dumped},
            {logs, Archive, Archived}, // the read-only log gives way, as deleting it would
            {"Data", Start, Quiet},
            {"Data", SaveData, NoConfig},
            {Ini, SaveData, NoConfig},
            {full, StartNew, NoLogs},
            {full, Start, ResultsLost},
            {full, CalculateAndSave, bothLost},
            {full, SaveData, NoConfig},
            {full, Archive, AskedArchiveFailed},
            {full, ErrorDump, Dumped}};
        for (const auto& [condition, command, expected] : rows)
            QTest::addRow("%s: %s", qPrintable(condition), Commands[command].first)
                << condition << command << expected;
    }

    void realCondition() {
        QFETCH(QString, condition);
        QFETCH(int, command);
        QFETCH(QByteArray, expected);
        const bool fullDisk = condition == "full disk", root = geteuid() == 0 && !fullDisk;
        const std::optional<UserIds> nobody = nobodyIds();
        if (root && !nobody)
            QSKIP("Running as root and there is no user nobody to run the command as: "
                  "permission bits cannot be tested here.");
        TemporaryInstallation dir;
        const QString whyNot = fullDisk ? mountSmallDisk(dir.path()) : QString();
        if (!whyNot.isEmpty())
            QSKIP(qPrintable(
                "No small disk can be mounted here (" + whyNot +
                "): a full disk is met only as the writes cut short by the fault table."));
        const auto unmount = [&dir](void*) { // before the directory goes, whatever happens
            QDir::setCurrent(QDir::rootPath());
            umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH);
            QDir::setCurrent(dir.path());
        };
        const std::unique_ptr<void, decltype(unmount)> mounted(fullDisk ? &dir : nullptr, unmount);
        TestProgram t;
        prepare(command, t);
        QVERIFY(!root || ownedBy(*nobody));
        for (const QString& path : condition.split(u'|'))
            QVERIFY(fullDisk || chmod(QFile::encodeName(path).constData(),
                                      QFileInfo(path).isDir() ? 0555 : 0444) == 0);
        QVERIFY(!fullDisk || fillDisk(8)); // every entry is longer than the room left
        const Files before = snapshot();
        if (root)
            qInfo("Running the command as the user nobody (uid %u)", unsigned(nobody->uid));
        const ChildReport child = reportFromChild([&] { return !root || dropToNobody(); },
                                                  [&] { return runCommand(command, t); });
        chmod("Log", 0755), chmod("Data", 0755);
        if (child.status == CannotRestrict)
            QSKIP("Running as root and the child process cannot give up root for the user "
                  "nobody: permission bits cannot be tested here.");
        QCOMPARE(child.status, 0);
        QCOMPARE(child.report, expected);
        QCOMPARE(lostBytes(before, snapshot()), QStringList());
    }
};

MW_REGISTER_TEST(TestFileFaults)
#include "tst_file_faults.moc"
