#include "WindowFixture.h"
#include "support/TestMain.h"

#include <QFile>
#include <QTest>

namespace {

const Message Unchanged{MessageIcon::Exclamation, QStringLiteral("Meterwin Error"),
                        QStringLiteral("The data has not changed\r\nsince the last calculation"),
                        MessageButtons::Ok};

const Message ArchiveQuestion{MessageIcon::Exclamation,
                              QStringLiteral("Meterwin Archive Results Log File"),
                              QStringLiteral("Are you sure you want to\r\n"
                                             "archive the results log\r\n"
                                             "file and create a new one?"),
                              MessageButtons::YesNo};

const Message HelpMissing{MessageIcon::Exclamation, QStringLiteral("Meterwin Help File Error"),
                          QStringLiteral("The help file is either missing or\r\n"
                                         "corrupted. Reinstall the program\r\n"
                                         "to correct the error.\r\n"),
                          MessageButtons::Ok};

struct Shown {
    const char* field;
    const char* text;
};

// The worked example with four quarters predicted, as the window shows it.
const Shown ExampleResults[] = {
    {"TDays", "90"},      {"NRUnits", "12"},      {"CRUnits", "120"},     {"R1Units", "50"},
    {"R2Units", "70"},    {"NR1Cost", "£5.00"},   {"NR2Cost", "£3.50"},   {"TSCharge", "£20.00"},
    {"TCost", "£23.50"},  {"TVCost", "£23.68"},   {"CDay", "£0.26"},      {"TCO2", "26.4"},
    {"TDaysP", "365"},    {"NRUnitsP", "49"},     {"CRUnitsP", "490"},    {"R1UnitsP", "200"},
    {"R2UnitsP", "290"},  {"NR1CostP", "£20.00"}, {"NR2CostP", "£14.50"}, {"TSChargeP", "£80.00"},
    {"TCostP", "£94.50"}, {"TVCostP", "£95.23"},  {"CDayP", "£0.26"},     {"TCO2P", "107.8"},
};

const char* const Entries[] = {"Date1", "Date2", "NRead1", "NRead2", "Notes"};

} // namespace

