#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>

namespace {

// The readings and the tariff of the worked example, given for this run only.
const QStringList Example =
    QStringLiteral("--date1 2015-01-01 --read1 100 --date2 01/04/2015 --read2 112 --set CalVal=36 "
                   "--set CFactor=1 --set BreakP=50 --set NRate1=0.1 --set NRate2=0.05 --set "
                   "SCharge=20 --set Disc1=5 --set VRate=5 --set Disc2=1 --set CORate=0.2 --set "
                   "Predict=4")
        .split(u' ');

// The report block of the worked example after its first line, the time of the run.
const QString ExampleBlock = QStringLiteral(
    "Calorific Value  : 36.000\nCorrection Factor:  1.000000\n\nCost To Date ( 90 Days)\n"
    "-----------------------\nFrom                      :   01/01/2015\n"
    "To                        :   01/04/2015\nGas Used                  :     12    Cubic Metres\n"
    "KWHr Used                 :    120    (Rate 2 after 1 * 50 KWHr)\n"
    "Rate 1 KWHr Used          :     50    at £0.10000 per KWhr =    £5.00\n"
    "Rate 2 KWHr Used          :     70    at £0.05000 per KWhr =    £3.50\n"
    "Total Cost (exc VAT)      :    £23.50 (inc Fixed Charge: 1 * £20.00)\n"
    "Total Cost (inc    5% VAT):    £23.68\nCost per Day              :     £0.26\n\n"
    "Cost Prediction Over  4 Quarter(s) (365 Days)\n---------------------------------------------\n"
    "From                      :   01/01/2015\nGas Used                  :     49    Cubic Metres\n"
    "KWHr Used                 :    490    (Rate 2 after 4 * 50 KWHr)\n"
    "Rate 1 KWHr Used          :    200    at £0.10000 per KWhr =   £20.00\n"
    "Rate 2 KWHr Used          :    290    at £0.05000 per KWhr =   £14.50\n"
    "Total Cost (exc VAT)      :    £94.50 (inc Fixed Charge: 4 * £20.00)\n"
    "Total Cost (inc    5% VAT):    £95.23\nCost per Day              :     £0.26\n"
    "---------------------------------------------------------------------\n\n");

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
        qputenv("LC_ALL", "en_GB.UTF-8"); // for the program started
        QFile file(QStringLiteral(MW_SOURCE_DIR "/dist/Data/Meterwin.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        defaultTariff = file.readAll();
    }

    // The worked example as text and as JSON; saved, both logs get their entries as Save
    // writes them and a note cannot forge a line; the next run starts from the saved reading.
    void workedExampleSavedAndContinued() {
        TemporaryInstallation dir;
        install(dir);
        const Run r = run(dir.path(), QStringList{"calc"} + Example);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.mid(19), "\n" + ExampleBlock); // after the date and time
        const QJsonObject shown = run(dir.path(), QStringList{"calc", "--json"} + Example).json();
        QCOMPARE(shown.value("TVCost").toString(), QStringLiteral("£23.68"));
        QCOMPARE(shown.value("TCO2P").toString(), QStringLiteral("107.8"));
        QCOMPARE(shown.size(), 5 + 11 + 24 + 3); // entries, settings, results, check boxes
        // Nothing is written without --save, not even a start entry.
        QCOMPARE(dir.readFile(QStringLiteral("Log/Meterwin.log")).count('\n'), 6);

        const QStringList forged{"calc", "--save", "--notes",
                                 "paid\nTo                        :   x"};
        QCOMPARE(run(dir.path(), forged + Example).status, 0);
        const QByteArray results = dir.readFile(QStringLiteral("Log/Meterwin.log"));
        QVERIFY(results.endsWith("\r\npaid To                        :   x\r\n" +
                                 QString(ExampleBlock).replace("\n", "\r\n").toUtf8() + "\r\n"));
        QVERIFY(!results.contains("Meterwin Started"));
        QVERIFY(dir.readFile(QStringLiteral("Log/Meterwin_H.log"))
                    .endsWith(" 01/04/2015,     112, Cubic Metres, 0.10000, 0.05000,    50,    "
                              "36.000,   1.000000, £20.00,  5.0%,  £5.00,  £1.00\r\n"));
        const QJsonObject next =
            run(dir.path(), {"calc", "--json", "--date2", "1 Jul 2015", "--read2", "150"}).json();
        QCOMPARE(next.value("Date1").toString(), QStringLiteral("01/04/2015"));
        QCOMPARE(next.value("NRead1").toString(), QStringLiteral("112"));
    }

