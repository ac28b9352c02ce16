#include "shell/ReadConfiguration.h"
#include "shell/ResetData.h"
#include "shell/SaveData.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <csignal>
#include <cstdio>
#include <grp.h>
#include <memory>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString Ini = QStringLiteral("Data/Meterwin.ini");

// The settings, the options and the values beside them, for comparing two sheets.
QStringList tariffOf(const Sheet& s) {
    QStringList texts;
    for (const TextField* f : {&s.NRate1, &s.NRate2, &s.BreakP, &s.CalVal, &s.CFactor, &s.SCharge,
                               &s.VRate, &s.Disc1, &s.Disc2, &s.CORate, &s.Predict})
        texts << f->text;
    return texts << QString::number(s.OnTop.value) << QString::number(s.AutoSave.value)
                 << QString::number(s.ConvertF.value) << QString::number(s.LogLevel)
                 << QString::number(s.RunOnTop) << s.Convert;
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A configuration file from its lines, each ended by CR LF.
QByteArray fileOf(const QList<QByteArray>& lines) {
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + "\r\n";
    return text;
}

const QList<QByteArray> RunKeys = {"LogLevel=1", "RunOnTop=1"};
const QList<QByteArray> DataKeys = {"BreakP=671", "CalVal=39.4",  "CFactor=1.02264", "Convert=1",
                                    "Disc1=1",    "Disc2=1",      "NRate1=0.07",     "NRate2=1.04",
                                    "Predict=1",  "SCharge=13.5", "VRate=6",         "CORate=0.19"};

QByteArray validFile() {
    return fileOf(QList<QByteArray>{"# Meterwin Version 2.0", "", "[Run]"} + RunKeys +
                  QList<QByteArray>{"", "[Data]"} + DataKeys);
}

const Message Corrupted{MessageIcon::Critical, "Meterwin Configuration File Error",
                        "The configuration file is corrupted.\r\nReinstall the program to "
                        "restore the file.\r\nThe program will now terminate."};

} // namespace

class TestConfiguration : public QObject {
    Q_OBJECT

    std::unique_ptr<TemporaryInstallation> dir_;
    std::unique_ptr<TestProgram> t_;

    Sheet& sheet() { return t_->program.sheet; }

    void typeTariff(const QStringList& texts, QList<int> boxes) {
        Sheet& s = sheet();
        TextField* fields[] = {&s.NRate1, &s.NRate2, &s.BreakP, &s.CalVal, &s.CFactor, &s.SCharge,
                               &s.VRate,  &s.Disc1,  &s.Disc2,  &s.CORate, &s.Predict};
        for (qsizetype i = 0; i < texts.size(); ++i)
            fields[i]->text = texts.at(i);
        s.OnTop.value = boxes.at(0);
        s.AutoSave.value = boxes.at(1);
        s.ConvertF.value = boxes.at(2);
        s.LogLevel = float(boxes.at(1) + 1);
        s.RunOnTop = float(boxes.at(0) + 1);
        s.Convert = QString::number(boxes.at(2) + 1);
    }

    bool readEndsProgram() {
        return EndsProgram([&] { ReadConfiguration(t_->program); });
    }

    bool saveEndsUnableToWrite() {
        return EndsProgram([&] { Save_Defaults_Click(t_->program); }) &&
               t_->messages.shown() == QList<Message>{UnableToWrite()};
    }

    // Runs Save Data in a child process after `restrict` (true when it could
    // restrict the child); the child's exit status tells whether the save
    // ended with the write message (0), otherwise (1), or could not be
    // restricted (3).
    template <typename Restrict> int saveInChild(Restrict&& restrict) {
        std::fflush(nullptr);
        const pid_t child = fork();
        if (child == 0)
            _exit(!restrict() ? 3 : saveEndsUnableToWrite() ? 0 : 1);
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
            return -1;
        return WEXITSTATUS(status);
    }

