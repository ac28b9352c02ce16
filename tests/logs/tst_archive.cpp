#include "logs/ArchiveResultsLog.h"
#include "logs/ViewLogs.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <memory>

namespace {

const QByteArray StartedLog = "Meterwin Results Log\r\nVersion 2.0\r\nFile Created\r\n"
                              "14-Mar-26 08:00:00\r\n\r\n\r\n"
                              "Meterwin Started\r\nVersion 2.0\r\n14/03/2026 08:00:01\r\n\r\n";
const QByteArray ReportBlock = "Meterwin Calculation\r\n    Calorific Value      39.500\r\n\r\n";
const QByteArray NewHeader =
    "Meterwin Results Log\r\nVersion 2.0\r\nFile Created\r\n01/03/2009 12:00:00\r\n\r\n\r\n";

const QString ResultsLog = QStringLiteral("Log/Meterwin.log");

const Message Question{MessageIcon::Exclamation, "Meterwin Archive Results Log File",
                       "Are you sure you want to\r\narchive the results log\r\nfile and create a "
                       "new one?",
                       MessageButtons::YesNo};
const Message NoData{MessageIcon::Exclamation, "Meterwin Log File Error",
                     "There is no data to archive!\r\nResults file not archived."};
const Message ArchiveFailed{MessageIcon::Exclamation, "Meterwin Log File Error",
                            "Unable to archive the log file Meterwin.log.\r\nThis may be a "
                            "permissions problem."};

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList logFiles() {
    return QDir(QStringLiteral("Log")).entryList(QDir::Files, QDir::Name);
}

// Every archive name of the day is taken.
class EveryNameTaken final : public FileSystem {
public:
    bool directoryExists(const QString&) const override { return true; }
    bool fileExists(const QString&) const override { return true; }
    QStringList readLines(const QString&) override { return {}; }
    qint64 countLines(const QString&) override { return 0; }
    QString readLastLine(const QString&) override { return {}; }
    void createEmpty(const QString&) override {}
    void appendLine(const QString&, const QString&) override {}
    void replaceFile(const QString&, const QString&) override {}
    void copyFile(const QString&, const QString&) override {}
    void deleteFile(const QString&) override {}
};

} // namespace

class TestArchive : public QObject {
    Q_OBJECT

    std::unique_ptr<TemporaryInstallation> dir_;
    std::unique_ptr<TestProgram> t_;

private slots:
    void init() {
        dir_ = std::make_unique<TemporaryInstallation>();
        QVERIFY(QDir().mkdir(QStringLiteral("Log")));
        t_ = std::make_unique<TestProgram>();
        t_->sheet().ResultsLogName = QStringLiteral("Meterwin.log");
        t_->sheet().HistoryLogName = QStringLiteral("Meterwin_H.log");
    }

    void cleanup() {
        t_.reset();
        dir_.reset();
    }

    void archivesAfterYes() {
        write(ResultsLog, StartedLog + ReportBlock);
        Archive_Click(t_->program);

        QCOMPARE(t_->messages.shown(), QList<Message>{Question});
        QCOMPARE(logFiles(), QStringList({"Meterwin.log", "Meterwin_090301_1.log"}));
        QCOMPARE(contentOf("Log/Meterwin_090301_1.log"), StartedLog + ReportBlock);
        QCOMPARE(contentOf(ResultsLog), NewHeader);
        QCOMPARE(t_->program.sheet.Status.caption, QStringLiteral("Results Log File Archived"));
        QVERIFY(t_->program.sheet.Timer1);
    }

    void refusesWithoutChange_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<Message>("message");

