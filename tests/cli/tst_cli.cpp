#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

namespace {

// The readings and the tariff of the worked example, given for this run only.
const QStringList Example =
    QStringLiteral("--date1 2015-01-01 --read1 100 --date2 01/04/2015 --read2 112 --set CalVal=36 "
                   "--set CFactor=1 --set BreakP=50 --set NRate1=0.1 --set NRate2=0.05 --set "
                   "SCharge=20 --set Disc1=5 --set VRate=5 --set Disc2=1 --set CORate=0.2 --set "
                   "Predict=4")
        .split(u' ') +
    QStringList{"--notes", "paid\nTo      :   x"};

struct Run {
    int status = -1;
    QString out, err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

} // namespace

// meterwin-cli as a user runs it, in a fresh installation with the default tariff.
class TestCommandLine : public QObject {
    Q_OBJECT

    QByteArray defaultTariff;

    void install(const TemporaryInstallation& dir) {
        dir.makeDirectory(QStringLiteral("Log"));
        dir.makeDirectory(QStringLiteral("Data"));
        dir.writeFile(QStringLiteral("Data/Meterwin.ini"), defaultTariff);
    }

    Run run(const QString& directory, const QStringList& arguments,
            const QString& locale = QStringLiteral("en_GB"), const QString& output = {}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), locale + QStringLiteral(".UTF-8"));
        process.setProcessEnvironment(environment);
        if (!output.isEmpty())
            process.setStandardOutputFile(output);
        process.start(QStringLiteral(MW_CLI_PATH), QStringList{"--dir", directory} + arguments);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

private slots:
    void initTestCase() {
        QFile file(QStringLiteral(MW_SOURCE_DIR "/dist/Data/Meterwin.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        defaultTariff = file.readAll();
    }

    // Saved calculations of the worked example with `arguments` after it:
    // lines of the report printed ("_" a no-break space), the history record,
    // and where the next run starts (Date 1, Reading 1).
    void savedCalculations_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("next");
        const auto row = [](const char* name, const char* locale, const QStringList& arguments,
                            const QStringList& lines, const QString& record, const QString& next) {
            QTest::newRow(name) << locale << arguments << lines << record << next;
        };
        row("grouped readings, settings with trailing text", "en_GB",
            QStringLiteral("--read1 1,234 --read2 2,000 --set NRate1=0.1x --set CalVal=36kWh "
                           "--set CFactor=1.0abc")
                .split(u' '),
            {"Gas Used                  :    766    Cubic Metres",
             "Rate 1 KWHr Used          :     50    at    £0.1x per KWhr =    £5.00",
             "Total Cost (inc    5% VAT):   £419.53"},
            " 01/04/2015,    2000, Cubic Metres,   £0.1x, 0.05000,    50,     36kWh,     "
            "1.0abc, £20.00,  5.0%,  £5.00,  £1.00",
            "01/04/2015 2000");
        row("1,461 days to a current date, amounts over £10,000", "en_GB",
            {"--date1", "2022-12-31", "--date2", "2026-12-31", "--read2", "99,999"},
            {"Cost To Date (1461 Days)",
             "Total Cost (exc VAT)      : 50,229.50 (inc Fixed Charge: 1 * £20.00)"},
            " 31/12/2026,   99999, Cubic Metres, 0.10000, 0.05000,    50,    36.000,   1.000000, "
            "£20.00,  5.0%,  £5.00,  £1.00",
            "31/12/2026 99999");
        row("de_DE", "de_DE", {"--date2", "2015-04-01"},
            {"Total Cost (exc VAT)      :   23.50_€ (inc Fixed Charge: 1 * 20.00_€)"},
            "   01.04.15,     112, Cubic Metres, 0.10000, 0.05000,    50,    36.000,   1.000000, "
            " 20.00,  5.0%, 5.00_€, 1.00_€",
            "01.04.15 112");
    }

    // The results log ends with the note, which cannot forge a line, and the
    // report as printed, in CR LF lines. The JSON object of the next run maps
    // every entry, setting, result and check box; without --save it writes nothing.
    void savedCalculations() {
        QFETCH(QString, locale);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, lines);
        QFETCH(QString, record);
        TemporaryInstallation dir;
        install(dir);
        const Run r = run(dir.path(), QStringList{"calc", "--save"} + Example + arguments, locale);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        const QStringList printed = r.out.split(u'\n');
        for (const QString& line : lines)
            QVERIFY2(printed.contains(QString(line).replace(u'_', QChar(0xA0))), qPrintable(line));
        const QString report = r.out.section(u'\n', 1); // after the date and time
        QVERIFY(report.startsWith("paid To      :   x\nCalorific Value"));
        const QByteArray results = dir.readFile(QStringLiteral("Log/Meterwin.log"));
        QVERIFY(
            results.endsWith(("\r\n" + QString(report).replace(u'\n', "\r\n") + "\r\n").toUtf8()));
        QVERIFY(!results.contains("Meterwin Started"));
        const QString history =
            QString::fromUtf8(dir.readFile(QStringLiteral("Log/Meterwin_H.log")));
        QCOMPARE(history.section(QStringLiteral("\r\n"), -2, -2),
                 record.replace(u'_', QChar(0xA0)));
        const QStringList nextRun{"calc", "--json", "--date2", "2027-07-01", "--read2", "999000"};
        const QJsonObject next = run(dir.path(), nextRun, locale).json();
        QTEST(next.value("Date1").toString() + u' ' + next.value("NRead1").toString(), "next");
        QCOMPARE(next.size(), 5 + 11 + 24 + 3);
        QCOMPARE(dir.readFile(QStringLiteral("Log/Meterwin.log")), results);
    }

