#include "logs/ErrorDump.h"
#include "support/TestLocales.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>

// The error dump, byte for byte, its message and the end of the program; and
// the guards that hand failures to it.
class TestErrorDump : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void wholeDump();
    void emptyConfigurationEcho();
    void dateLineFollowsTheLocale_data();
    void dateLineFollowsTheLocale();
    void missingLog_data();
    void missingLog();
    void guardHandsFailureToDump_data();
    void guardHandsFailureToDump();
    void fixedStepGuardIgnoresErrorStep();
    void endOfProgramPassesThroughGuards();
    void innerGuardDumpsOnce();
    void guardWithoutFailureDoesNothing();

private:
    std::unique_ptr<TemporaryInstallation> installation_;
};

namespace {

const QString LogPath = QStringLiteral("Log/Meterwin.log");
const QByteArray EarlierEntry = "Meterwin results log\r\n";
const QDateTime DumpMoment(QDate(2009, 3, 1), QTime(12, 34, 56));

const char* const ConfigEchoText = "Meterwin Configuration\r\n"
                                   "----------------------\r\n"
                                   "[Run]\r\n"
                                   "LogLevel=1\r\n"
                                   "\r\n";

// The sheet as it might stand when the history entry fails after a calculation.
void fillSheet(Sheet& s) {
    s.ResultsLogName = QStringLiteral("Meterwin.log");
    s.ConfigEcho = QString::fromUtf8(ConfigEchoText);
    s.NRate1.text = QStringLiteral("\u00A30.12000");
    s.NRate2.text = QStringLiteral("\u00A30.10000");
    s.SCharge.text = QStringLiteral("\u00A35.00");
    s.CFactor.text = QStringLiteral("1.022640");
    s.CalVal.text = QStringLiteral("39.500");
    s.ConvertF.value = 1;
    s.VRate.text = QStringLiteral("5.0");
    s.BreakP.text = QStringLiteral("250");
    s.Predict.text = QStringLiteral("2");
    s.Disc1.text = QStringLiteral("\u00A31.00");
    s.CORate.text = QStringLiteral("0.19");
    s.Date1.text = QStringLiteral("01/01/2009");
    s.Date2.text = QStringLiteral("01/03/2009");
    s.NRead1.text = QStringLiteral("100");
    s.NRead2.text = QStringLiteral("200");
    s.Notes.text = QStringLiteral("Winter quarter");
    s.TDays.text = QStringLiteral("59");
    s.NRUnits.text = QStringLiteral("100");
    s.CRUnits.text = QStringLiteral("1127");
    s.R1Units.text = QStringLiteral("250");
    s.R2Units.text = QStringLiteral("877");
    s.NR1Cost.text = QStringLiteral("\u00A330.00");
    s.NR2Cost.text = QStringLiteral("\u00A387.70");
    s.TSCharge.text = QStringLiteral("\u00A35.00");
    s.TCost.text = QStringLiteral("\u00A3121.70");
    s.TVCost.text = QStringLiteral("\u00A3127.79");
    s.CDay.text = QStringLiteral("\u00A32.17");
    s.TCO2.text = QStringLiteral("233.1");
    s.TDaysP.text = QStringLiteral("182");
    s.CDayP.text = QStringLiteral("\u00A32.00");
}

QByteArray dumpAfterEcho() {
    return "Program Defaults\r\n"
           "----------------\r\n"
           "\xC2\xA3"
           "0.12000, \xC2\xA3"
           "0.10000, \xC2\xA3"
           "5.00, 1.022640, 39.500, 1, 5.0, 250, 2, \xC2\xA3"
           "1.00, \r\n"
           "\r\n"
           "Program Data\r\n"
           "------------\r\n"
           "01/01/2009, 01/03/2009, 100, 200, \r\n"
           "Winter quarter\r\n"
           "\r\n"
           "Program Actual\r\n"
           "--------------\r\n"
           "59, 100, 1127, 250, 877, \xC2\xA3"
           "30.00, \xC2\xA3"
           "87.70, , \xC2\xA3"
           "5.00, \xC2\xA3"
           "121.70, \xC2\xA3"
           "127.79\r\n"
           "\r\n"
           "Program Predicted\r\n"
           "-----------------\r\n"
           "182, , , , , , , , , , \r\n"
           "\r\n"
           "***** End of Error Dump *****\r\n"
           "\r\n"
           "\r\n";
}

QByteArray dumpUpToEcho(const QByteArray& header) {
    return "\r\n"
           "\r\n"
           "\r\n"
           "01/03/2009 12:34:56\r\n"
           "Meterwin\r\n"
           "Version 2.0\r\n"
           "\r\n" +
           header +
           "\r\n"
           "\r\n"
           "Dump of configuration file and available program data follows:\r\n"
           "\r\n"
           "\r\n";
}

Message fatalMessage(const char* number, const char* category) {
    return {MessageIcon::Critical, QStringLiteral("Meterwin Fatal Error"),
            QStringLiteral("Error Number %1\r\nA Fatal %2 Has Occurred\r\n"
                           "The Program Will Now Terminate")
                .arg(QString::fromLatin1(number), QString::fromLatin1(category)),
            MessageButtons::Ok};
}

} // namespace

