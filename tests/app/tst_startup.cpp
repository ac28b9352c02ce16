#include "WindowFixture.h"
#include "platform/InstanceMarker.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString CrLf = QStringLiteral("\r\n");

Message configurationMessage(const QString& firstLine) {
    return {MessageIcon::Critical, QStringLiteral("Meterwin Configuration File Error"),
            firstLine + CrLf + QStringLiteral("Reinstall the program to restore the file.") + CrLf +
                QStringLiteral("The program will now terminate."),
            MessageButtons::Ok};
}

const Message DataDirectoryMissing{MessageIcon::Critical,
                                   QStringLiteral("Meterwin Data Directory Error"),
                                   QStringLiteral("The data directory does not exist.\r\n"
                                                  "To restore the data directory\r\n"
                                                  "reinstall the program.\r\n"
                                                  "The program will now terminate."),
                                   MessageButtons::Ok};

const Message ReadingsTooClose{MessageIcon::Exclamation, QStringLiteral("Meterwin Data Error"),
                               QStringLiteral("Meter Reading 2 must be at least 10 greater than "
                                              "Meter Reading 1\n"),
                               MessageButtons::Ok};

QStringList logFiles() {
    return QDir(QStringLiteral("Log")).entryList(QDir::Files);
}

// The example configuration with one line replaced (or taken out when `by` is empty).
QByteArray configurationWith(const QByteArray& line, const QByteArray& by) {
    QByteArray text = ExampleConfiguration();
    return text.replace(line + "\r\n", by.isEmpty() ? QByteArray() : by + "\r\n");
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    // Without Data/ the program ends with its message before it reads the
    // configuration or makes a log, and no window appears.
    void missingDataDirectory() {
        Installation installation;
        QVERIFY(QDir(QStringLiteral("Data")).removeRecursively());
        const auto window = StartMeterwinMain(installation.t.program, {}, FixedPermission(true));
        QVERIFY(!window);
        QCOMPARE(installation.t.messages.shown(), QList<Message>{DataDirectoryMissing});
        QCOMPARE(logFiles(), QStringList());
        QCOMPARE(installation.t.sheet().ConfigEcho, QString());
    }

    void badConfiguration_data() {
        QTest::addColumn<QByteArray>("configuration");
        QTest::addColumn<Message>("message");
        const Message corrupted =
            configurationMessage(QStringLiteral("The configuration file is corrupted."));
        QTest::newRow("missing") << QByteArray()
                                 << configurationMessage(QStringLiteral(
                                        "The configuration file is missing or corrupted."));
        QTest::newRow("key missing") << configurationWith("CORate=0.2", {}) << corrupted;
        QTest::newRow("section missing") << configurationWith("[Run]", {}) << corrupted;
        QTest::newRow("out of range") << configurationWith("CalVal=36", "CalVal=200") << corrupted;
    }

    // A missing or corrupted configuration ends the program with its message,
    // before the logs are made.
    void badConfiguration() {
        QFETCH(QByteArray, configuration);
        QFETCH(Message, message);
        Installation installation;
        if (configuration.isEmpty())
            QVERIFY(QFile::remove(QStringLiteral("Data/Meterwin.ini")));
        else
            installation.directory.writeFile(QStringLiteral("Data/Meterwin.ini"), configuration);
        const auto window = StartMeterwinMain(installation.t.program, {}, FixedPermission(true));
        QVERIFY(!window);
        QCOMPARE(installation.t.messages.shown(), QList<Message>{message});
        QCOMPARE(logFiles(), QStringList());
    }

    void errorCheckSwitch_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("checksOff");
        QTest::newRow("the switch") << QStringList{"-InhibitErrorCheck"} << true;
        QTest::newRow("none") << QStringList{} << false;
        QTest::newRow("other case") << QStringList{"-inhibiterrorcheck"} << false;
        QTest::newRow("with another") << QStringList{"-InhibitErrorCheck", "-x"} << false;
        QTest::newRow("twice") << QStringList{"-InhibitErrorCheck", "-InhibitErrorCheck"} << false;
        QTest::newRow("trailing space") << QStringList{"-InhibitErrorCheck "} << false;
    }

    // Exactly the one switch, alone, lets readings through that the checks
    // refuse (here two readings only 9 apart).
    void errorCheckSwitch() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, checksOff);
        WindowSession w(arguments);
        w.type("Date2", QStringLiteral("01/04/2015"));
        w.type("NRead2", QStringLiteral("109"));
        w.type("Date1", QStringLiteral("01/01/2015"));
        w.type("NRead1", QStringLiteral("100"));
        w.click("Calc");
        if (checksOff) {
            QCOMPARE(w.t.messages.shown(), QList<Message>{});
            QCOMPARE(w.text("NRUnits"), QStringLiteral("9"));
        } else {
            QCOMPARE(w.t.messages.shown(), QList<Message>{ReadingsTooClose});
            QCOMPARE(w.text("NRUnits"), QString());
        }
    }

    void saveDataAvailability_data() {
        QTest::addColumn<bool>("mayReplace");
        QTest::newRow("may replace the file") << true;
        QTest::newRow("may not") << false;
    }

    void saveDataAvailability() {
        QFETCH(bool, mayReplace);
        WindowSession w({}, mayReplace);
        QCOMPARE(w.button("Save_Defaults")->isEnabled(), mayReplace);
        QVERIFY(w.button("Reset_Defaults")->isEnabled());
        QVERIFY(!w.button("Save")->isEnabled());
    }

    // With RunOnTop 2 in the file the window is on top from its first appearance.
    void onTopFromTheStart() {
        Installation installation;
        installation.directory.writeFile(QStringLiteral("Data/Meterwin.ini"),
                                         configurationWith("RunOnTop=1", "RunOnTop=2"));
        const auto window = StartMeterwinMain(installation.t.program, {}, FixedPermission(true));
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window->findChild<QCheckBox*>(QStringLiteral("OnTop"))->isChecked());
    }

    // The real program holds the instance marker; a second instance sees it,
    // holds nothing, and works all the same. Once the first has gone, the
    // next start takes the marker.
    void secondInstance() {
        QTemporaryDir temporary;
        QTemporaryDir firstInstallation;
        QVERIFY(QDir(firstInstallation.path()).mkpath(QStringLiteral("Data")));
        QVERIFY(QDir(firstInstallation.path()).mkpath(QStringLiteral("Log")));
        QFile ini(firstInstallation.filePath(QStringLiteral("Data/Meterwin.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(ExampleConfiguration());
        ini.close();

        QProcess first;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temporary.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_GB.UTF-8"));
        first.setProcessEnvironment(environment);
        first.setWorkingDirectory(firstInstallation.path());
        first.start(QStringLiteral(METERWIN_PATH), {});
        QVERIFY(first.waitForStarted());
        const QString marker = QDir(temporary.path()).filePath(QStringLiteral("Meterwin.lock"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 20000);
        // The first instance has loaded when its start is in the results log.
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(firstInstallation.filePath(QStringLiteral("Log/Meterwin.log"))), 20000);

        const QByteArray previousTemporary = qgetenv("TMPDIR");
        qputenv("TMPDIR", temporary.path().toLocal8Bit());
        const bool running = PreviousInstanceRunning(QStringLiteral("Meterwin"));
        {
            WindowSession second;
            second.type("Date2", QStringLiteral("01/04/2015"));
            second.type("NRead2", QStringLiteral("112"));
            second.type("Date1", QStringLiteral("01/01/2015"));
            second.type("NRead1", QStringLiteral("100"));
            second.click("Calc");
            QCOMPARE(second.text("TVCost"), QStringLiteral("£23.68"));
        }
        const bool stillRunning = first.state() == QProcess::Running;
        first.kill();
        first.waitForFinished();
        const bool takenOver = !PreviousInstanceRunning(QStringLiteral("Meterwin"));
        qputenv("TMPDIR", previousTemporary);

        QVERIFY(running);
        QVERIFY(stillRunning);
        QVERIFY(takenOver);
    }
};

MW_REGISTER_TEST(TestStartup)
#include "tst_startup.moc"
