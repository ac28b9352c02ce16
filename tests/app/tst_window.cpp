#include "WindowSession.h"
#include "app/DesktopStart.h"
#include "app/QtDesktop.h"
#include "app/QtMessageBoxes.h"
#include "calc/SheetFields.h"
#include "platform/InstanceMarker.h"
#include "support/TestLocales.h"
#include "support/TestMain.h"
#include "support/TestProgram.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <stdexcept>

namespace {

const QColor DarkGreyText(51, 51, 51), OrangeText(255, 128, 0);

} // namespace

// The window's tests show widgets: this test program runs on a QApplication.
static const testsupport::ApplicationRegistration widgetApplication{
    [](int& argc, char** argv) { return std::make_unique<QApplication>(argc, argv); }};

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    // A real box shows its text as given, never as markup, and answers with
    // the button pressed: a Yes read as No would skip an archive unnoticed.
    void messageBoxes_data() {
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<QMessageBox::StandardButton>("press");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("Ok") << MessageButtons::Ok << QMessageBox::Ok << MessageAnswer::Ok;
        QTest::newRow("Yes") << MessageButtons::YesNo << QMessageBox::Yes << MessageAnswer::Yes;
        QTest::newRow("No") << MessageButtons::YesNo << QMessageBox::No << MessageAnswer::No;
    }
    void messageBoxes() {
        QFETCH(MessageButtons, buttons);
        QFETCH(QMessageBox::StandardButton, press);
        QTimer::singleShot(0, [press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            box->button(press)->click();
            QCOMPARE(box->windowTitle() + u'|' + box->text(), "Title|<b>a</b>\nb");
            QCOMPARE(box->textFormat(), Qt::PlainText);
        });
        const Message asked{MessageIcon::None, "Title", "<b>a</b>\r\nb", buttons};
        QTEST(QtMessageBoxes().show(asked), "answer");
    }

    // The launcher's exit status decides; one still busy after the wait opened it.
    void desktopLaunches_data() {
        QTest::addColumn<QByteArray>("script"); // null: no launcher
        QTest::addColumn<bool>("opened");
        QTest::newRow("a handler that succeeds") << QByteArray("exit 0") << true;
        QTest::newRow("a handler that fails") << QByteArray("exit 3") << false;
        QTest::newRow("a handler still busy after the wait") << QByteArray("sleep 1") << true;
        QTest::newRow("a launcher that cannot be started") << QByteArray() << false;
    }
    void desktopLaunches() {
        QFETCH(QByteArray, script);
        QTemporaryDir dir;
        const QString launcher = dir.filePath(QStringLiteral("open"));
        if (QFile file(launcher); !script.isNull()) {
            QVERIFY(file.open(QIODevice::WriteOnly, QFile::ReadOwner | QFile::ExeOwner));
            file.write("#!/bin/sh\nprintf '%s|' \"$1\" >> \"$0.arg\"\n" + script + '\n');
        }
        QtDesktop desktop(launcher, std::chrono::milliseconds(300));
        QTEST(desktop.openFile(QStringLiteral("Log/Meterwin.log")), "opened");
        QTEST(desktop.openUrl(QStringLiteral("https://meterwin.example")), "opened");
        QTest::qWait(script.startsWith("sleep") ? 1500 : 0); // nothing may outlive the test
        QFile handed(launcher + QStringLiteral(".arg"));
        QCOMPARE(handed.open(QIODevice::ReadOnly) ? QString::fromUtf8(handed.readAll()) : QString(),
                 script.isNull()
                     ? QString()
                     : QDir().absoluteFilePath("Log/Meterwin.log") + "|https://meterwin.example|");
    }

    // A working session, each step comparing the boxes shown with those expected.
    void wholeSession_data() {
        QTest::addColumn<QPalette>("theme"); // of the desktop: its text, then its window
        QTest::newRow("light theme") << QPalette(QColor(0, 0, 0), QColor(239, 239, 239));
        QTest::newRow("dark theme") << QPalette(QColor(230, 230, 230), QColor(42, 42, 42));
    }
    void wholeSession() {
        const QPalette original = QApplication::palette();
        QFETCH(QPalette, theme);
        QApplication::setPalette(theme);
        const auto restore = qScopeGuard([&] { QApplication::setPalette(original); });
        WindowSession w;
        QList<Message> expected;
        QCOMPARE(w.window->windowTitle() + u'|' + w.status() + u'|' + w.text("NRate1") + u' ' +
                     w.text("VRate"),
                 QStringLiteral("Meterwin|No Previous Readings To Restore|£0.10000 5.0"));
        QStringList visited;
        for (int i = 0; i < 31; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
            visited << QApplication::focusWidget()->objectName();
        QCOMPARE(visited.join(u' '),
                 "Date2 NRead2 Notes Date1 NRead1 NRate1 NRate2 BreakP SCharge CORate Predict "
                 "CalVal CFactor VRate Disc1 Disc2 ConvertF OnTop AutoSave Calc Get_Last Clear "
                 "Reset_Defaults Save_Defaults Archive ViewL ViewH Trends Help1 About Exit");
        for (const auto& f : resultFields(w.t.sheet()))
            QVERIFY2(w.control(qPrintable(f.name))->isReadOnly(), qPrintable(f.name));
        w.control("Notes")->insert(QString(75, u'x'));
        w.control("Notes")->insert(QStringLiteral("\U0001F525"));
        QCOMPARE(w.text("Notes"), QString(75, u'x'));

        // Alt and a disabled command's letter do nothing; negative totals are orange.
        QVERIFY(w.altKeysIgnored("NRead2", Qt::Key_S));
        w.typeReadings();
        w.type("Disc2", QStringLiteral("50"));
        QTest::keyClick(w.window.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(w.text("TVCost"), QStringLiteral("£25.33"));
        QCOMPARE((QList{w.colour("TCost"), w.colour("TVCost"), w.colour("CDayP")}),
                 (QList{DarkGreyText, OrangeText, OrangeText}));
        const auto reads = [](const QWidget* widget, QPalette::ColorRole ink,
                              QPalette::ColorRole ground) {
            const QPalette p = widget->palette();
            return std::abs(p.color(ink).lightness() - p.color(ground).lightness()) >= 100;
        };
        for (const QLineEdit* edit : w.window->findChildren<QLineEdit*>())
            QVERIFY2(reads(edit, QPalette::Text, QPalette::Base), qPrintable(edit->objectName()));
        for (const QLabel* label : w.window->findChildren<QLabel*>())
            QVERIFY2(reads(label, QPalette::WindowText, QPalette::Window),
                     qPrintable(label->objectName()));

        // Closing the About box activates the window, which takes an unsaved Save away.
        QVERIFY(w.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QTimer::singleShot(0, [&] { // inside the box's own event loop
            QWidget* box = QApplication::activeModalWidget();
            QLabel* webSite = box->findChild<QLabel*>(QStringLiteral("WebSite"));
            QTest::mouseClick(webSite, Qt::LeftButton);
            box->close();
            QCOMPARE(box->windowTitle() + u'|' + box->findChild<QLabel*>("ProgVersion")->text(),
                     "About Meterwin|Version 2.0");
            QCOMPARE(webSite->palette().color(QPalette::WindowText), OrangeText);
            QVERIFY(box->isModal() && box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        });
        w.click("About");
        QVERIFY(!w.control<QPushButton>("Save")->isEnabled());
        QTest::mouseClick(w.control<QCheckBox>("OnTop"), Qt::LeftButton);
        QVERIFY(!w.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.window->isVisible());
        QTest::mouseClick(w.control<QLabel>("Logo"), Qt::LeftButton);
        QCOMPARE(w.t.desktop.openedUrls, QStringList(2, "https://meterwin.example"));
        w.type("Disc2", QStringLiteral("1"));
        w.click("Calc");
        QCOMPARE(w.text("TVCost") + u' ' + w.text("TVCostP"), QStringLiteral("£23.68 £95.23"));
        QCOMPARE(w.colour("CDayP"), DarkGreyText);

        w.click("Save");
        QCOMPARE(w.status(), QStringLiteral("Calculation Saved"));
        QVERIFY(w.altKeysIgnored("NRead1", Qt::Key_S));
        QVERIFY(w.directory.readFile("Log/Meterwin.log").contains("\r\nCalorific Value  : 36.000"));
        w.click("Calc");
        QCOMPARE(w.t.messages.shown(),
                 (expected << Message{MessageIcon::Exclamation, "Meterwin Error",
                                      "The data has not changed\r\nsince the last calculation"}));

        // Clear forgets the calculation, so the same data calculates again.
        w.click("Clear");
        QCOMPARE(w.text("Date2") + w.text("TVCostP") + w.status() + u' ' + w.text("NRate1"),
                 QStringLiteral("Data Cleared £0.10000"));
        w.typeReadings();
        w.click("Calc");
        w.click("Clear");
        QVERIFY(!w.control<QPushButton>("Save")->isEnabled());

        // The status line empties itself two seconds after its message.
        w.click("Get_Last");
        QCOMPARE(w.text("Date1") + u' ' + w.text("NRead1") + u' ' + w.status(),
                 QStringLiteral("01/04/2015 112 Last Readings Restored"));
        QTRY_COMPARE_WITH_TIMEOUT(w.status(), QString(), 2500);

        w.click("Help1");
        w.t.desktop.opens = false;
        w.click("Help1");
        QTest::mouseClick(w.control<QLabel>("Logo"), Qt::LeftButton);
        QVERIFY(QFile::remove(QStringLiteral("Help/index.htm")));
        w.click("Help1");
        QCOMPARE(w.t.desktop.openedFiles, QStringList(2, "Help/index.htm"));
        QCOMPARE(
            w.t.messages.shown(),
            (expected << Message{MessageIcon::Exclamation, "Meterwin Help File Error",
                                 "Unable to opem the help file.\r\nThis may be a permissions "
                                 "problem."}
                      << Message{MessageIcon::None, "Meterwin Error", "Unable to launch Browser."}
                      << Message{MessageIcon::Exclamation, "Meterwin Help File Error",
                                 "The help file is either missing or\r\ncorrupted. Reinstall "
                                 "the program\r\nto correct the error.\r\n"}));

        w.click("Exit");
        QVERIFY(!w.window->isVisible() && !w.window->endedByFailure());
        QCOMPARE(w.t.messages.shown(), expected);
        QCOMPARE(w.directory.readFile("Data/Meterwin.ini"), ExampleConfiguration);
    }

    // Ended while loading: no log and no window. Without the right to replace the
    // configuration, no Save Data nor its Alt+D; a fatal message ends the program.
    void programEnds() {
        WindowSession loading({}, SaveData::Offered,
                              QByteArray(ExampleConfiguration).replace("CORate=0.2\r\n", ""));
        QVERIFY(!loading.window);
        QCOMPARE(loading.t.messages.shown().size(), 1);
        QCOMPARE(QDir(QStringLiteral("Log")).entryList(QDir::Files), QStringList());
        WindowSession w({}, SaveData::NotOffered);
        QVERIFY(!w.control<QPushButton>("Save_Defaults")->isEnabled());
        QVERIFY(w.altKeysIgnored("Notes", Qt::Key_D));
        QVERIFY(QDir(QStringLiteral("Log")).removeRecursively());
        w.click("Get_Last");
        QCOMPARE(w.t.messages.shown().size(), 1);
        QVERIFY(!w.window->isVisible() && w.window->endedByFailure());
    }

    // Exactly the one switch, alone, turns the checks off.
    void errorCheckSwitch_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("inhibited"); // the sheet's ErrorCheckInhibited
        QTest::newRow("the switch") << QStringList{"-InhibitErrorCheck"} << 1;
        QTest::newRow("other case") << QStringList{"-inhibiterrorcheck"} << 0;
        QTest::newRow("with another") << QStringList{"-InhibitErrorCheck", "-x"} << 0;
    }
    void errorCheckSwitch() {
        QFETCH(QStringList, arguments);
        WindowSession w(arguments);
        QTEST(int(w.t.sheet().ErrorCheckInhibited), "inhibited");
        QVERIFY(w.control<QPushButton>("Save_Defaults")->isEnabled());
    }

    // The real program holds the instance marker.
    void secondInstance() {
        TemporaryInstallation first;
        for (const char* directory : {"Data", "Log", "tmp"})
            first.makeDirectory(QString::fromLatin1(directory));
        first.writeFile(QStringLiteral("Data/Meterwin.ini"), ExampleConfiguration);
        const QByteArray temporary = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(first.path() + "/tmp"));
        QProcess process;
        process.start(QStringLiteral(METERWIN_PATH), {});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists("Log/Meterwin.log"), 20000); // loaded
        const bool running = PreviousInstanceRunning(QStringLiteral("Meterwin"));
        qputenv("XDG_RUNTIME_DIR", temporary);
        QVERIFY(running); // the program is ended by the destructor
    }
};

