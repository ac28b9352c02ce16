#include "WindowFixture.h"
#include "support/TestMain.h"

// A whole working session through the real widgets, on a fresh installation,
// as a user goes through it. The message boxes shown are compared with those
// expected as the session goes on: one that no step expects fails it.
class TestSession : public QObject {
    Q_OBJECT

private slots:
    void wholeSession() {
        WindowSession w;
        QList<Message> expected;
        // Started: logs made, nothing to restore yet, the tariff shown.
        QCOMPARE(w.window->windowTitle(), QStringLiteral("Meterwin"));
        QCOMPARE(w.status(), QStringLiteral("No Previous Readings To Restore"));
        QCOMPARE(w.text("NRate1") + u' ' + w.text("VRate"), QStringLiteral("£0.10000 5.0"));

        // Alt and the letter of a disabled command do nothing.
        QVERIFY(w.altKeysIgnored("NRead2", Qt::Key_S));
        // Calculate by its key; a discount too big makes the totals negative, in orange.
        w.typeReadings();
        w.type("Notes", QStringLiteral("First quarter"));
        w.type("Disc2", QStringLiteral("50"));
        QTest::keyClick(w.window.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(w.text("TVCost"), QStringLiteral("£25.33"));
        QVERIFY(w.colour("TCost") == DarkGrey && w.colour("TVCost") == Orange);
        QVERIFY(w.colour("CDay") == Orange && w.colour("CDayP") == Orange);
        w.type("Disc2", QStringLiteral("1"));
        w.click("Calc");
        QCOMPARE(w.text("TVCost") + u' ' + w.text("TVCostP"), QStringLiteral("£23.68 £95.23"));
        QVERIFY(w.colour("TVCost") == DarkGrey && w.colour("CDayP") == DarkGrey);

        // Save writes the results log; the same data again is refused.
        w.click("Save");
        QCOMPARE(w.status(), QStringLiteral("Calculation Saved"));
        QVERIFY(w.altKeysIgnored("NRead1", Qt::Key_S));
        QCOMPARE(
            w.directory.readFile("Log/Meterwin.log").count("\r\nCalorific Value  : 36.000\r\n"), 1);
        w.click("Calc");
        QCOMPARE(w.t.messages.shown(),
                 (expected << Message{MessageIcon::Exclamation, "Meterwin Error",
                                      "The data has not changed\r\nsince the last calculation"}));

        // Clear empties entries and results and forgets the calculation, so the
        // same data calculates again; it leaves the tariff and takes Save away.
        w.click("Clear");
        QCOMPARE(w.text("Date2") + w.text("Notes") + w.text("TVCostP"), QString());
        QCOMPARE(w.status() + u' ' + w.text("NRate1"), QStringLiteral("Data Cleared £0.10000"));
        QVERIFY(!w.control<QPushButton>("Save")->isEnabled());
        w.typeReadings();
        w.click("Calc");
        QCOMPARE(w.text("TVCost"), QStringLiteral("£23.68"));

        // Get Last takes the saved reading. The status line empties itself two
        // seconds after its message.
        w.click("Get_Last");
        QCOMPARE(w.text("Date1") + u' ' + w.text("NRead1"), QStringLiteral("01/04/2015 112"));
        QTest::qWait(1000);
        QCOMPARE(w.status(), QStringLiteral("Last Readings Restored"));
        QTRY_COMPARE_WITH_TIMEOUT(w.status(), QString(), 2500);

        // Help opens the page while it is there, and says so when it is not; a
        // help page or a browser that cannot be opened is reported.
        w.click("Help1");
        w.t.desktop.opens = false;
        w.click("Help1");
        QTest::mouseClick(w.control<QLabel>("Logo"), Qt::LeftButton);
        QVERIFY(QFile::remove(QStringLiteral("Help/index.htm")));
        w.click("Help1");
        QCOMPARE(w.t.desktop.openedFiles, QStringList(2, "Help/index.htm"));
        QCOMPARE(
            w.t.messages.shown(),
            (expected << Message{MessageIcon::Exclamation, "Meterwin Help File Error",
                                 "Unable to opem the help file.\r\nThis may be a permissions "
                                 "problem."}
                      << Message{MessageIcon::None, "Meterwin Error", "Unable to launch Browser."}
                      << Message{MessageIcon::Exclamation, "Meterwin Help File Error",
                                 "The help file is either missing or\r\ncorrupted. Reinstall "
                                 "the program\r\nto correct the error.\r\n"}));

        // Exit ends the program at once, with nothing more to say.
        w.click("Exit");
        QVERIFY(!w.window->isVisible() && !w.window->endedByFailure());
        QCOMPARE(w.t.messages.shown(), expected);
    }
};

MW_REGISTER_TEST(TestSession)
#include "tst_session.moc"
