// Every file operation of every command fails in turn, through the file
// system double: the user is told what the program's messages say, the
// program ends only where it must, and no byte already in the logs or the
// configuration file is lost.
#include "reliability/Commands.h"
#include "reliability/Installation.h"
#include "support/TestMain.h"

#include <QTest>

namespace {

using Operation = FaultyFileSystem::Operation;
using Fault = FaultyFileSystem::Fault;

const QString DataDir = QStringLiteral("Data");
const QString Ini = QStringLiteral("Data/Meterwin.ini");
const QString LogDir = QStringLiteral("Log");
const QString Results = QStringLiteral("Log/Meterwin.log");
const QString History = QStringLiteral("Log/Meterwin_H.log");
const QString ResultsName = QStringLiteral("Meterwin.log");
const QString HistoryName = QStringLiteral("Meterwin_H.log");

// One file operation of a command and what the user sees when it fails.
struct Step {
    Operation operation;
    QString path;
    Outcome outcome;
};

QList<Step> startSteps(bool newLogs) {
    const Outcome loading = fatalError(QStringLiteral("Loading Error"), 151);
    const Outcome config = fatalError(QStringLiteral("Config Read Error"), 161);
    const Outcome startEntry = notWritten({ResultsName});
    const Outcome getLast = fatalError(QStringLiteral("Log File Read Error"), 141);
    QList<Step> steps = {{Operation::Exists, DataDir, loading},
                         {Operation::Exists, Ini, config},
                         {Operation::ReadLines, Ini, config},
                         {Operation::Exists, LogDir, logsNotCreated()},
                         {Operation::Exists, Results, logsNotCreated()}};
    if (newLogs)
        steps << Step{Operation::CreateFile, Results, logsNotCreated()};
    steps << Step{Operation::Exists, History, logsNotCreated()};
    if (newLogs)
        steps << Step{Operation::CreateFile, History, logsNotCreated()};
    return steps << QList<Step>{{Operation::Exists, LogDir, startEntry},
                                {Operation::Exists, Results, startEntry},
                                {Operation::AppendLine, Results, startEntry},
                                {Operation::Exists, LogDir, getLast},
                                {Operation::Exists, History, getLast},
                                {Operation::ReadLastLine, History, getLast}};
}

// AppendResultsLog and AppendHistoryLog: each failure costs its own entry only.
QList<Step> saveSteps() {
    const Outcome results = notWritten({ResultsName});
    const Outcome history = notWritten({HistoryName});
    return {{Operation::Exists, LogDir, results},      {Operation::Exists, Results, results},
            {Operation::AppendLine, Results, results}, {Operation::Exists, LogDir, history},
            {Operation::Exists, History, history},     {Operation::AppendLine, History, history}};
}

// Each command's file operations in the order it makes them.
QList<Step> stepsOf(Command command) {
    const Outcome getLast = fatalError(QStringLiteral("Log File Read Error"), 141);
    const Outcome config = fatalError(QStringLiteral("Config Read Error"), 161);
    // BuildHistoryEntry: the entry is not composed, so it is not written either.
    const Outcome count = notWritten({HistoryName});
    const QString newLog = QStringLiteral("Log/Meterwin.log.new");
    switch (command) {
    case Command::StartNew:
        return startSteps(true);
    case Command::Start:
        return startSteps(false);
    case Command::CalculateAndSave:
        return QList<Step>{{Operation::Exists, LogDir, count},
                           {Operation::Exists, History, count},
                           {Operation::CountLines, History, count}} +
               saveSteps();
    case Command::Save:
        return saveSteps();
    case Command::GetLast:
        return {{Operation::Exists, LogDir, getLast},
                {Operation::Exists, History, getLast},
                {Operation::ReadLastLine, History, getLast}};
    case Command::SaveData:
        return {{Operation::Exists, DataDir, fatalError(QStringLiteral("Save Config Error"), 202)},
                {Operation::ReplaceFile, Ini, configurationNotWritten()}};
    case Command::ResetData:
        return {{Operation::Exists, Ini, config}, {Operation::ReadLines, Ini, config}};
    case Command::Archive:
        return {
            {Operation::Exists, LogDir, archiveFailed(false)},
            {Operation::Exists, Results, archiveFailed(false)},
            {Operation::ReadLines, Results, archiveFailed(false)},
            {Operation::Exists, QStringLiteral("Log/Meterwin_090301_1.log"), archiveFailed(true)},
            {Operation::CopyFile, Results, archiveFailed(true)},
            {Operation::ReplaceFile, newLog, archiveFailed(true)},
            {Operation::RenameFile, newLog, archiveFailed(true)}};
    case Command::ErrorDump:
        return {
            {Operation::AppendLine, Results, fatalError(QStringLiteral("Calculation Error"), 105)}};
    case Command::ViewResults:
        return {{Operation::Exists, LogDir, viewerFailed(ResultsName)},
                {Operation::Exists, Results, viewerFailed(ResultsName)}};
    case Command::ViewHistory:
        return {{Operation::Exists, LogDir, viewerFailed(HistoryName)},
                {Operation::Exists, History, viewerFailed(HistoryName)}};
    }
    return {};
}

const QList<Command> Commands = {
    Command::StartNew,  Command::Start,       Command::CalculateAndSave, Command::Save,
    Command::GetLast,   Command::SaveData,    Command::ResetData,        Command::Archive,
    Command::ErrorDump, Command::ViewResults, Command::ViewHistory};

QString operationName(Operation operation) {
    switch (operation) {
    case Operation::Exists:
        return QStringLiteral("exists");
    case Operation::ReadLines:
        return QStringLiteral("read lines");
    case Operation::CountLines:
        return QStringLiteral("count lines");
    case Operation::ReadLastLine:
        return QStringLiteral("read last line");
    case Operation::CreateEmpty:
        return QStringLiteral("create empty");
    case Operation::CreateFile:
        return QStringLiteral("create");
    case Operation::AppendLine:
        return QStringLiteral("append");
    case Operation::ReplaceFile:
        return QStringLiteral("replace");
    case Operation::CopyFile:
        return QStringLiteral("copy");
    case Operation::DeleteFile:
        return QStringLiteral("delete");
    case Operation::RenameFile:
        return QStringLiteral("rename");
    }
    return QString();
}

bool writes(Operation operation) {
    return operation == Operation::CreateFile || operation == Operation::AppendLine ||
           operation == Operation::ReplaceFile || operation == Operation::CopyFile;
}

QString describeCall(Operation operation, const QString& path) {
    return operationName(operation) + u' ' + path;
}

// Which call of its kind, on its path, the step is: the double counts alike.
int nthCall(const QList<Step>& steps, qsizetype index) {
    int nth = 0;
    for (qsizetype i = 0; i <= index; ++i)
        if (steps[i].operation == steps[index].operation && steps[i].path == steps[index].path)
            ++nth;
    return nth;
}

QStringList callsSince(const FaultyFileSystem& files, qsizetype start, qsizetype count = -1) {
    QStringList calls;
    const QList<FaultyFileSystem::Call>& journal = files.journal();
    const qsizetype end = count < 0 ? journal.size() : std::min(journal.size(), start + count);
    for (qsizetype i = start; i < end; ++i)
        calls << describeCall(journal[i].operation, journal[i].path);
    return calls;
}

QStringList listedCalls(const QList<Step>& steps, qsizetype count) {
    QStringList calls;
    for (qsizetype i = 0; i < count && i < steps.size(); ++i)
        calls << describeCall(steps[i].operation, steps[i].path);
    return calls;
}

// A program in a fresh installation, ready for the command.
struct Prepared {
    explicit Prepared(Command command) {
        install(startsWithoutLogs(command) ? newInstallation() : usedInstallation());
        prepare(command, t);
    }
    TemporaryInstallation dir;
    TestProgram t;
};

// A command run in a fresh installation with one fault.
struct FaultRun {
    Outcome outcome;
    QStringList calls; // up to the failing one
    Files before;
    Files after;
};

FaultRun runWithFault(Command command, int step, Fault fault) {
    const QList<Step> steps = stepsOf(command);
    Prepared p(command);
    FaultRun run;
    run.before = snapshot();
    const qsizetype start = p.t.files.journal().size();
    p.t.files.failOn(steps[step].operation, nthCall(steps, step), steps[step].path, fault);
    run.outcome = runCommand(command, p.t);
    run.calls = callsSince(p.t.files, start, step + 1);
    run.after = snapshot();
    return run;
}

} // namespace

