// The faults of the machine itself rather than of a double: directories and
// files the user may not write, run as an unprivileged user since root
// writes through permission bits, and a disk that is full.
#include "reliability/Commands.h"
#include "reliability/FullDisk.h"
#include "reliability/Installation.h"
#include "support/Restrictions.h"
#include "support/TestMain.h"

#include <QDirIterator>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Condition {
    ReadOnlyLogDirectory,
    ReadOnlyLogFiles,
    ReadOnlyDataDirectory,
    ReadOnlyConfiguration,
};

const QStringList BothLogs = {QStringLiteral("Meterwin.log"), QStringLiteral("Meterwin_H.log")};

bool makeReadOnly(Condition condition) {
    switch (condition) {
    case Condition::ReadOnlyLogDirectory:
        return chmod("Log", 0555) == 0;
    case Condition::ReadOnlyLogFiles:
        return chmod("Log/Meterwin.log", 0444) == 0 && chmod("Log/Meterwin_H.log", 0444) == 0;
    case Condition::ReadOnlyDataDirectory:
        return chmod("Data", 0555) == 0;
    case Condition::ReadOnlyConfiguration:
        return chmod("Data/Meterwin.ini", 0444) == 0;
    }
    return false;
}

// The installation becomes the user's own, as if unpacked by that user.
bool ownedBy(const UserIds& user) {
    if (chown(".", user.uid, user.gid) != 0)
        return false;
    QDirIterator entries(QStringLiteral("."),
                         QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDirIterator::Subdirectories);
    while (entries.hasNext())
        if (lchown(QFile::encodeName(entries.next()).constData(), user.uid, user.gid) != 0)
            return false;
    return true;
}

} // namespace

Q_DECLARE_METATYPE(Condition)

class TestRealConditions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        usedInstallation(); // made before any directory is restricted
    }

    void readOnly_data() {
        QTest::addColumn<Condition>("condition");
        QTest::addColumn<Command>("command");
        QTest::addColumn<Outcome>("expected");

        const auto row = [](const char* condition, Condition c, Command command, Outcome outcome) {
            QTest::newRow(qPrintable(QString::fromLatin1(condition) + QStringLiteral(": ") +
                                     commandName(command)))
                << c << command << outcome;
        };
        const char* logDirectory = "read-only Log";
        row(logDirectory, Condition::ReadOnlyLogDirectory, Command::StartNew, logsNotCreated());
        row(logDirectory, Condition::ReadOnlyLogDirectory, Command::Start, quiet());
        row(logDirectory, Condition::ReadOnlyLogDirectory, Command::CalculateAndSave, quiet());
        row(logDirectory, Condition::ReadOnlyLogDirectory, Command::Archive, archiveFailed(true));
        const char* logFiles = "read-only logs";
        row(logFiles, Condition::ReadOnlyLogFiles, Command::Start,
            notWritten({QStringLiteral("Meterwin.log")}));
        row(logFiles, Condition::ReadOnlyLogFiles, Command::CalculateAndSave, notWritten(BothLogs));
        row(logFiles, Condition::ReadOnlyLogFiles, Command::Save, notWritten(BothLogs));
        row(logFiles, Condition::ReadOnlyLogFiles, Command::GetLast, quiet());
        row(logFiles, Condition::ReadOnlyLogFiles, Command::ErrorDump,
            fatalError(QStringLiteral("Calculation Error"), 105));
        // The read-only results log gives way to the new one, as deleting it would.
        row(logFiles, Condition::ReadOnlyLogFiles, Command::Archive, archived());
        const char* dataDirectory = "read-only Data";
        row(dataDirectory, Condition::ReadOnlyDataDirectory, Command::SaveData,
            configurationNotWritten());
        row(dataDirectory, Condition::ReadOnlyDataDirectory, Command::Start, quiet());
        row(dataDirectory, Condition::ReadOnlyDataDirectory, Command::ResetData, quiet());
        const char* configuration = "read-only Meterwin.ini";
        row(configuration, Condition::ReadOnlyConfiguration, Command::SaveData,
            configurationNotWritten());
        row(configuration, Condition::ReadOnlyConfiguration, Command::ResetData, quiet());
    }

    void readOnly() {
        QFETCH(Condition, condition);
        QFETCH(Command, command);
        QFETCH(Outcome, expected);
        const bool root = geteuid() == 0;
        const std::optional<UserIds> nobody = nobodyIds();
        if (root && !nobody)
            QSKIP("Running as root and there is no user nobody to run the command as: "
                  "permission bits cannot be tested here.");

        TemporaryInstallation dir;
        install(startsWithoutLogs(command) ? newInstallation() : usedInstallation());
        TestProgram t;
        prepare(command, t);
        if (root)
            QVERIFY(ownedBy(*nobody));
        QVERIFY(makeReadOnly(condition));
        const Files before = snapshot();

        if (root)
            qInfo("Running the command as the user nobody (uid %u)", unsigned(nobody->uid));
        const ChildReport child = reportFromChild([&] { return !root || dropToNobody(); },
                                                  [&] { return describe(runCommand(command, t)); });
        chmod("Log", 0755);
        chmod("Data", 0755);
        if (child.status == CannotRestrict)
            QSKIP("Running as root and the child process cannot give up root for the user "
                  "nobody: permission bits cannot be tested here.");
        QCOMPARE(child.status, 0);
        QCOMPARE(child.report, describe(expected));
        QCOMPARE(lostBytes(before, snapshot()), QStringList());
    }

    void fullDisk_data() {
        QTest::addColumn<Command>("command");
        QTest::addColumn<Outcome>("expected");
        const auto row = [](Command command, Outcome outcome) {
            QTest::newRow(qPrintable(QStringLiteral("full disk: ") + commandName(command)))
                << command << outcome;
        };
        row(Command::StartNew, logsNotCreated());
        row(Command::Start, notWritten({QStringLiteral("Meterwin.log")}));
        row(Command::CalculateAndSave, notWritten(BothLogs));
        row(Command::Save, notWritten(BothLogs));
        row(Command::GetLast, quiet());
        row(Command::ResetData, quiet());
        row(Command::SaveData, configurationNotWritten());
        row(Command::Archive, archiveFailed(true));
        row(Command::ErrorDump, fatalError(QStringLiteral("Calculation Error"), 105));
    }

    void fullDisk() {
        QFETCH(Command, command);
        QFETCH(Outcome, expected);
        const Files& installation =
            startsWithoutLogs(command) ? newInstallation() : usedInstallation();
        TemporaryInstallation dir;
        SmallDisk disk(dir.path(), 1 << 20);
        if (!disk.mounted())
            QSKIP(qPrintable(QStringLiteral("No small disk can be mounted here (") + disk.whyNot() +
                             QStringLiteral("): a full disk is met only as the writes cut short "
                                            "by the fault table.")));
        install(installation);
        TestProgram t;
        prepare(command, t);
        // Every entry is longer than the room left: each write is cut short.
        QVERIFY(leaveRoomInLastBlock(8));
        QVERIFY(disk.fill());
        const Files before = snapshot();

        const Outcome outcome = runCommand(command, t);

        QCOMPARE(describe(outcome), describe(expected));
        QCOMPARE(lostBytes(before, snapshot()), QStringList());
    }
};

MW_REGISTER_TEST(TestRealConditions)
#include "tst_real_conditions.moc"