// A whole working session through the real widgets, on a fresh installation,
// as a user goes through it. Every message box that appears is checked: one
// that the step does not expect fails the test.
class TestSession : public QObject {
    Q_OBJECT

private slots:
    void wholeSession() {
        WindowSession w;
        QList<Message> expected;

        // Started: logs made, the start recorded, nothing to restore yet.
        QCOMPARE(w.window->windowTitle(), QStringLiteral("Meterwin"));
        QCOMPARE(w.window->focusWidget(), w.field("Date2"));
        QCOMPARE(w.status(), QStringLiteral("No Previous Readings To Restore"));
        QCOMPARE(FileLines(QStringLiteral("Log/Meterwin.log")).size(), 10);
        QCOMPARE(w.text("NRate1"), QStringLiteral("£0.10000"));
        QCOMPARE(w.text("VRate"), QStringLiteral("5.0"));
        QVERIFY(!w.button("Save")->isEnabled());
        QVERIFY(w.button("Save_Defaults")->isEnabled());
        QCOMPARE(w.t.messages.shown(), expected);

        // The new reading first, then the earlier one, and Calculate by its key.
        w.type("Date2", QStringLiteral("01/04/2015"));
        w.type("NRead2", QStringLiteral("112"));
        w.type("Notes", QStringLiteral("First quarter"));
        w.type("Date1", QStringLiteral("1/1/2015"));
        w.type("NRead1", QStringLiteral("100"));
        // A mnemonic presses its button with a short animation.
        QTest::keyClick(w.window.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!w.text("TDays").isEmpty());
        for (const auto& [field, text] : ExampleResults)
            QCOMPARE(w.text(field), QString::fromUtf8(text));
        QCOMPARE(w.text("Date1"), QStringLiteral("01/01/2015"));
        for (const char* money : {"TCost", "TVCost", "CDay", "TCostP", "TVCostP", "CDayP"})
            QCOMPARE(w.colour(money), DarkGrey);
        QCOMPARE(w.control<QLabel>("THead")->text(), QStringLiteral("Total Cost"));
        QCOMPARE(w.control<QLabel>("TVHead")->text(), QStringLiteral("Total Cost (inc VAT)"));
        QVERIFY(w.button("Save")->isEnabled());
        QCOMPARE(w.t.messages.shown(), expected);

        // Save writes both logs once.
        w.click("Save");
        QCOMPARE(w.status(), QStringLiteral("Calculation Saved"));
        QVERIFY(!w.button("Save")->isEnabled());
        const QStringList results = FileLines(QStringLiteral("Log/Meterwin.log"));
        QVERIFY(results.size() > 10);
        QVERIFY(results.filter(QRegularExpression(QStringLiteral("^\\s*Calorific"))).size() == 1);
        const QString record = FileLines(QStringLiteral("Log/Meterwin_H.log")).last();
        QCOMPARE(record.left(11).trimmed(), QStringLiteral("01/04/2015"));
        QCOMPARE(record.mid(13, 7).trimmed(), QStringLiteral("112"));
        QCOMPARE(w.t.messages.shown(), expected);

        // The same data again: refused, the results stay.
        w.click("Calc");
        expected << Unchanged;
        QCOMPARE(w.t.messages.shown(), expected);
        QCOMPARE(w.text("TVCost"), QStringLiteral("£23.68"));

        // Clear empties entries and results.
        w.click("Clear");
        for (const char* entry : Entries)
            QCOMPARE(w.text(entry), QString());
        for (const auto& [field, text] : ExampleResults)
            QCOMPARE(w.text(field), QString());
        QCOMPARE(w.status(), QStringLiteral("Data Cleared"));

        // Get Last takes the saved reading into the first reading.
        w.click("Get_Last");
        QCOMPARE(w.text("Date1"), QStringLiteral("01/04/2015"));
        QCOMPARE(w.text("NRead1"), QStringLiteral("112"));
        QCOMPARE(w.status(), QStringLiteral("Last Readings Restored"));
        QCOMPARE(w.t.messages.shown(), expected);

        // Archive: No changes nothing, Yes moves the log aside.
        const QByteArray beforeArchive = w.directory.readFile(QStringLiteral("Log/Meterwin.log"));
        w.t.messages.queueAnswer(MessageAnswer::No);
        w.click("Archive");
        expected << ArchiveQuestion;
        QCOMPARE(w.t.messages.shown(), expected);
        QCOMPARE(w.directory.readFile(QStringLiteral("Log/Meterwin.log")), beforeArchive);
        QVERIFY(!QFile::exists(QStringLiteral("Log/Meterwin_090301_1.log")));

        w.t.messages.queueAnswer(MessageAnswer::Yes);
        w.click("Archive");
        expected << ArchiveQuestion;
        QCOMPARE(w.t.messages.shown(), expected);
        QCOMPARE(w.status(), QStringLiteral("Results Log File Archived"));
        QCOMPARE(w.directory.readFile(QStringLiteral("Log/Meterwin_090301_1.log")), beforeArchive);
        QCOMPARE(FileLines(QStringLiteral("Log/Meterwin.log")),
                 (QStringList{"Meterwin Results Log", "Version 2.0", "File Created",
                              "01/03/2009 12:00:00", "", ""}));

        // Help opens the page while it is there, and says so when it is not.
        w.click("Help1");
        QCOMPARE(w.t.desktop.openedFiles, QStringList{QStringLiteral("Help/index.htm")});
        QCOMPARE(w.t.messages.shown(), expected);
        QVERIFY(QFile::remove(QStringLiteral("Help/index.htm")));
        w.click("Help1");
        expected << HelpMissing;
        QCOMPARE(w.t.messages.shown(), expected);
        QCOMPARE(w.t.desktop.openedFiles.size(), 1);
        QVERIFY(w.window->isVisible());

        // Exit ends the program at once, with nothing more to say.
        w.click("Exit");
        QVERIFY(!w.window->isVisible());
        QVERIFY(!w.window->endedByFailure());
        QCOMPARE(w.t.messages.shown(), expected);
    }
};

MW_REGISTER_TEST(TestSession)
#include "tst_session.moc"
