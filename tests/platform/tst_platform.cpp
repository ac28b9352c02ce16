#include "platform/ConfigurationPermission.h"
#include "platform/InstallationDirectory.h"
#include "platform/InstanceMarker.h"
#include "platform/QtFileSystem.h"
#include "platform/RegionalForms.h"
#include "platform/RunTimeFailure.h"
#include "support/Restrictions.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <unistd.h>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Runs `write` in a child whose files may not grow beyond `limit` bytes, as
// on a full disk; 0 when it reported the failure, 1 when it did not notice.
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

// The first read from the end, and the largest one.
constexpr qsizetype FirstRead = 1 << 12;
constexpr qsizetype Chunk = 1 << 20;

template <typename... T> void row(const char* name, T... values) {
    (QTest::newRow(name) << ... << values);
}

void row(const char* name, const QByteArray& content, const QStringList& lines) {
    QTest::newRow(name) << content << lines;
}

// Packed rows "a|b|c;d|e|f": one table row each.
QList<QStringList> packed(const char* rows) {
    QList<QStringList> parts;
    for (const QString& text : QString::fromUtf8(rows).split(u';'))
        parts << text.split(u'|');
    return parts;
}

} // namespace

// Regional forms of values and dates, files, the instance marker.
class TestPlatform : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QStringList filesLeft() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