void TestErrorDump::init() {
    installation_ = std::make_unique<TemporaryInstallation>();
    installation_->makeDirectory(QStringLiteral("Log"));
    installation_->writeFile(LogPath, EarlierEntry);
}

void TestErrorDump::cleanup() {
    installation_.reset();
}

void TestErrorDump::wholeDump() {
    TestProgram t(testlocales::britain(), DumpMoment);
    fillSheet(t.sheet());
    QVERIFY(
        EndsProgram([&] { WriteErrorDump(t.program, QStringLiteral("Format Log Error"), 212); }));
    const QByteArray expected = EarlierEntry +
                                dumpUpToEcho("******** Format Log Error 212 ********") +
                                ConfigEchoText + "\r\n\r\n" + dumpAfterEcho();
    QCOMPARE(installation_->readFile(LogPath), expected);
    QCOMPARE(t.messages.shown(), QList<Message>{fatalMessage("212", "Format Log Error")});
}

// Before the configuration is read the echo is empty: two empty lines stand for it.
void TestErrorDump::emptyConfigurationEcho() {
    TestProgram t(testlocales::britain(), DumpMoment);
    fillSheet(t.sheet());
    t.sheet().ConfigEcho.clear();
    QVERIFY(EndsProgram([&] { WriteErrorDump(t.program, QStringLiteral("Loading Error"), 153); }));
    const QByteArray expected = EarlierEntry + dumpUpToEcho("******** Loading Error 153 ********") +
                                "\r\n\r\n" + dumpAfterEcho();
    QCOMPARE(installation_->readFile(LogPath), expected);
    QCOMPARE(t.messages.shown(), QList<Message>{fatalMessage("153", "Loading Error")});
}

void TestErrorDump::dateLineFollowsTheLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QByteArray>("dateLine");
    QTest::newRow("en_US") << testlocales::unitedStates() << QByteArray("3/1/09 12:34:56");
    QTest::newRow("de_DE") << testlocales::germany() << QByteArray("01.03.09 12:34:56");
    QTest::newRow("sv_SE") << testlocales::sweden() << QByteArray("2009-03-01 12:34:56");
}

void TestErrorDump::dateLineFollowsTheLocale() {
    QFETCH(QLocale, locale);
    QFETCH(QByteArray, dateLine);
    TestProgram t(locale, DumpMoment);
    t.sheet().ResultsLogName = QStringLiteral("Meterwin.log");
    QVERIFY(EndsProgram([&] { WriteErrorDump(t.program, QStringLiteral("Check Error"), 131); }));
    QVERIFY(installation_->readFile(LogPath).startsWith(EarlierEntry + "\r\n\r\n\r\n" + dateLine +
                                                        "\r\nMeterwin\r\n"));
}

void TestErrorDump::missingLog_data() {
    QTest::addColumn<QString>("logName");
    QTest::addColumn<bool>("removeLogDirectory");
    QTest::newRow("log missing") << "Meterwin.log" << false;
    QTest::newRow("log directory missing") << "Meterwin.log" << true;
    QTest::newRow("no log name yet") << "" << false;
}

// Nothing is written, and the message and the end follow all the same.
void TestErrorDump::missingLog() {
    QFETCH(QString, logName);
    QFETCH(bool, removeLogDirectory);
    QVERIFY(QFile::remove(LogPath));
    if (removeLogDirectory)
        QVERIFY(QDir().rmdir(QStringLiteral("Log")));
    TestProgram t(testlocales::britain(), DumpMoment);
    fillSheet(t.sheet());
    t.sheet().ResultsLogName = logName;
    QVERIFY(EndsProgram([&] { WriteErrorDump(t.program, QStringLiteral("Loading Error"), 152); }));
    QVERIFY(!QFile::exists(LogPath));
    QCOMPARE(t.messages.shown(), QList<Message>{fatalMessage("152", "Loading Error")});
}

