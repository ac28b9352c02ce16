// Writes that stop part way, as on a full disk, made real with the file-size
// limit of a child process (which binds root too).
#include "platform/QtFileSystem.h"
#include "support/Restrictions.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Runs `write` in a child whose files may not grow beyond `limit` bytes; 0
// when it reported the failure, 1 when it did not notice.
template <typename Write> int writeWithLimit(qint64 limit, Write&& write) {
    return runInChild([&] { return limitFileSize(limit); },
                      [&] {
                          try {
                              write(QtFileSystem());
                          } catch (const FileFailure&) {
                              return 0;
                          }
                          return 1;
                      });
}

} // namespace

class TestFullDisk : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path_;

    void writeOld(const QByteArray& old) {
        QFile file(path_);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(old), old.size());
    }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("Meterwin.log"));
    }

    void cleanup() {
        for (const QString& name : QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(dir_.filePath(name));
    }

    void replaceFileKeepsTheOldFile() {
        const QByteArray old = "[Run]\r\nLogLevel=1\r\n";
        writeOld(old);
        QCOMPARE(writeWithLimit(
                     64, [&](QtFileSystem files) { files.replaceFile(path_, QString(400, u'x')); }),
                 0);
        QCOMPARE(contentOf(path_), old);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Meterwin.log"});
    }

    // The first bytes of the entry reach the file before the disk is full:
    // they are taken back, and the log still ends in whole lines.
    void appendLineTakesBackAPartWrite_data() {
        QTest::addColumn<int>("room");
        QTest::newRow("room for nothing") << 0;
        QTest::newRow("room for one byte") << 1;
        QTest::newRow("room for half the entry") << 200;
        QTest::newRow("room for all but the line end") << 400;
        QTest::newRow("room for all but its last byte") << 401;
    }

    void appendLineTakesBackAPartWrite() {
        QFETCH(int, room);
        const QByteArray old = "Meterwin Started\r\nVersion 2.0\r\n\r\n";
        writeOld(old);
        QCOMPARE(writeWithLimit(
                     old.size() + room,
                     [&](QtFileSystem files) { files.appendLine(path_, QString(400, u'x')); }),
                 0);
        QCOMPARE(contentOf(path_), old);
    }

    void appendLineThatFitsIsWhole() {
        const QByteArray old = "Meterwin Started\r\n";
        writeOld(old);
        QCOMPARE(writeWithLimit(
                     old.size() + 402,
                     [&](QtFileSystem files) { files.appendLine(path_, QString(400, u'x')); }),
                 1);
        QCOMPARE(contentOf(path_), old + QByteArray(400, 'x') + "\r\n");
    }
};

MW_REGISTER_TEST(TestFullDisk)
#include "tst_full_disk.moc"