static QString spoken(QWidget* control) {
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    // A caption's click ticks its box or leads into its field; it names the field.
    void captions_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("name");
        QTest::newRow("Cubic Feet: ticks its box") << QString("ConvertFL") << "Cubic Feet";
        QTest::newRow("On Top: ticks its box") << QString("OnTopL") << "On Top";
        QTest::newRow("Auto Save: ticks its box") << QString("AutoSaveL") << "Auto Save";
        QTest::newRow("a result's heading, trimmed") << QString("NR1CostL") << "Rate 1 Cost";
    }
    void captions() {
        QFETCH(QString, caption);
        QFETCH(QString, name);
        WindowSession w;
        QWidget* field = w.control<QLabel>(qPrintable(caption))->buddy();
        QCOMPARE(field->objectName() + u'L' + spoken(field), caption + name);
        const QVariant ticked = field->property("checked");
        QTest::mouseClick(w.control<QLabel>(qPrintable(caption)), Qt::LeftButton);
        QVERIFY(ticked.isValid() ? field->property("checked") != ticked : field->hasFocus());
        QCOMPARE(spoken(w.control("NRUnits")), w.control<QLabel>("NRUnitsL")->text());
    }

    // Enter calculates while Calculate is enabled; F1 is Help; Ctrl+Q is Exit.
    void keys_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("enter");
        QTest::newRow("Return in Notes") << QString("Notes") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter in a setting") << QString("Predict") << int(Qt::Key_Enter);
    }
    void keys() {
        QFETCH(QString, field);
        QFETCH(int, enter);
        WindowSession w;
        w.typeReadings();
        QLineEdit* edit = w.control(qPrintable(field));
        w.control<QPushButton>("Calc")->setEnabled(false);
        QTest::keyClick(edit, Qt::Key(enter));
        QCOMPARE(w.text("TDays"), QString());
        w.control<QPushButton>("Calc")->setEnabled(true);
        QTest::keyClick(edit, Qt::Key(enter));
        QCOMPARE(w.text("TDays") + u' ' + w.text("TDaysP"), QStringLiteral("90 365"));
        QTest::keyClick(edit, Qt::Key_F1);
        QCOMPARE(w.t.desktop.openedFiles, QStringList{QStringLiteral("Help/index.htm")});
        QTest::keyClick(edit, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!w.window->isVisible() && !w.window->endedByFailure());
    }

    // Each command's Alt+letter belongs to that command alone.
    void uniqueMnemonics() {
        WindowSession w;
        QStringList letters;
        for (const QPushButton* button : w.window->findChildren<QPushButton*>())
            if (const qsizetype mark = button->text().indexOf(u'&'); mark >= 0)
                letters << button->text().mid(mark + 1, 1).toLower();
        QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), letters.size());
        QCOMPARE(letters.size(), 13);
    }

    // After a refusal the first field a message names takes the focus.
    void focusAfterRefusal_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("focused");
        QTest::newRow("a gap of 5 names Meter Reading 2") << "NRead1"
                                                          << "107"
                                                          << "NRead2";
        QTest::newRow("a bad date names Date 1") << "Date1"
                                                 << "32/01/2015"
                                                 << "Date1";
        QTest::newRow("a rate out of range names Rate 1") << "NRate1"
                                                          << "5"
                                                          << "NRate1";
    }
    void focusAfterRefusal() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        WindowSession w;
        w.typeReadings();
        w.type(qPrintable(field), typed);
        w.click("Calc");
        QCOMPARE(w.t.messages.shown().size(), 1);
        QTEST(QApplication::focusWidget()->objectName(), "focused");
    }

    // At 1024x640 (1280x800 at 1.25) every field and command shows, named.
    void windowFits() {
        WindowSession w;
        QVERIFY(w.window->screen()->availableGeometry().contains(w.window->frameGeometry()));
        w.window->resize(1024, 640);
        QCOMPARE(w.window->size(), QSize(1024, 640));
        for (QWidget* c : w.window->findChildren<QWidget*>())
            if (c->inherits("QLineEdit") || c->inherits("QAbstractButton"))
                QVERIFY2(w.window->rect().contains(
                             QRect(c->mapTo(w.window.get(), QPoint()), c->size())) &&
                             !spoken(c).isEmpty(),
                         qPrintable(c->objectName()));
    }
};

MW_REGISTER_TEST(TestWindow)
MW_REGISTER_TEST(TestKeyboard)
#include "tst_window.moc"
