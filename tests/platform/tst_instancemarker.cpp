#include "platform/ConfigurationPermission.h"
#include "platform/InstanceMarker.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A name of its own for each test, so that no real instance is disturbed.
QString uniqueName(const char* what) {
    return QStringLiteral("MeterwinTest-%1-%2").arg(what).arg(QCoreApplication::applicationPid());
}

constexpr int CannotDropPrivileges = 77;

// Root writes through permission bits: the answer is asked in a child
// process that has given up root for the user nobody.
int askAsNobody(const QString& file) {
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
        _exit(WritableConfiguration(file).mayReplaceConfiguration() ? 1 : 0);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return CannotDropPrivileges;
    return WEXITSTATUS(status);
}

} // namespace

class TestInstanceMarker : public QObject {
    Q_OBJECT

private slots:
    // The first instance takes the mark and keeps it; asking again from the
    // same process does not count it as another instance.
    void firstInstanceHoldsTheMark() {
        const QString name = uniqueName("first");
        QVERIFY(!PreviousInstanceRunning(name));
        QVERIFY(QFile::exists(InstanceMarkerPath(name)));
        QVERIFY(!PreviousInstanceRunning(name));

        QLockFile other(InstanceMarkerPath(name));
        QVERIFY(!other.tryLock(0));
    }

    // Held by someone else (here another lock of the same file), the mark
    // says that a previous instance runs, and this process takes nothing.
    void markHeldElsewhere() {
        const QString name = uniqueName("elsewhere");
        QLockFile first(InstanceMarkerPath(name));
        QVERIFY(first.tryLock(0));
        QVERIFY(PreviousInstanceRunning(name));
        first.unlock();
        QVERIFY(!QFile::exists(InstanceMarkerPath(name)));
        // Once the first instance has gone, the next start takes the mark.
        QVERIFY(!PreviousInstanceRunning(name));
        QVERIFY(QFile::exists(InstanceMarkerPath(name)));
    }

    void markLivesInTheTemporaryDirectory() {
        QCOMPARE(InstanceMarkerPath(QStringLiteral("Meterwin")),
                 QDir(QDir::tempPath()).filePath(QStringLiteral("Meterwin.lock")));
    }
};

class TestConfigurationPermission : public QObject {
    Q_OBJECT

private slots:
    void asTheOwner_data() {
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<bool>("answer");
        QTest::newRow("file present") << true << true;
        QTest::newRow("file missing") << false << false;
    }

    void asTheOwner() {
        QFETCH(bool, withFile);
        QFETCH(bool, answer);
        QTemporaryDir installation;
        QVERIFY(QDir(installation.path()).mkdir(QStringLiteral("Data")));
        const QString file = installation.filePath(QStringLiteral("Data/Meterwin.ini"));
        if (withFile) {
            QFile ini(file);
            QVERIFY(ini.open(QIODevice::WriteOnly));
        }
        QCOMPARE(WritableConfiguration(file).mayReplaceConfiguration(), answer);
    }

    void asAnotherUser_data() {
        QTest::addColumn<QFile::Permissions>("directory");
        QTest::addColumn<QFile::Permissions>("file");
        QTest::addColumn<int>("answer");
        const QFile::Permissions everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadOther | QFile::ExeOther;
        QTest::newRow("both writable") << everyone << everyone << 1;
        QTest::newRow("file read-only") << everyone << readOnly << 0;
        // The file is replaced through a new file beside it.
        QTest::newRow("directory read-only") << readOnly << everyone << 0;
    }

    void asAnotherUser() {
        QFETCH(QFile::Permissions, directory);
        QFETCH(QFile::Permissions, file);
        QFETCH(int, answer);
        QTemporaryDir installation;
        const QString data = installation.filePath(QStringLiteral("Data"));
        const QString ini = installation.filePath(QStringLiteral("Data/Meterwin.ini"));
        QVERIFY(QDir().mkdir(data));
        QFile created(ini);
        QVERIFY(created.open(QIODevice::WriteOnly));
        created.close();
        QVERIFY(QFile::setPermissions(installation.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                               QFile::ExeOwner | QFile::ReadOther |
                                                               QFile::ExeOther));
        QVERIFY(QFile::setPermissions(data, directory));
        QVERIFY(QFile::setPermissions(ini, file));

        const int asked = askAsNobody(ini);
        if (asked == CannotDropPrivileges)
            QSKIP("cannot become the user nobody to test without write permission");
        QCOMPARE(asked, answer);
    }
};

MW_REGISTER_TEST(TestInstanceMarker)
MW_REGISTER_TEST(TestConfigurationPermission)
#include "tst_instancemarker.moc"