void TestErrorDump::guardHandsFailureToDump_data() {
    QTest::addColumn<int>("failure");
    QTest::newRow("run-time failure") << 0;
    QTest::newRow("file failure") << 1;
    QTest::newRow("other standard exception") << 2;
}

void TestErrorDump::guardHandsFailureToDump() {
    QFETCH(int, failure);
    TestProgram t(testlocales::britain(), DumpMoment);
    t.sheet().ResultsLogName = QStringLiteral("Meterwin.log");
    bool continued = false;
    QVERIFY(EndsProgram([&] {
        Guarded(t.program, QStringLiteral("Check Error"), [&] {
            t.sheet().ErrorStep = 132;
            t.sheet().ErrorStep = 133;
            if (failure == 0)
                throw RunTimeFailure("Type mismatch");
            if (failure == 1)
                throw FileFailure("Cannot write");
            throw std::out_of_range("index");
        });
        continued = true;
    }));
    QVERIFY(!continued);
    QVERIFY(installation_->readFile(LogPath).contains(
        "\r\n******** Check Error 133 ********\r\n\r\nDump of configuration file"));
    QCOMPARE(t.messages.shown(), QList<Message>{fatalMessage("133", "Check Error")});
}

void TestErrorDump::fixedStepGuardIgnoresErrorStep() {
    TestProgram t(testlocales::britain(), DumpMoment);
    t.sheet().ResultsLogName = QStringLiteral("Meterwin.log");
    t.sheet().ErrorStep = 105;
    QVERIFY(EndsProgram([&] {
        GuardedAtStep(t.program, QStringLiteral("Clear Error"), 42,
                      [] { throw RunTimeFailure("Overflow"); });
    }));
    QVERIFY(installation_->readFile(LogPath).contains("\r\n******** Clear Error 42 ********\r\n"));
    QCOMPARE(t.messages.shown(), QList<Message>{fatalMessage("42", "Clear Error")});
    QCOMPARE(t.sheet().ErrorStep, std::int16_t(105));
}

// A fatal message inside a guarded procedure ends the program through every
// guard: no dump, no second message.
void TestErrorDump::endOfProgramPassesThroughGuards() {
    TestProgram t(testlocales::britain(), DumpMoment);
    t.sheet().ResultsLogName = QStringLiteral("Meterwin.log");
    const Message missing{MessageIcon::Critical, QStringLiteral("Meterwin Log File Error"),
                          QStringLiteral("The program will now terminate."), MessageButtons::Ok};
    QVERIFY(EndsProgram([&] {
        Guarded(t.program, QStringLiteral("Calculation Error"), [&] {
            GuardedAtStep(t.program, QStringLiteral("Clear Error"), 41,
                          [&] { ShowFatalMessage(t.messages, missing); });
        });
    }));
    QCOMPARE(installation_->readFile(LogPath), EarlierEntry);
    QCOMPARE(t.messages.shown(), QList<Message>{missing});
}

void TestErrorDump::innerGuardDumpsOnce() {
    TestProgram t(testlocales::britain(), DumpMoment);
    t.sheet().ResultsLogName = QStringLiteral("Meterwin.log");
    QVERIFY(EndsProgram([&] {
        Guarded(t.program, QStringLiteral("Calculation Error"), [&] {
            t.sheet().ErrorStep = 101;
            Guarded(t.program, QStringLiteral("Check Error"), [&] {
                t.sheet().ErrorStep = 134;
                throw RunTimeFailure("Overflow");
            });
        });
    }));
    const QByteArray log = installation_->readFile(LogPath);
    QCOMPARE(log.count("End of Error Dump"), 1);
    QVERIFY(log.contains("******** Check Error 134 ********"));
    QCOMPARE(t.messages.shown(), QList<Message>{fatalMessage("134", "Check Error")});
}

void TestErrorDump::guardWithoutFailureDoesNothing() {
    TestProgram t(testlocales::britain(), DumpMoment);
    t.sheet().ResultsLogName = QStringLiteral("Meterwin.log");
    bool ran = false;
    QVERIFY(!EndsProgram(
        [&] { Guarded(t.program, QStringLiteral("Check Error"), [&] { ran = true; }); }));
    QVERIFY(ran);
    QCOMPARE(installation_->readFile(LogPath), EarlierEntry);
    QVERIFY(t.messages.shown().isEmpty());
}

MW_REGISTER_TEST(TestErrorDump)
#include "tst_errordump.moc"
