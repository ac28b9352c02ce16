#include "platform/QtFileSystem.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestQtFileSystem : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

private slots:
    // The three readers agree on what the lines of a file are.
    void lines_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QByteArray() << QStringList{};
        QTest::newRow("no final line end") << QByteArray("a") << QStringList{"a"};
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("last line empty") << QByteArray("a\r\n\r\n") << QStringList{"a", ""};
        QTest::newRow("line end only") << QByteArray("\r\n") << QStringList{""};
        QTest::newRow("LF only") << QByteArray("a\nb") << QStringList{"a", "b"};
        QTest::newRow("UTF-8") << QByteArray("\xc2\xa3"
                                             "12.50\r\n")
                               << QStringList{"£12.50"};
        QTest::newRow("Windows-1252 line") << QByteArray("ok \xc2\xa3\r\n\xa3"
                                                         "5 \x80\r\n")
                                           << QStringList{"ok £", "£5 €"};
    }
    void lines() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, lines);
        const QString file = path("lines.log");
        writeBytes(file, content);
        // Read limits of a byte or two put every line end on a join between reads.
        for (const qint64 readLimit : {0, 1, 2, 3}) {
            QtFileSystem files(readLimit);
            QCOMPARE(files.readLines(file), lines);
            QCOMPARE(files.countLines(file), qint64(lines.size()));
            QCOMPARE(files.readLastLine(file), lines.isEmpty() ? QString() : lines.last());
        }
    }

    void lastLineAcrossReadChunks() {
        QtFileSystem files;
        const QString file = path("long.log");
        const QByteArray longLine(3 * 1024 * 1024 + 17, 'x');
        writeBytes(file, "first\r\n" + longLine + "\r\n");
        QCOMPARE(files.readLastLine(file), QString::fromLatin1(longLine));
        writeBytes(file, "first\r\n" + longLine + "\r\nlast");
        QCOMPARE(files.readLastLine(file), QStringLiteral("last"));
        QCOMPARE(files.countLines(file), qint64(3));
    }

    void appendWritesTextAndLineEnd() {
        QtFileSystem files;
        const QString file = path("append.log");
        files.createEmpty(file);
        files.appendLine(file, QStringLiteral("one £"));
        files.appendLine(file, QStringLiteral("two\r\nlines"));
        QCOMPARE(bytesOf(file), QByteArray("one \xc2\xa3\r\ntwo\r\nlines\r\n"));
    }

    void appendNeedsAnExistingFile() {
        QtFileSystem files;
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.appendLine(path("none.log"), QString()));
        QVERIFY(!files.fileExists(path("none.log")));
    }

    void createEmptyReplacesContent() {
        QtFileSystem files;
        const QString file = path("created.log");
        writeBytes(file, "old");
        files.createEmpty(file);
        QCOMPARE(bytesOf(file), QByteArray());
    }

    void replaceFileKeepsTheOldOneOnFailure() {
        QtFileSystem files;
        const QTemporaryDir own;
        const QString file = own.filePath(QStringLiteral("tariff.ini"));
        writeBytes(file, "old\r\n");
        files.replaceFile(file, QStringLiteral("new\r\n"));
        QCOMPARE(bytesOf(file), QByteArray("new\r\n"));
        QVERIFY_THROWS_EXCEPTION(
            FileFailure,
            files.replaceFile(own.filePath(QStringLiteral("no/tariff.ini")), QStringLiteral("x")));
        // No temporary file is left behind.
        QCOMPARE(QDir(own.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("tariff.ini")});
    }

    void copyAndDelete() {
        QtFileSystem files;
        const QString from = path("from.log");
        const QString to = path("to.log");
        writeBytes(from, "data");
        files.copyFile(from, to);
        QCOMPARE(bytesOf(to), QByteArray("data"));
        // An existing target is never overwritten.
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.copyFile(from, to));
        QFile::setPermissions(to, QFileDevice::ReadOwner);
        files.deleteFile(to);
        QVERIFY(!files.fileExists(to));
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.deleteFile(to));
    }

    // A file is created once, whole; an existing one is left as it is.
    void createFileNeverReplaces() {
        QtFileSystem files;
        const QTemporaryDir own;
        const QString file = own.filePath(QStringLiteral("Meterwin.log"));
        QVERIFY(files.createFile(file, QStringLiteral("header \u00a3\r\n")));
        QCOMPARE(bytesOf(file), QByteArray("header \xc2\xa3\r\n"));
        files.appendLine(file, QStringLiteral("entry"));
        QVERIFY(!files.createFile(file, QStringLiteral("another header\r\n")));
        QCOMPARE(bytesOf(file), QByteArray("header \xc2\xa3\r\nentry\r\n"));
        // No temporary file is left behind, and the log is not the owner's alone.
        QCOMPARE(QDir(own.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Meterwin.log")});
        QVERIFY(QFile::permissions(file).testFlag(QFileDevice::ReadOther));
        QVERIFY_THROWS_EXCEPTION(
            FileFailure, files.createFile(own.filePath(QStringLiteral("no/Meterwin.log")), "x"));
    }

    // Renaming replaces the target in one step, also a read-only one.
    void renameReplaces() {
        QtFileSystem files;
        const QString from = path("Meterwin.log.new");
        const QString to = path("Meterwin.log");
        writeBytes(from, "new");
        writeBytes(to, "old");
        QFile::setPermissions(to, QFileDevice::ReadOwner);
        files.renameFile(from, to);
        QCOMPARE(bytesOf(to), QByteArray("new"));
        QVERIFY(!files.fileExists(from));
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.renameFile(from, to));
        QCOMPARE(bytesOf(to), QByteArray("new"));
        files.deleteFile(to);
    }

    void existence() {
        QtFileSystem files;
        QVERIFY(files.directoryExists(dir.path()));
        QVERIFY(!files.fileExists(dir.path()));
        QVERIFY(!files.directoryExists(path("missing")));
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.readLines(path("missing")));
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.countLines(path("missing")));
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.readLastLine(path("missing")));
    }
};

MW_REGISTER_TEST(TestQtFileSystem)
#include "tst_qtfilesystem.moc"
