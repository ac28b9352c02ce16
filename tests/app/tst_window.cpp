#include "WindowFixture.h"
#include "app/QtDesktop.h"
#include "app/QtMessageBoxes.h"
#include "calc/SheetFields.h"
#include "support/TestMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

// The window's tests show widgets: this test program runs on a QApplication.
static const testsupport::ApplicationRegistration widgetApplication{
    [](int& argc, char** argv) { return std::make_unique<QApplication>(argc, argv); }};

class TestWindow : public QObject {
    Q_OBJECT

    QList<QUrl> opened_;

public slots:
    void open(const QUrl& url) { opened_ << url; }

private slots:
    // Tab goes from Date 2 through the entries, settings, options and commands;
    // results are read-only; each button has its own letter. Started with
    // RunOnTop 2, the window and the About box are on top until the box is
    // unticked; nothing is written. The About box: modal, its texts, the
    // address turning orange and opening the page (as the logo does); closing
    // it makes the window active again, which takes an unsaved result's Save
    // away. A fatal message ends the program when its box is closed.
    void window() {
        const QByteArray onTop =
            QByteArray(ExampleConfiguration).replace("RunOnTop=1", "RunOnTop=2");
        WindowSession w({}, true, onTop);
        QStringList visited;
        for (int i = 0; i < 30; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
            visited << QApplication::focusWidget()->objectName();
        QCOMPARE(visited.join(u' '),
                 "Date2 NRead2 Notes Date1 NRead1 NRate1 NRate2 BreakP SCharge CORate Predict "
                 "CalVal CFactor VRate Disc1 Disc2 ConvertF OnTop AutoSave Calc Get_Last Clear "
                 "Reset_Defaults Save_Defaults Archive ViewL ViewH Help1 About Exit");
        for (const auto& f : resultFields(w.t.sheet()))
            QVERIFY2(w.control(qPrintable(f.name))->isReadOnly(), qPrintable(f.name));
        QCOMPARE(w.control("Notes")->maxLength(), 75);
        QSet<QString> letters;
        for (const QPushButton* button : w.window->findChildren<QPushButton*>())
            letters << button->text().section(u'&', 1).left(1).toLower();
        QVERIFY(!letters.contains(QString()) && letters.size() == 12);

        w.typeReadings();
        w.click("Calc");
        const auto about = [&](bool aboutOnTop) {
            // The box is driven from inside its own event loop.
            QTimer::singleShot(0, [&] {
                QWidget* box = QApplication::activeModalWidget();
                QLabel* webSite = box->findChild<QLabel*>(QStringLiteral("WebSite"));
                QTest::mouseClick(webSite, Qt::LeftButton);
                box->close();
                QCOMPARE(box->windowTitle() + u'|' + box->findChild<QLabel*>("ProgVersion")->text(),
                         "About Meterwin|Version 2.0");
                QCOMPARE(webSite->palette().color(QPalette::WindowText), QColor(255, 128, 0));
                QVERIFY(box->isModal() &&
                        box->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == aboutOnTop);
            });
            w.click("About");
        };
        QVERIFY(w.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        about(true);
        QTest::mouseClick(w.control<QCheckBox>("OnTop"), Qt::LeftButton);
        QVERIFY(!w.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.window->isVisible());
        about(false);
        QTest::mouseClick(w.control<QLabel>("Logo"), Qt::LeftButton);
        QCOMPARE(w.t.desktop.openedUrls, QStringList(3, "https://meterwin.example"));
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

    // A file goes to the desktop's handler by its full path.
    void desktopOpensFiles() {
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
        QVERIFY(QtDesktop().openFile(QStringLiteral("Log/Meterwin.log")));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(opened_, QList{QUrl::fromLocalFile(QDir().absoluteFilePath("Log/Meterwin.log"))});
    }
};

MW_REGISTER_TEST(TestWindow)
#include "tst_window.moc"