    // Saved calculations: lines of the report printed and the history record, in
    // full ("_" a no-break space); the worked example's tariff with `arguments` after it.
    void savedCalculations_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("record");
        const auto row = [](const char* name, const char* locale, const char* arguments,
                            const QStringList& lines, const QString& record) {
            QTest::newRow(name) << locale << QString::fromUtf8(arguments).split(u' ') << lines
                                << record;
        };
        row("grouped readings, settings with trailing text", "en_GB",
            "--read1 1,234 --read2 2,000 --set NRate1=0.1x --set CalVal=36kWh --set CFactor=1.0abc",
            {"Gas Used                  :    766    Cubic Metres",
             "Rate 1 KWHr Used          :     50    at    £0.1x per KWhr =    £5.00",
             "Total Cost (inc    5% VAT):   £419.53"},
            " 01/04/2015,    2000, Cubic Metres,   £0.1x, 0.05000,    50,     36kWh,     "
            "1.0abc, £20.00,  5.0%,  £5.00,  £1.00");
        row("1,461 days to a current date, amounts over £10,000", "en_GB",
            "--date1 2022-12-31 --date2 2026-12-31 --read2 99,999",
            {"Cost To Date (1461 Days)", "------------------------",
             "Rate 2 KWHr Used          : 998190    at £0.05000 per KWhr = 49,909.50",
             "Total Cost (exc VAT)      : 50,229.50 (inc Fixed Charge: 1 * £20.00)",
             "Total Cost (inc    5% VAT): 52,724.98", "Cost per Day              :    £36.09"},
            " 31/12/2026,   99999, Cubic Metres, 0.10000, 0.05000,    50,    36.000,   1.000000, "
            "£20.00,  5.0%,  £5.00,  £1.00");
        row("a credit", "en_GB", "--set Disc1=99 --set Disc2=99",
            {"Total Cost (exc VAT)      :   -£70.50 (inc Fixed Charge: 1 * £20.00)",
             "Total Cost (inc    5% VAT):  -£173.03", "Cost per Day              :    -£1.92"},
            " 01/04/2015,     112, Cubic Metres, 0.10000, 0.05000,    50,    36.000,   1.000000, "
            "£20.00,  5.0%, £99.00, £99.00");
        row("de_DE", "de_DE", "--date2 2015-04-01",
            {"Rate 1 KWHr Used          :     50    at  0.10000 per KWhr =   5.00_€",
             "Total Cost (exc VAT)      :   23.50_€ (inc Fixed Charge: 1 * 20.00_€)"},
            "   01.04.15,     112, Cubic Metres, 0.10000, 0.05000,    50,    36.000,   1.000000, "
            " 20.00,  5.0%, 5.00_€, 1.00_€");
        row("hr_HR", "hr_HR", "--date2 2015-04-01",
            {"To                        :   01. 04. 2015.",
             "Total Cost (inc    5% VAT):  23.68_kn"},
            "01. 04. 2015.,     112, Cubic Metres, 0.10000, 0.05000,    50,    36.000,   "
            "1.000000,  20.00,  5.0%,   5.00,   1.00");
    }
    void savedCalculations() {
        QFETCH(QString, locale);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, lines);
        TemporaryInstallation dir;
        install(dir);
        const Run r = run(dir.path(), QStringList{"calc", "--save"} + Example + arguments, locale);
        QCOMPARE(r.err, QString());
        const QStringList printed = r.out.split(u'\n');
        for (const QString& line : lines)
            QVERIFY2(printed.contains(QString(line).replace(u'_', QChar(0xA0))), qPrintable(line));
        QFETCH(QString, record);
        const QString history =
            QString::fromUtf8(dir.readFile(QStringLiteral("Log/Meterwin_H.log")));
        QCOMPARE(history.section(QStringLiteral("\r\n"), -2, -2),
                 record.replace(u'_', QChar(0xA0)));
    }

    // Where the locale writes dates in its own digits (ar_EG also with
    // right-to-left marks), dates typed in ASCII or in those digits calculate,
    // and the saved date is where the next run starts.
    void ownDigitsSavedAndContinued_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("date2"); // as the locale writes 1 April 2015
        QTest::newRow("ar_EG") << QStringLiteral("ar_EG") << QStringLiteral("١\u200F/٤\u200F/٢٠١٥");
        QTest::newRow("bn_BD, two-digit year")
            << QStringLiteral("bn_BD") << QStringLiteral("১/৪/১৫");
    }
    void ownDigitsSavedAndContinued() {
        QFETCH(QString, locale);
        QFETCH(QString, date2);
        TemporaryInstallation dir;
        install(dir);
        const QJsonObject saved = run(dir.path(),
                                      {"calc", "--json", "--save", "--date1", "1/1/2015", "--read1",
                                       "100", "--date2", date2, "--read2", "112"},
                                      locale)
                                      .json();
        QCOMPARE(saved.value("Date2").toString() + u' ' + saved.value("TCO2P").toString(),
                 date2 + " 107.8");
        const QJsonObject next =
            run(dir.path(), {"calc", "--json", "--date2", "2015-07-01", "--read2", "150"}, locale)
                .json();
        QCOMPARE(next.value("Date1").toString() + u' ' + next.value("NRead1").toString(),
                 date2 + " 112");
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
