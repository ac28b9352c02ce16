#pragma once

#include "app/DesktopStart.h"
#include "support/TestLocales.h"
#include "support/TestProgram.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <stdexcept>

// The worked example's tariff, the optional settings plus one, on top.
inline const QByteArray ExampleConfiguration =
    "[Run]\r\nLogLevel=1\r\nRunOnTop=2\r\n[Data]\r\nBreakP=51\r\nCalVal=36\r\nCFactor=1\r\n"
    "Convert=1\r\nDisc1=6\r\nDisc2=2\r\nNRate1=0.1\r\nNRate2=1.05\r\nPredict=5\r\nSCharge=21\r\n"
    "VRate=6\r\nCORate=0.2\r\n";

enum class SaveData { Offered, NotOffered };

// The main window as the program starts it, with recording boxes and desktop,
// in a fresh installation; no window when the program ended while loading.
struct WindowSession {
    explicit WindowSession(const QStringList& arguments = {}, SaveData saveData = SaveData::Offered,
                           const QByteArray& configuration = ExampleConfiguration) {
        for (const char* folder : {"Data", "Log", "Help"})
            directory.makeDirectory(QString::fromLatin1(folder));
        directory.writeFile(QStringLiteral("Help/index.htm"), "<html></html>");
        directory.writeFile(QStringLiteral("Data/Meterwin.ini"), configuration);
        const WritableConfiguration permission(saveData == SaveData::Offered ? "Data/Meterwin.ini"
                                                                             : "None/x.ini");
        window = StartMeterwinMain(t.program, arguments, permission);
        // Active, as a started program's window is, so that its keys work.
        if (window && (window->activateWindow(), !QTest::qWaitForWindowActive(window.get())))
            throw std::runtime_error("the window was not shown");
    }

    template <typename Widget = QLineEdit> Widget* control(const char* name) const {
        return window->findChild<Widget*>(QString::fromLatin1(name));
    }
    QString text(const char* name) const { return control(name)->text(); }
    QString status() const { return control<QLabel>("Status")->text(); }
    QColor colour(const char* name) const { return control(name)->palette().color(QPalette::Text); }
    void type(const char* name, const QString& text) const {
        QTest::mouseClick(control(name), Qt::LeftButton);
        control(name)->selectAll();
        QTest::keyClicks(control(name), text);
    }
    void typeReadings(const QString& reading2 = QStringLiteral("112")) const {
        type("Date2", QStringLiteral("01/04/2015"));
        type("NRead2", reading2);
        type("Date1", QStringLiteral("01/01/2015"));
        type("NRead1", QStringLiteral("100"));
    }
    // Alt and a command's letter, with and without Shift: true when the field kept its text.
    bool altKeysIgnored(const char* field, Qt::Key key) const {
        const QString before = text(field);
        control(field)->setFocus();
        QTest::keyClick(control(field), key, Qt::AltModifier);
        QTest::keyClick(control(field), key, Qt::AltModifier | Qt::ShiftModifier);
        return text(field) == before;
    }
    void click(const char* name) const {
        QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton);
    }

    TemporaryInstallation directory;
    TestProgram t{testlocales::britain(), QDateTime(QDate(2015, 3, 1), QTime(12, 0))};
    std::unique_ptr<MeterwinMain> window;
};
