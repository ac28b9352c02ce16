#include "platform/RunTimeFailure.h"
#include "shell/AboutBox.h"
#include "shell/Activation.h"
#include "shell/ClearCommand.h"
#include "shell/HelpCommand.h"
#include "shell/WebPage.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QTest>

namespace {

// A desktop whose launcher breaks down instead of answering.
class BrokenDesktop final : public Desktop {
public:
    bool openFile(const QString&) override { throw RunTimeFailure("no launcher"); }
    bool openUrl(const QString&) override { throw RunTimeFailure("no launcher"); }
};

// The program with a broken desktop in place of the recording one.
struct BrokenDesktopProgram {
    TestProgram t;
    BrokenDesktop desktop;
    Program program{Services{t.forms, t.messages, t.files, t.clock, desktop}};
};

const Message HelpMissing{MessageIcon::Exclamation, QStringLiteral("Meterwin Help File Error"),
                          QStringLiteral("The help file is either missing or\r\n"
                                         "corrupted. Reinstall the program\r\n"
                                         "to correct the error.\r\n"),
                          MessageButtons::Ok};

const Message HelpUnopened{MessageIcon::Exclamation, QStringLiteral("Meterwin Help File Error"),
                           QStringLiteral("Unable to opem the help file.\r\n"
                                          "This may be a permissions problem."),
                           MessageButtons::Ok};

const Message BrowserFailed{MessageIcon::None, QStringLiteral("Meterwin Error"),
                            QStringLiteral("Unable to launch Browser."), MessageButtons::Ok};

const Message BrowserBroken{MessageIcon::None, QStringLiteral("Meterwin Error"),
                            QStringLiteral("A program error has occured\r\n"
                                           "Error Number: 0\r\n"
                                           "Error description: no launcher"),
                            MessageButtons::Ok};

} // namespace

class TestWindowCommands : public QObject {
    Q_OBJECT

private slots:
    // Clear forgets the entries, the results and the last calculation, and
    // leaves the tariff alone.
    void clearEmptiesEntriesResultsAndSignatures() {
        TestProgram t;
        Sheet& s = t.sheet();
        for (TextField* field : {&s.Date1, &s.Date2, &s.NRead1, &s.NRead2, &s.Notes, &s.TDays,
                                 &s.TCO2, &s.TDaysP, &s.TCO2P})
            field->text = QStringLiteral("7");
        s.NRate1.text = QStringLiteral("£0.12000");
        s.TVCost.colour = Orange;
        s.CDayP.colour = Orange;
        s.InputSignature = s.LastSignature = QStringLiteral("£01/01/2015");
        s.Save.enabled = true;

        Clear_Click(t.program);

        for (TextField* field : {&s.Date1, &s.Date2, &s.NRead1, &s.NRead2, &s.Notes, &s.TDays,
                                 &s.TCO2, &s.TDaysP, &s.TCO2P})
            QCOMPARE(field->text, QString());
        QCOMPARE(s.TVCost.colour, DarkGrey);
        QCOMPARE(s.CDayP.colour, DarkGrey);
        QCOMPARE(s.InputSignature, QString());
        QCOMPARE(s.LastSignature, QString());
        QCOMPARE(s.NRate1.text, QStringLiteral("£0.12000"));
        QCOMPARE(s.Status.caption, QStringLiteral("Data Cleared"));
        QVERIFY(s.Timer1);
        QVERIFY(!s.Save.enabled);
        QVERIFY(t.messages.shown().isEmpty());
    }

    void help_data() {
        QTest::addColumn<bool>("pageInstalled");
        QTest::addColumn<bool>("desktopOpens");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QList<Message>>("boxes");
        QTest::newRow("page opened")
            << true << true << QStringList{"Help/index.htm"} << QList<Message>{};
        QTest::newRow("no handler")
            << true << false << QStringList{"Help/index.htm"} << QList<Message>{HelpUnopened};
        QTest::newRow("page missing")
            << false << true << QStringList{} << QList<Message>{HelpMissing};
    }

    // Help opens the installed page; a missing page and a page that cannot be
    // opened each have their message, and the program goes on.
    void help() {
        QFETCH(bool, pageInstalled);
        QFETCH(bool, desktopOpens);
        QFETCH(QStringList, opened);
        QFETCH(QList<Message>, boxes);
        TemporaryInstallation installation;
        installation.makeDirectory(QStringLiteral("Help"));
        if (pageInstalled)
            installation.writeFile(QStringLiteral("Help/index.htm"), "<html></html>");
        TestProgram t;
        t.desktop.opens = desktopOpens;

        QVERIFY(!EndsProgram([&] { Help1_Click(t.program); }));

        QCOMPARE(t.desktop.openedFiles, opened);
        QCOMPARE(t.messages.shown(), boxes);
    }

