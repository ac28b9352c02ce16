#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

// The tariff of the worked example, given for this run only.
const QStringList exampleTariff = {
    "--set", "CalVal=36",   "--set", "CFactor=1",  "--set", "BreakP=50", "--set", "NRate1=0.1",
    "--set", "NRate2=0.05", "--set", "SCharge=20", "--set", "Disc1=5",   "--set", "VRate=5",
    "--set", "Disc2=1",     "--set", "CORate=0.2", "--set", "Predict=4"};

const QStringList exampleReadings = {"--date1", "2015-01-01", "--read1", "100",
                                     "--date2", "01/04/2015", "--read2", "112"};

// The block after its first line, which holds the time of the run.
const char* const exampleBlock =
    "Calorific Value  : 36.000\n"
    "Correction Factor:  1.000000\n"
    "\n"
    "Cost To Date ( 90 Days)\n"
    "-----------------------\n"
    "From                      :   01/01/2015\n"
    "To                        :   01/04/2015\n"
    "Gas Used                  :     12    Cubic Metres\n"
    "KWHr Used                 :    120    (Rate 2 after 1 * 50 KWHr)\n"
    "Rate 1 KWHr Used          :     50    at £0.10000 per KWhr =    £5.00\n"
    "Rate 2 KWHr Used          :     70    at £0.05000 per KWhr =    £3.50\n"
    "Total Cost (exc VAT)      :    £23.50 (inc Fixed Charge: 1 * £20.00)\n"
    "Total Cost (inc    5% VAT):    £23.68\n"
    "Cost per Day              :     £0.26\n"
    "\n"
    "Cost Prediction Over  4 Quarter(s) (365 Days)\n"
    "---------------------------------------------\n"
    "From                      :   01/01/2015\n"
    "Gas Used                  :     49    Cubic Metres\n"
    "KWHr Used                 :    490    (Rate 2 after 4 * 50 KWHr)\n"
    "Rate 1 KWHr Used          :    200    at £0.10000 per KWhr =   £20.00\n"
    "Rate 2 KWHr Used          :    290    at £0.05000 per KWhr =   £14.50\n"
    "Total Cost (exc VAT)      :    £94.50 (inc Fixed Charge: 4 * £20.00)\n"
    "Total Cost (inc    5% VAT):    £95.23\n"
    "Cost per Day              :     £0.26\n"
    "---------------------------------------------------------------------\n"
    "\n";

