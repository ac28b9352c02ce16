#include "logs/HistoryEntry.h"
#include "logs/LogColumns.h"
#include "logs/LogFiles.h"
#include "logs/LogsFixture.h"
#include "support/TestMain.h"

using namespace logstest;

using SheetChange = std::function<void(Sheet&)>;
Q_DECLARE_METATYPE(SheetChange)

namespace {

const QString H1 = QStringLiteral("Date       , Meter  , Metric/     , Rate 1 , Rate 2 , Break, "
                                  "Calorific, Correction, Fixed , VAT  , Disc 1, Disc 2");
const QString H2 = QStringLiteral("           , Reading, Imperial    ,        ,        , Point, "
                                  "Value    , Factor    , Charge, Rate ,       ,       ");
const QString H3 = QStringLiteral("-----------, -------, ------------, -------, -------, -----, "
                                  "---------, ----------, ------, -----, ------, ------");
const QString ExampleRecord =
    QStringLiteral(" 14/03/2026,    4512, Cubic Metres, 0.07000, 0.04000,   670,    39.400,   "
                   "1.022640, £12.50,  5.0%,       ,       ");

const QString PageHeader = QStringLiteral("\r\n") + H1 + QStringLiteral("\r\n") + H2 +
                           QStringLiteral("\r\n") + H3 + QStringLiteral("\r\n");

} // namespace

class TestHistoryEntry : public QObject {
    Q_OBJECT

private slots:
    void newLogGetsHeaderAndRecord() {
        Workspace w;
        LogsProgram t;
        t.clock.set(QDateTime(QDate(2026, 3, 14), QTime(18, 1, 57)));
        CreateLogFiles(t.program);
        fillExampleCalculation(t.sheet());
        BuildHistoryEntry(t.program);
        QCOMPARE(t.sheet().HistoryText, PageHeader + ExampleRecord);
        QCOMPARE(t.sheet().ErrorStep, 212);
        AppendHistoryLog(t.program);
        const QString expected =
            crlfLines({QStringLiteral("Meterwin History Log"), QStringLiteral("Version 2.0"),
                       QStringLiteral("File Created"), QStringLiteral("14-Mar-26 18:01:57"),
                       QString(), QString(), QString(), H1, H2, H3, ExampleRecord});
        QCOMPARE(fileBytes(HistoryLog), expected.toUtf8());
        QVERIFY(t.messages.shown().isEmpty());
        for (const QString& line : {H1, H2, H3, ExampleRecord})
            QCOMPARE(line.size(), 113);
    }

    // Entry 1 and every 36th entry after it open a page of 40 lines.
    void pagesOfFortyLines() {
        Workspace w;
        LogsProgram t;
        CreateLogFiles(t.program);
        fillExampleCalculation(t.sheet());
        QList<int> opening;
        for (int entry = 1; entry <= 73; ++entry) {
            if (entry == 37)
                QCOMPARE(t.files.countLines(HistoryLog), 46);
            BuildHistoryEntry(t.program);
            if (t.sheet().HistoryText.startsWith(PageHeader))
                opening << entry;
            else
                QCOMPARE(t.sheet().HistoryText, ExampleRecord);
            AppendHistoryLog(t.program);
        }
        QCOMPARE(opening, (QList<int>{1, 37, 73}));
        QCOMPARE(t.files.countLines(HistoryLog), 6 + 2 * 40 + 5);
    }

    // A log whose count after the file header is no multiple of 40 gets records only.
    void noHeaderOffThePage_data() {
        QTest::addColumn<int>("lines");
        QTest::newRow("empty file") << 0;
        QTest::newRow("shorter than the file header") << 3;
        QTest::newRow("edited by hand") << 47;
    }

    void noHeaderOffThePage() {
        QFETCH(int, lines);
        Workspace w;
        LogsProgram t;
        writeBytes(HistoryLog, QByteArray("x\r\n").repeated(lines));
        fillExampleCalculation(t.sheet());
        BuildHistoryEntry(t.program);
        QCOMPARE(t.sheet().HistoryText, ExampleRecord);
    }