    void helpWithABrokenLauncher() {
        TemporaryInstallation installation;
        installation.makeDirectory(QStringLiteral("Help"));
        installation.writeFile(QStringLiteral("Help/index.htm"), "<html></html>");
        BrokenDesktopProgram b;
        QVERIFY(!EndsProgram([&] { Help1_Click(b.program); }));
        QCOMPARE(b.t.messages.shown(), QList<Message>{HelpUnopened});
    }

    void webPage_data() {
        QTest::addColumn<bool>("desktopOpens");
        QTest::addColumn<QList<Message>>("boxes");
        QTest::newRow("browser started") << true << QList<Message>{};
        QTest::newRow("no browser") << false << QList<Message>{BrowserFailed};
    }

    // The logo opens the maker's page; a browser that cannot be started is
    // reported in a box without an icon.
    void webPage() {
        QFETCH(bool, desktopOpens);
        QFETCH(QList<Message>, boxes);
        TestProgram t;
        t.desktop.opens = desktopOpens;
        QVERIFY(!EndsProgram([&] { Logo_Click(t.program); }));
        QCOMPARE(t.desktop.openedUrls, QStringList{QStringLiteral("https://meterwin.example")});
        QCOMPARE(t.messages.shown(), boxes);
    }

    void webPageWithABrokenLauncher() {
        BrokenDesktopProgram b;
        QVERIFY(!EndsProgram([&] { Logo_Click(b.program); }));
        QCOMPARE(b.t.messages.shown(), QList<Message>{BrowserBroken});
    }

    void aboutBoxLoads() {
        AboutBox box;
        frmAbout_Load(box);
        QCOMPARE(box.title, QStringLiteral("About Meterwin"));
        QCOMPARE(box.ProgName.caption, QStringLiteral("Meterwin"));
        QCOMPARE(box.ProgVersion.caption, QStringLiteral("Version 2.0"));
        QCOMPARE(box.WebSite.caption, QStringLiteral("https://meterwin.example"));
        QVERIFY(!box.Notice.caption.isEmpty());
        QCOMPARE(box.WebSiteColour, DarkGrey);
        QCOMPARE(box.ExitAbout.caption, QStringLiteral("Close"));
        QCOMPARE(box.ExitAbout.toolTip, QStringLiteral("Close Meterwin About Screen"));
    }

    void webSiteTurnsOrange_data() {
        QTest::addColumn<bool>("desktopOpens");
        QTest::addColumn<int>("boxes");
        QTest::newRow("browser started") << true << 0;
        QTest::newRow("no browser") << false << 1;
    }

    // The address turns orange whether or not the browser started.
    void webSiteTurnsOrange() {
        QFETCH(bool, desktopOpens);
        QFETCH(int, boxes);
        TestProgram t;
        t.desktop.opens = desktopOpens;
        AboutBox box;
        frmAbout_Load(box);
        WebSite_Click(t.program, box);
        QCOMPARE(box.WebSiteColour, Orange);
        QCOMPARE(t.desktop.openedUrls, QStringList{box.WebSite.caption});
        QCOMPARE(t.messages.shown().size(), boxes);
    }

    void onTop_data() {
        QTest::addColumn<int>("onTop");
        QTest::addColumn<float>("runOnTop");
        QTest::addColumn<bool>("mainOnTop");
        QTest::addColumn<bool>("aboutOnTop");
        QTest::newRow("on top") << 1 << 2.0f << true << true;
        QTest::newRow("ordinary") << 0 << 1.0f << false << false;
    }

    void onTop() {
        QFETCH(int, onTop);
        QFETCH(float, runOnTop);
        QFETCH(bool, mainOnTop);
        QFETCH(bool, aboutOnTop);
        Sheet s;
        s.OnTop.value = onTop;
        s.RunOnTop = runOnTop;
        QCOMPARE(MainWindowOnTop(s), mainOnTop);
        QCOMPARE(AboutBoxOnTop(s), aboutOnTop);
    }

    // A result not saved by the time the window is activated again can no
    // longer be saved by hand; nothing else changes.
    void activationDisablesSave() {
        Sheet s;
        s.Save.enabled = true;
        s.Save_Defaults.enabled = true;
        s.TCost.text = QStringLiteral("£1.00");
        MeterwinMain_Activate(s);
        QVERIFY(!s.Save.enabled);
        QVERIFY(s.Save_Defaults.enabled);
        QCOMPARE(s.TCost.text, QStringLiteral("£1.00"));
    }
};

MW_REGISTER_TEST(TestWindowCommands)
#include "tst_windowcommands.moc"
