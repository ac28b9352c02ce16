#include "WindowFixture.h"
#include "support/TestMain.h"

#include <QAccessible>
#include <QScreen>

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

MW_REGISTER_TEST(TestKeyboard)
#include "tst_keyboard.moc"