    void exitStatus_data() {
        QTest::addColumn<QString>("setup"); // what differs from a fresh installation
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("messages"); // a wrong command line: their start
        const QStringList reading{"calc", "--date2", "2015-04-01", "--read2", "112"};
        const QString noReading1 =
            "Date 1 must be a valid date\nMeter Reading 1 must be between 1 and 999900\n";
        // Refused: the settings' messages, then the readings'.
        QTest::newRow("refused") << "" << reading + QStringList{"--set", "VRate=60"} << 1
                                 << "VAT Rate must be 0 or between 1 and 50%\n" + noReading1;
        QTest::newRow("data directory missing")
            << "no Data" << reading << 2
            << "The data directory does not exist.\nTo restore the data directory\n"
               "reinstall the program.\nThe program will now terminate.\n";
        QTest::newRow("configuration file of 4 GiB, refused unread")
            << "4 GiB configuration" << reading << 2
            << "The configuration file is corrupted.\nReinstall the program to restore the "
               "file.\nThe program will now terminate.\n";
        QTest::newRow("report to a full disk")
            << "/dev/full" << QStringList{"calc"} + Example.mid(0, 8) << 2
            << "meterwin-cli: cannot write to standard output: No space left on device\n";
        QTest::newRow("unknown setting") << "" << reading + QStringList{"--set", "Colour=1"} << 64
                                         << "meterwin-cli: --set takes";
        const QString emoji = QStringLiteral("\U0001F525");
        QTest::newRow("notes of 75 emoji taken")
            << "" << reading + QStringList{"--notes", emoji.repeated(75)} << 1 << noReading1;
        QTest::newRow("notes of 76 emoji refused")
            << "" << reading + QStringList{"--notes", emoji.repeated(76)} << 64
            << "meterwin-cli: --notes takes at most 75 characters";
    }

    void exitStatus() {
        QFETCH(QString, messages);
        TemporaryInstallation dir;
        install(dir);
        QFETCH(QString, setup);
        QFETCH(QStringList, arguments);
        if (setup == "4 GiB configuration") // sparse: nothing of it is on the disk
            QVERIFY(QFile(dir.path() + "/Data/Meterwin.ini").resize(qint64(4) << 30));
        const Run r = run(setup == "no Data" ? dir.path() + "/Log" : dir.path(), arguments,
                          QStringLiteral("en_GB"), setup.startsWith(u'/') ? setup : QString());
        QTEST(r.status, "status");
        QCOMPARE(r.out, QString());
        QCOMPARE(r.status == 64 ? r.err.left(messages.size()) : r.err, messages);
    }

    void help() {
        const Run r = run(QStringLiteral("."), {"--help"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith("Usage: meterwin-cli [--dir DIR] calc") &&
                r.out.contains("Exit status: 0 calculated"));
    }
};

MW_REGISTER_TEST(TestCommandLine)
#include "tst_cli.moc"
