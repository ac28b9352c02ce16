#include "WindowFixture.h"
#include "platform/InstanceMarker.h"
#include "support/TestMain.h"

#include <QDir>
#include <QProcess>

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    // A corrupted configuration ends the program with its one message while
    // loading, before any log is made, and without a window.
    void endsWhileLoading() {
        WindowSession w({}, SaveData::Offered,
                        QByteArray(ExampleConfiguration).replace("CORate=0.2\r\n", ""));
        QVERIFY(!w.window);
        QCOMPARE(w.t.messages.shown().size(), 1);
        QCOMPARE(QDir(QStringLiteral("Log")).entryList(QDir::Files), QStringList());
    }

    // Exactly the one switch, alone, lets readings through that the checks
    // refuse (here only 9 apart). Save Data is there where the user may
    // replace the configuration file; where not, its Alt+D does nothing.
    void errorCheckSwitch_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<SaveData>("saveData");
        QTest::addColumn<QString>("units"); // NRUnits after Calculate
        QTest::newRow("the switch")
            << QStringList{"-InhibitErrorCheck"} << SaveData::Offered << "9";
        QTest::newRow("none, may not replace") << QStringList{} << SaveData::NotOffered << "";
        QTest::newRow("other case") << QStringList{"-inhibiterrorcheck"} << SaveData::Offered << "";
        QTest::newRow("with another")
            << QStringList{"-InhibitErrorCheck", "-x"} << SaveData::Offered << "";
    }
    void errorCheckSwitch() {
        QFETCH(QStringList, arguments);
        QFETCH(SaveData, saveData);
        QFETCH(QString, units);
        WindowSession w(arguments, saveData);
        QCOMPARE(w.control<QPushButton>("Save_Defaults")->isEnabled(),
                 saveData == SaveData::Offered);
        w.typeReadings(QStringLiteral("109"));
        w.click("Calc");
        QCOMPARE(w.text("NRUnits"), units);
        QCOMPARE(w.t.messages.shown().size(), units.isEmpty() ? 1 : 0);
        QVERIFY(saveData == SaveData::Offered || w.altKeysIgnored("Notes", Qt::Key_D));
    }

    // The real program holds the instance marker (in TMPDIR); a second
    // instance sees it, holds nothing, and works all the same.
    void secondInstance() {
        TemporaryInstallation first;
        for (const char* directory : {"Data", "Log", "tmp"})
            first.makeDirectory(QString::fromLatin1(directory));
        first.writeFile(QStringLiteral("Data/Meterwin.ini"), ExampleConfiguration);
        const QByteArray temporary = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(first.path() + "/tmp"));
        QProcess process;
        process.start(QStringLiteral(METERWIN_PATH), {});
        // The first instance has loaded when its start is in the results log.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QStringLiteral("Log/Meterwin.log")), 20000);
        const bool running = PreviousInstanceRunning(QStringLiteral("Meterwin"));
        qputenv("TMPDIR", temporary);
        QVERIFY(running);
        WindowSession second;
        second.typeReadings();
        second.click("Calc");
        QCOMPARE(second.text("TVCost"), QStringLiteral("£23.68"));
        QCOMPARE(process.state(), QProcess::Running); // ended by its destructor
    }
};

MW_REGISTER_TEST(TestStartup)
#include "tst_startup.moc"