    void taxHeader() {
        Workspace w;
        LogsProgram t;
        CreateLogFiles(t.program);
        fillExampleCalculation(t.sheet());
        t.sheet().VATH.caption = QStringLiteral("Tax:");
        BuildHistoryEntry(t.program);
        const QStringList lines = t.sheet().HistoryText.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.at(1),
                 QStringLiteral("Date       , Meter  , Metric/     , Rate 1 , Rate 2 , "
                                "Break, Calorific, Correction, Fixed , Tax  , Disc "
                                "1, Disc 2"));
    }

    void record_data() {
        QTest::addColumn<SheetChange>("change");
        QTest::addColumn<QString>("expected");

        QTest::newRow("VAT 0 has no per cent")
            << SheetChange([](Sheet& s) { s.VRate.text = QStringLiteral("0"); })
            << QStringLiteral(" 14/03/2026,    4512, Cubic Metres, 0.07000, 0.04000,   670,    "
                              "39.400,   1.022640, £12.50,     0,       ,       ");
        QTest::newRow("VAT 17.5 fills the column")
            << SheetChange([](Sheet& s) { s.VRate.text = QStringLiteral("17.5"); })
            << QStringLiteral(" 14/03/2026,    4512, Cubic Metres, 0.07000, 0.04000,   670,    "
                              "39.400,   1.022640, £12.50, 17.5%,       ,       ");
        QTest::newRow("imperial units, discounts, no Rate 2")
            << SheetChange([](Sheet& s) {
                   s.ConvertF.value = 1;
                   s.NRate2.text.clear();
                   s.BreakP.text.clear();
                   s.Disc1.text = QStringLiteral("£1.00");
                   s.Disc2.text = QStringLiteral("£99.00");
               })
            << QStringLiteral(" 14/03/2026,    4512,   Cubic Feet, 0.07000,        ,      ,    "
                              "39.400,   1.022640, £12.50,  5.0%,  £1.00, £99.00");
        QTest::newRow("long date keeps its last 11 characters")
            << SheetChange([](Sheet& s) { s.Date2.text = QStringLiteral("Sat 14/03/2026"); })
            << QStringLiteral(" 14/03/2026,    4512, Cubic Metres, 0.07000, 0.04000,   670,    "
                              "39.400,   1.022640, £12.50,  5.0%,       ,       ");
        QTest::newRow("plain rates and a seven-digit reading")
            << SheetChange([](Sheet& s) {
                   s.NRead2.text = QStringLiteral("1234567");
                   s.NRate1.text = QStringLiteral("0.12345");
                   s.SCharge.text = QStringLiteral("99.00");
               })
            << QStringLiteral(" 14/03/2026, 1234567, Cubic Metres, 0.12345, 0.04000,   670,    "
                              "39.400,   1.022640,  99.00,  5.0%,       ,       ");
    }

    void record() {
        QFETCH(SheetChange, change);
        QFETCH(QString, expected);
        Workspace w;
        LogsProgram t;
        writeBytes(HistoryLog, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
        fillExampleCalculation(t.sheet());
        change(t.sheet());
        BuildHistoryEntry(t.program);
        QCOMPARE(t.sheet().HistoryText, expected);
        QCOMPARE(expected.size(), 113);
    }

    void columnsCountCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("padding");
        QTest::addColumn<QString>("expected");
        QTest::newRow("pound sign is one character")
            << QStringLiteral("£12.50") << 6 << 6 << QStringLiteral("£12.50");
        QTest::newRow("longer text loses its front")
            << QStringLiteral("£0.07000") << 7 << 7 << QStringLiteral("0.07000");
        QTest::newRow("empty with short padding") << QString() << 8 << 7 << QString(7, u' ');
        QTest::newRow("character beyond 16 bits stays whole")
            << QStringLiteral("a\U0001F525") << 2 << 2 << QStringLiteral("a\U0001F525");
        QTest::newRow("character beyond 16 bits padded")
            << QStringLiteral("\U0001F525") << 3 << 3 << QStringLiteral("  \U0001F525");
    }

    void columnsCountCharacters() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(int, padding);
        QFETCH(QString, expected);
        QCOMPARE(rightAligned(text, width, padding), expected);
    }

    void unreadableLogLeavesNoEntry_data() {
        QTest::addColumn<FaultyFileSystem::Operation>("failing");
        QTest::newRow("count") << FaultyFileSystem::Operation::CountLines;
        QTest::newRow("existence test") << FaultyFileSystem::Operation::Exists;
    }

    // The user is told; no empty line is written later.
    void unreadableLogLeavesNoEntry() {
        QFETCH(FaultyFileSystem::Operation, failing);
        Workspace w;
        LogsProgram t;
        CreateLogFiles(t.program);
        fillExampleCalculation(t.sheet());
        t.sheet().HistoryText = QStringLiteral("an earlier entry");
        const QByteArray before = fileBytes(HistoryLog);
        t.files.failOn(failing);
        QVERIFY(!EndsProgram([&] { BuildHistoryEntry(t.program); }));
        QVERIFY(t.sheet().HistoryText.isEmpty());
        QCOMPARE(t.sheet().ErrorStep, 211);
        QCOMPARE(t.messages.shown().size(), 1);
        QCOMPARE(t.messages.shown()[0].text,
                 QStringLiteral("Unable to write to the log file Meterwin_H.log.\r\n"
                                "This may be a permissions problem."));
        t.files.heal();
        AppendHistoryLog(t.program);
        QCOMPARE(fileBytes(HistoryLog), before);
        QCOMPARE(t.messages.shown().size(), 1);
    }
};

MW_REGISTER_TEST(TestHistoryEntry)
#include "tst_HistoryEntry.moc"
