#include "WindowFixture.h"
#include "app/DisplayCheck.h"
#include "calc/SheetFields.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

QStringList labelTexts(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

QString withoutMnemonic(QString caption) {
    return caption.remove(u'&');
}

// What the About box showed and did while it was open.
struct AboutSeen {
    QString title, name, version, webSite, closeToolTip;
    bool modal = false;
    bool onTop = false;
    QColor webSiteColour;
};

// Opens the About box with the button and drives it from inside its own
// event loop: reads it, clicks the web address, closes it.
AboutSeen openAbout(WindowSession& w, bool clickWebSite) {
    AboutSeen seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.title = box->windowTitle();
        seen.modal = box->isModal();
        seen.onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        seen.name = box->findChild<QLabel*>(QStringLiteral("ProgName"))->text();
        seen.version = box->findChild<QLabel*>(QStringLiteral("ProgVersion"))->text();
        auto* webSite = box->findChild<QLabel*>(QStringLiteral("WebSite"));
        seen.webSite = webSite->text();
        auto* close = box->findChild<QPushButton*>(QStringLiteral("ExitAbout"));
        seen.closeToolTip = close->toolTip();
        if (clickWebSite)
            QTest::mouseClick(webSite, Qt::LeftButton);
        seen.webSiteColour = webSite->palette().color(QPalette::WindowText);
        QTest::mouseClick(close, Qt::LeftButton);
    });
    w.click("About");
    return seen;
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    // Every field, check box, label and button of the sheet is on the form
    // under its control name and shows the sheet's tooltip.
    void controlsByName() {
        WindowSession w;
        Sheet& s = w.t.sheet();
        for (const auto& f : entryFields(s) + settingFields(s) + resultFields(s)) {
            auto* edit = w.window->findChild<QLineEdit*>(f.name);
            QVERIFY2(edit, qPrintable(f.name));
            QCOMPARE(edit->toolTip(), f.control->toolTip);
        }
        for (const auto& b : checkBoxes(s)) {
            auto* box = w.window->findChild<QCheckBox*>(b.name);
            QVERIFY2(box, qPrintable(b.name));
            QCOMPARE(box->toolTip(), b.control->toolTip);
        }
        for (const auto& l : labels(s))
            QVERIFY2(w.window->findChild<QLabel*>(l.name), qPrintable(l.name));
        for (const auto& b : buttons(s)) {
            auto* button = w.window->findChild<QPushButton*>(b.name);
            QVERIFY2(button, qPrintable(b.name));
            QCOMPARE(withoutMnemonic(button->text()), b.control->caption);
            QCOMPARE(button->toolTip(), b.control->toolTip);
        }
        QVERIFY(w.control<QLabel>("Logo"));
        QVERIFY(!w.control<QLabel>("Logo")->pixmap().isNull());
    }

    void fixedLabels() {
        WindowSession w;
        const QStringList texts = labelTexts(*w.window);
        for (const char* caption : {"Gas Use Cost Calculator",
                                    " Meter Readings",
                                    "Notes",
                                    "Date",
                                    "Rate 1 Cost:",
                                    "Rate 2 Cost:",
                                    "After:",
                                    "KWHr",
                                    "Fixed Charge:",
                                    "Calorific Val:",
                                    "Correction:",
                                    "Discount 1:",
                                    "Discount 2:",
                                    "CO2:",
                                    "Kg/KWHr",
                                    "Qtrs",
                                    "Cubic Feet:",
                                    "On Top:",
                                    "Auto Save:",
                                    "Actual:",
                                    "Days",
                                    "KWHr Used",
                                    "Rate 1 KWHr Used",
                                    "Rate 2 KWHr Used",
                                    "  Rate 1 Cost",
                                    "  Rate 2 Cost",
                                    "Total Fixed Charge",
                                    "Cost per Day",
                                    "CO2 Kg"})
            QVERIFY2(texts.contains(QString::fromLatin1(caption)), caption);
        QCOMPARE(texts.count(QStringLiteral("Predict:")), 2);
        QCOMPARE(texts.count(QStringLiteral("/KWHr")), 2);
        QStringList groups;
        for (const QGroupBox* group : w.window->findChildren<QGroupBox*>())
            groups << group->title();
        QCOMPARE(groups, (QStringList{"Meter Readings", "Gas Data", "Results"}));
        QVERIFY(w.control<QLabel>("Status")->font().bold());
    }

    // Each button has its own letter.
    void mnemonics() {
        WindowSession w;
        QSet<QChar> letters;
        for (const QPushButton* button : w.window->findChildren<QPushButton*>()) {
            const qsizetype amp = button->text().indexOf(u'&');
            QVERIFY2(amp >= 0 && amp + 1 < button->text().size(), qPrintable(button->text()));
            const QChar letter = button->text().at(amp + 1).toLower();
            QVERIFY2(!letters.contains(letter), qPrintable(button->text()));
            letters.insert(letter);
        }
        QCOMPARE(letters.size(), 12);
    }

    // Results are read-only, right-aligned and left out of the tab order; the
    // notes take 75 characters.
    void resultFieldsAreShownOnly() {
        WindowSession w;
        Sheet names;
        for (const auto& f : resultFields(names)) {
            QLineEdit* edit = w.field(qPrintable(f.name));
            QVERIFY(edit->isReadOnly());
            QVERIFY(edit->alignment() & Qt::AlignRight);
            QVERIFY(!(edit->focusPolicy() & Qt::TabFocus));
        }
        QCOMPARE(w.field("Notes")->maxLength(), 75);
        for (const auto& f : entryFields(names) + settingFields(names))
            QVERIFY(!w.field(qPrintable(f.name))->isReadOnly());
    }

    // From Date 2 the Tab key visits the entries, the settings, the options
    // and the commands in this order.
    void tabOrder() {
        WindowSession w;
        const QStringList expected = {
            "Date2",    "NRead2", "Notes",    "Date1",  "NRead1",         "NRate1",
            "NRate2",   "BreakP", "SCharge",  "CORate", "Predict",        "CalVal",
            "CFactor",  "VRate",  "Disc1",    "Disc2",  "ConvertF",       "OnTop",
            "AutoSave", "Calc",   "Get_Last", "Clear",  "Reset_Defaults", "Save_Defaults",
            "Archive",  "ViewL",  "ViewH",    "Help1",  "About",          "Exit"};
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        // Save is disabled at the start and so not visited.
        QCOMPARE(visited, expected);
    }

    // The window opens showing everything on a 1280x800 screen and can grow.
    void size() {
        WindowSession w;
        const QSize minimum = w.window->minimumSizeHint();
        QVERIFY2(minimum.width() <= 1280 && minimum.height() <= 760,
                 qPrintable(QStringLiteral("%1x%2").arg(minimum.width()).arg(minimum.height())));
        QVERIFY(w.window->width() <= 1280 && w.window->height() <= 760);
        QVERIFY(w.window->width() >= minimum.width() && w.window->height() >= minimum.height());
        w.window->resize(1600, 1000);
        QCOMPARE(w.window->size(), QSize(1600, 1000));
    }

    // A negative total shows its size in orange; a new calculation brings the
    // grey back.
    void negativeTotalsInOrange() {
        WindowSession w;
        w.type("Date2", QStringLiteral("01/04/2015"));
        w.type("NRead2", QStringLiteral("112"));
        w.type("Date1", QStringLiteral("01/01/2015"));
        w.type("NRead1", QStringLiteral("100"));
        w.type("Disc2", QStringLiteral("50"));
        w.type("Predict", QStringLiteral("0"));
        w.click("Calc");
        QCOMPARE(w.t.messages.shown(), QList<Message>{});
        QCOMPARE(w.text("TCost"), QStringLiteral("£23.50"));
        QCOMPARE(w.text("TVCost"), QStringLiteral("£25.33"));
        QCOMPARE(w.text("CDay"), QStringLiteral("£0.28"));
        QCOMPARE(w.text("Disc2"), QStringLiteral("£50.00"));
        QCOMPARE(w.colour("TCost"), DarkGrey);
        QCOMPARE(w.colour("TVCost"), Orange);
        QCOMPARE(w.colour("CDay"), Orange);
        QCOMPARE(w.text("TVCostP"), QString());

        w.type("Disc2", QStringLiteral("1"));
        w.click("Calc");
        QCOMPARE(w.text("TVCost"), QStringLiteral("£23.68"));
        QCOMPARE(w.colour("TVCost"), DarkGrey);
        QCOMPARE(w.colour("CDay"), DarkGrey);
    }

    // The status line empties itself two seconds after its message.
    void statusLineClears() {
        WindowSession w;
        w.click("Clear");
        QCOMPARE(w.status(), QStringLiteral("Data Cleared"));
        QTest::qWait(1000);
        QCOMPARE(w.status(), QStringLiteral("Data Cleared"));
        QTRY_COMPARE_WITH_TIMEOUT(w.status(), QString(), 2500);
        QVERIFY(!w.t.sheet().Timer1);
    }

    // On Top keeps the window above the others and shows it again after the
    // change; the option is not written anywhere.
    void onTop() {
        WindowSession w;
        auto* box = w.control<QCheckBox>("OnTop");
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(w.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.window->isVisible());
        QCOMPARE(w.t.sheet().RunOnTop, 2.0f);
        QCOMPARE(openAbout(w, false).onTop, true);

        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!w.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.window->isVisible());
        QCOMPARE(w.t.sheet().RunOnTop, 1.0f);
        QCOMPARE(openAbout(w, false).onTop, false);
        QCOMPARE(w.directory.readFile(QStringLiteral("Data/Meterwin.ini")), ExampleConfiguration());
    }

    // Auto Save ticked after a calculation: that result can no longer be saved.
    void autoSaveDisablesSave() {
        WindowSession w;
        w.type("Date2", QStringLiteral("01/04/2015"));
        w.type("NRead2", QStringLiteral("112"));
        w.type("Date1", QStringLiteral("01/01/2015"));
        w.type("NRead1", QStringLiteral("100"));
        w.click("Calc");
        QVERIFY(w.button("Save")->isEnabled());
        QTest::mouseClick(w.control<QCheckBox>("AutoSave"), Qt::LeftButton);
        QVERIFY(!w.button("Save")->isEnabled());
    }

    void cubicFeet() {
        WindowSession w;
        QTest::mouseClick(w.control<QCheckBox>("ConvertF"), Qt::LeftButton);
        QCOMPARE(w.control<QLabel>("NRUnitsL")->text(), QStringLiteral("100s of Cu Feet Used"));
        QCOMPARE(w.field("NRUnits")->toolTip(), QStringLiteral("100s of Cubic Feet used"));
    }

    // The About box: modal, its texts, the address turning orange and opening
    // the page; closing it makes the main window active again, which takes
    // back an unsaved result's Save.
    void aboutBox() {
        WindowSession w;
        w.type("Date2", QStringLiteral("01/04/2015"));
        w.type("NRead2", QStringLiteral("112"));
        w.type("Date1", QStringLiteral("01/01/2015"));
        w.type("NRead1", QStringLiteral("100"));
        w.click("Calc");
        QVERIFY(w.button("Save")->isEnabled());
        w.type("Notes", QStringLiteral("typed while the box was open"));

        const AboutSeen seen = openAbout(w, true);
        QCOMPARE(seen.title, QStringLiteral("About Meterwin"));
        QVERIFY(seen.modal);
        QCOMPARE(seen.name, QStringLiteral("Meterwin"));
        QCOMPARE(seen.version, QStringLiteral("Version 2.0"));
        QCOMPARE(seen.webSite, QStringLiteral("https://meterwin.example"));
        QCOMPARE(seen.closeToolTip, QStringLiteral("Close Meterwin About Screen"));
        QCOMPARE(seen.webSiteColour, QColor(255, 128, 0));
        QCOMPARE(w.t.desktop.openedUrls, QStringList{QStringLiteral("https://meterwin.example")});
        QCOMPARE(w.t.messages.shown(), QList<Message>{});

        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(!w.button("Save")->isEnabled());
        QCOMPARE(w.text("Notes"), QStringLiteral("typed while the box was open"));
        QCOMPARE(w.text("TVCost"), QStringLiteral("£23.68"));
    }

    void logoOpensTheWebPage_data() {
        QTest::addColumn<bool>("browser");
        QTest::addColumn<int>("boxes");
        QTest::newRow("browser started") << true << 0;
        QTest::newRow("no browser") << false << 1;
    }

    void logoOpensTheWebPage() {
        QFETCH(bool, browser);
        QFETCH(int, boxes);
        WindowSession w;
        w.t.desktop.opens = browser;
        QTest::mouseClick(w.control<QLabel>("Logo"), Qt::LeftButton);
        QCOMPARE(w.t.desktop.openedUrls, QStringList{QStringLiteral("https://meterwin.example")});
        QCOMPARE(w.t.messages.shown().size(), boxes);
        QVERIFY(w.window->isVisible());
    }

    // A fatal message ends the program when its box is closed: the window
    // closes and takes no further command.
    void fatalMessageCloses() {
        WindowSession w;
        QVERIFY(QDir(QStringLiteral("Log")).removeRecursively());
        w.click("Get_Last");
        QCOMPARE(w.t.messages.shown().size(), 1);
        QCOMPARE(w.t.messages.shown().first().title,
                 QStringLiteral("Meterwin Log Directory Error"));
        QVERIFY(!w.window->isVisible());
        QVERIFY(w.window->endedByFailure());
        w.window->run([](Program& program) { program.sheet.Notes.text = QStringLiteral("x"); });
        QCOMPARE(w.t.sheet().Notes.text, QString());
    }

    // Closing the window by its frame ends the program; nothing is written.
    void closingTheWindow() {
        WindowSession w;
        w.type("Date2", QStringLiteral("01/04/2015"));
        const QByteArray results = w.directory.readFile(QStringLiteral("Log/Meterwin.log"));
        QVERIFY(w.window->close());
        QVERIFY(!w.window->isVisible());
        QVERIFY(!w.window->endedByFailure());
        QCOMPARE(w.directory.readFile(QStringLiteral("Log/Meterwin.log")), results);
        QCOMPARE(w.t.messages.shown(), QList<Message>{});
    }

    void displayCheck_data() {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<bool>("missing");
        QTest::newRow("X11") << QStringList{"DISPLAY=:0"} << false;
        QTest::newRow("Wayland") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << false;
        QTest::newRow("platform chosen") << QStringList{"QT_QPA_PLATFORM=offscreen"} << false;
        QTest::newRow("none") << QStringList{"HOME=/root"} << true;
        QTest::newRow("empty") << QStringList{"DISPLAY="} << true;
    }

    // Without a display the program says so in one line instead of aborting.
    void displayCheck() {
        QFETCH(QStringList, variables);
        QFETCH(bool, missing);
        QProcessEnvironment environment;
        for (const QString& variable : variables)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        const QString message = MissingDisplayMessage(environment);
        QCOMPARE(!message.isEmpty(), missing);
        if (missing) {
            QVERIFY(!message.contains(u'\n'));
            QVERIFY(message.contains(QStringLiteral("xvfb-run -a")));
            QVERIFY(message.contains(QStringLiteral("meterwin-cli")));
        }
    }
};

MW_REGISTER_TEST(TestWindow)
#include "tst_window.moc"
