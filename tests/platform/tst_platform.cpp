#include "platform/ConfigurationPermission.h"
#include "platform/InstallationDirectory.h"
#include "platform/InstanceMarker.h"
#include "platform/QtFileSystem.h"
#include "platform/RegionalForms.h"
#include "platform/RunTimeFailure.h"
#include "support/Restrictions.h"
#include "support/TestMain.h"

#include <QDir>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const double NotNumeric = std::nan("");

template <typename... Types> void columns(const std::array<const char*, sizeof...(Types)>& names) {
    std::size_t i = 0;
    (QTest::addColumn<Types>(names[i++]), ...);
}

template <typename... Values> void row(const char* name, Values... values) {
    (QTest::newRow(name) << ... << values);
}

} // namespace

// Regional forms of values and dates, files, the instance marker.
class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    // What the leading-number reader and the strict regional reader take.
    void numbers_data() {
        columns<QString, QString, double, double>({"locale", "text", "leading", "regional"});
        row("nothing", u"en_GB"_s, u""_s, 0.0, NotNumeric);
        row("blanks between digits", u"en_GB"_s, u" 1 2.5"_s, 12.5, NotNumeric);
        row("own symbol in front", u"en_GB"_s, u"£23.68"_s, 0.0, 23.68);
        row("minus apart", u"en_GB"_s, u"- 5"_s, -5.0, -5.0);
        row("D exponent", u"en_GB"_s, u"2D2"_s, 200.0, NotNumeric);
        row("inf", u"en_GB"_s, u"inf"_s, 0.0, NotNumeric);
        row("hexadecimal", u"en_GB"_s, u"&hff"_s, 255.0, NotNumeric);
        row("octal", u"en_GB"_s, u"&O17"_s, 15.0, NotNumeric);
        row("16 bits are signed", u"en_GB"_s, u"&HFFFF"_s, -1.0, NotNumeric);
        row("32 bits are signed", u"en_GB"_s, u"&HFFFFFFFF"_s, -1.0, NotNumeric);
        row("no more than 32 bits", u"en_GB"_s, u"&H123456789"_s, 305419896.0, NotNumeric);
        row("decimal comma", u"de_DE"_s, u"1.234,5"_s, 1.234, 1234.5);
        row("misplaced groups", u"de_DE"_s, u"82.082.000"_s, 82.082, NotNumeric);
        row("symbol behind", u"de_DE"_s, u"-12.50\u00A0€"_s, -12.5, -12.5);
        row("symbol of letters", u"de_CH"_s, u"CHF 12.50"_s, 0.0, 12.5);
        row("leading number with a comma", u"sv_SE"_s, u"12,5"_s, 12.5, 12.5);
    }
    void numbers() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, regional);
        const RegionalForms forms{QLocale(locale)};
        QTEST(forms.leadingNumber(text), "leading");
        QCOMPARE(forms.isNumeric(text), !std::isnan(regional));
        if (!std::isnan(regional))
            QCOMPARE(forms.regionalNumber(text), regional);
    }

    // Fixed places (0 and up) round half away from zero, the general form (-1)
    // takes an exponent at its edges: the program's own forms in every locale.
    void writtenNumbers_data() {
        columns<QString, double, int, QString, QString>(
            {"locale", "value", "places", "text", "money"});
        row("2.675 is 2.68", u"sv_SE"_s, 2.675, 2, u"2.68"_s, u"2.68\u00A0kr"_s);
        row("99.995 carries", u"de_DE"_s, 99.995, 2, u"100.00"_s, u"100.00\u00A0€"_s);
        row("-2.5 is -3", u"en_GB"_s, -2.5, 0, u"-3"_s, u"-£2.50"_s);
        row("no minus on zero", u"de_DE"_s, -0.001, 2, u"0.00"_s, u"0.00\u00A0€"_s);
        row("negative zero", u"en_GB"_s, -0.0, -1, u"0"_s, u"£0.00"_s);
        row("15 digits", u"sv_SE"_s, 999999999999999.0, -1, u"999999999999999"_s,
            u"999999999999999.00\u00A0kr"_s);
        row("16 digits", u"de_DE"_s, 14111111113353400.0, -1, u"1.41111111133534E+16"_s,
            u"14111111113353400.00\u00A0€"_s);
        row("0.0001", u"en_GB"_s, 0.0001, -1, u"0.0001"_s, u"£0.00"_s);
        row("0.00001", u"en_GB"_s, -0.000012, -1, u"-1.2E-05"_s, u"£0.00"_s);
        row("francs", u"de_CH"_s, 1234.5, 2, u"1234.50"_s, u"1’234.50\u00A0CHF"_s);
        row("lakhs", u"en_IN"_s, 1234567.5, -1, u"1234567.5"_s, u"₹12,34,567.50"_s);
        row("whole yen", u"ja_JP"_s, 1234.5, 0, u"1235"_s, u"￥1,235"_s);
    }
    void writtenNumbers() {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(int, places);
        QFETCH(QString, text);
        const RegionalForms forms{QLocale(locale)};
        QCOMPARE(places < 0 ? forms.generalNumber(value) : forms.patternNumber(value, places),
                 text);
        QVERIFY(std::fabs(forms.regionalNumber(text) - value) <= 0.5);
        QTEST(forms.currency(value), "money");
        // Only one symbol is taken off.
        const QString display = forms.withCurrencySymbol(u"12.50"_s);
        QCOMPARE(forms.withoutCurrencySymbol(forms.withCurrencySymbol(display)), display);
        QVERIFY_THROWS_EXCEPTION(RunTimeFailure, forms.patternNumber(value / 0.0, places));
    }

    // The texts that read as the day (an invalid day: that are no date).
    void dates_data() {
        columns<QString, QDate, QStringList>({"locale", "day", "texts"});
        row("en_GB forms", u"en_GB"_s, QDate(2009, 3, 1),
            QStringList{"1/3/2009", "1/03/09", "2009-03-01", "1 MARCH 2009", "  1/3/2009 "});
        row("en_GB 29 is 2029", u"en_GB"_s, QDate(2029, 3, 1), QStringList{"1/3/29", "1 Mar 29"});
        row("en_GB 30 is 1930", u"en_GB"_s, QDate(1930, 3, 1), QStringList{"1/3/30", "1-Mar-30"});
        row("en_GB year 45", u"en_GB"_s, QDate(45, 4, 22), QStringList{"22/04/0045"});
        row("en_GB no date", u"en_GB"_s, QDate(),
            QStringList{"31/02/2010", "01/13/2009", "1/3/009", "1.3.2009", "2009-3-01",
                        "1 Marc 2009", "", "1/3/2009x", "1/3/2009 12:00", "١/٣/٢٠٠٩"});
        row("en_US forms", u"en_US"_s, QDate(2009, 3, 1), QStringList{"3/1/09", "1 March 2009"});
        row("en_US no date", u"en_US"_s, QDate(), QStringList{"2/31/2010", "31/12/2009"});
        row("de_DE forms", u"de_DE"_s, QDate(2009, 3, 1),
            QStringList{"1.3.2009", "1 März 2009", "01-Mär-09", "1. März 2009"});
        row("fr_FR jui is two months", u"fr_FR"_s, QDate(), QStringList{"1 jui 2009"});
        row("ar_EG forms", u"ar_EG"_s, QDate(2009, 3, 1),
            QStringList{"١ مارس ٠٩", "1 مارس 2009", "٢٠٠٩-٠٣-٠١"});
        row("ar_EG no date", u"ar_EG"_s, QDate(), QStringList{"٣١/٢/٢٠١٠", "3/14/2026"});
    }
    void dates() {
        QFETCH(QString, locale);
        QFETCH(QDate, day);
        QFETCH(QStringList, texts);
        for (const QString& text : texts)
            QCOMPARE(RegionalForms(QLocale(locale)).regionalDate(text).value_or(QDate()), day);
    }

    // 14 March 2026 18:02:11 as a short date and in the log's time stamp.
    void writtenDates_data() {
        columns<QString, QString, QString>({"locale", "shortDate", "stamp"});
        row("en_US", u"en_US"_s, u"3/14/26"_s, u"14-Mar-26 18:02:11"_s);
        row("fr_FR", u"fr_FR"_s, u"14/03/2026"_s, u"14-mar-26 18:02:11"_s);
        row("ar_EG", u"ar_EG"_s, u"١٤\u200F/٣\u200F/٢٠٢٦"_s, u"14-مار-26 18:02:11"_s);
        row("ne_NP", u"ne_NP"_s, u"२६/३/१४"_s, u"14-मार-26 18:02:11"_s);
    }
    void writtenDates() {
        QFETCH(QString, locale);
        const RegionalForms forms{QLocale(locale)};
        const QDateTime moment(QDate(2026, 3, 14), QTime(18, 2, 11));
        QTEST(forms.shortDate(moment.date()), "shortDate");
        QTEST(forms.logTimestamp(moment), "stamp");
    }

    // The lines of a file as its readers give them.
    void lines_data() {
        columns<QByteArray, QStringList>({"content", "lines"});
        row("no final line end", "a"_ba, QStringList{"a"});
        row("mixed line ends", "a\nb\r\n\r\nc\r"_ba, QStringList{"a", "b", "", "c"});
        row("UTF-8, Windows-1252", "£\r\n\xa3\x35 \x80"_ba, QStringList{"£", "£5 €"});
        // A byte-order mark is dropped at the start of a line only.
        row("byte-order marks", "\uFEFF\uFEFFa€\U0001F600\uFEFF\r\n"_ba,
            QStringList{u"\uFEFFa€\U0001F600\uFEFF"_s});
        row("a cut character", "x\n£\xe2\x82\r\n"_ba, QStringList{"x", "\u00c2\u00a3\u00e2\u201a"});
        // The line end before the last line around the joins of the reads
        // from the end, which double from 4 KiB to 1 MiB and then stay.
        for (const int edge : {4096, 3 * 4096, 511 * 4096 + 1048576})
            QTest::addRow("line end %d bytes from the end", edge)
                << "y\n" + QByteArray(edge - 2, 'z') + "\n"
                << QStringList{"y", QString(edge - 2, 'z')};
    }
    void lines() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, lines);
        const QTemporaryDir dir;
        QFile file(dir.filePath(u"lines.log"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        QtFileSystem files;
        QCOMPARE(files.readLines(file.fileName()), lines);
        QCOMPARE(files.countLines(file.fileName()), lines.size());
        QCOMPARE(files.readLastLine(file.fileName()), lines.value(lines.size() - 1));
    }

    // Files are created once, whole and readable by all, and never overwritten
    // by a copy; a directory's lock shuts out every other open of it until the
    // operation ends, by return or by exception, and may be taken again inside.
    void files() {
        const QTemporaryDir dir;
        QtFileSystem files;
        const QString file = dir.filePath(u"Meterwin.log"_s);
        const QString copy = dir.filePath(u"copy.log"_s);
        QVERIFY(files.createFile(file, u"header £\r\n"_s));
        QVERIFY(!files.createFile(file, u"another header\r\n"_s));
        files.appendLine(file, u"two\r\nlines £"_s);
        QCOMPARE(files.readLines(file), QStringList({"header £", "two", "lines £"}));
        QVERIFY(QFile::permissions(file).testFlag(QFileDevice::ReadOther));
        files.copyFile(file, copy);
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.copyFile(file, copy));
        files.deleteFile(copy);
        QVERIFY_THROWS_EXCEPTION(FileFailure, files.deleteFile(copy));

        const int other = open(QFile::encodeName(dir.path()).constData(), O_RDONLY);
        bool shutOut = false;
        const auto look = [&] {
            shutOut = flock(other, LOCK_EX | LOCK_NB) != 0 || flock(other, LOCK_UN) != 0;
        };
        files.whileLocked(dir.path(), [&] { files.whileLocked(dir.path(), look); });
        QVERIFY(shutOut);
        QVERIFY_THROWS_EXCEPTION(FileFailure,
                                 files.whileLocked(dir.path(), [] { throw FileFailure("in"); }));
        look();
        QVERIFY(!shutOut);
        files.whileLocked(dir.path(), look);
        QVERIFY(shutOut);
        close(other);
    }

    // A mark taken by this process is not another instance.
    // The mark is the user's own: in the runtime directory, else the working one.
    void instanceMarker() {
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(InstanceMarkerPath(u"Meterwin"_s), QDir::current().filePath(u"Meterwin.lock"_s));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(QDir::tempPath()));
        QCOMPARE(InstanceMarkerPath(u"Meterwin"_s), QDir::temp().filePath(u"Meterwin.lock"_s));
        const QString name = u"MeterwinTest-%1"_s.arg(QCoreApplication::applicationPid());
        QLockFile other(InstanceMarkerPath(name));
        QVERIFY(other.tryLock(0) && PreviousInstanceRunning(name));
        other.unlock();
        QVERIFY(!PreviousInstanceRunning(name) && !PreviousInstanceRunning(name));
    }

    // Where a run works, below a root with a package (usr/bin beside
    // usr/share/meterwin), a bin/ without one, and "work" holding Data/.
    void installationDirectory_data() {
        columns<FrontEnd, QString, QString, QString>({"front", "program", "working", "expected"});
        const FrontEnd window = FrontEnd::Window, cli = FrontEnd::CommandLine;
        const QString user = u"data/meterwin"_s;
        row("packaged window elsewhere", window, u"usr/bin"_s, u"elsewhere"_s, user);
        row("packaged window beside a Data/ still in its own", window, u"usr/bin"_s, u"work"_s,
            user);
        row("packaged cli where Data/ is", cli, u"usr/bin"_s, u"work"_s, u"work"_s);
        row("packaged cli elsewhere", cli, u"usr/bin"_s, u"elsewhere"_s, user);
        row("own installation directory", window, u"install"_s, u"elsewhere"_s, u"elsewhere"_s);
        row("a bin/ without share/meterwin", cli, u"local/bin"_s, u"elsewhere"_s, u"elsewhere"_s);
    }
    void installationDirectory() {
        QFETCH(FrontEnd, front);
        QFETCH(QString, program);
        QFETCH(QString, working);
        QFETCH(QString, expected);
        const QTemporaryDir root;
        const QDir top(root.path());
        QVERIFY(top.mkpath(u"usr/share/meterwin"_s) && top.mkpath(u"work/Data"_s));
        QFile seed(top.filePath(u"usr/share/meterwin/Meterwin.ini"_s));
        QVERIFY(seed.open(QIODevice::WriteOnly) && seed.write("[Run]") == 5);
        seed.close();
        QProcessEnvironment environment;
        environment.insert(u"XDG_DATA_HOME"_s, top.filePath(u"data"_s));
        QCOMPARE(InstallationDirectoryFor(front, top.filePath(program), top.filePath(working),
                                          environment),
                 top.filePath(expected));
        environment.insert(u"XDG_DATA_HOME"_s, u"relative"_s);
        QCOMPARE(UserInstallationDirectory(environment),
                 QDir::home().filePath(u".local/share/meterwin"_s));
    }

    // The configuration is replaced through a new file beside it: both must be
    // writable. Root writes through permission bits, so the user nobody asks.
    void configurationPermission() {
        const QTemporaryDir dir;
        const QString ini = dir.filePath(u"Meterwin.ini"_s);
        const auto mayReplace = [&](int directoryMode, int fileMode) {
            QFile::setPermissions(dir.path(), QFileDevice::Permissions(directoryMode));
            QFile::setPermissions(ini, QFileDevice::Permissions(fileMode));
            return runInChild(dropToNobody, [&] {
                return int(WritableConfiguration(ini).mayReplaceConfiguration());
            });
        };
        const int withoutFile = mayReplace(0x7777, 0x6666);
        if (withoutFile == CannotRestrict)
            QSKIP("cannot become the user nobody to test without write permission");
        QCOMPARE(withoutFile, 0);
        QVERIFY(QFile(ini).open(QIODevice::WriteOnly));
        QCOMPARE(mayReplace(0x7777, 0x6666), 1);
        QCOMPARE(mayReplace(0x7777, 0x4444), 0);
        QCOMPARE(mayReplace(0x5555, 0x6666), 0);
    }
};

MW_REGISTER_TEST(TestPlatform)
#include "tst_platform.moc"
