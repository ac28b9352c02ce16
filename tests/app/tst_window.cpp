#include "WindowFixture.h"
#include "app/QtDesktop.h"
#include "app/QtMessageBoxes.h"
#include "calc/SheetFields.h"
#include "support/TestMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>

// The window's tests show widgets: this test program runs on a QApplication.
static const testsupport::ApplicationRegistration widgetApplication{
    [](int& argc, char** argv) { return std::make_unique<QApplication>(argc, argv); }};

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    // Tab goes from Date 2 through the entries, settings, options and commands;
    // results are read-only; Notes take 75 characters; each button has its own
    // letter. Started with RunOnTop 2, the window and the modal About box are
    // on top until the box is unticked. The box's address turns orange and
    // opens the page, as the logo does; closing the box makes the window active
    // again, which takes an unsaved result's Save away. Nothing is written. A
    // fatal message ends the program.
    void window() {
        const QByteArray onTop =
            QByteArray(ExampleConfiguration).replace("RunOnTop=1", "RunOnTop=2");
        WindowSession w({}, SaveData::Offered, onTop);
        QStringList visited;
        for (int i = 0; i < 30; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
            visited << QApplication::focusWidget()->objectName();
        QCOMPARE(visited.join(u' '),
                 "Date2 NRead2 Notes Date1 NRead1 NRate1 NRate2 BreakP SCharge CORate Predict "
                 "CalVal CFactor VRate Disc1 Disc2 ConvertF OnTop AutoSave Calc Get_Last Clear "
                 "Reset_Defaults Save_Defaults Archive ViewL ViewH Help1 About Exit");
        for (const auto& f : resultFields(w.t.sheet()))
            QVERIFY2(w.control(qPrintable(f.name))->isReadOnly(), qPrintable(f.name));
        const QString emoji = QString::fromUcs4(U"\U0001F525");
        w.control("Notes")->insert(emoji.repeated(75));
        w.control("Notes")->insert(emoji);
        QCOMPARE(w.text("Notes"), emoji.repeated(75));
        QSet<QString> letters;
        for (const QPushButton* button : w.window->findChildren<QPushButton*>())
            letters << button->text().section(u'&', 1).left(1).toLower();
        QVERIFY(!letters.contains(QString()) && letters.size() == 12);

        w.typeReadings();
        w.click("Calc");
        QVERIFY(w.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        // The box is driven from inside its own event loop.
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QLabel* webSite = box->findChild<QLabel*>(QStringLiteral("WebSite"));
            QTest::mouseClick(webSite, Qt::LeftButton);
            box->close();
            QCOMPARE(box->windowTitle() + u'|' + box->findChild<QLabel*>("ProgVersion")->text(),
                     "About Meterwin|Version 2.0");
            QCOMPARE(webSite->palette().color(QPalette::WindowText), QColor(255, 128, 0));
            QVERIFY(box->isModal() && box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        });
        w.click("About");
        QTest::mouseClick(w.control<QCheckBox>("OnTop"), Qt::LeftButton);
        QVERIFY(!w.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.window->isVisible());
        QTest::mouseClick(w.control<QLabel>("Logo"), Qt::LeftButton);
        QCOMPARE(w.t.desktop.openedUrls, QStringList(2, "https://meterwin.example"));
        QVERIFY(!w.control<QPushButton>("Save")->isEnabled());
        QCOMPARE(w.directory.readFile("Data/Meterwin.ini"), onTop);

        QVERIFY(QDir(QStringLiteral("Log")).removeRecursively());
        w.click("Get_Last");
        QCOMPARE(w.t.messages.shown().size(), 1);
        QVERIFY(!w.window->isVisible() && w.window->endedByFailure());
    }

    // A real box shows the title and lines as given, never as markup, and
    // answers with the button pressed.
    void messageBoxes() {
        const auto answer = [](MessageButtons buttons, QMessageBox::StandardButton press) {
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QAbstractButton* button = box->button(press);
                button ? button->click() : box->reject();
                QVERIFY(button);
                QCOMPARE(box->windowTitle() + u'|' + box->text(), "Title|<b>a</b>\nb");
                QCOMPARE(box->textFormat(), Qt::PlainText);
            });
            return QtMessageBoxes().show({MessageIcon::None, "Title", "<b>a</b>\r\nb", buttons});
        };
        QCOMPARE(answer(MessageButtons::Ok, QMessageBox::Ok), MessageAnswer::Ok);
        QCOMPARE(answer(MessageButtons::YesNo, QMessageBox::Yes), MessageAnswer::Yes);
        QCOMPARE(answer(MessageButtons::YesNo, QMessageBox::No), MessageAnswer::No);
    }

    // The launcher's exit status decides: a handler that fails, or one that
    // cannot be started, is a failure; one still busy after the wait opened it.
    void desktopLaunches_data() {
        QTest::addColumn<QByteArray>("script"); // null: no launcher
        QTest::addColumn<QString>("target");    // a file, or a web address
        QTest::addColumn<bool>("opened");
        const QString page = QStringLiteral("https://meterwin.example");
        const QString log = QStringLiteral("Log/Meterwin.log");
        QTest::newRow("a handler that succeeds") << QByteArray("exit 0") << log << true;
        QTest::newRow("a handler that fails") << QByteArray("exit 3") << log << false;
        QTest::newRow("a handler still busy after the wait")
            << QByteArray("sleep 1") << page << true;
        QTest::newRow("a launcher that cannot be started") << QByteArray() << log << false;
    }
    // A file goes to the handler by its full path, a web address as given.
    void desktopLaunches() {
        QFETCH(QByteArray, script);
        QFETCH(QString, target);
        QTemporaryDir dir;
        const QString launcher = dir.filePath(QStringLiteral("open"));
        QFile launcherFile(launcher);
        if (!script.isNull()) {
            QVERIFY(launcherFile.open(QIODevice::WriteOnly));
            launcherFile.write("#!/bin/sh\nprintf %s \"$1\" > \"$0.arg\"\n" + script + '\n');
            launcherFile.close();
            launcherFile.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QtDesktop desktop(launcher, std::chrono::milliseconds(300));
        const bool url = target.startsWith(QStringLiteral("https:"));
        QTEST(url ? desktop.openUrl(target) : desktop.openFile(target), "opened");
        // A busy launcher is let go when it ends: nothing may outlive the test.
        if (script.startsWith("sleep"))
            QTest::qWait(1500);
        QFile arg(launcher + QStringLiteral(".arg"));
        const QString handed = script.isNull() ? QString()
                               : url           ? target
                                               : QDir().absoluteFilePath(target);
        QCOMPARE(arg.open(QIODevice::ReadOnly) ? QString::fromUtf8(arg.readAll()) : QString(),
                 handed);
    }

    // Every field reads under a light and a dark desktop theme: the colours
    // of the fields (dark grey, orange for a negative total) on a light base.
    void fieldsRead_data() {
        QTest::addColumn<QColor>("window");
        QTest::addColumn<QColor>("text");
        QTest::newRow("light theme") << QColor(239, 239, 239) << QColor(0, 0, 0);
        QTest::newRow("dark theme") << QColor(42, 42, 42) << QColor(230, 230, 230);
    }
    void fieldsRead() {
        QFETCH(QColor, window);
        QFETCH(QColor, text);
        const QPalette theme = QApplication::palette();
        QPalette desktop(text, window);
        desktop.setColor(QPalette::Base, window.darker(120));
        desktop.setColor(QPalette::Text, text);
        QApplication::setPalette(desktop);
        const auto restore = qScopeGuard([&] { QApplication::setPalette(theme); });
        WindowSession w;
        w.typeReadings();
        w.type("Disc2", QStringLiteral("50"));
        w.click("Calc");
        QVERIFY(w.colour("TVCost") == Orange);
        const auto reads = [](const QColor& ink, const QColor& ground) {
            return std::abs(ink.lightness() - ground.lightness()) >= 100;
        };
        for (const QLineEdit* edit : w.window->findChildren<QLineEdit*>())
            QVERIFY2(
                reads(edit->palette().color(QPalette::Text), edit->palette().color(QPalette::Base)),
                qPrintable(edit->objectName()));
        for (const QLabel* label : w.window->findChildren<QLabel*>())
            QVERIFY2(reads(label->palette().color(QPalette::WindowText),
                           label->palette().color(QPalette::Window)),
                     qPrintable(label->objectName()));
    }
};

MW_REGISTER_TEST(TestWindow)
#include "tst_window.moc"
