#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

// Both programs as a shell user and a script meet them, with no display.
class TestCommandLineConventions : public QObject {
    Q_OBJECT

    TemporaryInstallation dir; // the working directory of the programs run

private slots:
    void initTestCase() {
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            qunsetenv(name);
        dir.makeDirectory(QStringLiteral("Log"));
        dir.makeDirectory(QStringLiteral("Data"));
        QVERIFY(QFile::copy(MW_SOURCE_DIR "/dist/Data/Meterwin.ini", "Data/Meterwin.ini"));
    }

    void conventions_data() {
        QTest::addColumn<QStringList>("command"); // the program's name, then its arguments
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");   // contained in standard output
        QTest::addColumn<QJsonObject>("json"); // members of its "values", else of the object
        QTest::addColumn<QString>("locale");
        const auto row = [](const char* name, const QStringList& command, int status,
                            const QString& output, const QJsonObject& json = {},
                            const char* locale = "en_GB") {
            QTest::newRow(name) << command << status << output << json << QString(locale);
        };
        const QStringList calc{"meterwin-cli", "calc", "--dir=.",    "--date1=1 Jan 2015",
                               "--read1",      "100",  "--read2=112"};
        row("--version", {"meterwin-cli", "--version"}, 0, "meterwin-cli 2.0\n");
        row("--help", {"meterwin-cli", "--help"}, 0, "  --version          shows the version\n");
        row("an unknown option", {"meterwin-cli", "calc", "--colour=red"}, 64, "");
        row("en_GB: £39.54 is 39.54, 01/04/2015 is 2015-04-01, no prediction is null",
            calc + QStringList{"--json", "--date2", "01/04/2015", "--set=Predict=0"}, 0,
            "\"TVCost\": \"£39.54\"",
            {{"TVCost", 39.54}, {"TVCostP", QJsonValue::Null}, {"Date2", "2015-04-01"}});
        row("de_DE: 39.54 € is 39.54, 01.04.15 is 2015-04-01",
            calc + QStringList{"--json", "--date2=01.04.15"}, 0, "\"TVCost\": \"39.54\u00A0€\"",
            {{"TVCost", 39.54}, {"NRate1", 0.0599}, {"Date2", "2015-04-01"}}, "de_DE");
        row("refused: the messages as JSON",
            calc + QStringList{"--json", "--date2=2015-04-01", "--set", "VRate=60"}, 1, "",
            {{"messages", QJsonArray{"VAT Rate must be 0 or between 1 and 50%"}}});
        row("meterwin --help", {"meterwin", "--help"}, 0, "Usage: meterwin [-InhibitErrorCheck]\n");
        row("meterwin --version", {"meterwin", "--version"}, 0, "meterwin 2.0\n");
    }
    void conventions() {
        QFETCH(QString, locale);
        QFETCH(QStringList, command);
        QFETCH(QString, output);
        QFETCH(QJsonObject, json);
        qputenv("LC_ALL", locale.toUtf8() + ".UTF-8"); // for the program started
        QProcess process;
        process.start(command.takeFirst() == "meterwin" ? METERWIN_PATH : MW_CLI_PATH, command);
        QVERIFY(process.waitForFinished(60000));
        QTEST(process.exitCode(), "status");
        const QByteArray printed = process.readAllStandardOutput();
        QVERIFY2(QString::fromUtf8(printed).contains(output), printed.constData());
        const QJsonObject object = QJsonDocument::fromJson(printed).object();
        const QJsonObject values = object.value("values").toObject();
        for (auto m = json.begin(); m != json.end(); ++m)
            QCOMPARE(values.contains(m.key()) ? values[m.key()] : object[m.key()], m.value());
    }
};

MW_REGISTER_TEST(TestCommandLineConventions)
#include "tst_cli_conventions.moc"
