#include "calc/SheetFields.h"
#include "commands/ClearCommand.h"
#include "commands/GetLast.h"
#include "commands/HelpCommand.h"
#include "commands/ReadConfiguration.h"
#include "commands/SaveData.h"
#include "commands/WebPage.h"
#include "support/Restrictions.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Ini = QStringLiteral("Data/Meterwin.ini");

const QByteArray Valid =
    "# Meterwin Version 2.0\r\n\r\n[Run]\r\nLogLevel=1\r\nRunOnTop=1\r\n\r\n[Data]\r\n"
    "BreakP=671\r\nCalVal=39.4\r\nCFactor=1.02264\r\nConvert=1\r\nDisc1=1\r\nDisc2=1\r\n"
    "NRate1=0.07\r\nNRate2=1.04\r\nPredict=1\r\nSCharge=13.5\r\nVRate=6\r\nCORate=0.19\r\n";

// What Save Data writes for the "layout" tariff on 1 March 2009 in en_GB.
const QByteArray Layout =
    "# Meterwin Version 2.0\r\n# Updated 01/03/2009 12:00\r\n\r\n[Run]\r\nLogLevel=1\r\n"
    "RunOnTop=2\r\n\r\n[Data]\r\nBreakP=671\r\nCalVal=39.4\r\nCFactor=1.02264\r\nConvert=2\r\n"
    "Disc1=3\r\nDisc2=1\r\nNRate1=0.07000\r\nNRate2=1.04\r\nPredict=5\r\nSCharge=13.5\r\n"
    "VRate=6\r\nCORate=0.19\r\n\r\n";

QByteArray with(const QByteArray& from, const QByteArray& to, const QByteArray& file = Valid) {
    return QByteArray(file).replace(from, to);
}

Message configError(MessageIcon icon, const char* lines) {
    return {icon, "Meterwin Configuration File Error",
            QString::fromLatin1(lines) + "\r\nThe program will now terminate."};
}
const Message Corrupted = configError(
    MessageIcon::Critical,
    "The configuration file is corrupted.\r\nReinstall the program to restore the file.");

// Types a tariff: the eleven settings in one text ("-" for an empty one), then
// the On Top, Auto Save and cubic feet options as "0" or "1" each.
void typeTariff(Sheet& s, const QString& tariff) {
    const QStringList texts = tariff.split(u' ');
    const QString options = texts.value(11, QStringLiteral("000"));
    const auto fields = settingFields(s);
    for (qsizetype i = 0; i < fields.size(); ++i)
        fields[i].control->text = texts.at(i) == u'-' ? QString() : texts.at(i);
    s.OnTop.value = options.at(0).digitValue();
    s.AutoSave.value = options.at(1).digitValue();
    s.ConvertF.value = options.at(2).digitValue();
    s.RunOnTop = float(s.OnTop.value + 1);
    s.LogLevel = float(s.AutoSave.value + 1);
    s.Convert = QString::number(s.ConvertF.value + 1);
}

// A history log: its file header, the last line of the headings, a record
// (the units and settings of a normal calculation, or `rest` in their place).
const QByteArray Header = "Meterwin History Log\r\nVersion 2.0\r\nFile Created\r\n1-Mar-09\r\n\r\n";
const QByteArray Headings = Header +
                            "\r\n-----------, -------, ------------, -------, -------, "
                            "-----, ---------, ----------, ------, -----, ------, ------\r\n";
