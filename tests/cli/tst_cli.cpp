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
};

} // namespace

// meterwin-cli as a user runs it, in a fresh installation with the default tariff.
class TestCommandLine : public QObject {
    Q_OBJECT

    static void install(const TemporaryInstallation& dir) {
        dir.makeDirectory(QStringLiteral("Log"));
        dir.makeDirectory(QStringLiteral("Data"));
        QVERIFY(QFile::copy(MW_SOURCE_DIR "/dist/Data/Meterwin.ini", "Data/Meterwin.ini"));
    }

    Run run(const QString& directory, const QStringList& arguments,
            const QString& locale = QStringLiteral("en_GB"), const QString& output = {}) {
        qputenv("LC_ALL", locale.toUtf8() + ".UTF-8");
        QProcess process;
        process.setStandardOutputFile(output); // none when empty
        process.start(QStringLiteral(MW_CLI_PATH), QStringList{"--dir", directory} + arguments);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

private slots:
    // The worked example and `arguments`, saved: report lines, record, where the next run starts.
    void savedCalculations_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("next");
        QTest::newRow("grouped readings, settings with trailing text")
            << "en_GB"
            << QStringList{"--read1",     "1,234", "--read2",      "2,000", "--set",
                           "NRate1=0.1x", "--set", "CalVal=36kWh", "--set", "CFactor=1.0abc"}
            << QStringList{"Gas Used                  :    766    Cubic Metres",
                           "Total Cost (inc    5% VAT):   £419.53"}
            << " 01/04/2015,    2000, Cubic Metres,   £0.1x, 0.05000,    50,     36kWh,     "
               "1.0abc, £20.00,  5.0%,  £5.00,  £1.00"
            << "01/04/2015 2000";
        const QString date = QStringLiteral("١\u200F/٤\u200F/٢٠١٥");
        QTest::newRow("ar_EG, its own digits and right-to-left marks")
            << "ar_EG" << QStringList{"--date2", date} << QStringList()
            << u' ' + date +
                   ",     112, Cubic Metres, 0.10000, 0.05000,    50,    36.000,   "
                   "1.000000,  20.00,  5.0%,   5.00,   1.00"
            << date + " 112";
    }

    // The results log ends with the note, which cannot forge a line, and the report as printed.
    void savedCalculations() {
        QFETCH(QString, locale);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, lines);
        TemporaryInstallation dir;
        install(dir);
        const Run r = run(dir.path(), QStringList{"calc", "--save"} + Example + arguments, locale);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        for (const QString& line : lines)
            QVERIFY2(r.out.split(u'\n').contains(line), qPrintable(line));
        const QString report = r.out.section(u'\n', 1); // after the date and time
        QVERIFY(report.startsWith("paid To      :   x\nCalorific Value"));
        const QByteArray results = dir.readFile(QStringLiteral("Log/Meterwin.log"));
        QVERIFY(
            results.endsWith(("\r\n" + QString(report).replace(u'\n', "\r\n") + "\r\n").toUtf8()));
        const QByteArray history = dir.readFile(QStringLiteral("Log/Meterwin_H.log"));
        QTEST(QString::fromUtf8(history).section(QStringLiteral("\r\n"), -2, -2), "record");
        const QStringList nextRun{"calc", "--json", "--date2", "2027-07-01", "--read2", "999000"};
        const QJsonObject next =
            QJsonDocument::fromJson(run(dir.path(), nextRun, locale).out.toUtf8()).object();
        QTEST(next.value("Date1").toString() + u' ' + next.value("NRead1").toString(), "next");
        QCOMPARE(next.size(),
                 5 + 11 + 24 + 3 + 1); // entries, settings, results, check boxes, values
        QCOMPARE(dir.readFile(QStringLiteral("Log/Meterwin.log")), results);
    }

    // The report or usage on standard output, messages on standard error.
    void exitStatus_data() {
        QTest::addColumn<QString>("setup"); // what differs from a fresh installation
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("shown"); // usage, wrong command line: their start
        const QStringList reading{"calc", "--date2", "2015-04-01", "--read2", "112"};
        const QString emoji = QStringLiteral("\U0001F525");
        QTest::newRow("help") << "" << QStringList{"--help"} << 0
                              << "Usage: meterwin-cli [--dir DIR] calc";
        QTest::newRow("refused, notes of 75 emoji taken")
            << "" << reading + QStringList{"--set", "VRate=60", "--notes", emoji.repeated(75)} << 1
            << "VAT Rate must be 0 or between 1 and 50%\nDate 1 must be a valid date\n"
               "Meter Reading 1 must be between 1 and 999900\n";
        QTest::newRow("data directory missing")
            << "no Data" << reading << 2
            << "The data directory does not exist.\nTo restore the data directory\nreinstall the "
               "program.\nThe program will now terminate.\n";
        QTest::newRow("configuration file of 4 GiB, refused unread")
            << "4 GiB configuration" << reading << 2
            << "The configuration file is corrupted.\nReinstall the program to restore the "
               "file.\nThe program will now terminate.\n";
        QTest::newRow("report to a full disk")
            << "/dev/full" << QStringList{"calc"} + Example.mid(0, 8) << 2
            << "meterwin-cli: cannot write to standard output: No space left on device\n";
        QTest::newRow("unknown setting") << "" << reading + QStringList{"--set", "Colour=1"} << 64
                                         << "meterwin-cli: --set takes";
        QTest::newRow("notes of 76 emoji refused")
            << "" << reading + QStringList{"--notes", emoji.repeated(76)} << 64
            << "meterwin-cli: --notes takes at most 75 characters";
    }

    void exitStatus() {
        QFETCH(QString, setup);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, shown);
        TemporaryInstallation dir;
        install(dir);
        if (setup == "4 GiB configuration") // sparse: nothing of it is on the disk
            QVERIFY(QFile(dir.path() + "/Data/Meterwin.ini").resize(qint64(4) << 30));
        const Run r = run(setup == "no Data" ? dir.path() + "/Log" : dir.path(), arguments,
                          QStringLiteral("en_GB"), setup.startsWith(u'/') ? setup : QString());
        QCOMPARE(r.status, status);
        QCOMPARE(status == 0 ? r.err : r.out, QString());
        QCOMPARE(status == 0 || status == 64 ? (r.out + r.err).left(shown.size()) : r.err, shown);
    }
};

MW_REGISTER_TEST(TestCommandLine)
#include "tst_cli.moc"
