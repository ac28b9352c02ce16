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

    Run run(const QString& directory, const QStringList& arguments) {
        QProcess process;
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

    // Where the locale writes dates in its own digits (ar_EG also with
    // right-to-left marks), dates typed in ASCII or in those digits calculate,
    // and the saved date is where the next run starts.
    void ownDigitsSavedAndContinued_data() {
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("date2"); // as the locale writes 1 April 2015
        QTest::newRow("ar_EG") << QByteArray("ar_EG.UTF-8")
                               << QStringLiteral("١\u200F/٤\u200F/٢٠١٥");
        QTest::newRow("bn_BD, two-digit year")
            << QByteArray("bn_BD.UTF-8") << QStringLiteral("১/৪/১৫");
    }
    void ownDigitsSavedAndContinued() {
        QFETCH(QByteArray, locale);
        QFETCH(QString, date2);
        qputenv("LC_ALL", locale);
        const auto restore = qScopeGuard([] { qputenv("LC_ALL", "en_GB.UTF-8"); });
        TemporaryInstallation dir;
        install(dir);
        const QJsonObject saved =
            run(dir.path(), {"calc", "--json", "--save", "--date1", "1/1/2015", "--read1", "100",
                             "--date2", date2, "--read2", "112"})
                .json();
        QCOMPARE(saved.value("Date2").toString() + u' ' + saved.value("TCO2P").toString(),
                 date2 + " 107.8");
        const QJsonObject next =
            run(dir.path(), {"calc", "--json", "--date2", "2015-07-01", "--read2", "150"}).json();
        QCOMPARE(next.value("Date1").toString() + u' ' + next.value("NRead1").toString(),
                 date2 + " 112");
    }

    void exitStatus_data() {
        QTest::addColumn<bool>("withData");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("messages"); // a wrong command line: their start
        const QStringList reading{"calc", "--date2", "2015-04-01", "--read2", "112"};
        // Refused: the settings' messages, then the readings'.
        QTest::newRow("refused") << true << reading + QStringList{"--set", "VRate=60"} << 1
                                 << "VAT Rate must be 0 or between 1 and 50%\nDate 1 must be a "
                                    "valid date\nMeter Reading 1 must be between 1 and 999900\n";
        QTest::newRow("data directory missing")
            << false << reading << 2
            << "The data directory does not exist.\nTo restore the data directory\n"
               "reinstall the program.\nThe program will now terminate.\n";
        QTest::newRow("unknown setting") << true << reading + QStringList{"--set", "Colour=1"} << 64
                                         << "meterwin-cli: --set takes";
    }

    void exitStatus() {
        QFETCH(QString, messages);
        TemporaryInstallation dir;
        install(dir);
        QFETCH(bool, withData);
        QFETCH(QStringList, arguments);
        const Run r = run(withData ? dir.path() : dir.path() + "/Log", arguments); // no Data in Log
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
