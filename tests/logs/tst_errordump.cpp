#include "logs/ErrorDump.h"
#include "logs/LogsFixture.h"
#include "support/TestLocales.h"
#include "support/TestMain.h"

#include <QDir>
#include <stdexcept>

using namespace logstest;

namespace {

const QByteArray EarlierEntry = "Meterwin results log\r\n";
const QString Echo = QStringLiteral("Meterwin Configuration\r\n----------------------\r\n"
                                    "[Run]\r\nLogLevel=1\r\n\r\n");
// Four quarters predicted on top of the example calculation.
const QString Prediction = QStringLiteral(
    "Predict=4|TDaysP=365|NRUnitsP=1653|CRUnitsP=18501|R1UnitsP=2680|R2UnitsP=15821|"
    "NR1CostP=£187.60|NR2CostP=£632.84|TSChargeP=£50.00|TCostP=£870.44|TVCostP=£913.96|"
    "CDayP=£2.50|");

} // namespace

// The error dump byte for byte, its message and the end of the program.
class TestErrorDump : public QObject {
    Q_OBJECT

private slots:
    void dump_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("echo");
        QTest::addColumn<QString>("removed"); // before the failure
        QTest::addColumn<int>("failure");     // as numbered in dump()
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("date"); // empty: nothing written
        const QLocale gb = testlocales::britain();
        const QString log = QStringLiteral("Format Log Error 212"), gbDate = "14/03/2026 18:02:11";
        QTest::newRow("en_GB") << gb << Echo << "" << 0 << log << gbDate;
        // Before the configuration is read two empty lines stand for the echo.
        QTest::newRow("no echo yet") << gb << ""
                                     << "" << 0 << log << gbDate;
        QTest::newRow("en_US") << testlocales::unitedStates() << Echo << "" << 0 << log
                               << "3/14/26 18:02:11";
        QTest::newRow("de_DE") << testlocales::germany() << Echo << "" << 0 << log
                               << "14.03.26 18:02:11";
        QTest::newRow("sv_SE") << testlocales::sweden() << Echo << "" << 0 << log
                               << "2026-03-14 18:02:11";
        QTest::newRow("results log missing") << gb << Echo << ResultsLog << 0 << log << "";
        QTest::newRow("Log missing") << gb << Echo << "Log" << 0 << log << "";
        // A guard hands the step current at the failure to the dump, or a fixed one.
        QTest::newRow("guarded") << gb << Echo << "" << 1 << "Check Error 133" << gbDate;
        QTest::newRow("fixed step") << gb << Echo << "" << 2 << "Clear Error 42" << gbDate;
    }

    void dump() {
        QFETCH(QLocale, locale);
        QFETCH(QString, echo);
        QFETCH(QString, removed);
        QFETCH(int, failure);
        LogsProgram t(locale);
        writeBytes(ResultsLog, EarlierEntry);
        if (!removed.isEmpty())
            QVERIFY(QFile::remove(removed) || QDir(removed).removeRecursively());
        fill(t.sheet(),
             ExampleCalculation + Prediction + "Notes=Winter quarter|Disc1=£1.00|ConvertF=1");
        t.sheet().ConfigEcho = echo;
        t.sheet().ErrorStep = 105;
        QVERIFY(EndsProgram([&] {
            if (failure == 0)
                WriteErrorDump(t.program, "Format Log Error", 212);
            if (failure == 1)
                Guarded(t.program, "Check Error", [&] {
                    t.sheet().ErrorStep = 133;
                    throw std::out_of_range("index"); // any failure, not only a run-time one
                });
            GuardedAtStep(t.program, "Clear Error", 42, [] { throw RunTimeFailure("Overflow"); });
        }));

        QFETCH(QString, header);
        QFETCH(QString, date);
        const QString dump = QStringLiteral(
            "\r\n\r\n\r\n%1\r\nMeterwin\r\nVersion 2.0\r\n\r\n******** %2 ********\r\n\r\n"
            "Dump of configuration file and available program data follows:\r\n\r\n\r\n%3"
            "\r\n\r\nProgram Defaults\r\n----------------\r\n"
            "£0.07000, £0.04000, £12.50, 1.022640, 39.400, 1, 5.0, 670, 4, £1.00, \r\n\r\n"
            "Program Data\r\n------------\r\n"
            "13/12/2025, 14/03/2026, 4100, 4512, \r\nWinter quarter\r\n\r\n"
            "Program Actual\r\n--------------\r\n"
            "91, 412, 4611, 670, 3941, £46.90, £157.64, , £12.50, £217.04, £227.89\r\n\r\n"
            "Program Predicted\r\n-----------------\r\n"
            "365, 1653, 18501, 2680, 15821, £187.60, £632.84, , £50.00, £870.44, £913.96\r\n"
            "\r\n***** End of Error Dump *****\r\n\r\n\r\n");
        QCOMPARE(fileBytes(ResultsLog), date.isEmpty()
                                            ? QByteArray("<missing>")
                                            : EarlierEntry + dump.arg(date, header, echo).toUtf8());
        const Message fatal{MessageIcon::Critical, "Meterwin Fatal Error",
                            QStringLiteral("Error Number %1\r\nA Fatal %2 Has Occurred\r\n"
                                           "The Program Will Now Terminate")
                                .arg(header.section(u' ', -1), header.section(u' ', 0, -2))};
        QCOMPARE(t.messages.shown(), QList{fatal});
    }
};

MW_REGISTER_TEST(TestErrorDump)
#include "tst_errordump.moc"
