#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>

class TestCommandLineHistory : public QObject {
    Q_OBJECT
    TemporaryInstallation dir; // calc --save writes its history log in en_GB, then a damaged line

    // clang-format off
private slots:
    void initTestCase() {
        qputenv("LC_ALL", "en_GB.UTF-8");
        for (const char* path : {"Data", "Log", "noLog/Data"}) dir.makeDirectory(path);
        for (const char* ini : {"Data/Meterwin.ini", "noLog/Data/Meterwin.ini"}) QVERIFY(QFile::copy(MW_SOURCE_DIR "/dist/Data/Meterwin.ini", ini));
        QCOMPARE(QProcess::execute(MW_CLI_PATH, {"calc", "--save", "--date1=1 Jan 2015", "--read1=100", "--date2=1 Apr 2015", "--read2=112"}), 0);
        QCOMPARE(QProcess::execute(MW_CLI_PATH, {"calc", "--save", "--date2=1 Jul 2015", "--read2=150"}), 0);
        dir.writeFile("Log/Meterwin_H.log", dir.readFile("Log/Meterwin_H.log") + "damaged, 200\r\n");
    }
    void history_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("shown"); // in standard output followed by standard error
        QTest::addColumn<int>("periods"); // in the JSON printed
        QTest::newRow("CSV as calc shows the figures, the damaged line counted") << QStringList{"history"} << 0
            << "from,to,days,readingFrom,readingTo,volume,unit,kWh,kWhPerDay,cost,costPerDay\r\n"
               "2015-04-01,2015-07-01,91,112,150,38,m3,426,4.68,57.84,0.64\r\nSkipped 1 record: line 13\n" << -1;
        QTest::newRow("JSON re-priced from 1 Apr 2015") << QStringList{"history", "--json", "--reprice", "--from=1 Apr 2015"}
            << 0 << "\"repricedCost\": 57.84}" << 1;
        QTest::newRow("no history log: 2") << QStringList{"--dir=noLog", "history"} << 2 << "cannot read the history log" << -1;
        QTest::newRow("--csv with --json: 64") << QStringList{"history", "--csv", "--json"} << 64 << "not both" << -1;
    }
    void history() {
        QFETCH(QStringList, arguments);
        QFETCH(int, periods);
        QProcess process;
        process.start(MW_CLI_PATH, arguments);
        QVERIFY(process.waitForFinished(60000));
        QTEST(process.exitCode(), "status");
        const QByteArray output = process.readAllStandardOutput();
        const QString printed = QString::fromUtf8(output + process.readAllStandardError());
        QFETCH(QString, shown);
        QVERIFY2(printed.contains(shown), qPrintable(printed));
        if (periods >= 0)
            QCOMPARE(QJsonDocument::fromJson(output)["periods"].toArray().size(), periods);
    }
    // clang-format on
};

MW_REGISTER_TEST(TestCommandLineHistory)
#include "tst_cli_history.moc"