    void keepsTheOldFile() {
        QCOMPARE(contentOf(Ini), validFile());
        QCOMPARE(QDir(QStringLiteral("Data")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Meterwin.ini"});
    }

private slots:
    void init() {
        dir_ = std::make_unique<TemporaryInstallation>();
        QVERIFY(QDir().mkdir(QStringLiteral("Data")));
        QVERIFY(QDir().mkdir(QStringLiteral("Log")));
        t_ = std::make_unique<TestProgram>();
        sheet().CurrencySymbol = QStringLiteral("£");
    }

    void cleanup() {
        t_.reset();
        QFile::setPermissions(dir_->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner);
        QFile::setPermissions(dir_->path() + QStringLiteral("/Data"), QFileDevice::ReadOwner |
                                                                          QFileDevice::WriteOwner |
                                                                          QFileDevice::ExeOwner);
        dir_.reset();
    }

    void saveWritesTheLayout() {
        typeTariff(
            {"£0.07", "£0.04", "670", "39.4", "1.02264", "£12.5", "5", "£2", "", "0.19", "4"},
            {1, 0, 1});
        Save_Defaults_Click(t_->program);

        QVERIFY(t_->messages.shown().isEmpty());
        QCOMPARE(contentOf(Ini), QByteArray("# Meterwin Version 2.0\r\n"
                                            "# Updated 01/03/2009 12:00\r\n"
                                            "\r\n"
                                            "[Run]\r\n"
                                            "LogLevel=1\r\n"
                                            "RunOnTop=2\r\n"
                                            "\r\n"
                                            "[Data]\r\n"
                                            "BreakP=671\r\n"
                                            "CalVal=39.4\r\n"
                                            "CFactor=1.02264\r\n"
                                            "Convert=2\r\n"
                                            "Disc1=3\r\n"
                                            "Disc2=1\r\n"
                                            "NRate1=0.07000\r\n"
                                            "NRate2=1.04\r\n"
                                            "Predict=5\r\n"
                                            "SCharge=13.5\r\n"
                                            "VRate=6\r\n"
                                            "CORate=0.19\r\n"
                                            "\r\n"));
        QCOMPARE(sheet().Status.caption, QStringLiteral("Gas Data Saved"));
        QCOMPARE(sheet().NRate1.text, QStringLiteral("£0.07000"));
        QCOMPARE(sheet().SCharge.text, QStringLiteral("£12.50"));
    }

    void saveKeepsThePointInEveryLocale() {
        RegionalForms german(QLocale(QLocale::German, QLocale::Germany));
        Program program{Services{german, t_->messages, t_->files, t_->clock, t_->desktop}};
        program.sheet = sheet();
        program.sheet.CalVal.text = QStringLiteral("39,4");
        program.sheet.NRate1.text = QStringLiteral("0,07");
        program.sheet.CFactor.text = QStringLiteral("1");
        program.sheet.CORate.text = QStringLiteral("0.2");
        program.sheet.SCharge.text = QStringLiteral("12,5");
        program.sheet.LogLevel = 1;
        program.sheet.RunOnTop = 1;
        program.sheet.Convert = QStringLiteral("1");
        Save_Defaults_Click(program);

        const QByteArray file = contentOf(Ini);
        QVERIFY2(file.contains("\r\nCalVal=39.4\r\n"), file.constData());
        QVERIFY2(file.contains("\r\nNRate1=0.07000\r\n"), file.constData());
        QVERIFY2(file.contains("\r\nSCharge=13.5\r\n"), file.constData());
        QVERIFY2(!file.contains(','), file.constData());
    }

    void readsBackWhatWasSaved_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("boxes");
        QTest::newRow("full tariff, options ticked")
            << QStringList{"0.07", "0.04", "670", "39.4", "1.02264", "12.5",
                           "17.5", "2",    "1.5", "0.19", "4"}
            << QList<int>{1, 1, 1};
        QTest::newRow("settings of 0")
            << QStringList{"0.01", "0", "0", "5", "0.8", "0", "0", "0", "0", "0.05", "0"}
            << QList<int>{0, 0, 0};
        QTest::newRow("optional settings empty")
            << QStringList{"0.99", "", "", "99.9", "1.2", "", "", "", "", "1", ""}
            << QList<int>{0, 1, 0};
        QTest::newRow("upper bounds")
            << QStringList{"0.99", "0.99", "1000", "99.9", "1.2", "99", "50", "99", "99", "1", "4"}
            << QList<int>{1, 0, 1};
    }

    void readsBackWhatWasSaved() {
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, boxes);
        typeTariff(texts, boxes);
        Save_Defaults_Click(t_->program);
        QVERIFY(t_->messages.shown().isEmpty());
        const QStringList saved = tariffOf(sheet());

        t_ = std::make_unique<TestProgram>();
        typeTariff({"0.5", "0.5", "500", "50", "1", "50", "25", "50", "50", "0.5", "2"},
                   {1 - boxes.at(0), 1 - boxes.at(1), 1 - boxes.at(2)});
        QVERIFY(!readEndsProgram());
        QVERIFY(t_->messages.shown().isEmpty());
        QCOMPARE(tariffOf(sheet()), saved);
    }