struct Run {
    int status = -1;
    QString out;
    QString err;
};

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

    QByteArray defaultTariff;

    // A fresh installation with the default tariff; the test works in it.
    void install(const TemporaryInstallation& dir, bool withData = true) {
        dir.makeDirectory(QStringLiteral("Log"));
        if (withData) {
            dir.makeDirectory(QStringLiteral("Data"));
            dir.writeFile(QStringLiteral("Data/Meterwin.ini"), defaultTariff);
        }
    }

    Run run(const QString& directory, const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_GB.UTF-8"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(MW_CLI_PATH),
                      QStringList{QStringLiteral("--dir"), directory} + arguments);
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

    void workedExamplePrintsTheReport() {
        TemporaryInstallation dir;
        install(dir);
        const Run r = run(dir.path(), QStringList{"calc"} + exampleReadings + exampleTariff);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        const qsizetype firstLineEnd = r.out.indexOf(u'\n');
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d$"))
                    .match(r.out.left(firstLineEnd))
                    .hasMatch());
        QCOMPARE(r.out.mid(firstLineEnd + 1), QString::fromUtf8(exampleBlock));
        // Nothing is written without --save, not even a start entry.
        QCOMPARE(dir.readFile(QStringLiteral("Log/Meterwin.log")).count('\n'), 6);
    }

    void jsonShowsEveryFieldAsText() {
        TemporaryInstallation dir;
        install(dir);
        const Run r =
            run(dir.path(), QStringList{"calc", "--json"} + exampleReadings + exampleTariff);
        QCOMPARE(r.status, 0);
        const QJsonObject json = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(json.value("TVCost").toString(), QStringLiteral("£23.68"));
        QCOMPARE(json.value("TCO2P").toString(), QStringLiteral("107.8"));
        QCOMPARE(json.value("NRate1").toString(), QStringLiteral("£0.10000"));
        QCOMPARE(json.value("Date2").toString(), QStringLiteral("01/04/2015"));
        QCOMPARE(json.value("ConvertF").toString(), QStringLiteral("0"));
        QCOMPARE(json.size(), 5 + 11 + 24 + 3);
    }

    // Saving appends both entries as the Save command does; the next run
    // starts from the reading it saved.
    void saveAndContinueFromTheLastReading() {
        TemporaryInstallation dir;
        install(dir);
        QCOMPARE(run(dir.path(), QStringList{"calc", "--save", "--notes", "first quarter"} +
                                     exampleReadings + exampleTariff)
                     .status,
                 0);
        const QByteArray results = dir.readFile(QStringLiteral("Log/Meterwin.log"));
        QVERIFY(results.contains("\r\nfirst quarter\r\nCalorific Value  : 36.000\r\n"));
        QVERIFY(results.endsWith("\r\n" + QByteArray(69, '-') + "\r\n\r\n\r\n"));
        QVERIFY(!results.contains("Meterwin Started"));
        const QByteArray history = dir.readFile(QStringLiteral("Log/Meterwin_H.log"));
        QVERIFY(history.endsWith(" 01/04/2015,     112, Cubic Metres, 0.10000, 0.05000,    50,"
                                 "    36.000,   1.000000, \xc2\xa3"
                                 "20.00,  5.0%,  \xc2\xa3"
                                 "5.00,  \xc2\xa3"
                                 "1.00\r\n"));

        const Run next = run(
            dir.path(), {"calc", "--json", "--date2", "2015-07-01", "--read2", "150", "--save"});
        QCOMPARE(next.status, 0);
        const QJsonObject json = QJsonDocument::fromJson(next.out.toUtf8()).object();
        QCOMPARE(json.value("Date1").toString(), QStringLiteral("01/04/2015"));
        QCOMPARE(json.value("NRead1").toString(), QStringLiteral("112"));
        QCOMPARE(json.value("TDays").toString(), QStringLiteral("91"));
    }

    void notesCannotForgeLines() {
        TemporaryInstallation dir;
        install(dir);
        const Run r = run(dir.path(), QStringList{"calc", "--save", "--notes",
                                                  "paid\nTo                        :   x"} +
                                          exampleReadings + exampleTariff);
        QCOMPARE(r.status, 0);
        const QByteArray results = dir.readFile(QStringLiteral("Log/Meterwin.log"));
        QCOMPARE(results.count("\r\nTo  "), 1);
        QVERIFY(results.contains("\r\npaid To                        :   x\r\n"));
    }

    void exitStatus_data() {
        QTest::addColumn<bool>("withData");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("messages");
        QTest::newRow("refused by the checks")
            << true << QStringList{"calc", "--date2", "2015-04-01", "--read2", "112"} << 1
            << "Date 1 must be a valid date\nMeter Reading 1 must be between 1 and 999900\n";
        QTest::newRow("setting out of range")
            << true << (QStringList{"calc", "--set", "VRate=60"} + exampleReadings) << 1
            << "VAT Rate must be 0 or between 1 and 50%\n";
        QTest::newRow("data directory missing")
            << false << QStringList{"calc", "--date2", "2015-04-01", "--read2", "112"} << 2
            << "The data directory does not exist.\nTo restore the data directory\n"
               "reinstall the program.\nThe program will now terminate.\n";
        QTest::newRow("unknown setting")
            << true << QStringList{"calc", "--set", "Colour=1"} + exampleReadings << 64
            << QString();
        QTest::newRow("no command")
            << true << QStringList{"--date2", "x", "--read2", "1"} << 64 << QString();
    }
    void exitStatus() {
        QFETCH(bool, withData);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, messages);
        TemporaryInstallation dir;
        install(dir, withData);
        const Run r = run(dir.path(), arguments);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, QString());
        if (status == 64)
            QVERIFY(r.err.startsWith(QStringLiteral("meterwin-cli: ")));
        else
            QCOMPARE(r.err, messages);
    }

    void helpExplainsTheCommand() {
        const Run r = run(QStringLiteral("."), {"--help"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("Usage: meterwin-cli [--dir DIR] calc")));
        QVERIFY(r.out.contains(QStringLiteral("Exit status: 0 calculated")));
    }
};

MW_REGISTER_TEST(TestCommandLine)
#include "tst_cli.moc"
