#include "logs/HistoryEntry.h"
#include "logs/LogFiles.h"
#include "logs/LogsFixture.h"
#include "support/TestMain.h"

using namespace logstest;
using Operation = FaultyFileSystem::Operation;

// What a case does before the operation under test, and the operation itself.
using Step = std::function<void(LogsProgram&)>;
Q_DECLARE_METATYPE(Step)
Q_DECLARE_METATYPE(MessageIcon)

namespace {

const QByteArray ResultsHeader = "Meterwin Results Log\r\nVersion 2.0\r\nFile Created\r\n"
                                 "14-Mar-26 18:02:11\r\n\r\n\r\n";
const QByteArray HistoryHeader = "Meterwin History Log\r\nVersion 2.0\r\nFile Created\r\n"
                                 "14-Mar-26 18:02:11\r\n\r\n\r\n";

const QString Terminate = QStringLiteral("\r\nThe program will now terminate.");
const QString DirectoryText = QStringLiteral("The log directory does not exist.\r\n"
                                             "To restore the Log directory\r\n"
                                             "reinstall the program.") +
                              Terminate;

QString missingText(const QString& name) {
    return QStringLiteral("The log file ") + name +
           QStringLiteral(" does not exist or\r\nis corrupted. Delete the file and restart the "
                          "\r\nprogram to restore the file.") +
           Terminate;
}

QString notWrittenText(const QString& name) {
    return QStringLiteral("Unable to write to the log file ") + name +
           QStringLiteral(".\r\nThis may be a permissions problem.");
}

void removeLogDirectory(LogsProgram&) {
    QVERIFY(QDir(QStringLiteral("Log")).removeRecursively());
}

Step failing(Operation operation) {
    return [operation](LogsProgram& t) { t.files.failOn(operation); };
}

Step removing(const QString& path) {
    return [path](LogsProgram&) { QVERIFY(QFile::remove(path)); };
}

} // namespace

class TestLogFiles : public QObject {
    Q_OBJECT

private slots:
    void firstStart() {
        Workspace w;
        LogsProgram t;
        CreateLogFiles(t.program);
        WriteStartEntry(t.program);
        QCOMPARE(fileBytes(ResultsLog),
                 ResultsHeader + "Meterwin Started\r\nVersion 2.0\r\n14/03/2026 18:02:11\r\n\r\n");
        QCOMPARE(t.files.countLines(ResultsLog), 10);
        QCOMPARE(fileBytes(HistoryLog), HistoryHeader);
        QVERIFY(t.messages.shown().isEmpty());
        QVERIFY(t.sheet().Status.caption.isEmpty());
        QVERIFY(!t.sheet().Timer1);
        QCOMPARE(t.sheet().SuppressSavedStatus, 0);
    }

    void existingLogsUntouched() {
        Workspace w;
        LogsProgram t;
        writeBytes(ResultsLog, "kept\r\n");
        writeBytes(HistoryLog, "");
        CreateLogFiles(t.program);
        QCOMPARE(fileBytes(ResultsLog), QByteArray("kept\r\n"));
        QCOMPARE(fileBytes(HistoryLog), QByteArray());
    }

    void appendShowsSaved() {
        Workspace w;
        LogsProgram t;
        CreateLogFiles(t.program);
        t.sheet().ReportText = QStringLiteral("block £1\r\n");
        AppendResultsLog(t.program);
        QCOMPARE(fileBytes(ResultsLog), ResultsHeader + "block \xC2\xA3"
                                                        "1\r\n\r\n");
        QCOMPARE(t.sheet().Status.caption, QStringLiteral("Calculation Saved"));
        QVERIFY(t.sheet().Timer1);
    }