        QTest::newRow("no report block") << StartedLog << MessageAnswer::Yes << NoData;
        QTest::newRow("empty log") << QByteArray() << MessageAnswer::Yes << NoData;
        QTest::newRow("word inside a line") << StartedLog + "Notes: Calorific\r\n"
                                            << MessageAnswer::Yes << NoData;
        QTest::newRow("tab before the word") << StartedLog + "\tCalorific Value\r\n"
                                             << MessageAnswer::Yes << NoData;
        QTest::newRow("answered No") << StartedLog + ReportBlock << MessageAnswer::No << Question;
    }

    void refusesWithoutChange() {
        QFETCH(QByteArray, content);
        QFETCH(MessageAnswer, answer);
        QFETCH(Message, message);
        write(ResultsLog, content);
        t_->messages.answerYesNoWith(answer);

        Archive_Click(t_->program);

        QCOMPARE(t_->messages.shown(), QList<Message>{message});
        QCOMPARE(logFiles(), QStringList({"Meterwin.log"}));
        QCOMPARE(contentOf(ResultsLog), content);
        QCOMPARE(t_->program.sheet.Status.caption, QString());
        QVERIFY(!t_->program.sheet.Timer1);
    }

    void twoArchivesOnOneDay() {
        write(ResultsLog, StartedLog + ReportBlock);
        Archive_Click(t_->program);
        const QByteArray second = NewHeader + "Meterwin Calculation\r\nCalorific Value 40\r\n";
        write(ResultsLog, second);
        Archive_Click(t_->program);

        QCOMPARE(logFiles(),
                 QStringList({"Meterwin.log", "Meterwin_090301_1.log", "Meterwin_090301_2.log"}));
        QCOMPARE(contentOf("Log/Meterwin_090301_1.log"), StartedLog + ReportBlock);
        QCOMPARE(contentOf("Log/Meterwin_090301_2.log"), second);
        QCOMPARE(contentOf(ResultsLog), NewHeader);
    }

    void firstFreeNumber() {
        write(ResultsLog, ReportBlock);
        write("Log/Meterwin_090301_1.log", "one");
        write("Log/Meterwin_090301_3.log", "three");
        write("Log/Meterwin_090228_2.log", "yesterday");
        Archive_Click(t_->program);
        QCOMPARE(contentOf("Log/Meterwin_090301_2.log"), ReportBlock);
        QCOMPARE(contentOf("Log/Meterwin_090301_1.log"), QByteArray("one"));
        QCOMPARE(contentOf("Log/Meterwin_090301_3.log"), QByteArray("three"));
    }

    void secondArchiveWithoutNewCalculation() {
        write(ResultsLog, StartedLog + ReportBlock);
        Archive_Click(t_->program);
        t_->messages.clear();
        Archive_Click(t_->program);

        QCOMPARE(t_->messages.shown(), QList<Message>{NoData});
        QCOMPARE(logFiles(), QStringList({"Meterwin.log", "Meterwin_090301_1.log"}));
    }

    void readOnlyResultsLog() {
        write(ResultsLog, StartedLog + ReportBlock);
        QVERIFY(QFile::setPermissions(ResultsLog, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        Archive_Click(t_->program);

        QCOMPARE(t_->messages.shown(), QList<Message>{Question});
        QCOMPARE(contentOf("Log/Meterwin_090301_1.log"), StartedLog + ReportBlock);
        QCOMPARE(contentOf(ResultsLog), NewHeader);
        QVERIFY(QFileInfo(ResultsLog).isWritable());
        QCOMPARE(t_->program.sheet.Status.caption, QStringLiteral("Results Log File Archived"));
    }

    void headerInTheLocalesShortDate() {
        RegionalForms us(QLocale(QLocale::English, QLocale::UnitedStates));
        const QDateTime moment(QDate(2026, 3, 4), QTime(6, 5, 3));
        QCOMPARE(ArchiveHeader(us, moment),
                 QStringLiteral("Meterwin Results Log\r\nVersion 2.0\r\nFile Created\r\n"
                                "3/4/26 06:05:03\r\n\r\n"));
    }

    // A failed file operation is reported, never shown as a success.
    void failedFileOperation_data() {
        QTest::addColumn<FaultyFileSystem::Operation>("failing");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QByteArray>("resultsLog");

        using Operation = FaultyFileSystem::Operation;
        const QByteArray old = StartedLog + ReportBlock;
        QTest::newRow("read") << Operation::ReadLines << QStringList{"Meterwin.log"} << old;
        QTest::newRow("copy") << Operation::CopyFile << QStringList{"Meterwin.log"} << old;
        QTest::newRow("delete") << Operation::DeleteFile
                                << QStringList{"Meterwin.log", "Meterwin_090301_1.log"} << old;
        QTest::newRow("create") << Operation::CreateEmpty << QStringList{"Meterwin_090301_1.log"}
                                << QByteArray("<missing>");
        QTest::newRow("header") << Operation::AppendLine
                                << QStringList{"Meterwin.log", "Meterwin_090301_1.log"}
                                << QByteArray();
    }

    void failedFileOperation() {
        QFETCH(FaultyFileSystem::Operation, failing);
        QFETCH(QStringList, files);
        QFETCH(QByteArray, resultsLog);
        write(ResultsLog, StartedLog + ReportBlock);
        t_->files.failOn(failing);

        Archive_Click(t_->program);

        QCOMPARE(t_->messages.last(), ArchiveFailed);
        QCOMPARE(logFiles(), files);
        QCOMPARE(contentOf(ResultsLog), resultsLog);
        QCOMPARE(t_->sheet().Status.caption, QString());
        QVERIFY(!t_->sheet().Timer1);
    }

    // The sequence number is a 16-bit counter.
    void noFreeArchiveName() {
        EveryNameTaken files;
        QVERIFY_THROWS_EXCEPTION(RunTimeFailure, ArchiveName(files, QDate(2009, 3, 1)));
    }

    void fatalMessages_data() {
        QTest::addColumn<int>("command"); // 0 Archive, 1 Results, 2 History
        QTest::addColumn<bool>("logDirectory");
        QTest::addColumn<Message>("message");

        const Message directory{MessageIcon::Critical, "Meterwin Log Directory Error",
                                "The log directory does not exist.\r\nTo restore the log "
                                "directory\r\nreinstall the program.\r\nThe program will now "
                                "terminate."};
        const Message results{MessageIcon::Exclamation, "Meterwin Log File Error",
                              "The log file is either missing or\r\ncorrupted. Delete the log "
                              "file if\r\nit exists and restart the program.\r\nThe program "
                              "will now terminate."};
        const Message history{MessageIcon::Exclamation, "Meterwin Log File Error",
                              "The log file Meterwin_H.log is either missing\r\nor corrupted. "
                              "Delete the log file if\r\nit exists and restart the "
                              "program.\r\nThe program will now terminate."};
        QTest::newRow("Archive, no directory") << 0 << false << directory;
        QTest::newRow("Results, no directory") << 1 << false << directory;
        QTest::newRow("History, no directory") << 2 << false << directory;
        QTest::newRow("Archive, no results log") << 0 << true << results;
        QTest::newRow("Results, no results log") << 1 << true << results;
        QTest::newRow("History, no history log") << 2 << true << history;
    }

    void fatalMessages() {
        QFETCH(int, command);
        QFETCH(bool, logDirectory);
        QFETCH(Message, message);
        if (!logDirectory)
            QVERIFY(QDir(QStringLiteral("Log")).removeRecursively());

        Program& program = t_->program;
        QVERIFY(EndsProgram([&] {
            if (command == 0)
                Archive_Click(program);
            else if (command == 1)
                ViewL_Click(program);
            else
                ViewH_Click(program);
        }));
        QCOMPARE(t_->messages.shown(), QList<Message>{message});
        QVERIFY(t_->desktop.openedFiles.isEmpty());
    }

    void viewsOpenTheLog_data() {
        QTest::addColumn<bool>("history");
        QTest::addColumn<QString>("path");
        QTest::newRow("Results") << false << "Log/Meterwin.log";
        QTest::newRow("History") << true << "Log/Meterwin_H.log";
    }

    void viewsOpenTheLog() {
        QFETCH(bool, history);
        QFETCH(QString, path);
        write(path, "x");
        QVERIFY(
            !EndsProgram([&] { history ? ViewH_Click(t_->program) : ViewL_Click(t_->program); }));
        QCOMPARE(t_->desktop.openedFiles, QStringList{path});
        QVERIFY(t_->messages.shown().isEmpty());
    }

    void viewerThatFailsEndsTheProgram_data() {
        QTest::addColumn<bool>("history");
        QTest::addColumn<QString>("text");
        QTest::newRow("Results") << false
                                 << "Unable to opem the log file Meterwin.log.\r\n"
                                    "This may be a permissions problem.";
        QTest::newRow("History") << true
                                 << "Unable to opem the log file Meterwin_H.log.\r\n"
                                    "This may be a permissions problem.";
    }

    void viewerThatFailsEndsTheProgram() {
        QFETCH(bool, history);
        QFETCH(QString, text);
        write("Log/Meterwin.log", "x");
        write("Log/Meterwin_H.log", "x");
        t_->desktop.opens = false;
        QVERIFY(
            EndsProgram([&] { history ? ViewH_Click(t_->program) : ViewL_Click(t_->program); }));
        const Message failed{MessageIcon::Exclamation, "Meterwin Log File Error", text};
        QCOMPARE(t_->messages.shown(), QList<Message>{failed});
    }
};

MW_REGISTER_TEST(TestArchive)
#include "tst_archive.moc"
