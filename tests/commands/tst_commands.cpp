#include "calc/SheetFields.h"
#include "commands/GetLast.h"
#include "commands/ReadConfiguration.h"
#include "commands/SaveData.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>
#include <memory>

namespace {

const QString Ini = QStringLiteral("Data/Meterwin.ini");

// What Save Data writes for the "layout" tariff on 1 March 2009 in en_GB.
const QByteArray Layout =
    "# Meterwin Version 2.0\r\n# Updated 01/03/2009 12:00\r\n\r\n[Run]\r\nLogLevel=2\r\n"
    "RunOnTop=2\r\n\r\n[Data]\r\nBreakP=671\r\nCalVal=39.4\r\nCFactor=1.02264\r\nConvert=2\r\n"
    "Disc1=3\r\nDisc2=1\r\nNRate1=0.07000\r\nNRate2=1.04\r\nPredict=5\r\nSCharge=13.5\r\n"
    "VRate=6\r\nCORate=0.19\r\n\r\n";

QByteArray with(const QByteArray& from, const QByteArray& to, const QByteArray& file = Layout) {
    return QByteArray(file).replace(from, to);
}

const QString ConfigError = QStringLiteral("Meterwin Configuration File Error");
const Message Corrupted{MessageIcon::Critical, ConfigError,
                        "The configuration file is corrupted.\r\nReinstall the program to "
                        "restore the file.\r\nThe program will now terminate."};

QByteArray record(const QByteArray& date, const QByteArray& reading,
                  const QByteArray& units = "Cubic Metres") {
    return date.rightJustified(11, ' ') + ", " + reading.rightJustified(7, ' ') + ", " + units +
           ", 0.07000, 0.04000,   670,    39.400,   1.022640, £12.50,  5.0%,       ,       \r\n";
}

enum ErrorCheck { Checked, Inhibited };

} // namespace

class TestCommands : public QObject {
    Q_OBJECT

    std::unique_ptr<TemporaryInstallation> dir_;
    std::unique_ptr<TestProgram> t_;

private slots:
    void init() {
        dir_.reset(); // before the next takes the working directory
        dir_ = std::make_unique<TemporaryInstallation>();
        dir_->makeDirectory(QStringLiteral("Data"));
        dir_->makeDirectory(QStringLiteral("Log"));
        t_ = std::make_unique<TestProgram>();
    }

