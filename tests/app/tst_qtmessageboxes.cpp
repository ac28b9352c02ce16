#include "app/QtMessageBoxes.h"
#include "support/TestMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(MessageIcon)
Q_DECLARE_METATYPE(MessageButtons)
Q_DECLARE_METATYPE(MessageAnswer)

class TestQtMessageBoxes : public QObject {
    Q_OBJECT

private slots:
    void showsTheMessage_data() {
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<QMessageBox::StandardButton>("press");
        QTest::addColumn<QMessageBox::Icon>("shownIcon");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("critical") << MessageIcon::Critical << MessageButtons::Ok << QMessageBox::Ok
                                  << QMessageBox::Critical << MessageAnswer::Ok;
        QTest::newRow("exclamation")
            << MessageIcon::Exclamation << MessageButtons::Ok << QMessageBox::Ok
            << QMessageBox::Warning << MessageAnswer::Ok;
        QTest::newRow("no icon") << MessageIcon::None << MessageButtons::Ok << QMessageBox::Ok
                                 << QMessageBox::NoIcon << MessageAnswer::Ok;
        QTest::newRow("yes") << MessageIcon::Exclamation << MessageButtons::YesNo
                             << QMessageBox::Yes << QMessageBox::Warning << MessageAnswer::Yes;
        QTest::newRow("no") << MessageIcon::Exclamation << MessageButtons::YesNo << QMessageBox::No
                            << QMessageBox::Warning << MessageAnswer::No;
    }

    // The box shows the icon, the title and the lines as given, with OK or
    // Yes and No, and reports the button pressed. Texts are never markup.
    void showsTheMessage() {
        QFETCH(MessageIcon, icon);
        QFETCH(MessageButtons, buttons);
        QFETCH(QMessageBox::StandardButton, press);
        QFETCH(QMessageBox::Icon, shownIcon);
        QFETCH(MessageAnswer, answer);

        QString title, text;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons seenButtons;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            title = box->windowTitle();
            text = box->text();
            seenIcon = box->icon();
            seenButtons = box->standardButtons();
            format = box->textFormat();
            box->button(press)->click();
        });
        QtMessageBoxes boxes;
        const MessageAnswer given =
            boxes.show({icon, QStringLiteral("Meterwin Test"),
                        QStringLiteral("<b>first line</b>\r\nsecond line"), buttons});

        QCOMPARE(title, QStringLiteral("Meterwin Test"));
        QCOMPARE(text, QStringLiteral("<b>first line</b>\nsecond line"));
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(seenIcon, shownIcon);
        QCOMPARE(seenButtons, buttons == MessageButtons::YesNo
                                  ? QMessageBox::Yes | QMessageBox::No
                                  : QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(given, answer);
    }
};

MW_REGISTER_TEST(TestQtMessageBoxes)
#include "tst_qtmessageboxes.moc"