    void readingRules_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("corrupted");

        const QByteArray valid = validFile();
        QTest::newRow("as written") << valid << false;
        QTest::newRow("LF line ends") << QByteArray(valid).replace("\r\n", "\n") << false;
        QTest::newRow("no final line end") << valid.chopped(2) << false;
        QTest::newRow("keys in any order, under either section")
            << fileOf(QList<QByteArray>{"[Data]", "CORate=0.19", "LogLevel=1", "BreakP=671"} +
                      DataKeys.mid(1, 10) + QList<QByteArray>{"[Run]", "RunOnTop=1"})
            << false;
        QTest::newRow("a key twice, another missing")
            << QByteArray(valid).replace("Disc2=1\r\n", "Disc1=1\r\n") << false;
        QTest::newRow("leading and trailing spaces")
            << QByteArray(valid)
                   .replace("CalVal=39.4", "   CalVal=39.4   ")
                   .replace("[Run]", "  [Run] ")
            << false;
        QTest::newRow("comment behind spaces is ignored")
            << QByteArray(valid).replace("[Run]", "  # note\r\n[Run]") << false;
        QTest::newRow("line of spaces")
            << QByteArray(valid).replace("[Run]", "   \r\n[Run]") << false;
        QTest::newRow("unknown line") << valid + "Colour=blue\r\n" << false;
        QTest::newRow("comment keys do not count")
            << QByteArray(valid).replace("Disc2=1\r\n", "#Disc2=1\r\n") << true;
        QTest::newRow("key in other letter case")
            << QByteArray(valid).replace("BreakP=", "Breakp=") << true;
        QTest::newRow("space before =") << QByteArray(valid).replace("BreakP=", "BreakP =") << true;
        QTest::newRow("key behind a tab")
            << QByteArray(valid).replace("BreakP=", "\tBreakP=") << true;
        QTest::newRow("third section line") << valid + "[Data]\r\n" << true;
        QTest::newRow("section missing") << QByteArray(valid).replace("[Run]\r\n", "") << true;
        QTest::newRow("section in other letter case")
            << QByteArray(valid).replace("[Run]", "[run]") << true;
        QTest::newRow("key missing") << QByteArray(valid).replace("VRate=6\r\n", "") << true;
        QTest::newRow("key added") << valid + "VRate=6\r\n" << true;
        QTest::newRow("break point without a number")
            << QByteArray(valid).replace("BreakP=671", "BreakP=abc") << true;
        QTest::newRow("setting out of range")
            << QByteArray(valid).replace("CalVal=39.4", "CalVal=100") << true;
        QTest::newRow("comma as decimal point")
            << QByteArray(valid).replace("NRate1=0.07", "NRate1=0,07") << true;
        QTest::newRow("log level 1.5")
            << QByteArray(valid).replace("LogLevel=1", "LogLevel=1.5") << true;
        QTest::newRow("empty file") << QByteArray() << true;
    }

    void readingRules() {
        QFETCH(QByteArray, file);
        QFETCH(bool, corrupted);
        write(Ini, file);

        QCOMPARE(readEndsProgram(), corrupted);
        QCOMPARE(t_->messages.shown(), corrupted ? QList<Message>{Corrupted} : QList<Message>{});
    }

    void valuesOfTheKeys() {
        write(Ini, QByteArray(validFile()).replace("Disc2=1\r\n", "Disc1=3.5\r\n"));
        sheet().Disc2.text = QStringLiteral("£7.00");
        QVERIFY(!readEndsProgram());

        const Sheet& s = sheet();
        QCOMPARE(s.BreakP.text, QStringLiteral("670"));
        QCOMPARE(s.CalVal.text, QStringLiteral("39.400"));
        QCOMPARE(s.CFactor.text, QStringLiteral("1.022640"));
        QCOMPARE(s.NRate1.text, QStringLiteral("£0.07000"));
        QCOMPARE(s.NRate2.text, QStringLiteral("£0.04000"));
        QCOMPARE(s.Predict.text, QString());
        QCOMPARE(s.SCharge.text, QStringLiteral("£12.50"));
        QCOMPARE(s.VRate.text, QStringLiteral("5.0"));
        QCOMPARE(s.CORate.text, QStringLiteral("0.19"));
        // The later line wins; the missing key leaves the field as it was.
        QCOMPARE(s.Disc1.text, QStringLiteral("£2.50"));
        QCOMPARE(s.Disc2.text, QStringLiteral("£7.00"));
    }

    void configurationEcho() {
        write(Ini, "# heading\r\n\r\n  # not skipped  \r\n" + validFile().mid(24));
        QVERIFY(!readEndsProgram());
        QCOMPARE(sheet().ConfigEcho,
                 QStringLiteral("Meterwin Configuration\r\n----------------------\r\n"
                                "# not skipped\r\n[Run]\r\nLogLevel=1\r\nRunOnTop=1\r\n"
                                "[Data]\r\nBreakP=671\r\nCalVal=39.4\r\nCFactor=1.02264\r\n"
                                "Convert=1\r\nDisc1=1\r\nDisc2=1\r\nNRate1=0.07\r\n"
                                "NRate2=1.04\r\nPredict=1\r\nSCharge=13.5\r\nVRate=6\r\n"
                                "CORate=0.19\r\n\r\n"));
    }

    void errorCheckSwitch_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("corrupted");
        const QByteArray valid = validFile();
        QTest::newRow("setting out of range")
            << QByteArray(valid).replace("CalVal=39.4", "CalVal=500") << false;
        QTest::newRow("break point without a number")
            << QByteArray(valid).replace("BreakP=671", "BreakP=abc") << false;
        QTest::newRow("log level 7")
            << QByteArray(valid).replace("LogLevel=1", "LogLevel=7") << false;
        QTest::newRow("key missing") << QByteArray(valid).replace("VRate=6\r\n", "") << true;
        QTest::newRow("third section line") << valid + "[Run]\r\n" << true;
    }

    void errorCheckSwitch() {
        QFETCH(QByteArray, file);
        QFETCH(bool, corrupted);
        write(Ini, file);
        sheet().ErrorCheckInhibited = 1;
        QCOMPARE(readEndsProgram(), corrupted);
        QCOMPARE(t_->messages.shown(), corrupted ? QList<Message>{Corrupted} : QList<Message>{});
    }

    void checkBoxesFromTheValues_data() {
        QTest::addColumn<QByteArray>("logLevel");
        QTest::addColumn<QByteArray>("runOnTop");
        QTest::addColumn<QByteArray>("convert");
        QTest::addColumn<bool>("inhibited");
        QTest::addColumn<QList<int>>("boxes"); // OnTop, AutoSave, ConvertF
        QTest::newRow("all off") << QByteArray("1") << QByteArray("1") << QByteArray("1") << false
                                 << QList<int>{0, 0, 0};
        QTest::newRow("all on") << QByteArray("2") << QByteArray("2") << QByteArray("2") << false
                                << QList<int>{1, 1, 1};
        QTest::newRow("convert 1.5 rounds to even")
            << QByteArray("1") << QByteArray("1") << QByteArray("1.5") << false
            << QList<int>{0, 0, 0};
        QTest::newRow("convert 1.6") << QByteArray("1") << QByteArray("1") << QByteArray("1.6")
                                     << false << QList<int>{0, 0, 1};
        QTest::newRow("switch on, values beyond 2")
            << QByteArray("2.5") << QByteArray("9") << QByteArray("3") << true
            << QList<int>{1, 1, 1};
        QTest::newRow("switch on, values below 1")
            << QByteArray("0") << QByteArray("-4") << QByteArray("0.5") << true
            << QList<int>{0, 0, 0};
    }

    void checkBoxesFromTheValues() {
        QFETCH(QByteArray, logLevel);
        QFETCH(QByteArray, runOnTop);
        QFETCH(QByteArray, convert);
        QFETCH(bool, inhibited);
        QFETCH(QList<int>, boxes);
        write(Ini, QByteArray(validFile())
                       .replace("LogLevel=1", "LogLevel=" + logLevel)
                       .replace("RunOnTop=1", "RunOnTop=" + runOnTop)
                       .replace("Convert=1", "Convert=" + convert));
        sheet().ErrorCheckInhibited = inhibited ? 1 : 0;
        QVERIFY(!readEndsProgram());
        const Sheet& s = sheet();
        QCOMPARE((QList<int>{s.OnTop.value, s.AutoSave.value, s.ConvertF.value}), boxes);
    }

    // Each change of a box runs its click action; an unchanged box does not.
    void changedBoxesRunTheirActions() {
        write(Ini, QByteArray(validFile())
                       .replace("LogLevel=1", "LogLevel=2")
                       .replace("RunOnTop=1", "RunOnTop=2")
                       .replace("Convert=1", "Convert=2"));
        Sheet& s = sheet();
        s.Save.enabled = true;
        QVERIFY(!readEndsProgram());
        QCOMPARE(s.RunOnTop, 2.0f);
        QVERIFY(!s.Save.enabled);
        QCOMPARE(s.NRUnitsL.caption, QStringLiteral("100s of Cu Feet Used"));

        write(Ini, validFile());
        s.Save.enabled = true;
        QVERIFY(!readEndsProgram());
        QCOMPARE(s.RunOnTop, 1.0f);
        QVERIFY(s.Save.enabled);
        QCOMPARE(s.NRUnitsL.caption, QStringLiteral("Cubic Metres Used"));
    }

    void missingFile() {
        QVERIFY(readEndsProgram());
        QCOMPARE(t_->messages.shown(),
                 (QList<Message>{{MessageIcon::Critical, "Meterwin Configuration File Error",
                                  "The configuration file is missing or corrupted.\r\nReinstall "
                                  "the program to restore the file.\r\nThe program will now "
                                  "terminate."}}));
    }

    void numberBeyondSinglePrecisionGoesToTheDump() {
        write(Ini, QByteArray(validFile()).replace("RunOnTop=1", "RunOnTop=1E39"));
        QVERIFY(readEndsProgram());
        QCOMPARE(t_->messages.shown().size(), 1);
        QCOMPARE(t_->messages.shown().first().text,
                 QStringLiteral("Error Number 162\r\nA Fatal Config Read Error Has "
                                "Occurred\r\nThe Program Will Now Terminate"));
    }

    void saveRefusedByTheChecks() {
        write(Ini, validFile());
        typeTariff({"£0.07", "", "5", "200", "1", "", "", "", "", "0.19", ""}, {0, 0, 0});
        Save_Defaults_Click(t_->program);

        QCOMPARE(
            t_->messages.shown(),
            (QList<Message>{{MessageIcon::Exclamation, "Meterwin Data Error",
                             "Calorific Value must be between 5.0 and 99.9\n"
                             "Break Point between Rates must be 0 or between 10 and 1000\n"}}));
        QCOMPARE(contentOf(Ini), validFile());
        QCOMPARE(sheet().Status.caption, QString());
        QCOMPARE(sheet().NRate1.text, QStringLiteral("0.07"));
    }

    void saveWithoutDataDirectory() {
        QVERIFY(QDir(QStringLiteral("Data")).removeRecursively());
        typeTariff({"0.07", "", "", "39", "1", "", "", "", "", "0.19", ""}, {0, 0, 0});
        QVERIFY(EndsProgram([&] { Save_Defaults_Click(t_->program); }));
        QCOMPARE(t_->messages.shown(),
                 (QList<Message>{{MessageIcon::Critical, "Meterwin Data Directory Error",
                                  "The data directory does not exist.\r\nTo restore the Data "
                                  "directory\r\nreinstall the program.\r\nThe program will now "
                                  "terminate."}}));
        QVERIFY(!QFile::exists(Ini));
    }

    void failedWriteKeepsTheOldFile() {
        write(Ini, validFile());
        typeTariff({"0.08", "", "", "39", "1", "", "", "", "", "0.19", ""}, {0, 0, 0});
        t_->files.failOn(FaultyFileSystem::Operation::ReplaceFile);

        QVERIFY(saveEndsUnableToWrite());
        QCOMPARE(contentOf(Ini), validFile());
        QCOMPARE(sheet().Status.caption, QString());
    }

    // As root every write succeeds, so the save runs as "nobody" in a child process.
    void unwritableDataDirectory() {
        write(Ini, validFile());
        typeTariff({"0.08", "", "", "39", "1", "", "", "", "", "0.19", ""}, {0, 0, 0});
        const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                              QFileDevice::ReadOther | QFileDevice::ExeOwner |
                              QFileDevice::ExeGroup | QFileDevice::ExeOther;
        QVERIFY(QFile::setPermissions(dir_->path(), readOnly | QFileDevice::WriteOwner));
        QVERIFY(QFile::setPermissions(QStringLiteral("Data"), readOnly));
        if (geteuid() != 0) {
            QVERIFY(saveEndsUnableToWrite());
        } else {
            const passwd* nobody = getpwnam("nobody");
            if (!nobody)
                QSKIP("Running as root and there is no user nobody to drop to: the save into "
                      "an unwritable directory cannot be tested here.");
            qInfo("Running the save as the user nobody (uid %u)", unsigned(nobody->pw_uid));
            const int status = saveInChild([&] {
                return setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 &&
                       setuid(nobody->pw_uid) == 0;
            });
            if (status == 3)
                QSKIP("Running as root and the child cannot drop to the user nobody: the save "
                      "into an unwritable directory cannot be tested here.");
            QCOMPARE(status, 0);
        }
        keepsTheOldFile();
    }

    // A write that fails part way, as on a full disk: the file-size limit of
    // the child stops it after a few bytes, root or not.
    void writeFailingPartWay() {
        write(Ini, validFile());
        typeTariff({"0.08", "", "", "39", "1", "", "", "", "", "0.19", ""}, {0, 0, 0});
        const int status = saveInChild([] {
            const rlimit limit{64, 64};
            return std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR && setrlimit(RLIMIT_FSIZE, &limit) == 0;
        });
        QCOMPARE(status, 0);
        keepsTheOldFile();
    }

    void resetBringsBackTheSavedTariff() {
        typeTariff({"0.07", "0.04", "670", "39.4", "1.02264", "12.5", "5", "", "", "0.19", "4"},
                   {1, 1, 0});
        Save_Defaults_Click(t_->program);
        const QStringList saved = tariffOf(sheet());

        Sheet& s = sheet();
        typeTariff({"0.5", "", "", "50", "1", "", "", "", "", "0.5", ""}, {0, 0, 1});
        s.TCost.text = QStringLiteral("£12.00");
        s.TCO2P.text = QStringLiteral("107.8");
        s.Date1.text = QStringLiteral("1 Mar 2009");
        s.Date2.text = QStringLiteral("not a date");
        s.Save.enabled = true;
        Reset_Defaults_Click(t_->program);

        QCOMPARE(tariffOf(s), saved);
        QCOMPARE(s.TCost.text, QString());
        QCOMPARE(s.TCO2P.text, QString());
        QVERIFY(!s.Save.enabled);
        QCOMPARE(s.Status.caption, QStringLiteral("Gas Data Restored"));
        QCOMPARE(s.Date1.text, QStringLiteral("01/03/2009"));
        QCOMPARE(s.Date2.text, QStringLiteral("not a date"));
    }

    void lineBreakInAFieldStaysInItsLine() {
        typeTariff({"0.07\r\nNRate2=1.5", "", "", "39", "1", "", "", "", "", "0.19", ""},
                   {0, 0, 0});
        Save_Defaults_Click(t_->program);
        QVERIFY(contentOf(Ini).contains("\r\nNRate1=0.07"));
        t_ = std::make_unique<TestProgram>();
        QVERIFY(!readEndsProgram());
        QCOMPARE(sheet().NRate1.text, QStringLiteral("£0.07000"));
    }

    void installedFilePassesAndSavesAlike() {
        const QString installed = QFINDTESTDATA("../../dist/Data/Meterwin.ini");
        QVERIFY(!installed.isEmpty());
        QVERIFY(QFile::copy(installed, Ini));
        QVERIFY(!readEndsProgram());
        QVERIFY(t_->messages.shown().isEmpty());
        const Sheet& s = sheet();
        QCOMPARE(s.CFactor.text, QStringLiteral("1.022640"));
        QCOMPARE(s.VRate.text, QStringLiteral("5.0"));
        QCOMPARE(s.BreakP.text, QString());
        QCOMPARE((QList<int>{s.OnTop.value, s.AutoSave.value, s.ConvertF.value}),
                 (QList<int>{0, 0, 0}));

        // Saved again, it is the same file apart from the date line.
        const QList<QByteArray> before = contentOf(Ini).split('\n');
        Save_Defaults_Click(t_->program);
        QList<QByteArray> after = contentOf(Ini).split('\n');
        QCOMPARE(after.size(), before.size());
        after[1] = before[1];
        QCOMPARE(after, before);
    }

private:
    static Message UnableToWrite() {
        return {MessageIcon::Exclamation, "Meterwin Configuration File Error",
                "Unable to write to the configuration file.\r\nThis may be a permissions "
                "problem.\r\nThe program will now terminate."};
    }
};

MW_REGISTER_TEST(TestConfiguration)
#include "tst_configuration.moc"