private slots:
    // locale|text|what the leading-number reader takes|what the strict
    // regional reader takes (x: not numeric, a run-time failure).
    void numbers_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("leading");
        QTest::addColumn<double>("regional");
        for (const QStringList& r :
             packed("en_GB||0|x;en_GB|0.12000|0.12|0.12;en_GB| 1 2.5|12.5|x;en_GB|0.12abc|0.12|x;"
                    "en_GB|£23.68|0|23.68;en_GB|-£12.50|0|-12.5;en_GB|$5|0|x;en_GB|- 5|-5|-5;"
                    "en_GB|.5|0.5|0.5;en_GB|1,234.5|1|1234.5;en_GB|1.5E+16|1.5e16|1.5e16;"
                    "en_GB|2D2|200|x;en_GB|3e+x|3|x;en_GB|1e400|inf|x;en_GB|inf|0|x;"
                    "en_GB|&hff|255|x;en_GB|&O17|15|x;en_GB|&HFFFF|-1|x;en_GB|&H10000|65536|x;"
                    "en_GB|&HFFFFFFFF|-1|x;en_GB|&H123456789|305419896|x;de_DE|0,12|0.12|0.12;"
                    "de_DE|1.234,5|1.234|1234.5;de_DE|82.082.000|82.082|x;de_DE|12.50 €|12.5|12.5;"
                    "de_DE|-12.50\u00A0€|-12.5|-12.5;de_CH|CHF 12.50|0|12.5;sv_SE|12,5|12.5|12.5"))
            QTest::addRow("%s %s", qPrintable(r[0]), qPrintable(r[1]))
                << r[0] << r[1] << r[2].toDouble()
                << (r[3] == u"x" ? std::nan("") : r[3].toDouble());
    }
    void numbers() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, leading);
        QFETCH(double, regional);
        const RegionalForms forms{QLocale(locale)};
        QCOMPARE(forms.leadingNumber(text), leading);
        QCOMPARE(forms.isNumeric(text), !std::isnan(regional));
        if (!std::isnan(regional))
            QCOMPARE(forms.regionalNumber(text), regional);
        else
            QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.regionalNumber(text));
    }

    // Fixed places round on the written figure, half away from zero; the
    // general form (places -1) switches to an exponent at its thresholds.
    void writtenNumbers_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("places");
        QTest::addColumn<QString>("text");
        row("general fraction", 23.675 / 90, -1, "0.263055555555556");
        row("general short", 23.5 * 1.05 - 1, -1, "23.675");
        row("general binary noise", 0.1 + 0.2, -1, "0.3");
        for (const QStringList& r :
             packed("2.675|2|2.68;1.005|2|1.01;0.125|2|0.13;99.995|2|100.00;-2.5|0|-3;"
                    "-0.001|2|0.00;0.0000005|6|0.000001;1e20|2|100000000000000000000.00;"
                    "-0|-1|0;999999999999999|-1|999999999999999;1e15|-1|1E+15;"
                    "14111111113353400|-1|1.41111111133534E+16;0.0001|-1|0.0001;"
                    "0.00001|-1|1E-05;-0.000012|-1|-1.2E-05"))
            QTest::addRow("%s to %s", qPrintable(r[0]), qPrintable(r[2]))
                << r[0].toDouble() << r[1].toInt() << r[2];
    }
    void writtenNumbers() {
        QFETCH(double, value);
        QFETCH(int, places);
        QFETCH(QString, text);
        for (const char* name : {"en_GB", "de_DE", "sv_SE"}) {
            const RegionalForms forms{QLocale(QString::fromLatin1(name))};
            QCOMPARE(places < 0 ? forms.generalNumber(value) : forms.patternNumber(value, places),
                     text);
        }
    }

    // The largest doubles are written and read back without overflowing.
    void largestValues() {
        const double largest = std::numeric_limits<double>::max();
        for (const char* name : {"en_GB", "de_CH"}) {
            const RegionalForms forms{QLocale(QString::fromLatin1(name))};
            for (const double value : {largest, -largest}) {
                const QString general = forms.generalNumber(value);
                QCOMPARE(general, value > 0 ? "1.79769313486231E+308" : "-1.79769313486231E+308");
                const double back = forms.regionalNumber(general);
                QVERIFY(std::isfinite(back) && std::fabs(back - value) <= 1e-14 * largest);
                QCOMPARE(forms.leadingNumber(forms.patternNumber(value, 2)), back);
                QCOMPARE(forms.regionalNumber(forms.currency(value)), back);
            }
        }
    }

    void nonFiniteValuesFail() {
        const RegionalForms forms{QLocale(QStringLiteral("en_GB"))};
        const double inf = std::numeric_limits<double>::infinity();
        QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.generalNumber(inf));
        QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.patternNumber(std::nan(""), 2));
        QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.currency(-inf));
    }

    void currency_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("symbol");
        for (const QStringList& r :
             packed("en_GB|23.675|£23.68|£;en_GB|-12.5|-£12.50|£;en_GB|-0.004|£0.00|£;"
                    "en_GB|999.994|£999.99|£;en_GB|3205.72|£3,205.72|£;en_GB|-1234.5|-£1,234.50|£;"
                    "en_GB|93293253.9|£93,293,253.90|£;en_US|1234567|$1,234,567.00|$;"
                    "de_DE|1234.5|1234.50\u00A0€|€;de_CH|1234.5|1’234.50\u00A0CHF|CHF;"
                    "sv_SE|1234.5|1234.50\u00A0kr|kr;en_IN|1234567.5|₹12,34,567.50|₹;"
                    "ja_JP|1234.5|￥1,235|￥;es_MX|1234.5|$1,234.50|$"))
            QTest::addRow("%s %s", qPrintable(r[0]), qPrintable(r[1]))
                << r[0] << r[1].toDouble() << r[2] << r[3];
    }
    void currency() {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QFETCH(QString, symbol);
        const RegionalForms forms{QLocale(locale)};
        QCOMPARE(forms.currency(value), text);
        QCOMPARE(forms.currencySymbol(), symbol);
        // Every amount the program writes reads back to its rounded value.
        QCOMPARE(forms.regionalNumber(text),
                 forms.regionalNumber(forms.patternNumber(value, forms.currencyDecimals())));
        const QString display = forms.withCurrencySymbol(QStringLiteral("12.50"));
        QVERIFY(forms.hasCurrencySymbol(display));
        QCOMPARE(forms.withoutCurrencySymbol(display), QStringLiteral("12.50"));
        // Only one symbol is taken off.
        QCOMPARE(forms.withoutCurrencySymbol(symbol + display), symbol + QStringLiteral("12.50"));
    }

    // locale|entry|its date (empty: none)[|log stamp at 18:02:11]: with a stamp
    // field the entry is also the short date written for that date.
    void dates_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("stamp");
        for (const QStringList& r : packed(
                 "en_GB|04/09/2026|2026-09-04|04-Sep-26 18:02:11;en_US|9/4/26|2026-09-04|04-Sep-26 "
                 "18:02:11;de_DE|14.03.26|2026-03-14|14-Mär-26 "
                 "18:02:11;fr_FR|14/03/2026|2026-03-14|"
                 "14-mar-26 18:02:11;en_US|1/1/30|1930-01-01|;en_US|12/31/29|2029-12-31|;"
                 "en_US|12/31/1929|1929-12-31|;en_US|1/1/2030|2030-01-01|;"
                 "de_CH|22.04.6745|6745-04-22|;en_GB|22/04/0045|0045-04-22|;"
                 "en_GB|01/03/2009|2009-03-01;en_GB|1/3/2009|2009-03-01;"
                 "en_GB|1/03/09|2009-03-01;en_GB|2009-03-01|2009-03-01;en_GB|1 Mar 2009|2009-03-01;"
                 "en_GB|01-Mar-09|2009-03-01;en_GB|1 MARCH 2009|2009-03-01;"
                 "en_GB|  1/3/2009 |2009-03-01;en_GB|30 Sept 2009|2009-09-30;"
                 "en_GB|29/02/2008|2008-02-29;en_GB|1/3/00|2000-03-01;en_GB|1/3/99|1999-03-01;"
                 "en_GB|1 Mar 29|2029-03-01;en_GB|1-Mar-30|1930-03-01;en_GB|31/02/2010|;"
                 "en_GB|29/02/2009|;en_GB|01/13/2009|;en_GB|0/3/2009|;en_GB|1/3/009|;"
                 "en_GB|1.3.2009|;en_GB|2009-3-01|;en_GB|2010-02-30|;en_GB|1 Marc 2009|;en_GB||;"
                 "en_GB|1/3/2009x|;en_GB|1/3/2009 12:00|;en_US|3/1/09|2009-03-01;"
                 "en_US|03/01/2009|2009-03-01;en_US|1 March 2009|2009-03-01;en_US|2/31/2010|;"
                 "en_US|31/12/2009|;de_DE|01.03.09|2009-03-01;de_DE|1.3.2009|2009-03-01;"
                 "de_DE|1 März 2009|2009-03-01;de_DE|01-Mär-09|2009-03-01;"
                 "de_DE|1. März 2009|2009-03-01;de_DE|31.02.2010|;de_DE|01/03/2009|;"
                 "fr_FR|1 jui 2009|;"
                 // Locales that write their own digits, ar_EG also right-to-left marks:
                 // read as written, with ASCII digits, and without the marks.
                 "ar_EG|١٤\u200F/٣\u200F/٢٠٢٦|2026-03-14|14-مار-26 18:02:11;"
                 "ar_EG|14/3/2026|2026-03-14;ar_EG|١٤/٣/٢٠٢٦|2026-03-14;"
                 "ar_EG|٣١\u200F/١٢\u200F/١٩٢٩|1929-12-31|;ar_EG|١ مارس ٠٩|2009-03-01;"
                 "ar_EG|1 مارس 2009|2009-03-01;ar_EG|٢٠٠٩-٠٣-٠١|2009-03-01;ar_EG|٣١/٢/٢٠١٠|;"
                 "ar_EG|3/14/2026|;en_GB|١/٣/٢٠٠٩|;fa_IR|۲۰۲۶/۳/۱۴|2026-03-14|14-مار-26 18:02:11;"
                 "fa_IR|2026/3/14|2026-03-14;fa_IR|۰۰۴۵/۴/۲۲|0045-04-22|;fa_IR|14/3/2026|;"
                 "bn_BD|১৪/৩/২৬|2026-03-14|14-মার-26 18:02:11;bn_BD|১/৩/৩০|1930-03-01|;"
                 "bn_BD|14/3/26|2026-03-14;bn_BD|১ মার্চ ২০০৯|2009-03-01;"
                 "my_MM|၁၄-၀၃-၂၆|2026-03-14|14-မတ်-26 18:02:11;my_MM|1-3-2009|2009-03-01;"
                 "ne_NP|२६/३/१४|2026-03-14|14-मार-26 18:02:11;ne_NP|26/3/14|2026-03-14;"
                 "ne_NP|१९२९/१२/३१|1929-12-31|;ne_NP|१ मार्च २००९|2009-03-01"))
            QTest::addRow("%s %s", qPrintable(r[0]), qPrintable(r[1]))
                << r[0] << r[1] << QDate::fromString(r[2], Qt::ISODate) << (r.size() > 3)
                << r.value(3);
    }
    void dates() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        QFETCH(bool, written);
        QFETCH(QString, stamp);
        const RegionalForms forms{QLocale(locale)};
        QCOMPARE(forms.regionalDate(text).value_or(QDate()), expected);
        QCOMPARE(forms.isRegionalDate(text), expected.isValid());
        if (expected.isValid())
            QCOMPARE(forms.dateValue(text), expected);
        else
            QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.dateValue(text));
        if (written)
            QCOMPARE(forms.shortDate(expected), text);
        if (!stamp.isEmpty()) {
            const QDateTime moment(expected, QTime(18, 2, 11));
            QCOMPARE(forms.logTimestamp(moment), stamp);
            QCOMPARE(forms.shortDateTime(moment), text + QStringLiteral(" 18:02:11"));
        }
    }

    // Every day written in short date form reads back as itself: each day of
    // a leap year, the first and last day of the years 1900 to 2100, years 1
    // and 9999.
    void shortDatesReadBack_data() {
        QTest::addColumn<QString>("locale");
        for (const char* name : {"en_GB", "en_US", "de_DE", "ar_EG", "ar_SA", "fa_IR", "ps_AF",
                                 "bn_BD", "my_MM", "mr_IN", "ne_NP"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void shortDatesReadBack() {
        QFETCH(QString, locale);
        const RegionalForms forms{QLocale(locale)};
        QList<QDate> days{QDate(1, 1, 1), QDate(9999, 12, 31)};
        for (QDate day(2028, 1, 1); day.year() == 2028; day = day.addDays(1))
            days << day;
        for (int year = 1900; year <= 2100; ++year)
            days << QDate(year, 1, 1) << QDate(year, 12, 31);
        for (const QDate day : days)
            QCOMPARE(forms.regionalDate(forms.shortDate(day)).value_or(QDate()), day);
    }

    void cleanup() {
        for (const QString& name : filesLeft())
            QFile::remove(dir.filePath(name));
    }

    // The three readers agree on the lines, also with reads of 1 to 3 bytes.
    void lines_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("lines");
        row("empty", QByteArray(), {});
        row("no final line end", "a", {"a"});
        row("CR LF", "a\r\nb\r\n", {"a", "b"});
        row("last line empty", "a\r\n\r\n", {"a", ""});
        row("mixed line ends", "a\nb\r\nc\n", {"a", "b", "c"});
        row("lone CR at the end", "a\r\nb\r", {"a", "b"});
        row("UTF-8 and Windows-1252 lines", "\xc2\xa3\r\n\xa3\x35 \x80\r\n", {"£", "£5 €"});
        // Characters of two to four bytes and byte-order marks, at the start
        // of a line and within it, on the joins of small reads.
        row("byte-order marks",
            "\xef\xbb\xbf\xef\xbb\xbf"
            "a\xe2\x82\xac\xf0\x9f\x98\x80\xef\xbb\xbf\r\n",
            {QChar(0xFEFF) + QString::fromUtf16(u"a\u20AC\U0001F600\uFEFF")});
        row("a character cut by the line end", "x\n\xc2\xa3\xe2\x82\r\n",
            {"x", "\u00c2\u00a3\u00e2\u201a"});
        // Lines around the size of one read from the end.
        for (const qsizetype size : {FirstRead - 1, FirstRead, FirstRead + 1, Chunk - 1, Chunk,
                                     Chunk + 1, 3 * Chunk + 5}) {
            const QByteArray longLine(size, 'x');
            QTest::addRow("last line of %lld bytes", qint64(size))
                << "a\r\n" + longLine + "\r\n"
                << QStringList{"a", QString::fromLatin1(longLine)};
        }
        // The line end before the last line on the edge of a read: the reads
        // from the end double from the first size up to the largest, then stay.
        for (const qsizetype edge : {FirstRead, 3 * FirstRead, 511 * FirstRead + Chunk}) {
            const QByteArray before(100, 'y');
            QTest::addRow("CR LF split %lld bytes from the end", qint64(edge))
                << before + "\r\n" + QByteArray(edge - 1, 'z')
                << QStringList{QString(before), QString(edge - 1, u'z')};
            QTest::addRow("line end %lld bytes from the end", qint64(edge))
                << before + "\n" + QByteArray(edge - 2, 'z') + "\n"
                << QStringList{QString(before), QString(edge - 2, u'z')};
        }
    }
    void lines() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, lines);
        const QString file = path("lines.log");
        writeBytes(file, content);
        for (const qint64 readLimit : {0, 1, 2, 3}) {
            QtFileSystem files(readLimit);
            QCOMPARE(files.readLines(file), lines);
            QCOMPARE(files.countLines(file), qint64(lines.size()));
            QCOMPARE(files.readLastLine(file), lines.isEmpty() ? QString() : lines.last());
            QStringList scanned;
            QVERIFY(!files.anyLine(file,
                                   [&](const QString& line) { return (scanned << line, false); }));
            QCOMPARE(scanned, lines);
            int asked = 0; // the scan stops at the first line that holds
            QCOMPARE(files.anyLine(file, [&](const QString&) { return ++asked > 0; }),
                     !lines.isEmpty());
            QCOMPARE(asked, std::min<int>(1, lines.size()));
            if (content.size() > 64)
                break;
        }
    }

    void appendCreateAndCopy() {
        QtFileSystem files;
        const QString file = path("Meterwin.log");
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.appendLine(file, QString()));
        QVERIFY(!files.fileExists(file));
        // A file is created once, whole; an existing one is left as it is.
        QVERIFY(files.createFile(file, QStringLiteral("header \u00a3\r\n")));
        files.appendLine(file, QStringLiteral("one £"));
        files.appendLine(file, QStringLiteral("two\r\nlines"));
        QVERIFY(!files.createFile(file, QStringLiteral("another header\r\n")));
        const QByteArray written("header \xc2\xa3\r\none \xc2\xa3\r\ntwo\r\nlines\r\n");
        QCOMPARE(bytesOf(file), written);
        QCOMPARE(filesLeft(), QStringList{"Meterwin.log"});
        QVERIFY(QFile::permissions(file).testFlag(QFileDevice::ReadOther));
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.createFile(path("no/Meterwin.log"), "x"));
        // An existing target is never overwritten by a copy.
        files.copyFile(file, path("copy.log"));
        QCOMPARE(bytesOf(path("copy.log")), written);
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.copyFile(file, path("copy.log")));
        files.deleteFile(file);
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.deleteFile(file));
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.readLines(file));
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.countLines(file));
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.readLastLine(file));
    }

    // An entry never continues a line that a crash or a cut copy left open.
    void appendEndsADamagedLine_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        row("empty file", QByteArray(), QByteArray("new\r\n"));
        row("whole lines", QByteArray("a\r\n"), QByteArray("a\r\nnew\r\n"));
        row("line feed alone", QByteArray("a\n"), QByteArray("a\nnew\r\n"));
        row("no line end", QByteArray("a\r\n 14/03"), QByteArray("a\r\n 14/03\r\nnew\r\n"));
        row("cut after CR", QByteArray("a\r"), QByteArray("a\r\nnew\r\n"));
    }
    void appendEndsADamagedLine() {
        QFETCH(QByteArray, before);
        const QString file = path("Meterwin_H.log");
        writeBytes(file, before);
        QtFileSystem().appendLine(file, QStringLiteral("new"));
        QTEST(bytesOf(file), "after");
    }

    // The lock of a directory excludes every other open of it until the
    // operation ends, by return or by exception; this program may take it again
    // meanwhile.
    void directoryLock() {
        QtFileSystem files;
        const int other = open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_DIRECTORY);
        QVERIFY(other >= 0);
        const auto othersMayLock = [&] {
            const bool may = flock(other, LOCK_EX | LOCK_NB) == 0;
            flock(other, LOCK_UN);
            return may;
        };
        int ran = 0;
        files.whileLocked(dir.path(), [&] {
            QVERIFY(!othersMayLock());
            files.whileLocked(dir.path(), [&] { ++ran; });
            ++ran;
        });
        QCOMPARE(ran, 2);
        QVERIFY(othersMayLock());
        QVERIFY_THROWS_EXCEPTION(
            FileFailure, files.whileLocked(dir.path(), [] { throw FileFailure("inside"); }));
        QVERIFY(othersMayLock());
        close(other);
    }

    // Renaming and replacing happen in one step; a failure keeps the old file.
    void renameAndReplace() {
        QtFileSystem files;
        const QString from = path("Meterwin.log.new");
        const QString to = path("Meterwin.log");
        writeBytes(from, "new");
        writeBytes(to, "old");
        QFile::setPermissions(to, QFileDevice::ReadOwner);
        files.renameFile(from, to);
        QCOMPARE(bytesOf(to), QByteArray("new"));
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.renameFile(from, to));
        files.replaceFile(to, QStringLiteral("newer\r\n"));
        QCOMPARE(bytesOf(to), QByteArray("newer\r\n"));
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.replaceFile(path("no/x.ini"), "x"));
        const QByteArray old = "[Run]\r\nLogLevel=1\r\n";
        writeBytes(to, old);
        QCOMPARE(writeWithLimit(64, [&](QtFileSystem f) { f.replaceFile(to, QString(400, u'x')); }),
                 0);
        QCOMPARE(bytesOf(to), old);
        QCOMPARE(filesLeft(), QStringList{"Meterwin.log"});
    }

    // On a full disk the first bytes of an entry may reach the file: they are
    // taken back, and the log still ends in whole lines.
    void appendOnAFullDisk() {
        const QString file = path("Meterwin.log");
        const QByteArray old = "Meterwin Started\r\nVersion 2.0\r\n\r\n";
        for (const int room : {0, 1, 200, 400, 401, 402}) {
            writeBytes(file, old);
            const int noticed = writeWithLimit(old.size() + room, [&](QtFileSystem files) {
                files.appendLine(file, QString(400, u'x'));
            });
            const bool fits = room == 402;
            QVERIFY2(noticed == (fits ? 1 : 0), qPrintable(QString::number(room)));
            QCOMPARE(bytesOf(file), fits ? old + QByteArray(400, 'x') + "\r\n" : old);
        }
    }

    // The first instance takes the mark and keeps it; asking again from the
    // same process does not count it as another; it is the user's own mark.
    void instanceMarker() {
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(InstanceMarkerPath(QStringLiteral("Meterwin")),
                 QDir::current().filePath(QStringLiteral("Meterwin.lock")));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(QDir::tempPath()));
        QCOMPARE(InstanceMarkerPath(QStringLiteral("Meterwin")),
                 QDir::temp().filePath(QStringLiteral("Meterwin.lock")));
        const QString pid = QString::number(QCoreApplication::applicationPid());
        const QString name = QStringLiteral("MeterwinTest-first-") + pid;
        QVERIFY(!PreviousInstanceRunning(name) && !PreviousInstanceRunning(name));
        QLockFile other(InstanceMarkerPath(name));
        QVERIFY(!other.tryLock(0));
        const QString elsewhere = QStringLiteral("MeterwinTest-elsewhere-") + pid;
        QLockFile first(InstanceMarkerPath(elsewhere));
        QVERIFY(first.tryLock(0));
        QVERIFY(PreviousInstanceRunning(elsewhere));
        first.unlock();
        QVERIFY(!PreviousInstanceRunning(elsewhere));
        QVERIFY(QFile::exists(InstanceMarkerPath(elsewhere)));
    }

    // Where a run works, below a root with a package (usr/bin beside
    // usr/share/meterwin), a bin/ without one, and "work" holding Data/.
    void installationDirectory_data() {
        QTest::addColumn<FrontEnd>("front");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("working");
        QTest::addColumn<QString>("expected");
        const FrontEnd window = FrontEnd::Window, cli = FrontEnd::CommandLine;
        const QString user = QStringLiteral("data/meterwin");
        row("packaged window elsewhere", window, "usr/bin", "elsewhere", user);
        row("packaged window beside a Data/ still in its own", window, "usr/bin", "work", user);
        row("packaged cli where Data/ is", cli, "usr/bin", "work", QStringLiteral("work"));
        row("packaged cli elsewhere", cli, "usr/bin", "elsewhere", user);
        row("own installation directory", window, "install", "elsewhere", "elsewhere");
        row("a bin/ without share/meterwin", cli, "local/bin", "elsewhere", "elsewhere");
    }
    void installationDirectory() {
        QFETCH(FrontEnd, front);
        QFETCH(QString, program);
        QFETCH(QString, working);
        QFETCH(QString, expected);
        const QTemporaryDir root;
        const QDir top(root.path());
        QVERIFY(top.mkpath("usr/share/meterwin") && top.mkpath("work/Data"));
        writeBytes(top.filePath("usr/share/meterwin/Meterwin.ini"), "[Run]");
        QProcessEnvironment environment;
        environment.insert("XDG_DATA_HOME", top.filePath("data"));
        QCOMPARE(InstallationDirectoryFor(front, top.filePath(program), top.filePath(working),
                                          environment),
                 top.filePath(expected));
        environment.insert("XDG_DATA_HOME", "relative");
        QCOMPARE(UserInstallationDirectory(environment),
                 QDir::home().filePath(".local/share/meterwin"));
    }

    // The configuration is replaced through a new file beside it: both must be
    // writable. Root writes through permission bits, so the user nobody asks.
    void configurationPermission() {
        const QString data = path("Data");
        const QString ini = path("Data/Meterwin.ini");
        QVERIFY(QDir().mkpath(data));
        const auto ask = [&] { return int(WritableConfiguration(ini).mayReplaceConfiguration()); };
        QCOMPARE(ask(), 0); // no file yet
        writeBytes(ini, QByteArray());
        QCOMPARE(ask(), 1); // the owner
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadOther | QFile::ExeOther;
        const QFile::Permissions all = readOnly | QFile::WriteOther;
        QVERIFY(QFile::setPermissions(dir.path(), readOnly));
        for (const auto& [directory, file, answer] :
             {std::tuple{all, all, 1}, {all, readOnly, 0}, {readOnly, all, 0}}) {
            QVERIFY(QFile::setPermissions(data, directory) && QFile::setPermissions(ini, file));
            const int asked = runInChild(dropToNobody, ask);
            if (asked == CannotRestrict)
                QSKIP("cannot become the user nobody to test without write permission");
            QCOMPARE(asked, answer);
        }
    }
};

MW_REGISTER_TEST(TestPlatform)
#include "tst_platform.moc"