    void saveData_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("settings"); // as typed, in the order of the window
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("en_GB, currency symbols, a line break in a rate")
            << QLocale(QLocale::English, QLocale::UnitedKingdom)
            << "0.07000\r\nNRate2=1.5 £0.04 670 39.4 1.02264 £12.5 5 £2 0 0.19 4" << Layout;
        QTest::newRow("numbers with a point in de_DE")
            << QLocale(QLocale::German, QLocale::Germany)
            << "0,07 0,04 670 39,4 1,02264 12,5 5 2 0 0,19 4" << with("01/03/2009", "01.03.09");
    }

    void saveData() {
        QFETCH(QLocale, locale);
        QFETCH(QString, settings);
        t_ = std::make_unique<TestProgram>(locale);
        dir_->writeFile(Ini, Layout);
        ReadConfiguration(t_->program); // for the options
        const auto fields = settingFields(t_->sheet());
        for (qsizetype i = 0; i < fields.size(); ++i)
            fields[i].control->text = settings.section(u' ', i, i);
        Save_Defaults_Click(t_->program);
        QCOMPARE(t_->sheet().Status.caption, QStringLiteral("Gas Data Saved"));
        QTEST(dir_->readFile(Ini), "file");
    }

    void readingRules_data() {
        QTest::addColumn<QByteArray>("file"); // null: no file at all
        QTest::addColumn<ErrorCheck>("check");
        QTest::addColumn<QList<int>>("boxes"); // AutoSave, OnTop and ConvertF after a good read
        QTest::addColumn<Message>("message");
        const auto row = [](const char* name, const QByteArray& file, const Message& m = {},
                            ErrorCheck check = Checked, const QList<int>& boxes = {1, 1, 1}) {
            QTest::newRow(name) << file << check << boxes << m;
        };
        row("keys under either section", with("[Run]", "[Data]"));
        row("a key twice, another missing", with("Disc2=1\r\n", "Disc1=1\r\n"));
        row("spaces around, comment behind spaces", with("[Run]\r\nL", "  # a\r\n [Run] \r\n L"));
        row("1.5 rounds to even", with("Convert=2", "Convert=1.5"), {}, Checked, {1, 1, 0});
        row("key behind a tab", with("BreakP=", "\tBreakP="), Corrupted);
        row("key in other letter case", with("BreakP=", "Breakp="), Corrupted);
        row("section in other letter case", with("[Run]", "[run]"), Corrupted);
        row("third section line", Layout + "[Data]\r\n", Corrupted);
        row("key added", Layout + "VRate=6\r\n", Corrupted);
        row("comma as decimal point", with("NRate1=0.07", "NRate1=0,07"), Corrupted);
        const QByteArray comment = "#" + QByteArray(64 * 1024 - Layout.size() - 3, 'x') + "\r\n";
        row("64 KiB with a long comment", Layout + comment);
        row("a byte more than 64 KiB", Layout + "x" + comment, Corrupted);
        row("no file", QByteArray(),
            {MessageIcon::Critical, ConfigError,
             "The configuration file is missing or corrupted.\r\nReinstall the program to "
             "restore the file.\r\nThe program will now terminate."});
        row("switch: out of range, no number, 1.6 rounds up",
            with("RunOnTop=2", "RunOnTop=-4",
                 with("Convert=2", "Convert=3",
                      with("BreakP=671", "BreakP=x", with("LogLevel=2", "LogLevel=1.6")))),
            {}, Inhibited, {1, 0, 1});
        row("switch: key missing", with("VRate=6\r\n", ""), Corrupted, Inhibited);
    }

    // A check box that changes runs its click action.
    void readingRules() {
        QFETCH(QByteArray, file);
        QFETCH(ErrorCheck, check);
        QFETCH(Message, message);
        if (!file.isNull())
            dir_->writeFile(Ini, file);
        Sheet& s = t_->sheet();
        s.ErrorCheckInhibited = check == Inhibited;
        s.Save.enabled = true;
        const bool fails = !message.title.isEmpty();
        QCOMPARE(EndsProgram(t_->program, [&] { ReadConfiguration(t_->program); }), fails);
        QCOMPARE(t_->messages.shown(), fails ? QList<Message>{message} : QList<Message>{});
        if (!fails) {
            QTEST((QList{s.AutoSave.value, s.OnTop.value, s.ConvertF.value}), "boxes");
            QCOMPARE(s.Save.enabled, s.AutoSave.value == 0);
            QCOMPARE(s.NRUnitsL.caption == "Cubic Metres Used", s.ConvertF.value == 0);
        }
    }

    void failedSaveKeepsTheFile() {
        dir_->writeFile(Ini, Layout);
        ReadConfiguration(t_->program);
        t_->sheet().NRate1.text = QStringLiteral("0.08");
        t_->files.failOn(FaultyFileSystem::Operation::ReplaceFile);
        QVERIFY(EndsProgram(t_->program, [&] { Save_Defaults_Click(t_->program); }) &&
                t_->sheet().Status.caption.isEmpty());
        QCOMPARE(t_->messages.shown(),
                 (QList<Message>{{MessageIcon::Exclamation, ConfigError,
                                  "Unable to write to the configuration file.\r\nThis may be a "
                                  "permissions problem.\r\nThe program will now terminate."}}));
        QCOMPARE(dir_->readFile(Ini), Layout);
    }

    void getLast_data() {
        QTest::addColumn<QByteArray>("log"); // null: no history log
        QTest::addColumn<QString>("shown");  // the status, then Date1, NRead1 and Date2
        const QString noData = QStringLiteral("No Data To Restore: typed 99 2 Apr 2009");
        QTest::newRow("other date form, widened reading, cubic feet")
            << record("1 Mar 2009", "123456789", "  Cubic Feet")
            << "Last Readings Restored: 01/03/2009 123456789 02/04/2009";
        QTest::newRow("reading 0") << record("01/03/2009", "0") << noData;
        QTest::newRow("record cut in its reading")
            << record("01/03/2009", "12345").chopped(98) << noData;
        QTest::newRow("record cut, then the next one behind it")
            << record("01/03/2009", "4512").chopped(75) + record("2 Apr 2009", "500") << noData;
        QTest::newRow("no units") << record("01/03/2009", "12345", "Cubic Metre") << noData;
        QTest::newRow("not a calendar date") << record("31/02/2010", "12345") << noData;
        QTest::newRow("no history log") << QByteArray() << ": typed 99 2 Apr 2009";
    }

    void getLast() {
        QFETCH(QByteArray, log);
        if (!log.isNull())
            dir_->writeFile(QStringLiteral("Log/Meterwin_H.log"), log);
        Sheet& s = t_->sheet();
        s.HistoryLogName = QStringLiteral("Meterwin_H.log");
        s.Date1.text = QStringLiteral("typed");
        s.NRead1.text = QStringLiteral("99");
        s.Date2.text = QStringLiteral("2 Apr 2009");
        s.Save.enabled = true;
        QCOMPARE(EndsProgram(t_->program, [&] { Get_Last_Click(t_->program); }), log.isNull());
        const Message missing{MessageIcon::Critical, "Meterwin Log File Error",
                              "The log file Meterwin_H.log does not exist or\r\nis corrupted. "
                              "Delete the file Meterwin_H.log and\r\nrestart the program to "
                              "restore the file.\r\nThe program will now terminate"};
        QCOMPARE(t_->messages.shown(), log.isNull() ? QList{missing} : QList<Message>{});
        QTEST(s.Status.caption + ": " + s.Date1.text + u' ' + s.NRead1.text + u' ' + s.Date2.text,
              "shown");
        QCOMPARE(s.Save.enabled, log.isNull());
    }
};

MW_REGISTER_TEST(TestCommands)
#include "tst_commands.moc"