QByteArray record(const QByteArray& date, const QByteArray& reading,
                  const QByteArray& rest = "Cubic Metres, 0.07000, 0.04000,   670,    39.400,   "
                                           "1.022640, \xc2\xa3"
                                           "12.50,  5.0%,       ,       ") {
    return Headings + date.rightJustified(11, ' ') + ", " + reading.rightJustified(7, ' ') + ", " +
           rest + "\r\n";
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT

    std::unique_ptr<TemporaryInstallation> dir_;
    std::unique_ptr<TestProgram> t_;

private slots:
    void init() {
        dir_ = std::make_unique<TemporaryInstallation>();
        dir_->makeDirectory(QStringLiteral("Data"));
        dir_->makeDirectory(QStringLiteral("Log"));
        t_ = std::make_unique<TestProgram>();
    }

    void cleanup() {
        t_.reset();
        chmod("Data", 0755);
        dir_.reset();
    }

    void saveAndReadBack_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("settings");   // and options
        QTest::addColumn<QByteArray>("updated"); // the date in the Layout file, if it is that
        const QLocale gb(QLocale::English, QLocale::UnitedKingdom);
        const QString layout = "£0.07 £0.04 670 39.4 1.02264 £12.5 5 £2 - 0.19 4 101";
        QTest::newRow("layout") << gb << layout << QByteArray("01/03/2009");
        QTest::newRow("layout, de_DE")
            << QLocale(QLocale::German, QLocale::Germany)
            << QString(layout).remove(u'£').replace(u'.', u',') << QByteArray("01.03.09");
        QTest::newRow("settings of 0") << gb << "0.01 0 0 5 0.8 0 0 0 0 0.05 0 000" << QByteArray();
        QTest::newRow("empty") << gb << "0.99 - - 99.9 1.2 - - - - 1 - 010" << QByteArray();
    }

    // Numbers go into the file with "." whatever the locale. Read into a fresh
    // program and saved again, the file is the same.
    void saveAndReadBack() {
        QFETCH(QLocale, locale);
        QFETCH(QString, settings);
        QFETCH(QByteArray, updated);
        t_ = std::make_unique<TestProgram>(locale);
        typeTariff(t_->sheet(), settings);
        Save_Defaults_Click(t_->program);
        QCOMPARE(t_->sheet().Status.caption, QStringLiteral("Gas Data Saved"));
        const QByteArray saved = dir_->readFile(Ini);
        if (!updated.isEmpty())
            QCOMPARE(saved, with("01/03/2009", updated, Layout));
        t_ = std::make_unique<TestProgram>(locale);
        QVERIFY(!EndsProgram(t_->program, [&] { ReadConfiguration(t_->program); }));
        Save_Defaults_Click(t_->program);
        QCOMPARE(t_->messages.shown(), QList<Message>{});
        QCOMPARE(dir_->readFile(Ini), saved);
    }

    // A line break typed into a field cannot add a line (a 15th key) to the file.
    void lineBreakStaysInItsLine() {
        typeTariff(t_->sheet(), "0.07\r\nNRate2=1.5 - - 39 1 - - - - 0.19 -");
        Save_Defaults_Click(t_->program);
        t_ = std::make_unique<TestProgram>();
        QVERIFY(!EndsProgram(t_->program, [&] { ReadConfiguration(t_->program); }));
    }

    void readingRules_data() {
        QTest::addColumn<QByteArray>("file"); // null: no file at all
        QTest::addColumn<bool>("inhibited");  // the error-check switch
        QTest::addColumn<Message>("message");
        QTest::addColumn<QList<int>>("boxes"); // AutoSave, OnTop and ConvertF after a good read
        const auto row = [](const char* name, const QByteArray& file, const Message& m = {},
                            bool inhibited = false, const QList<int>& boxes = {0, 0, 0}) {
            QTest::newRow(name) << file << inhibited << m << boxes;
        };
        row("LF line ends, no final one", QByteArray(Valid).replace("\r\n", "\n").chopped(1));
        row("keys in any order, under either section",
            "[Data]\r\nVRate=6\r\nCORate=0.19\r\nLogLevel=1\r\nSCharge=13.5\r\nPredict=1\r\n"
            "NRate2=1.04\r\nNRate1=0.07\r\nDisc2=1\r\nDisc1=1\r\nConvert=1\r\nCFactor=1.02264\r\n"
            "CalVal=39.4\r\nBreakP=671\r\n[Run]\r\nRunOnTop=1\r\n");
        row("a key twice, another missing", with("Disc2=1\r\n", "Disc1=1\r\n"));
        row("spaces around, comment behind spaces", with("[Run]\r\nL", "  # a\r\n [Run] \r\n L"));
        row("1.5 to even", with("Convert=1", "Convert=1.5", with("LogLevel=1", "LogLevel=2")), {},
            false, {1, 0, 0});
        row("1.6", with("Convert=1", "Convert=1.6", with("RunOnTop=1", "RunOnTop=2")), {}, false,
            {0, 1, 1});
        row("comment keys do not count", with("Disc2=1", "#Disc2=1"), Corrupted);
        row("key in other letter case", with("BreakP=", "Breakp="), Corrupted);
        row("space before =", with("BreakP=", "BreakP ="), Corrupted);
        row("key behind a tab", with("BreakP=", "\tBreakP="), Corrupted);
        row("third section line", Valid + "[Data]\r\n", Corrupted);
        row("section in other letter case", with("[Run]", "[run]"), Corrupted);
        row("key added", Valid + "VRate=6\r\n", Corrupted);
        row("break point without a number", with("BreakP=671", "BreakP=abc"), Corrupted);
        row("comma as decimal point", with("NRate1=0.07", "NRate1=0,07"), Corrupted);
        row("empty file", "", Corrupted);
        const QByteArray comment = "#" + QByteArray(64 * 1024 - Valid.size() - 3, 'x') + "\r\n";
        row("64 KiB with a long comment", Valid + comment);
        row("a byte more than 64 KiB", Valid + "x" + comment, Corrupted);
        row("no file", QByteArray(),
            configError(MessageIcon::Critical, "The configuration file is missing or corrupted."
                                               "\r\nReinstall the program to restore the file."));
        row("switch: out of range",
            with("Convert=1", "Convert=3", with("CalVal=39.4", "CalVal=500")), {}, true, {0, 0, 1});
        row("switch: no number",
            with("RunOnTop=1", "RunOnTop=-4", with("BreakP=671", "BreakP=abc")), {}, true);
        row("switch: key missing", with("VRate=6\r\n", ""), Corrupted, true);
        row("switch: third section line", Valid + "[Run]\r\n", Corrupted, true);
    }

    // A check box that changes runs its click action.
    void readingRules() {
        QFETCH(QByteArray, file);
        QFETCH(bool, inhibited);
        QFETCH(Message, message);
        QFETCH(QList<int>, boxes);
        if (!file.isNull())
            dir_->writeFile(Ini, file);
        Sheet& s = t_->sheet();
        s.ErrorCheckInhibited = inhibited;
        s.Save.enabled = true;
        const bool fails = !message.title.isEmpty();
        QCOMPARE(EndsProgram(t_->program, [&] { ReadConfiguration(t_->program); }), fails);
        QCOMPARE(t_->messages.shown(), fails ? QList<Message>{message} : QList<Message>{});
        if (!fails) {
            QCOMPARE((QList{s.AutoSave.value, s.OnTop.value, s.ConvertF.value}), boxes);
            QCOMPARE(s.Save.enabled, s.AutoSave.value == 0);
            QCOMPARE(s.NRUnitsL.caption == "Cubic Metres Used", s.ConvertF.value == 0);
        }
    }

    // A failed save leaves the file as it was, byte for byte: through the file
    // system, then for real. As root every write succeeds, so the real one runs
    // as the user nobody in a child process.
    void failedSaveKeepsTheFile() {
        dir_->writeFile(Ini, Valid);
        typeTariff(t_->sheet(), "0.08 - - 39 1 - - - - 0.19 -");
        const auto fails = [&] {
            return EndsProgram(t_->program, [&] { Save_Defaults_Click(t_->program); }) &&
                   t_->sheet().Status.caption.isEmpty() &&
                   t_->messages.shown().endsWith(
                       configError(MessageIcon::Exclamation,
                                   "Unable to write to the configuration file.\r\nThis "
                                   "may be a permissions problem."));
        };
        t_->files.failOn(FaultyFileSystem::Operation::ReplaceFile);
        QVERIFY(fails());
        QCOMPARE(dir_->readFile(Ini), Valid);
        t_->files.heal();

        QVERIFY(chmod(".", 0711) == 0 && chmod("Data", 0511) == 0);
        const int status = runInChild(dropToNobody, [&] { return fails() ? 0 : 1; });
        if (status == CannotRestrict)
            QSKIP("Running as root and cannot drop to nobody: a real failed write is untested.");
        QCOMPARE(status, 0);
        QCOMPARE(dir_->readFile(Ini), Valid);
        QCOMPARE(QDir(QStringLiteral("Data")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Meterwin.ini"});
    }

    void getLast_data() {
        QTest::addColumn<QByteArray>("log"); // null: no history log
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("entries"); // Date1, NRead1, Date2 afterwards
        QTest::addColumn<Message>("message");
        const QString restored = QStringLiteral("Last Readings Restored");
        const QString noData = QStringLiteral("No Data To Restore");
        const QString nothing = QStringLiteral("No Previous Readings To Restore");
        const QString kept = QStringLiteral("typed 99 2 Apr 2009");
        const auto row = [](const char* name, const QByteArray& log, const QString& status,
                            const QString& entries, const Message& m = {}) {
            QTest::newRow(name) << log << status << entries << m;
        };
        row("calculation line", record("01/03/2009", "12345"), restored,
            "01/03/2009 12345 02/04/2009");
        row("other date form", record("1 Mar 2009", "1"), restored, "01/03/2009 1 02/04/2009");
        row("widened reading and charge",
            record("01/03/2009", "123456789",
                   "  Cubic Feet, 0.07000, "
                   "0.04000,   670,    39.400,   1.022640, 1,234.50,  5.0%,       ,       "),
            restored, "01/03/2009 123456789 02/04/2009");
        row("reading 0", record("01/03/2009", "0"), noData, kept);
        row("record cut in its reading", record("01/03/2009", "12345").chopped(98), noData, kept);
        row("record cut, then the next one behind it",
            record("01/03/2009", "4512").chopped(98) +
                record("2 Apr 2009", "500").mid(Headings.size()),
            noData, kept);
        row("cut behind the units, then the next one",
            record("01/03/2009", "4512").chopped(75) +
                record("2 Apr 2009", "500").mid(Headings.size()),
            noData, kept);
        row("no units", record("01/03/2009", "12345", "Cubic Metre, 1, 2, 3, 4, 5, 6, 7, 8, 9"),
            noData, kept);
        row("not a calendar date", record("31/02/2010", "12345"), noData, kept);
        row("headings only", Headings, noData, kept);
        row("empty line after a record", record("01/03/2009", "12345") + "\r\n", nothing, kept);
        row("new log, header only", Header, nothing, kept);
        row("empty log", "", nothing, kept);
        // The last line of this message has no full stop.
        row("no history log", QByteArray(), "", kept,
            {MessageIcon::Critical, "Meterwin Log File Error",
             "The log file Meterwin_H.log does not exist or\r\nis corrupted. Delete the file "
             "Meterwin_H.log and\r\nrestart the program to restore the file.\r\nThe program will "
             "now terminate"});
    }

    void getLast() {
        QFETCH(QByteArray, log);
        QFETCH(QString, status);
        QFETCH(QString, entries);
        QFETCH(Message, message);
        if (!log.isNull())
            dir_->writeFile(QStringLiteral("Log/Meterwin_H.log"), log);
        Sheet& s = t_->sheet();
        s.HistoryLogName = QStringLiteral("Meterwin_H.log");
        s.Date1.text = QStringLiteral("typed");
        s.NRead1.text = QStringLiteral("99");
        s.Date2.text = QStringLiteral("2 Apr 2009");
        s.Save.enabled = true;
        QCOMPARE(EndsProgram(t_->program, [&] { Get_Last_Click(t_->program); }), log.isNull());
        QCOMPARE(t_->messages.shown(), log.isNull() ? QList{message} : QList<Message>{});
        QCOMPARE(s.Status.caption, status);
        QCOMPARE(s.Date1.text + u' ' + s.NRead1.text + u' ' + s.Date2.text, entries);
        QCOMPARE(s.Save.enabled, log.isNull());
    }

    // Clear also forgets the last calculation, so the same data may be
    // calculated again, and leaves the tariff alone.
    void clear() {
        Sheet& s = t_->sheet();
        for (TextField* f : {&s.Date1, &s.Date2, &s.NRead1, &s.NRead2, &s.Notes, &s.NRate1})
            f->text = QStringLiteral("7");
        s.InputSignature = s.LastSignature = QStringLiteral("£01/01/2015");
        s.Save.enabled = true;
        Clear_Click(t_->program);
        QCOMPARE(s.Date1.text + s.Date2.text + s.NRead1.text + s.NRead2.text + s.Notes.text +
                     s.InputSignature + s.LastSignature + u'|' + s.NRate1.text,
                 QStringLiteral("|7"));
        QCOMPARE(s.Status.caption, QStringLiteral("Data Cleared"));
        QVERIFY(!s.Save.enabled);
    }

    // A launcher that cannot start is reported, and the program goes on.
    void launcherFails() {
        dir_->makeDirectory(QStringLiteral("Help"));
        dir_->writeFile(HelpPage, "<html></html>");
        t_->desktop.opens = false;
        QVERIFY(!EndsProgram(t_->program, [&] {
            Help1_Click(t_->program);
            Logo_Click(t_->program);
        }));
        QCOMPARE(t_->desktop.openedFiles + t_->desktop.openedUrls,
                 (QStringList{HelpPage, MakersWebAddress}));
        QCOMPARE(
            t_->messages.shown(),
            (QList<Message>{{MessageIcon::Exclamation, "Meterwin Help File Error",
                             "Unable to opem the help file.\r\nThis may be a permissions "
                             "problem."},
                            {MessageIcon::None, "Meterwin Error", "Unable to launch Browser."}}));
    }
};

MW_REGISTER_TEST(TestShell)
#include "tst_shell.moc"
