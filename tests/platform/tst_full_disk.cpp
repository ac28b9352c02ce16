// Writes that stop part way, as on a full disk, made real with the file-size
// limit of a child process (which binds root too).
#include "platform/QtFileSystem.h"
#include "support/TestMain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

class TestFullDisk : public QObject {
    Q_OBJECT

private slots:
    void replaceFileKeepsTheOldFile() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Meterwin.ini"));
        const QByteArray old = "[Run]\r\nLogLevel=1\r\n";
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        std::fflush(nullptr);
        const pid_t child = fork();
        if (child == 0) {
            const rlimit limit{64, 64};
            std::signal(SIGXFSZ, SIG_IGN);
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                _exit(3);
            try {
                QtFileSystem().replaceFile(path, QString(400, u'x'));
            } catch (const FileFailure&) {
                _exit(0);
            }
            _exit(1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0); // the failure was reported
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Meterwin.ini"});
    }
};

MW_REGISTER_TEST(TestFullDisk)
#include "tst_full_disk.moc"
