#include "shell/GetLast.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <memory>

namespace {

const QByteArray FileHeader =
    "Meterwin History Log\r\nVersion 2.0\r\nFile Created\r\n14-Mar-26 18:01:57\r\n\r\n\r\n";
const QByteArray PageHeader =
    "\r\nDate       , Meter  , Metric/     , Rate 1 , Rate 2 , Break, Calorific, Correction, "
    "Fixed , VAT  , Disc 1, Disc 2\r\n"
    "           , Reading, Imperial    ,        ,        , Point, Value    , Factor    , "
    "Charge, Rate ,       ,       \r\n"
    "-----------, -------, ------------, -------, -------, -----, ---------, ----------, "
    "------, -----, ------, ------\r\n";

QByteArray record(const QByteArray& date, const QByteArray& reading) {
    return date.rightJustified(11, ' ').right(11) + ", " + reading.rightJustified(7, ' ') +
           ", Cubic Metres, 0.07000, 0.04000,   670,    39.400,   1.022640, £12.50,  5.0%,"
           "       ,       \r\n";
}

const QString HistoryLog = QStringLiteral("Log/Meterwin_H.log");

} // namespace

class TestGetLast : public QObject {
    Q_OBJECT

    std::unique_ptr<TemporaryInstallation> dir_;
    std::unique_ptr<TestProgram> t_;

    void writeHistory(const QByteArray& bytes) {
        QFile file(HistoryLog);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

private slots:
    void init() {
        dir_ = std::make_unique<TemporaryInstallation>();
        QVERIFY(QDir().mkdir(QStringLiteral("Log")));
        t_ = std::make_unique<TestProgram>();
        t_->sheet().ResultsLogName = QStringLiteral("Meterwin.log");
        t_->sheet().HistoryLogName = QStringLiteral("Meterwin_H.log");
        Sheet& s = t_->program.sheet;
        s.Date1.text = QStringLiteral("typed");
        s.NRead1.text = QStringLiteral("99");
        s.Date2.text = QStringLiteral("2 Apr 2009");
        s.NRead2.text = QStringLiteral("12500");
        s.NRate1.text = QStringLiteral("£0.07000");
        s.Save.enabled = true;
    }

    void cleanup() {
        t_.reset();
        dir_.reset();
    }

    void restores_data() {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("date1");
        QTest::addColumn<QString>("nread1");
        QTest::addColumn<QString>("date2");

        const QString restored = QStringLiteral("Last Readings Restored");
        const QString noData = QStringLiteral("No Data To Restore");
        const QString nothing = QStringLiteral("No Previous Readings To Restore");
        const QByteArray page = FileHeader + PageHeader;
        QTest::newRow("calculation line")
            << page + record("01/03/2009", "12345") << restored << "01/03/2009"
            << "12345"
            << "02/04/2009";
        QTest::newRow("other date form")
            << page + record("1 Mar 2009", "12345") << restored << "01/03/2009"
            << "12345"
            << "02/04/2009";
        QTest::newRow("last of several")
            << page + record("01/02/2009", "12000") + record("01/03/2009", "12345") << restored
            << "01/03/2009"
            << "12345"
            << "02/04/2009";
        QTest::newRow("no final line end")
            << page + record("01/03/2009", "12345").chopped(2) << restored << "01/03/2009"
            << "12345"
            << "02/04/2009";
        QTest::newRow("reading 1") << page + record("01/03/2009", "1") << restored << "01/03/2009"
                                   << "1"
                                   << "02/04/2009";
        QTest::newRow("new log, header only") << FileHeader << nothing << "typed"
                                              << "99"
                                              << "2 Apr 2009";
        QTest::newRow("headings only") << page << noData << "typed"
                                       << "99"
                                       << "2 Apr 2009";
        QTest::newRow("empty log") << QByteArray() << nothing << "typed"
                                   << "99"
                                   << "2 Apr 2009";
        QTest::newRow("reading 0") << page + record("01/03/2009", "0") << noData << "typed"
                                   << "99"
                                   << "2 Apr 2009";
        QTest::newRow("no date") << page + record("", "12345") << noData << "typed"
                                 << "99"
                                 << "2 Apr 2009";
        QTest::newRow("not a calendar date")
            << page + record("31/02/2010", "12345") << noData << "typed"
            << "99"
            << "2 Apr 2009";
        QTest::newRow("line shorter than the reading") << page + " 01/03/2009,\r\n"
                                                       << noData << "typed"
                                                       << "99"
                                                       << "2 Apr 2009";
        QTest::newRow("empty line after a record") << page + record("01/03/2009", "12345") + "\r\n"
                                                   << nothing << "typed"
                                                   << "99"
                                                   << "2 Apr 2009";
        QTest::newRow("line of spaces") << page + "   \r\n"
                                        << noData << "typed"
                                        << "99"
                                        << "2 Apr 2009";
    }

    void restores() {
        QFETCH(QByteArray, log);
        QFETCH(QString, status);
        QFETCH(QString, date1);
        QFETCH(QString, nread1);
        QFETCH(QString, date2);
        writeHistory(log);

        Get_Last_Click(t_->program);

        const Sheet& s = t_->program.sheet;
        QVERIFY(t_->messages.shown().isEmpty());
        QCOMPARE(s.Status.caption, status);
        QVERIFY(s.Timer1);
        QCOMPARE(s.Date1.text, date1);
        QCOMPARE(s.NRead1.text, nread1);
        QCOMPARE(s.Date2.text, date2);
        QCOMPARE(s.NRead2.text, QStringLiteral("12500"));
        QCOMPARE(s.NRate1.text, QStringLiteral("£0.07000"));
        QVERIFY(!s.Save.enabled);
    }

    void fatalMessages_data() {
        QTest::addColumn<bool>("logDirectory");
        QTest::addColumn<Message>("message");
        QTest::newRow("no log directory")
            << false
            << Message{MessageIcon::Critical, "Meterwin Log Directory Error",
                       "The log directory does not exist.\r\nTo restore the Log "
                       "directory\r\nreinstall the program.\r\nThe program will now terminate."};
        QTest::newRow("no history log")
            << true
            << Message{MessageIcon::Critical, "Meterwin Log File Error",
                       "The log file Meterwin_H.log does not exist or\r\nis corrupted. Delete the "
                       "file Meterwin_H.log and\r\nrestart the program to restore the "
                       "file.\r\nThe program will now terminate"};
    }

    void fatalMessages() {
        QFETCH(bool, logDirectory);
        QFETCH(Message, message);
        if (!logDirectory)
            QVERIFY(QDir(QStringLiteral("Log")).removeRecursively());
        QVERIFY(EndsProgram([&] { Get_Last_Click(t_->program); }));
        QCOMPARE(t_->messages.shown(), QList<Message>{message});
        QCOMPARE(t_->program.sheet.Date1.text, QStringLiteral("typed"));
    }

    void unreadableLogGoesToTheErrorDump() {
        writeHistory(FileHeader);
        t_->files.failOn(FaultyFileSystem::Operation::ReadLastLine);
        QVERIFY(EndsProgram([&] { Get_Last_Click(t_->program); }));
        QCOMPARE(t_->messages.shown().size(), 1);
        QCOMPARE(t_->messages.shown().first().title, QStringLiteral("Meterwin Fatal Error"));
        QCOMPARE(t_->messages.shown().first().text,
                 QStringLiteral("Error Number 141\r\nA Fatal Log File Read Error Has "
                                "Occurred\r\nThe Program Will Now Terminate"));
    }
};

MW_REGISTER_TEST(TestGetLast)
#include "tst_get_last.moc"
