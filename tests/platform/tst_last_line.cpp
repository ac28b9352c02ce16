// The end-of-file reader gives the last line exactly as reading every line
// would, on generated history logs and around the size of one read.
#include "platform/QtFileSystem.h"
#include "support/TestMain.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// The first read from the end, and the largest one.
constexpr qsizetype FirstRead = 1 << 12;
constexpr qsizetype Chunk = 1 << 20;

QByteArray records(int count, const QByteArray& end) {
    QByteArray text;
    for (int i = 1; i <= count; ++i)
        text += " 01/03/2009,  " + QByteArray::number(10000 + i).rightJustified(5, ' ') + end;
    return text;
}

} // namespace

class TestLastLine : public QObject {
    Q_OBJECT

private slots:
    void sameAsWholeFileReader_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");

        const QByteArray crlf = records(50, "\r\n");
        const QByteArray lf = records(50, "\n");
        QTest::newRow("one line without end") << QByteArray("abc") << QStringLiteral("abc");
        QTest::newRow("CR LF") << crlf << QStringLiteral(" 01/03/2009,  10050");
        QTest::newRow("LF only") << lf << QStringLiteral(" 01/03/2009,  10050");
        QTest::newRow("no final line end") << crlf + "last" << QStringLiteral("last");
        QTest::newRow("last line empty, CR LF") << crlf + "\r\n" << QString();
        QTest::newRow("last line empty, LF") << lf + "\n" << QString();
        QTest::newRow("last line of spaces") << crlf + "   \r\n" << QStringLiteral("   ");
        QTest::newRow("mixed line ends") << QByteArray("a\nb\r\nc\n") << QStringLiteral("c");
        QTest::newRow("lone CR at the end") << QByteArray("a\r\nb\r") << QStringLiteral("b");
        QTest::newRow("Windows-1252 line") << QByteArray("a\r\n\xa3"
                                                         "12.50\r\n")
                                           << QStringLiteral("£12.50");
        // Lines around the size of one read from the end.
        for (const qsizetype size : {FirstRead - 2, FirstRead - 1, FirstRead, FirstRead + 1,
                                     Chunk - 2, Chunk - 1, Chunk, Chunk + 1, 3 * Chunk + 5}) {
            const QByteArray longLine(size, 'x');
            QTest::addRow("last line of %lld bytes, CR LF", static_cast<long long>(size))
                << crlf + longLine + "\r\n"
                << QString::fromLatin1(longLine);
            QTest::addRow("last line of %lld bytes, no end", static_cast<long long>(size))
                << lf + longLine << QString::fromLatin1(longLine);
            QTest::addRow("empty line after %lld bytes", static_cast<long long>(size))
                << longLine + "\r\n\r\n"
                << QString();
        }
        // The line end before the last line on the edge of a read: the reads
        // from the end double from the first size up to the largest, then stay.
        for (const qsizetype edge :
             {FirstRead, 3 * FirstRead, 511 * FirstRead, 511 * FirstRead + Chunk}) {
            const QByteArray before(100, 'y');
            QTest::addRow("CR LF split %lld bytes from the end", static_cast<long long>(edge))
                << before + "\r\n" + QByteArray(edge - 1, 'z') << QString(edge - 1, u'z');
            QTest::addRow("line end %lld bytes from the end", static_cast<long long>(edge))
                << before + "\n" + QByteArray(edge - 2, 'z') + "\n"
                << QString(edge - 2, u'z');
        }
    }

    void sameAsWholeFileReader() {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Meterwin_H.log"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
        file.close();

        QtFileSystem files;
        const QStringList lines = files.readLines(path);
        const QString whole = lines.isEmpty() ? QString() : lines.last();
        QCOMPARE(whole, expected);
        QCOMPARE(files.readLastLine(path), whole);
    }
};

MW_REGISTER_TEST(TestLastLine)
#include "tst_last_line.moc"