class TestFaultTable : public QObject {
    Q_OBJECT

private slots:
    // The table follows the code: each command makes exactly the listed calls.
    void commandMakesTheListedCalls_data() {
        QTest::addColumn<Command>("command");
        for (Command command : Commands)
            QTest::newRow(qPrintable(commandName(command))) << command;
    }

    void commandMakesTheListedCalls() {
        QFETCH(Command, command);
        Prepared p(command);
        const Files before = snapshot();
        const qsizetype start = p.t.files.journal().size();
        const Outcome outcome = runCommand(command, p.t);
        const QList<Step> steps = stepsOf(command);
        QCOMPARE(callsSince(p.t.files, start), listedCalls(steps, steps.size()));
        QCOMPARE(describe(outcome),
                 describe(command == Command::Archive ? archived()
                          : command == Command::ErrorDump
                              ? fatalError(QStringLiteral("Calculation Error"), 105)
                              : quiet()));
        // Save Data is meant to replace the configuration file.
        Files kept = before;
        if (command == Command::SaveData)
            kept.remove(Ini);
        QCOMPARE(lostBytes(kept, snapshot()), QStringList());
    }

    void faultSurvived_data() {
        QTest::addColumn<Command>("command");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("writesPart");
        int cases = 0;
        QStringList pairs;
        for (Command command : Commands) {
            const QList<Step> steps = stepsOf(command);
            QStringList operations;
            for (qsizetype i = 0; i < steps.size(); ++i) {
                const Step& step = steps[i];
                const QString name = commandName(command) + QStringLiteral(": ") +
                                     describeCall(step.operation, step.path) +
                                     QStringLiteral(" #%1").arg(nthCall(steps, i));
                QTest::newRow(qPrintable(name + QStringLiteral(" fails")))
                    << command << int(i) << false;
                ++cases;
                if (!operations.contains(operationName(step.operation)))
                    operations << operationName(step.operation);
                if (!writes(step.operation))
                    continue;
                QTest::newRow(qPrintable(name + QStringLiteral(" writes part")))
                    << command << int(i) << true;
                ++cases;
                const QString part = operationName(step.operation) + QStringLiteral(" (part)");
                if (!operations.contains(part))
                    operations << part;
            }
            pairs << commandName(command) + QStringLiteral(": ") + operations.join(u',');
        }
        qInfo("Covered commands and failing operations:\n  %s\n%d fault cases",
              qPrintable(pairs.join(QStringLiteral("\n  "))), cases);
    }

