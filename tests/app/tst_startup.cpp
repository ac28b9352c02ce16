#include "WindowFixture.h"
#include "platform/InstanceMarker.h"
#include "support/TestMain.h"

#include <QDir>
#include <QProcess>

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void endsWhileLoading_data() {
        QTest::addColumn<QByteArray>("configuration"); // null: no Data/ at all
        QTest::addColumn<QString>("title");            // of the one message
        QTest::newRow("no data directory") << QByteArray() << "Meterwin Data Directory Error";
        QTest::newRow("corrupted configuration")
            << QByteArray(ExampleConfiguration).replace("CORate=0.2\r\n", "")
            << "Meterwin Configuration File Error";
    }

    // The program ends with its message (whose texts the core's tests hold),
    // before any log is made, and without a window.
    void endsWhileLoading() {
        QFETCH(QByteArray, configuration);
        QFETCH(QString, title);
        WindowSession w({}, true, configuration);
        QVERIFY(!w.window);
        QCOMPARE(w.t.messages.shown().size(), 1);
        QCOMPARE(w.t.messages.shown().first().title, title);
        QCOMPARE(QDir(QStringLiteral("Log")).entryList(QDir::Files), QStringList());
    }

    void errorCheckSwitch_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("checksOff");
        QTest::addColumn<bool>("mayReplace"); // the configuration file
        QTest::newRow("the switch") << QStringList{"-InhibitErrorCheck"} << true << true;
        QTest::newRow("none, may not replace") << QStringList{} << false << false;
        QTest::newRow("other case") << QStringList{"-inhibiterrorcheck"} << false << true;
        QTest::newRow("with another") << QStringList{"-InhibitErrorCheck", "-x"} << false << true;
    }

    // Exactly the one switch, alone, lets readings through that the checks
    // refuse (here only 9 apart). Save Data is there where the user may
    // replace the configuration file.
    void errorCheckSwitch() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, checksOff);
        QFETCH(bool, mayReplace);
        WindowSession w(arguments, mayReplace);
        QCOMPARE(w.control<QPushButton>("Save_Defaults")->isEnabled(), mayReplace);
        w.typeReadings(QStringLiteral("109"));
        w.click("Calc");
        QCOMPARE(w.text("NRUnits"), checksOff ? QStringLiteral("9") : QString());
        QCOMPARE(w.t.messages.shown().size(), checksOff ? 0 : 1);
    }

    // The real program holds the instance marker (in XDG_RUNTIME_DIR); a second
    // instance sees it, holds nothing, and works all the same.
    void secondInstance() {
        TemporaryInstallation first;
        for (const char* directory : {"Data", "Log", "tmp"})
            first.makeDirectory(QString::fromLatin1(directory));
        first.writeFile(QStringLiteral("Data/Meterwin.ini"), ExampleConfiguration);
        const QByteArray temporary = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(first.path() + "/tmp"));
        QProcess process;
        process.start(QStringLiteral(METERWIN_PATH), {});
        // The first instance has loaded when its start is in the results log.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QStringLiteral("Log/Meterwin.log")), 20000);
        const bool running = PreviousInstanceRunning(QStringLiteral("Meterwin"));
        qputenv("XDG_RUNTIME_DIR", temporary);
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
