#include "platform/QtFileSystem.h"
#include "platform/RegionalForms.h"
#include "platform/RunTimeFailure.h"
#include "support/Restrictions.h"
#include "support/TestMain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

const double NotNumeric = std::nan("");
const double Largest = std::numeric_limits<double>::max();

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>"_ba;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// What the leading-number reader and the strict regional reader take.
void number(const char* name, const char* locale, const QString& text, double leading,
            double regional) {
    QTest::newRow(name) << QString::fromLatin1(locale) << text << leading << regional;
}

void date(const char* name, const char* locale, QDate day, const QStringList& texts) {
    QTest::newRow(name) << QString::fromLatin1(locale) << day << texts;
}

} // namespace

// Regional forms of values and dates, and files.
class TestPlatform : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList filesLeft() const { return QDir(dir.path()).entryList(QDir::Files); }

private slots:
    void cleanup() {
        for (const QString& name : filesLeft())
            QFile::remove(path(name));
    }

    void numbers_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("leading");
        QTest::addColumn<double>("regional");
        number("nothing", "en_GB", u""_s, 0, NotNumeric);
        number("blanks between digits", "en_GB", u" 1 2.5"_s, 12.5, NotNumeric);
        number("letters after", "en_GB", u"0.12abc"_s, 0.12, NotNumeric);
        number("own symbol in front", "en_GB", u"£23.68"_s, 0, 23.68);
        number("minus before the symbol", "en_GB", u"-£12.50"_s, 0, -12.5);
        number("another symbol", "en_GB", u"$5"_s, 0, NotNumeric);
        number("minus apart", "en_GB", u"- 5"_s, -5, -5);
        number("no digit before the point", "en_GB", u".5"_s, 0.5, 0.5);
        number("grouped thousands", "en_GB", u"1,234.5"_s, 1, 1234.5);
        number("D exponent", "en_GB", u"2D2"_s, 200, NotNumeric);
        number("exponent without digits", "en_GB", u"3e+x"_s, 3, NotNumeric);
        number("beyond a double", "en_GB", u"1e400"_s, HUGE_VAL, NotNumeric);
        number("inf", "en_GB", u"inf"_s, 0, NotNumeric);
        number("largest double", "de_CH", u"1.79769313486231E+308"_s, 1.79769313486231e308,
               1.79769313486231e308);
        number("hexadecimal", "en_GB", u"&hff"_s, 255, NotNumeric);
        number("octal", "en_GB", u"&O17"_s, 15, NotNumeric);
        number("16 bits are signed", "en_GB", u"&HFFFF"_s, -1, NotNumeric);
        number("17 bits", "en_GB", u"&H10000"_s, 65536, NotNumeric);
        number("32 bits are signed", "en_GB", u"&HFFFFFFFF"_s, -1, NotNumeric);
        number("no more than 32 bits", "en_GB", u"&H123456789"_s, 305419896, NotNumeric);
        number("decimal comma", "de_DE", u"1.234,5"_s, 1.234, 1234.5);
        number("misplaced groups", "de_DE", u"82.082.000"_s, 82.082, NotNumeric);
        number("symbol behind", "de_DE", u"-12.50\u00A0€"_s, -12.5, -12.5);
        number("symbol of letters", "de_CH", u"CHF 12.50"_s, 0, 12.5);
        number("leading number with a comma", "sv_SE", u"12,5"_s, 12.5, 12.5);
    }
    void numbers() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, regional);
        const RegionalForms forms{QLocale(locale)};
        QTEST(forms.leadingNumber(text), "leading");
        QCOMPARE(forms.isNumeric(text), !std::isnan(regional));
        if (std::isnan(regional))
            QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.regionalNumber(text));
        else
            QCOMPARE(forms.regionalNumber(text), regional);
    }

    // Fixed places (0 and up) round the written figure half away from zero;
    // the general form (places -1) takes an exponent at its edges. Every form
    // reads back, the largest values too.
    void writtenNumbers_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("places");
        QTest::addColumn<QString>("text");
        QTest::newRow("long fraction") << 23.675 / 90 << -1 << u"0.263055555555556"_s;
        QTest::newRow("binary noise") << 0.1 + 0.2 << -1 << u"0.3"_s;
        QTest::newRow("2.675 is 2.68") << 2.675 << 2 << u"2.68"_s;
        QTest::newRow("1.005 is 1.01") << 1.005 << 2 << u"1.01"_s;
        QTest::newRow("99.995 carries") << 99.995 << 2 << u"100.00"_s;
        QTest::newRow("-2.5 is -3") << -2.5 << 0 << u"-3"_s;
        QTest::newRow("no minus on zero") << -0.001 << 2 << u"0.00"_s;
        QTest::newRow("1e20 in full") << 1e20 << 2 << u"100000000000000000000.00"_s;
        QTest::newRow("negative zero") << -0.0 << -1 << u"0"_s;
        QTest::newRow("15 digits") << 999999999999999.0 << -1 << u"999999999999999"_s;
        QTest::newRow("16 digits") << 14111111113353400.0 << -1 << u"1.41111111133534E+16"_s;
        QTest::newRow("0.0001") << 0.0001 << -1 << u"0.0001"_s;
        QTest::newRow("0.00001") << -0.000012 << -1 << u"-1.2E-05"_s;
        QTest::newRow("largest") << Largest << -1 << u"1.79769313486231E+308"_s;
        QTest::newRow("lowest") << -Largest << -1 << u"-1.79769313486231E+308"_s;
    }
    void writtenNumbers() {
        QFETCH(double, value);
        QFETCH(int, places);
        QFETCH(QString, text);
        for (const QString& name : {u"en_GB"_s, u"de_DE"_s, u"sv_SE"_s}) {
            const RegionalForms forms{QLocale(name)};
            QCOMPARE(places < 0 ? forms.generalNumber(value) : forms.patternNumber(value, places),
                     text);
            QVERIFY(std::fabs(forms.regionalNumber(text) - value) <= 0.5 + 1e-14 * Largest);
            const QString fixed = forms.patternNumber(value, 2);
            QCOMPARE(forms.leadingNumber(fixed), forms.regionalNumber(fixed));
            QCOMPARE(forms.regionalNumber(forms.currency(value)), forms.regionalNumber(fixed));
        }
        const RegionalForms forms{QLocale(u"en_GB"_s)};
        QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.generalNumber(HUGE_VAL));
        QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.patternNumber(NotNumeric, 2));
        QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.currency(-HUGE_VAL));
    }

    void currency_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("symbol");
        QTest::newRow("pence round up") << u"en_GB"_s << 23.675 << u"£23.68"_s << u"£"_s;
        QTest::newRow("minus first") << u"en_GB"_s << -1234.5 << u"-£1,234.50"_s << u"£"_s;
        QTest::newRow("no minus on zero") << u"en_GB"_s << -0.004 << u"£0.00"_s << u"£"_s;
        QTest::newRow("euros behind") << u"de_DE"_s << 1234.5 << u"1234.50\u00A0€"_s << u"€"_s;
        QTest::newRow("francs") << u"de_CH"_s << 1234.5 << u"1’234.50\u00A0CHF"_s << u"CHF"_s;
        QTest::newRow("lakhs") << u"en_IN"_s << 1234567.5 << u"₹12,34,567.50"_s << u"₹"_s;
        QTest::newRow("whole yen") << u"ja_JP"_s << 1234.5 << u"￥1,235"_s << u"￥"_s;
    }
    void currency() {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, symbol);
        const RegionalForms forms{QLocale(locale)};
        QTEST(forms.currency(value), "text");
        QCOMPARE(forms.currencySymbol(), symbol);
        QCOMPARE(forms.regionalNumber(forms.currency(value)),
                 forms.regionalNumber(forms.patternNumber(value, forms.currencyDecimals())));
        const QString display = forms.withCurrencySymbol(u"12.50"_s);
        QVERIFY(forms.hasCurrencySymbol(display));
        // Only one symbol is taken off.
        QCOMPARE(forms.withoutCurrencySymbol(symbol + display), symbol + u"12.50"_s);
    }

    // The texts that read as the day (an invalid day: that are no date).
    void dates_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QStringList>("texts");
        date("en_GB forms", "en_GB", {2009, 3, 1},
             {"1/3/2009", "1/03/09", "2009-03-01", "1 Mar 2009", "01-Mar-09", "1 MARCH 2009",
              "  1/3/2009 "});
        date("en_GB leap day", "en_GB", {2008, 2, 29}, {"29/02/2008"});
        date("en_GB Sept", "en_GB", {2009, 9, 30}, {"30 Sept 2009"});
        date("en_GB 00 is 2000", "en_GB", {2000, 3, 1}, {"1/3/00"});
        date("en_GB 29 is 2029", "en_GB", {2029, 3, 1}, {"1 Mar 29"});
        date("en_GB 30 is 1930", "en_GB", {1930, 3, 1}, {"1-Mar-30"});
        date("en_GB year 45", "en_GB", {45, 4, 22}, {"22/04/0045"});
        date("en_GB no date", "en_GB", {},
             {"31/02/2010", "29/02/2009", "01/13/2009", "0/3/2009", "1/3/009", "1.3.2009",
              "2009-3-01", "2010-02-30", "1 Marc 2009", "", "1/3/2009x", "1/3/2009 12:00",
              "١/٣/٢٠٠٩"});
        date("en_US forms", "en_US", {2009, 3, 1}, {"3/1/09", "03/01/2009", "1 March 2009"});
        date("en_US 1929", "en_US", {1929, 12, 31}, {"12/31/1929"});
        date("en_US no date", "en_US", {}, {"2/31/2010", "31/12/2009"});
        date("de_DE forms", "de_DE", {2009, 3, 1},
             {"01.03.09", "1.3.2009", "1 März 2009", "01-Mär-09", "1. März 2009"});
        date("de_DE no date", "de_DE", {}, {"31.02.2010", "01/03/2009"});
        date("fr_FR jui is two months", "fr_FR", {}, {"1 jui 2009"});
        date("de_CH year 6745", "de_CH", {6745, 4, 22}, {"22.04.6745"});
        date("ar_EG marks", "ar_EG", {2026, 3, 14}, {"١٤\u200F/٣\u200F/٢٠٢٦", "14/3/2026"});
        date("ar_EG forms", "ar_EG", {2009, 3, 1}, {"١ مارس ٠٩", "1 مارس 2009", "٢٠٠٩-٠٣-٠١"});
        date("ar_EG no date", "ar_EG", {}, {"٣١/٢/٢٠١٠", "3/14/2026"});
        date("fa_IR forms", "fa_IR", {2026, 3, 14}, {"2026/3/14"});
        date("fa_IR no date", "fa_IR", {}, {"14/3/2026"});
        date("bn_BD forms", "bn_BD", {2026, 3, 14}, {"14/3/26"});
        date("bn_BD month name", "bn_BD", {2009, 3, 1}, {"১ মার্চ ২০০৯"});
        date("bn_BD 30 is 1930", "bn_BD", {1930, 3, 1}, {"১/৩/৩০"});
        date("my_MM forms", "my_MM", {2009, 3, 1}, {"1-3-2009"});
        date("ne_NP forms", "ne_NP", {2026, 3, 14}, {"26/3/14"});
        date("ne_NP 1929", "ne_NP", {1929, 12, 31}, {"१९२९/१२/३१"});
        date("ne_NP month name", "ne_NP", {2009, 3, 1}, {"१ मार्च २००९"});
    }
    void dates() {
        QFETCH(QString, locale);
        QFETCH(QDate, day);
        QFETCH(QStringList, texts);
        const RegionalForms forms{QLocale(locale)};
        for (const QString& text : texts) {
            QCOMPARE(forms.regionalDate(text).value_or(QDate()), day);
            QCOMPARE(forms.isRegionalDate(text), day.isValid());
            if (day.isValid())
                QCOMPARE(forms.dateValue(text), day);
            else
                QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.dateValue(text));
        }
    }

    // The short date and the log's time stamp of 14 March 2026 18:02:11; every
    // day written as a short date reads back as itself.
    void writtenDates_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("shortDate");
        QTest::addColumn<QString>("stamp");
        QTest::newRow("en_GB") << u"en_GB"_s << u"14/03/2026"_s << u"14-Mar-26 18:02:11"_s;
        QTest::newRow("en_US") << u"en_US"_s << u"3/14/26"_s << u"14-Mar-26 18:02:11"_s;
        QTest::newRow("de_DE") << u"de_DE"_s << u"14.03.26"_s << u"14-Mär-26 18:02:11"_s;
        QTest::newRow("fr_FR") << u"fr_FR"_s << u"14/03/2026"_s << u"14-mar-26 18:02:11"_s;
        QTest::newRow("ar_EG") << u"ar_EG"_s << u"١٤\u200F/٣\u200F/٢٠٢٦"_s
                               << u"14-مار-26 18:02:11"_s;
        QTest::newRow("fa_IR") << u"fa_IR"_s << u"۲۰۲۶/۳/۱۴"_s << u"14-مار-26 18:02:11"_s;
        QTest::newRow("bn_BD") << u"bn_BD"_s << u"১৪/৩/২৬"_s << u"14-মার-26 18:02:11"_s;
        QTest::newRow("my_MM") << u"my_MM"_s << u"၁၄-၀၃-၂၆"_s << u"14-မတ်-26 18:02:11"_s;
        QTest::newRow("ne_NP") << u"ne_NP"_s << u"२६/३/१४"_s << u"14-मार-26 18:02:11"_s;
    }
    void writtenDates() {
        QFETCH(QString, locale);
        QFETCH(QString, shortDate);
        const RegionalForms forms{QLocale(locale)};
        const QDateTime moment(QDate(2026, 3, 14), QTime(18, 2, 11));
        QCOMPARE(forms.shortDate(moment.date()), shortDate);
        QTEST(forms.logTimestamp(moment), "stamp");
        QCOMPARE(forms.shortDateTime(moment), shortDate + u" 18:02:11"_s);
        QList<QDate> days{QDate(1, 1, 1), QDate(9999, 12, 31)};
        for (QDate day(2028, 1, 1); day.year() == 2028; day = day.addDays(1))
            days << day;
        for (int year = 1900; year <= 2100; ++year)
            days << QDate(year, 1, 1) << QDate(year, 12, 31);
        for (const QDate day : days)
            QCOMPARE(forms.regionalDate(forms.shortDate(day)).value_or(QDate()), day);
    }

    // The readers agree on the lines, also with reads of 1 to 3 bytes.
    void lines_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << ""_ba << QStringList{};
        QTest::newRow("no final line end") << "a"_ba << QStringList{"a"};
        QTest::newRow("mixed line ends") << "a\nb\r\n\r\n"_ba << QStringList{"a", "b", ""};
        QTest::newRow("lone CR at the end") << "a\r\nb\r"_ba << QStringList{"a", "b"};
        QTest::newRow("UTF-8, Windows-1252") << "£\r\n\xa3\x35 \x80"_ba << QStringList{"£", "£5 €"};
        // Characters of two to four bytes and byte-order marks on the joins of
        // small reads; a character cut by a line end.
        QTest::newRow("byte-order marks") << "\uFEFF\uFEFFa€\U0001F600\uFEFF\r\n"_ba
                                          << QStringList{u"\uFEFFa€\U0001F600\uFEFF"_s};
        QTest::newRow("a cut character")
            << "x\n£\xe2\x82\r\n"_ba << QStringList{"x", "\u00c2\u00a3\u00e2\u201a"};
        // Around the sizes of the reads from the end, which double from 4 KiB
        // to 1 MiB and then stay.
        for (const int size : {4095, 4096, 4097, 1048575, 1048576, 3145733})
            QTest::addRow("last line of %d bytes", size) << "a\r\n" + QByteArray(size, 'x') + "\r\n"
                                                         << QStringList{"a", QString(size, 'x')};
        for (const int edge : {4096, 3 * 4096, 511 * 4096 + 1048576}) {
            QTest::addRow("CR LF split %d bytes from the end", edge)
                << "y\r\n" + QByteArray(edge - 1, 'z') << QStringList{"y", QString(edge - 1, 'z')};
            QTest::addRow("line end %d bytes from the end", edge)
                << "y\n" + QByteArray(edge - 2, 'z') + "\n"
                << QStringList{"y", QString(edge - 2, 'z')};
        }
    }
    void lines() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, lines);
        const QString file = path(u"lines.log"_s);
        writeBytes(file, content);
        for (const qint64 readLimit : {0, 1, 2, 3}) {
            QtFileSystem files(readLimit);
            QCOMPARE(files.readLines(file), lines);
            QCOMPARE(files.countLines(file), lines.size());
            QCOMPARE(files.readLastLine(file), lines.value(lines.size() - 1));
            QStringList scanned;
            QVERIFY(!files.anyLine(file, [&](const QString& l) { return (scanned << l, false); }));
            QCOMPARE(scanned, lines);
            int asked = 0; // the scan stops at the first line that holds
            QCOMPARE(files.anyLine(file, [&](const QString&) { return ++asked; }),
                     !lines.isEmpty());
            QCOMPARE(asked, std::min<int>(1, lines.size()));
            if (content.size() > 64)
                break;
        }
    }

    void fileOperations() {
        QtFileSystem files;
        const QString file = path(u"Meterwin.log"_s);
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.appendLine(file, u""_s));
        QVERIFY(!files.fileExists(file));
        // A file is created once, whole, readable by all; an existing one stays.
        QVERIFY(files.createFile(file, u"header £\r\n"_s));
        files.appendLine(file, u"two\r\nlines £"_s);
        QVERIFY(!files.createFile(file, u"another header\r\n"_s));
        const QByteArray written = "header £\r\ntwo\r\nlines £\r\n"_ba;
        QCOMPARE(bytesOf(file), written);
        QVERIFY(QFile::permissions(file).testFlag(QFileDevice::ReadOther));
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.createFile(path(u"no/Meterwin.log"_s), "x"));
        // A copy never overwrites; a renaming replaces in one step.
        files.copyFile(file, path(u"copy.log"_s));
        QCOMPARE(bytesOf(path(u"copy.log"_s)), written);
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.copyFile(file, path(u"copy.log"_s)));
        QFile::setPermissions(file, QFileDevice::ReadOwner);
        files.renameFile(path(u"copy.log"_s), file);
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.renameFile(path(u"copy.log"_s), file));
        files.replaceFile(file, u"newer\r\n"_s);
        QCOMPARE(bytesOf(file), "newer\r\n"_ba);
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.replaceFile(path(u"no/x.ini"_s), "x"));
        QCOMPARE(filesLeft(), QStringList{u"Meterwin.log"_s});
        files.deleteFile(file);
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.deleteFile(file));
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.readLines(file));
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.countLines(file));
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.readLastLine(file));
    }

    // An entry never continues a line that a crash or a cut copy left open.
    // On a full disk the part of an entry that reached the file is taken
    // back, and a replacement keeps the old file.
    void append_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("room"); // the bytes the file may grow by
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("empty file") << ""_ba << 99 << "new\r\n"_ba;
        QTest::newRow("whole lines") << "a\r\n"_ba << 99 << "a\r\nnew\r\n"_ba;
        QTest::newRow("line feed alone") << "a\n"_ba << 99 << "a\nnew\r\n"_ba;
        QTest::newRow("no line end") << "a\r\n 14/03"_ba << 99 << "a\r\n 14/03\r\nnew\r\n"_ba;
        QTest::newRow("cut after CR") << "a\r"_ba << 99 << "a\r\nnew\r\n"_ba;
        QTest::newRow("no room") << "a\r\n"_ba << 0 << "a\r\n"_ba;
        QTest::newRow("room for one byte") << "a\r\n"_ba << 1 << "a\r\n"_ba;
        QTest::newRow("room for all but the LF") << "a\r\n"_ba << 4 << "a\r\n"_ba;
        QTest::newRow("room for the entry") << "a\r\n"_ba << 5 << "a\r\nnew\r\n"_ba;
    }
    void append() {
        QFETCH(QByteArray, before);
        QFETCH(int, room);
        QFETCH(QByteArray, after);
        const QString file = path(u"Meterwin_H.log"_s);
        writeBytes(file, before);
        const ScopedFileSizeLimit full(before.size() + room);
        bool failed = false;
        try {
            QtFileSystem().appendLine(file, u"new"_s);
        } catch (const FileFailure&) {
            failed = true;
        }
        QCOMPARE(failed, after == before);
        QCOMPARE(bytesOf(file), after);
        QVERIFY_THROWS_EXCEPTION(FileFailure, QtFileSystem().replaceFile(file, QString(200, 'x')));
        QCOMPARE(bytesOf(file), after);
        QCOMPARE(filesLeft(), QStringList{u"Meterwin_H.log"_s});
    }
};

MW_REGISTER_TEST(TestPlatform)
#include "tst_platform.moc"