    void faultSurvived() {
        QFETCH(Command, command);
        QFETCH(int, step);
        QFETCH(bool, writesPart);
        const QList<Step> steps = stepsOf(command);
        const Step& failing = steps[step];
        const FaultRun run =
            runWithFault(command, step, writesPart ? Fault::WritesPart : Fault::Fails);

        QCOMPARE(describe(run.outcome), describe(failing.outcome));
        // The fault hit the listed call.
        QCOMPARE(run.calls, listedCalls(steps, step + 1));
        QCOMPARE(lostBytes(run.before, run.after), QStringList());
        // A write that failed part way leaves the files as one that failed
        // before writing anything.
        if (writesPart)
            QCOMPARE(run.after, runWithFault(command, step, Fault::Fails).after);
    }

    // The archive deletes only to tidy up after a failed renaming. When that
    // fails too, the new log stays beside the intact results log, and the
    // next archive writes it anew.
    void archiveCannotTidyUp() {
        qInfo("Covered besides: Archive: delete, after a failed rename");
        Prepared p(Command::Archive);
        const Files before = snapshot();
        p.t.files.failOn(Operation::RenameFile);
        p.t.files.failOn(Operation::DeleteFile);
        QCOMPARE(describe(runCommand(Command::Archive, p.t)), describe(archiveFailed(true)));
        const Files after = snapshot();
        QCOMPARE(after.value(Results), before.value(Results));
        QCOMPARE(lostBytes(before, after),
                 QStringList{QStringLiteral("Log/Meterwin.log.new was left behind")});

        p.t.files.heal();
        QCOMPARE(describe(runCommand(Command::Archive, p.t)), describe(archived()));
        const Files archived = snapshot();
        QCOMPARE(lostBytes(before, archived), QStringList());
        QCOMPARE(archived.value(QStringLiteral("Log/Meterwin_090301_2.log")),
                 before.value(Results));
    }
};

MW_REGISTER_TEST(TestFaultTable)
#include "tst_fault_table.moc"