    void failures_data() {
        QTest::addColumn<Step>("setUp");
        QTest::addColumn<Step>("operation");
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fatal");

        const Step create = [](LogsProgram& t) { CreateLogFiles(t.program); };
        const Step appendResults = [](LogsProgram& t) { AppendResultsLog(t.program); };
        const Step appendHistory = [](LogsProgram& t) { AppendHistoryLog(t.program); };
        const Step buildHistory = [](LogsProgram& t) { BuildHistoryEntry(t.program); };
        const QString directoryTitle = QStringLiteral("Meterwin Log Directory Error");
        const QString fileTitle = QStringLiteral("Meterwin Log File Error");
        const QString notCreated = QStringLiteral("Unable to create the log files.\r\n"
                                                  "This may be a permissions problem.") +
                                   Terminate;

        QTest::newRow("create without Log")
            << Step(removeLogDirectory) << create << MessageIcon::Critical << directoryTitle
            << DirectoryText << true;
        QTest::newRow("create fails") << Step([](LogsProgram& t) {
            QVERIFY(QFile::remove(HistoryLog));
            t.files.failOn(Operation::ReplaceFile);
        }) << create << MessageIcon::Exclamation
                                      << fileTitle << notCreated << true;
        QTest::newRow("create cannot test")
            << failing(Operation::Exists) << create << MessageIcon::Exclamation << fileTitle
            << notCreated << true;
        QTest::newRow("results append without Log")
            << Step(removeLogDirectory) << appendResults << MessageIcon::Critical << directoryTitle
            << DirectoryText << true;
        QTest::newRow("results log missing")
            << removing(ResultsLog) << appendResults << MessageIcon::Critical << fileTitle
            << missingText(QStringLiteral("Meterwin.log")) << true;
        QTest::newRow("results log not written")
            << failing(Operation::AppendLine) << appendResults << MessageIcon::Exclamation
            << fileTitle << notWrittenText(QStringLiteral("Meterwin.log")) << false;
        QTest::newRow("history append without Log")
            << Step(removeLogDirectory) << appendHistory << MessageIcon::Critical << directoryTitle
            << DirectoryText << true;
        QTest::newRow("history log missing when appending")
            << removing(HistoryLog) << appendHistory << MessageIcon::Critical << fileTitle
            << QStringLiteral("The log file Meterwin_H.log does not exist or\r\n"
                              "is corrupted. Delete the file Meterwin_H.log and restart the "
                              "\r\nprogram to restore the file.") +
                   Terminate
            << true;
        QTest::newRow("history log not written")
            << failing(Operation::AppendLine) << appendHistory << MessageIcon::Exclamation
            << fileTitle << notWrittenText(QStringLiteral("Meterwin_H.log")) << false;
        QTest::newRow("history entry without Log")
            << Step(removeLogDirectory) << buildHistory << MessageIcon::Critical << directoryTitle
            << DirectoryText << true;
        QTest::newRow("history log missing when composing")
            << removing(HistoryLog) << buildHistory << MessageIcon::Critical << fileTitle
            << missingText(QStringLiteral("Meterwin_H.log")) << true;
        QTest::newRow("history log not read")
            << failing(Operation::CountLines) << buildHistory << MessageIcon::Exclamation
            << fileTitle << notWrittenText(QStringLiteral("Meterwin_H.log")) << false;
    }

    void failures() {
        QFETCH(Step, setUp);
        QFETCH(Step, operation);
        Workspace w;
        LogsProgram t;
        CreateLogFiles(t.program);
        fillExampleCalculation(t.sheet());
        t.sheet().ReportText = QStringLiteral("report");
        t.sheet().HistoryText = QStringLiteral("history");
        setUp(t);
        const bool ended = EndsProgram([&] { operation(t); });
        QTEST(ended, "fatal");
        QCOMPARE(t.messages.shown().size(), 1);
        const Message& shown = t.messages.shown().front();
        QTEST(shown.icon, "icon");
        QTEST(shown.title, "title");
        QTEST(shown.text, "text");
        QCOMPARE(shown.buttons, MessageButtons::Ok);
        QVERIFY(t.sheet().Status.caption.isEmpty());
    }
};

MW_REGISTER_TEST(TestLogFiles)
#include "tst_LogFiles.moc"
